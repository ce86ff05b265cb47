// Dialogs, controls, the message loop and the shell services of the simulated desktop: the rules
// that are easy to get subtly wrong.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/sim/SimDesktop.h"
#include "resources/resource_ids.h"

namespace tessellor::sim {
namespace {

struct Received {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
};
std::vector<Received> received;

INT_PTR recordingProc(Platform&, HWND hwnd, UINT message, WPARAM wParam, LPARAM) {
  received.push_back({hwnd, message, wParam});
  return TRUE;
}

// Ends itself on its OK button, as the border settings dialog does.
INT_PTR modalProc(Platform& p, HWND hwnd, UINT message, WPARAM wParam, LPARAM) {
  received.push_back({hwnd, message, wParam});
  if (message == WM_COMMAND && LOWORD(wParam) == IDC_BS_OK) p.EndDialog(hwnd, 7);
  return TRUE;
}

class SimDialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    received.clear();
    main = d.CreateDialogParamA(nullptr, MAKEINTRESOURCE(IDD_MAIN_DIALOG), nullptr, recordingProc, 5);
  }
  void setEdit(const char* text) { d.SetDlgItemTextA(main, IDC_EXE_NAME, text); }
  UINT readInt(BOOL* ok = nullptr) { return d.GetDlgItemInt(main, IDC_EXE_NAME, ok, FALSE); }
  LRESULT list(UINT message, WPARAM w = 0, LPARAM l = 0) {
    return d.SendDlgItemMessageA(main, IDC_EXCLUDED_LIST, message, w, l);
  }
  void add(const char* text) { list(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)); }

  SimDesktop d;
  HWND main = nullptr;
};

TEST_F(SimDialogs, MainDialogIsAHiddenDesktopWindowInitialisedAtOnce) {
  EXPECT_EQ(d.nameOf(main), "Tessellor");
  EXPECT_EQ(d.rectOf(main), (RECT{0, 0, 393, 459}));
  EXPECT_TRUE(d.isHidden(main));
  // Its template has DS_SETFONT: WM_SETFONT comes before the controls, then WM_INITDIALOG.
  ASSERT_EQ(received.size(), 2u);
  EXPECT_EQ(received[0].message, WM_SETFONT);
  EXPECT_EQ(received[1].message, WM_INITDIALOG);
  // Controls are not desktop windows.
  EXPECT_EQ(d.windows().size(), 1u);
  EXPECT_NE(d.GetDlgItem(main, IDC_EXCLUDED_LIST), nullptr);
  EXPECT_EQ(d.GetDlgItem(main, IDC_NORTH_PIXELS), nullptr);
}

TEST_F(SimDialogs, GetDlgItemIntReadsBlanksThenDigitsOnly) {
  BOOL ok = TRUE;
  setEdit(" \t250");
  EXPECT_EQ(readInt(&ok), 250u);
  EXPECT_TRUE(ok);
  setEdit("4294967295");
  EXPECT_EQ(readInt(), 4294967295u);
  for (const char* bad : {"", "  ", "4294967296", "12 ", "12a", "-3", "+3", "0x10"}) {
    setEdit(bad);
    EXPECT_EQ(readInt(&ok), 0u) << bad;
    EXPECT_FALSE(ok) << bad;
  }
}

TEST_F(SimDialogs, SetDlgItemIntWritesUnsignedDecimal) {
  d.SetDlgItemInt(main, IDC_EXE_NAME, 4294967295u, FALSE);
  char text[16] = {};
  d.GetDlgItemTextA(main, IDC_EXE_NAME, text, sizeof text);
  EXPECT_STREQ(text, "4294967295");
}

TEST_F(SimDialogs, FindStringExactFoldsAsciiCaseOnWholeItems) {
  add("notepad.exe");
  add("Calc.EXE");
  EXPECT_EQ(list(LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("CALC.exe")), 1);
  EXPECT_EQ(list(LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("notepad")), LB_ERR);
  EXPECT_EQ(list(LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("notepad.exe ")), LB_ERR);
  // Searching after the last match wraps round to the top.
  EXPECT_EQ(list(LB_FINDSTRINGEXACT, 0, reinterpret_cast<LPARAM>("NOTEPAD.EXE")), 0);
}

TEST_F(SimDialogs, DeletingTheSelectedItemLeavesNoSelection) {
  add("a.exe");
  add("b.exe");
  add("c.exe");
  EXPECT_EQ(list(LB_SETCURSEL, 2), 2);
  EXPECT_EQ(list(LB_DELETESTRING, 0), 2);  // the count left
  EXPECT_EQ(list(LB_GETCURSEL), 1);        // the selection follows its item
  list(LB_DELETESTRING, 1);
  EXPECT_EQ(list(LB_GETCURSEL), LB_ERR);
  EXPECT_EQ(list(LB_DELETESTRING, 5), LB_ERR);
  char text[16] = {};
  EXPECT_EQ(list(LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text)), 5);
  EXPECT_STREQ(text, "b.exe");
  EXPECT_EQ(list(LB_SETCURSEL, static_cast<WPARAM>(-1)), LB_ERR);
}

TEST_F(SimDialogs, CheckBoxesAndTextLengthsAnswerThroughTheirHandles) {
  const HWND box = d.GetDlgItem(main, IDC_AUTO_ADD);
  EXPECT_EQ(d.SendMessageA(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  d.SendDlgItemMessageA(main, IDC_AUTO_ADD, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_EQ(d.SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED);
  setEdit("abc.exe");
  EXPECT_EQ(d.GetWindowTextLengthA(d.GetDlgItem(main, IDC_EXE_NAME)), 7);
}

TEST_F(SimDialogs, UserDataIsKeptPerDialog) {
  d.SetWindowLongPtrA(main, DWLP_USER, 1234);
  EXPECT_EQ(d.GetWindowLongPtrA(main, DWLP_USER), 1234);
  EXPECT_EQ(d.GetWindowLongPtrA(handleFromValue(0x99990), DWLP_USER), 0);
}

TEST_F(SimDialogs, ModalDialogRunsItsOwnLoopUntilEnded) {
  const HWND desktopBefore = d.windows().back();
  int idleCalls = 0;
  d.onIdle = [&] {
    ++idleCalls;
    if (idleCalls == 1) {
      EXPECT_TRUE(d.modalOpen());
      // A hook event for the main dialog still reaches it meanwhile.
      d.postMessage(main, 0xC000, 1, 0);
      d.postMessage(d.topDialog(), WM_COMMAND, MAKEWPARAM(IDC_BS_OK, BN_CLICKED), 0);
      return true;
    }
    return false;
  };
  received.clear();
  const INT_PTR result = d.DialogBoxParamA(nullptr, MAKEINTRESOURCE(IDD_BORDER_SETTINGS), main, modalProc, 0);
  EXPECT_EQ(result, 7);
  EXPECT_FALSE(d.modalOpen());
  EXPECT_EQ(d.windows().back(), desktopBefore);  // no desktop window for it
  ASSERT_EQ(received.size(), 3u);
  EXPECT_EQ(received[0].message, WM_INITDIALOG);
  EXPECT_EQ(received[1].hwnd, main);
  EXPECT_EQ(received[2].message, WM_COMMAND);
}

TEST_F(SimDialogs, QuitEndsAModalLoopAndStillReachesTheOuterLoop) {
  d.onIdle = [&] {
    d.PostQuitMessage(3);
    return true;
  };
  d.DialogBoxParamA(nullptr, MAKEINTRESOURCE(IDD_BORDER_SETTINGS), main, modalProc, 0);
  d.onIdle = nullptr;
  MSG msg{};
  EXPECT_EQ(d.GetMessageA(&msg, nullptr, 0, 0), 0);
  EXPECT_EQ(msg.wParam, 3u);
  EXPECT_EQ(d.GetMessageA(&msg, nullptr, 0, 0), -1);
}

TEST_F(SimDialogs, CommonControlDialogsOpenOnlyOnceTheirClassesAreRegistered) {
  // Ended at once, by the quit message, once open.
  d.onIdle = [&] {
    d.PostQuitMessage(0);
    return true;
  };
  EXPECT_EQ(d.DialogBoxParamA(nullptr, MAKEINTRESOURCE(IDD_KEYS), main, modalProc, 0), -1);
  EXPECT_EQ(d.DialogBoxParamA(nullptr, MAKEINTRESOURCE(IDD_WINDOWS), main, modalProc, 0), -1);
  EXPECT_FALSE(d.InitCommonControlsEx(nullptr));
  const INITCOMMONCONTROLSEX wrongSize{sizeof(INITCOMMONCONTROLSEX) + 4, ICC_HOTKEY_CLASS};
  EXPECT_FALSE(d.InitCommonControlsEx(&wrongSize));
  EXPECT_EQ(d.DialogBoxParamA(nullptr, MAKEINTRESOURCE(IDD_KEYS), main, modalProc, 0), -1);
  // Each registration adds to the ones before.
  const INITCOMMONCONTROLSEX hotkeys{sizeof(INITCOMMONCONTROLSEX), ICC_HOTKEY_CLASS};
  const INITCOMMONCONTROLSEX listView{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES};
  EXPECT_TRUE(d.InitCommonControlsEx(&hotkeys));
  EXPECT_NE(d.DialogBoxParamA(nullptr, MAKEINTRESOURCE(IDD_KEYS), main, modalProc, 0), -1);
  EXPECT_EQ(d.DialogBoxParamA(nullptr, MAKEINTRESOURCE(IDD_WINDOWS), main, modalProc, 0), -1);
  EXPECT_TRUE(d.InitCommonControlsEx(&listView));
  EXPECT_NE(d.DialogBoxParamA(nullptr, MAKEINTRESOURCE(IDD_WINDOWS), main, modalProc, 0), -1);
  EXPECT_NE(d.DialogBoxParamA(nullptr, MAKEINTRESOURCE(IDD_KEYS), main, modalProc, 0), -1);
}

TEST_F(SimDialogs, QuitComesAfterQueuedMessages) {
  d.PostQuitMessage(0);
  d.postMessage(main, WM_COMMAND, 1, 0);
  MSG msg{};
  EXPECT_EQ(d.GetMessageA(&msg, nullptr, 0, 0), 1);
  EXPECT_TRUE(d.IsDialogMessageA(main, &msg));
  EXPECT_EQ(received.back().message, WM_COMMAND);
  EXPECT_EQ(d.GetMessageA(&msg, nullptr, 0, 0), 0);
}

TEST_F(SimDialogs, EndDialogHidesTheMainDialog) {
  d.ShowWindow(main, SW_SHOW);
  d.EndDialog(main, 0);
  EXPECT_TRUE(d.isHidden(main));
  EXPECT_EQ(d.GetForegroundWindow(), nullptr);
}

TEST(SimShell, HotkeysFailWhenTakenOrAlreadyRegistered) {
  SimDesktop d;
  d.setHotkeyTaken(3);
  const HWND w = handleFromValue(0x10010);
  EXPECT_FALSE(d.RegisterHotKey(w, 3, MOD_CONTROL, VK_LEFT));
  EXPECT_TRUE(d.RegisterHotKey(w, 4, MOD_CONTROL, VK_RIGHT));
  EXPECT_FALSE(d.RegisterHotKey(w, 4, MOD_ALT, VK_RIGHT));
  EXPECT_EQ(d.hotkeys(), std::vector<int>{4});
  EXPECT_FALSE(d.pressHotkey(3));
  EXPECT_TRUE(d.pressHotkey(4));
}

TEST(SimShell, RunKeyValueKeepsItsBytesUnlessReadonly) {
  SimDesktop d;
  HKEY key = nullptr;
  const char* run = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  ASSERT_EQ(d.RegOpenKeyA(HKEY_CURRENT_USER, run, &key), ERROR_SUCCESS);
  d.RegSetValueExA(key, "Tessellor", 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);
  EXPECT_EQ(d.registryValue("Tessellor"), std::string(1, '\0'));
  d.RegCloseKey(key);
  d.setRegistryReadonly();
  HKEY other = nullptr;
  EXPECT_NE(d.RegOpenKeyA(HKEY_CURRENT_USER, run, &other), ERROR_SUCCESS);
  EXPECT_NE(d.RegSetValueExA(other, "Tessellor", 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2), ERROR_SUCCESS);
  EXPECT_EQ(d.registryValue("Tessellor"), std::string(1, '\0'));
}

TEST(SimShell, PopupMenuStaysOpenUntilAnItemIsPicked) {
  SimDesktop d;
  const HWND owner = handleFromValue(0x10010);
  const HMENU menu = d.CreatePopupMenu();
  d.AppendMenuA(menu, MF_STRING, 1000, "Settings");
  d.AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  d.AppendMenuA(menu, MF_STRING, 1002, "Close");
  d.TrackPopupMenu(menu, TPM_RIGHTALIGN, 0, 0, 0, owner, nullptr);
  d.DestroyMenu(menu);
  EXPECT_EQ(d.reports().back(), "menu \"Settings\" - \"Close\"");
  EXPECT_FALSE(d.pickMenuItem("Minimize"));
  EXPECT_TRUE(d.pickMenuItem("Close"));
  EXPECT_FALSE(d.openMenu().has_value());
  MSG msg{};
  ASSERT_EQ(d.GetMessageA(&msg, nullptr, 0, 0), 1);
  EXPECT_EQ(msg.hwnd, owner);
  EXPECT_EQ(LOWORD(msg.wParam), 1002);
}

TEST(SimShell, ProcessesAreNamedByTheirExe) {
  SimDesktop d;
  WindowSpec a;
  a.name = "a";
  const HWND hwnd = d.createWindow(a);
  WindowSpec hiddenExe;
  hiddenExe.name = "b";
  hiddenExe.exe = "-";
  const HWND locked = d.createWindow(hiddenExe);
  DWORD pid = 0;
  d.GetWindowThreadProcessId(hwnd, &pid);
  const HANDLE process = d.OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
  ASSERT_NE(process, nullptr);
  HMODULE module = nullptr;
  DWORD needed = 0;
  EXPECT_TRUE(d.EnumProcessModules(process, &module, sizeof module, &needed));
  char name[8] = {};
  EXPECT_EQ(d.GetModuleBaseNameA(process, module, name, sizeof name), 5u);
  EXPECT_STREQ(name, "a.exe");
  d.CloseHandle(process);
  d.GetWindowThreadProcessId(locked, &pid);
  EXPECT_EQ(d.OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, pid), nullptr);
}

}  // namespace
}  // namespace tessellor::sim
