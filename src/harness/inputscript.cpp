// Parsing and delivery of scripted input.
#include "harness/inputscript.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

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
  if (text.empty()) return false;
  errno = 0;
  char* end = nullptr;
  const long v = strtol(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || v < low || v > high) return false;
  *value = v;
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

// A demo's first line: "# quorl demo VERSION seed N"; only version 1 is known.
const char* const DEMO_MARK = "# quorl demo";
const size_t DEMO_MARK_LENGTH = 12;
const long DEMO_VERSION = 1;

// Reads the seed of a demo header line; returns an empty string or the fault.
std::string ParseDemoHeader(const std::string& line, unsigned int* seed) {
  std::istringstream words(line);
  std::vector<std::string> fields;
  std::string word;
  while (words >> word) fields.push_back(word);
  long version = 0;
  // fields: "#" "quorl" "demo" VERSION "seed" N
  if (fields.size() < 4 || !ParseInt(fields[3], 0, 1000000000L, &version)) {
    return "malformed demo header, expected '# quorl demo 1 seed N'";
  }
  if (version != DEMO_VERSION) return "unknown demo version " + fields[3] + " (this program plays version 1)";
  long value = 0;
  if (fields.size() != 6 || fields[4] != "seed" || fields[5].size() > 10 || !ParseInt(fields[5], 0, 4294967295L, &value)) {
    return "malformed demo header, expected '# quorl demo 1 seed N'";
  }
  *seed = static_cast<unsigned int>(value);
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
  }
  return line;
}

std::string InputScript::DemoHeader(unsigned int seed) {
  return "# quorl demo 1 seed " + std::to_string(seed);
}

int InputScript::Parse(const std::string& text, std::string* error) {
  events_.clear();
  next_ = 0;
  demo_ = false;
  demoSeed_ = 0;
  std::istringstream lines(text);
  std::string line;
  int number = 0;
  while (std::getline(lines, line)) {
    ++number;
    if (number == 1 && line.compare(0, DEMO_MARK_LENGTH, DEMO_MARK) == 0) {
      const std::string fault = ParseDemoHeader(line, &demoSeed_);
      if (!fault.empty()) {
        *error = "line 1: " + fault;
        demoSeed_ = 0;
        return -1;
      }
      demo_ = true;
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

SDL_Event InputScript::ToSDLEvent(const ScriptEvent& event, int width, int height) {
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
      e.button.x = static_cast<Uint16>(event.x);
      e.button.y = static_cast<Uint16>(event.y);
      break;
    }
    case ScriptEvent::MOUSE_MOTION:
      e.type = SDL_MOUSEMOTION;
      e.motion.xrel = static_cast<Sint16>(event.x);
      e.motion.yrel = static_cast<Sint16>(event.y);
      e.motion.x = static_cast<Uint16>(std::max(0, width / 2 + event.x));
      e.motion.y = static_cast<Uint16>(std::max(0, height / 2 + event.y));
      break;
    case ScriptEvent::QUIT:
    case ScriptEvent::SCREENSHOT:
      e.type = SDL_QUIT;
      break;
  }
  return e;
}

bool InputScript::FromSDLEvent(const SDL_Event& e, long frame, int width, int height, ScriptEvent* event) {
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
      event->x = e.button.x;
      event->y = e.button.y;
      return true;
    case SDL_MOUSEMOTION:
      if ((e.motion.x == width / 2 && e.motion.y == height / 2) || e.motion.x == e.motion.xrel) return false;
      event->kind = ScriptEvent::MOUSE_MOTION;
      event->x = e.motion.xrel;
      event->y = e.motion.yrel;
      return true;
    case SDL_QUIT:
      event->kind = ScriptEvent::QUIT;
      return true;
    default:
      return false;
  }
}
