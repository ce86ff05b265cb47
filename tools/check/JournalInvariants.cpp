#include "tools/check/JournalInvariants.h"

#include <algorithm>
#include <string>

#include "app/journal/RestoreJournal.h"
#include "app/layouts/LayoutTable.h"
#include "platform/MonitorFit.h"

namespace tessellor::check {

namespace {

std::string rectText(const RECT& r) {
  return std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right) + " " +
         std::to_string(r.bottom);
}

// Where the desktop puts a window asked to stand at `r`: no negative size, no less than its minimum.
RECT fitted(const sim::WindowSpec& windowSpec, RECT r) {
  r.right = std::max(r.right, r.left);
  r.bottom = std::max(r.bottom, r.top);
  r.right = std::max<LONG>(r.right, static_cast<LONG>(std::min<long long>(std::int64_t{r.left} + windowSpec.minWidth,
                                                                          std::numeric_limits<LONG>::max())));
  r.bottom = std::max<LONG>(r.bottom, static_cast<LONG>(std::min<long long>(std::int64_t{r.top} + windowSpec.minHeight,
                                                                            std::numeric_limits<LONG>::max())));
  return r;
}

}  // namespace

std::vector<HWND> windowsToPutBack(const Shell& shell) {
  std::vector<HWND> all;
  for (const auto& layout : shell.layouts) {
    std::vector<HWND> held;
    const PlacementTable* originals = nullptr;
    if (const BorderLayout* border = layout->engine.border()) {
      held = heldWindows(*border);
      originals = &border->originalRects;
    } else if (const GridLayout* grid = layout->engine.grid()) {
      held = grid->windows;
      originals = &grid->originalRects;
    }
    for (HWND hwnd : held) {
      RECT rect{};
      if (originals->findRect(hwnd, &rect)) all.push_back(hwnd);
    }
  }
  return all;
}

std::vector<HWND> movedFromKeptPlace(const Shell& shell, sim::SimDesktop& desktop, std::vector<HWND> held) {
  std::erase_if(held, [&](HWND hwnd) {
    const RunningLayout* holding = layoutHolding(shell, hwnd);
    if (holding == nullptr) return false;
    const PlacementTable* originals = holding->engine.border() != nullptr ? &holding->engine.border()->originalRects
                                                                          : &holding->engine.grid()->originalRects;
    KeptPlacement kept;
    // A layout moves a window only by giving it another normal rectangle: one still at its own was
    // never moved, whatever its user did with its state since.
    return originals->findPlacement(hwnd, &kept) && desktop.normalRectOf(hwnd) == kept.normal;
  });
  return held;
}

std::optional<std::vector<KeptWindow>> journalOnDesktop(sim::SimDesktop& desktop) {
  const std::optional<std::string> bytes = desktop.files().read(restoreFilePath(desktop));
  if (!bytes) return std::nullopt;
  return parseRestoreFile(*bytes);
}

void checkJournalAfterKill(sim::SimDesktop& desktop, std::span<const HWND> held, Findings& findings) {
  if (held.empty()) return;
  const std::optional<std::vector<KeptWindow>> journal = journalOnDesktop(desktop);
  if (!journal) {
    findings.push_back("killed while the layout held " + std::to_string(held.size()) +
                       " windows, and restore.dat is missing or damaged");
    return;
  }
  for (HWND hwnd : held) {
    const bool listed =
        std::any_of(journal->begin(), journal->end(), [hwnd](const KeptWindow& w) { return w.id.hwnd == hwnd; });
    if (!listed) findings.push_back("killed, and restore.dat does not list " + desktop.nameOf(hwnd));
  }
}

void checkPutBack(sim::SimDesktop& desktop, std::span<const KeptWindow> listed, Findings& findings) {
  for (const KeptWindow& w : listed) {
    const sim::WindowSpec* windowSpec = desktop.specOf(w.id.hwnd);
    // Gone, growing at every placement, or of a program above ours that refuses every placement.
    if (windowSpec == nullptr || windowSpec->grows != 0 || windowSpec->elevated) continue;
    const HWND hwnd = w.id.hwnd;
    // Busy: it takes its place once it answers, as on a real desktop.
    if (desktop.placementPending(hwnd)) continue;
    // Its kept place, or where that place goes when no monitor holds any of it now.
    const RECT wanted = fitted(*windowSpec, ontoAMonitor(desktop, w.place.normal));
    const bool keepsState = desktop.isMinimized(hwnd) || desktop.isHidden(hwnd);
    const bool stateRight = keepsState || desktop.isMaximized(hwnd) == w.place.maximized;
    const RECT found = keepsState || w.place.maximized ? desktop.normalRectOf(hwnd) : desktop.rectOf(hwnd);
    if (!stateRight || !(found == wanted)) {
      findings.push_back("put back, " + desktop.nameOf(hwnd) + " stands at " + rectText(found) +
                         (desktop.isMaximized(hwnd) ? " maximized" : "") + ", not at its kept " + rectText(wanted) +
                         (w.place.maximized ? " maximized" : ""));
    }
  }
  if (desktop.files().read(restoreFilePath(desktop))) findings.push_back("put back, and restore.dat is still there");
}

}  // namespace tessellor::check
