// State-variable and one-pole filters.
#include "audio/filter.h"

#include <algorithm>
#include <cmath>

#include "audio/signal.h"

namespace assetgen {

void Svf::Set(float cutoffHz, float q) {
  float fc = std::clamp(cutoffHz, 10.0f, 0.45f * kSampleRate);
  g_ = std::tan(kPi * fc / kSampleRate);
  k_ = 1.0f / std::max(q, 0.5f);
  a1_ = 1.0f / (1.0f + g_ * (g_ + k_));
  a2_ = g_ * a1_;
  a3_ = g_ * a2_;
}

float Svf::Process(float x, FilterMode mode) {
  float v3 = x - ic2_;
  float v1 = a1_ * ic1_ + a2_ * v3;
  float v2 = ic2_ + a2_ * ic1_ + a3_ * v3;
  ic1_ = 2.0f * v1 - ic1_;
  ic2_ = 2.0f * v2 - ic2_;
  switch (mode) {
    case FilterMode::kLow: return v2;
    case FilterMode::kBand: return v1;
    case FilterMode::kHigh: return x - k_ * v1 - v2;
    case FilterMode::kNotch: return x - k_ * v1;
  }
  return v2;
}

void OnePole::Set(float cutoffHz) {
  float fc = std::clamp(cutoffHz, 1.0f, 0.45f * kSampleRate);
  a_ = 1.0f - std::exp(-2.0f * kPi * fc / kSampleRate);
}

float OnePole::Low(float x) {
  z_ += a_ * (x - z_);
  return z_;
}

}  // namespace assetgen
