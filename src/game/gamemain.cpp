// The game scene's set-up and take-down: Init, the status boards, the light, the floor change
// and Finalize.
#include "game/gamemain.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdio>
#include <string>

#include "assets/loadpng.h"
#include "bullet/bullet.h"
#include "common/canvastexture.h"
#include "common/commonfunc.h"
#include "common/framephases.h"
#include "dungeon/dungeonfloor.h"
#include "enemy/enemy.h"
#include "sound/mcisendstring.h"
#include "sound/vbmp3wrap.h"

namespace {

// The sound effects of the scene, opened in this order.
const char* const kSoundCommands[] = {
    "open \"SE/shot.wav\" alias shot",
    "open \"SE/sp-shot.wav\" alias sp-shot",
    "open \"SE/empty.wav\" alias empty",
    "open \"SE/reload1.wav\" alias reload1",
    "open \"SE/reload2.wav\" alias reload2",
    "open \"SE/player/ugh.wav\" alias himei1",
    "open \"SE/player/dead.wav\" alias himei2",
    "open \"SE/player/eating.wav\" alias eat1",
    "open \"SE/player/geeeeeppu.wav\" alias eat2",
    "open \"SE/sp-bullet-get.wav\" alias sp-bullet-get",
    "open \"SE/door-open.wav\" alias door-open",
    "open \"SE/locked-door.wav\" alias door-locked",
    "open \"SE/unlock.wav\" alias door-unlock",
    "open \"SE/downstairs.wav\" alias downstairs",
};

// Buffering hints of the game's music.
const int kMusicOptions[4] = {30, 5, 5, 0};

// The floor groups: first floor, music file. A group's first floor also loads its wall textures.
struct FloorGroup {
  int firstFloor;
  const char* music;
};
const FloorGroup kFloorGroups[] = {
    {1, "sounds/MOT_1.mp3"},  {6, "sounds/MOT_2.mp3"},  {11, "sounds/MOT_3.mp3"},
    {21, "sounds/MOT_4.mp3"}, {27, "sounds/MOT_5.mp3"},
};

// The group a floor belongs to (floors below 1 count as group 1).
const FloorGroup& GroupOf(int floor) {
  const FloorGroup* group = &kFloorGroups[0];
  for (const FloorGroup& g : kFloorGroups) {
    if (floor >= g.firstFloor) group = &g;
  }
  return *group;
}

// The pictures of the status board; `failure` is printed (followed by the path when `withPath`).
struct BoardPicture {
  const char* path;
  const char* failure;
  bool withPath;
};
const BoardPicture kBulletIcons[3] = {{"img/bullet.png", "Gamemain:Error", false},
                                      {"img/bullet_sp.png", "Gamemain:Error", false},
                                      {"img/bullet_shadow.png", "Gamemain:Error", false}};
const BoardPicture kPausePicture = {"img/fonts/pause.png", "Gamemain:Pause surface Load error ", true};
const BoardPicture kGaugePicture = {"img/life-gauge.png", "Gamemain:Gauge surface Load error", false};
const BoardPicture kSightPicture = {"img/Sight.png", "Gamemain:Sight surface Load error", false};

// The glyph files of a number font: digits 0 to 9, then the two extra glyphs.
struct GlyphFont {
  const char* folder;
  const char* extras[2];
  const char* failure;
};
const GlyphFont kFloorFont = {"img/fonts/floor/", {"B.png", "F.png"}, "Gamemain:Number surface Load error "};
const GlyphFont kSpFont = {"img/fonts/spbulletnum/", {"times.png", "bullet.png"},
                           "Gamemain:SpBulletNum surface Load error "};

// Loads a picture with its SDL alpha off (blits then copy its four bytes unchanged).
int LoadPicture(const std::string& path, const std::string& failure, SDL_Surface** surface) {
  *surface = nullptr;
  if (LoadPNGtoSDLSurface(path.c_str(), surface) == -1) {
    *surface = nullptr;
    printf("%s\n", failure.c_str());
    return -1;
  }
  SDL_SetAlpha(*surface, 0, 0);
  return 0;
}

int LoadPicture(const BoardPicture& picture, SDL_Surface** surface) {
  return LoadPicture(picture.path, picture.withPath ? std::string(picture.failure) + picture.path
                                                    : std::string(picture.failure),
                     surface);
}

int LoadFont(const GlyphFont& font, std::vector<SDL_Surface*>* glyphs) {
  for (int i = 0; i < 12; ++i) {
    const std::string path = std::string(font.folder) + (i < 10 ? std::to_string(i) + ".png" : font.extras[i - 10]);
    SDL_Surface* glyph = nullptr;
    if (LoadPicture(path, font.failure + path, &glyph) == -1) return -1;
    glyphs->push_back(glyph);
  }
  return 0;
}

// A screen-sized board of R, G, B, A bytes, cleared to transparent black.
SDL_Surface* CreateBoard(int width, int height) {
  SDL_Surface* board = SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 32, 0xFF000000, 0x00FF0000,
                                            0x0000FF00, 0x000000FF);
  if (board == nullptr) {
    printf("CreateRGBSurface failure: %s\n", SDL_GetError());
    return nullptr;
  }
  SDL_FillRect(board, nullptr, 0);
  return board;
}

}  // namespace

GameMain::GameMain() = default;

GameMain::~GameMain() { Finalize(); }

int GameMain::Init(int width, int height, int floor, bool spMode, int enemies, int kills) {
  // Release first, so that the counts and the mode stored below belong to the new game.
  Finalize();
  enemyCount = enemies;
  killCount = kills;
  useSpMode = spMode;
  return Init(width, height, floor);
}

int GameMain::Init(int width, int height, int floor) {
  if (initialized) Finalize();
  dungeon = nullptr;
  enemy = nullptr;
  music = nullptr;
  protoBullet = nullptr;
  initialized = 1;
  yaw = pitch = 0;
  actionFlags = 0;
  floorNo = 1;
  floorDispTime = gamemain_const::FLOOR_DISP_TIME;
  StopWalking();
  pos[0] = 0, pos[1] = -0.1f, pos[2] = 0;
  magazine = magazineSize;
  hitPoint = gamemain_const::MaxHitPoint;
  pendingHit = 0;
  knockCount = 0;
  invincibleCount = 0;
  knockVec[0] = knockVec[1] = knockVec[2] = 0;
  doorLock = musicHold = inputFrozen = paused = worldFrozen = 0;
  spBullets = useSpMode ? spBulletMax : 0;
  bulletType = 0;
  bossVoiceStage = 0;
  bossIntroWait = 0;
  frameDamage = 0;
  screenWidth = width;
  screenHeight = height;
  summary.clear();

  // The view's aspect and angle divide by the height; an empty screen has nothing to show.
  if (width <= 0 || height <= 0) {
    printf("Gamemain:screen size error %d x %d\n", width, height);
    return QUORL_COMMON::GLOBAL_ERROR;
  }
  if (CreateStatDisp() == -1) return QUORL_COMMON::GLOBAL_ERROR;

  glEnable(GL_TEXTURE_2D);
  glEnable(GL_CULL_FACE);
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_GREATER, 0.005f);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glCullFace(GL_BACK);
  glShadeModel(GL_SMOOTH);

  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(60.0, static_cast<double>(width) / height, 0.1, 50.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  Lighting();
  gluLookAt(0, 0, 0, 0, 0, -1, 0, 1, 0);

  CentreMouse();

  protoBullet = new Bullet;
  const float origin[3] = {0, 0, 0};
  if (protoBullet->Init(0, origin, 0, 0, 0) == -1) {
    printf("Gamemain:Bullet init error\n");
    return QUORL_COMMON::GLOBAL_ERROR;
  }
  actionTimer = 0;

  dungeon = new DungeonFloor;
  if (dungeon->Init(static_cast<float>(width) * 60 / height) == -1) {
    printf("Gamemain:dungeon init error\n");
    return QUORL_COMMON::GLOBAL_ERROR;
  }
  enemy = new Enemy;
  if (enemy->Init(dungeon) == -1) {
    printf("Gamemain:enemy init error\n");
    return QUORL_COMMON::GLOBAL_ERROR;
  }
  for (const char* command : kSoundCommands) {
    if (mciSendStringA(command, nullptr, 0, nullptr) != 0) {
      printf("Gamemain:SE Reload load error\n");
      return QUORL_COMMON::GLOBAL_ERROR;
    }
  }

  music = new VBMP3Wrap;
  if (music->Init() == -1) {
    printf("Gamemain:VBMP3Wrap Load Error\n");
    return QUORL_COMMON::GLOBAL_ERROR;
  }
  VBMP3Wrap::vbmp3_init();
  musicSetUp = true;
  VBMP3Wrap::vbmp3_setVbmp3Option(kMusicOptions);

  // The first map of a game is built for the first floor of its group (a continue on floor 9
  // plays on a map of floor 6); the floor shown and saved is the one asked for.
  const FloorGroup& group = GroupOf(floor);
  if (OpenMusic(group.music) == -1) {
    // Not fatal here: the game goes on without music.
  }
  float start[3];
  dungeon->SetMap(start, group.firstFloor);
  enemyCount += enemy->Add(group.firstFloor + gamemain_const::ENEMY_NUMBER, group.firstFloor);
  pos[0] = start[0], pos[1] = start[1], pos[2] = start[2];
  floorNo = floor;
  CentreMouse();
  ready = true;
  return 0;
}

int GameMain::OpenMusic(const char* path) {
  VBMP3Info info = {};
  if (VBMP3Wrap::vbmp3_open(path, &info) == 0) {
    printf("Gamemain:BGM Load Error:%d\n", VBMP3Wrap::vbmp3_getLastErrorNo());
    return -1;
  }
  return 0;
}

void GameMain::CentreMouse() {
  SDL_WarpMouse(static_cast<Uint16>(screenWidth / 2), static_cast<Uint16>(screenHeight / 2));
}

QUORL_COMMON::_Collision GameMain::PlayerBody(float length) const {
  QUORL_COMMON::_Collision body = {};
  body.type = QUORL_COMMON::COL_CYLINDER;
  body.pos[0] = pos[0], body.pos[1] = pos[1], body.pos[2] = pos[2];
  body.yaw = yaw;
  body.shape.cylinder.radius = 0.4f;
  body.shape.cylinder.length = length;
  body.shape.cylinder.pitchOffset = 90;
  body.passDoors = true;
  return body;
}

void GameMain::getKillData(int* enemies, int* kills) {
  *enemies = enemyCount;
  *kills = killCount;
}

void GameMain::Lighting() {
  const GLfloat ambient[4] = {0.5f, 0.5f, 0.5f, 1};
  const GLfloat diffuse[4] = {0.2f, 0.2f, 0.2f, 1};
  const GLfloat specular[4] = {0.6f, 0.6f, 0.6f, 1};
  const GLfloat position[4] = {0, 0, -0.05f, 1};
  glLightfv(GL_LIGHT1, GL_AMBIENT, ambient);
  glLightfv(GL_LIGHT1, GL_DIFFUSE, diffuse);
  glLightfv(GL_LIGHT1, GL_SPECULAR, specular);
  glLightfv(GL_LIGHT1, GL_POSITION, position);
  glEnable(GL_LIGHT1);
}

int GameMain::CreateStatDisp() {
  statusSurface = CreateBoard(screenWidth, screenHeight);
  if (statusSurface == nullptr) return -1;
  overlaySurface = CreateBoard(screenWidth, screenHeight);
  if (overlaySurface == nullptr) return -1;

  texWidth = static_cast<int>(QUORL_COMMON::CanvasSide(static_cast<unsigned int>(screenWidth)));
  texHeight = static_cast<int>(QUORL_COMMON::CanvasSide(static_cast<unsigned int>(screenHeight)));
  unsigned int textures[2] = {0, 0};
  if (QUORL_COMMON::CreateCanvasTextures(screenWidth, screenHeight, 2, textures) == -1) {
    printf("Gamemain:canvas texture error\n");
    return -1;
  }
  statusTexture = textures[0];
  overlayTexture = textures[1];
  texturesMade = true;
  // The overlay starts transparent (the canvas storage is undefined until the first upload); the
  // status board is composed whole in the first frame.
  QUORL_COMMON::SDL_Surface_to_GLTexture(overlaySurface, overlayTexture);
  overlayFill = 0;
  statusPieces.Invalidate();

  for (int i = 0; i < 3; ++i) {
    if (LoadPicture(kBulletIcons[i], &bulletIcons[i]) == -1) return -1;
  }
  // The empty-round icon keeps its colours at a third of their opacity: A AND 0x55.
  SDL_Surface* shadow = bulletIcons[2];
  if (SDL_MUSTLOCK(shadow)) SDL_LockSurface(shadow);
  Uint8* bytes = static_cast<Uint8*>(shadow->pixels);
  for (int y = 0; y < shadow->h; ++y) {
    for (int x = 0; x < shadow->w; ++x) bytes[y * shadow->pitch + x * 4 + 3] &= 0x55;
  }
  if (SDL_MUSTLOCK(shadow)) SDL_UnlockSurface(shadow);

  if (LoadFont(kFloorFont, &floorGlyphs) == -1 || LoadFont(kSpFont, &spGlyphs) == -1) return -1;
  if (LoadPicture(kPausePicture, &pauseImage) == -1 || LoadPicture(kGaugePicture, &gaugeImage) == -1 ||
      LoadPicture(kSightPicture, &sightImage) == -1) {
    return -1;
  }
  bossWordImage = nullptr;
  return 0;
}

int GameMain::ChangeFloor() {
  ++floorNo;
  float start[3];
  dungeon->SetMap(start, floorNo);
  floorDispTime = gamemain_const::FLOOR_DISP_TIME;
  killCount += enemy->Clear();
  enemyCount += enemy->Add(floorNo + gamemain_const::ENEMY_NUMBER, floorNo);
  pos[0] = start[0];
  pos[2] = start[2];
  yaw = pitch = 0;
  FillOverlay(0, 0, 0, 0);
  if (actionFlags & RELOADING) ApplyReloadRule();
  actionFlags = 0;
  const FloorGroup& group = GroupOf(floorNo);
  if (group.firstFloor == floorNo && floorNo > 1) {
    VBMP3Wrap::vbmp3_stop();
    VBMP3Wrap::vbmp3_close();
    if (OpenMusic(group.music) == -1) return QUORL_COMMON::GLOBAL_ERROR;
    VBMP3Wrap::vbmp3_play();
  }
  if (enemy->StateBoss() == 1) {
    VBMP3Wrap::vbmp3_stop();
    VBMP3Wrap::vbmp3_close();
    musicHold = 1;
    bossVoiceStage = 0;
  }
  return 0;
}

void GameMain::FillOverlay(int r, int g, int b, int alpha) {
  using QUORL_COMMON::FramePhases;
  // The surfaces' SDL red mask covers the A byte, green B, blue G and alpha R.
  const Uint32 fill = SDL_MapRGBA(overlaySurface->format, static_cast<Uint8>(alpha), static_cast<Uint8>(b),
                                  static_cast<Uint8>(g), static_cast<Uint8>(r));
  if (fill == overlayFill) return;  // the board and its texture hold this colour already
  overlayFill = fill;
  FramePhases::Mark(QUORL_COMMON::PHASE_LOGIC);
  SDL_FillRect(overlaySurface, nullptr, fill);
  FramePhases::Mark(QUORL_COMMON::PHASE_COMPOSE);
  QUORL_COMMON::SDL_Surface_to_GLTexture(overlaySurface, overlayTexture);
  FramePhases::Mark(QUORL_COMMON::PHASE_UPLOAD);
}

void GameMain::ReleaseCaption() {
  FreePNGSurface(bossWordImage);
  bossWordImage = nullptr;
  statusPieces.Invalidate();  // the next caption may take the same address
}

void GameMain::ReleasePictures() {
  for (SDL_Surface** board : {&statusSurface, &overlaySurface}) {
    if (*board != nullptr) SDL_FreeSurface(*board);
    *board = nullptr;
  }
  for (SDL_Surface*& icon : bulletIcons) {
    FreePNGSurface(icon);
    icon = nullptr;
  }
  for (SDL_Surface* glyph : floorGlyphs) FreePNGSurface(glyph);
  for (SDL_Surface* glyph : spGlyphs) FreePNGSurface(glyph);
  floorGlyphs.clear();
  spGlyphs.clear();
  for (SDL_Surface** picture : {&pauseImage, &gaugeImage, &sightImage}) {
    FreePNGSurface(*picture);
    *picture = nullptr;
  }
  ReleaseCaption();
  if (texturesMade) {
    const unsigned int textures[2] = {statusTexture, overlayTexture};
    glDeleteTextures(2, textures);
  }
  texturesMade = false;
  statusTexture = overlayTexture = 0;
}

void GameMain::Finalize() {
  if (!initialized) return;
  ready = false;
  ReleasePictures();
  mciSendStringA("stop all", nullptr, 0, nullptr);
  mciSendStringA("close all", nullptr, 0, nullptr);
  if (musicSetUp) {
    VBMP3Wrap::vbmp3_stop();
    VBMP3Wrap::vbmp3_close();
    VBMP3Wrap::vbmp3_free();
  }
  musicSetUp = false;
  // The library itself stays loaded for the next scene, as the title and the ending keep it.
  delete music;
  music = nullptr;
  if (enemy != nullptr) enemy->Finalize();
  delete enemy;
  enemy = nullptr;
  if (dungeon != nullptr) dungeon->Finalize();
  delete dungeon;
  dungeon = nullptr;
  for (Bullet* bullet : bullets) {
    bullet->Finalize();
    delete bullet;
  }
  bullets.clear();
  if (protoBullet != nullptr) protoBullet->Finalize();
  delete protoBullet;
  protoBullet = nullptr;
  glDisable(GL_CULL_FACE);
  glDisable(GL_ALPHA_TEST);
  initialized = 0;
}
