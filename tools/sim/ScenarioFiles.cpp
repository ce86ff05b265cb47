// Reading a scenario and running it on a fresh desktop, whose files live in memory.
#include <fstream>
#include <iostream>
#include <iterator>

#include "tools/sim/ScenarioRunner.h"

namespace tessellor::sim {

int runScenarioText(const std::string& file, const std::string& text, const RunOptions& options, std::ostream& out,
                    std::ostream& err) {
  ScenarioRunner runner(file, text, options, out, err);
  if (options.prepare) options.prepare(runner);
  return runner.run();
}

int runScenarioFile(const std::string& file, const RunOptions& options, std::ostream& out, std::ostream& err) {
  std::string text;
  if (file == "-") {
    text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
  } else {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
      err << file << ": cannot read the scenario\n";
      return 2;
    }
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  return runScenarioText(file, text, options, out, err);
}

}  // namespace tessellor::sim
