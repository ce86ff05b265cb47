#include "app/keys/KeyName.h"

#include <cctype>
#include <cstdio>

namespace tessellor {

namespace {

struct NamedKey {
  UINT virtualKey;
  const char* name;
};

// Keys with a name of their own beyond the letters, digits and F1 to F24; one word each, so that a
// line of keys.dat splits at its blanks.
// clang-format off
constexpr NamedKey kNamedKeys[] = {
//   key   name
    {0x03, "Break"},     {0x08, "Backspace"},  {0x09, "Tab"},        {0x0C, "Clear"},      {0x0D, "Enter"},
    {0x13, "Pause"},     {0x14, "CapsLock"},   {0x1B, "Esc"},        {0x20, "Space"},      {0x21, "PageUp"},
    {0x22, "PageDown"},  {0x23, "End"},        {0x24, "Home"},       {0x25, "Left"},       {0x26, "Up"},
    {0x27, "Right"},     {0x28, "Down"},       {0x2C, "PrintScreen"},{0x2D, "Insert"},     {0x2E, "Delete"},
    {0x5D, "Menu"},      {0x6A, "Num*"},       {0x6B, "Num+"},       {0x6D, "Num-"},       {0x6E, "Num."},
    {0x6F, "Num/"},      {0x90, "NumLock"},    {0x91, "ScrollLock"}, {0xBA, ";"},          {0xBB, "="},
    {0xBC, ","},         {0xBD, "-"},          {0xBE, "."},          {0xBF, "/"},          {0xC0, "`"},
    {0xDB, "["},         {0xDC, "\\"},         {0xDD, "]"},          {0xDE, "'"},
};
// clang-format on

struct NamedModifier {
  UINT modifier;
  const char* prefix;
};
constexpr NamedModifier kModifiers[] = {{MOD_CONTROL, "Ctrl+"}, {MOD_ALT, "Alt+"}, {MOD_SHIFT, "Shift+"}};

bool sameLetters(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

bool startsWithLetters(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && sameLetters(text.substr(0, prefix.size()), prefix);
}

// The mouse buttons, the modifier keys and the two codes that name no key cannot be a hotkey's key.
bool isKeyOfItsOwn(UINT vk) {
  if (vk == 0 || vk > 0xFE) return false;
  if (vk == 0x01 || vk == 0x02 || (vk >= 0x04 && vk <= 0x06)) return false;
  if (vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU || vk == VK_LWIN || vk == VK_RWIN) return false;
  return vk < VK_LSHIFT || vk > VK_RMENU;
}

const char* tableName(UINT vk) {
  for (const NamedKey& k : kNamedKeys) {
    if (k.virtualKey == vk) return k.name;
  }
  return nullptr;
}

// F1 to F24 (printed: concatenating to "F" trips a false -Wrestrict of GCC 12).
std::string functionKeyName(UINT n) {
  char text[8];
  std::snprintf(text, sizeof text, "F%u", n);
  return text;
}

std::string baseName(UINT vk) {
  if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z')) return std::string(1, static_cast<char>(vk));
  if (vk >= 0x70 && vk <= 0x87) return functionKeyName(vk - 0x70 + 1);
  if (const char* name = tableName(vk)) return name;
  char text[8];
  std::snprintf(text, sizeof text, "Key%02X", vk & 0xFFu);
  return text;
}

std::optional<UINT> parseBase(std::string_view name) {
  if (name.size() == 1) {
    const auto c = static_cast<unsigned char>(std::toupper(static_cast<unsigned char>(name[0])));
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z')) return c;
  }
  for (UINT n = 1; n <= 24; ++n) {
    if (sameLetters(name, functionKeyName(n))) return 0x70 + n - 1;
  }
  for (const NamedKey& k : kNamedKeys) {
    if (sameLetters(name, k.name)) return k.virtualKey;
  }
  if (name.size() == 5 && startsWithLetters(name, "Key") && std::isxdigit(static_cast<unsigned char>(name[3])) &&
      std::isxdigit(static_cast<unsigned char>(name[4]))) {
    const auto digit = [](char c) {
      return static_cast<UINT>(std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : std::toupper(c) - 'A' + 10);
    };
    const UINT vk = digit(name[3]) * 16 + digit(name[4]);
    // Each key has one name: a key with a name of its own is not also KeyNN.
    if (isKeyOfItsOwn(vk) && startsWithLetters(baseName(vk), "Key")) return vk;
  }
  return std::nullopt;
}

}  // namespace

[[gnu::cold]] std::string keyName(HotkeyKey key) {
  if (!key.isSet()) return "none";
  std::string name;
  for (const NamedModifier& m : kModifiers) {
    if ((key.modifiers & m.modifier) != 0) name += m.prefix;
  }
  return name + baseName(key.virtualKey);
}

[[gnu::cold]] std::optional<HotkeyKey> parseKeyName(std::string_view name) {
  if (sameLetters(name, "none")) return NO_KEY;
  HotkeyKey key;
  bool more = true;
  while (more) {
    more = false;
    for (const NamedModifier& m : kModifiers) {
      if (!startsWithLetters(name, m.prefix)) continue;
      if ((key.modifiers & m.modifier) != 0) return std::nullopt;  // named twice
      key.modifiers |= m.modifier;
      name.remove_prefix(std::string_view(m.prefix).size());
      more = true;
    }
  }
  const std::optional<UINT> vk = parseBase(name);
  if (!vk) return std::nullopt;
  key.virtualKey = *vk;
  return key;
}

bool isUsableKey(HotkeyKey key) {
  return isKeyOfItsOwn(key.virtualKey) && (key.modifiers & ~KEY_MODIFIERS) == 0 &&
         (key.modifiers & (MOD_CONTROL | MOD_ALT)) != 0;
}

}  // namespace tessellor
