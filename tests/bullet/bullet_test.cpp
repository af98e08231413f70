// Tests of bullets: kinds and flight, the hit burst, the shared models, and the hit tests.
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "bullet/bullet.h"
#include "support/glwindow.h"
#include "support/testfiles.h"

using QUORL_COMMON::_Collision;

namespace {

// A square model of half-size `half` in the xy plane.
std::string SquareModel(int half) {
  const std::string h = std::to_string(half), m = "-" + h;
  return "Metasequoia Document\nFormat Text Ver 1.0\nObject \"s\" {\n\tvertex 4 {\n"
         "\t\t" + m + " " + m + " 0\n\t\t" + h + " " + m + " 0\n\t\t" + h + " " + h + " 0\n\t\t" +
         m + " " + h + " 0\n\t}\n\tface 1 {\n\t\t4 V(0 1 2 3)\n\t}\n}\nEof\n";
}

// Runs every test in a scratch folder holding model/bullet/Ebullet1..5.mqo (Ebullet k is a
// square of half-size k), and makes sure no bullet outlives its test.
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
  void WriteModel(int k, int half) {
    testsupport::WriteFile(dir.file("model/bullet/Ebullet" + std::to_string(k) + ".mqo"),
                           SquareModel(half));
  }

  testsupport::ScratchDir dir;
  std::filesystem::path home;
  std::vector<Bullet> bullets = std::vector<Bullet>(4);
  const float origin[3] = {0.0f, 0.0f, 0.0f};
};

void ExpectPos(const Bullet& b, float x, float y, float z) {
  float p[3];
  b.GetPos(p);
  EXPECT_NEAR(x, p[0], 1e-6f);
  EXPECT_NEAR(y, p[1], 1e-6f);
  EXPECT_NEAR(z, p[2], 1e-6f);
}

TEST_F(BulletTest, KindsFlyAlongTheirHeading) {
  Bullet& b = bullets[0];
  ASSERT_EQ(0, b.Init(10, origin, 90.0f, 0.0f, 30));
  b.Move();
  ExpectPos(b, 0.13f, 0.0f, 0.0f);
  b.Move();
  ExpectPos(b, 0.26f, 0.0f, 0.0f);

  const float start[3] = {1.0f, 2.0f, 3.0f};
  ASSERT_EQ(0, bullets[1].Init(30, start, 0.0f, 90.0f, 60));  // positive pitch flies down
  bullets[1].Move();
  ExpectPos(bullets[1], 1.0f, 2.0f - 0.11f, 3.0f);

  ASSERT_EQ(0, bullets[2].Init(0, start, 45.0f, 10.0f, 1));  // the player's ray stays put
  bullets[2].Move();
  ExpectPos(bullets[2], 1.0f, 2.0f, 3.0f);

  for (int i = 0; i < 50; i++) {  // Zoosy's speed is 0.1 plus up to 0.019
    Bullet zoosy;
    ASSERT_EQ(0, zoosy.Init(12, origin, 180.0f, 0.0f, 20));
    zoosy.Move();
    float p[3];
    zoosy.GetPos(p);
    EXPECT_GE(p[2], 0.1f - 1e-6f);
    EXPECT_LE(p[2], 0.119f + 1e-6f);
    zoosy.Finalize();
  }
}

TEST_F(BulletTest, InitOnALiveBulletChangesNothing) {
  Bullet& b = bullets[0];
  ASSERT_EQ(0, b.Init(10, origin, 0.0f, 0.0f, 30));
  const float elsewhere[3] = {5.0f, 5.0f, 5.0f};
  EXPECT_EQ(0, b.Init(30, elsewhere, 90.0f, 0.0f, 60));
  EXPECT_EQ(1, Bullet::LoadCount);
  EXPECT_EQ(30, b.getDamage());
  b.Move();
  ExpectPos(b, 0.0f, 0.0f, -0.13f);
}

TEST_F(BulletTest, LastBulletReleasesTheModelsAndTheNextReadsThemAgain) {
  ASSERT_EQ(0, bullets[0].Init(10, origin, 0.0f, 0.0f, 30));
  ASSERT_EQ(0, bullets[1].Init(11, origin, 0.0f, 0.0f, 60));
  ASSERT_EQ(5u, Bullet::models.size());
  EXPECT_FLOAT_EQ(1.0f, Bullet::models[0]->extent);
  EXPECT_NE(0u, Bullet::DL_Particle);
  EXPECT_EQ(2, Bullet::LoadCount);
  bullets[0].Finalize();
  EXPECT_TRUE(bullets[0].isDelete());
  EXPECT_EQ(5u, Bullet::models.size());
  bullets[1].Finalize();
  bullets[1].Finalize();  // a dead bullet does not count down again
  EXPECT_EQ(0, Bullet::LoadCount);
  EXPECT_TRUE(Bullet::models.empty());
  EXPECT_EQ(0u, Bullet::DL_Particle);

  WriteModel(1, 7);
  ASSERT_EQ(0, bullets[2].Init(20, origin, 0.0f, 0.0f, 60));
  EXPECT_FLOAT_EQ(7.0f, Bullet::models[0]->extent);
  bullets[2].Finalize();

  // A model that does not load fails Init; the bullet stays dead and nothing stays loaded.
  std::filesystem::remove(dir.file("model/bullet/Ebullet3.mqo"));
  testing::internal::CaptureStdout();
  EXPECT_EQ(-1, bullets[3].Init(10, origin, 0.0f, 0.0f, 30));
  const std::string output = testing::internal::GetCapturedStdout();
  EXPECT_NE(std::string::npos,
            output.find("Bullet:MQOModel Bulletmodel Init Errormodel/bullet/Ebullet3.mqo\n"))
      << output;
  EXPECT_TRUE(bullets[3].isDelete());
  EXPECT_EQ(0, Bullet::LoadCount);
  EXPECT_TRUE(Bullet::models.empty());
}

TEST_F(BulletTest, SecondHitKeepsTheRunningBurstTimer) {
  Bullet& b = bullets[0];
  ASSERT_EQ(0, b.Init(10, origin, 0.0f, 0.0f, 30));
  b.HitWall();
  EXPECT_EQ(1, b.isHited());
  b.Move();
  b.Move();
  b.HitEnemy();
  EXPECT_EQ(3, b.isHited());
  b.Move();
  b.Move();
  EXPECT_FALSE(b.isDelete());
  b.Move();
  EXPECT_TRUE(b.isDelete());
  ExpectPos(b, 0.0f, 0.0f, 0.0f);  // a hit stops the bullet

  ASSERT_EQ(0, bullets[1].Init(0, origin, 0.0f, 0.0f, 5));
  bullets[1].HitEnemy();
  EXPECT_EQ(2, bullets[1].isHited());
}

// Draws with an orthographic view of x, y in -1 .. 1 (400 pixels a unit across) onto a white screen, the bullet's lines
// and untextured faces in black, and returns the width in pixels of what was drawn (0: nothing).
int DrawnWidth(Bullet& b) {
  glViewport(0, 0, 800, 600);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-1, 1, -1, 1, -10, 10);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_LIGHTING);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
  glClearColor(1, 1, 1, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glColor3f(0, 0, 0);
  b.Draw();
  const std::vector<unsigned char> frame = testsupport::ReadBackBuffer();
  int left = 800, right = -1;
  for (int y = 0; y < 600; y++) {
    for (int x = 0; x < 800; x++) {
      if (frame[(static_cast<size_t>(y) * 800 + x) * 4] < 128) {
        left = std::min(left, x);
        right = std::max(right, x);
      }
    }
  }
  return right < 0 ? 0 : right - left + 1;
}

TEST_F(BulletTest, WallBurstGrowsOverFourFramesAndEndsOnTheFifthMove) {
  Bullet& b = bullets[0];
  ASSERT_EQ(0, b.Init(10, origin, 0.0f, 0.0f, 30));
  EXPECT_NEAR(320, DrawnWidth(b), 2);  // model 0 at unit size x 0.4: 0.8 units across
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
  // Scales 0.2, 0.4, 0.6, 0.8 of the same fan of lines.
  ASSERT_GT(widths[3], 100);
  for (int i = 0; i < 3; i++) {
    EXPECT_NEAR(widths[3] * (i + 1) / 4.0, widths[i], 3.0) << "frame " << i;
  }
}

TEST_F(BulletTest, EnemyBulletVanishesOnABodyHit) {
  Bullet& b = bullets[0];
  ASSERT_EQ(0, b.Init(31, origin, 0.0f, 0.0f, 60));
  EXPECT_GT(DrawnWidth(b), 0);
  b.HitEnemy();
  for (int i = 0; i < 4; i++) {
    b.Move();
    EXPECT_EQ(0, DrawnWidth(b));
    EXPECT_FALSE(b.isDelete());
  }
  b.Move();
  EXPECT_TRUE(b.isDelete());
}

// Body records as the game builds them.
_Collision Sphere(float x, float y, float z, float radius) {
  _Collision c = {};
  c.type = QUORL_COMMON::COL_SPHERE;
  c.pos[0] = x;
  c.pos[1] = y;
  c.pos[2] = z;
  c.shape.sphere.radius = radius;
  return c;
}

_Collision Player(float x, float y, float z) {
  _Collision c = {};
  c.type = QUORL_COMMON::COL_CYLINDER;
  c.pos[0] = x;
  c.pos[1] = y;
  c.pos[2] = z;
  c.shape.cylinder.radius = 0.4f;
  c.shape.cylinder.length = 2.0f;
  c.shape.cylinder.pitchOffset = 90.0f;
  return c;
}

TEST_F(BulletTest, PlayerShotHitsSpheresAtTheirEntryPoint) {
  Bullet& shot = bullets[0];
  ASSERT_EQ(0, shot.Init(0, origin, 0.0f, 0.0f, 5));
  float hit[3] = {9.0f, 9.0f, 9.0f};
  _Collision ahead = Sphere(0.0f, 0.0f, -5.0f, 1.0f);
  EXPECT_EQ(5, shot.Collision(&ahead, hit));
  EXPECT_NEAR(0.0f, hit[0], 1e-5f);
  EXPECT_NEAR(0.0f, hit[1], 1e-5f);
  EXPECT_NEAR(-4.0f, hit[2], 1e-5f);

  float untouched[3] = {9.0f, 9.0f, 9.0f};
  _Collision behind = Sphere(0.0f, 0.0f, 5.0f, 100.0f);  // even one that holds the origin
  EXPECT_EQ(0, shot.Collision(&behind, untouched));
  _Collision aside = Sphere(1.5f, 0.0f, -5.0f, 1.0f);
  EXPECT_EQ(0, shot.Collision(&aside, untouched));
  EXPECT_FLOAT_EQ(9.0f, untouched[0]);
  _Collision cube = {};
  cube.type = QUORL_COMMON::COL_CUBE;
  EXPECT_EQ(0, shot.Collision(&cube, untouched));

  // Aimed at yaw 90, pitch -30 (upwards): a sphere on that line, 10 units out.
  Bullet& aimed = bullets[1];
  ASSERT_EQ(0, aimed.Init(0, origin, 90.0f, -30.0f, 1));
  const float d[3] = {std::cos(30.0f * 3.14159265f / 180.0f), 0.5f, 0.0f};
  _Collision far = Sphere(10 * d[0], 10 * d[1], 0.0f, 0.5f);
  EXPECT_EQ(1, aimed.Collision(&far, hit));
  EXPECT_NEAR(9.5f * d[0], hit[0], 1e-4f);
  EXPECT_NEAR(9.5f * d[1], hit[1], 1e-4f);
}

TEST_F(BulletTest, PlayerShotAgainstSphereSetsStopsAtTheFirstSphereBehind) {
  Bullet& shot = bullets[0];
  ASSERT_EQ(0, shot.Init(0, origin, 0.0f, 0.0f, 1));
  // Sphere i sits distances[i] from the body along (sin Y cos P, sin P, cos Y cos P): yaw 0
  // points to +z (behind the shot), yaw 180 to -z (ahead of it).
  float radii[3] = {0.5f, 0.5f, 0.5f};
  float yaws[3] = {150.0f, 0.0f, 180.0f};
  float pitches[3] = {0.0f, 0.0f, 0.0f};
  float distances[3] = {3.0f, 3.0f, 6.0f};
  _Collision set = {};
  set.type = QUORL_COMMON::COL_SPHERES;
  set.shape.spheres = {3, radii, yaws, pitches, distances};
  // The first sphere lies ahead but aside, the second behind, the third straight ahead.
  float hit[3];
  EXPECT_EQ(0, shot.Collision(&set, hit));
  yaws[1] = 180.0f;  // the second now straight ahead at 3 units
  EXPECT_EQ(1, shot.Collision(&set, hit));
  EXPECT_NEAR(0.0f, hit[0], 1e-5f);
  EXPECT_NEAR(-2.5f, hit[2], 1e-5f);
  set.pos[1] = 0.2f;  // the whole body a little higher: entered a little later
  EXPECT_EQ(1, shot.Collision(&set, hit));
  EXPECT_NEAR(-3.0f + std::sqrt(0.25f - 0.04f), hit[2], 1e-5f);
}

TEST_F(BulletTest, HomingBulletTurnsFromAfarAndIsTestedWithinTwoUnits) {
  Bullet& b = bullets[0];
  ASSERT_EQ(0, b.Init(11, origin, 0.0f, 0.0f, 60));
  // The player 3 units to the +x side (aimed at its centre raised by 0.5): only a turn.
  _Collision player = Player(3.0f, -0.5f, 0.0f);
  EXPECT_EQ(0, b.Collision(&player, nullptr));
  b.Move();
  ExpectPos(b, 0.08f, 0.0f, 0.0f);
  // Closer than 2 units the bullet stops turning; this call reports 0 too.
  player = Player(0.08f, -0.5f, 1.5f);
  EXPECT_EQ(0, b.Collision(&player, nullptr));
  b.Move();
  ExpectPos(b, 0.16f, 0.0f, 0.0f);  // still flying as last turned
  // From now on it is tested against the body's segment: here 1.5 units away, a miss ...
  EXPECT_EQ(0, b.Collision(&player, nullptr));
  // ... and within bullet radius + body radius (0.1 + 0.4) of the upright axis, a hit, also
  // beside the segment's ends.
  player = Player(0.16f, 0.0f, 0.45f);
  EXPECT_EQ(60, b.Collision(&player, nullptr));
  player = Player(0.16f, 1.3f, 0.0f);  // the top end at y = 0.3
  EXPECT_EQ(60, b.Collision(&player, nullptr));
  player = Player(0.16f, -1.45f, 0.0f);  // the bottom end at y = -0.45
  EXPECT_EQ(60, b.Collision(&player, nullptr));
  player = Player(0.16f, -1.55f, 0.0f);
  EXPECT_EQ(0, b.Collision(&player, nullptr));
  _Collision sphere = Sphere(0.16f, 0.3f, 0.3f, 0.1f);  // 0.42 away, reach 0.2
  EXPECT_EQ(0, b.Collision(&sphere, nullptr));
  sphere = Sphere(0.16f, 0.1f, 0.1f, 0.1f);
  EXPECT_EQ(60, b.Collision(&sphere, nullptr));
}

TEST_F(BulletTest, CapsuleBulletsAgainstThePlayersCylinder) {
  Bullet& b = bullets[0];
  ASSERT_EQ(0, b.Init(10, origin, 0.0f, 0.0f, 30));  // flying towards -z, length 0.4
  _Collision player = Player(0.0f, 0.0f, -0.1f);
  EXPECT_EQ(30, b.Collision(&player, nullptr));
  // Just past the bullet's front end the lines cross outside the bullet (s < 0): no hit.
  player = Player(0.0f, 0.0f, -0.3f);
  EXPECT_EQ(0, b.Collision(&player, nullptr));
  player = Player(0.45f, 0.0f, 0.0f);  // beside: 0.45 < 0.1 + 0.4
  EXPECT_EQ(30, b.Collision(&player, nullptr));
  player = Player(0.55f, 0.0f, 0.0f);
  EXPECT_EQ(0, b.Collision(&player, nullptr));
  player = Player(0.0f, 0.0f, -3.0f);  // ahead: the closest point lies beyond the bullet
  EXPECT_EQ(0, b.Collision(&player, nullptr));
  // Above the cylinder's top end (y = 1): the segment ends are compared.
  player = Player(0.0f, -1.3f, 0.0f);  // top end 0.3 below the bullet, 0.2 from its ends
  EXPECT_EQ(30, b.Collision(&player, nullptr));
  player = Player(0.0f, -1.6f, 0.0f);
  EXPECT_EQ(0, b.Collision(&player, nullptr));
  _Collision sphere = Sphere(0.0f, 0.0f, 0.0f, 1.0f);  // only cylinders are tested
  EXPECT_EQ(0, b.Collision(&sphere, nullptr));

  // Flying steeply down (pitch 80) 0.3 beside the upright axis: its ends are within reach, but
  // the lines meet far beyond the bullet (s outside 0 .. 1), so there is no hit.
  Bullet& steep = bullets[1];
  const float beside[3] = {0.3f, 0.0f, 0.0f};
  ASSERT_EQ(0, steep.Init(20, beside, 90.0f, 80.0f, 60));
  player = Player(0.0f, 0.0f, 0.0f);
  EXPECT_EQ(0, steep.Collision(&player, nullptr));
  Bullet& level = bullets[2];
  ASSERT_EQ(0, level.Init(20, beside, 90.0f, 0.0f, 60));
  EXPECT_EQ(60, level.Collision(&player, nullptr));
}

}  // namespace
