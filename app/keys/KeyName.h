// A hotkey's keys as RegisterHotKey takes them, and the one name each has: what balloons and the
// Keys dialog's marks say, and what keys.dat holds.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/win_types.h"

namespace tessellor {

struct HotkeyKey {
  UINT modifiers = 0;   // MOD_CONTROL, MOD_ALT, MOD_SHIFT
  UINT virtualKey = 0;  // 0: no key
  bool isSet() const { return virtualKey != 0; }
  friend bool operator==(const HotkeyKey&, const HotkeyKey&) = default;
};

inline constexpr HotkeyKey NO_KEY{};
inline constexpr UINT KEY_MODIFIERS = MOD_CONTROL | MOD_ALT | MOD_SHIFT;

// "Ctrl+Alt+B", "Alt+F10", "Ctrl+Shift+PageUp", "Ctrl+Key5D" for a key without a name of its own;
// "none" for no key. Modifiers come as Ctrl, Alt, Shift; the keys are named as on a US keyboard.
std::string keyName(HotkeyKey key);
// The key of a name that keyName gives, letter case and the modifiers' order aside; nothing for
// any other text.
std::optional<HotkeyKey> parseKeyName(std::string_view name);
// Whether the key can be one of Tessellor's: Ctrl or Alt with a key that is no modifier itself.
// Without them it would type, or be Shift's.
bool isUsableKey(HotkeyKey key);
// Whether Windows sends both Ctrl and Alt with it: the keys that AltGr can type with.
inline bool holdsCtrlAlt(HotkeyKey key) { return (key.modifiers & (MOD_CONTROL | MOD_ALT)) == (MOD_CONTROL | MOD_ALT); }

}  // namespace tessellor
