// Tests of the floor's collision: walls, doors, stairs beside, convex corners, floor and
// ceiling, sphere sets, cubes, unknown types, bodies off the map and the ray walk.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "dungeon/dungeonfloor.h"

using QUORL_COMMON::_Collision;

namespace {

const int SPH = QUORL_COMMON::COL_SPHERE, CYL = QUORL_COMMON::COL_CYLINDER;
const int RAY = QUORL_COMMON::COL_RAY;

// World position of the local point (lx, cy, lz) of cell (row, column); each runs -1 to +1.
void ToWorld(int row, int column, double lx, double cy, double lz, float* pos) {
  pos[0] = static_cast<float>(2.0 * (lx + 2.0 * row));
  pos[1] = static_cast<float>(2.0 * cy);
  pos[2] = static_cast<float>(-2.0 * (lz + 2.0 * column));
}

// A body of `type` at the local point of cell (row, column) with heading yaw; `size` is the
// radius of a sphere or an upright cylinder of length 2 (the player's body), a ray's pitch.
_Collision Body(int type, int row, int column, double lx, double lz, float yaw, float size,
                bool passDoors = false) {
  _Collision c = {};
  c.type = type;
  ToWorld(row, column, lx, 0, lz, c.pos);
  c.yaw = yaw;
  c.passDoors = passDoors;
  if (type == CYL) c.shape.cylinder = {size, 2.0f, 0.0f, 90.0f};
  if (type == SPH) c.shape.sphere.radius = size;
  if (type == RAY) c.pitch = size;
  return c;
}

// Sides of a cell: wall bit (the door bit is 16 times it), neighbour offset, whether the plane
// lies across lz (else lx) and at which sign, and the heading that faces it.
const struct Side {
  int wall, dRow, dCol;
  bool acrossZ;
  double sign;
  float facing;
} kSides[4] = {{1, 0, 1, true, 1, 0}, {2, 0, -1, true, -1, 180}, {4, 1, 0, false, 1, 90},
               {8, -1, 0, false, -1, 270}};

// A map of open floor, `centre` in cell (1, 1) and `beside` in its neighbour on `side`.
void Map3(DungeonFloor* d, int centre, const Side& side, int beside) {
  std::vector<int> cells(9, 0);
  cells[4] = centre;
  cells[(1 + side.dRow) * 3 + 1 + side.dCol] = beside;
  ASSERT_EQ(d->SetMapData(cells.data(), 3, 3, 0, 0), 0);
}

// Resolves a body in cell (1, 1) at `across` towards the side, `lateral` along it, turned by
// `turn` from facing it; returns the result and the corrected across coordinate.
int Push(const DungeonFloor& d, int type, const Side& side, double across, double lateral,
         float turn, float radius, bool passDoors, double* outAcross) {
  const _Collision body = Body(type, 1, 1, side.acrossZ ? lateral : across * side.sign,
                               side.acrossZ ? across * side.sign : lateral,
                               std::fmod(side.facing + turn + 360.0f, 360.0f), radius, passDoors);
  float out[3];
  const int result = d.Collision(&body, out);
  *outAcross = (side.acrossZ ? -out[2] / 2.0 - 2.0 : out[0] / 2.0 - 2.0) * side.sign;
  return result;
}

}  // namespace

TEST(FloorCollision, WallsDoorsAndStairsBesideOnEverySide) {
  // A door ('d') lets only a facing passDoors sphere through near its middle; stairs leading away
  // ('s') only the passDoors body facing them.
  // Map ('d' door, 's' stairs), type, turn from facing the side, lateral, passDoors, stopped.
  const float cases[][6] = {
      {'d', SPH, 0, 0.25, 1, 0},    {'d', SPH, 45, 0.25, 1, 0}, {'d', SPH, -44.5f, 0.25, 1, 0},
      {'d', SPH, -45, 0.25, 1, 1},  {'d', SPH, 45.5f, 0.25, 1, 1},  // the facing arc's ends
      {'d', SPH, 0, 0.375, 1, 1},   {'d', SPH, 0, -0.25, 0, 1}, {'d', CYL, 0, 0.0, 1, 1},
      {'s', CYL, 0, 0, 1, 0},       {'s', CYL, 180, 0, 1, 1},   {'s', CYL, 0, 0, 0, 1},
      {'s', SPH, 0, 0, 0, 1},       {'s', SPH, 0, 0, 1, 0}};
  const float stairEdges[4][2] = {{90, 270}, {270, 90}, {0, 180}, {180, 0}};  // passes, stopped
  for (int k = 0; k < 4; ++k) {
    const Side& side = kSides[k];
    SCOPED_TRACE(side.wall);
    DungeonFloor d;
    Map3(&d, side.wall, side, 0);
    double across;
    // Pressed diagonally into the wall: it ends exactly at lz + r = 1, sliding along it.
    EXPECT_EQ(Push(d, CYL, side, 0.875, 0.25, 45, 0.5f, true, &across), 1);
    EXPECT_EQ(across + 0.25, 1.0);
    EXPECT_EQ(Push(d, SPH, side, 0.75, 0.25, 0, 0.5f, false, &across), 0);
    EXPECT_EQ(across, 0.75);
    for (const auto& c : cases) {
      Map3(&d, c[0] == 'd' ? side.wall * 17 : 0, side, c[0] == 'd' ? 0 : 512 | side.wall);
      EXPECT_EQ(Push(d, int(c[1]), side, 0.875, c[3], c[2], 0.5f, c[4] != 0, &across), c[5])
          << char(c[0]) << " turn " << c[2] << " at " << c[3];
      EXPECT_EQ(across, c[5] ? 0.75 : 0.875);
    }
    for (int stopped : {0, 1})  // on the stairs map of the last case
      EXPECT_EQ(Push(d, CYL, side, 0.875, 0, stairEdges[k][stopped] - side.facing, 0.5f, true,
                     &across), stopped) << stairEdges[k][stopped];
  }
}

TEST(FloorCollision, ConvexCornersPushStraightAwayFromTheCornerPoint) {
  // The corner (lx, lz) of the open cell (1, 1) exists when a neighbour's wall meets it.
  // The neighbour cell, its wall, the corner's lx and lz, how far towards it the body is (at
  // the corner point itself it is pushed towards the cell's middle).
  const double cases[][5] = {{5, 8, -1, 1, 0.9},  {1, 1, -1, 1, 0.9}, {5, 4, 1, 1, 0.9},
                             {3, 8, -1, -1, 0.9}, {3, 4, 1, -1, 0.9}, {5, 4, 1, 1, 1.0}};
  const double pushed = 1 - 0.25 / std::sqrt(2.0);
  for (const auto& c : cases) {
    DungeonFloor d;
    std::vector<int> cells(9, 0);
    cells[int(c[0])] = int(c[1]);
    ASSERT_EQ(d.SetMapData(cells.data(), 3, 3, 0, 0), 0);
    for (int type : {SPH, CYL}) {
      float out[3], expected[3];
      const _Collision near = Body(type, 1, 1, c[2] * c[4], c[3] * c[4], 0, 0.5f, true);
      const _Collision far = Body(type, 1, 1, c[2] * 0.75, c[3] * 0.75, 0, 0.5f, true);
      EXPECT_EQ(d.Collision(&near, out), 1);
      ToWorld(1, 1, c[2] * pushed, 0, c[3] * pushed, expected);
      EXPECT_NEAR(std::fabs(out[0] - expected[0]) + std::fabs(out[2] - expected[2]), 0, 1e-5)
          << c[0] << " " << type;
      EXPECT_EQ(d.Collision(&far, out), 0);  // farther than r: untouched
    }
  }
}

TEST(FloorCollision, FloorCeilingSphereSetsCubesUnknownTypesAndOffTheMap) {
  DungeonFloor d;
  Map3(&d, 2 | 4 | 17, kSides[0], 0);
  float out[3];
  for (float cy : {1.75f, -1.75f}) {
    _Collision sphere = Body(SPH, 1, 1, 0, 0, 0, 0.5f);
    sphere.pos[1] = cy;
    EXPECT_EQ(d.Collision(&sphere, out), 1);
    EXPECT_EQ(out[1], cy > 0 ? 1.5f : -1.5f);
  }
  // Spheres at (sin Y cos P, sin P, cos Y cos P) times their distance: the largest correction
  // of each axis wins (0.5 from the +y wall, not 0.2).
  float radii[4] = {1, 1.5f, 0.8f, 1.2f}, yaws[4] = {0, 90, 180, 90}, pitches[4] = {},
        distances[4] = {1.5f, 1, 1, 1};
  _Collision set = Body(QUORL_COMMON::COL_SPHERES, 1, 1, 0, 0, 0, 0);
  set.shape.spheres = {4, radii, yaws, pitches, distances};
  EXPECT_EQ(d.Collision(&set, out), 1);
  EXPECT_NEAR(std::fabs(out[0] - set.pos[0] + 0.5f) + std::fabs(out[2] - set.pos[2] + 0.5f), 0,
              1e-5);
  set.shape.spheres.radii = nullptr;  // missing arrays: no spheres
  EXPECT_EQ(d.Collision(&set, out), 0);
  // A cube of half-size 1 is pushed out of the +y wall but passes the door of the +x wall.
  _Collision cube = Body(QUORL_COMMON::COL_CUBE, 1, 1, 0.75, 0.75, 0, 0);
  for (int n = 0; n < 24; ++n)
    cube.shape.cube.corners[n / 3][n % 3] = (n / 3 >> n % 3) & 1 ? 1.0f : -1.0f;
  EXPECT_EQ(d.Collision(&cube, out), 1);
  EXPECT_EQ(out[0] * 100 - out[2], 505.5f);  // local (0.5, 0.75)
  for (int type : {0, 5, 7, -1}) {  // a big sphere's shape, of an unknown type
    _Collision body = Body(SPH, 1, 1, 0, 0, 0, 9.0f);
    body.type = type;
    float untouched[3] = {42, 42, 42};
    EXPECT_EQ(d.Collision(&body, untouched), 0);
    EXPECT_EQ(untouched[0] + untouched[1] + untouched[2], 126);
  }
  // Off the map: held to the last row (pushed back by its wall), or rock all round (nothing).
  const int cells[4] = {0, 0, 4, 0};
  ASSERT_EQ(d.SetMapData(cells, 2, 2, 0, 0), 0);
  const _Collision beyond = Body(CYL, 2, 0, 0.5, 0, 0, 0.4f, true);
  const _Collision lost = Body(SPH, -12, -17, 0, 0, 0, 0.5f, true);
  EXPECT_EQ(d.Collision(&beyond, out), 1);
  EXPECT_NEAR(out[0], 5.6f, 1e-5);
  EXPECT_EQ(d.Collision(&lost, out), 0);
  EXPECT_EQ(out[0], lost.pos[0]);
}

TEST(FloorRay, RaysMeetWallsFloorAndCeilingOrEndAtTheEdge) {
  DungeonFloor d;
  std::vector<int> cells(25, 0);
  cells[3 * 5 + 3] = 15;  // a closed cell off the four lines through (2, 2)
  // Yaw, the cell on the ray's line, its wall, the x and z of the hit.
  const float lines[][5] = {{0, 2 * 5 + 4, 1, 8, -18}, {90, 4 * 5 + 2, 4, 18, -8},
                            {180, 2 * 5 + 0, 2, 8, 2}, {270, 0 * 5 + 2, 8, -2, -8}};
  float out[3];
  for (const auto& l : lines) {
    const _Collision ray = Body(RAY, 2, 2, 0, 0, l[0], 0);
    ASSERT_EQ(d.SetMapData(cells.data(), 5, 5, 0, 0), 0);
    EXPECT_EQ(d.Collision(&ray, out), -1) << l[0];
    EXPECT_EQ(out[0] * 10000 + out[1] * 100 + out[2], 8 * 10000 - 8);  // no plane met
    std::vector<int> walled = cells;
    walled[int(l[1])] = int(l[2]) * 17;  // a closed door stops a ray like a wall
    ASSERT_EQ(d.SetMapData(walled.data(), 5, 5, 0, 0), 0);
    ASSERT_EQ(d.Collision(&ray, out), 1) << l[0];
    EXPECT_NEAR(std::fabs(out[0] - l[3]) + std::fabs(out[1]) + std::fabs(out[2] - l[4]), 0, 1e-5);
  }
  // Floor and ceiling, diagonals and rays that cannot start on open floor; stairs.
  cells[3 * 5 + 3] = 0;
  ASSERT_EQ(d.SetMapData(cells.data(), 5, 5, 0, 0), 0);
  const double run = 2 / std::tan(60 * M_PI / 180);
  for (float pitch : {60.0f, -60.0f}) {  // positive pitch looks down; offsets add to the angles
    _Collision ray = Body(RAY, 2, 2, 0, 0, 70, pitch - 10);
    ray.shape.ray = {20, 10};
    ASSERT_EQ(d.Collision(&ray, out), 1);
    EXPECT_NEAR(std::fabs(out[0] - 8 - run) + std::fabs(out[1] + (pitch > 0 ? 2 : -2)), 0, 1e-4);
  }
  for (float yaw : {45.0f, 135.0f, 225.0f, 315.0f, 359.9f, -30.0f, std::nanf("")}) {
    const _Collision ray = Body(RAY, 2, 2, 0, 0, yaw, 0);
    EXPECT_EQ(d.Collision(&ray, out), -1) << yaw;  // open floor: the walk ends at the edges
  }
  const _Collision lost = Body(RAY, int(1e9), int(1e9), 0, 0, 45, 0);
  EXPECT_EQ(d.Collision(&lost, out), -1);
  cells[2 * 5 + 2] = 513;  // stairs towards the map's +x are closed on their +y and -y sides
  ASSERT_EQ(d.SetMapData(cells.data(), 5, 5, 0, 0), 0);
  const _Collision fromStairs = Body(RAY, 2, 2, 0, 0, 90, 0);
  ASSERT_EQ(d.Collision(&fromStairs, out), 1);
  EXPECT_NEAR(out[0], 10, 1e-5);
}
