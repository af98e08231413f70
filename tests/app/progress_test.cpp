// Tests of the progress rules the scene loop tests do not reach: the floor kept from every boss
// floor, and a special mode that stays earned (continuing, a new game, the save after a game and
// the ending's reset run through the real loop in sceneloop_test; the 90 % rule in savedata_test).
#include <gtest/gtest.h>

#include "app/progress.h"

TEST(Progress, LeavingOnABossFloorContinuesOneFloorUp) {
  Progress p;
  for (const auto& [game, saved] : {std::pair{7, 7}, {10, 9}, {20, 19}, {30, 29}, {1, 1}, {11, 11}}) {
    p.FollowGame(game);
    EXPECT_EQ(saved, p.floor) << "left on floor " << game;
    EXPECT_EQ(saved > 1, p.canContinue);
  }
}

TEST(Progress, TheSpecialModeStaysOnceEarned) {
  Progress p;
  p.SetKillData(50, 45);
  p.EnterEnding();
  EXPECT_TRUE(p.specialUnlocked);
  p.SetKillData(50, 1);  // whatever the next game's share
  p.EnterEnding();
  EXPECT_TRUE(p.specialUnlocked);
}
