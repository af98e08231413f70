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

}  // namespace

float Oscillator::Next(double freqHz, Wave wave) {
  double dt = std::fabs(freqHz) / kSampleRate;
  if (dt > 0.49) dt = 0.49;
  double p = phase_;
  double v = 0.0;
  switch (wave) {
    case Wave::kSine:
      v = std::sin(2.0 * 3.14159265358979 * p);
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
  double m = std::sin(2.0 * 3.14159265358979 * modulator_);
  double v = std::sin(2.0 * 3.14159265358979 * carrier_ + index * m);
  carrier_ = Wrap(carrier_ + freqHz / kSampleRate);
  modulator_ = Wrap(modulator_ + freqHz * ratio / kSampleRate);
  return static_cast<float>(v);
}

}  // namespace assetgen
