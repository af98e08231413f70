// Tests of the collision record and its geometry helpers.
#include "common/collision.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace QUORL_COMMON;

TEST(CollisionRecord, EmptyInitialiserClearsTheWholeShapeBlock) {
  _Collision record;
  memset(&record, 0xA5, sizeof(record));
  record = _Collision{};
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&record.shape);
  for (size_t k = 0; k < sizeof(record.shape); ++k) ASSERT_EQ(bytes[k], 0) << "byte " << k;
}

TEST(CollisionHelpers, LineMeetsPlaneAndQuadUnlessParallel) {
  const float normal[3] = {0, 1, 0}, planePoint[3] = {5, 2, -7}, up[3] = {0, 2, 1};
  const float origin[3] = {1, 4, 3}, flat[3] = {1, 1e-9f, 0};
  const float square[4][3] = {{0, 0, 2}, {1, 0, 2}, {1, 1, 2}, {0, 1, 2}};
  const float reversed[4][3] = {{0, 1, 2}, {1, 1, 2}, {1, 0, 2}, {0, 0, 2}};
  float out[3] = {9, 9, 9};
  ASSERT_EQ(ClossPointRayFace(origin, up, planePoint, normal, out), 1);  // behind the origin
  EXPECT_FLOAT_EQ(out[2], 2);
  EXPECT_EQ(ClossPointRayFace(origin, flat, planePoint, normal, out), 0);
  EXPECT_EQ(ImpactRayFace(origin, flat, planePoint, normal, square, out), 0);
  EXPECT_EQ(out[2], 2);  // untouched when parallel
  // Inside, outside, on an edge's line, on a corner; the quad either way round.
  const float zNormal[3] = {0, 0, 1}, dir[3] = {0, 0, -1};
  const float cases[4][3] = {{0.5f, 0.25f, 1}, {1.5f, 0.5f, 0}, {1, 0.5f, 1}, {0, 0, 1}};
  for (const auto& c : cases) {
    const float from[3] = {c[0], c[1], 5};
    for (const auto* quad : {square, reversed}) {
      EXPECT_EQ(ImpactRayFace(from, dir, quad[0], zNormal, quad, out), c[2]) << c[0] << "," << c[1];
      EXPECT_EQ(out[0] * 100 + out[2], c[0] * 100 - 2.0f);  // written hit or not, z negated
    }
  }
}

TEST(CollisionHelpers, ClosestPointsOfTwoLines) {
  const float p1[3] = {-1, 0, 0}, d1[3] = {2, 0, 0}, p2[3] = {2, 3, 5}, d2[3] = {0, 0, -0.5f};
  float out[2];
  EXPECT_EQ(diffTwoLines(p1, d1, p2, d2, out), 0);
  EXPECT_FLOAT_EQ(out[0], 1.5f);   // x = 2 on line 1
  EXPECT_FLOAT_EQ(out[1], 10.0f);  // z = 0 on line 2
  // Parallel lines: s = 0 and t of the point of line 2 nearest to p1 (z = 6), also when line 2
  // runs the other way at another speed; points for lines give zeros, not a division by zero.
  const float q1[3] = {0, 1, 6}, e1[3] = {0, 0, 1}, q2[3] = {}, e2[3] = {0, 0, -2}, zero[3] = {};
  diffTwoLines(q1, e1, q2, e2, out);
  EXPECT_FLOAT_EQ(out[0] * 10 + out[1], -3.0f);
  diffTwoLines(q1, zero, q2, zero, out);
  EXPECT_EQ(out[0] * 10 + out[1], 0.0f);
}

TEST(CollisionHelpers, AnglesOfVectors) {
  const float cases[][5] = {{0, 0, 0, 0, 90},    {1, 0, 0, 90, 0},   {-1, 0, 0, 270, 0},
                            {0, 0, -1, 180, 0},  {0, -1, 0, 270, 90}, {0, 2, 0, 270, -90},
                            {1, -1, 1, 45, 35.26439f}, {-1, 0, 1, 315, 0},
                            {-1e-30f, 0, 1, 0, 0}};  // stays below 360
  for (const auto& c : cases) {
    float out[2];
    getAngles(c, out);
    EXPECT_NEAR(out[0], c[3], 1e-4) << c[0] << " " << c[1] << " " << c[2];
    EXPECT_NEAR(out[1], c[4], 1e-4) << c[0] << " " << c[1] << " " << c[2];
  }
}
