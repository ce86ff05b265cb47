// A Platform that passes every call on to another one: the base of views that change a few answers.
#pragma once

#include "platform/Platform.h"

namespace tessellor {

class ForwardingPlatform : public Platform {
 public:
  explicit ForwardingPlatform(Platform& desktop) : desktop_(desktop) {}

  BOOL IsWindow(HWND hwnd) override { return desktop_.IsWindow(hwnd); }
  BOOL IsWindowVisible(HWND hwnd) override { return desktop_.IsWindowVisible(hwnd); }
  BOOL IsIconic(HWND hwnd) override { return desktop_.IsIconic(hwnd); }
  int GetWindowTextA(HWND hwnd, char* text, int maxCount) override {
    return desktop_.GetWindowTextA(hwnd, text, maxCount);
  }
  int GetWindowTextLengthA(HWND hwnd) override { return desktop_.GetWindowTextLengthA(hwnd); }
  BOOL GetWindowRect(HWND hwnd, RECT* rect) override { return desktop_.GetWindowRect(hwnd, rect); }
  HWND GetForegroundWindow() override { return desktop_.GetForegroundWindow(); }
  DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* processId) override {
    return desktop_.GetWindowThreadProcessId(hwnd, processId);
  }
  BOOL EnumWindows(WNDENUMPROC callback, LPARAM lParam) override { return desktop_.EnumWindows(callback, lParam); }
  int GetSystemMetrics(int index) override { return desktop_.GetSystemMetrics(index); }
  BOOL GetCursorPos(POINT* point) override { return desktop_.GetCursorPos(point); }
  BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement) override {
    return desktop_.GetWindowPlacement(hwnd, placement);
  }
  BOOL SetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT* placement) override {
    return desktop_.SetWindowPlacement(hwnd, placement);
  }
  BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) override {
    return desktop_.SetWindowPos(hwnd, insertAfter, x, y, cx, cy, flags);
  }
  void placeWindows(std::span<WindowMove> moves) override { desktop_.placeWindows(moves); }
  bool placementPending(HWND hwnd) override { return desktop_.placementPending(hwnd); }
  BOOL ShowWindow(HWND hwnd, int showCmd) override { return desktop_.ShowWindow(hwnd, showCmd); }
  BOOL UpdateWindow(HWND hwnd) override { return desktop_.UpdateWindow(hwnd); }
  HWND SetActiveWindow(HWND hwnd) override { return desktop_.SetActiveWindow(hwnd); }
  BOOL SetForegroundWindow(HWND hwnd) override { return desktop_.SetForegroundWindow(hwnd); }
  HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags) override { return desktop_.MonitorFromWindow(hwnd, flags); }
  BOOL GetMonitorInfoA(HMONITOR monitor, MONITORINFO* info) override { return desktop_.GetMonitorInfoA(monitor, info); }
  BOOL SystemParametersInfoA(UINT action, UINT param, void* pvParam, UINT winIni) override {
    return desktop_.SystemParametersInfoA(action, param, pvParam, winIni);
  }
  HWND GetWindow(HWND hwnd, UINT cmd) override { return desktop_.GetWindow(hwnd, cmd); }
  UINT GetDpiForWindow(HWND hwnd) override { return desktop_.GetDpiForWindow(hwnd); }
  HRESULT GetDpiForMonitor(HMONITOR monitor, int dpiType, UINT* dpiX, UINT* dpiY) override {
    return desktop_.GetDpiForMonitor(monitor, dpiType, dpiX, dpiY);
  }
  int GetSystemMetricsForDpi(int index, UINT dpi) override { return desktop_.GetSystemMetricsForDpi(index, dpi); }
  HRESULT DwmGetWindowAttribute(HWND hwnd, DWORD attribute, void* value, DWORD size) override {
    return desktop_.DwmGetWindowAttribute(hwnd, attribute, value, size);
  }
  HRESULT IsWindowOnCurrentVirtualDesktop(HWND hwnd, BOOL* onCurrentDesktop) override {
    return desktop_.IsWindowOnCurrentVirtualDesktop(hwnd, onCurrentDesktop);
  }
  HRESULT GetWindowDesktopId(HWND hwnd, GUID* desktopId) override {
    return desktop_.GetWindowDesktopId(hwnd, desktopId);
  }
  HRESULT SHQueryUserNotificationState(QUERY_USER_NOTIFICATION_STATE* state) override {
    return desktop_.SHQueryUserNotificationState(state);
  }
  HRGN CreateRectRgn(int left, int top, int right, int bottom) override {
    return desktop_.CreateRectRgn(left, top, right, bottom);
  }
  int GetWindowRgn(HWND hwnd, HRGN region) override { return desktop_.GetWindowRgn(hwnd, region); }
  DWORD GetRegionData(HRGN region, DWORD count, RGNDATA* data) override {
    return desktop_.GetRegionData(region, count, data);
  }
  BOOL DeleteObject(HRGN region) override { return desktop_.DeleteObject(region); }
  BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* controls) override {
    return desktop_.InitCommonControlsEx(controls);
  }
  HWND CreateDialogParamA(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc,
                          LPARAM initParam) override {
    return desktop_.CreateDialogParamA(instance, templateName, parent, proc, initParam);
  }
  INT_PTR DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc,
                          LPARAM initParam) override {
    return desktop_.DialogBoxParamA(instance, templateName, parent, proc, initParam);
  }
  BOOL EndDialog(HWND dialog, INT_PTR result) override { return desktop_.EndDialog(dialog, result); }
  HWND GetDlgItem(HWND dialog, int id) override { return desktop_.GetDlgItem(dialog, id); }
  BOOL SetDlgItemTextA(HWND dialog, int id, const char* text) override {
    return desktop_.SetDlgItemTextA(dialog, id, text);
  }
  UINT GetDlgItemTextA(HWND dialog, int id, char* text, int maxCount) override {
    return desktop_.GetDlgItemTextA(dialog, id, text, maxCount);
  }
  BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned) override {
    return desktop_.SetDlgItemInt(dialog, id, value, isSigned);
  }
  UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned) override {
    return desktop_.GetDlgItemInt(dialog, id, translated, isSigned);
  }
  LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) override {
    return desktop_.SendDlgItemMessageA(dialog, id, message, wParam, lParam);
  }
  LRESULT SendMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override {
    return desktop_.SendMessageA(hwnd, message, wParam, lParam);
  }
  LONG_PTR GetWindowLongPtrA(HWND hwnd, int index) override { return desktop_.GetWindowLongPtrA(hwnd, index); }
  LONG_PTR SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value) override {
    return desktop_.SetWindowLongPtrA(hwnd, index, value);
  }
  int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type) override {
    return desktop_.MessageBoxA(owner, text, caption, type);
  }
  UINT RegisterWindowMessageA(const char* name) override { return desktop_.RegisterWindowMessageA(name); }
  BOOL GetMessageA(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax) override {
    return desktop_.GetMessageA(msg, hwnd, filterMin, filterMax);
  }
  BOOL IsDialogMessageA(HWND dialog, MSG* msg) override { return desktop_.IsDialogMessageA(dialog, msg); }
  BOOL TranslateMessage(const MSG* msg) override { return desktop_.TranslateMessage(msg); }
  LRESULT DispatchMessageA(const MSG* msg) override { return desktop_.DispatchMessageA(msg); }
  void PostQuitMessage(int exitCode) override { desktop_.PostQuitMessage(exitCode); }
  BOOL OpenClipboard(HWND owner) override { return desktop_.OpenClipboard(owner); }
  BOOL EmptyClipboard() override { return desktop_.EmptyClipboard(); }
  HANDLE SetClipboardData(UINT format, HANDLE data) override { return desktop_.SetClipboardData(format, data); }
  BOOL CloseClipboard() override { return desktop_.CloseClipboard(); }
  HGLOBAL GlobalAlloc(UINT flags, std::size_t bytes) override { return desktop_.GlobalAlloc(flags, bytes); }
  void* GlobalLock(HGLOBAL memory) override { return desktop_.GlobalLock(memory); }
  BOOL GlobalUnlock(HGLOBAL memory) override { return desktop_.GlobalUnlock(memory); }
  HGLOBAL GlobalFree(HGLOBAL memory) override { return desktop_.GlobalFree(memory); }
  UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc) override {
    return desktop_.SetTimer(hwnd, id, elapse, proc);
  }
  BOOL KillTimer(HWND hwnd, UINT_PTR id) override { return desktop_.KillTimer(hwnd, id); }
  BOOL RegisterHotKey(HWND hwnd, int id, UINT modifiers, UINT virtualKey) override {
    return desktop_.RegisterHotKey(hwnd, id, modifiers, virtualKey);
  }
  BOOL UnregisterHotKey(HWND hwnd, int id) override { return desktop_.UnregisterHotKey(hwnd, id); }
  int GetKeyboardLayoutList(int count, HKL* layouts) override { return desktop_.GetKeyboardLayoutList(count, layouts); }
  UINT MapVirtualKeyExA(UINT code, UINT mapType, HKL layout) override {
    return desktop_.MapVirtualKeyExA(code, mapType, layout);
  }
  int ToUnicodeEx(UINT virtualKey, UINT scanCode, const BYTE* keyState, WCHAR* buffer, int count, UINT flags,
                  HKL layout) override {
    return desktop_.ToUnicodeEx(virtualKey, scanCode, keyState, buffer, count, flags, layout);
  }
  int WideCharToMultiByte(UINT codePage, DWORD flags, const WCHAR* wide, int wideCount, char* text, int textSize,
                          const char* defaultChar, BOOL* usedDefaultChar) override {
    return desktop_.WideCharToMultiByte(codePage, flags, wide, wideCount, text, textSize, defaultChar, usedDefaultChar);
  }
  HICON LoadIconA(HINSTANCE instance, LPCSTR name) override { return desktop_.LoadIconA(instance, name); }
  BOOL Shell_NotifyIconA(DWORD message, NOTIFYICONDATAA* data) override {
    return desktop_.Shell_NotifyIconA(message, data);
  }
  HMENU CreatePopupMenu() override { return desktop_.CreatePopupMenu(); }
  BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR id, const char* text) override {
    return desktop_.AppendMenuA(menu, flags, id, text);
  }
  BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, const RECT* rect) override {
    return desktop_.TrackPopupMenu(menu, flags, x, y, reserved, owner, rect);
  }
  BOOL DestroyMenu(HMENU menu) override { return desktop_.DestroyMenu(menu); }
  LONG RegOpenKeyA(HKEY key, const char* subKey, HKEY* result) override {
    return desktop_.RegOpenKeyA(key, subKey, result);
  }
  LONG RegSetValueExA(HKEY key, const char* valueName, DWORD reserved, DWORD type, const BYTE* data,
                      DWORD size) override {
    return desktop_.RegSetValueExA(key, valueName, reserved, type, data, size);
  }
  LONG RegCloseKey(HKEY key) override { return desktop_.RegCloseKey(key); }
  LONG RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, REGSAM access, HKEY* result) override {
    return desktop_.RegOpenKeyExA(key, subKey, options, access, result);
  }
  LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD* reserved, DWORD* type, BYTE* data,
                        DWORD* size) override {
    return desktop_.RegQueryValueExA(key, valueName, reserved, type, data, size);
  }
  HMODULE GetModuleHandleA(const char* name) override { return desktop_.GetModuleHandleA(name); }
  DWORD GetModuleFileNameA(HMODULE module, char* path, DWORD size) override {
    return desktop_.GetModuleFileNameA(module, path, size);
  }
  HANDLE OpenProcess(DWORD access, BOOL inherit, DWORD processId) override {
    return desktop_.OpenProcess(access, inherit, processId);
  }
  BOOL CloseHandle(HANDLE handle) override { return desktop_.CloseHandle(handle); }
  BOOL EnumProcessModules(HANDLE process, HMODULE* modules, DWORD size, DWORD* needed) override {
    return desktop_.EnumProcessModules(process, modules, size, needed);
  }
  DWORD GetModuleBaseNameA(HANDLE process, HMODULE module, char* name, DWORD size) override {
    return desktop_.GetModuleBaseNameA(process, module, name, size);
  }
  BOOL QueryFullProcessImageNameA(HANDLE process, DWORD flags, char* name, DWORD* size) override {
    return desktop_.QueryFullProcessImageNameA(process, flags, name, size);
  }
  HANDLE GetCurrentProcess() override { return desktop_.GetCurrentProcess(); }
  BOOL OpenProcessToken(HANDLE process, DWORD access, HANDLE* token) override {
    return desktop_.OpenProcessToken(process, access, token);
  }
  BOOL GetTokenInformation(HANDLE token, int infoClass, void* info, DWORD length, DWORD* returned) override {
    return desktop_.GetTokenInformation(token, infoClass, info, length, returned);
  }
  BYTE* GetSidSubAuthorityCount(PSID sid) override { return desktop_.GetSidSubAuthorityCount(sid); }
  DWORD* GetSidSubAuthority(PSID sid, DWORD index) override { return desktop_.GetSidSubAuthority(sid, index); }
  BOOL setMyHook(HWND target) override { return desktop_.setMyHook(target); }
  BOOL clearMyHook(HWND target) override { return desktop_.clearMyHook(target); }
  bool readWholeFile(const char* path, std::string& bytes) override { return desktop_.readWholeFile(path, bytes); }
  bool replaceFile(const char* path, std::string_view bytes, Durability durability) override {
    return desktop_.replaceFile(path, bytes, durability);
  }
  bool removeLeftoverTemporaries(const char* path) override { return desktop_.removeLeftoverTemporaries(path); }
  HRESULT SHGetFolderPathA(HWND owner, int csidl, HANDLE token, DWORD flags, char* path) override {
    return desktop_.SHGetFolderPathA(owner, csidl, token, flags, path);
  }
  BOOL CreateDirectoryA(const char* path, void* security) override { return desktop_.CreateDirectoryA(path, security); }
  DWORD GetLastError() override { return desktop_.GetLastError(); }
  BOOL ChangeWindowMessageFilterEx(HWND hwnd, UINT message, DWORD action, void* filterStatus) override {
    return desktop_.ChangeWindowMessageFilterEx(hwnd, message, action, filterStatus);
  }
  HANDLE CreateMutexA(void* security, BOOL initialOwner, const char* name) override {
    return desktop_.CreateMutexA(security, initialOwner, name);
  }
  HWND FindWindowExA(HWND parent, HWND childAfter, const char* className, const char* windowName) override {
    return desktop_.FindWindowExA(parent, childAfter, className, windowName);
  }
  BOOL PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override {
    return desktop_.PostMessageA(hwnd, message, wParam, lParam);
  }
  DWORD GetCurrentProcessId() override { return desktop_.GetCurrentProcessId(); }
  DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds) override {
    return desktop_.WaitForSingleObject(handle, milliseconds);
  }
  LONG RegDeleteValueA(HKEY key, const char* valueName) override { return desktop_.RegDeleteValueA(key, valueName); }
  HRESULT RegisterApplicationRestart(const WCHAR* commandLine, DWORD flags) override {
    return desktop_.RegisterApplicationRestart(commandLine, flags);
  }
  int GetClassNameA(HWND hwnd, char* name, int maxCount) override {
    return desktop_.GetClassNameA(hwnd, name, maxCount);
  }
  BOOL GetProcessTimes(HANDLE process, FILETIME* creation, FILETIME* exit, FILETIME* kernel, FILETIME* user) override {
    return desktop_.GetProcessTimes(process, creation, exit, kernel, user);
  }
  BOOL DeleteFileA(const char* path) override { return desktop_.DeleteFileA(path); }
  HMONITOR MonitorFromRect(const RECT* rect, DWORD flags) override { return desktop_.MonitorFromRect(rect, flags); }
  std::time_t time(std::time_t* out) override { return desktop_.time(out); }
  void srand(unsigned int seed) override { desktop_.srand(seed); }
  int rand() override { return desktop_.rand(); }

 protected:
  Platform& desktop_;
};

}  // namespace tessellor
