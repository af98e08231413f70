// The per-phase frame profile: times per phase and frame, and their table.
#include "common/framephases.h"

#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

namespace QUORL_COMMON {

namespace {

using Clock = std::chrono::steady_clock;
using PhaseTimes = std::array<double, PHASE_COUNT>;  // milliseconds

// Each phase's name in the table and its column in the per-frame file.
struct PhaseNames {
  const char* table;
  const char* column;
};
const PhaseNames kPhaseNames[PHASE_COUNT] = {
    {"events+logic", "logic_ms"}, {"compose", "compose_ms"}, {"upload", "upload_ms"},
    {"3d pass", "3d_ms"},         {"board quads", "boards_ms"}, {"swap+finish", "swap_ms"}};

bool enabled = false;
Clock::time_point last;
PhaseTimes current{};
std::vector<PhaseTimes> frames;

double Percentile(std::vector<double> values, double share) {
  std::sort(values.begin(), values.end());
  const size_t rank = static_cast<size_t>(std::ceil(share * static_cast<double>(values.size())));
  return values[std::min(values.size(), std::max<size_t>(rank, 1)) - 1];
}

}  // namespace

void FramePhases::Enable(bool on) { enabled = on; }

bool FramePhases::Enabled() { return enabled; }

void FramePhases::StartFrame() {
  if (!enabled) return;
  current.fill(0);
  last = Clock::now();
}

void FramePhases::Mark(FramePhase phase) {
  if (!enabled || phase < 0 || phase >= PHASE_COUNT) return;
  glFinish();
  const Clock::time_point now = Clock::now();
  current[phase] += std::chrono::duration<double, std::milli>(now - last).count();
  last = now;
}

void FramePhases::EndFrame() {
  if (!enabled) return;
  Mark(PHASE_SWAP);
  frames.push_back(current);
}

std::string FramePhases::Table(const std::string& name) {
  if (frames.empty()) return std::string();
  double total = 0;
  for (const PhaseTimes& f : frames) {
    for (double t : f) total += t;
  }
  std::string table = "phases " + name + ": " + std::to_string(frames.size()) + " frames\n";
  std::vector<double> values(frames.size());
  for (int p = 0; p < PHASE_COUNT; ++p) {
    double sum = 0;
    for (size_t k = 0; k < frames.size(); ++k) sum += values[k] = frames[k][p];
    char line[160];
    snprintf(line, sizeof(line), "  %-13s median %6.3f ms, mean %6.3f ms, 99%% %6.3f ms, %5.1f %%\n", kPhaseNames[p].table,
             Percentile(values, 0.5), sum / static_cast<double>(frames.size()), Percentile(values, 0.99),
             total > 0 ? 100 * sum / total : 0.0);
    table += line;
  }
  return table;
}

std::vector<double> FramePhases::LastFrame() {
  if (frames.empty()) return {};
  return std::vector<double>(frames.back().begin(), frames.back().end());
}

const char* FramePhases::Name(FramePhase phase) {
  return phase >= 0 && phase < PHASE_COUNT ? kPhaseNames[phase].table : "";
}

const char* FramePhases::Column(FramePhase phase) {
  return phase >= 0 && phase < PHASE_COUNT ? kPhaseNames[phase].column : "";
}

void FramePhases::Reset() { frames.clear(); }

}  // namespace QUORL_COMMON
