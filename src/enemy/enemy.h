// The enemy manager of a dungeon floor: enemy records, their bullets, models, dropped items and
// positional sound effects; placement, contact with the player, behaviours and drawing.
#pragma once

#include <list>
#include <vector>

#include "assets/mqomodel.h"
#include "bullet/bullet.h"
#include "common/collision.h"
#include "common/item.h"
#include "common/runtally.h"
#include "dungeon/dungeonfloor.h"
#include "enemy/enemydata.h"

struct GunnerKind;  // how a boosy or a big boosy shoots and walks (enemy_action.cpp)

class Enemy {
 public:
  Enemy() = default;
  ~Enemy();
  Enemy(const Enemy&) = delete;
  Enemy& operator=(const Enemy&) = delete;

  // Loads the six enemy models and two item models (needs the OpenGL context), opens the 23
  // enemy sound aliases and keeps `floor` (not owned) for every later query. 0, or -1 after a
  // one-line message at the first failure.
  int Init(DungeonFloor* floor);
  // Releases the models and closes the sound aliases. Records and bullets go with Clear.
  void Finalize();
  // Uses `floor` without loading models or opening sounds: for tools, tests and fuzzing that run
  // the enemies without drawing (Draw then draws the bullets only).
  void SetFloor(DungeonFloor* floor) { this->floor = floor; }

  // Stops the enemy sounds, releases every enemy bullet and record. Returns the number of enemies
  // killed on the floor being left (0 on a boss floor or with no enemies).
  int Clear();
  // The number Clear would return now (enemies killed on this floor so far); changes nothing.
  int Killed() const;
  // One enemy of `type` at world (x, z) facing `yaw` degrees. Returns 0.
  int Add(float x, float z, float yaw, int type);
  // Populates the floor numbered `floorNumber`: the boss and its escorts on floors 10, 20 and
  // 30, else up to `count` (at most 20) ordinary enemies on free floor cells. Returns the number
  // of ordinary enemies placed.
  int Add(int count, int floorNumber);
  // One frame: escort revival, behaviours, floor push, enemy bullets. `eye` is the player's eye
  // position (x, y, z). Returns 0.
  int Action(float* eye);
  // Draws the enemy bullets, every visible enemy and its dropped item.
  void Draw();
  // Draws every kind, item and projectile once at the eye's front, in the 3D pass's state, where
  // the next frame clears: the renderer prepares its work for each of them before any frame shows
  // one, instead of in the frame that first does.
  void WarmUpDrawing();
  // Whether any enemy, item or projectile model needs the alpha test (MQOModel::HasCutouts).
  bool ModelsHaveCutouts() const;
  // bossState of the first record (the boss on floors 10, 20, 30): 0..3; 0 on an empty list.
  int StateBoss();
  // What the enemies do to the player this frame: items taken (into `item`), body contact and
  // enemy bullets (knock-back into `push`), then serves the sound slots with the player's centre
  // as listener. Returns the damage dealt.
  int ImpacttoPlayer(QUORL_COMMON::_Collision* player, QUORL_COMMON::_Item* item, float* push);
  // How much lower than its collision origin a body of `type` is tested against the player's
  // shots, in world units: 0.6 for a doosy, 0.65 for a big doosy, 0 for the others.
  static float ShotDrop(int type);
  // The hits of the last ImpacttoPlayer, one per body in reach and per bullet that struck; their
  // damage adds up to its result.
  const std::vector<QUORL_COMMON::PlayerHit>& FrameHits() const { return frameHits; }
  // What one live player bullet does: hits the nearest visible living enemy it touches before a
  // wall. Returns 0.
  int ImpactfromPlayer(Bullet* bullet);
  // The reaction sound of an enemy that a player's bullet has just hit.
  void SetSE(EnemyData* e);
  // Refreshes the collision record of `e` from its position and angles. Returns 0.
  int setCollision(EnemyData* e);

  // Behaviours, one frame of one enemy each (eye as for Action). Return 0.
  int ActionBoosy(float* eye, EnemyData* e);
  int ActionPoosy(float* eye, EnemyData* e);
  int ActionDoosy(float* eye, EnemyData* e);
  int ActionZoosy(float* eye, EnemyData* e);
  int ActionBossBoosy(float* eye, EnemyData* e);
  int ActionBossDoosy(float* eye, EnemyData* e);
  int ActionMelShell(float* eye, EnemyData* e);
  int ActionMelCore(float* eye, EnemyData* e);

  // Sound slot kinds and species (indices of seState and sePos).
  enum SEKind { SE_DEAD = 0, SE_DAMAGED = 1, SE_ATTACK = 2 };
  enum SESpecies { SE_BOOSY = 0, SE_DOOSY = 1, SE_POOSY = 2, SE_ZOOSY = 3 };
  // Requests the slot (kind, species) at world position p; served at the end of the next
  // ImpacttoPlayer. A second request in the same frame moves it to the new position.
  void RequestSE(int kind, int species, const float* p);
  // A slot's state.
  enum SEState { SE_IDLE = 0, SE_REQUESTED = 2, SE_PLAYING = 4 };
  int getSEState(int kind, int species) const { return seState[kind][species]; }
  // A slot started by the last serving: where it was requested and its loudness at the listener.
  struct StartedSE {
    int kind, species;
    float pos[3];
    int volume;  // 0..1000
  };
  // The slots the last ImpacttoPlayer started, in slot order (read by the visible sounds).
  const std::vector<StartedSE>& getStartedSE() const { return startedSE; }
  // Loudness 0..1000 of a positional sound at `source` heard at `listener`: full at the listener,
  // silent from a squared distance of 300 (about 17.3 world units) on.
  static int VolumeAt(const float* source, const float* listener);

  // Where the floor's boss fight is: getBossMode.
  enum BossMode {
    MODE_ORDINARY = 0,      // an ordinary floor
    MODE_BOSS_WAITING = 1,  // the boss has not seen the player yet
    MODE_BOSS_FIGHT = 2,    // the boss has seen the player: the escorts come back
    MODE_BOSS_DYING = 3,    // the boss is going down
  };

  // Read access for the game's summary, tools and tests.
  const std::list<EnemyData*>& getEnemies() const { return enemies; }
  const std::list<Bullet*>& getBullets() const { return bullets; }
  int getBossMode() const { return bossMode; }

 private:
  // Sight check of the behaviours: writes the angles (yaw, pitch) of the line from the enemy to
  // the eye and the squared length of that line; true when no wall stands in between.
  bool SeePlayer(const float* eye, const EnemyData* e, float* angles, float* distance2) const;
  // Facing test: 0 facing within `tolerance`, else the state that turns towards it
  // (EnemyState::TURN_RIGHT or TURN_LEFT).
  int FacingTurn(const float* angles, const EnemyData* e, float tolerance, float* a,
                 float* b) const;
  // Moves `e` away from every other enemy that is not hidden and closer than the sum of their
  // sizes (a zoosy counts with its body sphere's radius). `withY` pushes in height too (poosy).
  // A dashing doosy that touches another enemy ends its dash.
  void Separate(EnemyData* e, bool withY);
  // Walk, turn, shoot and rise of a boosy or big boosy, and the gait of its spheres.
  void GunnerStep(EnemyData* e, const GunnerKind& k);
  // Facing test of a gunner in sight: turn, or start shooting at the eye's pitch (not below -40).
  void TurnOrShoot(EnemyData* e, const float* angles);
  // Walk, turn in place and charge of a doosy (dash 4 x speed) or big doosy (8 x speed).
  void ChargerStep(EnemyData* e, float dash);
  // The charge of a doosy (dash step 4 x speed) or big doosy (8 x speed): wind-up, sound, dash
  // until a wall or 200 frames, rest.
  void Charge(EnemyData* e, float dash, int species);
  // The five bullets of a zoosy's volley.
  void ZoosyVolley(EnemyData* e);
  // The big doosy's dash runs over enemies that it meets from the side.
  void RunOver(EnemyData* boss);
  // The shell turns towards the player at `rate` degrees per frame.
  void TurnShell(EnemyData* e, const float* angles, float rate, float tolerance);
  // The shell's next attack after its choosing pause.
  void ChooseShellAttack(EnemyData* e);
  // One frame of a core part coming up as a needle under the eye, or sinking by `step`.
  void RiseNeedle(const float* eye, EnemyData* e);
  void SinkNeedle(EnemyData* e, float step);
  // Fires one enemy bullet and keeps it.
  void Fire(int kind, const float* origin, float heading, float elevation, int damage);
  // The first record of the list, or nullptr.
  EnemyData* First() const { return enemies.empty() ? nullptr : enemies.front(); }
  // Dying of a boosy or doosy escort on a boss floor: hides it at a random cell once sunk.
  void HideEscort(EnemyData* e);
  // Rolls the item an enemy will drop: meat (2 in 10), special bullets (2 in 10) or nothing.
  static void RollItem(EnemyData* e);
  // Sends the alias's stop, seek-to-start and play commands.
  static void PlayNow(const char* alias);
  // Serves the requested and playing slots with the listener at p.
  void ServeSE(const float* p);
  void ReleaseRecords();
  void ReleaseBullets();
  void ReleaseModels();

  std::vector<MQOModel*> models;      // boosy, doosy, poosy, zoosy, melpaims, Ebullet4
  std::vector<MQOModel*> itemModels;  // meat, special bullets
  DungeonFloor* floor = nullptr;      // not owned
  std::list<Bullet*> bullets;         // enemy bullets, owned
  std::list<EnemyData*> enemies;      // owned, in creation order
  int bossMode = MODE_ORDINARY;  // a BossMode
  int reviveCount = 0;  // record-steps left to the next escort revival while bossMode is 2
  int seState[3][4] = {};      // [kind][species]: an SEState
  float sePos[3][4][3] = {};   // where each slot was requested
  bool soundsOpen = false;     // Init opened the 23 aliases
  std::vector<QUORL_COMMON::PlayerHit> frameHits;  // see FrameHits
  std::vector<StartedSE> startedSE;                // see getStartedSE
};
