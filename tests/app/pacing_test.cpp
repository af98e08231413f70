// Tests of the frame pacing arithmetic.
#include <gtest/gtest.h>

#include "app/pacing.h"

TEST(Pacing, SleepsOutTheSeventeenMillisecondFrame) {
  EXPECT_EQ(12, FrameSleep(5, false, false));
  EXPECT_EQ(17, FrameSleep(0, false, false));
  EXPECT_EQ(1, FrameSleep(16, false, false));
  EXPECT_EQ(0, FrameSleep(17, false, false));  // late: yield only, nothing made up
  EXPECT_EQ(0, FrameSleep(30, false, false));
  EXPECT_EQ(0, FrameSleep(0xFFFFFFFFu, false, false));  // tick counter wrapped
}

TEST(Pacing, VsyncAndFastModeNeverSleep) {
  EXPECT_EQ(NO_SLEEP, FrameSleep(5, true, false));
  EXPECT_EQ(NO_SLEEP, FrameSleep(30, true, false));
  EXPECT_EQ(NO_SLEEP, FrameSleep(5, false, true));
}
