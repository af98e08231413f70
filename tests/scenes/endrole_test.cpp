// Tests of the ending roll: page timing and fading, skipping, the statistics page and its failures.
#include "scenes/endrole.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "scenecontent.h"
#include "support/events.h"

namespace {

using scenetest::Colour;
using scenetest::Near;
using scenetest::Shot;

class EndroleTest : public scenetest::SceneTest {
 protected:
  static void SetUpTestSuite() { SetUpContent(scenetest::WriteEndingContent); }
  void SetUp() override {
    SceneTest::SetUp();
    testsupport::DrainEvents();
  }
  void TearDown() override {
    ending.Finalize();
    testsupport::DrainEvents();
  }
  // Clicks `count` times within one frame and runs it.
  int ClickFrame(int count) {
    for (int i = 0; i < count; ++i) testsupport::PushClick(1, 400, 300);
    return ending.Action(3);
  }
  Endrole ending;
};

// A colour at a share of its brightness, as the page shows over black.
Colour Dimmed(Colour c, int opacity) {
  return {static_cast<unsigned char>(c.r * opacity / 255), static_cast<unsigned char>(c.g * opacity / 255),
          static_cast<unsigned char>(c.b * opacity / 255), 255};
}

const Colour kBlack = {0, 0, 0, 255};

TEST(EndroleFormulas, PageOpacityFadesInHoldsAndFadesOut) {
  EXPECT_EQ(0, Endrole::StaffPageOpacity(300));
  EXPECT_EQ(4, Endrole::StaffPageOpacity(299));
  EXPECT_EQ(127, Endrole::StaffPageOpacity(270));
  EXPECT_EQ(255, Endrole::StaffPageOpacity(240));
  for (int t = 239; t >= 60; --t) ASSERT_EQ(255, Endrole::StaffPageOpacity(t)) << t;
  EXPECT_EQ(250, Endrole::StaffPageOpacity(59));
  EXPECT_EQ(4, Endrole::StaffPageOpacity(1));
}

TEST(EndroleFormulas, KillPercentIsWholeAndSafeForOddCounts) {
  EXPECT_EQ(90, Endrole::KillPercent(300, 270));
  EXPECT_EQ(89, Endrole::KillPercent(300, 269));
  EXPECT_EQ(100, Endrole::KillPercent(50, 50));
  EXPECT_EQ(0, Endrole::KillPercent(0, 0));
  EXPECT_EQ(0, Endrole::KillPercent(0, 12));
  EXPECT_EQ(0, Endrole::KillPercent(10, -5));
  EXPECT_EQ(999, Endrole::KillPercent(1, 2000000000));  // no overflow; three digits at most
}

TEST_F(EndroleTest, StaffPagesFadeByTimeAndAdvanceEveryThreeHundredFrames) {
  ASSERT_EQ(0, ending.Init(800, 600, 10, 5));
  EXPECT_EQ(0, ending.getPage());
  EXPECT_EQ(300, ending.getPageTimer());
  Shot first([&] { EXPECT_EQ(3, ending.Action(3)); });  // timer 300: opacity 0
  EXPECT_TRUE(Near(first.at(100, 75), kBlack)) << first.at(100, 75);
  for (int i = 0; i < 29; ++i) ending.Action(3);
  Shot fading([&] { ending.Action(3); });  // timer 270: opacity 127
  EXPECT_TRUE(Near(fading.at(100, 75), Dimmed(scenetest::StaffColour(1), 127))) << fading.at(100, 75);
  EXPECT_TRUE(Near(fading.at(400, 300), kBlack));
  for (int i = 0; i < 100; ++i) ending.Action(3);
  Shot full([&] { ending.Action(3); });  // timer 169
  EXPECT_TRUE(Near(full.at(100, 75), scenetest::StaffColour(1))) << full.at(100, 75);
  for (int i = 0; i < 167; ++i) ending.Action(3);
  EXPECT_EQ(0, ending.getPage());
  EXPECT_EQ(1, ending.getPageTimer());
  EXPECT_EQ(3, ending.Action(3));
  EXPECT_EQ(1, ending.getPage());
  EXPECT_EQ(300, ending.getPageTimer());
}

TEST_F(EndroleTest, ClicksSkipPagesAndTheLastClickReturnsToTheTitle) {
  ASSERT_EQ(0, ending.Init(800, 600, 300, 270));
  EXPECT_EQ(3, ClickFrame(1));
  EXPECT_EQ(1, ending.getPage());
  EXPECT_EQ(299, ending.getPageTimer());  // the new page's timer counted this frame
  EXPECT_EQ(3, ClickFrame(13));
  EXPECT_EQ(14, ending.getPage());
  EXPECT_EQ(3, ending.Action(3));  // the statistics page waits
  EXPECT_EQ(1, ClickFrame(1));
  EXPECT_EQ(15, ending.getPage());

  // Fourteen clicks reach the statistics page at once; one more returns in the same frame.
  ASSERT_EQ(0, ending.Init(800, 600, 300, 270));
  EXPECT_EQ(3, ClickFrame(14));
  EXPECT_EQ(14, ending.getPage());
  EXPECT_EQ(1, ClickFrame(1));
  // Other buttons, keys and motion do not skip.
  ASSERT_EQ(0, ending.Init(800, 600, 300, 270));
  testsupport::PushClick(3, 400, 300);
  testsupport::PushKeyTap(SDLK_f);
  testsupport::PushMouseMotion(5, 5);
  EXPECT_EQ(3, ending.Action(3));
  EXPECT_EQ(0, ending.getPage());
}

TEST_F(EndroleTest, EscapeReturnsToTheTitleFromAnyPageAndCloseQuits) {
  for (int clicks : {0, 5, 14}) {
    ASSERT_EQ(0, ending.Init(800, 600, 300, 270));
    if (clicks > 0) ClickFrame(clicks);
    testsupport::PushKey(SDLK_ESCAPE, true);
    EXPECT_EQ(1, ending.Action(3)) << clicks;
  }
  ASSERT_EQ(0, ending.Init(800, 600, 300, 270));
  testsupport::PushQuit();
  EXPECT_EQ(99, ending.Action(3));
}

// The digit shown in the statistics slot `slot` (0 hundreds, 1 tens, 2 ones), or -1.
int DigitAt(const Shot& shot, int slot) {
  const Colour got = shot.at(500 + 20 * slot, 315);
  for (int d = 0; d <= 9; ++d) {
    if (Near(got, scenetest::DigitColour(d))) return d;
  }
  return -1;
}

TEST_F(EndroleTest, StatisticsShowThreeDigitsAndThePromptFromNinetyPercent) {
  struct Case {
    int enemies, kills;
    int digits[3];
    bool prompt;
  };
  const Case cases[] = {
      {300, 270, {0, 9, 0}, true},
      {300, 269, {0, 8, 9}, false},
      {50, 50, {1, 0, 0}, true},
      {40, 18, {0, 4, 5}, false},
      {0, 0, {0, 0, 0}, false},  // no enemies placed: 000 and no division
  };
  for (const Case& c : cases) {
    ASSERT_EQ(0, ending.Init(800, 600, c.enemies, c.kills));
    Shot shot([&] { EXPECT_EQ(3, ClickFrame(14)); });
    for (int slot = 0; slot < 3; ++slot) {
      EXPECT_EQ(c.digits[slot], DigitAt(shot, slot)) << c.kills << " of " << c.enemies << " slot " << slot;
    }
    EXPECT_EQ(c.prompt, Near(shot.at(300, 395), scenetest::kPromptColour)) << c.kills << " of " << c.enemies;
    EXPECT_TRUE(Near(shot.at(250, 305), {90, 90, 90, 255})) << "label";
    EXPECT_TRUE(Near(shot.at(565, 315), {60, 60, 60, 255})) << "percent sign";
    EXPECT_TRUE(Near(shot.at(700, 100), kBlack));
  }
}

TEST_F(EndroleTest, MissingStaffPageIsToleratedOtherPicturesAreFatal) {
  std::filesystem::rename("img/staff/3.png", "img/staff/3.hidden");
  int result = -1;
  std::string printed = Printed([&] { result = ending.Init(800, 600, 10, 10); });
  std::filesystem::rename("img/staff/3.hidden", "img/staff/3.png");
  EXPECT_EQ(0, result);
  EXPECT_NE(std::string::npos, printed.find("Endrole:Number surface Load error img/staff/3.png\n")) << printed;
  ClickFrame(2);
  Shot blank([&] { ending.Action(3); });
  EXPECT_TRUE(Near(blank.at(100, 75), kBlack)) << blank.at(100, 75);

  for (const char* file : {"img/fonts/genocide/7.png", "img/fonts/genocide/percent.png", "img/fonts/push-F.png"}) {
    const std::string hidden = std::string(file) + ".hidden";
    std::filesystem::rename(file, hidden);
    printed = Printed([&] { result = ending.Init(800, 600, 10, 10); });
    std::filesystem::rename(hidden, file);
    EXPECT_EQ(-1, result) << file;
    EXPECT_NE(std::string::npos, printed.find(std::string("Endrole:Number surface Load error ") + file + "\n"))
        << printed;
    ending.Finalize();
  }
  std::filesystem::rename("sounds/quiet_snow_field.mp3", "sounds/quiet.hidden");
  printed = Printed([&] { result = ending.Init(800, 600, 10, 10); });
  std::filesystem::rename("sounds/quiet.hidden", "sounds/quiet_snow_field.mp3");
  EXPECT_EQ(-1, result);
  EXPECT_NE(std::string::npos, printed.find("Gamemain:BGM Load Error:2\n")) << printed;
}

}  // namespace
