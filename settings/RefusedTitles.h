// Windows never taken by title: untitled ones, the start menu, the desktop, Tessellor's own dialog
// and the start button. Each way of taking a window refuses its own column of this one table.
#pragma once

#include <cstring>

namespace tessellor {

enum TitleUse : unsigned {
  AutoAdd = 1u << 0,     // a layout starting with every eligible window
  BorderSend = 1u << 1,  // Alt+arrow in the Border Layout
  GridSend = 1u << 2,    // Alt+arrow in the Grid Layout
  CentreSend = 1u << 3,  // Alt+F10
};

struct RefusedTitle {
  const char* title;
  unsigned refusedBy;  // TitleUse bits
};

// title               refused by
inline constexpr RefusedTitle refusedTitles[] = {
    {"", AutoAdd | BorderSend | GridSend | CentreSend},
    {"Menu Avvio", AutoAdd | BorderSend | GridSend | CentreSend},
    {"Program Manager", AutoAdd | BorderSend | GridSend | CentreSend},
    {"Tessellor", AutoAdd | BorderSend | GridSend},
    {"Start", AutoAdd},
    {"start", GridSend | CentreSend},
};

// True when a window with this exact title (letter case counts) may not be taken by that use.
inline bool isTitleRefused(const char* title, TitleUse use) {
  for (const RefusedTitle& refused : refusedTitles) {
    if ((refused.refusedBy & use) != 0 && std::strcmp(title, refused.title) == 0) return true;
  }
  return false;
}

}  // namespace tessellor
