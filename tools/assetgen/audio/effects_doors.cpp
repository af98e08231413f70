// Recipes for doors and stairs: creak and thud, locked rattle, unlock latch and chime, steps down.
#include <cmath>

#include "audio/recipes.h"
#include "audio/reverb.h"
#include "audio/sfxkit.h"

namespace assetgen {

namespace {

// A heavy wooden door: a wavering hinge creak, then the thud of it swinging against stone.
Signal DoorOpen() {
  Curve rate = [](float t) { return 38.0f + 30.0f * t + 9.0f * std::sin(t * 11.0f); };
  Curve env = [](float t) {
    float a = t < 0.05f ? t / 0.05f : 1.0f;
    return a * (t < 0.6f ? 1.0f : std::exp(-(t - 0.6f) / 0.05f));
  };
  Signal stick = Pulses(0.8f, rate, env, 201, 0.15f);
  Signal creak = Sum({});
  Signal r1 = Filtered(stick, FilterMode::kBand, [](float t) { return 700.0f + 250.0f * t; }, 12.0f);
  Signal r2 = Filtered(stick, FilterMode::kBand, [](float t) { return 1650.0f + 400.0f * t; }, 14.0f);
  Signal r3 = Filtered(stick, FilterMode::kBand, Const(380), 8.0f);
  MixInto(creak, r1, 0, 1.0f);
  MixInto(creak, r2, 0, 0.6f);
  MixInto(creak, r3, 0, 0.8f);
  Signal thud = Tone(0.5f, Wave::kSine, Glide(95, 48, 0.2f), Hit(0.003f, 0.11f));
  Signal knock = Filtered(Noise(0.5f, 202, Hit(0.001f, 0.05f)), FilterMode::kLow, Const(600), 1.0f);
  Signal out;
  MixInto(out, creak, 0, 12.0f);
  MixInto(out, thud, Samples(0.7), 1.2f);
  MixInto(out, knock, Samples(0.7), 0.8f);
  return Finish(WithReverbMono(out, 1.0f, 0.35f, 0.6f, 0.5f, 0.9f, 0.6), 0.2f, -15.0f);
}

// A locked door: a short rattle of iron against its frame.
Signal LockedDoor() {
  Signal out;
  const float times[] = {0.0f, 0.055f, 0.1f, 0.17f, 0.22f, 0.3f};
  for (int k = 0; k < 6; ++k) {
    float pitch = 1.0f + 0.08f * ((k * 37) % 5 - 2);
    Signal knock = Filtered(Noise(0.12f, 211 + k, Hit(0.0005f, 0.012f)), FilterMode::kBand,
                            Const(520 * pitch), 6.0f);
    Signal clink = Fm(0.12f, Const(1340 * pitch), 2.41f, Const(1.8f), Hit(0.0005f, 0.02f));
    Signal wood = Tone(0.12f, Wave::kSine, Glide(170 * pitch, 120, 0.05f), Hit(0.001f, 0.025f));
    MixInto(knock, clink, 0, 0.35f);
    MixInto(knock, wood, 0, 0.5f);
    MixInto(out, knock, Samples(times[k]), k % 2 == 0 ? 1.0f : 0.7f);
  }
  return Finish(WithReverbMono(out, 1.0f, 0.25f, 0.4f, 0.5f, 0.6f, 0.3), 0.1f, -15.0f);
}

// The doors unlock: a bright latch snap and a two-note chime.
Signal Unlock() {
  Signal latch = Filtered(Noise(0.1f, 221, Hit(0.0003f, 0.006f)), FilterMode::kBand, Const(2600), 3.0f);
  Signal bolt = Filtered(Noise(0.12f, 222, Hit(0.0005f, 0.015f)), FilterMode::kBand, Const(800), 4.0f);
  Signal chime1 = Fm(1.4f, Const(1318.5f), 3.5f, Glide(2.0f, 0.2f, 0.5f), Hit(0.002f, 0.45f));
  Signal chime2 = Fm(1.2f, Const(1975.5f), 3.5f, Glide(2.0f, 0.2f, 0.5f), Hit(0.002f, 0.45f));
  Signal out = latch;
  MixInto(out, bolt, Samples(0.05), 1.0f);
  MixInto(out, chime1, Samples(0.12), 0.45f);
  MixInto(out, chime2, Samples(0.3), 0.4f);
  return Finish(WithReverbMono(out, 1.0f, 0.3f, 0.6f, 0.4f, 0.8f, 0.6), 0.3f, -15.0f);
}

// Going down the stairs: five footsteps on stone, each further down and a little softer.
Signal Downstairs() {
  Signal out;
  for (int k = 0; k < 5; ++k) {
    float pitch = 1.0f - 0.06f * k;
    Signal heel = Tone(0.25f, Wave::kSine, Glide(140 * pitch, 70 * pitch, 0.06f), Hit(0.002f, 0.035f));
    Signal grit = Filtered(Noise(0.25f, 231 + k, Hit(0.001f, 0.03f)), FilterMode::kBand,
                           Const(1100 * pitch), 1.2f);
    Signal scuff = Filtered(Noise(0.25f, 241 + k, Hit(0.02f, 0.03f)), FilterMode::kHigh, Const(2500), 0.7f);
    MixInto(heel, grit, 0, 0.7f);
    MixInto(heel, scuff, Samples(0.05), 0.15f);
    MixInto(out, heel, Samples(0.26 * k), 1.0f - 0.13f * k);
  }
  return Finish(WithReverbMono(out, 1.0f, 0.45f, 0.7f, 0.6f, 1.1f, 0.8), 0.3f, -15.0f);
}

}  // namespace

std::vector<EffectRecipe> DoorEffects() {
  return {
      {"SE/door-open.wav", DoorOpen},
      {"SE/locked-door.wav", LockedDoor},
      {"SE/unlock.wav", Unlock},
      {"SE/downstairs.wav", Downstairs},
  };
}

}  // namespace assetgen
