// Tests of the ordinary enemies' behaviours, driven through the manager on hand-made floors.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "common/angles.h"
#include "enemy/enemystate.h"
#include "enemy/enemytype.h"
#include "enemytest.h"

using enemytest::CellCentre;
using enemytest::EnemyTest;
namespace S = EnemyState;
namespace T = EnemyType;

namespace {

float SinD(double degrees) { return static_cast<float>(std::sin(QUORL_COMMON::Radians(degrees))); }
float CosD(double degrees) { return static_cast<float>(std::cos(QUORL_COMMON::Radians(degrees))); }

// An eye `distance` units from e along the enemy heading `heading` (degrees, 0 faces +z).
void EyeAt(const EnemyData* e, float heading, float distance, float* eye) {
  eye[0] = e->pos[0] + distance * SinD(heading);
  eye[1] = 0;
  eye[2] = e->pos[2] + distance * CosD(heading);
}

// Runs the enemies for `frames` frames with the player out of the way.
void Settle(Enemy* enemy, int frames) {
  float nowhere[3] = {1000, 0, 1000};
  for (int n = 0; n < frames; n++) enemy->Action(nowhere);
}

// The facing test: a small angle to the right turns, one to the left within 1 degree shoots.
TEST_F(EnemyTest, BoosyTurnsOrShootsByTheFacingTest) {
  struct Case {
    float offset;  // player's heading from the boosy minus its yaw
    int state;
  };
  const Case cases[] = {{0.5f, S::TURN_RIGHT}, {-0.5f, S::ATTACK}, {-3.0f, S::TURN_LEFT},
                        {30.0f, S::TURN_RIGHT}, {0.0f, S::ATTACK}};
  for (const Case& c : cases) {
    enemy.Clear();
    float at[3];
    CellCentre(5, 5, 0, at);
    enemy.Add(at[0], at[2], 40, T::BOOSY);
    EnemyData* e = At(0);
    e->pos[1] = -1.6f;
    e->timer = 50;
    float eye[3];
    EyeAt(e, 40 + c.offset, 8, eye);
    enemy.ActionBoosy(eye, e);
    EXPECT_EQ(c.state, e->state) << c.offset;
  }
}

// The zoosy's turret: towards a player far to one side it aims at most 60 degrees off its heading
// (the other side the other way), and it moves 2 degrees a frame only while the state timer is
// below 111, in sight or not (out of sight back towards straight ahead).
TEST_F(EnemyTest, ZoosyTurretClampsAndWaitsForItsTimer) {
  float at[3];
  CellCentre(5, 5, 0, at);
  enemy.Add(at[0], at[2], 0, T::ZOOSY);
  EnemyData* e = At(0);
  Settle(&enemy, 3);
  struct Case { float heading; int timer; float aim; };  // heading of the eye (-1: out of sight)
  const Case cases[] = {{90, 151, 0}, {90, 51, 0}, {270, 151, 0}, {270, 51, 0}, {-1, 151, 10}, {-1, 51, 10}};
  float target[2] = {0, 0};  // the aim sought at 90 and at 270
  for (const Case& c : cases) {
    float eye[3] = {1000, 0, 1000};
    if (c.heading >= 0) EyeAt(e, c.heading, 6, eye);
    e->state = S::WALK, e->yaw = 0, e->timer = c.timer, e->aim = c.aim;  // no new wander choice
    enemy.ActionZoosy(eye, e);
    const float sought = c.heading < 0 ? 0 : e->aimTarget;
    if (c.heading >= 0) target[c.heading > 180] = sought;
    const float step = c.timer > 111 ? 0 : (sought > c.aim ? 2 : -2);
    EXPECT_FLOAT_EQ(c.aim + step, e->aim) << c.heading << " " << c.timer;
  }
  EXPECT_FLOAT_EQ(60, std::fabs(target[0]));
  EXPECT_FLOAT_EQ(-target[0], target[1]);
}

// A killed boosy stays on an ordinary floor.
TEST_F(EnemyTest, DeadBoosyStaysOnAnOrdinaryFloor) {
  float at[3];
  CellCentre(5, 5, 0, at);
  enemy.Add(at[0], at[2], 0, T::BOOSY);
  EnemyData* e = At(0);
  e->itemKind = ItemKind::NONE;
  e->state = S::DYING;
  Settle(&enemy, 400);
  EXPECT_TRUE(e->state == S::DYING && !e->hidden && e->roll == 180.0f && e->pos[1] > -2.0f);
}

// Enemies on one point are parted without NaN.
TEST_F(EnemyTest, SeparationPartsEnemiesOnOnePoint) {
  float at[3];
  CellCentre(5, 5, 0, at);
  for (int type : {T::BOOSY, T::BOOSY, T::DOOSY, T::ZOOSY, T::POOSY}) enemy.Add(at[0], at[2], 0, type);
  for (EnemyData* e : enemy.getEnemies()) e->pos[1] = -1.5f;
  Settle(&enemy, 2);
  for (EnemyData* e : enemy.getEnemies()) {
    for (float v : e->pos) EXPECT_TRUE(std::isfinite(v));
  }
  EXPECT_GT(std::hypot(At(0)->pos[0] - At(1)->pos[0], At(0)->pos[2] - At(1)->pos[2]), 0.5);
}

}  // namespace
