// tessellor-sampler.exe: the sample application of the end-to-end run. It opens top-level windows
// with given titles, rectangles, minimum track sizes and colours, and logs what happens to them.
//
//   tessellor-sampler.exe [--threads] [--answer-ms N] LOGFILE WINDOW...
//   WINDOW: TITLE,LEFT,TOP,WIDTH,HEIGHT,MINWIDTH,MINHEIGHT,RRGGBB[,OPTION...]
//
// OPTION: "fixed", a window without a sizing border (no WS_THICKFRAME); "aside", a window of the
// class TessellorAside, which the control program's commands for sample windows leave out, so
// that its title may hold blanks and the harness's count of sample windows stays as it is; "front",
// a window that raises EVENT_SYSTEM_FOREGROUND when it is activated, as Windows does natively (the
// other sample windows leave the program's scenarios without such reports).
//
// --threads opens each window on a thread of its own, so that one window's thread can be busy
// while the others answer. --answer-ms N makes every window take N ms to answer a placement: it
// sleeps in WM_WINDOWPOSCHANGING whenever its position or size is to change.
//
// Log lines: "ready PID", "event NAME TITLE L T R B MICROSECONDS", "entersizemove TITLE",
// "exitsizemove TITLE MICROSECONDS", "hang TITLE MS", "awake TITLE", and with --answer-ms
// "slow TITLE FROM TO" (the moments the sleep began and ended); hiding and showing log as events
// ("event hide ...", "event show ...").
//
// Wine's window system raises no out-of-context WinEvents for moves, size ends, minimise, maximise,
// restore or destroy, but events that a process raises for its own windows with NotifyWinEvent do
// reach other processes. So this program raises the events Windows raises natively, and msghook.dll
// and tessellor.exe run exactly as they do on Windows.
#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tests/e2e/clockMicros.h"

namespace {

// Posted to itself after WM_EXITSIZEMOVE, so that the event follows the final placement: Wine sizes
// the window after WM_EXITSIZEMOVE when it drags outlines.
constexpr UINT kMoveSizeEnded = WM_APP + 1;
// Posted by the control program: the window's thread sleeps wParam milliseconds.
constexpr UINT kHang = WM_APP + 2;
// Posted by the control program: the window hides itself (wParam 0), as a program closing to the
// notification area does, or shows itself again without activation (wParam 1).
constexpr UINT kShow = WM_APP + 3;

const char kClassName[] = "TessellorSample";
const char kAsideClassName[] = "TessellorAside";

struct Sample {
  std::string title;
  RECT start{};
  POINT minTrack{};
  COLORREF colour = 0;
  HBRUSH brush = nullptr;
  bool minimized = false;
  bool maximized = false;
  bool fixed = false;
  bool aside = false;
  bool front = false;
};

struct Options {
  bool threads = false;
  DWORD answerMs = 0;
};
Options options;

std::FILE* logFile = nullptr;
// Windows on threads of their own log at the same time; each line is written whole.
CRITICAL_SECTION logLock;
HFONT titleFont = nullptr;
int openWindows = 0;  // on the one thread, without --threads

void logLine(const char* format, ...) {
  if (logFile == nullptr) return;
  char line[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(line, sizeof line, format, args);
  va_end(args);
  EnterCriticalSection(&logLock);
  std::fprintf(logFile, "%s\n", line);
  std::fflush(logFile);
  LeaveCriticalSection(&logLock);
}

Sample* sampleOf(HWND hwnd) { return reinterpret_cast<Sample*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)); }

// Each event line ends with the moment it was raised, so that the program's reaction can be timed.
void raise(HWND hwnd, DWORD event, const char* name) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  const long long at = clockMicros();
  logLine("event %s %s %ld %ld %ld %ld %lld", name, sampleOf(hwnd)->title.c_str(), r.left, r.top, r.right, r.bottom,
          at);
  NotifyWinEvent(event, hwnd, OBJID_WINDOW, CHILDID_SELF);
}

// The state changes Windows reports: minimise start and end, and a location change on maximise
// and on the restore that undoes it.
void followState(HWND hwnd, Sample& s, WPARAM kind) {
  const bool minimized = kind == SIZE_MINIMIZED;
  const bool maximized = kind == SIZE_MAXIMIZED;
  if (minimized && !s.minimized) {
    s.minimized = true;
    raise(hwnd, EVENT_SYSTEM_MINIMIZESTART, "minimizestart");
    return;
  }
  if (!minimized && s.minimized) {
    s.minimized = false;
    raise(hwnd, EVENT_SYSTEM_MINIMIZEEND, "minimizeend");
  }
  if (!minimized && maximized != s.maximized) {
    s.maximized = maximized;
    raise(hwnd, EVENT_OBJECT_LOCATIONCHANGE, maximized ? "maximize" : "restore");
  }
}

void paint(HWND hwnd, Sample& s) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT client{};
  GetClientRect(hwnd, &client);
  FillRect(dc, &client, s.brush);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(255, 255, 255));
  HGDIOBJ old = SelectObject(dc, titleFont);
  DrawTextA(dc, s.title.c_str(), -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, old);
  EndPaint(hwnd, &ps);
}

LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Sample* s = sampleOf(hwnd);
  if (message == WM_NCCREATE) {
    s = static_cast<Sample*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(s));
  }
  if (s == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      info->ptMinTrackSize = s->minTrack;
      // No upper bound: the simulated desktop has none either.
      info->ptMaxTrackSize = POINT{100000, 100000};
      return 0;
    }
    case WM_PAINT:
      paint(hwnd, *s);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SIZE:
      followState(hwnd, *s, wParam);
      return 0;
    case WM_WINDOWPOSCHANGING: {
      // A placement, not a change of the z-order or of visibility alone.
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
      if (options.answerMs > 0 && (pos->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)) {
        const long long from = clockMicros();
        Sleep(options.answerMs);
        logLine("slow %s %lld %lld", s->title.c_str(), from, clockMicros());
      }
      return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    case WM_KEYDOWN:
      // Which keys reach a sample window and not a hotkey: "keydown TITLE VK" and the modifiers held.
      logLine("keydown %s %02X%s%s", s->title.c_str(), static_cast<unsigned>(wParam),
              GetKeyState(VK_CONTROL) < 0 ? " ctrl" : "", GetKeyState(VK_MENU) < 0 ? " alt" : "");
      return 0;
    case WM_ACTIVATE:
      if (s->front && LOWORD(wParam) != WA_INACTIVE) raise(hwnd, EVENT_SYSTEM_FOREGROUND, "foreground");
      return DefWindowProcA(hwnd, message, wParam, lParam);
    case WM_ENTERSIZEMOVE:
      // The harness moves the mouse on only once the drag has begun: earlier moves can be taken
      // twice by the move loop.
      logLine("entersizemove %s", s->title.c_str());
      return 0;
    case WM_EXITSIZEMOVE:
      // The release itself: msghook.dll sees this message, and the program may act on it, before
      // the event below is raised.
      logLine("exitsizemove %s %lld", s->title.c_str(), clockMicros());
      PostMessageA(hwnd, kMoveSizeEnded, 0, 0);
      return 0;
    case kMoveSizeEnded:
      raise(hwnd, EVENT_SYSTEM_MOVESIZEEND, "movesizeend");
      return 0;
    case kHang:
      logLine("hang %s %u", s->title.c_str(), static_cast<unsigned>(wParam));
      Sleep(static_cast<DWORD>(wParam));
      logLine("awake %s", s->title.c_str());
      return 0;
    case kShow:
      ShowWindow(hwnd, wParam != 0 ? SW_SHOWNA : SW_HIDE);
      raise(hwnd, wParam != 0 ? EVENT_OBJECT_SHOW : EVENT_OBJECT_HIDE, wParam != 0 ? "show" : "hide");
      return 0;
    case WM_CLOSE:
      raise(hwnd, EVENT_OBJECT_DESTROY, "destroy");
      DestroyWindow(hwnd);
      return 0;
    case WM_DESTROY:
      if (options.threads || --openWindows == 0) PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

// The words after the eighth comma; a word this program does not know is an error, not ignored.
bool parseOptions(const char* text, Sample& s) {
  const char* at = text;
  for (int commas = 0; commas < 8; ++commas) {
    at = std::strchr(at, ',');
    if (at == nullptr) return true;
    ++at;
  }
  while (*at != '\0') {
    const std::size_t length = std::strcspn(at, ",");
    const std::string word(at, length);
    if (word == "fixed") {
      s.fixed = true;
    } else if (word == "aside") {
      s.aside = true;
    } else if (word == "front") {
      s.front = true;
    } else {
      return false;
    }
    at += length;
    if (*at == ',') ++at;
  }
  return true;
}

bool parseSample(const char* text, Sample& s) {
  char title[64] = {};
  int left = 0, top = 0, width = 0, height = 0, minWidth = 0, minHeight = 0;
  unsigned colour = 0;
  if (std::sscanf(text, "%63[^,],%d,%d,%d,%d,%d,%d,%x", title, &left, &top, &width, &height, &minWidth, &minHeight,
                  &colour) != 8) {
    return false;
  }
  s.title = title;
  s.start = RECT{left, top, left + width, top + height};
  s.minTrack = POINT{minWidth, minHeight};
  s.colour = RGB((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF);
  return parseOptions(text, s);
}

HWND createSample(HINSTANCE instance, Sample& s) {
  s.brush = CreateSolidBrush(s.colour);
  const DWORD style = s.fixed ? WS_OVERLAPPEDWINDOW & ~(WS_THICKFRAME | WS_MAXIMIZEBOX) : WS_OVERLAPPEDWINDOW;
  HWND hwnd =
      CreateWindowExA(0, s.aside ? kAsideClassName : kClassName, s.title.c_str(), style, s.start.left, s.start.top,
                      s.start.right - s.start.left, s.start.bottom - s.start.top, nullptr, nullptr, instance, &s);
  if (hwnd == nullptr) logLine("error cannot create %s", s.title.c_str());
  return hwnd;
}

// Shown without activation on top of the windows before it. Windows reports each window shown; the
// hook library learns from it that a later hide takes a window off the screen.
void showSample(HWND hwnd) {
  SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  raise(hwnd, EVENT_OBJECT_SHOW, "show");
}

void pumpMessages() {
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// A window on a thread of its own: created and shown before the next one is, so that they stack
// in the order given.
struct OwnThread {
  HINSTANCE instance;
  Sample* sample;
  HANDLE shown;
  HWND hwnd;
};

DWORD WINAPI runOwnThread(void* parameter) {
  auto& own = *static_cast<OwnThread*>(parameter);
  own.hwnd = createSample(own.instance, *own.sample);
  if (own.hwnd != nullptr) showSample(own.hwnd);
  SetEvent(own.shown);
  if (own.hwnd == nullptr) return 1;
  pumpMessages();
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  InitializeCriticalSection(&logLock);
  int arg = 1;
  for (; arg < __argc && std::strncmp(__argv[arg], "--", 2) == 0; ++arg) {
    if (std::strcmp(__argv[arg], "--threads") == 0) {
      options.threads = true;
    } else if (std::strcmp(__argv[arg], "--answer-ms") == 0 && arg + 1 < __argc) {
      options.answerMs = static_cast<DWORD>(std::strtoul(__argv[++arg], nullptr, 10));
    } else {
      return 2;
    }
  }
  if (__argc - arg < 2) return 2;
  logFile = std::fopen(__argv[arg], "a");
  std::vector<Sample> samples(static_cast<std::size_t>(__argc - arg - 1));
  for (std::size_t i = 0; i < samples.size(); ++i) {
    const char* text = __argv[arg + 1 + static_cast<int>(i)];
    if (!parseSample(text, samples[i])) {
      logLine("error bad window %s", text);
      return 2;
    }
  }

  WNDCLASSA wc{};
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = windowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.lpszClassName = kClassName;
  RegisterClassA(&wc);
  wc.lpszClassName = kAsideClassName;
  RegisterClassA(&wc);
  titleFont = CreateFontA(32, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                          CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Tahoma");

  if (options.threads) {
    std::vector<OwnThread> owns(samples.size());
    std::vector<HANDLE> threads;
    for (std::size_t i = 0; i < samples.size(); ++i) {
      owns[i] = OwnThread{instance, &samples[i], CreateEventA(nullptr, TRUE, FALSE, nullptr), nullptr};
      HANDLE thread = CreateThread(nullptr, 0, runOwnThread, &owns[i], 0, nullptr);
      if (thread == nullptr) return 1;
      threads.push_back(thread);
      WaitForSingleObject(owns[i].shown, INFINITE);
      if (owns[i].hwnd == nullptr) return 1;
    }
    SetForegroundWindow(owns.back().hwnd);
    logLine("ready %lu", GetCurrentProcessId());
    WaitForMultipleObjects(static_cast<DWORD>(threads.size()), threads.data(), TRUE, INFINITE);
    logLine("exit");
    return 0;
  }

  // Created hidden, then shown one above the other without activation and the last one made the
  // foreground window: one activation instead of one per window.
  std::vector<HWND> windows;
  for (Sample& s : samples) {
    HWND hwnd = createSample(instance, s);
    if (hwnd == nullptr) return 1;
    windows.push_back(hwnd);
    ++openWindows;
  }
  for (HWND hwnd : windows) showSample(hwnd);
  SetForegroundWindow(windows.back());
  logLine("ready %lu", GetCurrentProcessId());
  pumpMessages();
  logLine("exit");
  return 0;
}
