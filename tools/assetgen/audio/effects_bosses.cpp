// Recipes for the bosses: the big boosy and big doosy (their species, deeper and in a big room)
// and the last boss, a shell of obsidian with four needles.
#include <cmath>

#include "audio/recipes.h"
#include "audio/reverb.h"
#include "audio/sfxkit.h"

namespace assetgen {

namespace {

// The boss rooms: a large stone hall.
Signal InHall(const Signal& s, float wet, double tail) {
  return WithReverbMono(s, 1.0f, wet, 0.85f, 0.55f, 1.5f, tail);
}

// A rumbling explosion: low noise swept down with a sub drop.
Signal Blast(float seconds, uint64_t seed) {
  Signal rumble = Filtered(Noise(seconds, seed, Hit(0.004f, seconds * 0.3f)), FilterMode::kLow,
                           Glide(2500, 90, seconds * 0.7f), 0.9f);
  Signal sub = Tone(seconds, Wave::kSine, Glide(70, 28, seconds * 0.6f), Hit(0.005f, seconds * 0.3f));
  MixInto(rumble, sub, 0, 1.2f);
  Saturate(rumble, 2.0f);
  return rumble;
}

Signal BigBoosyDamaged() {
  Signal g = BoosyGrunt(0.6f, 0.55f, 701);
  return Finish(InHall(g, 0.35f, 0.8), 0.25f, -13.0f);
}

// A long metallic roar that collapses into blasts and falling plates.
Signal BigBoosyDead() {
  Signal roar = BoosyGrunt(0.5f, 1.6f, 711);
  Signal b1 = Blast(1.2f, 712);
  Signal b2 = Blast(1.5f, 713);
  Signal clanks = MetalClanks(6, 0.15f, 0.7f, 714);
  MixInto(roar, b1, Samples(0.9), 0.9f);
  MixInto(roar, b2, Samples(1.4), 1.0f);
  MixInto(roar, clanks, Samples(1.2), 0.6f);
  return Finish(InHall(roar, 0.4f, 1.4), 0.6f, -12.0f);
}

Signal BigDoosyDamaged() {
  Signal g = DoosyGrowl(0.65f, 0.65f, 721);
  return Finish(InHall(g, 0.35f, 0.8), 0.25f, -13.0f);
}

// The big doosy runs over one of its own: a crunching impact and a wet splat.
Signal BigDoosyRunOver() {
  Signal thud = Tone(0.5f, Wave::kSine, Glide(110, 40, 0.15f), Hit(0.002f, 0.1f));
  Signal crunch = Filtered(Pulses(0.3f, Const(180), Decay(0.08f), 731, 0.9f), FilterMode::kBand, Const(1800), 1.5f);
  Signal splat = Filtered(Noise(0.4f, 732, Hit(0.01f, 0.08f)), FilterMode::kLow, Glide(3000, 300, 0.3f), 3.0f);
  Signal out = thud;
  MixInto(out, crunch, Samples(0.01), 4.0f);
  MixInto(out, splat, Samples(0.03), 0.9f);
  Saturate(out, 2.0f);
  return Finish(InHall(out, 0.25f, 0.6), 0.15f, -13.0f);
}

// A huge roar that breaks and sinks.
Signal BigDoosyDead() {
  Signal roar = DoosyGrowl(0.55f, 2.0f, 741);
  Signal sink = Vocal(2.0f, Glide(110, 35, 1.9f), Vowel::kA, Vowel::kU, Ramp(0, 1, 1.8f), Hit(0.05f, 0.7f), 0.7f, 742);
  MixInto(roar, sink, 0, 0.6f);
  Signal fall = Blast(1.0f, 743);
  MixInto(roar, fall, Samples(1.5), 0.7f);
  return Finish(InHall(roar, 0.4f, 1.4), 0.6f, -12.0f);
}

// Obsidian struck: an inharmonic glassy clang over a resonant hum.
Signal Boss3Damaged() {
  Signal clang = Fm(0.9f, Const(330), 2.63f, Glide(6, 0.5f, 0.4f), Hit(0.001f, 0.18f));
  Signal high = Fm(0.9f, Const(1210), 1.73f, Glide(3, 0.2f, 0.3f), Hit(0.001f, 0.08f));
  Signal hum = Tone(0.9f, Wave::kTriangle, Const(55), Hit(0.02f, 0.3f));
  Signal out = clang;
  MixInto(out, high, 0, 0.4f);
  MixInto(out, hum, 0, 0.5f);
  return Finish(InHall(out, 0.45f, 0.9), 0.3f, -13.0f);
}

// A needle bursts out of the floor: a rising metallic scrape and a stab.
Signal Boss3Needle() {
  Signal scrape = Filtered(Noise(0.5f, 751, Ramp(0.2f, 1.0f, 0.4f)), FilterMode::kBand, Glide(250, 2600, 0.45f), 5.0f);
  Signal ring = Fm(0.5f, Glide(180, 1500, 0.45f), 1.5f, Const(2.0f), Ramp(0.0f, 0.6f, 0.45f));
  FadeOut(scrape, 0.02);
  FadeOut(ring, 0.02);
  MixInto(scrape, ring, 0, 0.5f);
  Signal stab = Fm(0.6f, Const(2100), 1.41f, Glide(4, 0.5f, 0.2f), Hit(0.0005f, 0.1f));
  Signal crack = Filtered(Noise(0.3f, 752, Hit(0.0005f, 0.03f)), FilterMode::kHigh, Const(2000), 0.7f);
  MixInto(stab, crack, 0, 0.8f);
  MixInto(scrape, stab, Samples(0.45), 1.0f);
  return Finish(InHall(scrape, 0.4f, 0.9), 0.3f, -13.0f);
}

// The shell digs down into the ground: grinding gravel and a low rumble.
Signal Boss3Digging() {
  Signal grind = Filtered(Pulses(1.4f, [](float t) { return 90.0f + 60.0f * std::sin(t * 7.0f); },
                                 Hit(0.1f, 0.6f), 761, 0.95f),
                          FilterMode::kBand, Const(900), 1.0f);
  Signal rumble = Filtered(Noise(1.4f, 762, Hit(0.15f, 0.6f)), FilterMode::kLow, Const(220), 1.2f);
  Signal sub = Tone(1.4f, Wave::kSine, Glide(48, 36, 1.2f), Hit(0.15f, 0.6f));
  Signal out = Sum({&rumble});
  MixInto(out, sub, 0, 0.4f);
  MixInto(out, grind, 0, 10.0f);
  Saturate(out, 1.5f);
  return Finish(InHall(out, 0.3f, 0.8), 0.3f, -13.0f);
}

// One volley of beam bolts: a short falling laser zap with a ring.
Signal Boss3Beam() {
  Signal zap = Tone(0.28f, Wave::kSaw, Glide(2400, 260, 0.2f), Hit(0.001f, 0.06f));
  zap = Filtered(zap, FilterMode::kBand, Glide(3500, 500, 0.2f), 2.0f);
  Signal ring = Ring(zap, Const(97), 0.6f);
  Signal glow = Fm(0.28f, Glide(880, 440, 0.2f), 1.5f, Const(1.2f), Hit(0.001f, 0.07f));
  MixInto(ring, glow, 0, 0.4f);
  return Finish(WithReverbMono(ring, 1.0f, 0.3f, 0.6f, 0.4f, 1.2f, 0.35), 0.1f, -14.0f);
}

// The shell breaks: a deep groan of stone and glass cracking apart.
Signal Boss3Dying1() {
  Signal groan = Fm(2.0f, Glide(65, 40, 1.8f), 1.007f, Glide(3, 1, 1.5f), Hit(0.1f, 0.7f));
  Signal grind = Filtered(Noise(2.0f, 771, Hit(0.1f, 0.7f)), FilterMode::kBand, Glide(300, 120, 1.8f), 3.0f);
  Signal cracks = Filtered(Pulses(1.6f, Glide(8, 30, 1.6f), Decay(0.7f), 772, 0.8f), FilterMode::kHigh, Const(1500), 0.7f);
  Signal out = Sum({&groan, &grind});
  MixInto(out, cracks, Samples(0.2), 6.0f);
  Signal shards = MetalClanks(5, 0.18f, 1.9f, 773);
  MixInto(out, shards, Samples(0.9), 0.4f);
  return Finish(InHall(out, 0.5f, 1.5), 0.6f, -12.0f);
}

// The last boss's end: a long collapse, blasts, and a falling, ghostly choir of tones.
Signal Boss3Dying2() {
  Signal out = Blast(2.5f, 781);
  Signal b2 = Blast(2.0f, 782);
  MixInto(out, b2, Samples(1.1), 0.8f);
  const float voices[] = {220.0f, 261.6f, 329.6f, 392.0f};
  for (int k = 0; k < 4; ++k) {
    float f0 = voices[k];
    Signal tone = Fm(3.6f, Glide(f0, f0 * 0.5f, 3.4f), 2.0f, Const(0.7f),
                     [](float t) { return (t < 0.5f ? t / 0.5f : 1.0f) * std::exp(-std::max(t - 1.5f, 0.0f) / 0.8f); });
    Signal v = Ring(tone, Const(5.0f + k), 0.3f);
    MixInto(out, v, Samples(0.2), 0.18f);
  }
  return Finish(InHall(out, 0.5f, 2.0), 1.0f, -12.0f);
}

}  // namespace

std::vector<EffectRecipe> BossEffects() {
  return {
      {"SE/enemy/big-boosy-damaged.wav", BigBoosyDamaged},
      {"SE/enemy/big-boosy-dead.wav", BigBoosyDead},
      {"SE/enemy/big-doosy-damaged.wav", BigDoosyDamaged},
      {"SE/enemy/big-doosy-run-over.wav", BigDoosyRunOver},
      {"SE/enemy/big-doosy-dead.wav", BigDoosyDead},
      {"SE/enemy/boss3-damaged.wav", Boss3Damaged},
      {"SE/enemy/boss3-needle.wav", Boss3Needle},
      {"SE/enemy/boss3-digging.wav", Boss3Digging},
      {"SE/enemy/boss3-beam.wav", Boss3Beam},
      {"SE/enemy/boss3-dying1.wav", Boss3Dying1},
      {"SE/enemy/boss3-dying2.wav", Boss3Dying2},
  };
}

}  // namespace assetgen
