// Each scenario runs in a working directory of its own, so that settings.dat is a real file that
// starts absent, and nothing it writes outlives it.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

#include "tools/sim/ScenarioRunner.h"

namespace tessellor::sim {

namespace {

class ScratchDirectory {
 public:
  ScratchDirectory() : previous_(std::filesystem::current_path()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "tessellor-sim-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) {
      path_ = pattern;
      std::filesystem::current_path(path_);
    }
  }
  ~ScratchDirectory() {
    std::error_code error;
    std::filesystem::current_path(previous_, error);
    if (!path_.empty()) std::filesystem::remove_all(path_, error);
  }
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;
  bool ok() const { return !path_.empty(); }

 private:
  std::filesystem::path previous_;
  std::filesystem::path path_;
};

}  // namespace

int runScenarioText(const std::string& file, const std::string& text, const RunOptions& options, std::ostream& out,
                    std::ostream& err) {
  RunOptions absolute = options;
  if (!absolute.svgDirectory.empty()) absolute.svgDirectory = std::filesystem::absolute(options.svgDirectory).string();
  ScratchDirectory scratch;
  if (!scratch.ok()) {
    err << file << ": cannot make a working directory\n";
    return 2;
  }
  ScenarioRunner runner(file, text, absolute, out, err);
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
