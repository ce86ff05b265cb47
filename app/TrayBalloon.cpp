#include "app/TrayBalloon.h"

#include <cstring>

namespace tessellor {

namespace {

template <std::size_t N>
void copyCut(char (&field)[N], const char* text) {
  std::strncpy(field, text, N - 1);
  field[N - 1] = '\0';
}

}  // namespace

bool showTrayBalloon(Shell& shell, const char* title, const char* text, Balloon kind) {
  // The icon's own record stays in its first form; only this copy is long enough for a balloon.
  NOTIFYICONDATAA balloon = shell.trayIcon;
  balloon.cbSize = NOTIFYICONDATAA_V2_SIZE;
  balloon.uFlags = NIF_INFO;
  copyCut(balloon.szInfoTitle, title);
  copyCut(balloon.szInfo, text);
  if (shell.platform.Shell_NotifyIconA(NIM_MODIFY, &balloon) == FALSE) return false;
  shell.lastBalloon = kind;
  return true;
}

}  // namespace tessellor
