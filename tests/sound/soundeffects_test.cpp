// Tests of the sound effects: opening under aliases, playback on the dummy device, loudness per
// side, releasing, and the silent mode without a device.
#include "sound/soundeffects.h"

#include <SDL/SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "sound/mcisendstring.h"
#include "support/testfiles.h"
#include "testaudio.h"

namespace {

using soundtest::WaitFor;

class SoundEffectsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    soundtest::UseDummyDriverByDefault();
    shortWav = dir.file("short.wav");
    longWav = dir.file("long.wav");
    soundtest::WriteTestWav(shortWav, 4410, 44100, 1);    // 0.1 s
    soundtest::WriteTestWav(longWav, 88200, 22050, 2);    // 4 s, converted by the mixer
    testsupport::WriteFile(dir.file("text.wav"), "this is not a sound at all\n");
    std::string wav = testsupport::ReadFile(shortWav);
    testsupport::WriteFile(dir.file("cut.wav"), wav.substr(0, 30));  // header cut short
    wav[20] = 99;  // an unknown sample encoding
    testsupport::WriteFile(dir.file("odd.wav"), wav);
  }

  std::string Open(const std::string& file, const std::string& alias) {
    return "open \"" + file + "\" alias " + alias;
  }

  testsupport::ScratchDir dir;
  std::string shortWav, longWav;
};

TEST_F(SoundEffectsTest, AliasesOpenOnceAndCommandsNeedAnOpenAlias) {
  SoundEffects effects;
  EXPECT_EQ(MCI_ERROR_ALIAS_NOT_OPEN, effects.Send("play shot"));
  EXPECT_EQ(MCI_OK, effects.Send(Open(shortWav, "shot")));
  ASSERT_TRUE(effects.HasDevice());
  EXPECT_EQ(MCI_ERROR_ALIAS_IN_USE, effects.Send(Open(longWav, "shot")));
  EXPECT_EQ(MCI_ERROR_ALIAS_IN_USE, effects.Send(Open(shortWav, "SHOT")));
  for (const char* text : {"stop shot", "seek shot to start", "play shot", "Play SHOT",
                           "setaudio shot left volume to 10", "setaudio shot right volume to 10"}) {
    EXPECT_EQ(MCI_OK, effects.Send(text)) << text;
  }
  for (const char* text : {"stop other", "seek other to start", "play other",
                           "setaudio other left volume to 10", "close other"}) {
    EXPECT_EQ(MCI_ERROR_ALIAS_NOT_OPEN, effects.Send(text)) << text;
  }
  EXPECT_EQ(MCI_OK, effects.Send("close shot"));
  EXPECT_EQ(MCI_ERROR_ALIAS_NOT_OPEN, effects.Send("close shot"));
  EXPECT_FALSE(effects.HasDevice());  // the last alias gave the device back
  EXPECT_EQ(MCI_OK, effects.Send(Open(longWav, "shot")));  // the alias can be opened again
  EXPECT_EQ(MCI_OK, effects.Send("stop all"));
  EXPECT_EQ(MCI_OK, effects.Send("close all"));
  EXPECT_EQ(MCI_OK, effects.Send("close all"));  // with nothing open
  EXPECT_EQ(0u, effects.OpenCount());
}

TEST_F(SoundEffectsTest, BadFilesFailTheirOpenAlikeWithAndWithoutDevice) {
  SoundEffects withDevice;
  SoundEffects silent(false);
  const struct {
    std::string file;
    int result;
  } cases[] = {
      {shortWav, MCI_OK},
      {dir.file("missing.wav"), MCI_ERROR_FILE_NOT_FOUND},
      {dir.path(), MCI_ERROR_FILE_NOT_FOUND},  // a folder
      {dir.file("text.wav"), MCI_ERROR_INVALID_FILE},
      {dir.file("cut.wav"), MCI_ERROR_INVALID_FILE},
      {dir.file("odd.wav"), MCI_ERROR_INVALID_FILE},
  };
  int n = 0;
  for (const auto& c : cases) {
    const std::string alias = "a" + std::to_string(n++);
    EXPECT_EQ(c.result, withDevice.Send(Open(c.file, alias))) << c.file;
    EXPECT_EQ(c.result, silent.Send(Open(c.file, alias))) << c.file;
    EXPECT_EQ(c.result == MCI_OK, withDevice.IsOpen(alias));
    EXPECT_EQ(c.result == MCI_OK, silent.IsOpen(alias));
  }
  EXPECT_TRUE(withDevice.HasDevice());
  EXPECT_FALSE(silent.HasDevice());
}

TEST_F(SoundEffectsTest, PlaysWithoutBlockingEndsAndRestarts) {
  SoundEffects effects;
  ASSERT_EQ(MCI_OK, effects.Send(Open(shortWav, "shot")));
  ASSERT_EQ(MCI_OK, effects.Send(Open(longWav, "long")));
  EXPECT_EQ(MCI_OK, effects.Send("play long"));
  EXPECT_TRUE(effects.IsPlaying("long")) << "play must return while the sample still sounds";
  EXPECT_EQ(MCI_OK, effects.Send("play shot"));
  EXPECT_TRUE(effects.IsPlaying("shot"));
  EXPECT_TRUE(WaitFor([&] { return !effects.IsPlaying("shot"); }, 5.0)) << "0.1 s sound never ended";
  // Restart after the end, and the stop / seek / play sequence while it plays.
  EXPECT_EQ(MCI_OK, effects.Send("play shot"));
  EXPECT_TRUE(effects.IsPlaying("shot"));
  EXPECT_EQ(MCI_OK, effects.Send("stop shot"));
  EXPECT_FALSE(effects.IsPlaying("shot"));
  EXPECT_EQ(MCI_OK, effects.Send("seek shot to start"));
  EXPECT_EQ(MCI_OK, effects.Send("play shot"));
  EXPECT_TRUE(effects.IsPlaying("shot"));
  EXPECT_EQ(MCI_OK, effects.Send("seek shot to start"));  // a seek stops it
  EXPECT_FALSE(effects.IsPlaying("shot"));
}

TEST_F(SoundEffectsTest, ThirtyEightAliasesSoundTogetherAndStopAllSilencesThem) {
  SoundEffects effects;
  for (int i = 0; i < 38; ++i) {
    ASSERT_EQ(MCI_OK, effects.Send(Open(longWav, "s" + std::to_string(i)))) << i;
  }
  for (int i = 0; i < 38; ++i) effects.Send("play s" + std::to_string(i));
  for (int i = 0; i < 38; ++i) EXPECT_TRUE(effects.IsPlaying("s" + std::to_string(i))) << i;
  EXPECT_EQ(MCI_OK, effects.Send("stop all"));
  for (int i = 0; i < 38; ++i) EXPECT_FALSE(effects.IsPlaying("s" + std::to_string(i))) << i;
  EXPECT_EQ(38u, effects.OpenCount());
  // Closing one alias hands its channel to the next one opened.
  EXPECT_EQ(MCI_OK, effects.Send("close s5"));
  EXPECT_EQ(MCI_OK, effects.Send(Open(shortWav, "late")));
  EXPECT_EQ(MCI_OK, effects.Send("play late"));
  EXPECT_EQ(MCI_OK, effects.Send("play s6"));
  EXPECT_TRUE(effects.IsPlaying("late"));
  EXPECT_TRUE(effects.IsPlaying("s6"));
  EXPECT_EQ(MCI_OK, effects.Send("close all"));
  EXPECT_EQ(0u, effects.OpenCount());
  EXPECT_FALSE(effects.HasDevice());
}

TEST_F(SoundEffectsTest, LeftAndRightLoudnessAreIndependentAndClamped) {
  SoundEffects effects;
  ASSERT_EQ(MCI_OK, effects.Send(Open(longWav, "enemy")));
  int left = 0, right = 0;
  ASSERT_TRUE(effects.GetVolume("enemy", &left, &right));
  EXPECT_EQ(1000, left);
  EXPECT_EQ(1000, right);
  EXPECT_EQ(MCI_OK, effects.Send("setaudio enemy left volume to 1500"));
  EXPECT_EQ(MCI_OK, effects.Send("setaudio enemy right volume to -3"));
  effects.GetVolume("enemy", &left, &right);
  EXPECT_EQ(1000, left);
  EXPECT_EQ(0, right);
  EXPECT_EQ(MCI_ERROR_BAD_NUMBER, effects.Send("setaudio enemy right volume to 5x"));
  effects.GetVolume("enemy", &left, &right);
  EXPECT_EQ(0, right) << "a bad number changes nothing";

  // What the device outputs: left only, then (set while playing) right only.
  soundtest::OutputMeter meter;
  effects.Send("play enemy");
  SDL_Delay(300);
  EXPECT_GT(meter.Left(), 0.0);
  EXPECT_EQ(0.0, meter.Right());
  effects.Send("setaudio enemy left volume to 0");
  effects.Send("setaudio enemy right volume to 1000");
  SDL_Delay(200);  // let the buffers mixed before the change pass
  meter.Reset();
  SDL_Delay(300);
  EXPECT_EQ(0.0, meter.Left());
  EXPECT_GT(meter.Right(), 0.0);
  // The loudness outlives a restart (the mixer forgets it when a sample starts).
  effects.Send("stop enemy");
  effects.Send("seek enemy to start");
  effects.Send("play enemy");
  SDL_Delay(100);
  meter.Reset();
  SDL_Delay(300);
  EXPECT_EQ(0.0, meter.Left());
  EXPECT_GT(meter.Right(), 0.0);
}

TEST_F(SoundEffectsTest, SilentSetValidatesFilesAndAnswersEverythingElse) {
  SoundEffects silent(false);
  EXPECT_EQ(MCI_OK, silent.Send(Open(shortWav, "shot")));
  for (const char* text : {"stop shot", "seek shot to start", "play shot",
                           "setaudio shot left volume to 300", "stop all"}) {
    EXPECT_EQ(MCI_OK, silent.Send(text)) << text;
  }
  EXPECT_FALSE(silent.IsPlaying("shot"));
  int left = 0, right = 0;
  silent.GetVolume("shot", &left, &right);
  EXPECT_EQ(300, left);
  EXPECT_EQ(MCI_ERROR_ALIAS_NOT_OPEN, silent.Send("play other"));
  EXPECT_EQ(MCI_ERROR_ALIAS_IN_USE, silent.Send(Open(shortWav, "shot")));
  EXPECT_EQ(MCI_OK, silent.Send("close all"));
  EXPECT_EQ(0u, silent.OpenCount());
}

// The game's entry with no device at all: one line, files still checked, the rest succeeds.
TEST_F(SoundEffectsTest, EntryWithoutAudioDeviceGoesSilentWithOneLine) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  unsetenv("QUORL_SOUND_OFF_REPORTED");
  char reply[8] = "junk";
  testing::internal::CaptureStdout();
  EXPECT_EQ(0, mciSendStringA(Open(shortWav, "shot").c_str(), reply, sizeof(reply), nullptr));
  EXPECT_STREQ("", reply);
  EXPECT_EQ(0, mciSendStringA(Open(longWav, "door").c_str(), nullptr, 0, nullptr));
  EXPECT_NE(0, mciSendStringA(Open(dir.file("missing.wav"), "m").c_str(), nullptr, 0, nullptr));
  EXPECT_NE(0, mciSendStringA(Open(dir.file("text.wav"), "t").c_str(), nullptr, 0, nullptr));
  EXPECT_EQ(0, mciSendStringA("play shot", nullptr, 0, nullptr));
  EXPECT_EQ(0, mciSendStringA("setaudio door left volume to 500", nullptr, 0, nullptr));
  EXPECT_EQ(0, mciSendStringA("stop all", nullptr, 0, nullptr));
  EXPECT_EQ(0, mciSendStringA("close all", nullptr, 0, nullptr));
  EXPECT_EQ(0, mciSendStringA(Open(shortWav, "shot").c_str(), nullptr, 0, nullptr));
  EXPECT_EQ(0, mciSendStringA("close shot", nullptr, 0, nullptr));
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(1, std::count(out.begin(), out.end(), '\n')) << out;
  EXPECT_NE(std::string::npos, out.find("Sound: no audio device")) << out;
  EXPECT_NE(0, mciSendStringA(nullptr, nullptr, 0, nullptr));
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  SDL_QuitSubSystem(SDL_INIT_AUDIO);  // the next device opening reads the driver again
}

}  // namespace
