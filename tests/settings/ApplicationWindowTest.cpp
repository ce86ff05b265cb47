#include <gtest/gtest.h>

#include <cstring>

#include "platform/ForwardingPlatform.h"
#include "platform/sim/SimDesktop.h"
#include "settings/ApplicationWindow.h"

namespace tessellor {
namespace {

sim::WindowSpec windowNamed(const std::string& name) {
  sim::WindowSpec s;
  s.name = name;
  return s;
}

// Each kind of window the taskbar does not show as an application is refused on its own; an owner
// is forgiven only by WS_EX_APPWINDOW, a tool or no-activate style never.
TEST(ApplicationWindow, OnlyWindowsTheTaskbarShowsAsApplications) {
  sim::SimDesktop desk;
  const HWND owner = desk.createWindow(windowNamed("owner"));
  struct Case {
    const char* name;
    bool cloaked;
    LONG_PTR exStyle;
    bool owned;
    bool application;
  };
  // clang-format off
  //   name                 cloaked extended style                      owned  application
  const Case cases[] = {
      {"plain",              false,  0,                                  false, true},
      {"cloaked",            true,   0,                                  false, false},
      {"tool",               false,  WS_EX_TOOLWINDOW,                   false, false},
      {"noactivate",         false,  WS_EX_NOACTIVATE,                   false, false},
      {"owned",              false,  0,                                  true,  false},
      {"ownedApp",           false,  WS_EX_APPWINDOW,                    true,  true},
      {"unownedApp",         false,  WS_EX_APPWINDOW,                    false, true},
      {"toolApp",            false,  WS_EX_TOOLWINDOW | WS_EX_APPWINDOW, false, false},
      {"ownedAppCloaked",    true,   WS_EX_APPWINDOW,                    true,  false},
      {"ownedNoactivateApp", false,  WS_EX_NOACTIVATE | WS_EX_APPWINDOW, true,  false},
  };
  // clang-format on
  for (const Case& c : cases) {
    sim::WindowSpec s = windowNamed(c.name);
    s.cloaked = c.cloaked;
    s.exStyle = c.exStyle;
    if (c.owned) s.owner = owner;
    const HWND hwnd = desk.createWindow(s);
    EXPECT_EQ(isApplicationWindow(desk, hwnd), c.application) << c.name;
  }
}

// Only an elevated window under a Tessellor that is not elevated refuses; not knowing never does.
TEST(Integrity, OnlyAHigherLevelRefuses) {
  using enum Elevation;
  EXPECT_TRUE(outranks(Yes, No));
  EXPECT_FALSE(outranks(Yes, Yes));  // Tessellor elevated too: it may move the window
  EXPECT_FALSE(outranks(No, No));
  EXPECT_FALSE(outranks(No, Yes));
  EXPECT_FALSE(outranks(Unknown, No));
  EXPECT_FALSE(outranks(Yes, Unknown));
}

TEST(Integrity, ElevatedWindowsMayNotBeMoved) {
  sim::SimDesktop desk;
  sim::WindowSpec admin = windowNamed("admin");
  admin.elevated = true;
  admin.exe = "regedit.exe";
  sim::WindowSpec closed = windowNamed("closed");
  closed.exe = "-";  // its process cannot be opened at all
  EXPECT_FALSE(mayMoveWindow(desk, desk.createWindow(admin)));
  EXPECT_FALSE(isTileableWindow(desk, desk.createWindow(admin)));
  EXPECT_TRUE(mayMoveWindow(desk, desk.createWindow(windowNamed("plain"))));
  EXPECT_TRUE(mayMoveWindow(desk, desk.createWindow(closed)));
  EXPECT_TRUE(mayMoveWindow(desk, handleFromValue(0x99990)));  // no window: nothing known
}

// User Interface Privilege Isolation by level, and UIAccess that Tessellor lacks at a level not below
// its own.
TEST(Integrity, AHigherLevelOrUiAccessRefuses) {
  const Integrity low{SECURITY_MANDATORY_LOW_RID, false}, medium{SECURITY_MANDATORY_MEDIUM_RID, false},
      uiAccess{SECURITY_MANDATORY_MEDIUM_RID, true}, high{SECURITY_MANDATORY_HIGH_RID, false},
      system{SECURITY_MANDATORY_SYSTEM_RID, false};
  EXPECT_TRUE(outranks(high, medium));
  EXPECT_TRUE(outranks(system, high));  // run as administrator, SYSTEM still refuses
  EXPECT_TRUE(outranks(uiAccess, medium));
  EXPECT_FALSE(outranks(uiAccess, high));
  EXPECT_FALSE(outranks(uiAccess, uiAccess));
  EXPECT_FALSE(outranks(medium, medium));
  EXPECT_FALSE(outranks(low, medium));
  EXPECT_FALSE(outranks(medium, high));
  EXPECT_TRUE(outranks(medium, low));  // a Tessellor started at low moves nothing of medium
}

// Tessellor runs at medium: SYSTEM, high and UIAccess processes refuse it, low and medium do not,
// and neither does one that cannot be opened (its placements tell).
TEST(Integrity, LevelsAboveOursMayNotBeMoved) {
  sim::SimDesktop desk;
  const auto at = [&](const char* name, DWORD level, bool uiAccess) {
    sim::WindowSpec s = windowNamed(name);
    s.integrity = level;
    s.uiAccess = uiAccess;
    return mayMoveWindow(desk, desk.createWindow(s));
  };
  EXPECT_FALSE(at("system", SECURITY_MANDATORY_SYSTEM_RID, false));
  EXPECT_FALSE(at("high", SECURITY_MANDATORY_HIGH_RID, false));
  EXPECT_FALSE(at("uiaccess", SECURITY_MANDATORY_MEDIUM_RID, true));
  EXPECT_TRUE(at("medium", SECURITY_MANDATORY_MEDIUM_RID, false));
  EXPECT_TRUE(at("low", SECURITY_MANDATORY_LOW_RID, false));
  sim::WindowSpec closed = windowNamed("closedSystem");
  closed.integrity = SECURITY_MANDATORY_SYSTEM_RID;
  closed.exe = "-";
  EXPECT_TRUE(mayMoveWindow(desk, desk.createWindow(closed)));
}

// A token whose label points outside what GetTokenInformation wrote, or whose SID claims more
// subauthorities than fit, is not read past its end: its level counts as unknown, and elevation
// decides.
class BadLabels final : public ForwardingPlatform {
 public:
  using ForwardingPlatform::ForwardingPlatform;
  enum class Fault { SidOutside, TooManySubAuthorities } fault = Fault::SidOutside;
  BOOL GetTokenInformation(HANDLE token, int infoClass, void* info, DWORD length, DWORD* returned) override {
    const BOOL ok = desktop_.GetTokenInformation(token, infoClass, info, length, returned);
    if (!ok || infoClass != TokenIntegrityLevel) return ok;
    TOKEN_MANDATORY_LABEL label{};
    std::memcpy(&label, info, sizeof label);
    if (fault == Fault::SidOutside) {
      label.Label.Sid = static_cast<BYTE*>(info) + length + 64;
      std::memcpy(info, &label, sizeof label);
    } else {
      static_cast<BYTE*>(label.Label.Sid)[1] = 200;
    }
    return ok;
  }
};

TEST(Integrity, DamagedLabelsAreNotReadPastTheirEnd) {
  sim::SimDesktop desk;
  sim::WindowSpec admin = windowNamed("admin");
  admin.elevated = true;
  const HWND a = desk.createWindow(admin), plain = desk.createWindow(windowNamed("plain"));
  for (const auto fault : {BadLabels::Fault::SidOutside, BadLabels::Fault::TooManySubAuthorities}) {
    BadLabels bad(desk);
    bad.fault = fault;
    EXPECT_FALSE(mayMoveWindow(bad, a));  // its elevation still tells
    EXPECT_TRUE(mayMoveWindow(bad, plain));
  }
}

// Every token and process handle opened to ask is closed again.
TEST(Integrity, AskingLeavesNoHandleOpen) {
  sim::SimDesktop desk;
  sim::WindowSpec admin = windowNamed("admin");
  admin.elevated = true;
  const HWND hwnd = desk.createWindow(admin);
  const std::size_t before = desk.openHandleCount();
  mayMoveWindow(desk, hwnd);
  mayMoveWindow(desk, desk.createWindow(windowNamed("plain")));
  EXPECT_EQ(desk.openHandleCount(), before);
}

}  // namespace
}  // namespace tessellor
