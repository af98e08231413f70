// Tests of the ordinary enemies' behaviours, driven through the manager on hand-made floors.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "enemytest.h"

using enemytest::CellCentre;
using enemytest::EnemyTest;

namespace {

const double kPi = 3.141592653589793;

// An eye `distance` units from e along the enemy heading `heading` (degrees, 0 faces +z).
void EyeAt(const EnemyData* e, float heading, float distance, float* eye) {
  eye[0] = e->pos[0] + distance * static_cast<float>(std::sin(heading * kPi / 180));
  eye[1] = 0;
  eye[2] = e->pos[2] + distance * static_cast<float>(std::cos(heading * kPi / 180));
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
  const Case cases[] = {{0.5f, 20}, {-0.5f, 3}, {-3.0f, 30}, {30.0f, 20}, {0.0f, 3}};
  for (const Case& c : cases) {
    enemy.Clear();
    float at[3];
    CellCentre(5, 5, 0, at);
    enemy.Add(at[0], at[2], 40, 0);
    EnemyData* e = At(0);
    e->pos[1] = -1.6f;
    e->timer = 50;
    float eye[3];
    EyeAt(e, 40 + c.offset, 8, eye);
    enemy.ActionBoosy(eye, e);
    EXPECT_EQ(c.state, e->state) << c.offset;
  }
}

// The gun lowers one degree per frame to its target before the shot; -40 at most.
TEST_F(EnemyTest, BoosyLowersItsGunBeforeTheShot) {
  float at[3];
  CellCentre(5, 5, 0, at);
  enemy.Add(at[0], at[2], 0, 0);
  EnemyData* e = At(0);
  Settle(&enemy, 3);
  e->state = 3;
  e->timer = 0;
  e->aim = 0;
  e->aimTarget = -40;
  float eye[3];
  EyeAt(e, e->yaw, 6, eye);
  int frames = 0;
  for (; enemy.getBullets().empty() && frames < 100; frames++) enemy.ActionBoosy(eye, e);
  EXPECT_EQ(40, frames);
  EXPECT_EQ(20, e->timer);
  EXPECT_EQ(2, enemy.getSEState(Enemy::SE_ATTACK, Enemy::SE_BOOSY));
  // 18 frames of waiting, 40 of raising the gun, one to leave the attack; still facing the
  // player, it takes aim again in that same frame.
  frames = 0;
  do {
    enemy.ActionBoosy(eye, e);
    frames++;
  } while (!(e->timer == 0 && e->aim == 0) && frames < 100);
  EXPECT_EQ(59, frames);
  EXPECT_EQ(3, e->state);
}

// The doosy's dash: 200 frames in the open, stopped at once by a wall, then 100 frames of rest.
TEST_F(EnemyTest, DoosyDashStopsAtWallsAndRests) {
  struct Case {
    int column;  // start column; heading 180 faces -z, towards column 9, the room's last
    int dashFrames;
  };
  const Case cases[] = {{0, 200}, {9, -1}};
  for (const Case& c : cases) {
    enemy.Clear();
    float at[3];
    CellCentre(5, c.column, 0, at);
    enemy.Add(at[0], at[2], 180, 2);
    EnemyData* e = At(0);
    Settle(&enemy, 3);
    e->state = 3;
    e->timer = 0;
    int dash = 0;
    for (; e->timer > -200 && dash < 300; dash++) Settle(&enemy, 1);
    if (c.dashFrames > 0) {
      EXPECT_EQ(c.dashFrames, dash);
    } else {
      EXPECT_LT(dash, 20) << "stopped by the wall";
      EXPECT_NEAR(-38.0f + 0.45f, e->pos[2], 0.01f);
    }
    int rest = 0;
    for (; e->state == 3 && rest < 300; rest++) Settle(&enemy, 1);
    EXPECT_EQ(100, rest);
  }
}

// The poosy: out of reach beyond 8 units it wanders; within reach it faces the player at once
// and fires every 101 frames.
TEST_F(EnemyTest, PoosyShootsWithinEightUnitsEvery101Frames) {
  float at[3];
  CellCentre(1, 5, 0, at);
  enemy.Add(at[0], at[2], 0, 1);
  EnemyData* e = At(0);
  float far[3] = {at[0] + 9, 1.0f, at[2]};
  for (int n = 0; n < 60; n++) Frame(far);
  EXPECT_EQ(0, enemy.getSEState(Enemy::SE_ATTACK, Enemy::SE_POOSY));
  e->pos[0] = at[0];
  e->pos[2] = at[2];
  float near[3] = {at[0] + 7, e->pos[1], at[2]};
  std::vector<int> shots;
  for (int frame = 0; frame < 320; frame++) {
    Frame(near);
    if (frame == 0) {
      EXPECT_NEAR(90.0f, e->yaw, 1.0f) << "faces the player at once";
    }
    if (enemy.getSEState(Enemy::SE_ATTACK, Enemy::SE_POOSY) == 2) shots.push_back(frame);
  }
  ASSERT_GE(shots.size(), 3u);
  for (size_t n = 1; n < shots.size(); n++) EXPECT_EQ(101, shots[n] - shots[n - 1]);
}

// The zoosy's volley: five bullets at once, three of them 0.5 units beside the muzzle.
TEST_F(EnemyTest, ZoosyFiresFiveBulletsThreeBesideTheMuzzle) {
  float at[3];
  CellCentre(5, 5, 0, at);
  enemy.Add(at[0], at[2], 0, 3);
  EnemyData* e = At(0);
  Settle(&enemy, 3);
  e->state = 3;
  e->timer = 0;
  float eye[3];
  EyeAt(e, 0, 6, eye);
  enemy.ActionZoosy(eye, e);
  ASSERT_EQ(5u, enemy.getBullets().size());
  // The muzzle before the gravity step of that frame.
  const float bx = e->pos[0] + 0.15f * std::sin(e->yaw * kPi / 180);
  const float bz = e->pos[2] + 0.15f * std::cos(e->yaw * kPi / 180);
  int beside = 0, atMuzzle = 0;
  for (const Bullet* b : enemy.getBullets()) {
    float p[3];
    b->GetPos(p);
    const double d = std::hypot(p[0] - bx, p[2] - bz);
    if (std::fabs(d - 0.5) < 1e-3) beside++;
    if (d < 1e-3) atMuzzle++;
  }
  EXPECT_EQ(3, beside);
  EXPECT_EQ(2, atMuzzle);
  EXPECT_EQ(120, e->timer + 1) << "120, less the frame's own count";
}

// The zoosy's turret: towards a player far to one side it aims at most 60 degrees off its heading
// (the other side the other way), and it moves 2 degrees a frame only while the state timer is
// below 111, in sight or not (out of sight back towards straight ahead).
TEST_F(EnemyTest, ZoosyTurretClampsAndWaitsForItsTimer) {
  float at[3];
  CellCentre(5, 5, 0, at);
  enemy.Add(at[0], at[2], 0, 3);
  EnemyData* e = At(0);
  Settle(&enemy, 3);
  struct Case { float heading; int timer; float aim; };  // heading of the eye (-1: out of sight)
  const Case cases[] = {{90, 151, 0}, {90, 51, 0}, {270, 151, 0}, {270, 51, 0}, {-1, 151, 10}, {-1, 51, 10}};
  float target[2] = {0, 0};  // the aim sought at 90 and at 270
  for (const Case& c : cases) {
    float eye[3] = {1000, 0, 1000};
    if (c.heading >= 0) EyeAt(e, c.heading, 6, eye);
    e->state = 1, e->yaw = 0, e->timer = c.timer, e->aim = c.aim;  // walking: no new wander choice
    enemy.ActionZoosy(eye, e);
    const float sought = c.heading < 0 ? 0 : e->aimTarget;
    if (c.heading >= 0) target[c.heading > 180] = sought;
    const float step = c.timer > 111 ? 0 : (sought > c.aim ? 2 : -2);
    EXPECT_FLOAT_EQ(c.aim + step, e->aim) << c.heading << " " << c.timer;
  }
  EXPECT_FLOAT_EQ(60, std::fabs(target[0]));
  EXPECT_FLOAT_EQ(-target[0], target[1]);
}

// A killed boosy stays on an ordinary floor; on a boss floor it sinks and hides once its item is
// gone, at a random cell of the room.
TEST_F(EnemyTest, DeadBoosyStaysOrSinksAndHides) {
  float at[3];
  CellCentre(5, 5, 0, at);
  enemy.Add(at[0], at[2], 0, 0);
  EnemyData* e = At(0);
  e->itemKind = 0;
  e->state = 100;
  Settle(&enemy, 400);
  EXPECT_TRUE(e->state == 100 && !e->hidden && e->roll == 180.0f && e->pos[1] > -2.0f);
  enemy.Clear();
  UseBossFloor(10);
  enemy.Add(15, 10);
  e = At(1);
  e->hidden = false;
  e->pos[1] = -1.7f;
  e->state = 100;
  e->itemKind = 10;
  Settle(&enemy, 250);
  EXPECT_FALSE(e->hidden) << "its item still lies";
  EXPECT_TRUE(e->itemDropped);
  e->itemKind = 0;
  Settle(&enemy, 200);
  EXPECT_TRUE(e->hidden);
  int cell[3];
  floor.getWorldtoMap(e->pos, cell);
  EXPECT_TRUE(cell[0] >= 1 && cell[0] <= 5 && cell[2] >= 2 && cell[2] <= 6);
}

// Enemies on one point are parted without NaN.
TEST_F(EnemyTest, SeparationPartsEnemiesOnOnePoint) {
  float at[3];
  CellCentre(5, 5, 0, at);
  for (int type : {0, 0, 2, 3, 1}) enemy.Add(at[0], at[2], 0, type);
  for (EnemyData* e : enemy.getEnemies()) e->pos[1] = -1.5f;
  Settle(&enemy, 2);
  for (EnemyData* e : enemy.getEnemies()) {
    for (float v : e->pos) EXPECT_TRUE(std::isfinite(v));
  }
  EXPECT_GT(std::hypot(At(0)->pos[0] - At(1)->pos[0], At(0)->pos[2] - At(1)->pos[2]), 0.5);
}

}  // namespace
