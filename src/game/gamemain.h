// The game scene: one game in progress, from its first floor to death, Escape or the last boss.
#pragma once

#include <SDL/SDL.h>

#include <list>
#include <string>
#include <vector>

#include "common/collision.h"
#include "game/boardpieces.h"

struct PlayView;
class Bullet;
class DungeonFloor;
class Enemy;
class VBMP3Wrap;

// The game's constants: times in frames, hit points, damage, glyph sizes in pixels.
namespace gamemain_const {
const int NUM_XSIZE = 41;          // nominal digit width of the number fonts
const int NUM_YSIZE = 50;          // nominal digit height of the number fonts
const int RELOAD_TIME = 120;       // frames a reload takes
const int SHOT_TIME = 15;          // frames between two shots (also after an empty click)
const int DOWN_STAIRS_TIME = 100;  // frames from stepping on the stairs to the new floor
const int DEAD_FADE_TIME = 160;    // frames of the death fade
const int FLOOR_DISP_TIME = 180;   // frames the floor number shows on a new floor
const int FLOOR_FADE_STAT = 60;    // the floor number fades out over its last 60 frames
const int ENEMY_NUMBER = 5;        // added to the floor number: enemies asked for on a floor
const int MaxHitPoint = 290;       // full hit points (and the full life bar's length in pixels)
const int BULLET_DAMAGE = 5;       // damage of a special round (a normal round does 1)
const int MAGAZINE_SIZE = 8;       // rounds a full magazine holds
}  // namespace gamemain_const

class GameMain {
 public:
  // Bits of actionFlags; the whole field DEAD means the player is dead.
  static constexpr int SHOOTING = 0x01;
  static constexpr int RELOADING = 0x02;
  static constexpr int DESCENDING = 0x04;
  static constexpr int IN_DOORWAY = 0x08;
  static constexpr int DEAD = 0x80;

  GameMain();
  ~GameMain();
  GameMain(const GameMain&) = delete;
  GameMain& operator=(const GameMain&) = delete;

  // Starts a game of a width x height screen on `floor`, in special mode or not, carrying the
  // enemy and kill counts of the game so far. Returns 0, or -1 after a message.
  int Init(int width, int height, int floor, bool spMode, int enemies, int kills);
  // Starts a game on `floor` with the counts and the mode already stored. Returns 0 or -1.
  int Init(int width, int height, int floor);
  // One frame: events, update, drawing, buffer swap. Returns 2 to stay, 1 for the title,
  // 3 for the ending roll, 99 to quit, -1 on error.
  int Action(int code);
  // The 3D view, then the status and overlay boards; ends with the buffer swap.
  void Draw();
  // Releases everything Init acquired; does nothing when not initialised.
  void Finalize();

  // The floor now being played.
  int GetFloor() { return floorNo; }
  // Enemies placed and killed so far.
  void getKillData(int* enemies, int* kills);
  // The light in front of the eye (call with the model-view matrix at identity).
  void Lighting();
  // The two boards, their canvas textures and the pictures of the status board. 0 or -1.
  int CreateStatDisp();

  // The player's comfort settings; the defaults are the game as designed.
  struct Comfort {
    float sensitivity = 1.0f;  // multiplies the 0.1 degrees of turn per pixel of mouse motion
    bool invertMouse = false;  // mouse motion forward (up) looks down
    bool noFlash = false;      // the red damage flash and the last boss's white flash at 1/3 opacity
  };
  void SetComfort(const Comfort& settings) { comfort = settings; }
  // The game is paused ('z', or the window lost the input focus).
  bool IsPaused() const { return paused != 0; }

  // Keeps a summary of the game at the end of every frame (see getSummary).
  void KeepSummary(bool keep) { keepSummary = keep; }
  // The game's lines of the run summary as they stood at the end of the last frame played
  // (before the enemies of a floor being left were cleared); empty before the first frame.
  const std::string& getSummary() const { return summary; }
  // Copies what a player sees of the game into `view` (for the autoplayer; changes nothing).
  void FillPlayView(PlayView* view) const;
  // Test option: hit points never fall (damage is dropped before it drains).
  void SetInvulnerable(bool on) { invulnerable = on; }

 protected:
  // Protected rather than private: the tests reach the steps and the state through a subclass.

  // Frame steps (gamemain_action.cpp), in the order Action runs them.
  bool HandleEvents(int* result);
  void KeepMouseCentred(const SDL_Event& event);
  void HandleKeyDown(SDLKey key);
  void HandleKeyUp(SDLKey key);
  void HandleMouseMotion(const SDL_MouseMotionEvent& motion);
  void Fire();
  void RequestReload();
  void SwitchBulletType();
  void StartReload();
  void ApplyReloadRule();
  void KnockBackStep();
  void WalkStep();
  int DoorsAndStairs();
  void PassDoors(float* p);
  int TakeStairs(const float* p);
  void UpdateDrawArea();
  void ContactStep();
  void RunEnemies();
  void MoveBullets();
  int BossScenes(int* result);
  int BossIntroduction();
  void BossGoingDown();
  int BossBeaten(int* result);
  int ShowBossLine(int line);
  void ComposeStatus();
  void HitPointStep();
  void UploadStatus();
  void CountDownTimer();
  void KeepMusicAlive();
  int FrameResult(int result);
  int FailFrame();

  // Helpers.
  bool FreeToAct() const { return (actionFlags & ~IN_DOORWAY) == 0; }
  bool IsDead() const { return actionFlags == DEAD; }
  void StopWalking() { strafeSpeed = forwardSpeed = 0; }
  void CentreMouse();
  // The player's upright cylinder at pos (radius 0.4, `length` units tall), passing doors.
  QUORL_COMMON::_Collision PlayerBody(float length) const;
  void EnterBossRoom();
  int ChangeFloor();
  int OpenMusic(const char* path);
  void FillOverlay(int r, int g, int b, int alpha);
  void DrawStatusBoard(float halfWidth, float halfHeight, float u, float v);
  void ReleaseCaption();
  void ReleasePictures();
  void TakeSummary();
  std::string SummaryText() const;

  int initialized = 0;
  bool ready = false;  // Init ran to its end: the floor, the enemies and the music may be used
  int screenWidth = 0, screenHeight = 0;
  Enemy* enemy = nullptr;
  VBMP3Wrap* music = nullptr;
  bool musicSetUp = false;  // vbmp3_init ran and needs its vbmp3_free
  int hitPoint = 0;
  bool invulnerable = false;
  int pendingHit = 0;
  int knockCount = 0;
  float knockVec[3] = {0, 0, 0};
  int actionFlags = 0;
  int floorNo = 1;
  int floorDispTime = 0;
  float yaw = 0, pitch = 0;
  float pos[3] = {0, 0, 0};
  float strafeSpeed = 0, forwardSpeed = 0;
  int magazine = 0;
  int actionTimer = 0;
  int invincibleCount = 0;
  int magazineSize = gamemain_const::MAGAZINE_SIZE;
  int paused = 0;
  bool useSpMode = false;
  int doorLock = 0;
  int musicHold = 0;
  int inputFrozen = 0;
  int worldFrozen = 0;
  int bossIntroWait = 0;
  int enemyCount = 0;
  int killCount = 0;
  int spBulletMax = 999;
  int spBullets = 0;
  int bulletType = 0;
  int bossVoiceStage = 0;
  int frameDamage = 0;       // damage that reached the player this frame (after invincibility)
  bool flashDamage = false;  // the red damage tint is on the overlay (kept across games)
  SDL_Surface* statusSurface = nullptr;
  SDL_Surface* overlaySurface = nullptr;
  SDL_Surface* bulletIcons[3] = {nullptr, nullptr, nullptr};  // normal, special, empty
  std::vector<SDL_Surface*> floorGlyphs;  // 0-9, B, F
  std::vector<SDL_Surface*> spGlyphs;     // 0-9, times sign, bullet
  SDL_Surface* sightImage = nullptr;
  SDL_Surface* gaugeImage = nullptr;
  SDL_Surface* pauseImage = nullptr;
  SDL_Surface* bossWordImage = nullptr;
  Bullet* protoBullet = nullptr;
  std::list<Bullet*> bullets;
  DungeonFloor* dungeon = nullptr;
  unsigned int statusTexture = 0, overlayTexture = 0;
  bool texturesMade = false;
  // The status board's pieces of the last frames: only what changed is recomposed and uploaded,
  // and only the rectangles that hold something are drawn (in window pixels, none overlapping).
  BoardPieces statusPieces;
  std::vector<SDL_Rect> statusScissors;
  // The overlay is one colour all over: the pixel value it holds now (its A byte under the SDL red
  // mask). A fill with the same value changes nothing; a transparent overlay is not drawn.
  Uint32 overlayFill = 0;
  int texWidth = 0, texHeight = 0;

  bool keepSummary = false;
  std::string summary;
  Comfort comfort;
  // A flash's opacity as the player wants it (a third of it with noFlash).
  int FlashAlpha(int alpha) const { return comfort.noFlash ? alpha / 3 : alpha; }
};
