// The two ways mapgen writes a map: plain numbers for scripts, box drawing for people.
#include "maptext.h"

#include <cstdio>

#include "dungeon/dungeonconst.h"

namespace mapgen {

namespace {

using namespace DungeonConst;

std::string Line(const char* format, int a, int b) {
  char text[64];
  snprintf(text, sizeof text, format, a, b);
  return text;
}

std::string Header(const FloorMap& map) {
  char text[96];
  snprintf(text, sizeof text, "map %u %d %d %d\n", map.seed, map.floor, map.rows, map.cols);
  return text;
}

std::string Footer(const FloorMap& map) {
  std::string out = Line("start %d %d\n", map.startRow, map.startCol);
  if (map.stairRow >= 0) out += Line("stair %d %d\n", map.stairRow, map.stairCol);
  return out;
}

// What a side between two cells shows: nothing, a wall, or a wall with a door.
enum SideKind { kOpen, kWall, kDoor };

// The side between cell a and its neighbour b; `wall`/`door` are a's bits for that side and
// `backWall`/`backDoor` b's. Rock facing anything else is walled even where no bit says so
// (the sides and far end of the stairs); the stairs' own bit is not a wall.
SideKind SideBetween(int a, int b, int wall, int door, int backWall, int backDoor) {
  const bool rockA = a == FLOOR_NONE;
  const bool rockB = b == FLOOR_NONE;
  if (rockA && rockB) return kOpen;
  const bool bitsA = !rockA && !(a & FLOOR_STEP);
  const bool bitsB = !rockB && !(b & FLOOR_STEP);
  if ((bitsA && (a & door)) || (bitsB && (b & backDoor))) return kDoor;
  if ((bitsA && (a & wall)) || (bitsB && (b & backWall)) || rockA || rockB) return kWall;
  return kOpen;
}

// A side running along a row (three characters) and across it (one), by SideKind.
const char* const kAcross[3] = {"   ", "───", "─━─"};
const char* const kAlong[3] = {" ", "│", "┃"};

// The stairs' inside by the way they lead down (map +x right, +y down).
struct StairArrow {
  int bit;
  const char* text;
};
const StairArrow kStairArrows[4] = {
    {WALL_RIGHT, " → "}, {WALL_LEFT, " ← "}, {WALL_DOWN, " ↓ "}, {WALL_UP, " ↑ "}};

// Corner glyphs by the lines that meet there: bit 1 up, 2 down, 4 left, 8 right.
const char* const kCorners[16] = {" ", "╵", "╷", "│", "╴", "┘", "┐", "┤",
                                  "╶", "└", "┌", "├", "─", "┴", "┬", "┼"};

}  // namespace

std::string PlainText(const FloorMap& map) {
  std::string out = Header(map);
  for (int r = 0; r < map.rows; ++r) {
    for (int c = 0; c < map.cols; ++c) {
      if (c > 0) out += ' ';
      out += std::to_string(map.At(r, c));
    }
    out += '\n';
  }
  return out + Footer(map);
}

std::string PrettyText(const FloorMap& map) {
  // The horizontal side above cell (r, c) (r may equal rows: below the last row) and the
  // vertical side left of it (c may equal cols).
  auto above = [&](int r, int c) {
    return SideBetween(map.At(r, c), map.At(r - 1, c), WALL_UP, DOOR_UP, WALL_DOWN, DOOR_DOWN);
  };
  auto leftOf = [&](int r, int c) {
    return SideBetween(map.At(r, c), map.At(r, c - 1), WALL_LEFT, DOOR_LEFT, WALL_RIGHT,
                       DOOR_RIGHT);
  };
  auto inside = [&](int r, int c) -> std::string {
    if (r == map.startRow && c == map.startCol) return " S ";
    const int v = map.At(r, c);
    if (v == FLOOR_NONE) return "░░░";
    if (v & FLOOR_STEP) {
      for (const StairArrow& arrow : kStairArrows) {
        if ((v & WALL_ALL) == arrow.bit) return arrow.text;
      }
    }
    return "   ";
  };

  std::string out = Header(map);
  for (int r = 0; r <= map.rows; ++r) {
    // The corners and horizontal sides above row r.
    for (int c = 0; c <= map.cols; ++c) {
      int arms = 0;
      if (r > 0 && leftOf(r - 1, c) != kOpen) arms |= 1;
      if (r < map.rows && leftOf(r, c) != kOpen) arms |= 2;
      if (c > 0 && above(r, c - 1) != kOpen) arms |= 4;
      if (c < map.cols && above(r, c) != kOpen) arms |= 8;
      out += kCorners[arms];
      if (c == map.cols) break;
      out += kAcross[above(r, c)];
    }
    out += '\n';
    if (r == map.rows) break;
    // The vertical sides and the insides of row r.
    for (int c = 0; c <= map.cols; ++c) {
      out += kAlong[leftOf(r, c)];
      if (c < map.cols) out += inside(r, c);
    }
    out += '\n';
  }
  return out + Footer(map);
}

}  // namespace mapgen
