// The boss voice lines: speech turned into each boss's voice.
#pragma once

#include "audio/signal.h"

namespace assetgen {

// Longest voice line written (seconds); the echo tail beyond it is faded out.
constexpr double kMaxVoiceSeconds = 5.8;

// Renders voice line `index` of VoiceLines() in stereo. Returns 0, or -1 after a message.
int RenderVoiceLine(int index, Stereo* out);

// Changes pitch by `ratio` (0.5 = an octave down) without changing the length, with a
// two-head delay-line shifter whose heads cross-fade over `windowSeconds`.
Signal PitchShift(const Signal& s, double ratio, double windowSeconds);

}  // namespace assetgen
