// What Tessellor does with a window, and why it leaves one alone: the "Windows" dialog and the
// simulator's `print why` tell it from here.
#pragma once

#include <string>

#include "app/Shell.h"
#include "settings/WindowReason.h"

namespace tessellor {

// In the order they are told: the first that holds is the one.
enum class Why {
  Tiled,  // a layout holds it
  FullScreen,
  Hidden,
  Minimized,
  OtherDesktop,
  Cloaked,
  Tool,
  FixedSize,
  HigherRights,
  Refused,       // Windows refused to move it, in this run
  Excluded,      // `rule` names the entry of the excluded list
  NoLayout,      // no layout runs on the desktop shown
  OtherMonitor,  // layouts run, none on its monitor
  Maximized,     // a layout runs on its monitor and the window is maximised
  NotTaken,      // never added, or left, or a test not named here
};

struct WhyAnswer {
  Why why = Why::NotTaken;
  std::string rule;                       // Excluded: the entry, as the list shows it
  const RunningLayout* layout = nullptr;  // Tiled: the layout that holds it
  bool eligible = false;                  // none of the window's own tests refuses it
};

// Reads the window now; places nothing.
WhyAnswer whyNotTiled(Shell& shell, HWND hwnd);

// The word that names it in the simulator's `print why` ("tiled", "fixed-size", "excluded" ...).
std::string whyWord(const WhyAnswer& answer);

}  // namespace tessellor
