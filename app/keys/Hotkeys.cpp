#include "app/keys/Hotkeys.h"

#include <cstdint>
#include <iterator>
#include <list>
#include <string>
#include <vector>

#include "app/LayoutActivation.h"
#include "app/Text.h"
#include "app/TrayBalloon.h"
#include "app/desktop/FullScreenFront.h"
#include "app/desktop/UnmovableWindows.h"
#include "app/desktop/VirtualDesktops.h"
#include "app/journal/RestoreJournal.h"
#include "app/keys/AltGr.h"
#include "app/layouts/LayoutTable.h"
#include "layout/border/BorderLayout.h"
#include "layout/grid/GridLayout.h"
#include "settings/ApplicationWindow.h"
#include "settings/RefusedTitles.h"
#include "settings/WindowShape.h"

namespace tessellor {

namespace {

// The foreground window when that use may act on it, else null: not one another layout holds.
HWND takeForegroundWindow(Shell& shell, TitleUse use) {
  Platform& p = shell.platform;
  const HWND hwnd = p.GetForegroundWindow();
  if (const RunningLayout* holding = layoutHolding(shell, hwnd); holding != nullptr && holding != shell.current) {
    return nullptr;
  }
  char title[100] = {};
  p.GetWindowTextA(hwnd, title, sizeof title);
  RECT rect{};
  p.GetWindowRect(hwnd, &rect);
  if (!p.IsWindow(hwnd) || !p.IsWindowVisible(hwnd) || isTitleRefused(title, use) || IsRectEmpty(&rect) ||
      !isApplicationWindow(p, hwnd) || !hasTileableShape(p, hwnd)) {
    return nullptr;
  }
  if (wasDenied(shell, hwnd) || !mayMoveWindow(p, hwnd)) {
    noteUnmovableWindow(shell, hwnd);
    return nullptr;
  }
  return hwnd;
}

void cycleIntoCentre(Shell& shell, int side) {
  BorderLayout* border = shell.borderLayout();
  if (border == nullptr) return;
  const std::list<layWND> windows = border->windowsInSide(side);
  if (windows.empty()) return;
  const auto n = static_cast<std::uint32_t>(windows.size());
  shell.cycleIndex %= n;
  border->swapWithCentre(*std::next(windows.begin(), shell.cycleIndex), side);
  shell.cycleIndex = (shell.cycleIndex + 1) % n;
}

void sendForegroundWindow(Shell& shell, int side) {
  if (BorderLayout* border = shell.borderLayout()) {
    const HWND hwnd = takeForegroundWindow(shell, BorderSend);
    if (hwnd == nullptr) return;
    if (const int from = border->sideOf(hwnd); from == NoSide) {
      prepareToTake(shell, hwnd);
      border->addWindow(hwnd, side);
    } else {
      border->moveWindowToSide(hwnd, from, side);
    }
  } else if (GridLayout* grid = shell.gridLayout()) {
    const HWND hwnd = takeForegroundWindow(shell, GridSend);
    if (hwnd == nullptr || grid->contains(hwnd)) return;
    prepareToTake(shell, hwnd);
    grid->addWindow(hwnd);
    grid->arrange();
    grid->rememberPlacedRect(hwnd);
  }
}

void putForegroundWindowInCentre(Shell& shell) {
  BorderLayout* border = shell.borderLayout();
  if (border == nullptr) return;
  const HWND hwnd = takeForegroundWindow(shell, CentreSend);
  if (hwnd == nullptr) return;
  if (const int from = border->sideOf(hwnd); from == NoSide) {
    prepareToTake(shell, hwnd);
    border->addToCentre(hwnd);
  } else {
    border->swapWithCentre(layWND{hwnd, 0.0, 0.0}, from);
  }
}

constexpr char CHOOSE_ANOTHER[] = "To choose another key, double-click this icon and click Keys...";
constexpr char CHOOSE_OTHERS[] = "To choose other keys, double-click this icon and click Keys...";

// One balloon for every key found held by another program in one registration: a balloon a key
// would each hide the one before.
[[gnu::cold]] void reportTaken(Shell& shell, const std::vector<std::size_t>& taken) {
  std::vector<std::string> keys;
  std::vector<std::size_t> told;
  for (std::size_t id : taken) {
    if (shell.keys.reportedTaken.test(id)) continue;
    keys.push_back(keyName(shell.keys.chosen[id]));
    told.push_back(id);
  }
  if (keys.empty()) return;
  const bool one = keys.size() == 1;
  const std::string text =
      concat({listed(keys), one ? " is" : " are", " used by another program. ", one ? CHOOSE_ANOTHER : CHOOSE_OTHERS});
  // Counted as told only once shown: without a tray icon, a later try names them.
  if (!showTrayBalloon(shell, "Tessellor", text.c_str())) return;
  for (std::size_t id : told) shell.keys.reportedTaken.set(id);
}

struct TypedKey {
  std::size_t id;
  std::string text;  // what AltGr types with it
};

// One balloon for every key found left to typing in one registration.
[[gnu::cold]] void reportLeftToTyping(Shell& shell, const std::vector<TypedKey>& typed) {
  if (typed.empty()) return;
  std::vector<std::string> keys, typing;
  for (const TypedKey& t : typed) {
    keys.push_back(keyName(shell.keys.chosen[t.id]));
    typing.push_back(concat({altGrKeysName(shell.keys.chosen[t.id]), " types ", t.text}));
  }
  const bool one = typed.size() == 1;
  const std::string text = concat({listed(keys), one ? " is" : " are", " left to typing: ", listed(typing),
                                   " on your keyboard. ", one ? CHOOSE_ANOTHER : CHOOSE_OTHERS});
  if (!showTrayBalloon(shell, "Tessellor", text.c_str())) return;
  for (const TypedKey& t : typed) shell.keys.reportedAltGr.set(t.id);
}

// Registers the chosen keys of those modes that are not registered yet and unregisters the others.
[[gnu::cold]] void holdHotkeys(Shell& shell, HotkeyModes modes) {
  Platform& p = shell.platform;
  HotkeyState& s = shell.keys;
  HotkeyKeys wanted{};
  std::vector<TypedKey> typed;
  for (const Hotkey& row : hotkeys) {
    const auto id = static_cast<std::size_t>(row.id);
    if ((row.modes & modes) == 0 || !s.chosen[id].isSet()) continue;
    // Asked at every registration: the user may have added a keyboard layout meanwhile.
    if (std::string text = altGrText(p, s.chosen[id]); !text.empty()) {
      if (!s.reportedAltGr.test(id)) typed.push_back(TypedKey{id, std::move(text)});
      continue;
    }
    wanted[id] = s.chosen[id];
  }
  // All released first, so that two actions can swap their keys.
  for (const Hotkey& row : hotkeys) {
    const auto id = static_cast<std::size_t>(row.id);
    if (!s.isRegistered(id) || s.registered[id] == wanted[id]) continue;
    p.UnregisterHotKey(shell.mainDialog, row.id);
    s.registered[id] = NO_KEY;
  }
  std::vector<std::size_t> taken;
  for (const Hotkey& row : hotkeys) {
    const auto id = static_cast<std::size_t>(row.id);
    if (!wanted[id].isSet() || s.isRegistered(id)) continue;
    // A held key would otherwise repeat its action at the keyboard's repeat rate.
    if (p.RegisterHotKey(shell.mainDialog, row.id, wanted[id].modifiers | MOD_NOREPEAT, wanted[id].virtualKey) !=
        FALSE) {
      s.registered[id] = wanted[id];
      s.taken.reset(id);
    } else {
      s.taken.set(id);
      taken.push_back(id);
    }
  }
  reportTaken(shell, taken);
  reportLeftToTyping(shell, typed);
}

}  // namespace

namespace {

void holdHotkeysOf(Shell& shell, HotkeyModes modes) {
  // A game in front must keep Alt+arrows and the rest, also when a layout starts or ends meanwhile.
  const bool leftToFront = shell.keys.keysDialogOpen || fullScreenInFront(shell);
  holdHotkeys(shell, leftToFront ? 0 : modes);
}

}  // namespace

void registerHotkeysFor(Shell& shell, LayoutMode mode) { holdHotkeysOf(shell, 1u << mode); }

void registerHotkeys(Shell& shell) {
  // A key is held while any layout it acts in runs; with none, the keys of no layout.
  HotkeyModes modes = shell.layouts.empty() ? InNone : 0;
  for (const auto& layout : shell.layouts) modes |= 1u << layout->mode();
  holdHotkeysOf(shell, modes);
}

void unregisterHotkeys(Shell& shell) { holdHotkeys(shell, 0); }

[[gnu::cold]] void chooseKeys(Shell& shell, const HotkeyKeys& keys) {
  HotkeyState& s = shell.keys;
  for (std::size_t id = 0; id < HOTKEY_COUNT; ++id) {
    if (s.chosen[id] == keys[id]) continue;
    s.taken.reset(id);
    s.reportedTaken.reset(id);
    s.reportedAltGr.reset(id);
  }
  s.chosen = keys;
  registerHotkeys(shell);
}

void onHotkey(Shell& shell, WPARAM id) {
  if (id >= std::size(hotkeys)) return;
  if (fullScreenInFront(shell)) return holdHotkeys(shell, 0);
  const Hotkey& key = hotkeys[id];
  // A start key starts a layout on the monitor the user works on, on the desktop shown, when none
  // runs there, whatever runs elsewhere.
  if (key.action == HotkeyAction::StartBorder) return startBorderLayout(shell);
  if (key.action == HotkeyAction::StartGrid) return startGridLayout(shell, GridStart::ArrangeIfFilled);
  RunningLayout* layout = layoutForKeys(shell);
  if (layout == nullptr) return;
  const ActingOn acting(shell, layout);
  // While another virtual desktop is shown, only ending the layout acts on it.
  if (key.action != HotkeyAction::Stop && !layoutDesktopShown(shell, *layout)) return;
  switch (key.action) {
    case HotkeyAction::StartBorder:
    case HotkeyAction::StartGrid:
      break;
    case HotkeyAction::Stop:
      stopLayout(shell);
      break;
    case HotkeyAction::Cycle:
      cycleIntoCentre(shell, key.side);
      break;
    case HotkeyAction::Send:
      sendForegroundWindow(shell, key.side);
      break;
    case HotkeyAction::Centre:
      putForegroundWindowInCentre(shell);
      break;
  }
}

}  // namespace tessellor
