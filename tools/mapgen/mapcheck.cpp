// The rules every generated dungeon map keeps, checked on a finished map.
#include "mapcheck.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <map>
#include <queue>
#include <utility>

#include "dungeon/dungeonconst.h"

namespace mapgen {

namespace {

using namespace DungeonConst;

// Width of the rock border around the segments, in cells.
const int kBorder = 3;

// The four sides of a cell in map terms (col = x, row = y), with the bits of that side and of
// the same side seen from the neighbour.
struct Side {
  int drow, dcol;
  int wall, door;
  int backWall, backDoor;
  const char* name;
};
const Side kSides[4] = {
    {0, 1, WALL_RIGHT, DOOR_RIGHT, WALL_LEFT, DOOR_LEFT, "+x"},
    {0, -1, WALL_LEFT, DOOR_LEFT, WALL_RIGHT, DOOR_RIGHT, "-x"},
    {1, 0, WALL_DOWN, DOOR_DOWN, WALL_UP, DOOR_UP, "+y"},
    {-1, 0, WALL_UP, DOOR_UP, WALL_DOWN, DOOR_DOWN, "-y"},
};

bool IsRock(int v) { return v == FLOOR_NONE; }
bool IsStair(int v) { return (v & FLOOR_STEP) != 0; }
bool IsFloorCell(int v) { return v >= 0 && (v & (FLOOR_NONE | FLOOR_STEP)) == 0; }

bool ValidCode(int v) {
  if (v == FLOOR_NONE) return true;
  if (v == (FLOOR_STEP | WALL_RIGHT) || v == (FLOOR_STEP | WALL_LEFT) ||
      v == (FLOOR_STEP | WALL_DOWN) || v == (FLOOR_STEP | WALL_UP)) {
    return true;
  }
  return v >= 0 && v < 256 && ((v >> 4) & ~v & WALL_ALL) == 0;
}

// The segment grid laid over the map: which segment a cell belongs to.
class SegmentGrid {
 public:
  explicit SegmentGrid(const DungeonMake::DMParams& p)
      : segmentsX(p.segmentsX),
        segmentsY(p.segmentsY),
        cellW((p.width - 2 * kBorder) / p.segmentsX),
        cellH((p.height - 2 * kBorder) / p.segmentsY) {}

  // The colour (1 ...) of the segment holding the cell, 0 for none.
  int ColourOf(int row, int col) const {
    if (col < kBorder || row < kBorder) return 0;
    const int sx = (col - kBorder) / cellW;
    const int sy = (row - kBorder) / cellH;
    if (sx >= segmentsX || sy >= segmentsY) return 0;
    return sy * segmentsX + sx + 1;
  }
  int Count() const { return segmentsX * segmentsY; }
  // Inclusive bounds of segment `colour`.
  int Left(int colour) const { return ((colour - 1) % segmentsX) * cellW + kBorder; }
  int Top(int colour) const { return ((colour - 1) / segmentsX) * cellH + kBorder; }
  int Right(int colour) const { return Left(colour) + cellW - 1; }
  int Bottom(int colour) const { return Top(colour) + cellH - 1; }
  int LastCol() const { return kBorder + segmentsX * cellW - 1; }
  int LastRow() const { return kBorder + segmentsY * cellH - 1; }

 private:
  int segmentsX, segmentsY, cellW, cellH;
};

class Checker {
 public:
  Checker(const FloorMap& map, std::vector<std::string>* problems)
      : m(map), grid(map.params), problems(problems) {}

  int Run() {
    const size_t before = problems->size();
    if (m.rows != m.params.height || m.cols != m.params.width ||
        m.cells.size() != static_cast<size_t>(m.rows) * m.cols) {
      Report("map size %d x %d does not match the parameters", m.rows, m.cols);
      return Count(before);
    }
    if (!DungeonMake::ParamsValid(m.params)) {
      Report("parameters outside the generator's limits");
      return Count(before);
    }
    CheckCodes();
    if (problems->size() != before) return Count(before);
    CheckPlaces();
    CheckSides();
    CheckStair();
    CheckDoors();
    CheckSegmentsWhole();
    CheckReach();
    CheckFarthest();
    return Count(before);
  }

 private:
  int Count(size_t before) const { return static_cast<int>(problems->size() - before); }

  // Appends one problem line (cut at 255 characters).
  __attribute__((format(printf, 2, 3))) void Report(const char* format, ...) {
    char line[256];
    va_list args;
    va_start(args, format);
    vsnprintf(line, sizeof line, format, args);
    va_end(args);
    problems->push_back(line);
  }

  void CheckCodes() {
    for (int r = 0; r < m.rows; ++r) {
      for (int c = 0; c < m.cols; ++c) {
        if (!ValidCode(m.At(r, c))) Report("cell (%d, %d) has the bad code %d", r, c, m.At(r, c));
      }
    }
  }

  void CheckPlaces() {
    for (int r = 0; r < m.rows; ++r) {
      for (int c = 0; c < m.cols; ++c) {
        const int v = m.At(r, c);
        if (IsFloorCell(v) && (r < kBorder + 1 || c < kBorder + 1 || r > grid.LastRow() - 1 ||
                               c > grid.LastCol() - 1)) {
          Report("floor cell (%d, %d) outside the segments' inner part", r, c);
        }
        if (IsStair(v) &&
            (r < kBorder || c < kBorder || r > grid.LastRow() || c > grid.LastCol())) {
          Report("stairs (%d, %d) outside the segments", r, c);
        }
      }
    }
  }

  void CheckSides() {
    for (int r = 0; r < m.rows; ++r) {
      for (int c = 0; c < m.cols; ++c) {
        const int v = m.At(r, c);
        if (!IsFloorCell(v)) continue;
        for (const Side& s : kSides) {
          const int nr = r + s.drow;
          const int nc = c + s.dcol;
          const bool wall = (v & s.wall) != 0;
          const bool door = (v & s.door) != 0;
          if (nr < 0 || nc < 0 || nr >= m.rows || nc >= m.cols) {
            Report("floor cell (%d, %d) on the map's edge", r, c);
            continue;
          }
          const int n = m.At(nr, nc);
          if (IsRock(n)) {
            if (!wall || door)
              Report("cell (%d, %d): side %s faces rock without a plain wall", r, c, s.name);
          } else if (IsStair(n)) {
            const bool entry = (n & ~FLOOR_STEP) == s.wall;  // stairs lead on the way we face
            if (entry && (wall || door)) {
              Report("entry cell (%d, %d) is closed towards its stairs", r, c);
            } else if (!entry && (!wall || door)) {
              Report("cell (%d, %d): side %s beside the stairs without a plain wall", r, c, s.name);
            }
          } else {
            const bool backWall = (n & s.backWall) != 0;
            const bool backDoor = (n & s.backDoor) != 0;
            if (wall != backWall || door != backDoor) {
              Report("cells (%d, %d) and (%d, %d) disagree about their shared side", r, c, nr, nc);
            }
            const bool sameSegment = grid.ColourOf(r, c) == grid.ColourOf(nr, nc);
            if (sameSegment && wall) {
              Report("cells (%d, %d) and (%d, %d) of one segment are walled off", r, c, nr, nc);
            }
            if (!sameSegment && !(wall && door)) {
              Report("cells (%d, %d) and (%d, %d) of two segments meet without a door", r, c, nr,
                     nc);
            }
          }
        }
      }
    }
  }

  void CheckStair() {
    int count = 0;
    for (int r = 0; r < m.rows; ++r) {
      for (int c = 0; c < m.cols; ++c) {
        if (IsStair(m.At(r, c))) ++count;
      }
    }
    if (count != 1) {
      Report("%d stairs cells instead of 1", count);
      return;
    }
    const int v = m.At(m.stairRow, m.stairCol);
    for (const Side& s : kSides) {
      if ((v & ~FLOOR_STEP) != s.wall) continue;
      const int br = m.stairRow + s.drow;
      const int bc = m.stairCol + s.dcol;
      if (br < 0 || bc < 0 || br >= m.rows || bc >= m.cols || !IsRock(m.At(br, bc))) {
        Report("no rock beyond the stairs (%d, %d)", m.stairRow, m.stairCol);
      }
      if (!IsFloorCell(m.At(m.stairRow - s.drow, m.stairCol - s.dcol))) {
        Report("no floor cell in front of the stairs (%d, %d)", m.stairRow, m.stairCol);
      }
    }
  }

  // Every door pair, keyed by the two segments it joins (smaller colour first).
  void CheckDoors() {
    std::map<std::pair<int, int>, int> doors;
    for (int r = 0; r < m.rows; ++r) {
      for (int c = 0; c < m.cols; ++c) {
        const int v = m.At(r, c);
        if (!IsFloorCell(v)) continue;
        // Each pair once, from its cell left of or above the boundary.
        for (int i : {0, 2}) {
          const Side& s = kSides[i];
          if (!(v & s.door)) continue;
          const int a = grid.ColourOf(r, c);
          const int b = grid.ColourOf(r + s.drow, c + s.dcol);
          if (a == 0 || b == 0 || a == b) {
            Report("door at (%d, %d) side %s not between two segments", r, c, s.name);
            continue;
          }
          ++doors[std::make_pair(std::min(a, b), std::max(a, b))];
          // Along the boundary, a door keeps off the segments' corners.
          const bool corner = (s.drow != 0) ? (c <= grid.Left(a) || c >= grid.Right(a))
                                            : (r <= grid.Top(a) || r >= grid.Bottom(a));
          if (corner) Report("door at (%d, %d) side %s in a segment's corner", r, c, s.name);
        }
      }
    }
    if (doors.empty()) Report("no door at all");
    for (const auto& entry : doors) {
      if (entry.second > 1) {
        Report("%d doors between segments %d and %d", entry.second, entry.first.first,
               entry.first.second);
      }
    }
    doorPairs.clear();
    for (const auto& entry : doors) doorPairs.push_back(entry.first);
  }

  // Cells reached from (row, col) through open sides and doors; within its segment only when
  // `segmentOnly`. The stairs are reached but not walked through.
  std::vector<bool> Walk(int row, int col, bool segmentOnly) const {
    std::vector<bool> seen(m.cells.size(), false);
    std::queue<std::pair<int, int>> open;
    seen[row * m.cols + col] = true;
    open.push(std::make_pair(row, col));
    const int colour = grid.ColourOf(row, col);
    while (!open.empty()) {
      const int r = open.front().first;
      const int c = open.front().second;
      open.pop();
      const int v = m.At(r, c);
      if (!IsFloorCell(v)) continue;
      for (const Side& s : kSides) {
        if ((v & s.wall) && !(v & s.door)) continue;
        if (segmentOnly && (v & s.wall)) continue;
        const int nr = r + s.drow;
        const int nc = c + s.dcol;
        if (nr < 0 || nc < 0 || nr >= m.rows || nc >= m.cols) continue;
        if (IsRock(m.At(nr, nc)) || seen[nr * m.cols + nc]) continue;
        if (segmentOnly && grid.ColourOf(nr, nc) != colour) continue;
        seen[nr * m.cols + nc] = true;
        open.push(std::make_pair(nr, nc));
      }
    }
    return seen;
  }

  void CheckSegmentsWhole() {
    std::vector<bool> done(grid.Count() + 1, false);
    for (int r = 0; r < m.rows; ++r) {
      for (int c = 0; c < m.cols; ++c) {
        const int colour = grid.ColourOf(r, c);
        if (!IsFloorCell(m.At(r, c)) || colour == 0 || done[colour]) continue;
        done[colour] = true;
        const std::vector<bool> seen = Walk(r, c, true);
        for (int r2 = 0; r2 < m.rows; ++r2) {
          for (int c2 = 0; c2 < m.cols; ++c2) {
            if (IsFloorCell(m.At(r2, c2)) && grid.ColourOf(r2, c2) == colour &&
                !seen[r2 * m.cols + c2]) {
              Report("segment %d falls apart at (%d, %d)", colour, r2, c2);
            }
          }
        }
      }
    }
  }

  void CheckReach() {
    if (!IsFloorCell(m.At(m.startRow, m.startCol))) {
      Report("start (%d, %d) is not a floor cell", m.startRow, m.startCol);
      startGood = false;
      return;
    }
    const std::vector<bool> seen = Walk(m.startRow, m.startCol, false);
    for (int r = 0; r < m.rows; ++r) {
      for (int c = 0; c < m.cols; ++c) {
        if (!IsRock(m.At(r, c)) && !seen[r * m.cols + c]) {
          Report("cell (%d, %d) cannot be reached from the start", r, c);
        }
      }
    }
  }

  void CheckFarthest() {
    if (!startGood || m.stairRow < 0) return;
    const Side* way = nullptr;
    for (const Side& s : kSides) {
      if ((m.At(m.stairRow, m.stairCol) & ~FLOOR_STEP) == s.wall) way = &s;
    }
    if (way == nullptr) return;
    const int from = grid.ColourOf(m.stairRow - way->drow, m.stairCol - way->dcol);
    std::vector<int> dist(grid.Count() + 1, -1);
    std::queue<int> open;
    dist[from] = 0;
    open.push(from);
    while (!open.empty()) {
      const int a = open.front();
      open.pop();
      for (const auto& pair : doorPairs) {
        if (pair.first != a && pair.second != a) continue;
        const int b = pair.first == a ? pair.second : pair.first;
        if (dist[b] >= 0) continue;
        dist[b] = dist[a] + 1;
        open.push(b);
      }
    }
    const int farthest = *std::max_element(dist.begin(), dist.end());
    const int at = dist[grid.ColourOf(m.startRow, m.startCol)];
    if (at != farthest) {
      Report("start segment lies %d doors from the stairs' segment, the farthest %d", at, farthest);
    }
  }

  const FloorMap& m;
  SegmentGrid grid;
  std::vector<std::string>* problems;
  std::vector<std::pair<int, int>> doorPairs;
  bool startGood = true;
};

}  // namespace

int CheckGeneratedMap(const FloorMap& map, std::vector<std::string>* problems) {
  return Checker(map, problems).Run();
}

int CheckRepeatable(const FloorMap& map, std::vector<std::string>* problems) {
  DungeonMake::DMParams params = map.params;
  int found = 0;
  for (int tier : {params.floorTier, params.floorTier + 7}) {
    params.floorTier = tier;
    const FloorMap again = MakeGeneratedMap(map.seed, map.floor, params);
    if (again.cells != map.cells || again.startRow != map.startRow ||
        again.startCol != map.startCol) {
      char line[128];
      snprintf(line, sizeof line, "seed %u made again with floorTier %d gives another map",
               map.seed, tier);
      problems->push_back(line);
      ++found;
    }
  }
  return found;
}

}  // namespace mapgen
