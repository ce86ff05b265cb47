// Helpers the rule files share. Internal to the checker.
#pragma once

#include <string>

#include "tools/check/Invariants.h"

namespace tessellor::check {

void checkFinite(double value, const char* what, Findings& findings);

// No window has two entries in the table.
void checkTableEntries(const RectTable& table, const char* name, Findings& findings);
void checkTableEntries(const PlacementTable& table, const char* name, Findings& findings);

int entriesFor(const RectTable& table, HWND hwnd);

}  // namespace tessellor::check
