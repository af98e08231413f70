// The map generator of an ordinary dungeon floor: rooms, corridors, doors and one stair.
#include "dungeon/dungeonmake.h"

#include <cstdlib>

#include "common/random.h"
#include "dungeon/digger.h"
#include "dungeon/dmpoint.h"
#include "dungeon/dungeonconst.h"

namespace DungeonMake {

namespace {

// Width of the solid border around the segments, in cells.
const int kBorder = 3;
// Distance of a colour that no joint leads to.
const int kUnreached = 999;
// The walk's base threshold of turning, in percent.
const int kTurnThreshold = 50;

// One side of a cell: the neighbour's offset, its wall bit and its wall-and-door bits, in the
// order MakeNewDungeon tests them.
struct Side {
  int dx, dy;
  int wall;
  int wallAndDoor;
};
const Side kSides[4] = {
    {1, 0, DungeonConst::WALL_RIGHT, DungeonConst::WALL_RIGHT | DungeonConst::DOOR_RIGHT},
    {-1, 0, DungeonConst::WALL_LEFT, DungeonConst::WALL_LEFT | DungeonConst::DOOR_LEFT},
    {0, -1, DungeonConst::WALL_UP, DungeonConst::WALL_UP | DungeonConst::DOOR_UP},
    {0, 1, DungeonConst::WALL_DOWN, DungeonConst::WALL_DOWN | DungeonConst::DOOR_DOWN},
};

// A way the stairs may lead away from their entry cell, in the order MakeStair tries them.
struct StairWay {
  int dx, dy;
  int bit;
};
const StairWay kStairWays[4] = {
    {0, -1, DungeonConst::WALL_UP},
    {0, 1, DungeonConst::WALL_DOWN},
    {-1, 0, DungeonConst::WALL_LEFT},
    {1, 0, DungeonConst::WALL_RIGHT},
};

// A connection of the segment walk: its bit, the bit of the neighbour that points back, the
// neighbour's offset on the segment grid.
struct Connection {
  int bit;
  int backBit;
  int dsx, dsy;
};
const Connection kConnections[4] = {
    {Digger::UP, Digger::DOWN, 0, -1},
    {Digger::DOWN, Digger::UP, 0, 1},
    {Digger::LEFT, Digger::RIGHT, -1, 0},
    {Digger::RIGHT, Digger::LEFT, 1, 0},
};

}  // namespace

void MakeColorMap(int* colorMap, DMParams* params, JointSet* joints, SegmentList* segments) {
  const int width = params->width;
  const int height = params->height;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool inside =
          x >= kBorder && x <= width - kBorder - 1 && y >= kBorder && y <= height - kBorder - 1;
      colorMap[y * width + x] = inside ? 0 : -1;
    }
  }

  QUORL_COMMON::SeedRandom();

  const int gridRow = params->segmentsX + 2;
  std::vector<int> segmentMap(static_cast<size_t>(gridRow) * (params->segmentsY + 2));
  int startSX = 0;
  int startSY = 0;
  MakeSegmentMap(segmentMap.data(), params, &startSX, &startSY);

  const int cellW = (width - 2 * kBorder) / params->segmentsX;
  const int cellH = (height - 2 * kBorder) / params->segmentsY;

  // One segment for every used grid position; its colour is its grid position.
  int k = 1;
  for (int sy = 1; sy <= params->segmentsY; ++sy) {
    for (int sx = 1; sx <= params->segmentsX; ++sx, ++k) {
      if (segmentMap[sy * gridRow + sx] == 0) continue;
      std::unique_ptr<MapSegment> segment(
          new MapSegment((sx - 1) * cellW + kBorder, (sy - 1) * cellH + kBorder,
                         sx * cellW + kBorder - 1, sy * cellH + kBorder - 1, k));
      segment->Fill(colorMap, width);
      segments->push_back(std::move(segment));
    }
  }

  // One joint for every connection, cut by the first of its two segments in row order: a
  // cell on each side of the boundary, away from the segments' corners.
  k = 1;
  for (int sy = 1; sy <= params->segmentsY; ++sy) {
    for (int sx = 1; sx <= params->segmentsX; ++sx, ++k) {
      const int left = (sx - 1) * cellW + kBorder;
      const int top = (sy - 1) * cellH + kBorder;
      const int right = sx * cellW + kBorder - 1;
      const int bottom = sy * cellH + kBorder - 1;
      for (const Connection& c : kConnections) {
        if ((segmentMap[sy * gridRow + sx] & c.bit) == 0) continue;
        int x0, y0, x1, y1;
        if (c.dsy != 0) {
          const int x = rand() % (cellW - 2) + left + 1;
          const int edge = c.dsy < 0 ? top : bottom;
          x0 = x1 = x;
          y0 = edge + c.dsy;
          y1 = edge;
        } else {
          const int y = rand() % (cellH - 2) + top + 1;
          const int edge = c.dsx < 0 ? left : right;
          y0 = y1 = y;
          x0 = edge + c.dsx;
          x1 = edge;
        }
        colorMap[y0 * width + x0] = 0;
        colorMap[y1 * width + x1] = 0;
        int& other = segmentMap[(sy + c.dsy) * gridRow + sx + c.dsx];
        if (other != -1) other &= ~c.backBit;
        joints->push_back(JointPair(k, k + c.dsx + c.dsy * params->segmentsX));
      }
    }
  }

  // Each segment keeps only its joint cells, then becomes a room or a corridor figure.
  for (const std::unique_ptr<MapSegment>& segment : *segments) {
    segment->Inverse(colorMap, width);
    if (rand() % 2 == 1) {
      segment->DrawRoom(colorMap, width);
    } else {
      segment->DrawRoute(colorMap, width);
    }
  }
}

void MakeSegmentMap(int* segmentMap, DMParams* params, int* startSX, int* startSY) {
  const int gridRow = params->segmentsX + 2;
  const int gridRows = params->segmentsY + 2;
  for (int sy = 0; sy < gridRows; ++sy) {
    for (int sx = 0; sx < gridRow; ++sx) {
      const bool ring = sx == 0 || sy == 0 || sx == gridRow - 1 || sy == gridRows - 1;
      segmentMap[sy * gridRow + sx] = ring ? -1 : 0;
    }
  }
  const int sx = rand() % params->segmentsX + 1;
  const int sy = rand() % params->segmentsY + 1;
  *startSX = sx;
  *startSY = sy;
  Digger digger(sx, sy, (params->segmentsY * params->segmentsX * 2) / 3, kTurnThreshold);
  while (digger.WalkMap(segmentMap, gridRow)) {
  }
}

void MakeStair(int* map, DMParams* params, int* x, int* y) {
  const int width = params->width;
  const int height = params->height;
  *x = -1;
  *y = -1;

  // Candidates ring by ring from the outside in; a cell visited twice counts twice.
  std::vector<DMPoint> candidates;
  auto visit = [&](int cx, int cy) {
    if (cx < 0 || cy < 0 || cx >= width || cy >= height) return;
    if (map[cy * width + cx] != DungeonConst::FLOOR_NONE) candidates.push_back(DMPoint(cx, cy));
  };
  const int lastInsetX = width / 2 - 1;
  const int lastInsetY = height / 2 - 1;
  int cx = 0;
  int cy = -1;
  int insetX = 0;
  int insetY = 0;
  for (;;) {
    cy += 1;
    for (; cx < width - insetX; ++cx) visit(cx, cy);
    cx -= 1;
    for (; cy < height - insetY; ++cy) visit(cx, cy);
    cy -= 1;
    for (; cx >= insetX; --cx) visit(cx, cy);
    cx += 1;
    cy -= 1;
    for (; cy >= insetY + 1; --cy) visit(cx, cy);
    if (!candidates.empty()) break;
    bool grew = false;
    if (insetX < lastInsetX) {
      insetX += 1;
      grew = true;
    }
    if (insetY < lastInsetY) {
      insetY += 1;
      grew = true;
    }
    if (!grew || (insetX == lastInsetX && insetY == lastInsetY)) break;
  }
  if (candidates.empty()) return;

  const DMPoint p = candidates[rand() % static_cast<int>(candidates.size())];
  auto isRock = [&](int cx, int cy) {
    return cx >= 0 && cy >= 0 && cx < width && cy < height &&
           map[cy * width + cx] == DungeonConst::FLOOR_NONE;
  };
  for (const StairWay& way : kStairWays) {
    if (!isRock(p.x + way.dx, p.y + way.dy) || !isRock(p.x + 2 * way.dx, p.y + 2 * way.dy)) {
      continue;
    }
    map[p.y * width + p.x] &= ~way.bit;
    map[(p.y + way.dy) * width + p.x + way.dx] = DungeonConst::FLOOR_STEP | way.bit;
    map[(p.y + 2 * way.dy) * width + p.x + 2 * way.dx] = DungeonConst::FLOOR_NONE;
    *x = p.x;
    *y = p.y;
    return;
  }
}

int GetMostFarFloor(const JointSet& joints, int colour) {
  if (joints.empty()) return colour;
  int maxColour = 0;
  for (const JointPair& joint : joints) {
    if (joint.first > maxColour) maxColour = joint.first;
    if (joint.second > maxColour) maxColour = joint.second;
  }

  // Shortest paths from `colour`, every joint one step; ties go to the smaller colour.
  std::vector<int> dist(maxColour + 1, kUnreached);
  if (colour >= 0 && colour <= maxColour) dist[colour] = 0;
  std::vector<bool> open(maxColour + 1, true);
  for (int remaining = maxColour + 1; remaining > 0; --remaining) {
    int nearest = -1;
    for (int c = 0; c <= maxColour; ++c) {
      if (open[c] && (nearest == -1 || dist[c] < dist[nearest])) nearest = c;
    }
    open[nearest] = false;
    for (const JointPair& joint : joints) {
      if (!joint.Has(nearest)) continue;
      const int other = joint.Other(nearest);
      if (other >= 0 && dist[nearest] + 1 < dist[other]) dist[other] = dist[nearest] + 1;
    }
  }

  int answer = joints.front().first;
  for (int c = 0; c <= maxColour; ++c) {
    if (dist[c] != kUnreached && (answer < 0 || dist[c] > dist[answer])) answer = c;
  }
  return answer;
}

bool ParamsValid(const DMParams& params) {
  return params.segmentsX >= 1 && params.segmentsY >= 1 &&
         params.segmentsX * params.segmentsY >= 2 &&
         params.width >= 2 * kBorder + 3 * params.segmentsX &&
         params.height >= 2 * kBorder + 3 * params.segmentsY;
}

void MakeNewDungeon(int* map, DMParams* params) {
  if (map == nullptr || params == nullptr) return;
  const int width = params->width;
  const int height = params->height;
  if (!ParamsValid(*params)) {
    // Nothing sensible to cut: the whole map is rock and the start is the first cell.
    for (int i = 0; width > 0 && height > 0 && i < width * height; ++i) {
      map[i] = DungeonConst::FLOOR_NONE;
    }
    params->startX = 0;
    params->startY = 0;
    return;
  }
  QUORL_COMMON::SeedRandom();
  std::vector<int> colorMap(static_cast<size_t>(width) * height);
  JointSet joints;
  SegmentList segments;

  MakeColorMap(colorMap.data(), params, &joints, &segments);

  // Colours become cell codes: the sides facing empty cells are walls, the sides facing
  // another colour are doors. Empty cells are cleared to 0 as they are passed.
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      int& c = colorMap[y * width + x];
      if (c == 0 || c == -1) {
        map[y * width + x] = DungeonConst::FLOOR_NONE;
        c = 0;
        continue;
      }
      int cell = 0;
      for (const Side& side : kSides) {
        const int nx = x + side.dx;
        const int ny = y + side.dy;
        const int n =
            (nx < 0 || ny < 0 || nx >= width || ny >= height) ? 0 : colorMap[ny * width + nx];
        if (n == 0) {
          cell |= side.wall;
        } else if (n != c) {
          cell |= side.wallAndDoor;
        }
      }
      map[y * width + x] = cell;
    }
  }

  int stairX = -1;
  int stairY = -1;
  MakeStair(map, params, &stairX, &stairY);
  const int far = stairX < 0 ? (segments.empty() ? 0 : segments.front()->GetColor())
                             : GetMostFarFloor(joints, colorMap[stairY * width + stairX]);

  // The start: a cell of the farthest segment's colour (a corridor's junction cell).
  params->startX = stairX;
  params->startY = stairY;
  for (const std::unique_ptr<MapSegment>& segment : segments) {
    if (segment->GetColor() == far) {
      segment->Somewhere(colorMap.data(), width, &params->startX, &params->startY);
    }
  }
}

}  // namespace DungeonMake
