// Parsing and delivery of scripted input.
#include "harness/inputscript.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "common/textvalue.h"

namespace {

struct NamedKey {
  const char* name;
  SDLKey key;
};

const NamedKey kNamedKeys[] = {
    {"escape", SDLK_ESCAPE}, {"space", SDLK_SPACE},   {"return", SDLK_RETURN},
    {"tab", SDLK_TAB},       {"backspace", SDLK_BACKSPACE}, {"up", SDLK_UP},
    {"down", SDLK_DOWN},     {"left", SDLK_LEFT},     {"right", SDLK_RIGHT},
    {"lshift", SDLK_LSHIFT}, {"rshift", SDLK_RSHIFT}, {"lctrl", SDLK_LCTRL},
    {"rctrl", SDLK_RCTRL},   {"lalt", SDLK_LALT},     {"ralt", SDLK_RALT},
};

bool ParseInt(const std::string& text, long low, long high, long* value) {
  long long v = 0;
  if (!TextValue::Whole(text, static_cast<long long>(low), static_cast<long long>(high), &v)) return false;
  *value = static_cast<long>(v);
  return true;
}

// Parses the arguments of one event kind into `event`; returns an empty string or the fault.
std::string ParseArguments(const std::string& kind, const std::vector<std::string>& args,
                           ScriptEvent* event) {
  auto count = [&](size_t n) { return args.size() == n; };
  long a = 0, b = 0, c = 0;
  if (kind == "keydown" || kind == "keyup") {
    if (!count(1)) return kind + " needs one key name";
    event->kind = kind == "keydown" ? ScriptEvent::KEY_DOWN : ScriptEvent::KEY_UP;
    event->key = InputScript::KeyByName(args[0]);
    if (event->key == SDLK_UNKNOWN) return "unknown key '" + args[0] + "'";
  } else if (kind == "mousedown" || kind == "mouseup") {
    if (!count(3) || !ParseInt(args[0], 1, 5, &a) || !ParseInt(args[1], 0, 65535, &b) ||
        !ParseInt(args[2], 0, 65535, &c)) {
      return kind + " needs BUTTON (1-5) X Y";
    }
    event->kind = kind == "mousedown" ? ScriptEvent::MOUSE_DOWN : ScriptEvent::MOUSE_UP;
    event->button = static_cast<int>(a);
    event->x = static_cast<int>(b);
    event->y = static_cast<int>(c);
  } else if (kind == "mousemotion") {
    if (!count(2) || !ParseInt(args[0], -32768, 32767, &a) || !ParseInt(args[1], -32768, 32767, &b)) {
      return "mousemotion needs DX DY";
    }
    event->kind = ScriptEvent::MOUSE_MOTION;
    event->x = static_cast<int>(a);
    event->y = static_cast<int>(b);
  } else if (kind == "joyaxis") {
    if (!count(2) || !ParseInt(args[0], 0, 15, &a) || !ParseInt(args[1], -32768, 32767, &b)) {
      return "joyaxis needs AXIS (0-15) VALUE (-32768 to 32767)";
    }
    event->kind = ScriptEvent::PAD_AXIS;
    event->axis = static_cast<int>(a);
    event->value = static_cast<int>(b);
  } else if (kind == "joybutton") {
    if (!count(2) || (args[0] != "down" && args[0] != "up") || !ParseInt(args[1], 0, 31, &a)) {
      return "joybutton needs down|up BUTTON (0-31)";
    }
    event->kind = args[0] == "down" ? ScriptEvent::PAD_BUTTON_DOWN : ScriptEvent::PAD_BUTTON_UP;
    event->button = static_cast<int>(a);
  } else if (kind == "joyhat") {
    if (!count(2) || !ParseInt(args[0], -1, 1, &a) || !ParseInt(args[1], -1, 1, &b)) {
      return "joyhat needs X (-1 left, 0, 1 right) Y (-1 up, 0, 1 down)";
    }
    event->kind = ScriptEvent::PAD_HAT;
    event->x = static_cast<int>(a);
    event->y = static_cast<int>(b);
  } else if (kind == "quit") {
    if (!count(0)) return "quit takes no arguments";
    event->kind = ScriptEvent::QUIT;
  } else if (kind == "screenshot") {
    if (!count(1)) return "screenshot needs one file name";
    event->kind = ScriptEvent::SCREENSHOT;
    event->path = args[0];
  } else {
    return "unknown event '" + kind + "'";
  }
  return "";
}

// A demo's first line: "# quorl demo VERSION seed N"; versions 1 and 2 are known. Version 2 adds
// the control settings, "# set NAME = VALUE" lines right after the first.
const char* const DEMO_MARK = "# quorl demo";
const size_t DEMO_MARK_LENGTH = 12;
const long DEMO_VERSION = 2;
const char* const SETTING_MARK = "# set";
const size_t SETTING_MARK_LENGTH = 5;
const char* const BLANKS = " \t\r";

// Reads the version and seed of a demo header line; returns an empty string or the fault.
std::string ParseDemoHeader(const std::string& line, int* version, unsigned int* seed) {
  std::istringstream words(line);
  std::vector<std::string> fields;
  std::string word;
  while (words >> word) fields.push_back(word);
  long number = 0;
  // fields: "#" "quorl" "demo" VERSION "seed" N
  if (fields.size() < 4 || !ParseInt(fields[3], 0, 1000000000L, &number)) {
    return "malformed demo header, expected '# quorl demo 2 seed N'";
  }
  if (number < 1 || number > DEMO_VERSION) {
    return "unknown demo version " + fields[3] + " (this program plays versions 1 and 2)";
  }
  *version = static_cast<int>(number);
  long value = 0;
  if (fields.size() != 6 || fields[4] != "seed" || fields[5].size() > 10 || !ParseInt(fields[5], 0, 4294967295L, &value)) {
    return "malformed demo header, expected '# quorl demo " + fields[3] + " seed N'";
  }
  *seed = static_cast<unsigned int>(value);
  return "";
}

// A "# set" line: the mark, then a blank or the line's end ("# settle" is a plain comment).
bool IsSettingLine(const std::string& line) {
  return line.compare(0, SETTING_MARK_LENGTH, SETTING_MARK) == 0 &&
         (line.size() == SETTING_MARK_LENGTH || strchr(BLANKS, line[SETTING_MARK_LENGTH]) != nullptr);
}

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(BLANKS);
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(BLANKS) - first + 1);
}

// Reads "# set NAME = VALUE" into `setting`; returns an empty string or the fault.
std::string ParseSetting(const std::string& line, std::pair<std::string, std::string>* setting) {
  const size_t equals = line.find('=', SETTING_MARK_LENGTH);
  if (equals == std::string::npos) return "malformed setting, expected '# set NAME = VALUE'";
  const std::string name = Trimmed(line.substr(SETTING_MARK_LENGTH, equals - SETTING_MARK_LENGTH));
  if (name.empty()) return "setting without a name, expected '# set NAME = VALUE'";
  for (const char c : name) {
    if (!isalnum(static_cast<unsigned char>(c)) && c != '_') {
      return "setting name '" + name + "' may hold only letters, digits and '_'";
    }
  }
  *setting = {name, Trimmed(line.substr(equals + 1))};
  return "";
}

}  // namespace

SDLKey InputScript::KeyByName(const std::string& name) {
  if (name.size() == 1 && name[0] >= 'a' && name[0] <= 'z') return static_cast<SDLKey>(name[0]);
  if (name.size() == 1 && name[0] >= '0' && name[0] <= '9') return static_cast<SDLKey>(name[0]);
  for (const NamedKey& k : kNamedKeys) {
    if (name == k.name) return k.key;
  }
  long f = 0;
  if (name.size() >= 2 && name[0] == 'f' && ParseInt(name.substr(1), 1, 12, &f)) {
    return static_cast<SDLKey>(SDLK_F1 + f - 1);
  }
  if (name.size() > 3 && name.compare(0, 3, "key") == 0 && ParseInt(name.substr(3), 1, SDLK_LAST - 1, &f)) {
    return static_cast<SDLKey>(f);
  }
  return SDLK_UNKNOWN;
}

std::string InputScript::KeyName(SDLKey key) {
  if ((key >= 'a' && key <= 'z') || (key >= '0' && key <= '9')) return std::string(1, static_cast<char>(key));
  for (const NamedKey& k : kNamedKeys) {
    if (key == k.key) return k.name;
  }
  if (key >= SDLK_F1 && key <= SDLK_F12) return "f" + std::to_string(key - SDLK_F1 + 1);
  return "key" + std::to_string(static_cast<int>(key));
}

std::string InputScript::FormatEvent(const ScriptEvent& event) {
  std::string line = std::to_string(event.frame) + " ";
  switch (event.kind) {
    case ScriptEvent::KEY_DOWN:
    case ScriptEvent::KEY_UP:
      line += (event.kind == ScriptEvent::KEY_DOWN ? "keydown " : "keyup ") + KeyName(event.key);
      break;
    case ScriptEvent::MOUSE_DOWN:
    case ScriptEvent::MOUSE_UP:
      line += (event.kind == ScriptEvent::MOUSE_DOWN ? "mousedown " : "mouseup ") + std::to_string(event.button) +
              " " + std::to_string(event.x) + " " + std::to_string(event.y);
      break;
    case ScriptEvent::MOUSE_MOTION:
      line += "mousemotion " + std::to_string(event.x) + " " + std::to_string(event.y);
      break;
    case ScriptEvent::QUIT:
      line += "quit";
      break;
    case ScriptEvent::SCREENSHOT:
      line += "screenshot " + event.path;
      break;
    case ScriptEvent::PAD_AXIS:
      line += "joyaxis " + std::to_string(event.axis) + " " + std::to_string(event.value);
      break;
    case ScriptEvent::PAD_BUTTON_DOWN:
    case ScriptEvent::PAD_BUTTON_UP:
      line += (event.kind == ScriptEvent::PAD_BUTTON_DOWN ? "joybutton down " : "joybutton up ") +
              std::to_string(event.button);
      break;
    case ScriptEvent::PAD_HAT:
      line += "joyhat " + std::to_string(event.x) + " " + std::to_string(event.y);
      break;
  }
  return line;
}

std::string InputScript::DemoHeader(unsigned int seed, const Settings& settings) {
  std::string header = std::string(DEMO_MARK) + " " + std::to_string(DEMO_VERSION) + " seed " + std::to_string(seed);
  for (const auto& [name, value] : settings) {
    header += "\n" + std::string(SETTING_MARK) + " " + name + " =" + (value.empty() ? "" : " " + value);
  }
  return header;
}

int InputScript::Parse(const std::string& text, std::string* error) {
  events_.clear();
  next_ = 0;
  demo_ = false;
  demoSeed_ = 0;
  demoVersion_ = 0;
  demoSettings_.clear();
  std::istringstream lines(text);
  std::string line;
  int number = 0;
  bool inSettings = false;  // on the lines right after a version 2 header
  while (std::getline(lines, line)) {
    ++number;
    if (number == 1 && line.compare(0, DEMO_MARK_LENGTH, DEMO_MARK) == 0) {
      const std::string fault = ParseDemoHeader(line, &demoVersion_, &demoSeed_);
      if (!fault.empty()) {
        *error = "line 1: " + fault;
        demoSeed_ = 0;
        demoVersion_ = 0;
        return -1;
      }
      demo_ = true;
      inSettings = demoVersion_ >= 2;
      continue;
    }
    inSettings = inSettings && IsSettingLine(line);
    if (inSettings) {
      std::pair<std::string, std::string> setting;
      const std::string fault = ParseSetting(line, &setting);
      if (!fault.empty()) {
        *error = "line " + std::to_string(number) + ": " + fault;
        demo_ = false;
        demoSeed_ = 0;
        demoVersion_ = 0;
        demoSettings_.clear();
        return -1;
      }
      demoSettings_.push_back(setting);
      continue;
    }
    const size_t hash = line.find('#');
    if (hash != std::string::npos) line.erase(hash);
    std::istringstream words(line);
    std::vector<std::string> fields;
    std::string word;
    while (words >> word) fields.push_back(word);
    if (fields.empty()) continue;
    ScriptEvent event;
    event.line = number;
    std::string fault;
    if (fields.size() < 2) {
      fault = "expected FRAME EVENT ARGS...";
    } else if (!ParseInt(fields[0], 1, 1000000000L, &event.frame)) {
      // Pass 0 runs no scene and its events would be discarded at the switch to the title.
      fault = "FRAME must be 1 (the first scene frame) to 1000000000";
    } else {
      fault = ParseArguments(fields[1], std::vector<std::string>(fields.begin() + 2, fields.end()),
                             &event);
    }
    if (!fault.empty()) {
      *error = "line " + std::to_string(number) + ": " + fault;
      events_.clear();
      return -1;
    }
    events_.push_back(event);
  }
  std::stable_sort(events_.begin(), events_.end(),
                   [](const ScriptEvent& a, const ScriptEvent& b) { return a.frame < b.frame; });
  int inFrame = 0;
  for (size_t i = 0; i < events_.size(); ++i) {
    if (i > 0 && events_[i].frame != events_[i - 1].frame) inFrame = 0;
    if (events_[i].kind == ScriptEvent::SCREENSHOT || ++inFrame <= MAX_FRAME_EVENTS) continue;
    *error = "line " + std::to_string(events_[i].line) + ": more than " + std::to_string(MAX_FRAME_EVENTS) +
             " input events in frame " + std::to_string(events_[i].frame);
    events_.clear();
    return -1;
  }
  return 0;
}

int InputScript::Load(const char* path, std::string* error) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    *error = std::string("cannot read ") + path;
    return -1;
  }
  std::ostringstream text;
  text << file.rdbuf();
  if (Parse(text.str(), error) != 0) {
    *error = std::string(path) + ": " + *error;
    return -1;
  }
  return 0;
}

std::vector<ScriptEvent> InputScript::TakeFrame(long frame) {
  std::vector<ScriptEvent> taken;
  while (next_ < events_.size() && events_[next_].frame < frame) ++next_;  // frames gone by
  while (next_ < events_.size() && events_[next_].frame == frame) taken.push_back(events_[next_++]);
  return taken;
}

SDL_Event InputScript::ToSDLEvent(const ScriptEvent& event, const ScreenFrame::Layout& layout) {
  SDL_Event e;
  memset(&e, 0, sizeof(e));
  switch (event.kind) {
    case ScriptEvent::KEY_DOWN:
    case ScriptEvent::KEY_UP: {
      const bool down = event.kind == ScriptEvent::KEY_DOWN;
      e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
      e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
      e.key.keysym.sym = event.key;
      e.key.keysym.unicode = event.key < 128 ? static_cast<Uint16>(event.key) : 0;
      break;
    }
    case ScriptEvent::MOUSE_DOWN:
    case ScriptEvent::MOUSE_UP: {
      const bool down = event.kind == ScriptEvent::MOUSE_DOWN;
      e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
      e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
      e.button.button = static_cast<Uint8>(event.button);
      int x = 0, y = 0;  // a script points in frame pixels; the scenes receive window pixels
      ScreenFrame::ToWindow(layout, event.x, event.y, &x, &y);
      e.button.x = static_cast<Uint16>(x);
      e.button.y = static_cast<Uint16>(y);
      break;
    }
    case ScriptEvent::MOUSE_MOTION:
      e.type = SDL_MOUSEMOTION;
      e.motion.xrel = static_cast<Sint16>(event.x);
      e.motion.yrel = static_cast<Sint16>(event.y);
      e.motion.x = static_cast<Uint16>(std::max(0, layout.windowWidth / 2 + event.x));
      e.motion.y = static_cast<Uint16>(std::max(0, layout.windowHeight / 2 + event.y));
      break;
    case ScriptEvent::PAD_AXIS:
      e.type = SDL_JOYAXISMOTION;
      e.jaxis.axis = static_cast<Uint8>(event.axis);
      e.jaxis.value = static_cast<Sint16>(event.value);
      break;
    case ScriptEvent::PAD_BUTTON_DOWN:
    case ScriptEvent::PAD_BUTTON_UP: {
      const bool down = event.kind == ScriptEvent::PAD_BUTTON_DOWN;
      e.type = down ? SDL_JOYBUTTONDOWN : SDL_JOYBUTTONUP;
      e.jbutton.state = down ? SDL_PRESSED : SDL_RELEASED;
      e.jbutton.button = static_cast<Uint8>(event.button);
      break;
    }
    case ScriptEvent::PAD_HAT:
      e.type = SDL_JOYHATMOTION;
      e.jhat.value = static_cast<Uint8>((event.x < 0 ? SDL_HAT_LEFT : event.x > 0 ? SDL_HAT_RIGHT : 0) |
                                        (event.y < 0 ? SDL_HAT_UP : event.y > 0 ? SDL_HAT_DOWN : 0));
      break;
    case ScriptEvent::QUIT:
    case ScriptEvent::SCREENSHOT:
      e.type = SDL_QUIT;
      break;
  }
  return e;
}

bool InputScript::FromSDLEvent(const SDL_Event& e, long frame, const ScreenFrame::Layout& layout,
                               ScriptEvent* event) {
  *event = ScriptEvent();
  event->frame = frame;
  switch (e.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      if (e.key.keysym.sym <= SDLK_UNKNOWN || e.key.keysym.sym >= SDLK_LAST) return false;
      event->kind = e.type == SDL_KEYDOWN ? ScriptEvent::KEY_DOWN : ScriptEvent::KEY_UP;
      event->key = e.key.keysym.sym;
      return true;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      if (e.button.button < 1 || e.button.button > 5) return false;
      event->kind = e.type == SDL_MOUSEBUTTONDOWN ? ScriptEvent::MOUSE_DOWN : ScriptEvent::MOUSE_UP;
      event->button = e.button.button;
      ScreenFrame::ToFrame(layout, e.button.x, e.button.y, &event->x, &event->y);
      return true;
    case SDL_MOUSEMOTION:
      if ((e.motion.x == layout.windowWidth / 2 && e.motion.y == layout.windowHeight / 2) ||
          e.motion.x == e.motion.xrel) {
        return false;  // the echo of the game's own warp to the window's middle
      }
      event->kind = ScriptEvent::MOUSE_MOTION;
      event->x = e.motion.xrel;
      event->y = e.motion.yrel;
      return true;
    case SDL_QUIT:
      event->kind = ScriptEvent::QUIT;
      return true;
    case SDL_JOYAXISMOTION:
      if (e.jaxis.axis > 15) return false;
      event->kind = ScriptEvent::PAD_AXIS;
      event->axis = e.jaxis.axis;
      event->value = e.jaxis.value;
      return true;
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP:
      if (e.jbutton.button > 31) return false;
      event->kind = e.type == SDL_JOYBUTTONDOWN ? ScriptEvent::PAD_BUTTON_DOWN : ScriptEvent::PAD_BUTTON_UP;
      event->button = e.jbutton.button;
      return true;
    case SDL_JOYHATMOTION: {
      const Uint8 across = e.jhat.value & (SDL_HAT_LEFT | SDL_HAT_RIGHT);
      const Uint8 upDown = e.jhat.value & (SDL_HAT_UP | SDL_HAT_DOWN);
      // Only hat 0, and only the nine positions (no other bits, not two opposite ones at once).
      if (e.jhat.hat != 0 || (e.jhat.value & ~(across | upDown)) != 0 ||
          across == (SDL_HAT_LEFT | SDL_HAT_RIGHT) || upDown == (SDL_HAT_UP | SDL_HAT_DOWN)) {
        return false;
      }
      event->kind = ScriptEvent::PAD_HAT;
      event->x = across == SDL_HAT_LEFT ? -1 : across == SDL_HAT_RIGHT ? 1 : 0;
      event->y = upDown == SDL_HAT_UP ? -1 : upDown == SDL_HAT_DOWN ? 1 : 0;
      return true;
    }
    default:
      return false;
  }
}
