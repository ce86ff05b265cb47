// tessellor-sim [--svg DIR] FILE.scn...   ('-' reads standard input)
#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "tools/sim/ScenarioRunner.h"

int main(int argc, char** argv) {
  tessellor::sim::RunOptions options;
  std::vector<std::string> files;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--svg" && i + 1 < argc) {
      options.svgDirectory = argv[++i];
    } else if (arg.starts_with("--svg=")) {
      options.svgDirectory = arg.substr(6);
    } else {
      files.push_back(arg);
    }
  }
  if (files.empty()) {
    std::cerr << "usage: tessellor-sim [--svg DIR] FILE.scn...\n";
    return 2;
  }
  int status = 0;
  for (const std::string& file : files) {
    status = std::max(status, tessellor::sim::runScenarioFile(file, options, std::cout, std::cerr));
  }
  return status;
}
