#include "app/MainDialog.h"

#include <algorithm>

#include "app/Commands.h"
#include "app/DontTile.h"
#include "app/LatePlacements.h"
#include "app/LayoutActivation.h"
#include "app/MissedEvents.h"
#include "app/SettlePlacements.h"
#include "app/StartUp.h"
#include "app/TrayIcon.h"
#include "app/WindowEvents.h"
#include "app/desktop/UnmovableWindows.h"
#include "app/desktop/VirtualDesktops.h"
#include "app/journal/RestoreJournal.h"
#include "app/keys/Hotkeys.h"
#include "app/layouts/LayoutTable.h"
#include "resources/resource_ids.h"
#include "settings/SettingsFile.h"

namespace tessellor {

namespace {

// What must not be lost when the process ends: the hook and the tray icon go, the settings are saved.
void leaveSession(Shell& shell, HWND dialog) {
  Platform& p = shell.platform;
  p.clearMyHook(dialog);
  p.Shell_NotifyIconA(NIM_DELETE, &shell.trayIcon);
  shell.trayIconShown = false;
  p.KillTimer(dialog, TRAY_ICON_TIMER);
  saveSettings(p, dialog);
}

// Messages after which the running layout may place its windows.
bool mayPlace(const Shell& shell, UINT message) {
  const HookMessages& hook = shell.messages;
  switch (message) {
    case WM_HOTKEY:
    case WM_COMMAND:
    case WM_TIMER:
    case WM_DISPLAYCHANGE:
    case WM_SETTINGCHANGE:
      return true;
    default:
      return message != 0 &&
             (message == hook.sizing || message == hook.close || message == hook.minmax || message == hook.moved);
  }
}

// What the running layout must know before an event acts: the windows that took a late placement
// since, and the windows whose own events never came.
void beforeEvent(Shell& shell, UINT message, WPARAM wParam) {
  // Windows put back late are waited for with no layout running too.
  readBackAnsweredWindows(shell);
  if (!shell.anyLayout() || !mayPlace(shell, message)) return;
  // The window a hook message is about has its own event now.
  const bool hookMessage = message != WM_HOTKEY && message != WM_COMMAND && message != WM_TIMER &&
                           message != WM_DISPLAYCHANGE && message != WM_SETTINGCHANGE;
  catchUpWithHeldWindows(shell, hookMessage ? handleFromValue(wParam) : nullptr);
}

INT_PTR handleMessage(Shell* shell, Platform& platform, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (shell->messageDepth == 1) beforeEvent(*shell, message, wParam);
  // A full-screen program come to the front takes the keys; they come back once it has left. A
  // maximised window in front that goes full-screen, or back, is reported as restored or maximised.
  // The message goes on to the layouts.
  const HookMessages& hook = shell->messages;
  if (message != 0 && (message == hook.focus || message == hook.minmax)) {
    registerHotkeys(*shell);
  }
  if (message != 0 && message == hook.focus) noteWindowInFront(*shell, handleFromValue(wParam));
  // Registered numbers never collide with the fixed messages below.
  if (shell->anyLayout() && dispatchWindowEvent(*shell, message, wParam, lParam)) return TRUE;

  switch (message) {
    case WM_INITDIALOG:
      startUp(*shell, hwnd);
      return TRUE;
    case WM_CLOSE:
      // The close box only hides the dialog; the program keeps running in the tray.
      platform.ShowWindow(hwnd, SW_HIDE);
      platform.UpdateWindow(hwnd);
      return TRUE;
    case WM_DISPLAYCHANGE:
      // A game may take the screen at a resolution of its own.
      registerHotkeys(*shell);
      refreshLayouts(*shell);
      return TRUE;
    case WM_SETTINGCHANGE:
      // Also sent when presentation settings are turned on or off.
      registerHotkeys(*shell);
      // The taskbar moved, was resized or hides itself now: the work area changed with it.
      if (wParam == SPI_SETWORKAREA) refreshLayouts(*shell);
      return FALSE;
    case WM_COMMAND:
      runCommand(*shell, hwnd, LOWORD(wParam));
      refreshLayouts(*shell);
      return TRUE;
    case WM_HOTKEY:
      onHotkey(*shell, wParam);
      return TRUE;
    case WM_TIMER:
      if (wParam == TRAY_ICON_TIMER) {
        showTrayIcon(*shell);
        return TRUE;
      }
      // The late windows were looked at as the event began.
      return wParam == LATE_PLACEMENTS_TIMER ? TRUE : FALSE;
    case WM_ENDSESSION:
      if (wParam == FALSE) return TRUE;
      // An installer's Restart Manager: the session goes on, and the program must end by itself, as
      // "Close" does, or be left running half-ended (no tray icon, the keys still held).
      if ((lParam & ENDSESSION_CLOSEAPP) != 0) {
        quitApplication(*shell, hwnd);
      } else {
        // Windows ends the process after this message, without our exit sequence.
        leaveSession(*shell, hwnd);
      }
      return TRUE;
    case WM_TRAYICON:
      onTrayNotification(*shell, hwnd, lParam);
      return TRUE;
    default:
      return FALSE;
  }
}

// The shell whose main dialog is being made: the messages before WM_INITDIALOG carry none.
Shell* shellBeingMade = nullptr;

}  // namespace

void makingMainDialog(Shell* shell) { shellBeingMade = shell; }

INT_PTR mainDialogProc(Platform& platform, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  // Sent before the dialog manager makes the template's controls: the icon need not wait for them.
  if (message == WM_SETFONT && shellBeingMade != nullptr && shellOf(platform, hwnd) == nullptr) {
    showTrayIconFirst(*shellBeingMade, hwnd);
    return FALSE;
  }
  if (message == WM_INITDIALOG) platform.SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
  Shell* shell = shellOf(platform, hwnd);
  if (shell == nullptr) return FALSE;  // messages before WM_INITDIALOG
  shell->mainDialog = hwnd;
  // What was read before this event may have changed since; a display or work-area change may
  // come inside another message.
  if (shell->messageDepth == 0) {
    shell->reads.forget();
    // Each event chooses the layout it is about.
    shell->current = nullptr;
  } else if (message == WM_DISPLAYCHANGE || message == WM_SETTINGCHANGE) {
    shell->reads.forgetWindows();
  }
  ++shell->messageDepth;
  const INT_PTR result = handleMessage(shell, shell->platform, hwnd, message, wParam, lParam);
  --shell->messageDepth;
  // Placed in the middle of the outer message, the windows would go where its model stood half-way.
  if (shell->messageDepth == 0) {
    finishEvent(*shell);
    shell->reads.forget();
    shell->current = nullptr;
  }
  return result;
}

void finishEvent(Shell& shell) {
  // The keys follow the layouts before any window moves: a key of a layout that ended goes to the
  // program in front, and one of a new layout waits in the queue until its windows stand.
  if (shell.modeToFollow) registerHotkeys(shell);
  // The windows' first places are on disk before the layout first moves them, and stay there until
  // the windows have been put back.
  syncRestoreJournal(shell, JournalMoment::BeforePlacing);
  // Whatever the message changed, each window is placed once, at the end.
  settlePlacements(shell);
  syncRestoreJournal(shell, JournalMoment::AfterPlacing);
  if (shell.modeToFollow) {
    shell.modeToFollow = false;
    // Again for a layout that its placements ended.
    registerHotkeys(shell);
    showSelectedLayout(shell, shell.mainDialog);
  }
  reportUnmovableWindows(shell);
  // A refused tray icon whose retry timer could not be set either is offered at each event.
  showTrayIcon(shell);
  freeRetiredLayouts(shell);
  shell.saidFailedThisEvent.clear();
}

ModalLoop::ModalLoop(Shell& shell) : shell_(shell), depth_(shell.messageDepth), current_(shell.current) {
  // The user sees what the event asked for before the loop, and what arrives in it is an event.
  if (depth_ > 0) finishEvent(shell_);
  shell_.reads.forget();
  shell_.messageDepth = 0;
}

ModalLoop::~ModalLoop() {
  // The user may have done anything meanwhile, the layout of the event ended too.
  shell_.reads.forget();
  shell_.messageDepth = depth_;
  const bool running = std::any_of(shell_.layouts.begin(), shell_.layouts.end(),
                                   [this](const auto& layout) { return layout.get() == current_; });
  shell_.current = running ? current_ : nullptr;
}

void showSelectedLayout(Shell& shell, HWND dialog) {
  // With one layout, that one; with more, the one of the dialog's monitor on the desktop shown.
  const RunningLayout* shown =
      shell.layouts.size() == 1
          ? shell.layouts.front().get()
          : layoutOn(shell, shell.platform.MonitorFromWindow(dialog, MONITOR_DEFAULTTONEAREST), shownDesktop(shell));
  const LayoutMode mode = shown != nullptr ? shown->mode() : LayoutNone;
  const char* text = "No Layout Selected";
  if (mode == LayoutGrid) {
    text = "Grid Layout";
  } else if (mode == LayoutBorder) {
    text = "Border Layout";
  }
  shell.platform.SetDlgItemTextA(dialog, IDC_LAYOUT_STATUS, text);
}

void quitApplication(Shell& shell, HWND dialog) {
  Platform& p = shell.platform;
  leaveSession(shell, dialog);
  unregisterHotkeys(shell);
  p.EndDialog(dialog, 0);
  p.PostQuitMessage(0);
}

}  // namespace tessellor
