// Tests of MapSegment (fill and inverse, corridor figures) and Digger (the walk over the segment
// grid) where the generator's maps do not reach: edge cases and nothing to do.
#include "dungeon/digger.h"
#include "dungeon/mapsegment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <utility>
#include <vector>

using DungeonMake::Digger;
using DungeonMake::MapSegment;

namespace {

const int kSide = 10;  // the test colour maps are 10 x 10
const int kColour = 5;
typedef std::set<std::pair<int, int>> Cells;  // (x, y)

Cells CellsOf(const std::vector<int>& map) {
  Cells cells;
  for (int k = 0; k < kSide * kSide; ++k)
    if (map[k] == kColour) cells.insert({k % kSide, k / kSide});
  return cells;
}

// Whether `action` left the random sequence where it was.
template <typename F>
bool DrawsNothing(F action) {
  srand(11);
  action();
  const int next = rand();
  srand(11);
  return rand() == next;
}

}  // namespace

TEST(MapSegment, InverseAfterFillAndDrawRouteOfTwoJointsInsideA4By4Segment) {
  // Fill, clear two joint cells on the rim as the generator does, then Inverse: only the joint
  // cells keep the colour.
  MapSegment rect(2, 3, 6, 7, kColour);
  std::vector<int> filled(kSide * kSide, 0);
  rect.Fill(filled.data(), kSide);
  filled[3 * kSide + 4] = filled[5 * kSide + 6] = 0;
  rect.Inverse(filled.data(), kSide);
  EXPECT_EQ((Cells{{4, 3}, {6, 5}}), CellsOf(filled));
  for (unsigned seed = 1; seed <= 300; ++seed) {
    SCOPED_TRACE(seed);
    srand(seed);
    std::vector<int> map(kSide * kSide, 0);
    MapSegment s(3, 3, 6, 6, kColour);
    map[3 * kSide + 4] = map[5 * kSide + 6] = kColour;  // joints on the top and right rims
    s.DrawRoute(map.data(), kSide);
    EXPECT_EQ(0, s.right - s.left + s.bottom - s.top);  // shrunk to one cell of the inner block
    // The joints' inner neighbours, joined through the inner 2 x 2 block, and nothing else.
    const Cells cells = CellsOf(map);
    EXPECT_TRUE(cells.count({4, 4}) && cells.count({5, 5}) && cells.count({s.left, s.top}));
    EXPECT_TRUE(cells.count({4, 5}) || cells.count({5, 4}));
    const Cells allowed = {{4, 3}, {6, 5}, {4, 4}, {4, 5}, {5, 4}, {5, 5}};
    EXPECT_TRUE(std::includes(allowed.begin(), allowed.end(), cells.begin(), cells.end()));
  }
  // Two cells wide: the trails would leave the rectangle, so nothing is drawn.
  std::vector<int> thin(kSide * kSide, 0);
  thin[3 * kSide + 1] = kColour;
  MapSegment narrow(1, 1, 2, 6, kColour);
  narrow.DrawRoute(thin.data(), kSide);
  EXPECT_EQ(1u, CellsOf(thin).size());
  EXPECT_EQ(3, narrow.left + narrow.right);
}

// Edge cases where nothing can be done: no random draw, nothing changed.
TEST(MapSegmentAndDigger, NothingToDoDrawsNothing) {
  MapSegment single(4, 4, 4, 4, kColour);  // a single cell cannot shrink
  EXPECT_TRUE(DrawsNothing([&] { EXPECT_EQ(-1, single.Shrink()); }));
  EXPECT_EQ(4444, single.left * 1000 + single.right * 100 + single.top * 10 + single.bottom);
  std::vector<int> map(kSide * kSide, 0);  // no cell of the colour: the answer is kept
  const MapSegment other(2, 2, 5, 5, kColour);
  int x = 13, y = 14;
  EXPECT_TRUE(DrawsNothing([&] { other.Somewhere(map.data(), kSide, &x, &y); }));
  EXPECT_EQ(1314, x * 100 + y);
  // A 1 x 1 segment grid inside its ring of -1: a walker without steps, and one with steps but
  // nowhere to go.
  const std::vector<int> ring = {-1, -1, -1, -1, 0, -1, -1, -1, -1};
  std::vector<int> grid = ring;
  Digger spent(1, 1, 0, 50), boxed(1, 1, 6, 50);
  EXPECT_FALSE(spent.WalkMap(grid.data(), 3));
  EXPECT_TRUE(DrawsNothing([&] { EXPECT_FALSE(boxed.WalkMap(grid.data(), 3)); }));
  EXPECT_EQ(ring, grid);
  EXPECT_EQ(6, boxed.steps);
}
