// Tests of the enemy manager with its content in a window: loading and its failure messages, and
// one drawn frame per enemy kind (set QUORL_ENEMY_SHOTS to a folder to keep the pictures).
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "enemy/enemystate.h"
#include "enemy/enemytype.h"
#include "enemytest.h"
#include "support/glwindow.h"
#include "support/testfiles.h"

using enemytest::commands;
namespace S = EnemyState;
namespace T = EnemyType;

namespace {

class EnemyDraw : public testsupport::GLTest {
 protected:
  void SetUp() override {
    testsupport::GLTest::SetUp();
    if (HasFatalFailure()) return;
    commands.clear();
    enemytest::failOpen.clear();
    srand(7);
    const std::vector<int> cells = enemytest::Room(6, 6);
    ASSERT_EQ(0, floor.SetMapData(cells.data(), 6, 6, 5, 5));
    float p[3] = {8, 0, -8};
    floor.SetDrawArea(p, 0);
  }
  void TearDown() override {
    enemy.Clear();
    enemy.Finalize();
  }

  // Draws the manager with the camera `distance` units in front of (x, y, z) and returns the
  // number of lit pixels (any channel above 40) and their mean brightness.
  int DrawnPixels(const float* at, float distance, float height, double* brightness, const std::string& name) {
    glViewport(0, 0, 800, 600);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(60, 800.0 / 600.0, 0.1, 100);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(at[0] + distance, at[1] + height, at[2], at[0], at[1], at[2], 0, 1, 0);
    const GLfloat light[4] = {at[0] + distance, at[1] + 3, at[2] + 1, 1}, dim[4] = {0.3f, 0.3f, 0.3f, 1};
    glLightfv(GL_LIGHT0, GL_POSITION, light);  // white diffuse light by default
    glLightfv(GL_LIGHT0, GL_AMBIENT, dim);
    for (GLenum cap : {GL_LIGHTING, GL_LIGHT0, GL_DEPTH_TEST, GL_NORMALIZE}) glEnable(cap);
    testing::internal::CaptureStdout();
    enemy.Draw();
    glFinish();
    const std::string said = testing::internal::GetCapturedStdout();
    EXPECT_EQ("", said) << name << ": every object that Draw uses exists in the content";
    const std::vector<unsigned char> px = testsupport::ReadBackBuffer();
    if (const char* dir = getenv("QUORL_ENEMY_SHOTS")) {
      testsupport::SaveBackBuffer((std::string(dir) + "/" + name + ".png").c_str());
    }
    int lit = 0;
    double sum = 0;
    for (size_t k = 0; k < px.size(); k += 4) {
      const int m = std::max(px[k], std::max(px[k + 1], px[k + 2]));
      if (m > 40) {
        lit++;
        sum += m;
      }
    }
    *brightness = lit ? sum / lit : 0;
    return lit;
  }

  DungeonFloor floor;
  Enemy enemy;
};

// Every kind shows up lit at a known pose; an item lies beside a dead boosy.
TEST_F(EnemyDraw, EachKindIsDrawnLit) {
  ASSERT_EQ(0, enemy.Init(&floor));
  struct Case {
    const char* name;
    int type, state;
    float y, distance, height;
    int minPixels;
  };
  const Case cases[] = {
      {"boosy", T::BOOSY, S::IDLE, -1.7f, 2.5f, 0.5f, 3000},
      {"poosy", T::POOSY, S::IDLE, 0.0f, 1.5f, 0.3f, 3000},
      {"doosy", T::DOOSY, S::IDLE, -1.5f, 2.5f, 0.5f, 3000},
      {"zoosy", T::ZOOSY, S::IDLE, -1.6f, 4.0f, 1.0f, 3000},
      {"bigboosy", T::BIG_BOOSY, S::IDLE, -0.7f, 6.0f, 0.5f, 8000},
      {"bigdoosy", T::BIG_DOOSY, S::IDLE, -0.2f, 6.0f, 0.5f, 8000},
      {"shell", T::SHELL, S::SHELL_CHOOSE, 0.8f, 5.0f, -0.5f, 8000},
      {"needle", T::CORE_FIRST, S::CORE_OUT, -1.5f, 4.0f, 0.5f, 1000},
      {"meat", T::BOOSY, S::DYING, -0.2f, 1.2f, 0.3f, 2000},
  };
  for (const Case& c : cases) {
    enemy.Clear();
    enemy.Add(8, -8, 30, c.type);
    EnemyData* e = enemy.getEnemies().front();
    e->pos[1] = c.y;
    e->state = c.state;
    if (c.type == T::CORE_FIRST) e->pitch = 180;  // a needle stands point up
    if (c.state == S::DYING) {  // a dead boosy far below, its meat on the floor
      e->pos[1] = -6;
      e->itemDropped = true;
      e->itemKind = ItemKind::MEAT;
    }
    const float at[3] = {8, c.y, -8};
    double brightness = 0;
    const int lit = DrawnPixels(at, c.distance, c.height, &brightness, c.name);
    EXPECT_GT(lit, c.minPixels) << c.name;
    EXPECT_GT(brightness, 70.0) << c.name;
    EXPECT_LT(lit, 800 * 600) << c.name;
    if (c.state == S::DYING) {
      EXPECT_EQ(1.0f, e->itemAge) << "an item ages per drawn frame";
    }
  }
  // Hidden enemies and enemies outside the seen area are not drawn.
  enemy.Clear();
  enemy.Add(8, -8, 30, T::BOOSY);
  enemy.getEnemies().front()->hidden = true;
  enemy.Add(100, -8, 30, T::BOOSY);
  double brightness = 0;
  const float at[3] = {8, -1.7f, -8};
  EXPECT_EQ(0, DrawnPixels(at, 2.5f, 0.5f, &brightness, "hidden"));
}

// A beam volley of the core parts reads as a beam: the bullets line up in front of the shell.
TEST_F(EnemyDraw, BeamVolleyIsDrawn) {
  ASSERT_EQ(0, enemy.Init(&floor));
  for (int t = T::SHELL; t <= T::CORE_LAST; t++) enemy.Add(8, -8, 180, t);
  auto it = enemy.getEnemies().begin();
  (*it)->state = S::SHELL_BEAM;
  (*it)->timer = 60;
  float eye[3] = {8, 0, -20};
  for (++it; it != enemy.getEnemies().end(); ++it) {
    (*it)->state = S::CORE_OUT;
    (*it)->timer = 71;
    std::copy(enemy.getEnemies().front()->pos, enemy.getEnemies().front()->pos + 3, (*it)->pos);
  }
  Bullet keep;  // keeps the shared bullet models loaded, as the game's prototype bullet does
  const float origin[3] = {0, 0, 0};
  ASSERT_EQ(0, keep.Init(10, origin, 0, 0, 1));
  for (int n = 0; n < 25; n++) enemy.Action(eye);
  const float at[3] = {8, 0, -12};
  double brightness = 0;
  EXPECT_GT(DrawnPixels(at, 8.0f, 1.0f, &brightness, "beam"), 500);
  enemy.Clear();
  keep.Finalize();
}

// Loading failures: a missing model file, then a sound alias that does not open.
TEST_F(EnemyDraw, InitReportsTheFirstFailure) {
  commands.clear();
  enemytest::failOpen = "doosy-dead";
  testing::internal::CaptureStdout();
  EXPECT_EQ(-1, enemy.Init(&floor));
  EXPECT_EQ("Enemy:SE Reload load error\n", testing::internal::GetCapturedStdout());
  ASSERT_EQ(5u, commands.size());
  EXPECT_EQ("open \"SE/enemy/boosy-damaged.wav\" alias boosy-damaged type mpegvideo", commands[0]);
  commands.clear();
  enemy.Finalize();
  ASSERT_EQ(23u, commands.size());
  EXPECT_EQ("close boosy-damaged", commands.front());
  EXPECT_EQ("close poosy-damaged", commands[3]);
  EXPECT_EQ("close boss3-dying2", commands.back());
  // From an empty folder no model is found.
  const testsupport::ScratchDir empty;
  const std::filesystem::path home = std::filesystem::current_path();
  std::filesystem::current_path(empty.path());
  testing::internal::CaptureStdout();
  EXPECT_EQ(-1, enemy.Init(&floor));
  const std::string out = testing::internal::GetCapturedStdout();
  std::filesystem::current_path(home);
  const std::string line = "Enemy:MQOModel init error:model/boosy/boosy.mqo\n";
  EXPECT_EQ(out.size() - line.size(), out.rfind(line)) << out;
}

}  // namespace
