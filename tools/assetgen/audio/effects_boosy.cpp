// Recipes for the boosy, a squat armoured gunner: metallic grunts, a clanking death, its cannon.
#include <cmath>

#include "audio/recipes.h"
#include "audio/reverb.h"
#include "audio/sfxkit.h"

namespace assetgen {

Signal BoosyGrunt(float pitch, float seconds, uint64_t seed) {
  Curve f0 = [pitch, seconds](float t) { return pitch * (150.0f - 60.0f * t / seconds); };
  Curve amp = [seconds](float t) {
    float a = t < 0.02f ? t / 0.02f : 1.0f;
    float tail = seconds * 0.6f;
    return a * (t < tail ? 1.0f : std::exp(-(t - tail) / (seconds * 0.15f)));
  };
  Signal v = Vocal(seconds, f0, Vowel::kUh, Vowel::kO, Ramp(0, 1, seconds), amp, 0.2f, seed);
  // Ring modulation at an inharmonic frequency and coarse quantising make it sound like a
  // voice through an iron helmet.
  Signal metal = Ring(v, Const(pitch * 283.0f), 0.7f);
  metal = Crushed(metal, 24);
  Signal hum = Tone(seconds, Wave::kSquare, f0, amp);
  hum = Filtered(hum, FilterMode::kLow, Const(700 * pitch), 1.0f);
  MixInto(metal, hum, 0, 0.12f);
  return metal;
}

Signal MetalClanks(int count, float spacing, float pitch, uint64_t seed) {
  Signal out;
  for (int k = 0; k < count; ++k) {
    float p = pitch * (1.0f + 0.11f * static_cast<float>((k * 5 + static_cast<int>(seed)) % 7 - 3));
    Signal clank = Fm(0.5f, Const(610 * p), 1.414f + 0.1f * k, Glide(5.0f, 0.5f, 0.2f), Hit(0.0005f, 0.09f));
    Signal hit = Filtered(Noise(0.2f, seed + k, Hit(0.0005f, 0.01f)), FilterMode::kBand, Const(2000 * p), 2.0f);
    MixInto(clank, hit, 0, 0.8f);
    float at = spacing * k * (1.0f - 0.08f * k);
    MixInto(out, clank, Samples(at), 1.0f - 0.1f * k);
  }
  return out;
}

namespace {

Signal Damaged() { return Finish(BoosyGrunt(1.0f, 0.32f, 301), 0.05f, -14.0f); }

// A long sinking groan, then its plates clattering down.
Signal Dead() {
  // The groan darkens as the machine inside dies.
  Signal groan = Filtered(BoosyGrunt(0.75f, 0.9f, 311), FilterMode::kLow, Glide(2200, 500, 0.9f), 0.8f);
  Signal fall = Tone(0.9f, Wave::kSaw, Glide(180, 40, 0.9f), Hit(0.01f, 0.35f));
  fall = Filtered(fall, FilterMode::kLow, Glide(1500, 200, 0.9f), 2.0f);
  MixInto(groan, fall, 0, 0.25f);
  Signal clanks = MetalClanks(4, 0.13f, 0.55f, 312);
  MixInto(groan, clanks, Samples(0.75), 0.45f);
  return Finish(WithReverbMono(groan, 1.0f, 0.25f, 0.5f, 0.5f, 0.7f, 0.4), 0.2f, -14.0f);
}

// The cannon: a thick pulse zap falling in pitch with a muzzle puff.
Signal Attack() {
  Signal zap = Tone(0.35f, Wave::kSquare, Glide(520, 110, 0.2f), Hit(0.001f, 0.08f));
  zap = Filtered(zap, FilterMode::kLow, Glide(4000, 600, 0.25f), 1.5f);
  Signal puff = Filtered(Noise(0.3f, 321, Hit(0.001f, 0.04f)), FilterMode::kBand, Const(900), 1.0f);
  Signal thump = Tone(0.3f, Wave::kSine, Glide(130, 60, 0.1f), Hit(0.001f, 0.06f));
  Signal out = Sum({&zap, &puff, &thump});
  return Finish(WithReverbMono(out, 1.0f, 0.2f, 0.4f, 0.5f, 0.6f, 0.25), 0.08f, -14.0f);
}

}  // namespace

std::vector<EffectRecipe> BoosyEffects() {
  return {
      {"SE/enemy/boosy-damaged.wav", Damaged},
      {"SE/enemy/boosy-dead.wav", Dead},
      {"SE/enemy/boosy-attack.wav", Attack},
  };
}

}  // namespace assetgen
