// The default bindings, finding an input's actions, and rebinding with a swap.
#include "common/bindings.h"

namespace {

struct ActionNames {
  const char* config;
  const char* screen;
};
const ActionNames kActionNames[Control::ACTION_COUNT] = {
    {"walk_forward", "WALK FORWARD"}, {"walk_back", "WALK BACK"},   {"strafe_left", "STRAFE LEFT"},
    {"strafe_right", "STRAFE RIGHT"}, {"fire", "FIRE"},             {"reload", "RELOAD"},
    {"switch_rounds", "SWITCH ROUNDS"}, {"pause", "PAUSE"},         {"screenshot", "SCREENSHOT"},
    {"to_title", "BACK TO TITLE"},
};

// The common pad under Linux: buttons 0 A, 1 B, 2 X, 3 Y, 4 and 5 the shoulders, 6 Back,
// 7 Start; axes 0/1 the left stick, 2 the left trigger, 3/4 the right stick, 5 the right trigger.
const int PAD_X = 2, PAD_Y = 3, PAD_BACK = 6, PAD_START = 7, PAD_RIGHT_TRIGGER = 5;

}  // namespace

namespace Control {

const char* ConfigName(int action) { return action >= 0 && action < ACTION_COUNT ? kActionNames[action].config : ""; }
const char* ScreenName(int action) { return action >= 0 && action < ACTION_COUNT ? kActionNames[action].screen : ""; }

}  // namespace Control

Bindings Bindings::Defaults() {
  using namespace Control;
  Bindings b;
  auto set = [&b](int action, InputCode first, InputCode second, InputCode pad) {
    b.inputs[action][FIRST] = first;
    b.inputs[action][SECOND] = second;
    b.inputs[action][PAD] = pad;
  };
  const InputCode none;
  set(FORWARD, InputCode::Key(SDLK_w), none, InputCode::PadHat(SDL_HAT_UP));
  set(BACK, InputCode::Key(SDLK_s), none, InputCode::PadHat(SDL_HAT_DOWN));
  set(STRAFE_LEFT, InputCode::Key(SDLK_a), none, InputCode::PadHat(SDL_HAT_LEFT));
  set(STRAFE_RIGHT, InputCode::Key(SDLK_d), none, InputCode::PadHat(SDL_HAT_RIGHT));
  set(FIRE, InputCode::Mouse(SDL_BUTTON_LEFT), none, InputCode::PadAxis(PAD_RIGHT_TRIGGER, true));
  set(RELOAD, InputCode::Key(SDLK_r), InputCode::Mouse(SDL_BUTTON_RIGHT), InputCode::PadButton(PAD_X));
  set(SWITCH_ROUNDS, InputCode::Key(SDLK_f), none, InputCode::PadButton(PAD_Y));
  set(PAUSE, InputCode::Key(SDLK_z), none, InputCode::PadButton(PAD_START));
  set(SCREENSHOT, InputCode::Key(SDLK_F12), none, none);
  set(TO_TITLE, InputCode::Key(SDLK_ESCAPE), none, InputCode::PadButton(PAD_BACK));
  return b;
}

std::vector<int> Bindings::ActionsOf(const InputCode& code) const {
  std::vector<int> actions;
  if (code.IsNone()) return actions;
  for (int a = 0; a < Control::ACTION_COUNT; ++a) {
    for (const InputCode& bound : inputs[a]) {
      if (bound == code) {
        actions.push_back(a);
        break;
      }
    }
  }
  return actions;
}

void Bindings::Bind(int action, int slot, const InputCode& code, int* swappedAction) {
  *swappedAction = -1;
  InputCode& target = inputs[action][slot];
  if (!code.IsNone()) {
    for (int a = 0; a < Control::ACTION_COUNT; ++a) {
      for (InputCode& bound : inputs[a]) {
        if (&bound == &target || bound != code) continue;
        bound = target;
        *swappedAction = a;
      }
    }
  }
  target = code;
}

bool Bindings::operator==(const Bindings& other) const {
  for (int a = 0; a < Control::ACTION_COUNT; ++a) {
    for (int s = 0; s < Control::SLOT_COUNT; ++s) {
      if (inputs[a][s] != other.inputs[a][s]) return false;
    }
  }
  return true;
}
