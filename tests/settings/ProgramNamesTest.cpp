// Each process is asked its program name once; no process is ever answered another's name.
#include <gtest/gtest.h>

#include <string>

#include "platform/ForwardingPlatform.h"
#include "platform/sim/SimDesktop.h"
#include "settings/Eligibility.h"
#include "settings/ProgramNames.h"

namespace tessellor {
namespace {

// Counts the questions that name a process's program: its image's path, and the list of its
// modules, which under Wine reads the other process's memory. `imageFails` makes the first refuse.
class CountingPlatform final : public ForwardingPlatform {
 public:
  using ForwardingPlatform::ForwardingPlatform;
  BOOL QueryFullProcessImageNameA(HANDLE process, DWORD flags, char* name, DWORD* size) override {
    ++imageQueries;
    if (imageFails) return FALSE;
    return desktop_.QueryFullProcessImageNameA(process, flags, name, size);
  }
  BOOL EnumProcessModules(HANDLE process, HMODULE* modules, DWORD size, DWORD* needed) override {
    ++moduleQueries;
    return desktop_.EnumProcessModules(process, modules, size, needed);
  }
  int queries() const { return imageQueries + moduleQueries; }
  bool imageFails = false;
  int imageQueries = 0;
  int moduleQueries = 0;
};

HWND windowOf(sim::SimDesktop& desk, const char* name, const char* exe) {
  sim::WindowSpec described;
  described.name = name;
  described.exe = exe;
  return desk.createWindow(described);
}

std::string nameOf(ProgramNames& names, Platform& platform, HWND hwnd, DWORD size = 100) {
  char name[100] = {};
  return names.programName(platform, hwnd, name, size) ? name : "(none)";
}

TEST(ProgramNames, OneQueryAProcessAndEachWindowItsOwnProgram) {
  sim::SimDesktop desk;
  CountingPlatform platform(desk);
  const HWND editor1 = windowOf(desk, "editor1", "editor.exe");
  const HWND editor2 = windowOf(desk, "editor2", "editor.exe");
  const HWND mail = windowOf(desk, "mail", "mail.exe");
  const HWND closed = windowOf(desk, "closed", "-");  // its process cannot be opened
  ProgramNames names;

  EXPECT_EQ(nameOf(names, platform, editor1), "editor.exe");
  EXPECT_EQ(nameOf(names, platform, editor2), "editor.exe");
  EXPECT_EQ(nameOf(names, platform, mail), "mail.exe");
  EXPECT_EQ(nameOf(names, platform, editor1), "editor.exe");
  EXPECT_EQ(platform.queries(), 2);
  // A process that cannot be asked has no name, each time it is asked.
  EXPECT_EQ(nameOf(names, platform, closed), "(none)");
  EXPECT_EQ(nameOf(names, platform, closed), "(none)");
  // A kept name is cut to the caller's buffer as a fresh one is: "edit" and its NUL.
  EXPECT_EQ(nameOf(names, platform, editor2, 5), "edit");
  EXPECT_EQ(nameOf(names, platform, nullptr), "(none)");
}

TEST(ProgramNames, ManyProgramsForgetTheOldestAndStillAnswerRight) {
  sim::SimDesktop desk;
  CountingPlatform platform(desk);
  ProgramNames names;
  std::vector<HWND> windows;
  const std::size_t programs = ProgramNames::kMostKnown + 3;
  for (std::size_t i = 0; i < programs; ++i) {
    const std::string exe = "program" + std::to_string(i) + ".exe";
    windows.push_back(windowOf(desk, ("w" + std::to_string(i)).c_str(), exe.c_str()));
  }
  for (std::size_t i = 0; i < programs; ++i) {
    EXPECT_EQ(nameOf(names, platform, windows[i]), "program" + std::to_string(i) + ".exe");
  }
  // The first three were forgotten and are asked again; the last one is still known.
  EXPECT_EQ(nameOf(names, platform, windows[0]), "program0.exe");
  EXPECT_EQ(nameOf(names, platform, windows.back()), "program" + std::to_string(programs - 1) + ".exe");
  EXPECT_EQ(platform.queries(), static_cast<int>(programs) + 1);
}

// A layout's start names every program on the desktop: the image's path answers it in one question,
// and the modules are never listed while it does.
TEST(ProgramNames, TheImageNamesTheProgramWithoutListingItsModules) {
  sim::SimDesktop desk;
  CountingPlatform platform(desk);
  const HWND editor = windowOf(desk, "editor", "editor.exe");
  char name[100] = {};
  ASSERT_TRUE(getProgramName(platform, editor, name, sizeof name));
  EXPECT_STREQ(name, "editor.exe");
  EXPECT_EQ(platform.imageQueries, 1);
  EXPECT_EQ(platform.moduleQueries, 0);
}

// Where the image's path cannot be read, the first module still names the program; where neither
// answers, the buffer keeps what it held.
TEST(ProgramNames, TheModulesNameTheProgramWhenTheImageCannot) {
  sim::SimDesktop desk;
  CountingPlatform platform(desk);
  platform.imageFails = true;
  const HWND mail = windowOf(desk, "mail", "mail.exe");
  char name[100] = {};
  ASSERT_TRUE(getProgramName(platform, mail, name, sizeof name));
  EXPECT_STREQ(name, "mail.exe");
  EXPECT_EQ(platform.moduleQueries, 1);

  const HWND closed = windowOf(desk, "closed", "-");
  char kept[100] = "before";
  EXPECT_FALSE(getProgramName(platform, closed, kept, sizeof kept));
  EXPECT_STREQ(kept, "before");
}

}  // namespace
}  // namespace tessellor
