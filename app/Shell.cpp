#include "app/Shell.h"

#include "app/keys/Hotkeys.h"
#include "layout/border/BorderLayout.h"
#include "layout/grid/GridLayout.h"

namespace tessellor {

HookMessages registerHookMessages(Platform& platform) {
  HookMessages m;
  m.sizing = platform.RegisterWindowMessageA("UWM_SIZING");
  m.create = platform.RegisterWindowMessageA("UWM_CREATE");
  m.close = platform.RegisterWindowMessageA("UWM_CLOSE");
  m.focus = platform.RegisterWindowMessageA("UWM_FOCUS");
  m.minmax = platform.RegisterWindowMessageA("UWM_MINMAX");
  m.sysmenu = platform.RegisterWindowMessageA("UWM_SYSMENU");
  m.moved = platform.RegisterWindowMessageA("UWM_MOVED");
  return m;
}

Shell::Shell(Platform& p, const HookMessages& m)
    : reads(p), platform(reads), messages(m), prospect(reads), putBacks(reads) {
  keys.chosen = defaultKeys();
}

Shell::~Shell() = default;

Shell* shellOf(Platform& platform, HWND dialog) {
  return reinterpret_cast<Shell*>(platform.GetWindowLongPtrA(dialog, DWLP_USER));
}

}  // namespace tessellor
