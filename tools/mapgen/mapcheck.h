// The rules every generated dungeon map keeps, checked on a finished map.
#pragma once

#include <string>
#include <vector>

#include "floormap.h"

namespace mapgen {

// Checks a generated (not a boss) map and appends one line for each broken rule to `problems`:
// - every cell code is rock, stairs with one direction bit, or a floor cell whose door bits
//   lie on wall sides;
// - floor only inside the segments less their rims facing the border, stairs only inside the
//   segments;
// - each side agrees from both cells: rock is faced by a wall, two cells of one segment are
//   open to each other, two cells of different segments meet at a door from both sides, the
//   stairs are closed to all but their entry cell, which is open towards them;
// - exactly one stairs cell, rock beyond it, a floor entry cell behind it;
// - doors join neighbouring segments only, at most one per pair, never at a segment corner;
// - each segment's floor is one connected piece;
// - the start is a floor cell from which every floor cell and the stairs can be walked to;
// - the start's segment is one of those farthest, in doors, from the stairs' segment.
// Returns the number of lines appended.
int CheckGeneratedMap(const FloorMap& map, std::vector<std::string>* problems);

// Makes the map of `seed` and `floor` again, and once more with another floorTier, and appends
// a line for each difference from `map`. Returns the number of lines appended.
int CheckRepeatable(const FloorMap& map, std::vector<std::string>* problems);

}  // namespace mapgen
