// The keys a full-screen program in front takes from Tessellor, and gives back when it leaves.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/MainDialog.h"
#include "app/desktop/FullScreenFront.h"
#include "app/keys/Hotkeys.h"
#include "platform/ForwardingPlatform.h"
#include "platform/sim/SimDesktop.h"
#include "resources/resource_ids.h"
#include "tests/sim/WindowDesc.h"

namespace tessellor {
namespace {

INT_PTR quietProc(Platform&, HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// A shell over a 1000 x 800 desktop with a full-screen game and a plain window, its dialog made by
// hand and its tray icon added.
struct Program {
  sim::SimDesktop d;
  Shell shell{d, registerHookMessages(d)};
  HWND game = nullptr;
  HWND plain = nullptr;

  Program() {
    d.setScreen(1000, 800);
    shell.mainDialog = d.CreateDialogParamA(nullptr, MAKEINTRESOURCE(IDD_MAIN_DIALOG), nullptr, quietProc, 0);
    sim::WindowSpec g = sim::desc("game", RECT{0, 0, 1000, 800});
    g.nocaption = true;
    game = d.createWindow(g);
    plain = d.createWindow(sim::desc("plain"));
    shell.trayIcon.cbSize = NOTIFYICONDATAA_V2_SIZE;
    shell.trayIcon.hWnd = shell.mainDialog;
    shell.trayIcon.uID = TRAY_ICON_ID;
    d.Shell_NotifyIconA(NIM_ADD, &shell.trayIcon);
  }
};

// Only the states in which a full-screen program or a presentation runs take the keys; the screen
// saver, the first hour of a new account and a Store app do not.
TEST(FullScreenFront, WhatTheShellSaysTakesTheKeysOnlyForFullScreenAndPresentations) {
  Program t;
  t.d.setForeground(t.plain);
  struct Case {
    QUERY_USER_NOTIFICATION_STATE state;
    bool fullScreen;
  };
  const Case cases[] = {{QUNS_NOT_PRESENT, false},
                        {QUNS_BUSY, true},
                        {QUNS_RUNNING_D3D_FULL_SCREEN, true},
                        {QUNS_PRESENTATION_MODE, true},
                        {QUNS_ACCEPTS_NOTIFICATIONS, false},
                        {QUNS_QUIET_TIME, false},
                        {QUNS_APP, false}};
  for (const Case& c : cases) {
    t.d.setNotificationState(c.state);
    EXPECT_EQ(fullScreenInFront(t.shell), c.fullScreen) << c.state;
  }
}

// A shell that cannot be asked (a failed call) says nothing: the foreground window decides.
class NoShellState : public ForwardingPlatform {
 public:
  using ForwardingPlatform::ForwardingPlatform;
  HRESULT SHQueryUserNotificationState(QUERY_USER_NOTIFICATION_STATE* state) override {
    *state = QUNS_BUSY;  // left behind by the failed call: not to be read
    return E_NOTIMPL;
  }
};

TEST(FullScreenFront, AFailedAskLeavesItToTheForegroundWindow) {
  Program t;
  NoShellState p(t.d);
  Shell shell{p, registerHookMessages(p)};
  shell.mainDialog = t.shell.mainDialog;
  t.d.setForeground(t.plain);
  EXPECT_FALSE(fullScreenInFront(shell));
  t.d.setForeground(t.game);
  EXPECT_TRUE(fullScreenInFront(shell));
}

// The program's own dialog, the desktop and no window at all never count as a program in front.
TEST(FullScreenFront, NeitherTheDesktopNorTheDialogNorNothing) {
  Program t;
  sim::WindowSpec desk = sim::desc("desk", RECT{0, 0, 1000, 800});
  desk.title = "Program Manager";
  desk.nocaption = true;
  const HWND desktop = t.d.createWindow(desk);
  sim::WindowSpec untitled = sim::desc("worker", RECT{0, 0, 1000, 800});
  untitled.untitled = true;
  untitled.nocaption = true;
  const HWND worker = t.d.createWindow(untitled);
  for (const HWND front : {desktop, worker, HWND{}, t.shell.mainDialog}) {
    t.d.setForeground(front);
    EXPECT_FALSE(fullScreenInFront(t.shell));
  }
  t.d.setForeground(t.game);
  EXPECT_TRUE(fullScreenInFront(t.shell));
}

// While the game is in front nothing is registered and nothing is named, whatever the mode or the
// keys chosen meanwhile; once it has left, the keys of the mode come back, and a key that another
// program holds is named then, once.
TEST(FullScreenFront, KeysChosenMeanwhileComeBackWhenTheGameLeaves) {
  Program t;
  t.d.setHotkeyTaken(2);
  t.d.setForeground(t.game);
  registerHotkeysFor(t.shell, LayoutBorder);
  EXPECT_TRUE(t.d.hotkeys().empty());
  HotkeyKeys keys = t.shell.keys.chosen;
  keys[0] = HotkeyKey{MOD_CONTROL | MOD_ALT, 'N'};
  chooseKeys(t.shell, keys);
  EXPECT_TRUE(t.d.hotkeys().empty());
  EXPECT_TRUE(t.d.balloons().empty());

  t.d.setForeground(t.plain);
  registerHotkeysFor(t.shell, LayoutBorder);
  EXPECT_EQ(t.d.hotkeys(), (std::vector<int>{0, 1, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
  EXPECT_EQ(t.shell.keys.registered[0], (HotkeyKey{MOD_CONTROL | MOD_ALT, 'N'}));
  ASSERT_EQ(t.d.balloons().size(), 1u);
  registerHotkeysFor(t.shell, LayoutBorder);
  EXPECT_EQ(t.d.balloons().size(), 1u);
}

}  // namespace
}  // namespace tessellor
