// Tests of the collision record and the geometry helpers: line and plane, line and quadrilateral,
// two lines, and the angles of a vector.
#include "common/collision.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

using namespace QUORL_COMMON;

namespace {

const float kUnitSquare[4][3] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
const float kNormalZ[3] = {0, 0, 1};

}  // namespace

TEST(CollisionRecord, EmptyInitialiserClearsTheWholeShapeBlock) {
  _Collision record;
  memset(&record, 0xA5, sizeof(record));
  record = _Collision{};
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&record.shape);
  for (size_t k = 0; k < sizeof(record.shape); ++k) ASSERT_EQ(bytes[k], 0) << "byte " << k;
  EXPECT_EQ(record.type, 0);
  EXPECT_FALSE(record.passDoors);
  // The radius of a sphere and of a cylinder are the same field, and the cube has its 24 floats.
  record.shape.sphere.radius = 0.75f;
  EXPECT_EQ(record.shape.cylinder.radius, 0.75f);
  EXPECT_GE(sizeof(record.shape), sizeof(float) * 24);
}

TEST(ClossPointRayFace, MeetsThePlaneBothWaysAndRejectsParallelLines) {
  const float normal[3] = {0, 1, 0};
  const float planePoint[3] = {5, 2, -7};
  float out[3] = {9, 9, 9};
  // A line pointing away from the plane still meets it (behind the origin).
  const float origin[3] = {1, 4, 3};
  const float up[3] = {0, 2, 1};
  ASSERT_EQ(ClossPointRayFace(origin, up, planePoint, normal, out), 1);
  EXPECT_FLOAT_EQ(out[0], 1);
  EXPECT_FLOAT_EQ(out[1], 2);
  EXPECT_FLOAT_EQ(out[2], 2);

  const float onPlane[3] = {3, 2, 1};
  ASSERT_EQ(ClossPointRayFace(onPlane, up, planePoint, normal, out), 1);
  EXPECT_FLOAT_EQ(out[0], 3);
  EXPECT_FLOAT_EQ(out[1], 2);
  EXPECT_FLOAT_EQ(out[2], 1);

  float untouched[3] = {9, 9, 9};
  const float flat[3] = {1, 1e-9f, 0};  // dot product below 1e-8
  EXPECT_EQ(ClossPointRayFace(origin, flat, planePoint, normal, untouched), 0);
  EXPECT_EQ(untouched[0], 9);
  EXPECT_EQ(untouched[1], 9);
  EXPECT_EQ(untouched[2], 9);
}

TEST(ImpactRayFace, InsideOutsideEdgesAndOrientation) {
  const float dir[3] = {0, 0, -1};
  float out[3];
  const float inside[3] = {0.5f, 0.25f, 3};
  ASSERT_EQ(ImpactRayFace(inside, dir, kUnitSquare[0], kNormalZ, kUnitSquare, out), 1);
  EXPECT_FLOAT_EQ(out[0], 0.5f);
  EXPECT_FLOAT_EQ(out[1], 0.25f);
  EXPECT_FLOAT_EQ(out[2], 0.0f);

  // Outside: no hit, but the plane point is still written, z negated.
  const float outside[3] = {1.5f, 0.5f, 3};
  const float shifted[4][3] = {{0, 0, 2}, {1, 0, 2}, {1, 1, 2}, {0, 1, 2}};
  EXPECT_EQ(ImpactRayFace(outside, dir, shifted[0], kNormalZ, shifted, out), 0);
  EXPECT_FLOAT_EQ(out[0], 1.5f);
  EXPECT_FLOAT_EQ(out[1], 0.5f);
  EXPECT_FLOAT_EQ(out[2], -2.0f);

  // A point on an edge's line or on a corner counts as inside.
  const float onEdge[3] = {1, 0.5f, 3};
  EXPECT_EQ(ImpactRayFace(onEdge, dir, kUnitSquare[0], kNormalZ, kUnitSquare, out), 1);
  const float onCorner[3] = {0, 0, 3};
  EXPECT_EQ(ImpactRayFace(onCorner, dir, kUnitSquare[0], kNormalZ, kUnitSquare, out), 1);

  // Corners listed the other way round work the same.
  const float reversed[4][3] = {{0, 1, 0}, {1, 1, 0}, {1, 0, 0}, {0, 0, 0}};
  EXPECT_EQ(ImpactRayFace(inside, dir, reversed[0], kNormalZ, reversed, out), 1);
  EXPECT_EQ(ImpactRayFace(outside, dir, reversed[0], kNormalZ, reversed, out), 0);

  // Parallel line: no hit and out untouched.
  float untouched[3] = {7, 7, 7};
  const float along[3] = {1, 0, 0};
  EXPECT_EQ(ImpactRayFace(inside, along, kUnitSquare[0], kNormalZ, kUnitSquare, untouched), 0);
  EXPECT_EQ(untouched[2], 7);
}

TEST(DiffTwoLines, ClosestPointsOfSkewLines) {
  // Line 1 along x at height 0, line 2 along z at height 3 through x = 2.
  const float p1[3] = {-1, 0, 0}, d1[3] = {2, 0, 0};
  const float p2[3] = {2, 3, 5}, d2[3] = {0, 0, -0.5f};
  float out[2] = {-1, -1};
  EXPECT_EQ(diffTwoLines(p1, d1, p2, d2, out), 0);
  EXPECT_FLOAT_EQ(out[0], 1.5f);  // -1 + 1.5 * 2 = 2
  EXPECT_FLOAT_EQ(out[1], 10.0f); // 5 - 10 * 0.5 = 0
}

TEST(DiffTwoLines, ParallelLinesGiveThePointOfLineTwoNearestToP1) {
  const float p1[3] = {0, 1, 6};
  const float d1[3] = {0, 0, 1};
  const float p2[3] = {0, 0, 0};
  float out[2];
  // Same direction and length: t = (p1 - p2) . d1 / (d1 . d1).
  diffTwoLines(p1, d1, p2, d1, out);
  EXPECT_EQ(out[0], 0.0f);
  EXPECT_FLOAT_EQ(out[1], 6.0f);
  // Twice as long and reversed: still the point z = 6 on line 2.
  const float d2[3] = {0, 0, -2};
  diffTwoLines(p1, d1, p2, d2, out);
  EXPECT_EQ(out[0], 0.0f);
  EXPECT_FLOAT_EQ(out[1], -3.0f);
  // A point for line 1 and a point for line 2: finite zeros, no division by zero.
  const float zero[3] = {0, 0, 0};
  diffTwoLines(p1, zero, p2, zero, out);
  EXPECT_EQ(out[0], 0.0f);
  EXPECT_EQ(out[1], 0.0f);
}

TEST(GetAngles, AxesAndDegenerateVectors) {
  struct Case {
    float v[3];
    float yaw, pitch;
  };
  const Case cases[] = {
      {{0, 0, 0}, 0, 90},    {{1, 0, 0}, 90, 0},      {{-1, 0, 0}, 270, 0},
      {{0, 0, -1}, 180, 0},  {{0, -1, 0}, 270, 90},   {{0, 0, 1}, 0, 0},
      {{0, 2, 0}, 270, -90}, {{1, -1, 1}, 45, 35.26439f}, {{-1, 0, 1}, 315, 0},
  };
  for (const Case& c : cases) {
    float out[2] = {-1, -1};
    getAngles(c.v, out);
    EXPECT_NEAR(out[0], c.yaw, 1e-4) << c.v[0] << " " << c.v[1] << " " << c.v[2];
    EXPECT_NEAR(out[1], c.pitch, 1e-4) << c.v[0] << " " << c.v[1] << " " << c.v[2];
  }
  // A heading just left of +z stays below 360 instead of rounding up to it.
  const float nearlyZ[3] = {-1e-30f, 0, 1};
  float out[2];
  getAngles(nearlyZ, out);
  EXPECT_GE(out[0], 0.0f);
  EXPECT_LT(out[0], 360.0f);
}
