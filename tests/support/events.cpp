// Test support: pushed SDL events.
#include "support/events.h"

#include <initializer_list>

namespace testsupport {

void PushKey(SDLKey key, bool down) {
  SDL_Event e = {};
  e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  e.key.keysym.sym = key;
  e.key.keysym.unicode = key < 128 ? static_cast<Uint16>(key) : 0;
  SDL_PushEvent(&e);
}

void PushKeyTap(SDLKey key) {
  PushKey(key, true);
  PushKey(key, false);
}

void PushClick(int button, int x, int y) {
  for (int down = 1; down >= 0; --down) {
    SDL_Event e = {};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.button.button = static_cast<Uint8>(button);
    e.button.x = static_cast<Uint16>(x);
    e.button.y = static_cast<Uint16>(y);
    SDL_PushEvent(&e);
  }
}

void PushMouseMotion(int dx, int dy) {
  SDL_Event e = {};
  e.type = SDL_MOUSEMOTION;
  e.motion.xrel = static_cast<Sint16>(dx);
  e.motion.yrel = static_cast<Sint16>(dy);
  e.motion.x = static_cast<Uint16>(400 + dx);
  e.motion.y = static_cast<Uint16>(300 + dy);
  SDL_PushEvent(&e);
}

void PushMouseButton(int button, bool down) {
  SDL_Event e = {};
  e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
  e.button.button = static_cast<Uint8>(button);
  e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
  e.button.x = 400, e.button.y = 300;
  SDL_PushEvent(&e);
}

void PushPadButtonTap(int button) {
  for (Uint8 type : {SDL_JOYBUTTONDOWN, SDL_JOYBUTTONUP}) {
    SDL_Event event = {};
    event.type = type;
    event.jbutton.button = static_cast<Uint8>(button);
    event.jbutton.state = type == SDL_JOYBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    SDL_PushEvent(&event);
  }
}

void PushPadHat(int value) {
  SDL_Event event = {};
  event.type = SDL_JOYHATMOTION;
  event.jhat.value = static_cast<Uint8>(value);
  SDL_PushEvent(&event);
}

void PushQuit() {
  SDL_Event e = {};
  e.type = SDL_QUIT;
  SDL_PushEvent(&e);
}

void DrainEvents() {
  SDL_Event e;
  while (SDL_PollEvent(&e)) {
  }
}

}  // namespace testsupport
