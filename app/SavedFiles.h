// What the program writes so that it outlives the process: the settings, saved as they change, and
// a save that fails, said once.
#pragma once

#include <string>

#include "app/Shell.h"

namespace tessellor {

// Saves the settings when the dialog's differ from the ones last read or saved; a failed save is
// said as reportSave says it.
void saveSettingsOnChange(Shell& shell, HWND dialog);

// Says in a balloon that the file at `path` could not be written, and what that means, the first
// time a save of it fails; a save of it that works makes the next failure be said again.
void reportSave(Shell& shell, const std::string& path, bool saved, const char* title, const char* meaning);

}  // namespace tessellor
