// Tests of MapSegment: shrinking, rooms, corridor figures, inversion and picking a cell.
#include "dungeon/mapsegment.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <utility>
#include <vector>

using DungeonMake::MapSegment;

namespace {

const int kSide = 10;  // the test colour maps are 10 x 10
const int kColour = 5;

int& At(std::vector<int>& map, int x, int y) { return map[y * kSide + x]; }

// Cells of the map holding `colour`, as (x, y).
std::set<std::pair<int, int>> CellsOf(const std::vector<int>& map, int colour) {
  std::set<std::pair<int, int>> cells;
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) {
      if (map[y * kSide + x] == colour) cells.insert(std::make_pair(x, y));
    }
  }
  return cells;
}

// True when every cell of `cells` is reached from the first through 4-neighbours in `cells`.
bool Connected(const std::set<std::pair<int, int>>& cells) {
  if (cells.empty()) return true;
  std::set<std::pair<int, int>> seen = {*cells.begin()};
  std::vector<std::pair<int, int>> open = {*cells.begin()};
  while (!open.empty()) {
    const std::pair<int, int> p = open.back();
    open.pop_back();
    const int dx[4] = {1, -1, 0, 0};
    const int dy[4] = {0, 0, 1, -1};
    for (int d = 0; d < 4; ++d) {
      const std::pair<int, int> n(p.first + dx[d], p.second + dy[d]);
      if (cells.count(n) && seen.insert(n).second) open.push_back(n);
    }
  }
  return seen.size() == cells.size();
}

}  // namespace

TEST(MapSegmentShrink, SingleCellRefusesAndDrawsNothing) {
  MapSegment s(4, 4, 4, 4, kColour);
  srand(11);
  EXPECT_EQ(-1, s.Shrink());
  EXPECT_EQ(4, s.left);
  EXPECT_EQ(4, s.right);
  EXPECT_EQ(4, s.top);
  EXPECT_EQ(4, s.bottom);
  const int next = rand();
  srand(11);
  EXPECT_EQ(rand(), next) << "Shrink of a single cell must not draw";
}

TEST(MapSegmentShrink, ThinRectanglesOnlyShrinkAlongTheirLength) {
  std::set<int> tall, wide, square;
  for (unsigned seed = 1; seed <= 200; ++seed) {
    srand(seed);
    MapSegment column(3, 1, 3, 6, kColour);  // one cell wide
    const int d = column.Shrink();
    tall.insert(d);
    EXPECT_EQ(3, column.left);
    EXPECT_EQ(3, column.right);
    EXPECT_EQ(4, column.bottom - column.top);
    EXPECT_EQ(d == MapSegment::DOWN, column.top == 2);

    MapSegment row(1, 3, 6, 3, kColour);  // one cell high
    const int e = row.Shrink();
    wide.insert(e);
    EXPECT_EQ(3, row.top);
    EXPECT_EQ(3, row.bottom);
    EXPECT_EQ(4, row.right - row.left);
    EXPECT_EQ(e == MapSegment::RIGHT, row.left == 2);

    MapSegment block(1, 1, 2, 2, kColour);
    square.insert(block.Shrink());
  }
  EXPECT_EQ((std::set<int>{MapSegment::UP, MapSegment::DOWN}), tall);
  EXPECT_EQ((std::set<int>{MapSegment::LEFT, MapSegment::RIGHT}), wide);
  EXPECT_EQ(4u, square.size());
}

TEST(MapSegment, FillRoomAndInverseKeepToTheRectangle) {
  MapSegment s(2, 3, 6, 7, kColour);
  EXPECT_TRUE(s.Include(2, 3));
  EXPECT_TRUE(s.Include(6, 7));
  EXPECT_FALSE(s.Include(1, 5));
  EXPECT_FALSE(s.Include(4, 8));
  EXPECT_EQ(kColour, s.GetColor());

  // Fill, clear two joint cells on the rim as the generator does, then Inverse: only the
  // joint cells keep the colour.
  std::vector<int> map(kSide * kSide, 0);
  s.Fill(map.data(), kSide);
  EXPECT_EQ(25u, CellsOf(map, kColour).size());
  At(map, 4, 3) = 0;
  At(map, 6, 5) = 0;
  s.Inverse(map.data(), kSide);
  EXPECT_EQ((std::set<std::pair<int, int>>{{4, 3}, {6, 5}}), CellsOf(map, kColour));

  // A room is the rectangle less its rim; the rim keeps what it had.
  s.DrawRoom(map.data(), kSide);
  const std::set<std::pair<int, int>> cells = CellsOf(map, kColour);
  EXPECT_EQ(9u + 2u, cells.size());
  for (int y = 4; y <= 6; ++y) {
    for (int x = 3; x <= 5; ++x) EXPECT_TRUE(cells.count({x, y}));
  }
  EXPECT_EQ(0, At(map, 2, 3));
}

TEST(MapSegmentDrawRoute, JoinsTwoJointsThroughTheLastCell) {
  for (unsigned seed = 1; seed <= 300; ++seed) {
    SCOPED_TRACE(seed);
    srand(seed);
    std::vector<int> map(kSide * kSide, 0);
    MapSegment s(3, 3, 6, 6, kColour);  // 4 x 4
    At(map, 4, 3) = kColour;            // a joint on the top rim
    At(map, 6, 5) = kColour;            // and one on the right rim
    s.DrawRoute(map.data(), kSide);

    // Shrunk to one cell of the inner 2 x 2 block.
    EXPECT_EQ(s.left, s.right);
    EXPECT_EQ(s.top, s.bottom);
    EXPECT_TRUE(s.left == 4 || s.left == 5);
    EXPECT_TRUE(s.top == 4 || s.top == 5);

    const std::set<std::pair<int, int>> cells = CellsOf(map, kColour);
    EXPECT_TRUE(cells.count({4, 4})) << "the top joint's inner neighbour";
    EXPECT_TRUE(cells.count({5, 5})) << "the right joint's inner neighbour";
    EXPECT_TRUE(cells.count({s.left, s.top}));
    EXPECT_TRUE(Connected(cells));
    for (const std::pair<int, int>& c : cells) {
      const bool joint = c == std::make_pair(4, 3) || c == std::make_pair(6, 5);
      EXPECT_TRUE(joint || (c.first >= 4 && c.first <= 5 && c.second >= 4 && c.second <= 5))
          << "painted outside the inner block at " << c.first << "," << c.second;
    }
  }
}

TEST(MapSegmentDrawRoute, WithoutJointsOnlyTheLastCellAndThinRectanglesNothing) {
  srand(3);
  std::vector<int> map(kSide * kSide, 0);
  MapSegment s(1, 1, 8, 5, kColour);
  s.DrawRoute(map.data(), kSide);
  EXPECT_EQ((std::set<std::pair<int, int>>{{s.left, s.top}}), CellsOf(map, kColour));
  EXPECT_TRUE(s.left >= 2 && s.left <= 7 && s.top >= 2 && s.top <= 4);

  // Two cells wide: the trails would have to leave the rectangle, so nothing is drawn.
  std::vector<int> thin(kSide * kSide, 0);
  At(thin, 1, 3) = kColour;
  MapSegment narrow(1, 1, 2, 6, kColour);
  narrow.DrawRoute(thin.data(), kSide);
  EXPECT_EQ(1u, CellsOf(thin, kColour).size());
  EXPECT_EQ(1, narrow.left);
  EXPECT_EQ(2, narrow.right);
}

TEST(MapSegmentSomewhere, PicksOnlyCellsOfTheColour) {
  std::vector<int> map(kSide * kSide, 0);
  At(map, 2, 2) = kColour;
  At(map, 4, 3) = kColour;
  At(map, 3, 4) = kColour;
  At(map, 7, 7) = kColour;  // outside the rectangle
  At(map, 3, 3) = 9;        // another colour
  const MapSegment s(2, 2, 5, 5, kColour);
  std::set<std::pair<int, int>> picked;
  for (unsigned seed = 1; seed <= 100; ++seed) {
    srand(seed);
    int x = -1, y = -1;
    s.Somewhere(map.data(), kSide, &x, &y);
    picked.insert(std::make_pair(x, y));
  }
  EXPECT_EQ((std::set<std::pair<int, int>>{{2, 2}, {4, 3}, {3, 4}}), picked);

  // No cell of the colour: the answer stays as it was and nothing is drawn.
  const MapSegment other(2, 2, 5, 5, 7);
  srand(8);
  int x = 13, y = 14;
  other.Somewhere(map.data(), kSide, &x, &y);
  EXPECT_EQ(13, x);
  EXPECT_EQ(14, y);
  const int next = rand();
  srand(8);
  EXPECT_EQ(rand(), next);
}
