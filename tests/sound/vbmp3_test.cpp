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
#include "support/testfiles.h"
#include "testaudio.h"

namespace {

const int RATE = 44100;
const long PIECE_SAMPLES = 22050;  // 0.5 s

class MusicTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_AUDIODRIVER", "dummy", 0);  // unless a driver is chosen already
    QUORL_COMMON::ResetSeeding();
    ASSERT_TRUE(soundtest::WriteTestMp3(piece, PIECE_SAMPLES, 128));
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

  static int State() {
    int seconds = 0;
    return VBMP3Wrap::vbmp3_getState(&seconds);
  }

  testsupport::ScratchDir dir;
  const std::string piece = dir.file("piece.mp3");
  VBMP3Wrap music;
  VBMP3Info info;
};

TEST_F(MusicTest, OpenReportsExactLengthsAndDistinctErrors) {
  StartScene(piece);
  EXPECT_NE(nullptr, VBMP3Wrap::vbmp3_advanceClock);  // the optional extra entry
  EXPECT_EQ(VBMP3_ERROR_NONE, VBMP3Wrap::vbmp3_getLastErrorNo());
  EXPECT_EQ(PIECE_SAMPLES, info.samples);
  EXPECT_EQ(500, info.lengthMs);

  testsupport::WriteFile(dir.file("text.mp3"), std::string(5000, 'x'));
  testsupport::WriteFile(dir.file("empty.mp3"), "");
  soundtest::WriteTestWav(dir.file("sound.wav"), RATE, RATE);
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

// Playing to the end and the keep-alive restart are checked by the frame-clock test below and by
// the audible test.
TEST_F(MusicTest, ClampsTheSoftVolumeStopsAndSwitchesTracks) {
  StartScene(piece);
  EXPECT_EQ(0, State()) << "opened, not yet playing";
  VBMP3Wrap::vbmp3_play();
  VBMP3Wrap::vbmp3_setSoftVolume(150, -20);  // each side clamped to 0 .. 100
  int left = -1, right = -1;
  VBMP3Wrap::vbmp3_getSoftVolume(&left, &right);
  EXPECT_EQ(100, left);
  EXPECT_EQ(0, right);
  // Track change: stop, close, open, play.
  VBMP3Wrap::vbmp3_stop();
  EXPECT_EQ(0, State());
  VBMP3Wrap::vbmp3_close();
  EXPECT_EQ(0, VBMP3Wrap::vbmp3_play()) << "nothing open after close";
  ASSERT_EQ(1, VBMP3Wrap::vbmp3_open(piece.c_str(), nullptr));
  VBMP3Wrap::vbmp3_play();
  EXPECT_EQ(1, State());
}

// The player's music volume scales every soft volume the game asks for, from the library's start on.
TEST_F(MusicTest, MusicVolumeScalesWhatTheLibraryIsAskedToPlay) {
  VBMP3Wrap::SetMusicVolume(40);
  StartScene(piece);
  // Player's percent (-1: unchanged), soft volume the game asks for (-1: none), library's volume.
  struct Step { int percent, asked, want; };
  const Step steps[] = {{-1, -1, 40}, {-1, 50, 20}, {-1, 0, 0}, {-1, 100, 40},
                        {75, -1, 75},  {-1, 50, 37}, {0, -1, 0}, {100, -1, 50}, {-1, 100, 100}};
  for (const Step& s : steps) {
    if (s.percent >= 0) VBMP3Wrap::SetMusicVolume(s.percent);
    if (s.asked >= 0) VBMP3Wrap::vbmp3_setSoftVolume(s.asked, s.asked);
    int left = -1, right = -1;
    VBMP3Wrap::vbmp3_getSoftVolume(&left, &right);
    EXPECT_EQ(s.want, left) << (&s - steps);
    EXPECT_EQ(s.want, right) << (&s - steps);
  }
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
