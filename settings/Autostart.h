#pragma once

#include "platform/Platform.h"

namespace tessellor {

// Sets the Run value "Tessellor" to the program path, in quotes so that a path with blanks cannot
// start another program. Failures (no write access) leave the value as it was, silently.
void enableAutostart(Platform& platform, const char* exePath);
// Sets the Run value to the empty string; the value itself is never deleted.
void disableAutostart(Platform& platform);

}  // namespace tessellor
