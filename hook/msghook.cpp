// Out-of-context WinEvent hooks: nothing is injected into other processes, 32- and 64-bit programs
// are watched alike, and the callbacks run on the thread that called setMyHook, inside its message
// loop. hook/HookEvents.cpp decides which event becomes which message; this file asks Windows about
// the window and posts to the target window. A window moved outside a move-size loop (Snap, another
// program) is reported as "UWM_MOVED" once the moves have settled for about 100 ms.
#define MSGHOOK_BUILDING
#include "hook/msghook.h"

#include <dwmapi.h>

#include "hook/HookEvents.h"

namespace {

using tessellor::HookEvent;
using tessellor::HookMessage;
using tessellor::HookWindow;

// The event numbers of hook/HookEvents.h are Windows' own.
using tessellor::hookEventFromCode;
static_assert(hookEventFromCode(EVENT_SYSTEM_FOREGROUND) == HookEvent::Foreground);
static_assert(hookEventFromCode(EVENT_SYSTEM_MENUPOPUPSTART) == HookEvent::MenuPopupStart);
static_assert(hookEventFromCode(EVENT_SYSTEM_MOVESIZESTART) == HookEvent::MoveSizeStart);
static_assert(hookEventFromCode(EVENT_SYSTEM_MOVESIZEEND) == HookEvent::MoveSizeEnd);
static_assert(hookEventFromCode(EVENT_SYSTEM_MINIMIZESTART) == HookEvent::MinimizeStart);
static_assert(hookEventFromCode(EVENT_SYSTEM_MINIMIZEEND) == HookEvent::MinimizeEnd);
static_assert(hookEventFromCode(EVENT_OBJECT_CREATE) == HookEvent::Create);
static_assert(hookEventFromCode(EVENT_OBJECT_DESTROY) == HookEvent::Destroy);
static_assert(hookEventFromCode(EVENT_OBJECT_SHOW) == HookEvent::Show);
static_assert(hookEventFromCode(EVENT_OBJECT_HIDE) == HookEvent::Hide);
static_assert(hookEventFromCode(EVENT_OBJECT_LOCATIONCHANGE) == HookEvent::LocationChange);
static_assert(hookEventFromCode(EVENT_OBJECT_CLOAKED) == HookEvent::Cloaked);
static_assert(hookEventFromCode(EVENT_OBJECT_UNCLOAKED) == HookEvent::Uncloaked);

HWND target = nullptr;
HWINEVENTHOOK hooks[7] = {};
// The registered message of each HookMessage, by its value; 0 for None.
UINT messages[static_cast<std::size_t>(HookMessage::Moved) + 1] = {};
tessellor::HookMap windows;
// A thread timer: a move outside a move-size loop is reported once its window has been still for
// HookMap::kSettleMs, so that Snap's steps and a program's animation come as one move, at its end.
// It fires when the first window settling is due; each window waits for its own moves only.
UINT_PTR settleTimer = 0;

// Loaded rather than linked so that the library still loads where dwmapi.dll is missing; without it
// no window counts as cloaked.
using DwmGetWindowAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, PVOID, DWORD);
HMODULE dwmapi = nullptr;
DwmGetWindowAttributeFn dwmGetWindowAttribute = nullptr;

HWND toHwnd(HookWindow window) { return reinterpret_cast<HWND>(window); }
HookWindow toKey(HWND hwnd) { return reinterpret_cast<HookWindow>(hwnd); }

bool isCloaked(HWND hwnd) {
  DWORD cloaked = 0;
  return dwmGetWindowAttribute != nullptr &&
         SUCCEEDED(dwmGetWindowAttribute(hwnd, DWMWA_CLOAKED, &cloaked, sizeof cloaked)) && cloaked != 0;
}

class Win32Probe final : public tessellor::WindowProbe {
 public:
  bool isTopLevel(HookWindow window) const override {
    const HWND hwnd = toHwnd(window);
    return GetAncestor(hwnd, GA_ROOT) == hwnd;
  }
  tessellor::WindowState observe(HookWindow window) const override {
    const HWND hwnd = toHwnd(window);
    const LONG_PTR style = GetWindowLongPtrA(hwnd, GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrA(hwnd, GWL_EXSTYLE);
    return {.titled = (style & WS_CAPTION) == WS_CAPTION && (exStyle & WS_EX_TOOLWINDOW) == 0,
            .visible = IsWindowVisible(hwnd) != FALSE,
            .cloaked = isCloaked(hwnd),
            .iconic = IsIconic(hwnd) != FALSE,
            .zoomed = IsZoomed(hwnd) != FALSE};
  }
  bool exists(HookWindow window) const override { return IsWindow(toHwnd(window)) != FALSE; }
};
const Win32Probe probe;

void post(HookMessage report, HWND hwnd, int showCommand) {
  const UINT message = messages[static_cast<std::size_t>(report)];
  if (target != nullptr && message != 0)
    PostMessageA(target, message, reinterpret_cast<WPARAM>(hwnd), static_cast<LPARAM>(showCommand));
}

void CALLBACK onSettled(HWND, UINT, UINT_PTR, DWORD);

// For the first window settling; none when no window settles. SetTimer with the running timer's id
// moves it.
void armSettleTimer(ULONGLONG now) {
  const std::optional<std::uint64_t> due = windows.nextSettle();
  if (!due) {
    if (settleTimer != 0) KillTimer(nullptr, settleTimer);
    settleTimer = 0;
    return;
  }
  const ULONGLONG wait = *due > now ? *due - now : 0;
  settleTimer = SetTimer(nullptr, settleTimer, static_cast<UINT>(wait > USER_TIMER_MINIMUM ? wait : USER_TIMER_MINIMUM),
                         onSettled);
}

void CALLBACK onSettled(HWND, UINT, UINT_PTR, DWORD) {
  const ULONGLONG now = GetTickCount64();
  HookWindow window = 0;
  while (windows.takeSettled(probe, window, now)) post(HookMessage::Moved, toHwnd(window), 0);
  armSettleTimer(now);
}

void CALLBACK onEvent(HWINEVENTHOOK, DWORD code, HWND hwnd, LONG idObject, LONG idChild, DWORD, DWORD) {
  if (hwnd == nullptr || hwnd == target || idObject != OBJID_WINDOW || idChild != CHILDID_SELF) return;
  const std::optional<HookEvent> event = hookEventFromCode(code);
  if (!event) return;
  const ULONGLONG now = GetTickCount64();
  const tessellor::HookReport report = windows.onEvent(*event, toKey(hwnd), probe, now);
  post(report.message, hwnd, report.showCommand);
  // A move starts its own window's wait again; the timer follows the first window due.
  if (windows.takeSettleRequest()) armSettleTimer(now);
}

// Windows that exist before the hooks start must be known, or their closing would go unreported.
// This process's own windows are left out: their events never come (WINEVENT_SKIPOWNPROCESS).
BOOL CALLBACK rememberWindow(HWND hwnd, LPARAM) {
  DWORD process = 0;
  GetWindowThreadProcessId(hwnd, &process);
  if (process != GetCurrentProcessId()) windows.remember(toKey(hwnd), probe.observe(toKey(hwnd)));
  return TRUE;
}

void loadDwmapi() {
  dwmapi = LoadLibraryExA("dwmapi.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (dwmapi == nullptr) return;
  // Through void(*)(): GetProcAddress's type is no function type the cast may pretend to match.
  dwmGetWindowAttribute = reinterpret_cast<DwmGetWindowAttributeFn>(
      reinterpret_cast<void (*)()>(GetProcAddress(dwmapi, "DwmGetWindowAttribute")));
}

HWINEVENTHOOK hookRange(DWORD first, DWORD last) {
  return SetWinEventHook(first, last, nullptr, onEvent, 0, 0, WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
}

}  // namespace

BOOL setMyHook(HWND window) {
  clearMyHook(target);
  messages[static_cast<std::size_t>(HookMessage::Sizing)] = RegisterWindowMessageA("UWM_SIZING");
  messages[static_cast<std::size_t>(HookMessage::Create)] = RegisterWindowMessageA("UWM_CREATE");
  messages[static_cast<std::size_t>(HookMessage::Close)] = RegisterWindowMessageA("UWM_CLOSE");
  messages[static_cast<std::size_t>(HookMessage::Focus)] = RegisterWindowMessageA("UWM_FOCUS");
  messages[static_cast<std::size_t>(HookMessage::MinMax)] = RegisterWindowMessageA("UWM_MINMAX");
  messages[static_cast<std::size_t>(HookMessage::SysMenu)] = RegisterWindowMessageA("UWM_SYSMENU");
  messages[static_cast<std::size_t>(HookMessage::Moved)] = RegisterWindowMessageA("UWM_MOVED");
  target = window;
  loadDwmapi();
  // Hooks before the enumeration: a window created in between is then met twice, never missed. The
  // callbacks run only once this thread's message loop runs again.
  // Only the events the library acts on: an out-of-context hook is sent every event of its ranges
  // from every process, and one that falls behind slows the whole desktop. Focus, selection, state,
  // reorder, scroll and drag events fall between the ranges below.
  hooks[0] = hookRange(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND);
  hooks[1] = hookRange(EVENT_SYSTEM_MENUPOPUPSTART, EVENT_SYSTEM_MENUPOPUPSTART);
  hooks[2] = hookRange(EVENT_SYSTEM_MOVESIZESTART, EVENT_SYSTEM_MOVESIZEEND);
  hooks[3] = hookRange(EVENT_SYSTEM_MINIMIZESTART, EVENT_SYSTEM_MINIMIZEEND);
  hooks[4] = hookRange(EVENT_OBJECT_CREATE, EVENT_OBJECT_HIDE);
  hooks[5] = hookRange(EVENT_OBJECT_LOCATIONCHANGE, EVENT_OBJECT_LOCATIONCHANGE);
  hooks[6] = hookRange(EVENT_OBJECT_CLOAKED, EVENT_OBJECT_UNCLOAKED);
  EnumWindows(rememberWindow, 0);
  return hooks[2] != nullptr ? TRUE : FALSE;
}

BOOL clearMyHook(HWND) {
  for (HWINEVENTHOOK& h : hooks) {
    if (h != nullptr) UnhookWinEvent(h);
    h = nullptr;
  }
  if (settleTimer != 0) KillTimer(nullptr, settleTimer);
  settleTimer = 0;
  target = nullptr;
  windows.clear();
  dwmGetWindowAttribute = nullptr;
  if (dwmapi != nullptr) FreeLibrary(dwmapi);
  dwmapi = nullptr;
  return TRUE;
}
