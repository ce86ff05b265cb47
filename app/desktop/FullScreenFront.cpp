#include "app/desktop/FullScreenFront.h"

#include "settings/RefusedTitles.h"
#include "settings/WindowShape.h"

namespace tessellor {

namespace {

bool shellSaysFullScreen(Platform& p) {
  QUERY_USER_NOTIFICATION_STATE state = QUNS_ACCEPTS_NOTIFICATIONS;
  if (p.SHQueryUserNotificationState(&state) != S_OK) return false;
  return state == QUNS_BUSY || state == QUNS_RUNNING_D3D_FULL_SCREEN || state == QUNS_PRESENTATION_MODE;
}

}  // namespace

bool fullScreenInFront(Shell& shell) {
  Platform& p = shell.platform;
  if (shellSaysFullScreen(p)) return true;
  const HWND front = p.GetForegroundWindow();
  if (front == nullptr || front == shell.mainDialog || !p.IsWindow(front)) return false;
  char title[100] = {};
  p.GetWindowTextA(front, title, sizeof title);
  // "Program Manager" and the untitled desktop behind it are as large as the screen and have no
  // title bar; so has the Start menu in tablet mode.
  return !isTitleRefused(title, AutoAdd) && isFullScreenWindow(p, front);
}

}  // namespace tessellor
