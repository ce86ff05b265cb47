// Why a layout leaves a window alone: the one function that the eligibility test and the "Windows"
// dialog share, so that the dialog never tells another story than the layouts act on.
#pragma once

#include <optional>
#include <string>

#include "platform/Platform.h"
#include "settings/ProgramNames.h"

namespace tessellor {

// The window's own reasons, in the order they are told: the first that holds is the one. The shell
// tells those of its layouts around them (a window held, one Windows refused to move, no layout on
// its monitor, maximised there).
enum class WindowReason {
  None,          // none of its own: a layout starting now takes it
  FullScreen,    // a program shown full-screen
  Hidden,        // hidden by its program
  Minimized,     // minimised
  OtherDesktop,  // on a virtual desktop that is not shown
  Cloaked,       // cloaked (a suspended app)
  Tool,          // a tool window, one that takes no activation, or an owned one without a taskbar button
  FixedSize,     // no sizing border
  HigherRights,  // its process runs at a higher integrity level, or with UIAccess
  Excluded,      // an entry of the excluded list matches it
  NotTaken,      // a test named nowhere else: no window, no size, a title or program left alone always
};

struct WindowVerdict {
  WindowReason reason = WindowReason::None;
  std::string rule;  // the matching entry of the excluded list, as the list shows it
};

// The window's reason, read now; `dialog` holds the excluded list, `names` answers program names.
WindowVerdict windowReason(Platform& platform, HWND dialog, HWND hwnd, ProgramNames& names);
// Only the tests after the window's kind and rights: Excluded, NotTaken or None.
WindowVerdict listReason(Platform& platform, HWND dialog, HWND hwnd, ProgramNames& names);

}  // namespace tessellor
