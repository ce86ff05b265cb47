// The one name of each key: what balloons, the Keys dialog and keys.dat say, read back to the key.
#include <gtest/gtest.h>

#include "app/keys/KeyName.h"

namespace tessellor {
namespace {

constexpr UINT kModifierSets[] = {0,
                                  MOD_CONTROL,
                                  MOD_ALT,
                                  MOD_SHIFT,
                                  MOD_CONTROL | MOD_ALT,
                                  MOD_CONTROL | MOD_SHIFT,
                                  MOD_ALT | MOD_SHIFT,
                                  MOD_CONTROL | MOD_ALT | MOD_SHIFT};

TEST(KeyNames, EveryKeyReadsBackFromItsNameAndNoNameHoldsABlank) {
  int named = 0;
  for (UINT vk = 1; vk <= 0xFE; ++vk) {
    for (UINT modifiers : kModifierSets) {
      const HotkeyKey key{modifiers, vk};
      if (!isUsableKey(HotkeyKey{modifiers | MOD_CONTROL, vk})) continue;  // mouse buttons and modifier keys
      const std::string name = keyName(key);
      EXPECT_EQ(name.find_first_of(" \t\r\n"), std::string::npos) << name;  // a line of keys.dat splits at blanks
      const std::optional<HotkeyKey> back = parseKeyName(name);
      ASSERT_TRUE(back.has_value()) << name;
      EXPECT_EQ(*back, key) << name;
      ++named;
    }
  }
  EXPECT_GT(named, 8 * 200);
}

TEST(KeyNames, AreWrittenAsTheUserReadsThem) {
  EXPECT_EQ(keyName({MOD_CONTROL | MOD_ALT, 'B'}), "Ctrl+Alt+B");
  EXPECT_EQ(keyName({MOD_SHIFT | MOD_ALT | MOD_CONTROL, '7'}), "Ctrl+Alt+Shift+7");  // always in this order
  EXPECT_EQ(keyName({MOD_CONTROL, VK_BACK}), "Ctrl+Backspace");
  EXPECT_EQ(keyName({MOD_ALT, VK_F10}), "Alt+F10");
  EXPECT_EQ(keyName({MOD_CONTROL, 0x87}), "Ctrl+F24");
  EXPECT_EQ(keyName({MOD_CONTROL, 0x6B}), "Ctrl+Num+");
  EXPECT_EQ(keyName({MOD_CONTROL, 0xBD}), "Ctrl+-");
  EXPECT_EQ(keyName({MOD_CONTROL, 0xA6}), "Ctrl+KeyA6");  // no name of its own
  EXPECT_EQ(keyName(NO_KEY), "none");
  EXPECT_EQ(keyName({MOD_CONTROL, 0}), "none");
}

TEST(KeyNames, ReadIgnoringLetterCaseAndOrderButNothingElse) {
  EXPECT_EQ(parseKeyName("shift+CTRL+b"), (HotkeyKey{MOD_CONTROL | MOD_SHIFT, 'B'}));
  EXPECT_EQ(parseKeyName("alt+pageup"), (HotkeyKey{MOD_ALT, 0x21}));
  EXPECT_EQ(parseKeyName("Ctrl+Num+"), (HotkeyKey{MOD_CONTROL, 0x6B}));
  EXPECT_EQ(parseKeyName("NONE"), NO_KEY);
  for (const char* wrong : {"", "Ctrl+", "Ctrl+Ctrl+B", "Win+B", "Ctrl+Alt+Banana", "Ctrl+Key41", "Ctrl+Key10",
                            "Ctrl+KeyZZ", "Ctrl+F25", "Ctrl+F0", "Ctrl + B", "Ctrl+B+", "Ctrl+none"}) {
    EXPECT_FALSE(parseKeyName(wrong).has_value()) << wrong;
  }
}

TEST(KeyNames, AKeyOfTessellorsNeedsCtrlOrAltAndAKeyOfItsOwn) {
  EXPECT_TRUE(isUsableKey({MOD_CONTROL, 'B'}));
  EXPECT_TRUE(isUsableKey({MOD_ALT | MOD_SHIFT, VK_F10}));
  EXPECT_FALSE(isUsableKey({MOD_SHIFT, 'B'}));  // types a capital B
  EXPECT_FALSE(isUsableKey({0, VK_F10}));
  EXPECT_FALSE(isUsableKey({MOD_CONTROL, VK_SHIFT}));
  EXPECT_FALSE(isUsableKey({MOD_CONTROL, VK_RMENU}));
  EXPECT_FALSE(isUsableKey({MOD_CONTROL, 0x01}));       // the left mouse button
  EXPECT_FALSE(isUsableKey({MOD_CONTROL | 0x8, 'B'}));  // Win is Windows' own
  EXPECT_FALSE(isUsableKey(NO_KEY));
}

}  // namespace
}  // namespace tessellor
