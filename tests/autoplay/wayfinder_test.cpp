// Tests of the autoplayer's way-finding on generated maps (no window).
#include <gtest/gtest.h>

#include <vector>

#include "autoplay/wayfinder.h"
#include "common/random.h"
#include "dungeon/dungeonconst.h"
#include "dungeon/dungeonmake.h"

using namespace DungeonConst;

namespace {

// The wall and door bits of each side, by the step that crosses it (rows, columns).
struct Side { int dr, dc, wall, door; };
const Side kSides[4] = {{0, 1, WALL_RIGHT, DOOR_RIGHT}, {0, -1, WALL_LEFT, DOOR_LEFT}, {1, 0, WALL_DOWN, DOOR_DOWN},
                        {-1, 0, WALL_UP, DOOR_UP}};
int SideOf(int dr, int dc) {
  for (int s = 0; s < 4; ++s) if (kSides[s].dr == dr && kSides[s].dc == dc) return s;
  return -1;
}

}  // namespace

TEST(WayFinder, ReachesTheStairsOfThousandsOfGeneratedMapsThroughDoorsOnly) {
  int doors = 0;
  for (unsigned seed = 1; seed <= 3000; ++seed) {
    const int size = 20 + static_cast<int>(seed % 6);  // the sizes of floors 1 to 29
    QUORL_COMMON::SetFixedSeed(seed);
    DungeonMake::DMParams p{size, size, 2, 0, 0, 3, 3};
    std::vector<int> cells(static_cast<size_t>(size) * size);
    DungeonMake::MakeNewDungeon(cells.data(), &p);
    int stairRow = -1, stairCol = -1;
    for (int i = 0; i < size * size; ++i) {
      if (cells[i] & FLOOR_STEP) stairRow = i / size, stairCol = i % size;
    }
    ASSERT_GE(stairRow, 0) << "seed " << seed;
    const WayFinder::Grid grid{&cells, size, size};
    const std::vector<int> way = WayFinder::FindWay(grid, p.startY, p.startX, stairRow, stairCol);
    ASSERT_FALSE(way.empty()) << "seed " << seed << ": no way to the stairs";
    // Walk it: every side crossed is open or a door on both cells, crossed straight through.
    int r = p.startY, c = p.startX;
    for (int d : way) {
      const int dr = WayFinder::kDirections[d].dr, dc = WayFinder::kDirections[d].dc;
      const Side& out = kSides[SideOf(dr, dc)];
      const Side& in = kSides[SideOf(-dr, -dc)];
      const int a = cells[r * size + c];
      r += dr, c += dc;
      ASSERT_TRUE(r >= 0 && c >= 0 && r < size && c < size) << "seed " << seed;
      const int b = cells[r * size + c];
      ASSERT_FALSE(b & FLOOR_NONE) << "seed " << seed << ": into rock";
      ASSERT_FALSE(a & FLOOR_STEP) << "seed " << seed << ": through the stairs";
      if (a & out.wall) {
        ASSERT_TRUE(a & out.door) << "seed " << seed << ": through a wall";
        ++doors;
      }
      if (b & FLOOR_STEP) {
        EXPECT_EQ(out.wall, b & WALL_ALL) << "seed " << seed << ": stairs entered from the side";
      } else if (b & in.wall) {
        ASSERT_TRUE(b & in.door) << "seed " << seed << ": through a wall";
      }
    }
    EXPECT_EQ(stairRow, r);
    EXPECT_EQ(stairCol, c);
  }
  EXPECT_GT(doors, 3000) << "the maps hold doors on the way";
  QUORL_COMMON::ResetSeeding();
}

TEST(WayFinder, NoWayOutOfAWalledCellOrIntoRock) {
  // Row 0: an open cell, a cell walled on its left without a door, rock. Row 1: rock.
  const std::vector<int> cells = {0, WALL_LEFT, FLOOR_NONE, FLOOR_NONE, FLOOR_NONE, FLOOR_NONE};
  const WayFinder::Grid grid{&cells, 2, 3};
  EXPECT_TRUE(WayFinder::FindWay(grid, 0, 0, 0, 1).empty());
  EXPECT_TRUE(WayFinder::FindWay(grid, 0, 0, 0, 2).empty());
  EXPECT_TRUE(WayFinder::FindWay(grid, 0, 0, 0, 0).empty());
  EXPECT_TRUE(WayFinder::FindWay(grid, 0, 0, 5, 5).empty());
  const std::vector<int> door = {0, WALL_LEFT | DOOR_LEFT, FLOOR_NONE, FLOOR_NONE, FLOOR_NONE, FLOOR_NONE};
  const WayFinder::Grid open{&door, 2, 3};
  EXPECT_EQ(std::vector<int>{0}, WayFinder::FindWay(open, 0, 0, 0, 1));
}
