// tessellor-placements.exe: places sample windows through the program's own
// Win32Platform::placeWindows, and checks what it reports and where the windows go.
//
//   tessellor-placements.exe SAMPLER LOGDIR
//
// It starts two sample applications (SAMPLER is tessellor-sampler.exe), each window on a thread of
// its own, the second with windows that take 300 ms to answer a placement, and prints one
// "PASS NAME" or "FAIL NAME: WHY" line a check; the exit code is the number of failures.
//
// Bounds on time are loose on purpose: a batch waits on its windows 100 ms at most, while one that
// waited on a window whose thread sleeps would take until it wakes, seconds later. Every bound lies
// far between the two, and whether a sleeping window had woken is read from its log, not guessed.
#include "platform/win32/PlacementWorkers.h"
#include "platform/win32/Win32Platform.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/clockMicros.h"

namespace {

using tessellor::WindowMove;

// As tessellor-sampler.exe takes it: the window's thread sleeps wParam milliseconds.
constexpr UINT kHang = WM_APP + 2;
constexpr UINT kQuiet = SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOCOPYBITS;
// Between the 100 ms a batch may wait and the seconds a window sleeps.
constexpr long long kPromptlyMs = 1000;

int failures = 0;

void check(bool ok, const std::string& name, const std::string& why) {
  if (ok) {
    std::printf("PASS %s\n", name.c_str());
  } else {
    ++failures;
    std::printf("FAIL %s: %s\n", name.c_str(), why.c_str());
  }
  std::fflush(stdout);
}

tessellor::HWND ours(HWND h) { return reinterpret_cast<tessellor::HWND>(h); }

// Sent messages to this thread's own window are handled while it waits.
void pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

template <typename Ready>
bool within(DWORD ms, Ready ready) {
  const ULONGLONG start = GetTickCount64();
  for (;;) {
    pump();
    if (ready()) return true;
    if (GetTickCount64() - start >= ms) return false;
    Sleep(10);
  }
}

long long millisSince(long long micros) { return (clockMicros() - micros) / 1000; }

std::string text(const char* format, ...) {
  char line[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(line, sizeof line, format, args);
  va_end(args);
  return line;
}

std::string titleOf(HWND hwnd) {
  char title[128] = {};
  GetWindowTextA(hwnd, title, sizeof title);
  return hwnd == nullptr ? "none" : text("\"%s\"", title);
}

std::string rectText(const RECT& r) { return text("%ld %ld %ld %ld", r.left, r.top, r.right, r.bottom); }

bool standsAt(HWND hwnd, const RECT& r) {
  RECT now{};
  GetWindowRect(hwnd, &now);
  return EqualRect(&now, &r) && !IsIconic(hwnd) && !IsZoomed(hwnd);
}

std::string where(HWND hwnd) {
  RECT now{};
  GetWindowRect(hwnd, &now);
  return rectText(now) + (IsIconic(hwnd) ? " minimized" : "") + (IsZoomed(hwnd) ? " maximized" : "");
}

WindowMove placing(HWND hwnd, const RECT& r, UINT flags = kQuiet) {
  WindowMove move;
  move.call = WindowMove::Call::SetWindowPos;
  move.hwnd = ours(hwnd);
  move.x = r.left;
  move.y = r.top;
  move.cx = r.right - r.left;
  move.cy = r.bottom - r.top;
  move.flags = flags;
  return move;
}

std::string reported(const std::vector<WindowMove>& moves) {
  std::string all;
  for (const WindowMove& m : moves) {
    all += text("[result %d error %lu %s] ", m.result, static_cast<unsigned long>(m.error),
                m.answered ? "answered" : "not answered");
  }
  return all;
}

// --- the sample applications' logs ---------------------------------------------------------------

std::vector<std::string> linesOf(const std::string& path) {
  std::vector<std::string> lines;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return lines;
  std::string line;
  for (int c; (c = std::fgetc(file)) != EOF;) {
    if (c == '\n') {
      lines.push_back(line);
      line.clear();
    } else if (c != '\r') {
      line.push_back(static_cast<char>(c));
    }
  }
  std::fclose(file);
  return lines;
}

std::vector<std::string> linesStarting(const std::string& path, const std::string& prefix) {
  std::vector<std::string> found;
  for (const std::string& line : linesOf(path))
    if (line.compare(0, prefix.size(), prefix) == 0) found.push_back(line);
  return found;
}

std::size_t countOf(const std::string& path, const std::string& prefix) { return linesStarting(path, prefix).size(); }

bool waitForLines(const std::string& path, const std::string& prefix, std::size_t n, DWORD ms) {
  return within(ms, [&] { return countOf(path, prefix) >= n; });
}

struct Sampler {
  HANDLE process = nullptr;
  std::string log;
  std::vector<HWND> windows;
};

// WINDOWS as tessellor-sampler.exe takes them; the titles must be new on the desktop.
bool startSampler(const char* exe, const std::string& log, const char* options, const std::vector<std::string>& windows,
                  Sampler& sampler) {
  sampler.log = log;
  std::string commandLine = text("\"%s\" %s \"%s\"", exe, options, log.c_str());
  for (const std::string& w : windows) commandLine += " " + w;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
    return false;
  }
  CloseHandle(info.hThread);
  sampler.process = info.hProcess;
  if (!waitForLines(log, "ready", 1, 30000)) return false;
  for (const std::string& w : windows) {
    const std::string title = w.substr(0, w.find(','));
    HWND hwnd = FindWindowExA(nullptr, nullptr, "TessellorSample", title.c_str());
    if (hwnd == nullptr) return false;
    sampler.windows.push_back(hwnd);
  }
  return true;
}

void closeSampler(Sampler& sampler) {
  for (HWND hwnd : sampler.windows) PostMessageA(hwnd, WM_CLOSE, 0, 0);
  if (sampler.process == nullptr) return;
  within(10000, [&] { return WaitForSingleObject(sampler.process, 0) == WAIT_OBJECT_0; });
  CloseHandle(sampler.process);
}

// Puts the thread of a sample window to sleep and returns once it sleeps.
bool putToSleep(const Sampler& sampler, HWND hwnd, const char* title, unsigned ms) {
  const std::size_t before = countOf(sampler.log, text("hang %s ", title));
  PostMessageA(hwnd, kHang, ms, 0);
  return waitForLines(sampler.log, text("hang %s ", title), before + 1, 5000);
}

bool asleep(const Sampler& sampler, const char* title, std::size_t awakeBefore) {
  return countOf(sampler.log, text("awake %s", title)) == awakeBefore;
}

// --- a window of this thread -----------------------------------------------------------------------

HWND createOwnWindow(const RECT& r) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "TessellorPlacementsOwn";
  RegisterClassA(&wc);
  return CreateWindowExA(0, wc.lpszClassName, "own", WS_OVERLAPPEDWINDOW | WS_VISIBLE, r.left, r.top, r.right - r.left,
                         r.bottom - r.top, nullptr, nullptr, wc.hInstance, nullptr);
}

// Index of each window in the z-order, topmost 0.
int stackIndex(HWND hwnd) {
  int i = 0;
  for (HWND w = GetTopWindow(nullptr); w != nullptr; w = GetWindow(w, GW_HWNDNEXT), ++i)
    if (w == hwnd) return i;
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: tessellor-placements.exe SAMPLER LOGDIR\n");
    return 2;
  }
  // Plain line ends for the script that reads us.
  _setmode(_fileno(stdout), _O_BINARY);
  const char* samplerExe = argv[1];
  const std::string dir = argv[2];
  auto platform = std::make_unique<tessellor::win32::Win32Platform>();

  Sampler sampler;
  if (!startSampler(samplerExe, dir + "\\placements.log", "--threads",
                    {"Batch1,40,40,300,200,116,27,C0392B", "Batch2,80,80,300,200,116,27,2980B9",
                     "Batch3,120,120,300,200,116,27,27AE60", "Batch4,160,160,300,200,116,27,8E44AD"},
                    sampler)) {
    check(false, "the placement test starts its sample windows", "the sample application did not start");
    return failures;
  }
  const std::vector<HWND>& batch = sampler.windows;
  HWND own = createOwnWindow(RECT{500, 500, 800, 700});

  // --- every window answers -----------------------------------------------------------------------
  {
    // A loaded machine may keep a window from answering within 100 ms, which is then rightly
    // reported as not answered; one of three batches must find them all answering.
    std::string why;
    bool ok = false;
    for (LONG attempt = 0; attempt < 3 && !ok; ++attempt) {
      std::vector<WindowMove> moves;
      for (LONG i = 0; i < 4; ++i) moves.push_back(placing(batch[i], RECT{i * 320, attempt * 10, i * 320 + 320, 300}));
      platform->placeWindows(moves);
      ok = true;
      for (std::size_t i = 0; i < 4; ++i) {
        const WindowMove& m = moves[i];
        ok = ok && m.answered && m.result == TRUE && m.error == 0 &&
             standsAt(batch[i], RECT{m.x, m.y, m.x + m.cx, m.y + m.cy});
      }
      why = reported(moves) + "at " + where(batch[0]) + " / " + where(batch[3]);
    }
    check(ok, "placeWindows places four windows of another program, each on its thread, and each answers TRUE", why);
  }

  // --- SetWindowPlacement, Wine's refusal included ---------------------------------------------------
  {
    PostMessageA(batch[0], WM_SYSCOMMAND, SC_MINIMIZE, 0);
    PostMessageA(batch[1], WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    if (!within(5000, [&] { return IsIconic(batch[0]) && IsZoomed(batch[1]); })) {
      check(false, "SetWindowPlacement moves", "Batch1 did not minimise or Batch2 did not maximise");
    }
    // Wine activates the maximised window a moment after it is maximised; then this thread's own
    // window is made the foreground window, which the moves must leave so.
    within(5000, [&] { return GetForegroundWindow() == batch[1]; });
    SetForegroundWindow(own);
    within(2000, [&] { return GetForegroundWindow() == own; });
    HWND foreground = GetForegroundWindow();
    const RECT targets[2] = {{0, 400, 400, 700}, {400, 400, 800, 700}};
    std::vector<WindowMove> moves;
    for (std::size_t i = 0; i < 2; ++i) {
      WindowMove move;
      move.call = WindowMove::Call::SetWindowPlacement;
      move.hwnd = ours(batch[i]);
      platform->GetWindowPlacement(move.hwnd, &move.placement);
      move.placement.rcNormalPosition =
          tessellor::RECT{targets[i].left, targets[i].top, targets[i].right, targets[i].bottom};
      move.placement.showCmd = SW_SHOWNOACTIVATE;
      moves.push_back(move);
    }
    platform->placeWindows(moves);
    // Restoring takes the windows longer than a move; whether they answered in time is not asked.
    const bool ok = moves[0].result == TRUE && moves[1].result == TRUE &&
                    within(5000, [&] { return standsAt(batch[0], targets[0]) && standsAt(batch[1], targets[1]); });
    check(ok, "SetWindowPlacement moves bring a minimised and a maximised window to their rectangles",
          reported(moves) + "at " + where(batch[0]) + " / " + where(batch[1]));
    check(GetForegroundWindow() == foreground, "those moves activate neither window",
          "the foreground window is " + titleOf(GetForegroundWindow()) + ", was " + titleOf(foreground));
  }

  // --- a window that is gone, and a window of this thread ------------------------------------------
  {
    HWND gone = createOwnWindow(RECT{0, 0, 200, 200});
    DestroyWindow(gone);
    std::vector<WindowMove> moves = {placing(gone, RECT{0, 0, 300, 300})};
    platform->placeWindows(moves);
    check(moves[0].result == FALSE && moves[0].error == ERROR_INVALID_WINDOW_HANDLE && moves[0].answered,
          "a move for a window that is gone fails with ERROR_INVALID_WINDOW_HANDLE", reported(moves));

    // Handed to a worker, the first would wait for this thread, which waits for the worker.
    const RECT mine{600, 300, 1000, 600};
    const RECT theirs{0, 300, 400, 600};
    moves = {placing(own, mine), placing(batch[2], theirs)};
    platform->placeWindows(moves);
    check(moves[0].answered && moves[0].result == TRUE && standsAt(own, mine) && moves[1].result == TRUE &&
              within(5000, [&] { return standsAt(batch[2], theirs); }),
          "a window of the calling thread is placed at once beside another program's", reported(moves));
  }

  // --- a window whose thread is busy ----------------------------------------------------------------
  {
    const std::size_t awakeBefore = countOf(sampler.log, "awake Batch4");
    if (!putToSleep(sampler, batch[3], "Batch4", 2000)) {
      check(false, "a busy window's thread", "Batch4 never logged that it sleeps");
    } else {
      std::vector<WindowMove> moves;
      for (LONG i = 0; i < 4; ++i) moves.push_back(placing(batch[i], RECT{i * 300, 0, i * 300 + 300, 250}));
      const long long start = clockMicros();
      platform->placeWindows(moves);
      const long long took = millisSince(start);
      check(
          took < kPromptlyMs && !moves[3].answered && moves[3].result == TRUE && asleep(sampler, "Batch4", awakeBefore),
          "a window whose thread sleeps 2 s holds the batch only until its deadline, and is reported as not answered",
          text("%lld ms, ", took) + reported(moves));
      const bool othersPlaced = within(static_cast<DWORD>(kPromptlyMs), [&] {
        return standsAt(batch[0], RECT{0, 0, 300, 250}) && standsAt(batch[1], RECT{300, 0, 600, 250}) &&
               standsAt(batch[2], RECT{600, 0, 900, 250});
      });
      check(othersPlaced && asleep(sampler, "Batch4", awakeBefore),
            "the program's other windows, on threads of their own, stand at their rectangles while it sleeps",
            where(batch[0]) + " / " + where(batch[1]) + " / " + where(batch[2]));

      // Its call is still waiting: a new batch posts the next placement behind it at once.
      const RECT later{900, 300, 1200, 550};
      moves = {placing(batch[3], later)};
      const long long again = clockMicros();
      platform->placeWindows(moves);
      const long long tookAgain = millisSince(again);
      check(tookAgain < kPromptlyMs && !moves[0].answered && moves[0].result == TRUE &&
                asleep(sampler, "Batch4", awakeBefore),
            "a second batch for the window still busy posts its placement at once",
            text("%lld ms, ", tookAgain) + reported(moves));
      const bool woke = waitForLines(sampler.log, "awake Batch4", awakeBefore + 1, 10000);
      check(woke && within(5000, [&] { return standsAt(batch[3], later); }),
            "once it answers, the busy window takes the later rectangle", where(batch[3]));
    }
  }

  // --- ordered moves ----------------------------------------------------------------------------------
  {
    // Raised and activated in the order given, after the unordered move: Batch2 ends on top. An
    // ordered move that misses its 100 ms lets the next one go on, so the order holds only where
    // each answered in time: one of three batches must find them all answering.
    bool ok = false;
    std::string why;
    for (LONG attempt = 0; attempt < 3 && !ok; ++attempt) {
      const RECT r3{0, 300 + attempt, 300, 600};
      const RECT r1{300, 300 + attempt, 600, 600};
      const RECT r2{600, 300 + attempt, 900, 600};
      std::vector<WindowMove> moves = {placing(batch[3], RECT{900, attempt, 1200, 300}), placing(batch[2], r3, 0),
                                       placing(batch[0], r1, 0), placing(batch[1], r2, 0)};
      platform->placeWindows(moves);
      bool answered = true;
      for (const WindowMove& m : moves) answered = answered && m.answered && m.result == TRUE;
      const int i1 = stackIndex(batch[0]);
      const int i2 = stackIndex(batch[1]);
      const int i3 = stackIndex(batch[2]);
      ok = answered && i2 >= 0 && i2 < i1 && i1 < i3 && standsAt(batch[1], r2);
      why = reported(moves) + text("z-order Batch2 %d, Batch1 %d, Batch3 %d", i2, i1, i3);
    }
    check(ok, "ordered moves raise their windows in the order given", why);
    check(within(2000, [&] { return GetForegroundWindow() == batch[1]; }), "the last ordered move's window is active",
          "the foreground window is " + titleOf(GetForegroundWindow()));
  }

  // --- windows that take 300 ms each to answer --------------------------------------------------------
  {
    Sampler slow;
    if (!startSampler(samplerExe, dir + "\\placements-slow.log", "--threads --answer-ms 300",
                      {"Slow1,40,500,300,200,116,27,16A085", "Slow2,80,520,300,200,116,27,D35400",
                       "Slow3,120,540,300,200,116,27,7F8C8D", "Slow4,160,560,300,200,116,27,2C3E50"},
                      slow)) {
      check(false, "slow windows", "the second sample application did not start");
    } else {
      const std::size_t before = countOf(slow.log, "slow ");
      std::vector<WindowMove> moves;
      for (LONG i = 0; i < 4; ++i) moves.push_back(placing(slow.windows[i], RECT{i * 300, 650, i * 300 + 300, 950}));
      const long long start = clockMicros();
      platform->placeWindows(moves);
      const long long took = millisSince(start);
      bool notAnswered = true;
      for (const WindowMove& m : moves) notAnswered = notAnswered && !m.answered && m.result == TRUE;
      check(took < kPromptlyMs && notAnswered,
            "four windows that take 300 ms to answer hold the batch only until its deadline",
            text("%lld ms, ", took) + reported(moves));
      // Placed at the same time: each window's 300 ms began before any had ended.
      bool overlap = waitForLines(slow.log, "slow ", before + 4, 10000);
      if (overlap) {
        const std::vector<std::string> answers = linesStarting(slow.log, "slow ");
        long long latestStart = 0;
        long long earliestEnd = 0;
        for (std::size_t i = before; i < before + 4; ++i) {
          long long from = 0;
          long long to = 0;
          std::sscanf(answers[i].c_str(), "slow %*s %lld %lld", &from, &to);
          latestStart = i == before || from > latestStart ? from : latestStart;
          earliestEnd = i == before || to < earliestEnd ? to : earliestEnd;
        }
        overlap = latestStart < earliestEnd;
      }
      check(overlap, "their placements are made at the same time: the four 300 ms answers overlap",
            "the windows answered one after another");
      bool placed = true;
      for (std::size_t i = 0; i < 4; ++i) {
        const WindowMove& m = moves[i];
        placed = placed && within(5000, [&] {
                   return standsAt(slow.windows[i], RECT{m.x, m.y, m.x + m.cx, m.y + m.cy});
                 });
      }
      check(placed, "and each takes its rectangle once it answers", where(slow.windows[0]));
    }
    closeSampler(slow);
  }

  // --- a program whose one thread answers all its windows -------------------------------------------
  {
    Sampler one;
    if (!startSampler(samplerExe, dir + "\\placements-one.log", "--answer-ms 40",
                      {"One1,40,40,300,200,116,27,C0392B", "One2,60,60,300,200,116,27,2980B9",
                       "One3,80,80,300,200,116,27,27AE60", "One4,100,100,300,200,116,27,8E44AD",
                       "One5,120,120,300,200,116,27,16A085", "One6,140,140,300,200,116,27,D35400"},
                      one)) {
      check(false, "one thread's windows", "the third sample application did not start");
    } else {
      // Its thread takes 40 ms a window, 240 ms for the six: more than 100 ms in all, but each
      // window answers well within 100 ms of its turn. One of three batches must find them so.
      bool ok = false;
      std::string why;
      for (LONG attempt = 0; attempt < 3 && !ok; ++attempt) {
        std::vector<WindowMove> moves;
        for (LONG i = 0; i < 6; ++i) {
          moves.push_back(placing(one.windows[i], RECT{i * 200, 300 + attempt, i * 200 + 200, 600}));
        }
        const long long start = clockMicros();
        platform->placeWindows(moves);
        const long long took = millisSince(start);
        ok = true;
        for (std::size_t i = 0; i < 6; ++i) {
          const WindowMove& m = moves[i];
          ok = ok && m.answered && m.result == TRUE && standsAt(one.windows[i], RECT{m.x, m.y, m.x + m.cx, m.y + m.cy});
        }
        why = text("%lld ms, ", took) + reported(moves);
      }
      check(ok, "six windows of a program's one thread, 40 ms each to answer, are waited for one after another", why);

      // The thread sleeps: its first window holds the batch 100 ms, the second is posted behind it,
      // and so is a later batch's third.
      const std::size_t awakeBefore = countOf(one.log, "awake One1");
      if (putToSleep(one, one.windows[0], "One1", 2000)) {
        const RECT r1{0, 700, 300, 950};
        const RECT r2{300, 700, 600, 950};
        const RECT r3{600, 700, 900, 950};
        std::vector<WindowMove> moves = {placing(one.windows[0], r1), placing(one.windows[1], r2)};
        const long long start = clockMicros();
        platform->placeWindows(moves);
        const long long took = millisSince(start);
        check(took < kPromptlyMs && !moves[0].answered && !moves[1].answered && moves[0].result == TRUE &&
                  moves[1].result == TRUE && asleep(one, "One1", awakeBefore),
              "when the thread sleeps, its windows hold the batch only until the first one's deadline",
              text("%lld ms, ", took) + reported(moves));
        moves = {placing(one.windows[2], r3)};
        const long long again = clockMicros();
        platform->placeWindows(moves);
        const long long tookAgain = millisSince(again);
        check(tookAgain < kPromptlyMs && !moves[0].answered && moves[0].result == TRUE &&
                  asleep(one, "One1", awakeBefore),
              "a later batch for another window of the sleeping thread posts its placement at once",
              text("%lld ms, ", tookAgain) + reported(moves));
        const bool woke = waitForLines(one.log, "awake One1", awakeBefore + 1, 10000);
        check(woke && within(5000,
                             [&] {
                               return standsAt(one.windows[0], r1) && standsAt(one.windows[1], r2) &&
                                      standsAt(one.windows[2], r3);
                             }),
              "once the thread answers, its three windows take their rectangles",
              where(one.windows[0]) + " / " + where(one.windows[1]) + " / " + where(one.windows[2]));
      } else {
        check(false, "one sleeping thread", "One1 never logged that it sleeps");
      }
    }
    closeSampler(one);
  }

  // --- more windows' threads than the workers kept warm -----------------------------------------------
  {
    // Two kept warm, and eight programs' windows that take 30 ms each to answer: waited for one
    // after another by two workers they would take four rounds, past the 100 ms each may wait.
    // Every thread gets a worker at once, and each answers in time: one of three batches must find
    // them so. The workers beyond the two end once idle for a second.
    tessellor::win32::PlacementWorkers pool(2, 1000);
    Sampler many;
    std::vector<std::string> described;
    for (int i = 1; i <= 8; ++i) described.push_back(text("Many%d,%d,%d,300,200,116,27,16A085", i, 20 * i, 20 * i));
    if (!startSampler(samplerExe, dir + "\\placements-many.log", "--threads --answer-ms 30", described, many)) {
      check(false, "more threads than warm workers", "the sample application did not start");
    } else {
      bool ok = false;
      std::string why;
      std::size_t grown = 0;
      for (LONG attempt = 0; attempt < 3 && !ok; ++attempt) {
        std::vector<WindowMove> moves;
        for (LONG i = 0; i < 8; ++i) {
          moves.push_back(
              placing(many.windows[static_cast<std::size_t>(i)], RECT{i * 150, 400 + attempt, i * 150 + 150, 700}));
        }
        std::vector<WindowMove*> given;
        for (WindowMove& m : moves) given.push_back(&m);
        pool.place(given, 100);
        grown = pool.workerCount();
        ok = grown >= 8;
        for (std::size_t i = 0; i < 8; ++i) {
          const WindowMove& m = moves[i];
          ok =
              ok && m.answered && m.result == TRUE && standsAt(many.windows[i], RECT{m.x, m.y, m.x + m.cx, m.y + m.cy});
        }
        why = text("%lu workers, ", static_cast<unsigned long>(grown)) + reported(moves);
      }
      check(ok, "eight programs' windows, 30 ms each to answer, each get a worker at once and answer in time", why);
      check(within(15000, [&] { return pool.workerCount() == 2; }),
            "the workers beyond the ones kept warm end once they have been idle a while",
            text("%lu workers left", static_cast<unsigned long>(pool.workerCount())));
    }
    closeSampler(many);
  }

  // --- the end of the program while a window keeps a worker waiting ------------------------------
  {
    const std::size_t awakeBefore = countOf(sampler.log, "awake Batch1");
    const RECT last{0, 600, 400, 900};
    if (putToSleep(sampler, batch[0], "Batch1", 1500)) {
      std::vector<WindowMove> moves = {placing(batch[0], last)};
      platform->placeWindows(moves);
      const long long start = clockMicros();
      platform.reset();
      const long long took = millisSince(start);
      check(took < kPromptlyMs && asleep(sampler, "Batch1", awakeBefore),
            "ending the program while a window keeps a worker waiting takes a moment only", text("%lld ms", took));
      // What the worker uses outlives the platform object: its call returns without harm.
      check(waitForLines(sampler.log, "awake Batch1", awakeBefore + 1, 10000) &&
                within(5000, [&] { return standsAt(batch[0], last); }),
            "the worker left waiting still finishes its call when the window answers", where(batch[0]));
    } else {
      check(false, "the end of the program", "Batch1 never logged that it sleeps");
    }
  }

  closeSampler(sampler);
  DestroyWindow(own);
  return failures;
}
