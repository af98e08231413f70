// Tests of the map generator: its stages and the rules of finished maps over many seeds.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "common/random.h"
#include "dungeon/dungeonconst.h"
#include "dungeon/dungeonmake.h"
#include "floormap.h"
#include "mapcheck.h"

using namespace DungeonMake;
using namespace DungeonConst;

namespace {

DMParams Params(int width, int height, int segmentsX, int segmentsY) {
  DMParams p{};
  p.width = width;
  p.height = height;
  p.floorTier = 2;
  p.segmentsX = segmentsX;
  p.segmentsY = segmentsY;
  return p;
}

// All problems the checker finds in the map of `seed`, one per line.
std::string Problems(const mapgen::FloorMap& map) {
  std::vector<std::string> problems;
  mapgen::CheckGeneratedMap(map, &problems);
  std::string text;
  for (const std::string& p : problems) text += p + "\n";
  return text;
}

class Generator : public ::testing::Test {
 protected:
  void TearDown() override { QUORL_COMMON::ResetSeeding(); }
};

}  // namespace

// The game's maps: 20 x 20 cells in 3 x 3 segments.
TEST_F(Generator, GameMapsKeepEveryRuleOverThousandsOfSeeds) {
  for (unsigned seed = 1; seed <= 4000; ++seed) {
    const mapgen::FloorMap map = mapgen::MakeFloorMap(seed * 7919u, 1 + seed % 29);
    if (map.boss) continue;
    ASSERT_EQ("", Problems(map)) << "seed " << map.seed;
    // The game's geometry in numbers: floor in rows and columns 4 to 13, stairs in 3 to 14.
    for (int r = 0; r < 20; ++r) {
      for (int c = 0; c < 20; ++c) {
        const int v = map.At(r, c);
        if (v == FLOOR_NONE) continue;
        const int low = (v & FLOOR_STEP) ? 3 : 4;
        const int high = (v & FLOOR_STEP) ? 14 : 13;
        ASSERT_TRUE(r >= low && r <= high && c >= low && c <= high)
            << "seed " << map.seed << " cell " << r << "," << c;
      }
    }
  }
}

TEST_F(Generator, OtherSizesKeepEveryRule) {
  const DMParams sizes[] = {
      Params(12, 9, 2, 1),   // the smallest grid and segments
      Params(9, 12, 1, 2),   // the same standing up
      Params(26, 23, 4, 3),  // wider, with cells left over right and below
      Params(30, 30, 5, 5),
      Params(15, 15, 3, 3),  // 3 x 3 cells a segment: every corridor is one cell
  };
  for (const DMParams& p : sizes) {
    for (unsigned seed = 1; seed <= 400; ++seed) {
      const mapgen::FloorMap map = mapgen::MakeGeneratedMap(seed, 1, p);
      ASSERT_EQ("", Problems(map)) << "seed " << seed << " size " << p.width << "x" << p.height
                                   << " segments " << p.segmentsX << "x" << p.segmentsY;
    }
  }
}

TEST_F(Generator, TheCheckerCatchesBrokenMaps) {
  const mapgen::FloorMap good = mapgen::MakeFloorMap(12345, 3);
  ASSERT_EQ("", Problems(good));
  auto broken = [&](auto change) {
    mapgen::FloorMap m = good;
    change(m);
    return !Problems(m).empty();
  };
  // The first floor cell with all bits of `need` and none of `without`.
  auto firstFloor = [](mapgen::FloorMap& m, int need, int without = 0) -> int& {
    for (int& v : m.cells) {
      if (v != FLOOR_NONE && !(v & FLOOR_STEP) && (v & need) == need && !(v & without)) return v;
    }
    ADD_FAILURE() << "no such cell";
    return m.cells[0];
  };
  EXPECT_TRUE(broken([&](mapgen::FloorMap& m) { firstFloor(m, WALL_UP) &= ~WALL_UP; }));
  EXPECT_TRUE(broken([&](mapgen::FloorMap& m) { firstFloor(m, WALL_UP) |= DOOR_UP; }));
  EXPECT_TRUE(broken([&](mapgen::FloorMap& m) { firstFloor(m, DOOR_RIGHT) &= ~DOOR_RIGHT; }));
  EXPECT_TRUE(broken([&](mapgen::FloorMap& m) { firstFloor(m, 0, WALL_LEFT) |= DOOR_LEFT; }));
  EXPECT_TRUE(
      broken([&](mapgen::FloorMap& m) { m.cells[m.stairRow * m.cols + m.stairCol] = 512; }));
  EXPECT_TRUE(
      broken([&](mapgen::FloorMap& m) { m.cells[m.stairRow * m.cols + m.stairCol] = FLOOR_NONE; }));
  EXPECT_TRUE(broken([&](mapgen::FloorMap& m) { m.cells[2 * m.cols + 2] = 0; }));
  EXPECT_TRUE(broken([&](mapgen::FloorMap& m) { m.startRow = 0; }));
  // A door closed into a wall cuts the map in two.
  EXPECT_TRUE(broken([&](mapgen::FloorMap& m) {
    for (int& v : m.cells) {
      if (v != FLOOR_NONE && !(v & FLOOR_STEP)) v &= ~DOOR_ALL;
    }
  }));
  // The start moved to the stairs' entry cell, in the stairs' own segment.
  EXPECT_TRUE(broken([&](mapgen::FloorMap& m) {
    const int way = m.At(m.stairRow, m.stairCol) & WALL_ALL;
    m.startRow = m.stairRow - (way == WALL_DOWN) + (way == WALL_UP);
    m.startCol = m.stairCol - (way == WALL_RIGHT) + (way == WALL_LEFT);
    ASSERT_EQ(0, m.At(m.startRow, m.startCol) & (FLOOR_NONE | FLOOR_STEP));
  }));
}

TEST_F(Generator, TheSameSeedGivesTheSameMapWhateverTheFloorTier) {
  DMParams p = Params(20, 20, 3, 3);
  std::vector<int> first(400), again(400);
  for (unsigned seed : {1u, 77u, 4000000000u}) {
    QUORL_COMMON::SetFixedSeed(seed);
    p.floorTier = 2;
    MakeNewDungeon(first.data(), &p);
    const std::pair<int, int> start(p.startX, p.startY);
    for (int tier : {0, 3, 5, -7, 1000}) {
      QUORL_COMMON::SetFixedSeed(seed);
      p.floorTier = tier;
      p.startX = p.startY = -99;
      MakeNewDungeon(again.data(), &p);
      EXPECT_EQ(first, again) << "seed " << seed << " tier " << tier;
      EXPECT_EQ(start, std::make_pair(p.startX, p.startY));
    }
  }
  // Another seed, another map (these two differ).
  QUORL_COMMON::SetFixedSeed(2);
  MakeNewDungeon(again.data(), &p);
  EXPECT_NE(first, again);
}

TEST_F(Generator, EveryMapSeedsTwiceThroughTheSeedingFunction) {
  // After one map, the next seeding is the third of the fixed seed's sequence.
  srand(QUORL_COMMON::SeedValue(9, 2));
  const int expected = rand();
  QUORL_COMMON::SetFixedSeed(9);
  DMParams p = Params(20, 20, 3, 3);
  std::vector<int> map(400);
  MakeNewDungeon(map.data(), &p);
  QUORL_COMMON::SeedRandom();
  EXPECT_EQ(expected, rand());
}

TEST_F(Generator, ParametersOutsideTheLimitsGiveRockWithoutDrawing) {
  const DMParams bad[] = {Params(20, 20, 1, 1), Params(11, 20, 2, 2), Params(20, 14, 3, 3),
                          Params(20, 20, 0, 5), Params(20, 20, -3, -3)};
  for (DMParams p : bad) {
    std::vector<int> map(static_cast<size_t>(p.width) * p.height, 7);
    QUORL_COMMON::SetFixedSeed(5);
    MakeNewDungeon(map.data(), &p);
    EXPECT_EQ(std::vector<int>(map.size(), FLOOR_NONE), map);
    EXPECT_EQ(0, p.startX);
    EXPECT_EQ(0, p.startY);
    srand(5);
    const int first = rand();
    QUORL_COMMON::SeedRandom();
    EXPECT_EQ(first, rand()) << "no seeding was used up";
  }
  MakeNewDungeon(nullptr, nullptr);  // nothing to do, and no crash
}

TEST_F(Generator, ColourMapHasOneJointPerConnectionAndTheMapOneDoorPerJoint) {
  for (unsigned seed = 1; seed <= 300; ++seed) {
    SCOPED_TRACE(seed);
    DMParams p = Params(20, 20, 3, 3);
    QUORL_COMMON::SetFixedSeed(seed);
    QUORL_COMMON::SeedRandom();  // the seeding MakeNewDungeon makes before the colour map
    std::vector<int> colours(400);
    JointSet joints;
    SegmentList segments;
    MakeColorMap(colours.data(), &p, &joints, &segments);

    std::set<std::pair<int, int>> pairs;
    std::set<int> used;
    for (const auto& s : segments) used.insert(s->GetColor());
    for (const JointPair& j : joints) {
      const int a = std::min(j.first, j.second);
      const int b = std::max(j.first, j.second);
      EXPECT_TRUE(pairs.insert(std::make_pair(a, b)).second)
          << "joint " << a << "-" << b << " twice";
      EXPECT_TRUE(b - a == 1 || b - a == 3);
      if (b - a == 1) {
        EXPECT_NE(0, a % 3) << "a left-right joint across a grid row";
      }
      EXPECT_TRUE(used.count(a) && used.count(b));
      EXPECT_LT(j.first, j.second) << "the segment first in row order makes the joint";
    }
    EXPECT_GE(segments.size(), 2u);
    EXPECT_GE(joints.size(), segments.size() - 1) << "the used segments hang together";

    // Each used segment's corridor was shrunk to a single cell, a room kept its rectangle.
    for (const auto& s : segments) {
      const int w = s->right - s->left + 1;
      const int h = s->bottom - s->top + 1;
      EXPECT_TRUE((w == 1 && h == 1) || (w == 4 && h == 4));
    }

    // The finished map of the same seed: one door pair per joint.
    const mapgen::FloorMap map = mapgen::MakeFloorMap(seed, 1);
    int doors = 0;
    for (int v : map.cells) {
      if (v != FLOOR_NONE && !(v & FLOOR_STEP))
        doors += ((v & DOOR_RIGHT) != 0) + ((v & DOOR_DOWN) != 0);
    }
    EXPECT_EQ(static_cast<int>(joints.size()), doors);

    // The start lies in what is left of its segment's rectangle: a corridor's junction cell.
    bool inside = false;
    for (const auto& s : segments) inside = inside || s->Include(map.startCol, map.startRow);
    EXPECT_TRUE(inside);
  }
}

TEST_F(Generator, SegmentMapWalkIsMarkedFromItsStart) {
  for (unsigned seed = 1; seed <= 300; ++seed) {
    srand(seed);
    DMParams p = Params(20, 20, 3, 3);
    std::vector<int> grid(25, 123);
    int sx = 0, sy = 0;
    MakeSegmentMap(grid.data(), &p, &sx, &sy);
    ASSERT_TRUE(sx >= 1 && sx <= 3 && sy >= 1 && sy <= 3);
    EXPECT_NE(0, grid[sy * 5 + sx]);
    int used = 0;
    for (int y = 0; y < 5; ++y) {
      for (int x = 0; x < 5; ++x) {
        const bool ring = x == 0 || y == 0 || x == 4 || y == 4;
        if (ring) {
          EXPECT_EQ(-1, grid[y * 5 + x]);
        } else {
          EXPECT_TRUE(grid[y * 5 + x] >= 0 && grid[y * 5 + x] <= 15);
          used += grid[y * 5 + x] != 0;
        }
      }
    }
    EXPECT_GE(used, 2);
    EXPECT_LE(used, 7) << "six moves reach at most seven positions";
  }
}

TEST_F(Generator, StairGoesIntoTheOutermostRingOfFloor) {
  DMParams p = Params(10, 10, 2, 2);
  auto rockMap = [] { return std::vector<int>(100, FLOOR_NONE); };

  // One floor cell: the stairs lead up (-y), the first way tried.
  std::vector<int> map = rockMap();
  map[5 * 10 + 3] = WALL_ALL;
  int x = -1, y = -1;
  srand(1);
  MakeStair(map.data(), &p, &x, &y);
  EXPECT_EQ(3, x);
  EXPECT_EQ(5, y);
  EXPECT_EQ(WALL_RIGHT | WALL_LEFT | WALL_DOWN, map[5 * 10 + 3]);
  EXPECT_EQ(FLOOR_STEP | WALL_UP, map[4 * 10 + 3]);
  EXPECT_EQ(FLOOR_NONE, map[3 * 10 + 3]);

  // Floor above the cell: the stairs lead down instead. A cell on a ring further in is never
  // chosen while an outer ring holds floor.
  DMParams wide = Params(12, 12, 2, 2);
  for (unsigned seed = 1; seed <= 50; ++seed) {
    std::vector<int> m12(144, FLOOR_NONE);
    m12[3 * 12 + 3] = WALL_ALL & ~WALL_DOWN;
    m12[4 * 12 + 3] = WALL_ALL & ~WALL_UP;
    m12[6 * 12 + 4] = WALL_ALL;  // ring 4
    srand(seed);
    MakeStair(m12.data(), &wide, &x, &y);
    EXPECT_EQ(3, x);
    if (y == 3) {
      EXPECT_EQ(FLOOR_STEP | WALL_UP, m12[2 * 12 + 3]);
    } else {
      ASSERT_EQ(4, y);
      EXPECT_EQ(FLOOR_STEP | WALL_DOWN, m12[5 * 12 + 3]);
      EXPECT_EQ(WALL_LEFT | WALL_RIGHT, m12[4 * 12 + 3]);
    }
    EXPECT_EQ(WALL_ALL, m12[6 * 12 + 4]);
  }
  // Alone, the cell on ring 4 gets the stairs.
  std::vector<int> m12(144, FLOOR_NONE);
  m12[6 * 12 + 4] = WALL_ALL;
  MakeStair(m12.data(), &wide, &x, &y);
  EXPECT_EQ(4, x);
  EXPECT_EQ(6, y);

  // Cells of the outermost ring with no room for stairs within the map, and no floor at all:
  // no stairs, the map unchanged, (-1, -1) reported.
  map.assign(100, 0);
  const std::vector<int> before = map;
  MakeStair(map.data(), &p, &x, &y);
  EXPECT_EQ(-1, x);
  EXPECT_EQ(-1, y);
  EXPECT_EQ(before, map);
  map = rockMap();
  MakeStair(map.data(), &p, &x, &y);
  EXPECT_EQ(-1, x);
  EXPECT_EQ(rockMap(), map);

  // Maps too small for rings still end.
  for (int w : {1, 2, 3}) {
    DMParams tiny = Params(w, w, 1, 1);
    std::vector<int> small(w * w, FLOOR_NONE);
    MakeStair(small.data(), &tiny, &x, &y);
    EXPECT_EQ(-1, x);
    small.assign(w * w, 0);
    MakeStair(small.data(), &tiny, &x, &y);
    EXPECT_EQ(-1, x);
  }
}

TEST(GetMostFarFloor, FarthestColourAndItsTies) {
  // A chain 1 - 2 - 3.
  EXPECT_EQ(3, GetMostFarFloor({JointPair(1, 2), JointPair(2, 3)}, 1));
  EXPECT_EQ(1, GetMostFarFloor({JointPair(1, 2), JointPair(2, 3)}, 3));
  // From the middle both ends are one step away: the initial answer 1 already is.
  EXPECT_EQ(1, GetMostFarFloor({JointPair(1, 2), JointPair(2, 3)}, 2));
  // A tie of 2 and 4, the initial answer (the start itself) nearer: the smaller colour wins.
  EXPECT_EQ(2, GetMostFarFloor({JointPair(1, 4), JointPair(1, 2)}, 1));
  // A tie where the initial answer, the first joint's first colour, is among the farthest.
  EXPECT_EQ(4, GetMostFarFloor({JointPair(4, 1), JointPair(1, 2)}, 1));
  // Colours no joint leads to from the start (and the unused colour 0) do not count.
  EXPECT_EQ(2, GetMostFarFloor({JointPair(1, 2), JointPair(5, 6), JointPair(6, 7)}, 1));
  // A ring: shortest paths, not walks.
  EXPECT_EQ(
      4, GetMostFarFloor({JointPair(1, 2), JointPair(2, 4), JointPair(4, 5), JointPair(5, 1)}, 1));
  // Nothing to walk: the colour itself. A colour no joint names: the first joint's first
  // colour, without reading outside the distances.
  EXPECT_EQ(3, GetMostFarFloor({}, 3));
  EXPECT_EQ(5, GetMostFarFloor({JointPair(5, 6)}, 9));
  EXPECT_EQ(5, GetMostFarFloor({JointPair(5, 6)}, -2));
}
