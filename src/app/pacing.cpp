// Frame pacing arithmetic and the sleep primitive.
#include "app/pacing.h"

#include <SDL/SDL.h>
#include <sched.h>

int FrameSleep(unsigned int elapsed, bool vsync, bool fast) {
  if (vsync || fast) return NO_SLEEP;
  if (elapsed <= 16) return static_cast<int>(17 - elapsed);
  return 0;
}

void SleepFor(int milliseconds) {
  if (milliseconds > 0) {
    SDL_Delay(static_cast<Uint32>(milliseconds));
  } else if (milliseconds == 0) {
    sched_yield();
  }
}
