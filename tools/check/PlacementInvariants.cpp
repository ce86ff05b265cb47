#include <algorithm>
#include <map>

#include "tools/check/Invariants.h"
#include "tools/sim/Printer.h"

namespace tessellor::check {

namespace {

// A raise or an activation where the window stands places nothing.
bool placesTheWindow(const sim::PlacementCall& call) {
  return call.kind != sim::PlacementCall::Kind::SetActiveWindow && call.moves;
}

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

std::vector<HWND> windowsPlacedAsAsked(std::span<const sim::PlacementCall> calls) {
  std::map<HWND, bool> lastTook;
  std::vector<HWND> order;
  for (const sim::PlacementCall& call : calls) {
    if (!placesTheWindow(call)) continue;
    if (lastTook.insert_or_assign(call.hwnd, !call.refused && call.took).second) order.push_back(call.hwnd);
  }
  std::erase_if(order, [&](HWND hwnd) { return !lastTook[hwnd]; });
  return order;
}

void checkPlacedOnce(std::span<const sim::PlacementCall> calls, bool fitPassWidened,
                     const std::function<bool(HWND)>& hasFrame, Findings& findings) {
  using Kind = sim::PlacementCall::Kind;
  struct Last {
    int batch;
    Kind kind;
  };
  std::map<HWND, Last> last;
  int deniedInBatch = 0;  // the last batch in which a window refused with access denied left the layout
  for (const sim::PlacementCall& call : calls) {
    if (!placesTheWindow(call)) continue;
    if (call.redundant) {
      findings.push_back("a placement asked " + sim::handleText(call.hwnd) + " for " + sim::rectText(call.rect) +
                         ", where it stood already");
    }
    const auto seen = last.find(call.hwnd);
    if (seen != last.end()) {
      const bool raiseAfterRestore = seen->second.batch == call.batch &&
                                     seen->second.kind == Kind::SetWindowPlacement && call.kind == Kind::SetWindowPos;
      // Its cell closed, a denied window's neighbours take the room in the next batch.
      const bool placedAgain = seen->second.batch != call.batch && call.batch != 0 &&
                               (fitPassWidened || hasFrame(call.hwnd) || seen->second.batch <= deniedInBatch);
      if (!raiseAfterRestore && !placedAgain) {
        findings.push_back(sim::handleText(call.hwnd) + " was placed twice in one event");
      }
    }
    last.insert_or_assign(call.hwnd, Last{call.batch, call.kind});
    if (call.denied && call.batch != 0) deniedInBatch = std::max(deniedInBatch, call.batch);
  }
}

}  // namespace tessellor::check
