#pragma once

#include <cstddef>

#include "app/Shell.h"
#include "layout/border/BorderSide.h"

namespace tessellor {

enum class HotkeyAction { StartBorder, StartGrid, Stop, Cycle, Send, Centre };

struct Hotkey {
  int id;
  UINT modifiers;
  UINT virtualKey;
  HotkeyAction action;
  int side;  // the cell the key names, else NoSide
};

// Modifiers and key as RegisterHotKey takes them; the row of id n is row n.
// clang-format off
inline constexpr Hotkey hotkeys[] = {
//   id  modifiers              key       action                     side
    {0,  MOD_CONTROL | MOD_ALT, 'B',      HotkeyAction::StartBorder, NoSide},  // start the Border Layout
    {1,  MOD_CONTROL | MOD_ALT, 'G',      HotkeyAction::StartGrid,   NoSide},  // start the Grid Layout
    {2,  MOD_CONTROL,           VK_BACK,  HotkeyAction::Stop,        NoSide},  // end it, windows put back
    {3,  MOD_CONTROL,           VK_LEFT,  HotkeyAction::Cycle,       West},    // next band window into the Centre
    {4,  MOD_CONTROL,           VK_RIGHT, HotkeyAction::Cycle,       East},
    {5,  MOD_CONTROL,           VK_UP,    HotkeyAction::Cycle,       North},
    {6,  MOD_CONTROL,           VK_DOWN,  HotkeyAction::Cycle,       South},
    {7,  MOD_ALT,               VK_LEFT,  HotkeyAction::Send,        West},    // foreground window to the band
    {8,  MOD_ALT,               VK_RIGHT, HotkeyAction::Send,        East},
    {9,  MOD_ALT,               VK_UP,    HotkeyAction::Send,        North},
    {10, MOD_ALT,               VK_DOWN,  HotkeyAction::Send,        South},
    {11, MOD_ALT,               VK_F10,   HotkeyAction::Centre,      Centre},  // foreground window to the Centre
};
// clang-format on

constexpr bool hotkeyRowsFollowIds() {
  for (std::size_t row = 0; row < std::size(hotkeys); ++row) {
    if (hotkeys[row].id != static_cast<int>(row)) return false;
  }
  return true;
}
static_assert(hotkeyRowsFollowIds(), "onHotkey finds a hotkey's row by its id");

// Registers the twelve hotkeys in id order; a combination taken by another program is skipped.
void registerHotkeys(Platform& platform, HWND dialog);
// Unregisters the twelve hotkeys in id order, whether or not each was registered.
void unregisterHotkeys(Platform& platform, HWND dialog);

// The action of the hotkey with that id; ids above 11 do nothing.
void onHotkey(Shell& shell, WPARAM id);

}  // namespace tessellor
