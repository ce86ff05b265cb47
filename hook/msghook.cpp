// Out-of-context WinEvent hooks: nothing is injected into other processes, 32- and 64-bit programs
// are watched alike, and the callbacks run on the thread that called setMyHook, inside its message
// loop. Each event becomes a message posted to the target window.
#define MSGHOOK_BUILDING
#include "hook/msghook.h"

namespace {

HWND target = nullptr;
HWINEVENTHOOK hooks[4] = {};
UINT msgSizing = 0, msgCreate = 0, msgClose = 0, msgFocus = 0, msgMinmax = 0, msgSysmenu = 0;

// Maximised state last seen per window, to tell a maximise and its undoing from any other move.
constexpr int kTracked = 256;
HWND zoomedWindows[kTracked] = {};

bool wasZoomed(HWND hwnd) {
  for (HWND h : zoomedWindows)
    if (h == hwnd) return true;
  return false;
}

void setZoomed(HWND hwnd, bool zoomed) {
  for (HWND& h : zoomedWindows) {
    if (zoomed && h == nullptr) {
      h = hwnd;
      return;
    }
    if (!zoomed && h == hwnd) h = nullptr;
  }
}

// A destroyed window can no longer be asked for its parent; the layouts ignore handles they do not hold.
bool isTopLevel(DWORD event, HWND hwnd, LONG idObject, LONG idChild) {
  if (hwnd == nullptr || idObject != OBJID_WINDOW || idChild != CHILDID_SELF) return false;
  return event == EVENT_OBJECT_DESTROY || GetAncestor(hwnd, GA_ROOT) == hwnd;
}

void post(UINT message, HWND hwnd, LPARAM lParam = 0) {
  if (target != nullptr && message != 0) PostMessageA(target, message, reinterpret_cast<WPARAM>(hwnd), lParam);
}

void CALLBACK onEvent(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG idObject, LONG idChild, DWORD, DWORD) {
  if (!isTopLevel(event, hwnd, idObject, idChild) || hwnd == target) return;
  switch (event) {
    case EVENT_SYSTEM_MOVESIZEEND:
      post(msgSizing, hwnd);
      break;
    case EVENT_SYSTEM_MINIMIZESTART:
      post(msgMinmax, hwnd, SW_MINIMIZE);
      break;
    case EVENT_SYSTEM_MINIMIZEEND:
      post(msgMinmax, hwnd, SW_RESTORE);
      break;
    case EVENT_OBJECT_LOCATIONCHANGE: {
      const bool zoomed = IsZoomed(hwnd) != FALSE;
      if (zoomed != wasZoomed(hwnd)) {
        setZoomed(hwnd, zoomed);
        post(msgMinmax, hwnd, zoomed ? SW_MAXIMIZE : SW_RESTORE);
      }
      break;
    }
    case EVENT_OBJECT_DESTROY:
      setZoomed(hwnd, false);
      post(msgClose, hwnd);
      break;
    case EVENT_OBJECT_CREATE:
      post(msgCreate, hwnd);
      break;
    case EVENT_SYSTEM_FOREGROUND:
      post(msgFocus, hwnd);
      break;
    case EVENT_SYSTEM_MENUPOPUPSTART:
      post(msgSysmenu, hwnd);
      break;
    default:
      break;
  }
}

HWINEVENTHOOK hookRange(DWORD first, DWORD last) {
  return SetWinEventHook(first, last, nullptr, onEvent, 0, 0, WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
}

}  // namespace

BOOL setMyHook(HWND window) {
  clearMyHook(target);
  msgSizing = RegisterWindowMessageA("UWM_SIZING");
  msgCreate = RegisterWindowMessageA("UWM_CREATE");
  msgClose = RegisterWindowMessageA("UWM_CLOSE");
  msgFocus = RegisterWindowMessageA("UWM_FOCUS");
  msgMinmax = RegisterWindowMessageA("UWM_MINMAX");
  msgSysmenu = RegisterWindowMessageA("UWM_SYSMENU");
  target = window;
  hooks[0] = hookRange(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND);
  hooks[1] = hookRange(EVENT_SYSTEM_MENUPOPUPSTART, EVENT_SYSTEM_MENUPOPUPSTART);
  hooks[2] = hookRange(EVENT_SYSTEM_MOVESIZEEND, EVENT_SYSTEM_MINIMIZEEND);
  hooks[3] = hookRange(EVENT_OBJECT_CREATE, EVENT_OBJECT_LOCATIONCHANGE);
  return hooks[2] != nullptr ? TRUE : FALSE;
}

BOOL clearMyHook(HWND) {
  for (HWINEVENTHOOK& h : hooks) {
    if (h != nullptr) UnhookWinEvent(h);
    h = nullptr;
  }
  target = nullptr;
  for (HWND& h : zoomedWindows) h = nullptr;
  return TRUE;
}
