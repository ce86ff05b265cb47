#include "platform/EventReads.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace tessellor {

namespace {

bool sameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// The label's SID points into the buffer it was read into: kept, it must point into the caller's.
void moveLabelSid(const unsigned char* from, void* to, DWORD length) {
  if (length < sizeof(TOKEN_MANDATORY_LABEL)) return;
  TOKEN_MANDATORY_LABEL label{};
  std::memcpy(&label, to, sizeof label);
  const auto sid = reinterpret_cast<std::uintptr_t>(label.Label.Sid);
  const auto base = reinterpret_cast<std::uintptr_t>(from);
  if (sid < base || sid - base >= length) return;
  label.Label.Sid = static_cast<unsigned char*>(to) + (sid - base);
  std::memcpy(to, &label, sizeof label);
}

}  // namespace

EventReads::~EventReads() { forget(); }

void EventReads::forget() {
  changed();
  for (const Process& p : processes_) {
    if (p.handle != nullptr) system_.CloseHandle(p.handle);
  }
  for (const Token& t : tokens_) {
    if (t.opened) system_.CloseHandle(t.token);
  }
  processes_.clear();
  times_.clear();
  tokens_.clear();
  tokenAnswers_.clear();
  // A folder once named stays where it is while the program runs; one the system could not name
  // is asked again, so that a passing failure does not send the files elsewhere for good.
  std::erase_if(folders_, [](const Folder& f) { return f.result != S_OK; });
}

void EventReads::changed() {
  windows_.clear();
  monitorInfo_.clear();
  rectMonitors_.clear();
  monitorsCounted_ = false;
  onlyMonitor_ = nullptr;
}

bool EventReads::isKeptHandle(HANDLE handle) const {
  if (handle == nullptr) return false;
  return std::any_of(processes_.begin(), processes_.end(), [&](const Process& p) { return p.handle == handle; }) ||
         std::any_of(tokens_.begin(), tokens_.end(), [&](const Token& t) { return t.opened && t.token == handle; });
}

// ---- window answers ----------------------------------------------------------------------------

namespace {

struct Listing {
  EventReads* reads;
  WNDENUMPROC callback;
  LPARAM lParam;
};

}  // namespace

BOOL EventReads::EnumWindows(WNDENUMPROC callback, LPARAM lParam) {
  Listing listing{this, callback, lParam};
  return system_.EnumWindows(
      [](HWND hwnd, LPARAM at) -> BOOL {
        Listing& l = *reinterpret_cast<Listing*>(at);
        l.reads->listed(hwnd);
        return l.callback(hwnd, l.lParam);
      },
      reinterpret_cast<LPARAM>(&listing));
}

void EventReads::listed(HWND hwnd) {
  Window& w = window(hwnd);
  if (!w.isWindow) w.isWindow = TRUE;
}

BOOL EventReads::IsWindow(HWND hwnd) {
  Window& w = window(hwnd);
  if (!w.isWindow) w.isWindow = system_.IsWindow(hwnd);
  return *w.isWindow;
}

BOOL EventReads::IsWindowVisible(HWND hwnd) {
  Window& w = window(hwnd);
  if (!w.isVisible) w.isVisible = system_.IsWindowVisible(hwnd);
  return *w.isVisible;
}

BOOL EventReads::IsIconic(HWND hwnd) {
  Window& w = window(hwnd);
  if (!w.isIconic) w.isIconic = system_.IsIconic(hwnd);
  return *w.isIconic;
}

BOOL EventReads::GetWindowRect(HWND hwnd, RECT* rect) {
  if (rect == nullptr) return system_.GetWindowRect(hwnd, rect);
  Window& w = window(hwnd);
  if (!w.rectRead) {
    RECT read{};
    w.rectRead = system_.GetWindowRect(hwnd, &read);
    w.rect = read;
  }
  // A failed call leaves the caller's record as it was.
  if (*w.rectRead) *rect = w.rect;
  return *w.rectRead;
}

DWORD EventReads::GetWindowThreadProcessId(HWND hwnd, DWORD* processId) {
  Window& w = window(hwnd);
  if (!w.thread) {
    DWORD id = 0;
    w.thread = system_.GetWindowThreadProcessId(hwnd, &id);
    w.processId = id;
  }
  if (processId != nullptr && *w.thread != 0) *processId = w.processId;
  return *w.thread;
}

BOOL EventReads::GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement) {
  if (placement == nullptr || placement->length != sizeof(WINDOWPLACEMENT)) {
    return system_.GetWindowPlacement(hwnd, placement);
  }
  Window& w = window(hwnd);
  if (!w.placementRead) {
    WINDOWPLACEMENT read{};
    read.length = sizeof read;
    w.placementRead = system_.GetWindowPlacement(hwnd, &read);
    w.placement = read;
  }
  if (*w.placementRead) *placement = w.placement;
  return *w.placementRead;
}

LONG_PTR EventReads::GetWindowLongPtrA(HWND hwnd, int index) {
  // Only the styles: the other slots include our own dialog's, which its procedure sets.
  if (index != GWL_STYLE && index != GWL_EXSTYLE) return system_.GetWindowLongPtrA(hwnd, index);
  Window& w = window(hwnd);
  std::optional<LONG_PTR>& kept = index == GWL_STYLE ? w.style : w.exStyle;
  if (!kept) kept = system_.GetWindowLongPtrA(hwnd, index);
  return *kept;
}

HWND EventReads::GetWindow(HWND hwnd, UINT cmd) {
  if (cmd != GW_OWNER) return system_.GetWindow(hwnd, cmd);
  Window& w = window(hwnd);
  if (!w.owner) w.owner = system_.GetWindow(hwnd, cmd);
  return *w.owner;
}

int EventReads::GetClassNameA(HWND hwnd, char* name, int maxCount) {
  if (name == nullptr || maxCount <= 0) return system_.GetClassNameA(hwnd, name, maxCount);
  Window& w = window(hwnd);
  if (!w.className) {
    // A class name is at most 256 characters.
    char whole[MAX_CLASS_NAME + 1] = {};
    const int length = system_.GetClassNameA(hwnd, whole, sizeof whole);
    w.className = std::string(whole, static_cast<std::size_t>(std::max(length, 0)));
  }
  const std::size_t copied = std::min<std::size_t>(w.className->size(), static_cast<std::size_t>(maxCount) - 1);
  std::memcpy(name, w.className->data(), copied);
  name[copied] = '\0';
  return static_cast<int>(copied);
}

UINT EventReads::GetDpiForWindow(HWND hwnd) {
  Window& w = window(hwnd);
  if (!w.dpi) w.dpi = system_.GetDpiForWindow(hwnd);
  return *w.dpi;
}

HRESULT EventReads::DwmGetWindowAttribute(HWND hwnd, DWORD attribute, void* value, DWORD size) {
  if (value == nullptr || size > kMostAttributeBytes)
    return system_.DwmGetWindowAttribute(hwnd, attribute, value, size);
  Window& w = window(hwnd);
  auto kept = std::find_if(w.attributes.begin(), w.attributes.end(),
                           [&](const Attribute& a) { return a.attribute == attribute && a.size == size; });
  if (kept == w.attributes.end()) {
    Attribute read{attribute, size, 0, {}};
    read.result = system_.DwmGetWindowAttribute(hwnd, attribute, read.bytes.data(), size);
    kept = w.attributes.insert(w.attributes.end(), read);
  }
  if (kept->result == S_OK) std::memcpy(value, kept->bytes.data(), size);
  return kept->result;
}

int EventReads::GetWindowRgn(HWND hwnd, HRGN region) {
  // Only "no region" is kept: a region is copied into the caller's.
  Window& w = window(hwnd);
  if (w.noRegion) return ERROR;
  const int kind = system_.GetWindowRgn(hwnd, region);
  w.noRegion = kind == ERROR;
  return kind;
}

HMONITOR EventReads::MonitorFromWindow(HWND hwnd, DWORD flags) {
  // On the one monitor there is, every window is on it or nearest to it.
  if (flags != MONITOR_DEFAULTTONULL && IsWindow(hwnd)) {
    if (const HMONITOR only = onlyMonitor()) return only;
  }
  Window& w = window(hwnd);
  auto kept = std::find_if(w.monitors.begin(), w.monitors.end(), [&](const auto& m) { return m.first == flags; });
  if (kept == w.monitors.end()) {
    kept = w.monitors.insert(w.monitors.end(), {flags, system_.MonitorFromWindow(hwnd, flags)});
  }
  return kept->second;
}

// ---- monitor answers ---------------------------------------------------------------------------

HMONITOR EventReads::onlyMonitor() {
  // Under Wine every monitor call first asks whether the displays changed, three calls to the
  // server; a desktop of one monitor is asked once how many there are.
  if (!monitorsCounted_) {
    monitorsCounted_ = true;
    monitorCount_ = system_.GetSystemMetrics(SM_CMONITORS);
    if (monitorCount_ == 1) {
      const RECT corner{0, 0, 1, 1};
      const HMONITOR only = system_.MonitorFromRect(&corner, MONITOR_DEFAULTTOPRIMARY);
      MONITORINFO info{};
      info.cbSize = sizeof info;
      if (only != nullptr && GetMonitorInfoA(only, &info)) {
        onlyMonitor_ = only;
        onlyMonitorRect_ = info.rcMonitor;
      }
    }
  }
  return onlyMonitor_;
}

int EventReads::GetSystemMetrics(int index) {
  if (index != SM_CMONITORS) return system_.GetSystemMetrics(index);
  onlyMonitor();
  return monitorCount_;
}

HMONITOR EventReads::MonitorFromRect(const RECT* rect, DWORD flags) {
  if (rect == nullptr) return system_.MonitorFromRect(rect, flags);
  if (const HMONITOR only = onlyMonitor()) {
    const RECT& m = onlyMonitorRect_;
    const bool meets = rect->left < m.right && m.left < rect->right && rect->top < m.bottom && m.top < rect->bottom &&
                       rect->left < rect->right && rect->top < rect->bottom;
    return meets || flags != MONITOR_DEFAULTTONULL ? only : nullptr;
  }
  for (const RectMonitor& m : rectMonitors_) {
    if (m.flags == flags && sameRect(m.rect, *rect)) return m.monitor;
  }
  const HMONITOR monitor = system_.MonitorFromRect(rect, flags);
  rectMonitors_.push_back({*rect, flags, monitor});
  return monitor;
}

BOOL EventReads::GetMonitorInfoA(HMONITOR monitor, MONITORINFO* info) {
  if (info == nullptr || info->cbSize != sizeof(MONITORINFO)) return system_.GetMonitorInfoA(monitor, info);
  MonitorRead& m = monitorInfo_[monitor];
  if (!m.read) {
    m.info.cbSize = sizeof m.info;
    m.read = system_.GetMonitorInfoA(monitor, &m.info);
  }
  if (*m.read) *info = m.info;
  return *m.read;
}

HRESULT EventReads::GetDpiForMonitor(HMONITOR monitor, int dpiType, UINT* dpiX, UINT* dpiY) {
  if (dpiX == nullptr || dpiY == nullptr) return system_.GetDpiForMonitor(monitor, dpiType, dpiX, dpiY);
  MonitorRead& m = monitorInfo_[monitor];
  if (!m.dpiResult || m.dpiType != static_cast<UINT>(dpiType)) {
    m.dpiType = static_cast<UINT>(dpiType);
    m.dpiResult = system_.GetDpiForMonitor(monitor, dpiType, &m.dpiX, &m.dpiY);
  }
  *dpiX = m.dpiX;
  *dpiY = m.dpiY;
  return *m.dpiResult;
}

// ---- answers kept for the event ----------------------------------------------------------------

HRESULT EventReads::SHGetFolderPathA(HWND owner, int csidl, HANDLE token, DWORD flags, char* path) {
  // Only the user's own folders: another user's token names other ones.
  if (token != nullptr || path == nullptr) return system_.SHGetFolderPathA(owner, csidl, token, flags, path);
  auto kept = std::find_if(folders_.begin(), folders_.end(),
                           [&](const Folder& f) { return f.csidl == csidl && f.flags == flags; });
  if (kept == folders_.end()) {
    char read[MAX_PATH] = {};
    const HRESULT result = system_.SHGetFolderPathA(owner, csidl, token, flags, read);
    read[MAX_PATH - 1] = '\0';
    kept = folders_.insert(folders_.end(), {csidl, flags, result, read});
  }
  if (kept->result == S_OK) std::memcpy(path, kept->path.c_str(), kept->path.size() + 1);
  return kept->result;
}

HANDLE EventReads::OpenProcess(DWORD access, BOOL inherit, DWORD processId) {
  for (const Process& p : processes_) {
    if (p.access == access && p.inherit == inherit && p.processId == processId) return p.handle;
  }
  const HANDLE handle = system_.OpenProcess(access, inherit, processId);
  processes_.push_back({access, inherit, processId, handle});
  return handle;
}

BOOL EventReads::CloseHandle(HANDLE handle) {
  // A kept handle is closed when the event's answers are forgotten.
  if (isKeptHandle(handle)) return TRUE;
  return system_.CloseHandle(handle);
}

BOOL EventReads::GetProcessTimes(HANDLE process, FILETIME* creation, FILETIME* exit, FILETIME* kernel, FILETIME* user) {
  if (!isKeptHandle(process) || creation == nullptr || exit == nullptr || kernel == nullptr || user == nullptr) {
    return system_.GetProcessTimes(process, creation, exit, kernel, user);
  }
  auto kept = std::find_if(times_.begin(), times_.end(), [&](const Times& t) { return t.process == process; });
  if (kept == times_.end()) {
    Times read{process, FALSE, {}};
    read.read = system_.GetProcessTimes(process, &read.times[0], &read.times[1], &read.times[2], &read.times[3]);
    kept = times_.insert(times_.end(), read);
  }
  if (kept->read) {
    *creation = kept->times[0];
    *exit = kept->times[1];
    *kernel = kept->times[2];
    *user = kept->times[3];
  }
  return kept->read;
}

BOOL EventReads::OpenProcessToken(HANDLE process, DWORD access, HANDLE* token) {
  // Our own process is named by a pseudo-handle that is never a kept one.
  if (token == nullptr || (!isKeptHandle(process) && process != system_.GetCurrentProcess())) {
    return system_.OpenProcessToken(process, access, token);
  }
  auto kept = std::find_if(tokens_.begin(), tokens_.end(),
                           [&](const Token& t) { return t.process == process && t.access == access; });
  if (kept == tokens_.end()) {
    Token read{process, access, FALSE, nullptr};
    read.opened = system_.OpenProcessToken(process, access, &read.token);
    kept = tokens_.insert(tokens_.end(), read);
  }
  if (kept->opened) *token = kept->token;
  return kept->opened;
}

BOOL EventReads::GetTokenInformation(HANDLE token, int infoClass, void* info, DWORD length, DWORD* returned) {
  const bool kept = infoClass == TokenElevation || infoClass == TokenIntegrityLevel || infoClass == TokenUIAccess;
  if (!kept || info == nullptr || returned == nullptr || !isKeptHandle(token)) {
    return system_.GetTokenInformation(token, infoClass, info, length, returned);
  }
  auto answer = std::find_if(tokenAnswers_.begin(), tokenAnswers_.end(), [&](const TokenAnswer& a) {
    return a.token == token && a.infoClass == infoClass && a.bytes.size() == length;
  });
  if (answer == tokenAnswers_.end()) {
    TokenAnswer read{token, infoClass, FALSE, 0, std::vector<unsigned char>(length)};
    read.read = system_.GetTokenInformation(token, infoClass, read.bytes.data(), length, &read.returned);
    answer = tokenAnswers_.insert(tokenAnswers_.end(), std::move(read));
  }
  *returned = answer->returned;
  if (!answer->read) return FALSE;
  std::memcpy(info, answer->bytes.data(), length);
  if (infoClass == TokenIntegrityLevel) moveLabelSid(answer->bytes.data(), info, length);
  return TRUE;
}

// ---- calls that may change what was read -------------------------------------------------------

// Nothing read before the call is trusted during it (a message it dispatches may read) or after it.
template <class Call>
auto EventReads::changing(Call call) {
  changed();
  const auto result = call();
  changed();
  return result;
}

BOOL EventReads::SetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT* placement) {
  return changing([&] { return system_.SetWindowPlacement(hwnd, placement); });
}

BOOL EventReads::SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  return changing([&] { return system_.SetWindowPos(hwnd, insertAfter, x, y, cx, cy, flags); });
}

void EventReads::placeWindows(std::span<WindowMove> moves) {
  changed();
  system_.placeWindows(moves);
  changed();
}

BOOL EventReads::ShowWindow(HWND hwnd, int showCmd) {
  return changing([&] { return system_.ShowWindow(hwnd, showCmd); });
}

HWND EventReads::SetActiveWindow(HWND hwnd) {
  return changing([&] { return system_.SetActiveWindow(hwnd); });
}

BOOL EventReads::SetForegroundWindow(HWND hwnd) {
  return changing([&] { return system_.SetForegroundWindow(hwnd); });
}

LONG_PTR EventReads::SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value) {
  return changing([&] { return system_.SetWindowLongPtrA(hwnd, index, value); });
}

LRESULT EventReads::SendMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return changing([&] { return system_.SendMessageA(hwnd, message, wParam, lParam); });
}

BOOL EventReads::GetMessageA(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax) {
  return changing([&] { return system_.GetMessageA(msg, hwnd, filterMin, filterMax); });
}

BOOL EventReads::IsDialogMessageA(HWND dialog, MSG* msg) {
  return changing([&] { return system_.IsDialogMessageA(dialog, msg); });
}

LRESULT EventReads::DispatchMessageA(const MSG* msg) {
  return changing([&] { return system_.DispatchMessageA(msg); });
}

int EventReads::MessageBoxA(HWND owner, const char* text, const char* caption, UINT type) {
  return changing([&] { return system_.MessageBoxA(owner, text, caption, type); });
}

INT_PTR EventReads::DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc,
                                    LPARAM initParam) {
  return changing([&] { return system_.DialogBoxParamA(instance, templateName, parent, proc, initParam); });
}

BOOL EventReads::TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, const RECT* rect) {
  return changing([&] { return system_.TrackPopupMenu(menu, flags, x, y, reserved, owner, rect); });
}

}  // namespace tessellor
