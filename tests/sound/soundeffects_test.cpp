// Tests of the sound effects: aliases, playback on the dummy device, loudness per side, release,
// and the silent mode without a device.
#include "sound/soundeffects.h"

#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "sound/mcisendstring.h"
#include "support/testfiles.h"
#include "testaudio.h"

// The mixer's start and panning calls, logged in order by stand-ins that pass them on to SDL_mixer.
static std::vector<std::string> g_mixerCalls;

template <typename Function>
static Function RealMixer(const char* name) {
  return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

extern "C" int Mix_SetPanning(int channel, Uint8 left, Uint8 right) {
  g_mixerCalls.push_back("pan " + std::to_string(left) + " " + std::to_string(right));
  return RealMixer<int (*)(int, Uint8, Uint8)>("Mix_SetPanning")(channel, left, right);
}

extern "C" int Mix_PlayChannelTimed(int channel, Mix_Chunk* chunk, int loops, int ticks) {
  g_mixerCalls.push_back("play");
  return RealMixer<int (*)(int, Mix_Chunk*, int, int)>("Mix_PlayChannelTimed")(channel, chunk,
                                                                               loops, ticks);
}

namespace {

class SoundEffectsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_AUDIODRIVER", "dummy", 0);  // unless a driver is chosen already
    soundtest::WriteTestWav(shortWav, 22050, 44100);  // 0.5 s
    soundtest::WriteTestWav(longWav, 88200, 22050);  // 4 s, converted by the mixer
  }

  static std::string Open(const std::string& file, const std::string& alias) {
    return "open \"" + file + "\" alias " + alias;
  }

  testsupport::ScratchDir dir;
  const std::string shortWav = dir.file("short.wav");
  const std::string longWav = dir.file("long.wav");
};

TEST_F(SoundEffectsTest, AliasesOpenOnceCommandsNeedThemAndBadFilesFailAlikeWhenSilent) {
  SoundEffects effects;
  ASSERT_EQ(MCI_OK, effects.Send(Open(shortWav, "shot")));
  ASSERT_TRUE(effects.HasDevice());
  EXPECT_EQ(MCI_ERROR_ALIAS_IN_USE, effects.Send(Open(longWav, "SHOT")));
  for (const char* text : {"stop other", "seek other to start", "play other", "close other",
                           "setaudio other left volume to 10"}) {
    EXPECT_EQ(MCI_ERROR_ALIAS_NOT_OPEN, effects.Send(text)) << text;
  }
  EXPECT_EQ(MCI_OK, effects.Send("close shot"));
  EXPECT_FALSE(effects.HasDevice()) << "the last alias gives the device back";

  // A missing or broken file fails its open the same way with and without a device.
  const std::string wav = testsupport::ReadFile(shortWav);
  testsupport::WriteFile(dir.file("text.wav"), "this is not a sound at all\n");
  testsupport::WriteFile(dir.file("cut.wav"), wav.substr(0, 30));
  testsupport::WriteFile(dir.file("odd.wav"), wav.substr(0, 20) + "\x63" + wav.substr(21));
  SoundEffects silent(false);
  const struct {
    std::string file;
    int result;
  } cases[] = {{dir.file("missing.wav"), MCI_ERROR_FILE_NOT_FOUND},
               {dir.path(), MCI_ERROR_FILE_NOT_FOUND},
               {dir.file("text.wav"), MCI_ERROR_INVALID_FILE},
               {dir.file("cut.wav"), MCI_ERROR_INVALID_FILE},
               {dir.file("odd.wav"), MCI_ERROR_INVALID_FILE},  // unknown sample encoding
               {shortWav, MCI_OK}};
  for (const auto& c : cases) {
    EXPECT_EQ(c.result, effects.Send(Open(c.file, "a"))) << c.file;
    EXPECT_EQ(c.result, silent.Send(Open(c.file, "a"))) << c.file;
  }
  EXPECT_FALSE(silent.HasDevice());
  EXPECT_EQ(MCI_OK, silent.Send("play a"));
}

// The player's sound volume scales each side's loudness before it reaches the mixer: a positional
// sound keeps its balance, and a change reaches a sounding sample at once.
TEST_F(SoundEffectsTest, MasterVolumeScalesTheLoudnessTheMixerIsGiven) {
  SoundEffects effects;
  ASSERT_EQ(MCI_OK, effects.Send(Open(longWav, "step")));
  // Master percent, left and right loudness asked for; panning levels given to the mixer.
  struct Level { int percent, left, right, wantLeft, wantRight; };
  const Level levels[] = {{100, 1000, 1000, 255, 255}, {100, 400, 800, 102, 204}, {50, 400, 800, 51, 102},
                          {50, 1000, 0, 127, 0},       {0, 1000, 1000, 0, 0},     {130, 1000, 500, 255, 127},
                          {-5, 1000, 1000, 0, 0}};
  for (const Level& l : levels) {
    effects.SetMasterVolume(l.percent);
    effects.Send("setaudio step left volume to " + std::to_string(l.left));
    effects.Send("setaudio step right volume to " + std::to_string(l.right));
    g_mixerCalls.clear();
    ASSERT_EQ(MCI_OK, effects.Send("play step"));
    const std::string pan = "pan " + std::to_string(l.wantLeft) + " " + std::to_string(l.wantRight);
    EXPECT_EQ((std::vector<std::string>{pan, "play"}), g_mixerCalls) << (&l - levels);
    int left = -1, right = -1;
    ASSERT_TRUE(effects.GetVolume("step", &left, &right));
    EXPECT_EQ(l.left, left) << "the asked loudness is kept as asked";
  }
  effects.SetMasterVolume(100);
  g_mixerCalls.clear();
  effects.SetMasterVolume(20);  // while sounding
  EXPECT_EQ((std::vector<std::string>{"pan 51 51"}), g_mixerCalls);
  int left = -1, right = -1;
  ASSERT_TRUE(effects.GetMixerLevels("step", &left, &right));
  EXPECT_EQ(51, left);
  EXPECT_EQ(51, right);
  EXPECT_FALSE(effects.GetMixerLevels("none", &left, &right));
}

TEST_F(SoundEffectsTest, PlayReturnsAtOnceEndsRestartsAndThirtyEightSoundTogether) {
  SoundEffects effects;
  ASSERT_EQ(MCI_OK, effects.Send(Open(shortWav, "shot")));
  EXPECT_EQ(MCI_OK, effects.Send("play shot"));
  EXPECT_TRUE(effects.IsPlaying("shot"));
  EXPECT_TRUE(soundtest::WaitFor([&] { return !effects.IsPlaying("shot"); }, 5.0));
  EXPECT_EQ(MCI_OK, effects.Send("play shot"));  // again after the end
  EXPECT_TRUE(effects.IsPlaying("shot"));
  EXPECT_EQ(MCI_OK, effects.Send("seek shot to start"));  // a seek stops it
  EXPECT_FALSE(effects.IsPlaying("shot"));
  // A positional sound: its loudness reaches the mixer before the sample starts, also when it is
  // restarted while sounding (a restart drops the panning).
  for (const char* text : {"setaudio shot left volume to 0", "setaudio shot right volume to 1000",
                           "play shot", "play shot"}) {
    EXPECT_EQ(MCI_OK, effects.Send(text));
  }
  EXPECT_EQ((std::vector<std::string>{"pan 0 255", "play", "pan 0 255", "play"}),
            std::vector<std::string>(g_mixerCalls.end() - 4, g_mixerCalls.end()));

  const auto name = [](int i) { return "s" + std::to_string(i); };
  for (int i = 0; i < 38; ++i) ASSERT_EQ(MCI_OK, effects.Send(Open(longWav, name(i))));
  for (int i = 0; i < 38; ++i) effects.Send("play " + name(i));
  for (int i = 0; i < 38; ++i) EXPECT_TRUE(effects.IsPlaying(name(i))) << i;
  EXPECT_EQ(MCI_OK, effects.Send("stop all"));
  for (int i = 0; i < 38; ++i) EXPECT_FALSE(effects.IsPlaying(name(i))) << i;
  // A closed alias's channel goes to the next one opened, without cutting off another alias.
  EXPECT_EQ(MCI_OK, effects.Send("close s5"));
  EXPECT_EQ(MCI_OK, effects.Send(Open(longWav, "late")));
  effects.Send("play s6");
  effects.Send("play late");
  EXPECT_TRUE(effects.IsPlaying("late"));
  EXPECT_TRUE(effects.IsPlaying("s6"));
  EXPECT_EQ(MCI_OK, effects.Send("close all"));
  EXPECT_FALSE(effects.HasDevice());
}

// The game's entry with no device at all: one line, files still checked, the rest succeeds.
TEST_F(SoundEffectsTest, EntryWithoutAudioDeviceGoesSilentWithOneLine) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  unsetenv("QUORL_SOUND_OFF_REPORTED");
  char reply[8] = "junk";
  testing::internal::CaptureStdout();
  EXPECT_EQ(0, mciSendStringA(Open(shortWav, "shot").c_str(), reply, sizeof(reply), nullptr));
  EXPECT_STREQ("", reply);
  EXPECT_NE(0, mciSendStringA(Open(dir.file("missing.wav"), "m").c_str(), nullptr, 0, nullptr));
  for (const char* text : {"play shot", "setaudio shot left volume to 500", "stop all", "close all"}) {
    EXPECT_EQ(0, mciSendStringA(text, nullptr, 0, nullptr)) << text;
  }
  EXPECT_EQ(0, mciSendStringA(Open(shortWav, "shot").c_str(), nullptr, 0, nullptr));  // tries again
  EXPECT_EQ(0, mciSendStringA("close shot", nullptr, 0, nullptr));
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(1, std::count(out.begin(), out.end(), '\n')) << out;
  EXPECT_NE(std::string::npos, out.find("Sound: no audio device")) << out;
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  SDL_QuitSubSystem(SDL_INIT_AUDIO);  // the next device opening reads the driver again
}

}  // namespace
