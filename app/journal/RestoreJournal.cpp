#include "app/journal/RestoreJournal.h"

#include <algorithm>
#include <string>

#include "app/SavedFiles.h"
#include "app/Shell.h"
#include "app/TrayBalloon.h"
#include "layout/border/BorderLayout.h"
#include "layout/grid/GridLayout.h"
#include "settings/UserFolder.h"

namespace tessellor {

namespace {

constexpr char NOT_SAVED_TITLE[] = "Window places not saved";
constexpr char NOT_SAVED_MEANING[] = "If Tessellor ends now, the layout's windows cannot be put back.";
constexpr char OFFER_TITLE[] = "Windows can be put back";

// The windows the running layouts hold, layout by layout, each in the order Ctrl+Backspace puts
// them back.
std::vector<HWND> heldInRestoreOrder(const Shell& shell) {
  std::vector<HWND> held;
  for (const auto& layout : shell.layouts) {
    if (const BorderLayout* border = layout->engine.border()) {
      for (const std::list<layWND>* band : {&border->north, &border->west, &border->east, &border->south}) {
        for (const layWND& record : *band) held.push_back(record.hwnd);
      }
      if (border->centre.hwnd != nullptr) held.push_back(border->centre.hwnd);
    } else if (const GridLayout* grid = layout->engine.grid()) {
      held.insert(held.end(), grid->windows.begin(), grid->windows.end());
    }
  }
  return held;
}

PlacementTable* originalRectsOf(const RunningLayout& layout) {
  if (BorderLayout* border = layout.engine.border()) return &border->originalRects;
  if (GridLayout* grid = layout.engine.grid()) return &grid->originalRects;
  return nullptr;
}

// Whether the layout keeps a first place for the window: only such a window is put back.
bool keepsPlace(const RunningLayout& layout, HWND hwnd) {
  RECT rect{};
  const PlacementTable* originals = originalRectsOf(layout);
  return originals != nullptr && originals->findRect(hwnd, &rect);
}

// Whether a running layout keeps a first place for the window.
bool layoutKeepsPlace(const Shell& shell, HWND hwnd) {
  return std::any_of(shell.layouts.begin(), shell.layouts.end(),
                     [hwnd](const auto& layout) { return keepsPlace(*layout, hwnd); });
}

KeptWindow* find(std::vector<KeptWindow>& windows, HWND hwnd) {
  auto it = std::find_if(windows.begin(), windows.end(), [hwnd](const KeptWindow& w) { return w.id.hwnd == hwnd; });
  return it == windows.end() ? nullptr : &*it;
}

// The last run's windows, then the layout's in cells, then any taken this very message and not
// handed over yet.
std::vector<const KeptWindow*> listed(Shell& shell) {
  RestoreJournal& j = shell.journal;
  std::vector<const KeptWindow*> out;
  for (const KeptWindow& w : j.lastRun) out.push_back(&w);
  const std::vector<HWND> held = heldInRestoreOrder(shell);
  for (HWND hwnd : held) {
    if (const KeptWindow* w = find(j.taken, hwnd)) out.push_back(w);
  }
  for (const KeptWindow& w : j.taken) {
    if (!layoutKeepsPlace(shell, w.id.hwnd) && std::find(held.begin(), held.end(), w.id.hwnd) == held.end()) {
      out.push_back(&w);
    }
  }
  return out;
}

enum class Removals : bool { Now, Later };

// An empty journal where the file cannot be removed: it lists nothing, as no file does.
bool clearFile(Platform& p, const std::string& path) {
  if (p.DeleteFileA(path.c_str()) != FALSE || p.GetLastError() == ERROR_FILE_NOT_FOUND) return true;
  return p.replaceFile(path.c_str(), restoreFileBytes({}), Platform::Durability::Session);
}

// The file lists windows of this session only: after a power cut none of them is there to put back,
// so it need not wait for the disk, which the windows' first placements would wait for too.
// Writes the file to list `windows` when it lists anything else; with Removals::Later, the windows
// it lists now stay in it too, since the placements that put them back are still to be made.
void writeFile(Shell& shell, Removals removals = Removals::Now) {
  Platform& p = shell.platform;
  RestoreJournal& j = shell.journal;
  std::vector<const KeptWindow*> windows = listed(shell);
  if (removals == Removals::Later) {
    for (const KeptWindow& w : j.written) {
      const auto same = [&w](const KeptWindow* listedWindow) { return listedWindow->id.hwnd == w.id.hwnd; };
      if (std::none_of(windows.begin(), windows.end(), same)) windows.push_back(&w);
    }
  }
  const auto unchanged = [&] {
    if (windows.size() != j.written.size()) return false;
    for (std::size_t i = 0; i < windows.size(); ++i) {
      if (!(*windows[i] == j.written[i])) return false;
    }
    return true;
  };
  if (unchanged()) return;
  std::vector<KeptWindow> copies;
  copies.reserve(windows.size());
  for (const KeptWindow* w : windows) copies.push_back(*w);
  const std::string path = restoreFilePath(p);
  // Where the user's folder cannot be named the file is not written at all: written elsewhere, it
  // would not be found at the next start. The write is tried again at the next message.
  bool saved = false;
  if (path != RESTORE_FILE && copies.empty()) {
    saved = clearFile(p, path);
  } else if (path != RESTORE_FILE) {
    makeUserFolder(p);
    saved = p.replaceFile(path.c_str(), restoreFileBytes(copies), Platform::Durability::Session);
  }
  // A failed write is tried again at the next message.
  if (saved) j.written = std::move(copies);
  reportSave(shell, path, saved, NOT_SAVED_TITLE, NOT_SAVED_MEANING);
}

// Drops the last run's windows that are gone, or whose handle another window has now.
void dropGoneWindows(Shell& shell) {
  RestoreJournal& j = shell.journal;
  std::erase_if(j.lastRun, [&shell](const KeptWindow& w) { return !isSameWindow(shell.platform, w.id); });
}

std::string offerText(std::size_t count) {
  if (count == 1) {
    return "1 window of the last layout is still where the layout put it. Click here, or pick \"Put windows back\" "
           "in this icon's menu, to put it back where it was.";
  }
  return std::to_string(count) +
         " windows of the last layout are still where the layout put them. Click here, or pick \"Put windows back\" "
         "in this icon's menu, to put them back where they were.";
}

// Remembers where the window stands before the running layout takes it; a window of the last run
// keeps that run's place, which the layout then takes as its first. True when something was kept.
bool keep(Shell& shell, HWND hwnd) {
  RestoreJournal& j = shell.journal;
  if (find(j.taken, hwnd) != nullptr) return false;  // taken before: its first place stays
  std::optional<WindowIdentity> id = readWindowIdentity(shell.platform, hwnd);
  if (!id) return false;
  KeptWindow kept;
  if (KeptWindow* last = find(j.lastRun, hwnd); last != nullptr && last->id == *id) {
    // Still where the killed layout put it: its place is the one before that layout.
    kept = *last;
    if (shell.current != nullptr) {
      if (PlacementTable* originals = originalRectsOf(*shell.current)) originals->addPlacement(hwnd, kept.place);
    }
  } else {
    const std::optional<KeptPlacement> place = readKeptPlacement(shell.platform, hwnd);
    if (!place) return false;  // minimised: no place to go back to, as the layouts keep none
    kept = KeptWindow{*id, *place};
  }
  // A handle of the last run that names another window now is that window's, not the old one's.
  std::erase_if(j.lastRun, [hwnd](const KeptWindow& w) { return w.id.hwnd == hwnd; });
  j.taken.push_back(std::move(kept));
  return true;
}

bool placedBefore(const RunningLayout& layout, HWND hwnd) {
  const std::vector<HWND>& settled = layout.settledWindows;
  return std::find(settled.begin(), settled.end(), hwnd) != settled.end();
}

// A window its layout took while its place could not be read has it read again before it first
// moves: otherwise it would move with no place to go back to, on disk or in the layout.
void readMissedFirstPlaces(Shell& shell) {
  for (const auto& layout : shell.layouts) {
    PlacementTable* originals = originalRectsOf(*layout);
    if (originals == nullptr) continue;
    for (HWND hwnd : layout->engine.heldWindows()) {
      if (placedBefore(*layout, hwnd) || keepsPlace(*layout, hwnd)) continue;
      // A minimised window reads as nothing: it has no place of its own to go back to.
      if (const std::optional<KeptPlacement> place = readKeptPlacement(shell.putBacks, hwnd)) {
        originals->addPlacement(hwnd, *place);
      }
    }
  }
}

// The windows held back at the last event are placed now, their layout laid out again: the
// windows already in their cells stand, and only those are moved.
void placeHeldBackAgain(Shell& shell) {
  for (const auto& layout : shell.layouts) {
    const std::vector<HWND> held = layout->engine.heldWindows();
    const bool waiting = std::any_of(layout->heldBack.begin(), layout->heldBack.end(), [&held](HWND hwnd) {
      return std::find(held.begin(), held.end(), hwnd) != held.end();
    });
    if (waiting) layout->engine.placeAll();
  }
}

// A window the layout has not placed yet, whose place or identity could not be read now, is not
// moved in this event: its place would be on no disk. It is asked again at the next event.
void holdBackUnkept(Shell& shell) {
  for (const auto& layout : shell.layouts) {
    layout->heldBack.clear();
    for (HWND hwnd : layout->engine.heldWindows()) {
      if (placedBefore(*layout, hwnd)) continue;
      const bool unkept =
          keepsPlace(*layout, hwnd) ? find(shell.journal.taken, hwnd) == nullptr : hasOwnPlace(shell.platform, hwnd);
      if (!unkept) continue;
      layout->placements.cancel(hwnd);
      layout->heldBack.push_back(hwnd);
    }
  }
}

}  // namespace

std::string restoreFilePath(Platform& platform) {
  const std::string folder = userFolder(platform);
  return folder.empty() ? std::string(RESTORE_FILE) : folder + "\\" + RESTORE_FILE;
}

void keepBeforeTaking(Shell& shell, HWND hwnd) {
  // The layout's placements wait for the end of the message, where the file is written first.
  if (shell.layoutMode() != LayoutNone) keep(shell, hwnd);
}

void forgetTakenWindows(Shell& shell, const RunningLayout& layout) {
  std::erase_if(shell.journal.taken, [&layout](const KeptWindow& w) { return keepsPlace(layout, w.id.hwnd); });
}

void syncRestoreJournal(Shell& shell, JournalMoment moment) {
  RestoreJournal& j = shell.journal;
  std::erase_if(j.taken, [&shell](const KeptWindow& w) { return !layoutKeepsPlace(shell, w.id.hwnd); });
  // A window the layout keeps a first place for without having been handed over as such (it joined
  // minimised, and a later move between cells recorded one) is kept as it stands now.
  if (moment == JournalMoment::BeforePlacing) {
    placeHeldBackAgain(shell);
    readMissedFirstPlaces(shell);
  }
  for (HWND hwnd : heldInRestoreOrder(shell)) {
    if (layoutKeepsPlace(shell, hwnd)) keep(shell, hwnd);
  }
  if (moment == JournalMoment::BeforePlacing) holdBackUnkept(shell);
  writeFile(shell, moment == JournalMoment::BeforePlacing ? Removals::Later : Removals::Now);
}

void offerLastRunWindows(Shell& shell) {
  Platform& p = shell.platform;
  RestoreJournal& j = shell.journal;
  std::string bytes;
  if (!p.readWholeFile(restoreFilePath(p).c_str(), bytes)) return;
  std::optional<std::vector<KeptWindow>> windows = parseRestoreFile(bytes);
  // A damaged file is no journal: nothing of it is trusted, and the next write replaces it.
  if (!windows) return;
  j.written = *windows;
  j.lastRun = std::move(*windows);
  dropGoneWindows(shell);
  writeFile(shell);
  if (j.lastRun.empty()) return;
  showTrayBalloon(shell, OFFER_TITLE, offerText(j.lastRun.size()).c_str(), Balloon::PutWindowsBack);
}

bool canPutWindowsBack(Shell& shell) {
  if (shell.anyLayout() || shell.journal.lastRun.empty()) return false;
  dropGoneWindows(shell);
  writeFile(shell);
  return !shell.journal.lastRun.empty();
}

void putWindowsBack(Shell& shell) {
  if (!canPutWindowsBack(shell)) return;
  RestoreJournal& j = shell.journal;
  // Held to the event's end and made there in one batch, as Ctrl+Backspace's are: a busy window holds
  // no one up, and the file goes once they have been made.
  for (const KeptWindow& w : j.lastRun) putBack(shell.putBacks, w.id.hwnd, w.place);
  j.lastRun.clear();
}

}  // namespace tessellor
