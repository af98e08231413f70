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

// Every file opens the way the game opens it (effects through the mixer, music and voices as MP3
// at 44 100 Hz stereo of at least 64 kbit/s), with its length in range, sensible levels and quiet
// ends, so that it clicks neither when it starts nor when it is cut off or restarts.
TEST_F(AssetgenAudioData, EveryFileOpensWithItsFormatLengthLevelsAndQuietEnds) {
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
  ASSERT_EQ(Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024), 0) << Mix_GetError();
  for (const SoundFile& f : SoundCatalogue()) {
    SCOPED_TRACE(f.path);
    const bool effect = f.kind == SoundKind::kEffect;
    Signal s;  // the left channel
    int rate = 0, channels = 0;
    std::string error;
    if (effect) {
      Mix_Chunk* chunk = Mix_LoadWAV(f.path.c_str());
      EXPECT_TRUE(chunk != nullptr && chunk->alen > 0) << Mix_GetError();
      if (chunk != nullptr) Mix_FreeChunk(chunk);
      WavData wav;
      ASSERT_EQ(ReadWav(f.path, &wav, &error), 0) << error;
      s = wav.samples, rate = wav.rate, channels = wav.channels;
    } else {
      Mp3Data mp3;
      ASSERT_EQ(ReadMp3(f.path, &mp3, &error), 0) << error;
      rate = mp3.rate, channels = mp3.channels;
      for (size_t i = 0; i < mp3.samples.size(); i += 2) s.push_back(mp3.samples[i]);
    }
    ASSERT_EQ(std::make_pair(rate, channels), std::make_pair(44100, effect ? 1 : 2));
    const double seconds = static_cast<double>(s.size()) / rate;
    EXPECT_GE(seconds, f.minSeconds);
    EXPECT_LE(seconds, f.maxSeconds);
    // Effects: peak below full scale, loudness within a few dB of the common level. Music and
    // voices: not silent, not clipped, and no smaller than 64 kbit/s allows.
    EXPECT_LE(Peak(s), effect ? 0.95f : 1.0f);
    const float loud = LinearToDb(effect ? LoudRms(s) : Rms(s));
    EXPECT_TRUE(effect ? loud > -19.0f && loud < -10.0f : loud > -30.0f) << loud << " dB";
    std::vector<uint8_t> data;
    ReadFileBytes(f.path, &data);
    EXPECT_TRUE(effect || data.size() * 8.0 / seconds >= 64000.0 * 0.98) << data.size() << " bytes";
    EXPECT_LT(std::fabs(s.front()), effect ? 0.002f : 0.02f);
    EXPECT_LT(std::fabs(s.back()), effect ? 0.002f : 0.02f);
  }
  Mix_CloseAudio();
  SDL_Quit();
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
