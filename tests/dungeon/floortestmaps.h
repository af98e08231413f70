// Helpers of the dungeon floor tests: local cell coordinates and collision records.
#pragma once

#include <vector>

#include "common/collision.h"
#include "dungeon/dungeonfloor.h"

namespace floortest {

// World position of the local point (lx, cy, lz) of cell (row, column); each runs -1 to +1.
inline void LocalToWorld(int row, int column, double lx, double cy, double lz, float* pos) {
  pos[0] = static_cast<float>(2.0 * (lx + 2.0 * row));
  pos[1] = static_cast<float>(2.0 * cy);
  pos[2] = static_cast<float>(-2.0 * (lz + 2.0 * column));
}

inline void WorldToLocal(int row, int column, const float* pos, double* local) {
  local[0] = pos[0] / 2.0 - 2.0 * row;
  local[1] = pos[1] / 2.0;
  local[2] = -pos[2] / 2.0 - 2.0 * column;
}

inline std::vector<int> OpenMap(int rows, int cols) { return std::vector<int>(rows * cols, 0); }

// A record of `type` at pos with heading yaw; `size` is the radius of a sphere or cylinder (an
// upright one of length 2, like the player's body), the pitch of a ray.
inline QUORL_COMMON::_Collision Body(int type, const float* pos, float yaw, float size,
                                     bool passDoors = false) {
  QUORL_COMMON::_Collision c = {};
  c.type = type;
  for (int a = 0; a < 3; ++a) c.pos[a] = pos[a];
  c.yaw = yaw;
  c.passDoors = passDoors;
  if (type == QUORL_COMMON::COL_CYLINDER) c.shape.cylinder = {size, 2.0f, 0.0f, 90.0f};
  if (type == QUORL_COMMON::COL_SPHERE) c.shape.sphere.radius = size;
  if (type == QUORL_COMMON::COL_RAY) c.pitch = size;
  return c;
}

}  // namespace floortest
