// Benchmarks of the dungeon floor: the visible-area flood per call and collision queries per
// shape type, on a generated 20 x 20 floor.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

#include "common/collision.h"
#include "common/random.h"
#include "dungeon/dungeonconst.h"
#include "dungeon/dungeonfloor.h"

namespace {

// A generated floor (fixed seed) and points spread over its floor cells.
struct Scene {
  DungeonFloor dungeon;
  std::vector<std::vector<float>> points;  // x, y, z, yaw

  Scene() {
    QUORL_COMMON::SetFixedSeed(20261206u);
    float start[3];
    dungeon.SetMap(start, 3);
    int rows, cols;
    dungeon.MapSize(&rows, &cols);
    srand(99);
    for (int i = 0; i < rows; ++i) {
      for (int j = 0; j < cols; ++j) {
        if (dungeon.getCell(i, j) & DungeonConst::FLOOR_NONE) continue;
        for (int k = 0; k < 8; ++k) {
          const float lx = (rand() % 1800 - 900) / 1000.0f;
          const float lz = (rand() % 1800 - 900) / 1000.0f;
          points.push_back({2.0f * (lx + 2 * i), (rand() % 200 - 100) / 100.0f,
                            -2.0f * (lz + 2 * j), static_cast<float>(rand() % 360)});
        }
      }
    }
    QUORL_COMMON::ResetSeeding();
  }
};

Scene& TheScene() {
  static Scene scene;
  return scene;
}

void BM_SetDrawArea(benchmark::State& state) {
  Scene& scene = TheScene();
  size_t k = 0;
  for (auto _ : state) {
    const std::vector<float>& p = scene.points[k++ % scene.points.size()];
    scene.dungeon.SetDrawArea(p.data(), p[3]);
    benchmark::DoNotOptimize(scene.dungeon.getVisibleCell(10, 10));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SetDrawArea);

float radii[4] = {0.5f, 0.4f, 0.4f, 0.3f};
float yawOffsets[4] = {0, 90, 180, 270};
float pitchOffsets[4] = {0, 0, 0, 30};
float distances[4] = {0.0f, 0.6f, 0.6f, 0.8f};

QUORL_COMMON::_Collision Query(int type, const std::vector<float>& p) {
  QUORL_COMMON::_Collision c = {};
  c.type = type;
  c.pos[0] = p[0];
  c.pos[1] = p[1];
  c.pos[2] = p[2];
  c.yaw = p[3];
  switch (type) {
    case QUORL_COMMON::COL_SPHERE: c.shape.sphere.radius = 0.8f; break;
    case QUORL_COMMON::COL_SPHERES:
      c.shape.spheres = {4, radii, yawOffsets, pitchOffsets, distances};
      break;
    case QUORL_COMMON::COL_CYLINDER:
      c.shape.cylinder = {0.4f, 2.0f, 0.0f, 90.0f};  // the player's body
      c.passDoors = true;
      break;
    case QUORL_COMMON::COL_CUBE:
      for (int k = 0; k < 8; ++k) {
        c.shape.cube.corners[k][0] = (k & 1) ? 0.7f : -0.7f;
        c.shape.cube.corners[k][1] = (k & 2) ? 0.7f : -0.7f;
        c.shape.cube.corners[k][2] = (k & 4) ? 0.7f : -0.7f;
      }
      break;
    case QUORL_COMMON::COL_RAY: c.pitch = p[1] * 10.0f; break;
  }
  return c;
}

void BM_Collision(benchmark::State& state) {
  Scene& scene = TheScene();
  const int type = static_cast<int>(state.range(0));
  std::vector<QUORL_COMMON::_Collision> queries;
  for (const std::vector<float>& p : scene.points) queries.push_back(Query(type, p));
  size_t k = 0;
  float out[3];
  for (auto _ : state) {
    benchmark::DoNotOptimize(scene.dungeon.Collision(&queries[k++ % queries.size()], out));
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Collision)
    ->ArgName("type")
    ->Arg(QUORL_COMMON::COL_SPHERE)
    ->Arg(QUORL_COMMON::COL_SPHERES)
    ->Arg(QUORL_COMMON::COL_CYLINDER)
    ->Arg(QUORL_COMMON::COL_CUBE)
    ->Arg(QUORL_COMMON::COL_RAY);

}  // namespace
