#pragma once

#include <optional>
#include <string>

#include "platform/Platform.h"
#include "settings/ProgramNames.h"

namespace tessellor {

// True when a layout starting with every eligible window may take hwnd: a visible application
// window that Tessellor may move, not minimised, with a sizing border, not full-screen, with a
// non-empty rectangle, neither refused by title nor matched by an entry of the excluded list (`dialog`
// holds it; `names` answers each process's program name). Places nothing.
// `unmovable`, when given, is set for a window that is refused only because Tessellor may not move it.
bool isWindowEligible(Platform& platform, HWND dialog, HWND hwnd, ProgramNames& names, bool* unmovable = nullptr);

// The base file name of the executable that owns the window, cut to fit; false (buffer untouched)
// when the process cannot be asked.
bool getProgramName(Platform& platform, HWND hwnd, char* name, DWORD size);

// True when no program entry of the excluded list is the name (whole name, any letter case).
bool isProgramAllowed(Platform& platform, HWND dialog, const char* name);

// The first entry of the excluded list that the window matches, as the list shows it: its program's
// name, a `title:` rule that its title (as read now) contains, or a `class:` rule naming its class.
// Nothing when none matches.
std::optional<std::string> excludingEntry(Platform& platform, HWND dialog, HWND hwnd, const char* title,
                                          const char* programName);

}  // namespace tessellor
