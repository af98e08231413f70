// Benchmarks of the generator's sound half: one music piece rendered and encoded, one effect,
// one voice line. The whole content set must generate in under 60 s on two cores.
#include <benchmark/benchmark.h>

#include "audio/catalogue.h"
#include "audio/mp3encoder.h"
#include "audio/voices.h"

using namespace assetgen;

namespace {

const SoundFile& Find(const std::string& path) {
  static const std::vector<SoundFile> files = SoundCatalogue();
  for (const SoundFile& f : files) {
    if (f.path == path) return f;
  }
  return files.front();
}

void BM_RenderMusicPiece(benchmark::State& state) {
  const SoundFile& f = Find("sounds/MOT_5.mp3");
  for (auto _ : state) {
    Stereo st = f.music().Render(1);
    benchmark::DoNotOptimize(st.left.data());
  }
}
BENCHMARK(BM_RenderMusicPiece)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_EncodeMusicPiece(benchmark::State& state) {
  Stereo st = Find("sounds/MOT_1.mp3").music().Render(1);
  for (auto _ : state) {
    std::vector<uint8_t> bytes = EncodeMp3(st.left, st.right, 128);
    benchmark::DoNotOptimize(bytes.data());
  }
}
BENCHMARK(BM_EncodeMusicPiece)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_RenderEffect(benchmark::State& state) {
  const SoundFile& f = Find("SE/enemy/boss3-dying2.wav");
  for (auto _ : state) {
    Signal s = f.effect();
    benchmark::DoNotOptimize(s.data());
  }
}
BENCHMARK(BM_RenderEffect)->Unit(benchmark::kMillisecond);

void BM_RenderVoiceLine(benchmark::State& state) {
  for (auto _ : state) {
    Stereo st;
    RenderVoiceLine(6, &st);
    benchmark::DoNotOptimize(st.left.data());
  }
}
BENCHMARK(BM_RenderVoiceLine)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
