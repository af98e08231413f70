// FloorMap: one floor's grid map as the mapgen tool makes, prints and checks it.
#include "floormap.h"

#include <algorithm>

#include "common/random.h"
#include "dungeon/dungeonconst.h"
#include "dungeon/dungeonfloor.h"

namespace mapgen {

namespace {

void FindStair(FloorMap* map) {
  for (int row = 0; row < map->rows; ++row) {
    for (int col = 0; col < map->cols; ++col) {
      if (map->At(row, col) & DungeonConst::FLOOR_STEP) {
        map->stairRow = row;
        map->stairCol = col;
        return;
      }
    }
  }
}

}  // namespace

int FloorMap::At(int row, int col) const {
  if (row < 0 || col < 0 || row >= rows || col >= cols) return DungeonConst::FLOOR_NONE;
  return cells[row * cols + col];
}

bool IsBossFloor(int floor) { return floor == 10 || floor == 20 || floor == 30; }

DungeonMake::DMParams FloorParams(int floor) {
  DungeonMake::DMParams params{};
  params.height = std::min(floor / 5 + 20, kMaxRows);
  params.width = std::min(floor / 5 + 20, kMaxCols);
  params.floorTier = floor / 10 + 2;
  params.segmentsX = 3;
  params.segmentsY = 3;
  return params;
}

FloorMap MakeGeneratedMap(unsigned int seed, int floor, const DungeonMake::DMParams& params) {
  FloorMap map;
  map.seed = seed;
  map.floor = floor;
  map.params = params;
  map.rows = std::max(params.height, 0);
  map.cols = std::max(params.width, 0);
  map.cells.assign(static_cast<size_t>(map.rows) * map.cols, DungeonConst::FLOOR_NONE);
  QUORL_COMMON::SetFixedSeed(seed);
  DungeonMake::MakeNewDungeon(map.cells.data(), &map.params);
  map.startRow = map.params.startY;
  map.startCol = map.params.startX;
  FindStair(&map);
  return map;
}

FloorMap MakeFloorMap(unsigned int seed, int floor) {
  // The game's own floor set-up, whose map half needs no OpenGL.
  DungeonFloor dungeon;
  float startPos[3];
  QUORL_COMMON::SetFixedSeed(seed);
  dungeon.SetMap(startPos, floor);

  FloorMap map;
  map.seed = seed;
  map.floor = floor;
  map.boss = IsBossFloor(floor);
  if (!map.boss) map.params = FloorParams(floor);
  dungeon.MapSize(&map.rows, &map.cols);
  map.cells.resize(static_cast<size_t>(map.rows) * map.cols);
  for (int row = 0; row < map.rows; ++row) {
    for (int col = 0; col < map.cols; ++col)
      map.cells[row * map.cols + col] = dungeon.getCell(row, col);
  }
  dungeon.getStartCell(&map.startRow, &map.startCol);
  FindStair(&map);
  // What the generator answered, for the checks that compare with a second run.
  map.params.startX = map.startCol;
  map.params.startY = map.startRow;
  return map;
}

}  // namespace mapgen
