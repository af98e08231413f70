// The game scene: one game in progress, from its first floor to death, Escape or the last boss.
#pragma once

#include <SDL/SDL.h>

#include <list>
#include <string>
#include <vector>

#include "game/bossdirector.h"
#include "game/controls.h"
#include "game/gameconst.h"
#include "game/playercomfort.h"
#include "game/playermotion.h"
#include "game/playerstate.h"
#include "game/runstats.h"
#include "game/soundcues.h"
#include "game/statusboard.h"
#include "game/weapon.h"

struct PlayView;
class Bullet;
class DungeonFloor;
class Enemy;
class VBMP3Wrap;

// The scene owns the floor, the enemies and the player's shots, and its parts: the player's
// motion, the weapon, the status board and the boss director. Action runs the frame's fifteen
// steps over them.
class GameMain {
 public:
  GameMain();
  ~GameMain();
  GameMain(const GameMain&) = delete;
  GameMain& operator=(const GameMain&) = delete;

  // Starts a game of a width x height screen on `floor`, in special mode or not, carrying the
  // enemy and kill counts of the game so far. Returns 0, or -1 after a message.
  int Init(int width, int height, int floor, bool spMode, int enemies, int kills);
  // Starts a game on `floor` with the counts and the mode already stored. Returns 0 or -1.
  int Init(int width, int height, int floor);
  // One frame: events, update, drawing, buffer swap. Returns Scene::GAME to stay, Scene::TITLE,
  // Scene::ENDING, Scene::QUIT, or -1 on error.
  int Action(int code);
  // The frame's steps before the drawing (1 to 13: events to the visible sounds), which may change
  // `*result`. False when the frame ends here: Escape (*result the title) or a failure (-1).
  bool Update(int* result);
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
  // Goes on to floor `next`: its map and enemies, the player at its start, the group's music
  // (and the boss floor's silence). Returns 0, or -1 when the music cannot be opened.
  int ChangeFloor(int next);
  // One step of making floor `next` ready during the descent: its texture set a step a frame,
  // and on the descent's first frame its music file read ahead when a group begins there.
  void PrepareFloor(int next);

  // The player's comfort settings; the defaults are the game as designed.
  using Comfort = PlayerComfort;
  void SetComfort(const Comfort& settings) { comfort = settings; }
  // The bindings, the pad's sticks and the mouse's sensitivity and inversion (also in the comfort).
  void SetControls(const ControlSettings& settings);
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

  // The game's statistics: each floor's counts, finished when the floor is left or the game ends.
  RunStats& Stats() { return stats; }
  // The game ended in death (the death fade ran out).
  bool PlayerDied() const { return player.hitPoint < 0; }
  // The program ends in the middle of a floor: it is finished with the kills so far.
  void EndStatsFloor();

  // The scene's parts, for the tests, benchmarks and tools that set up or read a game.
  PlayerState& Player() { return player; }
  PlayerMotion& Motion() { return motion; }
  Weapon& Gun() { return weapon; }
  StatusBoard& Board() { return board; }
  BossDirector& Director() { return director; }
  const SoundCues& Cues() const { return cues; }
  DungeonFloor* Floor() { return dungeon; }
  Enemy* Enemies() { return enemy; }
  std::list<Bullet*>& Shots() { return bullets; }

 private:
  // Frame steps (gamemain_action.cpp), in the order Action runs them.
  bool HandleEvents(int* result);
  void KeepMouseCentred(const SDL_Event& event);
  // Whether the event being handled starts `action`.
  bool Starts(int action) const;
  // Play input is ignored: a boss scene holds it, the player is dead or on the stairs.
  bool InputLocked() const;
  // Carries out one action starting or ending (walking, fire, reload, switching rounds).
  void Act(const Controls::Change& change);
  // The projection of a view `degrees` high (the window's aspect, near 0.1, far 50).
  void SetViewAngle(double degrees);
  // The look stick's turn of this frame, and a held fire input's shot.
  void LookStep();
  // A shot from the player's eye along the view (or the empty click).
  void Fire();
  void HandleMouseMotion(const SDL_MouseMotionEvent& motion);
  int DoorsAndStairs();
  void PassDoors(float* p);
  int TakeStairs(const float* p);
  void UpdateDrawArea();
  void ContactStep();
  void RunEnemies();
  void MoveBullets();
  void ComposeStatus();
  void HitPointStep();
  void CountDownTimer();
  void KeepMusicAlive();
  void HearSounds();
  int FrameResult(int result);
  bool FailFrame(int* result);

  void CentreMouse();
  // The floor and every model drawn once before the first frame, into the back buffer the first
  // frame clears (see Enemy::WarmUpDrawing).
  void WarmUpDrawing();
  // The model-view matrix turned and moved to the player's eye.
  void LookFromEye();
  // The models' drawing state after the floor: no culling (their faces show from both sides),
  // normals kept at unit length under scaling, the alpha test only for cut-outs.
  void UseModelState();
  // Out of the 3D pass: the alpha test and culling on, depth and lighting off, as the boards expect.
  void LeaveWorldState();
  void TakeSummary();
  std::string SummaryText() const;

  int initialized = 0;
  bool ready = false;  // Init ran to its end: the floor, the enemies and the music may be used
  int screenWidth = 0, screenHeight = 0;
  Enemy* enemy = nullptr;
  VBMP3Wrap* music = nullptr;
  bool musicSetUp = false;  // vbmp3_init ran and needs its vbmp3_free
  DungeonFloor* dungeon = nullptr;
  Bullet* protoBullet = nullptr;
  std::list<Bullet*> bullets;  // the player's shots in flight

  PlayerComfort comfort;
  Controls controls;
  std::vector<Controls::Change> changes;  // the actions of the event being handled
  PlayerState player;
  PlayerMotion motion;
  Weapon weapon{player};
  StatusBoard board;
  BossDirector director{player, motion, board, comfort};
  SoundCues cues;          // the visible sounds (drawn only with comfort.visibleSounds)
  bool modelsCutOut = true;  // some model needs the alpha test (Enemy::ModelsHaveCutouts)
  bool enemiesRan = false;  // step 7 ran the enemies this frame (their started sounds are new)

  int floorNo = 1;
  int paused = 0;
  bool invulnerable = false;
  bool flashDamage = false;  // the red damage tint is on the overlay (kept across games)
  int hitMarkTimer = 0;      // frames the still mark of a hit stays at the edges (damage flash at 0 %)
  bool fireHeld = false;     // the fire input is held (hold to fire)
  int enemyCount = 0;
  int killCount = 0;
  RunStats stats;

  bool keepSummary = false;
  std::string summary;
};
