// Tests of the ending roll: page opacity, skipping, Escape, the statistics page and missing pictures.
#include "scenes/endrole.h"

#include "scenes/scenecontent.h"

namespace {

using EndroleTest = scenetest::SceneTest;

// Clicks `count` times within one frame and runs it.
int ClickFrame(Endrole* ending, int count) {
  for (int i = 0; i < count; ++i) testsupport::PushClick(1, 400, 300);
  return ending->Action(3);
}

TEST(EndroleOpacity, PagesFadeInHoldAndFadeOut) {
  const int cases[][2] = {{300, 0}, {299, 4}, {270, 127}, {240, 255}, {239, 255}, {60, 255}, {59, 250}, {1, 4}};
  for (const auto& c : cases) EXPECT_EQ(c[1], Endrole::StaffPageOpacity(c[0])) << "timer " << c[0];
}

TEST_F(EndroleTest, ClicksSkipToTheStatisticsAndBackAndEscapeReturnsFromAnyPage) {
  // Fourteen clicks reach the statistics page, which waits; one more returns in the same frame.
  Endrole ending;
  ASSERT_EQ(0, ending.Init(800, 600, 300, 270));
  EXPECT_EQ(3, ClickFrame(&ending, 14));
  EXPECT_EQ(3, ending.Action(3));
  EXPECT_EQ(1, ClickFrame(&ending, 1));
  for (int clicks : {0, 5, 14}) {
    ASSERT_EQ(0, ending.Init(800, 600, 300, 270));
    ClickFrame(&ending, clicks);
    testsupport::PushKey(SDLK_ESCAPE, true);
    EXPECT_EQ(1, ending.Action(3)) << "after " << clicks << " clicks";
  }
  // The pad alone: A turns the pages as clicks do, B leaves as Escape does; Return is no page turn.
  ASSERT_EQ(0, ending.Init(800, 600, 300, 270));
  for (int tap = 0; tap < 14; ++tap) testsupport::PushPadButtonTap(0);
  testsupport::PushKeyTap(SDLK_RETURN);
  EXPECT_EQ(3, ending.Action(3));
  testsupport::PushPadButtonTap(0);
  EXPECT_EQ(1, ending.Action(3));
  ASSERT_EQ(0, ending.Init(800, 600, 300, 270));
  testsupport::PushPadButtonTap(1);
  EXPECT_EQ(1, ending.Action(3));
}

TEST_F(EndroleTest, StatisticsShowThreeDigitsAndThePromptFromNinetyPercent) {
  struct Case { int enemies, kills; const char* digits; bool prompt; };
  const Case cases[] = {
      {300, 270, "090", true}, {300, 269, "089", false},
      {0, 0, "000", false}, {0, 12, "000", false},  // no enemies placed: no division
      // Counts from a damaged save file: no overflow, no digit outside 0 to 9.
      {10, -5, "000", false}, {1, 2000000000, "999", true},
  };
  for (const Case& c : cases) {
    Endrole ending;
    ASSERT_EQ(0, ending.Init(800, 600, c.enemies, c.kills));
    const scenetest::Image shot = scenetest::Shot([&] { EXPECT_EQ(3, ClickFrame(&ending, 14)); });
    ASSERT_TRUE(shot.IsWindow());
    for (int slot = 0; slot < 3; ++slot) {
      EXPECT_TRUE(scenetest::Close(shot.at(500 + 20 * slot, 315), scenetest::DigitColour(c.digits[slot] - '0').data()))
          << c.kills << " of " << c.enemies << ", digit " << slot;
    }
    EXPECT_EQ(c.prompt, scenetest::Close(shot.at(300, 395), scenetest::kPromptColour.data()))
        << c.kills << " of " << c.enemies;
  }
}

TEST_F(EndroleTest, MissingStaffPageIsToleratedAndMissingDigitIsFatal) {
  Endrole ending;
  int result = -1;
  std::string printed = PrintedWithout("img/staff/3.png", [&] { result = ending.Init(800, 600, 10, 10); });
  EXPECT_EQ(0, result);
  EXPECT_NE(std::string::npos, printed.find("Endrole:Number surface Load error img/staff/3.png\n")) << printed;
  EXPECT_EQ(3, ClickFrame(&ending, 2));  // shows the missing page as black
  printed = PrintedWithout("img/fonts/genocide/7.png", [&] { result = ending.Init(800, 600, 10, 10); });
  EXPECT_EQ(-1, result);
  EXPECT_NE(std::string::npos, printed.find("Endrole:Number surface Load error img/fonts/genocide/7.png\n"))
      << printed;
}

}  // namespace
