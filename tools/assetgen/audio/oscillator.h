// A band-limited oscillator (sine, triangle, saw, square, narrow pulse) with a running phase.
#pragma once

namespace assetgen {

// sin(2 pi * cycles) from a 4096-point table with linear interpolation (error below 1e-6);
// much faster than the library sine and the same on every machine.
float SineCycles(double cycles);
// A smooth saturator close to tanh for |x| < 3, exactly +-1 beyond.
float SoftClip(float x);

enum class Wave { kSine, kTriangle, kSaw, kSquare, kPulse };

class Oscillator {
 public:
  explicit Oscillator(double phase = 0.0) : phase_(phase) {}
  // Returns the next sample (-1 .. 1) at `freqHz` and advances the phase by one sample.
  float Next(double freqHz, Wave wave);
  // The phase in cycles, 0 .. 1.
  double Phase() const { return phase_; }

 private:
  double phase_;
};

// Phase-modulated sine: sin(2 pi (phase + mod)), for FM bells and metallic tones.
class FmPair {
 public:
  // Next sample of a carrier at `freqHz` modulated by a sine at freqHz * ratio with `index`.
  float Next(double freqHz, double ratio, double index);

 private:
  double carrier_ = 0.0;
  double modulator_ = 0.0;
};

}  // namespace assetgen
