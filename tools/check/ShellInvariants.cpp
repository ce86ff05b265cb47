#include "tools/check/Invariants.h"

namespace tessellor::check {

void checkLayoutModeAgrees(const Shell& shell, Findings& findings) {
  const bool border = shell.borderLayout != nullptr;
  const bool grid = shell.gridLayout != nullptr;
  const bool consistent = shell.layoutMode == LayoutBorder ? border && !grid
                          : shell.layoutMode == LayoutGrid ? grid && !border
                                                           : !border && !grid;
  if (!consistent) findings.push_back("LayoutMode " + std::to_string(shell.layoutMode) + " with another layout object");
}

void checkShell(const Shell& shell, Findings& findings) {
  checkLayoutModeAgrees(shell, findings);
  if (shell.borderLayout != nullptr) checkBorder(*shell.borderLayout, findings);
  if (shell.gridLayout != nullptr) checkGrid(*shell.gridLayout, findings);
}

}  // namespace tessellor::check
