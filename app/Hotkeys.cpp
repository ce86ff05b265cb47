#include "app/Hotkeys.h"

#include <cstdint>
#include <iterator>
#include <list>
#include <string>

#include "app/LayoutActivation.h"
#include "app/TrayBalloon.h"
#include "app/VirtualDesktops.h"
#include "layout/border/BorderLayout.h"
#include "layout/grid/GridLayout.h"
#include "settings/ApplicationWindow.h"
#include "settings/RefusedTitles.h"

namespace tessellor {

namespace {

// The foreground window when that use may act on it, else null.
HWND takeForegroundWindow(Platform& p, TitleUse use) {
  const HWND hwnd = p.GetForegroundWindow();
  char title[100] = {};
  p.GetWindowTextA(hwnd, title, sizeof title);
  RECT rect{};
  p.GetWindowRect(hwnd, &rect);
  if (!p.IsWindow(hwnd) || !p.IsWindowVisible(hwnd) || isTitleRefused(title, use) || IsRectEmpty(&rect) ||
      !isTileableWindow(p, hwnd)) {
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
    const HWND hwnd = takeForegroundWindow(shell.platform, BorderSend);
    if (hwnd == nullptr) return;
    if (const int from = border->sideOf(hwnd); from == NoSide) {
      border->addWindow(hwnd, side);
    } else {
      border->moveWindowToSide(hwnd, from, side);
    }
  } else if (GridLayout* grid = shell.gridLayout()) {
    const HWND hwnd = takeForegroundWindow(shell.platform, GridSend);
    if (hwnd == nullptr || grid->contains(hwnd)) return;
    grid->addWindow(hwnd);
    grid->arrange();
    grid->rememberPlacedRect(hwnd);
  }
}

void putForegroundWindowInCentre(Shell& shell) {
  BorderLayout* border = shell.borderLayout();
  if (border == nullptr) return;
  const HWND hwnd = takeForegroundWindow(shell.platform, CentreSend);
  if (hwnd == nullptr) return;
  if (const int from = border->sideOf(hwnd); from == NoSide) {
    border->addToCentre(hwnd);
  } else {
    border->swapWithCentre(layWND{hwnd, 0.0, 0.0}, from);
  }
}

void reportTaken(Shell& shell, const Hotkey& key) {
  if (shell.hotkeysReportedTaken.test(static_cast<std::size_t>(key.id))) return;
  const std::string text = std::string(key.name) + " is used by another program";
  // Counted as told only once shown: without a tray icon, a later try names it.
  if (showTrayBalloon(shell, "Tessellor", text.c_str()))
    shell.hotkeysReportedTaken.set(static_cast<std::size_t>(key.id));
}

// Registers the keys of those modes that are not registered yet and unregisters the others.
void holdHotkeys(Shell& shell, HotkeyModes modes) {
  Platform& p = shell.platform;
  for (const Hotkey& key : hotkeys) {
    const auto bit = static_cast<std::size_t>(key.id);
    const bool wanted = (key.modes & modes) != 0;
    if (wanted == shell.hotkeysRegistered.test(bit)) continue;
    if (!wanted) {
      p.UnregisterHotKey(shell.mainDialog, key.id);
      shell.hotkeysRegistered.reset(bit);
    } else if (p.RegisterHotKey(shell.mainDialog, key.id, key.modifiers, key.virtualKey) != FALSE) {
      shell.hotkeysRegistered.set(bit);
    } else {
      reportTaken(shell, key);
    }
  }
}

}  // namespace

void registerHotkeysFor(Shell& shell, LayoutMode mode) { holdHotkeys(shell, 1u << mode); }

void unregisterHotkeys(Shell& shell) { holdHotkeys(shell, 0); }

void onHotkey(Shell& shell, WPARAM id) {
  if (id >= std::size(hotkeys)) return;
  const Hotkey& key = hotkeys[id];
  // While another virtual desktop is shown, only ending the layout acts on it.
  if (shell.layoutMode() != LayoutNone && key.action != HotkeyAction::Stop && !layoutDesktopShown(shell)) return;
  switch (key.action) {
    case HotkeyAction::StartBorder:
      startBorderLayout(shell);
      break;
    case HotkeyAction::StartGrid:
      startGridLayout(shell, GridStart::ArrangeIfFilled);
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
