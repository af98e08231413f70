// Tests of the enemy manager: placement, kills, contact with the player, the player's shots and
// the positional sound commands.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "enemy/enemystate.h"
#include "enemy/enemytype.h"
#include "enemytest.h"

using enemytest::commands;
using enemytest::EnemyTest;
namespace S = EnemyState;
namespace T = EnemyType;

namespace {

// Placement by floor band: at most 20, floor cells only, one per cell, the band's types.
TEST_F(EnemyTest, PlacesOrdinaryEnemiesByFloorBand) {
  struct Case {
    int count, floorNumber;
    std::set<int> types;
  };
  const Case cases[] = {{30, 3, {T::BOOSY, T::POOSY}},
                        {25, 5, {T::BOOSY, T::POOSY}},
                        {25, 15, {T::BOOSY, T::POOSY, T::DOOSY}},
                        {25, 29, {T::BOOSY, T::POOSY, T::DOOSY, T::ZOOSY}}};
  for (const Case& c : cases) {
    enemy.Clear();
    EXPECT_EQ(20, enemy.Add(c.count, c.floorNumber)) << c.floorNumber;
    std::set<int> cells, types;
    for (const EnemyData* e : enemy.getEnemies()) {
      int cell[3];
      floor.getWorldtoMap(e->pos, cell);
      EXPECT_TRUE(floor.isFloor(cell[0], cell[2]));
      cells.insert(cell[0] * 100 + cell[2]);
      types.insert(e->type);
      EXPECT_TRUE(!e->hidden && e->bossState == 0);
    }
    EXPECT_EQ(20u, cells.size()) << "one enemy per cell";
    EXPECT_EQ(c.types, types) << c.floorNumber;
    EXPECT_EQ(0, enemy.getBossMode() | enemy.StateBoss());
  }
  // A room of three usable cells takes three enemies.
  enemy.Clear();
  UseRoom(2, 2);
  EXPECT_EQ(3, enemy.Add(10, 2));
}

// Kills are counted by Clear on ordinary floors only; Clear stops the 17 ordinary sounds.
TEST_F(EnemyTest, ClearCountsKillsOnOrdinaryFloors) {
  EXPECT_EQ(0, enemy.Clear());
  EXPECT_EQ(0, enemy.StateBoss());
  EXPECT_EQ(8, enemy.Add(8, 4));
  for (int n : {1, 4, 6}) At(n)->state = S::DYING;
  commands.clear();
  EXPECT_EQ(3, enemy.Clear());
  ASSERT_EQ(17u, commands.size());
  EXPECT_EQ("stop boosy-attack", commands.front());
  EXPECT_EQ("stop big-doosy-dead", commands.back());
  EXPECT_TRUE(enemy.getEnemies().empty());  // boss floors: see the big doosy's test
  // A boss floor: the boss (or the shell) first, its escorts hidden; no ordinary enemies counted.
  UseBossFloor(30);
  EXPECT_EQ(0, enemy.Add(35, 30));
  ASSERT_EQ(5u, enemy.getEnemies().size());
  for (int n = 0; n < 5; n++) EXPECT_EQ(n == 0 ? T::SHELL : T::CORE_FIRST + n - 1, At(n)->type);
}

// Item pickup within `scale` (horizontally), ageing past 900.
TEST_F(EnemyTest, ItemsAreTakenWithinTheScaleAndAgeOut) {
  enemy.Add(10, -10, 0, T::BOOSY);  // scale 0.8
  EnemyData* a = At(0);
  struct Case {
    float dx;
    float age;
    int taken;  // kind expected in the item record
    bool lies;  // still there afterwards
  };
  const Case cases[] = {{0.79f, 0, ItemKind::MEAT, false}, {0.81f, 0, ItemKind::NONE, true},
                        {0.81f, 901, ItemKind::NONE, false}, {0.5f, 901, ItemKind::MEAT, false}};
  for (const Case& c : cases) {
    a->itemDropped = true;
    a->itemKind = ItemKind::MEAT;
    a->itemAmount = 42;
    a->itemAge = c.age;
    QUORL_COMMON::_Item item = {0, 0};
    EXPECT_EQ(0, Touch(a->pos[0] + c.dx, 5.0f, a->pos[2], &item));
    EXPECT_EQ(c.taken * 100 + (c.taken ? 42 : 0), item.kind * 100 + item.amount) << c.dx << " " << c.age;
    EXPECT_EQ(c.lies, a->itemDropped);
  }
}

// Body contact per type: damage, charge extra once, push direction and size, the D = 0 case.
TEST_F(EnemyTest, BodyContactDamagesAndPushes) {
  struct Case {
    int type, state, timer;
    float dx;  // player's offset from the enemy along -x
    int damage, timerAfter;
    float pushSize;
  };
  const Case cases[] = {
      {T::DOOSY, S::IDLE, 50, 0.8f, 10, 50, 0.1f},
      {T::DOOSY, S::IDLE, 50, 0.9f, 0, 50, 0},
      {T::DOOSY, S::ATTACK, -10, 0.5f, 50, -200, 0.25f},
      {T::DOOSY, S::ATTACK, -200, 0.5f, 10, -200, 0.1f},
      {T::DOOSY, S::RISING, 0, 0.5f, 0, 0, 0},
      {T::DOOSY, S::ATTACK, 5, 0.0f, 50, -200, 0.25f},
      {T::BIG_DOOSY, S::ATTACK, -5, 2.0f, 120, -200, 0.25f},
      {T::BIG_DOOSY, S::DYING, -5, 1.0f, 0, -5, 0},
      {T::SHELL, S::SHELL_CHOOSE, 0, 0.3f, 20, 0, 0.1f},
      {T::CORE_FIRST, S::CORE_SUNK, 0, 0.0f, 0, 0, 0},
      {T::CORE_FIRST + 1, S::CORE_MOVING, 0, 0.0f, 60, 0, 0.3f},
      {T::BOOSY, S::IDLE, 50, 0.0f, 0, 50, 0},
  };
  for (const Case& c : cases) {
    enemy.Clear();
    enemy.Add(20, -20, 0, c.type);
    EnemyData* e = At(0);
    e->state = c.state;
    e->timer = c.timer;
    float push[3] = {0, 0, 0};
    EXPECT_EQ(c.damage, Touch(e->pos[0] - c.dx, e->pos[1], e->pos[2], nullptr, push)) << c.type;
    EXPECT_EQ(c.timerAfter, e->timer);
    EXPECT_NEAR(c.pushSize, std::hypot(push[0], push[2]), 1e-5) << c.type;
    EXPECT_EQ(0.0f, push[1]);
    if (c.dx > 0 && c.damage > 0) {
      EXPECT_GT(push[0], 0.0f) << "towards the enemy, as the game reads it";
    }
  }
  // The big boosy hurts through the first sphere that touches, not while dying.
  enemy.Clear();
  enemy.Add(20, -20, 90, T::BIG_BOOSY);
  EXPECT_EQ(20, Touch(20 + 0.4f + 1.4f, 0, -20));
  At(0)->state = S::DYING;
  EXPECT_EQ(0, Touch(20 + 0.4f + 1.4f, 0, -20));
}

// The player's shot: nearest first, walls first, shell armour, core parts, death below 1.
TEST_F(EnemyTest, PlayerShotHitsTheNearestVisibleEnemy) {
  float from[3], near[3], far[3];
  enemytest::CellCentre(1, 1, -1.2f, from);
  enemytest::CellCentre(4, 1, -1.2f, near);
  enemytest::CellCentre(7, 1, -1.2f, far);
  enemy.Add(far[0], far[2], 0, T::BOOSY);
  enemy.Add(near[0], near[2], 0, T::BOOSY);
  for (int n = 0; n < 2; n++) At(n)->pos[1] = -1.2f;
  EXPECT_EQ(2, Shoot(from, far));
  EXPECT_EQ(5, At(0)->hitPoint);
  EXPECT_EQ(4, At(1)->hitPoint);
  EXPECT_EQ(2, Shoot(from, far, 3));
  EXPECT_EQ(1, At(1)->hitPoint);
  EXPECT_EQ(S::IDLE, At(1)->state);
  EXPECT_EQ(2, Shoot(from, far));
  EXPECT_EQ(S::DYING, At(1)->state) << "below 1 hit point";
  EXPECT_EQ(2, Shoot(from, far));
  EXPECT_EQ(4, At(0)->hitPoint) << "the dead body no longer shields";
  // Behind a wall: a short wall across column 1 between rows 4 and 5; the area beyond it is
  // visible round its end, but the shot meets the wall first.
  enemy.Clear();
  std::vector<int> cells = enemytest::Room(10, 10);
  cells[4 * 10 + 1] |= 4;
  cells[5 * 10 + 1] |= 8;
  ASSERT_EQ(0, floor.SetMapData(cells.data(), 10, 10, 9, 9));
  floor.SetDrawArea(from, 0);
  enemy.Add(far[0], far[2], 0, T::BOOSY);
  At(0)->pos[1] = -1.2f;
  ASSERT_TRUE(floor.isVisibleMap(far));
  EXPECT_EQ(0, Shoot(from, far)) << "left to the game's own wall test";
  EXPECT_EQ(5, At(0)->hitPoint);
  // Boss 3: the shell is armoured, a part passes its damage to the shell.
  enemy.Clear();
  UseRoom(10, 10);
  enemy.Add(near[0], near[2], 180, T::SHELL);
  enemy.Add(near[0], near[2] - 4, 180, T::CORE_FIRST);
  EXPECT_EQ(1, Shoot(from, At(0)->pos));
  EXPECT_EQ(150, At(0)->hitPoint);
  EXPECT_EQ(2, Shoot(from, At(1)->pos, 5));
  EXPECT_EQ(145, At(0)->hitPoint);
  EXPECT_EQ(S::CORE_SUNK, At(1)->state);
  // A doosy's body is tested 0.6 below its origin, a big doosy's 0.65: a level shot at that
  // height hits, one within the body's radius above the origin passes over it.
  struct Body { int type; float y, offset, radius; };
  for (const Body& b : {Body{T::DOOSY, -1.0f, 0.6f, 0.45f}, Body{T::BIG_DOOSY, 0, 0.65f, 1.8f}}) {
    EXPECT_EQ(b.offset, Enemy::ShotDrop(b.type));
    for (const float h : {b.y - b.offset, b.y + b.radius - 0.1f}) {
      enemy.Clear();
      enemy.Add(near[0], near[2], 0, b.type);
      At(0)->pos[1] = b.y;
      const float level[3] = {from[0], h, from[2]}, aim[3] = {near[0], h, near[2]};
      EXPECT_EQ(h < b.y ? 2 : 0, Shoot(level, aim)) << b.type << " at " << h;
    }
  }
}

// The slot serving: volume by squared distance, the five and two command sequences, one play
// for two requests, the boss sounds at once.
TEST_F(EnemyTest, SoundSlotsFollowTheListener) {
  struct Case {
    float p[3];  // squared distances 0, 150 and 400
    const char* volume;
  };
  const Case cases[] = {{{0, 0, 0}, "1000"}, {{5, 5, 10}, "500"}, {{20, 0, 0}, "0"}};
  for (const Case& c : cases) {
    enemy.RequestSE(Enemy::SE_ATTACK, Enemy::SE_DOOSY, c.p);
    commands.clear();
    Touch(0, 0, 0);
    const std::vector<std::string> expected = {
        "stop doosy-attack", "seek doosy-attack to start",
        std::string("setaudio doosy-attack left volume to ") + c.volume,
        std::string("setaudio doosy-attack right volume to ") + c.volume, "play doosy-attack"};
    EXPECT_EQ(expected, commands);
  }
  // Playing: only the loudness follows. Two requests in a frame: one play, at the second place.
  const float here[3] = {0, 0, 0}, there[3] = {10, 0, 0};
  commands.clear();
  enemy.RequestSE(Enemy::SE_DEAD, Enemy::SE_POOSY, there);
  enemy.RequestSE(Enemy::SE_DEAD, Enemy::SE_POOSY, here);
  Touch(0, 0, 0);
  const std::vector<std::string> expected = {
      "stop poosy-dead", "seek poosy-dead to start", "setaudio poosy-dead left volume to 1000",
      "setaudio poosy-dead right volume to 1000", "play poosy-dead",
      "setaudio doosy-attack left volume to 0", "setaudio doosy-attack right volume to 0"};
  EXPECT_EQ(expected, commands);
  // SetSE: the ordinary kinds by their species (the poosy's type code is not its species), the
  // bosses at once (the last word sent), the shell silent.
  struct Hit {
    int type, state;
    const char* played;
    int kind, species;
  };
  const Hit hits[] = {{T::POOSY, S::IDLE, "", Enemy::SE_DAMAGED, Enemy::SE_POOSY},
                      {T::DOOSY, S::DYING, "", Enemy::SE_DEAD, Enemy::SE_DOOSY},
                      {T::BIG_BOOSY, S::IDLE, "play big-boosy-damaged", -1, -1},
                      {T::BIG_DOOSY, S::DYING, "play big-doosy-dead", -1, -1},
                      {T::CORE_LAST - 1, S::CORE_OUT, "play boss3-damaged", -1, -1},
                      {T::SHELL, S::IDLE, "", -1, -1}};
  for (const Hit& h : hits) {
    enemy.Clear();
    enemy.Add(4, -4, 0, h.type);
    At(0)->state = h.state;
    commands.clear();
    enemy.SetSE(At(0));
    EXPECT_EQ(h.played, commands.empty() ? "" : commands.back()) << h.type;
    EXPECT_EQ(commands.empty() ? 0u : 3u, commands.size());
    if (h.kind >= 0) {
      EXPECT_EQ(Enemy::SE_REQUESTED, enemy.getSEState(h.kind, h.species)) << h.type;
    }
  }
}

}  // namespace
