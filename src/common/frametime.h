// A count of game frames shown as a time, at the game's 17 ms a frame.
#pragma once

#include <string>

namespace QUORL_COMMON {

// The time of `frames` frames at FRAME_PERIOD_MS (17 ms) each, as "M:SS.CC" (minutes, seconds,
// hundredths), or "H:MM:SS.CC" from an hour on. Negative counts show as 0:00.00.
std::string FrameTime(long frames);

}  // namespace QUORL_COMMON
