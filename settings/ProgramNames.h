// The program names of the windows' processes, each asked of its process once. Under Wine every
// EnumProcessModules reads the other process's memory, several milliseconds a call under load, and
// a layout's start asks it for every window of the same program.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace tessellor {

class ProgramNames {
 public:
  // As getProgramName. A process asked before (the same id and creation time, so never a later
  // process given the same id) answers what it answered then.
  bool programName(Platform& platform, HWND hwnd, char* name, DWORD size);

  // Enough for every program on a desktop; the oldest is forgotten first.
  static constexpr std::size_t kMostKnown = 64;

 private:
  struct Known {
    DWORD processId = 0;
    std::uint64_t started = 0;
    bool found = false;
    std::string name;  // whole, as the process told it
  };
  std::vector<Known> known_;
};

}  // namespace tessellor
