#include "app/RestoreJournal.h"

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

// The windows the running layout holds, in the order Ctrl+Backspace puts them back.
std::vector<HWND> heldInRestoreOrder(const Shell& shell) {
  std::vector<HWND> held;
  if (const BorderLayout* border = shell.borderLayout()) {
    for (const std::list<layWND>* band : {&border->north, &border->west, &border->east, &border->south}) {
      for (const layWND& record : *band) held.push_back(record.hwnd);
    }
    if (border->centre.hwnd != nullptr) held.push_back(border->centre.hwnd);
  } else if (const GridLayout* grid = shell.gridLayout()) {
    held = grid->windows;
  }
  return held;
}

RectTable* originalRectsOf(const Shell& shell) {
  if (BorderLayout* border = shell.borderLayout()) return &border->originalRects;
  if (GridLayout* grid = shell.gridLayout()) return &grid->originalRects;
  return nullptr;
}

// Whether the running layout keeps a first place for the window: only such a window is put back.
bool layoutKeepsPlace(const Shell& shell, HWND hwnd) {
  RECT rect{};
  const RectTable* originals = originalRectsOf(shell);
  return originals != nullptr && originals->findRect(hwnd, &rect);
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

// An empty journal where the file cannot be removed: it lists nothing, as no file does.
bool clearFile(Platform& p, const std::string& path) {
  if (p.DeleteFileA(path.c_str()) != FALSE || p.GetLastError() == ERROR_FILE_NOT_FOUND) return true;
  return p.replaceFile(path.c_str(), restoreFileBytes({}));
}

void writeFile(Shell& shell) {
  Platform& p = shell.platform;
  RestoreJournal& j = shell.journal;
  const std::vector<const KeptWindow*> windows = listed(shell);
  std::vector<HWND> order;
  for (const KeptWindow* w : windows) order.push_back(w->id.hwnd);
  if (order == j.listedOrder && j.changes == j.changesListed) return;
  const std::string path = restoreFilePath(p);
  bool saved = true;
  if (windows.empty()) {
    if (j.onDisk) saved = clearFile(p, path);
    if (saved) j.onDisk.reset();
  } else {
    std::vector<KeptWindow> copies;
    copies.reserve(windows.size());
    for (const KeptWindow* w : windows) copies.push_back(*w);
    std::string bytes = restoreFileBytes(copies);
    if (bytes != j.onDisk) {
      makeUserFolder(p);
      saved = p.replaceFile(path.c_str(), bytes);
      if (saved) j.onDisk = std::move(bytes);
    }
  }
  // A failed write is tried again at the next message.
  if (saved) {
    j.listedOrder = std::move(order);
    j.changesListed = j.changes;
  }
  reportSave(shell, path, saved, NOT_SAVED_TITLE, NOT_SAVED_MEANING);
}

// Drops the last run's windows that are gone, or whose handle another window has now.
void dropGoneWindows(Shell& shell) {
  RestoreJournal& j = shell.journal;
  const std::size_t before = j.lastRun.size();
  std::erase_if(j.lastRun, [&shell](const KeptWindow& w) { return !isSameWindow(shell.platform, w.id); });
  if (j.lastRun.size() != before) ++j.changes;
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
    if (RectTable* originals = originalRectsOf(shell)) {
      originals->addRect(hwnd, shell.desktop.layoutRect(hwnd, kept.place.normal));
    }
  } else {
    const std::optional<KeptPlacement> place = readKeptPlacement(shell.platform, hwnd);
    if (!place) return false;  // minimised: no place to go back to, as the layouts keep none
    kept = KeptWindow{*id, *place};
  }
  // A handle of the last run that names another window now is that window's, not the old one's.
  std::erase_if(j.lastRun, [hwnd](const KeptWindow& w) { return w.id.hwnd == hwnd; });
  j.taken.push_back(std::move(kept));
  ++j.changes;
  return true;
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

void syncRestoreJournal(Shell& shell) {
  RestoreJournal& j = shell.journal;
  const std::size_t before = j.taken.size();
  std::erase_if(j.taken, [&shell](const KeptWindow& w) { return !layoutKeepsPlace(shell, w.id.hwnd); });
  if (j.taken.size() != before) ++j.changes;
  // A window the layout keeps a first place for without having been handed over as such (it joined
  // minimised, and a later move between cells recorded one) is kept as it stands now.
  for (HWND hwnd : heldInRestoreOrder(shell)) {
    if (layoutKeepsPlace(shell, hwnd)) keep(shell, hwnd);
  }
  writeFile(shell);
}

void forgetTakenWindows(Shell& shell) {
  if (shell.journal.taken.empty()) return;
  shell.journal.taken.clear();
  ++shell.journal.changes;
}

void offerLastRunWindows(Shell& shell) {
  Platform& p = shell.platform;
  RestoreJournal& j = shell.journal;
  std::string bytes;
  if (!p.readWholeFile(restoreFilePath(p).c_str(), bytes)) return;
  std::optional<std::vector<KeptWindow>> windows = parseRestoreFile(bytes);
  // A damaged file is no journal: nothing of it is trusted, and the next write replaces it.
  if (!windows) return;
  j.onDisk = std::move(bytes);
  j.lastRun = std::move(*windows);
  dropGoneWindows(shell);
  ++j.changes;
  writeFile(shell);
  if (j.lastRun.empty()) return;
  showTrayBalloon(shell, OFFER_TITLE, offerText(j.lastRun.size()).c_str(), Balloon::PutWindowsBack);
}

bool canPutWindowsBack(Shell& shell) {
  if (shell.layoutMode() != LayoutNone || shell.journal.lastRun.empty()) return false;
  dropGoneWindows(shell);
  writeFile(shell);
  return !shell.journal.lastRun.empty();
}

void putWindowsBack(Shell& shell) {
  if (!canPutWindowsBack(shell)) return;
  RestoreJournal& j = shell.journal;
  for (const KeptWindow& w : j.lastRun) putBack(shell.platform, w.id.hwnd, w.place);
  j.lastRun.clear();
  ++j.changes;
  writeFile(shell);
}

}  // namespace tessellor
