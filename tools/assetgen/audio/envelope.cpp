// Breakpoint and ADSR level curves.
#include "audio/envelope.h"

#include <algorithm>

namespace assetgen {

Envelope::Envelope(std::initializer_list<std::pair<float, float>> points) : points_(points) {}

Envelope Envelope::Adsr(float attack, float decay, float sustain, float gate, float release) {
  Envelope e;
  float a = std::max(attack, 0.0005f);
  float g = std::max(gate, a);
  float d = std::min(a + decay, g);
  // Level reached at the gate when the decay is cut short.
  float atGate = g >= a + decay ? sustain : 1.0f - (1.0f - sustain) * (g - a) / std::max(decay, 1e-6f);
  e.points_ = {{0.0f, 0.0f}, {a, 1.0f}, {d, d < a + decay ? atGate : sustain}, {g, atGate},
               {g + std::max(release, 0.0005f), 0.0f}};
  return e;
}

float Envelope::At(float t) const {
  if (points_.empty()) return 0.0f;
  if (t <= points_.front().first) return points_.front().second;
  for (size_t i = 1; i < points_.size(); ++i) {
    if (t < points_[i].first) {
      const auto& a = points_[i - 1];
      const auto& b = points_[i];
      float span = b.first - a.first;
      float u = span > 0.0f ? (t - a.first) / span : 1.0f;
      return a.second + (b.second - a.second) * u;
    }
  }
  return points_.back().second;
}

float Envelope::Length() const { return points_.empty() ? 0.0f : points_.back().first; }

}  // namespace assetgen
