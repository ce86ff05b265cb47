#include <algorithm>
#include <map>

#include "tools/check/Invariants.h"
#include "tools/sim/Printer.h"

namespace tessellor::check {

namespace {

bool placesTheWindow(const sim::PlacementCall& call) { return call.kind != sim::PlacementCall::Kind::SetActiveWindow; }

}  // namespace

void checkPlacements(std::span<const sim::PlacementCall> calls, const PlacementLimits& limits, Findings& findings) {
  std::size_t placements = 0;
  bool farOut = false;
  for (const sim::PlacementCall& call : calls) {
    if (!placesTheWindow(call)) continue;
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

std::vector<HWND> fullyPlacedWindows(std::span<const sim::PlacementCall> calls, FullPlacement how) {
  using Kind = sim::PlacementCall::Kind;
  std::map<HWND, bool> lastWasFull;
  std::vector<HWND> order;
  for (std::size_t i = 0; i < calls.size(); ++i) {
    const sim::PlacementCall& call = calls[i];
    if (!placesTheWindow(call)) continue;
    const bool raisedAfterPlacement = call.kind == Kind::SetWindowPos && i > 0 &&
                                      calls[i - 1].kind == Kind::SetWindowPlacement && calls[i - 1].hwnd == call.hwnd &&
                                      calls[i - 1].rect == call.rect;
    // A refused placement moved nothing, so the window cannot read back where the layout meant it to
    // be (the layout records that place all the same, to measure later moves against it).
    const bool full =
        !call.refused && (how == FullPlacement::Alone ? call.kind == Kind::SetWindowPlacement : raisedAfterPlacement);
    if (lastWasFull.insert_or_assign(call.hwnd, full).second) order.push_back(call.hwnd);
  }
  std::erase_if(order, [&](HWND hwnd) { return !lastWasFull[hwnd]; });
  return order;
}

}  // namespace tessellor::check
