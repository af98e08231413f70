// Tests of the --timedemo figures and CSV file.
#include <gtest/gtest.h>

#include "common/scenecode.h"
#include "harness/frametimes.h"
#include "support/testfiles.h"

TEST(FrameTimes, FiguresAreNearestRankPercentilesOverTheFrames) {
  struct Case {
    std::vector<double> times;
    FrameTimeFigures expected;
  };
  std::vector<double> hundred;
  for (int i = 100; i >= 1; --i) hundred.push_back(i);  // order of arrival does not matter
  const Case cases[] = {
      {{}, {0, 0, 0, 0, 0, 0, 0}},
      {{20}, {1, 0.02, 50, 20, 20, 20, 20}},
      {{10, 30}, {2, 0.04, 50, 10, 30, 30, 30}},
      {hundred, {100, 5.05, 100 / 5.05, 50, 90, 99, 100}},
  };
  for (const Case& c : cases) {
    FrameTimes t;
    for (double ms : c.times) t.Add(ms);
    const FrameTimeFigures f = t.Figures();
    EXPECT_EQ(c.expected.frames, f.frames);
    EXPECT_NEAR(c.expected.seconds, f.seconds, 1e-9);
    EXPECT_NEAR(c.expected.fps, f.fps, 1e-9);
    EXPECT_EQ(c.expected.medianMs, f.medianMs);
    EXPECT_EQ(c.expected.p90Ms, f.p90Ms);
    EXPECT_EQ(c.expected.p99Ms, f.p99Ms);
    EXPECT_EQ(c.expected.worstMs, f.worstMs);
  }
}

TEST(FrameTimes, LineAndCsvNameEachFrame) {
  FrameTimes t;
  t.Add({16.5, Scene::TITLE, 0, {}, {}});
  t.Add({3.25, Scene::GAME, 4, {1, 0.5, 0.25, 1.25, 0.125, 0.125}, "floor+textures"});
  EXPECT_EQ("timedemo d.txt: 2 frames, 0.02 s, 101.3 fps, median 3.25 ms, 90% 16.50 ms, 99% 16.50 ms, worst 16.50 ms, "
            "0 hitches",
            t.Line("d.txt"));
  testsupport::ScratchDir dir;
  ASSERT_EQ(0, t.WriteCsv(dir.file("t.csv")));
  EXPECT_EQ(
      "frame,scene,floor,ms,logic_ms,compose_ms,upload_ms,3d_ms,boards_ms,swap_ms,marks\n"
      "1,title,0,16.500,,,,,,,\n"
      "2,game,4,3.250,1.000,0.500,0.250,1.250,0.125,0.125,floor+textures\n",
      testsupport::ReadFile(dir.file("t.csv")));
  EXPECT_EQ(-1, t.WriteCsv(dir.file("no/such/folder.csv")));
}

// A hitch is a frame over twice the median; the first frame of each scene does not count.
TEST(FrameTimes, HitchesLeaveOutEachScenesFirstFrame) {
  FrameTimes t;
  const struct {
    double ms;
    int scene;
  } frames[] = {{30, Scene::TITLE}, {5, Scene::TITLE}, {5, Scene::TITLE}, {5, Scene::TITLE},
                {40, Scene::GAME},  {5, Scene::GAME},  {10, Scene::GAME}, {11, Scene::GAME},
                {5, Scene::GAME},   {25, Scene::TITLE}, {5, Scene::TITLE}};
  for (const auto& f : frames) t.Add({f.ms, f.scene, 0, {}, {}});
  EXPECT_EQ(1, t.Figures().hitches);  // 11 ms only: 10 is not over twice the median of 5
}
