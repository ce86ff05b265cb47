// Plays random events through the real program over the simulated desktop, one seed at a time, and
// checks the program's rules after every event.
#pragma once

#include <cstdint>
#include <string>

#include "tools/check/Invariants.h"
#include "tools/fuzz/EventGenerator.h"

namespace tessellor::fuzz {

using check::Findings;

struct SeedOutcome {
  int events = 0;            // lines played
  Findings findings;         // empty: every rule held after every event
  std::string scenarioPath;  // kept only when something was found
};

// Runs `events` lines for one seed in a fresh working directory. The lines go to
// DIRECTORY/fuzz-seed-SEED.scn as they are played, so that even a crash leaves its scenario behind;
// the file is removed when nothing was found (unless `keep`), and otherwise ends with the finding and prints of the
// state, so that tessellor-sim replays it.
SeedOutcome runSeed(std::uint64_t seed, int events, const std::string& directory, bool keep = false,
                    GeneratorOptions generator = {});

}  // namespace tessellor::fuzz
