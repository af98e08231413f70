// Oscillators: polyBLEP-corrected saw, square and pulse, plus sine, triangle and an FM pair.
#include "audio/oscillator.h"

#include <cmath>

#include "audio/signal.h"

namespace assetgen {

namespace {

// Polynomial band-limited step correction around a discontinuity at phase 0.
double PolyBlep(double t, double dt) {
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1.0;
  }
  if (t > 1.0 - dt) {
    t = (t - 1.0) / dt;
    return t * t + t + t + 1.0;
  }
  return 0.0;
}

double Wrap(double p) { return p - std::floor(p); }

constexpr int kTableSize = 4096;

struct SineTable {
  float v[kTableSize + 1];
  SineTable() {
    for (int i = 0; i <= kTableSize; ++i) v[i] = static_cast<float>(std::sin(2.0 * 3.14159265358979 * i / kTableSize));
  }
};

const SineTable& Table() {
  static const SineTable table;
  return table;
}

}  // namespace

float SineCycles(double cycles) {
  double p = Wrap(cycles) * kTableSize;
  int i = static_cast<int>(p);
  if (i >= kTableSize) i = kTableSize - 1;
  float f = static_cast<float>(p - i);
  const float* v = Table().v;
  return v[i] + (v[i + 1] - v[i]) * f;
}

float SoftClip(float x) {
  if (x >= 3.0f) return 1.0f;
  if (x <= -3.0f) return -1.0f;
  float x2 = x * x;
  return x * (27.0f + x2) / (27.0f + 9.0f * x2);
}

float Oscillator::Next(double freqHz, Wave wave) {
  double dt = std::fabs(freqHz) / kSampleRate;
  if (dt > 0.49) dt = 0.49;
  double p = phase_;
  double v = 0.0;
  switch (wave) {
    case Wave::kSine:
      v = SineCycles(p);
      break;
    case Wave::kTriangle:
      v = p < 0.5 ? 4.0 * p - 1.0 : 3.0 - 4.0 * p;
      break;
    case Wave::kSaw:
      v = 2.0 * p - 1.0 - PolyBlep(p, dt);
      break;
    case Wave::kSquare:
      v = (p < 0.5 ? 1.0 : -1.0) + PolyBlep(p, dt) - PolyBlep(Wrap(p + 0.5), dt);
      break;
    case Wave::kPulse:
      v = (p < 0.25 ? 1.0 : -1.0) + PolyBlep(p, dt) - PolyBlep(Wrap(p + 0.75), dt) - 0.5;
      break;
  }
  phase_ = Wrap(p + dt);
  return static_cast<float>(v);
}

float FmPair::Next(double freqHz, double ratio, double index) {
  double m = SineCycles(modulator_);
  double v = SineCycles(carrier_ + index * m / (2.0 * 3.14159265358979));
  carrier_ = Wrap(carrier_ + freqHz / kSampleRate);
  modulator_ = Wrap(modulator_ + freqHz * ratio / kSampleRate);
  return static_cast<float>(v);
}

}  // namespace assetgen
