// A pseudo-random source defined bit for bit (SplitMix64), so that a seed gives the same events with
// every compiler and standard library; the standard distributions do not promise that.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>

namespace tessellor::fuzz {

class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}

  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }

  // 0 to n - 1; 0 when n < 1.
  int below(int n) { return n < 1 ? 0 : static_cast<int>(next() % static_cast<std::uint64_t>(n)); }

  // lo to hi, both included; lo when hi is below it.
  long long between(long long lo, long long hi) {
    if (hi <= lo) return lo;
    const auto span = static_cast<std::uint64_t>(hi - lo) + 1;
    return lo + static_cast<long long>(span == 0 ? next() : next() % span);
  }

  bool percent(int p) { return below(100) < p; }

  template <typename T>
  const T& pick(std::span<const T> items) {
    return items[static_cast<std::size_t>(below(static_cast<int>(items.size())))];
  }
  template <typename T>
  T pick(std::initializer_list<T> items) {
    return *(items.begin() + below(static_cast<int>(items.size())));
  }

  // An index into `weights`, each chosen in proportion to its weight.
  int weighted(std::span<const int> weights) {
    int total = 0;
    for (int w : weights) total += w;
    int r = below(total);
    for (std::size_t i = 0; i < weights.size(); ++i) {
      if (r < weights[i]) return static_cast<int>(i);
      r -= weights[i];
    }
    return 0;
  }

 private:
  std::uint64_t state_;
};

}  // namespace tessellor::fuzz
