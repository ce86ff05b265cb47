// Another copy of the program, started with a switch while the program runs or not: finding the
// running copy's dialog, asking it to end, waiting for it; and the Restart Manager's registration.
#include "platform/sim/SimDesktop.h"
#include "platform/sim/SimHelpers.h"

namespace tessellor::sim {

namespace {

constexpr DWORD kOtherCopyPid = 0x0FF0;

}  // namespace

HWND SimDesktop::FindWindowExA(HWND parent, HWND childAfter, const char* className, const char* windowName) {
  if (parent != nullptr) return nullptr;  // only top-level windows are looked for
  bool past = childAfter == nullptr;
  for (const Window& w : windows_) {
    if (!past) {
      past = w.handle == childAfter;
      continue;
    }
    if (!w.alive) continue;
    char name[256] = {};
    GetClassNameA(w.handle, name, sizeof name);
    if (className != nullptr && std::string_view(name) != className) continue;
    if (windowName != nullptr && textOf(w.handle) != windowName) continue;
    return w.handle;
  }
  return nullptr;
}

BOOL SimDesktop::PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const Window* w = find(hwnd);
  if (w == nullptr) {
    lastError_ = ERROR_INVALID_WINDOW_HANDLE;
    return FALSE;
  }
  // Other programs' windows take the message and do nothing the desktop shows.
  if (w->ownedByProgram) postMessage(hwnd, message, wParam, lParam);
  return TRUE;
}

DWORD SimDesktop::GetCurrentProcessId() {
  if (otherCopy_) return kOtherCopyPid;
  const Window* dialog = find(mainDialog_);
  return dialog != nullptr ? dialog->pid : 0;
}

DWORD SimDesktop::WaitForSingleObject(HANDLE handle, DWORD /*milliseconds*/) {
  if (!openProcesses_.contains(reinterpret_cast<std::uintptr_t>(handle))) return WAIT_FAILED;
  const Window* dialog = find(mainDialog_);
  // Other programs run on; so does a program that does not end on what it was asked.
  if (dialog == nullptr || processOfHandle(handle) != dialog->pid) return WAIT_TIMEOUT;
  // Meanwhile the program takes what was posted to it, as its message loop would.
  while (!queue_.empty() && !quitPending_) {
    const MSG msg = queue_.front();
    queue_.pop_front();
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    DispatchMessageA(&msg);
  }
  // Its exit sequence has run: the process ends as soon as its loop sees the quit message.
  return quitPending_ ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
}

LONG SimDesktop::RegDeleteValueA(HKEY key, const char* valueName) {
  if (killed_) return ERROR_ACCESS_DENIED;
  return registry_.remove(key, valueName);
}

HRESULT SimDesktop::RegisterApplicationRestart(const WCHAR* commandLine, DWORD flags) {
  std::string text;
  for (const WCHAR* c = commandLine; c != nullptr && *c != 0; ++c) text.push_back(static_cast<char>(*c));
  restart_ = Restart{text, flags};
  return S_OK;
}

}  // namespace tessellor::sim
