// Where the program keeps what it writes for the user: %LOCALAPPDATA%\Tessellor.
#pragma once

#include <string>

#include "platform/Platform.h"

namespace tessellor {

// The folder's path, or empty when the system cannot name the user's local application data folder.
std::string userFolder(Platform& platform);

// Makes the folder when it is missing; fails harmlessly when it exists or cannot be named.
void makeUserFolder(Platform& platform);

}  // namespace tessellor
