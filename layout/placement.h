// The two ways both layouts put a window somewhere.
#pragma once

#include "platform/KeptPlacement.h"
#include "platform/Platform.h"

namespace tessellor {

// SetWindowPlacement with rcNormalPosition = rect and SW_SHOWNORMAL, no minimised or maximised
// position: a minimised or maximised window comes back to its normal state there. False when the window system
// refused it (a window of a process above ours): the window did not move.
bool setNormalPlacement(Platform& platform, HWND hwnd, const RECT& rect);

// SetWindowPos to rect with no flags: the window is also raised to the top and activated.
void moveToTop(Platform& platform, HWND hwnd, const RECT& rect);

// The end of a layout for one window, put back in turn: normal at its rectangle, or maximised with
// it as its normal rectangle; raised to the top and activated either way, nothing moving it again.
void putBackInTurn(Platform& platform, HWND hwnd, const KeptPlacement& kept);
// Puts the window back at its kept placement, in its kept state, raising and activating nothing.
void putBackUnraised(Platform& platform, HWND hwnd, const KeptPlacement& kept);

// SetWindowPos to rect that neither raises nor activates: the user keeps the window they type in.
void moveInPlace(Platform& platform, HWND hwnd, const RECT& rect);

}  // namespace tessellor
