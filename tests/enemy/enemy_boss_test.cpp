// Tests of the three bosses on their fixed maps: escort revival, the big doosy's run-over and the
// shell's choice of attack. The boss demos replay the whole fights.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "common/angles.h"
#include "enemy/enemystate.h"
#include "enemytest.h"

using enemytest::commands;
using enemytest::EnemyTest;
namespace S = EnemyState;

namespace {

// The stand-in player's eye in the boss room (cell (3, 3)), and a spot no boss can see.
float kEye[3] = {12.0f, 0.0f, -12.0f};
float kAway[3] = {12.0f, 0.0f, 60.0f};

int Visible(const Enemy& enemy) {
  int n = 0;
  for (const EnemyData* e : enemy.getEnemies()) n += e->hidden ? 0 : 1;
  return n;
}

// Escorts rise one per 1,500 record-steps once the boss has seen the player, whole again (a
// boosy with 5 hit points, a doosy with 7); none before.
TEST_F(EnemyTest, BossesReviveTheirEscortsWhole) {
  struct Case { int floorNumber, hitPoint; };
  for (const Case& c : {Case{10, 5}, Case{20, 7}}) {
    enemy.Clear();
    UseBossFloor(c.floorNumber);
    enemy.Add(c.floorNumber + 5, c.floorNumber);
    for (int n = 0; n < 600; n++) Frame(kAway);
    EXPECT_EQ(11, Visible(enemy) * 10 + enemy.getBossMode()) << "no revival before it sees the player";
    At(1)->hitPoint = 0;
    Frame(kEye);
    EXPECT_EQ(22, Visible(enemy) * 10 + enemy.getBossMode());
    EXPECT_EQ(S::RISING, At(1)->state) << "rising from the ground";
    EXPECT_EQ(c.hitPoint, At(1)->hitPoint) << c.floorNumber;
    if (c.floorNumber == 10) {
      EXPECT_EQ(-3.0f + 0.03f - 0.01f, At(1)->pos[1]);
      for (int n = 0; n < 249; n++) Frame(kEye);
      EXPECT_EQ(2, Visible(enemy));
      Frame(kEye);
      EXPECT_EQ(3, Visible(enemy)) << "six records: one revival per 250 frames";
    }
  }
}

// Big doosy: a dash runs over an escort met from the side, not one straight ahead.
TEST_F(EnemyTest, BigDoosyRunsOverFromTheSide) {
  struct Case {
    float side;  // the escort's heading from the boss, relative to the boss's yaw
    bool runOver;
  };
  const Case cases[] = {{90, true}, {-70, true}, {0, false}, {-30, false}, {30, false}};
  for (const Case& c : cases) {
    enemy.Clear();
    UseBossFloor(20);
    enemy.Add(25, 20);
    EnemyData* boss = At(0);
    EnemyData* escort = At(1);
    for (int n = 0; n < 3; n++) Frame(kAway);
    boss->yaw = 270;  // facing the stand-in player (-x)
    boss->state = S::ATTACK;
    boss->timer = -10;
    escort->hidden = false;
    escort->state = S::IDLE;
    escort->itemKind = ItemKind::MEAT;
    const double h = QUORL_COMMON::Radians(270 + c.side);
    escort->pos[0] = boss->pos[0] + 2.5f * static_cast<float>(std::sin(h));
    escort->pos[1] = -1.55f;
    escort->pos[2] = boss->pos[2] + 2.5f * static_cast<float>(std::cos(h));
    commands.clear();
    enemy.ActionBossDoosy(kEye, boss);
    EXPECT_EQ(c.runOver, escort->state == S::DYING) << c.side;
    EXPECT_EQ(c.runOver, commands.end() != std::find(commands.begin(), commands.end(),
                                                     "play big-doosy-run-over"));
    EXPECT_EQ(c.runOver ? ItemKind::NONE : ItemKind::MEAT, escort->itemKind);
  }
  for (EnemyData* e : enemy.getEnemies()) e->state = S::DYING;
  EXPECT_EQ(0, enemy.Clear()) << "boss floors count no kills";
}

// The shell's choice: the volley never twice in a row, a beam or dig at most twice; each with
// its own wind-up time.
TEST_F(EnemyTest, ShellNeverRepeatsAnAttackTooOften) {
  UseBossFloor(30);
  enemy.Add(35, 30);
  EnemyData* shell = At(0);
  std::vector<int> chosen;
  for (int n = 0; n < 3000; n++) {
    shell->state = S::SHELL_CHOOSE;
    shell->timer = 1;
    enemy.ActionMelShell(kEye, shell);
    chosen.push_back(shell->state);
    EXPECT_EQ(shell->state == S::SHELL_VOLLEY ? 210 : shell->state == S::SHELL_BEAM_OUT ? 40 : 50,
              shell->timer);
  }
  int counts[3] = {0, 0, 0};
  for (size_t n = 0; n < chosen.size(); n++) {
    counts[chosen[n] == S::SHELL_VOLLEY ? 0 : chosen[n] == S::SHELL_BEAM_OUT ? 1 : 2]++;
    if (n >= 1 && chosen[n] == S::SHELL_VOLLEY) {
      EXPECT_NE(S::SHELL_VOLLEY, chosen[n - 1]) << n;
    }
    if (n >= 2 && chosen[n] != S::SHELL_VOLLEY) {
      EXPECT_FALSE(chosen[n] == chosen[n - 1] && chosen[n] == chosen[n - 2]) << n;
    }
  }
  for (int c : counts) EXPECT_GT(c, 500);
}

}  // namespace
