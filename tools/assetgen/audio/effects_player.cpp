// Recipes for the player's sounds: the gun, reloading, the player's voice, eating, pick-ups.
#include <cmath>

#include "audio/recipes.h"
#include "audio/reverb.h"
#include "audio/sfxkit.h"

namespace assetgen {

namespace {

// A sharp crack: a bright noise snap, a click, a short low body and a small-room slap.
Signal Shot() {
  Signal snap = Filtered(Noise(0.25f, 101, Hit(0.0005f, 0.018f)), FilterMode::kHigh, Const(1800), 0.7f);
  Signal crack = Filtered(Noise(0.25f, 102, Hit(0.0003f, 0.006f)), FilterMode::kBand, Const(4200), 1.2f);
  Signal body = Tone(0.25f, Wave::kSine, Glide(210, 55, 0.08f), Hit(0.001f, 0.045f));
  Signal bark = Filtered(Noise(0.25f, 103, Hit(0.0005f, 0.03f)), FilterMode::kBand, Const(1100), 1.5f);
  Signal mix = Sum({&snap, &crack, &bark});
  MixInto(mix, body, 0, 0.35f);
  Saturate(mix, 2.5f);
  return Finish(WithReverbMono(mix, 1.0f, 0.35f, 0.35f, 0.5f, 0.45f, 0.25), 0.06f, -11.0f);
}

// A deeper boom with a long rolling tail.
Signal SpecialShot() {
  Signal boom = Tone(1.6f, Wave::kSine, Glide(120, 32, 0.35f), Hit(0.002f, 0.32f));
  Signal blast = Filtered(Noise(1.6f, 111, Hit(0.001f, 0.16f)), FilterMode::kLow, Glide(5000, 180, 0.5f), 0.8f);
  Signal crack = Filtered(Noise(0.2f, 112, Hit(0.0003f, 0.01f)), FilterMode::kHigh, Const(2500), 0.7f);
  Signal ring = Fm(1.2f, Const(180), 1.41f, Glide(3, 0.2f, 0.6f), Hit(0.002f, 0.25f));
  Signal mix = Sum({&boom, &blast, &crack});
  MixInto(mix, ring, 0, 0.25f);
  Saturate(mix, 3.0f);
  return Finish(WithReverbMono(mix, 1.0f, 0.6f, 0.8f, 0.6f, 1.2f, 1.2), 0.4f, -11.0f);
}

// A dry hammer click on an empty chamber.
Signal Empty() {
  Signal c1 = Filtered(Noise(0.06f, 121, Hit(0.0002f, 0.003f)), FilterMode::kBand, Const(3200), 3.0f);
  Signal c2 = Filtered(Noise(0.06f, 122, Hit(0.0002f, 0.004f)), FilterMode::kBand, Const(2300), 4.0f);
  Signal ping = Fm(0.1f, Const(2900), 1.7f, Const(1.5f), Hit(0.0003f, 0.012f));
  Signal mix = Sum({&c1, &ping});
  MixInto(mix, c2, Samples(0.028), 0.8f);
  return Finish(mix, 0.02f, -16.0f);
}

// Magazine out: a metal slide and a clack as it drops free.
Signal ReloadOut() {
  Signal slide = Filtered(Noise(0.16f, 131, Ramp(0.3f, 1.0f, 0.12f)), FilterMode::kBand, Glide(1400, 3200, 0.15f), 3.0f);
  Scale(slide, 0.6f);
  FadeOut(slide, 0.03);
  Signal clack = Filtered(Noise(0.2f, 132, Hit(0.0003f, 0.008f)), FilterMode::kBand, Const(950), 5.0f);
  Signal tick = Fm(0.2f, Const(1850), 2.3f, Const(2.0f), Hit(0.0003f, 0.02f));
  Signal mix = slide;
  MixInto(mix, clack, Samples(0.15), 1.2f);
  MixInto(mix, tick, Samples(0.15), 0.3f);
  return Finish(WithReverbMono(mix, 1.0f, 0.2f, 0.3f, 0.5f, 0.4f, 0.15), 0.05f, -15.0f);
}

// Magazine in and the slide racked: click-in, then a two-part clack.
Signal ReloadIn() {
  Signal seat = Filtered(Noise(0.1f, 141, Hit(0.0003f, 0.006f)), FilterMode::kBand, Const(1300), 4.0f);
  Signal pull = Filtered(Noise(0.1f, 142, Ramp(0.2f, 1.0f, 0.07f)), FilterMode::kBand, Glide(2500, 1500, 0.08f), 2.5f);
  FadeOut(pull, 0.01);
  Signal rack = Filtered(Noise(0.2f, 143, Hit(0.0002f, 0.01f)), FilterMode::kBand, Const(2100), 3.5f);
  Signal metal = Fm(0.25f, Const(1250), 2.76f, Glide(4, 1, 0.1f), Hit(0.0003f, 0.03f));
  Signal mix = seat;
  MixInto(mix, pull, Samples(0.14), 0.5f);
  MixInto(mix, rack, Samples(0.23), 1.3f);
  MixInto(mix, metal, Samples(0.23), 0.35f);
  return Finish(WithReverbMono(mix, 1.0f, 0.2f, 0.3f, 0.5f, 0.4f, 0.15), 0.05f, -15.0f);
}

// A short hurt grunt, "ugh".
Signal Ugh() {
  Signal v = Vocal(0.32f, Glide(165, 105, 0.3f), Vowel::kUh, Vowel::kU, Ramp(0, 1, 0.3f),
                   Hit(0.015f, 0.1f), 0.35f, 151);
  Signal chest = Tone(0.32f, Wave::kSine, Glide(160, 100, 0.3f), Hit(0.01f, 0.08f));
  MixInto(v, chest, 0, 0.15f);
  return Finish(v, 0.05f, -13.0f);
}

// The player's dying cry: a falling, breaking "aargh" that sinks into a groan.
Signal Dead() {
  Curve pitch = [](float t) {
    float p = 210.0f * std::exp(-t * 0.9f) + 55.0f;
    return p * (1.0f + 0.03f * std::sin(t * 38.0f));
  };
  Curve amp = [](float t) {
    float a = t < 0.04f ? t / 0.04f : 1.0f;
    return a * (t < 0.9f ? 1.0f : std::exp(-(t - 0.9f) / 0.25f));
  };
  Signal v = Vocal(1.7f, pitch, Vowel::kA, Vowel::kO, Ramp(0, 1, 1.3f), amp, 0.5f, 161);
  Signal rasp = Ring(v, Const(31), 0.35f);
  return Finish(WithReverbMono(rasp, 1.0f, 0.3f, 0.6f, 0.5f, 0.8f, 0.5), 0.3f, -13.0f);
}

// Munching: four wet, crunchy chews.
Signal Eating() {
  Signal out;
  const float times[] = {0.0f, 0.21f, 0.40f, 0.62f};
  for (int k = 0; k < 4; ++k) {
    float bite = 0.16f - 0.01f * k;
    Signal crunch = Filtered(Noise(bite, 171 + k, Hit(0.003f, 0.035f)), FilterMode::kBand,
                             Glide(2600 - 200.0f * k, 900, bite), 1.5f);
    Signal crackle = Shaped(Pulses(bite, Const(140), Const(1.0f), 175 + k, 0.8f), Hit(0.002f, 0.04f));
    crackle = Filtered(crackle, FilterMode::kBand, Const(3000), 2.0f);
    Signal squish = Filtered(Noise(bite, 180 + k, Hit(0.02f, 0.05f)), FilterMode::kLow,
                             [](float t) { return 500.0f + 400.0f * std::sin(t * 90.0f); }, 4.0f);
    Signal chew = Sum({&crunch, &squish});
    MixInto(chew, crackle, 0, 2.0f);
    MixInto(out, chew, Samples(times[k]), 1.0f - 0.12f * k);
  }
  return Finish(out, 0.05f, -15.0f);
}

// A long, satisfied burp at full health.
Signal Burp() {
  Curve pitch = [](float t) { return 78.0f + 14.0f * std::sin(t * 5.0f) + 10.0f * std::sin(t * 23.0f); };
  Curve amp = [](float t) {
    float a = t < 0.05f ? t / 0.05f : 1.0f;
    return a * (t < 0.75f ? 1.0f : std::exp(-(t - 0.75f) / 0.12f)) * (0.75f + 0.25f * std::sin(t * 47.0f));
  };
  Signal v = Vocal(1.1f, pitch, Vowel::kE, Vowel::kU, Ramp(0, 1, 0.9f), amp, 0.25f, 191);
  Signal rattle = Ring(v, Glide(42, 30, 1.0f), 0.6f);
  Saturate(rattle, 2.0f);
  return Finish(WithReverbMono(rattle, 1.0f, 0.12f, 0.3f, 0.5f, 0.5f, 0.2), 0.1f, -13.0f);
}

// Special rounds picked up: a bright rising bell arpeggio.
Signal SpecialBulletGet() {
  const float notes[] = {1046.5f, 1318.5f, 1568.0f, 2093.0f};
  Signal out;
  for (int k = 0; k < 4; ++k) {
    Signal bell = Fm(0.6f, Const(notes[k]), 3.5f, Glide(2.5f, 0.3f, 0.3f), Hit(0.002f, 0.18f));
    Signal body = Tone(0.6f, Wave::kTriangle, Const(notes[k] * 0.5f), Hit(0.002f, 0.1f));
    MixInto(bell, body, 0, 0.4f);
    MixInto(out, bell, Samples(0.065 * k), 1.0f);
  }
  return Finish(WithReverbMono(out, 1.0f, 0.25f, 0.5f, 0.4f, 0.6f, 0.4), 0.15f, -15.0f);
}

}  // namespace

std::vector<EffectRecipe> PlayerEffects() {
  return {
      {"SE/shot.wav", Shot},
      {"SE/sp-shot.wav", SpecialShot},
      {"SE/empty.wav", Empty},
      {"SE/reload1.wav", ReloadOut},
      {"SE/reload2.wav", ReloadIn},
      {"SE/player/ugh.wav", Ugh},
      {"SE/player/dead.wav", Dead},
      {"SE/player/eating.wav", Eating},
      {"SE/player/geeeeeppu.wav", Burp},
      {"SE/sp-bullet-get.wav", SpecialBulletGet},
  };
}

}  // namespace assetgen
