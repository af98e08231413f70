// The records page: two sets of records drawn in the glyph lettering over the options backdrop.
#include "scenes/recordsscreen.h"

#include <GL/gl.h>

#include "assets/loadpng.h"
#include "common/alphablit.h"
#include "common/canvastexture.h"
#include "common/commonfunc.h"
#include "common/frametime.h"
#include "common/screenframe.h"
#include "scenes/screen2d.h"

namespace {

// Layout in window pixels: the heading band, the rows and their columns, the note at the foot.
const int HEADING_Y = 18, ROW_TOP = 96, ROW_PITCH = 29, NOTE_Y = 556;
const int LABEL_X = 84, VALUE_X = 312, SEED_X = 436, DATE_X = 586;
const char* const BACK_NOTE = "ESC: BACK";

std::string Shown(const Record& r, const std::string& value) { return r.set ? value : "-"; }

}  // namespace

int RecordsScreen::Init(int width, int height) {
  Finalize();
  initialized_ = true;
  width_ = width;
  height_ = height;
  if (font_.Init("img/fonts/options-glyphs.png", "Records:glyph sheet load error") == -1 ||
      litFont_.Init("img/fonts/options-glyphs-lit.png", "Records:lit glyph sheet load error") == -1 ||
      LoadPicture("img/options-back.png", "Records:backdrop load error", &backdrop_) == -1 ||
      LoadPicture("img/fonts/records-heading.png", "Records:heading load error", &heading_) == -1) {
    return -1;
  }
  canvas_ = CreateScreenCanvas(width, height);
  if (canvas_ == nullptr) return -1;
  if (QUORL_COMMON::CreateCanvasTextures(width, height, 1, &texture_) == -1) {
    printf("Records:canvas texture error\n");
    return -1;
  }
  textureMade_ = true;
  return 0;
}

void RecordsScreen::Finalize() {
  if (!initialized_) return;
  if (textureMade_) glDeleteTextures(1, &texture_);
  textureMade_ = false;
  if (canvas_ != nullptr) SDL_FreeSurface(canvas_);
  canvas_ = nullptr;
  FreePicture(&heading_);
  FreePicture(&backdrop_);
  litFont_.Finalize();
  font_.Finalize();
  open_ = false;
  initialized_ = false;
}

void RecordsScreen::Open(const Records& records, const std::vector<std::string>& newRecords) {
  records_ = records;
  note_ = newRecords.empty() ? BACK_NOTE : "NEW RECORD: " + newRecords.front();
  if (newRecords.size() > 1) note_ += " (+" + std::to_string(newRecords.size() - 1) + ")";
  menu_.Reset();
  open_ = dirty_ = true;
}

bool RecordsScreen::Frame(bool* quit) {
  SDL_Event event;
  while (open_ && ScreenFrame::PollFrameEvent(&event)) {
    if (event.type == SDL_QUIT) {
      *quit = true;
      continue;
    }
    const Menu::Command command = menu_.Translate(event);
    if (command == Menu::ACCEPT || command == Menu::BACK ||
        (event.type == SDL_MOUSEBUTTONDOWN && event.button.button == SDL_BUTTON_LEFT)) {
      open_ = false;
    }
  }
  if (!open_) return false;
  if (dirty_) {
    Compose();
    QUORL_COMMON::SDL_Surface_to_GLTexture(canvas_, texture_);
    dirty_ = false;
  }
  ClearScreen2D();
  DrawScreenCanvas(texture_, width_, height_);
  return true;
}

std::vector<RecordsScreen::Line> RecordsScreen::Lines(const RecordSet& set) {
  using QUORL_COMMON::FrameTime;
  std::vector<Line> lines;
  lines.push_back({"BEST RUN", Shown(set.run, FrameTime(set.run.value)), set.run.seed, set.run.date});
  for (int i = 0; i < 3; ++i) {
    const Record& r = set.boss[i];
    lines.push_back({"TO FLOOR " + std::to_string(RECORD_BOSS_FLOORS[i]), Shown(r, FrameTime(r.value)), r.seed, r.date});
  }
  lines.push_back({"KILL SHARE", Shown(set.share, std::to_string(set.share.value) + "%"), set.share.seed,
                   set.share.date});
  lines.push_back({"DEEPEST FLOOR", Shown(set.deepest, std::to_string(set.deepest.value)), set.deepest.seed,
                   set.deepest.date});
  for (Line& line : lines) {
    if (line.value == "-") line.seed = line.date = "";
  }
  return lines;
}

void RecordsScreen::DrawSet(const char* title, const RecordSet& set, int* y) {
  litFont_.Draw(canvas_, LABEL_X, *y, title);
  font_.Draw(canvas_, SEED_X, *y, "SEED");
  font_.Draw(canvas_, DATE_X, *y, "DATE");
  *y += ROW_PITCH;
  for (const Line& line : Lines(set)) {
    font_.Draw(canvas_, LABEL_X, *y, line.label);
    font_.Draw(canvas_, VALUE_X, *y, line.value);
    font_.Draw(canvas_, SEED_X, *y, line.seed);
    font_.Draw(canvas_, DATE_X, *y, line.date);
    *y += ROW_PITCH;
  }
}

void RecordsScreen::Compose() {
  SDL_AlphaBlendBlitSurface(backdrop_, nullptr, 255, canvas_, nullptr);
  SDL_Rect headingAt = {static_cast<Sint16>((width_ - heading_->w) / 2), HEADING_Y, 0, 0};
  SDL_AlphaOverBlitSurface(heading_, nullptr, canvas_, &headingAt);
  int y = ROW_TOP;
  DrawSet("ORDINARY GAMES", records_.normal, &y);
  y += ROW_PITCH / 2;
  DrawSet("DAILY DUNGEON", records_.daily, &y);
  litFont_.Draw(canvas_, (width_ - litFont_.Width(note_)) / 2, NOTE_Y, note_);
}
