// The shell services around the windows: the tray icon and its menu, processes and
// modules, and the C library's clock and dice.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/sim/SimDesktop.h"
#include "platform/sim/SimHelpers.h"

namespace tessellor::sim {

namespace {

constexpr std::uintptr_t kOwnModule = 0x00400000;
constexpr std::uintptr_t kFirstModule = 0x7A000000;
constexpr std::uintptr_t kFirstProcess = 0x7B000000;
constexpr std::uintptr_t kFirstMenu = 0x7D000000;
constexpr std::uintptr_t kFirstIcon = 0x79000000;
constexpr const char* kExePath = "C:\\Program Files\\Tessellor\\tessellor.exe";

std::string imagePath(const std::string& exe) {
  if (exe == "tessellor.exe") return kExePath;
  const std::string stem = exe.substr(0, exe.find('.'));
  return "C:\\Program Files\\" + stem + "\\" + exe;
}

}  // namespace

std::string quote(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\0':
        out += "\\0";
        break;
      default:
        out += c;
    }
  }
  return out + "\"";
}

// ---- Tray icon and popup menu -------------------------------------------------------------------

HICON SimDesktop::LoadIconA(HINSTANCE /*instance*/, LPCSTR name) {
  if (!IS_INTRESOURCE(name)) return nullptr;
  return reinterpret_cast<HICON>(kFirstIcon + static_cast<std::uintptr_t>(resourceId(name)));
}

BOOL SimDesktop::Shell_NotifyIconA(DWORD message, NOTIFYICONDATAA* data) {
  if (data == nullptr) return FALSE;
  // Only what cbSize covers is read: a caller of the first form owns no balloon fields.
  NOTIFYICONDATAA given{};
  std::memcpy(&given, data, std::min<std::size_t>(data->cbSize, sizeof given));
  given.szTip[sizeof given.szTip - 1] = '\0';
  const bool same = tray_ && tray_->hWnd == given.hWnd && tray_->uID == given.uID;
  switch (message) {
    case NIM_ADD:
      if (tray_) return FALSE;
      tray_ = given;
      break;
    case NIM_MODIFY:
      if (!same) return FALSE;
      if ((given.uFlags & NIF_MESSAGE) != 0) tray_->uCallbackMessage = given.uCallbackMessage;
      if ((given.uFlags & NIF_ICON) != 0) tray_->hIcon = given.hIcon;
      if ((given.uFlags & NIF_TIP) != 0) std::memcpy(tray_->szTip, given.szTip, sizeof tray_->szTip);
      break;
    case NIM_DELETE:
      if (!same) return FALSE;
      tray_.reset();
      return TRUE;
    default:
      return FALSE;
  }
  if ((given.uFlags & NIF_INFO) != 0 && given.cbSize >= NOTIFYICONDATAA_V2_SIZE) {
    balloons_.push_back(Balloon{std::string(given.szInfoTitle, strnlen(given.szInfoTitle, sizeof given.szInfoTitle)),
                                std::string(given.szInfo, strnlen(given.szInfo, sizeof given.szInfo))});
  }
  return TRUE;
}

std::optional<NOTIFYICONDATAA> SimDesktop::trayIcon() const { return tray_; }

bool SimDesktop::clickTray(UINT mouseMessage) {
  if (!tray_) return false;
  postMessage(tray_->hWnd, tray_->uCallbackMessage, tray_->uID, static_cast<LPARAM>(mouseMessage));
  return true;
}

HMENU SimDesktop::CreatePopupMenu() {
  const std::uintptr_t handle = kFirstMenu + ++nextMenu_;
  menus_[handle];
  return reinterpret_cast<HMENU>(handle);
}

BOOL SimDesktop::AppendMenuA(HMENU menu, UINT flags, UINT_PTR id, const char* text) {
  auto it = menus_.find(reinterpret_cast<std::uintptr_t>(menu));
  if (it == menus_.end()) return FALSE;
  MenuItem item;
  item.separator = (flags & MF_SEPARATOR) != 0;
  if (!item.separator) {
    item.id = id;
    item.text = text != nullptr ? text : "";
  }
  it->second.push_back(item);
  return TRUE;
}

BOOL SimDesktop::TrackPopupMenu(HMENU menu, UINT /*flags*/, int /*x*/, int /*y*/, int /*reserved*/, HWND owner,
                                const RECT* /*rect*/) {
  auto it = menus_.find(reinterpret_cast<std::uintptr_t>(menu));
  if (it == menus_.end()) return FALSE;
  std::string line = "menu";
  for (const MenuItem& item : it->second) {
    line += ' ';
    line += item.separator ? std::string("-") : quote(item.text);
  }
  report(line);
  // Windows would block here until a choice; the simulator returns and lets a `menu` line choose.
  openMenuItems_ = it->second;
  menuOwner_ = owner;
  return TRUE;
}

BOOL SimDesktop::DestroyMenu(HMENU menu) {
  return menus_.erase(reinterpret_cast<std::uintptr_t>(menu)) > 0 ? TRUE : FALSE;
}

bool SimDesktop::pickMenuItem(const std::string& text) {
  if (!openMenuItems_) return false;
  for (const MenuItem& item : *openMenuItems_) {
    if (item.separator || item.text != text) continue;
    postMessage(menuOwner_, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(item.id), 0), 0);
    openMenuItems_.reset();
    menuOwner_ = nullptr;
    return true;
  }
  return false;
}

// ---- Processes and modules ------------------------------------------------------------------------

DWORD SimDesktop::GetWindowThreadProcessId(HWND hwnd, DWORD* processId) {
  const Window* w = find(hwnd);
  if (w == nullptr) return 0;
  if (processId != nullptr) *processId = w->pid;
  return w->pid + 2;
}

const SimDesktop::Window* SimDesktop::processWindow(DWORD pid) const {
  for (const Window& w : windows_) {
    if (w.pid == pid) return &w;
  }
  return nullptr;
}

DWORD SimDesktop::processOfHandle(HANDLE process) const {
  return static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(process) - kFirstProcess);
}

HANDLE SimDesktop::OpenProcess(DWORD access, BOOL /*inherit*/, DWORD processId) {
  const Window* w = processWindow(processId);
  if (w == nullptr || w->desc.exe == "-") return nullptr;
  // Of a process above the program's integrity level, only the limited queries are granted.
  if (w->desc.outranksProgram() && (access & ~PROCESS_QUERY_LIMITED_INFORMATION) != 0) return nullptr;
  const std::uintptr_t handle = kFirstProcess + processId;
  openProcesses_.insert(handle);
  return reinterpret_cast<HANDLE>(handle);
}

BOOL SimDesktop::CloseHandle(HANDLE handle) {
  const auto value = reinterpret_cast<std::uintptr_t>(handle);
  if (openProcesses_.erase(value) + openTokens_.erase(value) > 0) return TRUE;
  return std::erase_if(mutexes_, [value](const auto& mutex) { return mutex.second == value; }) > 0 ? TRUE : FALSE;
}

BOOL SimDesktop::EnumProcessModules(HANDLE process, HMODULE* modules, DWORD size, DWORD* needed) {
  const std::uintptr_t handle = reinterpret_cast<std::uintptr_t>(process);
  // A limited handle, the only kind a process above the program grants, reads no modules.
  if (!openProcesses_.contains(handle) || processOutranks(processOfHandle(process))) return FALSE;
  // An HMODULE is a handle, not a record: module lists are counted in its bytes.
  // NOLINTBEGIN(bugprone-sizeof-expression)
  if (needed != nullptr) *needed = sizeof(HMODULE);
  if (modules != nullptr && size >= sizeof(HMODULE)) {
    modules[0] = reinterpret_cast<HMODULE>(kFirstModule + (handle - kFirstProcess));
  }
  // NOLINTEND(bugprone-sizeof-expression)
  return TRUE;
}

DWORD SimDesktop::GetModuleBaseNameA(HANDLE process, HMODULE /*module*/, char* name, DWORD size) {
  const std::uintptr_t handle = reinterpret_cast<std::uintptr_t>(process);
  if (!openProcesses_.contains(handle) || processOutranks(processOfHandle(process))) return 0;
  const Window* w = processWindow(static_cast<DWORD>(handle - kFirstProcess));
  return w != nullptr ? static_cast<DWORD>(copyText(w->desc.exe, name, size)) : 0;
}

BOOL SimDesktop::QueryFullProcessImageNameA(HANDLE process, DWORD /*flags*/, char* name, DWORD* size) {
  const std::uintptr_t handle = reinterpret_cast<std::uintptr_t>(process);
  if (!openProcesses_.contains(handle) || size == nullptr) return FALSE;
  const Window* w = processWindow(static_cast<DWORD>(handle - kFirstProcess));
  if (w == nullptr) return FALSE;
  const std::string path = imagePath(w->desc.exe);
  if (name == nullptr || *size <= path.size()) return FALSE;
  *size = static_cast<DWORD>(copyText(path, name, *size));
  return TRUE;
}

std::uint64_t SimDesktop::processStart(DWORD pid) const {
  auto it = processStarts_.find(pid);
  return it != processStarts_.end() ? it->second : 0;
}

BOOL SimDesktop::GetProcessTimes(HANDLE process, FILETIME* creation, FILETIME* exit, FILETIME* kernel, FILETIME* user) {
  if (!openProcesses_.contains(reinterpret_cast<std::uintptr_t>(process)) || creation == nullptr || exit == nullptr ||
      kernel == nullptr || user == nullptr) {
    return FALSE;
  }
  const std::uint64_t start = processStart(processOfHandle(process));
  *creation = FILETIME{static_cast<DWORD>(start & 0xFFFFFFFFu), static_cast<DWORD>(start >> 32)};
  *exit = *kernel = *user = FILETIME{0, 0};
  return TRUE;
}

int SimDesktop::GetClassNameA(HWND hwnd, char* name, int maxCount) {
  const Window* w = find(hwnd);
  if (w == nullptr) return 0;
  const std::string& className = w->desc.className.empty() ? std::string("SimWindow") : w->desc.className;
  return static_cast<int>(copyText(className, name, maxCount));
}

HMODULE SimDesktop::GetModuleHandleA(const char* name) {
  if (name == nullptr) return reinterpret_cast<HMODULE>(kOwnModule);
  return nullptr;
}

DWORD SimDesktop::GetModuleFileNameA(HMODULE module, char* path, DWORD size) {
  if (module != nullptr && module != reinterpret_cast<HMODULE>(kOwnModule)) return 0;
  return static_cast<DWORD>(copyText(kExePath, path, size));
}

// ---- C library ------------------------------------------------------------------------------------

std::time_t SimDesktop::time(std::time_t* out) {
  if (out != nullptr) *out = time_;
  return time_;
}

}  // namespace tessellor::sim
