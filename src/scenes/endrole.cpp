// The ending roll: fourteen staff pages fading in and out to music, then the statistics page.
#include "scenes/endrole.h"

#include <GL/gl.h>

#include <cstdio>
#include <string>

#include "assets/loadpng.h"
#include "assets/screenshot.h"
#include "common/canvastexture.h"
#include "common/commonfunc.h"
#include "common/framephases.h"
#include "common/screenframe.h"
#include "common/alphablit.h"
#include "scenes/scenemusic.h"
#include "scenes/screen2d.h"

namespace {

const int _RoleTimer = 300;   // frames per staff page
const int _FadeInTime = 60;   // frames of a page's fade-in
const int _FadeOutTime = 60;  // frames of a page's fade-out
const int _MaxPage = 14;      // staff pages; page 14 is the statistics page
const int PROMPT_PERCENT = 89;  // above this the special-mode prompt shows
const char* const MUSIC_FILE = "sounds/quiet_snow_field.mp3";

// Loads a picture of the roll; a missing one prints the roll's message with its path.
int LoadRollPicture(const std::string& path, SDL_Surface** surface) {
  return LoadPicture(path, "Endrole:Number surface Load error " + path, surface);
}

// Copies a whole picture's visible pixels onto the canvas at (x, y), fully opaque.
void Blit(SDL_Surface* picture, SDL_Surface* canvas, int x, int y) {
  SDL_Rect pos = {static_cast<Sint16>(x), static_cast<Sint16>(y), 0, 0};
  SDL_AlphaBlendBlitSurface(picture, nullptr, 255, canvas, &pos);
}

}  // namespace

Endrole::Endrole() = default;

Endrole::~Endrole() { Finalize(); }

int Endrole::StaffPageOpacity(int timer) {
  if (timer < _FadeOutTime) return timer * 255 / _FadeOutTime;
  if (timer < _RoleTimer - _FadeInTime) return 255;
  return (_RoleTimer - timer) * 255 / _FadeInTime;
}

int Endrole::KillPercent(int enemies, int kills) {
  // No enemies placed: nothing to share. Wide arithmetic, and never below 0, so that odd counts
  // from a damaged save file cannot overflow or pick a digit outside 0 to 9.
  if (enemies <= 0 || kills <= 0) return 0;
  const long long percent = static_cast<long long>(kills) * 100 / enemies;
  return percent > 999 ? 999 : static_cast<int>(percent);  // three digits show at most 999
}

int Endrole::Init(int width, int height, int enemies, int kills) {
  Finalize();
  initialized = 1;
  enemyCount = enemies;
  killCount = kills;
  pageTimer = _RoleTimer;
  page = 0;
  shownPage = shownOpacity = -1;
  screenWidth = width;
  screenHeight = height;

  canvas = CreateScreenCanvas(width, height);
  if (canvas == nullptr) return QUORL_COMMON::GLOBAL_ERROR;

  // A missing staff page is reported and shows as a black page.
  for (int n = 1; n <= _MaxPage; ++n) {
    LoadRollPicture("img/staff/" + std::to_string(n) + ".png", &staffPages[n - 1]);
  }
  for (int n = 0; n < kDigits; ++n) {
    if (LoadRollPicture("img/fonts/genocide/" + std::to_string(n) + ".png", &digits[n]) == -1) {
      return QUORL_COMMON::GLOBAL_ERROR;
    }
  }
  if (LoadRollPicture("img/fonts/genocide/genocide.png", &genocideLabel) == -1 ||
      LoadRollPicture("img/fonts/genocide/percent.png", &percentSign) == -1 ||
      LoadRollPicture("img/fonts/push-F.png", &pushPrompt) == -1) {
    return QUORL_COMMON::GLOBAL_ERROR;
  }

  texWidth = QUORL_COMMON::CanvasSide(static_cast<unsigned int>(width));
  texHeight = QUORL_COMMON::CanvasSide(static_cast<unsigned int>(height));
  if (OpenScreen2D("Endrole", width, height, 1, &texture) == -1) return QUORL_COMMON::GLOBAL_ERROR;
  textureMade = true;

  if (StartSceneMusic(MUSIC_FILE, &music, &musicStarted) == -1) return QUORL_COMMON::GLOBAL_ERROR;
  return 0;
}

int Endrole::Action(int code) {
  KeepSceneMusicPlaying(music.get());

  int result = code;
  SDL_Event event;
  while (ScreenFrame::PollFrameEvent(&event)) {
    // The pad works as the keys do: A or Start turns the page as a click, B leaves as Escape.
    const Menu::Command command = menu.Translate(event);
    if (event.type == SDL_KEYDOWN || command == Menu::BACK) {
      if (command == Menu::BACK) return Scene::TITLE;
    } else if ((event.type == SDL_MOUSEBUTTONDOWN && event.button.button == SDL_BUTTON_LEFT) ||
               command == Menu::ACCEPT) {
      ++page;
      pageTimer = _RoleTimer;
    } else if (command == Menu::NONE) {
      result = QUORL_COMMON::defaultEvent(&event, result);
    }
  }

  using QUORL_COMMON::FramePhases;
  FramePhases::Mark(QUORL_COMMON::PHASE_LOGIC);
  if (page < _MaxPage) {
    const int opacity = StaffPageOpacity(pageTimer);
    if (page != shownPage || opacity != shownOpacity) {
      // Opaque black under everything.
      SDL_FillRect(canvas, nullptr, SDL_MapRGBA(canvas->format, 255, 0, 0, 0));
      if (staffPages[page] != nullptr) SDL_AlphaBlendBlitSurface(staffPages[page], nullptr, opacity, canvas, nullptr);
      FramePhases::Mark(QUORL_COMMON::PHASE_COMPOSE);
      QUORL_COMMON::SDL_Surface_to_GLTexture(canvas, texture);
      FramePhases::Mark(QUORL_COMMON::PHASE_UPLOAD);
      shownPage = page, shownOpacity = opacity;
    }
    if (--pageTimer <= 0) {
      ++page;
      pageTimer = _RoleTimer;
    }
  } else if (page == _MaxPage) {
    if (page != shownPage) {
      SDL_FillRect(canvas, nullptr, SDL_MapRGBA(canvas->format, 255, 0, 0, 0));
      ComposeStatistics();
      FramePhases::Mark(QUORL_COMMON::PHASE_COMPOSE);
      QUORL_COMMON::SDL_Surface_to_GLTexture(canvas, texture);
      FramePhases::Mark(QUORL_COMMON::PHASE_UPLOAD);
      shownPage = page, shownOpacity = -1;
    }
  } else {
    result = Scene::TITLE;
  }

  Draw();
  return result;
}

void Endrole::ComposeStatistics() {
  const int percent = KillPercent(enemyCount, killCount);
  Blit(genocideLabel, canvas, 200, 290);
  Blit(percentSign, canvas, 550, 300);
  // Three digits right-aligned against the percent sign, leading zeros included (45 reads 045).
  int x = 550;
  int rest = percent;
  for (int i = 0; i < 3; ++i) {
    x -= digits[0]->w;
    Blit(digits[rest % 10], canvas, x, 300);
    rest /= 10;
  }
  if (percent > PROMPT_PERCENT) Blit(pushPrompt, canvas, 150, 380);
}

void Endrole::Draw() {
  ClearScreen2D();
  DrawScreenCanvas(texture, screenWidth, screenHeight);
  QUORL_COMMON::FramePhases::Mark(QUORL_COMMON::PHASE_BOARDS);
  QUORL_COMMON::SwapBuffers();
}

void Endrole::Finalize() {
  if (textureMade) glDeleteTextures(1, &texture);
  textureMade = false;
  if (canvas != nullptr) SDL_FreeSurface(canvas);
  canvas = nullptr;
  for (SDL_Surface*& picture : staffPages) FreePicture(&picture);
  for (SDL_Surface*& picture : digits) FreePicture(&picture);
  FreePicture(&genocideLabel);
  FreePicture(&percentSign);
  FreePicture(&pushPrompt);
  StopSceneMusic(&music, &musicStarted);
  initialized = 0;
}
