// Our portable declarations come first; <windows.h> after them, so that its macros cannot rewrite
// them. Below, `::` names are the system's, unqualified names are ours.
#include "platform/win32/Win32Platform.h"

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include <windows.h>
// psapi and shellapi need windows.h first.
#include <commctrl.h>
#include <dwmapi.h>
#include <psapi.h>
#include <shellapi.h>
#include <shlobj.h>

#include "hook/msghook.h"
#include "platform/TemporaryFiles.h"
#include "platform/win32/PlacementWorkers.h"
#include "platform/win32/SystemFunction.h"

// With the current psapi these are macros for the K32 names; our members keep the documented ones.
#undef EnumProcessModules
#undef GetModuleBaseNameA

namespace tessellor::win32 {

namespace {

::HWND sys(HWND h) { return reinterpret_cast<::HWND>(h); }
HWND ours(::HWND h) { return reinterpret_cast<HWND>(h); }
::HINSTANCE sys(HINSTANCE h) { return reinterpret_cast<::HINSTANCE>(h); }
::HRGN sys(HRGN h) { return reinterpret_cast<::HRGN>(h); }
::HMENU sys(HMENU h) { return reinterpret_cast<::HMENU>(h); }
// Our predefined keys carry their 32-bit values; 64-bit Windows spells them sign-extended.
::HKEY sys(HKEY h) {
  const auto value = reinterpret_cast<std::uintptr_t>(h);
  if (value >= 0x80000000u && value <= 0x8000000Fu) {
    return reinterpret_cast<::HKEY>(static_cast<std::intptr_t>(static_cast<std::int32_t>(value)));
  }
  return reinterpret_cast<::HKEY>(h);
}
::HMONITOR sys(HMONITOR h) { return reinterpret_cast<::HMONITOR>(h); }

::RECT sys(const RECT& r) { return ::RECT{r.left, r.top, r.right, r.bottom}; }
RECT ours(const ::RECT& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

::MSG sys(const MSG& m) {
  ::MSG s{};
  s.hwnd = sys(m.hwnd);
  s.message = m.message;
  s.wParam = m.wParam;
  s.lParam = m.lParam;
  s.time = m.time;
  s.pt = ::POINT{m.pt.x, m.pt.y};
  return s;
}

MSG ours(const ::MSG& s) {
  return MSG{ours(s.hwnd),
             s.message,
             s.wParam,
             s.lParam,
             static_cast<DWORD>(s.time),
             POINT{static_cast<LONG>(s.pt.x), static_cast<LONG>(s.pt.y)}};
}

// A dialog procedure of ours, bound to its dialog for the dialog's life.
struct DialogBinding {
  Win32Platform* platform;
  DLGPROC proc;
  LPARAM initParam;
};

const char kBindingProperty[] = "Tessellor.DialogBinding";

// The dialog being made on this thread: its messages before WM_INITDIALOG (WM_SETFONT, sent before
// its controls are made) reach its procedure too.
thread_local DialogBinding* dialogBeingMade = nullptr;

INT_PTR CALLBACK dialogThunk(::HWND hwnd, ::UINT message, ::WPARAM wParam, ::LPARAM lParam) {
  auto* binding = static_cast<DialogBinding*>(::GetPropA(hwnd, kBindingProperty));
  if (message == WM_INITDIALOG) {
    binding = reinterpret_cast<DialogBinding*>(lParam);
    ::SetPropA(hwnd, kBindingProperty, binding);
    lParam = binding->initParam;
    if (dialogBeingMade == binding) dialogBeingMade = nullptr;
  } else if (binding == nullptr && dialogBeingMade != nullptr) {
    binding = dialogBeingMade;
    ::SetPropA(hwnd, kBindingProperty, binding);
  }
  if (binding == nullptr) return FALSE;
  // A restarted shell has forgotten every icon; the program itself never hears of it.
  if (message == binding->platform->taskbarCreatedMessage()) binding->platform->restoreTrayIcon(ours(hwnd));
  const INT_PTR result = binding->proc(*binding->platform, ours(hwnd), message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    ::RemovePropA(hwnd, kBindingProperty);
    delete binding;
  }
  return result;
}

struct EnumBinding {
  WNDENUMPROC proc;
  LPARAM param;
};

BOOL CALLBACK enumThunk(::HWND hwnd, ::LPARAM lParam) {
  auto* binding = reinterpret_cast<EnumBinding*>(lParam);
  return binding->proc(ours(hwnd), binding->param);
}

}  // namespace

Win32Platform::Win32Platform()
    : workers_(std::make_unique<PlacementWorkers>()), taskbarCreated_(::RegisterWindowMessageA("TaskbarCreated")) {}

BOOL Win32Platform::IsWindow(HWND hwnd) { return ::IsWindow(sys(hwnd)); }
BOOL Win32Platform::IsWindowVisible(HWND hwnd) { return ::IsWindowVisible(sys(hwnd)); }
BOOL Win32Platform::IsIconic(HWND hwnd) { return ::IsIconic(sys(hwnd)); }
int Win32Platform::GetWindowTextA(HWND hwnd, char* text, int maxCount) {
  return ::GetWindowTextA(sys(hwnd), text, maxCount);
}
int Win32Platform::GetWindowTextLengthA(HWND hwnd) { return ::GetWindowTextLengthA(sys(hwnd)); }

BOOL Win32Platform::GetWindowRect(HWND hwnd, RECT* rect) {
  ::RECT r{};
  if (!::GetWindowRect(sys(hwnd), &r)) return FALSE;
  *rect = ours(r);
  return TRUE;
}

HWND Win32Platform::GetForegroundWindow() { return ours(::GetForegroundWindow()); }

DWORD Win32Platform::GetWindowThreadProcessId(HWND hwnd, DWORD* processId) {
  ::DWORD pid = 0;
  const ::DWORD thread = ::GetWindowThreadProcessId(sys(hwnd), &pid);
  if (processId != nullptr) *processId = pid;
  return thread;
}

BOOL Win32Platform::EnumWindows(WNDENUMPROC callback, LPARAM lParam) {
  EnumBinding binding{callback, lParam};
  return ::EnumWindows(enumThunk, reinterpret_cast<::LPARAM>(&binding));
}

int Win32Platform::GetSystemMetrics(int index) { return ::GetSystemMetrics(index); }

BOOL Win32Platform::GetCursorPos(POINT* point) {
  ::POINT p{};
  const BOOL ok = ::GetCursorPos(&p);
  *point = POINT{static_cast<LONG>(p.x), static_cast<LONG>(p.y)};
  return ok;
}

BOOL Win32Platform::GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement) {
  return getWindowPlacement(hwnd, placement);
}
BOOL Win32Platform::SetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT* placement) {
  return setWindowPlacement(hwnd, *placement, deliveryFor(hwnd));
}
BOOL Win32Platform::SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  return setWindowPos(hwnd, insertAfter, x, y, cx, cy, flags, deliveryFor(hwnd));
}
BOOL Win32Platform::ShowWindow(HWND hwnd, int showCmd) { return showWindow(hwnd, showCmd, deliveryFor(hwnd)); }
BOOL Win32Platform::UpdateWindow(HWND hwnd) { return ::UpdateWindow(sys(hwnd)); }
HWND Win32Platform::SetActiveWindow(HWND hwnd) { return ours(::SetActiveWindow(sys(hwnd))); }
BOOL Win32Platform::SetForegroundWindow(HWND hwnd) { return ::SetForegroundWindow(sys(hwnd)); }

HRGN Win32Platform::CreateRectRgn(int left, int top, int right, int bottom) {
  return reinterpret_cast<HRGN>(::CreateRectRgn(left, top, right, bottom));
}
HMONITOR Win32Platform::MonitorFromWindow(HWND hwnd, DWORD flags) {
  // No window (a null handle asks for the primary monitor): the top-left corner of the primary
  // monitor is always (0, 0).
  if (!::IsWindow(sys(hwnd))) {
    return flags == MONITOR_DEFAULTTONULL
               ? nullptr
               : reinterpret_cast<HMONITOR>(::MonitorFromPoint(::POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY));
  }
  return reinterpret_cast<HMONITOR>(::MonitorFromWindow(sys(hwnd), flags));
}
BOOL Win32Platform::GetMonitorInfoA(HMONITOR monitor, MONITORINFO* info) {
  if (info == nullptr) return FALSE;
  ::MONITORINFO m{};
  m.cbSize = sizeof m;
  if (info->cbSize != sizeof(MONITORINFO) || !::GetMonitorInfoA(sys(monitor), &m)) return FALSE;
  info->rcMonitor = ours(m.rcMonitor);
  info->rcWork = ours(m.rcWork);
  info->dwFlags = m.dwFlags;
  return TRUE;
}
BOOL Win32Platform::SystemParametersInfoA(UINT action, UINT param, void* pvParam, UINT winIni) {
  static_assert(sizeof(RECT) == sizeof(::RECT));
  return ::SystemParametersInfoA(action, param, pvParam, winIni);
}
HWND Win32Platform::GetWindow(HWND hwnd, UINT cmd) { return ours(::GetWindow(sys(hwnd), cmd)); }
HRESULT Win32Platform::DwmGetWindowAttribute(HWND hwnd, DWORD attribute, void* value, DWORD size) {
  // Loaded at the first window read, after the tray icon shows; without it no window has frames.
  using DwmGetWindowAttributeFn = ::HRESULT(WINAPI*)(::HWND, ::DWORD, ::PVOID, ::DWORD);
  static const auto fn = systemFunction<DwmGetWindowAttributeFn>("dwmapi.dll", "DwmGetWindowAttribute");
  return fn != nullptr ? fn(sys(hwnd), attribute, value, size) : E_NOTIMPL;
}

HRESULT Win32Platform::SHQueryUserNotificationState(QUERY_USER_NOTIFICATION_STATE* state) {
  ::QUERY_USER_NOTIFICATION_STATE answer{};
  const ::HRESULT result = ::SHQueryUserNotificationState(&answer);
  if (SUCCEEDED(result)) *state = static_cast<QUERY_USER_NOTIFICATION_STATE>(answer);
  return result;
}

int Win32Platform::GetWindowRgn(HWND hwnd, HRGN region) { return ::GetWindowRgn(sys(hwnd), sys(region)); }
DWORD Win32Platform::GetRegionData(HRGN region, DWORD count, RGNDATA* data) {
  static_assert(sizeof(RGNDATAHEADER) == sizeof(::RGNDATAHEADER));
  return ::GetRegionData(sys(region), count, reinterpret_cast<::RGNDATA*>(data));
}
BOOL Win32Platform::DeleteObject(HRGN region) { return ::DeleteObject(sys(region)); }

BOOL Win32Platform::InitCommonControlsEx(const INITCOMMONCONTROLSEX* controls) {
  // Loaded at the first dialog that needs it: its loading was a good part of a start's time before
  // the tray icon shows. The manifest picks version 6.
  using InitFn = ::BOOL(WINAPI*)(const ::INITCOMMONCONTROLSEX*);
  static const auto init = systemFunction<InitFn>("comctl32.dll", "InitCommonControlsEx");
  if (init == nullptr || controls == nullptr) return FALSE;
  const ::INITCOMMONCONTROLSEX system{controls->dwSize, controls->dwICC};
  return init(&system);
}

HWND Win32Platform::CreateDialogParamA(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc,
                                       LPARAM initParam) {
  auto* binding = new DialogBinding{this, proc, initParam};
  DialogBinding* const outer = std::exchange(dialogBeingMade, binding);
  ::HWND dialog =
      ::CreateDialogParamA(sys(instance), templateName, sys(parent), dialogThunk, reinterpret_cast<::LPARAM>(binding));
  dialogBeingMade = outer;
  if (dialog == nullptr) delete binding;  // never reached WM_INITDIALOG
  return ours(dialog);
}

INT_PTR Win32Platform::DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc,
                                       LPARAM initParam) {
  auto* binding = new DialogBinding{this, proc, initParam};
  DialogBinding* const outer = std::exchange(dialogBeingMade, binding);
  const INT_PTR result =
      ::DialogBoxParamA(sys(instance), templateName, sys(parent), dialogThunk, reinterpret_cast<::LPARAM>(binding));
  dialogBeingMade = outer;
  if (result == -1) delete binding;
  return result;
}

BOOL Win32Platform::EndDialog(HWND dialog, INT_PTR result) { return ::EndDialog(sys(dialog), result); }
HWND Win32Platform::GetDlgItem(HWND dialog, int id) { return ours(::GetDlgItem(sys(dialog), id)); }
BOOL Win32Platform::SetDlgItemTextA(HWND dialog, int id, const char* text) {
  return ::SetDlgItemTextA(sys(dialog), id, text);
}
UINT Win32Platform::GetDlgItemTextA(HWND dialog, int id, char* text, int maxCount) {
  return ::GetDlgItemTextA(sys(dialog), id, text, maxCount);
}
BOOL Win32Platform::SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned) {
  return ::SetDlgItemInt(sys(dialog), id, value, isSigned);
}
UINT Win32Platform::GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned) {
  return ::GetDlgItemInt(sys(dialog), id, translated, isSigned);
}
LRESULT Win32Platform::SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
  return ::SendDlgItemMessageA(sys(dialog), id, message, wParam, lParam);
}
LRESULT Win32Platform::SendMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return ::SendMessageA(sys(hwnd), message, wParam, lParam);
}
LONG_PTR Win32Platform::GetWindowLongPtrA(HWND hwnd, int index) { return ::GetWindowLongPtrA(sys(hwnd), index); }
LONG_PTR Win32Platform::SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value) {
  return ::SetWindowLongPtrA(sys(hwnd), index, value);
}
int Win32Platform::MessageBoxA(HWND owner, const char* text, const char* caption, UINT type) {
  return ::MessageBoxA(sys(owner), text, caption, type);
}

UINT Win32Platform::RegisterWindowMessageA(const char* name) { return ::RegisterWindowMessageA(name); }

BOOL Win32Platform::GetMessageA(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax) {
  ::MSG m{};
  const BOOL result = ::GetMessageA(&m, sys(hwnd), filterMin, filterMax);
  *msg = ours(m);
  return result;
}

BOOL Win32Platform::IsDialogMessageA(HWND dialog, MSG* msg) {
  ::MSG m = sys(*msg);
  return ::IsDialogMessageA(sys(dialog), &m);
}

BOOL Win32Platform::TranslateMessage(const MSG* msg) {
  const ::MSG m = sys(*msg);
  return ::TranslateMessage(&m);
}

LRESULT Win32Platform::DispatchMessageA(const MSG* msg) {
  const ::MSG m = sys(*msg);
  return ::DispatchMessageA(&m);
}

void Win32Platform::PostQuitMessage(int exitCode) { ::PostQuitMessage(exitCode); }

BOOL Win32Platform::OpenClipboard(HWND owner) { return ::OpenClipboard(sys(owner)); }
BOOL Win32Platform::EmptyClipboard() { return ::EmptyClipboard(); }
HANDLE Win32Platform::SetClipboardData(UINT format, HANDLE data) { return ::SetClipboardData(format, data); }
BOOL Win32Platform::CloseClipboard() { return ::CloseClipboard(); }
HGLOBAL Win32Platform::GlobalAlloc(UINT flags, std::size_t bytes) { return ::GlobalAlloc(flags, bytes); }
void* Win32Platform::GlobalLock(HGLOBAL memory) { return ::GlobalLock(memory); }
BOOL Win32Platform::GlobalUnlock(HGLOBAL memory) { return ::GlobalUnlock(memory); }
HGLOBAL Win32Platform::GlobalFree(HGLOBAL memory) { return ::GlobalFree(memory); }

UINT_PTR Win32Platform::SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc) {
  // Only WM_TIMER is asked for: a procedure of ours has another signature than Windows calls.
  if (proc != nullptr) return 0;
  return ::SetTimer(sys(hwnd), id, elapse, nullptr);
}
BOOL Win32Platform::KillTimer(HWND hwnd, UINT_PTR id) { return ::KillTimer(sys(hwnd), id); }

BOOL Win32Platform::RegisterHotKey(HWND hwnd, int id, UINT modifiers, UINT virtualKey) {
  return ::RegisterHotKey(sys(hwnd), id, modifiers, virtualKey);
}
BOOL Win32Platform::UnregisterHotKey(HWND hwnd, int id) { return ::UnregisterHotKey(sys(hwnd), id); }

int Win32Platform::GetKeyboardLayoutList(int count, HKL* layouts) {
  return ::GetKeyboardLayoutList(count, reinterpret_cast<::HKL*>(layouts));
}
UINT Win32Platform::MapVirtualKeyExA(UINT code, UINT mapType, HKL layout) {
  return ::MapVirtualKeyExA(code, mapType, reinterpret_cast<::HKL>(layout));
}
int Win32Platform::ToUnicodeEx(UINT virtualKey, UINT scanCode, const BYTE* keyState, WCHAR* buffer, int count,
                               UINT flags, HKL layout) {
  return ::ToUnicodeEx(virtualKey, scanCode, keyState, reinterpret_cast<::LPWSTR>(buffer), count, flags,
                       reinterpret_cast<::HKL>(layout));
}
int Win32Platform::WideCharToMultiByte(UINT codePage, DWORD flags, const WCHAR* wide, int wideCount, char* text,
                                       int textSize, const char* defaultChar, BOOL* usedDefaultChar) {
  return ::WideCharToMultiByte(codePage, flags, reinterpret_cast<::LPCWCH>(wide), wideCount, text, textSize,
                               defaultChar, usedDefaultChar);
}

HICON Win32Platform::LoadIconA(HINSTANCE instance, LPCSTR name) {
  return reinterpret_cast<HICON>(::LoadIconA(sys(instance), name));
}

BOOL Win32Platform::Shell_NotifyIconA(DWORD message, NOTIFYICONDATAA* data) {
  if (message == NIM_ADD) {
    trayIcon_ = *data;
    hasTrayIcon_ = true;
  } else if (message == NIM_DELETE && hasTrayIcon_ && data->hWnd == trayIcon_.hWnd && data->uID == trayIcon_.uID) {
    hasTrayIcon_ = false;
  }
  ::NOTIFYICONDATAA icon{};
  icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
  icon.hWnd = sys(data->hWnd);
  icon.uID = data->uID;
  icon.uFlags = data->uFlags;
  icon.uCallbackMessage = data->uCallbackMessage;
  icon.hIcon = reinterpret_cast<::HICON>(data->hIcon);
  static_assert(sizeof icon.szTip == sizeof data->szTip);
  std::memcpy(icon.szTip, data->szTip, sizeof data->szTip);
  if (data->cbSize >= NOTIFYICONDATAA_V2_SIZE) {
    // A balloon: the fields up to guidItem, the layout being the same as ours.
    static_assert(offsetof(::NOTIFYICONDATAA, guidItem) == offsetof(NOTIFYICONDATAA, guidItem));
    icon.cbSize = offsetof(::NOTIFYICONDATAA, guidItem);
    icon.dwState = data->dwState;
    icon.dwStateMask = data->dwStateMask;
    std::memcpy(icon.szInfo, data->szInfo, sizeof icon.szInfo);
    icon.uTimeout = data->uTimeout;
    std::memcpy(icon.szInfoTitle, data->szInfoTitle, sizeof icon.szInfoTitle);
    icon.dwInfoFlags = data->dwInfoFlags;
  }
  const BOOL shown = ::Shell_NotifyIconA(message, &icon);
  if (message == NIM_ADD) {
    // Lets a shell of lower integrity tell us it has restarted.
    ::ChangeWindowMessageFilterEx(sys(data->hWnd), taskbarCreated_, MSGFLT_ALLOW, nullptr);
    // Nothing the icon does not need runs before it shows: the placement workers start now.
    if (workers_ != nullptr) workers_->warmUp();
  }
  return shown;
}

void Win32Platform::restoreTrayIcon(HWND window) {
  if (!hasTrayIcon_ || trayIcon_.hWnd != window) return;
  NOTIFYICONDATAA icon = trayIcon_;
  Shell_NotifyIconA(NIM_ADD, &icon);
}

HMENU Win32Platform::CreatePopupMenu() { return reinterpret_cast<HMENU>(::CreatePopupMenu()); }
BOOL Win32Platform::AppendMenuA(HMENU menu, UINT flags, UINT_PTR id, const char* text) {
  return ::AppendMenuA(sys(menu), flags, id, text);
}
BOOL Win32Platform::TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, const RECT* rect) {
  ::RECT r{};
  if (rect != nullptr) r = sys(*rect);
  return ::TrackPopupMenu(sys(menu), flags, x, y, reserved, sys(owner), rect != nullptr ? &r : nullptr);
}
BOOL Win32Platform::DestroyMenu(HMENU menu) { return ::DestroyMenu(sys(menu)); }

LONG Win32Platform::RegOpenKeyA(HKEY key, const char* subKey, HKEY* result) {
  ::HKEY opened = nullptr;
  const LONG status = ::RegOpenKeyA(sys(key), subKey, &opened);
  *result = reinterpret_cast<HKEY>(opened);
  return status;
}
LONG Win32Platform::RegSetValueExA(HKEY key, const char* valueName, DWORD reserved, DWORD type, const BYTE* data,
                                   DWORD size) {
  return ::RegSetValueExA(sys(key), valueName, reserved, type, data, size);
}
LONG Win32Platform::RegCloseKey(HKEY key) { return ::RegCloseKey(sys(key)); }
LONG Win32Platform::RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, REGSAM access, HKEY* result) {
  ::HKEY opened = nullptr;
  const LONG status = ::RegOpenKeyExA(sys(key), subKey, options, access, &opened);
  *result = reinterpret_cast<HKEY>(opened);
  return status;
}
LONG Win32Platform::RegQueryValueExA(HKEY key, const char* valueName, DWORD* reserved, DWORD* type, BYTE* data,
                                     DWORD* size) {
  static_assert(sizeof(DWORD) == sizeof(::DWORD));
  return ::RegQueryValueExA(sys(key), valueName, reinterpret_cast<::LPDWORD>(reserved),
                            reinterpret_cast<::LPDWORD>(type), data, reinterpret_cast<::LPDWORD>(size));
}

HMODULE Win32Platform::GetModuleHandleA(const char* name) {
  return reinterpret_cast<HMODULE>(::GetModuleHandleA(name));
}
DWORD Win32Platform::GetModuleFileNameA(HMODULE module, char* path, DWORD size) {
  return ::GetModuleFileNameA(sys(module), path, size);
}
HANDLE Win32Platform::OpenProcess(DWORD access, BOOL inherit, DWORD processId) {
  return ::OpenProcess(access, inherit, processId);
}
BOOL Win32Platform::CloseHandle(HANDLE handle) { return ::CloseHandle(handle); }
BOOL Win32Platform::EnumProcessModules(HANDLE process, HMODULE* modules, DWORD size, DWORD* needed) {
  ::DWORD n = 0;
  const BOOL ok = ::K32EnumProcessModules(process, reinterpret_cast<::HMODULE*>(modules), size, &n);
  if (needed != nullptr) *needed = n;
  return ok;
}
DWORD Win32Platform::GetModuleBaseNameA(HANDLE process, HMODULE module, char* name, DWORD size) {
  return ::K32GetModuleBaseNameA(process, sys(module), name, size);
}
BOOL Win32Platform::QueryFullProcessImageNameA(HANDLE process, DWORD flags, char* name, DWORD* size) {
  ::DWORD n = *size;
  const BOOL ok = ::QueryFullProcessImageNameA(process, flags, name, &n);
  *size = n;
  return ok;
}

HANDLE Win32Platform::GetCurrentProcess() { return ::GetCurrentProcess(); }
BOOL Win32Platform::OpenProcessToken(HANDLE process, DWORD access, HANDLE* token) {
  return ::OpenProcessToken(process, access, token);
}
BOOL Win32Platform::GetTokenInformation(HANDLE token, int infoClass, void* info, DWORD length, DWORD* returned) {
  static_assert(sizeof(TOKEN_ELEVATION) == sizeof(::TOKEN_ELEVATION));
  ::DWORD n = 0;
  const BOOL ok = ::GetTokenInformation(token, static_cast<::TOKEN_INFORMATION_CLASS>(infoClass), info, length, &n);
  if (returned != nullptr) *returned = n;
  return ok;
}
BYTE* Win32Platform::GetSidSubAuthorityCount(PSID sid) { return ::GetSidSubAuthorityCount(sid); }
DWORD* Win32Platform::GetSidSubAuthority(PSID sid, DWORD index) {
  static_assert(sizeof(DWORD) == sizeof(::DWORD));
  return reinterpret_cast<DWORD*>(::GetSidSubAuthority(sid, index));
}

BOOL Win32Platform::setMyHook(HWND target) { return ::setMyHook(sys(target)); }
BOOL Win32Platform::clearMyHook(HWND target) { return ::clearMyHook(sys(target)); }

bool Win32Platform::readWholeFile(const char* path, std::string& bytes) {
  bytes.clear();
  ::HANDLE file = ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const ::DWORD error = ::GetLastError();
    // Only a file that is not there is missing; one that is there and cannot be read is damaged.
    return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
  }
  ::LARGE_INTEGER size{};
  bool ok = ::GetFileSizeEx(file, &size) != FALSE && size.QuadPart <= static_cast<::LONGLONG>(kMostFileBytes);
  if (ok) {
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    ::DWORD read = 0;
    // One byte more than the size: a file that grew meanwhile is as damaged as a large one.
    char extra = 0;
    ok = ::ReadFile(file, bytes.data(), static_cast<::DWORD>(bytes.size()), &read, nullptr) != FALSE &&
         read == bytes.size() && ::ReadFile(file, &extra, 1, &read, nullptr) != FALSE && read == 0;
  }
  ::CloseHandle(file);
  if (!ok) bytes.clear();
  return true;
}

namespace {

// With Durability::PowerCut the bytes reach the disk before the rename makes them the file: a power
// cut then leaves either the old file or the new one, never an empty or half-written one.
bool writeAll(::HANDLE file, std::string_view bytes, Platform::Durability durability) {
  bool ok = true;
  for (std::size_t done = 0; ok && done < bytes.size();) {
    const auto chunk = static_cast<::DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
    ::DWORD written = 0;
    ok = ::WriteFile(file, bytes.data() + done, chunk, &written, nullptr) != FALSE && written == chunk;
    done += written;
  }
  if (durability == Platform::Durability::PowerCut) ok = ::FlushFileBuffers(file) != FALSE && ok;
  ok = ::CloseHandle(file) != FALSE && ok;
  return ok;
}

}  // namespace

namespace {

// Names no other writer uses, not even an earlier process that had the same id.
std::atomic<unsigned> temporaries{0};

// A new file beside `path` whose name is the program's own, opened for writing; false when none
// could be made.
bool createTemporary(const std::string& path, std::string& temporary, ::HANDLE& file) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = temporaryName(path, ::GetCurrentProcessId(), ++temporaries);
    file = ::CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) return true;
    // A leftover of that name, hidden or read-only, is passed by; any other failure is the folder's.
    const ::DWORD error = ::GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS && error != ERROR_ACCESS_DENIED) return false;
  }
  return false;
}

}  // namespace

bool Win32Platform::replaceFile(const char* path, std::string_view bytes, Durability durability) {
  std::string temporary;
  ::HANDLE file = INVALID_HANDLE_VALUE;
  if (!createTemporary(path, temporary, file)) return false;
  bool ok = writeAll(file, bytes, durability);
  // Written and renamed, the file outlives the process at once: the system's cache holds it. Only
  // a power cut needs the disk, which a file of the session's windows need not survive.
  const ::DWORD flags = MOVEFILE_REPLACE_EXISTING | (durability == Durability::PowerCut ? MOVEFILE_WRITE_THROUGH : 0);
  if (ok) ok = ::MoveFileExA(temporary.c_str(), path, flags) != FALSE;
  if (!ok) ::DeleteFileA(temporary.c_str());
  return ok;
}

bool Win32Platform::removeLeftoverTemporaries(const char* path) {
  ::FILETIME created{}, exited{}, kernel{}, user{};
  if (!::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user)) return false;
  const std::string target(path);
  const std::size_t slash = target.find_last_of("\\/");
  const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
  ::WIN32_FIND_DATAA found{};
  ::HANDLE search = ::FindFirstFileA((target + "*.tmp").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return ::GetLastError() == ERROR_FILE_NOT_FOUND;
  bool removedAll = true;
  do {
    const std::string name = folder + found.cFileName;
    if (!isTemporaryOf(target, name) || ::CompareFileTime(&found.ftLastWriteTime, &created) >= 0) continue;
    // Read-only or hidden, as a crash or a sync tool may leave it: it goes all the same.
    ::SetFileAttributesA(name.c_str(), FILE_ATTRIBUTE_NORMAL);
    removedAll = ::DeleteFileA(name.c_str()) != FALSE && removedAll;
  } while (::FindNextFileA(search, &found));
  ::FindClose(search);
  return removedAll;
}

HRESULT Win32Platform::SHGetFolderPathA(HWND owner, int csidl, HANDLE token, DWORD flags, char* path) {
  return ::SHGetFolderPathA(sys(owner), csidl, token, flags, path);
}
BOOL Win32Platform::CreateDirectoryA(const char* path, void* security) {
  return ::CreateDirectoryA(path, static_cast<::LPSECURITY_ATTRIBUTES>(security));
}
DWORD Win32Platform::GetLastError() { return ::GetLastError(); }
BOOL Win32Platform::ChangeWindowMessageFilterEx(HWND hwnd, UINT message, DWORD action, void* filterStatus) {
  return ::ChangeWindowMessageFilterEx(sys(hwnd), message, action, static_cast<::PCHANGEFILTERSTRUCT>(filterStatus));
}
HANDLE Win32Platform::CreateMutexA(void* security, BOOL initialOwner, const char* name) {
  return ::CreateMutexA(static_cast<::LPSECURITY_ATTRIBUTES>(security), initialOwner, name);
}

HWND Win32Platform::FindWindowExA(HWND parent, HWND childAfter, const char* className, const char* windowName) {
  return ours(::FindWindowExA(sys(parent), sys(childAfter), className, windowName));
}
BOOL Win32Platform::PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return ::PostMessageA(sys(hwnd), message, wParam, lParam);
}
DWORD Win32Platform::GetCurrentProcessId() { return ::GetCurrentProcessId(); }
DWORD Win32Platform::WaitForSingleObject(HANDLE handle, DWORD milliseconds) {
  return ::WaitForSingleObject(handle, milliseconds);
}
LONG Win32Platform::RegDeleteValueA(HKEY key, const char* valueName) { return ::RegDeleteValueA(sys(key), valueName); }
HRESULT Win32Platform::RegisterApplicationRestart(const WCHAR* commandLine, DWORD flags) {
  static_assert(sizeof(WCHAR) == sizeof(::WCHAR));
  return ::RegisterApplicationRestart(reinterpret_cast<::PCWSTR>(commandLine), flags);
}

int Win32Platform::GetClassNameA(HWND hwnd, char* name, int maxCount) {
  return ::GetClassNameA(sys(hwnd), name, maxCount);
}
BOOL Win32Platform::GetProcessTimes(HANDLE process, FILETIME* creation, FILETIME* exit, FILETIME* kernel,
                                    FILETIME* user) {
  return ::GetProcessTimes(process, reinterpret_cast<::FILETIME*>(creation), reinterpret_cast<::FILETIME*>(exit),
                           reinterpret_cast<::FILETIME*>(kernel), reinterpret_cast<::FILETIME*>(user));
}
BOOL Win32Platform::DeleteFileA(const char* path) { return ::DeleteFileA(path); }
HMONITOR Win32Platform::MonitorFromRect(const RECT* rect, DWORD flags) {
  if (rect == nullptr) return nullptr;
  const ::RECT r = sys(*rect);
  return reinterpret_cast<HMONITOR>(::MonitorFromRect(&r, flags));
}

std::time_t Win32Platform::time(std::time_t* out) { return std::time(out); }
void Win32Platform::srand(unsigned int seed) { std::srand(seed); }
int Win32Platform::rand() { return std::rand(); }

}  // namespace tessellor::win32
