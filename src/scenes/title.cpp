// The title scene: title art with a pulsing light, the menu words, the special-mode toggle and
// the title music.
#include "scenes/title.h"

#include <GL/gl.h>

#include <cstdio>

#include "assets/loadpng.h"
#include "assets/screenshot.h"
#include "common/canvastexture.h"
#include "common/commonfunc.h"
#include "common/framephases.h"
#include "game/alphablit.h"
#include "scenes/scenemusic.h"
#include "scenes/screen2d.h"
#include "sound/mcisendstring.h"

namespace {

const int SCENE_GAME = 2;
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

// Loads a picture with its SDL alpha switched off, so that blits copy its bytes unchanged.
int LoadPicture(const TitlePicture& picture, SDL_Surface** surface) {
  if (LoadPNGtoSDLSurface(picture.path, surface) == -1) {
    *surface = nullptr;
    printf("%s\n", picture.failure);
    return -1;
  }
  SDL_SetAlpha(*surface, 0, 0);
  return 0;
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
    if (LoadPicture(kSpArt, &spImage) == -1) {
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

  canvas = CreateScreenCanvas(width, height);
  if (canvas == nullptr) return QUORL_COMMON::GLOBAL_ERROR;

  if (LoadPicture(kTitleArt, &titleImage) == -1 || LoadPicture(kLightArt, &lightImage) == -1 ||
      LoadPicture(kTextArt[0], &textImages[0]) == -1 || LoadPicture(kTextArt[1], &textImages[1]) == -1) {
    return QUORL_COMMON::GLOBAL_ERROR;
  }

  texWidth = QUORL_COMMON::CanvasSide(static_cast<unsigned int>(width));
  texHeight = QUORL_COMMON::CanvasSide(static_cast<unsigned int>(height));
  if (OpenScreen2D("Title", width, height, 2, textures) == -1) return QUORL_COMMON::GLOBAL_ERROR;
  texturesMade = true;

  if (StartSceneMusic(MUSIC_FILE, &music, &musicStarted) == -1) return QUORL_COMMON::GLOBAL_ERROR;
  return 0;
}

int Title::Action(int code) {
  KeepSceneMusicPlaying(music.get());

  int result = code;
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE) {
      return QUORL_COMMON::QUIT_CODE;
    } else if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_f && spAvailable) {
      useSpMode = !useSpMode;
      mciSendStringA("stop sp-bullet-get", nullptr, 0, nullptr);
      mciSendStringA("seek sp-bullet-get to start", nullptr, 0, nullptr);
      mciSendStringA("play sp-bullet-get", nullptr, 0, nullptr);
    } else if (event.type == SDL_MOUSEBUTTONDOWN && event.button.button == SDL_BUTTON_LEFT &&
               event.button.y > MENU_TOP) {
      if (event.button.x < MENU_SPLIT) {
        useContinue = false;
        result = SCENE_GAME;
      } else if (canContinue) {
        useContinue = true;
        result = SCENE_GAME;
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
  // Texture 0: the title art and the menu (the continue word greyed when there is nothing saved).
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

  // Texture 1: the light alone.
  SDL_FillRect(canvas, nullptr, SDL_MapRGBA(canvas->format, 0, 0, 0, 0));
  SDL_AlphaBlendBlitSurface(lightImage, nullptr, lightAlpha, canvas, nullptr);
  FramePhases::Mark(QUORL_COMMON::PHASE_COMPOSE);
  QUORL_COMMON::SDL_Surface_to_GLTexture(canvas, textures[1]);
  FramePhases::Mark(QUORL_COMMON::PHASE_UPLOAD);

  Draw();
  return result;
}

void Title::Draw() {
  ClearScreen2D();
  // The light is blended over the title screen.
  DrawScreenCanvas(textures[0], screenWidth, screenHeight);
  DrawScreenCanvas(textures[1], screenWidth, screenHeight);
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
  if (canvas != nullptr) SDL_FreeSurface(canvas);
  canvas = nullptr;
  FreePicture(&titleImage);
  FreePicture(&lightImage);
  FreePicture(&textImages[0]);
  FreePicture(&textImages[1]);
  StopSceneMusic(&music, &musicStarted);
  initialized = 0;
}
