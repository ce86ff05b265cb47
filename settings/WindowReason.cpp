#include "settings/WindowReason.h"

#include <cstring>

#include "settings/ApplicationWindow.h"
#include "settings/Eligibility.h"
#include "settings/RefusedTitles.h"
#include "settings/WindowShape.h"

namespace tessellor {

WindowVerdict windowReason(Platform& p, HWND dialog, HWND hwnd, ProgramNames& names) {
  if (!p.IsWindow(hwnd)) return {WindowReason::NotTaken, {}};
  if (isFullScreenWindow(p, hwnd)) return {WindowReason::FullScreen, {}};
  if (!p.IsWindowVisible(hwnd)) return {WindowReason::Hidden, {}};
  if (p.IsIconic(hwnd)) return {WindowReason::Minimized, {}};
  if (!isOnShownDesktop(p, hwnd)) return {WindowReason::OtherDesktop, {}};
  if (isCloakedWindow(p, hwnd)) return {WindowReason::Cloaked, {}};
  if (!isTaskbarKind(p, hwnd)) return {WindowReason::Tool, {}};
  if (!hasSizingBorder(p, hwnd)) return {WindowReason::FixedSize, {}};
  if (!mayMoveWindow(p, hwnd)) return {WindowReason::HigherRights, {}};
  return listReason(p, dialog, hwnd, names);
}

WindowVerdict listReason(Platform& p, HWND dialog, HWND hwnd, ProgramNames& names) {
  char title[100] = {};
  p.GetWindowTextA(hwnd, title, sizeof title);
  // A window whose program cannot be asked is tested under the empty name.
  char programName[100] = {};
  names.programName(p, hwnd, programName, sizeof programName);
  // The excluded list is asked after the title: it is a message to the dialog.
  if (std::optional<std::string> rule = excludingEntry(p, dialog, hwnd, title, programName)) {
    return {WindowReason::Excluded, std::move(*rule)};
  }
  RECT rect{};
  p.GetWindowRect(hwnd, &rect);
  if (isTitleRefused(title, AutoAdd) || std::strcmp(programName, "sidebar.exe") == 0 || IsRectEmpty(&rect)) {
    return {WindowReason::NotTaken, {}};
  }
  return {};
}

}  // namespace tessellor
