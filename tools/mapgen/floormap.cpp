// FloorMap: one floor's grid map as the mapgen tool makes, prints and checks it.
#include "floormap.h"

#include <algorithm>

#include "common/random.h"
#include "dungeon/dungeonconst.h"

namespace mapgen {

namespace {

// The fixed map of the boss floors: a 5 x 5 room, a closet with the start west of it and, on
// floors 10 and 20, a corridor cell and stairs east of it.
const int kBossRows = 7;
const int kBossCols = 11;
const int kBossStartRow = 3;
const int kBossStartCol = 1;
struct BossCell {
  int row, col, value;
};
const BossCell kBossCells[] = {
    {1, 2, 10}, {1, 3, 8}, {1, 4, 8}, {1, 5, 8}, {1, 6, 9},
    {2, 2, 2},  {2, 3, 0}, {2, 4, 0}, {2, 5, 0}, {2, 6, 1},
    {3, 1, 31}, {3, 2, 34}, {3, 3, 0}, {3, 4, 0}, {3, 5, 0},
    {4, 2, 2},  {4, 3, 0}, {4, 4, 0}, {4, 5, 0}, {4, 6, 1},
    {5, 2, 6},  {5, 3, 4}, {5, 4, 4}, {5, 5, 4}, {5, 6, 5},
};
// (3, 6) and the way out east, which the last boss floor lacks.
const BossCell kBossWayOut[] = {{3, 6, 17}, {3, 7, 46}, {3, 8, 513}};
const BossCell kBossNoWayOut[] = {{3, 6, 1}};

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
  if (!IsBossFloor(floor)) return MakeGeneratedMap(seed, floor, FloorParams(floor));
  FloorMap map;
  map.seed = seed;
  map.floor = floor;
  map.boss = true;
  map.rows = kBossRows;
  map.cols = kBossCols;
  map.cells.assign(kBossRows * kBossCols, DungeonConst::FLOOR_NONE);
  for (const BossCell& c : kBossCells) map.cells[c.row * kBossCols + c.col] = c.value;
  if (floor == 30) {
    for (const BossCell& c : kBossNoWayOut) map.cells[c.row * kBossCols + c.col] = c.value;
  } else {
    for (const BossCell& c : kBossWayOut) map.cells[c.row * kBossCols + c.col] = c.value;
  }
  map.startRow = kBossStartRow;
  map.startCol = kBossStartCol;
  FindStair(&map);
  return map;
}

}  // namespace mapgen
