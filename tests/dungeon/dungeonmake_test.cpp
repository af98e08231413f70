// Tests of the map generator: maps of fixed seeds as golden data, the rules of finished maps over
// many seeds (checked by the mapgen tool's checker), refused parameters, stairs without room
// and the farthest segment.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/random.h"
#include "dungeon/dungeonconst.h"
#include "dungeon/dungeonmake.h"
#include "floormap.h"
#include "mapcheck.h"
#include "maptext.h"
#include "support/testfiles.h"

using namespace DungeonMake;
using namespace DungeonConst;

namespace {

DMParams Params(int width, int height, int sx, int sy) { return {width, height, 2, 0, 0, sx, sy}; }

// Every problem the checker finds; with `again`, also a map another floorTier makes differently.
std::string Problems(const mapgen::FloorMap& map, bool again = false) {
  std::vector<std::string> problems;
  mapgen::CheckGeneratedMap(map, &problems);
  if (again) mapgen::CheckRepeatable(map, &problems);
  return problems.empty() ? "" : problems[0] + " (and " + std::to_string(problems.size()) + ")";
}

struct Generator : ::testing::Test {
  void TearDown() override { QUORL_COMMON::ResetSeeding(); }
};

}  // namespace

// The rules below hold for many orders of random draws; these maps pin the one order of the game
// (room on an odd draw, sx before sy, the digger's turn threshold and its doubling, Shrink's
// sides, Somewhere's column-first scan), each in mapgen's plain format: cells, start and stairs.
// The 20 x 20 maps are the game's floors; the 30 x 30 ones have 6 x 6 segments, where the walk
// can go straight three times.
TEST_F(Generator, FixedSeedsGiveTheGoldenMaps) {
  const std::string golden = testsupport::ReadFile(QUORL_GOLDEN_MAPS);
  int maps = 0;
  for (size_t at = 0; at < golden.size(); ++maps) {
    const size_t next = std::min(golden.size(), golden.find("map ", at + 1));
    const std::string expected = golden.substr(at, next - at);
    unsigned seed = 0;
    int floor = 0, rows = 0;
    ASSERT_EQ(3, sscanf(expected.c_str(), "map %u %d %d", &seed, &floor, &rows)) << expected;
    const mapgen::FloorMap map = rows == 30
                                     ? mapgen::MakeGeneratedMap(seed, floor, Params(30, 30, 6, 6))
                                     : mapgen::MakeFloorMap(seed, floor);
    EXPECT_EQ(expected, mapgen::PlainText(map));
    at = next;
  }
  EXPECT_EQ(5, maps);
}

// Walls and doors agree across every shared side, every floor cell and the stair are reachable
// from the start, the start lies in a segment farthest from the stair's, floorTier changes
// nothing: the game's 20 x 20 maps and other sizes.
TEST_F(Generator, MapsKeepEveryRuleOverThousandsOfSeeds) {
  for (unsigned seed = 1; seed <= 4000; ++seed) {
    const mapgen::FloorMap map = mapgen::MakeFloorMap(seed * 7919u, 1 + seed % 29);
    if (map.boss) continue;
    ASSERT_EQ("", Problems(map, seed % 10 == 0)) << "seed " << map.seed;
  }
  // The smallest grids and segments, cells left over, 3 x 3 cells a segment (one-cell corridors).
  for (const DMParams& p :
       {Params(12, 9, 2, 1), Params(9, 12, 1, 2), Params(26, 23, 4, 3), Params(15, 15, 3, 3)}) {
    for (unsigned seed = 1; seed <= 300; ++seed) {
      ASSERT_EQ("", Problems(mapgen::MakeGeneratedMap(seed, 1, p), seed % 20 == 0))
          << "seed " << seed << " size " << p.width << "x" << p.height;
    }
  }
}

TEST_F(Generator, TheCheckerCatchesBrokenMaps) {
  const mapgen::FloorMap good = mapgen::MakeFloorMap(12345, 3);
  ASSERT_EQ("", Problems(good));
  // Every door closed into a wall (the map falls apart), a one-sided opening, a one-sided door,
  // the start on the stairs' entry cell (in the stairs' own segment).
  for (int change = 0; change < 4; ++change) {
    mapgen::FloorMap m = good;
    bool done = false;
    for (int& v : m.cells) {
      if (v == FLOOR_NONE || (v & FLOOR_STEP) || done) continue;
      if (change == 0) v &= ~DOOR_ALL;
      if (change == 1 && (v & WALL_UP)) { v &= ~WALL_UP; done = true; }
      if (change == 2 && (v & WALL_UP) && !(v & DOOR_UP)) { v |= DOOR_UP; done = true; }
    }
    const int way = m.At(m.stairRow, m.stairCol) & WALL_ALL;
    if (change == 3) m.startRow = m.stairRow - (way == WALL_DOWN) + (way == WALL_UP);
    if (change == 3) m.startCol = m.stairCol - (way == WALL_RIGHT) + (way == WALL_LEFT);
    EXPECT_NE("", Problems(m)) << "change " << change;
  }
}

// Parameters outside the limits give rock without seeding.
TEST_F(Generator, ParametersOutsideTheLimitsGiveRockWithoutSeeding) {
  for (DMParams bad : {Params(20, 20, 1, 1), Params(11, 20, 2, 2), Params(20, 14, 3, 3),
                       Params(20, 20, -3, -3)}) {
    std::vector<int> map(bad.width * bad.height, 7);
    QUORL_COMMON::SetFixedSeed(5);
    MakeNewDungeon(map.data(), &bad);
    EXPECT_EQ(std::vector<int>(map.size(), FLOOR_NONE), map);
    EXPECT_EQ(0, bad.startX | bad.startY);
    srand(QUORL_COMMON::SeedValue(5, 0));
    const int first = rand();
    QUORL_COMMON::SeedRandom();
    EXPECT_EQ(first, rand()) << "no seeding was used up";
  }
  MakeNewDungeon(nullptr, nullptr);  // nothing to do, and no crash
}

// Where the stairs go on the game's maps the golden maps pin.
TEST_F(Generator, NoRoomForTheStairsGivesNone) {
  int x = 0, y = 0;
  // A ring of floor with no room for stairs inside the map, a map of rock, maps too small for
  // rings: no stairs, the map unchanged, (-1, -1).
  for (int w : {10, 1, 2, 3}) {
    DMParams size = Params(w, w, 1, 1);
    for (int fill : {0, FLOOR_NONE}) {
      std::vector<int> m(w * w, fill);
      MakeStair(m.data(), &size, &x, &y);
      EXPECT_EQ(-1, x + y + 1) << w;
      EXPECT_EQ(std::vector<int>(w * w, fill), m);
    }
  }
}

TEST(GetMostFarFloor, FarthestColourAndItsTies) {
  // A chain from its end and from its middle (both ends one step: the initial answer 1 stays); a
  // tie (the smaller colour wins); a tie with the initial answer (the first joint's first colour)
  // among the farthest; colours not reached do not count; a ring (shortest paths); nothing to
  // walk; colours no joint names (no reading outside the distances).
  const struct {
    JointSet joints;
    int from, farthest;
  } cases[] = {{{{1, 2}, {2, 3}}, 1, 3},         {{{1, 2}, {2, 3}}, 2, 1},
               {{{1, 4}, {1, 2}}, 1, 2},         {{{4, 1}, {1, 2}}, 1, 4},
               {{{1, 2}, {5, 6}, {6, 7}}, 1, 2}, {{{1, 2}, {2, 4}, {4, 5}, {5, 1}}, 1, 4},
               {{}, 3, 3},                       {{{5, 6}}, 9, 5},  {{{5, 6}}, -2, 5}};
  for (const auto& c : cases) EXPECT_EQ(c.farthest, GetMostFarFloor(c.joints, c.from)) << c.from;
}
