#pragma once

#include "layout/border/BorderWeights.h"
#include "platform/Platform.h"

namespace tessellor {

// What the band-size dialog keeps while it is open: the weights it edits and the screen size read
// when it opened. The caller owns it for the length of the modal dialog.
struct BorderSettingsSession {
  BorderWeights* weights = nullptr;
  // Where the bands lie, asked for its maximised size; the dialog's own platform when null.
  Platform* area = nullptr;
  int width = 0;
  int height = 0;
};

// The procedure of the modal band-size dialog; its init param is a BorderSettingsSession.
INT_PTR borderSettingsDialogProc(Platform& platform, HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// True when every band is more than 120 pixels thick and the centre keeps more than 120 each way.
bool bandSizesValid(double north, double south, double west, double east, double width, double height);

}  // namespace tessellor
