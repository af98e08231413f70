// What a player can see of the game in progress, copied out once a frame for the autoplayer: the
// player's state, the enemies and the floor's map. Plain data; reading it changes nothing.
#pragma once

#include <vector>

#include "common/actionflags.h"


struct PlayViewEnemy {
  int type = 0;        // an EnemyType
  int state = 0;       // an EnemyState
  int hitPoints = 0;
  float pos[3] = {0, 0, 0};  // world units
  bool hidden = false;       // parked: neither acts nor can be hit
  int item = 0;              // the ItemKind it left lying at its x and z
  float middle[3] = {0, 0, 0};  // the middle of its body as shots are tested against it (world units)
};

struct PlayView {
  bool valid = false;  // a game frame has been played
  int floor = 1;
  int hitPoints = 0;
  int magazine = 0;
  int bulletType = 0;  // 0 normal, 1 special rounds
  int spBullets = 0;
  int actionFlags = 0;  // the game's ActionFlag bits
  int boss = 0;         // the floor's BossState
  bool frozen = false;  // a boss scene holds the input (events are dropped)
  bool doorLock = false;  // the boss room's doors are locked
  float pos[3] = {0, 0, 0};
  float yaw = 0, pitch = 0;  // degrees; yaw 0 faces -z, 90 faces +x
  int rows = 0, cols = 0;    // the map: cell (row, col) is cells[row * cols + col], at world
  std::vector<int> cells;    // x = 4 * row, z = -4 * col (DungeonConst codes)
  int stairRow = -1, stairCol = -1;  // -1: no stairs on this floor
  std::vector<PlayViewEnemy> enemies;
};
