// Tests of what reaches the ear: the mixed output, written to a file by SDL's disk audio driver,
// of sound effects with their loudness per side and of the music with its soft volume.
#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "sound/soundeffects.h"
#include "sound/vbmp3wrap.h"
#include "support/testfiles.h"
#include "testaudio.h"

namespace {

class AudibleTest : public ::testing::Test {
 protected:
  // The next device opening reads the driver again: the disk driver, writing about four times
  // faster than real time (a 1024-sample buffer every 5 ms).
  void SetUp() override {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "5", 1);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    soundtest::WriteTestWav(wav, 22050, 44100);  // 0.5 s
  }
  void TearDown() override {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }

  // Plays the effect to its end at loudness `left` / `right` (0 .. 1000) and closes the device;
  // returns the root-mean-square loudness of each side of the output.
  std::pair<double, double> Effect(int left, int right) {
    SoundEffects effects;
    EXPECT_EQ(MCI_OK, effects.Send("open \"" + wav + "\" alias shot"));
    effects.Send("setaudio shot left volume to " + std::to_string(left));
    effects.Send("setaudio shot right volume to " + std::to_string(right));
    effects.Send("play shot");
    EXPECT_TRUE(soundtest::WaitFor([&] { return !effects.IsPlaying("shot"); }, 10.0));
    effects.Send("close all");
    std::pair<double, double> loudness;
    testsupport::StereoLoudness(output, &loudness.first, &loudness.second);
    return loudness;
  }

  testsupport::ScratchDir dir;
  const std::string output = dir.file("mixed.raw");
  const std::string wav = dir.file("shot.wav");
};

TEST_F(AudibleTest, AnEffectSoundsAtItsLoudnessOnEachSide) {
  const auto [silentLeft, fullRight] = Effect(0, 1000);
  EXPECT_EQ(0.0, silentLeft) << "left loudness 0 must be silent on the left";
  EXPECT_GT(fullRight, 1000.0);
  const auto [left, quarterRight] = Effect(1000, 250);
  EXPECT_GT(left, 1000.0);
  EXPECT_NEAR(4.0, left / quarterRight, 0.3);
}

TEST_F(AudibleTest, TheMusicSoundsAtItsSoftVolume) {
  const std::string piece = dir.file("piece.mp3");
  ASSERT_TRUE(soundtest::WriteTestMp3(piece, 44100, 128));
  VBMP3Wrap music;
  ASSERT_EQ(0, music.Init());
  VBMP3Wrap::vbmp3_init();
  ASSERT_EQ(1, VBMP3Wrap::vbmp3_open(piece.c_str(), nullptr));
  VBMP3Wrap::vbmp3_setSoftVolume(100, 25);
  VBMP3Wrap::vbmp3_play();
  int seconds = 0;
  EXPECT_TRUE(soundtest::WaitFor([&] { return VBMP3Wrap::vbmp3_getState(&seconds) == 0; }, 10.0));
  VBMP3Wrap::vbmp3_stop();
  VBMP3Wrap::vbmp3_close();
  VBMP3Wrap::vbmp3_free();  // gives the device back: the output file is complete
  music.Finalize();
  double left = 0.0, right = 0.0;
  testsupport::StereoLoudness(output, &left, &right);
  EXPECT_GT(left, 1000.0);
  EXPECT_NEAR(4.0, left / right, 0.2);
}

}  // namespace
