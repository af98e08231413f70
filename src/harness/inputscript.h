// Scripted input (--input FILE): SDL events delivered at given frames, and screenshots.
#pragma once

#include <SDL/SDL.h>

#include <string>
#include <utility>
#include <vector>

#include "common/screenframe.h"
#include "harness/scriptevent.h"

class InputScript {
 public:
  // Input events one frame of a script may hold: they are all queued at the frame's start, and
  // SDL 1.2's event queue holds 127, some of which SDL itself needs (window and pointer events).
  static constexpr int MAX_FRAME_EVENTS = 100;

  // A demo's control settings, in the order of its header: (NAME, VALUE) pairs.
  using Settings = std::vector<std::pair<std::string, std::string>>;

  // Parses a script text: one event a line, "FRAME EVENT ARGS...", blank lines and '#' comments
  // allowed; FRAME is 1 or more. Pad events are of pad 0: "joyaxis AXIS VALUE" (AXIS 0-15, VALUE
  // -32768 to 32767), "joybutton down|up B" (B 0-31), "joyhat X Y" (hat 0; X -1 left, 0, 1 right;
  // Y -1 up, 0, 1 down). Events are kept in frame order (lines of the same frame in
  // file order). Returns 0, or -1 with `error` naming the line number and the fault (also for
  // more than MAX_FRAME_EVENTS input events in one frame: the line of the first one too many).
  int Parse(const std::string& text, std::string* error);
  // Reads and parses a file. Returns 0, or -1 with `error` set.
  int Load(const char* path, std::string* error);

  // The events of `frame`, in order (frames must be asked in increasing order).
  std::vector<ScriptEvent> TakeFrame(long frame);

  // All events (for tests).
  const std::vector<ScriptEvent>& Events() const { return events_; }

  // The SDL event for an input line (not for QUIT-less kinds SCREENSHOT) in the window `layout`
  // describes: a click's frame position becomes the window pixel showing it, a motion's absolute
  // position is the window centre plus its motion. Pad events are of pad (`which`) 0; a hat's X Y
  // become its SDL_HAT_* mask.
  static SDL_Event ToSDLEvent(const ScriptEvent& event, const ScreenFrame::Layout& layout);

  // The script event of an SDL input event received at `frame`, for recording. False for events
  // that are no input (window events) and for the motions the game skips as the pointer being put
  // back to the centre of the window (at the centre, or x equal to its motion). Clicks are recorded
  // in frame pixels, so a demo plays the same in any window.
  // Pad events of any pad are recorded as pad 0 (the game uses one); false for pad axes above 15,
  // buttons above 31, hats other than hat 0 and trackballs, which a script cannot hold.
  static bool FromSDLEvent(const SDL_Event& e, long frame, const ScreenFrame::Layout& layout,
                           ScriptEvent* event);

  // The key of a name ("a".."z", "0".."9", "escape", "space", "return", "tab", "backspace",
  // "up", "down", "left", "right", "f1".."f12", "lshift", "rshift", "lctrl", "rctrl", "lalt",
  // "ralt", or "keyN" for any other SDL key number N, 1 to SDLK_LAST - 1); SDLK_UNKNOWN for any
  // other.
  static SDLKey KeyByName(const std::string& name);
  // The name of a key, the inverse of KeyByName ("keyN" for keys without a name).
  static std::string KeyName(SDLKey key);

  // One script line for an event, without its end of line ("12 keydown w"); the inverse of a
  // parsed line.
  static std::string FormatEvent(const ScriptEvent& event);
  // The header of a demo recorded with `seed` and the player's control settings: the first line
  // "# quorl demo 2 seed N", then one line "# set NAME = VALUE" a setting (NAME of letters,
  // digits and '_'; VALUE without line ends, neither starting nor ending with blanks), lines
  // joined with '\n', no final line end.
  static std::string DemoHeader(unsigned int seed, const Settings& settings);

  // A script whose first line is a demo header ("# quorl demo VERSION seed N", VERSION 1 or 2); a
  // first line that starts "# quorl demo" but is malformed or of another version is refused by
  // Parse. In a version 2 demo the "# set NAME = VALUE" lines right after the first line are its
  // settings (VALUE trimmed, may hold blanks); one without '=' or with a malformed NAME is refused.
  // Elsewhere, and in version 1 demos and plain scripts, such a line is a comment.
  bool IsDemo() const { return demo_; }
  unsigned int DemoSeed() const { return demoSeed_; }
  // 1 or 2 for a demo, 0 for a plain script.
  int DemoVersion() const { return demoVersion_; }
  // The settings of a version 2 demo, in file order (none for version 1 and plain scripts).
  const Settings& DemoSettings() const { return demoSettings_; }
  // The frame of the last event, 0 for an empty script.
  long LastFrame() const { return events_.empty() ? 0 : events_.back().frame; }

 private:
  std::vector<ScriptEvent> events_;
  size_t next_ = 0;
  bool demo_ = false;
  unsigned int demoSeed_ = 0;
  int demoVersion_ = 0;
  Settings demoSettings_;
};
