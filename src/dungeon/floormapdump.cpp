// Diagnostic dump of a dungeon map as full-width EUC-JP glyphs on standard output.
#include <cstdio>
#include <string>

#include "dungeon/dungeonconst.h"
#include "dungeon/dungeonfloor.h"

namespace {

// Glyphs in EUC-JP (two bytes each).
const char kSpace[] = "\xA1\xA1";  // ideographic space
const char kStairs[] = "\xA1\xF4";  // full-width number sign
// Box-drawing glyphs, light for walls and heavy for doors: horizontal, vertical, and the corners
// top-left, top-right, bottom-left, bottom-right.
struct BoxGlyphs {
  const char* horizontal;
  const char* vertical;
  const char* corner[4];
};
const BoxGlyphs kLight = {"\xA8\xA1", "\xA8\xA2", {"\xA8\xA3", "\xA8\xA4", "\xA8\xA6", "\xA8\xA5"}};
const BoxGlyphs kHeavy = {"\xA8\xAC", "\xA8\xAD", {"\xA8\xAE", "\xA8\xAF", "\xA8\xB1", "\xA8\xB0"}};

// One quarter of a cell's picture: the side across the line (-y or +y) and the side along it
// (-x for the left glyph, +x for the right one); corner index as in BoxGlyphs.
struct Quarter {
  int lineWall, lineDoor, sideWall, sideDoor, corner;
};
const Quarter kQuarters[2][2] = {
    {{DungeonConst::WALL_UP, DungeonConst::DOOR_UP, DungeonConst::WALL_LEFT, DungeonConst::DOOR_LEFT, 0},
     {DungeonConst::WALL_UP, DungeonConst::DOOR_UP, DungeonConst::WALL_RIGHT, DungeonConst::DOOR_RIGHT, 1}},
    {{DungeonConst::WALL_DOWN, DungeonConst::DOOR_DOWN, DungeonConst::WALL_LEFT, DungeonConst::DOOR_LEFT, 2},
     {DungeonConst::WALL_DOWN, DungeonConst::DOOR_DOWN, DungeonConst::WALL_RIGHT, DungeonConst::DOOR_RIGHT, 3}},
};

// The glyph of one quarter of a floor cell. A corner is drawn heavy when either of its sides
// holds a door.
const char* QuarterGlyph(int c, const Quarter& q) {
  const bool line = (c & q.lineWall) != 0;
  const bool side = (c & q.sideWall) != 0;
  if (line && side) {
    const bool door = (c & q.lineDoor) || (c & q.sideDoor);
    return (door ? kHeavy : kLight).corner[q.corner];
  }
  if (line) return ((c & q.lineDoor) ? kHeavy : kLight).horizontal;
  if (side) return ((c & q.sideDoor) ? kHeavy : kLight).vertical;
  return kSpace;
}

}  // namespace

void dispFloorMapData(const int* map, int width, int height) {
  std::string text;
  if (map != nullptr) {
    for (int y = 0; y < height; ++y) {
      for (int line = 0; line < 2; ++line) {
        for (int x = 0; x < width; ++x) {
          const int c = map[y * width + x];
          for (int half = 0; half < 2; ++half) {
            if (c & DungeonConst::FLOOR_NONE) {
              text += kSpace;
            } else if (c & DungeonConst::FLOOR_STEP) {
              text += kStairs;
            } else {
              text += QuarterGlyph(c, kQuarters[line][half]);
            }
          }
        }
        text += '\n';
      }
    }
  }
  text += '\n';
  fputs(text.c_str(), stdout);
}
