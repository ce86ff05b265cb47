#include "tools/sim/ScenarioRunner.h"

#include <algorithm>
#include <map>
#include <sstream>

#include "app/CommandLine.h"
#include "app/WinMain.h"
#include "tessellor_version.h"
#include "tools/sim/Printer.h"

namespace tessellor::sim {

namespace {

const std::map<std::string, Command>& commandTable() {
  static const std::map<std::string, Command> table = [] {
    std::map<std::string, Command> t;
    for (auto group : {desktopCommands(), programCommands(), lookCommands(), sessionCommands(), keyCommands(),
                       virtualDesktopCommands(), faultCommands()}) {
      for (const Command& c : group) t.emplace(c.name, c);
    }
    return t;
  }();
  return table;
}

// At most 16 digits: stoull must not overflow.
bool isHexHandle(const std::string& word) {
  return word.size() > 2 && word[0] == '0' && word[1] == 'x' &&
         word.find_first_not_of("0123456789abcdefABCDEF", 2) == std::string::npos && word.size() <= 18;
}

}  // namespace

ScenarioRunner::ScenarioRunner(std::string file, const std::string& text, RunOptions options, std::ostream& out,
                               std::ostream& err)
    : file_(std::move(file)),
      options_(std::move(options)),
      out_(out),
      err_(err),
      desktop_(std::make_unique<SimDesktop>()),
      faults_(std::make_unique<SimFaults>(*desktop_)) {
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines_.push_back(line);
  desktop_->onIdle = [this] { return idle(); };
  desktop_->onReport = [this](const std::string& line) { out_ << line << '\n'; };
  desktop_->onCall = [this](const PlacementCall& call) {
    if (!trace) return;
    static constexpr const char* kNames[] = {"SetWindowPlacement", "SetWindowPos", "SetActiveWindow"};
    out_ << "call " << kNames[static_cast<int>(call.kind)] << ' ' << desktop_->nameOf(call.hwnd);
    if (call.kind != PlacementCall::Kind::SetActiveWindow) {
      out_ << ' ' << rectText(call.rect);
    }
    out_ << '\n';
  };
}

ScenarioRunner::~ScenarioRunner() = default;

int ScenarioRunner::run() {
  while (!stopped_ && hasNextLine()) executeNext();
  out_.flush();
  return status_;
}

bool ScenarioRunner::hasNextLine() {
  if (next_ < lines_.size()) return true;
  if (!moreLines) return false;
  std::optional<std::string> line = moreLines();
  if (!line) return false;
  lines_.push_back(std::move(*line));
  return true;
}

// The program waits for input: run lines until one leaves a message for it, or none are left.
bool ScenarioRunner::idle() {
  while (!stopped_ && hasNextLine()) {
    executeNext();
    // A terminated process learns it from GetMessageA, in whichever loop it waits.
    if (!desktop_->queueEmpty() || desktop_->terminating() || desktop_->killed()) return true;
  }
  return false;
}

void ScenarioRunner::executeNext() {
  lineNumber_ = ++next_;
  LexResult lexed = lexLine(lines_[lineNumber_ - 1]);
  if (!lexed.error.empty()) return malformed(lexed.error);
  if (lexed.tokens.empty()) return;
  if (lexed.tokens.front().kind != Token::Kind::Word) return malformed("a line starts with a command");
  Args args(std::move(lexed.tokens));
  const auto& table = commandTable();
  auto it = table.find(args.command());
  if (it == table.end()) return malformed("unknown command " + args.command());
  it->second.run(*this, args);
  if (args.failed()) malformed(args.error());
}

void ScenarioRunner::malformed(const std::string& reason) {
  out_.flush();
  err_ << file_ << ':' << lineNumber_ << ": " << reason << '\n';
  status_ = 2;
  stopped_ = true;
}

void ScenarioRunner::expectFailed(const std::string& expected, const std::string& found) {
  out_.flush();
  err_ << file_ << ':' << lineNumber_ << ": expected " << expected << " found " << found << '\n';
  status_ = std::max(status_, 1);
}

HWND ScenarioRunner::livingWindow(Args& args, std::size_t i) {
  const std::optional<std::string> name = args.word(i);
  if (!name) return nullptr;
  const HWND hwnd = desktop_->handleOf(*name);
  if (hwnd == nullptr) args.fail("unknown window " + *name);
  return hwnd;
}

HWND ScenarioRunner::anyWindow(Args& args, std::size_t i) {
  const std::optional<std::string> name = args.word(i);
  if (!name) return nullptr;
  if (isHexHandle(*name)) return handleFromValue(std::stoull(name->substr(2), nullptr, 16));
  const HWND hwnd = desktop_->lastHandleOf(*name);
  if (hwnd == nullptr) args.fail("unknown window " + *name);
  return hwnd;
}

void ScenarioRunner::startProgram() {
  running_ = true;
  sessionEnded_ = false;
  desktop_->clearBalloons();
  const HookMessages messages = registerHookMessages(*desktop_);
  char commandLine[] = "";
  const auto instance = reinterpret_cast<HINSTANCE>(desktop_->GetModuleHandleA(nullptr));
  // Returns once the program's loop has ended: on WM_QUIT, or when the script has no more to say.
  std::optional<int> code;
  // The program reaches the desktop through the door whose calls a scenario can make fail.
  desktop_->setProgramDoor(faults_.get());
  try {
    code = WinMain(*faults_, messages, instance, nullptr, commandLine, 0);
  } catch (const ProcessKilled&) {
    // Ended from outside: no exit code, as after the session's end.
  }
  desktop_->setProgramDoor(nullptr);
  running_ = false;
  ended_ = true;
  exitCode_ = sessionEnded_ ? std::nullopt : code;
  desktop_->endProcess();
}

void ScenarioRunner::endSession() {
  const HWND dialog = desktop_->mainDialog();
  desktop_->SendMessageA(dialog, WM_QUERYENDSESSION, 0, 0);
  desktop_->SendMessageA(dialog, WM_ENDSESSION, TRUE, 0);
  sessionEnded_ = true;
  desktop_->terminateProcess();
}

void ScenarioRunner::closeApp() {
  const HWND dialog = desktop_->mainDialog();
  desktop_->SendMessageA(dialog, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP);
  desktop_->SendMessageA(dialog, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP);
}

std::optional<int> ScenarioRunner::runOtherCopy(const std::string& commandLine) {
  desktop_->setOtherCopy(true);
  const std::optional<int> code = runSwitch(*desktop_, commandLine.c_str(), TESSELLOR_VERSION_TEXT);
  desktop_->setOtherCopy(false);
  return code;
}

Shell* ScenarioRunner::shell() {
  if (!running_ || desktop_->mainDialog() == nullptr) return nullptr;
  return shellOf(*desktop_, desktop_->mainDialog());
}

}  // namespace tessellor::sim
