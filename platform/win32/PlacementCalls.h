// The placement calls to other programs' windows, made as the caller chooses: waiting until the
// window's thread has handled them, or posted to that thread so that the caller goes on at once.
// They touch nothing but the window, so any thread may make them.
#pragma once

#include "platform/WindowMove.h"
#include "platform/win_types.h"

namespace tessellor::win32 {

enum class Delivery { Wait, Post };

// Another thread's window that has stopped answering (IsHungAppWindow).
bool isHung(HWND hwnd);

// The placement record with rcNormalPosition in screen coordinates, as the program holds it.
BOOL getWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement);
// As SetWindowPlacement, rcNormalPosition in screen coordinates. Where the system refuses the call
// for a window that exists (Wine does for another process's windows), the window is shown in its
// normal state if the record asks for that and then moved with setWindowPos.
BOOL setWindowPlacement(HWND hwnd, const WINDOWPLACEMENT& placement, Delivery delivery);
BOOL setWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags, Delivery delivery);
BOOL showWindow(HWND hwnd, int showCmd, Delivery delivery);

// Makes the move's call and fills in its result and GetLastError. A posted call is not answered yet
// (answered false, result TRUE) unless posting itself failed.
void makeMove(WindowMove& move, Delivery delivery);

}  // namespace tessellor::win32
