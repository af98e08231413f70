// Cell codes of the dungeon's grid map and the size of the doors in its walls.
#pragma once

namespace DungeonConst {

// A cell value with neither FLOOR_NONE nor FLOOR_STEP set is a floor cell: the OR of its wall
// and door bits (0 is a floor cell open on all four sides). Map x is the column, y the row.
const int FLOOR_NONE = 256;  // solid rock: nothing drawn, nothing may enter
const int FLOOR_STEP = 512;  // stairs down, always with exactly one of the wall bits as direction

// Wall bits of a floor cell; on a stairs cell the one set bit is the direction the stairs lead.
const int WALL_RIGHT = 1;  // +x side
const int WALL_LEFT = 2;   // -x side
const int WALL_DOWN = 4;   // +y side
const int WALL_UP = 8;     // -y side
const int WALL_ALL = WALL_RIGHT | WALL_LEFT | WALL_DOWN | WALL_UP;

// Door bits: the wall on that side holds a door (only ever together with its wall bit).
const int DOOR_RIGHT = 16;
const int DOOR_LEFT = 32;
const int DOOR_DOWN = 64;
const int DOOR_UP = 128;
const int DOOR_ALL = DOOR_RIGHT | DOOR_LEFT | DOOR_DOWN | DOOR_UP;

// A door, measured across its wall from the wall's middle in units of half a cell, spans
// DoorPos to DoorPos + DoorSize (-0.35 to +0.35).
const float DoorPos = -0.35f;
const float DoorSize = 0.7f;

}  // namespace DungeonConst
