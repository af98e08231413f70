// Frame-time figures and their CSV file.
#include "harness/frametimes.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "common/framephases.h"
#include "common/scenecode.h"

namespace {

// Nearest-rank percentile of sorted times: the value at rank ceil(share x count), from 1.
double Percentile(const std::vector<double>& sorted, double share) {
  const size_t rank = static_cast<size_t>(std::ceil(share * static_cast<double>(sorted.size())));
  return sorted[std::min(sorted.size(), std::max<size_t>(rank, 1)) - 1];
}

const char* SceneName(int scene) {
  switch (scene) {
    case Scene::TITLE: return "title";
    case Scene::GAME: return "game";
    case Scene::ENDING: return "ending";
    default: return "-";
  }
}

}  // namespace

FrameTimeFigures FrameTimes::Figures() const {
  FrameTimeFigures f;
  if (frames_.empty()) return f;
  std::vector<double> sorted;
  for (const TimedFrame& frame : frames_) sorted.push_back(frame.ms);
  std::sort(sorted.begin(), sorted.end());
  f.frames = static_cast<long>(sorted.size());
  for (double t : sorted) f.seconds += t / 1000.0;
  f.fps = f.seconds > 0 ? static_cast<double>(f.frames) / f.seconds : 0;
  f.medianMs = Percentile(sorted, 0.5);
  f.p90Ms = Percentile(sorted, 0.9);
  f.p99Ms = Percentile(sorted, 0.99);
  f.worstMs = sorted.back();
  for (size_t i = 1; i < frames_.size(); ++i) {
    if (frames_[i].scene == frames_[i - 1].scene && frames_[i].ms > 2 * f.medianMs) ++f.hitches;
  }
  return f;
}

std::string FrameTimes::Line(const std::string& name) const {
  const FrameTimeFigures f = Figures();
  const char* const format =
      "%ld frames, %.2f s, %.1f fps, median %.2f ms, 90%% %.2f ms, 99%% %.2f ms, worst %.2f ms, %ld hitches";
  const int length =
      snprintf(nullptr, 0, format, f.frames, f.seconds, f.fps, f.medianMs, f.p90Ms, f.p99Ms, f.worstMs, f.hitches);
  std::string figures(static_cast<size_t>(length), '\0');
  snprintf(figures.data(), figures.size() + 1, format, f.frames, f.seconds, f.fps, f.medianMs, f.p90Ms, f.p99Ms,
           f.worstMs, f.hitches);
  return "timedemo " + name + ": " + figures;
}

int FrameTimes::WriteCsv(const std::string& path) const {
  FILE* file = fopen(path.c_str(), "w");
  if (file == nullptr) return -1;
  fprintf(file, "frame,scene,floor,ms");
  for (int p = 0; p < QUORL_COMMON::PHASE_COUNT; ++p) {
    fprintf(file, ",%s", QUORL_COMMON::FramePhases::Column(static_cast<QUORL_COMMON::FramePhase>(p)));
  }
  fprintf(file, ",marks\n");
  for (size_t i = 0; i < frames_.size(); ++i) {
    const TimedFrame& frame = frames_[i];
    fprintf(file, "%zu,%s,%d,%.3f", i + 1, SceneName(frame.scene), frame.floor, frame.ms);
    for (int p = 0; p < QUORL_COMMON::PHASE_COUNT; ++p) {
      if (static_cast<size_t>(p) < frame.phases.size()) {
        fprintf(file, ",%.3f", frame.phases[p]);
      } else {
        fprintf(file, ",");
      }
    }
    fprintf(file, ",%s\n", frame.marks.c_str());
  }
  return fclose(file) == 0 ? 0 : -1;
}
