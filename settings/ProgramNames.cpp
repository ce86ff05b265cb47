#include "settings/ProgramNames.h"

#include <algorithm>
#include <cstring>

#include "settings/Eligibility.h"
#include "settings/WindowIdentity.h"

namespace tessellor {

namespace {

bool copyName(const std::string& from, char* name, DWORD size) {
  if (size == 0) return false;
  const std::size_t copied = std::min<std::size_t>(from.size(), size - 1);
  std::memcpy(name, from.data(), copied);
  name[copied] = '\0';
  return copied > 0;
}

}  // namespace

bool ProgramNames::programName(Platform& platform, HWND hwnd, char* name, DWORD size) {
  DWORD processId = 0;
  if (hwnd == nullptr || platform.GetWindowThreadProcessId(hwnd, &processId) == 0) return false;
  const std::uint64_t started = readProcessStart(platform, processId);
  // Without its creation time a process cannot be told from a later one with its id: asked each time.
  if (started == 0) return getProgramName(platform, hwnd, name, size);
  const auto known = std::find_if(known_.begin(), known_.end(),
                                  [&](const Known& k) { return k.processId == processId && k.started == started; });
  if (known != known_.end()) {
    if (known->found) return copyName(known->name, name, size);
    // Not known then; asked again, as the process may answer now that it has started.
    known_.erase(known);
  }
  char whole[MAX_PATH] = {};
  Known asked{processId, started, getProgramName(platform, hwnd, whole, sizeof whole), {}};
  asked.name = whole;
  if (known_.size() >= kMostKnown) known_.erase(known_.begin());
  known_.push_back(asked);
  return asked.found ? copyName(asked.name, name, size) : false;
}

}  // namespace tessellor
