// The boss floors' scenes: lines, captions, music, flashes and the locked doors.
#include "game/bossdirector.h"

#include <algorithm>
#include <string>

#include "common/readahead.h"
#include "common/scenecode.h"
#include "enemy/bossstate.h"
#include "enemy/enemy.h"
#include "game/gamesound.h"
#include "game/playermotion.h"
#include "game/statusboard.h"
#include "sound/vbmp3wrap.h"

namespace {

const int BOSS_INTRO_WAIT = 50;     // frames of silence before a boss's first line
const int ENDING_FLASH_TIME = 300;  // frames of the white flash after the last boss
const int ENDING_FADE_TIME = 220;   // frames of the fade into the ending roll
const int LAST_BOSS_FLOOR = 30;

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

// The caption picture and the voice of line `line` of a scene's boss.
std::string CaptionPath(const BossScene& scene, int line) {
  return "img/fonts/boss" + std::to_string(scene.boss) + "-word" + std::to_string(line) + ".png";
}
std::string VoicePath(const BossScene& scene, int line) {
  return "SE/enemy/boss" + std::to_string(scene.boss) + "-voice" + std::to_string(line) + ".mp3";
}

}  // namespace

void BossDirector::Reset() {
  doorLock = musicHold = inputFrozen = worldFrozen = 0;
  bossVoiceStage = 0;
  bossIntroWait = 0;
  preparedLine = 0;
}

void BossDirector::NewFloor(bool bossAlive) {
  if (!bossAlive) return;
  VBMP3Wrap::vbmp3_stop();
  VBMP3Wrap::vbmp3_close();
  musicHold = 1;
  bossVoiceStage = 0;
  preparedLine = 0;
  floorBegun = true;
}

void BossDirector::PrepareNextLine(int floor) {
  const BossScene* scene = BossSceneOf(floor);
  if (scene == nullptr) return;
  // Up to the last intro line the next line is the stage after the last one said; from then on
  // the defeat lines are said at their own stage.
  const int next = bossVoiceStage <= scene->lastIntroLine ? bossVoiceStage + 1 : bossVoiceStage;
  if (next == preparedLine || next > std::max(scene->lastIntroLine, scene->lastDefeatLine)) return;
  preparedLine = next;
  board_.PrepareCaption(CaptionPath(*scene, next));
  QUORL_COMMON::ReadAhead(VoicePath(*scene, next));
  if (next == 1) {  // the scene's start: its music files too
    QUORL_COMMON::ReadAhead(scene->fightMusic);
    if (scene->afterMusic != nullptr) QUORL_COMMON::ReadAhead(scene->afterMusic);
  }
}

void BossDirector::EnterBossRoom() {
  doorLock = inputFrozen = worldFrozen = 1;
  motion_.StopWalking();
  bossIntroWait = BOSS_INTRO_WAIT;
}

int BossDirector::Step(int floor, Enemy* enemy, int* result) {
  if (BossSceneOf(floor) == nullptr) return 0;
  // The next line's caption is read in a frame before the one that shows it (not in the frame
  // that made the floor, which carries enough).
  if (!floorBegun) PrepareNextLine(floor);
  floorBegun = false;
  if (enemy->StateBoss() == BossState::ALIVE && inputFrozen && BossIntroduction(floor) == -1) return -1;
  const auto bossDown = [&] {
    return (enemy->StateBoss() == BossState::DYING || enemy->StateBoss() == BossState::FINISHED) && doorLock;
  };
  if (bossDown() && musicHold == 0) BossGoingDown(floor, enemy->StateBoss());
  if (bossDown() && musicHold == 1) return BossBeaten(floor, result);
  return 0;
}

int BossDirector::BossIntroduction(int floor) {
  const BossScene& scene = *BossSceneOf(floor);
  if (bossIntroWait > 0) {
    --bossIntroWait;
    return 0;
  }
  if (gamesound::MusicPlaying()) return 0;  // a line is still being said
  ++bossVoiceStage;
  if (bossVoiceStage <= scene.lastIntroLine) {
    if (ShowBossLine(floor, bossVoiceStage) == -1) return -1;
    VBMP3Wrap::vbmp3_play();
    return 0;
  }
  // The fight: the world runs again, the doors stay locked, the fight music loops.
  musicHold = inputFrozen = worldFrozen = 0;
  board_.ReleaseCaption();
  VBMP3Wrap::vbmp3_close();
  if (gamesound::OpenMusic(scene.fightMusic) == -1) return -1;
  VBMP3Wrap::vbmp3_play();
  return 0;
}

void BossDirector::BossGoingDown(int floor, int bossState) {
  VBMP3Wrap::vbmp3_setSoftVolume(50, 50);
  if (bossState == BossState::FINISHED) {
    VBMP3Wrap::vbmp3_setSoftVolume(0, 0);
    musicHold = 1;
    VBMP3Wrap::vbmp3_stop();
  }
  if (floor != LAST_BOSS_FLOOR) return;
  if (!inputFrozen) {
    player_.actionTimer = ENDING_FLASH_TIME;
    inputFrozen = 1;
    motion_.StopWalking();
    VBMP3Wrap::vbmp3_setSoftVolume(0, 0);
  }
  // White flash: rising over 80 frames, held for 40, fading over 130.
  const int t = player_.actionTimer;
  const int alpha = t >= 220 ? (ENDING_FLASH_TIME - t) * 255 / 80 : t >= 180 ? 255 : t >= 50 ? (t - 50) * 255 / 130 : 0;
  if (alpha > 0) {
    board_.FillOverlay(255, 255, 255, PlayerComfort::FlashAlpha(alpha, comfort_.whiteFlash));
  } else {
    board_.FillOverlay(0, 0, 0, 0);
  }
}

int BossDirector::BossBeaten(int floor, int* result) {
  const BossScene& scene = *BossSceneOf(floor);
  inputFrozen = worldFrozen = 1;
  motion_.StopWalking();
  if (gamesound::MusicPlaying()) return 0;
  if (bossVoiceStage <= scene.lastDefeatLine) {
    const int line = bossVoiceStage++;
    if (ShowBossLine(floor, line) == -1) return -1;
    VBMP3Wrap::vbmp3_setSoftVolume(100, 100);
    VBMP3Wrap::vbmp3_play();
    return 0;
  }
  if (scene.afterMusic != nullptr) {
    // Floors 10 and 20: the doors open and the floor's music comes back.
    VBMP3Wrap::vbmp3_setSoftVolume(0, 0);
    gamesound::PlaySE("door-unlock");
    doorLock = inputFrozen = worldFrozen = 0;
    board_.ReleaseCaption();
    musicHold = 0;
    VBMP3Wrap::vbmp3_close();
    if (gamesound::OpenMusic(scene.afterMusic) == -1) return -1;
    VBMP3Wrap::vbmp3_setSoftVolume(100, 100);
    VBMP3Wrap::vbmp3_play();
    return 0;
  }
  // Floor 30: the fade into the ending roll.
  if (player_.actionTimer == 0) player_.actionTimer = ENDING_FADE_TIME;
  if (player_.actionTimer == 1) *result = Scene::ENDING;
  const int t = player_.actionTimer;
  board_.FillOverlay(0, 0, 0, t > 120 ? (ENDING_FADE_TIME - t) * 255 / 100 : 255);
  return 0;
}

int BossDirector::ShowBossLine(int floor, int line) {
  const BossScene* scene = BossSceneOf(floor);
  if (scene == nullptr) return -1;
  if (board_.ShowCaption(CaptionPath(*scene, line)) == -1) return -1;
  VBMP3Wrap::vbmp3_close();
  return gamesound::OpenMusic(VoicePath(*scene, line).c_str(), QUORL_COMMON::MARK_VOICE);
}
