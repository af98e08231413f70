// Tests of the dungeon floor's map half: boss and generated maps, world and cell coordinates,
// doors, stairs, the visible area, off-map queries and the map dump. No OpenGL context needed.
#include "dungeon/dungeonfloor.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <cmath>
#include <limits>
#include <string>

#include "common/random.h"
#include "dungeon/dungeonconst.h"
#include "floortestmaps.h"

using floortest::LocalToWorld;

namespace {

// The boss floor as it must be, rock shown as 256; floor 30 differs only at (3, 6), (3, 7), (3, 8).
const int R = 256;
const int kBoss[7][11] = {
    {R, R, R, R, R, R, R, R, R, R, R},
    {R, R, 10, 8, 8, 8, 9, R, R, R, R},
    {R, R, 2, 0, 0, 0, 1, R, R, R, R},
    {R, 31, 34, 0, 0, 0, 17, 46, 513, R, R},
    {R, R, 2, 0, 0, 0, 1, R, R, R, R},
    {R, R, 6, 4, 4, 4, 5, R, R, R, R},
    {R, R, R, R, R, R, R, R, R, R, R},
};

std::string EucToUtf8(const std::string& euc) {
  iconv_t cd = iconv_open("UTF-8", "EUC-JP");
  if (cd == reinterpret_cast<iconv_t>(-1)) return "(no iconv)";
  std::string in = euc;
  std::string out(in.size() * 3 + 16, '\0');
  char* src = &in[0];
  char* dst = &out[0];
  size_t left = in.size(), room = out.size();
  const size_t r = iconv(cd, &src, &left, &dst, &room);
  iconv_close(cd);
  if (r == static_cast<size_t>(-1)) return "(bad EUC-JP)";
  out.resize(out.size() - room);
  return out;
}

}  // namespace

TEST(DungeonFloorMap, BossFloorsCellByCell) {
  for (int floor : {10, 20, 30}) {
    DungeonFloor dungeon;
    float start[3] = {-1, -1, -1};
    ASSERT_EQ(dungeon.SetMap(start, floor), 0);
    int rows = 0, cols = 0;
    dungeon.MapSize(&rows, &cols);
    ASSERT_EQ(rows, 7);
    ASSERT_EQ(cols, 11);
    EXPECT_EQ(dungeon.getFloorNumber(), floor);
    for (int i = 0; i < rows; ++i) {
      for (int j = 0; j < cols; ++j) {
        int expected = kBoss[i][j];
        if (floor == 30 && i == 3 && j == 6) expected = 1;
        if (floor == 30 && i == 3 && (j == 7 || j == 8)) expected = R;
        EXPECT_EQ(dungeon.getCell(i, j), expected) << "floor " << floor << " cell " << i << "," << j;
      }
    }
    EXPECT_FLOAT_EQ(start[0], 12.0f);
    EXPECT_FLOAT_EQ(start[1], 0.0f);
    EXPECT_FLOAT_EQ(start[2], -4.0f);
    // Stairs only where there is a way out.
    float stairs[3] = {12, 0, -32};
    EXPECT_EQ(dungeon.DownFloor(stairs), floor == 30 ? 0 : 1);
    EXPECT_EQ(dungeon.DownFloor(start), 0);
  }
}

TEST(DungeonFloorMap, GeneratedFloorsAre20By20WithAStartOnFloor) {
  QUORL_COMMON::SetFixedSeed(1234);
  for (int floor : {-7, 0, 1, 5, 9, 11, 19, 29, 31, 50, 99}) {
    DungeonFloor dungeon;
    float start[3];
    ASSERT_EQ(dungeon.SetMap(start, floor), 0);
    int rows = 0, cols = 0;
    dungeon.MapSize(&rows, &cols);
    ASSERT_EQ(rows, 20) << floor;
    ASSERT_EQ(cols, 20) << floor;
    int cell[3];
    dungeon.getWorldtoMap(start, cell);
    int startRow, startCol;
    dungeon.getStartCell(&startRow, &startCol);
    EXPECT_EQ(cell[0], startRow);
    EXPECT_EQ(cell[2], startCol);
    const int c = dungeon.getCell(startRow, startCol);
    EXPECT_EQ(c & (DungeonConst::FLOOR_NONE | DungeonConst::FLOOR_STEP), 0) << floor;
    int stairs = 0;
    for (int i = 0; i < rows; ++i)
      for (int j = 0; j < cols; ++j) stairs += (dungeon.getCell(i, j) & DungeonConst::FLOOR_STEP) ? 1 : 0;
    EXPECT_EQ(stairs, 1) << floor;
  }
  QUORL_COMMON::ResetSeeding();
}

TEST(DungeonFloorMap, CellsAndWorldPositionsRoundTripAndShareBoundaries) {
  DungeonFloor dungeon;
  for (int row = -3; row < 24; ++row) {
    for (int col = -3; col < 24; ++col) {
      int cell[3] = {row, 7, col};
      float pos[3];
      dungeon.getMaptoWorld(cell, pos);
      EXPECT_EQ(pos[0], 4.0f * row);
      EXPECT_EQ(pos[1], 0.0f);
      EXPECT_EQ(pos[2], -4.0f * col);
      int back[3] = {-9, -9, -9};
      EXPECT_EQ(dungeon.getWorldtoMap(pos, back), 0);
      EXPECT_EQ(back[0], row);
      EXPECT_EQ(back[1], 0);
      EXPECT_EQ(back[2], col);
      // x = 4i + 2 still belongs to row i, the next float above it to row i + 1; and the same
      // along -z for the columns. This holds left of the origin too.
      float edge[3] = {4.0f * row + 2.0f, 0, -(4.0f * col + 2.0f)};
      dungeon.getWorldtoMap(edge, back);
      EXPECT_EQ(back[0], row);
      EXPECT_EQ(back[2], col);
      float beyond[3] = {std::nextafter(edge[0], 1e9f), 0, std::nextafter(edge[2], -1e9f)};
      dungeon.getWorldtoMap(beyond, back);
      EXPECT_EQ(back[0], row + 1);
      EXPECT_EQ(back[2], col + 1);
    }
  }
  // Non-finite and huge positions give cells far off every map, without overflow.
  const float inf = std::numeric_limits<float>::infinity();
  float odd[3] = {std::nanf(""), 0, inf};
  int cell[3];
  dungeon.getWorldtoMap(odd, cell);
  EXPECT_LT(cell[0], -1000);
  EXPECT_LT(cell[2], -1000);
}

TEST(DungeonFloorMap, ThroughDoorNeedsTheDoorSideStrictlyPassed) {
  // Cell (0, 0) holds doors on all four sides, so every comparison can be made exactly.
  DungeonFloor dungeon;
  const int all = 15 | 16 | 32 | 64 | 128;
  const int cells[1] = {all};
  ASSERT_EQ(dungeon.SetMapData(cells, 1, 1, 0, 0), 0);
  struct Case {
    float x, z;
    int door;
  };
  const Case cases[] = {
      {0.0f, -1.4f, 0},     // lz = 0.7 exactly: not yet through
      {0.0f, -1.42f, 1},    // lz = 0.71: through the +x door
      {0.68f, -1.42f, 1},   // lx = 0.34
      {0.7f, -1.42f, 0},    // lx = 0.35 exactly: beside the door
      {-0.7f, -1.42f, 0},   // lx = -0.35 exactly
      {0.0f, 1.42f, 2},     // lz = -0.71: the -x door
      {0.0f, 1.4f, 0},
      {1.42f, 0.0f, 3},     // lx = 0.71: the +y door
      {1.4f, 0.0f, 0},
      {1.42f, -0.7f, 0},    // lz = 0.35 exactly
      {-1.42f, 0.0f, 4},    // lx = -0.71: the -y door
      {-1.42f, 0.68f, 4},
      {0.0f, 0.0f, 0},
      {1.42f, -1.42f, 0},   // in the corner: each door needs the other coordinate in its range
  };
  for (const Case& c : cases) {
    float pos[3] = {c.x, 0, c.z};
    EXPECT_EQ(dungeon.ThroughDoor(pos), c.door) << c.x << " " << c.z;
  }
  // The same positions in a cell whose walls hold no doors pass nothing.
  const int walls[1] = {15};
  ASSERT_EQ(dungeon.SetMapData(walls, 1, 1, 0, 0), 0);
  float pos[3] = {0.0f, 0, -1.42f};
  EXPECT_EQ(dungeon.ThroughDoor(pos), 0);

  // The boss floor's closet door, walking from the start towards -z.
  float start[3];
  dungeon.SetMap(start, 10);
  float inDoor[3] = {12.0f, 0.0f, -5.42f};
  EXPECT_EQ(dungeon.ThroughDoor(inDoor), 1);
  EXPECT_EQ(dungeon.ThroughDoor(start), 0);
}

TEST(DungeonFloorMap, IsFloorOfStartStairsAndEdges) {
  DungeonFloor dungeon;
  float start[3];
  dungeon.SetMap(start, 20);
  EXPECT_FALSE(dungeon.isFloor(3, 1));   // the start cell
  EXPECT_FALSE(dungeon.isFloor(3, 8));   // stairs
  EXPECT_TRUE(dungeon.isFloor(3, 7));    // the corridor before them
  EXPECT_TRUE(dungeon.isFloor(3, 4));
  EXPECT_FALSE(dungeon.isFloor(0, 0));   // rock
  EXPECT_FALSE(dungeon.isFloor(7, 3));   // row == rows
  EXPECT_FALSE(dungeon.isFloor(3, 11));  // column == cols
  EXPECT_FALSE(dungeon.isFloor(-1, 3));
  EXPECT_FALSE(dungeon.isFloor(3, -1));
  EXPECT_FALSE(dungeon.isFloor(-2147483647 - 1, 2147483647));
  // A map of floor with walls at its very edge: the edge cells are floor, one step beyond is not.
  const std::vector<int> open = floortest::OpenMap(2, 3);
  ASSERT_EQ(dungeon.SetMapData(open.data(), 2, 3, 0, 0), 0);
  EXPECT_FALSE(dungeon.isFloor(0, 0));
  EXPECT_TRUE(dungeon.isFloor(1, 2));
  EXPECT_FALSE(dungeon.isFloor(2, 2));
  EXPECT_FALSE(dungeon.isFloor(1, 3));
}

TEST(DungeonFloorMap, SetMapDataRejectsBadSizes) {
  DungeonFloor dungeon;
  const std::vector<int> cells(21 * 21, 0);
  EXPECT_EQ(dungeon.SetMapData(cells.data(), 21, 5, 0, 0), -1);
  EXPECT_EQ(dungeon.SetMapData(cells.data(), 5, 0, 0, 0), -1);
  EXPECT_EQ(dungeon.SetMapData(nullptr, 5, 5, 0, 0), -1);
  EXPECT_EQ(dungeon.SetMapData(cells.data(), 20, 20, 0, 0), 0);
}

TEST(DungeonFloorVisible, ClosedDoorsHideWhatLiesBehindThem) {
  DungeonFloor dungeon;
  float start[3];
  dungeon.SetMap(start, 10);
  // In the closet: only the closet itself.
  dungeon.SetDrawArea(start, 0);
  for (int i = 0; i < 7; ++i)
    for (int j = 0; j < 11; ++j)
      EXPECT_EQ(dungeon.getVisibleCell(i, j), (i == 3 && j == 1) ? 31 : R) << i << "," << j;
  EXPECT_TRUE(dungeon.isVisibleMap(start));

  // In the room: the whole room, but not the closet, the corridor or the stairs.
  float room[3] = {16, 0, -16};
  dungeon.SetDrawArea(room, 123.0f);
  for (int i = 0; i < 7; ++i) {
    for (int j = 0; j < 11; ++j) {
      const bool inRoom = i >= 1 && i <= 5 && j >= 2 && j <= 6;
      EXPECT_EQ(dungeon.getVisibleCell(i, j), inRoom ? kBoss[i][j] : R) << i << "," << j;
    }
  }
  EXPECT_FALSE(dungeon.isVisibleMap(start));
  // The heading does not matter.
  dungeon.SetDrawArea(room, 0.0f);
  EXPECT_EQ(dungeon.getVisibleCell(5, 6), 5);
}

TEST(DungeonFloorVisible, OnTheStairsOnlyTheWayBackIsSeen) {
  DungeonFloor dungeon;
  float start[3];
  dungeon.SetMap(start, 20);
  float stairs[3] = {12, 0, -32};
  dungeon.SetDrawArea(stairs, 90);
  for (int i = 0; i < 7; ++i) {
    for (int j = 0; j < 11; ++j) {
      int expected = R;
      if (i == 3 && j == 8) expected = 513;
      if (i == 3 && j == 7) expected = 46;
      EXPECT_EQ(dungeon.getVisibleCell(i, j), expected) << i << "," << j;
    }
  }
  // From the corridor the scan stops at the stairs and does not run on beyond them.
  float corridor[3] = {12, 0, -28};
  dungeon.SetDrawArea(corridor, 0);
  EXPECT_EQ(dungeon.getVisibleCell(3, 8), 513);
  EXPECT_EQ(dungeon.getVisibleCell(3, 9), R);
  EXPECT_EQ(dungeon.getVisibleCell(3, 6), R);  // behind the corridor's door
}

TEST(DungeonFloorVisible, OpenMapsAndPositionsOffTheMap) {
  DungeonFloor dungeon;
  // Floor open to the map's edge: the scan stops at the edge and sees every cell.
  const std::vector<int> open = floortest::OpenMap(6, 9);
  ASSERT_EQ(dungeon.SetMapData(open.data(), 6, 9, 0, 0), 0);
  float pos[3];
  LocalToWorld(2, 4, 0, 0, 0, pos);
  dungeon.SetDrawArea(pos, 0);
  for (int i = 0; i < 6; ++i)
    for (int j = 0; j < 9; ++j) EXPECT_EQ(dungeon.getVisibleCell(i, j), 0) << i << "," << j;
  // Off the map nothing is visible and nothing is read.
  float away[3] = {-100, 0, 100};
  dungeon.SetDrawArea(away, 0);
  for (int i = 0; i < 6; ++i)
    for (int j = 0; j < 9; ++j) EXPECT_EQ(dungeon.getVisibleCell(i, j), R);
  EXPECT_FALSE(dungeon.isVisibleMap(away));
  EXPECT_EQ(dungeon.DownFloor(away), 0);
  EXPECT_EQ(dungeon.ThroughDoor(away), 0);
  float nan[3] = {std::nanf(""), std::nanf(""), std::nanf("")};
  dungeon.SetDrawArea(nan, 0);
  EXPECT_FALSE(dungeon.isVisibleMap(nan));
}

TEST(DungeonFloorDump, BossMapInEucJp) {
  DungeonFloor dungeon;
  float start[3];
  dungeon.SetMap(start, 10);
  std::vector<int> cells(7 * 11);
  for (int i = 0; i < 7; ++i)
    for (int j = 0; j < 11; ++j) cells[i * 11 + j] = dungeon.getCell(i, j);
  testing::internal::CaptureStdout();
  dispFloorMapData(cells.data(), 11, 7);
  const std::string text = EucToUtf8(testing::internal::GetCapturedStdout());

  std::vector<std::string> lines;
  size_t from = 0;
  for (size_t at; (at = text.find('\n', from)) != std::string::npos; from = at + 1) {
    lines.push_back(text.substr(from, at - from));
  }
  ASSERT_EQ(lines.size(), 15u);  // two per row and one closing line
  EXPECT_EQ(lines[14], "");
  const std::string sp = "\u3000";
  auto rock = [&](int n) {
    std::string s;
    for (int k = 0; k < 2 * n; ++k) s += sp;
    return s;
  };
  // Row 3: rock, closet (door on its +x side), door cell, open room, wall with door, corridor
  // (door on its -x side), stairs, rock.
  EXPECT_EQ(lines[6], rock(1) + "┌┓" + "┃" + sp + rock(3) + sp + "┃" + "┏─" + "＃＃" + rock(2));
  EXPECT_EQ(lines[7], rock(1) + "└┛" + "┃" + sp + rock(3) + sp + "┃" + "┗─" + "＃＃" + rock(2));
  // Row 1: the room's top wall.
  EXPECT_EQ(lines[2], rock(2) + "┌─" + "──" + "──" + "──" + "─┐" + rock(4));
  EXPECT_EQ(lines[3], rock(2) + "│" + sp + rock(3) + sp + "│" + rock(4));
  EXPECT_EQ(lines[0], rock(11));
}
