// Fault injection for the simulated desktop: the program's door to it, through which any call it
// makes can fail as its Microsoft page documents (the return value and GetLastError, or the HRESULT).
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "platform/ForwardingPlatform.h"

namespace tessellor::sim {

class SimDesktop;

class SimFaults final : public ForwardingPlatform {
 public:
  explicit SimFaults(SimDesktop& desktop);

  enum class Mode { Once, Always };
  // Whether the program's door has a call of that name that can fail.
  static bool canFail(const std::string& call);
  // The names of the calls that can fail, sorted.
  static std::vector<std::string> failingCalls();
  // The next call of that name fails (Once) or every one from now on (Always); `stop` ends either.
  void fail(const std::string& call, Mode mode) { planned_[call] = mode; }
  void stop(const std::string& call) { planned_.erase(call); }
  // Every call that can fail fails with this probability, drawn from `seed`; 0 turns it off. Calls
  // about the program's own dialogs and its message loop are left out: their pages document only the
  // failures of handles and arguments the program never passes.
  void failAtRandom(double probability, std::uint64_t seed);
  // While paused nothing fails, planned or random.
  void pause(bool paused) { paused_ = paused; }
  // How many calls failed since the last take.
  int takeFailures() { return std::exchange(failures_, 0); }
  // The names of the calls that failed since the last take, in order.
  std::vector<std::string> takeFailed() { return std::exchange(failed_, {}); }
  // Whether the last write or removal of the file at that path failed; nothing when none was made.
  std::optional<bool> lastWriteFailed(const std::string& path) const;

  // ---- Calls that can fail ----
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
  void placeWindows(std::span<WindowMove> moves) override;
  BOOL UpdateWindow(HWND hwnd) override;
  HWND SetActiveWindow(HWND hwnd) override;
  BOOL SetForegroundWindow(HWND hwnd) override;
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
  LONG_PTR GetWindowLongPtrA(HWND hwnd, int index) override;
  LONG_PTR SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value) override;
  int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type) override;
  UINT RegisterWindowMessageA(const char* name) override;
  BOOL GetMessageA(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax) override;
  UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc) override;
  BOOL KillTimer(HWND hwnd, UINT_PTR id) override;
  BOOL RegisterHotKey(HWND hwnd, int id, UINT modifiers, UINT virtualKey) override;
  BOOL UnregisterHotKey(HWND hwnd, int id) override;
  int GetKeyboardLayoutList(int count, HKL* layouts) override;
  UINT MapVirtualKeyExA(UINT code, UINT mapType, HKL layout) override;
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
  BOOL OpenProcessToken(HANDLE process, DWORD access, HANDLE* token) override;
  BOOL GetTokenInformation(HANDLE token, int infoClass, void* info, DWORD length, DWORD* returned) override;
  BOOL setMyHook(HWND target) override;
  BOOL clearMyHook(HWND target) override;
  bool readWholeFile(const char* path, std::string& bytes) override;
  bool replaceFile(const char* path, std::string_view bytes, Durability durability) override;
  bool removeLeftoverTemporaries(const char* path) override;
  HRESULT SHGetFolderPathA(HWND owner, int csidl, HANDLE token, DWORD flags, char* path) override;
  BOOL CreateDirectoryA(const char* path, void* security) override;
  BOOL ChangeWindowMessageFilterEx(HWND hwnd, UINT message, DWORD action, void* filterStatus) override;
  HANDLE CreateMutexA(void* security, BOOL initialOwner, const char* name) override;
  int GetClassNameA(HWND hwnd, char* name, int maxCount) override;
  BOOL GetProcessTimes(HANDLE process, FILETIME* creation, FILETIME* exit, FILETIME* kernel, FILETIME* user) override;
  BOOL DeleteFileA(const char* path) override;
  HWND FindWindowExA(HWND parent, HWND childAfter, const char* className, const char* windowName) override;
  BOOL PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
  DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds) override;
  LONG RegDeleteValueA(HKEY key, const char* valueName) override;
  HRESULT RegisterApplicationRestart(const WCHAR* commandLine, DWORD flags) override;
  std::time_t time(std::time_t* out) override;

 private:
  // Whether this call fails now; `about` is the window it is about, if any. On failure the desktop's
  // GetLastError answers `error`.
  bool fails(const char* call, HWND about, DWORD error);
  bool failsFile(const char* call, const char* path, DWORD error);

  SimDesktop& sim_;
  std::map<std::string, Mode> planned_;
  double probability_ = 0;
  std::mt19937_64 random_;
  bool paused_ = false;
  int failures_ = 0;
  std::vector<std::string> failed_;
  std::map<std::string, bool> writeFailed_;  // by the path as the files key it
};

}  // namespace tessellor::sim
