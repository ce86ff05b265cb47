#include "tools/check/Invariants.h"

namespace tessellor::check {

void checkShell(const Shell& shell, Findings& findings) {
  for (const auto& layout : shell.layouts) {
    if (const BorderLayout* border = layout->engine.border()) checkBorder(*border, findings);
    if (const GridLayout* grid = layout->engine.grid()) checkGrid(*grid, findings);
  }
}

}  // namespace tessellor::check
