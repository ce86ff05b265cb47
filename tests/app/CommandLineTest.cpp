// tessellor.exe's switches: which command lines start the tray program, and what /close answers when
// the running copy cannot be asked or does not end.
#include <gtest/gtest.h>

#include <string>

#include "app/CommandLine.h"
#include "platform/ForwardingPlatform.h"
#include "platform/sim/SimDesktop.h"
#include "resources/resource_ids.h"
#include "tessellor_version.h"

namespace tessellor::sim {
namespace {

TEST(CommandLine, SwitchesAreWordsAfterASlashOrDashInAnyCase) {
  for (const char* line : {"", "   ", "\t\r\n"}) EXPECT_EQ(parseSwitch(line), Switch::Start) << '"' << line << '"';
  EXPECT_EQ(parseSwitch(nullptr), Switch::Start);
  for (const char* line : {"/close", "-close", " /CLOSE ", "/Close\r\n"}) {
    EXPECT_EQ(parseSwitch(line), Switch::Close) << line;
  }
  for (const char* line : {"/uninstall", "-UNINSTALL"}) EXPECT_EQ(parseSwitch(line), Switch::Uninstall) << line;
  for (const char* line : {"/?", "-?", "/help", "-Help"}) EXPECT_EQ(parseSwitch(line), Switch::Usage) << line;
  // A switch with more after it, or a word without / or -, is not taken for another one.
  for (const char* line : {"close", "/", "-", "/closer", "/close now", "/?/close", "//close", "/ close"}) {
    EXPECT_EQ(parseSwitch(line), Switch::Unknown) << line;
  }
}

struct Reported {
  SimDesktop desktop;
  std::vector<std::string> lines;
  Reported() {
    desktop.onReport = [this](const std::string& line) { lines.push_back(line); };
  }
};

TEST(CommandLine, TheUsageBoxNamesTheVersionAndAnUnknownSwitch) {
  Reported r;
  EXPECT_EQ(runSwitch(r.desktop, "/?", "9.8.7"), EXIT_DONE);
  ASSERT_EQ(r.lines.size(), 1U);
  EXPECT_EQ(r.lines[0].rfind("messagebox \"Tessellor 9.8.7\"", 0), 0U) << r.lines[0];
  for (const char* named : {"Tessellor 9.8.7 tiles", "/close", "/uninstall", "/?", TESSELLOR_COPYRIGHT}) {
    EXPECT_NE(r.lines[0].find(named), std::string::npos) << named;
  }

  EXPECT_EQ(runSwitch(r.desktop, " /start ", "9.8.7"), EXIT_UNKNOWN_SWITCH);
  ASSERT_EQ(r.lines.size(), 2U);
  EXPECT_NE(r.lines[1].find("does not know /start."), std::string::npos) << r.lines[1];
  EXPECT_EQ(runSwitch(r.desktop, "", "9.8.7"), std::nullopt);
  EXPECT_EQ(r.lines.size(), 2U);
}

INT_PTR deafProc(Platform&, HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// A running copy whose main dialog does not end on "Close" (hung in its own work, or an older
// program): /close must not report it closed.
TEST(CommandLine, CloseAnswersStillRunningWhenTheCopyDoesNotEnd) {
  SimDesktop d;
  d.CreateDialogParamA(nullptr, MAKEINTRESOURCE(IDD_MAIN_DIALOG), nullptr, deafProc, 0);
  d.setOtherCopy(true);
  EXPECT_EQ(runSwitch(d, "/close", "9.8.7"), EXIT_STILL_RUNNING);
  EXPECT_EQ(d.openHandleCount(), 0U);
}

// A copy running as administrator: a standard process may not wait for it, nor post to it.
class NoSynchronize : public ForwardingPlatform {
 public:
  using ForwardingPlatform::ForwardingPlatform;
  HANDLE OpenProcess(DWORD access, BOOL inherit, DWORD processId) override {
    if ((access & SYNCHRONIZE) != 0) return nullptr;
    return ForwardingPlatform::OpenProcess(access, inherit, processId);
  }
};

TEST(CommandLine, CloseAsksNothingOfACopyItCannotWaitFor) {
  SimDesktop d;
  d.CreateDialogParamA(nullptr, MAKEINTRESOURCE(IDD_MAIN_DIALOG), nullptr, deafProc, 0);
  d.setOtherCopy(true);
  NoSynchronize view(d);
  EXPECT_EQ(runSwitch(view, "/close", "9.8.7"), EXIT_STILL_RUNNING);
  EXPECT_TRUE(d.queueEmpty());
}

// The copy's own dialog is not the running copy: alone, /close has nothing to close.
TEST(CommandLine, CloseLeavesItsOwnProcessAlone) {
  SimDesktop d;
  d.CreateDialogParamA(nullptr, MAKEINTRESOURCE(IDD_MAIN_DIALOG), nullptr, deafProc, 0);
  EXPECT_EQ(runSwitch(d, "/close", "9.8.7"), EXIT_DONE);
  EXPECT_TRUE(d.queueEmpty());
}

}  // namespace
}  // namespace tessellor::sim
