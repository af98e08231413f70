// Filters: a state-variable filter that may be swept per sample, and a one-pole smoother.
#pragma once

namespace assetgen {

enum class FilterMode { kLow, kBand, kHigh, kNotch };

// Topology-preserving state-variable filter (12 dB/octave), stable under fast modulation.
class Svf {
 public:
  // `cutoffHz` is clamped to 10 Hz .. 0.45 * rate; `q` >= 0.5 (0.707 flat, higher rings).
  // Low and high pass have unity gain in their pass band; the band pass peaks at gain `q`.
  void Set(float cutoffHz, float q);
  float Process(float x, FilterMode mode);

 private:
  float g_ = 0.0f, k_ = 1.4f, a1_ = 1.0f, a2_ = 0.0f, a3_ = 0.0f;
  float ic1_ = 0.0f, ic2_ = 0.0f;
};

// One-pole low-pass (6 dB/octave); High() gives the complementary high-pass.
class OnePole {
 public:
  void Set(float cutoffHz);
  float Low(float x);
  float High(float x) { return x - Low(x); }

 private:
  float a_ = 1.0f;
  float z_ = 0.0f;
};

}  // namespace assetgen
