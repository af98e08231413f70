// The game's part of the run summary (--summary): the player, the enemies, the shots in flight
// and the floor's map as plain "key value..." lines.
#include <cmath>
#include <cstdio>
#include <string>

#include "bullet/bullet.h"
#include "common/angles.h"
#include "common/playview.h"
#include "common/random.h"
#include "dungeon/dungeonconst.h"
#include "dungeon/dungeonfloor.h"
#include "enemy/enemy.h"
#include "enemy/enemydata.h"
#include "game/gamemain.h"

namespace {

using QUORL_COMMON::RADIANS_PER_DEGREE;

// printf into a std::string (lines here are short; longer ones are measured first).
template <typename... Args>
std::string Format(const char* format, Args... args) {
  const int length = snprintf(nullptr, 0, format, args...);
  std::string text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
  snprintf(&text[0], text.size(), format, args...);
  text.pop_back();
  return text;
}

}  // namespace

void GameMain::TakeSummary() {
  if (keepSummary) summary = SummaryText();
}

std::string GameMain::SummaryText() const {
  std::string out;
  out += Format("floor %d\nhitpoints %d\npending %d\nmagazine %d\nbullettype %d\nspbullets %d\n", floorNo,
                player.hitPoint, player.pendingHit, weapon.magazine, weapon.bulletType, weapon.spBullets);
  out += Format("met %d\nkilled %d\nspecial %d\n", enemyCount, killCount, weapon.useSpMode ? 1 : 0);
  out += Format("pos %.2f %.2f %.2f\nview %.2f %.2f\n", motion.pos[0], motion.pos[1], motion.pos[2], motion.yaw,
                motion.pitch);
  out += Format("flags 0x%02x\nboss %d\n", player.actionFlags, enemy->StateBoss());
  for (const EnemyData* e : enemy->getEnemies()) {
    int cell[3] = {0, 0, 0};
    dungeon->getWorldtoMap(e->pos, cell);
    out += Format("enemy %d %d %d %d %d %d %d\n", e->type, e->state, e->hitPoint, cell[0], cell[2],
                  e->hidden ? 1 : 0, e->itemKind);
  }
  for (const Bullet* bullet : bullets) {
    float p[3];
    bullet->GetPos(p);
    out += Format("bullet %d %.2f %.2f %.2f\n", bullet->getType(), p[0], p[1], p[2]);
  }
  // The map in the map tool's plain form.
  int rows = 0, cols = 0;
  dungeon->MapSize(&rows, &cols);
  out += Format("map %u %d %d %d\n", QUORL_COMMON::FixedSeed(), dungeon->getFloorNumber(), rows, cols);
  int stairRow = -1, stairCol = -1;
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < cols; ++c) {
      const int cell = dungeon->getCell(r, c);
      if ((cell & DungeonConst::FLOOR_STEP) && stairRow < 0) stairRow = r, stairCol = c;
      out += Format(c > 0 ? " %d" : "%d", cell);
    }
    out += '\n';
  }
  int startRow = 0, startCol = 0;
  dungeon->getStartCell(&startRow, &startCol);
  out += Format("start %d %d\n", startRow, startCol);
  if (stairRow >= 0) out += Format("stair %d %d\n", stairRow, stairCol);
  return out;
}

void GameMain::FillPlayView(PlayView* view) const {
  *view = PlayView();
  if (!ready) return;
  view->valid = true;
  view->floor = floorNo;
  view->hitPoints = player.hitPoint;
  view->magazine = weapon.magazine;
  view->bulletType = weapon.bulletType;
  view->spBullets = weapon.spBullets;
  view->actionFlags = player.actionFlags;
  view->boss = enemy->StateBoss();
  view->frozen = director.inputFrozen != 0;
  view->doorLock = director.doorLock != 0;
  for (int i = 0; i < 3; ++i) view->pos[i] = motion.pos[i];
  view->yaw = motion.yaw;
  view->pitch = motion.pitch;
  for (const EnemyData* e : enemy->getEnemies()) {
    PlayViewEnemy seen;
    seen.type = e->type;
    seen.state = e->state;
    seen.hitPoints = e->hitPoint;
    for (int i = 0; i < 3; ++i) seen.pos[i] = e->pos[i];
    seen.hidden = e->hidden;
    seen.item = e->itemDropped ? e->itemKind : 0;
    // The middle sphere of a set of spheres (sphere i lies distances[i] from the body along
    // (sin Y cos P, sin P, cos Y cos P)), else the body's centre.
    const QUORL_COMMON::_Collision& body = e->collision;
    const QUORL_COMMON::_ColSpheres& set = body.shape.spheres;
    for (int i = 0; i < 3; ++i) seen.middle[i] = body.pos[i];
    if (body.type == QUORL_COMMON::COL_SPHERES && set.count > 0 && set.yawOffsets != nullptr &&
        set.pitchOffsets != nullptr && set.distances != nullptr) {
      const int m = set.count / 2;
      const double y = (set.yawOffsets[m] + body.yaw) * RADIANS_PER_DEGREE;
      const double p = (set.pitchOffsets[m] + body.pitch) * RADIANS_PER_DEGREE;
      seen.middle[0] = static_cast<float>(body.pos[0] + set.distances[m] * std::sin(y) * std::cos(p));
      seen.middle[1] = static_cast<float>(body.pos[1] + set.distances[m] * std::sin(p));
      seen.middle[2] = static_cast<float>(body.pos[2] + set.distances[m] * std::cos(y) * std::cos(p));
    }
    view->enemies.push_back(seen);
  }
  dungeon->MapSize(&view->rows, &view->cols);
  view->cells.resize(static_cast<size_t>(view->rows) * view->cols);
  for (int r = 0; r < view->rows; ++r) {
    for (int c = 0; c < view->cols; ++c) {
      const int cell = dungeon->getCell(r, c);
      view->cells[static_cast<size_t>(r) * view->cols + c] = cell;
      if ((cell & DungeonConst::FLOOR_STEP) && view->stairRow < 0) view->stairRow = r, view->stairCol = c;
    }
  }
}
