// A platform whose calls do nothing: the benchmarks measure the engines' own arithmetic and
// bookkeeping, not a window system. Queries answer fixed values so that every code path runs.
#pragma once

#include <cstring>

#include "platform/Platform.h"

namespace tessellor::bench {

class NullPlatform : public Platform {
 public:
  int screenWidth = 1280;
  int screenHeight = 1024;
  RECT windowRect{0, 0, 100, 100};  // what every window reports

  BOOL IsWindow(HWND) override { return TRUE; }
  BOOL IsWindowVisible(HWND) override { return TRUE; }
  BOOL IsIconic(HWND) override { return FALSE; }
  int GetWindowTextA(HWND, char* text, int maxCount) override {
    if (maxCount > 0) text[0] = '\0';
    return 0;
  }
  int GetWindowTextLengthA(HWND) override { return 0; }
  BOOL GetWindowRect(HWND, RECT* rect) override {
    *rect = windowRect;
    return TRUE;
  }
  HWND GetForegroundWindow() override { return nullptr; }
  DWORD GetWindowThreadProcessId(HWND, DWORD*) override { return 0; }
  BOOL EnumWindows(WNDENUMPROC, LPARAM) override { return TRUE; }
  int GetSystemMetrics(int index) override {
    switch (index) {
      case SM_CXMAXIMIZED:
        return screenWidth;
      case SM_CYMAXIMIZED:
        return screenHeight;
      case SM_CXMIN:
        return 112;
      case SM_CYMIN:
        return 27;
      default:
        return 0;
    }
  }
  BOOL GetCursorPos(POINT* point) override {
    *point = POINT{0, 0};
    return TRUE;
  }
  BOOL GetWindowPlacement(HWND, WINDOWPLACEMENT* placement) override {
    std::memset(placement, 0, sizeof *placement);
    placement->length = sizeof *placement;
    return TRUE;
  }
  BOOL SetWindowPlacement(HWND, const WINDOWPLACEMENT*) override { return TRUE; }
  BOOL SetWindowPos(HWND, HWND, int, int, int, int, UINT) override { return TRUE; }
  void placeWindows(std::span<WindowMove> moves) override {
    for (WindowMove& move : moves) move.result = TRUE;
  }
  bool placementPending(HWND) override { return false; }
  BOOL ShowWindow(HWND, int) override { return TRUE; }
  BOOL UpdateWindow(HWND) override { return TRUE; }
  HWND SetActiveWindow(HWND) override { return nullptr; }
  BOOL SetForegroundWindow(HWND) override { return TRUE; }
  HMONITOR MonitorFromWindow(HWND, DWORD) override { return nullptr; }
  BOOL GetMonitorInfoA(HMONITOR, MONITORINFO*) override { return FALSE; }
  BOOL SystemParametersInfoA(UINT, UINT, void*, UINT) override { return FALSE; }
  HWND GetWindow(HWND, UINT) override { return nullptr; }
  HRESULT DwmGetWindowAttribute(HWND, DWORD, void*, DWORD) override { return E_NOTIMPL; }
  HRESULT IsWindowOnCurrentVirtualDesktop(HWND, BOOL* onCurrentDesktop) override {
    *onCurrentDesktop = TRUE;
    return S_OK;
  }
  HRESULT GetWindowDesktopId(HWND, GUID*) override { return E_NOTIMPL; }
  HRESULT SHQueryUserNotificationState(QUERY_USER_NOTIFICATION_STATE* state) override {
    *state = QUNS_ACCEPTS_NOTIFICATIONS;
    return S_OK;
  }
  UINT GetDpiForWindow(HWND) override { return USER_DEFAULT_SCREEN_DPI; }
  HRESULT GetDpiForMonitor(HMONITOR, int, UINT*, UINT*) override { return E_NOTIMPL; }
  int GetSystemMetricsForDpi(int index, UINT) override { return GetSystemMetrics(index); }
  HRGN CreateRectRgn(int, int, int, int) override { return nullptr; }
  int GetWindowRgn(HWND, HRGN) override { return ERROR; }
  DWORD GetRegionData(HRGN, DWORD, RGNDATA*) override { return 0; }
  BOOL DeleteObject(HRGN) override { return TRUE; }
  BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX*) override { return TRUE; }
  HWND CreateDialogParamA(HINSTANCE, LPCSTR, HWND, DLGPROC, LPARAM) override { return nullptr; }
  INT_PTR DialogBoxParamA(HINSTANCE, LPCSTR, HWND, DLGPROC, LPARAM) override { return 0; }
  BOOL EndDialog(HWND, INT_PTR) override { return TRUE; }
  HWND GetDlgItem(HWND, int) override { return nullptr; }
  BOOL SetDlgItemTextA(HWND, int, const char*) override { return TRUE; }
  UINT GetDlgItemTextA(HWND, int, char* text, int maxCount) override {
    if (maxCount > 0) text[0] = '\0';
    return 0;
  }
  BOOL SetDlgItemInt(HWND, int, UINT, BOOL) override { return TRUE; }
  UINT GetDlgItemInt(HWND, int, BOOL*, BOOL) override { return 0; }
  LRESULT SendDlgItemMessageA(HWND, int, UINT, WPARAM, LPARAM) override { return 0; }
  LRESULT SendMessageA(HWND, UINT, WPARAM, LPARAM) override { return 0; }
  LONG_PTR GetWindowLongPtrA(HWND, int) override { return userData; }
  LONG_PTR SetWindowLongPtrA(HWND, int, LONG_PTR value) override {
    LONG_PTR old = userData;
    userData = value;
    return old;
  }
  int MessageBoxA(HWND, const char*, const char*, UINT) override { return IDOK; }
  UINT RegisterWindowMessageA(const char*) override { return nextMessage++; }
  BOOL GetMessageA(MSG*, HWND, UINT, UINT) override { return 0; }
  BOOL IsDialogMessageA(HWND, MSG*) override { return FALSE; }
  BOOL TranslateMessage(const MSG*) override { return FALSE; }
  LRESULT DispatchMessageA(const MSG*) override { return 0; }
  void PostQuitMessage(int) override {}
  BOOL OpenClipboard(HWND) override { return FALSE; }
  BOOL EmptyClipboard() override { return FALSE; }
  HANDLE SetClipboardData(UINT, HANDLE) override { return nullptr; }
  BOOL CloseClipboard() override { return FALSE; }
  HGLOBAL GlobalAlloc(UINT, std::size_t) override { return nullptr; }
  void* GlobalLock(HGLOBAL) override { return nullptr; }
  BOOL GlobalUnlock(HGLOBAL) override { return FALSE; }
  HGLOBAL GlobalFree(HGLOBAL memory) override { return memory; }
  UINT_PTR SetTimer(HWND, UINT_PTR id, UINT, TIMERPROC) override { return id; }
  BOOL KillTimer(HWND, UINT_PTR) override { return TRUE; }
  BOOL RegisterHotKey(HWND, int, UINT, UINT) override { return TRUE; }
  BOOL UnregisterHotKey(HWND, int) override { return TRUE; }
  int GetKeyboardLayoutList(int, HKL*) override { return 0; }
  UINT MapVirtualKeyExA(UINT, UINT, HKL) override { return 0; }
  int ToUnicodeEx(UINT, UINT, const BYTE*, WCHAR*, int, UINT, HKL) override { return 0; }
  int WideCharToMultiByte(UINT, DWORD, const WCHAR*, int, char*, int, const char*, BOOL*) override { return 0; }
  HICON LoadIconA(HINSTANCE, LPCSTR) override { return nullptr; }
  BOOL Shell_NotifyIconA(DWORD, NOTIFYICONDATAA*) override { return TRUE; }
  HMENU CreatePopupMenu() override { return nullptr; }
  BOOL AppendMenuA(HMENU, UINT, UINT_PTR, const char*) override { return TRUE; }
  BOOL TrackPopupMenu(HMENU, UINT, int, int, int, HWND, const RECT*) override { return TRUE; }
  BOOL DestroyMenu(HMENU) override { return TRUE; }
  LONG RegOpenKeyA(HKEY, const char*, HKEY* result) override {
    *result = nullptr;
    return 1;
  }
  LONG RegSetValueExA(HKEY, const char*, DWORD, DWORD, const BYTE*, DWORD) override { return 1; }
  LONG RegCloseKey(HKEY) override { return 0; }
  LONG RegOpenKeyExA(HKEY, const char*, DWORD, REGSAM, HKEY* result) override {
    *result = nullptr;
    return 1;
  }
  LONG RegQueryValueExA(HKEY, const char*, DWORD*, DWORD*, BYTE*, DWORD*) override { return 1; }
  HMODULE GetModuleHandleA(const char*) override { return nullptr; }
  DWORD GetModuleFileNameA(HMODULE, char* path, DWORD size) override {
    if (size > 0) path[0] = '\0';
    return 0;
  }
  HANDLE OpenProcess(DWORD, BOOL, DWORD) override { return nullptr; }
  BOOL CloseHandle(HANDLE) override { return TRUE; }
  BOOL EnumProcessModules(HANDLE, HMODULE*, DWORD, DWORD*) override { return FALSE; }
  DWORD GetModuleBaseNameA(HANDLE, HMODULE, char*, DWORD) override { return 0; }
  BOOL QueryFullProcessImageNameA(HANDLE, DWORD, char*, DWORD*) override { return FALSE; }
  HANDLE GetCurrentProcess() override { return nullptr; }
  BOOL OpenProcessToken(HANDLE, DWORD, HANDLE*) override { return FALSE; }
  BOOL GetTokenInformation(HANDLE, int, void*, DWORD, DWORD*) override { return FALSE; }
  BYTE* GetSidSubAuthorityCount(PSID) override { return nullptr; }
  DWORD* GetSidSubAuthority(PSID, DWORD) override { return nullptr; }
  BOOL setMyHook(HWND) override { return TRUE; }
  BOOL clearMyHook(HWND) override { return TRUE; }
  bool readWholeFile(const char*, std::string&) override { return false; }
  bool replaceFile(const char*, std::string_view, Durability) override { return false; }
  bool removeLeftoverTemporaries(const char*) override { return true; }
  HRESULT SHGetFolderPathA(HWND, int, HANDLE, DWORD, char*) override { return E_INVALIDARG; }
  BOOL CreateDirectoryA(const char*, void*) override { return FALSE; }
  DWORD GetLastError() override { return 0; }
  BOOL ChangeWindowMessageFilterEx(HWND, UINT, DWORD, void*) override { return TRUE; }
  HANDLE CreateMutexA(void*, BOOL, const char*) override { return nullptr; }
  HWND FindWindowExA(HWND, HWND, const char*, const char*) override { return nullptr; }
  BOOL PostMessageA(HWND, UINT, WPARAM, LPARAM) override { return FALSE; }
  DWORD GetCurrentProcessId() override { return 1; }
  DWORD WaitForSingleObject(HANDLE, DWORD) override { return WAIT_FAILED; }
  LONG RegDeleteValueA(HKEY, const char*) override { return 1; }
  HRESULT RegisterApplicationRestart(const WCHAR*, DWORD) override { return S_OK; }
  int GetClassNameA(HWND, char* name, int maxCount) override {
    if (maxCount > 0) name[0] = '\0';
    return 0;
  }
  BOOL GetProcessTimes(HANDLE, FILETIME*, FILETIME*, FILETIME*, FILETIME*) override { return FALSE; }
  BOOL DeleteFileA(const char*) override { return FALSE; }
  HMONITOR MonitorFromRect(const RECT*, DWORD) override { return nullptr; }
  std::time_t time(std::time_t* out) override {
    if (out != nullptr) *out = 0;
    return 0;
  }
  void srand(unsigned int) override {}
  int rand() override { return 0; }

 private:
  LONG_PTR userData = 0;
  UINT nextMessage = 0xC000;
};

}  // namespace tessellor::bench
