// The built-in player's decisions.
#include "app/autoplayer.h"

#include <cmath>

#include "app/wayfinder.h"
#include "dungeon/dungeonconst.h"

namespace {

const float CELL = 4.0f;            // world units a cell
const float REACHED = 0.2f;         // a way point this close counts as reached
const float OFF_LINE = 0.25f;       // farther than this off the line to the next cell: back to the centre first
const float FACE_TO_WALK = 8.0f;    // degrees: walk only while facing the way point this well
const float FACE_TO_FIRE = 3.0f;    // degrees: fire only while facing the target this well
const float FIGHT_RANGE = 16.0f;    // world units: enemies farther away are left alone
const int DYING = 100;              // enemy state: dying or dead
const int BOSS_TYPE = 10;           // enemy types from here on are bosses and their parts
const long TITLE_WAIT = 5;          // frames on the title before choosing
const long ENDING_PAGE = 40;        // frames between clicks through the ending roll
const long ENDING_LENGTH = 900;     // frames of the ending roll before Escape back to the title
const long STUCK = 40;              // frames without moving while walking: press W again
const long RELOAD_AGAIN = 30;       // frames before an unanswered reload is asked again
const long STOP_AFTER = 60;          // frames on the stop floor before Escape
const float EYE = 0.6f;             // the eye above the player's position
const float BODY = 0.4f;            // aim this far above an enemy's origin

float Degrees(double radians) { return static_cast<float>(radians * 57.29577951308232); }

// The heading (game yaw) from (x, z) to (tx, tz): 0 faces -z, 90 faces +x.
float Heading(float x, float z, float tx, float tz) { return Degrees(std::atan2(tx - x, -(tz - z))); }

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
    if (scene_ == GAME) played_ = true;
    scene_ = scene;
    sceneStart_ = frame;
    walking_ = false;
  }
  std::vector<ScriptEvent> more;
  if (scene == TITLE) more = Title(frame, canContinue);
  if (scene == GAME) more = Game(frame, view);
  if (scene == ENDING) more = Ending(frame);
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

int AutoPlayer::Target(const PlayView& view) {
  int best = -1;
  float bestDistance = FIGHT_RANGE;
  for (size_t i = 0; i < view.enemies.size(); ++i) {
    const PlayViewEnemy& e = view.enemies[i];
    if (e.hidden || e.state == DYING || e.hitPoints <= 0) continue;
    const float d = std::hypot(e.pos[0] - view.pos[0], e.pos[2] - view.pos[2]);
    if (d >= bestDistance || !InSight(view, view.pos[0], view.pos[2], e.pos[0], e.pos[2])) continue;
    best = static_cast<int>(i);
    bestDistance = d;
  }
  return best;
}

std::vector<ScriptEvent> AutoPlayer::Game(long frame, const PlayView& view) {
  std::vector<ScriptEvent> out;
  const int busy = GameFlags::DESCENDING | GameFlags::DEAD;
  if (!view.valid || (view.actionFlags & busy) != 0) {
    HoldWalk(frame, false, &out);
    return out;
  }
  if (stopFloor_ > 0 && view.floor >= stopFloor_ && ++onStopFloor_ == STOP_AFTER) {
    HoldWalk(frame, false, &out);
    Press(frame, SDLK_ESCAPE, &out);
    return out;
  }
  // Reload when the magazine is empty.
  if (view.magazine == 0 && !(view.actionFlags & GameFlags::RELOADING) && frame - reloadAsked_ > RELOAD_AGAIN) {
    Press(frame, SDLK_r, &out);
    reloadAsked_ = frame;
  }

  // Fight the nearest enemy in sight: special rounds against bosses, normal ones otherwise.
  const int target = Target(view);
  if (target >= 0) {
    const PlayViewEnemy& e = view.enemies[static_cast<size_t>(target)];
    const bool boss = e.type >= BOSS_TYPE;
    if ((boss && view.bulletType == 0 && view.spBullets > 0) || (!boss && view.bulletType == 1)) {
      Press(frame, SDLK_f, &out);
    }
    HoldWalk(frame, false, &out);
    const float turn = TurnTo(view.yaw, Heading(view.pos[0], view.pos[2], e.pos[0], e.pos[2]));
    // Positive pitch looks down.
    const float distance = std::hypot(e.pos[0] - view.pos[0], e.pos[2] - view.pos[2]);
    const float pitch = -Degrees(std::atan2(e.pos[1] + BODY - (view.pos[1] + EYE), distance));
    if (std::fabs(turn) > 0.5f || std::fabs(pitch - view.pitch) > 0.5f) Turn(frame, turn, pitch - view.pitch, &out);
    if (std::fabs(turn) < FACE_TO_FIRE && view.magazine > 0 &&
        !(view.actionFlags & (GameFlags::SHOOTING | GameFlags::RELOADING))) {
      Click(frame, 400, 300, &out);
    }
    return out;
  }

  // Walk the way to the stairs, cell centre to cell centre; a door is passed straight on.
  const WayFinder::Grid grid{&view.cells, view.rows, view.cols};
  const int row = CellOf(view.pos[0]), col = CellOf(-view.pos[2]);
  const std::vector<int> way = view.stairRow < 0 ? std::vector<int>()
                                                 : WayFinder::FindWay(grid, row, col, view.stairRow, view.stairCol);
  if (way.empty()) {
    HoldWalk(frame, false, &out);
    return out;
  }
  const WayFinder::Direction& d = WayFinder::kDirections[way[0]];
  const float cx = row * CELL, cz = -col * CELL;
  // Off the line through the cell centres: back to this cell's centre first.
  const float offLine = d.dr != 0 ? std::fabs(view.pos[2] - cz) : std::fabs(view.pos[0] - cx);
  if (offLine > OFF_LINE) {
    WalkTo(frame, view, cx, cz, &out);
  } else {
    WalkTo(frame, view, cx + d.dr * CELL, cz - d.dc * CELL, &out);
  }
  return out;
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
