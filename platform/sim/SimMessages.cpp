// The message queue and loop. The queue is filled by the runner and by the program; when it runs
// dry, GetMessageA asks onIdle for more (the runner executes script lines meanwhile).
#include "platform/sim/SimDesktop.h"

namespace tessellor::sim {

namespace {

constexpr UINT kFirstRegisteredMessage = 0xC000;

}  // namespace

void SimDesktop::postMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  queue_.push_back(MSG{hwnd, message, wParam, lParam, 0, POINT{0, 0}});
}

UINT SimDesktop::RegisterWindowMessageA(const char* name) {
  if (name == nullptr || *name == '\0') return 0;
  auto [it, added] = registered_.emplace(name, 0);
  if (added) it->second = kFirstRegisteredMessage + static_cast<UINT>(registered_.size() - 1);
  return it->second;
}

UINT SimDesktop::registeredMessage(const std::string& name) const {
  auto it = registered_.find(name);
  return it == registered_.end() ? 0 : it->second;
}

BOOL SimDesktop::GetMessageA(MSG* msg, HWND /*hwnd*/, UINT /*filterMin*/, UINT /*filterMax*/) {
  for (;;) {
    if (killed_) throw ProcessKilled{};
    if (terminating_) {
      *msg = MSG{};
      return -1;
    }
    if (!queue_.empty()) {
      *msg = queue_.front();
      queue_.pop_front();
      return msg->message == WM_QUIT ? FALSE : TRUE;
    }
    // As in Windows, the quit message comes only once the queue is empty.
    if (quitPending_) {
      quitPending_ = false;
      *msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(quitCode_), 0, 0, POINT{0, 0}};
      return FALSE;
    }
    if (!onIdle || !onIdle()) {
      *msg = MSG{};
      return -1;
    }
  }
}

BOOL SimDesktop::IsDialogMessageA(HWND dialog, MSG* msg) {
  if (msg == nullptr || msg->hwnd != dialog || dialogOf(dialog) == nullptr) return FALSE;
  callDialog(dialog, msg->message, msg->wParam, msg->lParam);
  return TRUE;
}

LRESULT SimDesktop::DispatchMessageA(const MSG* msg) {
  if (msg == nullptr || dialogOf(msg->hwnd) == nullptr) return 0;
  return callDialog(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

void SimDesktop::PostQuitMessage(int exitCode) {
  quitPending_ = true;
  quitCode_ = exitCode;
}

bool SimDesktop::postHookEvent(UINT message, WPARAM wParam, LPARAM lParam) {
  if (hookTarget_ == nullptr || message == 0 || hookMessagesLost_) return false;
  postMessage(hookTarget_, message, wParam, lParam);
  return true;
}

BOOL SimDesktop::setMyHook(HWND target) {
  hookTarget_ = target;
  return TRUE;
}

BOOL SimDesktop::clearMyHook(HWND /*target*/) {
  hookTarget_ = nullptr;
  return TRUE;
}

void SimDesktop::endProcess() {
  for (Window& w : windows_) {
    if (w.alive && w.ownedByProgram) destroyWindow(w.handle);
  }
  dialogs_.clear();
  modalStack_.clear();
  mainDialog_ = nullptr;
  queue_.clear();
  quitPending_ = false;
  hotkeys_.clear();
  tray_.reset();
  openMenuItems_.reset();
  menuOwner_ = nullptr;
  menus_.clear();
  hookTarget_ = nullptr;
  registry_.closeAll();
  mutexes_.clear();
  terminating_ = false;
  killed_ = false;
  restart_.reset();
  openProcesses_.clear();
  openTokens_.clear();
  regions_.clear();
  timers_.clear();
}

void SimDesktop::report(const std::string& line) {
  reports_.push_back(line);
  if (onReport) onReport(line);
}

}  // namespace tessellor::sim
