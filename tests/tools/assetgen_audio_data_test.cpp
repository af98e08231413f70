// Checks of the generated sound set in the content folder: every file opens the way the game
// opens it, with the right format, a length in range, sensible levels and clean edges.
#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>
#include <cstdlib>
#include <string>
#include <utility>

#include "audio/catalogue.h"
#include "audio/mp3decoder.h"
#include "audio/soundstats.h"
#include "audio/wavfile.h"
#include "support/testfiles.h"

using namespace assetgen;

namespace {

// The content folder holds the sounds only after the generator ran (not in builds that skip
// generating content).
bool SoundsGenerated() { return testsupport::FileExists("sounds/MOT_1.mp3") || testsupport::FileExists("SE/shot.wav"); }

class AssetgenAudioData : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!SoundsGenerated()) GTEST_SKIP() << "content not generated in this build";
  }
};

}  // namespace

// Every effect opens the way the game opens it, short, level and faded at both ends.
TEST_F(AssetgenAudioData, EveryEffectOpensThroughTheMixerShortLevelAndClickFree) {
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
  ASSERT_EQ(Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024), 0) << Mix_GetError();
  for (const SoundFile& f : SoundCatalogue()) {
    if (f.kind != SoundKind::kEffect) continue;
    Mix_Chunk* chunk = Mix_LoadWAV(f.path.c_str());
    EXPECT_TRUE(chunk != nullptr && chunk->alen > 0) << f.path << ": " << Mix_GetError();
    if (chunk != nullptr) Mix_FreeChunk(chunk);
    WavData wav;
    std::string error;
    ASSERT_EQ(ReadWav(f.path, &wav, &error), 0) << f.path << ": " << error;
    EXPECT_EQ(std::make_pair(wav.rate, wav.channels), std::make_pair(44100, 1)) << f.path;
    double seconds = static_cast<double>(wav.samples.size()) / wav.rate;
    EXPECT_GE(seconds, f.minSeconds) << f.path;
    EXPECT_LE(seconds, f.maxSeconds) << f.path;
    // Peak below full scale, loudness within a few dB of the common level.
    EXPECT_LE(Peak(wav.samples), 0.95f) << f.path;
    float loud = LinearToDb(LoudRms(wav.samples));
    EXPECT_GT(loud, -19.0f) << f.path;
    EXPECT_LT(loud, -10.0f) << f.path;
    // Faded at both ends: no click when it starts or when it is cut off at its end.
    EXPECT_LT(std::fabs(wav.samples.front()), 0.002f) << f.path;
    EXPECT_LT(std::fabs(wav.samples.back()), 0.002f) << f.path;
  }
  Mix_CloseAudio();
  SDL_Quit();
}

TEST_F(AssetgenAudioData, EveryMp3DecodesAt44100WithLengthInRange) {
  for (const SoundFile& f : SoundCatalogue()) {
    if (f.kind == SoundKind::kEffect) continue;
    Mp3Data mp3;
    std::string error;
    ASSERT_EQ(ReadMp3(f.path, &mp3, &error), 0) << f.path << ": " << error;
    EXPECT_EQ(mp3.rate, 44100) << f.path;
    ASSERT_EQ(mp3.channels, 2) << f.path;
    double seconds = static_cast<double>(mp3.samples.size() / 2) / mp3.rate;
    EXPECT_GE(seconds, f.minSeconds) << f.path;
    EXPECT_LE(seconds, f.maxSeconds) << f.path;
    // At least 64 kbit/s: the file is no smaller than that rate allows.
    size_t bytes = 0;
    std::vector<uint8_t> data;
    if (ReadFileBytes(f.path, &data) == 0) bytes = data.size();
    EXPECT_GE(bytes * 8.0 / seconds, 64000.0 * 0.98) << f.path;
    // Not silent, not clipped, and quiet at both ends so that a restart does not click.
    Signal left(mp3.samples.size() / 2);
    for (size_t i = 0; i < left.size(); ++i) left[i] = mp3.samples[2 * i];
    EXPECT_GT(LinearToDb(Rms(left)), -30.0f) << f.path;
    EXPECT_LE(Peak(left), 1.0f) << f.path;
    EXPECT_LT(std::fabs(left.front()), 0.02f) << f.path;
    EXPECT_LT(std::fabs(left.back()), 0.02f) << f.path;
  }
}

// Listening by numbers: each species has a voice of its own, deaths are longer and lower than
// hurts, and the big bosses sound deeper than their kin.
TEST_F(AssetgenAudioData, SpeciesSoundDistinctAndDeathsLowerAndLonger) {
  auto stats = [](const std::string& name) {
    WavData wav;
    std::string error;
    EXPECT_EQ(ReadWav("SE/enemy/" + name + ".wav", &wav, &error), 0) << name << ": " << error;
    return Measure(wav.samples, wav.rate > 0 ? wav.rate : 44100);
  };
  const char* species[] = {"boosy", "doosy", "poosy", "zoosy"};
  std::vector<float> brightness;
  for (const char* kind : species) {
    SoundStats hurt = stats(std::string(kind) + "-damaged");
    SoundStats dead = stats(std::string(kind) + "-dead");
    EXPECT_GT(dead.seconds, hurt.seconds * 1.5) << kind;
    EXPECT_LT(dead.centroidHz, hurt.centroidHz) << kind;
    brightness.push_back(hurt.centroidHz);
  }
  for (size_t a = 0; a < brightness.size(); ++a) {
    for (size_t b = a + 1; b < brightness.size(); ++b) {
      float ratio = std::max(brightness[a], brightness[b]) / std::min(brightness[a], brightness[b]);
      EXPECT_GT(ratio, 1.15f) << species[a] << " and " << species[b] << " sound alike";
    }
  }
  EXPECT_LT(stats("big-boosy-damaged").centroidHz, stats("boosy-damaged").centroidHz);
  EXPECT_LT(stats("big-doosy-damaged").centroidHz, stats("doosy-damaged").centroidHz);
  EXPECT_GT(stats("big-boosy-dead").seconds, stats("boosy-dead").seconds);
  EXPECT_GT(stats("big-doosy-dead").seconds, stats("doosy-dead").seconds);
}
