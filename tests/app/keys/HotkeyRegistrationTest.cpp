// The hotkeys the program holds as layouts come and go, the balloons that name keys held elsewhere,
// and the start-up that lets a second start reach an elevated instance.
#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "app/MainDialog.h"
#include "app/TrayBalloon.h"
#include "app/keys/Hotkeys.h"
#include "platform/sim/SimDesktop.h"
#include "resources/resource_ids.h"
#include "tools/sim/ScenarioRunner.h"

namespace tessellor {
namespace {

INT_PTR quietProc(Platform&, HWND, UINT, WPARAM, LPARAM) { return FALSE; }

const std::string CHOOSE = "To choose another key, double-click this icon and click Keys...";

std::size_t registeredCount(const Shell& shell) {
  std::size_t n = 0;
  for (std::size_t id = 0; id < HOTKEY_COUNT; ++id) n += shell.keys.isRegistered(id) ? 1 : 0;
  return n;
}

// A shell over a bare desktop, its dialog made by hand; the tray icon only when asked for.
struct Program {
  sim::SimDesktop d;
  Shell shell{d, registerHookMessages(d)};
  HWND other = d.CreateDialogParamA(nullptr, MAKEINTRESOURCE(IDD_MAIN_DIALOG), nullptr, quietProc, 0);

  Program() {
    shell.mainDialog = d.CreateDialogParamA(nullptr, MAKEINTRESOURCE(IDD_MAIN_DIALOG), nullptr, quietProc, 0);
  }
  void addTrayIcon() {
    shell.trayIcon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    shell.trayIcon.hWnd = shell.mainDialog;
    shell.trayIcon.uID = TRAY_ICON_ID;
    ASSERT_TRUE(d.Shell_NotifyIconA(NIM_ADD, &shell.trayIcon));
  }
  std::vector<std::string> balloonTexts() const {
    std::vector<std::string> texts;
    for (const auto& b : d.balloons()) texts.push_back(b.text);
    return texts;
  }
};

TEST(HotkeyRegistration, AKeyFreedByAnotherProgramIsTakenByTheNextLayoutAndNamedOnlyOnce) {
  Program t;
  t.addTrayIcon();
  ASSERT_TRUE(t.d.RegisterHotKey(t.other, 2, MOD_CONTROL, VK_BACK));
  registerHotkeysFor(t.shell, LayoutGrid);
  EXPECT_EQ(t.d.hotkeys(), (std::vector<int>{0, 1, 2, 7, 8, 9, 10}));  // 2 being the other program's
  EXPECT_FALSE(t.shell.keys.isRegistered(2));
  EXPECT_EQ(t.balloonTexts(), std::vector<std::string>{"Ctrl+Backspace is used by another program. " + CHOOSE});

  registerHotkeysFor(t.shell, LayoutNone);
  ASSERT_TRUE(t.d.UnregisterHotKey(t.other, 2));
  registerHotkeysFor(t.shell, LayoutBorder);
  EXPECT_EQ(t.d.hotkeys(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
  EXPECT_EQ(registeredCount(t.shell), HOTKEY_COUNT);
  EXPECT_EQ(t.d.balloons().size(), 1u);

  // Straight from one layout to the other: only the difference changes hands.
  registerHotkeysFor(t.shell, LayoutGrid);
  EXPECT_EQ(t.d.hotkeys(), (std::vector<int>{0, 1, 2, 7, 8, 9, 10}));
  unregisterHotkeys(t.shell);
  EXPECT_TRUE(t.d.hotkeys().empty());
  EXPECT_EQ(registeredCount(t.shell), 0u);
}

TEST(HotkeyRegistration, AKeyIsNamedOnceTheTrayIconCanCarryTheBalloon) {
  Program t;
  t.d.setHotkeyTaken(11);
  registerHotkeysFor(t.shell, LayoutBorder);  // no icon yet: nothing to show it on
  EXPECT_TRUE(t.d.balloons().empty());
  t.addTrayIcon();
  registerHotkeysFor(t.shell, LayoutNone);
  registerHotkeysFor(t.shell, LayoutBorder);
  registerHotkeysFor(t.shell, LayoutNone);
  registerHotkeysFor(t.shell, LayoutBorder);
  EXPECT_EQ(t.balloonTexts(), std::vector<std::string>{"Alt+F10 is used by another program. " + CHOOSE});
  ASSERT_EQ(t.d.balloons().size(), 1u);
  EXPECT_EQ(t.d.balloons()[0].title, "Tessellor");
}

TEST(HotkeyRegistration, EveryKeyIsRegisteredWithoutRepeatsAsItsKeysAlone) {
  Program t;
  registerHotkeysFor(t.shell, LayoutBorder);
  const auto keys = t.d.registeredHotkeys();
  ASSERT_EQ(keys.size(), HOTKEY_COUNT);
  for (const auto& k : keys) {
    const Hotkey& row = hotkeys[static_cast<std::size_t>(k.id)];
    EXPECT_EQ(k.modifiers, row.modifiers | MOD_NOREPEAT) << k.id;
    EXPECT_EQ(k.virtualKey, row.virtualKey) << k.id;
  }
}

TEST(HotkeyRegistration, ChosenKeysTakeEffectAtOnceAndMayChangePlaces) {
  Program t;
  t.addTrayIcon();
  registerHotkeysFor(t.shell, LayoutNone);
  HotkeyKeys keys = defaultKeys();
  std::swap(keys[0], keys[1]);  // each key is held by the other action until both are released
  keys[2] = HotkeyKey{MOD_CONTROL | MOD_SHIFT, VK_BACK};
  chooseKeys(t.shell, keys);
  EXPECT_EQ(t.shell.keys.registered[0], (HotkeyKey{MOD_CONTROL | MOD_ALT, 'G'}));
  EXPECT_EQ(t.shell.keys.registered[1], (HotkeyKey{MOD_CONTROL | MOD_ALT, 'B'}));
  EXPECT_EQ(t.d.hotkeys(), (std::vector<int>{0, 1}));  // no layout: the start keys only
  keys[0] = NO_KEY;                                    // no key at all for the Border Layout
  chooseKeys(t.shell, keys);
  EXPECT_EQ(t.d.hotkeys(), std::vector<int>{1});
  EXPECT_TRUE(t.d.balloons().empty());
}

TEST(HotkeyRegistration, AKeyChosenAnewIsNamedAgainWhenItCannotBeHeld) {
  Program t;
  t.addTrayIcon();
  t.d.setHotkeyKeysTaken(MOD_CONTROL | MOD_SHIFT, 'B');
  t.d.setHotkeyKeysTaken(MOD_CONTROL | MOD_SHIFT, 'N');
  HotkeyKeys keys = defaultKeys();
  keys[0] = HotkeyKey{MOD_CONTROL | MOD_SHIFT, 'B'};
  chooseKeys(t.shell, keys);
  keys[0] = HotkeyKey{MOD_CONTROL | MOD_SHIFT, 'N'};
  chooseKeys(t.shell, keys);
  chooseKeys(t.shell, keys);  // the same keys again: nothing new to say
  EXPECT_EQ(t.balloonTexts(), (std::vector<std::string>{"Ctrl+Shift+B is used by another program. " + CHOOSE,
                                                        "Ctrl+Shift+N is used by another program. " + CHOOSE}));
  EXPECT_TRUE(t.shell.keys.taken.test(0));
}

TEST(HotkeyRegistration, AKeyboardLayoutAddedMeanwhileFreesItsKeysAtTheNextRegistration) {
  Program t;
  t.addTrayIcon();
  registerHotkeysFor(t.shell, LayoutNone);
  EXPECT_EQ(t.d.hotkeys(), (std::vector<int>{0, 1}));
  t.d.setAltGr('G', "]");
  registerHotkeysFor(t.shell, LayoutBorder);
  EXPECT_FALSE(t.shell.keys.isRegistered(1));
  registerHotkeysFor(t.shell, LayoutNone);
  EXPECT_EQ(t.d.hotkeys(), std::vector<int>{0});
  EXPECT_EQ(t.balloonTexts(), std::vector<std::string>{"Ctrl+Alt+G is left to typing: AltGr+G types ] on your "
                                                       "keyboard. " +
                                                       CHOOSE});
}

TEST(TrayBalloon, LongTextsAreCutToTheirFieldsAndNothingShowsWithoutAnIcon) {
  Program t;
  EXPECT_FALSE(showTrayBalloon(t.shell, "Title", "Text"));
  t.addTrayIcon();
  const std::string title(100, 'T');
  const std::string text(300, 'I');
  EXPECT_TRUE(showTrayBalloon(t.shell, title.c_str(), text.c_str()));
  ASSERT_EQ(t.d.balloons().size(), 1u);
  EXPECT_EQ(t.d.balloons()[0].title, std::string(63, 'T'));
  EXPECT_EQ(t.d.balloons()[0].text, std::string(255, 'I'));
  // The icon keeps its first-form record: the balloon used a copy.
  EXPECT_EQ(t.shell.trayIcon.cbSize, NOTIFYICONDATAA_V1_SIZE);
}

// A second start posts WM_TRAYICON to the running dialog; an elevated instance must let it in.
TEST(StartUp, TheDialogAcceptsTheTrayMessageFromProcessesOfLowerIntegrity) {
  std::optional<std::vector<sim::SimDesktop::MessageFilter>> filters;
  HWND dialog = nullptr;
  sim::RunOptions options;
  options.prepare = [&](sim::ScenarioRunner& r) {
    r.moreLines = [&r, &filters, &dialog]() -> std::optional<std::string> {
      if (filters || !r.running()) return std::nullopt;
      filters = r.desktop().messageFilters();
      dialog = r.desktop().mainDialog();
      return std::nullopt;
    };
  };
  std::ostringstream out, err;
  EXPECT_EQ(sim::runScenarioText("s.scn", "start\n", options, out, err), 0) << err.str();
  ASSERT_TRUE(filters.has_value());
  bool allowed = false;
  for (const auto& f : *filters) allowed |= f.hwnd == dialog && f.message == WM_TRAYICON && f.action == MSGFLT_ALLOW;
  EXPECT_TRUE(allowed);
}

// The keys a layout's windows are placed under: the new layout's before its first window moves, so
// that Ctrl+Backspace pressed while they are being placed is the program's and ends the layout once
// they stand; an ended layout's keys gone before its windows are put back, for the program in front.
TEST(HotkeyRegistration, TheKeysFollowTheLayoutBeforeItsWindowsMove) {
  std::vector<std::vector<int>> heldAtPlacing;  // at each batch's first placement
  int lastBatch = 0;
  sim::RunOptions options;
  options.prepare = [&](sim::ScenarioRunner& r) {
    sim::SimDesktop& desk = r.desktop();
    desk.onCall = [&desk, &heldAtPlacing, &lastBatch](const sim::PlacementCall& call) {
      if (call.batch == 0 || call.batch == lastBatch) return;
      lastBatch = call.batch;
      heldAtPlacing.push_back(desk.hotkeys());
    };
  };
  std::ostringstream out, err;
  const std::string scenario =
      "settings-file \"auto\"\nwindow a\nwindow b\nwindow c\nforeground c\nstart\nkey \"Ctrl+Alt+B\"\n"
      "key \"Ctrl+Backspace\"\n";
  ASSERT_EQ(sim::runScenarioText("s.scn", scenario, options, out, err), 0) << err.str();
  ASSERT_EQ(heldAtPlacing.size(), 2u) << out.str();
  EXPECT_EQ(heldAtPlacing[0], (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
  EXPECT_EQ(heldAtPlacing[1], (std::vector<int>{0, 1}));
}

}  // namespace
}  // namespace tessellor
