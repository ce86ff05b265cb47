// keys.dat: what each line gives, and that a damaged line costs only its own action.
#include <gtest/gtest.h>

#include "app/keys/KeysFile.h"

namespace tessellor {
namespace {

constexpr HotkeyKey ctrlShift(UINT vk) { return HotkeyKey{MOD_CONTROL | MOD_SHIFT, vk}; }

TEST(KeysFile, WhatIsWrittenReadsBackWholeWhateverTheLineEnds) {
  HotkeyKeys keys = defaultKeys();
  keys[0] = ctrlShift('B');
  keys[2] = NO_KEY;
  keys[11] = HotkeyKey{MOD_ALT | MOD_SHIFT, 0x21};
  const std::string bytes = keysFileBytes(keys);
  EXPECT_EQ(bytes.substr(0, 40), "border Ctrl+Shift+B\r\ngrid Ctrl+Alt+G\r\nst");
  for (const std::string& text : {bytes, std::string("border Ctrl+Shift+B\nstop none\ncentre Alt+Shift+PageUp")}) {
    const KeysFileContents read = readKeysFile(text);
    EXPECT_EQ(read.keys, keys);
    EXPECT_TRUE(read.unreadLines.empty());
  }
  EXPECT_EQ(readKeysFile("").keys, defaultKeys());
}

TEST(KeysFile, ALineThatCannotBeReadLeavesItsActionOnItsDefaultAndTheRestCounts) {
  const KeysFileContents read = readKeysFile(
      "grid Ctrl+Shift+G\r\n"       // 1
      "border Ctrl+Alt+Banana\r\n"  // 2: no such key
      "stop Shift+Backspace\r\n"    // 3: no Ctrl or Alt
      "centre Alt+F9 Alt+F8\r\n"    // 4: two keys
      "jump Ctrl+J\r\n"             // 5: no such action
      "\r\n"                        // 6: blank
      "# cycle-west Ctrl+J\r\n"     // 7: a comment
      "send-west Ctrl+Alt+W\r\n"    // 8
      "send-west Ctrl+Alt+Q\r\n");  // 9: the last line of an action counts
  HotkeyKeys expected = defaultKeys();
  expected[1] = ctrlShift('G');
  expected[7] = HotkeyKey{MOD_CONTROL | MOD_ALT, 'Q'};
  EXPECT_EQ(read.keys, expected);
  EXPECT_EQ(read.unreadLines, (std::vector<int>{2, 3, 4, 5}));
}

TEST(KeysFile, ADamagedLineWinsOverAGoodOneForTheSameAction) {
  // Half-trusting the file would keep a key the user may have meant to change.
  const KeysFileContents read = readKeysFile("grid Ctrl+Shift+G\ngrid Ctrl+Shift+\n");
  EXPECT_EQ(read.keys[1], defaultKeys()[1]);
  EXPECT_EQ(read.unreadLines, std::vector<int>{2});
}

TEST(KeysFile, TwoActionsNeverShareAKey) {
  // grid takes border's key: border (first) keeps it, grid goes back to its own default.
  KeysFileContents read = readKeysFile("border Ctrl+Alt+B\ngrid Ctrl+Alt+B\n");
  EXPECT_EQ(read.keys[0], (HotkeyKey{MOD_CONTROL | MOD_ALT, 'B'}));
  EXPECT_EQ(read.keys[1], (HotkeyKey{MOD_CONTROL | MOD_ALT, 'G'}));
  EXPECT_EQ(read.unreadLines, std::vector<int>{2});
  // border takes grid's default; grid, left on its default, has no key then. Nothing is unread.
  read = readKeysFile("border Ctrl+Alt+G\n");
  EXPECT_EQ(read.keys[0], (HotkeyKey{MOD_CONTROL | MOD_ALT, 'G'}));
  EXPECT_EQ(read.keys[1], NO_KEY);
  EXPECT_TRUE(read.unreadLines.empty());
  // Two actions without a key are no clash.
  read = readKeysFile("border none\ngrid none\n");
  EXPECT_EQ(read.keys[0], NO_KEY);
  EXPECT_EQ(read.keys[1], NO_KEY);
}

TEST(KeysFile, BytesThatAreNoTextNeverGiveAKey) {
  const std::string bytes("border\0Ctrl+Alt+B\nborder Ctrl+Alt+\0B\n\xff\xfe", 39);
  const KeysFileContents read = readKeysFile(bytes);
  EXPECT_EQ(read.keys, defaultKeys());
  EXPECT_EQ(read.unreadLines, (std::vector<int>{1, 2, 3}));
}

}  // namespace
}  // namespace tessellor
