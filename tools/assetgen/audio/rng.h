// A small seeded random generator (splitmix64) so that every sound renders the same every time.
#pragma once

#include <cstdint>

namespace assetgen {

class Rng {
 public:
  explicit Rng(uint64_t seed) : state_(seed) {}

  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // Uniform in [0, 1).
  float Uniform() { return static_cast<float>(Next() >> 40) * (1.0f / 16777216.0f); }
  // Uniform in [-1, 1).
  float Bipolar() { return Uniform() * 2.0f - 1.0f; }
  // Uniform integer in [0, n); n must be positive.
  int Below(int n) { return static_cast<int>(Next() % static_cast<uint64_t>(n)); }

 private:
  uint64_t state_;
};

}  // namespace assetgen
