// The table of settings: names, allowed values, reading and writing their text.
#include "common/settings.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "common/textvalue.h"

namespace {

// How one setting reads and writes its text.
struct Entry {
  SettingNames::Row row;
  std::function<bool(Settings*, const std::string&)> set;  // false: the value is not allowed
  std::function<std::string(const Settings&)> get;
  std::string allowed;  // what the value may be, for the warning
};

using TextValue::Lower;

bool ParseWhole(const std::string& text, int low, int high, int* value) { return TextValue::Whole(text, low, high, value); }

bool ParseFraction(const std::string& text, double low, double high, double* value) {
  return TextValue::Decimal(text, low, high, value);
}

bool ParseFlag(const std::string& text, bool* value) {
  const std::string t = Lower(text);
  if (t == "on" || t == "yes" || t == "true" || t == "1") {
    *value = true;
  } else if (t == "off" || t == "no" || t == "false" || t == "0") {
    *value = false;
  } else {
    return false;
  }
  return true;
}

// The shortest text that reads back as exactly `value` (a demo's header must replay bit for bit).
std::string FormatFraction(double value) {
  char text[40];
  for (int digits = 6; digits <= 17; ++digits) {
    snprintf(text, sizeof text, "%.*g", digits, value);
    if (strtod(text, nullptr) == value) break;
  }
  return text;
}

template <typename Field>
using Access = std::function<Field&(Settings&)>;

Entry Fraction(const char* name, const char* about, bool control, double low, double high, Access<double> at) {
  const std::string allowed = "a number from " + FormatFraction(low) + " to " + FormatFraction(high);
  return {{name, about, control},
          [=](Settings* s, const std::string& v) { return ParseFraction(v, low, high, &at(*s)); },
          [=](const Settings& s) { return FormatFraction(at(const_cast<Settings&>(s))); },
          allowed};
}

Entry Whole(const char* name, const char* about, bool control, int low, int high, Access<int> at) {
  const std::string allowed = "a whole number from " + std::to_string(low) + " to " + std::to_string(high);
  return {{name, about, control},
          [=](Settings* s, const std::string& v) { return ParseWhole(v, low, high, &at(*s)); },
          [=](const Settings& s) { return std::to_string(at(const_cast<Settings&>(s))); },
          allowed};
}

Entry Flag(const char* name, const char* about, bool control, Access<bool> at) {
  return {{name, about, control},
          [=](Settings* s, const std::string& v) { return ParseFlag(v, &at(*s)); },
          [=](const Settings& s) { return std::string(at(const_cast<Settings&>(s)) ? "on" : "off"); },
          "on or off"};
}

// One of a few words; the value is the word's place in `words`.
Entry Choice(const char* name, const char* about, std::vector<std::string> words, Access<int> at) {
  std::string allowed;  // "off, floor or run"
  for (size_t i = 0; i < words.size(); ++i) {
    allowed += (i == 0 ? "" : i + 1 == words.size() ? " or " : ", ") + words[i];
  }
  return {{name, about, false},
          [=](Settings* s, const std::string& v) {
            for (size_t i = 0; i < words.size(); ++i) {
              if (Lower(v) != words[i]) continue;
              at(*s) = static_cast<int>(i);
              return true;
            }
            return false;
          },
          [=](const Settings& s) { return words.at(static_cast<size_t>(at(const_cast<Settings&>(s)))); },
          allowed};
}

Entry WindowSize() {
  return {{"window_size", "the window's size in pixels when not full-screen, 800x600 to 7680x4320", false},
          [](Settings* s, const std::string& v) {
            const size_t x = Lower(v).find('x');
            if (x == std::string::npos) return false;
            int w = 0, h = 0;
            if (!ParseWhole(v.substr(0, x), 800, 7680, &w) || !ParseWhole(v.substr(x + 1), 600, 4320, &h)) return false;
            s->windowWidth = w, s->windowHeight = h;
            return true;
          },
          [](const Settings& s) { return std::to_string(s.windowWidth) + "x" + std::to_string(s.windowHeight); },
          "a width from 800 to 7680, x, and a height from 600 to 4320 (1600x1200)"};
}

Entry PadIndex() {
  return {{"pad", "which pad found at start is used: 0 the first, up to 15; none for no pad", false},
          [](Settings* s, const std::string& v) {
            if (Lower(v) == "none") {
              s->pad = -1;
              return true;
            }
            return ParseWhole(v, 0, 15, &s->pad);
          },
          [](const Settings& s) { return s.pad < 0 ? std::string("none") : std::to_string(s.pad); },
          "none or a whole number from 0 to 15"};
}

Entry Input(int action, int slot) {
  static const char* const kSuffix[Control::SLOT_COUNT] = {"", "_alt", "_pad"};
  const std::string name = std::string(Control::ConfigName(action)) + kSuffix[slot];
  const bool pad = slot == Control::PAD;
  static const char* const kAbout[Control::SLOT_COUNT] = {
      ": a key or mouse button", ", second key or mouse button", " on the pad"};
  return {{name, std::string(Control::ScreenName(action)) + kAbout[slot] + ", or none", true},
          [=](Settings* s, const std::string& v) {
            InputCode code;
            if (!InputNames::Parse(v, &code)) return false;
            if (!code.IsNone() && code.IsPad() != pad) return false;
            s->controls.bindings.inputs[action][slot] = code;
            return true;
          },
          [=](const Settings& s) { return InputNames::Name(s.controls.bindings.inputs[action][slot]); },
          pad ? "a pad input (pad button 0..31, pad axis 0..15 with + or -, pad hat up/down/left/right) or none"
              : "a key name, mouse 1 to mouse 8, or none"};
}

Entry Seed() {
  return {{"seed", "every new game is built from this seed, 0 to 4294967295; none for a new dungeon each game", false},
          [](Settings* s, const std::string& v) {
            if (Lower(v) == "none") {
              s->seed = -1;
              return true;
            }
            return TextValue::Whole(v, 0LL, 4294967295LL, &s->seed);
          },
          [](const Settings& s) { return s.seed < 0 ? std::string("none") : std::to_string(s.seed); },
          "none or a whole number from 0 to 4294967295"};
}

std::vector<Entry> MakeEntries() {
  std::vector<Entry> e = {
      Fraction("mouse_sensitivity", "mouse turn factor, 0.1 to 10 (1: 0.1 degrees a pixel)", true, 0.1, 10,
               [](Settings& s) -> double& { return s.controls.mouseSensitivity; }),
      Flag("invert_mouse", "on: moving the mouse forward looks down; on or off", true,
           [](Settings& s) -> bool& { return s.controls.invertMouse; }),
      Whole("music_volume", "music loudness in percent, 0 to 100", false, 0, 100,
            [](Settings& s) -> int& { return s.musicVolume; }),
      Whole("sound_volume", "sound effect loudness in percent, 0 to 100", false, 0, 100,
            [](Settings& s) -> int& { return s.soundVolume; }),
      Whole("damage_flash", "strength of the red flash when hit in percent, 0 to 100 (0: a still mark at the edges)",
            false, 0, 100, [](Settings& s) -> int& { return s.damageFlash; }),
      Whole("white_flash", "strength of the white flash at the last boss's end in percent, 0 to 100", false, 0, 100,
            [](Settings& s) -> int& { return s.whiteFlash; }),
      Flag("colour_safe", "on: the life bar and the rounds in colours told apart without red and green; on or off",
           false, [](Settings& s) -> bool& { return s.colourSafe; }),
      Fraction("field_of_view", "the view's angle as a factor of the designed 60 degrees, 0.8 to 1.5", false, 0.8, 1.5,
               [](Settings& s) -> double& { return s.fieldOfView; }),
      Flag("hold_to_fire", "on: holding the fire input fires at the gun's own rate; on or off", true,
           [](Settings& s) -> bool& { return s.controls.holdToFire; }),
      Flag("visible_sounds", "on: unseen enemies' attacks marked at the screen's edge, effects captioned; on or off",
           false, [](Settings& s) -> bool& { return s.visibleSounds; }),
      Choice("timer", "the run timer on the status board: off, floor (the floor's time) or run (the game's)",
             {"off", "floor", "run"}, [](Settings& s) -> int& { return s.timer; }),
      Seed(),
      Flag("daily", "on: a new game is the day's dungeon (its seed from the date), with records of its own; on or off",
           false, [](Settings& s) -> bool& { return s.daily; }),
      Flag("fullscreen", "full screen at the desktop's resolution (Alt+Enter switches); on or off", false,
           [](Settings& s) -> bool& { return s.fullscreen; }),
      WindowSize(),
      Choice("render",
             "a screen larger than 800x600: sharp (the 3D view at its resolution) or classic (the 800x600 picture "
             "scaled)",
             {"sharp", "classic"}, [](Settings& s) -> int& { return s.render; }),
      Flag("smooth_scaling", "on: scaled pictures filtered; off: in blocks of whole pixels; on or off", false,
           [](Settings& s) -> bool& { return s.linearScaling; }),
      Flag("vsync", "vertical synchronisation (from the next start); on or off", false,
           [](Settings& s) -> bool& { return s.vsync; }),
      PadIndex(),
      Whole("pad_dead_zone", "percent of a stick's travel that does nothing, 5 to 90", true, 5, 90,
            [](Settings& s) -> int& { return s.controls.padDeadZone; }),
      Fraction("pad_look_speed", "degrees a frame the look stick turns when pushed fully, 0.5 to 20", true, 0.5, 20,
               [](Settings& s) -> double& { return s.controls.padLookSpeed; }),
      Fraction("pad_look_curve", "look stick response, 1 (linear) to 4 (finest near the centre)", true, 1, 4,
               [](Settings& s) -> double& { return s.controls.padLookCurve; }),
      Flag("pad_invert", "on: pushing the look stick forward looks down; on or off", true,
           [](Settings& s) -> bool& { return s.controls.padInvert; }),
      Whole("pad_walk_x_axis", "the walking stick's left-right axis, 0 to 15", true, 0, 15,
            [](Settings& s) -> int& { return s.controls.padWalkXAxis; }),
      Whole("pad_walk_y_axis", "the walking stick's forward-back axis, 0 to 15", true, 0, 15,
            [](Settings& s) -> int& { return s.controls.padWalkYAxis; }),
      Whole("pad_look_x_axis", "the look stick's left-right axis, 0 to 15", true, 0, 15,
            [](Settings& s) -> int& { return s.controls.padLookXAxis; }),
      Whole("pad_look_y_axis", "the look stick's up-down axis, 0 to 15", true, 0, 15,
            [](Settings& s) -> int& { return s.controls.padLookYAxis; }),
  };
  for (int a = 0; a < Control::ACTION_COUNT; ++a) {
    for (int slot = 0; slot < Control::SLOT_COUNT; ++slot) e.push_back(Input(a, slot));
  }
  return e;
}

const std::vector<Entry>& Entries() {
  static const std::vector<Entry> entries = MakeEntries();
  return entries;
}

const Entry* Find(const std::string& name) {
  for (const Entry& e : Entries()) {
    if (e.row.name == name) return &e;
  }
  return nullptr;
}

}  // namespace

namespace SettingNames {

const std::vector<Row>& Rows() {
  static const std::vector<Row> rows = [] {
    std::vector<Row> r;
    for (const Entry& e : Entries()) r.push_back(e.row);
    return r;
  }();
  return rows;
}

int Set(Settings* settings, const std::string& name, const std::string& value, std::string* error) {
  const Entry* entry = Find(name);
  if (entry == nullptr) {
    *error = "no setting is named '" + name + "'";
    return -1;
  }
  Settings changed = *settings;  // a refused value leaves the setting as it was
  if (!entry->set(&changed, value)) {
    *error = name + " needs " + entry->allowed + ", not '" + value + "'";
    return -2;
  }
  *settings = changed;
  return 0;
}

std::string Get(const Settings& settings, const std::string& name) {
  const Entry* entry = Find(name);
  return entry == nullptr ? std::string() : entry->get(settings);
}

std::vector<std::pair<std::string, std::string>> ControlPairs(const ControlSettings& controls) {
  Settings settings;
  settings.controls = controls;
  std::vector<std::pair<std::string, std::string>> pairs;
  for (const Entry& e : Entries()) {
    if (e.row.control) pairs.emplace_back(e.row.name, e.get(settings));
  }
  return pairs;
}

}  // namespace SettingNames
