// The tray icon is the first thing the start-up does: all else follows it.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/StartUp.h"
#include "platform/ForwardingPlatform.h"
#include "platform/sim/SimDesktop.h"
#include "resources/resource_ids.h"

namespace tessellor {
namespace {

INT_PTR quietProc(Platform&, HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// Notes the start-up's calls that take time under Wine or touch the system beyond the program.
class StartOrder final : public ForwardingPlatform {
 public:
  using ForwardingPlatform::ForwardingPlatform;
  BOOL Shell_NotifyIconA(DWORD message, NOTIFYICONDATAA* data) override {
    if (message == NIM_ADD) calls.push_back("icon");
    return desktop_.Shell_NotifyIconA(message, data);
  }
  HRESULT RegisterApplicationRestart(const WCHAR* commandLine, DWORD flags) override {
    calls.push_back("restart");
    return desktop_.RegisterApplicationRestart(commandLine, flags);
  }
  LONG RegSetValueExA(HKEY key, const char* name, DWORD reserved, DWORD type, const BYTE* data, DWORD size) override {
    calls.push_back("registry");
    return desktop_.RegSetValueExA(key, name, reserved, type, data, size);
  }
  BOOL setMyHook(HWND target) override {
    calls.push_back("hook");
    return desktop_.setMyHook(target);
  }
  bool removeLeftoverTemporaries(const char* path) override {
    calls.push_back("temporaries");
    return desktop_.removeLeftoverTemporaries(path);
  }
  BOOL RegisterHotKey(HWND hwnd, int id, UINT modifiers, UINT virtualKey) override {
    calls.push_back("hotkey");
    return desktop_.RegisterHotKey(hwnd, id, modifiers, virtualKey);
  }
  bool readWholeFile(const char* path, std::string& bytes) override {
    calls.push_back("read");
    return desktop_.readWholeFile(path, bytes);
  }
  std::vector<std::string> calls;
};

TEST(StartUp, TheTrayIconComesBeforeEverythingElse) {
  sim::SimDesktop desk;
  StartOrder order(desk);
  Shell shell(order, registerHookMessages(order));
  const HWND dialog = order.CreateDialogParamA(nullptr, MAKEINTRESOURCE(IDD_MAIN_DIALOG), nullptr, quietProc, 0);
  shell.mainDialog = dialog;
  startUp(shell, dialog);
  ASSERT_FALSE(order.calls.empty());
  EXPECT_EQ(order.calls.front(), "icon");
  // And the rest still follows it.
  for (const char* call : {"restart", "registry", "hook", "temporaries", "hotkey", "read"}) {
    EXPECT_NE(std::find(order.calls.begin(), order.calls.end(), call), order.calls.end()) << call;
  }
}

}  // namespace
}  // namespace tessellor
