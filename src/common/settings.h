// The player's settings: every default is the game as designed. The controls part changes how
// input turns into play, so a demo carries it; the rest changes only what is seen and heard.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "common/bindings.h"

// The settings that decide what an input does in play.
struct ControlSettings {
  double mouseSensitivity = 1.0;  // 0.1..10: multiplies the 0.1 degrees of turn per pixel
  bool invertMouse = false;       // moving the mouse forward looks down
  int padDeadZone = 25;           // 5..90: percent of a stick's travel that does nothing
  double padLookSpeed = 3.0;      // 0.5..20: degrees a frame of turn with the look stick pushed fully
  double padLookCurve = 2.0;      // 1..4: the look stick's response, 1 linear, higher finer near the centre
  bool padInvert = false;         // pushing the look stick forward looks down
  int padWalkXAxis = 0;           // 0..15: the axes of the walking stick (left stick) ...
  int padWalkYAxis = 1;
  int padLookXAxis = 3;           // ... and of the looking stick (right stick)
  int padLookYAxis = 4;
  bool holdToFire = false;        // holding the fire input fires at the gun's own rate
  Bindings bindings = Bindings::Defaults();
};

struct Settings {
  ControlSettings controls;
  int musicVolume = 100;         // 0..100: percent of the loudness the game asks for
  int soundVolume = 100;         // 0..100: the same for the sound effects
  int damageFlash = 100;         // 0..100: percent of the red flash's strength when hit (0: a still mark)
  int whiteFlash = 100;          // 0..100: the same for the white flash at the last boss's end
  bool colourSafe = false;       // the life bar (and the rounds) in colours every eye tells apart
  double fieldOfView = 1.0;      // 0.8..1.5: the 3D view's angle as a factor of the designed 60 degrees
  bool visibleSounds = false;    // unseen enemies' attacks marked at the screen's edge, effects captioned
  bool fullscreen = false;       // full screen at the desktop's own resolution (no mode switch)
  int windowWidth = 800;         // 800..7680 x 600..4320: the window's size when not full-screen
  int windowHeight = 600;
  int render = 0;                // a larger screen: 0 sharp (3D at its resolution), 1 classic (800 x 600 scaled)
  bool linearScaling = true;     // scaled pictures filtered (on) or in blocks of whole pixels (off)
  bool vsync = false;            // swap with vertical synchronisation, no sleeping in the loop
  int pad = 0;                   // -1 none, 0..15: which of the pads found at start is used
  int timer = 0;                 // the run timer on the status board: 0 off, 1 the floor's time, 2 the game's
  long long seed = -1;           // -1 none, 0..4294967295: every new game is built from this seed
  bool daily = false;            // new games are the day's dungeon (seed from the date), with their own records
};

// The values of the timer setting.
namespace TimerSetting {
const int OFF = 0, FLOOR = 1, RUN = 2;
}

namespace SettingNames {

// One setting of the config file: its name and the comment of its values.
struct Row {
  std::string name;   // "mouse_sensitivity", "fire_pad"
  std::string about;  // "mouse turn factor, 0.1 to 10 (1: 0.1 degrees a pixel)"
  bool control;       // part of ControlSettings (a demo carries it)
};

// Every setting, in the config file's order.
const std::vector<Row>& Rows();

// Sets the named setting from its text. Returns 0; -1 when no setting has that name; -2 when the
// value is not allowed (`error` then says what is, e.g. "a factor from 0.1 to 10").
int Set(Settings* settings, const std::string& name, const std::string& value, std::string* error);
// The text of a setting's value as the config file writes it (empty for an unknown name).
std::string Get(const Settings& settings, const std::string& name);

// The control settings as name and value pairs (what a demo's header carries).
std::vector<std::pair<std::string, std::string>> ControlPairs(const ControlSettings& controls);

}  // namespace SettingNames
