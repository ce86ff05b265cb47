// A picture of the desktop: the screen, each visible window as a labelled rectangle (bottom of the
// z-order first), the foreground window marked.
#pragma once

#include <ostream>

#include "platform/sim/SimDesktop.h"

namespace tessellor::sim {

void writeSvgSnapshot(const SimDesktop& desktop, std::ostream& out);

}  // namespace tessellor::sim
