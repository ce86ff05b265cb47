// The Keys dialog's view of a key: as its hotkey control holds it, and what marks its row.
#include <gtest/gtest.h>

#include "app/keys/KeysDialog.h"
#include "platform/sim/SimDesktop.h"
#include "resources/resource_ids.h"

namespace tessellor {
namespace {

INT_PTR quietProc(Platform&, HWND, UINT, WPARAM, LPARAM) { return FALSE; }

TEST(KeysDialogControl, HoldsEveryKeyWithItsModifiersAndTheExtendedFlagForTheNavigationKeys) {
  // HOTKEYF_ALT is 4 and HOTKEYF_SHIFT 1: the other way round from MOD_ALT and MOD_SHIFT.
  EXPECT_EQ(hotkeyControlWord({MOD_CONTROL | MOD_ALT, 'B'}), 0x0600 | 'B');
  EXPECT_EQ(hotkeyControlWord({MOD_SHIFT, 'B'}), 0x0100 | 'B');
  EXPECT_EQ(hotkeyControlWord({MOD_CONTROL, VK_LEFT}), 0x0A00 | VK_LEFT);  // not Num 4
  EXPECT_EQ(hotkeyControlWord(NO_KEY), 0);
  for (UINT vk = 1; vk <= 0xFE; ++vk) {
    for (UINT modifiers : {0u, MOD_CONTROL, MOD_ALT | MOD_SHIFT, MOD_CONTROL | MOD_ALT | MOD_SHIFT}) {
      const HotkeyKey key{modifiers, vk};
      EXPECT_EQ(keyOfHotkeyControlWord(hotkeyControlWord(key)), key);
    }
  }
  EXPECT_EQ(keyOfHotkeyControlWord(0x0600), NO_KEY);  // modifiers alone
}

struct Marks {
  sim::SimDesktop d;
  Shell shell{d, registerHookMessages(d)};
  HWND probe = d.CreateDialogParamA(nullptr, MAKEINTRESOURCE(IDD_MAIN_DIALOG), nullptr, quietProc, 0);
  Marks() { shell.mainDialog = d.CreateDialogParamA(nullptr, MAKEINTRESOURCE(IDD_MAIN_DIALOG), nullptr, quietProc, 0); }
};

TEST(KeysDialogMarks, NameWhatStandsInEachKeysWay) {
  Marks m;
  m.d.setAltGr('Q', "@");
  m.d.setHotkeyKeysTaken(MOD_CONTROL | MOD_SHIFT, 'T');
  HotkeyKeys keys = defaultKeys();
  keys[3] = HotkeyKey{MOD_SHIFT, 'S'};
  keys[4] = HotkeyKey{MOD_CONTROL | MOD_ALT, 'Q'};
  keys[5] = HotkeyKey{MOD_CONTROL | MOD_SHIFT, 'T'};
  keys[6] = keys[0];
  keys[7] = NO_KEY;
  EXPECT_EQ(keyMark(m.shell, m.probe, keys, 3), "needs Ctrl or Alt");
  EXPECT_EQ(keyMark(m.shell, m.probe, keys, 4), "left to typing: AltGr+Q types @");
  EXPECT_EQ(keyMark(m.shell, m.probe, keys, 5), "used by another program");
  EXPECT_EQ(keyMark(m.shell, m.probe, keys, 6), "also: Start the Border Layout");
  EXPECT_EQ(keyMark(m.shell, m.probe, keys, 0), "also: Next South window into the Centre");
  EXPECT_EQ(keyMark(m.shell, m.probe, keys, 7), "");
  EXPECT_EQ(keyMark(m.shell, m.probe, keys, 8), "");
  // Asking leaves nothing registered behind.
  EXPECT_TRUE(m.d.hotkeys().empty());
}

TEST(KeysDialogMarks, KeysTheProgramHoldsItselfAreFreeForAnyOfItsActions) {
  Marks m;
  registerHotkeysFor(m.shell, LayoutNone);  // Ctrl+Alt+B and Ctrl+Alt+G are the program's now
  HotkeyKeys keys = defaultKeys();
  std::swap(keys[0], keys[1]);
  EXPECT_EQ(keyMark(m.shell, m.probe, keys, 0), "");
  EXPECT_EQ(keyMark(m.shell, m.probe, keys, 1), "");
  // A key another program took from under a failed try is marked though the system was not asked.
  m.d.setHotkeyTaken(11);
  registerHotkeysFor(m.shell, LayoutBorder);
  EXPECT_EQ(keyMark(m.shell, m.probe, defaultKeys(), 11), "used by another program");
}

}  // namespace
}  // namespace tessellor
