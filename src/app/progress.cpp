// Progress transitions of the scene loop.
#include "app/progress.h"

Progress Progress::FromSave(const SaveData& save) {
  Progress p;
  p.floor = save.floor;
  p.enemyCount = save.enemyCount;
  p.killCount = save.killCount;
  p.specialUnlocked = save.specialUnlocked;
  p.canContinue = p.floor > 1;
  p.useSpecialMode = false;
  return p;
}

SaveData Progress::ToSave() const {
  SaveData save;
  save.floor = floor;
  save.enemyCount = enemyCount;
  save.killCount = killCount;
  save.specialUnlocked = specialUnlocked;
  return save;
}

void Progress::StartGame(bool useContinue, bool useSpMode) {
  if (!useContinue) {
    floor = 1;
    enemyCount = 0;
    killCount = 0;
  }
  useSpecialMode = useSpMode;
}

void Progress::FollowGame(int gameFloor) {
  floor = gameFloor;
  if (floor == 10 || floor == 20 || floor == 30) --floor;
  canContinue = floor > 1;
}

void Progress::SetKillData(int enemies, int kills) {
  enemyCount = enemies;
  killCount = kills;
}

void Progress::EnterEnding() {
  canContinue = false;
  if (!specialUnlocked) specialUnlocked = EarnsSpecialMode(enemyCount, killCount);
}

void Progress::ResetAfterEnding() {
  floor = 1;
  enemyCount = 0;
  killCount = 0;
}
