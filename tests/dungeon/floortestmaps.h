// Small hand-made maps and collision records shared by the dungeon floor tests.
#pragma once

#include <vector>

#include "common/collision.h"
#include "dungeon/dungeonfloor.h"

namespace floortest {

// World position of the local point (lx, cy, lz) of cell (row, column): lx and lz run from -1 to
// +1 across the cell, cy from -1 (floor) to +1 (ceiling).
inline void LocalToWorld(int row, int column, double lx, double cy, double lz, float* pos) {
  pos[0] = static_cast<float>(2.0 * (lx + 2.0 * row));
  pos[1] = static_cast<float>(2.0 * cy);
  pos[2] = static_cast<float>(-2.0 * (lz + 2.0 * column));
}

// Local lx, cy, lz of a world position in cell (row, column).
inline void WorldToLocal(int row, int column, const float* pos, double* local) {
  local[0] = pos[0] / 2.0 - 2.0 * row;
  local[1] = pos[1] / 2.0;
  local[2] = -pos[2] / 2.0 - 2.0 * column;
}

// A rows x cols map of open floor (0), with the start in a corner.
inline std::vector<int> OpenMap(int rows, int cols) { return std::vector<int>(rows * cols, 0); }

inline QUORL_COMMON::_Collision Sphere(const float* pos, float radius, float yaw, bool passDoors) {
  QUORL_COMMON::_Collision c = {};
  c.type = QUORL_COMMON::COL_SPHERE;
  c.pos[0] = pos[0];
  c.pos[1] = pos[1];
  c.pos[2] = pos[2];
  c.yaw = yaw;
  c.shape.sphere.radius = radius;
  c.passDoors = passDoors;
  return c;
}

// An upright cylinder like the player's body (radius 0.4, length 2 unless given).
inline QUORL_COMMON::_Collision Upright(const float* pos, float yaw, bool passDoors,
                                        float radius = 0.4f, float length = 2.0f) {
  QUORL_COMMON::_Collision c = {};
  c.type = QUORL_COMMON::COL_CYLINDER;
  c.pos[0] = pos[0];
  c.pos[1] = pos[1];
  c.pos[2] = pos[2];
  c.yaw = yaw;
  c.shape.cylinder.radius = radius;
  c.shape.cylinder.length = length;
  c.shape.cylinder.pitchOffset = 90.0f;
  c.passDoors = passDoors;
  return c;
}

inline QUORL_COMMON::_Collision Ray(const float* pos, float yaw, float pitch) {
  QUORL_COMMON::_Collision c = {};
  c.type = QUORL_COMMON::COL_RAY;
  c.pos[0] = pos[0];
  c.pos[1] = pos[1];
  c.pos[2] = pos[2];
  c.yaw = yaw;
  c.pitch = pitch;
  return c;
}

}  // namespace floortest
