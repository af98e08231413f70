// The commands of the menus (title, options screen, ending) from the keyboard and the pad: the
// arrows, Return and Escape; the pad's hat and left stick, A or Start to choose, B to go back.
#pragma once

#include <SDL/SDL.h>

namespace Menu {

enum Command { NONE, UP, DOWN, LEFT, RIGHT, ACCEPT, BACK, CLEAR };

// Pad buttons of the common layout under Linux.
const int PAD_A = 0, PAD_B = 1, PAD_Y = 3, PAD_START = 7;

}  // namespace Menu

class MenuInput {
 public:
  // The command of one event: arrows, Return or the keypad's Enter (ACCEPT), Escape (BACK),
  // Backspace or Delete (CLEAR); the pad's hat and its first two axes (the left stick) pushed
  // past half their travel; pad buttons A and Start (ACCEPT), B (BACK). NONE for anything else.
  Menu::Command Translate(const SDL_Event& event);
  // Forgets the stick (centred) and the hat.
  void Reset() { stickX_ = stickY_ = 0, hat_ = SDL_HAT_CENTERED; }

 private:
  int stickX_ = 0, stickY_ = 0;  // -1, 0, 1: the left stick's pushed direction on each axis
  int hat_ = SDL_HAT_CENTERED;
};
