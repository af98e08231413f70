// The player's progress that the scene loop carries between the scenes and the save file.
#pragma once

#include "app/savedata.h"

struct Progress {
  int floor = 1;               // floor at which a continued game starts
  int enemyCount = 0;          // enemies placed on all floors so far
  int killCount = 0;           // enemies killed so far
  bool specialUnlocked = false;
  bool canContinue = false;    // the title offers to continue (floor > 1)
  bool useSpecialMode = false; // the game now starting runs in special mode

  // The progress read from a save record.
  static Progress FromSave(const SaveData& save);
  // The save record of this progress.
  SaveData ToSave() const;

  // The title asked for a game: a new game starts from floor 1 with no counts.
  void StartGame(bool useContinue, bool useSpMode);
  // After a game frame: the floor to continue from follows the game, one floor up from a boss
  // floor (10, 20, 30), so that a game left there continues before the boss.
  void FollowGame(int gameFloor);
  // The enemy and kill counts fetched from the game when it ends.
  void SetKillData(int enemies, int kills);
  // The last boss was beaten: continuing ends, the special mode may be earned.
  void EnterEnding();
  // After the ending roll has been opened: the next game starts from nothing.
  void ResetAfterEnding();
};
