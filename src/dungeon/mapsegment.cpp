// MapSegment: a rectangle of the colour map that paints itself as a room or a corridor figure.
#include "dungeon/mapsegment.h"

#include <cstdlib>
#include <vector>

#include "dungeon/dmpoint.h"

namespace DungeonMake {

MapSegment::MapSegment(int left, int top, int right, int bottom, int colour)
    : left(left), top(top), right(right), bottom(bottom), colour(colour) {}

MapSegment::~MapSegment() {}

int MapSegment::GetColor() const { return colour; }

bool MapSegment::Include(int x, int y) const {
  return left <= x && x <= right && top <= y && y <= bottom;
}

void MapSegment::Fill(int* map, int rowLength) const {
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x <= right; ++x) map[y * rowLength + x] = colour;
  }
}

void MapSegment::Inverse(int* map, int rowLength) const {
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x <= right; ++x) {
      int& cell = map[y * rowLength + x];
      cell = (cell != 0) ? 0 : colour;
    }
  }
}

void MapSegment::DrawRoom(int* map, int rowLength) const {
  for (int y = top + 1; y <= bottom - 1; ++y) {
    for (int x = left + 1; x <= right - 1; ++x) map[y * rowLength + x] = colour;
  }
}

namespace {

// Cell steps of the direction indices UP, DOWN, LEFT, RIGHT.
const int kStepX[4] = {0, 0, -1, 1};
const int kStepY[4] = {-1, 1, 0, 0};

}  // namespace

void MapSegment::DrawRoute(int* map, int rowLength) {
  // The trails leave the rim first; a rectangle without an inner cell has nowhere to go.
  if (right - left < 2 || bottom - top < 2) return;

  // The colour's cells on the rim: the joints this figure has to join.
  std::vector<DMPoint> points;
  for (int x = left; x <= right; ++x) {
    if (map[top * rowLength + x] == colour) points.push_back(DMPoint(x, top));
    if (map[bottom * rowLength + x] == colour) points.push_back(DMPoint(x, bottom));
  }
  for (int y = top + 1; y <= bottom - 1; ++y) {
    if (map[y * rowLength + left] == colour) points.push_back(DMPoint(left, y));
    if (map[y * rowLength + right] == colour) points.push_back(DMPoint(right, y));
  }

  // Every point left outside the rectangle follows the side that moved, painting its trail.
  auto follow = [&](int direction) {
    for (DMPoint& p : points) {
      if (Include(p.x, p.y)) continue;
      p.x += kStepX[direction];
      p.y += kStepY[direction];
      map[p.y * rowLength + p.x] = colour;
    }
  };

  // First off the rim on all four sides, then inwards at random down to a single cell.
  left += 1;
  follow(RIGHT);
  right -= 1;
  follow(LEFT);
  top += 1;
  follow(DOWN);
  bottom -= 1;
  follow(UP);
  for (int direction = Shrink(); direction != -1; direction = Shrink()) follow(direction);
  map[top * rowLength + left] = colour;
}

int MapSegment::Shrink() {
  const bool canX = left < right;
  const bool canY = top < bottom;
  int v;
  if (canX && canY) {
    v = rand() % 100;
  } else if (canX) {
    v = rand() % 50;
  } else if (canY) {
    v = rand() % 50 + 50;
  } else {
    return -1;
  }
  if (v <= 24) {
    left += 1;
    return RIGHT;
  }
  if (v <= 49) {
    right -= 1;
    return LEFT;
  }
  if (v <= 74) {
    top += 1;
    return DOWN;
  }
  bottom -= 1;
  return UP;
}

void MapSegment::Somewhere(const int* map, int rowLength, int* x, int* y) const {
  std::vector<DMPoint> cells;
  for (int cx = left; cx <= right; ++cx) {
    for (int cy = top; cy <= bottom; ++cy) {
      if (map[cy * rowLength + cx] == colour) cells.push_back(DMPoint(cx, cy));
    }
  }
  if (cells.empty()) return;
  const DMPoint& chosen = cells[rand() % static_cast<int>(cells.size())];
  *x = chosen.x;
  *y = chosen.y;
}

}  // namespace DungeonMake
