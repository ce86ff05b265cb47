// The simulated desktop's session: files in memory, the two Run keys, balloons, message filters
// and named mutexes.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/sim/SimDesktop.h"

namespace tessellor::sim {
namespace {

constexpr const char* kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// ---- Files in memory ----

TEST(SimFiles, PathsAreWindowsPaths) {
  EXPECT_EQ(SimFiles::key("settings.dat"), "c:\\windows\\system32\\settings.dat");
  EXPECT_EQ(SimFiles::key("C:/Users/User/AppData/Local/Tessellor/Settings.DAT"),
            "c:\\users\\user\\appdata\\local\\tessellor\\settings.dat");
  EXPECT_EQ(SimFiles::key("..\\..\\x.txt"), "c:\\x.txt");
  EXPECT_EQ(SimFiles::key("..\\..\\..\\..\\x.txt"), "c:\\x.txt");  // never above the drive
  EXPECT_EQ(SimFiles::key(".\\a\\\\b\\"), "c:\\windows\\system32\\a\\b");
  EXPECT_EQ(SimFiles::key("\\temp\\t"), "c:\\temp\\t");
}

TEST(SimFiles, TheProgramWritesOnlyIntoFoldersThatExist) {
  SimFiles files;
  EXPECT_TRUE(files.write("settings.dat", "a"));  // the working directory exists
  EXPECT_EQ(files.read("C:\\WINDOWS\\system32\\SETTINGS.DAT"), "a");
  EXPECT_FALSE(files.write("C:\\Users\\user\\AppData\\Local\\Tessellor\\settings.dat", "b"));
  EXPECT_EQ(files.makeFolder("C:\\Users\\user\\AppData\\Local\\Tessellor"), 0u);
  EXPECT_EQ(files.makeFolder("C:\\Users\\user\\AppData\\Local\\Tessellor"), ERROR_ALREADY_EXISTS);
  EXPECT_EQ(files.makeFolder("C:\\Nowhere\\Deeper"), ERROR_PATH_NOT_FOUND);
  EXPECT_TRUE(files.write("C:\\Users\\user\\AppData\\Local\\Tessellor\\settings.dat", "b"));
  // A folder is no file: it cannot be written or read as one.
  EXPECT_FALSE(files.write("C:\\Windows", "c"));
  EXPECT_EQ(files.read("C:\\Windows"), std::nullopt);
  EXPECT_EQ(files.makeFolder("settings.dat"), ERROR_ALREADY_EXISTS);
}

TEST(SimFiles, ReadonlyRefusesTheProgramButNotTheScenario) {
  SimFiles files;
  files.put("C:\\New\\Folder\\f.txt", "old");  // the scenario's write makes its folders
  EXPECT_TRUE(files.isFolder("c:\\new"));
  files.setReadonly("c:/new/folder/F.TXT");
  EXPECT_FALSE(files.write("C:\\New\\Folder\\f.txt", "new"));
  EXPECT_EQ(files.read("C:\\New\\Folder\\f.txt"), "old");
  files.put("C:\\New\\Folder\\f.txt", "put");
  EXPECT_EQ(files.read("C:\\New\\Folder\\f.txt"), "put");
  files.remove("C:\\New\\Folder\\f.txt");
  EXPECT_EQ(files.read("C:\\New\\Folder\\f.txt"), std::nullopt);
}

TEST(SimFiles, PlatformCallsReachTheStore) {
  SimDesktop d;
  char folder[MAX_PATH] = {};
  ASSERT_EQ(d.SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder), S_OK);
  EXPECT_STREQ(folder, "C:\\Users\\user\\AppData\\Local");
  EXPECT_EQ(d.SHGetFolderPathA(nullptr, 0x0005, nullptr, SHGFP_TYPE_CURRENT, folder), E_INVALIDARG);
  EXPECT_EQ(d.SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, nullptr), E_INVALIDARG);

  const std::string path = std::string(folder) + "\\Tessellor\\settings.dat";
  EXPECT_FALSE(d.replaceFile(path.c_str(), "x", Platform::Durability::PowerCut));
  EXPECT_TRUE(d.CreateDirectoryA((std::string(folder) + "\\Tessellor").c_str(), nullptr));
  EXPECT_EQ(d.GetLastError(), 0u);
  EXPECT_FALSE(d.CreateDirectoryA((std::string(folder) + "\\Tessellor").c_str(), nullptr));
  EXPECT_EQ(d.GetLastError(), ERROR_ALREADY_EXISTS);
  EXPECT_TRUE(d.replaceFile(path.c_str(), std::string("a\0b", 3), Platform::Durability::PowerCut));
  std::string bytes = "left over";
  ASSERT_TRUE(d.readWholeFile(path.c_str(), bytes));
  EXPECT_EQ(bytes, std::string("a\0b", 3));  // every byte, a NUL included
  bytes = "untouched";
  EXPECT_FALSE(d.readWholeFile("missing.dat", bytes));
  EXPECT_EQ(bytes, "untouched");
  EXPECT_FALSE(d.readWholeFile(nullptr, bytes));
  EXPECT_FALSE(d.replaceFile(nullptr, "x", Platform::Durability::PowerCut));
}

// ---- The two Run keys ----

std::string queryString(SimDesktop& d, HKEY key) {
  DWORD size = 0;
  if (d.RegQueryValueExA(key, "Tessellor", nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS) return "<none>";
  std::string data(size, '?');
  DWORD type = 0;
  EXPECT_EQ(d.RegQueryValueExA(key, "Tessellor", nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, REG_SZ);
  return data;
}

TEST(SimRunKeys, PerUserAndMachineWideAreSeparateStores) {
  SimDesktop d;
  HKEY user = nullptr, machine = nullptr;
  ASSERT_EQ(d.RegOpenKeyA(HKEY_CURRENT_USER, kRun, &user), ERROR_SUCCESS);
  ASSERT_EQ(d.RegOpenKeyExA(HKEY_LOCAL_MACHINE, "software\\microsoft\\windows\\currentversion\\run", 0,
                            KEY_QUERY_VALUE | KEY_SET_VALUE, &machine),
            ERROR_SUCCESS);  // key names ignore case
  d.RegSetValueExA(user, "Tessellor", 0, REG_SZ, reinterpret_cast<const BYTE*>("u"), 2);
  EXPECT_EQ(queryString(d, user), std::string("u\0", 2));
  EXPECT_EQ(queryString(d, machine), "<none>");
  d.RegSetValueExA(machine, "Tessellor", 0, REG_SZ, reinterpret_cast<const BYTE*>("m"), 2);
  EXPECT_EQ(SimRegistry::runValue(d.registry().machine), std::string("m\0", 2));
  EXPECT_EQ(d.registryValue("Tessellor"), std::string("u\0", 2));
  EXPECT_EQ(d.RegCloseKey(user), ERROR_SUCCESS);
  EXPECT_NE(d.RegCloseKey(user), ERROR_SUCCESS);
  EXPECT_NE(d.RegSetValueExA(user, "Tessellor", 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2), ERROR_SUCCESS);
  HKEY other = nullptr;
  EXPECT_NE(d.RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Other", 0, KEY_QUERY_VALUE, &other), ERROR_SUCCESS);
  EXPECT_NE(d.RegOpenKeyExA(reinterpret_cast<HKEY>(std::uintptr_t{0x80000000}), kRun, 0, KEY_QUERY_VALUE, &other),
            ERROR_SUCCESS);
}

TEST(SimRunKeys, QueryAnswersTheSizeAndRefusesAShortBuffer) {
  SimDesktop d;
  d.registry().user.values["Tessellor"] = SimRegistry::Value{REG_SZ, std::string("abc\0", 4)};
  HKEY key = nullptr;
  ASSERT_EQ(d.RegOpenKeyExA(HKEY_CURRENT_USER, kRun, 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
  DWORD size = 0;
  EXPECT_EQ(d.RegQueryValueExA(key, "Tessellor", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 4u);
  char small[2] = {'x', 'x'};
  size = sizeof small;
  EXPECT_EQ(d.RegQueryValueExA(key, "Tessellor", nullptr, nullptr, reinterpret_cast<BYTE*>(small), &size),
            static_cast<LONG>(ERROR_MORE_DATA));
  EXPECT_EQ(size, 4u);
  EXPECT_EQ(small[0], 'x');  // nothing written past what the caller offered, nor into it
  EXPECT_EQ(d.RegQueryValueExA(key, "Tessellor", nullptr, nullptr, reinterpret_cast<BYTE*>(small), nullptr),
            static_cast<LONG>(ERROR_MORE_DATA));
  EXPECT_EQ(d.RegQueryValueExA(key, "Other", nullptr, nullptr, nullptr, &size),
            static_cast<LONG>(ERROR_FILE_NOT_FOUND));
}

TEST(SimRunKeys, ReadonlyMachineKeyReadsButRefusesWrites) {
  SimDesktop d;
  d.registry().machine.values["Tessellor"] = SimRegistry::Value{REG_SZ, std::string("old\0", 4)};
  d.registry().machine.access = SimRegistry::Access::ReadOnly;
  HKEY key = nullptr;
  EXPECT_EQ(d.RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRun, 0, KEY_SET_VALUE, &key), static_cast<LONG>(ERROR_ACCESS_DENIED));
  ASSERT_EQ(d.RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRun, 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
  EXPECT_EQ(queryString(d, key), std::string("old\0", 4));
  EXPECT_EQ(d.RegSetValueExA(key, "Tessellor", 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1),
            static_cast<LONG>(ERROR_ACCESS_DENIED));
  // RegOpenKeyA takes what it may: reading alone, and the write is refused.
  HKEY most = nullptr;
  ASSERT_EQ(d.RegOpenKeyA(HKEY_LOCAL_MACHINE, kRun, &most), ERROR_SUCCESS);
  EXPECT_NE(d.RegSetValueExA(most, "Tessellor", 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1), ERROR_SUCCESS);
  EXPECT_EQ(SimRegistry::runValue(d.registry().machine), std::string("old\0", 4));
}

TEST(SimRunKeys, OpenKeysCloseWithTheProcess) {
  SimDesktop d;
  HKEY key = nullptr;
  ASSERT_EQ(d.RegOpenKeyA(HKEY_CURRENT_USER, kRun, &key), ERROR_SUCCESS);
  d.endProcess();
  EXPECT_NE(d.RegSetValueExA(key, "Tessellor", 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1), ERROR_SUCCESS);
  EXPECT_EQ(d.registryValue("Tessellor"), std::nullopt);
}

// ---- Balloons ----

NOTIFYICONDATAA iconRecord(HWND hwnd, DWORD size) {
  NOTIFYICONDATAA icon{};
  icon.cbSize = size;
  icon.hWnd = hwnd;
  icon.uID = 1;
  icon.uFlags = NIF_TIP;
  std::strcpy(icon.szTip, "Tip");
  return icon;
}

TEST(SimBalloons, AreReadOnlyFromTheSecondFormOn) {
  SimDesktop d;
  const HWND w = handleFromValue(0x10010);
  NOTIFYICONDATAA icon = iconRecord(w, NOTIFYICONDATAA_V1_SIZE);
  icon.uFlags |= NIF_INFO;
  std::strcpy(icon.szInfoTitle, "Ignored");  // beyond what the first form covers
  std::strcpy(icon.szInfo, "Ignored");
  ASSERT_TRUE(d.Shell_NotifyIconA(NIM_ADD, &icon));
  EXPECT_TRUE(d.balloons().empty());

  icon.cbSize = NOTIFYICONDATAA_V2_SIZE;
  icon.uFlags = NIF_INFO;
  std::strcpy(icon.szInfoTitle, "Title");
  std::strcpy(icon.szInfo, "First");
  ASSERT_TRUE(d.Shell_NotifyIconA(NIM_MODIFY, &icon));
  std::strcpy(icon.szInfo, "Second");
  ASSERT_TRUE(d.Shell_NotifyIconA(NIM_MODIFY, &icon));
  ASSERT_EQ(d.balloons().size(), 2u);
  EXPECT_EQ(d.balloons()[0].title, "Title");
  EXPECT_EQ(d.balloons()[0].text, "First");
  EXPECT_EQ(d.balloons()[1].text, "Second");
  EXPECT_STREQ(d.trayIcon()->szTip, "Tip");  // NIF_TIP absent: the tip stays

  // Another program's icon shows nothing: the modify fails.
  NOTIFYICONDATAA stranger = icon;
  stranger.uID = 2;
  EXPECT_FALSE(d.Shell_NotifyIconA(NIM_MODIFY, &stranger));
  EXPECT_EQ(d.balloons().size(), 2u);
}

TEST(SimBalloons, UnterminatedTextsStopAtTheirFields) {
  SimDesktop d;
  NOTIFYICONDATAA icon = iconRecord(handleFromValue(0x10010), sizeof(NOTIFYICONDATAA));
  icon.uFlags = NIF_INFO;
  std::memset(icon.szInfoTitle, 'T', sizeof icon.szInfoTitle);
  std::memset(icon.szInfo, 'I', sizeof icon.szInfo);
  ASSERT_TRUE(d.Shell_NotifyIconA(NIM_ADD, &icon));
  ASSERT_EQ(d.balloons().size(), 1u);
  EXPECT_EQ(d.balloons()[0].title, std::string(64, 'T'));
  EXPECT_EQ(d.balloons()[0].text, std::string(256, 'I'));
}

TEST(SimBalloons, TheFirstFormReadsSixtyFourCharactersOfTip) {
  SimDesktop d;
  NOTIFYICONDATAA icon = iconRecord(handleFromValue(0x10010), NOTIFYICONDATAA_V1_SIZE);
  std::memset(icon.szTip, 'x', sizeof icon.szTip - 1);
  ASSERT_TRUE(d.Shell_NotifyIconA(NIM_ADD, &icon));
  EXPECT_EQ(std::strlen(d.trayIcon()->szTip), 64u);
}

// ---- Message filters and mutexes ----

TEST(SimSessionObjects, MessageFiltersAreRecordedForWindowsOnly) {
  SimDesktop d;
  WindowSpec desc;
  desc.name = "a";
  const HWND w = d.createWindow(desc);
  EXPECT_TRUE(d.ChangeWindowMessageFilterEx(w, 0xC123, MSGFLT_ALLOW, nullptr));
  EXPECT_FALSE(d.ChangeWindowMessageFilterEx(handleFromValue(0x99990), 0xC123, MSGFLT_ALLOW, nullptr));
  ASSERT_EQ(d.messageFilters().size(), 1u);
  EXPECT_EQ(d.messageFilters()[0].message, 0xC123u);
  EXPECT_EQ(d.messageFilters()[0].action, MSGFLT_ALLOW);
}

TEST(SimSessionObjects, ANamedMutexExistsUntilClosedOrTheProcessEnds) {
  SimDesktop d;
  const HANDLE first = d.CreateMutexA(nullptr, FALSE, "Local\\Tessellor.SingleInstance");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(d.GetLastError(), 0u);
  EXPECT_EQ(d.CreateMutexA(nullptr, FALSE, "Local\\Tessellor.SingleInstance"), first);
  EXPECT_EQ(d.GetLastError(), ERROR_ALREADY_EXISTS);
  EXPECT_TRUE(d.CloseHandle(first));
  const HANDLE again = d.CreateMutexA(nullptr, FALSE, "Local\\Tessellor.SingleInstance");
  EXPECT_EQ(d.GetLastError(), 0u);
  EXPECT_NE(again, first);  // a handle is never given twice
  d.endProcess();
  d.CreateMutexA(nullptr, FALSE, "Local\\Tessellor.SingleInstance");
  EXPECT_EQ(d.GetLastError(), 0u);
}

}  // namespace
}  // namespace tessellor::sim
