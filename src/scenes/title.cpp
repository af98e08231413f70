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
#include "common/screenframe.h"
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
const TitlePicture kOptionsArt = {"img/fonts/options.png", "Title:title options entry load error"};
const TitlePicture kRecordsArt = {"img/fonts/records.png", "Title:title records entry load error"};
const TitlePicture kMarkFont = {"img/fonts/options-glyphs-lit.png", "Title:title marker glyphs load error"};
// Where the menu's words are drawn: "new game", "continue", and the "options" and "records" entries.
const SDL_Rect kWordPositions[Title::ENTRY_COUNT] = {
    {50, 500, 340, 90}, {450, 500, 340, 90}, {640, 14, 150, 44}, {480, 14, 150, 44}};
const int NEW_RECORD_Y = 440;  // the glyph cells' top of the line naming a new record
const int MARK_GAP = 10;  // pixels between a chosen word's ink and its markers

// A left click inside `area` (frame pixels).
bool ClickedOn(const SDL_Event& event, const SDL_Rect& area) {
  return event.type == SDL_MOUSEBUTTONDOWN && event.button.button == SDL_BUTTON_LEFT && event.button.x >= area.x &&
         event.button.x < area.x + area.w && event.button.y >= area.y && event.button.y < area.y + area.h;
}

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
      LoadTitlePicture(kTextArt[0], &textImages[0]) == -1 || LoadTitlePicture(kTextArt[1], &textImages[1]) == -1 ||
      LoadTitlePicture(kOptionsArt, &optionsImage) == -1 || LoadTitlePicture(kRecordsArt, &recordsImage) == -1 ||
      markFont.Init(kMarkFont.path, kMarkFont.failure) == -1) {
    return QUORL_COMMON::GLOBAL_ERROR;
  }
  SDL_Surface* words[ENTRY_COUNT] = {textImages[0], textImages[1], optionsImage, recordsImage};
  for (int i = 0; i < ENTRY_COUNT; ++i) {
    wordAreas[i] = VisibleArea(words[i], kWordPositions[i].w, kWordPositions[i].h);
    wordAreas[i].x = static_cast<Sint16>(wordAreas[i].x + kWordPositions[i].x);
    wordAreas[i].y = static_cast<Sint16>(wordAreas[i].y + kWordPositions[i].y);
  }
  selected = NO_ENTRY;
  menu.Reset();

  texWidth = QUORL_COMMON::CanvasSide(static_cast<unsigned int>(width));
  texHeight = QUORL_COMMON::CanvasSide(static_cast<unsigned int>(height));
  if (OpenScreen2D("Title", width, height, 2, textures) == -1) return QUORL_COMMON::GLOBAL_ERROR;
  texturesMade = true;
  // The light texture starts transparent all over; each frame refills only the light's area.
  lightArea = VisibleArea(lightImage, width, height);
  QUORL_COMMON::SDL_Surface_to_GLTexture(lightCanvas, textures[1]);

  if (StartSceneMusic(MUSIC_FILE, &music, &musicStarted) == -1) return QUORL_COMMON::GLOBAL_ERROR;
  // Both canvases drawn once where the first frame clears and draws them again: the renderer
  // prepares its work for them now instead of in the first frame.
  DrawCanvases(true);
  glFinish();
  return 0;
}

int Title::Action(int code) {
  KeepSceneMusicPlaying(music.get());

  if (options.IsOpen()) {
    const int result = OptionsFrame(code);
    if (options.IsOpen() || result != code) return result;
  }
  if (recordsPage.IsOpen()) {
    const int result = RecordsFrame(code);
    if (recordsPage.IsOpen() || result != code) return result;
  }
  int result = code;
  SDL_Event event;
  while (!options.IsOpen() && !recordsPage.IsOpen() && ScreenFrame::PollFrameEvent(&event)) {
    if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE) {
      return Scene::QUIT;
    } else if ((event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_f) ||
               (event.type == SDL_JOYBUTTONDOWN && event.jbutton.button == Menu::PAD_Y)) {
      ToggleSpMode();
    } else if (event.type == SDL_MOUSEBUTTONDOWN && event.button.button == SDL_BUTTON_LEFT &&
               event.button.y > MENU_TOP) {
      if (event.button.x < MENU_SPLIT) {
        result = Choose(NEW_GAME, result);
      } else if (canContinue) {
        result = Choose(CONTINUE, result);
      }
    } else if (ClickedOn(event, kWordPositions[OPTIONS])) {
      result = Choose(OPTIONS, result);
    } else if (ClickedOn(event, kWordPositions[RECORDS])) {
      result = Choose(RECORDS, result);
    } else if (const Menu::Command command = menu.Translate(event)) {
      result = MenuCommand(command, result);
    } else {
      result = QUORL_COMMON::defaultEvent(&event, result);
    }
  }
  if (options.IsOpen()) return OptionsFrame(result);
  if (recordsPage.IsOpen()) return RecordsFrame(result);

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
  const int menuState = (canContinue ? 2 : 0) + (useSpMode ? 1 : 0) + 4 * (selected + 1);
  const size_t newShown = newRecords != nullptr ? newRecords->size() : 0;
  if (menuState != menuShown || newShown != newRecordsShown) {
    newRecordsShown = newShown;
    ComposeMenu();
    FramePhases::Mark(QUORL_COMMON::PHASE_COMPOSE);
    QUORL_COMMON::SDL_Surface_to_GLTexture(canvas, textures[0]);
    FramePhases::Mark(QUORL_COMMON::PHASE_UPLOAD);
    menuShown = menuState;
  }

  // Texture 1: the light alone at this frame's opacity, refilled inside the light's area only
  // (outside it the light is transparent in every frame).
  if (lightArea.w > 0) {
    SDL_Rect fill = lightArea, from = lightArea, to = lightArea;  // SDL may clip them in place
    SDL_FillRect(lightCanvas, &fill, SDL_MapRGBA(lightCanvas->format, 0, 0, 0, 0));
    SDL_AlphaBlendBlitSurface(lightImage, &from, lightAlpha, lightCanvas, &to);
    // The light reaches the OPTIONS entry in the ceiling: the entry is drawn into the light too,
    // so that the pulse brightens around it but never washes it out.
    SDL_Rect optionsPos = kWordPositions[OPTIONS];
    SDL_AlphaBlendBlitSurface(optionsImage, nullptr, lightAlpha, lightCanvas, &optionsPos);
    SDL_Rect recordsPos = kWordPositions[RECORDS];
    SDL_AlphaBlendBlitSurface(recordsImage, nullptr, lightAlpha, lightCanvas, &recordsPos);
    FramePhases::Mark(QUORL_COMMON::PHASE_COMPOSE);
    QUORL_COMMON::SDL_SurfaceRects_to_GLTexture(lightCanvas, {lightArea}, textures[1]);
    FramePhases::Mark(QUORL_COMMON::PHASE_UPLOAD);
  }

  Draw();
  return result;
}

void Title::Draw() {
  DrawCanvases(lightAlpha > 0);
  QUORL_COMMON::FramePhases::Mark(QUORL_COMMON::PHASE_BOARDS);
  QUORL_COMMON::SwapBuffers();
}

void Title::DrawCanvases(bool withLight) {
  ClearScreen2D();
  // The light is blended over the title screen.
  DrawScreenCanvas(textures[0], screenWidth, screenHeight);
  // At opacity 0 the light changes no pixel. Otherwise it is drawn where it can show: the window
  // rectangle of its area, widened by 2 pixels for the stretch of the canvas quad.
  if (withLight && lightArea.w > 0) {
    const double sx = static_cast<double>(screenWidth - 1) / screenWidth;
    const double sy = static_cast<double>(screenHeight - 1) / screenHeight;
    const int x0 = std::max(0, static_cast<int>(std::floor(lightArea.x * sx)) - 2);
    const int x1 = std::min(screenWidth, static_cast<int>(std::ceil((lightArea.x + lightArea.w) * sx)) + 2);
    const int y0 = std::max(0, static_cast<int>(std::floor((screenHeight - 1) - (lightArea.y + lightArea.h) * sy)) - 2);
    const int y1 = std::min(screenHeight, static_cast<int>(std::ceil((screenHeight - 1) - lightArea.y * sy)) + 2);
    glEnable(GL_SCISSOR_TEST);
    ScreenFrame::FrameScissor(x0, y0, x1 - x0, y1 - y0);
    DrawScreenCanvas(textures[1], screenWidth, screenHeight);
    glDisable(GL_SCISSOR_TEST);
  }
}

void Title::ComposeMenu() {
  SDL_AlphaBlendBlitSurface(titleImage, nullptr, 255, canvas, nullptr);
  SDL_Rect newGamePos = {50, 500, 0, 0};
  SDL_AlphaBlendBlitSurface(textImages[0], nullptr, 255, canvas, &newGamePos);
  SDL_Rect continuePos = {450, 500, 0, 0};
  SDL_AlphaBlendBlitSurface(textImages[1], nullptr, canContinue ? 255 : CONTINUE_GREYED, canvas, &continuePos);
  SDL_Rect optionsPos = kWordPositions[OPTIONS];
  SDL_AlphaBlendBlitSurface(optionsImage, nullptr, 255, canvas, &optionsPos);
  SDL_Rect recordsPos = kWordPositions[RECORDS];
  SDL_AlphaBlendBlitSurface(recordsImage, nullptr, 255, canvas, &recordsPos);
  // A game just ended with a new record: the title names it until the records page is opened.
  if (newRecordsShown > 0) {
    std::string line = "NEW RECORD: " + newRecords->front();
    if (newRecordsShown > 1) line += " (+" + std::to_string(newRecordsShown - 1) + ")";
    markFont.Draw(canvas, (screenWidth - markFont.Width(line)) / 2, NEW_RECORD_Y, line);
  }
  if (useSpMode) {
    SDL_Rect spPos = {10, 500, 0, 0};
    SDL_AlphaBlendBlitSurface(spImage, nullptr, 255, canvas, &spPos);
  }
  // The entry the keyboard or the pad chose, between two markers, centred on its ink.
  if (selected != NO_ENTRY && wordAreas[selected].w > 0) {
    const SDL_Rect& area = wordAreas[selected];
    const int y = area.y + area.h / 2 - GlyphFont::BASELINE + 8;
    markFont.Draw(canvas, area.x - MARK_GAP - markFont.Width(">"), y, ">");
    markFont.Draw(canvas, area.x + area.w + MARK_GAP, y, "<");
  }
}

void Title::SetSettings(const Settings* current, SettingsChange onChange) {
  settings = current;
  onSettingsChange = std::move(onChange);
}

void Title::SetRecords(const Records* current, const std::vector<std::string>* beaten, std::function<void()> onSeen) {
  records = current;
  newRecords = beaten;
  onRecordsSeen = std::move(onSeen);
}

void Title::ToggleSpMode() {
  if (!spAvailable) return;
  useSpMode = !useSpMode;
  mciSendStringA("stop sp-bullet-get", nullptr, 0, nullptr);
  mciSendStringA("seek sp-bullet-get to start", nullptr, 0, nullptr);
  mciSendStringA("play sp-bullet-get", nullptr, 0, nullptr);
}

void Title::MoveSelection(int step) {
  if (selected == NO_ENTRY) {
    selected = canContinue ? CONTINUE : NEW_GAME;  // the default choice first
    return;
  }
  do {
    selected = (selected + step + ENTRY_COUNT) % ENTRY_COUNT;
  } while (selected == CONTINUE && !canContinue);
}

int Title::MenuCommand(Menu::Command command, int result) {
  switch (command) {
    case Menu::LEFT:
    case Menu::UP: MoveSelection(-1); break;
    case Menu::RIGHT:
    case Menu::DOWN: MoveSelection(1); break;
    case Menu::ACCEPT:
      if (selected == NO_ENTRY) {
        MoveSelection(0);
      } else {
        return Choose(selected, result);
      }
      break;
    default: break;
  }
  return result;
}

int Title::Choose(int entry, int result) {
  if (entry == NEW_GAME || (entry == CONTINUE && canContinue)) {
    useContinue = entry == CONTINUE;
    return Scene::GAME;
  }
  if (entry == RECORDS) {
    OpenRecords();
    return result;
  }
  if (entry != OPTIONS || settings == nullptr) return result;
  if (!optionsReady) {
    if (options.Init(screenWidth, screenHeight) == -1) {
      options.Finalize();
      return result;  // the title goes on without its options screen
    }
    optionsReady = true;
  }
  options.Open(*settings);
  return result;
}

int Title::OptionsFrame(int code) {
  bool quit = false;
  if (options.Frame(&quit)) {
    QUORL_COMMON::SwapBuffers();
  } else {
    // Left: the changes go to the config, and the title shows again (drawn by the caller).
    if (onSettingsChange) onSettingsChange(options.Before(), options.After());
    menuShown = -1;
    menu.Reset();
  }
  return quit ? Scene::QUIT : code;
}

void Title::OpenRecords() {
  if (records == nullptr) return;
  if (!recordsReady) {
    if (recordsPage.Init(screenWidth, screenHeight) == -1) {
      recordsPage.Finalize();
      return;  // the title goes on without its records page
    }
    recordsReady = true;
  }
  static const std::vector<std::string> kNone;
  recordsPage.Open(*records, newRecords != nullptr ? *newRecords : kNone);
}

int Title::RecordsFrame(int code) {
  bool quit = false;
  if (recordsPage.Frame(&quit)) {
    QUORL_COMMON::SwapBuffers();
  } else {
    // Left: the new records have been seen; the title shows again (drawn by the caller).
    if (onRecordsSeen) onRecordsSeen();
    menuShown = -1;
    menu.Reset();
  }
  return quit ? Scene::QUIT : code;
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
  FreePicture(&optionsImage);
  FreePicture(&recordsImage);
  markFont.Finalize();
  options.Finalize();
  optionsReady = false;
  recordsPage.Finalize();
  recordsReady = false;
  StopSceneMusic(&music, &musicStarted);
  initialized = 0;
}
