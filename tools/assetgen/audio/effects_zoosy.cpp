// Recipes for the zoosy, a tripod walker with a turret: servo whines, a wind-down, a triple pop.
#include <cmath>

#include "audio/recipes.h"
#include "audio/reverb.h"
#include "audio/sfxkit.h"

namespace assetgen {

namespace {

// A servo motor: a buzzy saw through a resonant filter, with gear-tooth flutter.
Signal Servo(float seconds, const Curve& freq, const Curve& amp, uint64_t seed) {
  Signal motor = Tone(seconds, Wave::kSaw, freq, amp);
  Signal gears = Ring(motor, [&freq](float t) { return freq(t) * 0.125f; }, 0.5f);
  Signal whine = Filtered(gears, FilterMode::kBand, [&freq](float t) { return freq(t) * 3.0f; }, 5.0f);
  Signal body = Filtered(gears, FilterMode::kLow, Const(1200), 0.8f);
  Signal grit = Filtered(Noise(seconds, seed, amp), FilterMode::kBand, [&freq](float t) { return freq(t) * 6.0f; }, 3.0f);
  MixInto(whine, body, 0, 0.4f);
  MixInto(whine, grit, 0, 0.15f);
  return whine;
}

Signal Damaged() {
  Curve f = [](float t) { return 260.0f + 320.0f * std::min(t / 0.15f, 1.0f) - 120.0f * std::max(t - 0.2f, 0.0f) / 0.2f; };
  Signal out = Servo(0.4f, f, Hit(0.01f, 0.15f), 601);
  Signal clang = MetalClanks(1, 0.0f, 1.6f, 602);
  MixInto(out, clang, 0, 0.6f);
  return Finish(out, 0.06f, -15.0f);
}

// The motors wind down, sparks crackle, and the walker lands with a clunk.
Signal Dead() {
  Signal out = Servo(1.3f, Glide(620, 55, 1.2f), [](float t) { return t < 1.0f ? 1.0f : std::exp(-(t - 1.0f) / 0.1f); }, 611);
  Signal sparks = Filtered(Pulses(1.0f, Glide(60, 15, 1.0f), Decay(0.4f), 612, 0.9f), FilterMode::kHigh, Const(3000), 0.7f);
  MixInto(out, sparks, 0, 3.0f);
  Signal clunk = Tone(0.4f, Wave::kSine, Glide(120, 50, 0.1f), Hit(0.002f, 0.09f));
  Signal clanks = MetalClanks(2, 0.09f, 0.8f, 613);
  MixInto(clunk, clanks, 0, 0.6f);
  MixInto(out, clunk, Samples(1.15), 1.6f);
  return Finish(WithReverbMono(out, 1.0f, 0.25f, 0.5f, 0.5f, 0.7f, 0.35), 0.15f, -15.0f);
}

// The turret's burst: three quick pops.
Signal Attack() {
  Signal out;
  for (int k = 0; k < 3; ++k) {
    Signal pop = Tone(0.12f, Wave::kSine, Glide(320 - 20.0f * k, 110, 0.04f), Hit(0.0005f, 0.025f));
    Signal click = Filtered(Noise(0.12f, 621 + k, Hit(0.0003f, 0.006f)), FilterMode::kBand, Const(2600), 1.5f);
    Signal puff = Filtered(Noise(0.12f, 631 + k, Hit(0.001f, 0.02f)), FilterMode::kLow, Const(1500), 0.7f);
    MixInto(pop, click, 0, 0.9f);
    MixInto(pop, puff, 0, 0.5f);
    MixInto(out, pop, Samples(0.075 * k), 1.0f);
  }
  Saturate(out, 1.5f);
  return Finish(WithReverbMono(out, 1.0f, 0.2f, 0.3f, 0.5f, 0.5f, 0.2), 0.06f, -14.0f);
}

}  // namespace

std::vector<EffectRecipe> ZoosyEffects() {
  return {
      {"SE/enemy/zoosy-damaged.wav", Damaged},
      {"SE/enemy/zoosy-dead.wav", Dead},
      {"SE/enemy/zoosy-attack.wav", Attack},
  };
}

}  // namespace assetgen
