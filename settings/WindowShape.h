// What a window's frame and size tell: whether a cell can size it, and whether it is a program shown
// full-screen.
#pragma once

#include "platform/Platform.h"

namespace tessellor {

// True for a window without a full title bar whose rectangle holds the whole of its monitor: a game, a
// video or a slide show in front of everything. Places nothing.
bool isFullScreenWindow(Platform& platform, HWND hwnd);

// True for a window with a sizing border; one without keeps the size its program gives it.
bool hasSizingBorder(Platform& platform, HWND hwnd);

// Both tests: a window that a cell may size.
inline bool hasTileableShape(Platform& platform, HWND hwnd) {
  return hasSizingBorder(platform, hwnd) && !isFullScreenWindow(platform, hwnd);
}

// True for a window that a layout may take on a restore or show: visible, an application window that
// Tessellor may move, of a shape a cell can size. Places nothing.
bool mayTakeBack(Platform& platform, HWND hwnd);

}  // namespace tessellor
