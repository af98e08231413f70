// Digger: the random walker over the segment grid that decides which segments are joined.
#include "dungeon/digger.h"

#include <cstdlib>

namespace DungeonMake {

namespace {

// Element steps of the direction indices UP, DOWN, LEFT, RIGHT.
const int add_x[4] = {0, 0, -1, 1};
const int add_y[4] = {-1, 1, 0, 0};
// The bit set in the element a move arrives in, pointing back where it came from.
const int backBit[4] = {Digger::DOWN, Digger::UP, Digger::RIGHT, Digger::LEFT};

}  // namespace

Digger::Digger(int x, int y, int steps, int threshold)
    : x(x),
      y(y),
      steps(steps),
      turnThreshold(threshold),
      baseThreshold(threshold),
      lastDirection(-1) {}

Digger::~Digger() {}

bool Digger::WalkMap(int* segmentMap, int rowLength) {
  if (steps <= 0) return false;

  bool open[4];
  bool anyOpen = false;
  for (int d = 0; d < 4; ++d) {
    open[d] = segmentMap[(y + add_y[d]) * rowLength + x + add_x[d]] != -1;
    anyOpen = anyOpen || open[d];
  }
  if (!anyOpen) return false;

  // Go on straight with a chance that shrinks after every straight move, else turn at random.
  bool keep = false;
  if (lastDirection != -1 && open[lastDirection]) {
    const int r = rand() % 101;
    if (r >= turnThreshold) {
      keep = true;
      turnThreshold *= 2;
      if (turnThreshold > 100) turnThreshold = 100;
    }
  }
  int d = lastDirection;
  if (!keep) {
    do {
      d = rand() % 4;
    } while (!open[d]);
    turnThreshold = baseThreshold;
  }

  lastDirection = d;
  segmentMap[y * rowLength + x] |= 1 << d;
  x += add_x[d];
  y += add_y[d];
  segmentMap[y * rowLength + x] |= backBit[d];
  steps -= 1;
  return true;
}

}  // namespace DungeonMake
