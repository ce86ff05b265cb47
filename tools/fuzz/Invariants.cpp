#include "tools/fuzz/Invariants.h"

#include <cmath>
#include <map>

#include "tools/sim/Printer.h"

namespace tessellor::fuzz {

namespace {

void checkFinite(double value, const char* what, Findings& findings) {
  if (!std::isfinite(value)) findings.push_back(std::string(what) + " is " + std::to_string(value));
}

void checkTableEntries(const RectTable& table, const char* name, Findings& findings) {
  std::map<HWND, int> count;
  for (const WND& entry : table.entries()) {
    if (++count[entry.hwnd] == 2)
      findings.push_back(std::string(name) + " holds " + sim::handleText(entry.hwnd) + " twice");
  }
}

int entriesFor(const RectTable& table, HWND hwnd) {
  int n = 0;
  for (const WND& entry : table.entries()) n += entry.hwnd == hwnd;
  return n;
}

}  // namespace

void checkBorder(const BorderLayout& b, Findings& findings) {
  // cell      name
  const std::pair<const std::list<layWND>*, const char*> bands[] = {
      {&b.north, "north"}, {&b.west, "west"}, {&b.east, "east"}, {&b.south, "south"}};
  std::map<HWND, std::string> cellOf;
  const auto enter = [&](const layWND& record, const char* cell) {
    checkFinite(record.widthShare, "a widthShare", findings);
    checkFinite(record.heightShare, "a heightShare", findings);
    if (record.hwnd == nullptr) return findings.push_back(std::string("a null window in ") + cell);
    const auto [it, fresh] = cellOf.emplace(record.hwnd, cell);
    if (!fresh) findings.push_back(sim::handleText(record.hwnd) + " is in " + it->second + " and in " + cell);
    const int entries = entriesFor(b.placedRects, record.hwnd);
    if (entries != 1) {
      findings.push_back(sim::handleText(record.hwnd) + " in " + cell + " has " + std::to_string(entries) +
                         " placedRects entries");
    }
  };
  for (const auto& [band, name] : bands) {
    for (const layWND& record : *band) enter(record, name);
  }
  if (b.centre.hwnd != nullptr) enter(b.centre, "centre");
  for (const layWND& record : b.parked) {
    checkFinite(record.widthShare, "a parked widthShare", findings);
    checkFinite(record.heightShare, "a parked heightShare", findings);
  }
  checkTableEntries(b.placedRects, "placedRects", findings);
  checkTableEntries(b.originalRects, "originalRects", findings);
  checkFinite(b.northWeight, "northWeight", findings);
  checkFinite(b.westWeight, "westWeight", findings);
  checkFinite(b.eastWeight, "eastWeight", findings);
  checkFinite(b.southWeight, "southWeight", findings);
  checkFinite(b.northBottom, "northBottom", findings);
  checkFinite(b.westRight, "westRight", findings);
  checkFinite(b.eastLeft, "eastLeft", findings);
  checkFinite(b.southTop, "southTop", findings);
}

void checkGrid(const GridLayout& g, Findings& findings) {
  std::map<HWND, int> count;
  for (HWND hwnd : g.windows) {
    if (++count[hwnd] == 2) findings.push_back(sim::handleText(hwnd) + " is twice in the grid");
  }
  if (g.windows.size() > static_cast<std::size_t>(g.rows * g.columns)) {
    findings.push_back("the grid holds " + std::to_string(g.windows.size()) + " windows");
  }
  checkTableEntries(g.placedRects, "placedRects", findings);
  checkTableEntries(g.originalRects, "originalRects", findings);
}

void checkShell(const Shell& shell, Findings& findings) {
  if (const BorderLayout* border = shell.borderLayout()) checkBorder(*border, findings);
  if (const GridLayout* grid = shell.gridLayout()) checkGrid(*grid, findings);
}

void checkPlacements(std::span<const sim::PlacementCall> calls, const PlacementLimits& limits, Findings& findings) {
  std::size_t placements = 0;
  bool farOut = false;
  for (const sim::PlacementCall& call : calls) {
    if (call.kind == sim::PlacementCall::Kind::SetActiveWindow) continue;
    ++placements;
    const RECT& r = call.rect;
    const auto beyond = [&](long long v) { return v > limits.maxCoordinate || -v > limits.maxCoordinate; };
    // The first such call tells enough; the rest of the event usually repeats it.
    if (!farOut && (beyond(r.left) || beyond(r.top) || beyond(r.right) || beyond(r.bottom))) {
      farOut = true;
      findings.push_back("a placement of " + sim::handleText(call.hwnd) + " at " + sim::rectText(r) + ", beyond " +
                         std::to_string(limits.maxCoordinate));
    }
  }
  if (placements > limits.maxCalls) {
    findings.push_back(std::to_string(placements) + " placement calls for one event, more than " +
                       std::to_string(limits.maxCalls));
  }
}

}  // namespace tessellor::fuzz
