#pragma once

#include <cstddef>
#include <iterator>

#include "app/Shell.h"
#include "layout/border/BorderSide.h"

namespace tessellor {

enum class HotkeyAction { StartBorder, StartGrid, Stop, Cycle, Send, Centre };

// The layout modes in which a hotkey is registered, one bit per LayoutMode.
using HotkeyModes = unsigned;
inline constexpr HotkeyModes InNone = 1u << LayoutNone;
inline constexpr HotkeyModes InBorder = 1u << LayoutBorder;
inline constexpr HotkeyModes InGrid = 1u << LayoutGrid;
inline constexpr HotkeyModes InAnyMode = InNone | InBorder | InGrid;

struct Hotkey {
  int id;
  UINT modifiers;
  UINT virtualKey;
  HotkeyAction action;
  int side;           // the cell the key names, else NoSide
  HotkeyModes modes;  // where the key acts; elsewhere it stays free for other programs
  const char* name;   // as the user reads it
};

// Modifiers and key as RegisterHotKey takes them; the row of id n is row n. Ctrl+Alt+B and Ctrl+Alt+G
// stay registered in a layout, where they do nothing, so that a press never starts something else.
// clang-format off
inline constexpr Hotkey hotkeys[] = {
//   id  modifiers              key       action                     side    modes                name
    {0,  MOD_CONTROL | MOD_ALT, 'B',      HotkeyAction::StartBorder, NoSide, InAnyMode,           "Ctrl+Alt+B"},      // start the Border Layout
    {1,  MOD_CONTROL | MOD_ALT, 'G',      HotkeyAction::StartGrid,   NoSide, InAnyMode,           "Ctrl+Alt+G"},      // start the Grid Layout
    {2,  MOD_CONTROL,           VK_BACK,  HotkeyAction::Stop,        NoSide, InBorder | InGrid,   "Ctrl+Backspace"},  // end it, windows put back
    {3,  MOD_CONTROL,           VK_LEFT,  HotkeyAction::Cycle,       West,   InBorder,            "Ctrl+Left"},       // next band window into the Centre
    {4,  MOD_CONTROL,           VK_RIGHT, HotkeyAction::Cycle,       East,   InBorder,            "Ctrl+Right"},
    {5,  MOD_CONTROL,           VK_UP,    HotkeyAction::Cycle,       North,  InBorder,            "Ctrl+Up"},
    {6,  MOD_CONTROL,           VK_DOWN,  HotkeyAction::Cycle,       South,  InBorder,            "Ctrl+Down"},
    {7,  MOD_ALT,               VK_LEFT,  HotkeyAction::Send,        West,   InBorder | InGrid,   "Alt+Left"},        // foreground window to the band
    {8,  MOD_ALT,               VK_RIGHT, HotkeyAction::Send,        East,   InBorder | InGrid,   "Alt+Right"},
    {9,  MOD_ALT,               VK_UP,    HotkeyAction::Send,        North,  InBorder | InGrid,   "Alt+Up"},
    {10, MOD_ALT,               VK_DOWN,  HotkeyAction::Send,        South,  InBorder | InGrid,   "Alt+Down"},
    {11, MOD_ALT,               VK_F10,   HotkeyAction::Centre,      Centre, InBorder,            "Alt+F10"},         // foreground window to the Centre
};
// clang-format on
static_assert(std::size(hotkeys) == HOTKEY_COUNT, "the shell keeps one bit per hotkey");

constexpr bool hotkeyRowsFollowIds() {
  for (std::size_t row = 0; row < std::size(hotkeys); ++row) {
    if (hotkeys[row].id != static_cast<int>(row)) return false;
  }
  return true;
}
static_assert(hotkeyRowsFollowIds(), "onHotkey finds a hotkey's row by its id");

// Holds, in id order, exactly the hotkeys that act in that mode: registers those missing (again, if
// an earlier try failed) and unregisters the others. A key that another program holds is named once
// per process in a tray balloon.
void registerHotkeysFor(Shell& shell, LayoutMode mode);
// Unregisters every hotkey registered now, in id order.
void unregisterHotkeys(Shell& shell);

// The action of the hotkey with that id; ids above 11 do nothing.
void onHotkey(Shell& shell, WPARAM id);

}  // namespace tessellor
