// Tests of the autoplayer's decisions on made-up views of the game (no window).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "autoplay/autoplayer.h"
#include "common/scenecode.h"

namespace {

// An open room of 7 x 11 cells, the player in cell (3, 1) facing -z (along the columns), the stairs
// in cell (3, 9): x = 4 * row, z = -4 * column.
PlayView Room() {
  PlayView v;
  v.valid = true;
  v.floor = 10;
  v.hitPoints = 290;
  v.magazine = 8;
  v.pos[0] = 12, v.pos[1] = -0.6f, v.pos[2] = -4;
  v.rows = 7, v.cols = 11;
  v.cells.assign(77, 0);
  v.stairRow = 3, v.stairCol = 9;
  return v;
}

// An enemy whose body's middle is its origin, or `middleY` above (below) the same x and z.
PlayViewEnemy Enemy(int type, int state, float x, float y, float z, float middleY = 0) {
  PlayViewEnemy e;
  e.type = type;
  e.state = state;
  e.hitPoints = 5;
  e.pos[0] = x, e.pos[1] = y, e.pos[2] = z;
  e.middle[0] = x, e.middle[1] = y + middleY, e.middle[2] = z;
  return e;
}

bool Has(const std::vector<ScriptEvent>& events, ScriptEvent::Kind kind, SDLKey key = SDLK_UNKNOWN) {
  for (const ScriptEvent& e : events) {
    if (e.kind == kind && (key == SDLK_UNKNOWN || e.key == key)) return true;
  }
  return false;
}

// The mouse motion asked for (10 pixels a degree), or {0, 0}.
std::pair<int, int> Motion(const std::vector<ScriptEvent>& events) {
  for (const ScriptEvent& e : events) {
    if (e.kind == ScriptEvent::MOUSE_MOTION) return {e.x, e.y};
  }
  return {0, 0};
}

}  // namespace

TEST(AutoPlayer, FightsTheBossFirstAndAimsAtTheMiddleOfEachKindsShape) {
  struct Case {
    const char* name;
    std::vector<PlayViewEnemy> enemies;
    int shellState;         // the first enemy's state when it is the last boss's shell
    int turn, pitch;        // the motion asked for (x: turn right, y: look down), in pixels
  };
  // Player's eye at y 0, facing -z from (12, -4). Enemies straight ahead (-z) or to the right (+x).
  const std::vector<Case> cases = {
      {"a boosy ahead: aim at its origin", {Enemy(0, 1, 12, -1.7f, -9)}, 0, 0, 188},
      {"a doosy ahead: its shape is tested 0.6 lower", {Enemy(2, 1, 12, -1.5f, -9)}, 0, 0, 228},
      {"the boss to the right before a boosy ahead", {Enemy(0, 1, 12, -1.7f, -9), Enemy(10, 1, 22, -0.7f, -4)}, 0,
       900, 40},
      {"the shell is armoured: its hanging part is fought", {Enemy(20, 201, 22, 0.8f, -4),
                                                              Enemy(21, 3, 12, 0.8f, -9, -0.8f)}, 203, 0, 0},
      {"a part standing as a needle is aimed at above its foot", {Enemy(20, 211, 22, 0.8f, -4),
                                                                  Enemy(22, 3, 12, -1.8f, -9, 0.8f)}, 211, 0, 113},
      {"a part under the floor is not fought", {Enemy(20, 201, 12, 0.8f, -30), Enemy(23, 0, 12, -4.5f, -9)}, 201, 0,
       0},
  };
  for (const Case& c : cases) {
    PlayView v = Room();
    v.boss = 1;
    v.enemies = c.enemies;
    if (c.shellState != 0) v.enemies.front().state = c.shellState;
    AutoPlayer player;
    const std::vector<ScriptEvent> out = player.Step(1, Scene::GAME, false, v);
    EXPECT_EQ(std::make_pair(c.turn, c.pitch), Motion(out)) << c.name;
    const bool fires = c.turn == 0 && !(c.shellState == 201);
    EXPECT_EQ(fires, Has(out, ScriptEvent::MOUSE_DOWN)) << c.name;
  }
}

TEST(AutoPlayer, WaitsOutBossScenesAndLeavesEscortsOnceTheBossIsBeaten) {
  PlayView v = Room();
  v.enemies = {Enemy(10, 100, 22, -3, -4), Enemy(0, 1, 12, -1.7f, -9)};
  AutoPlayer player;
  // A boss scene: no aim, no shot, W let go.
  v.frozen = true;
  v.boss = 2;
  EXPECT_TRUE(player.Step(1, Scene::GAME, false, v).empty());
  // Beaten, doors open: the boosy ahead is passed by on the way to the stairs (straight ahead).
  v.frozen = false;
  v.boss = 3;
  const std::vector<ScriptEvent> out = player.Step(2, Scene::GAME, false, v);
  EXPECT_FALSE(Has(out, ScriptEvent::MOUSE_DOWN));
  EXPECT_TRUE(Has(out, ScriptEvent::KEY_DOWN, SDLK_w));
}

TEST(AutoPlayer, SpecialRoundsWhileABossLivesNormalOnesOtherwise) {
  struct Case {
    int boss, bulletType, spBullets, actionFlags;
    bool switches;
  };
  const Case cases[] = {
      {1, 0, 5, 0, true},    // a boss alive and rounds in stock
      {1, 0, 0, 0, false},   // none in stock
      {1, 1, 5, 0, false},   // already loaded
      {1, 0, 5, 0x02, false},  // not while reloading
      {0, 1, 5, 0, true},    // an ordinary floor: back to normal rounds
      {3, 1, 0, 0, true},    // the boss beaten
  };
  for (const Case& c : cases) {
    PlayView v = Room();
    v.boss = c.boss;
    v.bulletType = c.bulletType;
    v.spBullets = c.spBullets;
    v.actionFlags = c.actionFlags;
    AutoPlayer player;
    EXPECT_EQ(c.switches, Has(player.Step(1, Scene::GAME, false, v), ScriptEvent::KEY_DOWN, SDLK_f))
        << "boss " << c.boss << " rounds " << c.bulletType << " stock " << c.spBullets;
  }
}

TEST(AutoPlayer, GivesUpAnEnemyItsShotsDoNotReachThenWalksOn) {
  PlayView v = Room();
  v.enemies = {Enemy(0, 1, 12, -1.7f, -9)};
  v.pitch = 18.9f;
  AutoPlayer player;
  int shots = 0;
  for (long frame = 1; frame <= 400; ++frame) {
    const std::vector<ScriptEvent> out = player.Step(frame, Scene::GAME, false, v);
    if (Has(out, ScriptEvent::MOUSE_DOWN)) ++shots;
  }
  EXPECT_EQ(12, shots);  // hit points never fell: given up after twelve shots
}

TEST(AutoPlayer, FetchesSpecialRoundsNearTheWayAndMeatOnlyWhenHurt) {
  struct Case {
    int item, hitPoints;
    bool fetched;
  };
  const Case cases[] = {{11, 290, true}, {10, 290, false}, {10, 200, true}, {0, 200, false}};
  for (const Case& c : cases) {
    PlayView v = Room();
    v.boss = 0;
    v.hitPoints = c.hitPoints;
    // A dead enemy's item two cells to the right (+x) of the player.
    PlayViewEnemy dead = Enemy(0, 100, 20, -3, -4);
    dead.item = c.item;
    v.enemies = {dead};
    AutoPlayer player;
    // Fetching turns right towards it; the way to the stairs goes straight on.
    EXPECT_EQ(c.fetched ? 900 : 0, Motion(player.Step(1, Scene::GAME, false, v)).first)
        << "item " << c.item << " at " << c.hitPoints;
  }
}
