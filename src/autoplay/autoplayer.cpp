// The built-in player's decisions.
#include "autoplay/autoplayer.h"

#include <cmath>

#include "autoplay/wayfinder.h"
#include "common/angles.h"
#include "common/item.h"
#include "common/scenecode.h"
#include "dungeon/dungeonconst.h"
#include "enemy/bossstate.h"
#include "enemy/enemy.h"
#include "enemy/enemystate.h"
#include "enemy/enemytype.h"
#include "game/gamemain.h"

namespace {

const float CELL = 4.0f;            // world units a cell
const float REACHED = 0.2f;         // a way point this close counts as reached
const float OFF_LINE = 0.25f;       // farther than this off the line to the next cell: back to the centre first
const float FACE_TO_WALK = 8.0f;    // degrees: walk only while facing the way point this well
const float FACE_TO_FIRE = 3.0f;    // degrees: fire only while facing the target this well
const float FIGHT_RANGE = 10.0f;    // world units: ordinary enemies farther away are left alone
const float BOSS_RANGE = 24.0f;     // world units: bosses are fought across their whole room
const float BOSS_NEAR = 8.0f;       // world units: close enough to a boss out of sight to stop walking
const float SUNK = -3.5f;           // an enemy below this height is under the floor (rising or sinking)
const long TITLE_WAIT = 5;          // frames on the title before choosing
const long ENDING_PAGE = 20;        // frames between clicks through the ending roll
const long ENDING_LENGTH = 900;     // frames of the ending roll before Escape back to the title
const long STUCK = 40;              // frames without moving while walking: press W again
const long RELOAD_AGAIN = 30;       // frames before an unanswered reload is asked again
const long SWITCH_AGAIN = 30;       // frames before an unanswered switch of rounds is asked again
const long STOP_AFTER = 60;          // frames on the stop floor before Escape
const int IDLE_SHOTS = 12;          // shots at an ordinary enemy without a hit before giving it up
const long GIVE_UP = 900;           // frames an enemy given up is left alone
const long FIGHT_BUDGET = 1200;     // frames a floor's ordinary enemies are fought before they are left alone
const float TOO_CLOSE = 1.0f;       // world units: an ordinary enemy this close is below the sight
const size_t ITEM_STEPS = 3;        // items at most this many cells away are fetched
const long ITEM_PATIENCE = 300;     // frames spent fetching an item before giving it up

// The point to aim at: the middle of the body as shots are tested against it.
void AimPoint(const PlayViewEnemy& e, float* out) {
  for (int i = 0; i < 3; ++i) out[i] = e.middle[i];
  out[1] -= Enemy::ShotDrop(e.type);  // the doosies are tested lower than their middle
}

// The heading (game yaw) from (x, z) to (tx, tz): 0 faces -z, 90 faces +x.
float Heading(float x, float z, float tx, float tz) {
  return static_cast<float>(QUORL_COMMON::Degrees(std::atan2(tx - x, -(tz - z))));
}

// The turn from `yaw` to `want`, -180 to 180 degrees.
float TurnTo(float yaw, float want) {
  float d = std::fmod(want - yaw, 360.0f);
  if (d > 180) d -= 360;
  if (d < -180) d += 360;
  return d;
}

int CellOf(float w) { return static_cast<int>(std::floor(w / CELL + 0.5f)); }

// Whether the straight line between two points stays on cells joined by open sides (no wall, no door).
bool InSight(const PlayView& view, float x0, float z0, float x1, float z1) {
  const WayFinder::Grid grid{&view.cells, view.rows, view.cols};
  const float length = std::hypot(x1 - x0, z1 - z0);
  const int samples = static_cast<int>(length / 0.5f) + 1;
  int row = CellOf(x0), col = CellOf(-z0);
  for (int i = 1; i <= samples; ++i) {
    const float t = static_cast<float>(i) / samples;
    const int r = CellOf(x0 + t * (x1 - x0)), c = CellOf(-(z0 + t * (z1 - z0)));
    while (r != row || c != col) {
      int d = -1;
      for (int k = 0; k < 4 && d < 0; ++k) {
        const WayFinder::Direction& w = WayFinder::kDirections[k];
        if ((w.dr != 0 && w.dr == (r > row ? 1 : -1) && r != row) || (w.dc != 0 && w.dc == (c > col ? 1 : -1) && c != col)) {
          // Sight passes open sides only: a closed door hides what lies behind it.
          const bool open = !(grid.at(row, col) & w.wall) && !(grid.at(row + w.dr, col + w.dc) & w.backWall);
          if (open && WayFinder::CanStep(grid, row, col, k)) d = k;
        }
      }
      if (d < 0) return false;
      row += WayFinder::kDirections[d].dr;
      col += WayFinder::kDirections[d].dc;
    }
  }
  return true;
}

ScriptEvent Event(long frame, ScriptEvent::Kind kind) {
  ScriptEvent e;
  e.frame = frame;
  e.kind = kind;
  return e;
}

}  // namespace

std::vector<ScriptEvent> AutoPlayer::Step(long frame, int scene, bool canContinue, const PlayView& view) {
  std::vector<ScriptEvent> out;
  for (ScriptEvent e : release_) {
    e.frame = frame;
    out.push_back(e);
  }
  release_.clear();
  if (scene != scene_) {
    if (scene_ == Scene::GAME) played_ = true;
    scene_ = scene;
    sceneStart_ = frame;
    walking_ = false;
  }
  std::vector<ScriptEvent> more;
  if (scene == Scene::TITLE) more = Title(frame, canContinue);
  if (scene == Scene::GAME) more = Game(frame, view);
  if (scene == Scene::ENDING) more = Ending(frame);
  out.insert(out.end(), more.begin(), more.end());
  return out;
}

std::vector<ScriptEvent> AutoPlayer::Title(long frame, bool canContinue) {
  std::vector<ScriptEvent> out;
  if (frame - sceneStart_ != TITLE_WAIT) return out;
  if (played_) {
    Press(frame, SDLK_ESCAPE, &out);  // the game and the ending are over: quit
  } else {
    Click(frame, canContinue ? 600 : 100, 550, &out);  // continue, or a new game
  }
  return out;
}

std::vector<ScriptEvent> AutoPlayer::Ending(long frame) {
  std::vector<ScriptEvent> out;
  const long t = frame - sceneStart_;
  if (t >= ENDING_LENGTH) {
    if (t == ENDING_LENGTH) Press(frame, SDLK_ESCAPE, &out);
  } else if (t > 0 && t % ENDING_PAGE == 0) {
    Click(frame, 400, 300, &out);
  }
  return out;
}

int AutoPlayer::Boss(const PlayView& view) {
  for (size_t i = 0; i < view.enemies.size(); ++i) {
    const PlayViewEnemy& e = view.enemies[i];
    if ((e.type == EnemyType::BIG_BOOSY || e.type == EnemyType::BIG_DOOSY || e.type == EnemyType::SHELL) &&
        e.state != EnemyState::DYING) return static_cast<int>(i);
  }
  return -1;
}

int AutoPlayer::Target(long frame, const PlayView& view) const {
  int best = -1;
  bool bestBoss = false;
  float bestDistance = 0;
  for (size_t i = 0; i < view.enemies.size(); ++i) {
    const PlayViewEnemy& e = view.enemies[i];
    if (e.hidden || e.state == EnemyState::DYING || e.type == EnemyType::SHELL || e.pos[1] < SUNK) continue;
    if (EnemyType::IsCorePart(e.type) ? e.state == EnemyState::CORE_SUNK : e.hitPoints <= 0) continue;
    if (i < ignoreUntil_.size() && frame < ignoreUntil_[i]) continue;
    const bool boss = e.type >= EnemyType::BIG_BOOSY;
    if (!boss && fought_ >= FIGHT_BUDGET) continue;
    const float d = std::hypot(e.pos[0] - view.pos[0], e.pos[2] - view.pos[2]);
    if (d >= (boss ? BOSS_RANGE : FIGHT_RANGE) || (!boss && d < TOO_CLOSE)) continue;
    // Bosses and their parts first, then the nearest.
    if (best >= 0 && (bestBoss > boss || (bestBoss == boss && d >= bestDistance))) continue;
    if (!InSight(view, view.pos[0], view.pos[2], e.pos[0], e.pos[2])) continue;
    best = static_cast<int>(i);
    bestBoss = boss;
    bestDistance = d;
  }
  return best;
}

int AutoPlayer::NearItem(const PlayView& view) const {
  const WayFinder::Grid grid{&view.cells, view.rows, view.cols};
  const int row = CellOf(view.pos[0]), col = CellOf(-view.pos[2]);
  int best = -1;
  size_t bestSteps = ITEM_STEPS + 1;
  for (size_t i = 0; i < view.enemies.size(); ++i) {
    const PlayViewEnemy& e = view.enemies[i];
    const bool wanted = e.item == ItemKind::SP_BULLETS ||
                        (e.item == ItemKind::MEAT && view.hitPoints < gamemain_const::MaxHitPoint);
    if (!wanted || e.hidden || (i < itemGivenUp_.size() && itemGivenUp_[i])) continue;
    const int r = CellOf(e.pos[0]), c = CellOf(-e.pos[2]);
    const size_t steps = r == row && c == col ? 0 : WayFinder::FindWay(grid, row, col, r, c).size();
    if ((steps == 0 && (r != row || c != col)) || steps >= bestSteps) continue;
    best = static_cast<int>(i);
    bestSteps = steps;
  }
  return best;
}

void AutoPlayer::NewFloor(const PlayView& view) {
  floor_ = view.floor;
  fought_ = 0;
  target_ = -1;
  idleShots_ = 0;
  item_ = -1;
  ignoreUntil_.assign(view.enemies.size(), 0);
  itemGivenUp_.assign(view.enemies.size(), false);
}

void AutoPlayer::ChooseRounds(long frame, const PlayView& view, std::vector<ScriptEvent>* out) {
  if (frame - switchAsked_ <= SWITCH_AGAIN || (view.actionFlags & (ActionFlag::SHOOTING | ActionFlag::RELOADING))) return;
  // Special rounds are kept for the bosses; a switch drops the magazine and reloads.
  const bool bossAlive = view.boss == BossState::ALIVE;
  if ((bossAlive && view.bulletType == 0 && view.spBullets > 0) || (!bossAlive && view.bulletType == 1)) {
    Press(frame, SDLK_f, out);
    switchAsked_ = frame;
  }
}

void AutoPlayer::Fight(long frame, const PlayView& view, int target, std::vector<ScriptEvent>* out) {
  const PlayViewEnemy& e = view.enemies[static_cast<size_t>(target)];
  // Shots that leave an ordinary enemy's hit points as they were: after a while it is given up
  // (out of the line of fire, or too close below the sight).
  const int hitPoints = EnemyType::IsCorePart(e.type) ? view.enemies.front().hitPoints : e.hitPoints;
  if (target != target_ || hitPoints != targetHitPoints_) {
    target_ = target;
    targetHitPoints_ = hitPoints;
    idleShots_ = 0;
  }
  if (e.type < EnemyType::BIG_BOOSY && idleShots_ >= IDLE_SHOTS && static_cast<size_t>(target) < ignoreUntil_.size()) {
    ignoreUntil_[static_cast<size_t>(target)] = frame + GIVE_UP;
    idleShots_ = 0;
    return;
  }
  if (e.type < EnemyType::BIG_BOOSY) ++fought_;
  HoldWalk(frame, false, out);
  float aim[3];
  AimPoint(e, aim);
  const float turn = TurnTo(view.yaw, Heading(view.pos[0], view.pos[2], aim[0], aim[2]));
  // Positive pitch looks down.
  const float distance = std::hypot(aim[0] - view.pos[0], aim[2] - view.pos[2]);
  const float pitch = -static_cast<float>(QUORL_COMMON::Degrees(std::atan2(aim[1] - (view.pos[1] + gamemain_const::EYE_HEIGHT), distance)));
  if (std::fabs(turn) > 0.5f || std::fabs(pitch - view.pitch) > 0.5f) Turn(frame, turn, pitch - view.pitch, out);
  if (std::fabs(turn) < FACE_TO_FIRE && view.magazine > 0 &&
      !(view.actionFlags & (ActionFlag::SHOOTING | ActionFlag::RELOADING))) {
    Click(frame, 400, 300, out);
    ++idleShots_;
  }
}

std::vector<ScriptEvent> AutoPlayer::Game(long frame, const PlayView& view) {
  std::vector<ScriptEvent> out;
  const int busy = ActionFlag::DESCENDING | ActionFlag::DEAD;
  // Descending, dead, or a boss scene holding the input: wait it out with nothing pressed.
  if (!view.valid || (view.actionFlags & busy) != 0 || view.frozen) {
    HoldWalk(frame, false, &out);
    return out;
  }
  if (view.floor != floor_ || ignoreUntil_.size() != view.enemies.size()) NewFloor(view);
  if (stopFloor_ > 0 && view.floor >= stopFloor_ && ++onStopFloor_ == STOP_AFTER) {
    HoldWalk(frame, false, &out);
    Press(frame, SDLK_ESCAPE, &out);
    return out;
  }
  const size_t before = out.size();
  ChooseRounds(frame, view, &out);
  // Reload when the magazine is empty (not in the frame a switch of rounds was asked).
  if (out.size() == before && view.magazine == 0 && !(view.actionFlags & ActionFlag::RELOADING) &&
      frame - reloadAsked_ > RELOAD_AGAIN) {
    Press(frame, SDLK_r, &out);
    reloadAsked_ = frame;
  }

  // Fight the enemy in sight: the boss first, else the nearest. Once a boss is beaten its escorts
  // are left behind: the way down is open.
  const int target = view.boss >= BossState::DYING ? -1 : Target(frame, view);
  if (target >= 0) {
    Fight(frame, view, target, &out);
    return out;
  }
  // Nothing to fight in a boss fight: fill the magazine for the next moment the boss shows.
  if (out.size() == before && view.boss == BossState::ALIVE && view.magazine > 0 &&
      view.magazine < gamemain_const::MAGAZINE_SIZE &&
      !(view.actionFlags & (ActionFlag::SHOOTING | ActionFlag::RELOADING)) && frame - reloadAsked_ > RELOAD_AGAIN) {
    Press(frame, SDLK_r, &out);
    reloadAsked_ = frame;
  }

  // A living boss out of sight: go towards it (into its room, which starts the boss scene; the last
  // boss's floor has no stairs).
  const int boss = Boss(view);
  if (boss >= 0 && view.boss == BossState::ALIVE) {
    const PlayViewEnemy& b = view.enemies[static_cast<size_t>(boss)];
    if (std::hypot(b.pos[0] - view.pos[0], b.pos[2] - view.pos[2]) < BOSS_NEAR ||
        !FollowWay(frame, view, CellOf(b.pos[0]), CellOf(-b.pos[2]), &out)) {
      HoldWalk(frame, false, &out);
    }
    return out;
  }

  // An item close to the way: fetch it, unless it keeps out of reach.
  const int item = NearItem(view);
  if (item != item_) {
    item_ = item;
    itemSince_ = frame;
  }
  if (item >= 0 && frame - itemSince_ > ITEM_PATIENCE) {
    itemGivenUp_[static_cast<size_t>(item)] = true;
    item_ = -1;
  } else if (item >= 0) {
    const PlayViewEnemy& e = view.enemies[static_cast<size_t>(item)];
    if (!FollowWay(frame, view, CellOf(e.pos[0]), CellOf(-e.pos[2]), &out)) WalkTo(frame, view, e.pos[0], e.pos[2], &out);
    return out;
  }

  // Walk the way to the stairs.
  if (view.stairRow < 0 || !FollowWay(frame, view, view.stairRow, view.stairCol, &out)) HoldWalk(frame, false, &out);
  return out;
}

bool AutoPlayer::FollowWay(long frame, const PlayView& view, int goalRow, int goalCol, std::vector<ScriptEvent>* out) {
  // Cell centre to cell centre; a door is passed straight on, facing it.
  const WayFinder::Grid grid{&view.cells, view.rows, view.cols};
  const int row = CellOf(view.pos[0]), col = CellOf(-view.pos[2]);
  const std::vector<int> way = WayFinder::FindWay(grid, row, col, goalRow, goalCol);
  if (way.empty()) return false;
  const WayFinder::Direction& d = WayFinder::kDirections[way[0]];
  const float cx = row * CELL, cz = -col * CELL;
  // Off the line through the cell centres: back to this cell's centre first.
  const float offLine = d.dr != 0 ? std::fabs(view.pos[2] - cz) : std::fabs(view.pos[0] - cx);
  if (offLine > OFF_LINE) {
    WalkTo(frame, view, cx, cz, out);
  } else {
    WalkTo(frame, view, cx + d.dr * CELL, cz - d.dc * CELL, out);
  }
  return true;
}

void AutoPlayer::WalkTo(long frame, const PlayView& view, float x, float z, std::vector<ScriptEvent>* out) {
  if (std::hypot(x - view.pos[0], z - view.pos[2]) < REACHED) {
    HoldWalk(frame, false, out);
    return;
  }
  const float turn = TurnTo(view.yaw, Heading(view.pos[0], view.pos[2], x, z));
  if (std::fabs(turn) > 0.5f || std::fabs(view.pitch) > 0.5f) Turn(frame, turn, -view.pitch, out);
  const bool facing = std::fabs(turn) < FACE_TO_WALK;
  // W held but the player stands still (the press fell into a frozen moment): press it again.
  const bool moved = std::fabs(view.pos[0] - lastPos_[0]) + std::fabs(view.pos[2] - lastPos_[1]) > 0.001f;
  lastPos_[0] = view.pos[0];
  lastPos_[1] = view.pos[2];
  if (moved) stillSince_ = frame;
  if (walking_ && facing && frame - stillSince_ > STUCK && frame - walkSince_ > STUCK) {
    HoldWalk(frame, false, out);
    return;
  }
  HoldWalk(frame, facing, out);
}

void AutoPlayer::Turn(long frame, float degrees, float pitchDegrees, std::vector<ScriptEvent>* out) {
  ScriptEvent e = Event(frame, ScriptEvent::MOUSE_MOTION);
  e.x = static_cast<int>(std::lround(degrees * 10));
  e.y = static_cast<int>(std::lround(pitchDegrees * 10));
  if (e.x != 0 || e.y != 0) out->push_back(e);
}

void AutoPlayer::HoldWalk(long frame, bool hold, std::vector<ScriptEvent>* out) {
  if (hold == walking_) return;
  ScriptEvent e = Event(frame, hold ? ScriptEvent::KEY_DOWN : ScriptEvent::KEY_UP);
  e.key = SDLK_w;
  out->push_back(e);
  walking_ = hold;
  if (hold) walkSince_ = frame, stillSince_ = frame;
}

void AutoPlayer::Press(long frame, SDLKey key, std::vector<ScriptEvent>* out) {
  ScriptEvent e = Event(frame, ScriptEvent::KEY_DOWN);
  e.key = key;
  out->push_back(e);
  e.kind = ScriptEvent::KEY_UP;
  release_.push_back(e);
}

void AutoPlayer::Click(long frame, int x, int y, std::vector<ScriptEvent>* out) {
  ScriptEvent e = Event(frame, ScriptEvent::MOUSE_DOWN);
  e.button = 1;
  e.x = x;
  e.y = y;
  out->push_back(e);
  e.kind = ScriptEvent::MOUSE_UP;
  release_.push_back(e);
}
