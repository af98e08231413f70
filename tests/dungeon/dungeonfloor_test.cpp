// Tests of the dungeon floor's map half: boss and generated maps, cells of positions, doors,
// floor cells and the visible area. No OpenGL context needed.
#include "dungeon/dungeonfloor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

const int R = 256;  // rock
std::vector<int> Cells(const DungeonFloor& d, bool visible) {
  int rows, cols;
  d.MapSize(&rows, &cols);
  std::vector<int> cells;
  for (int i = 0; i < rows; ++i)
    for (int j = 0; j < cols; ++j)
      cells.push_back(visible ? d.getVisibleCell(i, j) : d.getCell(i, j));
  return cells;
}

// The rows with visible cells of the 7 x 11 boss map after SetDrawArea, as "row:" and a '#' for
// a seen cell (as the map has it), '.' for one not seen.
std::string Seen(const DungeonFloor& d) {
  std::string s, row;
  const std::vector<int> v = Cells(d, true), map = Cells(d, false);
  for (int k = 0; k < 77; ++k) {
    row += v[k] == R ? '.' : v[k] == map[k] ? '#' : '?';
    if (k % 11 == 10 && row != "...........") s += std::to_string(k / 11) + ":" + row + " ";
    if (k % 11 == 10) row.clear();
  }
  return s;
}

}  // namespace

TEST(DungeonFloorMap, BossFloorsAndTheirFloorCells) {
  for (int floor : {10, 20, 30}) {
    DungeonFloor d;
    float start[3];
    ASSERT_EQ(d.SetMap(start, floor), 0);
    // Not floor: start, stairs, rock, cells off the map.
    for (const auto& c : {std::make_pair(3, 1), {3, 8}, {0, 0}, {7, 3}, {3, 11}, {-1, 3}, {3, -1}})
      EXPECT_FALSE(d.isFloor(c.first, c.second)) << c.first << "," << c.second;
    EXPECT_TRUE(d.isFloor(3, 5) && d.isFloor(5, 6));
  }
}

TEST(DungeonFloorMap, CellsOfPositionsRoundTripAndShareTheirBoundaries) {
  DungeonFloor d;
  auto cellOf = [&](float x, float z) {
    const float pos[3] = {x, 0, z};
    int cell[3];
    d.getWorldtoMap(pos, cell);
    return cell[0] * 1000 + cell[2];
  };
  for (int row = -3; row < 24; ++row) {
    for (int col = -3; col < 24; ++col) {
      int cell[3] = {row, 7, col}, back[3];
      float pos[3];
      d.getMaptoWorld(cell, pos);
      d.getWorldtoMap(pos, back);
      EXPECT_EQ(back[0] * 1000 + back[1] * 100 + back[2], row * 1000 + col);
      // x = 4i + 2 still belongs to row i, the next float to row i + 1; the same along -z.
      const float x = 4.0f * row + 2, z = -(4.0f * col + 2);
      EXPECT_EQ(cellOf(x, z), row * 1000 + col);
      EXPECT_EQ(cellOf(std::nextafter(x, 1e9f), std::nextafter(z, -1e9f)), row * 1000 + col + 1001);
    }
  }
  float odd[3] = {std::nanf(""), 0, HUGE_VALF};
  int cell[3];
  d.getWorldtoMap(odd, cell);
  EXPECT_LT(cell[0] / 2 + cell[2] / 2, -1000);
  EXPECT_EQ(d.ThroughDoor(odd) + d.DownFloor(odd), 0);
}

TEST(DungeonFloorMap, VisibleAreaStopsAtClosedDoorsAndStairsAndThroughDoorIsStrict) {
  DungeonFloor d;
  float start[3];
  d.SetMap(start, 10);
  d.SetDrawArea(start, 0);  // in the closet
  EXPECT_EQ(Seen(d), "3:.#......... ");
  EXPECT_TRUE(d.isVisibleMap(start));
  const float inRoom[3] = {16, 0, -16}, onStairs[3] = {12, 0, -32}, corridor[3] = {12, 0, -28};
  d.SetDrawArea(inRoom, 123);
  EXPECT_EQ(Seen(d), "1:..#####.... 2:..#####.... 3:..#####.... 4:..#####.... 5:..#####.... ");
  EXPECT_FALSE(d.isVisibleMap(start));
  // On stairs leading to +x only the way back is scanned; from the corridor, the stairs but
  // nothing beyond them or behind the corridor's door.
  for (const float* pos : {onStairs, corridor}) {
    d.SetDrawArea(pos, 0);
    EXPECT_EQ(Seen(d), "3:.......##.. ");
  }
  const float far[3] = {-50, 0, 70};  // off the map: nothing visible, no door, no stairs
  d.SetDrawArea(far, 0);
  EXPECT_EQ(Seen(d), "");
  EXPECT_FALSE(d.isVisibleMap(far));
  EXPECT_EQ(d.ThroughDoor(far) + d.DownFloor(far), 0);
  // Floor open to the map's edge: the walk stops at the edge.
  const std::vector<int> open(77, 0);
  ASSERT_EQ(d.SetMapData(open.data(), 7, 11, 0, 0), 0);
  d.SetDrawArea(inRoom, 0);
  EXPECT_EQ(Cells(d, true), open);
  // ThroughDoor only strictly inside the doorway.
  const int doors[1] = {255}, walls[1] = {15};
  ASSERT_EQ(d.SetMapData(doors, 1, 1, 0, 0), 0);
  // x, z, the door passed.
  const float cases[][3] = {{0, -1.4f, 0},      {0, -1.42f, 1},    {0.68f, -1.42f, 1},
                            {0.7f, -1.42f, 0},  {-0.7f, -1.42f, 0}, {0, 1.42f, 2},
                            {0, 1.4f, 0},       {1.42f, 0, 3},      {1.4f, 0, 0},
                            {1.42f, -0.7f, 0},  {-1.42f, 0.68f, 4}, {1.42f, -1.42f, 0}};
  for (const auto& c : cases) {
    const float pos[3] = {c[0], 0, c[1]};  // lx = x / 2, lz = -z / 2: 0.7 and 0.35 exactly
    EXPECT_EQ(d.ThroughDoor(pos), c[2]) << c[0] << " " << c[1];
  }
  ASSERT_EQ(d.SetMapData(walls, 1, 1, 0, 0), 0);
  const float pos[3] = {0, 0, -1.42f};
  EXPECT_EQ(d.ThroughDoor(pos), 0);
  EXPECT_EQ(d.SetMapData(walls, 21, 1, 0, 0), -1);
}
