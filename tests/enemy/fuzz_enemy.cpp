// Fuzz target: the enemy manager for a few hundred frames on random maps, with random enemy sets,
// player positions and player shots. Sanitizer findings, a non-finite position or an enemy that
// leaves the map abort.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "bullet/bullet.h"
#include "common/collision.h"
#include "dungeon/dungeonfloor.h"
#include "enemy/enemy.h"

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

// A consistent map: floor cells walled where they meet rock or the map's edge, some inner walls
// and doors (set on both cells), one stairs cell.
std::vector<int> Map(Bytes* in, int rows, int cols) {
  std::vector<bool> open(rows * cols);
  for (size_t k = 0; k < open.size(); k++) open[k] = in->Byte() < 200;
  std::vector<int> cells(rows * cols, 256);
  for (int i = 0; i < rows; i++) {
    for (int j = 0; j < cols; j++) {
      if (!open[i * cols + j]) continue;
      int c = 0;
      // side bit, neighbour (di, dj), the neighbour's side bit
      const int sides[4][4] = {{1, 0, 1, 2}, {2, 0, -1, 1}, {4, 1, 0, 8}, {8, -1, 0, 4}};
      for (const auto& s : sides) {
        const int ni = i + s[1], nj = j + s[2];
        if (ni < 0 || nj < 0 || ni >= rows || nj >= cols || !open[ni * cols + nj]) c |= s[0];
      }
      cells[i * cols + j] = c;
    }
  }
  for (int k = in->Byte() % 8; k > 0; k--) {  // inner walls across +y sides, some with doors
    const int i = in->Byte() % rows, j = in->Byte() % cols;
    if (i + 1 >= rows || cells[i * cols + j] & 256 || cells[(i + 1) * cols + j] & 256) continue;
    const bool door = in->Byte() & 1;
    cells[i * cols + j] |= 4 | (door ? 64 : 0);
    cells[(i + 1) * cols + j] |= 8 | (door ? 128 : 0);
  }
  return cells;
}

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
  srand(in.Byte());
  const uint8_t kind = in.Byte();
  int floorNumber = 1 + kind % 30;
  int rows, cols;
  if (kind >= 200) {
    floorNumber = 10 * (1 + kind % 3);
    float start[3];
    floor.SetMap(start, floorNumber);
    floor.MapSize(&rows, &cols);
  } else {
    rows = 2 + in.Byte() % 19;
    cols = 2 + in.Byte() % 19;
    const std::vector<int> cells = Map(&in, rows, cols);
    if (floor.SetMapData(cells.data(), rows, cols, in.Byte() % rows, in.Byte() % cols) != 0) abort();
  }
  enemy.Add(in.Byte() % 25, floorNumber);
  for (int k = in.Byte() % 4; k > 0; k--) {  // a few more of any type on floor cells
    static const int types[] = {0, 1, 2, 3, 10, 11, 20, 21, 22, 23, 24};
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
