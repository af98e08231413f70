// Unit tests of the generator's sound toolkit: file writers, sequencer, loops, voices, catalogue.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <set>
#include <string>

#include "audio/audio.h"
#include "audio/catalogue.h"
#include "audio/mp3decoder.h"
#include "audio/mp3encoder.h"
#include "audio/song.h"
#include "audio/voicelines.h"
#include "audio/voices.h"
#include "audio/wavfile.h"
#include "support/testfiles.h"

using namespace assetgen;

namespace {

Signal SineWave(double hz, double seconds, float amp) {
  Signal s(Samples(seconds));
  for (size_t i = 0; i < s.size(); ++i) s[i] = amp * std::sin(2.0 * M_PI * hz * i / kSampleRate);
  return s;
}

uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}
uint32_t Le16(const std::vector<uint8_t>& b, size_t at) { return b[at] | (b[at + 1] << 8); }

// Largest jump between neighbouring samples.
float MaxStep(const Signal& s) {
  float m = 0.0f;
  for (size_t i = 1; i < s.size(); ++i) m = std::max(m, std::fabs(s[i] - s[i - 1]));
  return m;
}

// Frequency from upward zero crossings over the middle half of a signal.
double ZeroCrossingHz(const Signal& s) {
  size_t a = s.size() / 4, b = s.size() * 3 / 4;
  int crossings = 0;
  for (size_t i = a + 1; i < b; ++i) crossings += (s[i - 1] < 0.0f && s[i] >= 0.0f);
  return crossings * static_cast<double>(kSampleRate) / (b - a);
}

}  // namespace

TEST(AssetgenWav, HeaderFieldsAndSamplesAreExact) {
  Signal s = {0.0f, 1.0f, -1.0f, 0.5f, 2.0f, -3.0f};
  std::vector<uint8_t> b = EncodeWav(s, 22050);
  ASSERT_EQ(b.size(), 44u + 12u);
  EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "RIFF");
  EXPECT_EQ(Le32(b, 4), b.size() - 8);
  EXPECT_EQ(std::string(b.begin() + 8, b.begin() + 16), "WAVEfmt ");
  EXPECT_EQ(Le32(b, 16), 16u);      // format chunk size
  EXPECT_EQ(Le16(b, 20), 1u);       // PCM
  EXPECT_EQ(Le16(b, 22), 1u);       // mono
  EXPECT_EQ(Le32(b, 24), 22050u);   // rate
  EXPECT_EQ(Le32(b, 28), 44100u);   // bytes per second
  EXPECT_EQ(Le16(b, 32), 2u);       // bytes per frame
  EXPECT_EQ(Le16(b, 34), 16u);      // bits
  EXPECT_EQ(std::string(b.begin() + 36, b.begin() + 40), "data");
  EXPECT_EQ(Le32(b, 40), 12u);
  const int16_t expected[] = {0, 32767, -32767, 16384, 32767, -32767};  // out of range clips
  for (int i = 0; i < 6; ++i) EXPECT_EQ(static_cast<int16_t>(Le16(b, 44 + 2 * i)), expected[i]) << i;

  WavData back;
  std::string error;
  ASSERT_EQ(DecodeWav(b, &back, &error), 0) << error;
  EXPECT_EQ(back.rate, 22050);
  EXPECT_EQ(back.channels, 1);
  ASSERT_EQ(back.samples.size(), 6u);
  EXPECT_NEAR(back.samples[3], 0.5f, 1e-4f);
}

TEST(AssetgenWav, ReaderRejectsDamagedFiles) {
  std::vector<uint8_t> good = EncodeWav(SineWave(440, 0.01, 0.5f), kSampleRate);
  WavData out;
  std::string error;
  std::vector<uint8_t> truncated(good.begin(), good.end() - 3);  // data chunk runs past the end
  EXPECT_EQ(DecodeWav(truncated, &out, &error), -1);
  std::vector<uint8_t> notRiff = good;
  notRiff[0] = 'X';
  EXPECT_EQ(DecodeWav(notRiff, &out, &error), -1);
  std::vector<uint8_t> hugeChunk = good;
  hugeChunk[16] = 0xFF, hugeChunk[17] = 0xFF, hugeChunk[18] = 0xFF, hugeChunk[19] = 0xFF;
  EXPECT_EQ(DecodeWav(hugeChunk, &out, &error), -1);
  std::vector<uint8_t> eightBit = good;
  eightBit[34] = 8;
  EXPECT_EQ(DecodeWav(eightBit, &out, &error), -1);
  EXPECT_EQ(DecodeWav(std::vector<uint8_t>(good.begin(), good.begin() + 10), &out, &error), -1);
}

TEST(AssetgenMp3, DecodedLengthIsExactAndSoundSurvives) {
  testsupport::ScratchDir dir;
  // An odd length that is no multiple of the 1152-sample frame.
  Signal left = SineWave(440, 1.2345, 0.5f);
  Signal right = SineWave(660, 1.2345, 0.25f);
  std::string path = dir.file("tone.mp3");
  ASSERT_EQ(WriteMp3(path, left, right, 128), 0);
  Mp3Data mp3;
  std::string error;
  ASSERT_EQ(ReadMp3(path, &mp3, &error), 0) << error;
  EXPECT_EQ(mp3.rate, 44100);
  ASSERT_EQ(mp3.channels, 2);
  ASSERT_EQ(mp3.samples.size(), left.size() * 2) << "encoder delay or padding not removed";
  // Aligned: the decoded left channel matches the source closely, sample by sample.
  double err = 0.0, ref = 0.0;
  for (size_t i = 1000; i < left.size() - 1000; ++i) {
    double d = mp3.samples[2 * i] - left[i];
    err += d * d;
    ref += static_cast<double>(left[i]) * left[i];
  }
  EXPECT_LT(err / ref, 0.01);
}

TEST(AssetgenMp3, MonoInputAndReaderFailures) {
  testsupport::ScratchDir dir;
  Signal mono = SineWave(300, 0.5, 0.5f);
  ASSERT_EQ(WriteMp3(dir.file("mono.mp3"), mono, {}, 64), 0);
  Mp3Data mp3;
  std::string error;
  ASSERT_EQ(ReadMp3(dir.file("mono.mp3"), &mp3, &error), 0) << error;
  EXPECT_EQ(mp3.channels, 1);
  EXPECT_EQ(mp3.samples.size(), mono.size());
  EXPECT_TRUE(EncodeMp3(mono, Signal(10, 0.0f), 128).empty()) << "channels of unequal length";
  EXPECT_EQ(ReadMp3(dir.file("missing.mp3"), &mp3, &error), -1);
  testsupport::WriteFile(dir.file("junk.mp3"), "this is not an mp3 file at all");
  EXPECT_EQ(ReadMp3(dir.file("junk.mp3"), &mp3, &error), -1);
}

TEST(AssetgenSong, NotesAndChordsParse) {
  EXPECT_EQ(ParseNote("A4"), 69);
  EXPECT_EQ(ParseNote("C4"), 60);
  EXPECT_EQ(ParseNote("C#5"), 73);
  EXPECT_EQ(ParseNote("Bb3"), 58);
  EXPECT_EQ(ParseNote("H4"), -1);
  EXPECT_EQ(ParseNote("C"), -1);
  EXPECT_EQ(ParseNote("C45"), -1);
  int root = -1;
  std::vector<int> iv;
  ASSERT_TRUE(ParseChord("F#m7", &root, &iv));
  EXPECT_EQ(root, 6);
  EXPECT_EQ(iv, (std::vector<int>{0, 3, 7, 10}));
  ASSERT_TRUE(ParseChord("Cmaj7", &root, &iv));
  EXPECT_EQ(iv, (std::vector<int>{0, 4, 7, 11}));
  ASSERT_TRUE(ParseChord("Bb", &root, &iv));
  EXPECT_EQ(root, 10);
  EXPECT_FALSE(ParseChord("Xm", &root, &iv));
  EXPECT_FALSE(ParseChord("Cmin", &root, &iv));

  Song s(120, 2);
  int t = s.AddTrack(Instrument::kLead, 1.0f, 0.0f, 0.0f);
  s.Phrase(t, 0, 1, "A4:8 r:4 C5:4");
  EXPECT_EQ(s.Errors(), 0);
  s.Phrase(t, 1, 1, "A4:8 C5:4");  // a bar short
  s.Chords(t, 0, "Am Qx", 16, 3, 1.0f);
  EXPECT_EQ(s.Errors(), 2);
}

TEST(AssetgenSong, WrappedTailJoinsTheLoopSeamlessly) {
  // A continuous tone that starts at the loop's beginning and rings past its end: after
  // wrapping, playing the loop twice in a row is the same as the continuous performance.
  const size_t loop = 10000;
  Signal tone = SineWave(97.0, 0.3, 0.8f);  // 13230 samples, longer than the loop
  for (size_t i = 0; i < 200; ++i) tone[i] *= i / 200.0f;
  Stereo st;
  st.left = tone;
  st.right = tone;
  WrapTail(st, loop);
  ASSERT_EQ(st.size(), loop);
  for (size_t i = 0; i < tone.size() - loop; ++i) EXPECT_FLOAT_EQ(st.left[i], tone[i] + tone[i + loop]);
  // Across the seam: last sample to first sample moves no more than the tone itself does.
  EXPECT_LE(std::fabs(st.left[0] - st.left[loop - 1]), MaxStep(tone) * 1.01f);
  // A tail longer than the loop wraps around more than once; an empty loop keeps nothing.
  Stereo ones;
  ones.left.assign(25, 1.0f);
  ones.right.assign(25, 1.0f);
  WrapTail(ones, 10);
  EXPECT_EQ(ones.left, (Signal{3, 3, 3, 3, 3, 2, 2, 2, 2, 2}));
  WrapTail(ones, 0);
  EXPECT_EQ(ones.size(), 0u);
}

TEST(AssetgenSong, RenderedLoopHasNoClickAtTheSeam) {
  Song s(120, 2);
  s.mix.seamFade = 0.0;  // measure the join itself
  int pad = s.AddTrack(Instrument::kPad, 1.0f, 0.0f, 0.5f);
  s.Chords(pad, 0, "Am F", 16, 3, 1.0f);  // the F chord rings past the end of bar 2
  int kick = s.AddDrums(Drum::kKick, 0.5f, 0.0f, 0.2f);
  s.Beat(kick, 0, 2, "X...x...");
  ASSERT_EQ(s.Errors(), 0);
  Stereo st = s.Render(7);
  ASSERT_EQ(st.size(), s.LoopSamples());
  EXPECT_EQ(st.size(), Samples(4.0));
  // The jump from the last sample back to the first is no bigger than the steps around it.
  for (const Signal* ch : {&st.left, &st.right}) {
    float seam = std::fabs(ch->front() - ch->back());
    Signal before(ch->end() - 200, ch->end()), after(ch->begin(), ch->begin() + 200);
    EXPECT_GT(Rms(before), 0.01f) << "the chord should still sound at the loop point";
    EXPECT_LE(seam, 1.5f * std::max(MaxStep(before), MaxStep(after))) << "click at the loop point";
  }
  // With the usual short fades both ends are silent, so a restart after a pause is clean too.
  s.mix.seamFade = 0.004;
  Stereo faded = s.Render(7);
  EXPECT_LT(std::fabs(faded.left.front()), 1e-3f);
  EXPECT_LT(std::fabs(faded.left.back()), 1e-3f);
  // Same seed, same song: identical; the render is deterministic.
  Stereo again = s.Render(7);
  EXPECT_EQ(again.left, faded.left);
  EXPECT_EQ(again.right, faded.right);
}

TEST(AssetgenVoice, PitchShiftKeepsLengthAndHalvesFrequency) {
  Signal s = SineWave(440.0, 0.5, 0.5f);
  Signal low = PitchShift(s, 0.5, 0.045);
  ASSERT_EQ(low.size(), s.size());
  EXPECT_NEAR(ZeroCrossingHz(low), 220.0, 15.0);
}

TEST(AssetgenVoice, LinesMatchTheCaptionTextFileAndRenderRepeatably) {
  // The caption pictures are drawn from voice_lines.txt: every spoken text must be identical.
  std::ifstream in(std::string(QUORL_SOURCE_DIR) + "/tools/assetgen/audio/voice_lines.txt");
  ASSERT_TRUE(in.good());
  std::vector<std::string> fileLines;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty()) fileLines.push_back(line);
  }
  const std::vector<VoiceLine>& lines = VoiceLines();
  ASSERT_EQ(fileLines.size(), lines.size());
  for (size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(fileLines[i], std::string(lines[i].name) + ": " + lines[i].text);
    EXPECT_EQ(std::string(lines[i].name).substr(0, 5), "boss" + std::to_string(lines[i].boss));
  }
  // The shortest line, twice: the speech engine and the effects give identical samples.
  Stereo a, b;
  ASSERT_EQ(RenderVoiceLine(4, &a), 0);
  ASSERT_EQ(RenderVoiceLine(4, &b), 0);
  EXPECT_EQ(a.left, b.left);
  EXPECT_GE(a.size(), Samples(2.0));
  EXPECT_LE(a.size(), Samples(kMaxVoiceSeconds));
  EXPECT_EQ(RenderVoiceLine(99, &a), -1);
}

TEST(AssetgenCatalogue, HoldsExactlyTheFilesTheGameOpens) {
  std::set<std::string> expected = {
      "SE/shot.wav", "SE/sp-shot.wav", "SE/empty.wav", "SE/reload1.wav", "SE/reload2.wav",
      "SE/player/ugh.wav", "SE/player/dead.wav", "SE/player/eating.wav", "SE/player/geeeeeppu.wav",
      "SE/sp-bullet-get.wav", "SE/door-open.wav", "SE/locked-door.wav", "SE/unlock.wav", "SE/downstairs.wav",
      "SE/enemy/big-boosy-damaged.wav", "SE/enemy/big-boosy-dead.wav", "SE/enemy/big-doosy-damaged.wav",
      "SE/enemy/big-doosy-run-over.wav", "SE/enemy/big-doosy-dead.wav", "SE/enemy/boss3-damaged.wav",
      "SE/enemy/boss3-needle.wav", "SE/enemy/boss3-digging.wav", "SE/enemy/boss3-beam.wav",
      "SE/enemy/boss3-dying1.wav", "SE/enemy/boss3-dying2.wav",
      "sounds/Quorl_title.mp3", "sounds/MOT_1.mp3", "sounds/MOT_2.mp3", "sounds/MOT_3.mp3", "sounds/MOT_4.mp3",
      "sounds/MOT_5.mp3", "sounds/Ancient_MurderLp.mp3", "sounds/Ancient_OrderLp.mp3",
      "sounds/Ancient_PromiseLp.mp3", "sounds/quiet_snow_field.mp3",
      "SE/enemy/boss1-voice1.mp3", "SE/enemy/boss1-voice2.mp3", "SE/enemy/boss2-voice1.mp3",
      "SE/enemy/boss2-voice2.mp3", "SE/enemy/boss2-voice3.mp3", "SE/enemy/boss2-voice4.mp3",
      "SE/enemy/boss3-voice1.mp3", "SE/enemy/boss3-voice2.mp3", "SE/enemy/boss3-voice3.mp3",
  };
  for (const char* kind : {"boosy", "doosy", "poosy", "zoosy"}) {
    for (const char* event : {"-damaged", "-dead", "-attack"}) {
      expected.insert(std::string("SE/enemy/") + kind + event + ".wav");
    }
  }
  std::set<std::string> actual;
  for (const SoundFile& f : SoundCatalogue()) {
    EXPECT_TRUE(actual.insert(f.path).second) << "listed twice: " << f.path;
    if (f.kind == SoundKind::kMusic) {
      Song song = f.music();
      EXPECT_EQ(song.Errors(), 0) << f.path;
      double seconds = static_cast<double>(song.LoopSamples()) / kSampleRate;
      EXPECT_GE(seconds, f.minSeconds) << f.path;
      EXPECT_LE(seconds, f.maxSeconds) << f.path;
    }
  }
  EXPECT_EQ(actual, expected);
}

TEST(AssetgenSong, PatternsBecomeTheRightNotes) {
  Song s(120, 4);
  int lead = s.AddTrack(Instrument::kLead, 1.0f, 0.0f, 0.0f);
  s.Phrase(lead, 1, 1, "A4:4! r:4 C5:6~ D5:2", 12);
  const std::vector<SongNote>& m = s.Notes(lead);
  ASSERT_EQ(m.size(), 3u);
  EXPECT_EQ(m[0].step, 16.0);
  EXPECT_EQ(m[0].pitch, 81.0f);  // transposed an octave
  EXPECT_EQ(m[0].velocity, 1.0f);
  EXPECT_EQ(m[1].step, 24.0);    // after the rest
  EXPECT_EQ(m[1].pitch, 84.0f);
  EXPECT_LT(m[1].velocity, 0.6f);
  EXPECT_EQ(m[2].step, 30.0);

  int bass = s.AddTrack(Instrument::kBass, 1.0f, 0.0f, 0.0f);
  s.Bass(bass, 0, "Am G", 8, "x-o.53..", 2);
  const std::vector<SongNote>& b = s.Notes(bass);
  // Am (A2 = 45): root held two steps, octave, fifth, minor third; then G (43) the same.
  ASSERT_EQ(b.size(), 8u);
  EXPECT_EQ(b[0].pitch, 45.0f);
  EXPECT_NEAR(b[0].length, 1.9, 1e-9);
  EXPECT_EQ(b[1].pitch, 57.0f);
  EXPECT_EQ(b[1].step, 2.0);
  EXPECT_EQ(b[2].pitch, 52.0f);
  EXPECT_EQ(b[3].pitch, 48.0f);
  EXPECT_EQ(b[4].pitch, 43.0f);
  EXPECT_EQ(b[4].step, 8.0);
  EXPECT_EQ(b[7].pitch, 47.0f);  // G major's third

  int arp = s.AddTrack(Instrument::kPluck, 1.0f, 0.0f, 0.0f);
  s.Arp(arp, 2, "C E5", 4, "03.1", 4, 1.0f);
  const std::vector<SongNote>& a = s.Notes(arp);
  ASSERT_EQ(a.size(), 6u);
  EXPECT_EQ(a[0].pitch, 60.0f);  // C4
  EXPECT_EQ(a[1].pitch, 72.0f);  // index 3 wraps to the next octave's root
  EXPECT_EQ(a[2].pitch, 64.0f);
  EXPECT_EQ(a[2].step, 35.0);
  EXPECT_EQ(a[3].pitch, 64.0f);  // E5 power chord: E, B (octave dropped)
  EXPECT_EQ(a[4].pitch, 83.0f);  // index 3 of two notes: the fifth, one octave up
  EXPECT_EQ(a[5].pitch, 71.0f);

  int pad = s.AddTrack(Instrument::kPad, 1.0f, 0.0f, 0.0f);
  s.Chords(pad, 3, "Dm7", 16, 3, 0.5f);
  const std::vector<SongNote>& c = s.Notes(pad);
  ASSERT_EQ(c.size(), 4u);
  EXPECT_EQ(c[0].pitch, 50.0f);
  EXPECT_EQ(c[3].pitch, 60.0f);
  EXPECT_EQ(c[0].step, 48.0);

  int drums = s.AddDrums(Drum::kKick, 1.0f, 0.0f, 0.0f);
  s.Beat(drums, 2, 2, "X.o.");
  const std::vector<SongNote>& d = s.Notes(drums);
  ASSERT_EQ(d.size(), 16u);
  EXPECT_EQ(d[0].step, 32.0);
  EXPECT_EQ(d[0].velocity, 1.0f);
  EXPECT_LT(d[1].velocity, 0.5f);
  EXPECT_EQ(d[15].step, 62.0);
  EXPECT_EQ(s.Errors(), 0);
}

TEST(AssetgenReport, MissingFilesAreReportedAndWritesCanFail) {
  testsupport::ScratchDir dir;
  testing::internal::CaptureStdout();
  EXPECT_EQ(assetgen::ReportAudio(dir.path()), -1);
  std::string out = testing::internal::GetCapturedStdout();
  EXPECT_NE(out.find("SE/shot.wav"), std::string::npos);
  EXPECT_NE(out.find("unreadable"), std::string::npos);
  // A folder where a file should be: the writers fail instead of crashing.
  testsupport::WriteFile(dir.file("SE"), "a file, not a folder");
  EXPECT_EQ(WriteWav(dir.file("SE/shot.wav"), Signal(10, 0.0f)), -1);
  EXPECT_EQ(WriteMp3(dir.file("SE/x.mp3"), SineWave(440, 0.1, 0.5f), {}, 128), -1);
}
