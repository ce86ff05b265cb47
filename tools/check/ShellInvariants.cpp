#include "tools/check/Invariants.h"

namespace tessellor::check {

void checkShell(const Shell& shell, Findings& findings) {
  if (const BorderLayout* border = shell.borderLayout()) checkBorder(*border, findings);
  if (const GridLayout* grid = shell.gridLayout()) checkGrid(*grid, findings);
}

}  // namespace tessellor::check
