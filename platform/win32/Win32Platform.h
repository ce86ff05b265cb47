// The real Windows: every call forwards to the system (user32, gdi32, shell32, advapi32, dwmapi,
// kernel32) or to msghook.dll, with what Windows users expect beyond the calls themselves: hung or
// busy windows are never waited for, window placements are converted between screen and workspace
// coordinates, and the tray icon comes back when the shell restarts.
#pragma once

#include <memory>

#include "platform/Platform.h"
#include "platform/win32/PlacementCalls.h"

namespace tessellor::win32 {

class PlacementWorkers;

class Win32Platform final : public Platform {
 public:
  Win32Platform();
  // Stops the placement workers (platform/win32/PlacementWorkers.h).
  ~Win32Platform() override;
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  // The shell's "TaskbarCreated" message, and what a dialog does on it: the icon last added for
  // that window is added again.
  UINT taskbarCreatedMessage() const { return taskbarCreated_; }
  void restoreTrayIcon(HWND window);

  BOOL IsWindow(HWND hwnd) override;
  BOOL IsWindowVisible(HWND hwnd) override;
  BOOL IsIconic(HWND hwnd) override;
  int GetWindowTextA(HWND hwnd, char* text, int maxCount) override;
  int GetWindowTextLengthA(HWND hwnd) override;
  BOOL GetWindowRect(HWND hwnd, RECT* rect) override;
  HWND GetForegroundWindow() override;
  DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* processId) override;
  BOOL EnumWindows(WNDENUMPROC callback, LPARAM lParam) override;
  int GetSystemMetrics(int index) override;
  BOOL GetCursorPos(POINT* point) override;

  BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement) override;
  BOOL SetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT* placement) override;
  BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) override;
  BOOL ShowWindow(HWND hwnd, int showCmd) override;
  BOOL UpdateWindow(HWND hwnd) override;
  HWND SetActiveWindow(HWND hwnd) override;
  BOOL SetForegroundWindow(HWND hwnd) override;
  // On the placement workers: the unordered moves at the same time, then each ordered one. No call
  // is waited for more than 100 ms from its turn (a window's thread answers its windows one after
  // another); a window that is hung, or whose thread still has a call of an earlier batch waiting,
  // is placed by a posted call at once.
  void placeWindows(std::span<WindowMove> moves) override;
  // A call still with its worker, or posted to a window that has stopped answering.
  bool placementPending(HWND hwnd) override;

  HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags) override;
  BOOL GetMonitorInfoA(HMONITOR monitor, MONITORINFO* info) override;
  BOOL SystemParametersInfoA(UINT action, UINT param, void* pvParam, UINT winIni) override;
  HWND GetWindow(HWND hwnd, UINT cmd) override;
  HRESULT DwmGetWindowAttribute(HWND hwnd, DWORD attribute, void* value, DWORD size) override;
  HRESULT IsWindowOnCurrentVirtualDesktop(HWND hwnd, BOOL* onCurrentDesktop) override;
  HRESULT GetWindowDesktopId(HWND hwnd, GUID* desktopId) override;
  HRESULT SHQueryUserNotificationState(QUERY_USER_NOTIFICATION_STATE* state) override;
  UINT GetDpiForWindow(HWND hwnd) override;
  HRESULT GetDpiForMonitor(HMONITOR monitor, int dpiType, UINT* dpiX, UINT* dpiY) override;
  int GetSystemMetricsForDpi(int index, UINT dpi) override;

  HRGN CreateRectRgn(int left, int top, int right, int bottom) override;
  int GetWindowRgn(HWND hwnd, HRGN region) override;
  DWORD GetRegionData(HRGN region, DWORD count, RGNDATA* data) override;
  BOOL DeleteObject(HRGN region) override;

  BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* controls) override;
  HWND CreateDialogParamA(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc,
                          LPARAM initParam) override;
  INT_PTR DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc,
                          LPARAM initParam) override;
  BOOL EndDialog(HWND dialog, INT_PTR result) override;
  HWND GetDlgItem(HWND dialog, int id) override;
  BOOL SetDlgItemTextA(HWND dialog, int id, const char* text) override;
  UINT GetDlgItemTextA(HWND dialog, int id, char* text, int maxCount) override;
  BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned) override;
  UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned) override;
  LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT SendMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
  LONG_PTR GetWindowLongPtrA(HWND hwnd, int index) override;
  LONG_PTR SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value) override;
  int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type) override;

  UINT RegisterWindowMessageA(const char* name) override;
  BOOL GetMessageA(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax) override;
  BOOL IsDialogMessageA(HWND dialog, MSG* msg) override;
  BOOL TranslateMessage(const MSG* msg) override;
  LRESULT DispatchMessageA(const MSG* msg) override;
  void PostQuitMessage(int exitCode) override;

  BOOL OpenClipboard(HWND owner) override;
  BOOL EmptyClipboard() override;
  HANDLE SetClipboardData(UINT format, HANDLE data) override;
  BOOL CloseClipboard() override;
  HGLOBAL GlobalAlloc(UINT flags, std::size_t bytes) override;
  void* GlobalLock(HGLOBAL memory) override;
  BOOL GlobalUnlock(HGLOBAL memory) override;
  HGLOBAL GlobalFree(HGLOBAL memory) override;
  UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc) override;
  BOOL KillTimer(HWND hwnd, UINT_PTR id) override;
  BOOL RegisterHotKey(HWND hwnd, int id, UINT modifiers, UINT virtualKey) override;
  BOOL UnregisterHotKey(HWND hwnd, int id) override;

  int GetKeyboardLayoutList(int count, HKL* layouts) override;
  UINT MapVirtualKeyExA(UINT code, UINT mapType, HKL layout) override;
  int ToUnicodeEx(UINT virtualKey, UINT scanCode, const BYTE* keyState, WCHAR* buffer, int count, UINT flags,
                  HKL layout) override;
  int WideCharToMultiByte(UINT codePage, DWORD flags, const WCHAR* wide, int wideCount, char* text, int textSize,
                          const char* defaultChar, BOOL* usedDefaultChar) override;

  HICON LoadIconA(HINSTANCE instance, LPCSTR name) override;
  BOOL Shell_NotifyIconA(DWORD message, NOTIFYICONDATAA* data) override;
  HMENU CreatePopupMenu() override;
  BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR id, const char* text) override;
  BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, const RECT* rect) override;
  BOOL DestroyMenu(HMENU menu) override;

  LONG RegOpenKeyA(HKEY key, const char* subKey, HKEY* result) override;
  LONG RegSetValueExA(HKEY key, const char* valueName, DWORD reserved, DWORD type, const BYTE* data,
                      DWORD size) override;
  LONG RegCloseKey(HKEY key) override;
  LONG RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, REGSAM access, HKEY* result) override;
  LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD* reserved, DWORD* type, BYTE* data,
                        DWORD* size) override;

  HMODULE GetModuleHandleA(const char* name) override;
  DWORD GetModuleFileNameA(HMODULE module, char* path, DWORD size) override;
  HANDLE OpenProcess(DWORD access, BOOL inherit, DWORD processId) override;
  BOOL CloseHandle(HANDLE handle) override;
  BOOL EnumProcessModules(HANDLE process, HMODULE* modules, DWORD size, DWORD* needed) override;
  DWORD GetModuleBaseNameA(HANDLE process, HMODULE module, char* name, DWORD size) override;
  BOOL QueryFullProcessImageNameA(HANDLE process, DWORD flags, char* name, DWORD* size) override;

  HANDLE GetCurrentProcess() override;
  BOOL OpenProcessToken(HANDLE process, DWORD access, HANDLE* token) override;
  BOOL GetTokenInformation(HANDLE token, int infoClass, void* info, DWORD length, DWORD* returned) override;
  BYTE* GetSidSubAuthorityCount(PSID sid) override;
  DWORD* GetSidSubAuthority(PSID sid, DWORD index) override;

  BOOL setMyHook(HWND target) override;
  BOOL clearMyHook(HWND target) override;

  bool readWholeFile(const char* path, std::string& bytes) override;
  bool replaceFile(const char* path, std::string_view bytes, Durability durability) override;
  bool removeLeftoverTemporaries(const char* path) override;

  HRESULT SHGetFolderPathA(HWND owner, int csidl, HANDLE token, DWORD flags, char* path) override;
  BOOL CreateDirectoryA(const char* path, void* security) override;
  DWORD GetLastError() override;
  BOOL ChangeWindowMessageFilterEx(HWND hwnd, UINT message, DWORD action, void* filterStatus) override;
  HANDLE CreateMutexA(void* security, BOOL initialOwner, const char* name) override;
  HWND FindWindowExA(HWND parent, HWND childAfter, const char* className, const char* windowName) override;
  BOOL PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
  DWORD GetCurrentProcessId() override;
  DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds) override;
  LONG RegDeleteValueA(HKEY key, const char* valueName) override;
  HRESULT RegisterApplicationRestart(const WCHAR* commandLine, DWORD flags) override;

  int GetClassNameA(HWND hwnd, char* name, int maxCount) override;
  BOOL GetProcessTimes(HANDLE process, FILETIME* creation, FILETIME* exit, FILETIME* kernel, FILETIME* user) override;
  BOOL DeleteFileA(const char* path) override;
  HMONITOR MonitorFromRect(const RECT* rect, DWORD flags) override;

  std::time_t time(std::time_t* out) override;
  void srand(unsigned int seed) override;
  int rand() override;

 private:
  // Posted when waiting could hold this thread: for a hung window, and behind a call in flight.
  Delivery deliveryFor(HWND hwnd) const;

  std::unique_ptr<PlacementWorkers> workers_;  // warmed up once the tray icon is offered
  UINT taskbarCreated_;
  NOTIFYICONDATAA trayIcon_{};
  bool hasTrayIcon_ = false;
  // The shell's IVirtualDesktopManager, asked for once, on the UI thread; null where there is none.
  void* desktopManager_ = nullptr;
  bool desktopManagerAsked_ = false;
  void* desktopManager();
};

}  // namespace tessellor::win32
