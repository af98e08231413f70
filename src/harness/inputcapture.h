// Holding back the real input while a demo is recorded or played: SDL hands every keyboard,
// mouse, pad and window-close event it reads from the display or the pad to a filter that keeps
// it here instead of the scenes' queue, and the frame loop passes the held events on at the start of the next
// frame (recording them) or drops them (playing a demo; a window-close request still passes).
// So the scenes receive input only at frame starts, in the same order on every run.
#pragma once

#include <SDL/SDL.h>

#include <vector>

namespace InputCapture {

// Starts holding back real input (SDL must be initialised).
void Start();
// Stops it (the filter is removed).
void Stop();
// The events held back since the last call, in arrival order.
std::vector<SDL_Event> Take();

}  // namespace InputCapture
