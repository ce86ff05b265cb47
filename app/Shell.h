// The shell's state for the life of the process: one object, owned by the entry point, reached by
// the dialog procedures through the main dialog's DWLP_USER slot.
#pragma once

#include <cstdint>
#include <list>
#include <memory>

#include "app/PosTable.h"
#include "layout/border/BorderWeights.h"
#include "layout/border/layWND.h"
#include "platform/Platform.h"

namespace tessellor {

class BorderLayout;
class GridLayout;

enum LayoutMode : int { LayoutNone = 0, LayoutBorder = 1, LayoutGrid = 2 };

// The numbers of the hook library's messages, registered before the entry point runs.
struct HookMessages {
  UINT sizing = 0;
  UINT create = 0;
  UINT close = 0;
  UINT focus = 0;
  UINT minmax = 0;
  UINT sysmenu = 0;
};

// Static initialisation: registers the six message names, in their order.
HookMessages registerHookMessages(Platform& platform);

struct Shell {
  Shell(Platform& platform, const HookMessages& messages);
  ~Shell();
  Shell(const Shell&) = delete;
  Shell& operator=(const Shell&) = delete;

  Platform& platform;
  const HookMessages messages;

  HWND mainDialog = nullptr;
  HINSTANCE appInstance = nullptr;
  HMODULE appModule = nullptr;
  char exePath[MAX_PATH] = {};
  NOTIFYICONDATAA trayIcon{};

  LayoutMode layoutMode = LayoutNone;
  std::unique_ptr<BorderLayout> borderLayout;
  std::unique_ptr<GridLayout> gridLayout;

  PosTable savedSides;
  PosTable savedSlots;
  BorderWeights borderWeights;

  // Scratch for the window under test, shared by the eligibility test and the hotkeys.
  char windowTitle[100] = {};
  RECT windowRect{};
  char programName[100] = {};
  // The band the next automatically added window goes to; lives as long as the process.
  int nextSide = 3;

  // The hotkeys' own state: the side of the last side hotkey, the window the last Alt hotkey took,
  // and one cycling counter shared by the four Ctrl+arrow directions (never reset).
  int hotkeySide = 0;
  HWND hotkeyWindow = nullptr;
  std::list<layWND> cycleWindows;
  std::list<layWND>::iterator cycleCursor = cycleWindows.end();
  std::uint32_t cycleIndex = 0;
};

// The shell kept with the main dialog, or null before WM_INITDIALOG.
Shell* shellOf(Platform& platform, HWND dialog);

}  // namespace tessellor
