#include "app/keys/AltGr.h"

#include <vector>

namespace tessellor {

namespace {

// ToUnicodeEx leaves the keyboard's state (a pending dead key) as it is (Windows 10 1607 and later).
constexpr UINT KEEP_KEYBOARD_STATE = 0x4;

std::string typedText(Platform& p, HotkeyKey key, HKL layout) {
  BYTE state[256] = {};
  state[VK_CONTROL] = 0x80;
  state[VK_MENU] = 0x80;
  if ((key.modifiers & MOD_SHIFT) != 0) state[VK_SHIFT] = 0x80;
  const UINT scanCode = p.MapVirtualKeyExA(key.virtualKey, MAPVK_VK_TO_VSC, layout);
  WCHAR typed[8] = {};
  int n = p.ToUnicodeEx(key.virtualKey, scanCode, state, typed, 8, KEEP_KEYBOARD_STATE, layout);
  // A dead key answers negative, with its spacing form in the buffer: it types too.
  if (n < 0) n = 1;
  if (n > 8) n = 8;
  // Control characters are what Ctrl makes of a letter on layouts without AltGr: nothing typed.
  WCHAR text[8] = {};
  int units = 0;
  for (int i = 0; i < n; ++i) {
    if (typed[i] >= 0x20 && typed[i] != 0x7F) text[units++] = typed[i];
  }
  if (units == 0) return {};
  char bytes[64] = {};
  const int size = p.WideCharToMultiByte(CP_ACP, 0, text, units, bytes, sizeof bytes, nullptr, nullptr);
  if (size <= 0) return "?";  // typed, though the code page cannot show it
  return std::string(bytes, static_cast<std::size_t>(size));
}

}  // namespace

[[gnu::cold]] std::string altGrText(Platform& platform, HotkeyKey key) {
  if (!key.isSet() || !holdsCtrlAlt(key)) return {};
  const int count = platform.GetKeyboardLayoutList(0, nullptr);
  if (count <= 0) return {};
  std::vector<HKL> layouts(static_cast<std::size_t>(count));
  const int got = platform.GetKeyboardLayoutList(count, layouts.data());
  layouts.resize(static_cast<std::size_t>(got > 0 && got <= count ? got : 0));
  for (HKL layout : layouts) {
    if (std::string text = typedText(platform, key, layout); !text.empty()) return text;
  }
  return {};
}

[[gnu::cold]] std::string altGrKeysName(HotkeyKey key) {
  return "AltGr+" + keyName(HotkeyKey{key.modifiers & ~(MOD_CONTROL | MOD_ALT), key.virtualKey});
}

}  // namespace tessellor
