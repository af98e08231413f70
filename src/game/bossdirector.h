// The boss floors' scenes (10, 20 and 30): the introduction behind locked doors with the boss's
// lines and captions, the fight music, the boss going down (the music's volume, the last boss's
// white flash), the defeat lines, then the doors opening or the fade into the ending roll.
#pragma once

#include "game/playercomfort.h"
#include "game/playerstate.h"

class Enemy;
class PlayerMotion;
class StatusBoard;

class BossDirector {
 public:
  // The director holds the player still, uses the shared action timer for the last boss's flash
  // and fade, and shows its captions and flashes on the board.
  BossDirector(PlayerState& player, PlayerMotion& motion, StatusBoard& board, const PlayerComfort& comfort)
      : player_(player), motion_(motion), board_(board), comfort_(comfort) {}

  // A new game: nothing locked, held or frozen.
  void Reset();
  // A new floor with its boss alive (`bossAlive`): the floor's music stops and waits for the
  // boss's first line.
  void NewFloor(bool bossAlive);
  // The player stepped through the boss room's door: the doors lock, the player and the world
  // hold still, and the boss speaks after BOSS_INTRO_WAIT frames of silence.
  void EnterBossRoom();
  // One frame of the floor's boss scene (nothing on other floors); may set `*result` to the
  // ending's scene code. Returns 0, or -1 when a line, caption or track fails to load.
  int Step(int floor, Enemy* enemy, int* result);
  // Line `line` of the floor's boss: its caption on the board, its voice as the music track.
  int ShowBossLine(int floor, int line);
  // The boss going down (state 2 or 3): the music's volume, and on floor 30 the white flash by
  // the action timer.
  void BossGoingDown(int floor, int bossState);

  int doorLock = 0;        // the boss room's doors are locked
  int musicHold = 0;       // the music is not to be started again (a line or silence is due)
  int inputFrozen = 0;     // the player's input is dropped
  int worldFrozen = 0;     // enemies and shots hold still (also the pause)
  int bossIntroWait = 0;   // frames of silence left before the first line
  int bossVoiceStage = 0;  // the last line said

 private:
  int preparedLine = 0;     // the line whose caption is read ahead (0: none)
  bool floorBegun = false;  // the boss floor was made this frame

  // Reads ahead the caption (and the voice file) of the line the scene says next.
  void PrepareNextLine(int floor);
  int BossIntroduction(int floor);
  int BossBeaten(int floor, int* result);

  PlayerState& player_;
  PlayerMotion& motion_;
  StatusBoard& board_;
  const PlayerComfort& comfort_;
};
