// tessellor-fuzz [--seeds N] [--events N] [--first-seed S] [--out DIR] [--keep] [--windows10] [--faults]
// Plays N seeds of random events each through the program and checks its rules after every event.
// Exit status 0 when nothing was found, 1 otherwise (each finding names a scenario that replays it).
// --keep keeps every seed's scenario file, not only those with findings. --windows10 adds work areas,
// monitors, frames and the other kinds of windows of Windows 10 and 11 to the random desktops.
// --faults makes each call of the program that can fail fail once in a hundred.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "tools/fuzz/FuzzRun.h"

namespace {

bool readNumber(const char* text, unsigned long long& out) {
  char* end = nullptr;
  out = std::strtoull(text, &end, 10);
  return end != text && *end == '\0';
}

}  // namespace

int main(int argc, char** argv) {
  unsigned long long seeds = 20;
  unsigned long long events = 250;
  unsigned long long firstSeed = 1;
  std::string out = ".";
  bool keep = false;
  tessellor::fuzz::GeneratorOptions generator;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    bool ok = hasValue;
    if (arg == "--keep") {
      keep = ok = true;
    } else if (arg == "--windows10") {
      generator.windows10 = ok = true;
    } else if (arg == "--faults") {
      generator.faults = ok = true;
    } else if (arg == "--seeds" && hasValue) {
      ok = readNumber(argv[++i], seeds);
    } else if (arg == "--events" && hasValue) {
      ok = readNumber(argv[++i], events) && events <= 100'000'000;
    } else if (arg == "--first-seed" && hasValue) {
      ok = readNumber(argv[++i], firstSeed);
    } else if (arg == "--out" && hasValue) {
      out = argv[++i];
    } else {
      ok = false;
    }
    if (!ok) {
      std::fprintf(stderr,
                   "usage: tessellor-fuzz [--seeds N] [--events N] [--first-seed S] [--out DIR] [--keep] [--windows10] "
                   "[--faults]\n");
      return 2;
    }
  }
  // A finding's lines are all it leaves: a folder they cannot go to ends the run before it plays.
  std::error_code made;
  std::filesystem::create_directories(out, made);
  if (made || !std::filesystem::is_directory(out)) {
    std::fprintf(stderr, "tessellor-fuzz: cannot write to %s\n", out.c_str());
    return 2;
  }
  // A sanitizer report ends the process at once; the file of the seed it was playing is then the
  // one left behind.
  std::fprintf(stderr, "tessellor-fuzz: seeds %llu to %llu, their lines in %s/fuzz-seed-SEED.scn while they play\n",
               firstSeed, firstSeed + seeds - 1, out.c_str());
  unsigned long long played = 0;
  unsigned long long failed = 0;
  for (unsigned long long seed = firstSeed; seed < firstSeed + seeds; ++seed) {
    const tessellor::fuzz::SeedOutcome outcome =
        tessellor::fuzz::runSeed(seed, static_cast<int>(events), out, keep, generator);
    played += static_cast<unsigned long long>(outcome.events);
    if (outcome.findings.empty()) continue;
    ++failed;
    std::fprintf(stderr, "seed %llu, event %d: %s\n", seed, outcome.events, outcome.findings.front().c_str());
    for (std::size_t k = 1; k < outcome.findings.size() && k < 5; ++k) {
      std::fprintf(stderr, "  also: %s\n", outcome.findings[k].c_str());
    }
    std::fprintf(stderr, "  replay: tessellor-sim %s\n", outcome.scenarioPath.c_str());
  }
  std::printf("tessellor-fuzz: %llu seeds from %llu, %llu events, %llu with findings\n", seeds, firstSeed, played,
              failed);
  return failed == 0 ? 0 : 1;
}
