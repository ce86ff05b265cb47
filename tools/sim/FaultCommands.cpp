// The `fail` line: a call of the program's door fails once, every time from now on, or no more.
#include "tools/sim/ScenarioRunner.h"

namespace tessellor::sim {

namespace {

void fail(ScenarioRunner& r, Args& a) {
  static constexpr const char* kModes[] = {"once", "always", "never"};
  if (!a.count(2, 2)) return;
  const std::optional<std::string> call = a.word(0);
  const std::optional<int> mode = a.choice(1, kModes);
  if (!call || !mode) return;
  if (!SimFaults::canFail(*call)) {
    a.fail("no call " + *call + " that can fail");
    return;
  }
  if (*mode == 2) {
    r.faults().stop(*call);
  } else {
    r.faults().fail(*call, *mode == 0 ? SimFaults::Mode::Once : SimFaults::Mode::Always);
  }
}

constexpr Command kCommands[] = {
    {"fail", fail},
};

}  // namespace

std::span<const Command> faultCommands() { return kCommands; }

}  // namespace tessellor::sim
