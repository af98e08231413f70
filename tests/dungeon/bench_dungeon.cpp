// Benchmarks of the dungeon: maps generated per second, the visible-area flood per call and
// collision queries per shape type on a generated 20 x 20 floor.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

#include "common/random.h"
#include "dungeon/dungeonfloor.h"
#include "dungeon/dungeonmake.h"

namespace {

void BM_MakeNewDungeon(benchmark::State& state) {  // the game's map: 3 x 3 segments
  std::vector<int> map(20 * 20);
  DungeonMake::DMParams params = {20, 20, 2, 0, 0, 3, 3};
  unsigned int seed = 1;
  for (auto _ : state) {
    QUORL_COMMON::SetFixedSeed(seed++);
    DungeonMake::MakeNewDungeon(map.data(), &params);
    benchmark::DoNotOptimize(map.data());
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MakeNewDungeon);

float radii[4] = {0.5f, 0.4f, 0.4f, 0.3f}, yaws[4] = {0, 90, 180, 270}, pitches[4] = {0, 0, 0, 30},
      distances[4] = {0.0f, 0.6f, 0.6f, 0.8f};

// A generated floor (fixed seed) and bodies of `type` (0: none) spread over its floor cells.
struct Scene {
  DungeonFloor dungeon;
  std::vector<QUORL_COMMON::_Collision> bodies;
  explicit Scene(int type) {
    QUORL_COMMON::SetFixedSeed(20261206u);
    float start[3];
    dungeon.SetMap(start, 3);
    QUORL_COMMON::ResetSeeding();
    srand(99);
    for (int k = 0; k < 20 * 20 * 8; ++k) {
      if (!dungeon.isFloor(k / 160, k / 8 % 20)) continue;
      QUORL_COMMON::_Collision c = {};
      c.type = type;
      c.pos[0] = 4 * (k / 160) + (rand() % 1800 - 900) / 500.0f;
      c.pos[1] = (rand() % 200 - 100) / 100.0f;
      c.pos[2] = -4 * (k / 8 % 20) - (rand() % 1800 - 900) / 500.0f;
      c.yaw = static_cast<float>(rand() % 360);
      c.passDoors = true;
      if (type == QUORL_COMMON::COL_RAY) c.pitch = c.pos[1] * 10.0f;
      if (type == QUORL_COMMON::COL_SPHERE) c.shape.sphere.radius = 0.8f;
      if (type == QUORL_COMMON::COL_SPHERES) c.shape.spheres = {4, radii, yaws, pitches, distances};
      if (type == QUORL_COMMON::COL_CYLINDER) c.shape.cylinder = {0.4f, 2.0f, 0.0f, 90.0f};
      for (int n = 0; type == QUORL_COMMON::COL_CUBE && n < 24; ++n)
        c.shape.cube.corners[n / 3][n % 3] = (n / 3 >> (n % 3)) & 1 ? 0.7f : -0.7f;
      bodies.push_back(c);
    }
  }
};

// SetDrawArea per call (type 0), or Collision per query of the bodies' type.
void BM_Query(benchmark::State& state) {
  Scene scene(static_cast<int>(state.range(0)));
  size_t k = 0;
  float out[3];
  for (auto _ : state) {
    const QUORL_COMMON::_Collision& b = scene.bodies[k++ % scene.bodies.size()];
    if (b.type == 0) {
      scene.dungeon.SetDrawArea(b.pos, b.yaw);
      benchmark::DoNotOptimize(scene.dungeon.getVisibleCell(10, 10));
    } else {
      benchmark::DoNotOptimize(scene.dungeon.Collision(&b, out));
    }
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Query)->Name("BM_SetDrawArea")->Arg(0);
BENCHMARK(BM_Query)->Name("BM_Collision")->ArgName("type")->DenseRange(1, 4)->Arg(6);  // 6: rays

}  // namespace
