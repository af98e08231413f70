// Frame-time figures and their CSV file.
#include "harness/frametimes.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// Nearest-rank percentile of sorted times: the value at rank ceil(share x count), from 1.
double Percentile(const std::vector<double>& sorted, double share) {
  const size_t rank = static_cast<size_t>(std::ceil(share * static_cast<double>(sorted.size())));
  return sorted[std::min(sorted.size(), std::max<size_t>(rank, 1)) - 1];
}

}  // namespace

FrameTimeFigures FrameTimes::Figures() const {
  FrameTimeFigures f;
  if (times_.empty()) return f;
  std::vector<double> sorted = times_;
  std::sort(sorted.begin(), sorted.end());
  f.frames = static_cast<long>(sorted.size());
  for (double t : sorted) f.seconds += t / 1000.0;
  f.fps = f.seconds > 0 ? static_cast<double>(f.frames) / f.seconds : 0;
  f.medianMs = Percentile(sorted, 0.5);
  f.p90Ms = Percentile(sorted, 0.9);
  f.p99Ms = Percentile(sorted, 0.99);
  f.worstMs = sorted.back();
  return f;
}

std::string FrameTimes::Line(const std::string& name) const {
  const FrameTimeFigures f = Figures();
  const char* const format =
      "%ld frames, %.2f s, %.1f fps, median %.2f ms, 90%% %.2f ms, 99%% %.2f ms, worst %.2f ms";
  const int length = snprintf(nullptr, 0, format, f.frames, f.seconds, f.fps, f.medianMs, f.p90Ms, f.p99Ms, f.worstMs);
  std::string figures(static_cast<size_t>(length), '\0');
  snprintf(figures.data(), figures.size() + 1, format, f.frames, f.seconds, f.fps, f.medianMs, f.p90Ms, f.p99Ms,
           f.worstMs);
  return "timedemo " + name + ": " + figures;
}

int FrameTimes::WriteCsv(const std::string& path) const {
  FILE* file = fopen(path.c_str(), "w");
  if (file == nullptr) return -1;
  fprintf(file, "frame,ms\n");
  for (size_t i = 0; i < times_.size(); ++i) fprintf(file, "%zu,%.3f\n", i + 1, times_[i]);
  return fclose(file) == 0 ? 0 : -1;
}
