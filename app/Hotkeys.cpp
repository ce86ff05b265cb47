#include "app/Hotkeys.h"

#include <cstring>
#include <initializer_list>

#include "app/LayoutActivation.h"
#include "layout/border/BorderLayout.h"
#include "layout/grid/GridLayout.h"

namespace tessellor {

namespace {

enum class Action { StartBorder, StartGrid, Stop, Cycle, Send, Centre };

struct HotkeyAction {
  Action action;
  int side;  // the BorderSide the key names, or -1
};

// Indexed by hotkey id.
constexpr HotkeyAction hotkeyActions[] = {
    {Action::StartBorder, -1}, {Action::StartGrid, -1}, {Action::Stop, -1},     {Action::Cycle, West},
    {Action::Cycle, East},     {Action::Cycle, North},  {Action::Cycle, South}, {Action::Send, West},
    {Action::Send, East},      {Action::Send, North},   {Action::Send, South},  {Action::Centre, Centre},
};
static_assert(std::size(hotkeyActions) == std::size(hotkeyBindings));

// Titles that keep a window from being taken by an Alt hotkey, per use.
using Titles = std::initializer_list<const char*>;
constexpr Titles borderSendRejects = {"Menu Avvio", "", "Program Manager", "Tessellor"};
constexpr Titles gridSendRejects = {"Menu Avvio", "", "Program Manager", "start", "Tessellor"};
constexpr Titles centreRejects = {"Menu Avvio", "", "Program Manager", "start"};

// Takes the foreground window into hotkeyWindow; true when it may be acted on.
bool captureForegroundWindow(Shell& shell, Titles rejected) {
  Platform& p = shell.platform;
  shell.hotkeyWindow = p.GetForegroundWindow();
  shell.windowTitle[0] = '\0';
  p.GetWindowTextA(shell.hotkeyWindow, shell.windowTitle, sizeof shell.windowTitle);
  p.GetWindowRect(shell.hotkeyWindow, &shell.windowRect);
  if (!p.IsWindow(shell.hotkeyWindow) || !p.IsWindowVisible(shell.hotkeyWindow)) return false;
  for (const char* title : rejected)
    if (std::strcmp(shell.windowTitle, title) == 0) return false;
  return !IsRectEmpty(&shell.windowRect);
}

void cycleIntoCentre(Shell& shell, int side) {
  shell.hotkeySide = side;
  if (shell.layoutMode != LayoutBorder) return;
  shell.cycleWindows = shell.borderLayout->windowsInSide(side);
  if (shell.cycleWindows.empty()) return;
  const auto n = static_cast<std::uint32_t>(shell.cycleWindows.size());
  shell.cycleIndex %= n;
  shell.cycleCursor = shell.cycleWindows.begin();
  for (std::uint32_t steps = 0; steps != shell.cycleIndex && shell.cycleCursor != shell.cycleWindows.end(); ++steps) {
    ++shell.cycleCursor;
  }
  shell.borderLayout->swapWithCentre(*shell.cycleCursor, shell.hotkeySide);
  shell.cycleIndex = (shell.cycleIndex + 1) % n;
}

void sendForegroundWindow(Shell& shell, int side) {
  shell.hotkeySide = side;
  if (shell.layoutMode == LayoutBorder) {
    if (!captureForegroundWindow(shell, borderSendRejects)) return;
    BorderLayout& border = *shell.borderLayout;
    if (const int from = border.sideOf(shell.hotkeyWindow); from == NoSide) {
      border.addWindow(shell.hotkeyWindow, side);
    } else {
      border.moveWindowToSide(shell.hotkeyWindow, from, side);
    }
  } else if (shell.layoutMode == LayoutGrid) {
    if (!captureForegroundWindow(shell, gridSendRejects)) return;
    GridLayout& grid = *shell.gridLayout;
    if (!grid.contains(shell.hotkeyWindow)) {
      grid.addWindow(shell.hotkeyWindow);
      grid.arrange();
      grid.rememberPlacedRect(shell.hotkeyWindow);
    }
  }
}

void putForegroundWindowInCentre(Shell& shell) {
  shell.hotkeySide = Centre;
  if (shell.layoutMode != LayoutBorder || !captureForegroundWindow(shell, centreRejects)) return;
  BorderLayout& border = *shell.borderLayout;
  if (const int from = border.sideOf(shell.hotkeyWindow); from == NoSide) {
    border.addToCentre(shell.hotkeyWindow);
  } else {
    border.swapWithCentre(layWND{shell.hotkeyWindow, 0.0, 0.0}, from);
  }
}

}  // namespace

void registerHotkeys(Platform& platform, HWND dialog) {
  for (const HotkeyBinding& b : hotkeyBindings) platform.RegisterHotKey(dialog, b.id, b.modifiers, b.virtualKey);
}

void unregisterHotkeys(Platform& platform, HWND dialog) {
  for (const HotkeyBinding& b : hotkeyBindings) platform.UnregisterHotKey(dialog, b.id);
}

void onHotkey(Shell& shell, WPARAM id) {
  if (id >= std::size(hotkeyActions)) return;
  const HotkeyAction& a = hotkeyActions[id];
  switch (a.action) {
    case Action::StartBorder:
      startBorderLayout(shell);
      break;
    case Action::StartGrid:
      startGridLayout(shell, false);
      break;
    case Action::Stop:
      stopLayout(shell);
      break;
    case Action::Cycle:
      cycleIntoCentre(shell, a.side);
      break;
    case Action::Send:
      sendForegroundWindow(shell, a.side);
      break;
    case Action::Centre:
      putForegroundWindowInCentre(shell);
      break;
  }
}

}  // namespace tessellor
