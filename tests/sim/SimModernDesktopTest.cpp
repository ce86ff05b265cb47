// The desktop of Windows 10 and 11: invisible frames, monitors and work areas, kinds of windows,
// elevated programs, and what programs do to their own windows (hide, show, cloak, unminimize).
#include <gtest/gtest.h>

#include "WindowDesc.h"
#include "platform/sim/SimDesktop.h"

namespace tessellor::sim {
namespace {

const HWND kNoWindow = handleFromValue(0x99990);

RECT frameBounds(SimDesktop& d, HWND hwnd, HRESULT* result = nullptr) {
  RECT r{-1, -1, -1, -1};
  const HRESULT hr = d.DwmGetWindowAttribute(hwnd, DWMWA_EXTENDED_FRAME_BOUNDS, &r, sizeof r);
  if (result != nullptr) *result = hr;
  return r;
}

MONITORINFO monitorInfo(SimDesktop& d, HMONITOR monitor, BOOL* ok = nullptr) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  const BOOL answered = d.GetMonitorInfoA(monitor, &info);
  if (ok != nullptr) *ok = answered;
  return info;
}

// ---- Frames ----

TEST(SimFrames, WindowRectIsTheVisibleBoundsGrownByTheFrame) {
  SimDesktop d;
  WindowSpec s = desc("w");
  s.hasFrame = true;
  s.frame = RECT{7, 0, 7, 7};
  const HWND w = d.createWindow(s);
  RECT r{};
  ASSERT_TRUE(d.GetWindowRect(w, &r));
  EXPECT_EQ(r, (RECT{100, 100, 500, 400}));
  HRESULT hr = E_NOTIMPL;
  EXPECT_EQ(frameBounds(d, w, &hr), (RECT{107, 100, 493, 393}));
  EXPECT_EQ(hr, S_OK);
  // A placement is of the window rectangle; the visible bounds follow it.
  d.SetWindowPos(w, nullptr, 0, 0, 200, 100, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(frameBounds(d, w), (RECT{7, 0, 193, 93}));
  // Narrower than its frames: nothing visible, never a turned-over rectangle.
  d.SetWindowPos(w, nullptr, 0, 0, 10, 3, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(d.visibleRectOf(w), (RECT{7, 0, 7, 0}));
}

TEST(SimFrames, WithoutAFrameOrForBadArgumentsTheWindowManagerFailsAndWritesNothing) {
  SimDesktop d;
  const HWND plain = d.createWindow(desc("plain"));
  HRESULT hr = S_OK;
  EXPECT_EQ(frameBounds(d, plain, &hr), (RECT{-1, -1, -1, -1}));
  EXPECT_EQ(hr, E_NOTIMPL);
  EXPECT_EQ(d.visibleRectOf(plain), d.rectOf(plain));
  frameBounds(d, kNoWindow, &hr);
  EXPECT_EQ(hr, E_HANDLE);
  DWORD small = 0;
  EXPECT_EQ(d.DwmGetWindowAttribute(plain, DWMWA_EXTENDED_FRAME_BOUNDS, &small, sizeof small), E_INVALIDARG);
  EXPECT_EQ(d.DwmGetWindowAttribute(plain, DWMWA_CLOAKED, nullptr, sizeof(DWORD)), E_INVALIDARG);
  EXPECT_EQ(small, 0u);
}

// ---- Monitors ----

TEST(SimMonitors, ThePrimaryIsTheScreenAndItsWorkAreaIsResetByAScreenChange) {
  SimDesktop d;
  const HWND w = d.createWindow(desc("w"));
  BOOL ok = FALSE;
  MONITORINFO info = monitorInfo(d, d.MonitorFromWindow(w, MONITOR_DEFAULTTONULL), &ok);
  ASSERT_TRUE(ok);
  EXPECT_EQ(info.rcMonitor, (RECT{0, 0, 1280, 1024}));
  EXPECT_EQ(info.rcWork, (RECT{0, 0, 1280, 1024}));
  EXPECT_EQ(info.dwFlags, MONITORINFOF_PRIMARY);

  d.setWorkArea(RECT{0, 40, 1280, 1024});
  RECT work{};
  ASSERT_TRUE(d.SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
  EXPECT_EQ(work, (RECT{0, 40, 1280, 1024}));
  d.setScreen(800, 600);
  ASSERT_TRUE(d.SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
  EXPECT_EQ(work, (RECT{0, 0, 800, 600}));
  EXPECT_FALSE(d.SystemParametersInfoA(SPI_SETWORKAREA, 0, &work, 0));
}

TEST(SimMonitors, AWindowBelongsToTheLargestPartElseTheNearest) {
  SimDesktop d;
  d.setMonitor("right", RECT{1280, 0, 2560, 1024}, RECT{1280, 0, 2560, 984});
  // 1180..1500: 100 px on the primary, 220 on the right one.
  const HWND straddling = d.createWindow(desc("s", RECT{1180, 100, 1500, 400}));
  const HWND farRight = d.createWindow(desc("far", RECT{3000, 100, 3100, 200}));
  const HWND above = d.createWindow(desc("above", RECT{100, -500, 200, -400}));
  const HMONITOR primary = d.MonitorFromWindow(nullptr, MONITOR_DEFAULTTOPRIMARY);
  const HMONITOR right = d.MonitorFromWindow(straddling, MONITOR_DEFAULTTONULL);
  ASSERT_NE(right, nullptr);
  EXPECT_NE(right, primary);
  EXPECT_EQ(monitorInfo(d, right).rcWork, (RECT{1280, 0, 2560, 984}));
  EXPECT_EQ(monitorInfo(d, right).dwFlags, 0u);
  EXPECT_EQ(d.MonitorFromWindow(farRight, MONITOR_DEFAULTTONEAREST), right);
  EXPECT_EQ(d.MonitorFromWindow(above, MONITOR_DEFAULTTONEAREST), primary);
  EXPECT_EQ(d.MonitorFromWindow(farRight, MONITOR_DEFAULTTOPRIMARY), primary);
  EXPECT_EQ(d.MonitorFromWindow(farRight, MONITOR_DEFAULTTONULL), nullptr);
  EXPECT_EQ(d.MonitorFromWindow(kNoWindow, MONITOR_DEFAULTTOPRIMARY), primary);
  EXPECT_EQ(d.MonitorFromWindow(kNoWindow, MONITOR_DEFAULTTONULL), nullptr);
  // Minimised, it stays with the monitor it will come back to.
  d.minimize(straddling);
  EXPECT_EQ(d.MonitorFromWindow(straddling, MONITOR_DEFAULTTONULL), right);
}

TEST(SimMonitors, MaximisedWindowsFillTheirMonitorsWorkAreaAndFollowItsChanges) {
  SimDesktop d;
  d.setMonitor("right", RECT{1280, 0, 2560, 1024}, RECT{1280, 0, 2560, 984});
  WindowSpec s = desc("m", RECT{1400, 100, 1800, 500});
  s.maximized = true;
  const HWND m = d.createWindow(s);
  const HWND home = d.createWindow(desc("home"));
  EXPECT_EQ(d.rectOf(m), (RECT{1280, 0, 2560, 984}));
  d.setWorkArea(RECT{0, 0, 1280, 984});
  d.maximize(home);
  EXPECT_EQ(d.rectOf(home), (RECT{0, 0, 1280, 984}));
  const HMONITOR right = d.MonitorFromWindow(m, MONITOR_DEFAULTTONULL);
  d.setMonitor("right", RECT{1280, 0, 3200, 1200}, RECT{1280, 0, 3200, 1200});
  EXPECT_EQ(d.rectOf(m), (RECT{1280, 0, 3200, 1200}));
  EXPECT_EQ(d.MonitorFromWindow(m, MONITOR_DEFAULTTONULL), right);  // moved, the same monitor

  ASSERT_TRUE(d.removeMonitor("right"));
  EXPECT_FALSE(d.removeMonitor("right"));
  EXPECT_EQ(d.rectOf(m), (RECT{0, 0, 1280, 984}));
  BOOL ok = TRUE;
  monitorInfo(d, right, &ok);
  EXPECT_FALSE(ok);
  // A monitor of the same name later is another monitor.
  d.setMonitor("right", RECT{1280, 0, 2560, 1024}, RECT{1280, 0, 2560, 1024});
  EXPECT_NE(d.MonitorFromWindow(m, MONITOR_DEFAULTTONULL), right);
}

TEST(SimMonitors, MonitorInfoNeedsItsSize) {
  SimDesktop d;
  MONITORINFO info{};
  info.cbSize = sizeof info - 1;
  EXPECT_FALSE(d.GetMonitorInfoA(d.MonitorFromWindow(nullptr, MONITOR_DEFAULTTOPRIMARY), &info));
  EXPECT_EQ(info.rcMonitor, (RECT{0, 0, 0, 0}));
  EXPECT_FALSE(d.GetMonitorInfoA(nullptr, nullptr));
}

// ---- Kinds of windows ----

TEST(SimKinds, StylesOwnerAndCloakAreAnswered) {
  SimDesktop d;
  const HWND owner = d.createWindow(desc("owner"));
  WindowSpec s = desc("tool");
  s.exStyle = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
  s.owner = owner;
  s.cloaked = true;
  const HWND tool = d.createWindow(s);
  EXPECT_EQ(d.GetWindowLongPtrA(tool, GWL_EXSTYLE), WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE);
  EXPECT_EQ(d.GetWindowLongPtrA(owner, GWL_EXSTYLE), 0);
  EXPECT_EQ(d.GetWindow(tool, GW_OWNER), owner);
  EXPECT_EQ(d.GetWindow(owner, GW_OWNER), nullptr);
  EXPECT_EQ(d.GetWindow(kNoWindow, GW_OWNER), nullptr);
  DWORD cloaked = 0;
  EXPECT_EQ(d.DwmGetWindowAttribute(tool, DWMWA_CLOAKED, &cloaked, sizeof cloaked), S_OK);
  EXPECT_NE(cloaked, 0u);
  EXPECT_TRUE(d.IsWindowVisible(tool));
  EXPECT_EQ(d.DwmGetWindowAttribute(owner, DWMWA_CLOAKED, &cloaked, sizeof cloaked), S_OK);
  EXPECT_EQ(cloaked, 0u);

  const auto style = [&](HWND h) { return d.GetWindowLongPtrA(h, GWL_STYLE); };
  EXPECT_EQ(style(owner) & (WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE), WS_VISIBLE);
  d.maximize(owner);
  EXPECT_NE(style(owner) & WS_MAXIMIZE, 0);
  d.minimize(owner);
  EXPECT_EQ(style(owner) & (WS_MINIMIZE | WS_MAXIMIZE), WS_MINIMIZE);
  d.ShowWindow(owner, SW_HIDE);
  EXPECT_EQ(style(owner) & WS_VISIBLE, 0);
}

// ---- Elevated programs ----

TEST(SimElevated, PlacementsFailChangeNothingYetAreRecordedAndCounted) {
  SimDesktop d;
  WindowSpec s = desc("admin");
  s.elevated = true;
  const HWND w = d.createWindow(s);
  const HWND other = d.createWindow(desc("other"));
  WINDOWPLACEMENT wp{};
  wp.length = sizeof wp;
  wp.showCmd = SW_MAXIMIZE;
  wp.rcNormalPosition = RECT{0, 0, 10, 10};
  EXPECT_FALSE(d.SetWindowPlacement(w, &wp));
  EXPECT_FALSE(d.SetWindowPos(w, nullptr, 5, 5, 50, 50, 0));
  EXPECT_FALSE(d.ShowWindow(w, SW_HIDE));
  EXPECT_EQ(d.rectOf(w), (RECT{100, 100, 500, 400}));
  EXPECT_FALSE(d.isMaximized(w));
  EXPECT_FALSE(d.isHidden(w));
  EXPECT_EQ(d.zOrder().front(), other);
  EXPECT_EQ(d.GetForegroundWindow(), nullptr);
  EXPECT_EQ(d.calls().size(), 2u);
  EXPECT_EQ(d.placementCount(), 2);
}

TEST(SimElevated, OnlyLimitedQueriesOpenItsProcessAndItsTokenSaysElevated) {
  SimDesktop d;
  WindowSpec s = desc("admin");
  s.exe = "notepad.exe";
  s.elevated = true;
  const HWND admin = d.createWindow(s);
  WindowSpec plainSpec = desc("plain");
  plainSpec.exe = "notepad.exe";
  const HWND plain = d.createWindow(plainSpec);
  DWORD adminPid = 0, plainPid = 0;
  d.GetWindowThreadProcessId(admin, &adminPid);
  d.GetWindowThreadProcessId(plain, &plainPid);
  EXPECT_NE(adminPid, plainPid);  // the same program, run twice: one elevated copy

  EXPECT_EQ(d.OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, adminPid), nullptr);
  const HANDLE limited = d.OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, adminPid);
  ASSERT_NE(limited, nullptr);
  char path[MAX_PATH] = {};
  DWORD size = sizeof path;
  EXPECT_TRUE(d.QueryFullProcessImageNameA(limited, 0, path, &size));
  HMODULE module = nullptr;
  DWORD needed = 0;
  EXPECT_FALSE(d.EnumProcessModules(limited, &module, sizeof module, &needed));

  const auto elevation = [&](HANDLE process) {
    HANDLE token = nullptr;
    EXPECT_TRUE(d.OpenProcessToken(process, TOKEN_QUERY, &token));
    TOKEN_ELEVATION e{7};
    DWORD returned = 0;
    EXPECT_FALSE(d.GetTokenInformation(token, TokenElevation, &e, sizeof e - 1, &returned));
    EXPECT_EQ(returned, sizeof e);
    EXPECT_TRUE(d.GetTokenInformation(token, TokenElevation, &e, sizeof e, &returned));
    EXPECT_TRUE(d.CloseHandle(token));
    EXPECT_FALSE(d.GetTokenInformation(token, TokenElevation, &e, sizeof e, &returned));
    return e.TokenIsElevated;
  };
  EXPECT_NE(elevation(limited), 0u);
  EXPECT_EQ(elevation(d.GetCurrentProcess()), 0u);
  const HANDLE full = d.OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, plainPid);
  ASSERT_NE(full, nullptr);
  EXPECT_EQ(elevation(full), 0u);
  EXPECT_TRUE(d.CloseHandle(limited));
  HANDLE token = nullptr;
  EXPECT_FALSE(d.OpenProcessToken(limited, TOKEN_QUERY, &token));  // closed
}

// ---- What a window's own program does ----

TEST(SimOwnPrograms, HideLeavesNoForegroundAndShowNeitherRaisesNorActivates) {
  SimDesktop d;
  const HWND a = d.createWindow(desc("a"));
  const HWND b = d.createWindow(desc("b"));
  d.setForeground(a);
  d.hideWindow(a);
  EXPECT_FALSE(d.IsWindowVisible(a));
  EXPECT_EQ(d.GetForegroundWindow(), nullptr);
  d.showWindow(a);
  EXPECT_TRUE(d.IsWindowVisible(a));
  EXPECT_EQ(d.GetForegroundWindow(), nullptr);
  EXPECT_EQ(d.zOrder().front(), b);

  d.setCloaked(b, true);
  EXPECT_TRUE(d.isCloaked(b));
  EXPECT_TRUE(d.IsWindowVisible(b));
  d.setCloaked(b, false);
  EXPECT_FALSE(d.isCloaked(b));
}

TEST(SimOwnPrograms, UnminimizeGivesBackTheStateBeforeTheMinimise) {
  SimDesktop d;
  const HWND w = d.createWindow(desc("w"));
  d.maximize(w);
  d.minimize(w);
  d.minimize(w);  // twice: still remembered as maximised
  d.unminimize(w);
  EXPECT_TRUE(d.isMaximized(w));
  EXPECT_EQ(d.rectOf(w), (RECT{0, 0, 1280, 1024}));
  d.restore(w);
  d.ShowWindow(w, SW_MINIMIZE);
  d.unminimize(w);
  EXPECT_FALSE(d.isMaximized(w));
  EXPECT_FALSE(d.isMinimized(w));
  EXPECT_EQ(d.rectOf(w), (RECT{100, 100, 500, 400}));
  d.maximize(w);
  d.unminimize(w);  // not minimised: nothing changes
  EXPECT_TRUE(d.isMaximized(w));
}

}  // namespace
}  // namespace tessellor::sim
