// Recipes for the doosy, a charging beast: wet growls, a gurgling death, a snap of its jaws.
#include <cmath>

#include "audio/recipes.h"
#include "audio/reverb.h"
#include "audio/sfxkit.h"

namespace assetgen {

Signal DoosyGrowl(float pitch, float seconds, uint64_t seed) {
  // A low, rough voiced snarl: pitch wobbles, the vowel opens, fast amplitude flutter gives
  // the throat rattle, and a bubbling low-pass on breath noise makes it wet.
  Curve f0 = [pitch](float t) { return pitch * (95.0f + 25.0f * std::sin(t * 17.0f) + 12.0f * std::sin(t * 71.0f)); };
  Curve amp = [seconds](float t) {
    float a = t < 0.03f ? t / 0.03f : 1.0f;
    float tail = seconds * 0.55f;
    return a * (t < tail ? 1.0f : std::exp(-(t - tail) / (seconds * 0.18f)));
  };
  Signal v = Vocal(seconds, f0, Vowel::kO, Vowel::kA, Ramp(0, 1, seconds * 0.5f), amp, 0.8f, seed);
  Signal rattle = Ring(v, Const(pitch * 27.0f), 0.8f);
  Curve bubbles = [pitch](float t) { return pitch * (400.0f + 300.0f * std::sin(t * 63.0f) * std::sin(t * 9.0f)); };
  Signal wet = Filtered(Noise(seconds, seed + 1, amp), FilterMode::kBand, bubbles, 6.0f);
  MixInto(rattle, wet, 0, 0.8f);
  Saturate(rattle, 1.8f);
  return rattle;
}

namespace {

Signal Damaged() {
  Signal g = DoosyGrowl(1.3f, 0.38f, 401);
  // A yelp on top: a short upward squeal.
  Signal yelp = Vocal(0.2f, Glide(300, 520, 0.15f), Vowel::kA, Vowel::kE, Ramp(0, 1, 0.2f), Hit(0.01f, 0.06f), 0.3f, 402);
  MixInto(g, yelp, 0, 0.6f);
  return Finish(g, 0.05f, -14.0f);
}

// A long falling growl that chokes into gurgles.
Signal Dead() {
  Signal g = DoosyGrowl(0.9f, 1.3f, 411);
  Signal drop = Vocal(1.3f, Glide(140, 45, 1.2f), Vowel::kA, Vowel::kU, Ramp(0, 1, 1.2f), Hit(0.05f, 0.45f), 0.6f, 412);
  MixInto(g, drop, 0, 0.5f);
  Signal gurgle = Filtered(Noise(0.6f, 413, [](float t) { return 0.5f + 0.5f * std::sin(t * 120.0f); }), FilterMode::kBand,
                           [](float t) { return 300.0f + 250.0f * std::sin(t * 40.0f); }, 8.0f);
  FadeOut(gurgle, 0.3);
  MixInto(g, gurgle, Samples(0.9), 0.5f);
  return Finish(WithReverbMono(g, 1.0f, 0.2f, 0.5f, 0.5f, 0.7f, 0.4), 0.25f, -14.0f);
}

// The bite: a short snarl and two hard jaw snaps.
Signal Attack() {
  Signal snarl = DoosyGrowl(1.5f, 0.25f, 421);
  Scale(snarl, 0.6f);
  Signal snap = Filtered(Noise(0.1f, 422, Hit(0.0002f, 0.005f)), FilterMode::kBand, Const(1700), 2.0f);
  Signal bone = Tone(0.1f, Wave::kTriangle, Glide(900, 400, 0.03f), Hit(0.0003f, 0.012f));
  MixInto(snap, bone, 0, 0.6f);
  Signal out = snarl;
  MixInto(out, snap, Samples(0.16), 2.0f);
  MixInto(out, snap, Samples(0.24), 1.4f);
  return Finish(out, 0.05f, -14.0f);
}

}  // namespace

std::vector<EffectRecipe> DoosyEffects() {
  return {
      {"SE/enemy/doosy-damaged.wav", Damaged},
      {"SE/enemy/doosy-dead.wav", Dead},
      {"SE/enemy/doosy-attack.wav", Attack},
  };
}

}  // namespace assetgen
