// A window description for the simulated desktop's tests: a name and a rectangle, the rest default.
#pragma once

#include <string>

#include "platform/sim/SimDesktop.h"

namespace tessellor::sim {

inline WindowSpec desc(const std::string& name, RECT at = RECT{100, 100, 500, 400}) {
  WindowSpec s;
  s.name = name;
  s.at = at;
  return s;
}

}  // namespace tessellor::sim
