// Music recipes for the three boss fights: fast, heavy drums, each boss its own motif.
#include "audio/recipes.h"

namespace assetgen {

namespace {

// Boss 1, the big boosy: a pompous brass march motif in D minor over taiko and organ.
Song Murder() {
  Song s(150, 32);
  s.mix = {0.7f, 0.5f, 1.3f, 0.28f, -16.5f, 0.004};
  const char* a = "Dm Dm Bb C Dm Dm Bb C";
  const char* b = "Gm Gm Dm Dm Bb C A A";
  std::string all = std::string(a) + " " + b + " " + a + " " + b;
  int bass = s.AddTrack(Instrument::kDriveBass, 0.2f, 0.0f, 0.1f);
  s.Bass(bass, 0, all, 16, "x.xx.xx.x.xx.x5o", 1);
  int organ = s.AddTrack(Instrument::kOrgan, 0.3f, -0.3f, 0.4f);
  s.Chords(organ, 0, all, 16, 3, 0.6f);
  int brass = s.AddTrack(Instrument::kBrass, 0.45f, 0.15f, 0.3f);
  const char* motif =
      "D4:2! D4:2 F4:2 D4:2 A4:4 G4:2 F4:2  E4:2 F4:2 G4:2 E4:2 C4:8 "
      "D4:2! D4:2 F4:2 D4:2 Bb4:4 A4:2 G4:2  A4:4 C5:4 D5:8";
  s.Phrase(brass, 0, 4, motif);
  s.Phrase(brass, 4, 4, motif, 12);
  s.Phrase(brass, 16, 4, motif, 12);
  s.Phrase(brass, 20, 4, motif);
  int lead = s.AddTrack(Instrument::kLead, 0.26f, -0.1f, 0.35f);
  const char* answer =
      "G5:4 Bb5:4 D6:8  C6:4 Bb5:4 A5:8  F5:4 A5:4 D6:8  A5:16 "
      "Bb5:4 A5:4 G5:4 F5:4  E5:4 G5:4 C6:8  C#6:8 E6:8  A5:16";
  s.Phrase(lead, 8, 8, answer, -12);
  s.Phrase(lead, 24, 8, answer);
  int taiko = s.AddDrums(Drum::kTaiko, 0.36f, 0.0f, 0.35f);
  s.Beat(taiko, 0, 32, "X.....x.X...x...");
  int kick = s.AddDrums(Drum::kKick, 0.36f, 0.0f, 0.1f);
  s.Beat(kick, 0, 32, "X.x...x.X.x...x.");
  int snare = s.AddDrums(Drum::kSnare, 0.3f, 0.1f, 0.25f);
  s.Beat(snare, 0, 32, "....X.......X..o");
  int hat = s.AddDrums(Drum::kHat, 0.12f, 0.4f, 0.1f);
  s.Beat(hat, 0, 32, "x.x.x.x.x.x.x.xx");
  int crash = s.AddDrums(Drum::kCrash, 0.15f, -0.3f, 0.3f);
  s.Beat(crash, 0, 32, std::string("X") + std::string(127, '.'));
  return s;
}

// Boss 2, the big doosy: feral, a snarling organ riff in E phrygian with racing double kicks.
Song Order() {
  Song s(160, 36);
  s.mix = {0.65f, 0.55f, 1.2f, 0.25f, -16.5f, 0.004};
  const char* a = "Em F Em D Em F Em D";
  const char* b = "C D Em Em C D B B";
  const char* c = "Em F Em D";
  std::string all = std::string(a) + " " + b + " " + a + " " + b + " " + c;
  int bass = s.AddTrack(Instrument::kDriveBass, 0.28f, 0.0f, 0.1f);
  s.Bass(bass, 0, all, 16, "xxoxxxoxxxoxx5xo", 1);
  int organ = s.AddTrack(Instrument::kOrgan, 0.3f, -0.2f, 0.3f);
  const char* riff =
      "E4:2! E4:1 E4:1 G4:2 E4:2 F4:3 E4:1 D4:2 B3:2  F4:2! F4:1 F4:1 A4:2 F4:2 G4:3 F4:1 E4:2 C4:2 "
      "E4:2! E4:1 E4:1 G4:2 E4:2 F4:3 E4:1 D4:2 B3:2  D4:2! D4:1 D4:1 F#4:2 D4:2 E4:3 D4:1 C4:2 A3:2";
  s.Phrase(organ, 0, 4, riff);
  s.Phrase(organ, 4, 4, riff, 12);
  s.Phrase(organ, 16, 4, riff);
  s.Phrase(organ, 20, 4, riff, 12);
  s.Phrase(organ, 32, 4, riff);
  int choir = s.AddTrack(Instrument::kChoir, 0.45f, 0.25f, 0.6f);
  s.Chords(choir, 8, b, 16, 3, 0.6f);
  s.Chords(choir, 24, b, 16, 3, 0.6f);
  int brass = s.AddTrack(Instrument::kBrass, 0.3f, 0.1f, 0.3f);
  const char* howl =
      "C5:4! E5:4 G5:8  D5:4 F#5:4 A5:8  B5:4 G5:4 E5:8  F5:4 E5:4 B4:8 "
      "C5:4 E5:4 G5:4 C6:4  D6:4 A5:4 F#5:8  D#5:8 F#5:8  B5:16";
  s.Phrase(brass, 8, 8, howl, -12);
  s.Phrase(brass, 24, 8, howl);
  int kick = s.AddDrums(Drum::kKick, 0.36f, 0.0f, 0.1f);
  s.Beat(kick, 0, 36, "X.X.x..xX.X.x..x");
  int taiko = s.AddDrums(Drum::kTaiko, 0.32f, 0.0f, 0.35f);
  s.Beat(taiko, 0, 36, "X.......X..x....");
  int snare = s.AddDrums(Drum::kSnare, 0.3f, 0.1f, 0.25f);
  s.Beat(snare, 0, 36, "....X.......X.xx");
  int hat = s.AddDrums(Drum::kHat, 0.12f, 0.4f, 0.1f);
  s.Beat(hat, 0, 36, "xoxoxoxoxoxoxoxo");
  int crash = s.AddDrums(Drum::kCrash, 0.15f, -0.3f, 0.3f);
  s.Beat(crash, 0, 32, std::string("X") + std::string(127, '.'));
  return s;
}

// Boss 3, the last boss: ancient and vast, a choir and organ in C# minor, bells on the motif.
Song Promise() {
  Song s(144, 32);
  s.mix = {0.85f, 0.45f, 1.6f, 0.35f, -16.5f, 0.004};
  const char* a = "C#m A F#m G# C#m A F#m G#";
  const char* b = "A B C#m C#m A B G# G#";
  const char* c = "F#m G# C#m A F#m G# C#m G#";
  std::string all = std::string(a) + " " + b + " " + a + " " + c;
  int choir = s.AddTrack(Instrument::kChoir, 0.57f, -0.2f, 0.6f);
  s.Chords(choir, 0, all, 16, 3, 0.6f);
  int organ = s.AddTrack(Instrument::kOrgan, 0.18f, 0.25f, 0.5f);
  s.Arp(organ, 0, all, 16, "0-2-1-2-0-2-1-3-", 3, 0.6f);
  int bass = s.AddTrack(Instrument::kBass, 0.32f, 0.0f, 0.1f);
  s.Bass(bass, 0, all, 16, "x..x..x.x..x..5.", 1);
  int bell = s.AddTrack(Instrument::kBell, 0.3f, 0.35f, 0.7f);
  const char* motif =
      "C#5:6 E5:2 G#5:8  A5:6 G#5:2 E5:8  F#5:4 A5:4 C#6:8  C6:8 G#5:8";
  s.Phrase(bell, 0, 4, motif);
  s.Phrase(bell, 4, 4, motif, 12);
  s.Phrase(bell, 16, 4, motif);
  s.Phrase(bell, 20, 4, motif, 12);
  int lead = s.AddTrack(Instrument::kLead, 0.26f, -0.1f, 0.4f);
  s.Phrase(lead, 8, 8,
           "E5:4 A5:4 C#6:8  D#6:4 B5:4 F#5:8  E5:4 G#5:4 C#6:8  G#5:16 "
           "A5:4 C#6:4 E6:8  F#6:4 D#6:4 B5:8  C6:8 D#6:8  G#5:16", -12);
  s.Phrase(lead, 24, 8,
           "F#5:8 A5:8  G#5:8 C6:8  C#6:4 E6:4 G#6:8  E6:16 "
           "F#6:8 C#6:8  D#6:8 C6:8  C#6:16  C6:16", -12);
  int taiko = s.AddDrums(Drum::kTaiko, 0.36f, 0.0f, 0.4f);
  s.Beat(taiko, 0, 32, "X..x..X.x..x..x.");
  int kick = s.AddDrums(Drum::kKick, 0.32f, 0.0f, 0.1f);
  s.Beat(kick, 8, 24, "X.......X.......");
  int snare = s.AddDrums(Drum::kSnare, 0.28f, 0.1f, 0.3f);
  s.Beat(snare, 8, 24, "....X.......X...");
  int crash = s.AddDrums(Drum::kCrash, 0.14f, -0.3f, 0.4f);
  s.Beat(crash, 0, 32, std::string("X") + std::string(127, '.'));
  return s;
}

}  // namespace

std::vector<MusicRecipe> BossMusic() {
  return {
      {"sounds/Ancient_MurderLp.mp3", Murder},
      {"sounds/Ancient_OrderLp.mp3", Order},
      {"sounds/Ancient_PromiseLp.mp3", Promise},
  };
}

}  // namespace assetgen
