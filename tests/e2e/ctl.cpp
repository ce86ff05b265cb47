// tessellor-ctl.exe: drives and queries windows from outside, as a user and the shell would, for the
// end-to-end run. It reads one command a line from standard input and answers each with zero or
// more lines and a closing "." line, so that a script can keep it running and talk to it.
//
//   dialog                      the main dialog: "dialog HWND shown|hidden COUNT" or "dialog none"
//   wait-dialog STATE MS        polls until the dialog is found / shown / hidden / gone
//   windows                     the sample windows, topmost first: "window TITLE L T R B [STATE...]"
//   others                      every other visible top-level window
//   wait-windows N MS           polls until N sample windows are visible
//   wait-settled MS             polls until the foreground window is the topmost sample window
//   barrier MS                  returns once the program has handled every message posted to it so far
//   expect MS                   then lines "TITLE L T R B", "TITLE minimized", "TITLE hidden" or
//                               "foreground TITLE", then ".": polls until all of them hold; "ok ELAPSED"
//                               or "timeout MS" + windows;
//                               "error ..." when no window is named or a line is not one of these
//   time-key MS KEY+KEY...      then expected lines as for expect: presses the keys and polls closely
//                               until all of them hold; "ok MICROSECONDS" from SendInput to that moment
//   place-each MS               then lines "TITLE L T R B", then ".": places those windows itself, once
//                               each, one after another (SetWindowPos without activation or z-order),
//                               while a thread of its own polls closely until all of them stand
//                               there; "ok MICROSECONDS" from the first call to that moment
//   place-together MS           as place-each, but all at once: a thread a window, each started and
//                               waiting before the clock starts, all let go together; "ok MICROSECONDS"
//                               from letting them go to the first poll that finds every window there
//   keys-while-placing MS KEY+KEY... KEY+KEY...
//                               presses the first keys, then the second as soon as a sample window has
//                               moved: "ok MOVED OF", how many had moved then, or "timeout" (none in MS)
//   watch on|off                from now on, notes the moment each sample window last changed rectangle
//   placed-at MS                then expected lines: polls until all of them hold; "ok CLOCK", the moment
//                               the last of them reached its rectangle as watched, on the clock that the
//                               sample application logs
//   wait-cursor X Y MS          polls until the mouse pointer is at X Y
//   launch-tray MS EXE CLASS TITLE ID
//                               starts EXE and polls until its top-level window CLASS/TITLE has the
//                               notification icon ID; "ok MICROSECONDS" from CreateProcess to that moment
//   post-close                  WM_CLOSE to the window that launch-tray found
//   wait-exit MS                polls until the process that launch-tray started has ended
//   key KEY+KEY...              presses the keys together with SendInput and releases them
//   auto on|off                 checks or clears "Add automatically windows to layout", as a click does
//   command ID                  posts WM_COMMAND ID to the dialog
//   post TITLE WHAT [N]         minimize, maximize, restore (WM_SYSCOMMAND), close, hang N ms, or hide
//                               and show (by the window's own program; a hidden window is found too)
//   visible TITLE               "visible 1" or "visible 0" as IsWindowVisible answers, hidden windows included
//   wait-hung TITLE MS          polls until IsHungAppWindow reports the window
//   ping MS                     a sent message to the dialog: "ok ELAPSED" or "timeout"
//   status                      the dialog's layout status text
//   tray                        whether the tray icon is there: "tray shown" or "tray none"
//   wait-tray shown|none MS     polls until it is so
//   tray-delete                 removes the tray icon, as a restarting shell loses every icon
//   taskbar-created             the message a restarted shell broadcasts
//   exe-path                    the dialog's program file
//   run-value                   "run-value DATA" of the per-user Run value "Tessellor", or "run-value none"
//   file-version PATH           the file's version resource, read back as Windows reads it:
//                               "file-version A.B.C.D|FileVersion|ProductVersion|CompanyName|ProductName|
//                               LegalCopyright|FileDescription", or "file-version none"
//   product CODE                what Windows Installer tells of the installed product {CODE}:
//                               "product NAME|VERSION|PUBLISHER|ICON|icon-file yes|no", or "product none"
//   uninstall-entry CODE        its entry in Installed apps (the Uninstall key, per user or machine):
//                               "uninstall-entry HKCU|HKLM DisplayName|DisplayVersion|Publisher", or "none"
//   wait-log FILE PREFIX N MS   polls until FILE has N lines starting with PREFIX; answers the Nth
//   wait-file FILE MS           polls until FILE has a whole line; answers it
//   metrics                     "metrics CXMAXIMIZED CYMAXIMIZED CXMIN CYMIN work L T R B primary W H": the
//                               primary monitor's work area and size
//   set-workarea L T R B        SystemParametersInfoA(SPI_SETWORKAREA, SPIF_SENDCHANGE): "ok L T R B N" with
//                               what SPI_GETWORKAREA reads back and how many WM_SETTINGCHANGE for it a
//                               hidden top-level window of this program got, or "error CODE" (GetLastError)
//   placements                  the sample windows' placements: "placement TITLE STATE L T R B", STATE normal,
//                               maximized or minimized, L T R B the normal rectangle (GetWindowPlacement)
//   expect-placements MS        then lines "TITLE STATE L T R B" or "TITLE STATE", then ".": polls until
//                               all of them hold; "ok ELAPSED" or "timeout MS" + placements
//   kill-program MS             ends the process of the main dialog with TerminateProcess, as Task Manager
//                               does, and waits until it has ended
//   quit
#include <windows.h>
// shellapi and commctrl need windows.h first.
#include <commctrl.h>
#include <msi.h>
#include <shellapi.h>

#include <fcntl.h>
#include <io.h>

#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tests/e2e/clockMicros.h"

namespace {

constexpr UINT kTrayIconId = 100077;
constexpr int kAutoAddBox = 1016;
constexpr int kStatusBox = 1012;
constexpr int kExcludedList = 1010;
constexpr int kNameBox = 1011;
constexpr int kAddButton = 1013;
constexpr int kRemoveButton = 1014;
constexpr UINT kHang = WM_APP + 2;
constexpr UINT kShow = WM_APP + 3;

void reply(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::vprintf(format, args);
  va_end(args);
  std::putchar('\n');
}

void done() {
  std::puts(".");
  std::fflush(stdout);
}

// Polls `ready` until it holds or `ms` have passed; returns the elapsed milliseconds, or -1.
template <typename Ready>
long long pollUntil(DWORD ms, Ready ready) {
  const ULONGLONG start = GetTickCount64();
  for (;;) {
    if (ready()) return static_cast<long long>(GetTickCount64() - start);
    if (GetTickCount64() - start >= ms) return -1;
    // Lets other threads run between the polls; the answer never depends on how long this is.
    Sleep(20);
  }
}

// As pollUntil, for measuring: polls as often as the scheduler allows and answers the clock at the
// first poll that found `ready`, or -1.
template <typename Ready>
long long pollClosely(DWORD ms, Ready ready) {
  const ULONGLONG start = GetTickCount64();
  for (;;) {
    if (ready()) return clockMicros();
    if (GetTickCount64() - start >= ms) return -1;
    Sleep(1);
  }
}

std::string titleOf(HWND hwnd) {
  char text[256] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

std::string classOf(HWND hwnd) {
  char name[256] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

std::vector<HWND> topLevelWindows() {
  std::vector<HWND> all;
  EnumWindows(
      [](HWND hwnd, LPARAM list) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&all));
  return all;
}

// Found as FindWindowA finds it; the band settings dialog has the same caption but an owner.
std::vector<HWND> mainDialogs() {
  std::vector<HWND> found;
  HWND hwnd = nullptr;
  while ((hwnd = FindWindowExA(nullptr, hwnd, "#32770", "Tessellor")) != nullptr)
    if (GetWindow(hwnd, GW_OWNER) == nullptr) found.push_back(hwnd);
  return found;
}

HWND mainDialog() {
  const std::vector<HWND> found = mainDialogs();
  return found.empty() ? nullptr : found.front();
}

// The visible ones only, unless hidden ones are asked for too.
std::vector<HWND> sampleWindows(bool hiddenToo = false) {
  std::vector<HWND> found;
  for (HWND hwnd : topLevelWindows())
    if (classOf(hwnd) == "TessellorSample" && (hiddenToo || IsWindowVisible(hwnd))) found.push_back(hwnd);
  return found;
}

HWND sampleNamed(const std::string& title, bool hiddenToo = false) {
  for (HWND hwnd : sampleWindows(hiddenToo))
    if (titleOf(hwnd) == title) return hwnd;
  return nullptr;
}

std::string describe(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  char line[512];
  std::snprintf(line, sizeof line, "window %s %ld %ld %ld %ld%s%s%s", titleOf(hwnd).c_str(), r.left, r.top, r.right,
                r.bottom, IsIconic(hwnd) ? " minimized" : "", IsZoomed(hwnd) ? " maximized" : "",
                GetForegroundWindow() == hwnd ? " foreground" : "");
  return line;
}

void listWindows() {
  for (HWND hwnd : sampleWindows()) reply("%s", describe(hwnd).c_str());
}

void listOthers() {
  for (HWND hwnd : topLevelWindows()) {
    if (!IsWindowVisible(hwnd) || classOf(hwnd) == "TessellorSample") continue;
    RECT r{};
    GetWindowRect(hwnd, &r);
    reply("other \"%s\" class \"%s\" %ld %ld %ld %ld", titleOf(hwnd).c_str(), classOf(hwnd).c_str(), r.left, r.top,
          r.right, r.bottom);
  }
}

struct Expected {
  std::string title;
  bool minimized = false;
  bool hidden = false;
  bool foreground = false;
  RECT rect{};
};

// The whole line must be one of the four forms: a line the script did not mean to send must not be
// dropped silently, or a changed format upstream would make every comparison vacuous.
bool parseExpected(const char* line, Expected& e) {
  char title[256] = {};
  int used = 0;
  const auto whole = [&] { return line[used + std::strspn(line + used, " \t\r\n")] == '\0'; };
  if (std::sscanf(line, "foreground %255s%n", title, &used) == 1 && whole()) {
    e.title = title;
    e.foreground = true;
    return true;
  }
  used = 0;
  if (std::sscanf(line, "%255s minimized%n", title, &used) == 1 && used > 0 && whole()) {
    e.title = title;
    e.minimized = true;
    return true;
  }
  used = 0;
  if (std::sscanf(line, "%255s hidden%n", title, &used) == 1 && used > 0 && whole()) {
    e.title = title;
    e.hidden = true;
    return true;
  }
  used = 0;
  if (std::sscanf(line, "%255s %ld %ld %ld %ld%n", title, &e.rect.left, &e.rect.top, &e.rect.right, &e.rect.bottom,
                  &used) == 5 &&
      whole()) {
    e.title = title;
    return true;
  }
  return false;
}

// Reads expected lines up to "."; an empty list, or one without a single window, is an error too.
bool readExpected(std::vector<Expected>& wanted, std::string& error) {
  char line[512];
  bool windows = false;
  while (std::fgets(line, sizeof line, stdin) != nullptr && std::strncmp(line, ".", 1) != 0) {
    Expected e;
    if (!parseExpected(line, e)) {
      if (error.empty()) error = "unparsable expected line: " + std::string(line, std::strcspn(line, "\r\n"));
      continue;
    }
    windows = windows || !e.foreground;
    wanted.push_back(e);
  }
  if (error.empty() && !windows) error = "no expected window";
  return error.empty();
}

using Titled = std::vector<std::pair<std::string, HWND>>;

Titled titledSamples() {
  Titled all;
  for (HWND hwnd : sampleWindows(true)) all.emplace_back(titleOf(hwnd), hwnd);
  return all;
}

bool matches(const Expected& e, const Titled& samples, HWND foreground) {
  if (e.foreground && e.title == "none") return foreground == nullptr || classOf(foreground) != "TessellorSample";
  HWND hwnd = nullptr;
  for (const auto& [title, h] : samples)
    if (title == e.title) hwnd = h;
  if (hwnd == nullptr) return false;
  if (e.foreground) return foreground == hwnd;
  // A hidden window matches nothing but "hidden", wherever it stands.
  if (e.hidden || !IsWindowVisible(hwnd)) return e.hidden && !IsWindowVisible(hwnd);
  if (e.minimized) return IsIconic(hwnd) != FALSE;
  RECT r{};
  GetWindowRect(hwnd, &r);
  return !IsIconic(hwnd) && r.left == e.rect.left && r.top == e.rect.top && r.right == e.rect.right &&
         r.bottom == e.rect.bottom;
}

bool allMatch(const std::vector<Expected>& wanted) {
  const Titled samples = titledSamples();
  HWND foreground = GetForegroundWindow();
  for (const Expected& e : wanted)
    if (!matches(e, samples, foreground)) return false;
  return true;
}

void expect(DWORD ms) {
  std::vector<Expected> wanted;
  std::string error;
  if (!readExpected(wanted, error)) {
    reply("error %s", error.c_str());
    return;
  }
  const long long elapsed = pollUntil(ms, [&] { return allMatch(wanted); });
  if (elapsed >= 0) {
    reply("ok %lld", elapsed);
  } else {
    reply("timeout %lu", static_cast<unsigned long>(ms));
    listWindows();
  }
}

WORD virtualKey(const std::string& name) {
  static const struct {
    const char* name;
    WORD key;
  } keys[] = {{"ctrl", VK_CONTROL}, {"alt", VK_MENU}, {"shift", VK_SHIFT}, {"back", VK_BACK}, {"left", VK_LEFT},
              {"right", VK_RIGHT},  {"up", VK_UP},    {"down", VK_DOWN},   {"f10", VK_F10}};
  for (const auto& k : keys)
    if (name == k.name) return k.key;
  if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0])))
    return static_cast<WORD>(std::toupper(static_cast<unsigned char>(name[0])));
  return 0;
}

bool isExtended(WORD key) { return key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN; }

// The keys of "ctrl+alt+b"; empty when one of them has no name here.
std::vector<WORD> keysOf(const std::string& combination) {
  std::vector<WORD> keys;
  std::size_t start = 0;
  while (start <= combination.size()) {
    const std::size_t plus = combination.find('+', start);
    const std::string name = combination.substr(start, plus == std::string::npos ? std::string::npos : plus - start);
    const WORD key = virtualKey(name);
    if (key == 0) return {};
    keys.push_back(key);
    if (plus == std::string::npos) break;
    start = plus + 1;
  }
  return keys;
}

INPUT keyInput(WORD key, DWORD up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up | (isExtended(key) ? KEYEVENTF_EXTENDEDKEY : 0);
  return input;
}

bool pressKeys(const std::string& combination) {
  const std::vector<WORD> keys = keysOf(combination);
  if (keys.empty()) return false;
  std::vector<INPUT> inputs;
  for (WORD key : keys) inputs.push_back(keyInput(key, 0));
  for (auto it = keys.rbegin(); it != keys.rend(); ++it) inputs.push_back(keyInput(*it, KEYEVENTF_KEYUP));
  return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

bool trayShown(HWND dialog, UINT id = kTrayIconId) {
  // Modifying nothing succeeds only for an icon the shell holds.
  NOTIFYICONDATAA icon{};
  icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
  icon.hWnd = dialog;
  icon.uID = id;
  return Shell_NotifyIconA(NIM_MODIFY, &icon) != FALSE;
}

// The lines of a text file that the other programs are still writing; a line counts once it ends.
std::vector<std::string> completeLines(const char* path) {
  std::vector<std::string> lines;
  std::FILE* file = std::fopen(path, "rb");
  if (file == nullptr) return lines;
  std::string line;
  for (int c; (c = std::fgetc(file)) != EOF;) {
    if (c == '\n') {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
      line.clear();
    } else {
      line.push_back(static_cast<char>(c));
    }
  }
  std::fclose(file);
  return lines;
}

void waitLog(const char* path, const std::string& prefix, unsigned long n, DWORD ms) {
  std::string found;
  const long long elapsed = pollUntil(ms, [&] {
    unsigned long seen = 0;
    for (const std::string& line : completeLines(path)) {
      if (line.compare(0, prefix.size(), prefix) == 0 && ++seen == n) {
        found = line;
        return true;
      }
    }
    return false;
  });
  if (elapsed >= 0) {
    reply("%s", found.c_str());
  } else {
    reply("timeout");
  }
}

bool sendWithin(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, DWORD ms, DWORD_PTR* result = nullptr) {
  DWORD_PTR r = 0;
  const bool ok = SendMessageTimeoutA(hwnd, message, wParam, lParam, SMTO_NORMAL, ms, &r) != 0;
  if (result != nullptr) *result = r;
  return ok;
}

bool waitDialog(const std::string& state, DWORD ms) {
  return pollUntil(ms, [&] {
           HWND dialog = mainDialog();
           if (state == "gone") return dialog == nullptr;
           if (dialog == nullptr) return false;
           if (state == "shown") return IsWindowVisible(dialog) != FALSE;
           if (state == "hidden") return IsWindowVisible(dialog) == FALSE;
           return true;
         }) >= 0;
}

void postToSample(const std::string& title, const std::string& what, unsigned long n) {
  HWND hwnd = sampleNamed(title, true);
  if (hwnd == nullptr) {
    // Only a window that is gone ends here.
    reply("error no window %s", title.c_str());
    return;
  }
  BOOL ok = FALSE;
  if (what == "minimize") {
    ok = PostMessageA(hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  } else if (what == "maximize") {
    ok = PostMessageA(hwnd, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  } else if (what == "restore") {
    ok = PostMessageA(hwnd, WM_SYSCOMMAND, SC_RESTORE, 0);
  } else if (what == "close") {
    ok = PostMessageA(hwnd, WM_CLOSE, 0, 0);
  } else if (what == "hang") {
    ok = PostMessageA(hwnd, kHang, n, 0);
  } else if (what == "hide" || what == "show") {
    ok = PostMessageA(hwnd, kShow, what == "show" ? 1 : 0, 0);
  }
  if (ok) {
    reply("ok");
  } else {
    reply("error cannot post %s", what.c_str());
  }
}

// A window matching its expected rectangle says nothing of whether the program is still busy with
// the event (a band that a window refuses re-applies the layout once more). Messages posted to the
// dialog are handled in order, so a posted "ADD" that shows in the list follows everything before
// it; "Remove selected" then takes the name away again.
bool barrier(HWND dialog, DWORD ms) {
  if (dialog == nullptr) return false;
  HWND list = GetDlgItem(dialog, kExcludedList);
  DWORD_PTR count = 0;
  if (!sendWithin(list, LB_GETCOUNT, 0, 0, ms, &count)) return false;
  const auto countIs = [&](DWORD_PTR wanted) {
    DWORD_PTR now = 0;
    return sendWithin(list, LB_GETCOUNT, 0, 0, ms, &now) && now == wanted;
  };
  sendWithin(GetDlgItem(dialog, kNameBox), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("e2e-barrier.exe"), ms);
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(kAddButton, BN_CLICKED), 0);
  if (pollUntil(ms, [&] { return countIs(count + 1); }) < 0) return false;
  sendWithin(list, LB_SETCURSEL, count, 0, ms);
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(kRemoveButton, BN_CLICKED), 0);
  return pollUntil(ms, [&] { return countIs(count); }) >= 0;
}

// Presses the keys and measures until the expected lines that follow hold.
void timeKey(DWORD ms, const std::string& keys) {
  std::vector<Expected> wanted;
  std::string error;
  if (!readExpected(wanted, error)) {
    reply("error %s", error.c_str());
    return;
  }
  const long long start = clockMicros();
  if (!pressKeys(keys)) {
    reply("error bad keys");
    return;
  }
  const long long end = pollClosely(ms, [&] { return allMatch(wanted); });
  if (end < 0) {
    reply("timeout %lu", static_cast<unsigned long>(ms));
    listWindows();
  } else {
    reply("ok %lld", end - start);
  }
}

// The sample windows named by the expected lines that follow, in their order; false (and answered)
// when a line names none to place.
bool windowsToPlace(std::vector<Expected>& wanted, std::vector<HWND>& windows) {
  std::string error;
  if (!readExpected(wanted, error)) {
    reply("error %s", error.c_str());
    return false;
  }
  for (const Expected& e : wanted) {
    HWND hwnd = e.foreground || e.minimized || e.hidden ? nullptr : sampleNamed(e.title);
    if (hwnd == nullptr) {
      reply("error no window to place for %s", e.title.c_str());
      return false;
    }
    windows.push_back(hwnd);
  }
  return true;
}

constexpr UINT kBareMoveFlags = SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOCOPYBITS;

void placeAt(HWND hwnd, const RECT& r) {
  SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, kBareMoveFlags);
}

// Runs `place` and answers the microseconds from `start` (taken by `place`, just before its first
// call) to the first poll that finds every window at its rectangle. Watched as a hotkey's
// placements are: by a poll that runs while the windows are placed, and costs the window system
// alike in every figure.
template <typename Place>
void timePlacing(DWORD ms, const std::vector<Expected>& wanted, Place place) {
  struct Watch {
    const std::vector<Expected>* wanted;
    DWORD ms;
    long long end;
  } watch{&wanted, ms, -1};
  const auto poll = [](void* parameter) -> DWORD {
    auto* w = static_cast<Watch*>(parameter);
    w->end = pollClosely(w->ms, [&] { return allMatch(*w->wanted); });
    return 0;
  };
  HANDLE watcher = CreateThread(nullptr, 0, poll, &watch, 0, nullptr);
  const long long start = place();
  if (watcher != nullptr) {
    WaitForSingleObject(watcher, INFINITE);
    CloseHandle(watcher);
  } else {
    watch.end = pollClosely(ms, [&] { return allMatch(wanted); });
  }
  if (watch.end < 0) {
    reply("timeout %lu", static_cast<unsigned long>(ms));
    listWindows();
  } else {
    reply("ok %lld", watch.end - start);
  }
}

// Presses the first keys, and the second ones as soon as the first sample window has moved: a key
// pressed while the windows are being placed. "ok MOVED OF" tells how many of the sample windows
// had moved by then; "timeout" when none moved within MS (the second keys are not pressed).
void keysWhilePlacing(DWORD ms, const std::string& first, const std::string& second) {
  std::vector<std::pair<HWND, RECT>> before;
  for (HWND hwnd : sampleWindows()) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    before.emplace_back(hwnd, r);
  }
  if (!pressKeys(first)) {
    reply("error bad keys");
    return;
  }
  std::size_t moved = 0;
  const long long at = pollClosely(ms, [&] {
    moved = 0;
    for (const auto& [hwnd, r] : before) {
      RECT now{};
      GetWindowRect(hwnd, &now);
      if (!EqualRect(&now, &r)) ++moved;
    }
    return moved > 0;
  });
  if (at < 0) {
    reply("timeout");
    return;
  }
  if (!pressKeys(second)) {
    reply("error bad keys");
    return;
  }
  reply("ok %lu %lu", static_cast<unsigned long>(moved), static_cast<unsigned long>(before.size()));
}

// Places the windows of the expected lines itself, one after another, as a program without
// workers would: the floor that the program's own placing is measured against.
void placeEach(DWORD ms) {
  std::vector<Expected> wanted;
  std::vector<HWND> windows;
  if (!windowsToPlace(wanted, windows)) return;
  timePlacing(ms, wanted, [&] {
    const long long start = clockMicros();
    for (std::size_t i = 0; i < wanted.size(); ++i) placeAt(windows[i], wanted[i].rect);
    return start;
  });
}

// One window's placement on a thread of its own, held until every thread is ready.
struct TogetherJob {
  HWND hwnd;
  RECT rect;
  HANDLE ready;  // set by the thread once it waits for `go`
  HANDLE go;
};

DWORD WINAPI placeWhenGo(void* parameter) {
  auto& job = *static_cast<TogetherJob*>(parameter);
  SetEvent(job.ready);
  WaitForSingleObject(job.go, INFINITE);
  placeAt(job.hwnd, job.rect);
  return 0;
}

// Places the windows of the expected lines all at once, a thread a window: what the window system
// allows when every window's program answers at the same time. The threads are started and waiting
// before the clock starts, as a program's pool of threads would be; the clock starts as they are
// let go.
void placeTogether(DWORD ms) {
  std::vector<Expected> wanted;
  std::vector<HWND> windows;
  if (!windowsToPlace(wanted, windows)) return;
  HANDLE go = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  if (go == nullptr) {
    reply("error cannot make an event (%lu)", GetLastError());
    return;
  }
  std::vector<TogetherJob> jobs(wanted.size());
  std::vector<HANDLE> threads;
  bool started = true;
  for (std::size_t i = 0; i < jobs.size() && started; ++i) {
    jobs[i] = TogetherJob{windows[i], wanted[i].rect, CreateEventA(nullptr, TRUE, FALSE, nullptr), go};
    HANDLE thread = jobs[i].ready == nullptr ? nullptr : CreateThread(nullptr, 0, placeWhenGo, &jobs[i], 0, nullptr);
    started = thread != nullptr && WaitForSingleObject(jobs[i].ready, 10000) == WAIT_OBJECT_0;
    if (thread != nullptr) threads.push_back(thread);
  }
  if (started) {
    timePlacing(ms, wanted, [&] {
      const long long start = clockMicros();
      SetEvent(go);
      return start;
    });
  } else {
    reply("error cannot start a thread a window (%lu)", GetLastError());
  }
  SetEvent(go);  // no thread is left waiting, whatever failed
  WaitForMultipleObjects(static_cast<DWORD>(threads.size()), threads.data(), TRUE, INFINITE);
  for (HANDLE thread : threads) CloseHandle(thread);
  for (const TogetherJob& job : jobs) {
    if (job.ready != nullptr) CloseHandle(job.ready);
  }
  CloseHandle(go);
}

// The watch: a thread that notes, about every millisecond, when each sample window's rectangle
// last changed, so that a placement is timed even when the script learns its target afterwards.
struct Watched {
  HWND hwnd;
  RECT rect;
  long long changed;
};
CRITICAL_SECTION watchLock;
std::vector<Watched> watched;
HANDLE watchThread = nullptr;
volatile LONG watching = 0;

DWORD WINAPI watchWindows(void*) {
  while (InterlockedCompareExchange(&watching, 0, 0) != 0) {
    const std::vector<HWND> samples = sampleWindows();
    const long long now = clockMicros();
    EnterCriticalSection(&watchLock);
    for (HWND hwnd : samples) {
      RECT r{};
      GetWindowRect(hwnd, &r);
      auto it = watched.begin();
      while (it != watched.end() && it->hwnd != hwnd) ++it;
      if (it == watched.end()) {
        watched.push_back(Watched{hwnd, r, now});
      } else if (!EqualRect(&it->rect, &r)) {
        it->rect = r;
        it->changed = now;
      }
    }
    LeaveCriticalSection(&watchLock);
    Sleep(1);
  }
  return 0;
}

bool watch(bool on) {
  if (on == (watchThread != nullptr)) return false;
  if (on) {
    watched.clear();
    InterlockedExchange(&watching, 1);
    watchThread = CreateThread(nullptr, 0, watchWindows, nullptr, 0, nullptr);
    return watchThread != nullptr;
  }
  InterlockedExchange(&watching, 0);
  WaitForSingleObject(watchThread, INFINITE);
  CloseHandle(watchThread);
  watchThread = nullptr;
  return true;
}

void placedAt(DWORD ms) {
  std::vector<Expected> wanted;
  std::string error;
  if (!readExpected(wanted, error)) {
    reply("error %s", error.c_str());
    return;
  }
  if (watchThread == nullptr) {
    reply("error not watching");
    return;
  }
  if (pollUntil(ms, [&] { return allMatch(wanted); }) < 0) {
    reply("timeout %lu", static_cast<unsigned long>(ms));
    listWindows();
    return;
  }
  // Matched now; the moment each got there is the watch's last change of its rectangle.
  long long last = -1;
  EnterCriticalSection(&watchLock);
  for (const Expected& e : wanted) {
    if (e.foreground || e.minimized) continue;
    HWND hwnd = sampleNamed(e.title);
    for (const Watched& w : watched)
      if (w.hwnd == hwnd && EqualRect(&w.rect, &e.rect) && w.changed > last) last = w.changed;
  }
  LeaveCriticalSection(&watchLock);
  if (last < 0) {
    reply("error the watch has not seen these rectangles yet");
  } else {
    reply("ok %lld", last);
  }
}

// Whether the system tells top-level windows of a new work area: a hidden window of our own listens.
long workAreaChanges = 0;

LRESULT CALLBACK listenerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETTINGCHANGE && wParam == SPI_SETWORKAREA) ++workAreaChanges;
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

void createListener() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = listenerProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "TessellorCtlListener";
  RegisterClassA(&wc);
  CreateWindowExA(0, wc.lpszClassName, "", WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance, nullptr);
}

struct Launched {
  HANDLE process = nullptr;
  HWND window = nullptr;
};
Launched launched;

void forgetLaunched() {
  if (launched.process != nullptr) CloseHandle(launched.process);
  launched = Launched{};
}

// Tessellor shows its icon before its start ends; what the control program sends it must wait for
// that end, as a user's clicks, which are posted, do. Its start sets the status box last; a bare
// dialog (any other title) has none, and its start ends with its icon.
bool startEnded(HWND dialog, DWORD ms) {
  char title[64] = {};
  GetWindowTextA(dialog, title, sizeof title);
  if (std::strcmp(title, "Tessellor") != 0) return true;
  return pollUntil(ms, [&] {
           const HWND box = GetDlgItem(dialog, kStatusBox);
           char text[64] = {};
           return box != nullptr && sendWithin(box, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), ms) &&
                  text[0] != '\0';
         }) >= 0;
}

void launchTray(DWORD ms, const char* exe, const char* className, const char* title, UINT id) {
  forgetLaunched();
  std::string commandLine = std::string("\"") + exe + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  const long long start = clockMicros();
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
    reply("error cannot start %s (%lu)", exe, GetLastError());
    return;
  }
  CloseHandle(info.hThread);
  launched.process = info.hProcess;
  const long long end = pollClosely(ms, [&] {
    if (launched.window == nullptr) {
      HWND hwnd = nullptr;
      while ((hwnd = FindWindowExA(nullptr, hwnd, className, title)) != nullptr) {
        DWORD pid = 0;
        GetWindowThreadProcessId(hwnd, &pid);
        if (pid == info.dwProcessId) launched.window = hwnd;
      }
    }
    return launched.window != nullptr && trayShown(launched.window, id);
  });
  if (end < 0 || !startEnded(launched.window, ms)) {
    reply("timeout %lu", static_cast<unsigned long>(ms));
  } else {
    reply("ok %lld", end - start);
  }
}

// --- keys: the Keys dialog, a held key, what AltGr types ------------------------------------------
//   keys-dialog                 "keys-dialog shown" or "keys-dialog none": the Keys dialog
//   wait-keys-dialog shown|gone MS
//   keys-row N                  "keys-row N WORD MARK": row N's hotkey control (HKM_GETHOTKEY, hex)
//                               and the text of its mark
//   wait-keys-row N WORD MS     polls until row N's hotkey control holds WORD (hex): keys typed into
//                               it are input, which the dialog takes after the messages sent to it
//   focus-key N                 the Keys dialog to the front, the keyboard focus in row N's control
//   keys-command ID             posts WM_COMMAND ID to the Keys dialog (1 OK, 2 Cancel)
//   hold KEY+KEY... N           presses the keys, sends the last one's key-down N times in all as
//                               the keyboard's auto-repeat does, then releases them
//   norepeat-probe              "norepeat-probe without N with M": how many WM_HOTKEY a hotkey of
//                               this program gets for a key held for 4 key-downs, registered without
//                               and with MOD_NOREPEAT
//   altgr-probe                 "altgr-probe LAYOUTS B=TEXT G=TEXT": what ToUnicodeEx answers for
//                               Ctrl+Alt+B and Ctrl+Alt+G on each installed keyboard layout (UTF-16
//                               units in hex, "-" for none)
//   hotkey-free KEY+KEY...      "free" when this program may register the keys (with MOD_NOREPEAT),
//                               "held" when another program holds them
constexpr int kFirstKeyControl = 1100;
constexpr int kFirstKeyMark = 1140;

HWND keysDialog() { return FindWindowExA(nullptr, nullptr, "#32770", "Tessellor Keys"); }

UINT modifiersOf(const std::vector<WORD>& keys) {
  UINT modifiers = 0;
  for (WORD key : keys) {
    if (key == VK_CONTROL) modifiers |= MOD_CONTROL;
    if (key == VK_MENU) modifiers |= MOD_ALT;
    if (key == VK_SHIFT) modifiers |= MOD_SHIFT;
  }
  return modifiers;
}

bool holdKeys(const std::vector<WORD>& keys, unsigned long downs) {
  if (keys.empty() || downs == 0) return false;
  std::vector<INPUT> inputs;
  for (WORD key : keys) inputs.push_back(keyInput(key, 0));
  for (unsigned long i = 1; i < downs; ++i) inputs.push_back(keyInput(keys.back(), 0));
  for (auto it = keys.rbegin(); it != keys.rend(); ++it) inputs.push_back(keyInput(*it, KEYEVENTF_KEYUP));
  return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

// Wine's SendInput hands the input to its server, which posts the hotkeys before it returns; a
// message posted after them therefore arrives after them too.
void noRepeatProbe() {
  constexpr int kRepeating = 0xB001, kNotRepeating = 0xB002;
  constexpr UINT kDone = WM_APP + 9;
  if (!RegisterHotKey(nullptr, kRepeating, MOD_CONTROL | MOD_SHIFT, VK_F9) ||
      !RegisterHotKey(nullptr, kNotRepeating, MOD_CONTROL | MOD_SHIFT | MOD_NOREPEAT, VK_F11)) {
    reply("error RegisterHotKey %lu", GetLastError());
    UnregisterHotKey(nullptr, kRepeating);
    return;
  }
  holdKeys({VK_CONTROL, VK_SHIFT, VK_F9}, 4);
  holdKeys({VK_CONTROL, VK_SHIFT, VK_F11}, 4);
  PostThreadMessageA(GetCurrentThreadId(), kDone, 0, 0);
  int repeating = 0, notRepeating = 0;
  MSG msg{};
  while (GetMessageA(&msg, nullptr, 0, 0) > 0 && msg.message != kDone) {
    if (msg.message == WM_HOTKEY && msg.wParam == kRepeating) ++repeating;
    if (msg.message == WM_HOTKEY && msg.wParam == kNotRepeating) ++notRepeating;
  }
  UnregisterHotKey(nullptr, kRepeating);
  UnregisterHotKey(nullptr, kNotRepeating);
  reply("norepeat-probe without %d with %d", repeating, notRepeating);
}

std::string typedHex(HKL layout, UINT vk) {
  BYTE state[256] = {};
  state[VK_CONTROL] = state[VK_MENU] = 0x80;
  WCHAR typed[8] = {};
  const int n = ToUnicodeEx(vk, MapVirtualKeyExA(vk, MAPVK_VK_TO_VSC, layout), state, typed, 8, 4, layout);
  if (n == 0) return "-";
  std::string hex = n < 0 ? "dead:" : "";
  for (int i = 0; i < (n < 0 ? 1 : n) && i < 8; ++i) {
    char unit[8];
    std::snprintf(unit, sizeof unit, "%s%04X", i > 0 ? "," : "", static_cast<unsigned>(typed[i]));
    hex += unit;
  }
  return hex;
}

void altGrProbe() {
  HKL layouts[16] = {};
  const int n = GetKeyboardLayoutList(16, layouts);
  std::string answer = "altgr-probe " + std::to_string(n);
  for (int i = 0; i < n; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, " %p:", static_cast<void*>(layouts[i]));
    answer += name + std::string("B=") + typedHex(layouts[i], 'B') + " G=" + typedHex(layouts[i], 'G');
  }
  reply("%s", answer.c_str());
}

bool runKeysCommand(const std::string& command, const char* rest) {
  char word[256] = {};
  unsigned long n = 0;
  unsigned int wanted = 0;
  unsigned long ms = 0;
  HWND keys = keysDialog();
  if (command == "keys-dialog") {
    reply(keys != nullptr ? "keys-dialog shown" : "keys-dialog none");
  } else if (command == "wait-keys-dialog" && std::sscanf(rest, "%255s %lu", word, &n) == 2) {
    const bool shown = std::strcmp(word, "shown") == 0;
    // Shown means ready to be worked: the window is found while it is still being made, before its
    // rows exist and before it is visible.
    const auto ready = [] {
      const HWND dialog = keysDialog();
      return dialog != nullptr && IsWindowVisible(dialog) && GetDlgItem(dialog, kFirstKeyControl) != nullptr;
    };
    reply(pollUntil(n, [&] { return shown ? ready() : keysDialog() == nullptr; }) >= 0 ? "ok" : "timeout");
  } else if (command == "keys-row" && std::sscanf(rest, "%lu", &n) == 1 && keys != nullptr) {
    DWORD_PTR hotkey = 0;
    const int id = kFirstKeyControl + static_cast<int>(n);
    if (!sendWithin(GetDlgItem(keys, id), HKM_GETHOTKEY, 0, 0, 5000, &hotkey)) return reply("timeout"), true;
    char mark[256] = {};
    GetDlgItemTextA(keys, kFirstKeyMark + static_cast<int>(n), mark, sizeof mark);
    reply("keys-row %lu %04X %s", n, static_cast<unsigned>(hotkey & 0xFFFF), mark);
  } else if (command == "wait-keys-row" && std::sscanf(rest, "%lu %x %lu", &n, &wanted, &ms) == 3) {
    const long long took = pollUntil(ms, [&] {
      DWORD_PTR hotkey = 0;
      const HWND open = keysDialog();
      return open != nullptr &&
             sendWithin(GetDlgItem(open, kFirstKeyControl + static_cast<int>(n)), HKM_GETHOTKEY, 0, 0, 1000, &hotkey) &&
             (hotkey & 0xFFFF) == wanted;
    });
    if (took >= 0) {
      reply("ok %lld", took);
    } else {
      reply("timeout %lu", ms);
    }
  } else if (command == "focus-key" && std::sscanf(rest, "%lu", &n) == 1 && keys != nullptr) {
    SetForegroundWindow(keys);
    const HWND control = GetDlgItem(keys, kFirstKeyControl + static_cast<int>(n));
    sendWithin(keys, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE, 5000);
    reply(GetForegroundWindow() == keys ? "ok" : "error the Keys dialog is not in front");
  } else if (command == "keys-command" && std::sscanf(rest, "%lu", &n) == 1 && keys != nullptr) {
    reply(PostMessageA(keys, WM_COMMAND, n, 0) ? "ok" : "error PostMessage");
  } else if (command == "hold" && std::sscanf(rest, "%255s %lu", word, &n) == 2) {
    reply(holdKeys(keysOf(word), n) ? "ok" : "error bad keys");
  } else if (command == "norepeat-probe") {
    noRepeatProbe();
  } else if (command == "altgr-probe") {
    altGrProbe();
  } else if (command == "hotkey-free" && std::sscanf(rest, "%255s", word) == 1) {
    const std::vector<WORD> combination = keysOf(word);
    if (combination.empty()) return reply("error bad keys"), true;
    constexpr int kProbe = 0xB003;
    if (RegisterHotKey(nullptr, kProbe, modifiersOf(combination) | MOD_NOREPEAT, combination.back())) {
      UnregisterHotKey(nullptr, kProbe);
      reply("free");
    } else {
      reply("held");
    }
  } else {
    return false;
  }
  return true;
}

// ---- The "Tessellor Windows" dialog and the tray menu, from outside --------------------------------
//   set-text ID TEXT            sets the main dialog's control ID to TEXT, the rest of the line, as
//                               typing into it does
//   wait-windows-dialog shown|gone MS
//                               polls until the "Tessellor Windows" dialog is shown with its list, or
//                               is gone; shown answers "ok L T R B l t r b": the dialog's rectangle and
//                               its list view's
//   windows-rows                its list view's rows, "row PROGRAM<tab>TITLE<tab>WHAT", then "rows N"
//   windows-command ID          posts WM_COMMAND ID to it (1202 Copy, 2 Close)
//   clipboard                   the clipboard's text (CF_TEXT), "clip LINE" for each line, then "clips N";
//                               "clipboard none" when it holds none
//   front TITLE                 makes the top-level window of that title, of any class, the foreground
//                               window and polls until it is
//   rect TITLE                  "rect L T R B" of the top-level window of that title, or "rect none"
//   close-titled TITLE          WM_CLOSE to it
//   front-away                  makes a tool window of this program the foreground window and reports
//                               it so (EVENT_SYSTEM_FOREGROUND), as the taskbar takes the focus when its
//                               icon is clicked on Windows
//   tray-menu                   the tray icon's right click, as the shell posts it to the main dialog
//   wait-menu shown|gone MS     polls until a popup menu (window class #32768) is shown, or none is
//   menu-keys N                 presses Down N times and Enter with SendInput: picks the Nth item of a
//                               menu that has none selected
constexpr UINT kTrayMessage = WM_APP + 1;
constexpr int kWindowsList = 1200;
constexpr int kItemTextMax = 512;

HWND windowsDialog() { return FindWindowExA(nullptr, nullptr, "#32770", "Tessellor Windows"); }

bool menuShown() {
  HWND hwnd = nullptr;
  while ((hwnd = FindWindowExA(nullptr, hwnd, "#32768", nullptr)) != nullptr)
    if (IsWindowVisible(hwnd)) return true;
  return false;
}

// A pointer of this process means nothing in the list's: the LVITEMA and the buffer it names are
// written and read in memory of the list's own process.
bool remoteItemText(HWND list, HANDLE process, char* remote, int item, int subItem, std::string& text) {
  LVITEMA lv{};
  lv.iSubItem = subItem;
  lv.cchTextMax = kItemTextMax;
  lv.pszText = remote + sizeof lv;
  if (!WriteProcessMemory(process, remote, &lv, sizeof lv, nullptr)) return false;
  DWORD_PTR length = 0;
  if (!sendWithin(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(remote), 5000, &length)) {
    return false;
  }
  char buffer[kItemTextMax] = {};
  if (!ReadProcessMemory(process, remote + sizeof lv, buffer, sizeof buffer, nullptr)) return false;
  buffer[kItemTextMax - 1] = '\0';
  text = buffer;
  return length == text.size();
}

void windowsRows(HWND dialog) {
  HWND list = dialog != nullptr ? GetDlgItem(dialog, kWindowsList) : nullptr;
  DWORD pid = 0;
  if (list == nullptr || GetWindowThreadProcessId(list, &pid) == 0) return reply("error no list");
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (process == nullptr) return reply("error OpenProcess %lu", GetLastError());
  DWORD_PTR count = 0;
  auto* remote = static_cast<char*>(
      VirtualAllocEx(process, nullptr, sizeof(LVITEMA) + kItemTextMax, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  std::vector<std::string> rows;
  std::string error;
  if (remote == nullptr) {
    error = "VirtualAllocEx " + std::to_string(GetLastError());
  } else if (!sendWithin(list, LVM_GETITEMCOUNT, 0, 0, 5000, &count)) {
    error = "LVM_GETITEMCOUNT timed out";
  }
  for (int item = 0; error.empty() && item < static_cast<int>(count); ++item) {
    std::string row, text;
    for (int sub = 0; sub < 3 && error.empty(); ++sub) {
      if (!remoteItemText(list, process, remote, item, sub, text)) error = "item " + std::to_string(item) + " unread";
      row += (sub > 0 ? "\t" : "") + text;
    }
    rows.push_back(row);
  }
  if (remote != nullptr) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  if (!error.empty()) return reply("error %s", error.c_str());
  for (const std::string& row : rows) reply("row %s", row.c_str());
  reply("rows %zu", rows.size());
}

void clipboardText() {
  if (!OpenClipboard(nullptr)) return reply("error OpenClipboard %lu", GetLastError());
  HANDLE data = GetClipboardData(CF_TEXT);
  const char* text = data != nullptr ? static_cast<const char*>(GlobalLock(data)) : nullptr;
  if (text == nullptr) {
    reply("clipboard none");
  } else {
    std::size_t lines = 0;
    for (const char* at = text; *at != '\0';) {
      const std::size_t length = std::strcspn(at, "\r\n");
      reply("clip %s", std::string(at, length).c_str());
      ++lines;
      at += length;
      if (*at == '\r') ++at;
      if (*at == '\n') ++at;
    }
    reply("clips %zu", lines);
    GlobalUnlock(data);
  }
  CloseClipboard();
}

// A stand-in for the taskbar: a shown tool window of another program, one pixel in a corner, which
// the program must not take for an application window.
HWND awayWindow() {
  static HWND away = nullptr;
  if (away == nullptr) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TessellorCtlAway";
    RegisterClassA(&wc);
    away = CreateWindowExA(WS_EX_TOOLWINDOW, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, 0, 0, 1, 1, nullptr, nullptr,
                           wc.hInstance, nullptr);
  }
  return away;
}

bool pressMenuKeys(unsigned long downs) {
  std::vector<INPUT> inputs;
  for (unsigned long i = 0; i < downs; ++i) {
    inputs.push_back(keyInput(VK_DOWN, 0));
    inputs.push_back(keyInput(VK_DOWN, KEYEVENTF_KEYUP));
  }
  inputs.push_back(keyInput(VK_RETURN, 0));
  inputs.push_back(keyInput(VK_RETURN, KEYEVENTF_KEYUP));
  return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

bool runWindowsDialogCommand(const std::string& command, const char* rest) {
  char word[256] = {};
  unsigned long n = 0;
  int used = 0;
  const std::string title = rest + std::strspn(rest, " \t");
  const HWND dialog = mainDialog();
  const HWND windows = windowsDialog();
  if (command == "set-text" && dialog != nullptr && std::sscanf(rest, "%lu %n", &n, &used) == 1) {
    const bool set =
        sendWithin(GetDlgItem(dialog, static_cast<int>(n)), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(rest + used), 5000);
    reply(set ? "ok" : "timeout");
  } else if (command == "wait-windows-dialog" && std::sscanf(rest, "%255s %lu", word, &n) == 2) {
    const bool shown = std::strcmp(word, "shown") == 0;
    // Shown means ready to be read: the dialog is found while it is still being made.
    const auto ready = [] {
      const HWND open = windowsDialog();
      return open != nullptr && IsWindowVisible(open) && GetDlgItem(open, kWindowsList) != nullptr;
    };
    if (pollUntil(n, [&] { return shown ? ready() : windowsDialog() == nullptr; }) < 0) return reply("timeout"), true;
    if (!shown) return reply("ok"), true;
    RECT whole{}, list{};
    GetWindowRect(windowsDialog(), &whole);
    GetWindowRect(GetDlgItem(windowsDialog(), kWindowsList), &list);
    reply("ok %ld %ld %ld %ld %ld %ld %ld %ld", whole.left, whole.top, whole.right, whole.bottom, list.left, list.top,
          list.right, list.bottom);
  } else if (command == "windows-rows") {
    windowsRows(windows);
  } else if (command == "windows-command" && std::sscanf(rest, "%lu", &n) == 1 && windows != nullptr) {
    reply(PostMessageA(windows, WM_COMMAND, n, 0) ? "ok" : "error PostMessage");
  } else if (command == "clipboard") {
    clipboardText();
  } else if (command == "front" && !title.empty()) {
    HWND hwnd = FindWindowA(nullptr, title.c_str());
    if (hwnd == nullptr) return reply("error no window %s", title.c_str()), true;
    SetForegroundWindow(hwnd);
    reply(pollUntil(5000, [&] { return GetForegroundWindow() == hwnd; }) >= 0 ? "ok" : "timeout");
  } else if (command == "rect" && !title.empty()) {
    HWND hwnd = FindWindowA(nullptr, title.c_str());
    RECT r{};
    if (hwnd == nullptr || !GetWindowRect(hwnd, &r)) return reply("rect none"), true;
    reply("rect %ld %ld %ld %ld", r.left, r.top, r.right, r.bottom);
  } else if (command == "close-titled" && !title.empty()) {
    HWND hwnd = FindWindowA(nullptr, title.c_str());
    reply(hwnd != nullptr && PostMessageA(hwnd, WM_CLOSE, 0, 0) ? "ok" : "error no window");
  } else if (command == "front-away") {
    HWND away = awayWindow();
    SetForegroundWindow(away);
    const bool front = pollUntil(5000, [&] { return GetForegroundWindow() == away; }) >= 0;
    // Wine tells a thread of the event hooks set elsewhere only when it next looks for messages, and
    // raises no event for a thread that knows of none.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    if (front) NotifyWinEvent(EVENT_SYSTEM_FOREGROUND, away, OBJID_WINDOW, CHILDID_SELF);
    reply(front ? "ok" : "timeout");
  } else if (command == "tray-menu" && dialog != nullptr) {
    reply(PostMessageA(dialog, kTrayMessage, kTrayIconId, WM_RBUTTONDOWN) ? "ok" : "error PostMessage");
  } else if (command == "wait-menu" && std::sscanf(rest, "%255s %lu", word, &n) == 2) {
    const bool shown = std::strcmp(word, "shown") == 0;
    reply(pollUntil(n, [&] { return menuShown() == shown; }) >= 0 ? "ok" : "timeout");
  } else if (command == "menu-keys" && std::sscanf(rest, "%lu", &n) == 1) {
    reply(pressMenuKeys(n) ? "ok" : "error SendInput");
  } else {
    return false;
  }
  return true;
}

// ---- Placements and the program's end from outside ------------------------------------------------

// A string of the version resource's first translation.
std::string versionString(const std::vector<char>& block, const char* name) {
  struct Translation {
    WORD language;
    WORD codePage;
  }* translation = nullptr;
  UINT size = 0;
  if (!VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &size) ||
      size < sizeof *translation) {
    return "";
  }
  char path[128];
  std::snprintf(path, sizeof path, "\\StringFileInfo\\%04x%04x\\%s", translation->language, translation->codePage,
                name);
  char* value = nullptr;
  if (!VerQueryValueA(block.data(), path, reinterpret_cast<void**>(&value), &size) || value == nullptr) return "";
  return std::string(value);
}

void fileVersion(const char* path) {
  DWORD ignored = 0;
  const DWORD bytes = GetFileVersionInfoSizeA(path, &ignored);
  std::vector<char> block(bytes);
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT size = 0;
  if (bytes == 0 || !GetFileVersionInfoA(path, 0, bytes, block.data()) ||
      !VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &size) || size < sizeof *fixed) {
    reply("file-version none");
    return;
  }
  std::string fields;
  for (const char* name :
       {"FileVersion", "ProductVersion", "CompanyName", "ProductName", "LegalCopyright", "FileDescription"}) {
    fields += "|" + versionString(block, name);
  }
  reply("file-version %lu.%lu.%lu.%lu%s", HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
        HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS), fields.c_str());
}

std::string productInfo(const char* code, const char* property) {
  char value[MAX_PATH] = {};
  DWORD size = sizeof value;
  return MsiGetProductInfoA(code, property, value, &size) == ERROR_SUCCESS ? std::string(value) : std::string();
}

void product(const char* code) {
  const std::string name = productInfo(code, "InstalledProductName");
  if (name.empty()) {
    reply("product none");
    return;
  }
  const std::string icon = productInfo(code, "ProductIcon");
  const bool iconFile = !icon.empty() && GetFileAttributesA(icon.c_str()) != INVALID_FILE_ATTRIBUTES;
  reply("product %s|%s|%s|%s|icon-file %s", name.c_str(), productInfo(code, "VersionString").c_str(),
        productInfo(code, "Publisher").c_str(), icon.c_str(), iconFile ? "yes" : "no");
}

void uninstallEntry(const char* code) {
  const std::string key = std::string("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\") + code;
  const std::pair<HKEY, const char*> hives[] = {{HKEY_CURRENT_USER, "HKCU"}, {HKEY_LOCAL_MACHINE, "HKLM"}};
  for (const auto& [hive, name] : hives) {
    std::string fields;
    bool found = false;
    for (const char* value : {"DisplayName", "DisplayVersion", "Publisher"}) {
      char data[MAX_PATH] = {};
      DWORD size = sizeof data;
      const bool read = RegGetValueA(hive, key.c_str(), value, RRF_RT_REG_SZ, nullptr, data, &size) == ERROR_SUCCESS;
      found = found || read;
      fields += (fields.empty() ? "" : "|") + std::string(data);
    }
    if (found) {
      reply("uninstall-entry %s %s", name, fields.c_str());
      return;
    }
  }
  reply("uninstall-entry none");
}

const char* stateOf(HWND hwnd) { return IsIconic(hwnd) ? "minimized" : IsZoomed(hwnd) ? "maximized" : "normal"; }

std::string placementOf(HWND hwnd) {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  GetWindowPlacement(hwnd, &placement);
  const RECT& r = placement.rcNormalPosition;
  char line[512];
  std::snprintf(line, sizeof line, "placement %s %s %ld %ld %ld %ld", titleOf(hwnd).c_str(), stateOf(hwnd), r.left,
                r.top, r.right, r.bottom);
  return line;
}

void listPlacements() {
  for (HWND hwnd : sampleWindows(true)) reply("%s", placementOf(hwnd).c_str());
}

struct ExpectedPlacement {
  std::string title;
  std::string state;
  bool hasRect = false;
  RECT rect{};
};

void expectPlacements(DWORD ms) {
  std::vector<ExpectedPlacement> wanted;
  std::string error;
  char line[512];
  while (std::fgets(line, sizeof line, stdin) != nullptr && std::strncmp(line, ".", 1) != 0) {
    ExpectedPlacement e;
    char title[256] = {}, state[64] = {};
    const int n = std::sscanf(line, "%255s %63s %ld %ld %ld %ld", title, state, &e.rect.left, &e.rect.top,
                              &e.rect.right, &e.rect.bottom);
    if (n != 2 && n != 6 && error.empty()) error = "unparsable expected placement: " + std::string(line);
    e.title = title;
    e.state = state;
    e.hasRect = n == 6;
    wanted.push_back(e);
  }
  if (error.empty() && wanted.empty()) error = "no expected placement";
  if (!error.empty()) {
    reply("error %s", error.c_str());
    return;
  }
  const auto holds = [&] {
    for (const ExpectedPlacement& e : wanted) {
      HWND hwnd = sampleNamed(e.title, true);
      if (hwnd == nullptr || e.state != stateOf(hwnd)) return false;
      WINDOWPLACEMENT placement{};
      placement.length = sizeof placement;
      GetWindowPlacement(hwnd, &placement);
      const RECT& r = placement.rcNormalPosition;
      if (e.hasRect &&
          (r.left != e.rect.left || r.top != e.rect.top || r.right != e.rect.right || r.bottom != e.rect.bottom)) {
        return false;
      }
    }
    return true;
  };
  const long long elapsed = pollUntil(ms, holds);
  if (elapsed >= 0) {
    reply("ok %lld", elapsed);
  } else {
    reply("timeout %lu", static_cast<unsigned long>(ms));
    listPlacements();
  }
}

void killProgram(HWND dialog, DWORD ms) {
  DWORD pid = 0;
  if (dialog == nullptr || GetWindowThreadProcessId(dialog, &pid) == 0) {
    reply("error no program");
    return;
  }
  HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
  if (process == nullptr) {
    reply("error cannot open %lu", GetLastError());
    return;
  }
  const bool killed = TerminateProcess(process, 1) != FALSE && WaitForSingleObject(process, ms) == WAIT_OBJECT_0;
  CloseHandle(process);
  reply(killed ? "ok" : "timeout");
}

void run(const std::string& command, const char* rest) {
  if (runKeysCommand(command, rest)) return;
  if (runWindowsDialogCommand(command, rest)) return;
  char word[256] = {};
  char word2[256] = {};
  unsigned long n = 0;
  unsigned long m = 0;
  unsigned long k = 0;
  unsigned long j = 0;
  HWND dialog = mainDialog();
  if (command == "dialog") {
    if (dialog == nullptr) {
      reply("dialog none");
    } else {
      reply("dialog %p %s %zu", static_cast<void*>(dialog), IsWindowVisible(dialog) ? "shown" : "hidden",
            mainDialogs().size());
    }
  } else if (command == "wait-dialog" && std::sscanf(rest, "%255s %lu", word, &n) == 2) {
    reply(waitDialog(word, n) ? "ok" : "timeout");
  } else if (command == "wait-log" && std::sscanf(rest, "%255s %255s %lu %lu", word, word2, &n, &m) == 4) {
    // The prefix may hold blanks, written as underscores.
    std::string prefix = word2;
    for (char& c : prefix)
      if (c == '_') c = ' ';
    waitLog(word, prefix, n, m);
  } else if (command == "wait-file" && std::sscanf(rest, "%255s %lu", word, &n) == 2) {
    waitLog(word, "", 1, n);
  } else if (command == "metrics") {
    MONITORINFO primary{};
    primary.cbSize = sizeof primary;
    GetMonitorInfoA(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &primary);
    const RECT& work = primary.rcWork;
    reply("metrics %d %d %d %d work %ld %ld %ld %ld primary %ld %ld", GetSystemMetrics(SM_CXMAXIMIZED),
          GetSystemMetrics(SM_CYMAXIMIZED), GetSystemMetrics(SM_CXMIN), GetSystemMetrics(SM_CYMIN), work.left, work.top,
          work.right, work.bottom, primary.rcMonitor.right - primary.rcMonitor.left,
          primary.rcMonitor.bottom - primary.rcMonitor.top);
  } else if (command == "set-workarea" && std::sscanf(rest, "%lu %lu %lu %lu", &n, &m, &k, &j) == 4) {
    RECT area{static_cast<LONG>(n), static_cast<LONG>(m), static_cast<LONG>(k), static_cast<LONG>(j)};
    const long before = workAreaChanges;
    if (SystemParametersInfoA(SPI_SETWORKAREA, 0, &area, SPIF_SENDCHANGE)) {
      // A notice posted rather than sent waits in this thread's queue.
      MSG msg;
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
      RECT now{};
      SystemParametersInfoA(SPI_GETWORKAREA, 0, &now, 0);
      reply("ok %ld %ld %ld %ld %ld", now.left, now.top, now.right, now.bottom, workAreaChanges - before);
    } else {
      reply("error %lu", GetLastError());
    }
  } else if (command == "visible" && std::sscanf(rest, "%255s", word) == 1) {
    HWND hwnd = sampleNamed(word, true);
    if (hwnd == nullptr) {
      reply("error no window %s", word);
    } else {
      reply("visible %d", IsWindowVisible(hwnd) ? 1 : 0);
    }
  } else if (command == "windows") {
    listWindows();
  } else if (command == "others") {
    listOthers();
  } else if (command == "wait-windows" && std::sscanf(rest, "%lu %255s", &n, word) == 2) {
    const std::size_t count = n;
    reply(pollUntil(std::strtoul(word, nullptr, 10), [&] { return sampleWindows().size() == count; }) >= 0 ? "ok"
                                                                                                           : "timeout");
  } else if (command == "barrier" && std::sscanf(rest, "%lu", &n) == 1) {
    reply(barrier(dialog, n) ? "ok" : "timeout");
  } else if (command == "wait-settled" && std::sscanf(rest, "%lu", &n) == 1) {
    // A fresh Wine prefix may still be stacking new windows after they are shown; the order the
    // program enumerates must be the order the simulator is given.
    reply(pollUntil(n,
                    [] {
                      const std::vector<HWND> samples = sampleWindows();
                      return !samples.empty() && samples.front() == GetForegroundWindow();
                    }) >= 0
              ? "ok"
              : "timeout");
  } else if (command == "expect" && std::sscanf(rest, "%lu", &n) == 1) {
    expect(n);
  } else if (command == "time-key" && std::sscanf(rest, "%lu %255s", &n, word) == 2) {
    timeKey(n, word);
  } else if (command == "place-each" && std::sscanf(rest, "%lu", &n) == 1) {
    placeEach(n);
  } else if (command == "place-together" && std::sscanf(rest, "%lu", &n) == 1) {
    placeTogether(n);
  } else if (command == "keys-while-placing" && std::sscanf(rest, "%lu %255s %255s", &n, word, word2) == 3) {
    keysWhilePlacing(n, word, word2);
  } else if (command == "watch" && std::sscanf(rest, "%255s", word) == 1) {
    reply(watch(std::strcmp(word, "on") == 0) ? "ok" : "error already so");
  } else if (command == "placed-at" && std::sscanf(rest, "%lu", &n) == 1) {
    placedAt(n);
  } else if (command == "wait-cursor" && std::sscanf(rest, "%lu %lu %lu", &n, &m, &k) == 3) {
    const long long elapsed = pollUntil(static_cast<DWORD>(k), [&] {
      POINT p{};
      return GetCursorPos(&p) && p.x == static_cast<long>(n) && p.y == static_cast<long>(m);
    });
    reply(elapsed >= 0 ? "ok" : "timeout");
  } else if (command == "launch-tray") {
    char exe[MAX_PATH] = {};
    unsigned id = 0;
    if (std::sscanf(rest, "%lu %259s %255s %255s %u", &n, exe, word, word2, &id) == 5) {
      launchTray(n, exe, word, word2, id);
    } else {
      reply("error usage: launch-tray MS EXE CLASS TITLE ID");
    }
  } else if (command == "post-close") {
    reply(launched.window != nullptr && PostMessageA(launched.window, WM_CLOSE, 0, 0) ? "ok" : "error no window");
  } else if (command == "wait-exit" && std::sscanf(rest, "%lu", &n) == 1) {
    if (launched.process == nullptr) {
      reply("error nothing launched");
    } else {
      const bool ended = WaitForSingleObject(launched.process, n) == WAIT_OBJECT_0;
      if (ended) forgetLaunched();
      reply(ended ? "ok" : "timeout");
    }
  } else if (command == "key" && std::sscanf(rest, "%255s", word) == 1) {
    reply(pressKeys(word) ? "ok" : "error bad keys");
  } else if (command == "auto" && std::sscanf(rest, "%255s", word) == 1 && dialog != nullptr) {
    HWND box = GetDlgItem(dialog, kAutoAddBox);
    sendWithin(box, BM_SETCHECK, std::strcmp(word, "on") == 0 ? BST_CHECKED : BST_UNCHECKED, 0, 5000);
    const bool ok =
        sendWithin(dialog, WM_COMMAND, MAKEWPARAM(kAutoAddBox, BN_CLICKED), reinterpret_cast<LPARAM>(box), 5000);
    reply(ok ? "ok" : "timeout");
  } else if (command == "command" && std::sscanf(rest, "%lu", &n) == 1 && dialog != nullptr) {
    reply(PostMessageA(dialog, WM_COMMAND, n, 0) ? "ok" : "error cannot post");
  } else if (command == "post" && std::sscanf(rest, "%255s %255s %lu", word, word2, &n) >= 2) {
    postToSample(word, word2, n);
  } else if (command == "wait-hung" && std::sscanf(rest, "%255s %lu", word, &n) == 2) {
    const std::string title = word;
    const long long elapsed = pollUntil(n, [&] {
      HWND hwnd = sampleNamed(title);
      return hwnd != nullptr && IsHungAppWindow(hwnd);
    });
    if (elapsed >= 0) {
      reply("ok %lld", elapsed);
    } else {
      reply("timeout");
    }
  } else if (command == "ping" && std::sscanf(rest, "%lu", &n) == 1 && dialog != nullptr) {
    const ULONGLONG start = GetTickCount64();
    const bool ok = sendWithin(dialog, WM_NULL, 0, 0, n);
    reply(ok ? "ok %llu" : "timeout %llu", GetTickCount64() - start);
  } else if (command == "status" && dialog != nullptr) {
    char text[128] = {};
    sendWithin(GetDlgItem(dialog, kStatusBox), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), 5000);
    reply("status \"%s\"", text);
  } else if (command == "tray" && dialog != nullptr) {
    reply(trayShown(dialog) ? "tray shown" : "tray none");
  } else if (command == "wait-tray" && std::sscanf(rest, "%255s %lu", word, &n) == 2 && dialog != nullptr) {
    const bool shown = std::strcmp(word, "shown") == 0;
    const bool so = pollUntil(n, [&] { return trayShown(dialog) == shown; }) >= 0;
    reply(so && (!shown || startEnded(dialog, n)) ? "ok" : "timeout");
  } else if (command == "tray-delete" && dialog != nullptr) {
    NOTIFYICONDATAA icon{};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = dialog;
    icon.uID = kTrayIconId;
    reply(Shell_NotifyIconA(NIM_DELETE, &icon) ? "ok" : "error");
  } else if (command == "taskbar-created" && dialog != nullptr) {
    reply(PostMessageA(dialog, RegisterWindowMessageA("TaskbarCreated"), 0, 0) ? "ok" : "error");
  } else if (command == "exe-path" && dialog != nullptr) {
    DWORD pid = 0;
    GetWindowThreadProcessId(dialog, &pid);
    char path[MAX_PATH] = {};
    DWORD size = sizeof path;
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (process != nullptr) {
      QueryFullProcessImageNameA(process, 0, path, &size);
      CloseHandle(process);
    }
    reply("exe-path %s", path);
  } else if (command == "run-value") {
    // Read here rather than by a new `wine reg` process, which a fresh prefix may keep waiting.
    char data[MAX_PATH + 3] = {};
    DWORD size = sizeof data - 1;
    const LSTATUS status = RegGetValueA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                                        "Tessellor", RRF_RT_REG_SZ, nullptr, data, &size);
    if (status == ERROR_SUCCESS) {
      reply("run-value %s", data);
    } else {
      reply("run-value none");
    }
  } else if (command == "file-version" && std::sscanf(rest, " %255[^\n]", word) == 1) {
    fileVersion(word);
  } else if (command == "product" && std::sscanf(rest, "%255s", word) == 1) {
    product(word);
  } else if (command == "uninstall-entry" && std::sscanf(rest, "%255s", word) == 1) {
    uninstallEntry(word);
  } else if (command == "placements") {
    listPlacements();
  } else if (command == "expect-placements" && std::sscanf(rest, "%lu", &n) == 1) {
    expectPlacements(n);
  } else if (command == "kill-program" && std::sscanf(rest, "%lu", &n) == 1 && dialog != nullptr) {
    killProgram(dialog, n);
  } else if (dialog == nullptr && command != "quit") {
    reply("error no dialog");
  } else {
    reply("error bad command %s", command.c_str());
  }
}

}  // namespace

int main() {
  // Plain line ends for the script that reads us.
  _setmode(_fileno(stdout), _O_BINARY);
  InitializeCriticalSection(&watchLock);
  createListener();
  char line[512];
  while (std::fgets(line, sizeof line, stdin) != nullptr) {
    line[std::strcspn(line, "\r\n")] = '\0';
    char command[64] = {};
    int used = 0;
    if (std::sscanf(line, "%63s%n", command, &used) != 1) continue;
    if (std::strcmp(command, "quit") == 0) break;
    run(command, line + used);
    done();
  }
  if (watchThread != nullptr) watch(false);
  return 0;
}
