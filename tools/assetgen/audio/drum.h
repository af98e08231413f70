// The music's percussion: each kind rendered from oscillators and noise.
#pragma once

#include <cstdint>

#include "audio/signal.h"

namespace assetgen {

enum class Drum {
  kKick,     // sine drop with a click
  kSnare,    // tone and bright noise
  kHat,      // short metallic tick
  kOpenHat,  // longer metallic hiss
  kClap,     // three smeared noise bursts
  kTom,      // pitched low drum
  kRim,      // woody click
  kShaker,   // soft noise swish
  kMetal,    // mechanical clank (inharmonic FM)
  kPulse,    // soft organic throb, like a heartbeat
  kTaiko,    // big low drum for the boss fights
  kCrash,    // long cymbal wash
};

// One hit at full velocity; `seed` varies the noise so repeated hits are not identical.
Signal RenderDrum(Drum drum, uint64_t seed);

}  // namespace assetgen
