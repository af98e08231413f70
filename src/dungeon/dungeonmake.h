// The map generator of an ordinary dungeon floor: rooms, corridors, doors and one stair.
#pragma once

#include <memory>
#include <vector>

#include "dungeon/jointpair.h"
#include "dungeon/mapsegment.h"

namespace DungeonMake {

// What the generator is asked for and what it answers. The game passes 20 x 20 cells and
// 3 x 3 segments. Limits the caller keeps: segmentsX * segmentsY >= 2,
// width >= 6 + 3 * segmentsX and height >= 6 + 3 * segmentsY.
struct DMParams {
  int width;      // in: map columns
  int height;     // in: map rows
  int floorTier;  // in: floor number / 10 + 2; the generator does not read it
  int startX;     // out: column of the player's start cell
  int startY;     // out: row of the player's start cell
  int segmentsX;  // in: segment columns
  int segmentsY;  // in: segment rows
};

// Fills all width * height cells of map (cell (x, y) is map[y * width + x]) with the codes of
// DungeonConst and writes startX and startY. Seeds rand() through QUORL_COMMON::SeedRandom,
// so a fixed --seed gives the same maps again. Parameters outside the limits above give a map
// of rock only, with the start at (0, 0), and no seeding and no draw.
void MakeNewDungeon(int* map, DMParams* params);

// True when the parameters keep to the limits above.
bool ParamsValid(const DMParams& params);

// The stages of MakeNewDungeon, visible for the tests and the mapgen tool.

// Every connection between two segments, in the order they were made.
typedef std::vector<JointPair> JointSet;
// The used segments, in the order they were made.
typedef std::vector<std::unique_ptr<MapSegment>> SegmentList;

// Fills the colour map (-1 border, 0 empty, k >= 1 colour of segment k), the segment list and
// the joint set. Seeds rand() before its first draw.
void MakeColorMap(int* colorMap, DMParams* params, JointSet* joints, SegmentList* segments);

// Fills the (segmentsX + 2) x (segmentsY + 2) segment map by a random walk: -1 on the outer
// ring, else the OR of the Digger connection bits (0: segment not used). Reports where the
// walk began.
void MakeSegmentMap(int* segmentMap, DMParams* params, int* startSX, int* startSY);

// Cuts the stair into the outermost ring of floor of the grid map and reports the floor cell
// from which the stair is entered.
void MakeStair(int* map, DMParams* params, int* x, int* y);

// The colour farthest from `colour` over the joints (each joint one step); ties go to the
// smaller colour unless the first joint's first colour is already that far.
int GetMostFarFloor(const JointSet& joints, int colour);

}  // namespace DungeonMake
