// Scripted input (--input FILE): SDL events delivered at given frames, and screenshots.
#pragma once

#include <SDL/SDL.h>

#include <string>
#include <vector>

// One line of a script.
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

class InputScript {
 public:
  // Parses a script text: one event a line, "FRAME EVENT ARGS...", blank lines and '#' comments
  // allowed; FRAME is 1 or more. Events are kept in frame order (lines of the same frame in
  // file order). Returns 0, or -1 with `error` naming the line number and the fault.
  int Parse(const std::string& text, std::string* error);
  // Reads and parses a file. Returns 0, or -1 with `error` set.
  int Load(const char* path, std::string* error);

  // The events of `frame`, in order (frames must be asked in increasing order).
  std::vector<ScriptEvent> TakeFrame(long frame);

  // All events (for tests).
  const std::vector<ScriptEvent>& Events() const { return events_; }

  // The SDL event for an input line (not for QUIT-less kinds SCREENSHOT); the window is
  // width x height, a motion's absolute position is the window centre plus its motion.
  static SDL_Event ToSDLEvent(const ScriptEvent& event, int width, int height);

  // The key of a name ("a".."z", "0".."9", "escape", "space", "return", "tab", "backspace",
  // "up", "down", "left", "right", "f1".."f12", "lshift", "rshift", "lctrl", "rctrl", "lalt",
  // "ralt"); SDLK_UNKNOWN for any other.
  static SDLKey KeyByName(const std::string& name);

 private:
  std::vector<ScriptEvent> events_;
  size_t next_ = 0;
};
