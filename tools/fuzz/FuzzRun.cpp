#include "tools/fuzz/FuzzRun.h"

#include <unistd.h>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <map>
#include <memory>
#include <sstream>

#include "app/TrayIcon.h"
#include "app/journal/RestoreJournal.h"
#include "app/layouts/LayoutTable.h"
#include "layout/border/BorderLayout.h"
#include "layout/grid/GridLayout.h"
#include "resources/resource_ids.h"
#include "tools/check/JournalInvariants.h"
#include "tools/fuzz/EventGenerator.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(undefined_behavior_sanitizer)
#define TESSELLOR_SANITIZED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define TESSELLOR_SANITIZED 1
#endif
#ifdef TESSELLOR_SANITIZED
#include <sanitizer/common_interface_defs.h>
#endif

namespace tessellor::fuzz {

namespace {

// With --faults: how often each call that can fail does.
constexpr double kFaultProbability = 0.01;
// More placement calls than this in one event can only be a loop that does not end.
constexpr std::size_t kRunawayCalls = 2'000'000;

// The scenario being played, for the message of a crash (which cannot return to the caller).
char crashNote[4200];

void tellCrash() {
  if (crashNote[0] != '\0') {
    const ssize_t written = ::write(2, crashNote, std::strlen(crashNote));
    (void)written;
  }
}

#ifndef TESSELLOR_SANITIZED
extern "C" void onFatalSignal(int signal) {
  tellCrash();
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}
#endif

void watchForCrashes() {
  static const bool installed = [] {
#ifdef TESSELLOR_SANITIZED
    __sanitizer_set_death_callback(tellCrash);
#else
    for (int s : {SIGSEGV, SIGABRT, SIGFPE, SIGBUS, SIGILL}) std::signal(s, onFatalSignal);
#endif
    return true;
  }();
  (void)installed;
}

long long rectMagnitude(const RECT& r) {
  long long m = 0;
  for (const long long v : {r.left, r.top, r.right, r.bottom}) m = std::max(m, v < 0 ? -v : v);
  return m;
}

// Everything one seed's run needs while the runner pulls lines.
class SeedRun {
 public:
  SeedRun(std::uint64_t seed, int events, std::string path, GeneratorOptions generator)
      : seed_(seed),
        events_(events),
        generatorOptions_(generator),
        path_(std::move(path)),
        file_(path_, std::ios::trunc) {
    file_ << header() << "\n";
  }

  // The file's first line, which the runner is given too, so that its line numbers are the file's.
  std::string header() const { return "# tessellor-fuzz seed " + std::to_string(seed_); }

  void prepare(sim::ScenarioRunner& runner) {
    runner_ = &runner;
    generator_ = std::make_unique<EventGenerator>(seed_, runner, generatorOptions_);
    runner.desktop().onCall = [this](const sim::PlacementCall&) {
      if (++callsThisEvent_ > kRunawayCalls) runaway();
    };
    runner.moreLines = [this]() { return nextLine(); };
    if (generatorOptions_.faults) runner.faults().failAtRandom(kFaultProbability, seed_);
  }

  int played() const { return played_; }
  Findings& findings() { return findings_; }

  // Ends the file with what broke and a look at the state, for tessellor-sim to show.
  void closeWithFindings() {
    for (const std::string& finding : findings_) file_ << "# broken after the line above: " << finding << "\n";
    file_ << "print layout\nprint windows\n";
    file_.close();
  }

 private:
  std::optional<std::string> nextLine() {
    if (played_ > 0) checkEvent();
    if (!findings_.empty() || played_ >= events_) return std::nullopt;
    std::string line = generator_->next();
    noteJournalLine(line);
    // "Put windows back" is checked once the calls succeed again.
    runner_->faults().pause(afterPutBack_);
    balloonMark_ = runner_->desktop().balloons().size();
    messageBoxMark_ = runner_->desktop().messageBoxCount();
    // A late window that has just answered stands where it will until the timer reads it back.
    answered_ = line.starts_with("answer ");
    switchedDesktop_ = line.starts_with("switch-desktop ");
    // Written before it runs: a crash in this line still leaves it in the file.
    file_ << line << '\n';
    file_.flush();
    ++played_;
    return line;
  }

  // Before a kill, what the layout would put back; before "Put windows back", what the file lists.
  void noteJournalLine(const std::string& line) {
    const Shell* shell = runner_->shell();
    if (shell == nullptr) return;
    if (line == "kill") {
      heldAtKill_ = check::windowsToPutBack(*shell);
      // With calls failing, a window may be held back where it stands until its place is saved.
      if (generatorOptions_.faults) heldAtKill_ = check::movedFromKeptPlace(*shell, runner_->desktop(), heldAtKill_);
      // And with its last write failed, restore.dat holds what it held before, as the user was told.
      sim::SimDesktop& d = runner_->desktop();
      if (generatorOptions_.faults && runner_->faults().lastWriteFailed(restoreFilePath(d)).value_or(false)) {
        heldAtKill_.clear();
      }
      afterKill_ = true;
      return;
    }
    const bool offered = !shell->anyLayout() && !shell->journal.lastRun.empty();
    const bool item = line == "menu \"Put windows back\"";
    const bool balloon = line == "tray balloonclick" && shell->lastBalloon == Balloon::PutWindowsBack;
    if (offered && (item || balloon)) {
      listedAtPutBack_ = check::journalOnDesktop(runner_->desktop()).value_or(std::vector<KeptWindow>{});
      afterPutBack_ = true;
    }
  }

  void checkJournal() {
    if (afterKill_) check::checkJournalAfterKill(runner_->desktop(), heldAtKill_, findings_);
    if (afterPutBack_) check::checkPutBack(runner_->desktop(), listedAtPutBack_, findings_);
    afterKill_ = afterPutBack_ = false;
  }

  // The program rode out what failed: it still runs with its dialog and tray icon, told the user of
  // no failure twice in one event, and kept restore.dat whole whenever its last write succeeded.
  void checkFailures() {
    sim::SimDesktop& d = runner_->desktop();
    if (runner_->running() && !d.killed() && !d.terminating()) {
      if (runner_->shell() == nullptr) findings_.push_back("the program runs without its main dialog");
      const auto& timers = d.timers();
      const bool retrying =
          std::any_of(timers.begin(), timers.end(), [](const auto& timer) { return timer.second == TRAY_ICON_TIMER; });
      // Without a timer to offer it again, every event offers it: two events in a row without either
      // is no chance of a failure.
      iconless_ = !d.trayIcon() && !retrying ? iconless_ + 1 : 0;
      if (iconless_ > 1) findings_.push_back("the program runs without its tray icon and does not offer it again");
    }
    const auto& balloons = d.balloons();
    const std::size_t first = balloons.size() >= balloonMark_ ? balloonMark_ : 0;
    for (std::size_t i = first; i < balloons.size(); ++i) {
      for (std::size_t k = first; k < i; ++k) {
        if (balloons[k].title == balloons[i].title && balloons[k].text == balloons[i].text)
          findings_.push_back("one event said the same twice: " + balloons[i].title);
      }
    }
    if (d.messageBoxCount() > messageBoxMark_ + 1) findings_.push_back("one event showed several message boxes");
    const Shell* shell = runner_->shell();
    if (!generatorOptions_.faults || shell == nullptr || afterPutBack_) return;
    if (runner_->faults().lastWriteFailed(restoreFilePath(d)).value_or(true)) return;
    // The program knows its last write of the journal failed (the user's folder could not be named).
    if (shell->failedSaves.contains(RESTORE_FILE)) return;
    // A window still where it stood before the layout took it loses nothing to a kill.
    const std::vector<HWND> moved = check::movedFromKeptPlace(*shell, d, check::windowsToPutBack(*shell));
    check::checkJournalAfterKill(d, moved, findings_);
  }

  void checkEvent() {
    // What failed in the event, for whoever reads the file: a seed replays its faults only in the
    // fuzzer, which draws them again in the same order.
    const std::vector<std::string> failed = runner_->faults().takeFailed();
    for (const std::string& call : failed) file_ << "# " << call << " failed\n";
    checkFailures();
    // A put back with calls failing leaves alone a window it cannot tell for the one it kept.
    if (!failed.empty()) afterPutBack_ = false;
    checkJournal();
    sim::SimDesktop& d = runner_->desktop();
    // The layouts' rules of geometry hold where the window system does what it is asked; with calls
    // failing, what is checked is that the program rides the failures out.
    if (generatorOptions_.faults) {
      d.clearCalls();
      callsThisEvent_ = 0;
      return;
    }
    std::size_t windows = 0;
    for (HWND hwnd : d.windows()) {
      ++windows;
      seen_ = std::max({seen_, rectMagnitude(d.rectOf(hwnd)), rectMagnitude(d.normalRectOf(hwnd))});
    }
    const long long magnitude = std::min(std::max(seen_, generator_->magnitude()), 1LL << 40);
    // A layout places each window a bounded number of times per operation, and an event runs a
    // bounded number of operations over every pair of windows at most.
    const check::PlacementLimits limits{16 * (windows + 2) * (windows + 2), 64 * (magnitude + 1)};
    check::checkPlacements(d.calls(), limits, findings_);
    if (Shell* shell = runner_->shell()) {
      check::checkShell(*shell, findings_);
      check::checkNothingPlacedAway(*shell, d, d.calls(), findings_);
      // A layout this line started with every window, if one did.
      const RunningLayout* started = nullptr;
      for (const auto& layout : shell->layouts) {
        if (std::find(layoutsBefore_.begin(), layoutsBefore_.end(), layout.get()) == layoutsBefore_.end()) {
          started = layout.get();
        }
      }
      const bool automatic = d.mainDialog() != nullptr &&
                             d.SendDlgItemMessageA(d.mainDialog(), IDC_AUTO_ADD, BM_GETCHECK, 0, 0) == BST_CHECKED;
      check::checkWhyAgrees(*shell, d, automatic ? started : nullptr, findings_);
      layoutsBefore_.clear();
      for (const auto& layout : shell->layouts) layoutsBefore_.push_back(layout.get());
      // Only the windows fully placed in this event: any other may have been moved since by what
      // no layout follows (a program, a drag the hook did not report), or stretched by a layout
      // that records the rectangle it asked for. The layouts record what they see through the
      // shell's view of the desktop, and are checked through it.
      auto placed = check::windowsPlacedAsAsked(d.calls());
      // A window stopped at the end of the 32-bit range on the desktop stands for any farther
      // place: its frame may put its visible edge back inside, and neither side can tell.
      std::erase_if(placed, [&d](HWND hwnd) {
        const RECT r = d.rectOf(hwnd);
        constexpr LONG lowest = std::numeric_limits<LONG>::min(), highest = std::numeric_limits<LONG>::max();
        return r.left == lowest || r.top == lowest || r.right == highest || r.bottom == highest;
      });
      bool widened = false;
      std::map<const BorderLayout*, long long> fitRaises;
      for (const auto& running : shell->layouts) {
        if (const BorderLayout* border = running->engine.border()) {
          check::checkPlacedRects(border->placedRects, placed, running->view, findings_);
          // After the events that place the layout's windows: a change of the minimum window size
          // alone places nothing, and leaves a window that would not fit before as it stands.
          if (!answered_ && placesAny(d.calls(), check::heldWindows(*border))) {
            check::checkBorderWindowsApart(*border, d, running->view, findings_);
          }
          // A layout started in this event counts from 0.
          const auto before = lastFitRaises_.find(border);
          widened = widened || border->fitRaises > (before != lastFitRaises_.end() ? before->second : 0);
          fitRaises[border] = border->fitRaises;
        }
        if (const GridLayout* grid = running->engine.grid()) {
          // The grid records the rectangle it asked for a stretched neighbour, which a window
          // region measures elsewhere.
          auto measurable = placed;
          std::erase_if(measurable, [&d](HWND hwnd) { return d.hasSimpleRegion(hwnd); });
          check::checkPlacedRects(grid->placedRects, measurable, running->view, findings_);
        }
      }
      lastFitRaises_ = std::move(fitRaises);
      // A desktop switch tells of each window it cloaks or uncloaks in a message of its own, each an
      // event: the changes that waited for the desktop and a window that joins are placed in turn.
      if (!switchedDesktop_) {
        check::checkPlacedOnce(
            d.calls(), widened, [&d](HWND hwnd) { return d.hasFrame(hwnd); }, findings_);
      }
    }
    d.clearCalls();
    callsThisEvent_ = 0;
  }

  static bool placesAny(std::span<const sim::PlacementCall> calls, const std::vector<HWND>& windows) {
    return std::any_of(calls.begin(), calls.end(), [&windows](const sim::PlacementCall& call) {
      return std::find(windows.begin(), windows.end(), call.hwnd) != windows.end();
    });
  }

  [[noreturn]] void runaway() {
    findings_.push_back("more than " + std::to_string(kRunawayCalls) + " placement calls in one event");
    closeWithFindings();
    std::fprintf(stderr, "seed %llu: %s\n  replay: tessellor-sim %s\n", static_cast<unsigned long long>(seed_),
                 findings_.back().c_str(), path_.c_str());
    std::_Exit(1);
  }

  std::uint64_t seed_;
  int events_;
  GeneratorOptions generatorOptions_;
  std::string path_;
  std::ofstream file_;
  sim::ScenarioRunner* runner_ = nullptr;
  std::unique_ptr<EventGenerator> generator_;
  Findings findings_;
  int played_ = 0;
  std::size_t callsThisEvent_ = 0;
  std::map<const BorderLayout*, long long> lastFitRaises_;  // each Border Layout's fit count after the last event
  long long seen_ = 0;
  std::vector<HWND> heldAtKill_;
  std::vector<KeptWindow> listedAtPutBack_;
  bool afterKill_ = false;
  bool answered_ = false;
  std::vector<const RunningLayout*> layoutsBefore_;  // the layouts running after the last event
  int iconless_ = 0;  // events in a row that ended without a tray icon and without its retry timer
  bool switchedDesktop_ = false;
  bool afterPutBack_ = false;
  std::size_t balloonMark_ = 0;  // the balloons and message boxes before the event
  int messageBoxMark_ = 0;
};

}  // namespace

SeedOutcome runSeed(std::uint64_t seed, int events, const std::string& directory, bool keep,
                    GeneratorOptions generator) {
  watchForCrashes();
  const std::string path =
      std::filesystem::absolute(std::filesystem::path(directory) / ("fuzz-seed-" + std::to_string(seed) + ".scn"))
          .string();
  std::snprintf(crashNote, sizeof crashNote, "\nseed %llu crashed; its scenario up to the crash: %s\n",
                static_cast<unsigned long long>(seed), path.c_str());

  SeedRun run(seed, events, path, generator);
  sim::RunOptions options;
  options.prepare = [&run](sim::ScenarioRunner& runner) { run.prepare(runner); };
  std::ostream discard(nullptr);  // message boxes and menus print here; nobody reads them
  std::ostringstream errors;
  const int status = sim::runScenarioText(path, run.header() + "\n", options, discard, errors);
  crashNote[0] = '\0';

  SeedOutcome outcome;
  outcome.events = run.played();
  // The generator writes only well-formed lines and no expectations: anything on standard error is
  // the generator's fault or the runner's.
  if (status != 0 || !errors.str().empty())
    run.findings().push_back("the runner answered " + std::to_string(status) + ": " + errors.str());
  outcome.findings = run.findings();
  if (outcome.findings.empty()) {
    if (keep) return outcome;
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
  } else {
    run.closeWithFindings();
    outcome.scenarioPath = path;
  }
  return outcome;
}

}  // namespace tessellor::fuzz
