// What `expect mode` and `expect side` read from the running program's shell.
#pragma once

#include <string>

#include "app/Shell.h"

namespace tessellor::sim {

// "none", "border" or "grid"; "none" without a running program.
std::string modeName(const Shell* shell);

// The cell that holds hwnd: "north", "west", "east", "south", "centre" (searched in that order),
// "grid", or "none".
std::string sideName(const Shell* shell, HWND hwnd);

}  // namespace tessellor::sim
