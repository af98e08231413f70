// Music recipe for the ending roll: calm, major, gentle bells and pads.
#include "audio/recipes.h"

namespace assetgen {

namespace {

Song QuietSnowField() {
  Song s(80, 28);
  s.mix = {0.85f, 0.4f, 1.5f, 0.4f, -19.0f, 0.004};
  const char* a = "Cmaj7 G Am7 F Cmaj7 G Am7 F";
  const char* b = "F G Em Am Dm7 G C C";
  const char* coda = "F G Cmaj7 Cmaj7";
  std::string all = std::string(a) + " " + b + " " + a + " " + coda;
  int pad = s.AddTrack(Instrument::kPad, 0.3f, -0.25f, 0.6f);
  s.Chords(pad, 0, all, 16, 3, 0.55f);
  int choir = s.AddTrack(Instrument::kChoir, 0.33f, 0.3f, 0.7f);
  s.Chords(choir, 16, std::string(a) + " " + coda, 16, 4, 0.45f);
  int bass = s.AddTrack(Instrument::kBass, 0.22f, 0.0f, 0.2f);
  s.Bass(bass, 0, all, 16, "x-------5-------", 1);
  int pluck = s.AddTrack(Instrument::kPluck, 0.2f, 0.35f, 0.5f);
  s.Arp(pluck, 8, std::string(b) + " " + a, 16, "0.1.2.1.3.1.2.1.", 4, 0.5f);
  int glass = s.AddTrack(Instrument::kGlass, 0.3f, 0.15f, 0.7f);
  const char* theme =
      "E5:8 G5:4 B5:4  D5:8 B4:8  C5:4 E5:4 A5:8  A5:6 G5:2 F5:8 "
      "E5:4 G5:4 C6:8  B5:8 D5:8  E5:4 C5:4 A4:8  A4:4 C5:4 F5:8";
  s.Phrase(glass, 0, 8, theme);
  s.Phrase(glass, 16, 8, theme, 12);
  s.Phrase(glass, 24, 4, "A5:16  B5:16  C6:16  r:16");
  int bell = s.AddTrack(Instrument::kBell, 0.22f, -0.3f, 0.8f);
  s.Phrase(bell, 8, 8, "A4:8 C5:8  B4:8 D5:8  G5:8 E5:8  E5:4 C5:4 A4:8  F5:8 A5:8  G5:4 F5:4 D5:8  E5:16  G5:16");
  int shaker = s.AddDrums(Drum::kShaker, 0.06f, 0.4f, 0.5f);
  s.Beat(shaker, 8, 16, "....x.......x...");
  return s;
}

}  // namespace

std::vector<MusicRecipe> EndingMusic() {
  return {{"sounds/quiet_snow_field.mp3", QuietSnowField}};
}

}  // namespace assetgen
