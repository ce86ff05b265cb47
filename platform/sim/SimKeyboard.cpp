// Keys: global hotkeys, the keys other programs hold, the user's keyboard layout (what AltGr types)
// and the conversion of its text, and the hotkey controls of the program's dialogs.
#include <algorithm>
#include <iterator>

#include "platform/sim/SimDesktop.h"

namespace tessellor::sim {

namespace {

// The desktop's one keyboard layout.
const HKL kLayout = reinterpret_cast<HKL>(static_cast<std::uintptr_t>(0x04090409));
// What WM_HOTKEY and the taken keys compare: the keys, not how they repeat.
constexpr UINT kKeyModifiers = 0x000F;

bool down(const BYTE* keyState, UINT vk) { return (keyState[vk] & 0x80) != 0; }

// UTF-8 to UTF-16; a byte that starts no character becomes U+FFFD.
std::u16string utf16(std::string_view text) {
  std::u16string out;
  for (std::size_t i = 0; i < text.size();) {
    const auto b = static_cast<unsigned char>(text[i]);
    const std::size_t n = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
    char32_t c = n == 1 ? b : n == 2 ? (b & 0x1Fu) : n == 3 ? (b & 0x0Fu) : (b & 0x07u);
    bool whole = n != 0 && i + n <= text.size();
    for (std::size_t k = 1; whole && k < n; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      whole = (next >> 6) == 0x2;
      c = (c << 6) | (next & 0x3Fu);
    }
    if (!whole) {
      out += u'\uFFFD';
      ++i;
      continue;
    }
    if (c >= 0x10000) {
      out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      out += static_cast<char16_t>(c);
    }
    i += n;
  }
  return out;
}

// UTF-16 to UTF-8; a lone surrogate becomes U+FFFD.
std::string utf8(std::u16string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

// The HKCOMB_ flag of a hotkey control's modifiers.
WORD combinationOf(WORD modifiers) {
  const bool s = (modifiers & HOTKEYF_SHIFT) != 0, c = (modifiers & HOTKEYF_CONTROL) != 0,
             a = (modifiers & HOTKEYF_ALT) != 0;
  if (s && c && a) return HKCOMB_SCA;
  if (c && a) return HKCOMB_CA;
  if (s && a) return HKCOMB_SA;
  if (s && c) return HKCOMB_SC;
  if (a) return HKCOMB_A;
  if (c) return HKCOMB_C;
  if (s) return HKCOMB_S;
  return HKCOMB_NONE;
}

}  // namespace

// ---- Hotkeys --------------------------------------------------------------------------------------

BOOL SimDesktop::RegisterHotKey(HWND hwnd, int id, UINT modifiers, UINT virtualKey) {
  if (takenHotkeys_.contains(id) || hotkeys_.contains(id)) return FALSE;
  // As on Windows, keys that another hotkey holds already cannot be registered again.
  const UINT keys = modifiers & kKeyModifiers;
  if (takenKeys_.contains({keys, virtualKey})) return FALSE;
  for (const auto& [other, key] : hotkeys_) {
    if ((key.modifiers & kKeyModifiers) == keys && key.virtualKey == virtualKey) return FALSE;
  }
  hotkeys_[id] = Hotkey{hwnd, modifiers, virtualKey};
  return TRUE;
}

BOOL SimDesktop::UnregisterHotKey(HWND hwnd, int id) {
  auto it = hotkeys_.find(id);
  if (it == hotkeys_.end() || it->second.hwnd != hwnd) return FALSE;
  hotkeys_.erase(it);
  return TRUE;
}

std::vector<int> SimDesktop::hotkeys() const {
  std::vector<int> ids;
  for (const auto& [id, key] : hotkeys_) ids.push_back(id);
  return ids;
}

std::vector<SimDesktop::RegisteredHotkey> SimDesktop::registeredHotkeys() const {
  std::vector<RegisteredHotkey> keys;
  for (const auto& [id, key] : hotkeys_) keys.push_back(RegisteredHotkey{id, key.modifiers, key.virtualKey});
  return keys;
}

bool SimDesktop::pressHotkey(int id) {
  auto it = hotkeys_.find(id);
  if (it == hotkeys_.end()) return false;
  // The low word holds the modifiers that were down, not MOD_NOREPEAT.
  const LPARAM keys = static_cast<LPARAM>((it->second.modifiers & kKeyModifiers) | (it->second.virtualKey << 16));
  postMessage(it->second.hwnd, WM_HOTKEY, static_cast<WPARAM>(id), keys);
  return true;
}

bool SimDesktop::pressKeys(UINT modifiers, UINT virtualKey) {
  for (const auto& [id, key] : hotkeys_) {
    if ((key.modifiers & kKeyModifiers) == (modifiers & kKeyModifiers) && key.virtualKey == virtualKey) {
      return pressHotkey(id);
    }
  }
  return false;
}

// ---- The keyboard layout --------------------------------------------------------------------------

int SimDesktop::GetKeyboardLayoutList(int count, HKL* layouts) {
  if (count == 0) return 1;
  if (count < 1 || layouts == nullptr) return 0;
  layouts[0] = kLayout;
  return 1;
}

UINT SimDesktop::MapVirtualKeyExA(UINT code, UINT mapType, HKL layout) {
  // A scan code of its own for every key; which one is no matter of the program's.
  if (mapType != MAPVK_VK_TO_VSC || layout != kLayout || code == 0 || code > 0xFE) return 0;
  return code;
}

int SimDesktop::ToUnicodeEx(UINT virtualKey, UINT /*scanCode*/, const BYTE* keyState, WCHAR* buffer, int count,
                            UINT /*flags*/, HKL layout) {
  if (layout != kLayout || keyState == nullptr || buffer == nullptr || count <= 0 || virtualKey > 0xFF) return 0;
  // Only AltGr types beyond a US layout, and Windows tells AltGr as Ctrl and Alt.
  if (!down(keyState, VK_CONTROL) || !down(keyState, VK_MENU) || down(keyState, VK_SHIFT)) return 0;
  auto it = altGr_.find(virtualKey);
  if (it == altGr_.end()) return 0;
  const std::u16string text = utf16(it->second);
  const int n = std::min(count, static_cast<int>(text.size()));
  std::copy_n(text.begin(), n, buffer);
  return n;
}

int SimDesktop::WideCharToMultiByte(UINT codePage, DWORD /*flags*/, const WCHAR* wide, int wideCount, char* text,
                                    int textSize, const char* /*defaultChar*/, BOOL* usedDefaultChar) {
  // The program's ANSI code page is UTF-8, as its manifest asks of Windows.
  if ((codePage != CP_ACP && codePage != CP_UTF8) || wide == nullptr || wideCount == 0 || textSize < 0) return 0;
  const std::size_t length =
      wideCount < 0 ? std::char_traits<char16_t>::length(wide) + 1 : static_cast<std::size_t>(wideCount);
  const std::string bytes = utf8(std::u16string_view(wide, length));
  if (usedDefaultChar != nullptr) *usedDefaultChar = FALSE;
  if (textSize == 0) return static_cast<int>(bytes.size());
  if (text == nullptr || bytes.size() > static_cast<std::size_t>(textSize)) return 0;
  std::copy(bytes.begin(), bytes.end(), text);
  return static_cast<int>(bytes.size());
}

// ---- Hotkey controls ------------------------------------------------------------------------------

std::optional<bool> SimDesktop::typeHotkey(HWND dialog, int id, WORD hotkey) {
  Control* c = controlOf(dialog, id);
  if (c == nullptr || c->kind != ControlKind::Hotkey) return std::nullopt;
  // Keys the control leaves to its dialog, with any modifiers: the dialog's own keys and Backspace.
  constexpr WORD kDialogKeys[] = {0x0D, 0x09, 0x20, 0x2E, 0x1B, 0x08};
  if (std::find(std::begin(kDialogKeys), std::end(kDialogKeys), hotkey & 0xFF) != std::end(kDialogKeys)) return false;
  if ((hotkey & 0xFF) == 0) {
    c->hotkey = 0;  // modifiers alone make no hotkey: the control shows "None" again
    return true;
  }
  auto modifiers = static_cast<WORD>(hotkey >> 8);
  // An invalid combination takes the default modifiers too (HKM_SETRULES).
  if ((c->invalidCombinations & combinationOf(modifiers)) != 0) {
    modifiers = static_cast<WORD>(modifiers | c->defaultModifiers);
  }
  c->hotkey = static_cast<WORD>((hotkey & 0xFF) | (modifiers << 8));
  return true;
}

}  // namespace tessellor::sim
