// Tests of the title scene, driven by pushed events in a real OpenGL window.
#include "scenes/title.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "scenecontent.h"
#include "sound/mcisendstring.h"
#include "sound/vbmp3wrap.h"
#include "support/events.h"

namespace {

using scenetest::Colour;
using scenetest::Near;
using scenetest::Shot;

class TitleTest : public scenetest::SceneTest {
 protected:
  static void SetUpTestSuite() { SetUpContent(scenetest::WriteTitleContent); }
  void SetUp() override {
    SceneTest::SetUp();
    testsupport::DrainEvents();
  }
  void TearDown() override {
    title.Finalize();
    testsupport::DrainEvents();
  }
  Title title;
};

// Whether the pickup sound's alias is open: a second open of the alias fails while it is.
bool SpSoundOpen() {
  if (mciSendStringA("open \"SE/sp-bullet-get.wav\" alias sp-bullet-get", nullptr, 0, nullptr) != 0) {
    return true;
  }
  mciSendStringA("close sp-bullet-get", nullptr, 0, nullptr);
  return false;
}

TEST_F(TitleTest, MenuClicksChooseNewGameOrContinueOnlyWhenPossible) {
  ASSERT_EQ(0, title.Init(800, 600, false, false));
  EXPECT_FALSE(title.getUseContinue());
  testsupport::PushClick(1, 600, 550);
  EXPECT_EQ(1, title.Action(1));
  EXPECT_FALSE(title.getUseContinue());
  testsupport::PushClick(1, 100, 550);
  EXPECT_EQ(2, title.Action(1));
  EXPECT_FALSE(title.getUseContinue());

  ASSERT_EQ(0, title.Init(800, 600, true, false));
  EXPECT_TRUE(title.getUseContinue());  // continuing is the default when possible
  testsupport::PushClick(1, 600, 550);
  EXPECT_EQ(2, title.Action(1));
  EXPECT_TRUE(title.getUseContinue());
  testsupport::PushClick(1, 100, 550);
  EXPECT_EQ(2, title.Action(1));
  EXPECT_FALSE(title.getUseContinue());
  testsupport::PushClick(1, 400, 500);  // x 400 is the continue half
  EXPECT_EQ(2, title.Action(1));
  EXPECT_TRUE(title.getUseContinue());
}

TEST_F(TitleTest, OtherClicksAndKeysAreIgnoredAndEscapeOrCloseQuits) {
  ASSERT_EQ(0, title.Init(800, 600, true, false));
  testsupport::PushClick(1, 100, 499);
  testsupport::PushClick(1, 600, 499);
  testsupport::PushClick(1, 600, 10);
  testsupport::PushClick(3, 100, 550);
  testsupport::PushClick(2, 600, 550);
  testsupport::PushKeyTap(SDLK_f);  // the special mode is locked
  testsupport::PushKeyTap(SDLK_RETURN);
  testsupport::PushMouseMotion(30, 40);
  EXPECT_EQ(1, title.Action(1));
  EXPECT_TRUE(title.getUseContinue());
  EXPECT_FALSE(title.getUseSpMode());

  testsupport::PushKey(SDLK_ESCAPE, true);
  EXPECT_EQ(99, title.Action(1));
  testsupport::PushQuit();
  EXPECT_EQ(99, title.Action(1));
  // Escape wins over a click in the same frame, as it returns at once.
  testsupport::PushClick(1, 100, 550);
  testsupport::PushKey(SDLK_ESCAPE, true);
  EXPECT_EQ(99, title.Action(1));
}

TEST_F(TitleTest, FTogglesTheSpecialModeOnlyWhenUnlockedWithItsSoundAndIcon) {
  ASSERT_EQ(0, title.Init(800, 600, false, true));
  EXPECT_TRUE(SpSoundOpen());
  EXPECT_FALSE(title.getUseSpMode());
  Shot off([&] { title.Action(1); });
  EXPECT_TRUE(Near(off.at(25, 515), scenetest::kTitleColour)) << off.at(25, 515);

  testsupport::PushKeyTap(SDLK_f);
  Shot on([&] { EXPECT_EQ(1, title.Action(1)); });
  EXPECT_TRUE(title.getUseSpMode());
  EXPECT_TRUE(Near(on.at(25, 515), scenetest::kSpColour)) << on.at(25, 515);
  testsupport::PushKeyTap(SDLK_f);
  title.Action(1);
  EXPECT_FALSE(title.getUseSpMode());

  // A new run of the scene starts with the mode off; the sound is released by Finalize.
  testsupport::PushKeyTap(SDLK_f);
  title.Action(1);
  ASSERT_EQ(0, title.Init(800, 600, false, true));
  EXPECT_FALSE(title.getUseSpMode());
  title.Finalize();
  EXPECT_FALSE(SpSoundOpen());
  ASSERT_EQ(0, title.Init(800, 600, false, false));
  EXPECT_FALSE(SpSoundOpen());
}

TEST_F(TitleTest, LightPulsesUpAndDownInFiftyTwoFrames) {
  ASSERT_EQ(0, title.Init(800, 600, false, false));
  std::vector<int> want;
  for (int a = 10; a <= 250; a += 10) want.push_back(a);
  want.push_back(255);
  for (int a = 245; a >= 5; a -= 10) want.push_back(a);
  want.push_back(0);
  ASSERT_EQ(52u, want.size());
  for (int cycle = 0; cycle < 2; ++cycle) {
    for (size_t i = 0; i < want.size(); ++i) {
      title.Action(1);
      ASSERT_EQ(want[i], title.getLightAlpha()) << "cycle " << cycle << " frame " << i;
    }
  }
}

TEST_F(TitleTest, ScreenShowsArtMenuGreyedContinueAndLightOverlay) {
  ASSERT_EQ(0, title.Init(800, 600, false, false));
  Shot first([&] { title.Action(1); });  // light at 10
  EXPECT_TRUE(Near(first.at(400, 300), scenetest::kTitleColour)) << first.at(400, 300);
  EXPECT_TRUE(Near(first.at(150, 520), scenetest::kNewGameColour)) << first.at(150, 520);
  // Nothing to continue: the word at opacity 128 over black.
  EXPECT_TRUE(Near(first.at(550, 520), {100, 100, 0, 255})) << first.at(550, 520);
  // White light at opacity 10 over (0, 0, 100).
  EXPECT_TRUE(Near(first.at(100, 100), {10, 10, 106, 255}, 3)) << first.at(100, 100);
  for (int i = 1; i < 26; ++i) title.Action(1);
  Shot bright([&] { title.Action(1); });  // light at 245 on the way down
  EXPECT_TRUE(Near(bright.at(100, 100), {245, 245, 249, 255}, 3)) << bright.at(100, 100);

  ASSERT_EQ(0, title.Init(800, 600, true, false));
  Shot saved([&] { title.Action(1); });
  EXPECT_TRUE(Near(saved.at(550, 520), scenetest::kContinueColour)) << saved.at(550, 520);
}

TEST_F(TitleTest, MusicStartsAndRepeatsWhenThePieceEnds) {
  ASSERT_EQ(0, title.Init(800, 600, false, false));
  ASSERT_NE(nullptr, VBMP3Wrap::vbmp3_getState);
  EXPECT_EQ(1, VBMP3Wrap::vbmp3_getState(nullptr));
  if (VBMP3Wrap::vbmp3_advanceClock == nullptr) GTEST_SKIP() << "music library without a frame clock";
  // The library stays loaded after Finalize; from now on a piece's time follows the frame clock.
  title.Finalize();
  VBMP3Wrap::AdvanceClock(0);
  ASSERT_EQ(0, title.Init(800, 600, false, false));
  EXPECT_EQ(1, VBMP3Wrap::vbmp3_getState(nullptr));
  VBMP3Wrap::AdvanceClock(2000);  // past the end of the half-second piece
  EXPECT_EQ(0, VBMP3Wrap::vbmp3_getState(nullptr));
  title.Action(1);
  EXPECT_EQ(1, VBMP3Wrap::vbmp3_getState(nullptr));
  title.Finalize();
  EXPECT_EQ(0, VBMP3Wrap::vbmp3_getState(nullptr));
}

TEST_F(TitleTest, MissingContentFailsInitWithItsMessage) {
  struct Case {
    const char* file;
    bool spAvailable;
    const char* message;
  };
  const Case cases[] = {
      {"img/QUORL-title.png", false, "Gamemain:Sight surface Load error\n"},
      {"img/QUORL-title-light.png", false, "Title:title light surface Load error\n"},
      {"img/fonts/new-game.png", false, "Title:title text img 1 Load error\n"},
      {"img/fonts/continue.png", false, "Title:title text img 2 Load error\n"},
      {"img/bullet_sp.png", true, "Title:title SpBullet load error\n"},
      {"SE/sp-bullet-get.wav", true, "Gamemain:SE Reload load error\n"},
      {"sounds/Quorl_title.mp3", false, "Gamemain:BGM Load Error:2\n"},
  };
  for (const Case& c : cases) {
    const std::string hidden = std::string(c.file) + ".hidden";
    std::filesystem::rename(c.file, hidden);
    int result = 0;
    const std::string printed = Printed([&] { result = title.Init(800, 600, true, c.spAvailable); });
    std::filesystem::rename(hidden, c.file);
    EXPECT_EQ(-1, result) << c.file;
    EXPECT_NE(std::string::npos, printed.find(c.message)) << c.file << ": " << printed;
    title.Finalize();
    EXPECT_FALSE(SpSoundOpen()) << c.file;  // nothing is left open after the failure
  }
  EXPECT_EQ(0, title.Init(800, 600, true, true));
}

}  // namespace
