// The "Windows" dialog (template 111): the open windows of other programs that the taskbar shows or
// a layout holds, each with its program, its title and what Tessellor does with it, or why it
// leaves it alone. Read when it opens and on "Refresh"; reading it places nothing. "Copy" puts the
// list on the clipboard as text, a window a line, for a bug report; "Don't tile program" and "Don't
// tile title" leave the selected window's program, or its whole title, alone from then on.
#pragma once

#include <string>
#include <vector>

#include "app/Shell.h"
#include "app/layouts/WhyNotTiled.h"

namespace tessellor {

// What the dialog shows while it is open; the caller owns it for the length of the modal dialog.
struct WindowsSession {
  Shell* shell = nullptr;
  struct Row {
    HWND hwnd;
    std::string program;
    std::string title;
    std::string what;
  };
  std::vector<Row> rows;
};

// The procedure of the modal "Windows" dialog; its init param is a WindowsSession.
INT_PTR windowsDialogProc(Platform& platform, HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// What the dialog says Tessellor does with a window, in words a user understands.
std::string whatTessellorDoes(Shell& shell, HWND hwnd, const WhyAnswer& answer);

// The windows the dialog lists, top of the z-order first, read now.
std::vector<WindowsSession::Row> listWindows(Shell& shell);

}  // namespace tessellor
