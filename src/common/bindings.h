// The player's actions in play and the inputs bound to each: up to two keys or mouse buttons and
// one pad input an action.
#pragma once

#include <string>
#include <vector>

#include "common/inputcode.h"

namespace Control {

// The actions of the game scene. The order is the options screen's.
enum Action {
  FORWARD,
  BACK,
  STRAFE_LEFT,
  STRAFE_RIGHT,
  FIRE,
  RELOAD,
  SWITCH_ROUNDS,
  PAUSE,
  SCREENSHOT,
  TO_TITLE,
  ACTION_COUNT
};

// The name of an action in the config file ("walk_forward") and on the options screen
// ("WALK FORWARD").
const char* ConfigName(int action);
const char* ScreenName(int action);

// The input slots of an action: two for keys or mouse buttons, one for the pad.
enum Slot { FIRST, SECOND, PAD, SLOT_COUNT };

}  // namespace Control

struct Bindings {
  InputCode inputs[Control::ACTION_COUNT][Control::SLOT_COUNT];

  // The game as designed: w s a d, the left button fires, r and the right button reload, f switches
  // rounds, z pauses, F12 saves a screenshot, Escape leaves for the title; on the pad the right
  // trigger fires, the hat walks, X reloads, Y switches, Start pauses and Back leaves.
  static Bindings Defaults();

  // Every action `code` is bound to, in action order (an input may serve several actions only
  // when the config file binds it so).
  std::vector<int> ActionsOf(const InputCode& code) const;
  // Binds `code` to `action`'s `slot`. When another slot holds `code` already, that slot gets the
  // input `action`'s slot had before (a swap), and `*swappedAction` names its action (else -1).
  void Bind(int action, int slot, const InputCode& code, int* swappedAction);

  bool operator==(const Bindings& other) const;
  bool operator!=(const Bindings& other) const { return !(*this == other); }
};
