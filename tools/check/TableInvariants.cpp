#include "tools/check/TableInvariants.h"
#include <limits>

#include <cmath>
#include <cstdint>
#include <map>

#include "layout/readWindowRect.h"
#include "tools/sim/Printer.h"

namespace tessellor::check {

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

void checkTableEntries(const PlacementTable& table, const char* name, Findings& findings) {
  std::map<HWND, int> count;
  for (const WNDPLACE& entry : table.entries()) {
    if (++count[entry.hwnd] == 2)
      findings.push_back(std::string(name) + " holds " + sim::handleText(entry.hwnd) + " twice");
  }
}

int entriesFor(const RectTable& table, HWND hwnd) {
  int n = 0;
  for (const WND& entry : table.entries()) n += entry.hwnd == hwnd;
  return n;
}

namespace {

bool atRangeEnd(const RECT& r) {
  constexpr LONG lo = std::numeric_limits<LONG>::min(), hi = std::numeric_limits<LONG>::max();
  for (const LONG v : {r.left, r.top, r.right, r.bottom}) {
    if (v == lo || v == hi) return true;
  }
  // Nor can a width or height past the int range be asked of the window system (SetWindowPos).
  constexpr std::int64_t most = std::numeric_limits<int>::max();
  return std::int64_t{r.right} - r.left > most || std::int64_t{r.bottom} - r.top > most;
}

}  // namespace

void checkPlacedRects(const RectTable& placedRects, std::span<const HWND> windows, Platform& platform,
                      Findings& findings) {
  for (HWND hwnd : windows) {
    RECT placed{};
    if (!placedRects.findRect(hwnd, &placed)) continue;
    // An edge stopped at the end of the 32-bit range stands for any farther one: the frame of the
    // window may put it back inside, and neither side can tell.
    if (atRangeEnd(placed)) continue;
    RECT now{};
    readWindowRect(platform, hwnd, &now);
    // Nothing of it visible (a place thinner than its invisible frame): where it stands is not to be told.
    if (now.right <= now.left || now.bottom <= now.top) continue;
    if (now != placed) {
      findings.push_back(sim::handleText(hwnd) + " is at " + sim::rectText(now) + " but placedRects says " +
                         sim::rectText(placed));
    }
  }
}

}  // namespace tessellor::check
