#include "platform/sim/SimFaults.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "platform/sim/SimDesktop.h"
#include "platform/sim/SimFiles.h"

namespace tessellor::sim {

namespace {

// The failures the calls' pages document, beyond those platform/win_types.h names already.
constexpr DWORD kNotEnoughMemory = 8;                         // ERROR_NOT_ENOUGH_MEMORY
constexpr DWORD kInvalidParameter = 87;                       // ERROR_INVALID_PARAMETER
constexpr DWORD kInsufficientBuffer = 122;                    // ERROR_INSUFFICIENT_BUFFER
constexpr DWORD kHotkeyAlreadyRegistered = 1409;              // ERROR_HOTKEY_ALREADY_REGISTERED
constexpr DWORD kTimeout = 1460;                              // ERROR_TIMEOUT
constexpr DWORD kNotEnoughQuota = 1816;                       // ERROR_NOT_ENOUGH_QUOTA
constexpr DWORD kWaitFailed = 0xFFFFFFFFu;                    // WAIT_FAILED
constexpr HRESULT kFail = static_cast<HRESULT>(0x80004005u);  // E_FAIL
constexpr LONG kRegistryDenied = 5;                           // ERROR_ACCESS_DENIED as a registry status

// Every call of the door that can fail, and whether random faults take it: calls about the program's
// own dialogs and its message loop fail only for handles and arguments it never passes.
struct Fallible {
  std::string_view name;
  bool random;
};
constexpr std::array kFallible{
    Fallible{"AppendMenuA", true},
    Fallible{"ChangeWindowMessageFilterEx", true},
    Fallible{"clearMyHook", true},
    Fallible{"CloseHandle", true},
    Fallible{"CreateDialogParamA", false},
    Fallible{"CreateDirectoryA", true},
    Fallible{"CreateMutexA", true},
    Fallible{"CreatePopupMenu", true},
    Fallible{"CreateRectRgn", true},
    Fallible{"DeleteFileA", true},
    Fallible{"DeleteObject", true},
    Fallible{"DestroyMenu", true},
    Fallible{"DialogBoxParamA", true},
    Fallible{"DwmGetWindowAttribute", true},
    Fallible{"EndDialog", false},
    Fallible{"EnumProcessModules", true},
    Fallible{"EnumWindows", true},
    Fallible{"FindWindowExA", true},
    Fallible{"GetClassNameA", true},
    Fallible{"GetCursorPos", true},
    Fallible{"GetDlgItem", false},
    Fallible{"GetDlgItemInt", false},
    Fallible{"GetDlgItemTextA", false},
    Fallible{"GetDpiForMonitor", true},
    Fallible{"GetDpiForWindow", true},
    Fallible{"GetForegroundWindow", true},
    Fallible{"GetKeyboardLayoutList", true},
    Fallible{"GetMessageA", false},
    Fallible{"GetModuleBaseNameA", true},
    Fallible{"GetModuleFileNameA", true},
    Fallible{"GetModuleHandleA", false},
    Fallible{"GetMonitorInfoA", true},
    Fallible{"GetProcessTimes", true},
    Fallible{"GetRegionData", true},
    Fallible{"GetSystemMetrics", true},
    Fallible{"GetSystemMetricsForDpi", true},
    Fallible{"GetTokenInformation", true},
    Fallible{"GetWindow", true},
    Fallible{"GetWindowDesktopId", true},
    Fallible{"GetWindowLongPtrA", true},
    Fallible{"GetWindowPlacement", true},
    Fallible{"GetWindowRect", true},
    Fallible{"GetWindowRgn", true},
    Fallible{"GetWindowTextA", true},
    Fallible{"GetWindowTextLengthA", true},
    Fallible{"GetWindowThreadProcessId", true},
    Fallible{"InitCommonControlsEx", true},
    Fallible{"IsWindowOnCurrentVirtualDesktop", true},
    Fallible{"KillTimer", true},
    Fallible{"LoadIconA", true},
    Fallible{"MapVirtualKeyExA", true},
    Fallible{"MessageBoxA", true},
    Fallible{"OpenProcess", true},
    Fallible{"OpenProcessToken", true},
    Fallible{"PostMessageA", true},
    Fallible{"QueryFullProcessImageNameA", true},
    Fallible{"readWholeFile", true},
    Fallible{"RegCloseKey", true},
    Fallible{"RegDeleteValueA", true},
    Fallible{"RegisterApplicationRestart", true},
    Fallible{"RegisterHotKey", true},
    Fallible{"RegisterWindowMessageA", false},
    Fallible{"RegOpenKeyA", true},
    Fallible{"RegOpenKeyExA", true},
    Fallible{"RegQueryValueExA", true},
    Fallible{"RegSetValueExA", true},
    Fallible{"removeLeftoverTemporaries", true},
    Fallible{"replaceFile", true},
    Fallible{"SetActiveWindow", true},
    Fallible{"SetDlgItemInt", false},
    Fallible{"SetDlgItemTextA", false},
    Fallible{"SetForegroundWindow", true},
    Fallible{"setMyHook", true},
    Fallible{"SetTimer", true},
    Fallible{"SetWindowLongPtrA", true},
    Fallible{"SetWindowPlacement", true},
    Fallible{"SetWindowPos", true},
    Fallible{"SHGetFolderPathA", true},
    Fallible{"SHQueryUserNotificationState", true},
    Fallible{"Shell_NotifyIconA", true},
    Fallible{"SystemParametersInfoA", true},
    Fallible{"time", true},
    Fallible{"TrackPopupMenu", true},
    Fallible{"UnregisterHotKey", true},
    Fallible{"UpdateWindow", true},
    Fallible{"WaitForSingleObject", true},
    Fallible{"WideCharToMultiByte", true},
};

const Fallible* fallible(std::string_view name) {
  for (const Fallible& f : kFallible)
    if (f.name == name) return &f;
  return nullptr;
}

}  // namespace

SimFaults::SimFaults(SimDesktop& desktop) : ForwardingPlatform(desktop), sim_(desktop) {}

bool SimFaults::canFail(const std::string& call) { return fallible(call) != nullptr; }

std::vector<std::string> SimFaults::failingCalls() {
  std::vector<std::string> names;
  names.reserve(std::size(kFallible));
  for (const Fallible& f : kFallible) names.emplace_back(f.name);
  std::sort(names.begin(), names.end());
  return names;
}

void SimFaults::failAtRandom(double probability, std::uint64_t seed) {
  probability_ = probability;
  random_.seed(seed);
}

bool SimFaults::fails(const char* call, HWND about, DWORD error) {
  if (paused_) return false;
  bool fail = false;
  if (const auto planned = planned_.find(call); planned != planned_.end()) {
    fail = true;
    if (planned->second == Mode::Once) planned_.erase(planned);
  } else if (probability_ > 0) {
    const Fallible* f = fallible(call);
    // The draw is made for every call, so that a seed plays the same whatever the program's own calls do.
    const bool drawn = std::uniform_real_distribution<double>(0, 1)(random_) < probability_;
    fail = drawn && f != nullptr && f->random && (about == nullptr || !sim_.isProgramWindow(about));
  }
  if (!fail) return false;
  ++failures_;
  failed_.emplace_back(call);
  sim_.setLastError(error);
  return true;
}

bool SimFaults::failsFile(const char* call, const char* path, DWORD error) {
  const bool fail = fails(call, nullptr, error);
  if (path != nullptr) writeFailed_[SimFiles::key(path)] = fail;
  return fail;
}

std::optional<bool> SimFaults::lastWriteFailed(const std::string& path) const {
  const auto it = writeFailed_.find(SimFiles::key(path));
  if (it == writeFailed_.end()) return std::nullopt;
  return it->second;
}

// ---- Windows ----

int SimFaults::GetWindowTextA(HWND hwnd, char* text, int maxCount) {
  if (fails("GetWindowTextA", hwnd, ERROR_INVALID_WINDOW_HANDLE)) {
    if (text != nullptr && maxCount > 0) text[0] = '\0';
    return 0;
  }
  return desktop_.GetWindowTextA(hwnd, text, maxCount);
}
int SimFaults::GetWindowTextLengthA(HWND hwnd) {
  if (fails("GetWindowTextLengthA", hwnd, ERROR_INVALID_WINDOW_HANDLE)) return 0;
  return desktop_.GetWindowTextLengthA(hwnd);
}
BOOL SimFaults::GetWindowRect(HWND hwnd, RECT* rect) {
  if (fails("GetWindowRect", hwnd, ERROR_INVALID_WINDOW_HANDLE)) return FALSE;
  return desktop_.GetWindowRect(hwnd, rect);
}
HWND SimFaults::GetForegroundWindow() {
  // "can be NULL in certain circumstances, such as when a window is losing activation"
  if (fails("GetForegroundWindow", nullptr, 0)) return nullptr;
  return desktop_.GetForegroundWindow();
}
DWORD SimFaults::GetWindowThreadProcessId(HWND hwnd, DWORD* processId) {
  if (fails("GetWindowThreadProcessId", hwnd, ERROR_INVALID_WINDOW_HANDLE)) {
    if (processId != nullptr) *processId = 0;
    return 0;
  }
  return desktop_.GetWindowThreadProcessId(hwnd, processId);
}
BOOL SimFaults::EnumWindows(WNDENUMPROC callback, LPARAM lParam) {
  if (fails("EnumWindows", nullptr, kNotEnoughMemory)) return FALSE;
  return desktop_.EnumWindows(callback, lParam);
}
int SimFaults::GetSystemMetrics(int index) {
  if (fails("GetSystemMetrics", nullptr, 0)) return 0;
  return desktop_.GetSystemMetrics(index);
}
BOOL SimFaults::GetCursorPos(POINT* point) {
  if (fails("GetCursorPos", nullptr, ERROR_ACCESS_DENIED)) return FALSE;
  return desktop_.GetCursorPos(point);
}
BOOL SimFaults::GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement) {
  if (fails("GetWindowPlacement", hwnd, ERROR_INVALID_WINDOW_HANDLE)) return FALSE;
  return desktop_.GetWindowPlacement(hwnd, placement);
}
BOOL SimFaults::SetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT* placement) {
  if (fails("SetWindowPlacement", hwnd, ERROR_ACCESS_DENIED)) return FALSE;
  return desktop_.SetWindowPlacement(hwnd, placement);
}
BOOL SimFaults::SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  if (fails("SetWindowPos", hwnd, ERROR_ACCESS_DENIED)) return FALSE;
  return desktop_.SetWindowPos(hwnd, insertAfter, x, y, cx, cy, flags);
}
void SimFaults::placeWindows(std::span<WindowMove> moves) {
  // Each call of the batch fails on its own; the others are made, in their order.
  std::vector<WindowMove> made;
  std::vector<std::size_t> at;
  for (std::size_t i = 0; i < moves.size(); ++i) {
    WindowMove& move = moves[i];
    const char* call = move.call == WindowMove::Call::SetWindowPlacement ? "SetWindowPlacement" : "SetWindowPos";
    if (fails(call, move.hwnd, ERROR_ACCESS_DENIED)) {
      move.result = FALSE;
      move.error = ERROR_ACCESS_DENIED;
      move.answered = true;
      continue;
    }
    made.push_back(move);
    at.push_back(i);
  }
  if (made.empty()) return;
  desktop_.placeWindows(made);
  for (std::size_t k = 0; k < made.size(); ++k) moves[at[k]] = made[k];
}
BOOL SimFaults::UpdateWindow(HWND hwnd) {
  if (fails("UpdateWindow", hwnd, 0)) return FALSE;
  return desktop_.UpdateWindow(hwnd);
}
HWND SimFaults::SetActiveWindow(HWND hwnd) {
  if (fails("SetActiveWindow", hwnd, ERROR_ACCESS_DENIED)) return nullptr;
  return desktop_.SetActiveWindow(hwnd);
}
BOOL SimFaults::SetForegroundWindow(HWND hwnd) {
  // Windows refuses it whenever the caller may not take the foreground; it says no more.
  if (fails("SetForegroundWindow", hwnd, 0)) return FALSE;
  return desktop_.SetForegroundWindow(hwnd);
}

// ---- Monitors, kinds of windows, virtual desktops, scale, regions ----

BOOL SimFaults::GetMonitorInfoA(HMONITOR monitor, MONITORINFO* info) {
  if (fails("GetMonitorInfoA", nullptr, 0)) return FALSE;
  return desktop_.GetMonitorInfoA(monitor, info);
}
BOOL SimFaults::SystemParametersInfoA(UINT action, UINT param, void* pvParam, UINT winIni) {
  if (fails("SystemParametersInfoA", nullptr, kInvalidParameter)) return FALSE;
  return desktop_.SystemParametersInfoA(action, param, pvParam, winIni);
}
HWND SimFaults::GetWindow(HWND hwnd, UINT cmd) {
  if (fails("GetWindow", hwnd, ERROR_INVALID_WINDOW_HANDLE)) return nullptr;
  return desktop_.GetWindow(hwnd, cmd);
}
HRESULT SimFaults::DwmGetWindowAttribute(HWND hwnd, DWORD attribute, void* value, DWORD size) {
  if (fails("DwmGetWindowAttribute", hwnd, 0)) return kFail;
  return desktop_.DwmGetWindowAttribute(hwnd, attribute, value, size);
}
HRESULT SimFaults::IsWindowOnCurrentVirtualDesktop(HWND hwnd, BOOL* onCurrentDesktop) {
  if (fails("IsWindowOnCurrentVirtualDesktop", hwnd, 0)) return kFail;
  return desktop_.IsWindowOnCurrentVirtualDesktop(hwnd, onCurrentDesktop);
}
HRESULT SimFaults::GetWindowDesktopId(HWND hwnd, GUID* desktopId) {
  if (fails("GetWindowDesktopId", hwnd, 0)) return kFail;
  return desktop_.GetWindowDesktopId(hwnd, desktopId);
}
HRESULT SimFaults::SHQueryUserNotificationState(QUERY_USER_NOTIFICATION_STATE* state) {
  if (fails("SHQueryUserNotificationState", nullptr, 0)) return kFail;
  return desktop_.SHQueryUserNotificationState(state);
}
UINT SimFaults::GetDpiForWindow(HWND hwnd) {
  if (fails("GetDpiForWindow", hwnd, 0)) return 0;
  return desktop_.GetDpiForWindow(hwnd);
}
HRESULT SimFaults::GetDpiForMonitor(HMONITOR monitor, int dpiType, UINT* dpiX, UINT* dpiY) {
  if (fails("GetDpiForMonitor", nullptr, 0)) return E_INVALIDARG;
  return desktop_.GetDpiForMonitor(monitor, dpiType, dpiX, dpiY);
}
int SimFaults::GetSystemMetricsForDpi(int index, UINT dpi) {
  if (fails("GetSystemMetricsForDpi", nullptr, kInvalidParameter)) return 0;
  return desktop_.GetSystemMetricsForDpi(index, dpi);
}
HRGN SimFaults::CreateRectRgn(int left, int top, int right, int bottom) {
  if (fails("CreateRectRgn", nullptr, 0)) return nullptr;
  return desktop_.CreateRectRgn(left, top, right, bottom);
}
int SimFaults::GetWindowRgn(HWND hwnd, HRGN region) {
  if (fails("GetWindowRgn", hwnd, 0)) return ERROR;
  return desktop_.GetWindowRgn(hwnd, region);
}
DWORD SimFaults::GetRegionData(HRGN region, DWORD count, RGNDATA* data) {
  if (fails("GetRegionData", nullptr, 0)) return 0;
  return desktop_.GetRegionData(region, count, data);
}
BOOL SimFaults::DeleteObject(HRGN region) {
  if (fails("DeleteObject", nullptr, 0)) return FALSE;
  return desktop_.DeleteObject(region);
}

// ---- Dialogs ----

BOOL SimFaults::InitCommonControlsEx(const INITCOMMONCONTROLSEX* controls) {
  if (fails("InitCommonControlsEx", nullptr, kNotEnoughMemory)) return FALSE;
  return desktop_.InitCommonControlsEx(controls);
}
HWND SimFaults::CreateDialogParamA(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc,
                                   LPARAM initParam) {
  if (fails("CreateDialogParamA", nullptr, kNotEnoughMemory)) return nullptr;
  return desktop_.CreateDialogParamA(instance, templateName, parent, proc, initParam);
}
INT_PTR SimFaults::DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc,
                                   LPARAM initParam) {
  if (fails("DialogBoxParamA", nullptr, kNotEnoughMemory)) return -1;
  return desktop_.DialogBoxParamA(instance, templateName, parent, proc, initParam);
}
BOOL SimFaults::EndDialog(HWND dialog, INT_PTR result) {
  if (fails("EndDialog", dialog, ERROR_INVALID_WINDOW_HANDLE)) return FALSE;
  return desktop_.EndDialog(dialog, result);
}
HWND SimFaults::GetDlgItem(HWND dialog, int id) {
  if (fails("GetDlgItem", dialog, ERROR_INVALID_WINDOW_HANDLE)) return nullptr;
  return desktop_.GetDlgItem(dialog, id);
}
BOOL SimFaults::SetDlgItemTextA(HWND dialog, int id, const char* text) {
  if (fails("SetDlgItemTextA", dialog, ERROR_INVALID_WINDOW_HANDLE)) return FALSE;
  return desktop_.SetDlgItemTextA(dialog, id, text);
}
UINT SimFaults::GetDlgItemTextA(HWND dialog, int id, char* text, int maxCount) {
  if (fails("GetDlgItemTextA", dialog, ERROR_INVALID_WINDOW_HANDLE)) {
    if (text != nullptr && maxCount > 0) text[0] = '\0';
    return 0;
  }
  return desktop_.GetDlgItemTextA(dialog, id, text, maxCount);
}
BOOL SimFaults::SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned) {
  if (fails("SetDlgItemInt", dialog, ERROR_INVALID_WINDOW_HANDLE)) return FALSE;
  return desktop_.SetDlgItemInt(dialog, id, value, isSigned);
}
UINT SimFaults::GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned) {
  if (fails("GetDlgItemInt", dialog, ERROR_INVALID_WINDOW_HANDLE)) {
    if (translated != nullptr) *translated = FALSE;
    return 0;
  }
  return desktop_.GetDlgItemInt(dialog, id, translated, isSigned);
}
LONG_PTR SimFaults::GetWindowLongPtrA(HWND hwnd, int index) {
  if (fails("GetWindowLongPtrA", hwnd, ERROR_INVALID_WINDOW_HANDLE)) return 0;
  return desktop_.GetWindowLongPtrA(hwnd, index);
}
LONG_PTR SimFaults::SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value) {
  if (fails("SetWindowLongPtrA", hwnd, ERROR_ACCESS_DENIED)) return 0;
  return desktop_.SetWindowLongPtrA(hwnd, index, value);
}
int SimFaults::MessageBoxA(HWND owner, const char* text, const char* caption, UINT type) {
  if (fails("MessageBoxA", nullptr, kNotEnoughMemory)) return 0;
  return desktop_.MessageBoxA(owner, text, caption, type);
}

// ---- Messages, timers, keys ----

UINT SimFaults::RegisterWindowMessageA(const char* name) {
  if (fails("RegisterWindowMessageA", nullptr, kNotEnoughMemory)) return 0;
  return desktop_.RegisterWindowMessageA(name);
}
BOOL SimFaults::GetMessageA(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax) {
  if (fails("GetMessageA", nullptr, ERROR_INVALID_WINDOW_HANDLE)) return -1;
  return desktop_.GetMessageA(msg, hwnd, filterMin, filterMax);
}
UINT_PTR SimFaults::SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc) {
  // The timer is the program's, but Windows runs out of them for the whole session.
  if (fails("SetTimer", nullptr, kNotEnoughQuota)) return 0;
  return desktop_.SetTimer(hwnd, id, elapse, proc);
}
BOOL SimFaults::KillTimer(HWND hwnd, UINT_PTR id) {
  if (fails("KillTimer", nullptr, kInvalidParameter)) return FALSE;
  return desktop_.KillTimer(hwnd, id);
}
BOOL SimFaults::RegisterHotKey(HWND hwnd, int id, UINT modifiers, UINT virtualKey) {
  if (fails("RegisterHotKey", nullptr, kHotkeyAlreadyRegistered)) return FALSE;
  return desktop_.RegisterHotKey(hwnd, id, modifiers, virtualKey);
}
BOOL SimFaults::UnregisterHotKey(HWND hwnd, int id) {
  if (fails("UnregisterHotKey", nullptr, kInvalidParameter)) return FALSE;
  return desktop_.UnregisterHotKey(hwnd, id);
}
int SimFaults::GetKeyboardLayoutList(int count, HKL* layouts) {
  if (fails("GetKeyboardLayoutList", nullptr, kInsufficientBuffer)) return 0;
  return desktop_.GetKeyboardLayoutList(count, layouts);
}
UINT SimFaults::MapVirtualKeyExA(UINT code, UINT mapType, HKL layout) {
  if (fails("MapVirtualKeyExA", nullptr, 0)) return 0;
  return desktop_.MapVirtualKeyExA(code, mapType, layout);
}
int SimFaults::WideCharToMultiByte(UINT codePage, DWORD flags, const WCHAR* wide, int wideCount, char* text,
                                   int textSize, const char* defaultChar, BOOL* usedDefaultChar) {
  if (fails("WideCharToMultiByte", nullptr, kInsufficientBuffer)) return 0;
  return desktop_.WideCharToMultiByte(codePage, flags, wide, wideCount, text, textSize, defaultChar, usedDefaultChar);
}

// ---- Tray and menus ----

HICON SimFaults::LoadIconA(HINSTANCE instance, LPCSTR name) {
  if (fails("LoadIconA", nullptr, kNotEnoughMemory)) return nullptr;
  return desktop_.LoadIconA(instance, name);
}
BOOL SimFaults::Shell_NotifyIconA(DWORD message, NOTIFYICONDATAA* data) {
  // The shell is not ready (at logon), or busy: it answers no within its timeout.
  if (fails("Shell_NotifyIconA", nullptr, kTimeout)) return FALSE;
  return desktop_.Shell_NotifyIconA(message, data);
}
HMENU SimFaults::CreatePopupMenu() {
  if (fails("CreatePopupMenu", nullptr, kNotEnoughMemory)) return nullptr;
  return desktop_.CreatePopupMenu();
}
BOOL SimFaults::AppendMenuA(HMENU menu, UINT flags, UINT_PTR id, const char* text) {
  if (fails("AppendMenuA", nullptr, kNotEnoughMemory)) return FALSE;
  return desktop_.AppendMenuA(menu, flags, id, text);
}
BOOL SimFaults::TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, const RECT* rect) {
  if (fails("TrackPopupMenu", nullptr, kInvalidParameter)) return FALSE;
  return desktop_.TrackPopupMenu(menu, flags, x, y, reserved, owner, rect);
}
BOOL SimFaults::DestroyMenu(HMENU menu) {
  if (fails("DestroyMenu", nullptr, kInvalidParameter)) return FALSE;
  return desktop_.DestroyMenu(menu);
}

// ---- Registry ----

LONG SimFaults::RegOpenKeyA(HKEY key, const char* subKey, HKEY* result) {
  if (fails("RegOpenKeyA", nullptr, 0)) return kRegistryDenied;
  return desktop_.RegOpenKeyA(key, subKey, result);
}
LONG SimFaults::RegSetValueExA(HKEY key, const char* valueName, DWORD reserved, DWORD type, const BYTE* data,
                               DWORD size) {
  if (fails("RegSetValueExA", nullptr, 0)) return kRegistryDenied;
  return desktop_.RegSetValueExA(key, valueName, reserved, type, data, size);
}
LONG SimFaults::RegCloseKey(HKEY key) {
  if (fails("RegCloseKey", nullptr, 0)) return static_cast<LONG>(ERROR_INVALID_HANDLE);
  return desktop_.RegCloseKey(key);
}
LONG SimFaults::RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, REGSAM access, HKEY* result) {
  if (fails("RegOpenKeyExA", nullptr, 0)) return kRegistryDenied;
  return desktop_.RegOpenKeyExA(key, subKey, options, access, result);
}
LONG SimFaults::RegQueryValueExA(HKEY key, const char* valueName, DWORD* reserved, DWORD* type, BYTE* data,
                                 DWORD* size) {
  if (fails("RegQueryValueExA", nullptr, 0)) return kRegistryDenied;
  return desktop_.RegQueryValueExA(key, valueName, reserved, type, data, size);
}
LONG SimFaults::RegDeleteValueA(HKEY key, const char* valueName) {
  if (fails("RegDeleteValueA", nullptr, 0)) return kRegistryDenied;
  return desktop_.RegDeleteValueA(key, valueName);
}

// ---- Processes ----

HMODULE SimFaults::GetModuleHandleA(const char* name) {
  if (fails("GetModuleHandleA", nullptr, ERROR_FILE_NOT_FOUND)) return nullptr;
  return desktop_.GetModuleHandleA(name);
}
DWORD SimFaults::GetModuleFileNameA(HMODULE module, char* path, DWORD size) {
  if (fails("GetModuleFileNameA", nullptr, kInsufficientBuffer)) {
    if (path != nullptr && size > 0) path[0] = '\0';
    return 0;
  }
  return desktop_.GetModuleFileNameA(module, path, size);
}
HANDLE SimFaults::OpenProcess(DWORD access, BOOL inherit, DWORD processId) {
  if (fails("OpenProcess", nullptr, ERROR_ACCESS_DENIED)) return nullptr;
  return desktop_.OpenProcess(access, inherit, processId);
}
BOOL SimFaults::CloseHandle(HANDLE handle) {
  // Failing, it leaves the handle open: the desktop still closes it, so that no handle leaks here.
  const BOOL closed = desktop_.CloseHandle(handle);
  if (fails("CloseHandle", nullptr, ERROR_INVALID_HANDLE)) return FALSE;
  return closed;
}
BOOL SimFaults::EnumProcessModules(HANDLE process, HMODULE* modules, DWORD size, DWORD* needed) {
  if (fails("EnumProcessModules", nullptr, ERROR_ACCESS_DENIED)) return FALSE;
  return desktop_.EnumProcessModules(process, modules, size, needed);
}
DWORD SimFaults::GetModuleBaseNameA(HANDLE process, HMODULE module, char* name, DWORD size) {
  if (fails("GetModuleBaseNameA", nullptr, ERROR_ACCESS_DENIED)) return 0;
  return desktop_.GetModuleBaseNameA(process, module, name, size);
}
BOOL SimFaults::QueryFullProcessImageNameA(HANDLE process, DWORD flags, char* name, DWORD* size) {
  if (fails("QueryFullProcessImageNameA", nullptr, ERROR_ACCESS_DENIED)) return FALSE;
  return desktop_.QueryFullProcessImageNameA(process, flags, name, size);
}
BOOL SimFaults::OpenProcessToken(HANDLE process, DWORD access, HANDLE* token) {
  if (fails("OpenProcessToken", nullptr, ERROR_ACCESS_DENIED)) return FALSE;
  return desktop_.OpenProcessToken(process, access, token);
}
BOOL SimFaults::GetTokenInformation(HANDLE token, int infoClass, void* info, DWORD length, DWORD* returned) {
  if (fails("GetTokenInformation", nullptr, ERROR_ACCESS_DENIED)) return FALSE;
  return desktop_.GetTokenInformation(token, infoClass, info, length, returned);
}
BOOL SimFaults::GetProcessTimes(HANDLE process, FILETIME* creation, FILETIME* exit, FILETIME* kernel, FILETIME* user) {
  if (fails("GetProcessTimes", nullptr, ERROR_ACCESS_DENIED)) return FALSE;
  return desktop_.GetProcessTimes(process, creation, exit, kernel, user);
}
int SimFaults::GetClassNameA(HWND hwnd, char* name, int maxCount) {
  if (fails("GetClassNameA", hwnd, ERROR_INVALID_WINDOW_HANDLE)) return 0;
  return desktop_.GetClassNameA(hwnd, name, maxCount);
}
HWND SimFaults::FindWindowExA(HWND parent, HWND childAfter, const char* className, const char* windowName) {
  if (fails("FindWindowExA", nullptr, ERROR_ACCESS_DENIED)) return nullptr;
  return desktop_.FindWindowExA(parent, childAfter, className, windowName);
}
BOOL SimFaults::PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  // A full message queue.
  if (fails("PostMessageA", nullptr, kNotEnoughQuota)) return FALSE;
  return desktop_.PostMessageA(hwnd, message, wParam, lParam);
}
DWORD SimFaults::WaitForSingleObject(HANDLE handle, DWORD milliseconds) {
  if (fails("WaitForSingleObject", nullptr, ERROR_INVALID_HANDLE)) return kWaitFailed;
  return desktop_.WaitForSingleObject(handle, milliseconds);
}
HRESULT SimFaults::RegisterApplicationRestart(const WCHAR* commandLine, DWORD flags) {
  if (fails("RegisterApplicationRestart", nullptr, 0)) return kFail;
  return desktop_.RegisterApplicationRestart(commandLine, flags);
}
HANDLE SimFaults::CreateMutexA(void* security, BOOL initialOwner, const char* name) {
  if (fails("CreateMutexA", nullptr, ERROR_ACCESS_DENIED)) return nullptr;
  return desktop_.CreateMutexA(security, initialOwner, name);
}
BOOL SimFaults::ChangeWindowMessageFilterEx(HWND hwnd, UINT message, DWORD action, void* filterStatus) {
  if (fails("ChangeWindowMessageFilterEx", nullptr, ERROR_ACCESS_DENIED)) return FALSE;
  return desktop_.ChangeWindowMessageFilterEx(hwnd, message, action, filterStatus);
}
BOOL SimFaults::setMyHook(HWND target) {
  if (fails("setMyHook", nullptr, ERROR_ACCESS_DENIED)) return FALSE;
  return desktop_.setMyHook(target);
}
BOOL SimFaults::clearMyHook(HWND target) {
  if (fails("clearMyHook", nullptr, ERROR_INVALID_HANDLE)) return FALSE;
  return desktop_.clearMyHook(target);
}

// ---- Files and folders ----

bool SimFaults::readWholeFile(const char* path, std::string& bytes) {
  // ReadFile failed on a file that is there: it reads as the damage it is.
  if (fails("readWholeFile", nullptr, ERROR_ACCESS_DENIED)) {
    std::string there;
    const bool exists = desktop_.readWholeFile(path, there);
    bytes.clear();
    return exists;
  }
  return desktop_.readWholeFile(path, bytes);
}
bool SimFaults::replaceFile(const char* path, std::string_view bytes, Durability durability) {
  if (failsFile("replaceFile", path, ERROR_ACCESS_DENIED)) return false;
  const bool ok = desktop_.replaceFile(path, bytes, durability);
  if (path != nullptr) writeFailed_[SimFiles::key(path)] = !ok;
  return ok;
}
bool SimFaults::removeLeftoverTemporaries(const char* path) {
  if (fails("removeLeftoverTemporaries", nullptr, ERROR_ACCESS_DENIED)) return false;
  return desktop_.removeLeftoverTemporaries(path);
}
HRESULT SimFaults::SHGetFolderPathA(HWND owner, int csidl, HANDLE token, DWORD flags, char* path) {
  if (fails("SHGetFolderPathA", nullptr, 0)) return kFail;
  return desktop_.SHGetFolderPathA(owner, csidl, token, flags, path);
}
BOOL SimFaults::CreateDirectoryA(const char* path, void* security) {
  if (fails("CreateDirectoryA", nullptr, ERROR_ACCESS_DENIED)) return FALSE;
  return desktop_.CreateDirectoryA(path, security);
}
BOOL SimFaults::DeleteFileA(const char* path) {
  if (failsFile("DeleteFileA", path, ERROR_ACCESS_DENIED)) return FALSE;
  const BOOL ok = desktop_.DeleteFileA(path);
  if (path != nullptr)
    writeFailed_[SimFiles::key(path)] = ok == FALSE && desktop_.GetLastError() != ERROR_FILE_NOT_FOUND;
  return ok;
}

std::time_t SimFaults::time(std::time_t* out) {
  if (fails("time", nullptr, 0)) {
    if (out != nullptr) *out = static_cast<std::time_t>(-1);
    return static_cast<std::time_t>(-1);
  }
  return desktop_.time(out);
}

}  // namespace tessellor::sim
