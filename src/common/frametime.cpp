// Frames shown as minutes, seconds and hundredths.
#include "common/frametime.h"

#include <cstdio>

#include "common/commonfunc.h"

namespace QUORL_COMMON {

std::string FrameTime(long frames) {
  const long long ms = frames > 0 ? static_cast<long long>(frames) * FRAME_PERIOD_MS : 0;
  const long long hundredths = ms / 10 % 100, seconds = ms / 1000 % 60, minutes = ms / 60000 % 60,
                  hours = ms / 3600000;
  char text[48];
  if (hours > 0) {
    snprintf(text, sizeof text, "%lld:%02lld:%02lld.%02lld", hours, minutes, seconds, hundredths);
  } else {
    snprintf(text, sizeof text, "%lld:%02lld.%02lld", minutes, seconds, hundredths);
  }
  return text;
}

}  // namespace QUORL_COMMON
