// libFuzzer: any bytes as restore.dat. The parser must refuse or accept them without reading past
// them or stopping the program, and what it accepts must be exactly what the writer makes of it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "settings/RestoreFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto windows = tessellor::parseRestoreFile(bytes);
  if (!windows) return 0;
  if (windows->size() > tessellor::MAX_KEPT_WINDOWS) std::abort();
  if (tessellor::restoreFileBytes(*windows) != bytes) std::abort();
  for (const tessellor::KeptWindow& w : *windows) {
    if (w.id.hwnd == nullptr) std::abort();
  }
  return 0;
}
