// One event of scripted input: a key, a button, a mouse motion, a close request or a screenshot at a frame.
#pragma once

#include <SDL/SDL.h>

#include <string>

struct ScriptEvent {
  enum Kind { KEY_DOWN, KEY_UP, MOUSE_DOWN, MOUSE_UP, MOUSE_MOTION, QUIT, SCREENSHOT };
  long frame = 0;         // loop pass at whose start it is delivered (1 = the first scene frame)
  Kind kind = QUIT;
  SDLKey key = SDLK_UNKNOWN;  // KEY_DOWN, KEY_UP
  int button = 0;         // MOUSE_DOWN, MOUSE_UP: 1 left, 2 middle, 3 right, 4/5 wheel
  int x = 0, y = 0;       // MOUSE_DOWN, MOUSE_UP: window position; MOUSE_MOTION: relative motion
  std::string path;       // SCREENSHOT: PNG file to write
  int line = 0;           // line number in the script
};
