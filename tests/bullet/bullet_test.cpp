// Tests of bullets: every kind's size and model, the hit burst, the shared models, and the hit
// tests.
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "bullet/bullet.h"
#include "support/glwindow.h"
#include "support/testfiles.h"

using QUORL_COMMON::_Collision;

namespace {

// Runs every test in a scratch folder holding model/bullet/Ebullet1..5.mqo, and makes sure no
// bullet outlives its test.
class BulletTest : public testsupport::GLTest {
 protected:
  void SetUp() override {
    testsupport::GLTest::SetUp();
    if (HasFatalFailure()) return;
    home = std::filesystem::current_path();
    std::filesystem::create_directories(dir.file("model/bullet"));
    for (int k = 1; k <= 5; k++) WriteModel(k, k);
    ASSERT_EQ(0, chdir(dir.path().c_str()));
  }
  void TearDown() override {
    if (home.empty()) return;  // no window: nothing was set up
    for (Bullet& b : bullets) b.Finalize();
    EXPECT_EQ(0, Bullet::LoadCount);
    EXPECT_TRUE(Bullet::models.empty());
    std::filesystem::current_path(home);
  }
  // Ebullet k: a rectangle in the xy plane, `half` wide each way and k / 5 of that high, so
  // that the drawn height over the drawn width tells the model (the largest coordinate is drawn
  // at one unit, whatever `half`).
  void WriteModel(int k, int half) {
    const std::string w = std::to_string(half), h = std::to_string(half * k / 5.0);
    testsupport::WriteFile(dir.file("model/bullet/Ebullet" + std::to_string(k) + ".mqo"),
                           "Object \"s\" {\n\tvertex 4 {\n\t\t-" + w + " -" + h + " 0\n\t\t" + w +
                               " -" + h + " 0\n\t\t" + w + " " + h + " 0\n\t\t-" + w + " " + h +
                               " 0\n\t}\n\tface 1 {\n\t\t4 V(0 1 2 3)\n\t}\n}\n");
  }

  testsupport::ScratchDir dir;
  std::filesystem::path home;
  std::vector<Bullet> bullets = std::vector<Bullet>(3);
  const float origin[3] = {0.0f, 0.0f, 0.0f};
};

// The bullet's x coordinate (the flights tested here stay in y = 0, z = 0).
float X(const Bullet& b) {
  float p[3];
  b.GetPos(p);
  return p[0];
}

// A sphere of `radius`, or with radius 0 the player's upright cylinder (radius 0.4, 2 long).
_Collision Body(float x, float y, float z, float radius = 0.0f) {
  _Collision c = {};
  c.type = radius > 0.0f ? QUORL_COMMON::COL_SPHERE : QUORL_COMMON::COL_CYLINDER;
  c.pos[0] = x;
  c.pos[1] = y;
  c.pos[2] = z;
  c.shape.sphere.radius = radius;
  if (radius == 0.0f) c.shape.cylinder = {0.4f, 2.0f, 0.0f, 90.0f};
  return c;
}

// Draws with an orthographic view of x, y in -1 .. 1 (400 pixels a unit across, 300 down) on a
// white screen, the bullet in black, and returns the width and height in pixels of what was
// drawn ({0, 0}: nothing).
std::pair<int, int> DrawnBox(Bullet& b) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-1, 1, -1, 1, -10, 10);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  for (GLenum cap : {GL_LIGHTING, GL_TEXTURE_2D, GL_DEPTH_TEST, GL_CULL_FACE}) glDisable(cap);
  glClearColor(1, 1, 1, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glColor3f(0, 0, 0);
  b.Draw();
  const std::vector<unsigned char> frame = testsupport::ReadBackBuffer();
  int left = 800, right = -1, top = 600, bottom = -1;
  for (size_t i = 0; i < frame.size(); i += 4) {
    if (frame[i] < 128) {
      const int x = static_cast<int>(i / 4 % 800), y = static_cast<int>(i / 4 / 800);
      left = std::min(left, x), right = std::max(right, x);
      top = std::min(top, y), bottom = std::max(bottom, y);
    }
  }
  return right < 0 ? std::pair(0, 0) : std::pair(right - left + 1, bottom - top + 1);
}

int DrawnWidth(Bullet& b) { return DrawnBox(b).first; }

// Every kind facing the viewer: the drawn size (2 x size units wide) and the model (its height /
// width is k / 5). How each kind flies and hits, the demos' replays count (damage by bullet kind).
TEST_F(BulletTest, EveryKindDrawsItsModelAtItsSize) {
  const struct {
    int kind;
    float size;
    int model;  // 1 to 5, 0 none
  } kinds[] = {{0, 0.0f, 0},    {10, 0.4f, 1},  {11, 0.1f, 2}, {12, 0.045f, 5},
               {20, 0.8f, 1},   {30, 0.8f, 3},  {31, 0.1f, 4}};
  for (const auto& k : kinds) {
    ASSERT_EQ(0, bullets[0].Init(k.kind, origin, 0.0f, 0.0f, 1));
    const auto [width, height] = DrawnBox(bullets[0]);
    bullets[0].Finalize();
    EXPECT_NEAR(800 * k.size, width, 2) << "kind " << k.kind;
    EXPECT_NEAR(600 * k.size * k.model / 5, height, 2) << "kind " << k.kind;  // 300 px a unit
  }
}

TEST_F(BulletTest, LastBulletReleasesTheModelsAndTheNextReadsThemAgain) {
  ASSERT_EQ(0, bullets[0].Init(10, origin, 0.0f, 0.0f, 30));
  ASSERT_EQ(0, bullets[0].Init(10, origin, 0.0f, 0.0f, 30));  // a live bullet is finalised first
  EXPECT_EQ(1, Bullet::LoadCount);
  ASSERT_EQ(0, bullets[1].Init(11, origin, 0.0f, 0.0f, 60));
  bullets[0].Finalize();
  EXPECT_EQ(5u, Bullet::models.size());
  bullets[1].Finalize();
  bullets[1].Finalize();  // a dead bullet does not count down again
  EXPECT_EQ(0, Bullet::LoadCount);
  EXPECT_TRUE(Bullet::models.empty());
  EXPECT_EQ(0u, Bullet::DL_Particle);
  WriteModel(1, 7);
  ASSERT_EQ(0, bullets[2].Init(20, origin, 0.0f, 0.0f, 60));
  EXPECT_FLOAT_EQ(7.0f, Bullet::models[0]->extent);
}

TEST_F(BulletTest, HitBurstsEndOnTheFifthMove) {
  Bullet& b = bullets[0];
  ASSERT_EQ(0, b.Init(10, origin, 0.0f, 0.0f, 30));
  b.HitWall();
  std::vector<int> widths;
  for (int frame = 0; frame < 4; frame++) {
    b.Move();
    ASSERT_FALSE(b.isDelete());
    widths.push_back(DrawnWidth(b));
  }
  b.Move();
  EXPECT_TRUE(b.isDelete());
  EXPECT_EQ(0, DrawnWidth(b));
  // A second hit during the burst changes its kind, not its timer: the end stays the fifth Move.
  ASSERT_EQ(0, b.Init(10, origin, 0.0f, 0.0f, 30));
  b.HitWall();
  b.Move();
  b.Move();
  b.HitEnemy();
  b.HitWall();
  for (int frame = 0; frame < 2; frame++) b.Move();
  EXPECT_FALSE(b.isDelete());
  b.Move();
  EXPECT_TRUE(b.isDelete());
  // Scales 0.2, 0.4, 0.6, 0.8 of the same fan of lines.
  ASSERT_GT(widths[3], 100);
  for (int i = 0; i < 3; i++) EXPECT_NEAR(widths[3] * (i + 1) / 4.0, widths[i], 3.0) << i;

  // An enemy bullet that hits a body vanishes at once and ends on the fifth Move as well.
  ASSERT_EQ(0, bullets[1].Init(31, origin, 0.0f, 0.0f, 60));
  EXPECT_GT(DrawnWidth(bullets[1]), 0);
  bullets[1].HitEnemy();
  for (int i = 0; i < 4; i++) {
    bullets[1].Move();
    EXPECT_EQ(0, DrawnWidth(bullets[1]));
  }
  bullets[1].Move();
  EXPECT_TRUE(bullets[1].isDelete());
}

TEST_F(BulletTest, PlayerShotHitsSpheresAtTheirEntryPointAndNothingBehind) {
  Bullet& shot = bullets[0];
  ASSERT_EQ(0, shot.Init(0, origin, 0.0f, 0.0f, 5));  // along -z
  float hit[3] = {9.0f, 9.0f, 9.0f};
  _Collision body = Body(0.0f, 0.0f, -5.0f, 1.0f);
  EXPECT_EQ(5, shot.Collision(&body, hit));
  EXPECT_NEAR(std::fabs(hit[0]) + std::fabs(hit[2] + 4.0f), 0.0f, 1e-5f);
  for (const _Collision& missed : {Body(0.0f, 0.0f, 5.0f, 100.0f), Body(1.5f, 0.0f, -5.0f, 1.0f)}) {
    EXPECT_EQ(0, shot.Collision(&missed, hit));  // behind (even holding the origin), or aside
  }

  // A sphere set: sphere i sits distances[i] from the body along (sin Y cos P, sin P,
  // cos Y cos P), so yaw 0 lies behind the shot and yaw 180 ahead. The first ahead but aside,
  // the second behind, the third straight ahead: the one behind ends the test.
  float radii[3] = {0.5f, 0.5f, 0.5f}, yaws[3] = {150.0f, 0.0f, 180.0f};
  float pitches[3] = {0.0f, 0.0f, 0.0f}, distances[3] = {3.0f, 3.0f, 6.0f};
  _Collision set = {};
  set.type = QUORL_COMMON::COL_SPHERES;
  set.shape.spheres = {3, radii, yaws, pitches, distances};
  EXPECT_EQ(0, shot.Collision(&set, hit));
  yaws[1] = 180.0f;  // the second now straight ahead at 3 units
  EXPECT_EQ(5, shot.Collision(&set, hit));
  EXPECT_NEAR(-2.5f, hit[2], 1e-5f);
}

TEST_F(BulletTest, HomingBulletTurnsOnlyFromBeyondTwoUnits) {
  Bullet& b = bullets[0];
  ASSERT_EQ(0, b.Init(11, origin, 0.0f, 0.0f, 60));
  // The player 3 units to the +x side (aimed at its centre raised by 0.5): only a turn.
  _Collision player = Body(3.0f, -0.5f, 0.0f);
  EXPECT_EQ(0, b.Collision(&player, nullptr));
  b.Move();
  EXPECT_NEAR(0.08f, X(b), 1e-6f);  // turned fully towards +x
  player = Body(0.08f, -0.5f, 1.5f);  // closer than 2 units: no turn, and 1.5 away no hit
  EXPECT_EQ(0, b.Collision(&player, nullptr));
  b.Move();
  EXPECT_NEAR(0.16f, X(b), 1e-6f);
  player = Body(0.16f, 0.0f, 0.45f);  // within bullet radius + body radius (0.1 + 0.4)
  EXPECT_EQ(60, b.Collision(&player, nullptr));
}

TEST_F(BulletTest, CapsuleBulletsAgainstThePlayersCylinder) {
  Bullet& b = bullets[0];
  ASSERT_EQ(0, b.Init(10, origin, 0.0f, 0.0f, 30));  // flying towards -z, length 0.4
  // Ahead within reach; past the front end (the lines cross at s < 0); beside, 0.45 < 0.1 + 0.4;
  // beside out of reach.
  const float cases[][3] = {{0, -0.1f, 30}, {0, -0.3f, 0}, {0.45f, 0, 30}, {0.55f, 0, 0}};  // x, z
  for (const auto& c : cases) {
    _Collision player = Body(c[0], 0.0f, c[1]);
    EXPECT_EQ(c[2], b.Collision(&player, nullptr)) << c[0] << " " << c[1];
  }

  // Flying steeply down (pitch 80) 0.3 beside the upright axis: its ends are within reach, but
  // the lines meet far beyond the bullet (s outside 0 .. 1), so there is no hit.
  const float beside[3] = {0.3f, 0.0f, 0.0f};
  ASSERT_EQ(0, bullets[1].Init(20, beside, 90.0f, 80.0f, 60));
  _Collision player = Body(0.0f, 0.0f, 0.0f);
  EXPECT_EQ(0, bullets[1].Collision(&player, nullptr));
  ASSERT_EQ(0, bullets[2].Init(20, beside, 90.0f, 0.0f, 60));
  EXPECT_EQ(60, bullets[2].Collision(&player, nullptr));
}

}  // namespace
