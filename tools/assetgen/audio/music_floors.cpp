// Music recipes for the title and the five floor groups, growing tenser with depth.
#include "audio/recipes.h"

namespace assetgen {

namespace {

// Title: slow and minor, dark pads, a low choir and a distant bell over a soft low drum.
Song Title() {
  Song s(70, 16);
  s.mix = {0.85f, 0.45f, 1.5f, 0.45f, -19.0f, 0.004};
  const char* a = "Dm Bb F C Dm Gm A A";
  const char* b = "Bb F Gm Dm Bb C A A";
  int pad = s.AddTrack(Instrument::kDarkPad, 0.55f, -0.2f, 0.5f);
  s.Chords(pad, 0, a, 16, 3, 0.7f);
  s.Chords(pad, 8, b, 16, 3, 0.7f);
  int choir = s.AddTrack(Instrument::kChoir, 0.60f, 0.25f, 0.7f);
  s.Chords(choir, 8, b, 16, 4, 0.55f);
  int bass = s.AddTrack(Instrument::kBass, 0.32f, 0.0f, 0.2f);
  s.Bass(bass, 0, std::string(a) + " " + b, 16, "x-------5-------", 1);
  int bell = s.AddTrack(Instrument::kBell, 0.28f, 0.4f, 0.9f);
  s.Phrase(bell, 0, 8,
           "A4:4 D5:4 F5:8  E5:4 D5:4 Bb4:8  A4:4 C5:4 F5:6 E5:2  E5:8 G4:8 "
           "A4:4 D5:4 F5:4 A5:4  G5:6 F5:2 D5:8  C#5:8 E5:8  A4:16");
  s.Phrase(bell, 8, 8,
           "D5:8 F5:8  C5:8 A4:8  Bb4:8 D5:8  A4:16  F5:8 D5:8  E5:8 G5:8  E5:8 C#5:8  A4:8 r:8");
  int drum = s.AddDrums(Drum::kTaiko, 0.24f, 0.0f, 0.6f);
  s.Beat(drum, 0, 16, "X...............................");
  return s;
}

// Floors 1-5: exploratory, minor, a glassy melody over soft percussion.
Song Mot1() {
  Song s(100, 24);
  s.mix = {0.7f, 0.5f, 1.1f, 0.3f, -18.0f, 0.004};
  const char* a = "Em C D Bm Em C Am B";
  const char* b = "C D Em Em Am C B B";
  int pad = s.AddTrack(Instrument::kPad, 0.3f, -0.3f, 0.5f);
  s.Chords(pad, 0, a, 16, 3, 0.6f);
  s.Chords(pad, 8, b, 16, 3, 0.6f);
  s.Chords(pad, 16, a, 16, 3, 0.6f);
  int bass = s.AddTrack(Instrument::kBass, 0.32f, 0.0f, 0.15f);
  s.Bass(bass, 0, std::string(a) + " " + b + " " + a, 16, "x.....x.x...5...", 1);
  int pluck = s.AddTrack(Instrument::kPluck, 0.3f, 0.35f, 0.4f);
  s.Arp(pluck, 8, std::string(b) + " " + a, 16, "0.1.2.3.2.1.2.1.", 4, 0.6f);
  int glass = s.AddTrack(Instrument::kGlass, 0.3f, 0.2f, 0.6f);
  const char* theme =
      "E5:4 G5:4 B5:6 A5:2  G5:4 E5:4 C5:8  D5:4 F#5:4 A5:6 G5:2  F#5:8 D5:8 "
      "E5:4 G5:4 B5:4 E6:4  D6:4 C6:4 G5:8  A5:4 C6:4 E5:6 F#5:2  D#5:16";
  s.Phrase(glass, 0, 8, theme);
  int lead = s.AddTrack(Instrument::kLead, 0.22f, -0.15f, 0.4f);
  s.Phrase(lead, 8, 8,
           "C5:6 E5:2 G5:8  D5:6 F#5:2 A5:8  G5:4 F#5:4 E5:8  B4:16 "
           "A4:6 C5:2 E5:8  G5:6 E5:2 C5:8  B4:4 D#5:4 F#5:8  B5:16", -12);
  s.Phrase(lead, 16, 8, theme, -12);
  int kick = s.AddDrums(Drum::kKick, 0.32f, 0.0f, 0.1f);
  s.Beat(kick, 4, 20, "X.......x.......");
  int rim = s.AddDrums(Drum::kRim, 0.15f, -0.3f, 0.4f);
  s.Beat(rim, 4, 20, "....x.......x..o");
  int shaker = s.AddDrums(Drum::kShaker, 0.12f, 0.4f, 0.3f);
  s.Beat(shaker, 8, 16, "..x...x...x...xo");
  return s;
}

// Floors 6-10: warmer, a plucked ostinato running under everything.
Song Mot2() {
  Song s(110, 24);
  s.mix = {0.6f, 0.5f, 1.0f, 0.25f, -18.0f, 0.004};
  const char* a = "Dm Bb F C Dm Bb Gm A";
  const char* b = "Bb C Am Dm Gm C F A";
  int pluck = s.AddTrack(Instrument::kPluck, 0.5f, 0.25f, 0.3f);
  s.Arp(pluck, 0, std::string(a) + " " + b + " " + a, 16, "0102010301020121", 4, 0.7f);
  int pad = s.AddTrack(Instrument::kPad, 0.22f, -0.3f, 0.5f);
  s.Chords(pad, 0, a, 16, 3, 0.6f);
  s.Chords(pad, 8, b, 16, 3, 0.6f);
  s.Chords(pad, 16, a, 16, 3, 0.6f);
  int bass = s.AddTrack(Instrument::kBass, 0.24f, 0.0f, 0.1f);
  s.Bass(bass, 0, std::string(a) + " " + b + " " + a, 16, "x..x..x.x..x.5..", 1);
  int lead = s.AddTrack(Instrument::kLead, 0.22f, -0.2f, 0.4f);
  s.Phrase(lead, 8, 8,
           "D5:4 F5:4 Bb5:8  G5:4 E5:4 C5:8  C5:4 E5:4 A5:8  F5:6 E5:2 D5:8 "
           "D5:4 G5:4 Bb5:6 A5:2  G5:4 E5:4 C5:8  A4:4 C5:4 F5:8  E5:4 C#5:4 A4:8", -12);
  s.Phrase(lead, 16, 8,
           "A5:6 F5:2 D5:8  D5:4 F5:4 Bb4:8  A4:4 C5:4 F5:8  G5:6 E5:2 C5:8 "
           "F5:4 A5:4 D6:8  D6:4 Bb5:4 F5:8  G5:4 Bb5:4 D5:8  C#5:8 E5:8", -12);
  int kick = s.AddDrums(Drum::kKick, 0.36f, 0.0f, 0.1f);
  s.Beat(kick, 0, 24, "X.....x.X.......");
  int snare = s.AddDrums(Drum::kSnare, 0.22f, 0.1f, 0.3f);
  s.Beat(snare, 4, 20, "....x.......x...");
  int hat = s.AddDrums(Drum::kHat, 0.13f, 0.35f, 0.2f);
  s.Beat(hat, 0, 24, "o.x.o.x.o.x.o.xx");
  return s;
}

// Floors 11-20: driving bass, an eerie wavering lead, a steady pulse.
Song Mot3() {
  Song s(120, 28);
  s.mix = {0.75f, 0.5f, 1.2f, 0.3f, -17.5f, 0.004};
  const char* a = "Cm Cm Ab Ab Fm Fm G G";
  const char* b = "Ab Ab Bb Bb Cm Cm G G";
  const char* c = "Cm Ab Fm G";
  std::string all = std::string(a) + " " + a + " " + b + " " + c;
  int bass = s.AddTrack(Instrument::kDriveBass, 0.28f, 0.0f, 0.1f);
  s.Bass(bass, 0, all, 16, "x.xxx.xox.xxx.x5", 1);
  int pad = s.AddTrack(Instrument::kDarkPad, 0.3f, -0.25f, 0.5f);
  s.Chords(pad, 0, all, 16, 3, 0.6f);
  int eerie = s.AddTrack(Instrument::kEerieLead, 0.3f, 0.2f, 0.6f);
  const char* theme = "G5:16  Eb5:16  C5:16  Ab5:8 G5:8  F5:16  Ab5:8 C6:8  B5:16  G5:16";
  s.Phrase(eerie, 0, 8, theme);
  s.Phrase(eerie, 8, 8, theme, 12);
  s.Phrase(eerie, 16, 8, "Eb6:8 C6:8  Ab5:16  F5:8 Bb5:8  D6:16  C6:8 G5:8  Eb5:16  D5:8 F5:8  B4:16");
  s.Phrase(eerie, 24, 4, "G5:16  Eb5:16  C5:16  B4:16");
  int glass = s.AddTrack(Instrument::kGlass, 0.13f, 0.45f, 0.7f);
  s.Arp(glass, 8, std::string(a) + " " + b, 16, "3.2.1.0.3.2.1.2.", 5, 0.5f);
  int kick = s.AddDrums(Drum::kKick, 0.40f, 0.0f, 0.1f);
  s.Beat(kick, 0, 28, "X...x...X...x...");
  int snare = s.AddDrums(Drum::kSnare, 0.3f, 0.1f, 0.3f);
  s.Beat(snare, 4, 24, "....X.......X..o");
  int hat = s.AddDrums(Drum::kHat, 0.14f, 0.35f, 0.2f);
  s.Beat(hat, 0, 28, "oxoxoxoxoxoxoxox");
  return s;
}

// Floors 21-26: dissonant tritones, brass stabs and clanking machine percussion.
Song Mot4() {
  Song s(130, 30);
  s.mix = {0.6f, 0.6f, 0.9f, 0.25f, -17.5f, 0.004};
  const char* a = "Em F Em Bb Em F Em Bb";
  const char* b = "Am Bb Am Eb Am Bb F# F#";
  const char* c = "Em F Em Bb Em F";
  std::string all = std::string(a) + " " + b + " " + a + " " + c;
  int bass = s.AddTrack(Instrument::kDriveBass, 0.22f, 0.0f, 0.1f);
  s.Bass(bass, 0, all, 16, "x.x.xx.xx.x.xx.5", 1);
  int pad = s.AddTrack(Instrument::kDarkPad, 0.25f, -0.3f, 0.4f);
  s.Chords(pad, 0, all, 16, 3, 0.6f);
  int brass = s.AddTrack(Instrument::kBrass, 0.3f, 0.15f, 0.3f);
  const char* stabs =
      "E5:2! r:2 Bb4:2 r:2 E5:2 r:6  F5:2! r:2 B4:2 r:2 F5:2 r:6 "
      "E5:2! r:2 Bb4:2 r:2 G5:2 r:2 F5:2 r:2  D5:4 Bb4:4 F4:8";
  s.Phrase(brass, 0, 4, stabs, -12);
  s.Phrase(brass, 4, 4, stabs);
  s.Phrase(brass, 16, 4, stabs, -12);
  s.Phrase(brass, 20, 4, stabs);
  s.Phrase(brass, 24, 4, stabs, -12);
  int eerie = s.AddTrack(Instrument::kEerieLead, 0.28f, -0.15f, 0.5f);
  s.Phrase(eerie, 8, 8,
           "A5:8 Bb5:8  A5:4 E5:4 Eb5:8  A5:8 Bb5:8  C#6:8 F#5:8 "
           "A5:8 Bb5:8  F5:4 E5:4 Eb5:8  F#5:16  C#5:16");
  s.Phrase(eerie, 28, 2, "E5:8 F5:8  E5:16");
  int metal = s.AddDrums(Drum::kMetal, 0.22f, 0.35f, 0.3f);
  s.Beat(metal, 0, 30, "X..x..x...X.x...");
  int kick = s.AddDrums(Drum::kKick, 0.40f, 0.0f, 0.1f);
  s.Beat(kick, 0, 30, "X..X..X...X..X..");
  int rim = s.AddDrums(Drum::kRim, 0.18f, -0.35f, 0.2f);
  s.Beat(rim, 0, 30, "..x...x...x...xx");
  int snare = s.AddDrums(Drum::kSnare, 0.28f, 0.05f, 0.3f);
  s.Beat(snare, 8, 22, "....X.......X...");
  int hat = s.AddDrums(Drum::kHat, 0.12f, 0.4f, 0.1f);
  s.Beat(hat, 0, 30, "xoxoxoxoxoxoxoxo");
  return s;
}

// Floors 27-30: frantic, a heartbeat throb under a racing arpeggio and a choir.
Song Mot5() {
  Song s(140, 32);
  s.mix = {0.7f, 0.5f, 1.1f, 0.28f, -17.0f, 0.004};
  const char* a = "F#m G F#m E F#m G F#m E";
  const char* b = "D E F#m F#m D E G G";
  const char* c = "F#m G F#m E F#m G E E";
  std::string all = std::string(a) + " " + b + " " + a + " " + c;
  int bass = s.AddTrack(Instrument::kBass, 0.32f, 0.0f, 0.1f);
  s.Bass(bass, 0, all, 16, "x.xox.xox.xox.xo", 1);
  int choir = s.AddTrack(Instrument::kChoir, 0.45f, -0.2f, 0.6f);
  s.Chords(choir, 0, all, 16, 3, 0.55f);
  int arp = s.AddTrack(Instrument::kGlass, 0.16f, 0.35f, 0.4f);
  s.Arp(arp, 0, all, 16, "0123210101232101", 4, 0.6f);
  int lead = s.AddTrack(Instrument::kLead, 0.24f, -0.1f, 0.35f);
  const char* theme =
      "F#5:2 G5:2 A5:2 F#5:2 C#6:4 A5:4  B5:2 A5:2 G5:2 D5:2 B4:8 "
      "F#5:2 G5:2 A5:2 C#6:2 F#6:4 E6:4  E6:2 D6:2 C#6:2 B5:2 G#5:8";
  s.Phrase(lead, 0, 4, theme, -12);
  s.Phrase(lead, 4, 4, theme);
  s.Phrase(lead, 16, 4, theme);
  s.Phrase(lead, 20, 4, theme, -12);
  s.Phrase(lead, 24, 8,
           "C#6:8 A5:8  B5:8 D6:8  C#6:4 A5:4 F#5:8  E5:8 G#5:8 "
           "A5:4 C#6:4 F#6:8  G6:4 F#6:4 D6:8  G#5:8 B5:8  E6:16", -12);
  int pulse = s.AddDrums(Drum::kPulse, 0.55f, 0.0f, 0.3f);
  s.Beat(pulse, 0, 32, "X..x............");
  int kick = s.AddDrums(Drum::kKick, 0.36f, 0.0f, 0.1f);
  s.Beat(kick, 8, 24, "X...X...X...X...");
  int snare = s.AddDrums(Drum::kSnare, 0.26f, 0.1f, 0.3f);
  s.Beat(snare, 8, 24, "....X.......X.X.");
  int shaker = s.AddDrums(Drum::kShaker, 0.1f, 0.45f, 0.2f);
  s.Beat(shaker, 0, 32, "xoxoxoxoxoxoxoxx");
  int tom = s.AddDrums(Drum::kTom, 0.3f, -0.3f, 0.4f);
  s.Beat(tom, 7, 1, "........x.x.xxxx");
  s.Beat(tom, 15, 1, "........x.x.xxxx");
  s.Beat(tom, 23, 1, "........x.x.xxxx");
  s.Beat(tom, 31, 1, "........x.x.xxxx");
  return s;
}

}  // namespace

std::vector<MusicRecipe> FloorMusic() {
  return {
      {"sounds/Quorl_title.mp3", Title},
      {"sounds/MOT_1.mp3", Mot1},
      {"sounds/MOT_2.mp3", Mot2},
      {"sounds/MOT_3.mp3", Mot3},
      {"sounds/MOT_4.mp3", Mot4},
      {"sounds/MOT_5.mp3", Mot5},
  };
}

}  // namespace assetgen
