// Digger: the random walker over the segment grid that decides which segments are joined.
#pragma once

namespace DungeonMake {

class Digger {
 public:
  // Connection bits of a segment-map element, towards the neighbour on that side.
  static const int UP = 1;     // -y
  static const int DOWN = 2;   // +y
  static const int LEFT = 4;   // -x
  static const int RIGHT = 8;  // +x

  // Starts at segment-map element (x, y) with `steps` moves to make; `threshold` (0 to 100)
  // is the chance in percent, roughly, of turning after a fresh turn.
  Digger(int x, int y, int steps, int threshold);
  ~Digger();

  // One move over the segment map (rowLength elements a row, -1 on the border it never
  // enters): marks the connection in both elements. True when it moved, false when it is done.
  bool WalkMap(int* segmentMap, int rowLength);

  int x;
  int y;
  int steps;          // moves left
  int turnThreshold;  // current threshold of turning, 0 to 100
  int baseThreshold;  // the threshold after a turn
  int lastDirection;  // direction index of the last move (MapSegment::UP...), -1 before the first
};

}  // namespace DungeonMake
