// The main dialog's procedure, where every input arrives, and the end of each event.
#pragma once

#include "app/Shell.h"

namespace tessellor {

inline constexpr UINT WM_TRAYICON = WM_APP + 1;
inline constexpr UINT TRAY_ICON_ID = 100077;

// The procedure of the main dialog: every input of the program arrives here.
INT_PTR mainDialogProc(Platform& platform, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The shell whose main dialog is being made (null once made): the messages before WM_INITDIALOG
// carry none.
void makingMainDialog(Shell* shell);

// The end of an event: the journal, then each window placed once, then the journal again, and
// the programs whose windows may not be moved named.
void finishEvent(Shell& shell);

// Held while a menu, a message box or a dialog runs a message loop of its own: each message it
// dispatches to the main dialog is an event, with its end. What the event so far asked for is
// placed before the loop starts.
class ModalLoop {
 public:
  explicit ModalLoop(Shell& shell);
  ~ModalLoop();
  ModalLoop(const ModalLoop&) = delete;
  ModalLoop& operator=(const ModalLoop&) = delete;

 private:
  Shell& shell_;
  int depth_;
  RunningLayout* current_;
};

// Sets the status box from the active layout.
void showSelectedLayout(Shell& shell, HWND dialog);

// The exit sequence; the active layout's windows stay where they are.
void quitApplication(Shell& shell, HWND dialog);

}  // namespace tessellor
