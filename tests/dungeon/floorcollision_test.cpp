// Tests of the floor's collision: walls, doors, stairs beside, convex corners, floor and
// ceiling, sphere sets, cubes, bodies off the map and the ray walk.
#include <gtest/gtest.h>

#include <cmath>

#include "dungeon/dungeonfloor.h"
#include "floortestmaps.h"

using namespace floortest;
using QUORL_COMMON::_Collision;

namespace {

const int SPH = QUORL_COMMON::COL_SPHERE, CYL = QUORL_COMMON::COL_CYLINDER;
const int RAY = QUORL_COMMON::COL_RAY;

// A side of a cell: wall bit (the door bit is 16 times it), neighbour offset, whether its plane
// lies across lz (else lx) and at which sign, and the heading that faces it.
struct Side {
  int wall, dRow, dCol;
  bool acrossZ;
  double sign;
  float facing;
};
const Side kSides[4] = {{1, 0, 1, true, 1, 0}, {2, 0, -1, true, -1, 180},
                        {4, 1, 0, false, 1, 90}, {8, -1, 0, false, -1, 270}};

// A 3 x 3 map of open floor, `centre` in cell (1, 1) and `beside` in its neighbour on `side`.
void Map3(DungeonFloor* d, int centre, const Side& side, int beside) {
  std::vector<int> cells = OpenMap(3, 3);
  cells[4] = centre;
  cells[(1 + side.dRow) * 3 + 1 + side.dCol] = beside;
  ASSERT_EQ(d->SetMapData(cells.data(), 3, 3, 0, 0), 0);
}

// Resolves a body in cell (1, 1) at `across` towards the side and `lateral` along it; writes
// the corrected across and lateral coordinates.
int Push(const DungeonFloor& d, int type, const Side& side, double across, double lateral,
         float turn, float radius, bool passDoors, double* outAcross, double* outLateral) {
  const double lx = side.acrossZ ? lateral : across * side.sign;
  const double lz = side.acrossZ ? across * side.sign : lateral;
  float pos[3], out[3];
  LocalToWorld(1, 1, lx, 0, lz, pos);
  const _Collision body = Body(type, pos, std::fmod(side.facing + turn + 360.0f, 360.0f), radius, passDoors);
  const int result = d.Collision(&body, out);
  double local[3];
  WorldToLocal(1, 1, out, local);
  *outAcross = (side.acrossZ ? local[2] : local[0]) * side.sign;
  *outLateral = side.acrossZ ? local[0] : local[2];
  return result;
}

}  // namespace

TEST(FloorCollision, WallsTakeBackOnlyTheMotionIntoThem) {
  for (const Side& side : kSides) {
    DungeonFloor d;
    Map3(&d, side.wall, side, 0);
    double across, lateral;
    // Pressed diagonally into the wall: it ends touching the wall exactly, sliding along it.
    EXPECT_EQ(Push(d, CYL, side, 0.875, 0.25, 45, 0.5f, true, &across, &lateral), 1);
    EXPECT_EQ(across + 0.25, 1.0) << side.wall;
    EXPECT_EQ(lateral, 0.25);
    Push(d, CYL, side, 0.875, 0.25, 0, 0.4f, true, &across, &lateral);  // the player's body
    EXPECT_NEAR(across + 0.2, 1.0, 1e-6);
    EXPECT_EQ(Push(d, SPH, side, 0.75, 0.25, 0, 0.5f, false, &across, &lateral), 0);
    EXPECT_EQ(across, 0.75);
  }
}

TEST(FloorCollision, DoorsLetOnlyAFacingPassDoorsSphereThroughNearTheirMiddle) {
  struct Case {
    int type;
    float turn;
    double lateral;
    bool passDoors;
    int stopped;
  };
  const Case cases[] = {{SPH, 0, 0.25, true, 0},    {SPH, 45, 0.25, true, 0},  {SPH, -44.5f, 0.25, true, 0},
                        {SPH, -45, 0.25, true, 1},  {SPH, 45.5f, 0.25, true, 1}, {SPH, 90, 0.25, true, 1},
                        {SPH, 0, 0.375, true, 1},   {SPH, 0, -0.25, false, 1},   {CYL, 0, 0.0, true, 1}};
  for (const Side& side : kSides) {
    DungeonFloor d;
    Map3(&d, side.wall * 17, side, 0);
    for (const Case& c : cases) {
      double across, lateral;
      EXPECT_EQ(Push(d, c.type, side, 0.875, c.lateral, c.turn, 0.5f, c.passDoors, &across, &lateral),
                c.stopped) << "side " << side.wall << " turn " << c.turn << " at " << c.lateral;
      EXPECT_EQ(across, c.stopped ? 0.75 : 0.875);
    }
  }
}

TEST(FloorCollision, StairsBesideArePassableOnlyWhenFaced) {
  struct Case {
    int type;
    float turn;
    bool passDoors;
    int stopped;
  };
  const Case cases[] = {{CYL, 0, true, 0}, {CYL, 180, true, 1}, {CYL, 0, false, 1},
                        {SPH, 0, false, 1}, {SPH, 0, true, 0}};
  for (const Side& side : kSides) {
    DungeonFloor d;
    Map3(&d, 0, side, 512 | side.wall);  // stairs leading away from the cell
    for (const Case& c : cases) {
      double across, lateral;
      EXPECT_EQ(Push(d, c.type, side, 0.875, 0, c.turn, 0.4f, c.passDoors, &across, &lateral),
                c.stopped) << "side " << side.wall << " turn " << c.turn;
    }
  }
  // The ends of the facing arcs (turns from the facing heading): sides across z take the end at
  // -90, sides across x the end at +90... as headings: (270, 90] and (90, 270], [0, 180), [180, 360).
  const float edges[4][2] = {{90, 270}, {270, 90}, {0, 180}, {180, 0}};  // passes, stopped
  for (int k = 0; k < 4; ++k) {
    DungeonFloor d;
    Map3(&d, 0, kSides[k], 512 | kSides[k].wall);
    for (int stopped = 0; stopped < 2; ++stopped) {
      double across, lateral;
      const float turn = edges[k][stopped] - kSides[k].facing;
      EXPECT_EQ(Push(d, CYL, kSides[k], 0.875, 0, turn, 0.4f, true, &across, &lateral), stopped)
          << "side " << kSides[k].wall << " heading " << edges[k][stopped];
    }
  }
}

TEST(FloorCollision, ConvexCornersPushStraightAwayFromTheCornerPoint) {
  // The corner (lx, lz) of the open cell (1, 1) exists when a neighbour's wall meets it.
  struct Case {
    int nbRow, nbCol, nbWall;
    double lx, lz, at;
  };
  const Case cases[] = {{1, 2, 8, -1, 1, 0.9}, {0, 1, 1, -1, 1, 0.9}, {1, 2, 4, 1, 1, 0.9},
                        {1, 0, 8, -1, -1, 0.9}, {1, 0, 4, 1, -1, 0.9},
                        {1, 2, 4, 1, 1, 1.0}};  // on the corner point itself: towards the middle
  for (const Case& c : cases) {
    DungeonFloor d;
    std::vector<int> cells = OpenMap(3, 3);
    cells[c.nbRow * 3 + c.nbCol] = c.nbWall;
    ASSERT_EQ(d.SetMapData(cells.data(), 3, 3, 0, 0), 0);
    for (int type : {SPH, CYL}) {
      float pos[3], out[3];
      LocalToWorld(1, 1, c.lx * c.at, 0, c.lz * c.at, pos);
      const _Collision body = Body(type, pos, 0, 0.5f, true);
      EXPECT_EQ(d.Collision(&body, out), 1);
      double local[3];
      WorldToLocal(1, 1, out, local);
      EXPECT_NEAR(local[0], c.lx * (1 - 0.25 / std::sqrt(2.0)), 1e-6) << c.nbWall << " " << type;
      EXPECT_NEAR(local[2], c.lz * (1 - 0.25 / std::sqrt(2.0)), 1e-6) << c.nbWall << " " << type;
      LocalToWorld(1, 1, c.lx * 0.75, 0, c.lz * 0.75, pos);  // farther than r: untouched
      const _Collision far = Body(type, pos, 0, 0.5f, true);
      EXPECT_EQ(d.Collision(&far, out), 0);
    }
  }
  // A cell with its own wall on that y side has no corner there: the wall alone pushes.
  DungeonFloor d;
  Map3(&d, 8, kSides[0], 8);
  double across, lateral;
  Push(d, SPH, kSides[3], 0.875, 0.875, 0, 0.5f, false, &across, &lateral);
  EXPECT_EQ(across * 1000 + lateral, 750 + 0.875);
}

TEST(FloorCollision, FloorCeilingSphereSetsCubesAndUnknownTypes) {
  DungeonFloor d;
  Map3(&d, 2 | 4 | 17, kSides[0], 0);
  float pos[3], out[3];
  for (double cy : {0.875, -0.875}) {
    LocalToWorld(1, 1, 0, cy, 0, pos);
    const _Collision sphere = Body(SPH, pos, 0, 0.5f);
    EXPECT_EQ(d.Collision(&sphere, out), 1);
    EXPECT_EQ(out[1], cy > 0 ? 1.5f : -1.5f);
  }
  // Spheres at (sin Y cos P, sin P, cos Y cos P) times their distance (yaw 0 is +z here): the
  // largest correction of each axis wins (0.5 from the +y wall, not 0.2).
  LocalToWorld(1, 1, 0, 0, 0, pos);
  float radii[4] = {1.0f, 1.5f, 0.8f, 1.2f}, yaws[4] = {0, 90, 180, 90}, pitches[4] = {0, 0, 0, 0};
  float distances[4] = {1.5f, 1.0f, 1.0f, 1.0f};
  _Collision set = Body(QUORL_COMMON::COL_SPHERES, pos, 0, 0);
  set.shape.spheres = {4, radii, yaws, pitches, distances};
  EXPECT_EQ(d.Collision(&set, out), 1);
  EXPECT_FLOAT_EQ(out[0] - pos[0], -0.5f);
  EXPECT_FLOAT_EQ(out[2] - pos[2], -0.5f);
  set.shape.spheres.radii = nullptr;  // missing arrays: no spheres
  EXPECT_EQ(d.Collision(&set, out), 0);
  EXPECT_EQ(out[0], pos[0]);

  // A cube of half-size 1 is pushed out of the +y wall but passes the door of the +x wall; its
  // corners' z counts in the map frame (+z reaches towards the map's +x side).
  _Collision cube = Body(QUORL_COMMON::COL_CUBE, pos, 0, 0);
  LocalToWorld(1, 1, 0.75, 0, 0.75, cube.pos);
  for (int k = 0; k < 8; ++k)
    for (int a = 0; a < 3; ++a) cube.shape.cube.corners[k][a] = (k >> a) & 1 ? 1.0f : -1.0f;
  EXPECT_EQ(d.Collision(&cube, out), 1);
  double local[3];
  WorldToLocal(1, 1, out, local);
  EXPECT_EQ(local[0] * 10 + local[2], 5.75);
  Map3(&d, 1, kSides[0], 0);
  LocalToWorld(1, 1, 0, 0, -0.5, cube.pos);
  for (auto& corner : cube.shape.cube.corners) corner[2] = 3.5f;
  EXPECT_EQ(d.Collision(&cube, out), 1);
  WorldToLocal(1, 1, out, local);
  EXPECT_EQ(local[2], -0.75);

  for (int type : {0, 5, 7, -1}) {
    _Collision body = Body(SPH, pos, 0, 9.0f);
    body.type = type;
    float untouched[3] = {42, 42, 42};
    EXPECT_EQ(d.Collision(&body, untouched), 0);
    EXPECT_EQ(untouched[0] + untouched[1] + untouched[2], 126);
  }
}

TEST(FloorCollision, BodiesOffTheMap) {
  DungeonFloor d;
  const int cells[4] = {0, 0, 4, 0};  // the last row's first cell has a +y wall
  ASSERT_EQ(d.SetMapData(cells, 2, 2, 0, 0), 0);
  float pos[3] = {9, 0, 0}, away[3] = {-50, 0, 70}, out[3];
  const _Collision beyond = Body(CYL, pos, 0, 0.4f, true);  // held to the last row: pushed back
  EXPECT_EQ(d.Collision(&beyond, out), 1);
  EXPECT_NEAR(out[0], 5.6f, 1e-5);
  const _Collision lost = Body(SPH, away, 0, 0.5f, true);  // rock all round: nothing to push
  EXPECT_EQ(d.Collision(&lost, out), 0);
  EXPECT_EQ(out[0], away[0]);
}

TEST(FloorRay, AxisAlignedRaysSearchOnlyTheirLineAndEndAtTheEdge) {
  DungeonFloor d;
  std::vector<int> cells = OpenMap(5, 5);
  cells[3 * 5 + 3] = 15;  // a closed cell off the four lines through (2, 2)
  ASSERT_EQ(d.SetMapData(cells.data(), 5, 5, 0, 0), 0);
  float pos[3], out[3];
  LocalToWorld(2, 2, 0, 0, 0, pos);
  struct Line {
    float yaw;
    int cell, wall;
    float x, z;
  };
  const Line lines[] = {{0, 2 * 5 + 4, 1, 8, -18}, {90, 4 * 5 + 2, 4, 18, -8},
                        {180, 2 * 5 + 0, 2, 8, 2}, {270, 0 * 5 + 2, 8, -2, -8}};
  for (const Line& l : lines) {
    const _Collision ray = Body(RAY, pos, l.yaw, 0);
    ASSERT_EQ(d.SetMapData(cells.data(), 5, 5, 0, 0), 0);
    EXPECT_EQ(d.Collision(&ray, out), -1) << l.yaw;
    EXPECT_EQ(out[0] * 10000 + out[1] * 100 + out[2], pos[0] * 10000 + pos[2]);  // no plane met
    std::vector<int> walled = cells;
    walled[l.cell] = l.wall * 17;  // a closed door stops a ray like a wall
    ASSERT_EQ(d.SetMapData(walled.data(), 5, 5, 0, 0), 0);
    ASSERT_EQ(d.Collision(&ray, out), 1) << l.yaw;
    EXPECT_NEAR(out[0], l.x, 1e-5);
    EXPECT_NEAR(out[1], 0, 1e-5);
    EXPECT_NEAR(out[2], l.z, 1e-5);
  }
}

TEST(FloorRay, FloorCeilingDiagonalsStairsAndRaysThatCannotStart) {
  DungeonFloor d;
  std::vector<int> cells = OpenMap(5, 5);
  ASSERT_EQ(d.SetMapData(cells.data(), 5, 5, 0, 0), 0);
  float pos[3], out[3];
  LocalToWorld(2, 2, 0, 0, 0, pos);
  const double run = 2 / std::tan(60 * M_PI / 180);
  const _Collision down = Body(RAY, pos, 90, 60);  // positive pitch looks down
  ASSERT_EQ(d.Collision(&down, out), 1);
  EXPECT_NEAR(out[0], 8 + run, 1e-4);
  EXPECT_NEAR(out[1], -2, 1e-5);
  _Collision up = Body(RAY, pos, 0, -80);
  up.shape.ray.pitchOffset = 20;  // offsets add to the angles
  ASSERT_EQ(d.Collision(&up, out), 1);
  EXPECT_NEAR(out[1], 2, 1e-5);
  EXPECT_NEAR(out[2], -8 - run, 1e-4);
  for (float yaw : {45.0f, 135.0f, 225.0f, 315.0f, 359.9f, -30.0f}) {
    const _Collision ray = Body(RAY, pos, yaw, 0);
    EXPECT_EQ(d.Collision(&ray, out), -1) << yaw;  // open floor: the walk ends at the edges
  }
  cells[4 * 5 + 4] = 15;
  ASSERT_EQ(d.SetMapData(cells.data(), 5, 5, 0, 0), 0);
  const _Collision wide = Body(RAY, pos, 405, 0), plain = Body(RAY, pos, 45, 0);
  float wideOut[3];
  EXPECT_EQ(d.Collision(&wide, wideOut), 1);  // beyond 360: the same walk as its turn
  EXPECT_EQ(d.Collision(&plain, out), 1);
  EXPECT_NEAR(out[0] + out[2], wideOut[0] + wideOut[2], 1e-4);
  float away[3] = {1e30f, 0, -1e30f};
  const _Collision lost = Body(RAY, away, 45, 0), nan = Body(RAY, pos, std::nanf(""), 0);
  EXPECT_EQ(d.Collision(&lost, out), -1);
  EXPECT_EQ(d.Collision(&nan, out), -1);
  cells[2 * 5 + 2] = 513;  // stairs towards the map's +x are closed on their +y and -y sides
  ASSERT_EQ(d.SetMapData(cells.data(), 5, 5, 0, 0), 0);
  const _Collision fromStairs = Body(RAY, pos, 90, 0);
  ASSERT_EQ(d.Collision(&fromStairs, out), 1);
  EXPECT_NEAR(out[0], 10, 1e-5);
}
