// Tests of the three bosses on their fixed maps: big boosy, big doosy, the shell of boss 3 and
// its four core parts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "enemytest.h"

using enemytest::commands;
using enemytest::EnemyTest;

namespace {

// The stand-in player's eye in the boss room (cell (3, 3)), and a spot no boss can see.
float kEye[3] = {12.0f, 0.0f, -12.0f};
float kAway[3] = {12.0f, 0.0f, 60.0f};

bool Sent(const std::string& command) {
  return std::find(commands.begin(), commands.end(), command) != commands.end();
}

int Visible(const Enemy& enemy) {
  int n = 0;
  for (const EnemyData* e : enemy.getEnemies()) n += e->hidden ? 0 : 1;
  return n;
}

// Big boosy: escorts rise one per 1,500 record-steps while it sees the player; killed, it sinks
// (mode 3, StateBoss 2) and is finished below -4.
TEST_F(EnemyTest, BigBoosyRevivesEscortsAndSinksWhenKilled) {
  UseBossFloor(10);
  enemy.Add(15, 10);
  for (int n = 0; n < 600; n++) Frame(kAway);
  EXPECT_EQ(11, Visible(enemy) * 10 + enemy.getBossMode()) << "no revival before it sees the player";
  At(1)->hitPoint = 0;
  Frame(kEye);
  EXPECT_EQ(22, Visible(enemy) * 10 + enemy.getBossMode());
  EXPECT_EQ(101, At(1)->state) << "rising from the ground";
  EXPECT_EQ(5, At(1)->hitPoint) << "a revived boosy comes back whole";
  EXPECT_EQ(-3.0f + 0.03f - 0.01f, At(1)->pos[1]);
  for (int n = 0; n < 249; n++) Frame(kEye);
  EXPECT_EQ(2, Visible(enemy));
  Frame(kEye);
  EXPECT_EQ(3, Visible(enemy)) << "six records: one revival per 250 frames";
  At(0)->state = 100;
  Frame(kEye);
  EXPECT_EQ(32, enemy.getBossMode() * 10 + enemy.StateBoss());
  int frames = 1;
  float y = At(0)->pos[1];
  while (enemy.StateBoss() == 2 && frames < 1000) {
    Frame(kEye);
    EXPECT_NEAR(y - 0.01f, At(0)->pos[1], 1e-4);
    y = At(0)->pos[1];
    frames++;
  }
  EXPECT_EQ(3, enemy.StateBoss());
  EXPECT_LT(At(0)->pos[1], -4.0f);
  EXPECT_GE(At(0)->pos[1], -4.021f) << "finished in the frame after it passed -4";
  EXPECT_LE(Visible(enemy), 3) << "no escort comes back after its death";
}

// Big doosy: a dash runs over an escort met from the side, not one straight ahead; finished 60
// frames after its death.
TEST_F(EnemyTest, BigDoosyRunsOverFromTheSideAndFinishes) {
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
    boss->state = 3;
    boss->timer = -10;
    escort->hidden = false;
    escort->state = 0;
    escort->itemKind = 10;
    const double h = (270 + c.side) * 3.141592653589793 / 180;
    escort->pos[0] = boss->pos[0] + 2.5f * static_cast<float>(std::sin(h));
    escort->pos[1] = -1.55f;
    escort->pos[2] = boss->pos[2] + 2.5f * static_cast<float>(std::cos(h));
    commands.clear();
    enemy.ActionBossDoosy(kEye, boss);
    EXPECT_EQ(c.runOver, escort->state == 100) << c.side;
    EXPECT_EQ(c.runOver, Sent("play big-doosy-run-over")) << c.side;
    EXPECT_EQ(c.runOver ? 0 : 10, escort->itemKind);
  }
  for (EnemyData* e : enemy.getEnemies()) e->state = 100;
  EXPECT_EQ(0, enemy.Clear()) << "boss floors count no kills";
  UseBossFloor(20);
  enemy.Add(25, 20);
  At(1)->hitPoint = 0;
  Frame(kEye);
  EXPECT_EQ(101, At(1)->state);
  EXPECT_EQ(7, At(1)->hitPoint) << "a revived doosy comes back whole";
  enemy.Clear();
  UseBossFloor(20);
  enemy.Add(25, 20);
  At(0)->state = 100;
  for (int n = 0; n < 60; n++) Frame(kEye);
  EXPECT_EQ(31, enemy.getBossMode() * 10 + enemy.StateBoss());
  Frame(kEye);
  EXPECT_EQ(3, enemy.StateBoss());
  EXPECT_TRUE(At(0)->noFloorCollision);
}

// The shell's choice: the volley never twice in a row, a beam or dig at most twice.
TEST_F(EnemyTest, ShellNeverRepeatsAnAttackTooOften) {
  UseBossFloor(30);
  enemy.Add(35, 30);
  EnemyData* shell = At(0);
  std::vector<int> chosen;
  for (int n = 0; n < 3000; n++) {
    shell->state = 201;
    shell->timer = 1;
    enemy.ActionMelShell(kEye, shell);
    chosen.push_back(shell->state);
    EXPECT_EQ(shell->state == 3 ? 210 : shell->state == 202 ? 40 : 50, shell->timer);
  }
  int counts[3] = {0, 0, 0};
  for (size_t n = 0; n < chosen.size(); n++) {
    counts[chosen[n] == 3 ? 0 : chosen[n] == 202 ? 1 : 2]++;
    if (n >= 1 && chosen[n] == 3) {
      EXPECT_NE(3, chosen[n - 1]) << n;
    }
    if (n >= 2 && chosen[n] != 3) {
      EXPECT_FALSE(chosen[n] == chosen[n - 1] && chosen[n] == chosen[n - 2]) << n;
    }
  }
  for (int c : counts) EXPECT_GT(c, 500);
}

// The shell out of sight drops its attack (state 0, then 201 where it is); with its hit points
// gone it dies only when its attack ends; the dying timeline.
TEST_F(EnemyTest, ShellDiesBetweenAttacksAndDropsOutOfSight) {
  UseBossFloor(30);
  enemy.Add(35, 30);
  EnemyData* shell = At(0);
  shell->state = 211;
  shell->timer = 30;
  shell->pos[1] = -0.7f;
  enemy.ActionMelShell(kAway, shell);
  EXPECT_EQ(0, shell->state);
  enemy.ActionMelShell(kEye, shell);
  EXPECT_TRUE(shell->state == 201 && shell->pos[1] == -0.7f);
  shell->pos[1] = 0.8f;
  shell->state = 3;
  shell->timer = 12;
  shell->hitPoint = 0;
  commands.clear();
  int frames = 0;
  for (; shell->state == 3 && frames < 100; frames++) enemy.ActionMelShell(kEye, shell);
  EXPECT_EQ(13100, frames * 1000 + shell->state);
  EXPECT_EQ(std::vector<std::string>({"stop boss3-dying1", "seek boss3-dying1 to start", "play boss3-dying1"}),
            commands);
  struct Step {
    int frames, bossState;
    float y;
    bool secondSound;
  };
  const Step steps[] = {{119, 1, 0.8f, false}, {1, 2, 0.8f, true}, {99, 2, 0.8f, false},
                        {1, 2, -5.0f, false},  {199, 2, -5.0f, false}, {1, 3, -5.0f, false}};
  for (const Step& s : steps) {
    commands.clear();
    for (int n = 0; n < s.frames; n++) enemy.ActionMelShell(kEye, shell);
    EXPECT_TRUE(s.bossState == shell->bossState && s.y == shell->pos[1] && enemy.getBossMode() == 3);
    EXPECT_EQ(s.secondSound, Sent("play boss3-dying2"));
  }
}

// The core parts: coming out with their roll rates, the beam volleys, the needles.
TEST_F(EnemyTest, CorePartsComeOutFireBeamsAndRiseAsNeedles) {
  UseBossFloor(30);
  enemy.Add(35, 30);
  EnemyData* shell = At(0);
  auto parts = [this](float* eye) {
    for (int n = 1; n <= 4; n++) enemy.ActionMelCore(eye, At(n));
  };
  shell->state = 201;  // the parts wait under the floor
  parts(kEye);
  shell->state = 202;
  for (int n = 0; n < 34; n++) parts(kEye);
  EXPECT_EQ(1, At(1)->state);
  parts(kEye);
  const float rolls[4] = {66, -66, 33, -33};
  for (int n = 1; n <= 4; n++) EXPECT_TRUE(At(n)->state == 3 && At(n)->roll == rolls[n - 1] && At(n)->pos[1] == shell->pos[1]) << n;
  // The beam: seven volleys of three bullets per part, the sound once per volley.
  shell->state = 203;
  std::vector<size_t> volleys;
  int beamSounds = 0;
  for (int n = 0; n < 80; n++) {
    const size_t before = enemy.getBullets().size();
    commands.clear();
    parts(kEye);
    if (enemy.getBullets().size() != before) volleys.push_back(enemy.getBullets().size() - before);
    beamSounds += Sent("play boss3-beam") ? 1 : 0;
  }
  EXPECT_EQ(std::vector<size_t>(7, 12), volleys);
  EXPECT_EQ(7, beamSounds);
  // Needles: placed under the eye, harmless in state 0, dangerous from state 1, then standing.
  shell->state = 0;
  parts(kEye);
  shell->state = 210;
  float eye[3] = {14.0f, 0.0f, -16.0f};
  QUORL_COMMON::_Collision player = Player(eye[0], -0.6f, eye[2]);
  QUORL_COMMON::_Item item = {0, 0};
  float push[3] = {0, 0, 0};
  parts(eye);
  EXPECT_EQ(std::vector<float>({eye[0], -4.5f, eye[2]}), std::vector<float>(At(1)->pos, At(1)->pos + 3));
  EXPECT_EQ(0, enemy.ImpacttoPlayer(&player, &item, push));
  for (int n = 0; n < 19; n++) parts(kEye);
  EXPECT_EQ(0, At(1)->state);
  EXPECT_TRUE(Sent("play boss3-needle")) << "19 frames after it was placed";
  parts(kEye);
  EXPECT_EQ(1, At(1)->state);
  EXPECT_EQ(60, enemy.ImpacttoPlayer(&player, &item, push));
  for (int n = 0; n < 9; n++) parts(kEye);
  EXPECT_EQ(3, At(1)->state);
  EXPECT_NEAR(-4.5f + 2.7f, At(1)->pos[1], 1e-4);
}

// A whole dig through the manager: at most three needles stand at once, all sink when the shell
// rises, and the shell is back at its height in state 201.
TEST_F(EnemyTest, DigRaisesUpToThreeNeedles) {
  UseBossFloor(30);
  enemy.Add(35, 30);
  EnemyData* shell = At(0);
  Frame(kEye);
  shell->state = 209;
  shell->timer = 50;
  int most = 0, sinking = 0, rising = 0;
  while (shell->state != 201) {
    sinking += shell->state == 209 ? 1 : 0;
    rising += shell->state == 215 ? 1 : 0;
    Frame(kEye);
    int standing = 0;
    for (int n = 1; n <= 4; n++) standing += At(n)->state == 3 ? 1 : 0;
    most = std::max(most, standing);
  }
  EXPECT_EQ(3, most);
  for (int n = 1; n <= 4; n++) EXPECT_EQ(0, At(n)->state);
  // It sinks for 51 frames at 0.03 and rises for 100 at 0.015 (the step into 215 already
  // counts its timer down): each dig leaves it 0.03 lower.
  EXPECT_EQ(51, sinking);
  EXPECT_EQ(100, rising);
  EXPECT_NEAR(0.77f, shell->pos[1], 1e-4);
}

}  // namespace
