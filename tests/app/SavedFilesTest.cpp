// Saving what must outlive the process: a failed save is said once per run of failures.
#include <gtest/gtest.h>

#include "app/SavedFiles.h"
#include "platform/sim/SimDesktop.h"

namespace tessellor {
namespace {

class SavedFiles : public ::testing::Test {
 protected:
  SavedFiles() : shell(desk, registerHookMessages(desk)) {
    shell.trayIcon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    desk.Shell_NotifyIconA(NIM_ADD, &shell.trayIcon);
  }
  void save(bool ok) { reportSave(shell, "C:\\f.dat", ok, "Not saved", "Why."); }

  sim::SimDesktop desk;
  Shell shell;
};

TEST_F(SavedFiles, AFailureIsSaidOnceUntilASaveWorksAgain) {
  save(false);
  save(false);
  ASSERT_EQ(desk.balloons().size(), 1u);
  EXPECT_EQ(desk.balloons()[0].title, "Not saved");
  EXPECT_EQ(desk.balloons()[0].text, "Tessellor could not write C:\\f.dat. Why.");
  save(true);
  save(true);
  save(false);  // a new failure after a save that worked, in the same event: said already
  EXPECT_EQ(desk.balloons().size(), 1u);
  shell.saidFailedThisEvent.clear();  // as the event ends
  save(true);
  save(false);  // a new failure in a later event
  EXPECT_EQ(desk.balloons().size(), 2u);
}

TEST_F(SavedFiles, EachFileIsSaidForItself) {
  save(false);
  reportSave(shell, "C:\\g.dat", false, "Other", "Why.");
  EXPECT_EQ(desk.balloons().size(), 2u);
}

}  // namespace
}  // namespace tessellor
