// The title scene: title art with a pulsing light, the menu words, the special-mode toggle and
// the title music.
#include "scenes/title.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "assets/loadpng.h"
#include "assets/screenshot.h"
#include "common/canvastexture.h"
#include "common/commonfunc.h"
#include "common/framephases.h"
#include "common/alphablit.h"
#include "scenes/scenemusic.h"
#include "scenes/screen2d.h"
#include "sound/mcisendstring.h"

namespace {

const int LIGHT_STEP = 10;       // opacity change of the light per frame
const int MENU_TOP = 499;        // clicks below this window row choose from the menu
const int MENU_SPLIT = 400;      // left of this column "new game", right of it "continue"
const int CONTINUE_GREYED = 128; // opacity of the continue word when there is nothing to continue
const char* const MUSIC_FILE = "sounds/Quorl_title.mp3";

// The pictures of the scene with the message printed when one is missing.
struct TitlePicture {
  const char* path;
  const char* failure;
};
const TitlePicture kTitleArt = {"img/QUORL-title.png", "Gamemain:Sight surface Load error"};
const TitlePicture kLightArt = {"img/QUORL-title-light.png", "Title:title light surface Load error"};
const TitlePicture kTextArt[2] = {{"img/fonts/new-game.png", "Title:title text img 1 Load error"},
                                  {"img/fonts/continue.png", "Title:title text img 2 Load error"}};
const TitlePicture kSpArt = {"img/bullet_sp.png", "Title:title SpBullet load error"};

int LoadTitlePicture(const TitlePicture& picture, SDL_Surface** surface) {
  return LoadPicture(picture.path, picture.failure, surface);
}

// The smallest rectangle of `picture` (32-bit, A the low byte of each pixel) that holds every
// pixel whose A is not zero, clipped to `width` x `height`; empty (w = 0) when there is none.
SDL_Rect VisibleArea(SDL_Surface* picture, int width, int height) {
  const int w = std::min(picture->w, width), h = std::min(picture->h, height);
  int left = w, right = -1, top = h, bottom = -1;
  if (SDL_MUSTLOCK(picture)) SDL_LockSurface(picture);
  for (int y = 0; y < h; ++y) {
    const Uint32* row = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(picture->pixels) +
                                                        static_cast<size_t>(y) * picture->pitch);
    for (int x = 0; x < w; ++x) {
      if ((row[x] & picture->format->Amask) == 0) continue;
      left = std::min(left, x), right = std::max(right, x);
      top = std::min(top, y), bottom = std::max(bottom, y);
    }
  }
  if (SDL_MUSTLOCK(picture)) SDL_UnlockSurface(picture);
  if (right < 0) return SDL_Rect{0, 0, 0, 0};
  return SDL_Rect{static_cast<Sint16>(left), static_cast<Sint16>(top), static_cast<Uint16>(right - left + 1),
                  static_cast<Uint16>(bottom - top + 1)};
}

void FreePicture(SDL_Surface** surface) {
  FreePNGSurface(*surface);
  *surface = nullptr;
}

}  // namespace

Title::Title() = default;

Title::~Title() { Finalize(); }

int Title::Init(int width, int height, bool continuePossible, bool spUnlocked) {
  // Release first: the special-mode extras below belong to the new run of the scene.
  Finalize();
  canContinue = useContinue = continuePossible;
  spAvailable = spUnlocked;
  useSpMode = false;
  if (spAvailable) {
    if (mciSendStringA("open \"SE/sp-bullet-get.wav\" alias sp-bullet-get", nullptr, 0, nullptr) != 0) {
      printf("Gamemain:SE Reload load error\n");
      return QUORL_COMMON::GLOBAL_ERROR;
    }
    spSoundOpen = true;
    if (LoadTitlePicture(kSpArt, &spImage) == -1) {
      ReleaseSpExtras();
      return QUORL_COMMON::GLOBAL_ERROR;
    }
  }
  return Init(width, height);
}

int Title::Init(int width, int height) {
  // A rebuild keeps the special-mode extras of the four-argument Init.
  if (initialized) ReleaseScene();
  initialized = 1;
  screenWidth = width;
  screenHeight = height;
  lightAlpha = 0;
  lightRising = true;

  menuShown = -1;
  canvas = CreateScreenCanvas(width, height);
  if (canvas == nullptr) return QUORL_COMMON::GLOBAL_ERROR;
  lightCanvas = CreateScreenCanvas(width, height);
  if (lightCanvas == nullptr) return QUORL_COMMON::GLOBAL_ERROR;

  if (LoadTitlePicture(kTitleArt, &titleImage) == -1 || LoadTitlePicture(kLightArt, &lightImage) == -1 ||
      LoadTitlePicture(kTextArt[0], &textImages[0]) == -1 || LoadTitlePicture(kTextArt[1], &textImages[1]) == -1) {
    return QUORL_COMMON::GLOBAL_ERROR;
  }

  texWidth = QUORL_COMMON::CanvasSide(static_cast<unsigned int>(width));
  texHeight = QUORL_COMMON::CanvasSide(static_cast<unsigned int>(height));
  if (OpenScreen2D("Title", width, height, 2, textures) == -1) return QUORL_COMMON::GLOBAL_ERROR;
  texturesMade = true;
  // The light texture starts transparent all over; each frame refills only the light's area.
  lightArea = VisibleArea(lightImage, width, height);
  QUORL_COMMON::SDL_Surface_to_GLTexture(lightCanvas, textures[1]);

  if (StartSceneMusic(MUSIC_FILE, &music, &musicStarted) == -1) return QUORL_COMMON::GLOBAL_ERROR;
  return 0;
}

int Title::Action(int code) {
  KeepSceneMusicPlaying(music.get());

  int result = code;
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE) {
      return Scene::QUIT;
    } else if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_f && spAvailable) {
      useSpMode = !useSpMode;
      mciSendStringA("stop sp-bullet-get", nullptr, 0, nullptr);
      mciSendStringA("seek sp-bullet-get to start", nullptr, 0, nullptr);
      mciSendStringA("play sp-bullet-get", nullptr, 0, nullptr);
    } else if (event.type == SDL_MOUSEBUTTONDOWN && event.button.button == SDL_BUTTON_LEFT &&
               event.button.y > MENU_TOP) {
      if (event.button.x < MENU_SPLIT) {
        useContinue = false;
        result = Scene::GAME;
      } else if (canContinue) {
        useContinue = true;
        result = Scene::GAME;
      }
    } else {
      result = QUORL_COMMON::defaultEvent(&event, result);
    }
  }

  // The light brightens to 255 and fades to 0 again: 52 frames a cycle.
  if (lightRising) {
    lightAlpha += LIGHT_STEP;
    if (lightAlpha > 254) {
      lightAlpha = 255;
      lightRising = false;
    }
  } else {
    lightAlpha -= LIGHT_STEP;
    if (lightAlpha < 1) {
      lightAlpha = 0;
      lightRising = true;
    }
  }

  using QUORL_COMMON::FramePhases;
  FramePhases::Mark(QUORL_COMMON::PHASE_LOGIC);
  // Texture 0: the title art and the menu (the continue word greyed when there is nothing saved),
  // composed and uploaded again only when the menu changes.
  const int menu = (canContinue ? 2 : 0) + (useSpMode ? 1 : 0);
  if (menu != menuShown) {
    SDL_AlphaBlendBlitSurface(titleImage, nullptr, 255, canvas, nullptr);
    SDL_Rect newGamePos = {50, 500, 0, 0};
    SDL_AlphaBlendBlitSurface(textImages[0], nullptr, 255, canvas, &newGamePos);
    SDL_Rect continuePos = {450, 500, 0, 0};
    SDL_AlphaBlendBlitSurface(textImages[1], nullptr, canContinue ? 255 : CONTINUE_GREYED, canvas,
                              &continuePos);
    if (useSpMode) {
      SDL_Rect spPos = {10, 500, 0, 0};
      SDL_AlphaBlendBlitSurface(spImage, nullptr, 255, canvas, &spPos);
    }
    FramePhases::Mark(QUORL_COMMON::PHASE_COMPOSE);
    QUORL_COMMON::SDL_Surface_to_GLTexture(canvas, textures[0]);
    FramePhases::Mark(QUORL_COMMON::PHASE_UPLOAD);
    menuShown = menu;
  }

  // Texture 1: the light alone at this frame's opacity, refilled inside the light's area only
  // (outside it the light is transparent in every frame).
  if (lightArea.w > 0) {
    SDL_Rect fill = lightArea, from = lightArea, to = lightArea;  // SDL may clip them in place
    SDL_FillRect(lightCanvas, &fill, SDL_MapRGBA(lightCanvas->format, 0, 0, 0, 0));
    SDL_AlphaBlendBlitSurface(lightImage, &from, lightAlpha, lightCanvas, &to);
    FramePhases::Mark(QUORL_COMMON::PHASE_COMPOSE);
    QUORL_COMMON::SDL_SurfaceRects_to_GLTexture(lightCanvas, {lightArea}, textures[1]);
    FramePhases::Mark(QUORL_COMMON::PHASE_UPLOAD);
  }

  Draw();
  return result;
}

void Title::Draw() {
  ClearScreen2D();
  // The light is blended over the title screen.
  DrawScreenCanvas(textures[0], screenWidth, screenHeight);
  // At opacity 0 the light changes no pixel. Otherwise it is drawn where it can show: the window
  // rectangle of its area, widened by 2 pixels for the stretch of the canvas quad.
  if (lightAlpha > 0 && lightArea.w > 0) {
    const double sx = static_cast<double>(screenWidth - 1) / screenWidth;
    const double sy = static_cast<double>(screenHeight - 1) / screenHeight;
    const int x0 = std::max(0, static_cast<int>(std::floor(lightArea.x * sx)) - 2);
    const int x1 = std::min(screenWidth, static_cast<int>(std::ceil((lightArea.x + lightArea.w) * sx)) + 2);
    const int y0 = std::max(0, static_cast<int>(std::floor((screenHeight - 1) - (lightArea.y + lightArea.h) * sy)) - 2);
    const int y1 = std::min(screenHeight, static_cast<int>(std::ceil((screenHeight - 1) - lightArea.y * sy)) + 2);
    glEnable(GL_SCISSOR_TEST);
    glScissor(x0, y0, x1 - x0, y1 - y0);
    DrawScreenCanvas(textures[1], screenWidth, screenHeight);
    glDisable(GL_SCISSOR_TEST);
  }
  QUORL_COMMON::FramePhases::Mark(QUORL_COMMON::PHASE_BOARDS);
  QUORL_COMMON::SwapBuffers();
}

void Title::ReleaseSpExtras() {
  FreePicture(&spImage);
  if (spSoundOpen) mciSendStringA("close sp-bullet-get", nullptr, 0, nullptr);
  spSoundOpen = false;
}

void Title::Finalize() {
  ReleaseScene();
  ReleaseSpExtras();
}

void Title::ReleaseScene() {
  if (texturesMade) glDeleteTextures(2, textures);
  texturesMade = false;
  if (lightCanvas != nullptr) SDL_FreeSurface(lightCanvas);
  lightCanvas = nullptr;
  if (canvas != nullptr) SDL_FreeSurface(canvas);
  canvas = nullptr;
  FreePicture(&titleImage);
  FreePicture(&lightImage);
  FreePicture(&textImages[0]);
  FreePicture(&textImages[1]);
  StopSceneMusic(&music, &musicStarted);
  initialized = 0;
}
