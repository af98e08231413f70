// Tests of the music library through its run-time binding, called the way the scenes call it.
#include "sound/vbmp3wrap.h"

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

using soundtest::WaitFor;

const int RATE = 44100;

class MusicTest : public ::testing::Test {
 protected:
  void SetUp() override {
    soundtest::UseDummyDriverByDefault();
    QUORL_COMMON::ResetSeeding();
    piece = dir.file("piece.mp3");
    ASSERT_TRUE(soundtest::WriteTestMp3(piece, PIECE_SAMPLES, RATE, 2, 128));
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
    ASSERT_EQ(0, music.Init());
    VBMP3Wrap::vbmp3_init();
    int options[4] = {30, 20, 5, 0};
    VBMP3Wrap::vbmp3_setVbmp3Option(options);
    VBMP3Info info;
    ASSERT_NE(0, VBMP3Wrap::vbmp3_open(file.c_str(), &info)) << VBMP3Wrap::vbmp3_getLastErrorNo();
  }

  static int State() {
    int seconds = 0;
    return VBMP3Wrap::vbmp3_getState(&seconds);
  }

  static constexpr long PIECE_SAMPLES = 13230;  // 0.3 s
  testsupport::ScratchDir dir;
  std::string piece;
  VBMP3Wrap music;
};

TEST_F(MusicTest, BindingLoadsResolvesAndUnloadsWithTheLastHolder) {
  ASSERT_EQ(0, VBMP3Wrap::LoadCount);
  ASSERT_EQ(0, music.Init()) << "libvbmp3.so not found beside the test program";
  EXPECT_NE(nullptr, VBMP3Wrap::Handle);
  EXPECT_EQ(1, VBMP3Wrap::LoadCount);
  const void* entries[] = {
      reinterpret_cast<void*>(VBMP3Wrap::vbmp3_init), reinterpret_cast<void*>(VBMP3Wrap::vbmp3_free),
      reinterpret_cast<void*>(VBMP3Wrap::vbmp3_open), reinterpret_cast<void*>(VBMP3Wrap::vbmp3_close),
      reinterpret_cast<void*>(VBMP3Wrap::vbmp3_getState), reinterpret_cast<void*>(VBMP3Wrap::vbmp3_play),
      reinterpret_cast<void*>(VBMP3Wrap::vbmp3_stop), reinterpret_cast<void*>(VBMP3Wrap::vbmp3_setFadeIn),
      reinterpret_cast<void*>(VBMP3Wrap::vbmp3_setFadeOut),
      reinterpret_cast<void*>(VBMP3Wrap::vbmp3_setVbmp3Option),
      reinterpret_cast<void*>(VBMP3Wrap::vbmp3_setDecodeOption),
      reinterpret_cast<void*>(VBMP3Wrap::vbmp3_setSoftVolume),
      reinterpret_cast<void*>(VBMP3Wrap::vbmp3_getSoftVolume),
      reinterpret_cast<void*>(VBMP3Wrap::vbmp3_getLastErrorNo),
      reinterpret_cast<void*>(VBMP3Wrap::vbmp3_advanceClock)};
  for (const void* entry : entries) EXPECT_NE(nullptr, entry);

  VBMP3Wrap second;
  EXPECT_EQ(0, second.Init());
  EXPECT_EQ(2, VBMP3Wrap::LoadCount);
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

TEST_F(MusicTest, OpenReportsExactLengthAndDistinctErrors) {
  ASSERT_EQ(0, music.Init());
  VBMP3Wrap::vbmp3_init();
  const std::string mono = dir.file("mono.mp3");
  ASSERT_TRUE(soundtest::WriteTestMp3(mono, 30000, RATE, 1, 64));
  testsupport::WriteFile(dir.file("text.mp3"), std::string(5000, 'x'));
  testsupport::WriteFile(dir.file("empty.mp3"), "");
  soundtest::WriteTestWav(dir.file("sound.wav"), 44100, RATE, 2);

  VBMP3Info info;
  ASSERT_EQ(1, VBMP3Wrap::vbmp3_open(piece.c_str(), &info));
  EXPECT_EQ(VBMP3_ERROR_NONE, VBMP3Wrap::vbmp3_getLastErrorNo());
  EXPECT_EQ(PIECE_SAMPLES, info.samples);
  EXPECT_EQ(300, info.lengthMs);
  EXPECT_EQ(RATE, info.frequency);
  EXPECT_EQ(2, info.channels);
  EXPECT_EQ(128, info.bitrate);
  ASSERT_EQ(1, VBMP3Wrap::vbmp3_open(mono.c_str(), &info));
  EXPECT_EQ(30000, info.samples);
  EXPECT_EQ(1, info.channels);
  // Another rate is resampled to the device's: the length is counted at 44.1 kHz.
  const std::string half = dir.file("half.mp3");
  ASSERT_TRUE(soundtest::WriteTestMp3(half, 11025, RATE / 2, 1, 64));
  ASSERT_EQ(1, VBMP3Wrap::vbmp3_open(half.c_str(), &info));
  EXPECT_EQ(22050, info.samples);
  EXPECT_EQ(RATE, info.frequency);
  EXPECT_EQ(1, VBMP3Wrap::vbmp3_open(piece.c_str(), nullptr));  // the record is optional

  const struct {
    std::string file;
    int error;
  } bad[] = {
      {dir.file("missing.mp3"), VBMP3_ERROR_FILE_MISSING},
      {dir.path(), VBMP3_ERROR_FILE_MISSING},
      {dir.file("text.mp3"), VBMP3_ERROR_NOT_MP3},
      {dir.file("empty.mp3"), VBMP3_ERROR_NOT_MP3},
      {dir.file("sound.wav"), VBMP3_ERROR_NOT_MP3},
  };
  for (const auto& c : bad) {
    EXPECT_EQ(0, VBMP3Wrap::vbmp3_open(c.file.c_str(), &info)) << c.file;
    EXPECT_EQ(c.error, VBMP3Wrap::vbmp3_getLastErrorNo()) << c.file;
  }
  // A failed open leaves no piece behind.
  EXPECT_EQ(0, VBMP3Wrap::vbmp3_play());
  EXPECT_EQ(VBMP3_ERROR_NO_FILE, VBMP3Wrap::vbmp3_getLastErrorNo());
  EXPECT_EQ(0, State());
}

TEST_F(MusicTest, PlaysToTheEndLoopsStopsAndSwitchesTracks) {
  StartScene(piece);
  EXPECT_NE(0, Mix_QuerySpec(nullptr, nullptr, nullptr)) << "the dummy device should open";
  EXPECT_EQ(0, State()) << "opened, not yet playing";
  VBMP3Wrap::vbmp3_play();
  EXPECT_EQ(1, State());
  EXPECT_TRUE(WaitFor([] { return State() == 0; }, 5.0)) << "a 0.3 s piece never ended";
  // The keep-alive of the scenes: play again after the end.
  VBMP3Wrap::vbmp3_play();
  EXPECT_EQ(1, State());
  VBMP3Wrap::vbmp3_stop();
  EXPECT_EQ(0, State());
  // Track change: stop, close, open, play.
  const std::string other = dir.file("other.mp3");
  ASSERT_TRUE(soundtest::WriteTestMp3(other, 4 * RATE, RATE, 2, 96));
  VBMP3Wrap::vbmp3_stop();
  VBMP3Wrap::vbmp3_close();
  EXPECT_EQ(0, VBMP3Wrap::vbmp3_play()) << "nothing open after close";
  ASSERT_EQ(1, VBMP3Wrap::vbmp3_open(other.c_str(), nullptr));
  VBMP3Wrap::vbmp3_play();
  SDL_Delay(1200);
  int seconds = 0;
  EXPECT_EQ(1, VBMP3Wrap::vbmp3_getState(&seconds));
  EXPECT_GE(seconds, 1);
  // Scene end, then a new scene on the same loaded library.
  VBMP3Wrap::vbmp3_stop();
  VBMP3Wrap::vbmp3_close();
  VBMP3Wrap::vbmp3_free();
  EXPECT_EQ(0, State());
  VBMP3Wrap::vbmp3_init();
  ASSERT_EQ(1, VBMP3Wrap::vbmp3_open(piece.c_str(), nullptr));
  VBMP3Wrap::vbmp3_play();
  EXPECT_EQ(1, State());
}

TEST_F(MusicTest, SoftVolumeIsPerSideAndClamped) {
  const std::string longPiece = dir.file("long.mp3");
  ASSERT_TRUE(soundtest::WriteTestMp3(longPiece, 3 * RATE, RATE, 2, 128));
  StartScene(longPiece);
  int left = -1, right = -1;
  VBMP3Wrap::vbmp3_getSoftVolume(&left, &right);
  EXPECT_EQ(100, left);
  EXPECT_EQ(100, right);
  VBMP3Wrap::vbmp3_setSoftVolume(150, -20);
  VBMP3Wrap::vbmp3_getSoftVolume(&left, &right);
  EXPECT_EQ(100, left);
  EXPECT_EQ(0, right);

  soundtest::OutputMeter meter;
  VBMP3Wrap::vbmp3_play();
  SDL_Delay(400);
  EXPECT_GT(meter.Left(), 0.0);
  EXPECT_EQ(0.0, meter.Right());
  VBMP3Wrap::vbmp3_setSoftVolume(0, 50);
  SDL_Delay(100);
  meter.Reset();
  SDL_Delay(300);
  EXPECT_EQ(0.0, meter.Left());
  EXPECT_GT(meter.Right(), 0.0);
  VBMP3Wrap::vbmp3_setSoftVolume(0, 0);
  SDL_Delay(100);
  meter.Reset();
  SDL_Delay(200);
  EXPECT_EQ(0.0, meter.Left() + meter.Right());
  EXPECT_EQ(1, State()) << "silence by volume is still playing";
}

// The title holds an effect and its music at once: either may let go of the device first.
TEST_F(MusicTest, EffectsAndMusicShareTheDevice) {
  const std::string wav = dir.file("effect.wav");
  soundtest::WriteTestWav(wav, 4 * RATE, RATE, 1);
  const std::string longPiece = dir.file("long.mp3");
  ASSERT_TRUE(soundtest::WriteTestMp3(longPiece, 4 * RATE, RATE, 2, 128));
  {
    SoundEffects effects;
    ASSERT_EQ(MCI_OK, effects.Send("open \"" + wav + "\" alias sp-bullet-get"));
    StartScene(longPiece);
    effects.Send("play sp-bullet-get");
    VBMP3Wrap::vbmp3_play();
    // The music lets go first: the effect sounds on.
    VBMP3Wrap::vbmp3_stop();
    VBMP3Wrap::vbmp3_close();
    VBMP3Wrap::vbmp3_free();
    EXPECT_TRUE(effects.IsPlaying("sp-bullet-get"));
    soundtest::OutputMeter meter;
    SDL_Delay(200);
    EXPECT_GT(meter.Left(), 0.0);
    // The effects let go first: the music plays on.
    VBMP3Wrap::vbmp3_init();
    ASSERT_EQ(1, VBMP3Wrap::vbmp3_open(longPiece.c_str(), nullptr));
    effects.Send("close all");
    VBMP3Wrap::vbmp3_play();
    SDL_Delay(100);
    meter.Reset();
    SDL_Delay(200);
    EXPECT_GT(meter.Left(), 0.0);
    EXPECT_EQ(1, State());
  }
  EXPECT_NE(0, Mix_QuerySpec(nullptr, nullptr, nullptr)) << "the music still holds the device";
}

// With a fixed seed the state follows the frame clock: a piece of S samples plays for exactly
// ceil(S / (44100 * 0.017)) frame periods, whatever the wall clock does.
TEST_F(MusicTest, FixedSeedRunsFollowTheFrameClockExactly) {
  QUORL_COMMON::SetFixedSeed(7);
  StartScene(piece);
  const unsigned period = QUORL_COMMON::FRAME_PERIOD_MS;
  const long frames = (PIECE_SAMPLES * 1000 + RATE * period - 1) / (RATE * period);  // 18
  for (int pass = 0; pass < 2; ++pass) {  // the second pass is the keep-alive restart
    VBMP3Wrap::vbmp3_play();
    SDL_Delay(pass == 0 ? 500 : 0);  // longer than the piece: wall-clock time must not count
    for (long k = 0; k < frames; ++k) {
      ASSERT_EQ(1, State()) << "frame " << k << " pass " << pass;
      VBMP3Wrap::AdvanceClock(period);
    }
    EXPECT_EQ(0, State()) << "pass " << pass;
  }
  // Stop ends it at once; a long piece reports its seconds by the clock.
  VBMP3Wrap::vbmp3_play();
  VBMP3Wrap::vbmp3_stop();
  EXPECT_EQ(0, State());
  VBMP3Wrap::vbmp3_close();
  const std::string longPiece = dir.file("long.mp3");
  ASSERT_TRUE(soundtest::WriteTestMp3(longPiece, 3 * RATE, RATE, 2, 128));
  ASSERT_EQ(1, VBMP3Wrap::vbmp3_open(longPiece.c_str(), nullptr));
  VBMP3Wrap::vbmp3_play();
  for (int k = 0; k < 120; ++k) VBMP3Wrap::AdvanceClock(period);  // 2.04 s
  int seconds = 0;
  EXPECT_EQ(1, VBMP3Wrap::vbmp3_getState(&seconds));
  EXPECT_EQ(2, seconds);
}

// No audio device: one line, files still open and are checked, the state follows the clock.
TEST_F(MusicTest, WithoutAudioDeviceEverythingWorksSilently) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  unsetenv("QUORL_SOUND_OFF_REPORTED");
  testing::internal::CaptureStdout();
  StartScene(piece);
  EXPECT_EQ(0, Mix_QuerySpec(nullptr, nullptr, nullptr));
  EXPECT_EQ(0, VBMP3Wrap::vbmp3_open(dir.file("missing.mp3").c_str(), nullptr));
  EXPECT_EQ(VBMP3_ERROR_FILE_MISSING, VBMP3Wrap::vbmp3_getLastErrorNo());
  VBMP3Info info;
  ASSERT_EQ(1, VBMP3Wrap::vbmp3_open(piece.c_str(), &info));
  EXPECT_EQ(PIECE_SAMPLES, info.samples);
  VBMP3Wrap::vbmp3_play();
  EXPECT_EQ(1, State());
  EXPECT_TRUE(WaitFor([] { return State() == 0; }, 5.0)) << "the silent piece never ended";
  VBMP3Wrap::vbmp3_free();
  VBMP3Wrap::vbmp3_init();  // a second scene tries again and stays quiet about it
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(1, std::count(out.begin(), out.end(), '\n')) << out;
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

}  // namespace
