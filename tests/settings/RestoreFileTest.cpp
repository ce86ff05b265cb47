// The restore journal's format: what is written reads back the same, and anything else is refused
// whole.
#include <gtest/gtest.h>

#include <string>

#include "settings/RestoreFile.h"

namespace tessellor {
namespace {

using namespace std::string_literals;

KeptWindow window(std::uintptr_t handle, const char* windowClass, RECT normal, bool maximized = false) {
  KeptWindow w;
  w.id = WindowIdentity{handleFromValue(handle), 4100, 133444736000000002ull, windowClass};
  w.place = KeptPlacement{normal, maximized};
  return w;
}

const std::string kTwo =
    "Tessellor restore 1\r\n"
    "window 0x10020 4100 133444736000000002 normal 600 120 1000 420 Notepad\r\n"
    "window 0x1ffff0 4100 133444736000000002 maximized -1280 -8 -100 700 Chrome_WidgetWin_1\r\n"
    "end 2\r\n";

TEST(RestoreFile, WritesAHeaderALineAWindowAndTheCount) {
  EXPECT_EQ(restoreFileBytes({window(0x10020, "Notepad", {600, 120, 1000, 420}),
                              window(0x1ffff0, "Chrome_WidgetWin_1", {-1280, -8, -100, 700}, true)}),
            kTwo);
  EXPECT_EQ(restoreFileBytes({}), "Tessellor restore 1\r\nend 0\r\n");
}

TEST(RestoreFile, ReadsBackWhatItWrites) {
  const std::vector<KeptWindow> windows = {
      window(0x10020, "Notepad", {600, 120, 1000, 420}),
      window(0x7fffffffffffffffull, "", {-2147483647 - 1, 0, 2147483647, 1}, true),
      // Blanks, a backslash, control bytes and bytes of the ANSI code page in a class name.
      window(0x30, "My Class \\ \x01\x7f\xe9\xff", {0, 0, 0, 0}),
  };
  const std::string bytes = restoreFileBytes(windows);
  EXPECT_NE(bytes.find("My Class \\x5C \\x01\\x7F\\xE9\\xFF\r\n"), std::string::npos);
  EXPECT_EQ(parseRestoreFile(bytes), windows);
  EXPECT_EQ(parseRestoreFile(restoreFileBytes({})), std::vector<KeptWindow>{});
}

TEST(RestoreFile, RefusesAFileCutShort) {
  for (std::size_t n = 0; n < kTwo.size(); ++n) {
    EXPECT_EQ(parseRestoreFile(kTwo.substr(0, n)), std::nullopt) << n;
  }
  // Cut after a whole window line: the count tells.
  EXPECT_EQ(parseRestoreFile("Tessellor restore 1\r\nwindow 0x10020 4100 1 normal 0 0 1 1 A\r\nend 2\r\n"),
            std::nullopt);
}

TEST(RestoreFile, RefusesGarbageAndOtherVersions) {
  const char* refused[] = {
      "",
      "\0\0\0\0\0\0\0\0",
      "Tessellor restore 2\r\nend 0\r\n",
      "Tessellor restore 1\nend 0\n",           // bare line ends
      "Tessellor restore 1\r\nend 0\r\nx\r\n",  // something after the end
      "Tessellor restore 1\r\nend 0",           // the last line end missing
      "Tessellor restore 1\r\nend -0\r\n",
      "Tessellor restore 1\r\nend 00\r\n",
  };
  for (const char* bytes : refused) EXPECT_EQ(parseRestoreFile(bytes), std::nullopt) << bytes;
  EXPECT_EQ(parseRestoreFile("Tessellor restore 1\r\n\0nd 0\r\n"s), std::nullopt);
}

TEST(RestoreFile, RefusesAnyWindowLineNotSpelledAsWritten) {
  const char* lines[] = {
      "window 0x10020 4100 1 normal 0 0 1 1",             // no blank before the (empty) class
      "window 10020 4100 1 normal 0 0 1 1 A",             // no 0x
      "window 0x010020 4100 1 normal 0 0 1 1 A",          // a leading zero
      "window 0x1002A 4100 1 normal 0 0 1 1 A",           // upper-case hex
      "window 0x0 4100 1 normal 0 0 1 1 A",               // no window
      "window 0x10020 +4100 1 normal 0 0 1 1 A",          //
      "window 0x10020 4100 1 minimized 0 0 1 1 A",        // no such state
      "window 0x10020 4100 1 normal 0 0 1 A",             // a coordinate missing
      "window 0x10020 4100 1 normal 0  0 1 1 A",          // two blanks
      "window 0x10020 4294967296 1 normal 0 0 1 1 A",     // past a DWORD
      "window 0x10020 4100 1 normal 2147483648 0 1 1 A",  // past a LONG
      "window 0x10020 4100 18446744073709551616 normal 0 0 1 1 A",
      "window 0x10020 4100 1 normal 0 0 1 1 A\\x4",   // a cut escape
      "window 0x10020 4100 1 normal 0 0 1 1 A\\x4g",  //
      "window 0x10020 4100 1 normal 0 0 1 1 A\\x41",  // an escape where none is needed
      "window 0x10020 4100 1 normal 0 0 1 1 A\\x5c",  // lower-case escape
      "window 0x10020 4100 1 normal 0 0 1 1 A\\",     //
      "window 0x10020 4100 1 normal 0 0 1 1 A\xe9",   // a byte that is always escaped
      "Window 0x10020 4100 1 normal 0 0 1 1 A",       //
  };
  for (const char* line : lines) {
    EXPECT_EQ(parseRestoreFile("Tessellor restore 1\r\n"s + line + "\r\nend 1\r\n"), std::nullopt) << line;
  }
  EXPECT_NE(parseRestoreFile("Tessellor restore 1\r\nwindow 0x10020 4100 1 normal 0 0 1 1 A\\x5C\r\nend 1\r\n"),
            std::nullopt);
}

TEST(RestoreFile, RefusesAWindowNamedTwiceAndMoreWindowsThanALayoutHolds) {
  const KeptWindow a = window(0x10020, "A", {0, 0, 1, 1});
  EXPECT_EQ(parseRestoreFile(restoreFileBytes({a, a})), std::nullopt);
  std::vector<KeptWindow> many;
  for (std::uintptr_t i = 1; i <= MAX_KEPT_WINDOWS + 1; ++i) many.push_back(window(i * 0x10, "A", {0, 0, 1, 1}));
  EXPECT_EQ(parseRestoreFile(restoreFileBytes(many)), std::nullopt);
  many.pop_back();
  EXPECT_EQ(parseRestoreFile(restoreFileBytes(many)), many);
}

}  // namespace
}  // namespace tessellor
