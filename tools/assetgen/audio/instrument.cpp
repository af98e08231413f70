// Melodic instruments: a patch table and the four engines that play it.
#include "audio/instrument.h"

#include <algorithm>
#include <cmath>

#include "audio/envelope.h"
#include "audio/filter.h"
#include "audio/oscillator.h"
#include "audio/rng.h"

namespace assetgen {

namespace {

enum class Engine { kSubtractive, kFm, kPluck, kChoir, kOrgan };

struct Patch {
  Engine engine;
  Wave wave1, wave2;
  float detuneCents;   // second oscillator's offset
  float mix2;          // second oscillator's level
  float sub;           // sine one octave below
  float attack, decay, sustain, release;
  float cutoff;        // filter base (Hz), plus keyTrack * note frequency
  float envAmount;     // filter opening at the envelope peak (Hz)
  float filterDecay;   // seconds
  float keyTrack;
  float q;
  float vibratoRate, vibratoCents, vibratoDelay;
  float fmRatio, fmIndex, fmIndexDecay;  // FM engine
  float drive;         // saturation (1 = none)
  float level;
};

// Indexed by Instrument.
const Patch kPatches[] = {
    // kPad
    {Engine::kSubtractive, Wave::kSaw, Wave::kSaw, 11, 0.9f, 0.2f, 0.7f, 1.2f, 0.8f, 1.4f,
     700, 500, 1.5f, 0.5f, 0.8f, 4.5f, 5, 0.0f, 0, 0, 0, 1.0f, 0.5f},
    // kDarkPad
    {Engine::kSubtractive, Wave::kSquare, Wave::kSaw, 7, 0.6f, 0.3f, 1.0f, 1.5f, 0.8f, 1.6f,
     380, 250, 2.0f, 0.3f, 1.2f, 3.5f, 6, 0.0f, 0, 0, 0, 1.0f, 0.5f},
    // kBell
    {Engine::kFm, Wave::kSine, Wave::kSine, 0, 0, 0, 0.002f, 2.5f, 0.0f, 1.5f,
     0, 0, 0, 0, 0, 0, 0, 0, 3.5f, 3.0f, 0.7f, 1.0f, 0.6f},
    // kGlass
    {Engine::kFm, Wave::kSine, Wave::kSine, 0, 0, 0, 0.003f, 1.6f, 0.0f, 1.0f,
     0, 0, 0, 0, 0, 0, 0, 0, 2.0f, 1.4f, 0.5f, 1.0f, 0.6f},
    // kPluck
    {Engine::kPluck, Wave::kSine, Wave::kSine, 0, 0, 0, 0.001f, 1.0f, 0.0f, 0.15f,
     3500, 0, 0, 0, 0.7f, 0, 0, 0, 0, 0, 0, 1.0f, 0.8f},
    // kBass
    {Engine::kSubtractive, Wave::kSaw, Wave::kSquare, 4, 0.4f, 0.6f, 0.004f, 0.25f, 0.65f, 0.08f,
     180, 900, 0.14f, 0.5f, 1.3f, 0, 0, 0, 0, 0, 0, 1.3f, 0.8f},
    // kDriveBass
    {Engine::kSubtractive, Wave::kSaw, Wave::kSaw, 9, 1.0f, 0.5f, 0.003f, 0.2f, 0.7f, 0.06f,
     260, 1600, 0.12f, 0.6f, 2.0f, 0, 0, 0, 0, 0, 0, 3.0f, 0.6f},
    // kLead
    {Engine::kSubtractive, Wave::kSaw, Wave::kSquare, 6, 0.5f, 0.0f, 0.02f, 0.3f, 0.75f, 0.25f,
     900, 2200, 0.35f, 1.0f, 1.4f, 5.5f, 18, 0.25f, 0, 0, 0, 1.2f, 0.45f},
    // kEerieLead
    {Engine::kSubtractive, Wave::kSine, Wave::kTriangle, 3, 0.5f, 0.0f, 0.09f, 0.4f, 0.85f, 0.5f,
     2500, 0, 0.5f, 0, 0.7f, 6.5f, 35, 0.05f, 0, 0, 0, 1.0f, 0.6f},
    // kChoir
    {Engine::kChoir, Wave::kSaw, Wave::kSaw, 9, 1.0f, 0.0f, 0.35f, 0.8f, 0.85f, 0.9f,
     0, 0, 0, 0, 0, 5.0f, 12, 0.1f, 0, 0, 0, 1.0f, 0.9f},
    // kOrgan
    {Engine::kOrgan, Wave::kSine, Wave::kSine, 0, 0, 0, 0.01f, 0.3f, 0.9f, 0.12f,
     0, 0, 0, 0, 0, 6.0f, 4, 0.0f, 0, 0, 0, 1.3f, 0.45f},
    // kBrass
    {Engine::kSubtractive, Wave::kSaw, Wave::kSaw, 8, 1.0f, 0.3f, 0.03f, 0.35f, 0.6f, 0.2f,
     400, 3200, 0.25f, 0.8f, 1.1f, 5.0f, 8, 0.3f, 0, 0, 0, 1.5f, 0.45f},
};

struct Formant {
  float hz, gain, q;
};
// An "ah" sung by a mixed choir.
const Formant kChoirFormants[] = {{750, 1.0f, 5}, {1150, 0.5f, 7}, {2700, 0.25f, 9}, {3300, 0.12f, 10}};

float Vibrato(const Patch& p, float t) {
  if (p.vibratoCents <= 0.0f || t < p.vibratoDelay) return 1.0f;
  float ramp = std::min((t - p.vibratoDelay) / 0.4f, 1.0f);
  // 2^(cents/1200) to second order: exact within 1e-5 for the few cents used here.
  float x = 0.693147f * ramp * p.vibratoCents / 1200.0f * SineCycles(p.vibratoRate * t);
  return 1.0f + x + 0.5f * x * x;
}

Signal Subtractive(const Patch& p, float f, const Envelope& env, size_t n, uint64_t seed) {
  Signal out(n);
  Rng rng(seed);
  Oscillator o1(rng.Uniform()), o2(rng.Uniform()), sub(0.0);
  Svf filter;
  float ratio2 = std::pow(2.0f, p.detuneCents / 1200.0f);
  float fi = f;
  for (size_t i = 0; i < n; ++i) {
    float t = static_cast<float>(i) / kSampleRate;
    // Vibrato and filter sweep change slowly: update them every 16 samples (2.7 kHz).
    if (i % 16 == 0) {
      fi = f * Vibrato(p, t);
      float cut = p.cutoff + p.keyTrack * f + p.envAmount * std::exp(-t / std::max(p.filterDecay, 0.01f));
      filter.Set(cut, p.q);
    }
    float x = o1.Next(fi, p.wave1);
    if (p.mix2 > 0.0f) x += p.mix2 * o2.Next(fi * ratio2, p.wave2);
    if (p.sub > 0.0f) x += p.sub * sub.Next(fi * 0.5f, Wave::kSine);
    float y = filter.Process(x, FilterMode::kLow);
    if (p.drive > 1.0f) y = SoftClip(p.drive * y) / SoftClip(p.drive);
    out[i] = y * env.At(t);
  }
  return out;
}

Signal FmEngine(const Patch& p, float f, const Envelope& env, size_t n) {
  Signal out(n);
  FmPair fm;
  FmPair shimmer;
  for (size_t i = 0; i < n; ++i) {
    float t = static_cast<float>(i) / kSampleRate;
    float index = p.fmIndex * std::exp(-t / p.fmIndexDecay);
    float v = fm.Next(f, p.fmRatio, index);
    // Bells get a second, brighter pair an octave up; the softer celesta does without.
    if (p.fmRatio > 3.0f) v += 0.3f * shimmer.Next(f * 2.0f, p.fmRatio * 1.5, index * 0.5);
    out[i] = v * env.At(t) * 0.8f;
  }
  return out;
}

// Karplus-Strong: a noise burst circulating in a damped delay line one period long.
Signal Pluck(const Patch& p, float f, const Envelope& env, size_t n, uint64_t seed) {
  Signal out(n);
  Rng rng(seed);
  double period = static_cast<double>(kSampleRate) / std::max(f, 20.0f);
  size_t len = static_cast<size_t>(period) + 2;
  std::vector<float> line(len);
  OnePole shape;
  shape.Set(p.cutoff);
  for (float& x : line) x = shape.Low(rng.Bipolar());
  double frac = period - std::floor(period);
  size_t pos = 0;
  size_t whole = static_cast<size_t>(period);
  float last = 0.0f;
  // Loss per pass: longer ring for low notes.
  float loss = 0.996f - 0.0000025f * f;
  for (size_t i = 0; i < n; ++i) {
    size_t a = (pos + len - whole) % len;
    size_t b = (a + len - 1) % len;
    float delayed = static_cast<float>(line[a] * (1.0 - frac) + line[b] * frac);
    float y = loss * 0.5f * (delayed + last);
    last = delayed;
    line[pos] = y;
    pos = (pos + 1) % len;
    out[i] = y * env.At(static_cast<float>(i) / kSampleRate);
  }
  return out;
}

Signal Choir(const Patch& p, float f, const Envelope& env, size_t n, uint64_t seed) {
  Signal out(n);
  Rng rng(seed);
  // Three slightly detuned singers.
  Oscillator v1(rng.Uniform()), v2(rng.Uniform()), v3(rng.Uniform());
  Svf filters[4];
  for (int k = 0; k < 4; ++k) filters[k].Set(kChoirFormants[k].hz, kChoirFormants[k].q);
  OnePole breathTone;
  breathTone.Set(3000.0f);
  float vib = 1.0f;
  for (size_t i = 0; i < n; ++i) {
    float t = static_cast<float>(i) / kSampleRate;
    if (i % 16 == 0) vib = Vibrato(p, t);
    float x = v1.Next(f * vib, Wave::kSaw) + v2.Next(f * vib * 1.006f, Wave::kSaw) +
              v3.Next(f * 0.995f / vib, Wave::kSaw) + 0.15f * breathTone.Low(rng.Bipolar());
    float y = 0.0f;
    for (int k = 0; k < 4; ++k) y += kChoirFormants[k].gain * filters[k].Process(x, FilterMode::kBand);
    out[i] = y * env.At(t) * 0.3f;
  }
  return out;
}

Signal Organ(const Patch& p, float f, const Envelope& env, size_t n) {
  Signal out(n);
  const float harmonics[] = {0.5f, 1.0f, 2.0f, 3.0f, 4.0f, 6.0f};
  const float levels[] = {0.5f, 1.0f, 0.6f, 0.35f, 0.25f, 0.1f};
  Oscillator osc[6];
  float vib = 1.0f;
  for (size_t i = 0; i < n; ++i) {
    float t = static_cast<float>(i) / kSampleRate;
    if (i % 16 == 0) vib = Vibrato(p, t);
    float x = 0.0f;
    for (int k = 0; k < 6; ++k) {
      if (f * harmonics[k] < 0.45f * kSampleRate) x += levels[k] * osc[k].Next(f * harmonics[k] * vib, Wave::kSine);
    }
    out[i] = SoftClip(p.drive * 0.4f * x) * env.At(t);
  }
  return out;
}

}  // namespace

float MidiToHz(float note) { return 440.0f * std::pow(2.0f, (note - 69.0f) / 12.0f); }

Signal RenderNote(Instrument instrument, float freqHz, float gate, float velocity, uint64_t seed) {
  const Patch& p = kPatches[static_cast<int>(instrument)];
  Envelope env = Envelope::Adsr(p.attack, p.decay, p.sustain, gate, p.release);
  size_t n = Samples(env.Length() + 0.01f);
  Signal s;
  switch (p.engine) {
    case Engine::kSubtractive: s = Subtractive(p, freqHz, env, n, seed); break;
    case Engine::kFm: s = FmEngine(p, freqHz, env, n); break;
    case Engine::kPluck: s = Pluck(p, freqHz, env, n, seed); break;
    case Engine::kChoir: s = Choir(p, freqHz, env, n, seed); break;
    case Engine::kOrgan: s = Organ(p, freqHz, env, n); break;
  }
  Scale(s, p.level * std::clamp(velocity, 0.0f, 1.0f));
  return s;
}

}  // namespace assetgen
