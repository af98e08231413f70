// The player's input turned into the game's actions: keys, mouse buttons and pad inputs by their
// bindings, the walking stick into the four walking actions, the look stick into a turn a frame.
#pragma once

#include <SDL/SDL.h>

#include <vector>

#include "common/settings.h"

class Controls {
 public:
  // One action starting (down) or ending (up).
  struct Change {
    int action;  // Control::Action
    bool down;
  };

  // Takes the settings and forgets the sticks, the hat and the triggers (centred, released).
  void Set(const ControlSettings& settings);
  const ControlSettings& Settings() const { return settings_; }

  // The actions `event` starts or ends, appended to `changes` in action order. A pad axis counts as
  // pushed (its "+" or "-" input) beyond half its travel; the walking stick walks beyond the dead
  // zone. Events that are no input append nothing.
  void Translate(const SDL_Event& event, std::vector<Change>* changes);

  // The look stick's turn for one frame in degrees: `*yaw` to the right, `*pitch` down (a stick
  // pushed forward looks up unless inverted); zero within the dead zone, then
  // speed x ((travel - dead zone) / (1 - dead zone)) ^ curve.
  void LookTurn(float* yaw, float* pitch) const;

  static const int AXIS_PUSHED = 16384;  // travel beyond which an axis counts as a pushed input

 private:
  // Appends the change of one input that went from `was` to `now` pressed.
  void Edge(const InputCode& code, bool was, bool now, std::vector<Change>* changes) const;
  void AxisMoved(int axis, int value, std::vector<Change>* changes);
  // The stick travel beyond which it counts, in axis units.
  int DeadZone() const { return settings_.padDeadZone * 32767 / 100; }

  ControlSettings settings_;
  int axes_[InputNames::PAD_AXES] = {};
  int hat_ = SDL_HAT_CENTERED;
};
