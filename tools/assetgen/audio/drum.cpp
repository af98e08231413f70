// Percussion synthesis.
#include "audio/drum.h"

#include <cmath>

#include "audio/sfxkit.h"

namespace assetgen {

namespace {

// Six square waves at inharmonic ratios: the classic metallic cymbal source.
Signal MetalSource(float seconds, float base) {
  const float ratios[] = {1.0f, 1.342f, 1.2312f, 1.6532f, 1.9523f, 2.1523f};
  Signal out(Samples(seconds));
  for (float r : ratios) {
    Signal sq = Tone(seconds, Wave::kSquare, Const(base * r), Const(1.0f / 6.0f));
    MixInto(out, sq);
  }
  return out;
}

Signal Kick(uint64_t seed) {
  Signal body = Tone(0.6f, Wave::kSine, [](float t) { return 45.0f + 110.0f * std::exp(-t / 0.035f); }, Hit(0.001f, 0.16f));
  Signal click = Filtered(Noise(0.02f, seed, Hit(0.0002f, 0.003f)), FilterMode::kBand, Const(3000), 0.8f);
  MixInto(body, click, 0, 0.35f);
  Saturate(body, 1.5f);
  return body;
}

Signal Snare(uint64_t seed) {
  Signal tone = Tone(0.3f, Wave::kTriangle, Glide(230, 180, 0.05f), Hit(0.001f, 0.06f));
  Signal noise = Filtered(Noise(0.3f, seed, Hit(0.001f, 0.11f)), FilterMode::kHigh, Const(1400), 0.7f);
  MixInto(noise, tone, 0, 0.7f);
  return noise;
}

Signal Hat(uint64_t seed, float tau) {
  Signal metal = MetalSource(tau * 6.0f, 410.0f);
  Signal hiss = Noise(tau * 6.0f, seed, Const(0.5f));
  MixInto(metal, hiss, 0, 0.6f);
  Signal out = Filtered(metal, FilterMode::kHigh, Const(7500), 0.9f);
  return Shaped(out, Hit(0.0005f, tau));
}

Signal Clap(uint64_t seed) {
  Signal out;
  for (int k = 0; k < 3; ++k) {
    Signal burst = Noise(0.02f, seed + k, Hit(0.0005f, 0.006f));
    MixInto(out, burst, Samples(0.011 * k), 1.0f);
  }
  Signal tail = Noise(0.25f, seed + 7, Hit(0.001f, 0.07f));
  MixInto(out, tail, Samples(0.033), 0.7f);
  return Filtered(out, FilterMode::kBand, Const(1300), 1.2f);
}

Signal TomHit(uint64_t seed) {
  Signal body = Tone(0.5f, Wave::kSine, Glide(150, 95, 0.12f), Hit(0.001f, 0.16f));
  Signal skin = Filtered(Noise(0.5f, seed, Hit(0.001f, 0.03f)), FilterMode::kLow, Const(900), 0.8f);
  MixInto(body, skin, 0, 0.4f);
  return body;
}

Signal Rim(uint64_t seed) {
  Signal click = Filtered(Noise(0.06f, seed, Hit(0.0002f, 0.004f)), FilterMode::kBand, Const(2200), 3.0f);
  Signal wood = Tone(0.06f, Wave::kTriangle, Const(1650), Hit(0.0003f, 0.01f));
  MixInto(click, wood, 0, 0.6f);
  return click;
}

Signal Shaker(uint64_t seed) {
  Signal s = Filtered(Noise(0.12f, seed, Hit(0.015f, 0.03f)), FilterMode::kBand, Const(5500), 1.0f);
  return s;
}

Signal Metal(uint64_t seed) {
  float base = 300.0f + 40.0f * static_cast<float>(seed % 3);
  Signal clank = Fm(0.35f, Const(base), 1.414f, Glide(6, 1, 0.1f), Hit(0.0005f, 0.07f));
  Signal tick = Filtered(Noise(0.05f, seed, Hit(0.0003f, 0.005f)), FilterMode::kHigh, Const(3000), 0.7f);
  MixInto(clank, tick, 0, 0.7f);
  return clank;
}

Signal PulseHit(uint64_t seed) {
  Signal throb = Tone(0.5f, Wave::kSine, Glide(70, 48, 0.1f), Hit(0.02f, 0.12f));
  Signal wet = Filtered(Noise(0.5f, seed, Hit(0.02f, 0.08f)), FilterMode::kLow, Glide(700, 150, 0.2f), 2.0f);
  MixInto(throb, wet, 0, 0.5f);
  return throb;
}

Signal Taiko(uint64_t seed) {
  Signal body = Tone(0.9f, Wave::kSine, Glide(95, 58, 0.2f), Hit(0.002f, 0.3f));
  Signal skin = Filtered(Noise(0.9f, seed, Hit(0.001f, 0.06f)), FilterMode::kLow, Const(1200), 0.8f);
  MixInto(body, skin, 0, 0.6f);
  Saturate(body, 1.8f);
  return body;
}

Signal Crash(uint64_t seed) {
  Signal metal = MetalSource(2.0f, 330.0f);
  Signal hiss = Noise(2.0f, seed, Const(1.0f));
  MixInto(metal, hiss, 0, 0.8f);
  Signal out = Filtered(metal, FilterMode::kHigh, Const(4500), 0.7f);
  return Shaped(out, Hit(0.001f, 0.55f));
}

Signal Strike(Drum drum, uint64_t seed) {
  switch (drum) {
    case Drum::kKick: return Kick(seed);
    case Drum::kSnare: return Snare(seed);
    case Drum::kHat: return Hat(seed, 0.025f);
    case Drum::kOpenHat: return Hat(seed, 0.14f);
    case Drum::kClap: return Clap(seed);
    case Drum::kTom: return TomHit(seed);
    case Drum::kRim: return Rim(seed);
    case Drum::kShaker: return Shaker(seed);
    case Drum::kMetal: return Metal(seed);
    case Drum::kPulse: return PulseHit(seed);
    case Drum::kTaiko: return Taiko(seed);
    case Drum::kCrash: return Crash(seed);
  }
  return {};
}

}  // namespace

Signal RenderDrum(Drum drum, uint64_t seed) {
  Signal s = Strike(drum, seed);
  // Every hit ends in silence, even where its decay is cut short by the buffer.
  FadeOut(s, 0.04);
  return s;
}

}  // namespace assetgen
