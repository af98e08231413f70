// The game scene's frame: controls, walking, doors and stairs, contact, hit points, the boss
// scenes, the status board and the drawing.
#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "assets/loadpng.h"
#include "assets/screenshot.h"
#include "bullet/bullet.h"
#include "common/angles.h"
#include "common/commonfunc.h"
#include "common/framephases.h"
#include "common/item.h"
#include "common/runtally.h"
#include "dungeon/dungeonfloor.h"
#include "enemy/enemy.h"
#include "common/alphablit.h"
#include "game/gamemain.h"
#include "sound/mcisendstring.h"
#include "sound/vbmp3wrap.h"

namespace {

using QUORL_COMMON::RADIANS_PER_DEGREE;

const float _Looking[3] = {0, 0.6f, 0};  // eye offset from the player's feet
const float _BoardZ = 0.50002f;           // distance of the status board in front of the eye
const int _HIT_MOVE_CNT = 15;             // frames of knock-back (and invincibility) after a hit

const float WALK_SPEED = 0.05f;      // world units per frame and key (doubled for one key alone)
const float MOUSE_DEGREES = 0.1f;    // degrees of turn per pixel of mouse motion
const float PITCH_LIMIT = 60;        // degrees up and down
const float SHOT_SPREAD = 2;         // degrees either way of the aim
const float DOOR_STEP = 1.2f;        // world units a door pushes the player through per frame
const int BOSS_INTRO_WAIT = 50;      // frames of silence before a boss's first line
const int ENDING_FLASH_TIME = 300;   // frames of the white flash after the last boss
const int ENDING_FADE_TIME = 220;    // frames of the fade into the ending roll
const int DAMAGE_FLASH_ALPHA = 85;
const int ITEM_MEAT = 10;
const int ITEM_SP_BULLETS = 11;

using Phases = QUORL_COMMON::FramePhases;

// The way a door leads, by the answer of DungeonFloor::ThroughDoor (1 to 4): the headings that
// face it, [from, to) in degrees (a range across 0 wraps), and the step through it.
struct DoorWay {
  float from, to;
  float dx, dz;
};
const DoorWay kDoorWays[5] = {
    {0, 0, 0, 0},  // no door
    {315, 45, 0, -DOOR_STEP},
    {135, 225, 0, DOOR_STEP},
    {45, 135, DOOR_STEP, 0},
    {225, 315, -DOOR_STEP, 0},
};

bool Faces(const DoorWay& way, float yaw) {
  if (way.from > way.to) return yaw >= way.from || yaw < way.to;
  return yaw >= way.from && yaw < way.to;
}

// The three boss scenes: boss number (in file names), last intro line, fight music, last
// defeat line, and the floor music after the defeat (null: the ending follows).
struct BossScene {
  int floor;
  int boss;
  int lastIntroLine;
  const char* fightMusic;
  int lastDefeatLine;
  const char* afterMusic;
};
const BossScene kBossScenes[] = {
    {10, 1, 2, "sounds/Ancient_MurderLp.mp3", 2, "sounds/MOT_2.mp3"},
    {20, 2, 2, "sounds/Ancient_OrderLp.mp3", 4, "sounds/MOT_3.mp3"},
    {30, 3, 1, "sounds/Ancient_PromiseLp.mp3", 3, nullptr},
};

const BossScene* BossSceneOf(int floor) {
  for (const BossScene& scene : kBossScenes) {
    if (scene.floor == floor) return &scene;
  }
  return nullptr;
}

// Plays a sound effect from its start.
void PlaySE(const std::string& alias) {
  mciSendStringA(("stop " + alias).c_str(), nullptr, 0, nullptr);
  mciSendStringA(("seek " + alias + " to start").c_str(), nullptr, 0, nullptr);
  mciSendStringA(("play " + alias).c_str(), nullptr, 0, nullptr);
}

bool MusicPlaying() { return VBMP3Wrap::vbmp3_getState(nullptr) != 0; }

// A draw of -SHOT_SPREAD to +SHOT_SPREAD degrees from a 15-bit random number.
float Spread() {
  const int r = rand() % 32768;
  return static_cast<float>(r) * 2 * SHOT_SPREAD / 32767 - SHOT_SPREAD;
}

// A board's quad in the plane z = 0, halfWidth x halfHeight either side of the eye's line, showing
// the texture's region (0, 0)-(u, v) with its row 0 at the top.
void BoardQuad(float halfWidth, float halfHeight, float u, float v) {
  glBegin(GL_QUADS);
  glTexCoord2f(0, v);
  glVertex3f(-halfWidth, -halfHeight, 0);
  glTexCoord2f(u, v);
  glVertex3f(halfWidth, -halfHeight, 0);
  glTexCoord2f(u, 0);
  glVertex3f(halfWidth, halfHeight, 0);
  glTexCoord2f(0, 0);
  glVertex3f(-halfWidth, halfHeight, 0);
  glEnd();
}

}  // namespace

// One frame, in the order of its fifteen steps.
int GameMain::Action(int code) {
  if (!ready) return QUORL_COMMON::GLOBAL_ERROR;  // a failed Init left nothing to play with
  int result = code;
  if (HandleEvents(&result)) return Scene::TITLE;                   // 1. events; Escape leaves
  if (actionFlags & DESCENDING) StopWalking();                    // 2. frozen on the stairs
  KnockBackStep();                                                // 3. knock-back
  WalkStep();                                                     // 4. walking and the floor
  if (DoorsAndStairs() == -1) return FailFrame();                 // 5. doors and stairs
  UpdateDrawArea();                                               // 6. visible area
  if (!(actionFlags & DESCENDING) && !worldFrozen) {              // 7. contact, enemies, shots
    ContactStep();
    RunEnemies();
    MoveBullets();
  } else {
    frameDamage = 0;
  }
  if (BossScenes(&result) == -1) return FailFrame();              // 8. boss scenes
  Phases::Mark(QUORL_COMMON::PHASE_LOGIC);
  ComposeStatus();                                                // 9. status board
  Phases::Mark(QUORL_COMMON::PHASE_COMPOSE);
  HitPointStep();                                                 // 10. hit points, death
  Phases::Mark(QUORL_COMMON::PHASE_LOGIC);
  UploadStatus();                                                 // 11. status board upload
  Phases::Mark(QUORL_COMMON::PHASE_UPLOAD);
  CountDownTimer();                                               // 12. timers
  KeepMusicAlive();                                               // 13. music keep-alive
  Phases::Mark(QUORL_COMMON::PHASE_LOGIC);
  Draw();                                                         // 14. drawing
  return FrameResult(result);                                     // 15. result
}

// ---- 1. Events and controls ----

bool GameMain::HandleEvents(int* result) {
  SDL_Event event;
  while (*result != Scene::QUIT && SDL_PollEvent(&event)) {
    const bool keyDown = event.type == SDL_KEYDOWN;
    if (keyDown && event.key.keysym.sym == SDLK_ESCAPE) {
      mciSendStringA("stop all", nullptr, 0, nullptr);
      mciSendStringA("close all", nullptr, 0, nullptr);
      VBMP3Wrap::vbmp3_stop();
      TakeSummary();
      killCount += enemy->Clear();
      return true;
    }
    if (keyDown && event.key.keysym.sym == SDLK_z) {
      paused = !paused;
      worldFrozen = paused;
    }
    // A window that loses the input focus pauses the game, and it stays paused on return.
    if (event.type == SDL_ACTIVEEVENT && event.active.gain == 0 && (event.active.state & SDL_APPINPUTFOCUS)) {
      paused = 1;
      worldFrozen = 1;
    }
    if (paused) {
      KeepMouseCentred(event);
      StopWalking();
      continue;  // every event is dropped while paused, a close request included
    }
    if (inputFrozen || IsDead() || (actionFlags & DESCENDING)) {
      KeepMouseCentred(event);
      continue;
    }
    switch (event.type) {
      case SDL_KEYDOWN:
        HandleKeyDown(event.key.keysym.sym);
        break;
      case SDL_KEYUP:
        HandleKeyUp(event.key.keysym.sym);
        break;
      case SDL_MOUSEBUTTONDOWN:
        if (event.button.button == SDL_BUTTON_LEFT) Fire();
        if (event.button.button == SDL_BUTTON_RIGHT) RequestReload();
        break;
      case SDL_MOUSEMOTION:
        HandleMouseMotion(event.motion);
        break;
      default:
        *result = QUORL_COMMON::defaultEvent(&event, *result);
        break;
    }
  }
  return false;
}

void GameMain::KeepMouseCentred(const SDL_Event& event) {
  // Only a pointer that moved away needs the warp: a warp onto the centre itself brings another
  // motion event, and warping for that one too would never let the event queue run dry.
  if (event.type != SDL_MOUSEMOTION) return;
  if (event.motion.x == screenWidth / 2 && event.motion.y == screenHeight / 2) return;
  CentreMouse();
}

void GameMain::HandleKeyDown(SDLKey key) {
  switch (key) {
    case SDLK_w: forwardSpeed = -WALK_SPEED; break;
    case SDLK_s: forwardSpeed = WALK_SPEED; break;
    case SDLK_a: strafeSpeed = -WALK_SPEED; break;
    case SDLK_d: strafeSpeed = WALK_SPEED; break;
    case SDLK_r: RequestReload(); break;
    case SDLK_f: SwitchBulletType(); break;
    default: break;
  }
}

void GameMain::HandleKeyUp(SDLKey key) {
  // Releasing one key of an opposite pair leaves the other's speed alone.
  if ((key == SDLK_w && forwardSpeed < 0) || (key == SDLK_s && forwardSpeed > 0)) forwardSpeed = 0;
  if ((key == SDLK_a && strafeSpeed < 0) || (key == SDLK_d && strafeSpeed > 0)) strafeSpeed = 0;
}

void GameMain::HandleMouseMotion(const SDL_MouseMotionEvent& motion) {
  // The echo of our own warp lands exactly on the centre.
  if ((motion.x == screenWidth / 2 && motion.y == screenHeight / 2) || motion.x == motion.xrel) return;
  const float degrees = MOUSE_DEGREES * comfort.sensitivity;
  yaw += motion.xrel * degrees;
  pitch += motion.yrel * (comfort.invertMouse ? -degrees : degrees);
  if (yaw > 360) yaw -= 360;
  if (yaw < 0) yaw += 360;
  if (pitch > PITCH_LIMIT) pitch = PITCH_LIMIT;
  if (pitch < -PITCH_LIMIT) pitch = -PITCH_LIMIT;
  CentreMouse();
}

void GameMain::Fire() {
  if (!FreeToAct()) return;
  if (magazine > 0) {
    actionFlags |= SHOOTING;
    --magazine;
    const float start[3] = {pos[0], pos[1] + _Looking[1], pos[2]};
    const float a = Spread();
    const float b = Spread();
    Bullet* bullet = new Bullet;
    bullet->Init(0, start, yaw + a, pitch + b, bulletType == 0 ? 1 : gamemain_const::BULLET_DAMAGE);
    bullets.push_back(bullet);
    actionTimer = gamemain_const::SHOT_TIME;
    PlaySE(bulletType == 0 ? "shot" : "sp-shot");
  } else if (actionTimer == 0) {
    actionTimer = gamemain_const::SHOT_TIME;
    actionFlags |= SHOOTING;
    PlaySE("empty");
  }
}

void GameMain::RequestReload() {
  if (!FreeToAct() || magazine == magazineSize) return;
  if (bulletType == 0 || spBullets > 0) {
    StartReload();
  } else if (magazine == 0) {
    bulletType = 0;  // no special rounds left: back to normal rounds
    StartReload();
  }
}

void GameMain::SwitchBulletType() {
  if (!FreeToAct()) return;
  if (bulletType == 0) {
    if (spBullets <= 0) return;
    magazine = 0;  // the normal rounds are dropped
    bulletType = 1;
  } else {
    spBullets = std::min(spBullets + magazine, spBulletMax);
    magazine = 0;
    bulletType = 0;
  }
  StartReload();
}

void GameMain::StartReload() {
  actionTimer = gamemain_const::RELOAD_TIME;
  actionFlags |= RELOADING;
  PlaySE("reload1");
}

void GameMain::ApplyReloadRule() {
  const int need = magazineSize - magazine;
  if (bulletType == 0 || useSpMode) {
    magazine = magazineSize;  // special mode: the stock never runs out
  } else if (spBullets >= need) {
    magazine = magazineSize;
    spBullets -= need;
  } else {
    magazine += spBullets;
    spBullets = 0;
  }
}

// ---- 3, 4. Knock-back and walking ----

void GameMain::KnockBackStep() {
  if (knockCount <= 0) return;
  // A ray along this frame's push (the player moves by minus the knock vector); a ray heading
  // Y points along (sin Y, 0, -cos Y), so the z of the vector given to getAngles is mirrored.
  const float move[3] = {-knockVec[0], 0, -knockVec[2]};
  const float mirrored[3] = {move[0], 0, -move[2]};
  float angles[2];
  getAngles(mirrored, angles);
  QUORL_COMMON::_Collision ray = {};
  ray.type = QUORL_COMMON::COL_RAY;
  ray.pos[0] = pos[0], ray.pos[1] = 0, ray.pos[2] = pos[2];
  ray.yaw = angles[0];
  ray.pitch = angles[1];
  float out[3] = {move[0], move[1], move[2]};
  dungeon->Collision(&ray, out);
  const float dx = pos[0] - out[0], dz = pos[2] - out[2];
  if (knockVec[0] * knockVec[0] + knockVec[2] * knockVec[2] > dx * dx + dz * dz) {
    knockVec[0] = -knockVec[0];  // a wall is closer than this frame's push: bounce off it
    knockVec[2] = -knockVec[2];
  }
  pos[0] -= knockVec[0];
  pos[2] -= knockVec[2];
  --knockCount;
  knockVec[0] *= 0.9f;
  knockVec[2] *= 0.9f;
}

void GameMain::WalkStep() {
  // One key alone walks 0.1 a frame, two keys at once 0.05 along each.
  const float m = (forwardSpeed == 0 || strafeSpeed == 0) ? 2.0f : 1.0f;
  const double h = yaw * RADIANS_PER_DEGREE;
  pos[0] -= static_cast<float>(m * forwardSpeed * std::sin(h));
  pos[2] += static_cast<float>(m * forwardSpeed * std::cos(h));
  pos[0] += static_cast<float>(m * strafeSpeed * std::cos(h));
  pos[2] += static_cast<float>(m * strafeSpeed * std::sin(h));
  pos[1] -= 0.1f;  // gravity; the floor holds the player up

  QUORL_COMMON::_Collision body = PlayerBody(2.0f);
  float out[3] = {0, 0, 0};
  dungeon->Collision(&body, out);
  if (out[0] != pos[0] || out[2] != pos[2]) {
    knockVec[0] = knockVec[1] = knockVec[2] = 0;  // a wall ends the knock-back
    knockCount = 0;
  }
  pos[0] = out[0], pos[1] = out[1], pos[2] = out[2];
}

// ---- 5, 6. Doors, stairs and the visible area ----

int GameMain::DoorsAndStairs() {
  if (IsDead()) return 0;
  float p[3] = {pos[0], 0, pos[2]};
  PassDoors(p);
  return TakeStairs(p);
}

void GameMain::PassDoors(float* p) {
  const int door = dungeon->ThroughDoor(p);
  if (door < 1 || door > 4) {
    actionFlags &= ~IN_DOORWAY;
    return;
  }
  const DoorWay& way = kDoorWays[door];
  if (!Faces(way, yaw)) return;
  if (!doorLock) {
    pos[0] += way.dx, pos[2] += way.dz;
    p[0] += way.dx, p[2] += way.dz;
  }
  if (actionFlags & IN_DOORWAY) return;  // the sound once per passage
  actionFlags |= IN_DOORWAY;
  if (doorLock) {
    PlaySE("door-locked");
    return;
  }
  PlaySE("door-open");
  if (enemy->StateBoss() == 1) EnterBossRoom();
}

void GameMain::EnterBossRoom() {
  doorLock = inputFrozen = worldFrozen = 1;
  StopWalking();
  bossIntroWait = BOSS_INTRO_WAIT;
}

int GameMain::TakeStairs(const float* p) {
  if (!dungeon->DownFloor(p)) return 0;
  StopWalking();
  if (!(actionFlags & DESCENDING)) {
    actionFlags |= DESCENDING;
    knockCount = 0;  // a push still running would carry the player off the stairs for good
    PlaySE("downstairs");
    actionTimer = gamemain_const::DOWN_STAIRS_TIME;
  }
  if (actionTimer == 1) return ChangeFloor();
  FillOverlay(0, 0, 0, (gamemain_const::DOWN_STAIRS_TIME - actionTimer) * 255 / gamemain_const::DOWN_STAIRS_TIME);
  return 0;
}

void GameMain::UpdateDrawArea() {
  const float p[3] = {pos[0], 0, pos[2]};
  dungeon->SetDrawArea(p, yaw);
}

// ---- 7. Contact, enemies and the player's bullets ----

void GameMain::ContactStep() {
  QUORL_COMMON::_Collision body = PlayerBody(0.6f);
  QUORL_COMMON::_Item item = {0, 0};
  float push[3] = {0, 0, 0};
  int damage = enemy->ImpacttoPlayer(&body, &item, push);
  pendingHit += damage;
  if (invincibleCount == 0) {
    if (push[0] * push[0] + push[2] * push[2] != 0) {
      knockVec[0] = push[0], knockVec[1] = push[1], knockVec[2] = push[2];
      StopWalking();
      knockCount = _HIT_MOVE_CNT;
      invincibleCount = _HIT_MOVE_CNT;
    }
  } else {
    pendingHit -= damage;  // invincible: the hit is cancelled
    damage = 0;
    --invincibleCount;
  }
  frameDamage = damage;
  if (damage != 0) {
    for (const QUORL_COMMON::PlayerHit& hit : enemy->FrameHits()) QUORL_COMMON::Tally().Hit(hit);
  }

  if (item.kind == ITEM_MEAT || item.kind == ITEM_SP_BULLETS) QUORL_COMMON::Tally().Item(item.kind, item.amount);
  if (item.kind == ITEM_MEAT) {
    pendingHit -= item.amount;
    PlaySE(hitPoint == gamemain_const::MaxHitPoint && pendingHit <= 0 ? "eat2" : "eat1");
  } else if (item.kind == ITEM_SP_BULLETS) {
    spBullets = std::min(spBullets + item.amount, spBulletMax);
    PlaySE("sp-bullet-get");
  }
}

void GameMain::RunEnemies() {
  float eye[3] = {pos[0] + _Looking[0], pos[1] + _Looking[1], pos[2] + _Looking[2]};
  enemy->Action(eye);
}

void GameMain::MoveBullets() {
  for (auto it = bullets.begin(); it != bullets.end();) {
    Bullet* bullet = *it;
    bullet->Move();
    if (!bullet->isDelete() && !bullet->isHited()) {
      QUORL_COMMON::_Collision query = {};
      bullet->getCollision(&query);
      enemy->ImpactfromPlayer(bullet);
      float out[3] = {0, 0, 0};
      if (!bullet->isHited() && dungeon->Collision(&query, out) != 0) {
        bullet->SetPos(out);
        bullet->HitWall();
      }
    }
    if (bullet->isDelete()) {
      delete bullet;  // it has finalised itself
      it = bullets.erase(it);
    } else {
      ++it;
    }
  }
}

// ---- 8. Boss scenes ----

int GameMain::BossScenes(int* result) {
  if (BossSceneOf(floorNo) == nullptr) return 0;
  if (enemy->StateBoss() == 1 && inputFrozen && BossIntroduction() == -1) return -1;
  const auto bossDown = [this] { return (enemy->StateBoss() == 2 || enemy->StateBoss() == 3) && doorLock; };
  if (bossDown() && musicHold == 0) BossGoingDown();
  if (bossDown() && musicHold == 1) return BossBeaten(result);
  return 0;
}

int GameMain::BossIntroduction() {
  const BossScene& scene = *BossSceneOf(floorNo);
  if (bossIntroWait > 0) {
    --bossIntroWait;
    return 0;
  }
  if (MusicPlaying()) return 0;  // a line is still being said
  ++bossVoiceStage;
  if (bossVoiceStage <= scene.lastIntroLine) {
    if (ShowBossLine(bossVoiceStage) == -1) return -1;
    VBMP3Wrap::vbmp3_play();
    return 0;
  }
  // The fight: the world runs again, the doors stay locked, the fight music loops.
  musicHold = inputFrozen = worldFrozen = 0;
  ReleaseCaption();
  VBMP3Wrap::vbmp3_close();
  if (OpenMusic(scene.fightMusic) == -1) return -1;
  VBMP3Wrap::vbmp3_play();
  return 0;
}

void GameMain::BossGoingDown() {
  VBMP3Wrap::vbmp3_setSoftVolume(50, 50);
  if (enemy->StateBoss() == 3) {
    VBMP3Wrap::vbmp3_setSoftVolume(0, 0);
    musicHold = 1;
    VBMP3Wrap::vbmp3_stop();
  }
  if (floorNo != 30) return;
  if (!inputFrozen) {
    actionTimer = ENDING_FLASH_TIME;
    inputFrozen = 1;
    StopWalking();
    VBMP3Wrap::vbmp3_setSoftVolume(0, 0);
  }
  // White flash: rising over 80 frames, held for 40, fading over 130.
  const int t = actionTimer;
  const int alpha = t >= 220 ? (ENDING_FLASH_TIME - t) * 255 / 80 : t >= 180 ? 255 : t >= 50 ? (t - 50) * 255 / 130 : 0;
  if (alpha > 0) {
    FillOverlay(255, 255, 255, FlashAlpha(alpha));
  } else {
    FillOverlay(0, 0, 0, 0);
  }
}

int GameMain::BossBeaten(int* result) {
  const BossScene& scene = *BossSceneOf(floorNo);
  inputFrozen = worldFrozen = 1;
  StopWalking();
  if (MusicPlaying()) return 0;
  if (bossVoiceStage <= scene.lastDefeatLine) {
    const int line = bossVoiceStage++;
    if (ShowBossLine(line) == -1) return -1;
    VBMP3Wrap::vbmp3_setSoftVolume(100, 100);
    VBMP3Wrap::vbmp3_play();
    return 0;
  }
  if (scene.afterMusic != nullptr) {
    // Floors 10 and 20: the doors open and the floor's music comes back.
    VBMP3Wrap::vbmp3_setSoftVolume(0, 0);
    PlaySE("door-unlock");
    doorLock = inputFrozen = worldFrozen = 0;
    ReleaseCaption();
    musicHold = 0;
    VBMP3Wrap::vbmp3_close();
    if (OpenMusic(scene.afterMusic) == -1) return -1;
    VBMP3Wrap::vbmp3_setSoftVolume(100, 100);
    VBMP3Wrap::vbmp3_play();
    return 0;
  }
  // Floor 30: the fade into the ending roll.
  if (actionTimer == 0) actionTimer = ENDING_FADE_TIME;
  if (actionTimer == 1) *result = Scene::ENDING;
  const int t = actionTimer;
  FillOverlay(0, 0, 0, t > 120 ? (ENDING_FADE_TIME - t) * 255 / 100 : 255);
  return 0;
}

int GameMain::ShowBossLine(int line) {
  const BossScene& scene = *BossSceneOf(floorNo);
  ReleaseCaption();
  const std::string name = std::to_string(scene.boss);
  const std::string caption = "img/fonts/boss" + name + "-word" + std::to_string(line) + ".png";
  if (LoadPNGtoSDLSurface(caption.c_str(), &bossWordImage) == -1) {
    bossWordImage = nullptr;
    printf("Gamemain:Text surface Load error\n");
    return -1;
  }
  SDL_SetAlpha(bossWordImage, 0, 0);
  VBMP3Wrap::vbmp3_close();
  const std::string voice = "SE/enemy/boss" + name + "-voice" + std::to_string(line) + ".mp3";
  return OpenMusic(voice.c_str());
}

// ---- 9, 11. The status board ----

void GameMain::ComposeStatus() {
  using namespace gamemain_const;
  // The pieces in drawing order; BoardPieces redraws only those parts of the board that changed.
  statusPieces.Begin();
  SDL_Surface* centre = paused ? pauseImage : sightImage;
  statusPieces.Test(centre, (screenWidth - centre->w) / 2, (screenHeight - centre->h) / 2);

  // Life bar: green at full hit points, yellow at half, red near zero.
  const int life = std::max(hitPoint, 0);
  const int half = MaxHitPoint / 2;
  const int c1 = life > half ? 192 * (MaxHitPoint - life) / half : 192;
  const int c2 = life > half ? 192 : 192 * life / half;
  statusPieces.Fill(77, 40, life, 24,
                    SDL_MapRGBA(statusSurface->format, 255, 0, static_cast<Uint8>(c2), static_cast<Uint8>(c1)));
  statusPieces.Test(gaugeImage, 0, 0);

  // Magazine, right to left along the top edge.
  const int iconWidth = bulletIcons[0]->w;
  for (int i = 0; i < magazineSize; ++i) {
    SDL_Surface* icon = magazine <= i ? bulletIcons[2] : bulletIcons[bulletType == 1 ? 1 : 0];
    statusPieces.Copy(icon, screenWidth - (i + 1) * iconWidth, 0);
  }

  // Floor number "B<digits>F" at the bottom right, fading over its last 60 frames.
  if (floorDispTime > 0) {
    const int alpha = floorDispTime <= FLOOR_FADE_STAT - 1 ? floorDispTime * 255 / FLOOR_FADE_STAT : 255;
    SDL_Surface* f = floorGlyphs[11];
    int x = screenWidth - f->w / 2;
    const int y = screenHeight - f->h;
    statusPieces.Blend(f, x, y, alpha);
    int number = std::max(floorNo, 0);
    do {
      SDL_Surface* digit = floorGlyphs[number % 10];
      x -= digit->w;
      statusPieces.Blend(digit, x, y, alpha);
      number /= 10;
    } while (number > 0);
    x -= floorGlyphs[10]->w;
    statusPieces.Blend(floorGlyphs[10], x, y, alpha);
    --floorDispTime;
  }

  // Special-bullet counter at the bottom left: bullet, times sign, three digits.
  int x = 5 * spGlyphs[0]->w;
  const int y = screenHeight - spGlyphs[0]->h;
  int stock = std::max(spBullets, 0);
  for (int i = 0; i < 3; ++i, stock /= 10) {
    x -= spGlyphs[stock % 10]->w;
    statusPieces.Copy(spGlyphs[stock % 10], x, y);
  }
  x -= spGlyphs[10]->w;
  statusPieces.Copy(spGlyphs[10], x, y);
  x -= spGlyphs[11]->w;
  statusPieces.Copy(spGlyphs[11], x, y);

  if (bossWordImage != nullptr) {
    statusPieces.Copy(bossWordImage, (screenWidth - bossWordImage->w) / 2, (screenHeight - bossWordImage->h) / 2);
  }
  statusPieces.Compose(statusSurface);
}

void GameMain::UploadStatus() { statusPieces.Upload(statusSurface, statusTexture); }

// ---- 10. Hit points, damage flash and death ----

void GameMain::HitPointStep() {
  if (invulnerable && pendingHit > 0) pendingHit = 0;
  if (pendingHit > 0) {
    --pendingHit;
    --hitPoint;
    if (hitPoint <= 0) {
      hitPoint = 0;
      pendingHit = 0;
      if (!IsDead()) {
        actionFlags = DEAD;
        actionTimer = gamemain_const::DEAD_FADE_TIME;
        StopWalking();
        mciSendStringA("stop himei1", nullptr, 0, nullptr);
        PlaySE("himei2");
      }
    }
  } else if (pendingHit < 0) {
    ++pendingHit;
    ++hitPoint;
    if (hitPoint > gamemain_const::MaxHitPoint) {
      hitPoint = gamemain_const::MaxHitPoint;
      pendingHit = 0;
    }
  }

  if (hitPoint > 0) {
    if (frameDamage != 0) {
      FillOverlay(255, 0, 0, FlashAlpha(DAMAGE_FLASH_ALPHA));
      PlaySE("himei1");
      flashDamage = true;
    } else if (flashDamage) {
      flashDamage = false;
      FillOverlay(255, 0, 0, 0);
    }
    return;
  }
  // Dead: the screen turns red over 80 frames, then the music stops under opaque red.
  int alpha = 255;
  if (actionTimer > 80) {
    alpha = (gamemain_const::DEAD_FADE_TIME - actionTimer) * 255 / 80;
  } else {
    VBMP3Wrap::vbmp3_stop();
  }
  FillOverlay(255, 0, 0, alpha);
}

// ---- 12 to 15. Timers, music, drawing and the result ----

void GameMain::CountDownTimer() {
  if (actionTimer <= 0) return;
  if (--actionTimer > 0) return;
  if (IsDead()) {
    hitPoint = -1;  // the death fade has ended
    return;
  }
  if (actionFlags & RELOADING) {
    PlaySE("reload2");
    ApplyReloadRule();
    actionFlags &= ~RELOADING;
  }
  actionFlags &= ~SHOOTING;
}

void GameMain::KeepMusicAlive() {
  // The dead hear their music stop (the death fade stops it) and not start again.
  if (IsDead()) return;
  if (!MusicPlaying() && musicHold == 0) VBMP3Wrap::vbmp3_play();
}

int GameMain::FrameResult(int result) {
  if (hitPoint < 0) result = Scene::TITLE;
  TakeSummary();
  if (result != Scene::GAME) killCount += enemy->Clear();
  return result;
}

int GameMain::FailFrame() {
  TakeSummary();
  return QUORL_COMMON::GLOBAL_ERROR;
}

void GameMain::Draw() {
  glMatrixMode(GL_MODELVIEW);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glShadeModel(GL_SMOOTH);

  // The 3D view: floor, enemies, bullets.
  glPushMatrix();
  glEnable(GL_LIGHTING);
  glEnable(GL_DEPTH_TEST);
  glRotatef(pitch, 1, 0, 0);
  glRotatef(yaw, 0, 1, 0);
  glTranslatef(-(pos[0] + _Looking[0]), -(pos[1] + _Looking[1]), -(pos[2] + _Looking[2]));
  // The floor's surfaces are opaque (lit alpha 1 on opaque pictures): the alpha test would pass
  // every fragment, and without it the renderer may test depth before texturing.
  glDisable(GL_ALPHA_TEST);
  dungeon->DrawMap();
  glEnable(GL_ALPHA_TEST);
  glDisable(GL_CULL_FACE);
  glEnable(GL_NORMALIZE);
  enemy->Draw();
  for (Bullet* bullet : bullets) bullet->Draw();
  glEnable(GL_CULL_FACE);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  glPopMatrix();
  Phases::Mark(QUORL_COMMON::PHASE_3D);

  // The two boards as quads fixed in front of the eye.
  glEnable(GL_BLEND);
  glPushMatrix();
  glTranslatef(0, 0, -_BoardZ);
  const float u = static_cast<float>(screenWidth) / texWidth;
  const float v = static_cast<float>(screenHeight) / texHeight;
  DrawStatusBoard(0.38f, 0.288f, u, v);
  // The overlay is one colour all over; fully transparent it would change no pixel.
  if ((overlayFill & overlaySurface->format->Rmask) != 0) {
    glTranslatef(0, 0, 0.00001f);
    glBindTexture(GL_TEXTURE_2D, overlayTexture);
    glColor3f(1, 1, 1);
    BoardQuad(0.4f, 0.3f, u, v);
  }
  glBindTexture(GL_TEXTURE_2D, 0);
  glPopMatrix();
  glDisable(GL_BLEND);
  Phases::Mark(QUORL_COMMON::PHASE_BOARDS);
  QUORL_COMMON::SwapBuffers();
}

void GameMain::DrawStatusBoard(float halfWidth, float halfHeight, float u, float v) {
  const std::vector<SDL_Rect>& covered = statusPieces.Covered();
  if (covered.empty()) return;
  // Where the board's corners land in the window: the quad is the same whole-board quad as ever,
  // only cut down by scissor rectangles around the parts that hold something (plus 2 pixels), so
  // each pixel drawn is exactly the pixel the whole quad gives there.
  GLdouble model[16], projection[16];
  GLint viewport[4];
  glGetDoublev(GL_MODELVIEW_MATRIX, model);
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  glGetIntegerv(GL_VIEWPORT, viewport);
  GLdouble left, top, right, bottom, depth;
  gluProject(-halfWidth, halfHeight, 0, model, projection, viewport, &left, &top, &depth);
  gluProject(halfWidth, -halfHeight, 0, model, projection, viewport, &right, &bottom, &depth);
  const double sx = (right - left) / screenWidth, sy = (top - bottom) / screenHeight;
  statusScissors.clear();
  for (const SDL_Rect& r : covered) {
    const int x0 = std::max(viewport[0], static_cast<int>(std::floor(left + r.x * sx)) - 2);
    const int x1 = std::min(viewport[0] + viewport[2], static_cast<int>(std::ceil(left + (r.x + r.w) * sx)) + 2);
    const int y0 = std::max(viewport[1], static_cast<int>(std::floor(top - (r.y + r.h) * sy)) - 2);
    const int y1 = std::min(viewport[1] + viewport[3], static_cast<int>(std::ceil(top - r.y * sy)) + 2);
    if (x1 <= x0 || y1 <= y0) continue;
    statusScissors.push_back({static_cast<Sint16>(x0), static_cast<Sint16>(y0), static_cast<Uint16>(x1 - x0),
                              static_cast<Uint16>(y1 - y0)});
  }
  // Widened rectangles may overlap now; a pixel drawn twice would be blended twice.
  BoardPieces::MergeOverlaps(&statusScissors);
  glBindTexture(GL_TEXTURE_2D, statusTexture);
  glColor3f(1, 1, 1);
  glEnable(GL_SCISSOR_TEST);
  for (const SDL_Rect& r : statusScissors) {
    glScissor(r.x, r.y, r.w, r.h);
    BoardQuad(halfWidth, halfHeight, u, v);
  }
  glDisable(GL_SCISSOR_TEST);
}
