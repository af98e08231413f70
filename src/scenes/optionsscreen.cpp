// The options screen: rows of settings, the controls page, rebinding, and its drawing.
#include "scenes/optionsscreen.h"

#include <GL/gl.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "assets/loadpng.h"
#include "common/alphablit.h"
#include "common/canvastexture.h"
#include "common/commonfunc.h"
#include "common/screenframe.h"
#include "common/textvalue.h"
#include "game/controls.h"
#include "scenes/screen2d.h"
#include "sound/mcisendstring.h"
#include "sound/vbmp3wrap.h"

namespace {

// A row of a settings page: the label, the setting it changes and the values it steps through
// (empty for a flag); rows without a setting open another page or go back.
struct SettingRow {
  const char* label;
  const char* setting;
  const char* steps;
  const char* unit;
  bool nextStart;  // takes effect at the next start
  int opens;       // without a setting: the page it opens (PAGE_BACK: the page before)
};
const int PAGE_BACK = -1;
const char* const PERCENT_STEPS = "0 10 20 30 40 50 60 70 80 90 100";
const SettingRow kMainRows[] = {
    {"MOUSE SENSITIVITY", "mouse_sensitivity", "0.1 0.2 0.3 0.4 0.5 0.6 0.7 0.8 0.9 1 1.2 1.4 1.6 1.8 2 2.5 3 4 5 6 8 10",
     "", false, 0},
    {"INVERT MOUSE", "invert_mouse", "", "", false, 0},
    {"HOLD TO FIRE", "hold_to_fire", "", "", false, 0},
    {"MUSIC VOLUME", "music_volume", PERCENT_STEPS, "%", false, 0},
    {"SOUND VOLUME", "sound_volume", PERCENT_STEPS, "%", false, 0},
    {"FIELD OF VIEW", "field_of_view", "0.8 0.9 1 1.1 1.2 1.3 1.4 1.5", "", false, 0},
    {"FULLSCREEN", "fullscreen", "", "", false, 0},
    {"DISPLAY", nullptr, nullptr, "", false, OptionsScreen::DISPLAY},
    {"ACCESSIBILITY", nullptr, nullptr, "", false, OptionsScreen::ACCESSIBILITY},
    {"GAMEPAD", nullptr, nullptr, "", false, OptionsScreen::GAMEPAD},
    {"CONTROLS", nullptr, nullptr, "", false, OptionsScreen::CONTROLS},
    {"BACK", nullptr, nullptr, "", false, PAGE_BACK},
};
const SettingRow kAccessRows[] = {
    {"DAMAGE FLASH", "damage_flash", PERCENT_STEPS, "%", false, 0},
    {"LAST BOSS FLASH", "white_flash", PERCENT_STEPS, "%", false, 0},
    {"COLOUR-SAFE BAR", "colour_safe", "", "", false, 0},
    {"SOUNDS ON SCREEN", "visible_sounds", "", "", false, 0},
    {"RUN TIMER", "timer", "off floor run", "", false, 0},
    {"DAILY DUNGEON", "daily", "", "", false, 0},
    {"BACK", nullptr, nullptr, "", false, PAGE_BACK},
};
const SettingRow kPadRows[] = {
    {"GAMEPAD", "pad", "none 0 1 2 3", "", true, 0},
    {"PAD LOOK SPEED", "pad_look_speed", "0.5 1 1.5 2 2.5 3 4 5 6 8 10 12 15 20", "", false, 0},
    {"PAD LOOK CURVE", "pad_look_curve", "1 1.5 2 2.5 3 4", "", false, 0},
    {"PAD DEAD ZONE", "pad_dead_zone", "5 10 15 20 25 30 40 50", "%", false, 0},
    {"PAD INVERT LOOK", "pad_invert", "", "", false, 0},
    {"BACK", nullptr, nullptr, "", false, PAGE_BACK},
};
// The window's rows (and FULLSCREEN above) take effect when the options screen is left.
const SettingRow kDisplayRows[] = {
    {"WINDOW SIZE", "window_size", "800x600 1024x768 1280x960 1600x1200 1920x1440 2560x1920", "", false, 0},
    {"RENDER", "render", "sharp classic", "", false, 0},
    {"SMOOTH SCALING", "smooth_scaling", "", "", false, 0},
    {"VSYNC", "vsync", "", "", true, 0},
    {"BACK", nullptr, nullptr, "", false, PAGE_BACK},
};

// The rows of each settings page (the controls page has its own).
struct PageRows {
  const SettingRow* rows;
  int count;
};
const PageRows kPages[] = {
    {kMainRows, sizeof kMainRows / sizeof kMainRows[0]},
    {kAccessRows, sizeof kAccessRows / sizeof kAccessRows[0]},
    {kPadRows, sizeof kPadRows / sizeof kPadRows[0]},
    {kDisplayRows, sizeof kDisplayRows / sizeof kDisplayRows[0]},
};
const char* const kHeadingFiles[OptionsScreen::PAGE_COUNT] = {
    "img/fonts/options-heading.png", "img/fonts/access-heading.png", "img/fonts/pad-heading.png", "img/fonts/display-heading.png",
    "img/fonts/controls-heading.png"};

// The controls page: a heading row, one row an action, then reset and back.
const int RESET_ROW = Control::ACTION_COUNT + 1, CONTROLS_BACK_ROW = Control::ACTION_COUNT + 2;
const int CONTROLS_ROWS = Control::ACTION_COUNT + 3;

// Layout in window pixels.
const int ROW_TOP = 96, ROW_PITCH = 31;   // the first row's glyph cells, and the rows' distance
const int LABEL_X = 100, VALUE_X = 470;   // the first page's columns
const int ACTION_X = 78, COLUMN_X[Control::SLOT_COUNT] = {316, 444, 572};  // the controls page's
const int COLUMN_WIDTH[Control::SLOT_COUNT] = {124, 124, 156};
const int HIGHLIGHT_X = 60, HIGHLIGHT_DY = 6;  // the bar behind the selected row
const int HEADING_Y = 18, NOTE_Y = 556;
const char* const TICK_SOUND = "open \"SE/reload2.wav\" alias options-tick";

using TextValue::Upper;

std::vector<double> Steps(const char* steps) {
  std::vector<double> values;
  std::istringstream words(steps);
  std::string word;
  while (words >> word) values.push_back(word == "none" ? -1 : strtod(word.c_str(), nullptr));
  return values;
}

// Rows whose values are words or sizes ("sharp classic", "800x600 1024x768"): stepped in the
// listed order, not by number.
bool ListsWords(const char* steps) {
  std::istringstream list(steps);
  for (std::string word; list >> word;) {
    char* end = nullptr;
    strtod(word.c_str(), &end);
    if (word != "none" && *end != '\0') return true;
  }
  return false;
}

// The word `direction` (-1 back, 1 on, 0 on and round to the first) from `value` in `steps`; a value
// not listed goes to the first.
std::string NextWord(const char* steps, const std::string& value, int direction) {
  std::vector<std::string> words;
  std::istringstream list(steps);
  for (std::string word; list >> word;) words.push_back(word);
  const auto at = std::find(words.begin(), words.end(), value);
  if (at == words.end()) return words.front();
  const int i = static_cast<int>(at - words.begin());
  const int count = static_cast<int>(words.size());
  const int next = direction == 0 ? (i + 1) % count : std::clamp(i + direction, 0, count - 1);
  return words[static_cast<size_t>(next)];
}

double NumberOf(const std::string& value) { return value == "none" ? -1 : strtod(value.c_str(), nullptr); }

std::string StepText(double value) {
  if (value < 0) return "none";
  char text[32];
  snprintf(text, sizeof text, "%g", value);
  return text;
}

// How an input shows in a controls cell.
std::string InputLabel(const InputCode& code) {
  if (code.IsNone()) return "-";
  std::string name = InputNames::Name(code);
  if (name.compare(0, 4, "pad ") == 0) name.erase(0, 4);
  return Upper(name);
}

}  // namespace

int OptionsScreen::Init(int width, int height) {
  Finalize();
  initialized_ = true;
  width_ = width;
  height_ = height;
  if (font_.Init("img/fonts/options-glyphs.png", "Options:glyph sheet load error") == -1 ||
      litFont_.Init("img/fonts/options-glyphs-lit.png", "Options:lit glyph sheet load error") == -1 ||
      LoadPicture("img/options-back.png", "Options:backdrop load error", &backdrop_) == -1 ||
      LoadPicture("img/options-highlight.png", "Options:highlight load error", &highlight_) == -1) {
    return -1;
  }
  for (int page = 0; page < PAGE_COUNT; ++page) {
    if (LoadPicture(kHeadingFiles[page], "Options:heading load error", &headings_[page]) == -1) return -1;
  }
  canvas_ = CreateScreenCanvas(width, height);
  if (canvas_ == nullptr) return -1;
  if (QUORL_COMMON::CreateCanvasTextures(width, height, 1, &texture_) == -1) {
    printf("Options:canvas texture error\n");
    return -1;
  }
  textureMade_ = true;
  soundOpen_ = mciSendStringA(TICK_SOUND, nullptr, 0, nullptr) == 0;  // silent without it
  return 0;
}

void OptionsScreen::Finalize() {
  if (!initialized_) return;
  if (soundOpen_) mciSendStringA("close options-tick", nullptr, 0, nullptr);
  soundOpen_ = false;
  if (textureMade_) glDeleteTextures(1, &texture_);
  textureMade_ = false;
  if (canvas_ != nullptr) SDL_FreeSurface(canvas_);
  canvas_ = nullptr;
  for (SDL_Surface*& heading : headings_) FreePicture(&heading);
  FreePicture(&highlight_);
  FreePicture(&backdrop_);
  litFont_.Finalize();
  font_.Finalize();
  open_ = false;
  initialized_ = false;
}

void OptionsScreen::Open(const Settings& settings) {
  before_ = edited_ = settings;
  OpenPage(MAIN);
  waiting_ = false;
  note_ = "ARROWS: CHOOSE   LEFT / RIGHT: CHANGE   ESC: BACK";
  menu_.Reset();
  open_ = dirty_ = true;
}

bool OptionsScreen::Frame(bool* quit) {
  SDL_Event event;
  while (open_ && ScreenFrame::PollFrameEvent(&event)) {
    if (event.type == SDL_QUIT) {
      *quit = true;
      continue;
    }
    if (waiting_) {
      Rebind(event);
      continue;
    }
    Pointer(event);
    Command(menu_.Translate(event));
  }
  if (waiting_ && ++waitFrames_ >= WAIT_FRAMES) {
    waiting_ = false;
    note_ = "NOTHING PRESSED: UNCHANGED";
    dirty_ = true;
  }
  if (open_) Draw();
  return open_;
}

int OptionsScreen::RowCount() const { return page_ == CONTROLS ? CONTROLS_ROWS : kPages[page_].count; }

void OptionsScreen::OpenPage(Page page) {
  page_ = page;
  row_ = page == CONTROLS ? 1 : 0;  // the controls page's heading row is not chosen
  column_ = 0;
  note_ = page == CONTROLS ? "ENTER: REBIND   DELETE: CLEAR   ESC: BACK" : "";
  dirty_ = true;
}

void OptionsScreen::Command(Menu::Command command) {
  using namespace Menu;
  if (command == NONE) return;
  dirty_ = true;
  const int first = page_ == CONTROLS ? 1 : 0;  // the controls page's heading row is not chosen
  switch (command) {
    case UP: row_ = row_ > first ? row_ - 1 : RowCount() - 1; break;
    case DOWN: row_ = row_ < RowCount() - 1 ? row_ + 1 : first; break;
    case LEFT:
    case RIGHT:
      if (page_ != CONTROLS) {
        Step(row_, command == LEFT ? -1 : 1);
      } else if (row_ < RESET_ROW) {
        column_ = (column_ + (command == LEFT ? Control::SLOT_COUNT - 1 : 1)) % Control::SLOT_COUNT;
      }
      break;
    case ACCEPT:
      if (page_ != CONTROLS) {
        const SettingRow& r = kPages[page_].rows[row_];
        if (r.setting != nullptr) {
          Step(row_, 0);
        } else if (r.opens == PAGE_BACK) {
          Command(BACK);
        } else {
          OpenPage(static_cast<Page>(r.opens));
        }
      } else if (row_ == RESET_ROW) {
        edited_.controls.bindings = Bindings::Defaults();
        note_ = "EVERY ACTION BACK ON ITS FIRST KEYS";
      } else if (row_ == CONTROLS_BACK_ROW) {
        Command(BACK);
      } else {
        waiting_ = true;
        waitFrames_ = 0;
        for (int& axis : axes_) axis = 0;
        note_ = std::string(column_ == Control::PAD ? "PAD INPUT FOR " : "KEY OR BUTTON FOR ") +
                Control::ScreenName(row_ - 1) + "?   ESC: CANCEL";
      }
      break;
    case BACK:
      if (page_ == MAIN) {
        open_ = false;
      } else {
        // Back on the first page, at the row that opened this one.
        const int left = page_;
        OpenPage(MAIN);
        for (int i = 0; i < kPages[MAIN].count; ++i) {
          if (kMainRows[i].setting == nullptr && kMainRows[i].opens == left) row_ = i;
        }
      }
      break;
    case CLEAR:
      if (page_ == CONTROLS && row_ < RESET_ROW) {
        int swapped = -1;
        edited_.controls.bindings.Bind(row_ - 1, column_, InputCode(), &swapped);
        note_ = std::string(Control::ScreenName(row_ - 1)) + ": CLEARED";
      }
      break;
    case NONE: break;
  }
}

void OptionsScreen::Step(int row, int direction) {
  if (page_ == CONTROLS || row < 0 || row >= kPages[page_].count) return;
  const SettingRow& r = kPages[page_].rows[row];
  if (r.setting == nullptr) return;
  const std::string value = SettingNames::Get(edited_, r.setting);
  std::string next;
  if (*r.steps == '\0') {
    next = value == "on" ? "off" : "on";
  } else if (ListsWords(r.steps)) {
    next = NextWord(r.steps, value, direction);
    if (next == value) return;
  } else {
    // The next listed value beyond the current one (a value from the file may lie between);
    // Enter steps up and comes round to the first after the last.
    const std::vector<double> steps = Steps(r.steps);
    const double now = NumberOf(value);
    double chosen = now;
    if (direction < 0) {
      for (double s : steps) {
        if (s < now - 1e-9) chosen = s;
      }
    } else {
      for (auto it = steps.rbegin(); it != steps.rend(); ++it) {
        if (*it > now + 1e-9) chosen = *it;
      }
      if (direction == 0 && chosen == now) chosen = steps.front();
    }
    if (chosen == now) return;
    next = StepText(chosen);
  }
  std::string error;
  if (SettingNames::Set(&edited_, r.setting, next, &error) != 0) return;
  // Loudness is heard at once: the music playing, and a short effect at the new sound volume.
  const std::string name = r.setting;
  if (name == "music_volume") VBMP3Wrap::SetMusicVolume(edited_.musicVolume);
  if (name == "sound_volume") {
    mciSetMasterVolume(edited_.soundVolume);
    if (soundOpen_) {
      mciSendStringA("stop options-tick", nullptr, 0, nullptr);
      mciSendStringA("seek options-tick to start", nullptr, 0, nullptr);
      mciSendStringA("play options-tick", nullptr, 0, nullptr);
    }
  }
}

void OptionsScreen::Rebind(const SDL_Event& event) {
  const bool pad = column_ == Control::PAD;
  if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE) {
    waiting_ = false;
    note_ = "UNCHANGED";
    dirty_ = true;
    return;
  }
  if (!pad && event.type == SDL_KEYDOWN) Bind(InputCode::Key(event.key.keysym.sym));
  if (!pad && event.type == SDL_MOUSEBUTTONDOWN) Bind(InputCode::Mouse(event.button.button));
  if (pad && event.type == SDL_JOYBUTTONDOWN && event.jbutton.button < InputNames::PAD_BUTTONS) {
    Bind(InputCode::PadButton(event.jbutton.button));
  }
  if (pad && event.type == SDL_JOYHATMOTION && event.jhat.hat == 0) {
    for (int bit = SDL_HAT_UP; bit <= SDL_HAT_LEFT; bit <<= 1) {
      if (event.jhat.value & bit) {
        Bind(InputCode::PadHat(bit));
        break;
      }
    }
  }
  if (pad && event.type == SDL_JOYAXISMOTION && event.jaxis.axis < InputNames::PAD_AXES) {
    // An axis counts when it crosses half its travel (a trigger resting at one end does not).
    int& was = axes_[event.jaxis.axis];
    const int now = event.jaxis.value;
    if (now > Controls::AXIS_PUSHED && was <= Controls::AXIS_PUSHED) {
      Bind(InputCode::PadAxis(event.jaxis.axis, true));
    } else if (now < -Controls::AXIS_PUSHED && was >= -Controls::AXIS_PUSHED) {
      Bind(InputCode::PadAxis(event.jaxis.axis, false));
    }
    was = now;
  }
}

void OptionsScreen::Bind(const InputCode& code) {
  const int action = row_ - 1;
  int swapped = -1;
  edited_.controls.bindings.Bind(action, column_, code, &swapped);
  waiting_ = false;
  dirty_ = true;
  note_ = std::string(Control::ScreenName(action)) + ": " + InputLabel(code);
  if (swapped >= 0 && swapped != action) {
    note_ = InputLabel(code) + " WAS ON " + Control::ScreenName(swapped) + ": SWAPPED";
  }
}

int OptionsScreen::RowAt(int y) const {
  const int row = (y - ROW_TOP - HIGHLIGHT_DY) / ROW_PITCH;
  if (y < ROW_TOP + HIGHLIGHT_DY || row >= RowCount() || (page_ == CONTROLS && row == 0)) return -1;
  return row;
}

int OptionsScreen::ColumnAt(int x) const {
  for (int c = 0; c < Control::SLOT_COUNT; ++c) {
    if (x >= COLUMN_X[c] && x < COLUMN_X[c] + COLUMN_WIDTH[c]) return c;
  }
  return -1;
}

void OptionsScreen::Pointer(const SDL_Event& event) {
  if (event.type != SDL_MOUSEMOTION && event.type != SDL_MOUSEBUTTONDOWN) return;
  const int x = event.type == SDL_MOUSEMOTION ? event.motion.x : event.button.x;
  const int y = event.type == SDL_MOUSEMOTION ? event.motion.y : event.button.y;
  const int row = RowAt(y);
  const int column = page_ == CONTROLS ? ColumnAt(x) : -1;
  if (row < 0) return;
  if (row != row_ || (column >= 0 && column != column_)) dirty_ = true;
  row_ = row;
  if (column >= 0) column_ = column;
  if (event.type != SDL_MOUSEBUTTONDOWN) return;
  const int button = event.button.button;
  if (button == SDL_BUTTON_WHEELUP || button == SDL_BUTTON_WHEELDOWN) {
    Command(button == SDL_BUTTON_WHEELUP ? Menu::LEFT : Menu::RIGHT);
  } else if (page_ != CONTROLS && kPages[page_].rows[row].setting != nullptr &&
             (button == SDL_BUTTON_LEFT || button == SDL_BUTTON_RIGHT)) {
    Command(button == SDL_BUTTON_LEFT ? Menu::RIGHT : Menu::LEFT);
  } else if (button == SDL_BUTTON_LEFT && (page_ != CONTROLS || row >= RESET_ROW || column >= 0)) {
    Command(Menu::ACCEPT);
  } else if (button == SDL_BUTTON_RIGHT && page_ == CONTROLS && row < RESET_ROW && column >= 0) {
    Command(Menu::CLEAR);
  }
}

void OptionsScreen::Compose() {
  SDL_AlphaBlendBlitSurface(backdrop_, nullptr, 255, canvas_, nullptr);
  SDL_Surface* heading = headings_[page_];
  SDL_Rect headingAt = {static_cast<Sint16>((width_ - heading->w) / 2), HEADING_Y, 0, 0};
  SDL_AlphaOverBlitSurface(heading, nullptr, canvas_, &headingAt);
  for (int i = 0; i < RowCount(); ++i) {
    const int y = ROW_TOP + i * ROW_PITCH;
    const bool selected = i == row_;
    if (selected) {
      SDL_Rect barAt = {HIGHLIGHT_X, static_cast<Sint16>(y + HIGHLIGHT_DY), 0, 0};
      SDL_AlphaOverBlitSurface(highlight_, nullptr, canvas_, &barAt);
    }
    if (page_ != CONTROLS) {
      DrawRow(i, y, selected);
    } else {
      DrawControlsRow(i, y, selected);
    }
  }
  font_.Draw(canvas_, (width_ - font_.Width(note_)) / 2, NOTE_Y, note_);
}

void OptionsScreen::DrawRow(int index, int y, bool selected) {
  const SettingRow& r = kPages[page_].rows[index];
  const GlyphFont& font = selected ? litFont_ : font_;
  font.Draw(canvas_, LABEL_X, y, r.label);
  if (r.setting == nullptr) return;
  std::string value = Upper(SettingNames::Get(edited_, r.setting)) + r.unit;
  if (r.setting == std::string("pad") && edited_.pad >= 0) value = "PAD " + std::to_string(edited_.pad + 1);
  if (r.setting == std::string("field_of_view")) {
    value = std::to_string(static_cast<int>(std::lround(60 * edited_.fieldOfView))) + " DEGREES";
  }
  if (r.nextStart && SettingNames::Get(edited_, r.setting) != SettingNames::Get(before_, r.setting)) {
    value += "  (NEXT START)";
  }
  if (selected && *r.steps != '\0') value = "< " + value + " >";
  font.Draw(canvas_, VALUE_X, y, value);
}

void OptionsScreen::DrawControlsRow(int index, int y, bool selected) {
  if (index == 0) {
    static const char* const kHeads[Control::SLOT_COUNT] = {"KEY", "SECOND", "PAD"};
    font_.Draw(canvas_, ACTION_X, y, "ACTION");
    for (int c = 0; c < Control::SLOT_COUNT; ++c) font_.Draw(canvas_, COLUMN_X[c], y, kHeads[c]);
    return;
  }
  if (index >= RESET_ROW) {
    (selected ? litFont_ : font_).Draw(canvas_, ACTION_X, y, index == RESET_ROW ? "RESET TO DEFAULTS" : "BACK");
    return;
  }
  const int action = index - 1;
  font_.Draw(canvas_, ACTION_X, y, Control::ScreenName(action));
  for (int c = 0; c < Control::SLOT_COUNT; ++c) {
    // The chosen cell in the lit lettering and between brackets; a name too long for its column
    // is cut.
    const bool cell = selected && c == column_;
    const GlyphFont& font = cell ? litFont_ : font_;
    std::string label = cell && waiting_ ? "..." : InputLabel(edited_.controls.bindings.inputs[action][c]);
    const int room = COLUMN_WIDTH[c] - (cell ? font.Width("[]") : 0);
    while (label.size() > 1 && font.Width(label) > room) label.pop_back();
    font.Draw(canvas_, COLUMN_X[c] - (cell ? font.Width("[") : 0), y, cell ? "[" + label + "]" : label);
  }
}

void OptionsScreen::Draw() {
  if (dirty_) {
    Compose();
    QUORL_COMMON::SDL_Surface_to_GLTexture(canvas_, texture_);
    dirty_ = false;
  }
  ClearScreen2D();
  DrawScreenCanvas(texture_, width_, height_);
}
