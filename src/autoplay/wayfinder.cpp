// Breadth-first way-finding over the map's cells.
#include "autoplay/wayfinder.h"

#include <algorithm>
#include <queue>

#include "dungeon/dungeonconst.h"

namespace WayFinder {

using namespace DungeonConst;

// Right (+column, yaw 0), left (-column, 180), down (+row, 90), up (-row, 270).
const Direction kDirections[4] = {
    {0, 1, WALL_RIGHT, DOOR_RIGHT, WALL_LEFT, DOOR_LEFT, 0},
    {0, -1, WALL_LEFT, DOOR_LEFT, WALL_RIGHT, DOOR_RIGHT, 180},
    {1, 0, WALL_DOWN, DOOR_DOWN, WALL_UP, DOOR_UP, 90},
    {-1, 0, WALL_UP, DOOR_UP, WALL_DOWN, DOOR_DOWN, 270},
};

int Grid::at(int row, int col) const {
  if (row < 0 || col < 0 || row >= rows || col >= cols) return FLOOR_NONE;
  return (*cells)[static_cast<size_t>(row) * cols + col];
}

bool CanStep(const Grid& grid, int row, int col, int d) {
  const Direction& way = kDirections[d];
  const int a = grid.at(row, col);
  const int b = grid.at(row + way.dr, col + way.dc);
  if ((a & (FLOOR_NONE | FLOOR_STEP)) || (b & FLOOR_NONE)) return false;
  if ((a & way.wall) && !(a & way.door)) return false;
  // The stairs are entered walking the way they lead down; their one wall bit names it.
  if (b & FLOOR_STEP) return (b & WALL_ALL) == way.wall;
  return !((b & way.backWall) && !(b & way.backDoor));
}

std::vector<int> FindWay(const Grid& grid, int fromRow, int fromCol, int toRow, int toCol) {
  std::vector<int> steps;
  const auto inside = [&](int r, int c) { return r >= 0 && c >= 0 && r < grid.rows && c < grid.cols; };
  if (!inside(fromRow, fromCol) || !inside(toRow, toCol) || (fromRow == toRow && fromCol == toCol)) return steps;
  // came[cell]: the direction that first reached it, 4 for the start, -1 not reached.
  std::vector<int> came(static_cast<size_t>(grid.rows) * grid.cols, -1);
  std::queue<int> open;
  const int start = fromRow * grid.cols + fromCol, goal = toRow * grid.cols + toCol;
  came[start] = 4;
  open.push(start);
  while (!open.empty() && came[goal] == -1) {
    const int here = open.front();
    open.pop();
    for (int d = 0; d < 4; ++d) {
      const int r = here / grid.cols + kDirections[d].dr, c = here % grid.cols + kDirections[d].dc;
      if (!inside(r, c) || came[r * grid.cols + c] != -1 || !CanStep(grid, here / grid.cols, here % grid.cols, d)) continue;
      came[r * grid.cols + c] = d;
      open.push(r * grid.cols + c);
    }
  }
  if (came[goal] == -1) return steps;
  for (int at = goal; came[at] != 4;) {
    const int d = came[at];
    steps.push_back(d);
    at -= kDirections[d].dr * grid.cols + kDirections[d].dc;
  }
  std::reverse(steps.begin(), steps.end());
  return steps;
}

}  // namespace WayFinder
