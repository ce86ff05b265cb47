// Virtual desktops: which one is shown, which desktop each window is on, and what the virtual
// desktop manager answers about them.
#include "platform/sim/SimDesktop.h"

#include <cstring>

namespace tessellor::sim {

bool SimDesktop::offDesktop(const Window& w) const { return !w.ownedByProgram && w.desktop != shownDesktop_; }

SimDesktop::DesktopChange SimDesktop::switchDesktop(const std::string& desktop) {
  DesktopChange change;
  for (const Window& w : windows_) {
    if (!w.alive || w.ownedByProgram) continue;
    const bool wasOff = w.desktop != shownDesktop_;
    const bool isOff = w.desktop != desktop;
    if (!wasOff && isOff) change.cloaked.push_back(w.handle);
    if (wasOff && !isOff) change.uncloaked.push_back(w.handle);
  }
  shownDesktop_ = desktop;
  return change;
}

SimDesktop::DesktopChange SimDesktop::moveToDesktop(HWND hwnd, const std::string& desktop) {
  DesktopChange change;
  Window* w = find(hwnd);
  if (w == nullptr || w->ownedByProgram) return change;
  const bool wasOff = offDesktop(*w);
  w->desktop = desktop;
  const bool isOff = offDesktop(*w);
  if (!wasOff && isOff) change.cloaked.push_back(hwnd);
  if (wasOff && !isOff) change.uncloaked.push_back(hwnd);
  return change;
}

HRESULT SimDesktop::IsWindowOnCurrentVirtualDesktop(HWND hwnd, BOOL* onCurrentDesktop) {
  const Window* w = find(hwnd);
  if (w == nullptr || onCurrentDesktop == nullptr) return E_INVALIDARG;
  *onCurrentDesktop = offDesktop(*w) ? FALSE : TRUE;
  return S_OK;
}

HRESULT SimDesktop::GetWindowDesktopId(HWND hwnd, GUID* desktopId) {
  const Window* w = find(hwnd);
  if (w == nullptr || desktopId == nullptr) return E_INVALIDARG;
  const std::string& name = w->ownedByProgram ? shownDesktop_ : w->desktop;
  const auto id = desktopIds_.try_emplace(name, static_cast<DWORD>(desktopIds_.size() + 1)).first;
  *desktopId = GUID{id->second, 0x5e57, 0xde5c, {0x80, 0, 0, 0, 0, 0, 0, 0}};
  return S_OK;
}

std::string SimDesktop::desktopNameOf(const GUID& id) const {
  for (const auto& [name, number] : desktopIds_) {
    const GUID named{number, 0x5e57, 0xde5c, {0x80, 0, 0, 0, 0, 0, 0, 0}};
    if (std::memcmp(&named, &id, sizeof id) == 0) return name;
  }
  return "";
}

}  // namespace tessellor::sim
