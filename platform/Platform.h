// The one door to the operating system. Every window-system, dialog, registry, shell, process,
// file and C-library call the program makes goes through this interface, spelled as Win32 spells
// it. platform/win32/ forwards to the real calls; platform/sim/ is the simulated desktop.
#pragma once

#include <cstddef>
#include <ctime>
#include <string>
#include <string_view>

#include <span>

#include "platform/WindowMove.h"
#include "platform/rect_ops.h"
#include "platform/win_types.h"

namespace tessellor {

// Far above any settings, keys or restore file: a larger one is damage, and is never read whole.
inline constexpr std::size_t kMostFileBytes = 1u << 20;

class Platform {
 public:
  virtual ~Platform() = default;

  // Top-level windows: queries.
  virtual BOOL IsWindow(HWND hwnd) = 0;
  virtual BOOL IsWindowVisible(HWND hwnd) = 0;
  virtual BOOL IsIconic(HWND hwnd) = 0;
  virtual int GetWindowTextA(HWND hwnd, char* text, int maxCount) = 0;
  virtual int GetWindowTextLengthA(HWND hwnd) = 0;
  virtual BOOL GetWindowRect(HWND hwnd, RECT* rect) = 0;
  virtual HWND GetForegroundWindow() = 0;
  virtual DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* processId) = 0;
  virtual BOOL EnumWindows(WNDENUMPROC callback, LPARAM lParam) = 0;
  virtual int GetSystemMetrics(int index) = 0;
  virtual BOOL GetCursorPos(POINT* point) = 0;

  // Top-level windows: placement, state and activation.
  virtual BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement) = 0;
  virtual BOOL SetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT* placement) = 0;
  virtual BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) = 0;
  virtual BOOL ShowWindow(HWND hwnd, int showCmd) = 0;
  virtual BOOL UpdateWindow(HWND hwnd) = 0;
  virtual HWND SetActiveWindow(HWND hwnd) = 0;
  virtual BOOL SetForegroundWindow(HWND hwnd) = 0;
  // The placements of one event, one move a window, each made as its call says and its result
  // written back. Moves that neither raise nor activate may run at the same time; an ordered() one
  // runs after every move before it. Returns when every call has returned, except a window's that
  // has not answered within about 100 ms: that window is placed asynchronously (answered false).
  virtual void placeWindows(std::span<WindowMove> moves) = 0;
  // Whether a placement that did not answer in time still waits for the window to take it.
  virtual bool placementPending(HWND hwnd) = 0;

  // Monitors, work areas, and what kind of window a window is (owner, styles, invisible frame, cloak).
  virtual HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags) = 0;
  virtual BOOL GetMonitorInfoA(HMONITOR monitor, MONITORINFO* info) = 0;
  virtual BOOL SystemParametersInfoA(UINT action, UINT param, void* pvParam, UINT winIni) = 0;
  virtual HWND GetWindow(HWND hwnd, UINT cmd) = 0;
  virtual HRESULT DwmGetWindowAttribute(HWND hwnd, DWORD attribute, void* value, DWORD size) = 0;

  // Virtual desktops (IVirtualDesktopManager); where there is none, every window is on the shown one.
  virtual HRESULT IsWindowOnCurrentVirtualDesktop(HWND hwnd, BOOL* onCurrentDesktop) = 0;
  virtual HRESULT GetWindowDesktopId(HWND hwnd, GUID* desktopId) = 0;

  // What the shell tells of the user now: a full-screen program or a presentation running, and more.
  virtual HRESULT SHQueryUserNotificationState(QUERY_USER_NOTIFICATION_STATE* state) = 0;

  // Scale per monitor: a window's DPI (0 for no window), a monitor's (MDT_EFFECTIVE_DPI), and the
  // system metrics at a DPI.
  virtual UINT GetDpiForWindow(HWND hwnd) = 0;
  virtual HRESULT GetDpiForMonitor(HMONITOR monitor, int dpiType, UINT* dpiX, UINT* dpiY) = 0;
  virtual int GetSystemMetricsForDpi(int index, UINT dpi) = 0;

  // Window regions (GDI).
  virtual HRGN CreateRectRgn(int left, int top, int right, int bottom) = 0;
  virtual int GetWindowRgn(HWND hwnd, HRGN region) = 0;
  virtual DWORD GetRegionData(HRGN region, DWORD count, RGNDATA* data) = 0;
  virtual BOOL DeleteObject(HRGN region) = 0;

  // Dialogs and their controls. The common controls' classes exist once registered.
  virtual BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* controls) = 0;
  virtual HWND CreateDialogParamA(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc,
                                  LPARAM initParam) = 0;
  virtual INT_PTR DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc,
                                  LPARAM initParam) = 0;
  virtual BOOL EndDialog(HWND dialog, INT_PTR result) = 0;
  virtual HWND GetDlgItem(HWND dialog, int id) = 0;
  virtual BOOL SetDlgItemTextA(HWND dialog, int id, const char* text) = 0;
  virtual UINT GetDlgItemTextA(HWND dialog, int id, char* text, int maxCount) = 0;
  virtual BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned) = 0;
  virtual UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned) = 0;
  virtual LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) = 0;
  virtual LRESULT SendMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) = 0;
  virtual LONG_PTR GetWindowLongPtrA(HWND hwnd, int index) = 0;
  virtual LONG_PTR SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value) = 0;
  virtual int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type) = 0;

  // Message loop.
  virtual UINT RegisterWindowMessageA(const char* name) = 0;
  virtual BOOL GetMessageA(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax) = 0;
  virtual BOOL IsDialogMessageA(HWND dialog, MSG* msg) = 0;
  virtual BOOL TranslateMessage(const MSG* msg) = 0;
  virtual LRESULT DispatchMessageA(const MSG* msg) = 0;
  virtual void PostQuitMessage(int exitCode) = 0;

  // Timers of the user-interface thread: WM_TIMER to the window, without a timer procedure.
  virtual UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc) = 0;
  virtual BOOL KillTimer(HWND hwnd, UINT_PTR id) = 0;

  // The clipboard, and the global memory its text is handed over in.
  virtual BOOL OpenClipboard(HWND owner) = 0;
  virtual BOOL EmptyClipboard() = 0;
  virtual HANDLE SetClipboardData(UINT format, HANDLE data) = 0;
  virtual BOOL CloseClipboard() = 0;
  virtual HGLOBAL GlobalAlloc(UINT flags, std::size_t bytes) = 0;
  virtual void* GlobalLock(HGLOBAL memory) = 0;
  virtual BOOL GlobalUnlock(HGLOBAL memory) = 0;
  virtual HGLOBAL GlobalFree(HGLOBAL memory) = 0;

  // Global hotkeys.
  virtual BOOL RegisterHotKey(HWND hwnd, int id, UINT modifiers, UINT virtualKey) = 0;
  virtual BOOL UnregisterHotKey(HWND hwnd, int id) = 0;

  // Keyboard layouts: what a key types on each installed one, and that text in the ANSI code page.
  virtual int GetKeyboardLayoutList(int count, HKL* layouts) = 0;
  virtual UINT MapVirtualKeyExA(UINT code, UINT mapType, HKL layout) = 0;
  virtual int ToUnicodeEx(UINT virtualKey, UINT scanCode, const BYTE* keyState, WCHAR* buffer, int count, UINT flags,
                          HKL layout) = 0;
  virtual int WideCharToMultiByte(UINT codePage, DWORD flags, const WCHAR* wide, int wideCount, char* text,
                                  int textSize, const char* defaultChar, BOOL* usedDefaultChar) = 0;

  // Notification area and popup menus.
  virtual HICON LoadIconA(HINSTANCE instance, LPCSTR name) = 0;
  virtual BOOL Shell_NotifyIconA(DWORD message, NOTIFYICONDATAA* data) = 0;
  virtual HMENU CreatePopupMenu() = 0;
  virtual BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR id, const char* text) = 0;
  virtual BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, const RECT* rect) = 0;
  virtual BOOL DestroyMenu(HMENU menu) = 0;

  // Registry.
  virtual LONG RegOpenKeyA(HKEY key, const char* subKey, HKEY* result) = 0;
  virtual LONG RegSetValueExA(HKEY key, const char* valueName, DWORD reserved, DWORD type, const BYTE* data,
                              DWORD size) = 0;
  virtual LONG RegCloseKey(HKEY key) = 0;
  virtual LONG RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, REGSAM access, HKEY* result) = 0;
  virtual LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD* reserved, DWORD* type, BYTE* data,
                                DWORD* size) = 0;

  // Processes and modules.
  virtual HMODULE GetModuleHandleA(const char* name) = 0;
  virtual DWORD GetModuleFileNameA(HMODULE module, char* path, DWORD size) = 0;
  virtual HANDLE OpenProcess(DWORD access, BOOL inherit, DWORD processId) = 0;
  virtual BOOL CloseHandle(HANDLE handle) = 0;
  virtual BOOL EnumProcessModules(HANDLE process, HMODULE* modules, DWORD size, DWORD* needed) = 0;
  virtual DWORD GetModuleBaseNameA(HANDLE process, HMODULE module, char* name, DWORD size) = 0;
  virtual BOOL QueryFullProcessImageNameA(HANDLE process, DWORD flags, char* name, DWORD* size) = 0;

  // Process tokens: whether a process runs elevated, at which integrity level, with UIAccess.
  virtual HANDLE GetCurrentProcess() = 0;
  virtual BOOL OpenProcessToken(HANDLE process, DWORD access, HANDLE* token) = 0;
  virtual BOOL GetTokenInformation(HANDLE token, int infoClass, void* info, DWORD length, DWORD* returned) = 0;
  virtual BYTE* GetSidSubAuthorityCount(PSID sid) = 0;
  virtual DWORD* GetSidSubAuthority(PSID sid, DWORD index) = 0;

  // The hook library msghook.dll.
  virtual BOOL setMyHook(HWND target) = 0;
  virtual BOOL clearMyHook(HWND target) = 0;

  // How long a replaced file must last: through a power cut (on the disk before it is swapped in),
  // or for the session only (left to the system's cache, which outlives the process).
  enum class Durability : bool { PowerCut, Session };
  // Files; a relative path is relative to the working directory. readWholeFile is false for a file
  // that is not there; a file there that cannot be read to its end, or larger than kMostFileBytes,
  // reads as empty, which every reader takes for a damaged file. replaceFile writes a temporary file
  // of a name no other writer uses beside the target and then swaps it in, so a failed write leaves
  // the old file whole. removeLeftoverTemporaries removes the temporaries of the target older than
  // the running process, whatever their attributes; false when one stays.
  virtual bool readWholeFile(const char* path, std::string& bytes) = 0;
  virtual bool replaceFile(const char* path, std::string_view bytes, Durability durability) = 0;
  virtual bool removeLeftoverTemporaries(const char* path) = 0;

  // The user's session: known folders, directories, the last error, message filters, named mutexes.
  virtual HRESULT SHGetFolderPathA(HWND owner, int csidl, HANDLE token, DWORD flags, char* path) = 0;
  virtual BOOL CreateDirectoryA(const char* path, void* security) = 0;
  virtual DWORD GetLastError() = 0;
  virtual BOOL ChangeWindowMessageFilterEx(HWND hwnd, UINT message, DWORD action, void* filterStatus) = 0;
  virtual HANDLE CreateMutexA(void* security, BOOL initialOwner, const char* name) = 0;

  // Putting windows back where they were: knowing a window again after the program ended (its class,
  // its process's start), removing the file that remembers it, and the monitor a place is on.
  virtual int GetClassNameA(HWND hwnd, char* name, int maxCount) = 0;
  virtual BOOL GetProcessTimes(HANDLE process, FILETIME* creation, FILETIME* exit, FILETIME* kernel,
                               FILETIME* user) = 0;
  virtual BOOL DeleteFileA(const char* path) = 0;
  virtual HMONITOR MonitorFromRect(const RECT* rect, DWORD flags) = 0;

  // Other copies of the program and updates: finding a running copy's dialog, asking it to end and
  // waiting until it has, its autostart value taken away, and a restart after an update.
  virtual HWND FindWindowExA(HWND parent, HWND childAfter, const char* className, const char* windowName) = 0;
  virtual BOOL PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) = 0;
  virtual DWORD GetCurrentProcessId() = 0;
  virtual DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds) = 0;
  virtual LONG RegDeleteValueA(HKEY key, const char* valueName) = 0;
  virtual HRESULT RegisterApplicationRestart(const WCHAR* commandLine, DWORD flags) = 0;

  // C library.
  virtual std::time_t time(std::time_t* out) = 0;
  virtual void srand(unsigned int seed) = 0;
  virtual int rand() = 0;
};

}  // namespace tessellor
