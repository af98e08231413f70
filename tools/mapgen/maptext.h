// The two ways mapgen writes a map: plain numbers for scripts, box drawing for people.
#pragma once

#include <string>

#include "floormap.h"

namespace mapgen {

// "map SEED FLOOR ROWS COLS", ROWS lines of COLS space-separated cell codes (row i is map
// row i), "start ROW COL" and, when the floor has stairs, "stair ROW COL"; every line ends
// with a line feed.
std::string PlainText(const FloorMap& map);

// The same first and last lines around a UTF-8 drawing: light lines for walls, a heavy middle
// for doors, S for the start, an arrow for the stairs (the way they lead down), shading for
// rock. Each cell is three characters wide between its corners.
std::string PrettyText(const FloorMap& map);

}  // namespace mapgen
