// The simulated keyboard: hotkeys held by keys, the layout that AltGr types on, its text in the
// program's code page, the Keys dialog's hotkey controls, and the scenario lines that drive them.
#include <gtest/gtest.h>

#include <sstream>

#include "platform/sim/SimDesktop.h"
#include "resources/resource_ids.h"
#include "tools/sim/ScenarioRunner.h"

namespace tessellor::sim {
namespace {

const HWND kProgram = handleFromValue(0x4242);
const HWND kOther = handleFromValue(0x4343);

TEST(SimHotkeys, KeysHeldUnderOneIdCannotBeRegisteredUnderAnotherWhateverTheyRepeat) {
  SimDesktop d;
  ASSERT_TRUE(d.RegisterHotKey(kOther, 40, MOD_CONTROL | MOD_ALT, 'B'));
  EXPECT_FALSE(d.RegisterHotKey(kProgram, 0, MOD_CONTROL | MOD_ALT | MOD_NOREPEAT, 'B'));
  EXPECT_TRUE(d.RegisterHotKey(kProgram, 1, MOD_CONTROL | MOD_ALT | MOD_SHIFT, 'B'));  // other keys
  d.setHotkeyKeysTaken(MOD_ALT, VK_F10);
  EXPECT_FALSE(d.RegisterHotKey(kProgram, 11, MOD_ALT | MOD_NOREPEAT, VK_F10));
  ASSERT_TRUE(d.UnregisterHotKey(kOther, 40));
  EXPECT_TRUE(d.RegisterHotKey(kProgram, 0, MOD_CONTROL | MOD_ALT | MOD_NOREPEAT, 'B'));
}

TEST(SimHotkeys, APressNamesTheKeysDownButNotHowTheyRepeat) {
  SimDesktop d;
  ASSERT_TRUE(d.RegisterHotKey(kProgram, 3, MOD_CONTROL | MOD_NOREPEAT, VK_LEFT));
  EXPECT_FALSE(d.pressKeys(MOD_ALT, VK_LEFT));
  ASSERT_TRUE(d.pressKeys(MOD_CONTROL, VK_LEFT));
  MSG msg{};
  d.onIdle = [] { return false; };
  ASSERT_EQ(d.GetMessageA(&msg, nullptr, 0, 0), TRUE);
  EXPECT_EQ(msg.message, WM_HOTKEY);
  EXPECT_EQ(msg.wParam, 3u);
  EXPECT_EQ(msg.lParam, static_cast<LPARAM>(MOD_CONTROL | (VK_LEFT << 16)));
}

TEST(SimKeyboardLayout, AltGrTypesOnlyWithCtrlAndAltDownAndShiftUp) {
  SimDesktop d;
  d.setAltGr('B', "{");
  HKL layout{};
  ASSERT_EQ(d.GetKeyboardLayoutList(0, nullptr), 1);
  ASSERT_EQ(d.GetKeyboardLayoutList(1, &layout), 1);
  BYTE state[256] = {};
  WCHAR typed[4] = {};
  EXPECT_EQ(d.ToUnicodeEx('B', 0x30, state, typed, 4, 0, layout), 0);
  state[VK_CONTROL] = state[VK_MENU] = 0x80;
  EXPECT_EQ(d.ToUnicodeEx('B', 0x30, state, typed, 4, 0, layout), 1);
  EXPECT_EQ(typed[0], u'{');
  EXPECT_EQ(d.ToUnicodeEx('G', 0x22, state, typed, 4, 0, layout), 0);
  EXPECT_EQ(d.ToUnicodeEx('B', 0x30, state, typed, 4, 0, nullptr), 0);  // no such layout
  state[VK_SHIFT] = 0x80;
  EXPECT_EQ(d.ToUnicodeEx('B', 0x30, state, typed, 4, 0, layout), 0);
}

TEST(SimKeyboardLayout, TextComesBackInTheProgramsCodePageUtf8) {
  SimDesktop d;
  d.setAltGr('E', "\xe2\x82\xac\xf0\x9f\x98\x80");  // the euro sign and an emoji, beyond 16 bits
  HKL layout{};
  d.GetKeyboardLayoutList(1, &layout);
  BYTE state[256] = {};
  state[VK_CONTROL] = state[VK_MENU] = 0x80;
  WCHAR typed[8] = {};
  ASSERT_EQ(d.ToUnicodeEx('E', 0x12, state, typed, 8, 0, layout), 3);  // one unit and a surrogate pair
  EXPECT_EQ(d.WideCharToMultiByte(CP_ACP, 0, typed, 3, nullptr, 0, nullptr, nullptr), 7);
  char text[8] = {};
  EXPECT_EQ(d.WideCharToMultiByte(CP_ACP, 0, typed, 3, text, 6, nullptr, nullptr), 0);  // too small: nothing
  ASSERT_EQ(d.WideCharToMultiByte(CP_ACP, 0, typed, 3, text, 8, nullptr, nullptr), 7);
  EXPECT_EQ(std::string(text, 7), "\xe2\x82\xac\xf0\x9f\x98\x80");
}

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

Outcome run(const std::string& text) {
  std::ostringstream out, err;
  const int status = runScenarioText("s.scn", text, RunOptions{}, out, err);
  return Outcome{status, out.str(), err.str()};
}

TEST(ScenarioKeys, TheUserTypesIntoAHotkeyControlUnderItsRules) {
  // The Keys dialog gives Ctrl to keys typed without Ctrl or Alt; keys with them stay as typed.
  // Backspace and the dialog's own keys are not taken at all.
  const Outcome o =
      run("settings-file \"\"\nstart\ncommand 1021\n"
          "set-hotkey 1100 \"B\"\nset-hotkey 1101 \"Shift+F3\"\nset-hotkey 1102 \"Alt+Shift+Q\"\nset-hotkey 1103 none\n"
          "set-hotkey 1104 \"Ctrl+Backspace\"\nset-hotkey 1105 \"Alt+Esc\"\n"
          "print keys\n");
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.out.substr(0, o.out.find("key 6")),
            "key 0 \"Ctrl+B\" \"\"\nkey 1 \"Ctrl+Shift+F3\" \"\"\nkey 2 \"Alt+Shift+Q\" \"\"\nkey 3 \"none\" \"\"\n"
            "key 4 \"Ctrl+Right\" \"\"\nkey 5 \"Ctrl+Up\" \"\"\n");  // the dialog's keys leave the boxes as they were
}

TEST(ScenarioKeys, FilesAnywhereAreWrittenReadAndDeleted) {
  const Outcome o =
      run("file \"C:\\\\Data\\\\a.txt\" \"one\\r\\n\"\nprint file \"c:\\\\data\\\\A.TXT\"\n"
          "file \"C:\\\\Data\\\\a.txt\" none\nprint file \"C:\\\\Data\\\\a.txt\"\n");
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.out, "file \"c:\\\\data\\\\A.TXT\" \"one\\r\\n\"\nfile \"C:\\\\Data\\\\a.txt\" none\n");
}

TEST(ScenarioKeysMalformed, EachKindOfMistake) {
  const char* cases[] = {
      "altgr b \"x\"",                                    // a lower-case letter
      "altgr BB \"x\"",                                   // two keys
      "altgr F1 \"x\"",                                   // not a letter or digit
      "altgr B x",                                        // a word, not a string
      "altgr B",                                          //
      "key \"Ctrl+Banana\"",                              // no such keys
      "hotkey-taken \"none\"",                            //
      "start\nset-hotkey 1100 \"Ctrl+B\"",                // the Keys dialog is not open
      "start\ncommand 1021\nset-hotkey 1010 \"Ctrl+B\"",  // not a hotkey control
      "start\ncommand 1021\nset-hotkey 1100 \"Shift\"",   //
      "start\nprint keys",                                // the Keys dialog is not open
      "set-hotkey 1100 none",                             // the program has not started
      "print file",                                       // no path
      "print hotkeys \"x\"",                              // one argument too many
      "file \"a.txt\"",                                   //
      "file \"a.txt\" text",                              // a word, not a string
      "start\ncommand 1021\ncheck 1016 on",               // the main dialog is disabled
  };
  for (const char* text : cases) EXPECT_EQ(run(text).status, 2) << text;
}

}  // namespace
}  // namespace tessellor::sim
