// Tests of the progress the scene loop carries between scenes.
#include <gtest/gtest.h>

#include "app/progress.h"

TEST(Progress, ContinueIsOfferedAboveFloorOne) {
  SaveData save;
  save.floor = 7;
  save.enemyCount = 40;
  save.killCount = 30;
  Progress p = Progress::FromSave(save);
  EXPECT_TRUE(p.canContinue);
  EXPECT_FALSE(p.useSpecialMode);
  save.floor = 1;
  EXPECT_FALSE(Progress::FromSave(save).canContinue);
}

TEST(Progress, NewGameResetsEvenWhenTheSaveHoldsALaterFloor) {
  SaveData save;
  save.floor = 18;
  save.enemyCount = 300;
  save.killCount = 200;
  Progress p = Progress::FromSave(save);
  p.StartGame(false, true);
  EXPECT_EQ(1, p.floor);
  EXPECT_EQ(0, p.enemyCount);
  EXPECT_EQ(0, p.killCount);
  EXPECT_TRUE(p.useSpecialMode);
  Progress q = Progress::FromSave(save);
  q.StartGame(true, false);
  EXPECT_EQ(18, q.floor);
  EXPECT_EQ(300, q.enemyCount);
}

TEST(Progress, LeavingOnABossFloorContinuesOneFloorUp) {
  Progress p;
  for (const auto& [game, saved] : {std::pair{7, 7}, {10, 9}, {20, 19}, {30, 29}, {1, 1}, {11, 11}}) {
    p.FollowGame(game);
    EXPECT_EQ(saved, p.floor) << "left on floor " << game;
    EXPECT_EQ(saved > 1, p.canContinue);
  }
  EXPECT_EQ(7, (p.FollowGame(7), p.ToSave().floor));
}

TEST(Progress, EndingEarnsTheSpecialModeOnceAndResets) {
  Progress p;
  p.FollowGame(30);
  p.SetKillData(50, 45);
  p.EnterEnding();
  EXPECT_TRUE(p.specialUnlocked);
  EXPECT_FALSE(p.canContinue);
  p.ResetAfterEnding();
  const SaveData save = p.ToSave();
  EXPECT_EQ(1, save.floor);
  EXPECT_EQ(0, save.enemyCount);
  EXPECT_EQ(0, save.killCount);
  EXPECT_TRUE(save.specialUnlocked);
  // Once earned it stays, whatever the next game's share.
  p.SetKillData(50, 1);
  p.EnterEnding();
  EXPECT_TRUE(p.specialUnlocked);
  Progress q;
  q.SetKillData(50, 44);
  q.EnterEnding();
  EXPECT_FALSE(q.specialUnlocked);
  q.SetKillData(0, 0);
  q.EnterEnding();
  EXPECT_FALSE(q.specialUnlocked);
}
