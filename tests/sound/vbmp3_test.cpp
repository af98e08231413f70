// Tests of the music library through its run-time binding, called the way the scenes call it.
#include "sound/vbmp3wrap.h"

#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "common/commonfunc.h"
#include "common/random.h"
#include "sound/soundeffects.h"
#include "support/testfiles.h"
#include "testaudio.h"

namespace {

const int RATE = 44100;
const long PIECE_SAMPLES = 22050;  // 0.5 s

class MusicTest : public ::testing::Test {
 protected:
  void SetUp() override {
    soundtest::UseDummyDriverByDefault();
    QUORL_COMMON::ResetSeeding();
    ASSERT_TRUE(soundtest::WriteTestMp3(piece, PIECE_SAMPLES, RATE, 2, 128));
    ASSERT_TRUE(soundtest::WriteTestMp3(longPiece, 3 * RATE, RATE, 2, 96));
  }

  void TearDown() override {
    // Each test ends as a scene does, and lets the library go so the next one starts afresh.
    if (VBMP3Wrap::Handle != nullptr) {
      VBMP3Wrap::vbmp3_stop();
      VBMP3Wrap::vbmp3_close();
      VBMP3Wrap::vbmp3_free();
    }
    music.Finalize();
    QUORL_COMMON::ResetSeeding();
  }

  // Scene start as in the title: Init, init, options, open.
  void StartScene(const std::string& file) {
    ASSERT_EQ(0, music.Init()) << "libvbmp3.so not found beside the test program";
    VBMP3Wrap::vbmp3_init();
    int options[4] = {30, 20, 5, 0};
    VBMP3Wrap::vbmp3_setVbmp3Option(options);
    ASSERT_EQ(1, VBMP3Wrap::vbmp3_open(file.c_str(), &info)) << VBMP3Wrap::vbmp3_getLastErrorNo();
  }

  static int State(int* seconds = nullptr) {
    int value = 0;
    const int state = VBMP3Wrap::vbmp3_getState(&value);
    if (seconds != nullptr) *seconds = value;
    return state;
  }

  testsupport::ScratchDir dir;
  const std::string piece = dir.file("piece.mp3");
  const std::string longPiece = dir.file("long.mp3");
  VBMP3Wrap music;
  VBMP3Info info;
};

TEST_F(MusicTest, BindingLoadsResolvesAndUnloadsWithTheLastHolder) {
  ASSERT_EQ(0, music.Init());
  EXPECT_NE(nullptr, VBMP3Wrap::Handle);
  // Init resolves all fourteen or fails; the clock entry is the optional extra.
  EXPECT_NE(nullptr, VBMP3Wrap::vbmp3_getLastErrorNo);
  EXPECT_NE(nullptr, VBMP3Wrap::vbmp3_advanceClock);
  VBMP3Wrap second;
  EXPECT_EQ(0, second.Init());
  EXPECT_EQ(0, second.Init());  // again: gives its hold back first
  EXPECT_EQ(2, VBMP3Wrap::LoadCount);
  EXPECT_EQ(0, second.Finalize());
  EXPECT_EQ(0, second.Finalize());  // not held any more: nothing happens
  EXPECT_EQ(1, VBMP3Wrap::LoadCount);
  EXPECT_EQ(0, music.Finalize());
  EXPECT_EQ(0, VBMP3Wrap::LoadCount);
  EXPECT_EQ(nullptr, VBMP3Wrap::Handle);
  EXPECT_EQ(nullptr, VBMP3Wrap::vbmp3_play);
  VBMP3Wrap::AdvanceClock(17);  // harmless without the library
}

TEST_F(MusicTest, OpenReportsExactLengthsAndDistinctErrors) {
  StartScene(piece);
  EXPECT_EQ(VBMP3_ERROR_NONE, VBMP3Wrap::vbmp3_getLastErrorNo());
  EXPECT_EQ(PIECE_SAMPLES, info.samples);
  EXPECT_EQ(500, info.lengthMs);
  EXPECT_EQ(2, info.channels);
  EXPECT_EQ(128, info.bitrate);
  // Mono is doubled; another rate is resampled and counted at the device's 44.1 kHz.
  const std::string mono = dir.file("mono.mp3"), half = dir.file("half.mp3");
  ASSERT_TRUE(soundtest::WriteTestMp3(mono, 30000, RATE, 1, 64));
  ASSERT_TRUE(soundtest::WriteTestMp3(half, 11025, RATE / 2, 1, 64));
  ASSERT_EQ(1, VBMP3Wrap::vbmp3_open(mono.c_str(), &info));
  EXPECT_EQ(30000, info.samples);
  EXPECT_EQ(1, info.channels);
  ASSERT_EQ(1, VBMP3Wrap::vbmp3_open(half.c_str(), nullptr));  // the record is optional
  ASSERT_EQ(1, VBMP3Wrap::vbmp3_open(half.c_str(), &info));
  EXPECT_EQ(22050, info.samples);
  EXPECT_EQ(RATE, info.frequency);

  testsupport::WriteFile(dir.file("text.mp3"), std::string(5000, 'x'));
  testsupport::WriteFile(dir.file("empty.mp3"), "");
  soundtest::WriteTestWav(dir.file("sound.wav"), RATE, RATE, 2);
  const struct {
    std::string file;
    int error;
  } bad[] = {{dir.file("missing.mp3"), VBMP3_ERROR_FILE_MISSING},
             {dir.path(), VBMP3_ERROR_FILE_MISSING},
             {dir.file("text.mp3"), VBMP3_ERROR_NOT_MP3},
             {dir.file("empty.mp3"), VBMP3_ERROR_NOT_MP3},
             {dir.file("sound.wav"), VBMP3_ERROR_NOT_MP3}};
  for (const auto& c : bad) {
    EXPECT_EQ(0, VBMP3Wrap::vbmp3_open(c.file.c_str(), &info)) << c.file;
    EXPECT_EQ(c.error, VBMP3Wrap::vbmp3_getLastErrorNo()) << c.file;
  }
  EXPECT_EQ(0, VBMP3Wrap::vbmp3_play()) << "a failed open leaves no piece behind";
  EXPECT_EQ(VBMP3_ERROR_NO_FILE, VBMP3Wrap::vbmp3_getLastErrorNo());
}

TEST_F(MusicTest, PlaysToTheEndRestartsStopsAndSwitchesTracks) {
  StartScene(piece);
  EXPECT_NE(0, Mix_QuerySpec(nullptr, nullptr, nullptr)) << "the dummy device should open";
  EXPECT_EQ(0, State()) << "opened, not yet playing";
  VBMP3Wrap::vbmp3_play();
  EXPECT_EQ(1, State());
  EXPECT_TRUE(soundtest::WaitFor([] { return State() == 0; }, 5.0)) << "0.5 s piece never ended";
  VBMP3Wrap::vbmp3_play();  // the scenes' keep-alive
  EXPECT_EQ(1, State());
  // Track change: stop, close, open, play.
  VBMP3Wrap::vbmp3_stop();
  EXPECT_EQ(0, State());
  VBMP3Wrap::vbmp3_close();
  EXPECT_EQ(0, VBMP3Wrap::vbmp3_play()) << "nothing open after close";
  ASSERT_EQ(1, VBMP3Wrap::vbmp3_open(longPiece.c_str(), nullptr));
  VBMP3Wrap::vbmp3_play();
  int seconds = 0;
  EXPECT_TRUE(soundtest::WaitFor([&] { return State(&seconds) == 1 && seconds >= 1; }, 2.5));
  // Scene end, then a new scene on the library that stays loaded.
  VBMP3Wrap::vbmp3_free();
  EXPECT_EQ(0, State());
  VBMP3Wrap::vbmp3_init();
  ASSERT_EQ(1, VBMP3Wrap::vbmp3_open(piece.c_str(), nullptr));
  VBMP3Wrap::vbmp3_play();
  EXPECT_EQ(1, State());
}

TEST_F(MusicTest, SoftVolumeIsPerSideAndClamped) {
  StartScene(longPiece);
  VBMP3Wrap::vbmp3_setSoftVolume(150, -20);
  int left = -1, right = -1;
  VBMP3Wrap::vbmp3_getSoftVolume(&left, &right);
  EXPECT_EQ(100, left);
  EXPECT_EQ(0, right);
  soundtest::OutputMeter meter;
  VBMP3Wrap::vbmp3_play();
  EXPECT_TRUE(soundtest::WaitFor([&] { return meter.Left() > 0; }, 2.5));
  EXPECT_EQ(0.0, meter.Right());
  VBMP3Wrap::vbmp3_setSoftVolume(0, 50);
  meter.Reset();
  EXPECT_TRUE(soundtest::WaitFor([&] { return meter.Right() > 0; }, 2.5));
  EXPECT_EQ(0.0, meter.Left());
}

// The title holds an effect and its music at once: either may let go of the device first.
TEST_F(MusicTest, EffectsAndMusicShareTheDevice) {
  const std::string wav = dir.file("effect.wav");
  soundtest::WriteTestWav(wav, 4 * RATE, RATE, 1);
  SoundEffects effects;
  ASSERT_EQ(MCI_OK, effects.Send("open \"" + wav + "\" alias sp-bullet-get"));
  StartScene(longPiece);
  effects.Send("play sp-bullet-get");
  VBMP3Wrap::vbmp3_free();
  EXPECT_TRUE(effects.IsPlaying("sp-bullet-get")) << "the effect sounds on without the music";
  VBMP3Wrap::vbmp3_init();
  ASSERT_EQ(1, VBMP3Wrap::vbmp3_open(longPiece.c_str(), nullptr));
  effects.Send("close all");
  VBMP3Wrap::vbmp3_play();
  soundtest::OutputMeter meter;
  EXPECT_TRUE(soundtest::WaitFor([&] { return meter.Left() > 0; }, 2.5))
      << "the music plays on without the effects";
}

// With a fixed seed the state follows the frame clock: a piece of S samples plays for exactly
// ceil(S / (44100 * 0.017)) frame periods, whatever the wall clock does.
TEST_F(MusicTest, FixedSeedRunsFollowTheFrameClockExactly) {
  QUORL_COMMON::SetFixedSeed(7);
  StartScene(piece);
  const unsigned period = QUORL_COMMON::FRAME_PERIOD_MS;
  const long frames = (PIECE_SAMPLES * 1000 + RATE * period - 1) / (RATE * period);  // 30
  for (int pass = 0; pass < 2; ++pass) {  // the second pass is the keep-alive restart
    VBMP3Wrap::vbmp3_play();
    SDL_Delay(pass == 0 ? 700 : 0);  // longer than the piece: wall-clock time must not count
    for (long k = 0; k < frames; ++k) {
      ASSERT_EQ(1, State()) << "frame " << k << " pass " << pass;
      VBMP3Wrap::AdvanceClock(period);
    }
    EXPECT_EQ(0, State()) << "pass " << pass;
  }
  ASSERT_EQ(1, VBMP3Wrap::vbmp3_open(longPiece.c_str(), nullptr));
  VBMP3Wrap::vbmp3_play();
  for (int k = 0; k < 120; ++k) VBMP3Wrap::AdvanceClock(period);  // 2.04 s
  int seconds = 0;
  EXPECT_EQ(1, State(&seconds));
  EXPECT_EQ(2, seconds);
  VBMP3Wrap::vbmp3_stop();
  EXPECT_EQ(0, State());
}

// No audio device: one line, files still open and are checked, the state follows the clock.
TEST_F(MusicTest, WithoutAudioDeviceEverythingWorksSilently) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  unsetenv("QUORL_SOUND_OFF_REPORTED");
  testing::internal::CaptureStdout();
  StartScene(piece);
  EXPECT_EQ(0, Mix_QuerySpec(nullptr, nullptr, nullptr));
  EXPECT_EQ(PIECE_SAMPLES, info.samples);
  EXPECT_EQ(0, VBMP3Wrap::vbmp3_open(dir.file("missing.mp3").c_str(), nullptr));
  EXPECT_EQ(VBMP3_ERROR_FILE_MISSING, VBMP3Wrap::vbmp3_getLastErrorNo());
  ASSERT_EQ(1, VBMP3Wrap::vbmp3_open(piece.c_str(), nullptr));
  VBMP3Wrap::vbmp3_play();
  EXPECT_EQ(1, State());
  EXPECT_TRUE(soundtest::WaitFor([] { return State() == 0; }, 5.0)) << "silent piece never ended";
  VBMP3Wrap::vbmp3_free();
  VBMP3Wrap::vbmp3_init();  // a second scene tries again and stays quiet about it
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(1, std::count(out.begin(), out.end(), '\n')) << out;
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

}  // namespace
