// The player's gun: rounds, shots and reloads.
#include "game/weapon.h"

#include <algorithm>
#include <cstdlib>

#include "bullet/bullet.h"
#include "game/gamesound.h"

namespace {

const float SHOT_SPREAD = 2;  // degrees either way of the aim

// A draw of -SHOT_SPREAD to +SHOT_SPREAD degrees from a 15-bit random number.
float Spread() {
  const int r = rand() % 32768;
  return static_cast<float>(r) * 2 * SHOT_SPREAD / 32767 - SHOT_SPREAD;
}

}  // namespace

void Weapon::Reset() {
  magazine = magazineSize;
  spBullets = useSpMode ? spBulletMax : 0;
  bulletType = 0;
}

void Weapon::Fire(const float* muzzle, float yaw, float pitch, std::list<Bullet*>* bullets) {
  if (!player_.FreeToAct()) return;
  if (magazine > 0) {
    player_.actionFlags |= ActionFlag::SHOOTING;
    --magazine;
    const float a = Spread();
    const float b = Spread();
    Bullet* bullet = new Bullet;
    bullet->Init(0, muzzle, yaw + a, pitch + b, bulletType == 0 ? 1 : gamemain_const::BULLET_DAMAGE);
    bullets->push_back(bullet);
    player_.actionTimer = gamemain_const::SHOT_TIME;
    gamesound::PlaySE(bulletType == 0 ? "shot" : "sp-shot");
  } else if (player_.actionTimer == 0) {
    player_.actionTimer = gamemain_const::SHOT_TIME;
    player_.actionFlags |= ActionFlag::SHOOTING;
    gamesound::PlaySE("empty");
  }
}

void Weapon::RequestReload() {
  if (!player_.FreeToAct() || magazine == magazineSize) return;
  if (bulletType == 0 || spBullets > 0) {
    StartReload();
  } else if (magazine == 0) {
    bulletType = 0;  // no special rounds left: back to normal rounds
    StartReload();
  }
}

void Weapon::SwitchBulletType() {
  if (!player_.FreeToAct()) return;
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

void Weapon::StartReload() {
  player_.actionTimer = gamemain_const::RELOAD_TIME;
  player_.actionFlags |= ActionFlag::RELOADING;
  gamesound::PlaySE("reload1");
}

void Weapon::ApplyReloadRule() {
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

void Weapon::TakeRounds(int amount) { spBullets = std::min(spBullets + amount, spBulletMax); }
