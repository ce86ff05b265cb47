// The restore journal, restore.dat: the windows a layout holds and where each stood before the
// first layout took it, so that they can be put back after the program was killed or crashed.
//
// A text file of CR LF lines: the header "Tessellor restore 1", one line a window, then "end N"
// with N the number of window lines. A window line is
//   window HWND PID START STATE LEFT TOP RIGHT BOTTOM CLASS
// HWND in hexadecimal with 0x, PID and START (the process's creation as a FILETIME) in decimal,
// STATE "normal" or "maximized", the normal rectangle in screen coordinates, and the window class
// to the end of the line, with a backslash, control bytes and bytes past 0x7E written as \xHH.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/KeptPlacement.h"
#include "settings/WindowIdentity.h"

namespace tessellor {

inline constexpr const char* RESTORE_FILE = "restore.dat";
// More windows than any layout holds at once: a longer file is no journal of ours.
inline constexpr std::size_t MAX_KEPT_WINDOWS = 256;

struct KeptWindow {
  WindowIdentity id;
  KeptPlacement place;
  friend bool operator==(const KeptWindow&, const KeptWindow&) = default;
};

std::string restoreFileBytes(const std::vector<KeptWindow>& windows);

// The windows the bytes list; nothing at all when anything in them is not exactly as
// restoreFileBytes writes it (cut short, garbage, another version, too many windows, a handle
// named twice).
std::optional<std::vector<KeptWindow>> parseRestoreFile(std::string_view bytes);

}  // namespace tessellor
