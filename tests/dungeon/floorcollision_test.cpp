// Tests of the floor's collision: walls, doors, stairs beside, convex corners, floor and
// ceiling, the ray walk, and bodies off the map.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "dungeon/dungeonfloor.h"
#include "floortestmaps.h"

using namespace floortest;
using QUORL_COMMON::_Collision;

namespace {

// One side of a cell: its wall and door bit, the neighbour's offset, whether its plane lies
// across lz (else lx), its sign, and the heading that faces it.
struct SideCase {
  int wall, door;
  int dRow, dCol;
  bool acrossZ;
  double sign;
  float facing;
};
const SideCase kSides[4] = {
    {1, 16, 0, 1, true, 1, 0},
    {2, 32, 0, -1, true, -1, 180},
    {4, 64, 1, 0, false, 1, 90},
    {8, 128, -1, 0, false, -1, 270},
};

// A 3 x 3 map of open floor with `centre` in the middle cell (1, 1).
void CentreMap(DungeonFloor* dungeon, int centre) {
  std::vector<int> cells = OpenMap(3, 3);
  cells[4] = centre;
  ASSERT_EQ(dungeon->SetMapData(cells.data(), 3, 3, 0, 0), 0);
}

// World position of the middle cell's local point with `across` on the side's axis.
void NearSide(const SideCase& side, double across, double lateral, float* pos) {
  const double lx = side.acrossZ ? lateral : across * side.sign;
  const double lz = side.acrossZ ? across * side.sign : lateral;
  LocalToWorld(1, 1, lx, 0, lz, pos);
}

// The middle cell's local coordinate of `out` across the side (positive towards the side).
double Across(const SideCase& side, const float* out) {
  double local[3];
  WorldToLocal(1, 1, out, local);
  return (side.acrossZ ? local[2] : local[0]) * side.sign;
}

double Lateral(const SideCase& side, const float* out) {
  double local[3];
  WorldToLocal(1, 1, out, local);
  return side.acrossZ ? local[0] : local[2];
}

}  // namespace

TEST(FloorCollision, CylinderSlidesAlongEachWallToExactlyTouchingIt) {
  for (const SideCase& side : kSides) {
    DungeonFloor dungeon;
    CentreMap(&dungeon, side.wall);
    // Moved diagonally into the wall: only the part into it is taken back.
    float pos[3];
    NearSide(side, 0.875, 0.25, pos);
    _Collision body = Upright(pos, side.facing + 45.0f, true, 0.5f);
    float out[3];
    EXPECT_EQ(dungeon.Collision(&body, out), 1);
    EXPECT_EQ(Across(side, out) + 0.25, 1.0) << "wall " << side.wall;
    EXPECT_EQ(Lateral(side, out), 0.25);
    EXPECT_EQ(out[1], pos[1]);
    // The player's own body (radius 0.4).
    body = Upright(pos, side.facing, true);
    dungeon.Collision(&body, out);
    EXPECT_NEAR(Across(side, out) + 0.2, 1.0, 1e-6);
    EXPECT_EQ(Lateral(side, out), 0.25);
    // Not touching: nothing changes.
    NearSide(side, 0.75, 0.25, pos);
    body = Upright(pos, side.facing, true, 0.5f);
    EXPECT_EQ(dungeon.Collision(&body, out), 0);
    EXPECT_EQ(out[0], pos[0]);
    EXPECT_EQ(out[2], pos[2]);
  }
}

TEST(FloorCollision, DoorsLetAFacingPassDoorsSphereThroughOnlyNearTheirMiddle) {
  for (const SideCase& side : kSides) {
    DungeonFloor dungeon;
    CentreMap(&dungeon, side.wall | side.door);
    float pos[3], out[3];
    NearSide(side, 0.875, 0.25, pos);
    _Collision sphere = Sphere(pos, 0.5f, side.facing, true);
    EXPECT_EQ(dungeon.Collision(&sphere, out), 0) << "door " << side.door;
    EXPECT_EQ(out[0], pos[0]);
    EXPECT_EQ(out[2], pos[2]);
    // Within 45 degrees either way (the end turned clockwise included).
    for (float turn : {45.0f, -44.5f}) {
      sphere.yaw = std::fmod(side.facing + turn + 360.0f, 360.0f);
      EXPECT_EQ(dungeon.Collision(&sphere, out), 0) << side.door << " turn " << turn;
    }
    for (float turn : {-45.0f, 45.5f, 90.0f, 180.0f}) {
      sphere.yaw = std::fmod(side.facing + turn + 360.0f, 360.0f);
      EXPECT_EQ(dungeon.Collision(&sphere, out), 1) << side.door << " turn " << turn;
      EXPECT_EQ(Across(side, out), 0.75);
    }
    // Facing it, but beside the door's frame.
    NearSide(side, 0.875, 0.375, pos);
    sphere = Sphere(pos, 0.5f, side.facing, true);
    EXPECT_EQ(dungeon.Collision(&sphere, out), 1);
    // Bodies without passDoors, and cylinders, never pass a door.
    NearSide(side, 0.875, 0.25, pos);
    sphere = Sphere(pos, 0.5f, side.facing, false);
    EXPECT_EQ(dungeon.Collision(&sphere, out), 1);
    _Collision body = Upright(pos, side.facing, true, 0.5f);
    EXPECT_EQ(dungeon.Collision(&body, out), 1);
    EXPECT_EQ(Across(side, out), 0.75);
  }
}

TEST(FloorCollision, StairsBesideArePassableOnlyWhenFaced) {
  for (const SideCase& side : kSides) {
    DungeonFloor dungeon;
    std::vector<int> cells = OpenMap(3, 3);
    cells[(1 + side.dRow) * 3 + 1 + side.dCol] = 512 | side.wall;  // leading away from (1, 1)
    ASSERT_EQ(dungeon.SetMapData(cells.data(), 3, 3, 0, 0), 0);
    float pos[3], out[3];
    NearSide(side, 0.875, 0.0, pos);
    _Collision body = Upright(pos, side.facing, true);
    EXPECT_EQ(dungeon.Collision(&body, out), 0) << "stairs on side " << side.wall;
    body.yaw = std::fmod(side.facing + 180.0f, 360.0f);
    EXPECT_EQ(dungeon.Collision(&body, out), 1) << "stairs on side " << side.wall;
    EXPECT_NEAR(Across(side, out), 0.8, 1e-6);
    // A body without passDoors is stopped whatever its heading.
    body = Upright(pos, side.facing, false);
    EXPECT_EQ(dungeon.Collision(&body, out), 1);
    _Collision sphere = Sphere(pos, 0.5f, side.facing, false);
    EXPECT_EQ(dungeon.Collision(&sphere, out), 1);
    sphere.passDoors = true;
    EXPECT_EQ(dungeon.Collision(&sphere, out), 0);
  }
  // The ends of the facing arcs: sides across z include the end turned clockwise, sides across x
  // the end turned counter-clockwise.
  struct Edge {
    int side;
    float yaw;
    int stopped;
  };
  const Edge edges[] = {{0, 90, 0}, {0, 270, 1}, {1, 270, 0}, {1, 90, 1},
                        {2, 0, 0},  {2, 180, 1}, {3, 180, 0}, {3, 0, 1}};
  for (const Edge& e : edges) {
    const SideCase& side = kSides[e.side];
    DungeonFloor dungeon;
    std::vector<int> cells = OpenMap(3, 3);
    cells[(1 + side.dRow) * 3 + 1 + side.dCol] = 512 | side.wall;
    ASSERT_EQ(dungeon.SetMapData(cells.data(), 3, 3, 0, 0), 0);
    float pos[3], out[3];
    NearSide(side, 0.875, 0.0, pos);
    _Collision body = Upright(pos, e.yaw, true);
    EXPECT_EQ(dungeon.Collision(&body, out), e.stopped) << side.wall << " at " << e.yaw;
  }
}

TEST(FloorCollision, ConvexCornersPushStraightAwayFromTheCornerPoint) {
  // Cell (1, 1) is open; the +x neighbour's -y wall, or the -y neighbour's +x wall, makes the
  // corner at local (-1, +1).
  for (int via = 0; via < 2; ++via) {
    DungeonFloor dungeon;
    std::vector<int> cells = OpenMap(3, 3);
    if (via == 0) cells[1 * 3 + 2] = 8; else cells[0 * 3 + 1] = 1;
    ASSERT_EQ(dungeon.SetMapData(cells.data(), 3, 3, 0, 0), 0);
    float pos[3], out[3];
    LocalToWorld(1, 1, -0.9, 0, 0.9, pos);
    for (int kind = 0; kind < 2; ++kind) {
      _Collision body = kind == 0 ? Sphere(pos, 0.5f, 0, false) : Upright(pos, 0, true, 0.5f);
      EXPECT_EQ(dungeon.Collision(&body, out), 1);
      double local[3];
      WorldToLocal(1, 1, out, local);
      EXPECT_NEAR(local[0], -1.0 + 0.25 / std::sqrt(2.0), 1e-6);
      EXPECT_NEAR(local[2], 1.0 - 0.25 / std::sqrt(2.0), 1e-6);
    }
    // Farther than r from the corner: untouched.
    LocalToWorld(1, 1, -0.75, 0, 0.75, pos);
    _Collision far = Sphere(pos, 0.5f, 0, false);
    EXPECT_EQ(dungeon.Collision(&far, out), 0);
  }
  // Each of the four corners, made by the z-side neighbours' walls.
  struct CornerCase {
    int nbRow, nbCol, nbWall;
    double lx, lz;
  };
  const CornerCase corners[] = {
      {1, 2, 8, -1, 1}, {1, 2, 4, 1, 1}, {1, 0, 8, -1, -1}, {1, 0, 4, 1, -1}};
  for (const CornerCase& c : corners) {
    DungeonFloor dungeon;
    std::vector<int> cells = OpenMap(3, 3);
    cells[c.nbRow * 3 + c.nbCol] = c.nbWall;
    ASSERT_EQ(dungeon.SetMapData(cells.data(), 3, 3, 0, 0), 0);
    float pos[3], out[3];
    LocalToWorld(1, 1, c.lx * 0.9, 0, c.lz * 0.9, pos);
    _Collision body = Sphere(pos, 0.5f, 0, false);
    EXPECT_EQ(dungeon.Collision(&body, out), 1);
    double local[3];
    WorldToLocal(1, 1, out, local);
    EXPECT_NEAR(std::hypot(local[0] - c.lx, local[2] - c.lz), 0.25, 1e-6);
    EXPECT_NEAR(std::fabs(local[0] - c.lx), std::fabs(local[2] - c.lz), 1e-6);
  }
  // Exactly on the corner point (+1, +1), which still lies in the cell: pushed r towards the
  // cell's middle, never by NaN.
  {
    DungeonFloor dungeon;
    std::vector<int> cells = OpenMap(3, 3);
    cells[1 * 3 + 2] = 4;
    ASSERT_EQ(dungeon.SetMapData(cells.data(), 3, 3, 0, 0), 0);
    float pos[3], out[3];
    LocalToWorld(1, 1, 1.0, 0, 1.0, pos);
    _Collision on = Sphere(pos, 0.5f, 0, false);
    EXPECT_EQ(dungeon.Collision(&on, out), 1);
    double local[3];
    WorldToLocal(1, 1, out, local);
    EXPECT_NEAR(local[0], 1.0 - 0.25 / std::sqrt(2.0), 1e-6);
    EXPECT_NEAR(local[2], 1.0 - 0.25 / std::sqrt(2.0), 1e-6);
  }
  // With a wall of its own on that y side the cell has no corner there: only the wall pushes.
  DungeonFloor dungeon;
  std::vector<int> cells = OpenMap(3, 3);
  cells[1 * 3 + 2] = 8;
  cells[4] = 8;
  ASSERT_EQ(dungeon.SetMapData(cells.data(), 3, 3, 0, 0), 0);
  float pos[3], out[3];
  LocalToWorld(1, 1, -0.875, 0, 0.875, pos);
  _Collision body = Sphere(pos, 0.5f, 0, false);
  dungeon.Collision(&body, out);
  double local[3];
  WorldToLocal(1, 1, out, local);
  EXPECT_EQ(local[0], -0.75);
  EXPECT_EQ(local[2], 0.875);
}

TEST(FloorCollision, FloorCeilingSpheresAndCubes) {
  DungeonFloor dungeon;
  CentreMap(&dungeon, 2 | 4 | 1 | 16);
  float pos[3], out[3];
  // Floor and ceiling.
  LocalToWorld(1, 1, 0, 0.875, 0, pos);
  _Collision sphere = Sphere(pos, 0.5f, 0, false);
  EXPECT_EQ(dungeon.Collision(&sphere, out), 1);
  EXPECT_EQ(out[1], 1.5f);
  LocalToWorld(1, 1, 0, -0.875, 0, pos);
  sphere = Sphere(pos, 0.5f, 0, false);
  dungeon.Collision(&sphere, out);
  EXPECT_EQ(out[1], -1.5f);

  // A set of spheres: the largest correction per axis wins. Sphere directions are
  // (sin Y cos P, sin P, cos Y cos P): yaw 0 is +z here.
  LocalToWorld(1, 1, 0, 0, 0, pos);
  float radii[4] = {1.0f, 1.5f, 0.8f, 1.2f};
  float yaws[4] = {0, 90, 180, 90};
  float pitches[4] = {0, 0, 0, 0};
  float distances[4] = {1.5f, 1.0f, 1.0f, 1.0f};
  _Collision set = {};
  set.type = QUORL_COMMON::COL_SPHERES;
  for (int a = 0; a < 3; ++a) set.pos[a] = pos[a];
  set.shape.spheres = {4, radii, yaws, pitches, distances};
  EXPECT_EQ(dungeon.Collision(&set, out), 1);
  EXPECT_FLOAT_EQ(out[0], pos[0] - 0.5f);  // the +y wall (bit 4), not the smaller 0.2
  EXPECT_FLOAT_EQ(out[1], pos[1]);
  EXPECT_FLOAT_EQ(out[2], pos[2] - 0.5f);  // the -x wall (bit 2) behind +z
  set.shape.spheres.count = 0;
  EXPECT_EQ(dungeon.Collision(&set, out), 0);
  EXPECT_EQ(out[0], pos[0]);
  set.shape.spheres.count = 4;
  set.shape.spheres.radii = nullptr;
  EXPECT_EQ(dungeon.Collision(&set, out), 0);

  // A cube of half-size 1 (world) reaching 0.25 (local) into the +y wall: pushed back;
  // the +x wall holds a door and does not stop it.
  LocalToWorld(1, 1, 0.75, 0, 0.75, pos);
  _Collision cube = {};
  cube.type = QUORL_COMMON::COL_CUBE;
  for (int a = 0; a < 3; ++a) cube.pos[a] = pos[a];
  for (int k = 0; k < 8; ++k) {
    cube.shape.cube.corners[k][0] = (k & 1) ? 1.0f : -1.0f;
    cube.shape.cube.corners[k][1] = (k & 2) ? 1.0f : -1.0f;
    cube.shape.cube.corners[k][2] = (k & 4) ? 1.0f : -1.0f;
  }
  EXPECT_EQ(dungeon.Collision(&cube, out), 1);
  double local[3];
  WorldToLocal(1, 1, out, local);
  EXPECT_EQ(local[0], 0.5);
  EXPECT_EQ(local[2], 0.75);
  // Its corner offsets count in the map frame: +z offsets reach towards the map's +x side.
  LocalToWorld(1, 1, 0, 0, -0.5, pos);
  for (int a = 0; a < 3; ++a) cube.pos[a] = pos[a];
  for (int k = 0; k < 8; ++k) cube.shape.cube.corners[k][2] = 3.5f;  // map z +1.75
  CentreMap(&dungeon, 1);
  EXPECT_EQ(dungeon.Collision(&cube, out), 1);
  WorldToLocal(1, 1, out, local);
  EXPECT_EQ(local[2], -0.75);
}

TEST(FloorCollision, UnknownTypesTouchNothing) {
  DungeonFloor dungeon;
  CentreMap(&dungeon, 15);
  float pos[3];
  LocalToWorld(1, 1, 0.95, 0.95, 0.95, pos);
  for (int type : {0, 5, 7, -1}) {
    _Collision body = Sphere(pos, 1.0f, 0, false);
    body.type = type;
    float out[3] = {42, 42, 42};
    EXPECT_EQ(dungeon.Collision(&body, out), 0);
    EXPECT_EQ(out[0], 42);
    EXPECT_EQ(out[2], 42);
  }
}

TEST(FloorCollision, BodiesOffTheMap) {
  DungeonFloor dungeon;
  std::vector<int> cells = OpenMap(2, 2);
  cells[1 * 2 + 0] = 4;  // last row, +y wall
  ASSERT_EQ(dungeon.SetMapData(cells.data(), 2, 2, 0, 0), 0);
  // A cylinder beyond the last row is tested against the last row's cell and pushed back.
  float pos[3] = {9, 0, 0};
  _Collision body = Upright(pos, 0, true);
  float out[3];
  EXPECT_EQ(dungeon.Collision(&body, out), 1);
  EXPECT_NEAR(out[0], 5.6f, 1e-5);
  // A sphere off the map sees rock all round: no walls, no reads outside the map.
  float away[3] = {-50, 0, 70};
  _Collision sphere = Sphere(away, 0.5f, 0, true);
  EXPECT_EQ(dungeon.Collision(&sphere, out), 0);
  EXPECT_EQ(out[0], away[0]);
}

TEST(FloorRay, AxisAlignedRaysSearchOnlyTheirLineAndEndAtTheEdge) {
  DungeonFloor dungeon;
  std::vector<int> cells = OpenMap(5, 5);
  cells[3 * 5 + 3] = 15;  // a closed cell off every axis through (2, 2)
  ASSERT_EQ(dungeon.SetMapData(cells.data(), 5, 5, 0, 0), 0);
  float pos[3];
  LocalToWorld(2, 2, 0, 0, 0, pos);
  for (float yaw : {0.0f, 90.0f, 180.0f, 270.0f}) {
    _Collision ray = Ray(pos, yaw, 0);
    float out[3] = {1, 2, 3};
    EXPECT_EQ(dungeon.Collision(&ray, out), -1) << yaw;
    EXPECT_EQ(out[0], pos[0]);
    EXPECT_EQ(out[1], pos[1]);
    EXPECT_EQ(out[2], pos[2]);
  }
  // Walls at the ends of the four lines.
  struct Hit {
    float yaw;
    int row, col, wall;
    float x, z;
  };
  const Hit hits[] = {{0, 2, 4, 1, 8, -18},
                      {90, 4, 2, 4, 18, -8},
                      {180, 2, 0, 2, 8, 2},
                      {270, 0, 2, 8, -2, -8}};
  for (const Hit& h : hits) {
    std::vector<int> walled = OpenMap(5, 5);
    walled[h.row * 5 + h.col] = h.wall | (h.wall << 4);  // a door stops a ray like a wall
    ASSERT_EQ(dungeon.SetMapData(walled.data(), 5, 5, 0, 0), 0);
    _Collision ray = Ray(pos, h.yaw, 0);
    float out[3];
    ASSERT_EQ(dungeon.Collision(&ray, out), 1) << h.yaw;
    EXPECT_NEAR(out[0], h.x, 1e-5);
    EXPECT_NEAR(out[1], 0.0f, 1e-5);
    EXPECT_NEAR(out[2], h.z, 1e-5);
  }
}

TEST(FloorRay, FloorCeilingDiagonalsAndDegenerateRays) {
  DungeonFloor dungeon;
  std::vector<int> cells = OpenMap(5, 5);
  ASSERT_EQ(dungeon.SetMapData(cells.data(), 5, 5, 0, 0), 0);
  float pos[3];
  LocalToWorld(2, 2, 0, 0, 0, pos);
  float out[3];
  _Collision down = Ray(pos, 90, 60);  // positive pitch looks down
  ASSERT_EQ(dungeon.Collision(&down, out), 1);
  EXPECT_NEAR(out[0], 8 + 2 / std::tan(60 * M_PI / 180), 1e-4);
  EXPECT_NEAR(out[1], -2, 1e-5);
  EXPECT_NEAR(out[2], -8, 1e-5);
  _Collision up = Ray(pos, 0, -80);
  up.shape.ray.pitchOffset = 20;  // offsets add to the angles
  ASSERT_EQ(dungeon.Collision(&up, out), 1);
  EXPECT_NEAR(out[1], 2, 1e-5);
  EXPECT_NEAR(out[2], -8 - 2 / std::tan(60 * M_PI / 180), 1e-4);

  // Diagonal rays over open floor walk their quarter of the map and end.
  for (float yaw : {45.0f, 135.0f, 225.0f, 315.0f, 359.9f, 400.0f, -30.0f}) {
    _Collision ray = Ray(pos, yaw, 0);
    EXPECT_EQ(dungeon.Collision(&ray, out), -1) << yaw;
  }
  // A heading beyond 360 walks the same cells as its turn within 0..360.
  cells[4 * 5 + 4] = 15;
  ASSERT_EQ(dungeon.SetMapData(cells.data(), 5, 5, 0, 0), 0);
  _Collision wide = Ray(pos, 405, 0);
  float wideOut[3];
  EXPECT_EQ(dungeon.Collision(&wide, wideOut), 1);
  _Collision plain = Ray(pos, 45, 0);
  EXPECT_EQ(dungeon.Collision(&plain, out), 1);
  EXPECT_NEAR(out[0], wideOut[0], 1e-4);
  EXPECT_NEAR(out[2], wideOut[2], 1e-4);

  // Rays from off the map, and rays without a direction, end at once.
  float away[3] = {1e30f, 0, -1e30f};
  _Collision lost = Ray(away, 45, 0);
  EXPECT_EQ(dungeon.Collision(&lost, out), -1);
  _Collision nan = Ray(pos, std::nanf(""), 0);
  EXPECT_EQ(dungeon.Collision(&nan, out), -1);
}

TEST(FloorRay, StairsCellsAreClosedAcrossTheirRun) {
  DungeonFloor dungeon;
  std::vector<int> cells = OpenMap(3, 3);
  cells[1 * 3 + 1] = 513;  // stairs towards the map's +x: walls added on the +y and -y sides
  ASSERT_EQ(dungeon.SetMapData(cells.data(), 3, 3, 0, 0), 0);
  float pos[3], out[3];
  LocalToWorld(1, 1, 0, 0, 0, pos);
  _Collision ray = Ray(pos, 90, 0);
  ASSERT_EQ(dungeon.Collision(&ray, out), 1);
  EXPECT_NEAR(out[0], 6, 1e-5);
  _Collision body = Upright(pos, 0, true);
  LocalToWorld(1, 1, 0.9, 0, 0, body.pos);
  EXPECT_EQ(dungeon.Collision(&body, out), 1);
}
