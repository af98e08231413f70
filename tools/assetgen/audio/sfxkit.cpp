// Building blocks for effect recipes.
#include "audio/sfxkit.h"

#include <algorithm>
#include <cmath>

#include "audio/rng.h"

namespace assetgen {

namespace {

float TimeOf(size_t i) { return static_cast<float>(i) / kSampleRate; }

struct Formants {
  float f1, f2, f3;
};

// Formant centre frequencies (Hz) of an adult voice.
const Formants kVowels[] = {
    {800, 1150, 2800},  // kA
    {450, 1900, 2600},  // kE
    {300, 2300, 3000},  // kI
    {500, 850, 2500},   // kO
    {330, 800, 2300},   // kU
    {620, 1200, 2450},  // kUh
};

}  // namespace

Curve Const(float v) {
  return [v](float) { return v; };
}

Curve Glide(float a, float b, float seconds) {
  return [a, b, seconds](float t) {
    if (t >= seconds) return b;
    float u = std::max(t, 0.0f) / seconds;
    return a * std::pow(b / a, u);
  };
}

Curve Decay(float tau) {
  return [tau](float t) { return std::exp(-std::max(t, 0.0f) / tau); };
}

Curve Hit(float attack, float tau) {
  return [attack, tau](float t) {
    if (t < attack) return t / attack;
    return std::exp(-(t - attack) / tau);
  };
}

Curve Ramp(float a, float b, float seconds) {
  return [a, b, seconds](float t) {
    float u = std::clamp(t / seconds, 0.0f, 1.0f);
    return a + (b - a) * u;
  };
}

Signal Tone(float seconds, Wave wave, const Curve& freq, const Curve& amp) {
  Signal out(Samples(seconds));
  Oscillator osc;
  for (size_t i = 0; i < out.size(); ++i) {
    float t = TimeOf(i);
    out[i] = osc.Next(freq(t), wave) * amp(t);
  }
  return out;
}

Signal Fm(float seconds, const Curve& freq, float ratio, const Curve& index, const Curve& amp) {
  Signal out(Samples(seconds));
  FmPair fm;
  for (size_t i = 0; i < out.size(); ++i) {
    float t = TimeOf(i);
    out[i] = fm.Next(freq(t), ratio, index(t)) * amp(t);
  }
  return out;
}

Signal Noise(float seconds, uint64_t seed, const Curve& amp) {
  Signal out(Samples(seconds));
  Rng rng(seed);
  for (size_t i = 0; i < out.size(); ++i) out[i] = rng.Bipolar() * amp(TimeOf(i));
  return out;
}

Signal Pulses(float seconds, const Curve& rate, const Curve& amp, uint64_t seed, float jitter) {
  Signal out(Samples(seconds));
  Rng rng(seed);
  double phase = 0.0;
  for (size_t i = 0; i < out.size(); ++i) {
    float t = TimeOf(i);
    phase += rate(t) * (1.0 + jitter * rng.Bipolar()) / kSampleRate;
    if (phase >= 1.0) {
      phase -= std::floor(phase);
      out[i] = amp(t);
    }
  }
  return out;
}

Signal Filtered(const Signal& s, FilterMode mode, const Curve& cutoff, float q) {
  Signal out(s.size());
  Svf f;
  for (size_t i = 0; i < s.size(); ++i) {
    if (i % 16 == 0) f.Set(cutoff(TimeOf(i)), q);
    out[i] = f.Process(s[i], mode);
  }
  return out;
}

Signal Shaped(const Signal& s, const Curve& amp) {
  Signal out(s.size());
  for (size_t i = 0; i < s.size(); ++i) out[i] = s[i] * amp(TimeOf(i));
  return out;
}

Signal Ring(const Signal& s, const Curve& freq, float depth) {
  Signal out(s.size());
  Oscillator osc;
  for (size_t i = 0; i < s.size(); ++i) {
    float m = osc.Next(freq(TimeOf(i)), Wave::kSine);
    out[i] = s[i] * (1.0f - depth + depth * m);
  }
  return out;
}

Signal Echo(const Signal& s, float delay, float feedback, int count) {
  Signal out = s;
  size_t d = Samples(delay);
  float g = 1.0f;
  for (int k = 1; k <= count; ++k) {
    g *= feedback;
    MixInto(out, s, d * static_cast<size_t>(k), g);
  }
  return out;
}

Signal Crushed(const Signal& s, int levels) {
  Signal out(s.size());
  float peak = std::max(Peak(s), 1e-6f);
  float step = peak / std::max(levels, 1);
  for (size_t i = 0; i < s.size(); ++i) out[i] = std::round(s[i] / step) * step;
  return out;
}

Signal Vocal(float seconds, const Curve& pitch, Vowel from, Vowel to, const Curve& morph,
             const Curve& amp, float breath, uint64_t seed) {
  Signal out(Samples(seconds));
  Rng rng(seed);
  Svf f1, f2, f3;
  OnePole tilt;
  tilt.Set(1800.0f);
  double phase = 0.0;
  float jitter = 0.0f;
  const Formants& a = kVowels[static_cast<int>(from)];
  const Formants& b = kVowels[static_cast<int>(to)];
  for (size_t i = 0; i < out.size(); ++i) {
    float t = TimeOf(i);
    if (i % 16 == 0) {
      float m = std::clamp(morph(t), 0.0f, 1.0f);
      f1.Set(a.f1 + (b.f1 - a.f1) * m, 6.0f);
      f2.Set(a.f2 + (b.f2 - a.f2) * m, 8.0f);
      f3.Set(a.f3 + (b.f3 - a.f3) * m, 10.0f);
    }
    phase += pitch(t) * (1.0f + jitter) / kSampleRate;
    float glottal = 0.0f;
    if (phase >= 1.0) {
      phase -= std::floor(phase);
      jitter = 0.04f * rng.Bipolar();
      glottal = 1.0f;
    }
    // Pulse through a gentle low-pass: a softer, more natural source than a bare spike.
    float src = tilt.Low(glottal * 8.0f) + breath * rng.Bipolar() * 0.3f;
    float v = f1.Process(src, FilterMode::kBand) * 1.0f + f2.Process(src, FilterMode::kBand) * 0.6f +
              f3.Process(src, FilterMode::kBand) * 0.3f;
    out[i] = v * amp(t);
  }
  return out;
}

Signal Delayed(const Signal& s, float at) {
  Signal out;
  MixInto(out, s, Samples(at));
  return out;
}

Signal Sum(std::initializer_list<const Signal*> parts) {
  Signal out;
  for (const Signal* p : parts) MixInto(out, *p);
  return out;
}

Signal Finish(Signal s, float fadeOut, float loudnessDb) {
  // Trim trailing near-silence so that lengths stay tight, keeping the fade inside the sound.
  float peak = Peak(s);
  size_t end = s.size();
  while (end > 0 && std::fabs(s[end - 1]) < peak * 0.0005f) --end;
  s.resize(std::min(s.size(), end + Samples(0.01)));
  // High-pass at 25 Hz against DC and sub-sonic drift.
  OnePole hp;
  hp.Set(25.0f);
  for (float& x : s) x = hp.High(x);
  Normalize(s, DbToLinear(loudnessDb), DbToLinear(-1.0f));
  FadeIn(s, 0.002);
  FadeOut(s, fadeOut);
  return s;
}

}  // namespace assetgen
