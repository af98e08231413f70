// Maps generated per second: the game's 20 x 20 map in 3 x 3 segments, seeded per map.
#include <benchmark/benchmark.h>

#include <vector>

#include "common/random.h"
#include "dungeon/dungeonmake.h"

namespace {

void BM_MakeNewDungeon(benchmark::State& state) {
  std::vector<int> map(20 * 20);
  DungeonMake::DMParams params{};
  params.width = 20;
  params.height = 20;
  params.floorTier = 2;
  params.segmentsX = 3;
  params.segmentsY = 3;
  unsigned int seed = 1;
  for (auto _ : state) {
    QUORL_COMMON::SetFixedSeed(seed++);
    DungeonMake::MakeNewDungeon(map.data(), &params);
    benchmark::DoNotOptimize(map.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations());
  state.SetLabel("items = maps");
}
BENCHMARK(BM_MakeNewDungeon);

}  // namespace
