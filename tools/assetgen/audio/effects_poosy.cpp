// Recipes for the poosy, a floating eye in a membrane: glassy chirps, a shattering death, an orb.
#include <cmath>

#include "audio/recipes.h"
#include "audio/reverb.h"
#include "audio/sfxkit.h"

namespace assetgen {

namespace {

// One glassy chirp: a bell-like FM tone with a quick pitch flick.
Signal Chirp(float from, float to, float seconds, uint64_t seed) {
  Signal c = Fm(seconds, Glide(from, to, seconds * 0.6f), 2.01f, Glide(1.6f, 0.4f, seconds), Hit(0.002f, seconds * 0.3f));
  Signal air = Filtered(Noise(seconds, seed, Hit(0.001f, 0.01f)), FilterMode::kHigh, Const(6000), 0.7f);
  MixInto(c, air, 0, 0.3f);
  return c;
}

Signal Damaged() {
  Signal out = Chirp(1500, 2900, 0.14f, 501);
  Signal second = Chirp(2300, 3400, 0.1f, 502);
  MixInto(out, second, Samples(0.07), 0.6f);
  return Finish(WithReverbMono(out, 1.0f, 0.3f, 0.4f, 0.2f, 0.5f, 0.25), 0.06f, -15.0f);
}

// Falling chirps, then the membrane shatters into a spray of tiny glassy pings.
Signal Dead() {
  Signal out = Chirp(1900, 600, 0.4f, 511);
  Signal low = Chirp(1100, 350, 0.45f, 512);
  MixInto(out, low, Samples(0.12), 0.9f);
  for (int k = 0; k < 14; ++k) {
    float f = 1300.0f + 160.0f * static_cast<float>((k * 7) % 11);
    Signal ping = Fm(0.25f, Const(f), 2.76f, Const(0.6f), Hit(0.0005f, 0.035f));
    MixInto(out, ping, Samples(0.3 + 0.028 * k + 0.007 * ((k * 3) % 4)), 0.25f - 0.012f * k);
  }
  Signal crack = Filtered(Noise(0.3f, 513, Hit(0.0005f, 0.06f)), FilterMode::kBand, Const(2500), 0.8f);
  MixInto(out, crack, Samples(0.3), 0.25f);
  return Finish(WithReverbMono(out, 1.0f, 0.35f, 0.5f, 0.2f, 0.6f, 0.4), 0.15f, -15.0f);
}

// The homing orb leaves: a soft rising bloop with a wobble.
Signal Attack() {
  Curve f = [](float t) { return (500.0f + 900.0f * (1.0f - std::exp(-t * 14.0f))) * (1.0f + 0.04f * std::sin(t * 190.0f)); };
  Signal bloop = Tone(0.35f, Wave::kSine, f, Hit(0.005f, 0.1f));
  Signal glass = Fm(0.35f, f, 3.0f, Const(0.6f), Hit(0.005f, 0.07f));
  MixInto(bloop, glass, 0, 0.35f);
  return Finish(WithReverbMono(bloop, 1.0f, 0.3f, 0.4f, 0.2f, 0.5f, 0.3), 0.08f, -16.0f);
}

}  // namespace

std::vector<EffectRecipe> PoosyEffects() {
  return {
      {"SE/enemy/poosy-damaged.wav", Damaged},
      {"SE/enemy/poosy-dead.wav", Dead},
      {"SE/enemy/poosy-attack.wav", Attack},
  };
}

}  // namespace assetgen
