#include "app/Hotkeys.h"

#include "app/LayoutActivation.h"

namespace tessellor {

void registerHotkeys(Platform& platform, HWND dialog) {
  for (const HotkeyBinding& b : hotkeyBindings) platform.RegisterHotKey(dialog, b.id, b.modifiers, b.virtualKey);
}

void unregisterHotkeys(Platform& platform, HWND dialog) {
  for (const HotkeyBinding& b : hotkeyBindings) platform.UnregisterHotKey(dialog, b.id);
}

void onHotkey(Shell& shell, WPARAM id) {
  switch (id) {
    case 0:
      startBorderLayout(shell);
      break;
    case 1:
      startGridLayout(shell, false);
      break;
    case 2:
      stopLayout(shell);
      break;
    default:
      break;
  }
}

}  // namespace tessellor
