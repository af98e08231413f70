// Unit tests of the synthesiser's parts, where a fault would only be heard: pitch, filter
// response, envelopes, reverb stability, loudness, and every instrument, drum and effect.
#include <gtest/gtest.h>

#include <cmath>

#include "audio/catalogue.h"
#include "audio/drum.h"
#include "audio/envelope.h"
#include "audio/filter.h"
#include "audio/instrument.h"
#include "audio/oscillator.h"
#include "audio/reverb.h"
#include "audio/soundstats.h"
#include "audio/speaker.h"

using namespace assetgen;

namespace {

// Power of `s` at `hz` (Goertzel), per sample.
double PowerAt(const Signal& s, double hz) {
  double w = 2.0 * M_PI * hz / kSampleRate, c = 2.0 * std::cos(w);
  double s1 = 0.0, s2 = 0.0;
  for (float x : s) {
    double s0 = x + c * s1 - s2;
    s2 = s1;
    s1 = s0;
  }
  return (s1 * s1 + s2 * s2 - c * s1 * s2) / (static_cast<double>(s.size()) * s.size());
}

double CrossingHz(const Signal& s) {
  int n = 0;
  for (size_t i = 1; i < s.size(); ++i) n += (s[i - 1] < 0.0f && s[i] >= 0.0f);
  return n * static_cast<double>(kSampleRate) / s.size();
}

bool AllFinite(const Signal& s) {
  for (float x : s) {
    if (!std::isfinite(x)) return false;
  }
  return true;
}

Signal Oscillate(Wave wave, double hz, double seconds) {
  Oscillator osc;
  Signal s(Samples(seconds));
  for (float& x : s) x = osc.Next(hz, wave);
  return s;
}

}  // namespace

TEST(AssetgenSynth, OscillatorsHoldPitchAndRange) {
  EXPECT_NEAR(SineCycles(0.25), 1.0f, 1e-6f);
  for (double c = -2.0; c < 2.0; c += 0.0137) EXPECT_NEAR(SineCycles(c), std::sin(2.0 * M_PI * c), 2e-6) << c;
  for (Wave w : {Wave::kSine, Wave::kTriangle, Wave::kSaw, Wave::kSquare, Wave::kPulse}) {
    Signal s = Oscillate(w, 441.0, 1.0);
    EXPECT_NEAR(CrossingHz(s), 441.0, 2.0) << static_cast<int>(w);
    EXPECT_LE(Peak(s), 1.6f) << static_cast<int>(w);
    EXPECT_GT(Rms(s), 0.3f) << static_cast<int>(w);
  }
  // The FM pair's carrier sits at its frequency.
  FmPair fm;
  Signal s(Samples(0.5));
  for (float& x : s) x = fm.Next(330.0, 2.0, 1.0);
  EXPECT_GT(PowerAt(s, 330.0), 10.0 * PowerAt(s, 350.0));
}

TEST(AssetgenSynth, FiltersPassAndStopTheRightBands) {
  Signal low = Oscillate(Wave::kSine, 200.0, 0.5), high = Oscillate(Wave::kSine, 8000.0, 0.5);
  auto through = [](const Signal& in, FilterMode mode, float cutoff) {
    Svf f;
    f.Set(cutoff, 0.707f);
    Signal out(in.size());
    for (size_t i = 0; i < in.size(); ++i) out[i] = f.Process(in[i], mode);
    return Rms(Signal(out.begin() + 2000, out.end())) / Rms(Signal(in.begin() + 2000, in.end()));
  };
  EXPECT_GT(through(low, FilterMode::kLow, 1000.0f), 0.95f);
  EXPECT_LT(through(high, FilterMode::kLow, 1000.0f), 0.03f);
  EXPECT_LT(through(low, FilterMode::kHigh, 2000.0f), 0.02f);
  EXPECT_GT(through(high, FilterMode::kHigh, 2000.0f), 0.95f);
  EXPECT_NEAR(through(Oscillate(Wave::kSine, 1000.0, 0.5), FilterMode::kBand, 1000.0f), 0.707f, 0.02f);
  EXPECT_LT(through(high, FilterMode::kBand, 1000.0f), 0.15f);
  OnePole p;
  p.Set(100.0f);
  float y = 0.0f;
  for (int i = 0; i < 44100; ++i) y = p.Low(1.0f);
  EXPECT_NEAR(y, 1.0f, 1e-4f);  // passes DC
}

TEST(AssetgenSynth, EnvelopesFollowTheirBreakpoints) {
  Envelope e = Envelope::Adsr(0.1f, 0.2f, 0.5f, 1.0f, 0.5f);
  const float points[][2] = {{0, 0},     {0.05f, 0.5f}, {0.1f, 1},    {0.2f, 0.75f},
                             {0.6f, 0.5f}, {1.25f, 0.25f}, {2.0f, 0}};  // time, level
  for (const auto& p : points) EXPECT_NEAR(e.At(p[0]), p[1], 1e-5f) << p[0];
  EXPECT_FLOAT_EQ(e.Length(), 1.5f);
  // A gate inside the decay releases from where the decay had got to, without a jump.
  Envelope shortGate = Envelope::Adsr(0.1f, 0.4f, 0.2f, 0.3f, 0.1f);
  EXPECT_NEAR(shortGate.At(0.3f), 1.0f - 0.8f * 0.5f, 1e-5f);
  EXPECT_NEAR(shortGate.At(0.2999f), shortGate.At(0.3001f), 1e-3f);
  Envelope pts({{0.0f, 1.0f}, {1.0f, 3.0f}});
  EXPECT_EQ(std::vector<float>({pts.At(-1.0f), pts.At(0.5f), pts.At(5.0f)}), std::vector<float>({1, 2, 3}));
}

TEST(AssetgenSynth, ReverbTailDecaysAndGrowsWithTheRoom) {
  Signal click(100, 0.0f);
  click[0] = 1.0f;
  auto tailEnergy = [&click](float room) {
    Stereo wet = WithReverb(click, 0.0f, 1.0f, room, 0.5f, 1.0f, 6.0);
    EXPECT_TRUE(AllFinite(wet.left) && AllFinite(wet.right));
    Signal early(wet.left.begin(), wet.left.begin() + static_cast<long>(Samples(0.5)));
    Signal late(wet.left.end() - static_cast<long>(Samples(0.5)), wet.left.end());
    EXPECT_LT(Rms(late), Rms(early) * 0.05f) << "room " << room << " does not die away";
    Signal mid(wet.left.begin() + static_cast<long>(Samples(1.0)), wet.left.begin() + static_cast<long>(Samples(1.5)));
    return Rms(mid);
  };
  EXPECT_GT(tailEnergy(0.95f), 2.0f * tailEnergy(0.3f));
}

// Levels and fades: every generated effect's loudness and quiet ends are checked on the files.
TEST(AssetgenSynth, ResamplingAndMeasures) {
  Signal up = Resample(Oscillate(Wave::kSine, 300.0, 1.0), 2.0);
  EXPECT_EQ(up.size(), Samples(0.5));
  EXPECT_NEAR(CrossingHz(up), 600.0, 4.0);
  SoundStats st = Measure(Oscillate(Wave::kSine, 1000.0, 1.0), kSampleRate);
  EXPECT_NEAR(st.rmsDb, -3.01f, 0.05f);
  EXPECT_NEAR(st.centroidHz, 1000.0f, 60.0f);
  EXPECT_GT(st.mid, 0.95f);
}

TEST(AssetgenSynth, EveryInstrumentPlaysItsNote) {
  const Instrument all[] = {Instrument::kPad,      Instrument::kDarkPad, Instrument::kBell,  Instrument::kGlass,
                            Instrument::kPluck,    Instrument::kBass,    Instrument::kDriveBass, Instrument::kLead,
                            Instrument::kEerieLead, Instrument::kChoir,  Instrument::kOrgan, Instrument::kBrass};
  for (Instrument ins : all) {
    const float hz = MidiToHz(57.0f);  // A3: the checks below look for 220 Hz
    Signal s = RenderNote(ins, hz, 0.6f, 1.0f, 5);
    ASSERT_TRUE(AllFinite(s)) << static_cast<int>(ins);
    EXPECT_GT(Rms(s), 0.01f) << static_cast<int>(ins);
    EXPECT_LT(Peak(s), 2.0f) << static_cast<int>(ins) << " peak " << Peak(s);
    // In tune: more energy at the note than a semitone either side.
    double at = PowerAt(s, 220.0);
    EXPECT_GT(at, 2.0 * PowerAt(s, 220.0 * 1.0595)) << static_cast<int>(ins);
    EXPECT_GT(at, 2.0 * PowerAt(s, 220.0 / 1.0595)) << static_cast<int>(ins);
    // Released: it ends in silence.
    EXPECT_LT(std::fabs(s.back()), 0.01f) << static_cast<int>(ins);
  }
}

TEST(AssetgenSynth, DrumsDecayAndSitInTheirRegisters) {
  const Drum all[] = {Drum::kKick, Drum::kSnare, Drum::kHat,   Drum::kOpenHat, Drum::kClap,  Drum::kTom,
                      Drum::kRim,  Drum::kShaker, Drum::kMetal, Drum::kPulse,  Drum::kTaiko, Drum::kCrash};
  for (Drum d : all) {
    Signal s = RenderDrum(d, 3);
    ASSERT_TRUE(AllFinite(s)) << static_cast<int>(d);
    ASSERT_GT(s.size(), 100u);
    EXPECT_GT(Peak(s), 0.05f) << static_cast<int>(d);
    Signal last(s.end() - static_cast<long>(s.size() / 10), s.end());
    EXPECT_LT(Peak(last), Peak(s) * 0.2f) << static_cast<int>(d);
    EXPECT_LT(std::fabs(s.back()), 0.01f) << static_cast<int>(d);
  }
  float kick = Measure(RenderDrum(Drum::kKick, 1), kSampleRate).centroidHz;
  float snare = Measure(RenderDrum(Drum::kSnare, 1), kSampleRate).centroidHz;
  float hat = Measure(RenderDrum(Drum::kHat, 1), kSampleRate).centroidHz;
  EXPECT_LT(kick, 300.0f);
  EXPECT_LT(kick, snare);
  EXPECT_LT(snare, hat);
}

TEST(AssetgenSynth, EffectsRenderTheSameTwice) {
  for (const SoundFile& f : SoundCatalogue()) {
    if (f.kind != SoundKind::kEffect) continue;
    Signal a = f.effect(), b = f.effect();
    EXPECT_EQ(a, b) << f.path;
    EXPECT_TRUE(AllFinite(a)) << f.path;
  }
}

TEST(AssetgenSynth, SpeechFailsCleanlyOnAnUnknownVoice) {
  SpeechSettings bad;
  bad.voice = "no-such-voice-xx";
  Signal out;
  int rate = 0;
  EXPECT_EQ(Speak("hello", bad, &out, &rate), -1);
  SpeechSettings good;
  ASSERT_EQ(Speak("hello", good, &out, &rate), 0);
  EXPECT_GT(rate, 8000);
  EXPECT_GT(out.size(), static_cast<size_t>(rate) / 10);
}
