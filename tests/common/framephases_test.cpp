// Tests of the per-phase frame profile: nothing is kept while it is off, and its table names every
// phase once with shares that add up to the whole.
#include "common/framephases.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

using QUORL_COMMON::FramePhases;

TEST(FramePhases, OffKeepsNothingOnKeepsEveryFrameInOneLinePerPhase) {
  FramePhases::Reset();
  FramePhases::Enable(false);
  FramePhases::StartFrame();
  FramePhases::Mark(QUORL_COMMON::PHASE_LOGIC);
  FramePhases::EndFrame();
  EXPECT_EQ("", FramePhases::Table("d.txt"));

  FramePhases::Enable(true);
  for (int frame = 0; frame < 3; ++frame) {
    FramePhases::StartFrame();
    FramePhases::Mark(QUORL_COMMON::PHASE_LOGIC);
    FramePhases::Mark(QUORL_COMMON::PHASE_3D);
    FramePhases::Mark(QUORL_COMMON::PHASE_COUNT);  // not a phase: ignored
    FramePhases::EndFrame();
  }
  FramePhases::Enable(false);
  std::istringstream table(FramePhases::Table("d.txt"));
  std::string line;
  ASSERT_TRUE(std::getline(table, line));
  EXPECT_EQ("phases d.txt: 3 frames", line);
  double shares = 0;
  for (int p = 0; p < QUORL_COMMON::PHASE_COUNT; ++p) {
    ASSERT_TRUE(std::getline(table, line)) << p;
    const std::string name = FramePhases::Name(static_cast<QUORL_COMMON::FramePhase>(p));
    EXPECT_EQ("  " + name, line.substr(0, name.size() + 2));
    shares += std::stod(line.substr(line.rfind(',') + 1));
  }
  EXPECT_FALSE(std::getline(table, line));
  // Each share is printed to a tenth of a percent.
  EXPECT_NEAR(100.0, shares, 0.35);
  FramePhases::Reset();
  EXPECT_EQ("", FramePhases::Table("d.txt"));
}

}  // namespace
