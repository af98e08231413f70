// The names of keys, mouse buttons and pad inputs.
#include "common/inputcode.h"

#include <cctype>

#include "common/textvalue.h"

namespace {

// SDL 1.2's own names of the keys that are not a single printable character. Printable keys
// (SDLK_SPACE + 1 .. SDLK_z) are named by their character; the keypad's digits "[0]".."[9]",
// the world keys "world 0".."world 95" and F1..F15 "f1".."f15" are made in KeyName.
struct NamedKey {
  SDLKey key;
  const char* name;
};
const NamedKey kNamedKeys[] = {
    {SDLK_BACKSPACE, "backspace"}, {SDLK_TAB, "tab"}, {SDLK_CLEAR, "clear"}, {SDLK_RETURN, "return"},
    {SDLK_PAUSE, "pause"}, {SDLK_ESCAPE, "escape"}, {SDLK_SPACE, "space"}, {SDLK_DELETE, "delete"},
    {SDLK_KP_PERIOD, "[.]"}, {SDLK_KP_DIVIDE, "[/]"}, {SDLK_KP_MULTIPLY, "[*]"}, {SDLK_KP_MINUS, "[-]"},
    {SDLK_KP_PLUS, "[+]"}, {SDLK_KP_ENTER, "enter"}, {SDLK_KP_EQUALS, "equals"}, {SDLK_UP, "up"},
    {SDLK_DOWN, "down"}, {SDLK_RIGHT, "right"}, {SDLK_LEFT, "left"}, {SDLK_INSERT, "insert"},
    {SDLK_HOME, "home"}, {SDLK_END, "end"}, {SDLK_PAGEUP, "page up"}, {SDLK_PAGEDOWN, "page down"},
    {SDLK_NUMLOCK, "numlock"}, {SDLK_CAPSLOCK, "caps lock"}, {SDLK_SCROLLOCK, "scroll lock"},
    {SDLK_RSHIFT, "right shift"}, {SDLK_LSHIFT, "left shift"}, {SDLK_RCTRL, "right ctrl"},
    {SDLK_LCTRL, "left ctrl"}, {SDLK_RALT, "right alt"}, {SDLK_LALT, "left alt"}, {SDLK_RMETA, "right meta"},
    {SDLK_LMETA, "left meta"}, {SDLK_LSUPER, "left super"}, {SDLK_RSUPER, "right super"},
    {SDLK_MODE, "alt gr"}, {SDLK_COMPOSE, "compose"}, {SDLK_HELP, "help"}, {SDLK_PRINT, "print screen"},
    {SDLK_SYSREQ, "sys req"}, {SDLK_BREAK, "break"}, {SDLK_MENU, "menu"}, {SDLK_POWER, "power"},
    {SDLK_EURO, "euro"}, {SDLK_UNDO, "undo"},
};

const char* const kHatNames[4] = {"up", "right", "down", "left"};  // bits 1, 2, 4, 8

std::string KeyName(int key) {
  for (const NamedKey& named : kNamedKeys) {
    if (named.key == key) return named.name;
  }
  if (key > SDLK_SPACE && key <= SDLK_z && isprint(key) && !isupper(key)) return std::string(1, static_cast<char>(key));
  if (key >= SDLK_KP0 && key <= SDLK_KP9) return "[" + std::to_string(key - SDLK_KP0) + "]";
  if (key >= SDLK_WORLD_0 && key <= SDLK_WORLD_95) return "world " + std::to_string(key - SDLK_WORLD_0);
  if (key >= SDLK_F1 && key <= SDLK_F15) return "f" + std::to_string(key - SDLK_F1 + 1);
  return "key " + std::to_string(key);
}

// A whole decimal number in [low, high] after `prefix` at the start of `text`.
bool NumberAfter(const std::string& text, const std::string& prefix, long low, long high, int* value) {
  if (text.compare(0, prefix.size(), prefix) != 0 || text.size() == prefix.size()) return false;
  const std::string digits = text.substr(prefix.size());
  return isdigit(static_cast<unsigned char>(digits[0])) &&
         TextValue::Whole(digits, static_cast<int>(low), static_cast<int>(high), value);
}

bool ParsePad(const std::string& name, InputCode* code) {
  int n = 0;
  if (NumberAfter(name, "button ", 0, InputNames::PAD_BUTTONS - 1, &n)) {
    *code = InputCode::PadButton(n);
    return true;
  }
  if (name.size() > 1 && (name.back() == '+' || name.back() == '-') &&
      NumberAfter(name.substr(0, name.size() - 1), "axis ", 0, InputNames::PAD_AXES - 1, &n)) {
    *code = InputCode::PadAxis(n, name.back() == '+');
    return true;
  }
  for (int i = 0; i < 4; ++i) {
    if (name == std::string("hat ") + kHatNames[i]) {
      *code = InputCode::PadHat(1 << i);
      return true;
    }
  }
  return false;
}

}  // namespace

namespace InputNames {

std::string Name(const InputCode& code) {
  switch (code.kind) {
    case InputCode::KEY: return KeyName(code.number);
    case InputCode::MOUSE: return "mouse " + std::to_string(code.number);
    case InputCode::PAD_BUTTON: return "pad button " + std::to_string(code.number);
    case InputCode::PAD_AXIS_MINUS: return "pad axis " + std::to_string(code.number) + "-";
    case InputCode::PAD_AXIS_PLUS: return "pad axis " + std::to_string(code.number) + "+";
    case InputCode::PAD_HAT:
      for (int i = 0; i < 4; ++i) {
        if (code.number == 1 << i) return std::string("pad hat ") + kHatNames[i];
      }
      break;
    case InputCode::NONE: break;
  }
  return "none";
}

bool Parse(const std::string& text, InputCode* code) {
  const std::string name = TextValue::Lower(text);
  if (name == "none") {
    *code = InputCode();
    return true;
  }
  int n = 0;
  if (NumberAfter(name, "mouse ", 1, MOUSE_BUTTONS, &n)) {
    *code = InputCode::Mouse(n);
    return true;
  }
  if (name.compare(0, 4, "pad ") == 0) return ParsePad(name.substr(4), code);
  if (ParsePad(name, code)) return true;
  if (NumberAfter(name, "key ", 1, SDLK_LAST - 1, &n)) {
    *code = InputCode::Key(static_cast<SDLKey>(n));
    return true;
  }
  for (int key = 1; key < SDLK_LAST; ++key) {
    if (KeyName(key) == name) {
      *code = InputCode::Key(static_cast<SDLKey>(key));
      return true;
    }
  }
  return false;
}

}  // namespace InputNames
