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

// One field of every note, in order.
template <typename T>
std::vector<double> Column(const std::vector<SongNote>& notes, T SongNote::*field) {
  std::vector<double> values;
  for (const SongNote& n : notes) values.push_back(n.*field);
  return values;
}

}  // namespace

TEST(AssetgenWav, HeaderFieldsAndSamplesAreExact) {
  Signal s = {0.0f, 1.0f, -1.0f, 0.5f, 2.0f, -3.0f};
  std::vector<uint8_t> b = EncodeWav(s, 22050);
  ASSERT_EQ(b.size(), 44u + 12u);
  EXPECT_EQ(std::string(b.begin(), b.begin() + 4) + std::string(b.begin() + 8, b.begin() + 16) +
                std::string(b.begin() + 36, b.begin() + 40),
            "RIFFWAVEfmt data");
  // Offset, width and value of each number: sizes, PCM, mono, rate, bytes per second and per
  // frame, bits, data size.
  const uint32_t fields[][3] = {{4, 4, 48},     {16, 4, 16}, {20, 2, 1},  {22, 2, 1}, {24, 4, 22050},
                                {28, 4, 44100}, {32, 2, 2},  {34, 2, 16}, {40, 4, 12}};
  for (const auto& f : fields) EXPECT_EQ(f[1] == 4 ? Le32(b, f[0]) : Le16(b, f[0]), f[2]) << f[0];
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
  const auto damaged = [&good](size_t at, uint8_t value) {
    std::vector<uint8_t> b = good;
    b[at] = value;
    return b;
  };
  // Data running past the end, not RIFF, a huge format chunk, 8-bit samples, a cut header.
  for (const std::vector<uint8_t>& bad :
       {std::vector<uint8_t>(good.begin(), good.end() - 3), damaged(0, 'X'), damaged(19, 0xFF),
        damaged(34, 8), std::vector<uint8_t>(good.begin(), good.begin() + 10)}) {
    EXPECT_EQ(DecodeWav(bad, &out, &error), -1);
  }
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
  const std::pair<const char*, int> notes[] = {{"A4", 69}, {"C4", 60}, {"C#5", 73}, {"Bb3", 58},
                                               {"H4", -1}, {"C", -1},  {"C45", -1}};
  for (const auto& [text, midi] : notes) EXPECT_EQ(ParseNote(text), midi) << text;
  int root = -1;
  std::vector<int> iv;
  ASSERT_TRUE(ParseChord("F#m7", &root, &iv));
  EXPECT_EQ(root, 6);
  EXPECT_EQ(iv, (std::vector<int>{0, 3, 7, 10}));
  ASSERT_TRUE(ParseChord("Cmaj7", &root, &iv));
  EXPECT_EQ(iv, (std::vector<int>{0, 4, 7, 11}));
  ASSERT_TRUE(ParseChord("Bb", &root, &iv));
  EXPECT_EQ(root, 10);
  EXPECT_FALSE(ParseChord("Xm", &root, &iv) || ParseChord("Cmin", &root, &iv));

  Song s(120, 2);
  int t = s.AddTrack(Instrument::kLead, 1.0f, 0.0f, 0.0f);
  s.Phrase(t, 0, 1, "A4:8 r:4 C5:4");
  EXPECT_EQ(s.Errors(), 0);
  s.Phrase(t, 1, 1, "A4:8 C5:4");  // a bar short
  s.Chords(t, 0, "Am Qx", 16, 3, 1.0f);
  EXPECT_EQ(s.Errors(), 2);
}

TEST(AssetgenSong, WrappedTailWrapsRepeatedlyAndAnEmptyLoopKeepsNothing) {
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
      "sounds/Quorl_title.mp3", "sounds/Ancient_MurderLp.mp3", "sounds/Ancient_OrderLp.mp3",
      "sounds/Ancient_PromiseLp.mp3", "sounds/quiet_snow_field.mp3",
      "SE/enemy/boss1-voice1.mp3", "SE/enemy/boss1-voice2.mp3", "SE/enemy/boss2-voice1.mp3",
      "SE/enemy/boss2-voice2.mp3", "SE/enemy/boss2-voice3.mp3", "SE/enemy/boss2-voice4.mp3",
      "SE/enemy/boss3-voice1.mp3", "SE/enemy/boss3-voice2.mp3", "SE/enemy/boss3-voice3.mp3"};
  for (int n = 1; n <= 5; ++n) expected.insert("sounds/MOT_" + std::to_string(n) + ".mp3");
  for (const char* kind : {"boosy", "doosy", "poosy", "zoosy"}) {
    for (const char* event : {"-damaged", "-dead", "-attack"}) {
      expected.insert(std::string("SE/enemy/") + kind + event + ".wav");
    }
  }
  std::set<std::string> actual;
  for (const SoundFile& f : SoundCatalogue()) {
    EXPECT_TRUE(actual.insert(f.path).second) << "listed twice: " << f.path;
    EXPECT_TRUE(f.kind != SoundKind::kMusic || f.music().Errors() == 0) << "errors in " << f.path;
  }
  EXPECT_EQ(actual, expected);
}

TEST(AssetgenSong, PatternsBecomeTheRightNotes) {
  Song s(120, 4);
  int lead = s.AddTrack(Instrument::kLead, 1.0f, 0.0f, 0.0f);
  s.Phrase(lead, 1, 1, "A4:4! r:4 C5:6~ D5:2", 12);
  EXPECT_EQ(Column(s.Notes(lead), &SongNote::pitch), (std::vector<double>{81, 84, 86}));  // octave up
  EXPECT_EQ(Column(s.Notes(lead), &SongNote::step), (std::vector<double>{16, 24, 30}));  // rest
  EXPECT_EQ(s.Notes(lead)[0].velocity, 1.0f);  // accented
  EXPECT_LT(s.Notes(lead)[1].velocity, 0.6f);  // soft
  int bass = s.AddTrack(Instrument::kBass, 1.0f, 0.0f, 0.0f);
  s.Bass(bass, 0, "Am G", 8, "x-o.53..", 2);
  // Am (A2 = 45): root held two steps, octave, fifth, minor third; then G (43), major third.
  EXPECT_EQ(Column(s.Notes(bass), &SongNote::pitch),
            (std::vector<double>{45, 57, 52, 48, 43, 55, 50, 47}));
  EXPECT_EQ(Column(s.Notes(bass), &SongNote::step), (std::vector<double>{0, 2, 4, 5, 8, 10, 12, 13}));
  EXPECT_NEAR(s.Notes(bass)[0].length, 1.9, 1e-9);
  int arp = s.AddTrack(Instrument::kPluck, 1.0f, 0.0f, 0.0f);
  s.Arp(arp, 2, "C E5", 4, "03.1", 4, 1.0f);
  // C4, index 3 wrapping to the next octave's root; E5 power chord (E, B, octave dropped), index
  // 3 of two notes the fifth one octave up.
  EXPECT_EQ(Column(s.Notes(arp), &SongNote::pitch), (std::vector<double>{60, 72, 64, 64, 83, 71}));
  EXPECT_EQ(s.Notes(arp)[2].step, 35.0);
  int pad = s.AddTrack(Instrument::kPad, 1.0f, 0.0f, 0.0f);
  s.Chords(pad, 3, "Dm7", 16, 3, 0.5f);
  EXPECT_EQ(Column(s.Notes(pad), &SongNote::pitch), (std::vector<double>{50, 53, 57, 60}));
  EXPECT_EQ(s.Notes(pad)[0].step, 48.0);
  int drums = s.AddDrums(Drum::kKick, 1.0f, 0.0f, 0.0f);
  s.Beat(drums, 2, 2, "X.o.");
  const std::vector<SongNote>& d = s.Notes(drums);
  ASSERT_EQ(d.size(), 16u);
  EXPECT_EQ(d[0].step + d[15].step, 32.0 + 62.0);
  EXPECT_EQ(d[0].velocity, 1.0f);
  EXPECT_LT(d[1].velocity, 0.5f);
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
