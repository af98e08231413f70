// MapSegment: a rectangle of the colour map that paints itself as a room or a corridor figure.
#pragma once

namespace DungeonMake {

class MapSegment {
 public:
  // Direction indices, as Shrink returns them.
  static const int UP = 0;     // -y
  static const int DOWN = 1;   // +y
  static const int LEFT = 2;   // -x
  static const int RIGHT = 3;  // +x

  // Inclusive cell bounds in the colour map and the segment's colour (>= 1).
  MapSegment(int left, int top, int right, int bottom, int colour);
  ~MapSegment();

  int GetColor() const;
  // True when left <= x <= right and top <= y <= bottom.
  bool Include(int x, int y) const;

  // The map arguments are colour maps with `rowLength` cells per row that hold the rectangle.
  // Every cell of the rectangle gets the colour.
  void Fill(int* map, int rowLength) const;
  // Non-zero cells of the rectangle become 0, zero cells take the colour.
  void Inverse(int* map, int rowLength) const;
  // The rectangle less its one-cell rim gets the colour.
  void DrawRoom(int* map, int rowLength) const;
  // Joins every cell of the colour on the rim by trails that meet in one cell, and leaves the
  // rectangle shrunk to that cell.
  void DrawRoute(int* map, int rowLength);
  // Moves one side one cell inwards, at random, and returns the direction it moved in
  // (UP, DOWN, LEFT, RIGHT), or -1 for a single cell (nothing changes, nothing is drawn).
  int Shrink();
  // Writes a random cell of the rectangle holding the colour into x and y; leaves them as they
  // are, and draws nothing, when there is none.
  void Somewhere(const int* map, int rowLength, int* x, int* y) const;

  int left;
  int top;
  int right;
  int bottom;
  int colour;
};

}  // namespace DungeonMake
