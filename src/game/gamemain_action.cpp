// The game scene's frame: controls, doors and stairs, contact, hit points, timers, music and the
// drawing, over the scene's parts.
#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdio>

#include "assets/screenshot.h"
#include "bullet/bullet.h"
#include "common/commonfunc.h"
#include "common/framephases.h"
#include "common/screenframe.h"
#include "common/bindings.h"
#include "common/item.h"
#include "common/runtally.h"
#include "common/scenecode.h"
#include "common/settings.h"
#include "dungeon/dungeonfloor.h"
#include "enemy/bossstate.h"
#include "enemy/enemy.h"
#include "game/gamemain.h"
#include "game/gamesound.h"
#include "sound/mcisendstring.h"
#include "sound/vbmp3wrap.h"

namespace {

const float _Looking[3] = {0, gamemain_const::EYE_HEIGHT, 0};  // eye offset from the player's feet
const int DAMAGE_FLASH_ALPHA = 85;
const int HIT_MARK_FRAMES = 20;  // frames the still mark of a hit stays when the damage flash is off

using Phases = QUORL_COMMON::FramePhases;
using gamesound::PlaySE;

}  // namespace

// One frame, in the order of its fifteen steps.
int GameMain::Action(int code) {
  if (!ready) return QUORL_COMMON::GLOBAL_ERROR;  // a failed Init left nothing to play with
  int result = code;
  if (!Update(&result)) {               // 1-13. the game's steps
    gamesound::ForgetStarted();
    return result;
  }
  Draw();                               // 14. drawing
  return FrameResult(result);           // 15. result
}

bool GameMain::Update(int* result) {
  if (HandleEvents(result)) {                                      // 1. events; Escape leaves
    *result = Scene::TITLE;
    return false;
  }
  if (!paused) stats.Frame();                                      //    (the floor's clock)
  if (player.actionFlags & ActionFlag::DESCENDING) motion.StopWalking();  // 2. frozen on the stairs
  motion.KnockBackStep(dungeon);                                   // 3. knock-back
  motion.WalkStep(dungeon);                                        // 4. walking and the floor
  if (DoorsAndStairs() == -1) return FailFrame(result);            // 5. doors and stairs
  UpdateDrawArea();                                                // 6. visible area
  enemiesRan = !(player.actionFlags & ActionFlag::DESCENDING) && !director.worldFrozen;
  if (enemiesRan) {                                                // 7. contact, enemies, shots
    ContactStep();
    RunEnemies();
    MoveBullets();
  } else {
    player.frameDamage = 0;
  }
  if (director.Step(floorNo, enemy, result) == -1) return FailFrame(result);  // 8. boss scenes
  Phases::Mark(QUORL_COMMON::PHASE_LOGIC);
  ComposeStatus();                                                 // 9. status board
  Phases::Mark(QUORL_COMMON::PHASE_COMPOSE);
  HitPointStep();                                                  // 10. hit points, death
  Phases::Mark(QUORL_COMMON::PHASE_LOGIC);
  board.Upload();                                                  // 11. status board upload
  Phases::Mark(QUORL_COMMON::PHASE_UPLOAD);
  CountDownTimer();                                                // 12. timers
  KeepMusicAlive();                                                // 13. music keep-alive,
  HearSounds();                                                    //     visible sounds
  Phases::Mark(QUORL_COMMON::PHASE_LOGIC);
  return true;
}

// ---- 1. Events and controls ----

bool GameMain::HandleEvents(int* result) {
  SDL_Event event;
  while (*result != Scene::QUIT && SDL_PollEvent(&event)) {
    changes.clear();
    controls.Translate(event, &changes);
    if (Starts(Control::TO_TITLE)) {
      mciSendStringA("stop all", nullptr, 0, nullptr);
      mciSendStringA("close all", nullptr, 0, nullptr);
      VBMP3Wrap::vbmp3_stop();
      TakeSummary();
      const int killed = enemy->Clear();
      killCount += killed;
      stats.EndFloor(killed);
      return true;
    }
    if (Starts(Control::PAUSE)) {
      paused = !paused;
      director.worldFrozen = paused;
    }
    // A released fire input is seen whatever holds the game, so that a held fire never sticks.
    for (const Controls::Change& change : changes) {
      if (change.action == Control::FIRE && !change.down) fireHeld = false;
    }
    // A window that loses the input focus pauses the game, and it stays paused on return.
    if (event.type == SDL_ACTIVEEVENT && event.active.gain == 0 && (event.active.state & SDL_APPINPUTFOCUS)) {
      paused = 1;
      director.worldFrozen = 1;
    }
    if (paused) {
      KeepMouseCentred(event);
      motion.StopWalking();
      fireHeld = false;
      continue;  // every event is dropped while paused, a close request included
    }
    if (InputLocked()) {
      KeepMouseCentred(event);
      continue;
    }
    for (const Controls::Change& change : changes) Act(change);
    if (event.type == SDL_MOUSEMOTION) {
      HandleMouseMotion(event.motion);
    } else if (event.type != SDL_KEYDOWN && event.type != SDL_KEYUP && event.type != SDL_MOUSEBUTTONDOWN) {
      *result = QUORL_COMMON::defaultEvent(&event, *result);
    }
  }
  LookStep();
  return false;
}

bool GameMain::Starts(int action) const {
  for (const Controls::Change& change : changes) {
    if (change.action == action && change.down) return true;
  }
  return false;
}

bool GameMain::InputLocked() const {
  return director.inputFrozen || player.IsDead() || (player.actionFlags & ActionFlag::DESCENDING);
}

void GameMain::Act(const Controls::Change& change) {
  if (!change.down) {
    motion.Walk(change.action, false);
    return;
  }
  switch (change.action) {
    case Control::FIRE:
      fireHeld = true;
      Fire();
      break;
    case Control::RELOAD: weapon.RequestReload(); break;
    case Control::SWITCH_ROUNDS: weapon.SwitchBulletType(); break;
    default: motion.Walk(change.action, true); break;
  }
}

void GameMain::Fire() {
  const float muzzle[3] = {motion.pos[0], motion.pos[1] + _Looking[1], motion.pos[2]};
  const size_t before = bullets.size();
  weapon.Fire(muzzle, motion.yaw, motion.pitch, &bullets);
  stats.Shots(static_cast<int>(bullets.size() - before));
}

void GameMain::LookStep() {
  if (paused || InputLocked()) return;
  float yaw = 0, pitch = 0;
  controls.LookTurn(&yaw, &pitch);
  if (yaw != 0 || pitch != 0) motion.TurnBy(yaw, pitch);
  // Held, the fire input fires again whenever a click would: the gun's own pause between shots,
  // never during a reload.
  if (fireHeld && controls.Settings().holdToFire && player.FreeToAct()) Fire();
}

void GameMain::KeepMouseCentred(const SDL_Event& event) {
  // Only a pointer that moved away needs the warp: a warp onto the centre itself brings another
  // motion event, and warping for that one too would never let the event queue run dry.
  if (event.type != SDL_MOUSEMOTION) return;
  if (event.motion.x == ScreenFrame::CentreX() && event.motion.y == ScreenFrame::CentreY()) return;
  CentreMouse();
}

void GameMain::HandleMouseMotion(const SDL_MouseMotionEvent& mouse) {
  // The echo of our own warp lands exactly on the centre.
  if ((mouse.x == ScreenFrame::CentreX() && mouse.y == ScreenFrame::CentreY()) || mouse.x == mouse.xrel) return;
  motion.Turn(mouse.xrel, mouse.yrel, comfort);
  CentreMouse();
}

// ---- 5, 6. Doors, stairs and the visible area ----

int GameMain::DoorsAndStairs() {
  if (player.IsDead()) return 0;
  float p[3] = {motion.pos[0], 0, motion.pos[2]};
  PassDoors(p);
  return TakeStairs(p);
}

void GameMain::PassDoors(float* p) {
  const int door = dungeon->ThroughDoor(p);
  if (door < 1 || door > 4) {
    player.actionFlags &= ~ActionFlag::IN_DOORWAY;
    return;
  }
  if (!motion.PassDoor(door, director.doorLock != 0, p)) return;
  if (player.actionFlags & ActionFlag::IN_DOORWAY) return;  // the sound once per passage
  player.actionFlags |= ActionFlag::IN_DOORWAY;
  if (director.doorLock) {
    PlaySE("door-locked");
    return;
  }
  PlaySE("door-open");
  if (enemy->StateBoss() == BossState::ALIVE) director.EnterBossRoom();
}

int GameMain::TakeStairs(const float* p) {
  using gamemain_const::DOWN_STAIRS_TIME;
  if (!dungeon->DownFloor(p)) return 0;
  motion.StopWalking();
  if (!(player.actionFlags & ActionFlag::DESCENDING)) {
    player.actionFlags |= ActionFlag::DESCENDING;
    motion.knockCount = 0;  // a push still running would carry the player off the stairs for good
    PlaySE("downstairs");
    player.actionTimer = DOWN_STAIRS_TIME;
  }
  if (player.actionTimer == 1) return ChangeFloor(floorNo + 1);
  PrepareFloor(floorNo + 1);  // the next floor's pictures and music, a step a frame of the fade
  board.FillOverlay(0, 0, 0, (DOWN_STAIRS_TIME - player.actionTimer) * 255 / DOWN_STAIRS_TIME);
  return 0;
}

void GameMain::UpdateDrawArea() {
  const float p[3] = {motion.pos[0], 0, motion.pos[2]};
  dungeon->SetDrawArea(p, motion.yaw);
}

// ---- 7. Contact, enemies and the player's bullets ----

void GameMain::ContactStep() {
  QUORL_COMMON::_Collision body = motion.Body(0.6f);
  QUORL_COMMON::_Item item = {ItemKind::NONE, 0};
  float push[3] = {0, 0, 0};
  int damage = enemy->ImpacttoPlayer(&body, &item, push);
  player.pendingHit += damage;
  if (player.invincibleCount == 0) {
    if (push[0] * push[0] + push[2] * push[2] != 0) {
      motion.Push(push);
      player.invincibleCount = gamemain_const::HIT_MOVE_CNT;
    }
  } else {
    player.pendingHit -= damage;  // invincible: the hit is cancelled
    damage = 0;
    --player.invincibleCount;
  }
  player.frameDamage = damage;
  stats.Damage(damage);
  if (damage != 0) {
    for (const QUORL_COMMON::PlayerHit& hit : enemy->FrameHits()) QUORL_COMMON::Tally().Hit(hit);
  }

  if (item.kind == ItemKind::MEAT || item.kind == ItemKind::SP_BULLETS) {
    QUORL_COMMON::Tally().Item(item.kind, item.amount);
    stats.Item();
  }
  if (item.kind == ItemKind::MEAT) {
    player.pendingHit -= item.amount;
    PlaySE(player.hitPoint == gamemain_const::MaxHitPoint && player.pendingHit <= 0 ? "eat2" : "eat1");
  } else if (item.kind == ItemKind::SP_BULLETS) {
    weapon.TakeRounds(item.amount);
    PlaySE("sp-bullet-get");
  }
}

void GameMain::RunEnemies() {
  const float* pos = motion.pos;
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
      if (bullet->isHited()) stats.Hit();
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

// ---- 9. The status board ----

void GameMain::ComposeStatus() {
  board.Compose({paused != 0, player.hitPoint, weapon.magazine, weapon.magazineSize, weapon.bulletType, floorNo,
                 weapon.spBullets, hitMarkTimer > 0, comfort.colourSafe,
                 comfort.timer == TimerSetting::OFF     ? -1
                 : comfort.timer == TimerSetting::FLOOR ? stats.Current().frames
                                                        : stats.GameFrames()});
}

// ---- 10. Hit points, damage flash and death ----

void GameMain::HitPointStep() {
  PlayerState& p = player;
  if (invulnerable && p.pendingHit > 0) p.pendingHit = 0;
  if (p.pendingHit > 0) {
    --p.pendingHit;
    --p.hitPoint;
    if (p.hitPoint <= 0) {
      p.hitPoint = 0;
      p.pendingHit = 0;
      if (!p.IsDead()) {
        p.actionFlags = ActionFlag::DEAD;
        p.actionTimer = gamemain_const::DEAD_FADE_TIME;
        motion.StopWalking();
        mciSendStringA("stop himei1", nullptr, 0, nullptr);
        PlaySE("himei2");
      }
    }
  } else if (p.pendingHit < 0) {
    ++p.pendingHit;
    ++p.hitPoint;
    if (p.hitPoint > gamemain_const::MaxHitPoint) {
      p.hitPoint = gamemain_const::MaxHitPoint;
      p.pendingHit = 0;
    }
  }

  if (hitMarkTimer > 0) --hitMarkTimer;
  if (p.hitPoint > 0) {
    if (p.frameDamage != 0) {
      // Without the flash a hit still shows: a still mark along the edges for a moment.
      if (comfort.damageFlash == 0) hitMarkTimer = HIT_MARK_FRAMES;
      board.FillOverlay(255, 0, 0, PlayerComfort::FlashAlpha(DAMAGE_FLASH_ALPHA, comfort.damageFlash));
      PlaySE("himei1");
      flashDamage = true;
    } else if (flashDamage) {
      flashDamage = false;
      board.FillOverlay(255, 0, 0, 0);
    }
    return;
  }
  // Dead: the screen turns red over 80 frames, then the music stops under opaque red.
  int alpha = 255;
  if (p.actionTimer > 80) {
    alpha = (gamemain_const::DEAD_FADE_TIME - p.actionTimer) * 255 / 80;
  } else {
    VBMP3Wrap::vbmp3_stop();
  }
  board.FillOverlay(255, 0, 0, alpha);
}

// ---- 12 to 15. Timers, music, drawing and the result ----

void GameMain::CountDownTimer() {
  PlayerState& p = player;
  if (p.actionTimer <= 0) return;
  if (--p.actionTimer > 0) return;
  if (p.IsDead()) {
    p.hitPoint = -1;  // the death fade has ended
    return;
  }
  if (p.actionFlags & ActionFlag::RELOADING) {
    PlaySE("reload2");
    weapon.ApplyReloadRule();
    p.actionFlags &= ~ActionFlag::RELOADING;
  }
  p.actionFlags &= ~ActionFlag::SHOOTING;
}

void GameMain::KeepMusicAlive() {
  // The dead hear their music stop (the death fade stops it) and not start again.
  if (player.IsDead()) return;
  if (!gamesound::MusicPlaying() && director.musicHold == 0) VBMP3Wrap::vbmp3_play();
}

// The frame's sounds, turned into edge glows and captions when the player asked to see them
// (reads the game only).
void GameMain::HearSounds() {
  const float eye[3] = {motion.pos[0] + _Looking[0], motion.pos[1] + _Looking[1], motion.pos[2] + _Looking[2]};
  cues.Hear(gamesound::Started(), *enemy, enemiesRan, {eye, motion.yaw, motion.pitch});
  gamesound::ForgetStarted();
}

int GameMain::FrameResult(int result) {
  if (player.hitPoint < 0) result = Scene::TITLE;
  TakeSummary();
  if (result != Scene::GAME) {
    const int killed = enemy->Clear();
    killCount += killed;
    stats.EndFloor(killed);
  }
  return result;
}

bool GameMain::FailFrame(int* result) {
  TakeSummary();
  *result = QUORL_COMMON::GLOBAL_ERROR;
  return false;
}

void GameMain::SetViewAngle(double degrees) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(degrees, static_cast<double>(screenWidth) / screenHeight, 0.1, 50.0);
  glMatrixMode(GL_MODELVIEW);
}

void GameMain::UseModelState() {
  if (modelsCutOut) glEnable(GL_ALPHA_TEST);
  glDisable(GL_CULL_FACE);
  glEnable(GL_NORMALIZE);
}

void GameMain::LeaveWorldState() {
  glEnable(GL_ALPHA_TEST);
  glEnable(GL_CULL_FACE);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
}

void GameMain::LookFromEye() {
  const float* pos = motion.pos;
  glRotatef(motion.pitch, 1, 0, 0);
  glRotatef(motion.yaw, 0, 1, 0);
  glTranslatef(-(pos[0] + _Looking[0]), -(pos[1] + _Looking[1]), -(pos[2] + _Looking[2]));
}

void GameMain::Draw() {
  glMatrixMode(GL_MODELVIEW);
  glClearColor(0, 0, 0, 1);
  ScreenFrame::ClearFrame(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glShadeModel(GL_SMOOTH);

  // The 3D view: floor, enemies, bullets; at the player's field of view (the boards keep the
  // designed angle).
  const bool ownAngle = comfort.fieldOfView != 1.0f;
  if (ownAngle) SetViewAngle(gamemain_const::VIEW_ANGLE * comfort.fieldOfView);
  glPushMatrix();
  glEnable(GL_LIGHTING);
  glEnable(GL_DEPTH_TEST);
  LookFromEye();
  // The floor's surfaces are opaque (lit alpha 1 on opaque pictures), and the models have no
  // cut-outs: the alpha test would pass every fragment, and without it the renderer may test
  // depth before shading (a boss close up is mostly hidden faces of its own).
  glDisable(GL_ALPHA_TEST);
  dungeon->DrawMap();
  UseModelState();
  enemy->Draw();
  for (Bullet* bullet : bullets) bullet->Draw();
  LeaveWorldState();
  glPopMatrix();
  if (ownAngle) SetViewAngle(gamemain_const::VIEW_ANGLE);
  cues.Draw();  // the visible sounds, under the board and its flashes
  Phases::Mark(QUORL_COMMON::PHASE_3D);

  // The two boards as quads fixed in front of the eye.
  board.Draw();
  Phases::Mark(QUORL_COMMON::PHASE_BOARDS);
  QUORL_COMMON::SwapBuffers();
}
