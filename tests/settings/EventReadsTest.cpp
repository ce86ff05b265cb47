// Each answer of the window system read once an event: asked again after anything that may change
// it, and after the event; process handles and tokens kept for the event, and closed after it.
#include <gtest/gtest.h>

#include "platform/EventReads.h"
#include "platform/ForwardingPlatform.h"
#include "platform/sim/SimDesktop.h"
#include "settings/ApplicationWindow.h"

namespace tessellor {
namespace {

class CountingDesktop final : public ForwardingPlatform {
 public:
  using ForwardingPlatform::ForwardingPlatform;
  BOOL IsWindow(HWND hwnd) override {
    ++existence;
    return desktop_.IsWindow(hwnd);
  }
  BOOL GetWindowRect(HWND hwnd, RECT* rect) override {
    ++rects;
    return desktop_.GetWindowRect(hwnd, rect);
  }
  LONG_PTR GetWindowLongPtrA(HWND hwnd, int index) override {
    ++styles;
    return desktop_.GetWindowLongPtrA(hwnd, index);
  }
  HMONITOR MonitorFromRect(const RECT* rect, DWORD flags) override {
    ++monitors;
    return desktop_.MonitorFromRect(rect, flags);
  }
  HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags) override {
    ++monitors;
    return desktop_.MonitorFromWindow(hwnd, flags);
  }
  HANDLE OpenProcess(DWORD access, BOOL inherit, DWORD processId) override {
    ++opened;
    return desktop_.OpenProcess(access, inherit, processId);
  }
  BOOL OpenProcessToken(HANDLE process, DWORD access, HANDLE* token) override {
    ++opened;
    return desktop_.OpenProcessToken(process, access, token);
  }
  BOOL CloseHandle(HANDLE handle) override {
    ++closed;
    return desktop_.CloseHandle(handle);
  }
  int existence = 0, rects = 0, styles = 0, monitors = 0, opened = 0, closed = 0;
};

class EventReadsTest : public ::testing::Test {
 protected:
  EventReadsTest() { desk.setScreen(1280, 1024); }
  HWND window(const char* name, const RECT& at = RECT{100, 100, 500, 400}) {
    sim::WindowSpec s;
    s.name = name;
    s.at = at;
    return desk.createWindow(s);
  }
  sim::SimDesktop desk;
  CountingDesktop counted{desk};
  EventReads reads{counted};
};

TEST_F(EventReadsTest, AnAnswerIsKeptUntilAChangeOrTheEventsEnd) {
  const HWND a = window("a");
  RECT rect{};
  for (int i = 0; i < 3; ++i) {
    reads.GetWindowRect(a, &rect);
    reads.GetWindowLongPtrA(a, GWL_STYLE);
  }
  EXPECT_EQ(counted.rects, 1);
  EXPECT_EQ(counted.styles, 1);

  // A placement is seen at once.
  reads.SetWindowPos(a, nullptr, 10, 20, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);
  reads.GetWindowRect(a, &rect);
  EXPECT_EQ(rect, (RECT{10, 20, 310, 220}));
  EXPECT_EQ(counted.rects, 2);

  // So is what happened between events, once the event is over.
  desk.setRect(a, RECT{0, 0, 640, 480});
  reads.GetWindowRect(a, &rect);
  EXPECT_EQ(rect, (RECT{10, 20, 310, 220}));
  reads.forget();
  reads.GetWindowRect(a, &rect);
  EXPECT_EQ(rect, (RECT{0, 0, 640, 480}));

  // A window the enumeration named exists until a change; one it did not is asked.
  reads.EnumWindows([](HWND, LPARAM) -> BOOL { return TRUE; }, 0);
  EXPECT_TRUE(reads.IsWindow(a));
  EXPECT_EQ(counted.existence, 0);
  EXPECT_FALSE(reads.IsWindow(handleFromValue(0x99990)));
  EXPECT_EQ(counted.existence, 1);

  // A read that failed leaves the caller's record alone, each time.
  RECT untouched{1, 2, 3, 4};
  EXPECT_FALSE(reads.GetWindowRect(handleFromValue(0x99990), &untouched));
  EXPECT_FALSE(reads.GetWindowRect(handleFromValue(0x99990), &untouched));
  EXPECT_EQ(untouched, (RECT{1, 2, 3, 4}));
}

// Handles are closed once, after the event; the kept level answers as the process's own token does,
// its SID read from the caller's buffer.
TEST_F(EventReadsTest, ProcessesAreOpenedOnceAndClosedAfterTheEvent) {
  // UIAccess at our own level: only the label's level and the UIAccess flag refuse it.
  sim::WindowSpec uiAccess;
  uiAccess.name = "uiaccess";
  uiAccess.integrity = SECURITY_MANDATORY_MEDIUM_RID;
  uiAccess.uiAccess = true;
  const HWND elevated = desk.createWindow(uiAccess);
  const HWND plain = window("plain");
  for (int i = 0; i < 3; ++i) {
    EXPECT_FALSE(mayMoveWindow(reads, elevated));
    EXPECT_TRUE(mayMoveWindow(reads, plain));
  }
  const int openedOnce = counted.opened;
  EXPECT_EQ(counted.closed, 0);
  EXPECT_FALSE(mayMoveWindow(reads, elevated));
  EXPECT_EQ(counted.opened, openedOnce);

  reads.forget();
  EXPECT_EQ(counted.closed, counted.opened);
  EXPECT_FALSE(mayMoveWindow(reads, elevated));
  EXPECT_GT(counted.opened, openedOnce);
}

TEST_F(EventReadsTest, OneMonitorAnswersForEveryWindowAndEveryRectangleThatMeetsIt) {
  const HWND a = window("a");
  const HMONITOR primary = desk.MonitorFromWindow(a, MONITOR_DEFAULTTONEAREST);
  const RECT off{2000, 2000, 2100, 2100};
  const RECT empty{50, 50, 50, 90};
  const RECT across{1200, 900, 1400, 1100};
  for (const RECT& r : {off, empty, across}) {
    for (DWORD flags : {MONITOR_DEFAULTTONULL, MONITOR_DEFAULTTOPRIMARY, MONITOR_DEFAULTTONEAREST}) {
      EXPECT_EQ(reads.MonitorFromRect(&r, flags), desk.MonitorFromRect(&r, flags));
    }
  }
  EXPECT_EQ(reads.MonitorFromWindow(a, MONITOR_DEFAULTTONEAREST), primary);
  // Asked once for the one monitor, whatever was asked after.
  EXPECT_EQ(counted.monitors, 1);

  // With a second monitor each question goes to the window system again.
  desk.setMonitor("right", RECT{1280, 0, 2560, 1024}, RECT{1280, 0, 2560, 984});
  reads.forget();
  EXPECT_EQ(reads.MonitorFromRect(&across, MONITOR_DEFAULTTONEAREST),
            desk.MonitorFromRect(&across, MONITOR_DEFAULTTONEAREST));
  EXPECT_EQ(reads.MonitorFromRect(&off, MONITOR_DEFAULTTONULL), nullptr);
  EXPECT_EQ(counted.monitors, 3);
}

}  // namespace
}  // namespace tessellor
