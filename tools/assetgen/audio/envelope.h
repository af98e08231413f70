// A level curve over time: straight segments between breakpoints, or the usual ADSR shape.
#pragma once

#include <initializer_list>
#include <utility>
#include <vector>

namespace assetgen {

class Envelope {
 public:
  // Breakpoints (seconds, level) in increasing time; before the first and after the last the
  // curve holds the end levels.
  Envelope(std::initializer_list<std::pair<float, float>> points);
  // Attack to 1, decay to `sustain`, held until `gate` seconds, then released to 0.
  static Envelope Adsr(float attack, float decay, float sustain, float gate, float release);

  float At(float seconds) const;
  // Time of the last breakpoint.
  float Length() const;

 private:
  Envelope() = default;
  std::vector<std::pair<float, float>> points_;
};

}  // namespace assetgen
