// Benchmark of one frame of the enemies: Enemy::ImpacttoPlayer and Enemy::Action with 20 enemies
// on a generated floor of the zoosy band, the player standing on the start cell.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

#include "bullet/bullet.h"
#include "common/random.h"
#include "dungeon/dungeonfloor.h"
#include "enemy/enemy.h"
#include "enemy/enemytype.h"

// The sound commands go nowhere: the figure is the enemies' own work.
int mciSendStringA(const char*, char*, unsigned, void*) { return 0; }

namespace {

void BM_EnemyFrame(benchmark::State& state) {
  Bullet::LoadCount = 1;  // enemy bullets come alive without models; nothing is drawn here
  QUORL_COMMON::SetFixedSeed(20261206u);
  DungeonFloor floor;
  float start[3];
  floor.SetMap(start, 25);
  QUORL_COMMON::ResetSeeding();
  srand(5);
  Enemy enemy;
  enemy.SetFloor(&floor);
  // Twenty enemies of the four kinds over the floor cells (generated floors have about 20 to 30;
  // a second enemy on a cell stands 1.2 units aside).
  std::vector<int> cells;
  for (int k = 0; k < 400; k++) {
    if (floor.isFloor(k / 20, k % 20)) cells.push_back(k);
  }
  static const int kinds[4] = {EnemyType::BOOSY, EnemyType::POOSY, EnemyType::DOOSY,
                               EnemyType::ZOOSY};
  int placed = 0;
  for (; placed < 20 && !cells.empty(); placed++) {
    const int k = cells[placed % cells.size()];
    const float aside = (placed >= static_cast<int>(cells.size())) ? 1.2f : 0.0f;
    enemy.Add(4.0f * (k / 20) + aside, -4.0f * (k % 20), 90.0f * placed, kinds[placed % 4]);
  }
  float eye[3] = {start[0], 0.0f, start[2]};
  floor.SetDrawArea(eye, 0);
  QUORL_COMMON::_Collision player = {};
  player.type = QUORL_COMMON::COL_CYLINDER;
  player.pos[0] = start[0];
  player.pos[1] = -0.6f;
  player.pos[2] = start[2];
  player.shape.cylinder = {0.4f, 2.0f, 0.0f, 90.0f};
  for (auto _ : state) {
    QUORL_COMMON::_Item item = {0, 0};
    float push[3] = {0, 0, 0};
    benchmark::DoNotOptimize(enemy.ImpacttoPlayer(&player, &item, push));
    enemy.Action(eye);
  }
  state.counters["enemies"] = placed;
  state.counters["frames/s"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                  benchmark::Counter::kIsRate);
  enemy.Clear();
  Bullet::LoadCount = 0;
}
BENCHMARK(BM_EnemyFrame);

}  // namespace
