// Tests of the dungeon floor's map half: boss and generated maps, cells of positions, doors,
// floor cells, the visible area and the map dump. No OpenGL context needed.
#include "dungeon/dungeonfloor.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "common/random.h"
#include "floortestmaps.h"

namespace {

const int R = 256;
const int kBoss[7][11] = {  // floors 10 and 20; floor 30 has 1, R, R at (3, 6..8)
    {R, R, R, R, R, R, R, R, R, R, R},   {R, R, 10, 8, 8, 8, 9, R, R, R, R},
    {R, R, 2, 0, 0, 0, 1, R, R, R, R},   {R, 31, 34, 0, 0, 0, 17, 46, 513, R, R},
    {R, R, 2, 0, 0, 0, 1, R, R, R, R},   {R, R, 6, 4, 4, 4, 5, R, R, R, R},
    {R, R, R, R, R, R, R, R, R, R, R}};

// The visible cells after SetDrawArea as a string of '#' (seen) and '.' per row.
std::string Seen(const DungeonFloor& d) {
  std::string s;
  for (int i = 0; i < 7; ++i) {
    for (int j = 0; j < 11; ++j) {
      const int v = d.getVisibleCell(i, j);
      s += v == R ? '.' : (v == kBoss[i][j] ? '#' : '?');
    }
    s += '/';
  }
  return s;
}

// The expected picture: every row dots but the given ones.
std::string Rows(std::initializer_list<std::pair<int, const char*>> given) {
  std::string s;
  for (int i = 0; i < 7; ++i) {
    std::string row = "...........";
    for (const auto& g : given) row = g.first == i ? g.second : row;
    s += row + "/";
  }
  return s;
}

}  // namespace

TEST(DungeonFloorMap, BossFloorsCellByCell) {
  for (int floor : {10, 20, 30}) {
    DungeonFloor d;
    float start[3];
    ASSERT_EQ(d.SetMap(start, floor), 0);
    int rows, cols;
    d.MapSize(&rows, &cols);
    ASSERT_EQ(rows * 100 + cols, 711);
    for (int i = 0; i < rows; ++i) {
      for (int j = 0; j < cols; ++j) {
        const int last = floor == 30 && i == 3 && j >= 6 && j <= 8 ? (j == 6 ? 1 : R) : -1;
        EXPECT_EQ(d.getCell(i, j), last >= 0 ? last : kBoss[i][j]) << floor << ": " << i << "," << j;
      }
    }
    EXPECT_EQ(start[0], 12.0f);
    EXPECT_EQ(start[1], 0.0f);
    EXPECT_EQ(start[2], -4.0f);
    const float stairs[3] = {12, 0, -32};
    EXPECT_EQ(d.DownFloor(stairs), floor == 30 ? 0 : 1);
  }
}

TEST(DungeonFloorMap, GeneratedFloorsAre20By20WithTheStartOnFloor) {
  QUORL_COMMON::SetFixedSeed(1234);
  for (int floor : {-7, 0, 1, 9, 11, 29, 31, 99}) {
    DungeonFloor d;
    float start[3];
    d.SetMap(start, floor);
    int rows, cols, row, col, cell[3];
    d.MapSize(&rows, &cols);
    EXPECT_EQ(rows * 100 + cols, 2020) << floor;
    d.getStartCell(&row, &col);
    d.getWorldtoMap(start, cell);
    EXPECT_EQ(cell[0] * 100 + cell[2], row * 100 + col);
    EXPECT_EQ(d.getCell(row, col) & (256 | 512), 0) << floor;
  }
  QUORL_COMMON::ResetSeeding();
}

TEST(DungeonFloorMap, CellsOfPositionsRoundTripAndShareTheirBoundaries) {
  DungeonFloor d;
  for (int row = -3; row < 24; ++row) {
    for (int col = -3; col < 24; ++col) {
      int cell[3] = {row, 7, col}, back[3];
      float pos[3];
      d.getMaptoWorld(cell, pos);
      d.getWorldtoMap(pos, back);
      EXPECT_EQ(back[0] * 1000 + back[1] * 100 + back[2], row * 1000 + col);
      // x = 4i + 2 still belongs to row i, the next float to row i + 1 (also left of 0); the
      // same along -z for the columns.
      float edge[3] = {4.0f * row + 2, 0, -(4.0f * col + 2)};
      d.getWorldtoMap(edge, back);
      EXPECT_EQ(back[0] * 1000 + back[2], row * 1000 + col);
      float beyond[3] = {std::nextafter(edge[0], 1e9f), 0, std::nextafter(edge[2], -1e9f)};
      d.getWorldtoMap(beyond, back);
      EXPECT_EQ(back[0] * 1000 + back[2], (row + 1) * 1000 + col + 1);
    }
  }
  float odd[3] = {std::nanf(""), 0, HUGE_VALF}, far[3] = {-50, 0, 70};
  int cell[3];
  d.getWorldtoMap(odd, cell);
  EXPECT_LT(cell[0], -1000);
  EXPECT_LT(cell[2], -1000);
  float start[3];
  d.SetMap(start, 10);
  d.SetDrawArea(far, 0);  // off the map: nothing visible, no door, no stairs
  EXPECT_EQ(Seen(d), Rows({}));
  EXPECT_FALSE(d.isVisibleMap(far));
  EXPECT_EQ(d.ThroughDoor(far) + d.DownFloor(far) + d.ThroughDoor(odd) + d.DownFloor(odd), 0);
}

TEST(DungeonFloorMap, ThroughDoorOnlyStrictlyInsideTheDoorway) {
  DungeonFloor d;
  const int doors[1] = {255}, walls[1] = {15};
  ASSERT_EQ(d.SetMapData(doors, 1, 1, 0, 0), 0);
  struct Case {
    float x, z;
    int door;
  };
  const Case cases[] = {{0, -1.4f, 0},     {0, -1.42f, 1},  {0.68f, -1.42f, 1}, {0.7f, -1.42f, 0},
                        {-0.7f, -1.42f, 0}, {0, 1.42f, 2},   {0, 1.4f, 0},       {1.42f, 0, 3},
                        {1.4f, 0, 0},       {1.42f, -0.7f, 0}, {-1.42f, 0.68f, 4}, {1.42f, -1.42f, 0}};
  for (const Case& c : cases) {
    const float pos[3] = {c.x, 0, c.z};  // lx = x / 2, lz = -z / 2: 0.7 and 0.35 exactly
    EXPECT_EQ(d.ThroughDoor(pos), c.door) << c.x << " " << c.z;
  }
  ASSERT_EQ(d.SetMapData(walls, 1, 1, 0, 0), 0);
  const float pos[3] = {0, 0, -1.42f};
  EXPECT_EQ(d.ThroughDoor(pos), 0);
  EXPECT_EQ(d.SetMapData(walls, 21, 1, 0, 0), -1);
}

TEST(DungeonFloorMap, IsFloorExcludesStartStairsRockAndOffMapCells) {
  DungeonFloor d;
  float start[3];
  d.SetMap(start, 20);
  struct Case {
    int row, col;
    bool floor;
  };
  const Case cases[] = {{3, 1, false}, {3, 8, false}, {3, 7, true},  {5, 6, true},  {0, 0, false},
                        {7, 3, false}, {3, 11, false}, {-1, 3, false}, {3, -1, false}};
  for (const Case& c : cases) EXPECT_EQ(d.isFloor(c.row, c.col), c.floor) << c.row << "," << c.col;
}

TEST(DungeonFloorMap, VisibleAreaStopsAtClosedDoorsAndRunsNotBeyondStairs) {
  DungeonFloor d;
  float start[3];
  d.SetMap(start, 10);
  d.SetDrawArea(start, 0);  // in the closet
  EXPECT_EQ(Seen(d), Rows({{3, ".#........."}}));
  EXPECT_TRUE(d.isVisibleMap(start));
  const float inRoom[3] = {16, 0, -16}, onStairs[3] = {12, 0, -32}, corridor[3] = {12, 0, -28};
  const char* room = "..#####....";
  d.SetDrawArea(inRoom, 123);
  EXPECT_EQ(Seen(d), Rows({{1, room}, {2, room}, {3, room}, {4, room}, {5, room}}));
  EXPECT_FALSE(d.isVisibleMap(start));
  // On stairs leading to +x only the way back is scanned; from the corridor, the stairs but
  // nothing beyond them or behind the corridor's door.
  for (const float* pos : {onStairs, corridor}) {
    d.SetDrawArea(pos, 0);
    EXPECT_EQ(Seen(d), Rows({{3, ".......##.."}}));
  }
  // Floor open to the map's edge: the walk stops at the edge.
  const std::vector<int> open = floortest::OpenMap(7, 11);
  ASSERT_EQ(d.SetMapData(open.data(), 7, 11, 0, 0), 0);
  d.SetDrawArea(inRoom, 0);
  for (int i = 0; i < 7; ++i)
    for (int j = 0; j < 11; ++j) EXPECT_EQ(d.getVisibleCell(i, j), 0);
}

TEST(DungeonFloorMap, DumpInEucJp) {
  DungeonFloor d;
  float start[3];
  d.SetMap(start, 10);
  std::vector<int> cells;
  for (int i = 0; i < 7; ++i)
    for (int j = 0; j < 11; ++j) cells.push_back(d.getCell(i, j));
  testing::internal::CaptureStdout();
  dispFloorMapData(cells.data(), 11, 7);
  std::string euc = testing::internal::GetCapturedStdout(), text(euc.size() * 2, '\0');
  iconv_t cd = iconv_open("UTF-8", "EUC-JP");
  ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1));
  char *src = &euc[0], *dst = &text[0];
  size_t left = euc.size(), room = text.size();
  ASSERT_NE(iconv(cd, &src, &left, &dst, &room), static_cast<size_t>(-1));
  iconv_close(cd);
  text.resize(text.size() - room);
  const std::string s = "\u3000", s2 = s + s, s4 = s2 + s2, s6 = s4 + s2, s8 = s4 + s4;
  // Rows 1 and 3: two lines each (the -y side, then the +y side); 14 lines and a closing one.
  const std::string expected[] = {
      s4 + "┌" + "────────" + "┐" + s8 + "\n" + s4 + "│" + s + s6 + s + "│" + s8,
      s2 + "┌┓┃" + s + s6 + s + "┃┏─＃＃" + s4 + "\n" + s2 + "└┛┃" + s + s6 + s + "┃┗─＃＃" + s4};
  EXPECT_NE(text.find("\n" + expected[0] + "\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\n" + expected[1] + "\n"), std::string::npos) << text;
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 15);
  EXPECT_EQ(text.substr(text.size() - 2), "\n\n");
}
