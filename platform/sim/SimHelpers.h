// Small pieces the simulated desktop's sources share.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string_view>

namespace tessellor::sim {

// Writes as much of `source` as fits in `size` bytes, then a terminating zero, as the ...A text
// calls do; answers the characters written (0, and nothing written, when there is no room).
inline std::size_t copyText(std::string_view source, char* out, std::int64_t size) {
  if (out == nullptr || size <= 0) return 0;
  const std::size_t n = std::min(source.size(), static_cast<std::size_t>(size - 1));
  std::memcpy(out, source.data(), n);
  out[n] = '\0';
  return n;
}

// Coordinates stop at the ends of the 32-bit range: a window pushed past them stays at the edge
// of what a RECT can say, as the sum of two coordinates may not fit one.
inline int saturated(std::int64_t value) {
  return static_cast<int>(
      std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

}  // namespace tessellor::sim
