// Shared set-up of the enemy tests: hand-made floors, the recorded sound commands, and bullets
// that come alive without an OpenGL context.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bullet/bullet.h"
#include "dungeon/dungeonfloor.h"
#include "enemy/enemy.h"

namespace enemytest {

// Every sound command the enemies sent, in order (the test binaries link a recording
// mciSendStringA instead of the mixer). `failOpen` makes the open command naming it fail.
extern std::vector<std::string> commands;
extern std::string failOpen;

// The cells of an open rows x cols room (walls only around it).
std::vector<int> Room(int rows, int cols);

// World centre of cell (row, column) at height y.
void CellCentre(int row, int column, float y, float* out);

// A floor, an enemy manager on it (no models, no sounds opened) and a player. Enemy bullets come
// alive without models, as if the game's prototype bullet kept them loaded; they are never drawn.
class EnemyTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Replaces the floor with an open room and marks every cell visible from (row, column).
  void UseRoom(int rows, int cols, int row = 0, int column = 0);
  // Uses the fixed boss map of floor 10, 20 or 30, seen from its cell (3, 3).
  void UseBossFloor(int number);
  // The n-th record of the list.
  EnemyData* At(int n);
  // ImpacttoPlayer with the player's cylinder centred at (x, y, z).
  int Touch(float x, float y, float z, QUORL_COMMON::_Item* item = nullptr, float* push = nullptr);
  // One frame as the game runs it: contact (player centre = eye - 0.6 in y), then Action.
  int Frame(float* eye, QUORL_COMMON::_Item* item = nullptr, float* push = nullptr);
  // A player's shot from `from` towards `to` (ray, damage), resolved by ImpactfromPlayer.
  // Returns the bullet's hit state (0 nothing, 1 wall, 2 body).
  int Shoot(const float* from, const float* to, int damage = 1);

  DungeonFloor floor;
  Enemy enemy;
};

}  // namespace enemytest
