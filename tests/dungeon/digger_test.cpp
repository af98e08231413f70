// Tests of Digger: the random walk over the segment grid.
#include "dungeon/digger.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "dungeon/mapsegment.h"

using DungeonMake::Digger;

namespace {

// A segment grid of w x h positions inside a ring of -1 (row length w + 2).
std::vector<int> Grid(int w, int h) {
  std::vector<int> grid((w + 2) * (h + 2), 0);
  for (int y = 0; y < h + 2; ++y) {
    for (int x = 0; x < w + 2; ++x) {
      if (x == 0 || y == 0 || x == w + 1 || y == h + 1) grid[y * (w + 2) + x] = -1;
    }
  }
  return grid;
}

// Every connection bit of the grid is matched by the neighbour's bit pointing back.
::testing::AssertionResult BitsAgree(const std::vector<int>& grid, int w, int h) {
  const int row = w + 2;
  for (int y = 1; y <= h; ++y) {
    for (int x = 1; x <= w; ++x) {
      const int v = grid[y * row + x];
      const struct {
        int bit, dx, dy, back;
      } sides[4] = {{Digger::UP, 0, -1, Digger::DOWN},
                    {Digger::DOWN, 0, 1, Digger::UP},
                    {Digger::LEFT, -1, 0, Digger::RIGHT},
                    {Digger::RIGHT, 1, 0, Digger::LEFT}};
      for (const auto& s : sides) {
        const int n = grid[(y + s.dy) * row + x + s.dx];
        if (((v & s.bit) != 0) != (n != -1 && (n & s.back) != 0)) {
          return ::testing::AssertionFailure() << "bits disagree at " << x << "," << y;
        }
      }
    }
  }
  return ::testing::AssertionSuccess();
}

}  // namespace

TEST(Digger, WithoutStepsOrWayOutItStopsWithoutTouchingTheGrid) {
  std::vector<int> grid = Grid(3, 3);
  const std::vector<int> before = grid;
  Digger spent(2, 2, 0, 50);
  EXPECT_FALSE(spent.WalkMap(grid.data(), 5));
  EXPECT_EQ(before, grid);

  // A 1 x 1 grid: every neighbour is border.
  std::vector<int> single = Grid(1, 1);
  const std::vector<int> singleBefore = single;
  Digger boxed(1, 1, 6, 50);
  srand(4);
  EXPECT_FALSE(boxed.WalkMap(single.data(), 3));
  EXPECT_EQ(singleBefore, single);
  EXPECT_EQ(6, boxed.steps);
  const int next = rand();
  srand(4);
  EXPECT_EQ(rand(), next) << "a walk with nowhere to go must not draw";
}

TEST(Digger, WalksItsStepsInsideTheRingWithMatchingBits) {
  for (unsigned seed = 1; seed <= 500; ++seed) {
    SCOPED_TRACE(seed);
    srand(seed);
    std::vector<int> grid = Grid(3, 3);
    Digger digger(2, 1, 6, 50);
    int moves = 0;
    int lastThreshold = digger.turnThreshold;
    int lastDirection = -1;
    while (digger.WalkMap(grid.data(), 5)) {
      ++moves;
      ASSERT_GE(digger.x, 1);
      ASSERT_LE(digger.x, 3);
      ASSERT_GE(digger.y, 1);
      ASSERT_LE(digger.y, 3);
      // Going on straight doubles the threshold (to at most 100); a fresh draw resets it.
      const bool reset = digger.turnThreshold == digger.baseThreshold;
      const bool doubled = digger.turnThreshold == std::min(2 * lastThreshold, 100);
      EXPECT_TRUE(reset || (doubled && digger.lastDirection == lastDirection));
      lastThreshold = digger.turnThreshold;
      lastDirection = digger.lastDirection;
    }
    EXPECT_EQ(6, moves);
    EXPECT_EQ(0, digger.steps);
    EXPECT_TRUE(BitsAgree(grid, 3, 3));
    for (int i = 0; i < 5; ++i) {
      EXPECT_EQ(-1, grid[i]);
      EXPECT_EQ(-1, grid[20 + i]);
      EXPECT_EQ(-1, grid[i * 5]);
      EXPECT_EQ(-1, grid[i * 5 + 4]);
    }
    EXPECT_NE(0, grid[1 * 5 + 2]) << "the starting position is used";
  }
}

TEST(Digger, ARowOfSegmentsIsWalkedAlongOnly) {
  for (unsigned seed = 1; seed <= 100; ++seed) {
    srand(seed);
    std::vector<int> grid = Grid(4, 1);
    Digger digger(1, 1, 5, 50);
    while (digger.WalkMap(grid.data(), 6)) {
      EXPECT_TRUE(digger.lastDirection == DungeonMake::MapSegment::LEFT ||
                  digger.lastDirection == DungeonMake::MapSegment::RIGHT);
    }
    EXPECT_TRUE(BitsAgree(grid, 4, 1));
  }
}
