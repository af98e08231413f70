// FloorMap: one floor's grid map as the mapgen tool makes, prints and checks it.
#pragma once

#include <vector>

#include "dungeon/dungeonmake.h"

namespace mapgen {

// Rows and columns of the largest map a floor can have.
const int kMaxRows = 20;
const int kMaxCols = 20;

struct FloorMap {
  unsigned int seed = 0;  // the fixed seed the map was made from
  int floor = 0;
  bool boss = false;  // the fixed boss map instead of a generated one
  int rows = 0;
  int cols = 0;
  std::vector<int> cells;  // cell (row, col) is cells[row * cols + col]; row = map y, col = map x
  int startRow = 0;
  int startCol = 0;
  int stairRow = -1;  // the stairs cell, -1 when the floor has none
  int stairCol = -1;
  DungeonMake::DMParams params{};  // what the generator was given (ordinary floors)

  // The cell code, or FLOOR_NONE for a cell off the map.
  int At(int row, int col) const;
};

// Floors 10, 20 and 30 have a fixed map with a boss.
bool IsBossFloor(int floor);

// The parameters the game gives the generator for an ordinary floor.
DungeonMake::DMParams FloorParams(int floor);

// Makes the map of `floor` with the game's own DungeonFloor::SetMap (the boss map on floors 10,
// 20 and 30), every seeding made reproducible from `seed`: the same seed and floor give the
// same map. Leaves the seeding fixed.
FloorMap MakeFloorMap(unsigned int seed, int floor);

// Makes an ordinary map from explicit parameters, seeded from `seed`.
FloorMap MakeGeneratedMap(unsigned int seed, int floor, const DungeonMake::DMParams& params);

}  // namespace mapgen
