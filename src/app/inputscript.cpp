// Parsing and delivery of scripted input.
#include "app/inputscript.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

namespace {

struct KeyName {
  const char* name;
  SDLKey key;
};

const KeyName kNamedKeys[] = {
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

}  // namespace

SDLKey InputScript::KeyByName(const std::string& name) {
  if (name.size() == 1 && name[0] >= 'a' && name[0] <= 'z') return static_cast<SDLKey>(name[0]);
  if (name.size() == 1 && name[0] >= '0' && name[0] <= '9') return static_cast<SDLKey>(name[0]);
  for (const KeyName& k : kNamedKeys) {
    if (name == k.name) return k.key;
  }
  long f = 0;
  if (name.size() >= 2 && name[0] == 'f' && ParseInt(name.substr(1), 1, 12, &f)) {
    return static_cast<SDLKey>(SDLK_F1 + f - 1);
  }
  return SDLK_UNKNOWN;
}

int InputScript::Parse(const std::string& text, std::string* error) {
  events_.clear();
  next_ = 0;
  std::istringstream lines(text);
  std::string line;
  int number = 0;
  while (std::getline(lines, line)) {
    ++number;
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
