// A stereo room reverb: eight damped feedback combs and four all-passes per channel.
#pragma once

#include <vector>

#include "audio/signal.h"

namespace assetgen {

class Reverb {
 public:
  // `room` 0 .. 1 (decay length), `damping` 0 .. 1 (how fast highs die), `scale` stretches the
  // delay lines (1 = a mid-sized hall; 0.5 small room; 1.6 cavern).
  Reverb(float room, float damping, float scale = 1.0f);
  // Wet output only, from a mono input.
  void Process(float in, float* outLeft, float* outRight);

 private:
  struct Comb {
    std::vector<float> line;
    size_t pos = 0;
    float store = 0.0f;
  };
  struct AllPass {
    std::vector<float> line;
    size_t pos = 0;
  };
  float Run(std::vector<Comb>& combs, std::vector<AllPass>& passes, float in);

  float feedback_;
  float damp_;
  std::vector<Comb> combsL_, combsR_;
  std::vector<AllPass> passesL_, passesR_;
};

// Adds the reverb of `dry` (wet level `wet`) to a stereo buffer, including the tail after the
// end; the dry sound itself is mixed in at `dryGain` with pan 0.
Stereo WithReverb(const Signal& dry, float dryGain, float wet, float room, float damping,
                  float scale, double tailSeconds);
// The same, folded back to mono.
Signal WithReverbMono(const Signal& dry, float dryGain, float wet, float room, float damping,
                      float scale, double tailSeconds);

}  // namespace assetgen
