// The twelve hotkeys: their table, registering the ones that act now, and what each press does.
#pragma once

#include <array>
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
  UINT modifiers;  // the default keys, until the user chooses others
  UINT virtualKey;
  HotkeyAction action;
  int side;           // the cell the key names, else NoSide
  HotkeyModes modes;  // where the key acts; elsewhere it stays free for other programs
  const char* word;   // the action's name in keys.dat
  const char* label;  // the action as the Keys dialog names it
};

// Default modifiers and key as RegisterHotKey takes them; the row of id n is row n. Ctrl+Alt+B and
// Ctrl+Alt+G stay registered in a layout, where they do nothing, so that a press never starts
// something else.
// clang-format off
inline constexpr Hotkey hotkeys[] = {
//   id  modifiers              key       action                     side    modes               word           label
    {0,  MOD_CONTROL | MOD_ALT, 'B',      HotkeyAction::StartBorder, NoSide, InAnyMode,          "border",      "Start the Border Layout"},
    {1,  MOD_CONTROL | MOD_ALT, 'G',      HotkeyAction::StartGrid,   NoSide, InAnyMode,          "grid",        "Start the Grid Layout"},
    {2,  MOD_CONTROL,           VK_BACK,  HotkeyAction::Stop,        NoSide, InBorder | InGrid,  "stop",        "End the layout, windows put back"},
    {3,  MOD_CONTROL,           VK_LEFT,  HotkeyAction::Cycle,       West,   InBorder,           "cycle-west",  "Next West window into the Centre"},
    {4,  MOD_CONTROL,           VK_RIGHT, HotkeyAction::Cycle,       East,   InBorder,           "cycle-east",  "Next East window into the Centre"},
    {5,  MOD_CONTROL,           VK_UP,    HotkeyAction::Cycle,       North,  InBorder,           "cycle-north", "Next North window into the Centre"},
    {6,  MOD_CONTROL,           VK_DOWN,  HotkeyAction::Cycle,       South,  InBorder,           "cycle-south", "Next South window into the Centre"},
    {7,  MOD_ALT,               VK_LEFT,  HotkeyAction::Send,        West,   InBorder | InGrid,  "send-west",   "Foreground window to West"},
    {8,  MOD_ALT,               VK_RIGHT, HotkeyAction::Send,        East,   InBorder | InGrid,  "send-east",   "Foreground window to East"},
    {9,  MOD_ALT,               VK_UP,    HotkeyAction::Send,        North,  InBorder | InGrid,  "send-north",  "Foreground window to North"},
    {10, MOD_ALT,               VK_DOWN,  HotkeyAction::Send,        South,  InBorder | InGrid,  "send-south",  "Foreground window to South"},
    {11, MOD_ALT,               VK_F10,   HotkeyAction::Centre,      Centre, InBorder,           "centre",      "Foreground window to the Centre"},
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

using HotkeyKeys = std::array<HotkeyKey, HOTKEY_COUNT>;

// Today's keys, by id.
constexpr HotkeyKeys defaultKeys() {
  HotkeyKeys keys{};
  for (const Hotkey& row : hotkeys) keys[static_cast<std::size_t>(row.id)] = HotkeyKey{row.modifiers, row.virtualKey};
  return keys;
}

// Holds, in id order, exactly the chosen keys of the hotkeys that act in that mode: registers those
// missing (again, if an earlier try failed, all with MOD_NOREPEAT) and unregisters the others. A
// Ctrl+Alt key that AltGr types with on an installed keyboard layout is left to typing. Each key
// that another program holds, and the keys left to typing, are named once per process in balloons.
// While a full-screen program is in front, or the Keys dialog is open, it holds none. Called again
// whenever the foreground may have changed, so that the keys come back when that program leaves.
void registerHotkeysFor(Shell& shell, LayoutMode mode);
// Registers the keys of every running layout's mode (of no layout, when none runs), as
// registerHotkeysFor does.
void registerHotkeys(Shell& shell);
// The user's new keys, registered at once as the current mode wants them; a key that changed is
// named again if it cannot be held.
void chooseKeys(Shell& shell, const HotkeyKeys& keys);
// Unregisters every hotkey registered now, in id order.
void unregisterHotkeys(Shell& shell);

// The action of the hotkey with that id; ids above 11 do nothing. A key pressed while a full-screen
// program is in front (its coming unheard) does nothing but leave every key to that program.
void onHotkey(Shell& shell, WPARAM id);

}  // namespace tessellor
