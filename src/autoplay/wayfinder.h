// Way-finding over the cells of a floor's map for the autoplayer: which neighbouring cells the
// player can walk between (walls only through their doors, the stairs only from the side they
// lead down to) and the shortest way between two cells.
#pragma once

#include <vector>

namespace WayFinder {

// The four ways out of a cell: the step in rows and columns, the wall and door bits of the cell
// left on that side and of the cell entered on the opposite side, and the heading (degrees, the
// game's yaw) that walks it.
struct Direction {
  int dr, dc;
  int wall, door, backWall, backDoor;
  int yaw;
};
extern const Direction kDirections[4];

// A floor's map: cell (row, col) is cells[row * cols + col]; outside it is rock.
struct Grid {
  const std::vector<int>* cells;
  int rows, cols;
  int at(int row, int col) const;
};

// Whether the player can walk from cell (row, col) into its neighbour in direction `d` (0 to 3).
bool CanStep(const Grid& grid, int row, int col, int d);

// The shortest way from one cell to another: the directions of its steps, in order. Empty when
// the cells are the same or there is no way.
std::vector<int> FindWay(const Grid& grid, int fromRow, int fromCol, int toRow, int toCol);

}  // namespace WayFinder
