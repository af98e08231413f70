// Tests of the progress rule the scene loop tests do not reach: a special mode that stays earned
// (continuing, a new game, the floor kept from a boss floor, the save after a game and the
// ending's reset run through the real loop in sceneloop_test; the 90 % rule in savedata_test).
#include <gtest/gtest.h>

#include "app/progress.h"

TEST(Progress, TheSpecialModeStaysOnceEarned) {
  Progress p;
  p.SetKillData(50, 45);
  p.EnterEnding();
  EXPECT_TRUE(p.specialUnlocked);
  p.SetKillData(50, 1);  // whatever the next game's share
  p.EnterEnding();
  EXPECT_TRUE(p.specialUnlocked);
}
