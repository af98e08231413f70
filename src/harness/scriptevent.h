// One event of scripted input: a key, a button, a mouse motion, a pad input, a close request or a screenshot at a frame.
#pragma once

#include <SDL/SDL.h>

#include <string>

struct ScriptEvent {
  enum Kind {
    KEY_DOWN, KEY_UP, MOUSE_DOWN, MOUSE_UP, MOUSE_MOTION, QUIT, SCREENSHOT,
    PAD_AXIS, PAD_BUTTON_DOWN, PAD_BUTTON_UP, PAD_HAT,  // always pad 0 (the game uses one pad)
  };
  long frame = 0;         // loop pass at whose start it is delivered (1 = the first scene frame)
  Kind kind = QUIT;
  SDLKey key = SDLK_UNKNOWN;  // KEY_DOWN, KEY_UP
  int button = 0;         // MOUSE_DOWN, MOUSE_UP: 1 left, 2 middle, 3 right, 4/5 wheel;
                          // PAD_BUTTON_DOWN, PAD_BUTTON_UP: pad button 0 to 31
  int x = 0, y = 0;       // MOUSE_DOWN, MOUSE_UP: window position; MOUSE_MOTION: relative motion;
                          // PAD_HAT (hat 0): x -1 left, 0 centre, 1 right; y -1 up, 0 centre, 1 down
  int axis = 0;           // PAD_AXIS: axis 0 to 15
  int value = 0;          // PAD_AXIS: position -32768 to 32767 (0 centre)
  std::string path;       // SCREENSHOT: PNG file to write
  int line = 0;           // line number in the script
};
