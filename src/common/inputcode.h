// One input a player can bind to an action: a key, a mouse button, or a gamepad's button, axis
// direction or hat direction; with the names the config file and the options screen use.
#pragma once

#include <SDL/SDL.h>

#include <string>

struct InputCode {
  enum Kind : unsigned char {
    NONE,        // nothing bound
    KEY,         // number: an SDLKey (1 .. SDLK_LAST - 1)
    MOUSE,       // number: a mouse button, 1 left, 2 middle, 3 right, 4/5 wheel, up to 8
    PAD_BUTTON,  // number: a pad button, 0 .. 31
    PAD_AXIS_MINUS,  // number: a pad axis 0 .. 15, pushed towards its negative end
    PAD_AXIS_PLUS,   // number: a pad axis 0 .. 15, pushed towards its positive end (a trigger)
    PAD_HAT,     // number: one direction bit of the pad's first hat (SDL_HAT_UP, _RIGHT, _DOWN, _LEFT)
  };
  Kind kind = NONE;
  int number = 0;

  static InputCode Key(SDLKey key) { return {KEY, static_cast<int>(key)}; }
  static InputCode Mouse(int button) { return {MOUSE, button}; }
  static InputCode PadButton(int button) { return {PAD_BUTTON, button}; }
  static InputCode PadAxis(int axis, bool plus) { return {plus ? PAD_AXIS_PLUS : PAD_AXIS_MINUS, axis}; }
  static InputCode PadHat(int direction) { return {PAD_HAT, direction}; }

  bool IsNone() const { return kind == NONE; }
  bool IsPad() const { return kind >= PAD_BUTTON; }
  bool operator==(const InputCode& other) const { return kind == other.kind && number == other.number; }
  bool operator!=(const InputCode& other) const { return !(*this == other); }
};

namespace InputNames {

const int PAD_AXES = 16;     // axes a binding may name, 0..15
const int PAD_BUTTONS = 32;  // buttons a binding may name, 0..31
const int MOUSE_BUTTONS = 8; // mouse buttons, 1..8

// The name of an input: SDL's key names ("w", "left shift", "[1]", "key 300" for a key without a
// name), "mouse 1", "pad button 0", "pad axis 5+", "pad axis 1-", "pad hat up", "none".
std::string Name(const InputCode& code);
// The input of a name (the inverse of Name; case is ignored, so is the "pad " prefix of the pad's
// inputs). False for any other text.
bool Parse(const std::string& name, InputCode* code);

}  // namespace InputNames
