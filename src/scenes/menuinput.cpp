// Menu commands from keys and the pad.
#include "scenes/menuinput.h"

namespace {

const int PUSHED = 16384;  // half an axis's travel

int Direction(int value) { return value < -PUSHED ? -1 : (value > PUSHED ? 1 : 0); }

}  // namespace

Menu::Command MenuInput::Translate(const SDL_Event& event) {
  using namespace Menu;
  switch (event.type) {
    case SDL_KEYDOWN:
      switch (event.key.keysym.sym) {
        case SDLK_UP: return UP;
        case SDLK_DOWN: return DOWN;
        case SDLK_LEFT: return LEFT;
        case SDLK_RIGHT: return RIGHT;
        case SDLK_RETURN:
        case SDLK_KP_ENTER: return ACCEPT;
        case SDLK_ESCAPE: return BACK;
        case SDLK_BACKSPACE:
        case SDLK_DELETE: return CLEAR;
        default: return NONE;
      }
    case SDL_JOYBUTTONDOWN:
      if (event.jbutton.button == PAD_A || event.jbutton.button == PAD_START) return ACCEPT;
      if (event.jbutton.button == PAD_B) return BACK;
      return NONE;
    case SDL_JOYHATMOTION: {
      if (event.jhat.hat != 0) return NONE;
      const int pressed = event.jhat.value & ~hat_;  // the directions newly held
      hat_ = event.jhat.value;
      if (pressed & SDL_HAT_UP) return UP;
      if (pressed & SDL_HAT_DOWN) return DOWN;
      if (pressed & SDL_HAT_LEFT) return LEFT;
      if (pressed & SDL_HAT_RIGHT) return RIGHT;
      return NONE;
    }
    case SDL_JOYAXISMOTION: {
      if (event.jaxis.axis > 1) return NONE;
      int& held = event.jaxis.axis == 0 ? stickX_ : stickY_;
      const int now = Direction(event.jaxis.value);
      const int was = held;
      held = now;
      if (now == 0 || now == was) return NONE;
      if (event.jaxis.axis == 0) return now < 0 ? LEFT : RIGHT;
      return now < 0 ? UP : DOWN;
    }
    default:
      return NONE;
  }
}
