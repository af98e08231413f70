// DMPoint: one cell position on a grid of the map generator.
#pragma once

namespace DungeonMake {

class DMPoint {
 public:
  DMPoint(int x, int y) : x(x), y(y) {}

  int x;  // column
  int y;  // row
};

}  // namespace DungeonMake
