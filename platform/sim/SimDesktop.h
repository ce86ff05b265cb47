// The simulated Windows desktop: an in-memory implementation of Platform with top-level windows,
// a z-order, a foreground window, the program's dialogs and controls, a registry value, hotkey
// registrations, a tray icon and a message queue. It records what the program asks of it.
//
// The window-model part below (creating windows, user actions, reading them back, the call record)
// is what engine tests use directly; the scenario runner in tools/sim drives the rest.
#pragma once

#include <cstdint>
#include <ctime>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/Platform.h"
#include "platform/sim/SimFiles.h"
#include "platform/sim/SimRegistry.h"

namespace tessellor::sim {

enum class RegionKind { None, Simple, Complex };
enum class Edge { Left, Top, Right, Bottom };

// What `window NAME [title "T"] [exe E] [at L T R B] [min W H] [region ...] [hidden] [minimized]
// [maximized] [grows N] [frame L T R B] [cloaked] [tool] [noactivate] [appwindow] [owner NAME]
// [elevated] [integrity LEVEL] [class C] [fixed] [nocaption]` describes.
struct WindowSpec {
  std::string name;
  std::string title;  // empty: the name
  std::string exe;    // empty: NAME.exe; "-": OpenProcess fails for its process
  RECT at{100, 100, 500, 400};
  int minWidth = 0;  // minimum track size; 0: none
  int minHeight = 0;
  RegionKind region = RegionKind::None;
  RECT regionBox{0, 0, 0, 0};  // window coordinates, for a simple region
  bool hidden = false;
  bool minimized = false;
  bool maximized = false;
  int grows = 0;          // each placement makes it this many pixels larger than the last
  bool late = false;      // its program takes the program's placements only when told to (answerPlacements)
  bool untitled = false;  // `title ""`: the title is empty, not the name

  // Windows 10 and 11 kinds of windows.
  bool hasFrame = false;   // without a frame the window manager tells no visible bounds
  RECT frame{0, 0, 0, 0};  // invisible borders: how far the window rectangle reaches past the visible bounds
  bool cloaked = false;    // shown, yet not drawn (another virtual desktop)
  LONG_PTR exStyle = 0;    // WS_EX_TOOLWINDOW, WS_EX_NOACTIVATE, WS_EX_APPWINDOW
  HWND owner = nullptr;    // GetWindow(GW_OWNER)
  bool elevated = false;   // its process runs above the program's integrity level
  DWORD integrity = 0;     // its process's integrity level; 0: high when elevated, else the program's medium
  bool uiAccess = false;   // its process's token has UIAccess, which the program's has not
  std::string className;   // empty: "SimWindow"
  bool fixed = false;      // no sizing border (WS_THICKFRAME), as a fixed-size dialog or game
  bool nocaption = false;  // no title bar (WS_CAPTION), as a full-screen program
  std::string desktop;     // its virtual desktop; empty: the one shown when it is made

  DWORD integrityLevel() const;
  // Above the program's medium level without UIAccess: its windows refuse the program's moves.
  bool outranksProgram() const;
};

// Thrown out of the program's GetMessageA once its process has been killed, through every frame of
// the program, to whoever started it: nothing of the program runs after a kill.
struct ProcessKilled {};

struct PlacementCall {
  enum class Kind { SetWindowPlacement, SetWindowPos, SetActiveWindow };
  Kind kind;
  HWND hwnd;
  RECT rect;               // as requested (left, top, right, bottom), before any clamping
  bool refused = false;    // the window system refused it (no window, an elevated one): nothing changed
  bool denied = false;     // refused with ERROR_ACCESS_DENIED: a window of a process above the program
  int batch = 0;           // which placeWindows batch made it (numbered from 1); 0 for a call on its own
  bool redundant = false;  // it asked a visible normal window for the rectangle it had, raising nothing
  bool took = true;        // the window ended at the rectangle asked for
  bool moves = true;       // false for SWP_NOMOVE | SWP_NOSIZE: only raised or activated
};

enum class ControlKind { None, Button, CheckBox, Edit, ListBox, Hotkey, Static, ListView };

struct MenuItem {
  UINT_PTR id = 0;
  std::string text;
  bool separator = false;
};

class SimDesktop : public Platform {
 public:
  SimDesktop();
  ~SimDesktop() override;

  // ---- The desktop --------------------------------------------------------------------------
  void setScreen(int width, int height);      // SM_CXMAXIMIZED, SM_CYMAXIMIZED; maximised windows follow
  void setMinSize(int width, int height);     // SM_CXMIN, SM_CYMIN
  HWND createWindow(const WindowSpec& desc);  // on top of the z-order; the foreground stays
  void destroyWindow(HWND hwnd);              // its handle is never given again; a foreground one leaves none
  void setForeground(HWND hwnd);              // null: no foreground window
  void setTime(std::time_t t);
  void setRand(int value);

  // User actions on other programs' windows (they change the desktop only; posting the hook
  // message is the caller's business).
  void drag(HWND hwnd, int dx, int dy);
  void resize(HWND hwnd, Edge edge, int coordinate);
  void setRect(HWND hwnd, const RECT& rect);
  void minimize(HWND hwnd);
  void maximize(HWND hwnd);
  void restore(HWND hwnd);

  // Reading the desktop back.
  RECT rectOf(HWND hwnd) const;  // the current rectangle
  bool isMinimized(HWND hwnd) const;
  bool isMaximized(HWND hwnd) const;
  bool isHidden(HWND hwnd) const;
  HWND handleOf(const std::string& name) const;  // the living window of that name, or null
  std::string nameOf(HWND hwnd) const;           // its name, or 0x... for a handle that is no window
  std::vector<HWND> zOrder() const;              // topmost first, living windows

  // The record of placement calls (SetWindowPlacement, SetWindowPos, SetActiveWindow).
  const std::vector<PlacementCall>& calls() const { return calls_; }
  void clearCalls() { calls_.clear(); }
  // Called for each placement call as it is made (the runner's `trace on`).
  std::function<void(const PlacementCall&)> onCall;

  // ---- Monitors, work areas and what other programs do to their windows ----------------------------
  // The primary monitor is (0, 0, W, H) of the screen; its work area is the whole screen until set.
  // Each change makes maximised windows take their monitor's work area anew.
  void setWorkArea(const RECT& work);  // the primary's; a setScreen resets it
  // Adds a non-primary monitor, or moves the living one of that name (keeping its handle).
  void setMonitor(const std::string& name, const RECT& bounds, const RECT& work, std::optional<UINT> dpi = {});
  // The primary monitor's scale (96 DPI unless set). Windows take the DPI of their monitor as the
  // desktop is described; a placement by the program that moves a window onto a monitor of another
  // DPI makes it rescale itself (and its invisible frame) by the ratio, keeping its top-left corner.
  void setPrimaryDpi(UINT dpi);
  bool removeMonitor(const std::string& name);  // false when no living monitor has that name
  // A monitor's name: "primary", or its `monitor` line's; empty for a handle of none.
  std::string monitorName(HMONITOR monitor) const;
  // Every monitor name a line gave, the primary first, then in the order first given.
  std::vector<std::string> monitorNames() const;
  // The living monitor of that name, or null (gone, or never given).
  HMONITOR monitorNamed(const std::string& name) const;
  // The living monitor of that name's bounds and work area; false when there is none.
  bool monitorBounds(const std::string& name, RECT& bounds, RECT& work) const {
    const HMONITOR monitor = monitorNamed(name);
    return monitor != nullptr && monitorAt(monitor, bounds, work);
  }

  void hideWindow(HWND hwnd);  // by its own program: a hidden foreground window leaves none
  void showWindow(HWND hwnd);  // by its own program: neither raised nor activated
  void setCloaked(HWND hwnd, bool cloaked);
  void unminimize(HWND hwnd);  // back to the state before it was minimised; a window not minimised stays
  void activate(HWND hwnd);    // the user brings it to the front: foreground, top of the z-order
  void setTitle(HWND hwnd, const std::string& title);  // by its own program (SetWindowText); "" too
  // Its program shows it full-screen: no title bar, normal, its monitor's whole rectangle; true when
  // it was maximised. leaveFullScreen gives back what it had; true when that is maximised.
  bool enterFullScreen(HWND hwnd);
  bool leaveFullScreen(HWND hwnd);
  bool isFullScreen(HWND hwnd) const;  // entered by enterFullScreen and not left
  // What SHQueryUserNotificationState answers (QUNS_ACCEPTS_NOTIFICATIONS until set).
  void setNotificationState(QUERY_USER_NOTIFICATION_STATE state) { notificationState_ = state; }
  QUERY_USER_NOTIFICATION_STATE notificationState() const { return notificationState_; }

  RECT visibleRectOf(HWND hwnd) const;    // the rectangle less the invisible frame
  bool hasFrame(HWND hwnd) const;         // whether it was made with invisible borders
  bool hasSimpleRegion(HWND hwnd) const;  // GetWindowRgn answers SIMPLEREGION
  bool isCloaked(HWND hwnd) const;

  // ---- Virtual desktops (desktop "1" is shown until switched) --------------------------------------
  // Each answer lists the windows whose cloaking by the shell changed, in creation order.
  struct DesktopChange {
    std::vector<HWND> cloaked;
    std::vector<HWND> uncloaked;
  };
  DesktopChange switchDesktop(const std::string& desktop);
  const std::string& shownDesktop() const { return shownDesktop_; }
  // The desktop of an id the program was given; empty for none.
  std::string desktopNameOf(const GUID& id) const;
  DesktopChange moveToDesktop(HWND hwnd, const std::string& desktop);

  // ---- More of the desktop, for the scenario runner ------------------------------------------
  HWND lastHandleOf(const std::string& name) const;  // the newest window of that name, living or not
  std::vector<HWND> windows() const;                 // living windows, in creation order
  RECT normalRectOf(HWND hwnd) const;                // the rectangle a restore would give
  const WindowSpec* specOf(HWND hwnd) const;         // how the living window was made, or null
  HWND foreground() const { return foreground_; }
  int screenWidth() const { return screenWidth_; }
  int screenHeight() const { return screenHeight_; }
  int placementCount() const { return placementCount_; }  // SetWindowPlacement and SetWindowPos so far

  void setRegistryReadonly() { registry_.user.access = SimRegistry::Access::Closed; }  // the per-user Run key
  void setHotkeyTaken(int id) { takenHotkeys_.insert(id); }
  void setFileReadonly(const std::string& path) { files_.setReadonly(path); }
  // When the process of that id started, as GetProcessTimes gives it; 0 for no such process.
  std::uint64_t processStart(DWORD pid) const;
  // The bytes stored in the per-user Run key under that name, if any.
  std::optional<std::string> registryValue(const std::string& name) const;
  std::vector<int> hotkeys() const;  // registered ids, ascending
  std::optional<NOTIFYICONDATAA> trayIcon() const;

  // ---- The session: files, both Run keys, balloons, message filters, its end ----------------------
  SimFiles& files() { return files_; }
  SimRegistry& registry() { return registry_; }
  struct Balloon {
    std::string title;
    std::string text;
  };
  struct MessageFilter {
    HWND hwnd;
    UINT message;
    DWORD action;
  };
  const std::vector<Balloon>& balloons() const { return balloons_; }
  void clearBalloons() { balloons_.clear(); }
  const std::vector<MessageFilter>& messageFilters() const { return messageFilters_; }
  // Process and token handles opened and not yet closed.
  std::size_t openHandleCount() const { return openProcesses_.size() + openTokens_.size(); }
  // Windows ends the session: from here GetMessageA answers -1 without asking onIdle, so that every
  // loop of the program ends; endProcess clears it.
  void terminateProcess() { terminating_ = true; }
  bool terminating() const { return terminating_; }
  // Task Manager's "End task": the program's next GetMessageA throws ProcessKilled, and until
  // endProcess nothing it still asks changes a window, a file or a registry value.
  void killProcess() { killed_ = true; }
  bool killed() const { return killed_; }

  // ---- Other copies of the program and the Restart Manager -----------------------------------------
  // While set, the calls come from another copy of the program, started with a switch: a process
  // of its own, apart from the running program.
  void setOtherCopy(bool other) { otherCopy_ = other; }
  struct Restart {
    std::string commandLine;  // UTF-8
    DWORD flags;
  };
  // The running program's registration for a restart after an update; it goes with the process.
  const std::optional<Restart>& restart() const { return restart_; }

  // ---- Keys: the user's keyboard layout, hotkeys held elsewhere, keys pressed ----------------------
  // AltGr with that key types the text (UTF-8) on the desktop's one keyboard layout.
  void setAltGr(UINT virtualKey, std::string text) { altGr_[virtualKey] = std::move(text); }
  // Another program holds those keys: RegisterHotKey fails for them whatever the id.
  void setHotkeyKeysTaken(UINT modifiers, UINT virtualKey) { takenKeys_.insert({modifiers, virtualKey}); }
  struct RegisteredHotkey {
    int id;
    UINT modifiers;  // as registered, MOD_NOREPEAT included
    UINT virtualKey;
  };
  std::vector<RegisteredHotkey> registeredHotkeys() const;  // ascending ids
  // WM_HOTKEY for the hotkey registered with those keys; false when none is.
  bool pressKeys(UINT modifiers, UINT virtualKey);
  // The user types those keys into a hotkey control of an open dialog: the control's rules apply, as
  // HKM_SETRULES gave them, and Enter, Tab, Space, Delete, Esc and Backspace, which the control
  // leaves to its dialog, change nothing (false). Nothing when the dialog has no hotkey control of
  // that id.
  std::optional<bool> typeHotkey(HWND dialog, int id, WORD hotkey);

  // ---- The program's side: dialogs, messages and the process -----------------------------------
  HWND mainDialog() const { return mainDialog_; }  // the living template-101 dialog, or null
  HWND topDialog() const;                          // the innermost open modal dialog, else mainDialog()
  bool modalOpen() const { return !modalStack_.empty(); }
  ControlKind controlKind(HWND dialog, int id) const;
  // Appends to the queue; the program gets it from GetMessageA.
  void postMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  bool queueEmpty() const { return queue_.empty() && !quitPending_; }
  UINT registeredMessage(const std::string& name) const;  // 0 when not registered
  // Posts to the window given to setMyHook; false (nothing posted) when no hook is set.
  bool postHookEvent(UINT message, WPARAM wParam, LPARAM lParam);
  // While lost, the hook posts nothing: the program does not hear of what other programs do.
  void loseHookMessages(bool lost) { hookMessagesLost_ = lost; }
  // WM_HOTKEY to the registering window; false when the id is not registered.
  bool pressHotkey(int id);
  // The tray icon's callback message with that mouse message; false when there is no icon.
  bool clickTray(UINT mouseMessage);
  const std::optional<std::vector<MenuItem>>& openMenu() const { return openMenuItems_; }
  // Posts WM_COMMAND with the item's id to the menu's owner and closes the menu; false when no
  // menu is open or it has no such item.
  bool pickMenuItem(const std::string& text);
  // The process has ended: its windows, dialogs, hotkeys, tray icon, hook, menu, timers and queue go.
  void endProcess();
  // A late window's program answers: it takes the placements waiting for it, in order. False when
  // none were waiting.
  bool answerPlacements(HWND hwnd);
  // Time passes: each timer the program has set posts WM_TIMER to its window, in the order set.
  void fireTimers();
  // The program's timers, in the order set: window and id.
  const std::vector<std::pair<HWND, UINT_PTR>>& timers() const { return timers_; }

  // GetMessageA calls this while the queue is empty; it answers false when nothing will come
  // (GetMessageA then returns -1).
  std::function<bool()> onIdle;
  // Each line the desktop prints for the program (message boxes, the popup menu).
  std::function<void(const std::string&)> onReport;
  const std::vector<std::string>& reports() const { return reports_; }

  // ---- Platform -----------------------------------------------------------------------------
  BOOL IsWindow(HWND hwnd) override;
  BOOL IsWindowVisible(HWND hwnd) override;
  BOOL IsIconic(HWND hwnd) override;
  int GetWindowTextA(HWND hwnd, char* text, int maxCount) override;
  int GetWindowTextLengthA(HWND hwnd) override;
  BOOL GetWindowRect(HWND hwnd, RECT* rect) override;
  HWND GetForegroundWindow() override { return foreground_; }
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
  // In the given order, one call after the other, so that a scenario has one right output.
  // A late window's moves are made (traced and counted) but wait, unanswered, for answerPlacements.
  void placeWindows(std::span<WindowMove> moves) override;
  bool placementPending(HWND hwnd) override;
  UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc) override;
  // One clipboard for the desktop: the text last set, while it is not open.
  BOOL OpenClipboard(HWND owner) override;
  BOOL EmptyClipboard() override;
  HANDLE SetClipboardData(UINT format, HANDLE data) override;
  BOOL CloseClipboard() override;
  HGLOBAL GlobalAlloc(UINT flags, std::size_t bytes) override;
  void* GlobalLock(HGLOBAL memory) override;
  BOOL GlobalUnlock(HGLOBAL memory) override;
  HGLOBAL GlobalFree(HGLOBAL memory) override;
  const std::optional<std::string>& clipboard() const { return clipboard_; }
  // The rows of a list view of an open dialog, each its columns' texts.
  std::vector<std::vector<std::string>> listViewRows(HWND dialog, int id);
  // The user selects a row of that list view (-1: none); nothing is sent.
  void selectListViewRow(HWND dialog, int id, int row);
  BOOL KillTimer(HWND hwnd, UINT_PTR id) override;

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
  // SM_CXMIN and SM_CYMIN scale with the DPI; the rest are as GetSystemMetrics answers.
  int GetSystemMetricsForDpi(int index, UINT dpi) override;

  HRGN CreateRectRgn(int left, int top, int right, int bottom) override;
  int GetWindowRgn(HWND hwnd, HRGN region) override;
  DWORD GetRegionData(HRGN region, DWORD count, RGNDATA* data) override;
  BOOL DeleteObject(HRGN region) override;

  // Registers classes as the real call does; the Keys and Windows dialogs fail to open (-1) until
  // their controls' classes are registered.
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
  BOOL TranslateMessage(const MSG*) override { return FALSE; }
  LRESULT DispatchMessageA(const MSG* msg) override;
  void PostQuitMessage(int exitCode) override;

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
  DWORD GetLastError() override { return lastError_; }
  void setLastError(DWORD error) { lastError_ = error; }
  int messageBoxCount() const { return messageBoxes_; }  // shown since the desktop was made
  // A window or dialog of the program itself.
  bool isProgramWindow(HWND hwnd) const;
  // What the program's dialog procedures are handed as their platform (the desktop itself unless set):
  // the door the program was started with.
  void setProgramDoor(Platform* door) { programDoor_ = door; }
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
  void srand(unsigned int /*seed*/) override {}  // rand() answers the scripted value whatever the seed
  int rand() override { return rand_; }

 private:
  enum class State { Normal, Minimized, Maximized };
  struct Window {
    WindowSpec desc;
    HWND handle = nullptr;
    bool alive = true;
    bool hidden = false;
    State state = State::Normal;
    RECT normal{};     // the restored rectangle
    RECT maximized{};  // the rectangle while maximised
    std::int64_t placements = 0;
    DWORD pid = 0;
    bool ownedByProgram = false;
    bool cloaked = false;                // by its own program (`cloak`)
    std::string desktop;                 // its virtual desktop
    bool restoreToMaximized = false;     // it was maximised when it was last minimised
    UINT dpi = USER_DEFAULT_SCREEN_DPI;  // of the monitor it was last on
    struct Windowed {
      RECT normal;
      bool maximized;
      bool nocaption;
    };
    std::optional<Windowed> windowed;  // what it had before its program showed it full-screen
    std::vector<WindowMove> waiting;   // a late window's placements, not taken yet
  };
  struct Monitor {
    std::string name;
    RECT bounds{};
    RECT work{};
    bool alive = true;
    UINT dpi = USER_DEFAULT_SCREEN_DPI;
  };
  struct Region {
    RegionKind kind = RegionKind::None;
    RECT box{};
  };
  struct Control {
    ControlKind kind = ControlKind::None;
    HWND handle = nullptr;
    std::string text;
    LRESULT check = BST_UNCHECKED;
    std::vector<std::string> items;
    std::vector<std::vector<std::string>> rows;  // a list view's, each a row of columns
    int selection = -1;
    WORD hotkey = 0;  // a hotkey control's keys: the virtual key, HOTKEYF_ flags in the high byte
    WORD invalidCombinations = 0;
    WORD defaultModifiers = 0;
  };
  struct Dialog {
    DLGPROC proc = nullptr;
    std::map<int, Control> controls;
    std::map<int, LONG_PTR> longs;
    bool ended = false;
    INT_PTR result = 0;
  };
  struct Hotkey {
    HWND hwnd;
    UINT modifiers;
    UINT virtualKey;
  };

  Window* find(HWND hwnd);
  const Window* find(HWND hwnd) const;
  std::string textOf(HWND hwnd);  // a window's title, a control's text; empty for no window
  RECT currentRect(const Window& w) const;
  RECT screenRect() const { return RECT{0, 0, screenWidth_, screenHeight_}; }  // a maximised window's
  RECT fitted(Window& w, RECT wanted);  // the minimum, then the window's own growth
  void raise(HWND hwnd);
  void hide(Window& w);
  // The state change of a show command; SW_SHOW also activates and raises a hidden window when asked.
  void applyShowCommand(Window& w, int showCmd, bool showActivates);
  void record(PlacementCall::Kind kind, HWND hwnd, const RECT& rect, bool refused);
  void report(const std::string& line);

  Dialog* dialogOf(HWND hwnd);
  const Dialog* dialogOf(HWND hwnd) const;
  Control* controlOf(HWND handle);
  Control* controlOf(HWND dialog, int id);
  void addDialog(HWND handle, int templateId, DLGPROC proc);
  INT_PTR callDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT controlMessage(Control& control, UINT message, WPARAM wParam, LPARAM lParam);

  const Window* processWindow(DWORD pid) const;
  DWORD processOfHandle(HANDLE process) const;  // the id of the process an OpenProcess handle opens
  bool processElevated(DWORD pid) const;
  bool processOutranks(DWORD pid) const;  // above the program: UIPI keeps the program off its windows
  // A placement or show command refused: no window, or one of a process above the program.
  BOOL refuse(const Window* w);
  BOOL refuse(const Window* w, PlacementCall& call);

  // Monitors: the primary first, then the living others in the order they came.
  RECT primaryWork() const { return primaryWork_.value_or(screenRect()); }
  HMONITOR monitorOfRect(const RECT& rect, DWORD flags) const;
  bool monitorAt(HMONITOR monitor, RECT& bounds, RECT& work) const;  // false for one that is gone
  int monitorCount() const;                                          // the primary and the others there
  RECT maximizedRect(const Window& w) const;                         // its monitor's work area
  UINT dpiOfMonitor(HMONITOR monitor) const;                         // 0 for one that is gone
  // Every window takes its monitor's DPI as it stands, without rescaling (the desktop as described).
  void settleScales();
  // After the program placed it: a window now on a monitor of another scale rescales itself.
  void followScale(Window& w);
  void refitMaximized();
  void minimizeWindow(Window& w);                      // remembers whether it was maximised
  LONG_PTR styleOf(const Window& w, int index) const;  // GWL_STYLE or GWL_EXSTYLE

  // Windows: index k has the handle 0x10010 + 0x10 * k.
  std::vector<Window> windows_;
  std::vector<HWND> zOrder_;  // topmost first
  HWND foreground_ = nullptr;
  int screenWidth_ = 1280;
  int screenHeight_ = 1024;
  int minWidth_ = 112;
  int minHeight_ = 27;
  static bool atRangeEnd(const RECT& r);
  std::vector<PlacementCall> calls_;
  int batch_ = 0;  // the batch being made, 0 outside one
  int batchesMade_ = 0;
  int placementCount_ = 0;
  std::map<std::uintptr_t, Region> regions_;
  std::uintptr_t nextRegion_ = 0;
  std::optional<RECT> primaryWork_;  // none: the whole screen
  std::vector<Monitor> monitors_;    // non-primary; k-th: primary's handle + 0x10 × (k + 1)
  UINT primaryDpi_ = USER_DEFAULT_SCREEN_DPI;

  // Dialogs, keyed by handle; the map keeps them in place while their procedures run.
  std::map<std::uintptr_t, Dialog> dialogs_;
  std::vector<HWND> modalStack_;
  HWND mainDialog_ = nullptr;
  std::uintptr_t dialogSerial_ = 0;
  DWORD commonControls_ = 0;  // ICC_ flags registered so far

  // Messages.
  std::deque<MSG> queue_;
  bool quitPending_ = false;
  int quitCode_ = 0;
  std::map<std::string, UINT> registered_;

  // Shell services.
  std::map<int, Hotkey> hotkeys_;
  std::set<int> takenHotkeys_;
  std::set<std::pair<UINT, UINT>> takenKeys_;  // modifiers without MOD_NOREPEAT, virtual key
  std::map<UINT, std::string> altGr_;
  std::optional<NOTIFYICONDATAA> tray_;
  std::map<std::uintptr_t, std::vector<MenuItem>> menus_;
  std::uintptr_t nextMenu_ = 0;
  std::optional<std::vector<MenuItem>> openMenuItems_;
  HWND menuOwner_ = nullptr;
  std::set<std::uintptr_t> openProcesses_;
  std::map<std::uintptr_t, DWORD> openTokens_;  // token handle: the process it was opened for (0: the program)
  std::uintptr_t nextToken_ = 0;
  std::map<std::string, DWORD> pids_;
  std::map<DWORD, std::uint64_t> processStarts_;  // FILETIME values
  HWND hookTarget_ = nullptr;
  bool hookMessagesLost_ = false;
  std::vector<std::string> reports_;
  std::time_t time_ = 0;
  int rand_ = 0;

  // Virtual desktops.
  bool offDesktop(const Window& w) const;  // cloaked by the shell: its desktop is not shown
  std::string shownDesktop_ = "1";
  std::map<std::string, DWORD> desktopIds_;  // one id per desktop name, numbered as first asked

  QUERY_USER_NOTIFICATION_STATE notificationState_ = QUNS_ACCEPTS_NOTIFICATIONS;

  // The session.
  SimFiles files_;
  SimRegistry registry_;
  std::vector<Balloon> balloons_;
  std::vector<MessageFilter> messageFilters_;
  std::map<std::string, std::uintptr_t> mutexes_;  // by name, held until the process ends
  std::uintptr_t mutexSerial_ = 0;
  DWORD lastError_ = 0;
  bool terminating_ = false;
  bool killed_ = false;
  unsigned temporaries_ = 0;                   // the temporary files the program named so far
  unsigned long long programStartWrites_ = 0;  // the files' write count when the program last started
  Platform* programDoor_ = nullptr;
  int messageBoxes_ = 0;
  bool replaying_ = false;  // a late window takes placements made before: they are not made again
  bool clipboardOpen_ = false;
  std::optional<std::string> clipboard_;
  std::map<std::uintptr_t, std::vector<char>> globals_;
  std::uintptr_t nextGlobal_ = 0x5a000010;
  std::vector<std::pair<HWND, UINT_PTR>> timers_;
  bool otherCopy_ = false;
  std::optional<Restart> restart_;
};

// A string as scenario files and reports write it: in double quotes, with \" \\ \n \r \t escapes.
std::string quote(std::string_view text);

// A handle as `0x` and lower-case hex digits, whether or not it is a window's.
std::string handleText(HWND hwnd);

}  // namespace tessellor::sim
