// The game scene's set-up and take-down: Init, the light, the floor change and Finalize.
#include "game/gamemain.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdio>
#include <string>

#include "bullet/bullet.h"
#include "common/commonfunc.h"
#include "common/framemarks.h"
#include "common/readahead.h"
#include "common/screenframe.h"
#include "dungeon/dungeonfloor.h"
#include "enemy/bossstate.h"
#include "enemy/enemy.h"
#include "game/gamesound.h"
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

}  // namespace

GameMain::GameMain() = default;

GameMain::~GameMain() { Finalize(); }

void GameMain::SetControls(const ControlSettings& settings) {
  controls.Set(settings);
  comfort.sensitivity = static_cast<float>(settings.mouseSensitivity);
  comfort.invertMouse = settings.invertMouse;
}

int GameMain::Init(int width, int height, int floor, bool spMode, int enemies, int kills) {
  // Release first, so that the counts and the mode stored below belong to the new game.
  Finalize();
  enemyCount = enemies;
  killCount = kills;
  weapon.useSpMode = spMode;
  return Init(width, height, floor);
}

int GameMain::Init(int width, int height, int floor) {
  if (initialized) Finalize();
  initialized = 1;
  player = PlayerState();
  player.hitPoint = gamemain_const::MaxHitPoint;
  motion.Reset();
  controls.Set(controls.Settings());  // sticks centred, nothing held
  fireHeld = false;
  hitMarkTimer = 0;
  weapon.Reset();
  director.Reset();
  board.ShowFloorNumber();
  floorNo = 1;
  paused = 0;
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
  gluPerspective(gamemain_const::VIEW_ANGLE, static_cast<double>(width) / height, 0.1, 50.0);
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
  if (gamesound::OpenMusic(group.music) == -1) {
    // Not fatal here: the game goes on without music.
  }
  float start[3];
  dungeon->SetMap(start, group.firstFloor);
  const int met = enemy->Add(group.firstFloor + gamemain_const::ENEMY_NUMBER, group.firstFloor);
  stats.StartGame(floor == 1 && enemyCount == 0 && killCount == 0);
  stats.StartFloor(floor, met);
  enemyCount += met;
  motion.pos[0] = start[0], motion.pos[1] = start[1], motion.pos[2] = start[2];
  floorNo = floor;
  CentreMouse();
  modelsCutOut = enemy->ModelsHaveCutouts();
  WarmUpDrawing();
  ready = true;
  return 0;
}

void GameMain::WarmUpDrawing() {
  // The 3D pass's state as Draw sets it, then back as the frame expects it. The floor is drawn as
  // the first frame will see it (the same visible area, which that frame sets again), the models
  // in front of the eye.
  const bool normalize = glIsEnabled(GL_NORMALIZE);
  glEnable(GL_LIGHTING);
  glEnable(GL_DEPTH_TEST);
  glDisable(GL_ALPHA_TEST);
  UpdateDrawArea();
  glPushMatrix();
  LookFromEye();
  dungeon->DrawMap();
  glPopMatrix();
  UseModelState();
  enemy->WarmUpDrawing();
  LeaveWorldState();
  if (!normalize) glDisable(GL_NORMALIZE);
  board.WarmUpDrawing();
  glFinish();  // the renderer's work of all this done now, not in the first frame
}

void GameMain::CentreMouse() {
  ScreenFrame::CentrePointer();  // the window's middle, whatever its size
}

void GameMain::EndStatsFloor() {
  if (ready) stats.EndFloor(enemy->Killed());
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
  if (board.Init(screenWidth, screenHeight) == -1) return -1;
  return cues.Init(comfort.visibleSounds, screenWidth, screenHeight, comfort.fieldOfView);
}

void GameMain::PrepareFloor(int next) {
  const FloorGroup& group = GroupOf(next);
  if (player.actionTimer == gamemain_const::DOWN_STAIRS_TIME && group.firstFloor == next) {
    QUORL_COMMON::ReadAhead(group.music);
  }
  dungeon->PrepareFloor(next);
}

int GameMain::ChangeFloor(int next) {
  QUORL_COMMON::FrameMarks::Note(QUORL_COMMON::MARK_FLOOR);
  floorNo = next;
  float start[3];
  dungeon->SetMap(start, floorNo);
  board.ShowFloorNumber();
  const int killed = enemy->Clear();
  killCount += killed;
  stats.EndFloor(killed);
  const int met = enemy->Add(floorNo + gamemain_const::ENEMY_NUMBER, floorNo);
  enemyCount += met;
  stats.StartFloor(floorNo, met);
  motion.pos[0] = start[0];
  motion.pos[2] = start[2];
  motion.yaw = motion.pitch = 0;
  board.FillOverlay(0, 0, 0, 0);
  if (player.actionFlags & ActionFlag::RELOADING) weapon.ApplyReloadRule();
  player.actionFlags = 0;
  const FloorGroup& group = GroupOf(floorNo);
  if (group.firstFloor == floorNo && floorNo > 1) {
    VBMP3Wrap::vbmp3_stop();
    VBMP3Wrap::vbmp3_close();
    if (gamesound::OpenMusic(group.music) == -1) return QUORL_COMMON::GLOBAL_ERROR;
    VBMP3Wrap::vbmp3_play();
  }
  director.NewFloor(enemy->StateBoss() == BossState::ALIVE);
  return 0;
}

void GameMain::Finalize() {
  if (!initialized) return;
  ready = false;
  board.Finalize();
  cues.Finalize();
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
