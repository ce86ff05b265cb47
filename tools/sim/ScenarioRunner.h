// Runs one scenario over a fresh simulated desktop. Lines before `start` run directly; once the
// program runs, its GetMessageA pulls the next lines through the desktop's idle hook, one at a time,
// so that every message a line causes is dispatched before the next line runs.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "app/Shell.h"
#include "platform/sim/SimDesktop.h"
#include "platform/sim/SimFaults.h"
#include "tools/sim/ScenarioLexer.h"

namespace tessellor::sim {

class ScenarioRunner;

// The arguments of one line (the command word excluded), with checks that record the first reason
// the line is malformed.
class Args {
 public:
  explicit Args(std::vector<Token> tokens);

  const std::string& command() const { return command_; }
  std::size_t size() const { return tokens_.size(); }
  bool isWord(std::size_t i, const char* word) const;
  bool isString(std::size_t i) const;
  // Each answers nothing (and records why) when argument i is missing or of the wrong form.
  bool count(std::size_t min, std::size_t max);
  std::optional<int> number(std::size_t i);
  std::optional<long long> bigNumber(std::size_t i);
  std::optional<std::string> word(std::size_t i);
  std::optional<std::string> string(std::size_t i);
  std::optional<std::string> text(std::size_t i);  // a word or a string
  // The index of argument i among `choices`.
  std::optional<int> choice(std::size_t i, std::span<const char* const> choices);

  bool fail(std::string reason);  // records the reason (the first one wins); answers false
  bool failed() const { return !error_.empty(); }
  const std::string& error() const { return error_; }

 private:
  std::string command_;
  std::vector<Token> tokens_;
  std::string error_;
};

struct Command {
  const char* name;
  void (*run)(ScenarioRunner& runner, Args& args);
};
std::span<const Command> desktopCommands();  // the desktop and other programs' windows
std::span<const Command> programCommands();  // the program: start, its dialogs, keys, tray, menu
std::span<const Command> lookCommands();     // print, trace, count, expect, snapshot
std::span<const Command> sessionCommands();  // settings files, Run keys, the end of the session
std::span<const Command> keyCommands();      // the keyboard layout, the Keys dialog, any file

// The keys that a string argument names as the program names them ("Ctrl+Alt+B"); records a
// malformed line for a name the program does not give.
std::optional<HotkeyKey> keysArgument(Args& args, std::size_t i);

// switch-desktop, move-to-desktop
std::span<const Command> virtualDesktopCommands();
// fail: calls of the program's door that fail
std::span<const Command> faultCommands();

struct RunOptions {
  std::string svgDirectory;  // empty: snapshots write nothing
  // Called with the runner before its first line.
  std::function<void(ScenarioRunner&)> prepare;
};

class ScenarioRunner {
 public:
  ScenarioRunner(std::string file, const std::string& text, RunOptions options, std::ostream& out, std::ostream& err);
  ~ScenarioRunner();

  // Runs the scenario: 0, 1 (an expect failed) or 2 (malformed).
  int run();

  // ---- For the command tables ----
  SimDesktop& desktop() { return *desktop_; }
  // The program's door to the desktop, through which its calls can be made to fail.
  SimFaults& faults() { return *faults_; }
  std::ostream& out() { return out_; }
  const RunOptions& options() const { return options_; }

  // A living window by its name; records a malformed line otherwise.
  HWND livingWindow(Args& args, std::size_t i);
  // A window by its name, destroyed ones included (their old handle).
  HWND anyWindow(Args& args, std::size_t i);
  void expectFailed(const std::string& expected, const std::string& found);

  // The program's process.
  bool running() const { return running_; }
  bool ended() const { return ended_; }  // a process has run and ended
  // The code its message loop ended with; nothing when the session's end or a kill ended it.
  const std::optional<int>& exitCode() const { return exitCode_; }
  void startProgram();
  // WM_QUERYENDSESSION and WM_ENDSESSION to the main dialog, then the process ends where it is.
  void endSession();
  // The same messages with ENDSESSION_CLOSEAPP, as an installer's Restart Manager sends them: the
  // session goes on, and so does the process until it ends by itself.
  void closeApp();
  // Another copy of the program starts with that command line and ends; its exit code, or nothing
  // when the command line starts the tray program.
  std::optional<int> runOtherCopy(const std::string& commandLine);
  // The process ends at once, as by Task Manager: nothing of it runs any more.
  void kill() { desktop_->killProcess(); }
  // The shell of the running program, or null.
  Shell* shell();

  bool trace = false;
  int countedPlacements = 0;

  // Asked for one more line whenever the given text has run out; nothing ends the scenario. It is
  // asked only once every message of the previous line has been dispatched, so it may look at the
  // program's state to choose the next line.
  std::function<std::optional<std::string>()> moreLines;

 private:
  bool hasNextLine();
  bool idle();
  void executeNext();
  void malformed(const std::string& reason);

  std::string file_;
  std::vector<std::string> lines_;
  std::size_t next_ = 0;
  std::size_t lineNumber_ = 0;
  RunOptions options_;
  std::ostream& out_;
  std::ostream& err_;
  std::unique_ptr<SimDesktop> desktop_;
  std::unique_ptr<SimFaults> faults_;
  int status_ = 0;
  bool stopped_ = false;
  bool running_ = false;
  bool ended_ = false;
  bool sessionEnded_ = false;
  std::optional<int> exitCode_;
};

// Reads the file ("-": standard input) and runs it as runScenarioText does; 2 when it cannot be read.
int runScenarioFile(const std::string& file, const RunOptions& options, std::ostream& out, std::ostream& err);

// Runs scenario text on a fresh desktop; answers as ScenarioRunner::run.
int runScenarioText(const std::string& file, const std::string& text, const RunOptions& options, std::ostream& out,
                    std::ostream& err);

}  // namespace tessellor::sim
