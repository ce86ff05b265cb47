// Where the program keeps its files for the user: %LOCALAPPDATA%\Tessellor.
#pragma once

#include <string>

#include "platform/Platform.h"

namespace tessellor {

// The folder, or empty when the system cannot name the user's local application data folder.
std::string userFolder(Platform& platform);
// NAME in that folder; NAME alone (the working directory) when it cannot be named.
std::string userFilePath(Platform& platform, const char* name);
// Makes the folder when it is missing; false when it cannot be named or made.
bool makeUserFolder(Platform& platform);

}  // namespace tessellor
