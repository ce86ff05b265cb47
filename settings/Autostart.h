#pragma once

#include "platform/Platform.h"

namespace tessellor {

// The value "Tessellor" under the per-user Run key, which needs no administrator rights.

// Sets the Run value "Tessellor" to the program path, in quotes so that a path with blanks cannot
// start another program. Failures (no write access) leave the value as it was, silently.
void enableAutostart(Platform& platform, const char* exePath);
// Sets the Run value to the empty string; the value itself is never deleted.
void disableAutostart(Platform& platform);
// Deletes the Run value when it starts that program (its path, quoted or not, in any letter case):
// what an uninstall leaves of it. A value naming another copy stays.
void removeAutostartOf(Platform& platform, const char* exePath);
// Sets a non-empty "Tessellor" under the machine-wide Run key, left by an earlier version, to the
// empty string when the program may write there, so that the program does not start twice.
void clearMachineAutostart(Platform& platform);

}  // namespace tessellor
