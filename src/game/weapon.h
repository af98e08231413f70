// The player's gun: the magazine, normal and special rounds, firing, reloading and switching.
#pragma once

#include <list>

#include "game/gameconst.h"
#include "game/playerstate.h"

class Bullet;

class Weapon {
 public:
  // The gun shares the player's action flags and timer: a shot and a reload are actions.
  explicit Weapon(PlayerState& player) : player_(player) {}

  // A new game: a full magazine of normal rounds; the special stock full in special mode, else
  // empty. The mode itself (useSpMode) is kept.
  void Reset();
  // A left click: a round leaves from `muzzle` along (yaw, pitch), spread up to 2 degrees either
  // way, into `bullets`; with the magazine empty, the empty click. Either starts a shot's pause.
  void Fire(const float* muzzle, float yaw, float pitch, std::list<Bullet*>* bullets);
  // 'r' or a right click: reloads the rounds in use; without special rounds left an empty
  // magazine goes back to normal rounds.
  void RequestReload();
  // 'f': from normal to special rounds (the normal rounds are dropped) or back (the special
  // rounds return to the stock); either way a reload follows.
  void SwitchBulletType();
  // The reload's end: fills the magazine, special rounds from the stock (endless in special mode).
  void ApplyReloadRule();
  // Special rounds picked up, up to the stock's limit.
  void TakeRounds(int amount);

  int magazine = 0;                                 // rounds in the magazine, 0..magazineSize
  int magazineSize = gamemain_const::MAGAZINE_SIZE;
  int bulletType = 0;                               // 0 normal rounds, 1 special rounds
  int spBullets = 0;                                // special rounds in the stock, 0..spBulletMax
  int spBulletMax = gamemain_const::SP_BULLET_MAX;
  bool useSpMode = false;                           // special mode: the stock never runs out

 private:
  void StartReload();
  PlayerState& player_;
};
