// What the window system answered during one event, asked of it once. Eligibility, the restore
// journal, the engines and the placements each read the same windows again and again, and under
// Wine nearly every read of another process's window is one or more calls to the server.
//
// An answer is kept until the shell forgets them all, at the start and the end of each event, or
// until a call that may change a window's place or state (a placement, a show, an activation, a
// message sent or dispatched, a modal loop). Process handles and what they tell are kept for the
// event: a process does not change its start time or its token's level while it runs.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/ForwardingPlatform.h"

namespace tessellor {

class EventReads final : public ForwardingPlatform {
 public:
  explicit EventReads(Platform& system) : ForwardingPlatform(system), system_(system) {}
  ~EventReads() override;
  EventReads(const EventReads&) = delete;
  EventReads& operator=(const EventReads&) = delete;

  // Drops every kept answer and closes the kept process handles.
  void forget();
  // Drops the window and monitor answers only: the displays or the work area changed.
  void forgetWindows() { changed(); }
  // A window the enumeration just named, which therefore exists.
  void listed(HWND hwnd);

  // The windows it lists exist: IsWindow need not ask of them until a change.
  BOOL EnumWindows(WNDENUMPROC callback, LPARAM lParam) override;
  // Kept until a change.
  BOOL IsWindow(HWND hwnd) override;
  BOOL IsWindowVisible(HWND hwnd) override;
  BOOL IsIconic(HWND hwnd) override;
  BOOL GetWindowRect(HWND hwnd, RECT* rect) override;
  DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* processId) override;
  BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement) override;
  LONG_PTR GetWindowLongPtrA(HWND hwnd, int index) override;
  HWND GetWindow(HWND hwnd, UINT cmd) override;
  int GetClassNameA(HWND hwnd, char* name, int maxCount) override;
  UINT GetDpiForWindow(HWND hwnd) override;
  HRESULT DwmGetWindowAttribute(HWND hwnd, DWORD attribute, void* value, DWORD size) override;
  int GetWindowRgn(HWND hwnd, HRGN region) override;
  HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags) override;
  HMONITOR MonitorFromRect(const RECT* rect, DWORD flags) override;
  // Of the metrics only the number of monitors.
  int GetSystemMetrics(int index) override;
  BOOL GetMonitorInfoA(HMONITOR monitor, MONITORINFO* info) override;
  HRESULT GetDpiForMonitor(HMONITOR monitor, int dpiType, UINT* dpiX, UINT* dpiY) override;

  // Kept for as long as the program runs once named (a failure, for the event).
  HRESULT SHGetFolderPathA(HWND owner, int csidl, HANDLE token, DWORD flags, char* path) override;
  // Kept for the event.
  HANDLE OpenProcess(DWORD access, BOOL inherit, DWORD processId) override;
  BOOL CloseHandle(HANDLE handle) override;
  BOOL GetProcessTimes(HANDLE process, FILETIME* creation, FILETIME* exit, FILETIME* kernel, FILETIME* user) override;
  BOOL OpenProcessToken(HANDLE process, DWORD access, HANDLE* token) override;
  BOOL GetTokenInformation(HANDLE token, int infoClass, void* info, DWORD length, DWORD* returned) override;

  // Calls after which no kept window answer is trusted.
  BOOL SetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT* placement) override;
  BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) override;
  void placeWindows(std::span<WindowMove> moves) override;
  BOOL ShowWindow(HWND hwnd, int showCmd) override;
  HWND SetActiveWindow(HWND hwnd) override;
  BOOL SetForegroundWindow(HWND hwnd) override;
  LONG_PTR SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value) override;
  LRESULT SendMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
  BOOL GetMessageA(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax) override;
  BOOL IsDialogMessageA(HWND dialog, MSG* msg) override;
  LRESULT DispatchMessageA(const MSG* msg) override;
  int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type) override;
  INT_PTR DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc,
                          LPARAM initParam) override;
  BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, const RECT* rect) override;

 private:
  // The largest answer kept of DwmGetWindowAttribute: a rectangle.
  static constexpr DWORD kMostAttributeBytes = 16;
  struct Attribute {
    DWORD attribute = 0;
    DWORD size = 0;
    HRESULT result = 0;
    std::array<unsigned char, kMostAttributeBytes> bytes{};
  };
  struct Window {
    std::optional<BOOL> isWindow, isVisible, isIconic;
    std::optional<BOOL> rectRead;
    RECT rect{};
    std::optional<DWORD> thread;
    DWORD processId = 0;
    std::optional<BOOL> placementRead;
    WINDOWPLACEMENT placement{};
    std::optional<LONG_PTR> style, exStyle;
    std::optional<HWND> owner;
    std::optional<std::string> className;
    std::optional<UINT> dpi;
    bool noRegion = false;
    std::vector<Attribute> attributes;
    std::vector<std::pair<DWORD, HMONITOR>> monitors;  // by MonitorFromWindow's flags
  };
  struct MonitorRead {
    std::optional<BOOL> read;
    MONITORINFO info{};
    std::optional<HRESULT> dpiResult;
    UINT dpiType = 0, dpiX = 0, dpiY = 0;
  };
  struct RectMonitor {
    RECT rect{};
    DWORD flags = 0;
    HMONITOR monitor = nullptr;
  };
  struct Process {
    DWORD access = 0;
    BOOL inherit = FALSE;
    DWORD processId = 0;
    HANDLE handle = nullptr;
  };
  struct Times {
    HANDLE process = nullptr;
    BOOL read = FALSE;
    std::array<FILETIME, 4> times{};
  };
  struct Token {
    HANDLE process = nullptr;
    DWORD access = 0;
    BOOL opened = FALSE;
    HANDLE token = nullptr;
  };
  struct TokenAnswer {
    HANDLE token = nullptr;
    int infoClass = 0;
    BOOL read = FALSE;
    DWORD returned = 0;
    std::vector<unsigned char> bytes;
  };

  Window& window(HWND hwnd) { return windows_[hwnd]; }
  // The one monitor there is, and its rectangle; null with several (or none known).
  HMONITOR onlyMonitor();
  // What may have changed: every window and monitor answer.
  void changed();
  template <class Call>
  auto changing(Call call);
  bool isKeptHandle(HANDLE handle) const;

  Platform& system_;
  std::unordered_map<HWND, Window> windows_;
  std::unordered_map<HMONITOR, MonitorRead> monitorInfo_;
  std::vector<RectMonitor> rectMonitors_;
  bool monitorsCounted_ = false;
  int monitorCount_ = 0;
  HMONITOR onlyMonitor_ = nullptr;
  RECT onlyMonitorRect_{};
  std::vector<Process> processes_;
  std::vector<Times> times_;
  std::vector<Token> tokens_;
  std::vector<TokenAnswer> tokenAnswers_;
  struct Folder {
    int csidl = 0;
    DWORD flags = 0;
    HRESULT result = 0;
    std::string path;
  };
  std::vector<Folder> folders_;
};

}  // namespace tessellor
