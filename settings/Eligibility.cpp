#include "settings/Eligibility.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "resources/resource_ids.h"
#include "settings/ApplicationWindow.h"
#include "settings/ExcludedEntries.h"
#include "settings/RefusedTitles.h"
#include "settings/SettingsFile.h"
#include "settings/WindowReason.h"
#include "settings/WindowShape.h"

namespace tessellor {

namespace {

// One question to the system, which any process answers, elevated ones too: the path of the image
// its process was started from. The buffer is written only with a name.
bool getImageBaseName(Platform& platform, DWORD processId, char* name, DWORD size) {
  HANDLE process = platform.OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (process == nullptr) return false;
  char path[MAX_PATH] = {};
  DWORD length = sizeof path;
  const bool ok = platform.QueryFullProcessImageNameA(process, 0, path, &length) != FALSE;
  platform.CloseHandle(process);
  if (!ok || size == 0) return false;
  std::string_view full(path, std::strlen(path));
  const std::size_t slash = full.find_last_of("\\/");
  const std::string_view base = slash == std::string_view::npos ? full : full.substr(slash + 1);
  const std::size_t copied = std::min<std::size_t>(base.size(), size - 1);
  if (copied == 0) return false;
  std::memcpy(name, base.data(), copied);
  name[copied] = '\0';
  return true;
}

}  // namespace

bool getProgramName(Platform& platform, HWND hwnd, char* name, DWORD size) {
  if (hwnd == nullptr) return false;
  DWORD processId = 0;
  if (platform.GetWindowThreadProcessId(hwnd, &processId) == 0) return false;
  // The executable's name is the image's: asked first, as listing another process's modules reads
  // its memory, several milliseconds a process under Wine, for every program of a layout's start.
  if (getImageBaseName(platform, processId, name, size)) return true;
  HANDLE process = platform.OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
  if (process == nullptr) return false;
  HMODULE module = nullptr;
  DWORD needed = 0;
  // An HMODULE is a handle, not a record: the list is counted in its bytes.
  if (!platform.EnumProcessModules(process, &module, sizeof module, &needed)) {  // NOLINT(bugprone-sizeof-expression)
    platform.CloseHandle(process);
    return false;
  }
  const DWORD copied = platform.GetModuleBaseNameA(process, module, name, size);
  platform.CloseHandle(process);
  return copied > 0;
}

namespace {

// The index in `entries` (the list's items) of the first program entry that is the name; LB_ERR for
// none. The list box's own search keeps the letter-case rule program names always had; an item it
// finds may be a rule of that spelling.
LRESULT programEntry(Platform& platform, HWND dialog, const char* name, const std::vector<std::string>& entries) {
  LRESULT after = -1;
  for (;;) {
    const LRESULT found = platform.SendDlgItemMessageA(dialog, IDC_EXCLUDED_LIST, LB_FINDSTRINGEXACT,
                                                       static_cast<WPARAM>(after), reinterpret_cast<LPARAM>(name));
    // The search wraps round to the top: an index not past the last one found is none new.
    if (found == LB_ERR || found <= after || static_cast<std::size_t>(found) >= entries.size()) return LB_ERR;
    if (entryKind(entries[static_cast<std::size_t>(found)]) == EntryKind::Program) return found;
    after = found;
  }
}

}  // namespace

bool isProgramAllowed(Platform& platform, HWND dialog, const char* name) {
  return programEntry(platform, dialog, name, excludedEntries(platform, dialog)) == LB_ERR;
}

std::optional<std::string> excludingEntry(Platform& platform, HWND dialog, HWND hwnd, const char* title,
                                          const char* programName) {
  const std::vector<std::string> entries = excludedEntries(platform, dialog);
  const LRESULT program = programEntry(platform, dialog, programName, entries);
  std::optional<std::string> className;  // asked only of a list with a class rule
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const std::string& entry = entries[i];
    if (static_cast<LRESULT>(i) == program) return entry;
    if (entryKind(entry) == EntryKind::Title && titleMatches(title, entryText(entry))) return entry;
    if (entryKind(entry) == EntryKind::Class) {
      if (!className) {
        char name[257] = {};  // the longest class name and its terminating zero
        className = platform.GetClassNameA(hwnd, name, sizeof name) > 0 ? name : "";
      }
      // A class that cannot be read is no class at all, not the empty one.
      if (!className->empty() && classMatches(*className, entryText(entry))) return entry;
    }
  }
  return std::nullopt;
}

bool isWindowEligible(Platform& platform, HWND dialog, HWND hwnd, ProgramNames& names, bool* unmovable) {
  const WindowReason reason = windowReason(platform, dialog, hwnd, names).reason;
  // Refused only because Tessellor may not move it: nothing of the list refuses it too.
  if (reason == WindowReason::HigherRights && unmovable != nullptr) {
    *unmovable = listReason(platform, dialog, hwnd, names).reason == WindowReason::None;
  }
  return reason == WindowReason::None;
}

}  // namespace tessellor
