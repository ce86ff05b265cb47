// Balloons over the tray icon.
#pragma once

#include "app/Shell.h"

namespace tessellor {

// Shows a balloon over the tray icon; false when there is no icon to carry it. Texts longer than the
// balloon's fields are cut. The kind is what a click on it will mean.
bool showTrayBalloon(Shell& shell, const char* title, const char* text, Balloon kind = Balloon::Notice);

}  // namespace tessellor
