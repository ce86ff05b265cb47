// libFuzzer: any bytes as a scenario file. Each line is lexed, and the whole text is run through the
// scenario runner and the real program over the simulated desktop: malformed lines must be refused,
// and whatever the well-formed ones make the program do must stay defined.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <ostream>
#include <string>
#include <string_view>

#include "tools/sim/ScenarioLexer.h"
#include "tools/sim/ScenarioRunner.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    const tessellor::sim::LexResult lexed = tessellor::sim::lexLine(std::string_view(text).substr(start, end - start));
    // A word never holds a blank, a quote or a comment sign.
    for (const tessellor::sim::Token& token : lexed.tokens) {
      if (token.kind == tessellor::sim::Token::Kind::Word &&
          (token.text.empty() || token.text.find_first_of(" \t\r\v\f\"#") != std::string::npos)) {
        std::abort();
      }
    }
    start = end + 1;
  }
  std::ostream discard(nullptr);
  tessellor::sim::runScenarioText("fuzz.scn", text, tessellor::sim::RunOptions{}, discard, discard);
  return 0;
}
