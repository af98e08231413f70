// The event filter that holds back real input.
#include "harness/inputcapture.h"

namespace InputCapture {

namespace {

std::vector<SDL_Event> held;

// SDL 1.2 calls the filter for events it reads from the display and the pad (never for
// SDL_PushEvent), on the thread that pumps events, which is the frame loop's.
int SDLCALL Filter(const SDL_Event* event) {
  switch (event->type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
    case SDL_MOUSEMOTION:
    case SDL_JOYAXISMOTION:  // pad sticks, buttons and hat; trackballs are no part of the game
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP:
    case SDL_JOYHATMOTION:
    case SDL_QUIT:
      held.push_back(*event);
      return 0;
    default:
      return 1;
  }
}

}  // namespace

void Start() {
  held.clear();
  SDL_SetEventFilter(Filter);
}

void Stop() {
  SDL_SetEventFilter(nullptr);
  held.clear();
}

std::vector<SDL_Event> Take() {
  std::vector<SDL_Event> taken;
  taken.swap(held);
  return taken;
}

}  // namespace InputCapture
