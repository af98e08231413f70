// Fuzz target: the enemy manager for a few hundred frames on generated floors, with random enemy
// sets, player positions and player shots. Sanitizer findings, a non-finite position or an enemy
// that leaves the map abort.
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "bullet/bullet.h"
#include "common/collision.h"
#include "common/random.h"
#include "dungeon/dungeonfloor.h"
#include "enemy/enemy.h"
#include "enemy/enemytype.h"

// The sound commands go nowhere here.
int mciSendStringA(const char*, char*, unsigned, void*) { return 0; }

namespace {

// Bytes of the input front to back; zeros once it runs out.
struct Bytes {
  const uint8_t* data;
  size_t size, at;
  uint8_t Byte() { return at < size ? data[at++] : 0; }
  float Unit() { return Byte() / 255.0f; }
};

bool Inside(const EnemyData* e, int rows, int cols) {
  for (float v : e->pos) {
    if (!std::isfinite(v)) return false;
  }
  return e->pos[0] >= -2 && e->pos[0] <= 4.0f * rows - 2 && e->pos[2] <= 2 &&
         e->pos[2] >= -(4.0f * cols - 2);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Bytes in = {data, size, 0};
  Bullet::LoadCount = 1;  // enemy bullets come alive without models; nothing is drawn here
  DungeonFloor floor;
  Enemy enemy;
  enemy.SetFloor(&floor);
  // A generated floor (the boss maps among them) of a seed from the input.
  const int floorNumber = 1 + in.Byte() % 30;
  QUORL_COMMON::SetFixedSeed(in.Byte() * 256u + in.Byte());
  float start[3];
  floor.SetMap(start, floorNumber);
  QUORL_COMMON::ResetSeeding();
  srand(in.Byte());
  int rows, cols;
  floor.MapSize(&rows, &cols);
  enemy.Add(in.Byte() % 25, floorNumber);
  for (int k = in.Byte() % 4; k > 0; k--) {  // a few more of any type on floor cells
    namespace T = EnemyType;
    static const int types[] = {T::BOOSY,     T::POOSY,     T::DOOSY,          T::ZOOSY,
                                T::BIG_BOOSY, T::BIG_DOOSY, T::SHELL,          T::CORE_FIRST,
                                T::CORE_FIRST + 1, T::CORE_FIRST + 2, T::CORE_LAST};
    const int i = in.Byte() % rows, j = in.Byte() % cols;
    if (!floor.isFloor(i, j)) continue;
    enemy.Add(4.0f * i + 3 * in.Unit() - 1.5f, -4.0f * j + 3 * in.Unit() - 1.5f, 360 * in.Unit(),
              types[in.Byte() % 11]);
  }
  float eye[3] = {0, 0, 0};
  for (int frame = 0; frame < 300; frame++) {
    if (frame % 40 == 0) {  // the player moves to another floor cell
      const int i = in.Byte() % rows, j = in.Byte() % cols;
      eye[0] = 4.0f * i + 2.8f * in.Unit() - 1.4f;
      eye[2] = -4.0f * j + 2.8f * in.Unit() - 1.4f;
    }
    floor.SetDrawArea(eye, 0);
    QUORL_COMMON::_Collision player = {};
    player.type = QUORL_COMMON::COL_CYLINDER;
    player.pos[0] = eye[0];
    player.pos[1] = eye[1] - 0.6f;
    player.pos[2] = eye[2];
    player.shape.cylinder = {0.4f, 2.0f, 0.0f, 90.0f};
    player.passDoors = true;
    QUORL_COMMON::_Item item = {0, 0};
    float push[3] = {0, 0, 0};
    enemy.ImpacttoPlayer(&player, &item, push);
    enemy.Action(eye);
    if (in.Byte() < 64) {  // a shot in a random direction
      Bullet shot;
      shot.Init(0, eye, 360 * in.Unit(), 60 * in.Unit() - 30, 1 + in.Byte() % 5);
      enemy.ImpactfromPlayer(&shot);
      shot.Finalize();
    }
    enemy.StateBoss();
    for (const EnemyData* e : enemy.getEnemies()) {
      if (!Inside(e, rows, cols)) abort();
    }
  }
  enemy.Clear();
  if (Bullet::LoadCount != 1) abort();
  Bullet::LoadCount = 0;
  return 0;
}
