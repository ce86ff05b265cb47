#pragma once

#include "app/Shell.h"

namespace tessellor {

struct HotkeyBinding {
  int id;
  UINT modifiers;
  UINT virtualKey;
};

// id: the action's number; modifiers and key as RegisterHotKey takes them.
inline constexpr HotkeyBinding hotkeyBindings[] = {
    {0, MOD_CONTROL | MOD_ALT, 'B'},  // start the Border Layout
    {1, MOD_CONTROL | MOD_ALT, 'G'},  // start the Grid Layout
    {2, MOD_CONTROL, VK_BACK},        // end the layout, windows put back
    {3, MOD_CONTROL, VK_LEFT},        // cycle West through the Centre
    {4, MOD_CONTROL, VK_RIGHT},       // cycle East through the Centre
    {5, MOD_CONTROL, VK_UP},          // cycle North through the Centre
    {6, MOD_CONTROL, VK_DOWN},        // cycle South through the Centre
    {7, MOD_ALT, VK_LEFT},            // send the foreground window West
    {8, MOD_ALT, VK_RIGHT},           // ... East
    {9, MOD_ALT, VK_UP},              // ... North
    {10, MOD_ALT, VK_DOWN},           // ... South
    {11, MOD_ALT, VK_F10},            // put the foreground window into the Centre
};

// Registers the twelve hotkeys in id order; a combination taken by another program is skipped.
void registerHotkeys(Platform& platform, HWND dialog);
// Unregisters the twelve hotkeys in id order, whether or not each was registered.
void unregisterHotkeys(Platform& platform, HWND dialog);

// The action of the hotkey with that id; ids above 11 do nothing.
void onHotkey(Shell& shell, WPARAM id);

}  // namespace tessellor
