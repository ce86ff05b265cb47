#include "settings/Eligibility.h"

#include <cstring>
#include <string_view>

#include "app/Shell.h"
#include "layout/border/BorderLayout.h"
#include "layout/grid/GridLayout.h"
#include "resources/resource_ids.h"

namespace tessellor {

namespace {

// Elevated processes refuse the full query; the limited one still tells their image path.
bool getImageBaseName(Platform& platform, DWORD processId, char* name, DWORD size) {
  HANDLE process = platform.OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (process == nullptr) return false;
  char path[MAX_PATH] = {};
  DWORD length = sizeof path;
  const bool ok = platform.QueryFullProcessImageNameA(process, 0, path, &length) != FALSE;
  platform.CloseHandle(process);
  if (!ok || size == 0) return false;
  std::string_view full(path, std::strlen(path));
  const std::size_t slash = full.find_last_of("\\/");
  const std::string_view base = slash == std::string_view::npos ? full : full.substr(slash + 1);
  const std::size_t copied = std::min<std::size_t>(base.size(), size - 1);
  std::memcpy(name, base.data(), copied);
  name[copied] = '\0';
  return copied > 0;
}

bool titleIs(const char* title, const char* text) { return std::strcmp(title, text) == 0; }

}  // namespace

bool getProgramName(Platform& platform, HWND hwnd, char* name, DWORD size) {
  if (hwnd == nullptr) return false;
  DWORD processId = 0;
  if (platform.GetWindowThreadProcessId(hwnd, &processId) == 0) return false;
  HANDLE process = platform.OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
  if (process == nullptr) return getImageBaseName(platform, processId, name, size);
  HMODULE module = nullptr;
  DWORD needed = 0;
  if (!platform.EnumProcessModules(process, &module, sizeof module, &needed)) {
    platform.CloseHandle(process);
    return false;
  }
  const DWORD copied = platform.GetModuleBaseNameA(process, module, name, size);
  platform.CloseHandle(process);
  return copied > 0;
}

bool isProgramAllowed(Platform& platform, HWND dialog, const char* name) {
  return platform.SendDlgItemMessageA(dialog, IDC_EXCLUDED_LIST, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>(name)) == LB_ERR;
}

BOOL addWindowIfEligible(HWND hwnd, LPARAM shellParam) {
  Shell& shell = *reinterpret_cast<Shell*>(shellParam);
  Platform& p = shell.platform;
  if (!p.IsWindow(hwnd) || !p.IsWindowVisible(hwnd) || p.IsIconic(hwnd)) return TRUE;

  p.GetWindowTextA(hwnd, shell.windowTitle, sizeof shell.windowTitle);
  // A window whose program cannot be asked is tested under the empty name, not under the name
  // left over from the window tested before.
  shell.programName[0] = '\0';
  getProgramName(p, hwnd, shell.programName, sizeof shell.programName);
  p.GetWindowRect(hwnd, &shell.windowRect);

  const char* title = shell.windowTitle;
  if (title[0] == '\0' || titleIs(shell.programName, "sidebar.exe") || titleIs(title, "Program Manager") ||
      titleIs(title, "Menu Avvio") || titleIs(title, "Start") || titleIs(title, "Tessellor") ||
      !isProgramAllowed(p, shell.mainDialog, shell.programName) || IsRectEmpty(&shell.windowRect)) {
    return TRUE;
  }

  if (shell.layoutMode == LayoutBorder) {
    if (hwnd == p.GetForegroundWindow()) {
      shell.borderLayout->addWindow(hwnd, Centre);
    } else {
      shell.borderLayout->addWindow(hwnd, shell.nextSide);
      shell.nextSide = (shell.nextSide + 1) % 4;
    }
  } else if (shell.layoutMode == LayoutGrid) {
    shell.gridLayout->addWindow(hwnd);
  }
  return TRUE;
}

}  // namespace tessellor
