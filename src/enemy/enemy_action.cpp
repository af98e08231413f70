// The enemies' behaviours: the ordinary boosy, doosy, poosy and zoosy, and the three bosses.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "common/angles.h"
#include "common/runtally.h"
#include "enemy/bossstate.h"
#include "enemy/enemy.h"
#include "enemy/enemystate.h"
#include "enemy/enemytype.h"

namespace {

namespace S = EnemyState;
namespace T = EnemyType;
using QUORL_COMMON::Radians;
float SinD(double degrees) { return static_cast<float>(std::sin(Radians(degrees))); }
float CosD(double degrees) { return static_cast<float>(std::cos(Radians(degrees))); }

// An angle brought into 0..360 (by whole turns).
float Wrap(float degrees) {
  while (degrees >= 360.0f) degrees -= 360.0f;
  while (degrees < 0.0f) degrees += 360.0f;
  return degrees;
}

// Angle pair of the facing test: a = target - yaw and b = -a, each in 0..360. Facing when the
// target lies exactly ahead on the right side or within `tolerance` on the left side.
bool Facing(float target, float yaw, float tolerance, float* a, float* b) {
  *a = Wrap(target - yaw);
  *b = Wrap(-(target - yaw));
  return (*a < *b) ? (*a == 0.0f) : (*b <= tolerance);
}

// One step of `step` along the enemy's heading (0 faces +z, 90 faces +x).
void Forward(EnemyData* e, float step) {
  e->pos[0] += SinD(e->yaw) * step;
  e->pos[2] += CosD(e->yaw) * step;
}

void AddPhase(EnemyData* e, float degrees) { e->phase = Wrap(e->phase + degrees); }

// One frame of a revived escort rising from the ground (RISING) at 0.03 per frame; above `top`
// it stands (IDLE) and the floor holds it again.
void Rise(EnemyData* e, float top) {
  e->pos[1] += 0.03f;
  if (e->pos[1] > top) {
    e->state = S::IDLE;
    e->noFloorCollision = false;
  }
}

// The idle choice of an enemy that does not see the player: walk, turn left or turn right (each
// for 60 frames), or stay idle, one in four each.
void ChooseWander(EnemyData* e) {
  static const int states[4] = {S::WALK, S::TURN_LEFT, S::TURN_RIGHT, S::IDLE};
  const int r = rand() % 4;
  if (states[r] == S::IDLE) return;
  e->state = states[r];
  e->timer = 60;
}

// The sphere arrays of a COL_SPHERES body.
float* Distances(EnemyData* e) { return e->collision.shape.spheres.distances; }
float* PitchOffsets(EnemyData* e) { return e->collision.shape.spheres.pitchOffsets; }
float* Radii(EnemyData* e) { return e->collision.shape.spheres.radii; }

// Damage of the enemy bullets.
const int _PoosyDamage = 60;
const int _ZoosyDamage = 20;
const int _BossDamage = 60;

}  // namespace

// The two gunners. Muzzle: reach ahead of the body and height (relative to the body, or fixed in
// the world); the shot: bullet kind, elevation added to the aim, damage, frames before the gun
// rises again and degrees it rises per frame; the gait of the three spheres: base distances,
// swing and phase lags (degrees); the gun sphere's pitch follows -aim (boosy) or +aim.
struct GunnerKind {
  float muzzleReach;
  bool fixedMuzzleHeight;
  float muzzleHeight;
  int bulletKind;
  float elevationOffset;
  int damage;
  int shotPause;
  float raiseStep;
  float gaitBase[3];
  float gaitSwing;
  float gaitLag[3];
  float aimPitchSign;
};

namespace {
const GunnerKind _Boosy = {0.4f, false, -0.2f, 10, 0.0f, 30, 20, 1.0f,
                           {0.4f, -0.05f, -0.45f}, 0.2f, {0, 30, 70}, -1.0f};
const GunnerKind _BigBoosy = {0.3f, true, -1.6f, 20, -5.0f, 60, 60, 0.5f,
                              {1.6f, -0.2f, -1.8f}, 0.05f, {0, 30, 70}, 1.0f};
}  // namespace

bool Enemy::SeePlayer(const float* eye, const EnemyData* e, float* angles, float* distance2) const {
  const float d[3] = {eye[0] - e->pos[0], eye[1] - e->pos[1], -(eye[2] - e->pos[2])};
  getAngles(d, angles);
  *distance2 = d[0] * d[0] + d[1] * d[1] + d[2] * d[2];
  if (floor == nullptr) return true;
  QUORL_COMMON::_Collision ray = {};
  ray.type = QUORL_COMMON::COL_RAY;
  std::copy(e->pos, e->pos + 3, ray.pos);
  ray.yaw = angles[0];
  ray.pitch = angles[1];
  float w[3] = {e->pos[0], e->pos[1], e->pos[2]};
  floor->Collision(&ray, w);
  const float wx = w[0] - e->pos[0], wy = w[1] - e->pos[1], wz = w[2] - e->pos[2];
  return !(wx * wx + wy * wy + wz * wz < *distance2);
}

int Enemy::FacingTurn(const float* angles, const EnemyData* e, float tolerance, float* a,
                      float* b) const {
  if (Facing(180.0f - angles[0], e->yaw, tolerance, a, b)) return 0;
  return (*a < *b) ? S::TURN_RIGHT : S::TURN_LEFT;
}

void Enemy::Separate(EnemyData* e, bool withY) {
  const float own = (e->type == T::ZOOSY) ? Radii(e)[1] : e->scale;
  for (const EnemyData* o : enemies) {
    if (o == e || o->hidden) continue;
    const float r = own + ((o->type == T::ZOOSY) ? o->collision.shape.spheres.radii[1] : o->scale);
    float d[3] = {e->pos[0] - o->pos[0], e->pos[1] - o->pos[1], e->pos[2] - o->pos[2]};
    const float len2 = d[0] * d[0] + d[1] * d[1] + d[2] * d[2];
    if (!(len2 < r * r)) continue;
    float len = std::sqrt(len2);
    if (len < 1e-6f) {
      // Two bodies on one point: part them in a random horizontal direction.
      const float theta = static_cast<float>(rand() % 360);
      d[0] = SinD(theta);
      d[1] = 0;
      d[2] = CosD(theta);
      len = 1;
    }
    e->pos[0] += d[0] * (r - len) / len;
    e->pos[2] += d[2] * (r - len) / len;
    if (withY) e->pos[1] += d[1] * (r - len) / len;
    if (e->type == T::DOOSY && e->state == S::ATTACK && e->timer > -200 && e->timer < 0) {
      e->timer = -200;  // a dashing doosy stops at the body it meets
    }
  }
  setCollision(e);
}

void Enemy::Fire(int kind, const float* origin, float heading, float elevation, int damage) {
  Bullet* b = new Bullet();
  if (b->Init(kind, origin, heading, elevation, damage) != 0) {
    delete b;  // the shared bullet models could not be loaded: no bullet
    return;
  }
  bullets.push_back(b);
}

void Enemy::HideEscort(EnemyData* e) {
  e->hidden = true;
  const int cell[3] = {rand() % 5 + 1, 0, rand() % 5 + 2};
  float w[3] = {e->pos[0], 0, e->pos[2]};
  if (floor != nullptr) floor->getMaptoWorld(cell, w);
  e->pos[0] = w[0];
  e->pos[2] = w[2];
}

// ---- Gunners: the boosy and the big boosy walk, turn in their gait and shoot alike ----

void Enemy::GunnerStep(EnemyData* e, const GunnerKind& k) {
  switch (e->state) {
    case S::WALK:  // walk
      Forward(e, e->speed);
      AddPhase(e, 3);
      if (--e->timer < 1) e->state = S::IDLE;
      break;
    case S::TURN_RIGHT:  // turn right or left, only in parts of the gait cycle
    case S::TURN_LEFT: {
      const float p = e->phase;
      if (p < 70 || p > 290 || (p > 110 && p < 250)) {
        e->yaw = Wrap(e->yaw + (e->state == S::TURN_RIGHT ? 0.5f : -0.5f));
        e->timer--;
      }
      Forward(e, e->speed);
      AddPhase(e, 3);
      if (e->timer < 1) e->state = S::IDLE;
      break;
    }
    case S::ATTACK: {  // lower the gun to the target, shoot, raise it again
      const float muzzle[3] = {e->pos[0] + k.muzzleReach * SinD(e->yaw),
                               k.fixedMuzzleHeight ? k.muzzleHeight : e->pos[1] + k.muzzleHeight,
                               e->pos[2] + k.muzzleReach * CosD(e->yaw)};
      if (e->timer == 0) {
        e->aim -= 1;
        if (e->aim <= e->aimTarget) {
          e->aim = e->aimTarget;
          Fire(k.bulletKind, muzzle, 180 - e->yaw, e->aim + k.elevationOffset, k.damage);
          RequestSE(SE_ATTACK, SE_BOOSY, e->pos);
          e->timer = k.shotPause;
        }
      } else if (e->timer == 1) {
        e->aim = 0;
        e->state = S::IDLE;
      } else if (e->timer == 2) {
        e->aim += k.raiseStep;
        if (e->aim >= 0) {
          e->aim = 0;
          e->timer = 1;
        }
      } else {
        e->timer--;
      }
      break;
    }
    case S::RISING:  // rising from the ground after a revival
      Rise(e, -1.5f);
      break;
    default:
      break;
  }
  // Gait of the three collision spheres (the legs swing), and the gun sphere follows the aim.
  float* d = Distances(e);
  for (int i = 0; i < 3; ++i) d[i] = k.gaitBase[i] + k.gaitSwing * (1 + SinD(e->phase - k.gaitLag[i]));
  PitchOffsets(e)[0] = k.aimPitchSign * e->aim;
}

void Enemy::TurnOrShoot(EnemyData* e, const float* angles) {
  float a, b;
  const int turn = FacingTurn(angles, e, 1.0f, &a, &b);
  if (turn != 0) {
    e->state = turn;
  } else {
    e->state = S::ATTACK;
    e->timer = 0;
    e->aimTarget = std::max(angles[1], -40.0f);
  }
}

// ---- Boosy: a walker with a gun ----

int Enemy::ActionBoosy(float* eye, EnemyData* e) {
  if (e->state == S::DYING) {
    if (e->aim < 0) {
      e->aim -= 1;
      PitchOffsets(e)[0] = -e->aim;
    }
    e->aim = 0;
    if (e->roll < 180) {
      e->roll += 3;
      e->pos[0] += 0.02f * SinD(e->yaw - 90);
      e->pos[2] += 0.02f * CosD(e->yaw - 90);
    } else {
      e->roll = 180;
      e->itemDropped = e->itemKind != ItemKind::NONE;
      if (bossMode != MODE_ORDINARY) {
        e->noFloorCollision = true;
        if (!e->itemDropped && e->pos[1] < -3.0f) HideEscort(e);
      }
    }
  } else {
    float angles[2], distance2;
    const bool sight = SeePlayer(eye, e, angles, &distance2);
    GunnerStep(e, _Boosy);
    if (!sight) {
      if (e->state == S::IDLE) ChooseWander(e);
    } else if (e->state != S::RISING && e->state != S::ATTACK) {
      TurnOrShoot(e, angles);
    }
  }
  e->pos[1] -= 0.01f;
  setCollision(e);
  Separate(e, false);
  return 0;
}

// ---- Chargers: the doosy and the big doosy walk, turn in place and charge alike ----

void Enemy::ChargerStep(EnemyData* e, float dash) {
  switch (e->state) {
    case S::WALK:  // walk
      Forward(e, e->speed);
      AddPhase(e, 3);
      if (--e->timer < 1) e->state = S::IDLE;
      break;
    case S::TURN_RIGHT:  // turn right or left in place
    case S::TURN_LEFT:
      e->yaw = Wrap(e->yaw + (e->state == S::TURN_RIGHT ? 0.9f : -0.9f));
      AddPhase(e, 3);
      if (--e->timer < 1) e->state = S::IDLE;
      break;
    case S::ATTACK:  // wind up, dash by `dash` x speed, rest
      Charge(e, dash, SE_DOOSY);
      break;
    default:
      break;
  }
}

// ---- Doosy: a charger ----

int Enemy::ActionDoosy(float* eye, EnemyData* e) {
  if (e->state == S::DYING) {
    e->collision.shape.sphere.radius = 0.4f;
    e->itemDropped = e->itemKind != ItemKind::NONE;
    if (bossMode != MODE_ORDINARY) {
      e->noFloorCollision = true;
      if (!e->itemDropped && e->pos[1] < -3.0f) {
        e->collision.shape.sphere.radius = 0.5f;
        HideEscort(e);
      }
    }
  } else {
    float angles[2], distance2;
    const bool sight = SeePlayer(eye, e, angles, &distance2);
    ChargerStep(e, 4.0f);
    if (e->state == S::RISING) Rise(e, -1.6f);  // rising from the ground after a revival
    if (!sight) {
      if (e->state == S::IDLE) ChooseWander(e);
    } else if (e->state != S::RISING && e->state != S::ATTACK) {
      float a, b;
      const int turn = FacingTurn(angles, e, 1.0f, &a, &b);
      e->state = (turn != 0) ? turn : S::ATTACK;
      if (turn == 0) e->timer = 30;
    }
  }
  e->pos[1] -= 0.01f;
  setCollision(e);
  // A dying escort sinks through the others.
  if (e->state == S::DYING && bossMode != MODE_ORDINARY) return 0;
  Separate(e, false);
  return 0;
}

void Enemy::Charge(EnemyData* e, float dash, int species) {
  AddPhase(e, 3);
  if (e->timer >= 2) {
    e->timer--;
    e->pos[0] -= SinD(e->yaw) * e->speed * 0.7f;
    e->pos[2] -= CosD(e->yaw) * e->speed * 0.7f;
  } else if (e->timer == 1) {
    RequestSE(SE_ATTACK, species, e->pos);
    e->timer--;
  } else if (e->timer > -200) {
    Forward(e, dash * e->speed);
    e->timer--;
    setCollision(e);
    if (floor != nullptr) {
      float out[3] = {e->pos[0], e->pos[1], e->pos[2]};
      floor->Collision(&e->collision, out);
      if (out[0] != e->pos[0] || out[1] != e->pos[1] || out[2] != e->pos[2]) e->timer = -200;
    }
  } else {
    if (--e->timer < -299) e->state = S::IDLE;
  }
}

// ---- Poosy: a hovering shooter ----

int Enemy::ActionPoosy(float* eye, EnemyData* e) {
  if (e->state == S::DYING) {
    e->pos[1] -= 0.04f;
    if (e->pitch < 90) {
      e->pitch += 1;
    } else {
      e->itemDropped = e->itemKind != ItemKind::NONE;
    }
  } else {
    float angles[2], distance2;
    const bool sight = SeePlayer(eye, e, angles, &distance2);
    e->pos[1] += 0.005f * SinD(e->phase);
    AddPhase(e, 5);
    if (!sight || distance2 > 64.0f) {
      auto fly = [e]() {
        e->pos[0] += SinD(-e->yaw) * e->speed;
        e->pos[2] -= CosD(-e->yaw) * e->speed;
      };
      if (e->state == S::WALK) {
        fly();
        if (--e->timer < 1) e->state = S::IDLE;
      } else if (e->state == S::IDLE) {
        const int r = rand() % 10;
        if (r == 1 || r == 2) {
          e->pitch = -5;
          fly();
          e->state = S::WALK;
          e->timer = 60;
        } else {
          e->yaw = Wrap(e->yaw + 5);
          e->pitch = 0;
          e->state = S::POOSY_TURN;
          e->timer = 10;
        }
      } else if (e->state == S::POOSY_TURN) {
        e->yaw = Wrap(e->yaw + 5);
        e->pitch = 0;
        if (--e->timer < 1) e->state = S::IDLE;
      }
    } else {
      e->pitch = 0;
      e->yaw = angles[0];
      if (e->timer == 0) {
        Fire(11, e->pos, angles[0], angles[1], _PoosyDamage);
        RequestSE(SE_ATTACK, SE_POOSY, e->pos);
        e->timer = 100;
      } else {
        e->timer--;
      }
    }
  }
  setCollision(e);
  Separate(e, true);
  return 0;
}

// ---- Zoosy: a walker with a turret that fires a spread ----

void Enemy::ZoosyVolley(EnemyData* e) {
  const float g = 0.8f - CosD(e->phase - 30);
  const float heading = (-e->yaw - e->aimTarget) + 180;
  const float base[3] = {e->pos[0] + 0.15f * SinD(e->yaw), e->pos[1] + 1.2f - 0.05f * g,
                         e->pos[2] + 0.15f * CosD(e->yaw)};
  for (int k = -1; k <= 1; k++) {
    float h = heading + 3 * k;
    const float origin[3] = {base[0] + 0.5f * SinD(h), base[1], base[2] - 0.5f * CosD(h)};
    h += static_cast<float>(rand() % 5 + 3 * k);
    Fire(12, origin, h, 0, _ZoosyDamage);
  }
  for (int k = -1; k <= 1; k += 2) {
    const float origin[3] = {base[0], base[1] - 0.1f * k, base[2]};
    const float h = static_cast<float>(rand() % 5 - 2) + heading;
    const float elevation = static_cast<float>(3 * k + rand() % 5 - 2);
    Fire(12, origin, h, elevation, _ZoosyDamage);
  }
}

int Enemy::ActionZoosy(float* eye, EnemyData* e) {
  auto gait = [e]() { return 0.8f - CosD(e->phase - 30); };
  if (e->state == S::DYING) {
    if (e->phase > 180) e->phase = 360 - e->phase;
    if (e->phase > 0) {
      e->phase -= 2;
      PitchOffsets(e)[0] = 90 - 10 * (1 + SinD(e->phase));
    } else if (e->roll < 90) {
      e->roll += 3;
      PitchOffsets(e)[0] = 90 + 40 * (1 + SinD(e->roll));
    } else {
      e->roll = 90;
      e->itemDropped = e->itemKind != ItemKind::NONE;
    }
  } else {
    float angles[2], distance2;
    const bool sight = SeePlayer(eye, e, angles, &distance2);
    switch (e->state) {
      case S::TURN_RIGHT:
      case S::TURN_LEFT:
        e->yaw = Wrap(e->yaw + (e->state == S::TURN_RIGHT ? 2.0f : -2.0f));
        e->timer--;
        Forward(e, e->speed * gait());
        AddPhase(e, 2);
        if (e->timer < 1) e->state = S::IDLE;
        break;
      case S::WALK:
        Forward(e, e->speed * gait());
        AddPhase(e, 2);
        if (--e->timer < 1) e->state = S::IDLE;
        break;
      case S::ATTACK:
        if (e->timer < 1) {
          ZoosyVolley(e);
          RequestSE(SE_ATTACK, SE_ZOOSY, e->pos);
          e->timer = 120;
        } else if (e->timer == 60) {
          e->state = S::WALK;
        }
        break;
      case S::RISING:
        Rise(e, -1.5f);
        break;
      default:
        break;
    }
    e->timer--;
    PitchOffsets(e)[0] = 90 - 12 * gait();
    if (!sight) {
      if (e->state == S::IDLE) ChooseWander(e);
      e->aimTarget = 0;
      if (std::fabs(e->aim - e->aimTarget) < 2.5f) e->aim = e->aimTarget;
      if (e->timer < 111) e->aim += (e->aim < e->aimTarget) ? 2.0f : -2.0f;
    } else {
      if (e->state != S::RISING && e->state != S::ATTACK) {
        float a, b;
        const int turn = FacingTurn(angles, e, 2.5f, &a, &b);
        if (turn == S::TURN_RIGHT) {
          e->aimTarget = std::min(a, 60.0f);
        } else if (turn == S::TURN_LEFT) {
          e->aimTarget = std::max(-b, -60.0f);
        } else {
          e->aimTarget = std::min(a, b);
        }
        e->state = (turn != 0) ? turn : S::WALK;
      }
      if (std::fabs(e->aimTarget) <= 40.0f && std::fabs(e->aim - e->aimTarget) < 2.5f) {
        e->aim = e->aimTarget;
        if (e->timer < 1) {
          e->state = S::ATTACK;
          e->timer = 0;
        }
      }
      if (e->timer < 111) e->aim += (e->aim < e->aimTarget) ? 2.0f : -2.0f;
    }
  }
  e->pos[1] -= 0.01f;
  setCollision(e);
  Separate(e, false);
  return 0;
}

// ---- Big boosy, the boss of floor 10 ----

int Enemy::ActionBossBoosy(float* eye, EnemyData* e) {
  if (e->state == S::DYING) {
    bossMode = MODE_BOSS_DYING;
    e->noFloorCollision = true;
    e->bossState = (e->pos[1] < -4.0f) ? BossState::FINISHED : BossState::DYING;
  } else {
    float angles[2], distance2;
    const bool sight = SeePlayer(eye, e, angles, &distance2);
    GunnerStep(e, _BigBoosy);
    if (!sight) {
      e->state = S::IDLE;
    } else {
      bossMode = MODE_BOSS_FIGHT;
      if (e->state != S::ATTACK) TurnOrShoot(e, angles);
    }
  }
  e->pos[1] -= 0.01f;
  setCollision(e);
  return 0;
}

// ---- Big doosy, the boss of floor 20 ----

int Enemy::ActionBossDoosy(float* eye, EnemyData* e) {
  if (e->state == S::DYING) {
    float& radius = e->collision.shape.sphere.radius;
    if (radius > 1.4f) {
      radius = 1.3f;
      e->timer = 60;
    } else if (--e->timer == 0) {
      e->bossState = BossState::FINISHED;
      e->noFloorCollision = true;
    }
    bossMode = MODE_BOSS_DYING;
  } else {
    float angles[2], distance2;
    const bool sight = SeePlayer(eye, e, angles, &distance2);
    ChargerStep(e, 8.0f);
    if (!sight) {
      e->state = S::IDLE;
    } else {
      bossMode = MODE_BOSS_FIGHT;
      if (e->state != S::RISING && e->state != S::ATTACK) {
        float a, b;
        const int turn = FacingTurn(angles, e, 1.0f, &a, &b);
        e->state = (turn != 0) ? turn : S::ATTACK;
        if (turn == 0) e->timer = 30;
      }
    }
  }
  e->pos[1] -= 0.02f;
  setCollision(e);
  RunOver(e);
  setCollision(e);
  return 0;
}

void Enemy::RunOver(EnemyData* boss) {
  if (!(boss->state == S::ATTACK && boss->timer > -200 && boss->timer < 0)) return;
  for (EnemyData* o : enemies) {
    if (o == boss || o->hidden || o->state == S::DYING) continue;
    const float d[3] = {o->pos[0] - boss->pos[0], o->pos[1] - boss->pos[1], o->pos[2] - boss->pos[2]};
    const float r = boss->scale + o->scale;
    if (!(d[0] * d[0] + d[1] * d[1] + d[2] * d[2] < r * r)) continue;
    // The heading from the boss to the other body, measured like the boss's own heading (0 faces
    // +z): spared when it lies within 40 degrees of straight ahead, run over from the side.
    const float ahead = Wrap(static_cast<float>(QUORL_COMMON::Degrees(std::atan2(d[0], d[2]))));
    float a, b;
    Facing(ahead, boss->yaw, 0.0f, &a, &b);
    if (std::min(a, b) <= 40.0f) continue;
    o->itemKind = ItemKind::NONE;
    o->state = S::DYING;
    QUORL_COMMON::Tally().Kill(o->type);
    SetSE(o);
    PlayNow("big-doosy-run-over");
  }
}

// ---- The shell of boss 3 (floor 30) ----

void Enemy::TurnShell(EnemyData* e, const float* angles, float rate, float tolerance) {
  float a, b;
  if (Facing(-angles[0], e->yaw, tolerance, &a, &b)) {
    e->yaw = Wrap(-angles[0]);
  } else {
    e->yaw = Wrap(e->yaw + ((a < b) ? rate : -rate));
  }
}

void Enemy::ChooseShellAttack(EnemyData* e) {
  // 0 beam, 1 dig, 2 shot volley; a beam or dig at most twice in a row, the volley never twice.
  static const int attacks[3] = {S::SHELL_BEAM_OUT, S::SHELL_DIG, S::SHELL_VOLLEY};
  int next = attacks[rand() % 3];
  if (next == e->lastAttack && next != S::SHELL_VOLLEY && e->attackRepeat < 2) {
    e->attackRepeat++;
  } else {
    if (next == e->lastAttack) {
      // Switch to one of the two others, in the order volley/beam/dig leaves them.
      static const int others[3][2] = {{S::SHELL_VOLLEY, S::SHELL_DIG},   // after beams
                                       {S::SHELL_VOLLEY, S::SHELL_BEAM_OUT},  // after digs
                                       {S::SHELL_BEAM_OUT, S::SHELL_DIG}};    // after a volley
      const int row = (next == S::SHELL_BEAM_OUT) ? 0 : (next == S::SHELL_DIG) ? 1 : 2;
      next = others[row][rand() % 2];
    }
    e->lastAttack = next;
    e->attackRepeat = 1;
  }
  e->state = next;
  e->timer = (next == S::SHELL_BEAM_OUT) ? 40 : (next == S::SHELL_DIG) ? 50 : 210;
}

int Enemy::ActionMelShell(float* eye, EnemyData* e) {
  if (e->state == S::DYING) {
    e->timer--;
    bossMode = MODE_BOSS_DYING;
    if (e->phase == 0) {
      e->roll = static_cast<float>(rand() % 180 - 90);
      e->aim = static_cast<float>(rand() % 180 - 90);
      e->aimTarget = static_cast<float>(rand() % 180 - 90);
      e->speed = 0.03f;
    } else {
      e->roll = e->aim = e->aimTarget = e->speed = 0;
    }
    if (e->timer == 0 && e->bossState == BossState::ALIVE) {
      e->bossState = BossState::DYING;
      e->timer = 300;
      PlayNow("boss3-dying2");
    }
    if (e->bossState == BossState::DYING && e->timer < 201) e->pos[1] = -5.0f;
    if (e->timer == 0 && e->bossState == BossState::DYING) e->bossState = BossState::FINISHED;
    setCollision(e);
    return 0;
  }
  float angles[2], distance2;
  const bool sight = SeePlayer(eye, e, angles, &distance2);
  switch (e->state) {
    case S::IDLE:
      e->state = S::SHELL_CHOOSE;
      break;
    case S::SHELL_BEAM_OUT:
      e->yaw = Wrap(-angles[0]);
      if (e->timer == 0) {
        e->state = S::SHELL_BEAM;
        e->timer = 100;
      }
      break;
    case S::SHELL_BEAM:
      TurnShell(e, angles, 1.8f, 2.0f);
      if (e->timer == 0) {
        e->state = S::SHELL_BEAM_BACK;
        e->timer = 90;
      }
      break;
    case S::SHELL_BEAM_BACK:
      if (e->timer == 0) {
        e->state = S::SHELL_CHOOSE;
        e->timer = 40;
      }
      TurnShell(e, angles, 2.5f, 3.0f);
      break;
    case S::SHELL_VOLLEY:
      e->yaw = Wrap(-angles[0]);
      if (e->timer == 200 || e->timer == 150 || e->timer == 100 || e->timer == 50) {
        Fire(31, e->pos, angles[0], 0, _BossDamage);
        RequestSE(SE_ATTACK, SE_POOSY, e->pos);
      }
      if (e->timer == 0) {
        e->state = S::SHELL_CHOOSE;
        e->timer = 40;
      }
      break;
    case S::SHELL_DIG:
      e->pos[1] -= 0.03f;
      if (e->timer == 20) PlayNow("boss3-digging");
      if (e->timer == 0) {
        e->state = S::SHELL_NEEDLE_1;
        e->timer = 50;
      }
      break;
    case S::SHELL_NEEDLE_1:
    case S::SHELL_NEEDLE_2:
    case S::SHELL_NEEDLE_3:
      if (e->timer == 0) {
        e->state++;
        e->timer = 50;
      }
      break;
    case S::SHELL_NEEDLE_4:
      if (e->timer == 0) {
        if (e->digRound == 0) {
          e->state = S::SHELL_NEEDLE_1;
          e->timer = 50;
          e->digRound = 1;
        } else {
          e->state = S::SHELL_RISE;
          e->timer = 100;
        }
      }
      break;
    case S::SHELL_RISE:
      e->pos[1] += 0.015f;
      if (e->timer == 0) {
        e->state = S::SHELL_CHOOSE;
        e->timer = 90;
        e->digRound = 0;
      }
      break;
    default:  // SHELL_CHOOSE and anything unlisted: turn towards the player
      TurnShell(e, angles, 2.8f, 3.0f);
      break;
  }
  if (!sight) {
    e->state = S::IDLE;
  } else {
    bossMode = MODE_BOSS_FIGHT;
    e->timer--;
    if (e->hitPoint < 1 && e->state == S::SHELL_CHOOSE) {
      e->state = S::DYING;
      e->timer = 120;
      QUORL_COMMON::Tally().Kill(e->type);
      PlayNow("boss3-dying1");
    }
    if (e->timer < 1 && e->state == S::SHELL_CHOOSE) ChooseShellAttack(e);
  }
  setCollision(e);
  return 0;
}

// ---- The four core parts of boss 3 ----

int Enemy::ActionMelCore(float* eye, EnemyData* e) {
  // The parts follow the shell, the first record of the floor for as long as the floor lives.
  const EnemyData* shell = First();
  if (shell == nullptr || shell->type != T::SHELL) {
    setCollision(e);
    return 0;
  }
  const int part = e->type - T::CORE_FIRST;  // 0..3
  static const float outRoll[4] = {2, -2, 1, -1};
  static const float side[4] = {-1.5f, 1.5f, -0.7f, 0.7f};
  static const float spread[4] = {-10, 10, -5, 5};
  const int s = shell->state;
  if (s == S::IDLE || s == S::SHELL_CHOOSE) {
    e->state = S::CORE_SUNK;
    e->timer = 0;
    e->pos[1] = -4.5f;
  } else if (s == S::SHELL_DIG) {
    e->timer = 0;
    e->pos[1] = -4.5f;
  } else if (s == S::SHELL_BEAM_OUT) {
    e->yaw = shell->yaw;
    if (e->state != S::CORE_OUT) {
      if (e->timer == 0) {
        e->timer = 35;
        std::copy(shell->pos, shell->pos + 3, e->pos);
        e->yaw = shell->yaw;
        e->roll = 0;
      } else if (e->timer == 1) {
        e->state = S::CORE_OUT;
      } else if (e->timer >= 2 && e->timer <= 35) {
        e->state = S::CORE_MOVING;
        e->roll += outRoll[part];
      }
      e->timer--;
    }
  } else if (s == S::SHELL_BEAM) {
    e->yaw = shell->yaw;
    if (e->timer == 0) e->timer = 80;
    if (e->timer >= 10 && e->timer <= 70 && e->timer % 10 == 0) {
      const float k = side[part];
      const float origin[3] = {e->pos[0] + k * CosD(e->yaw), e->pos[1] - 0.85f,
                               e->pos[2] + k * SinD(e->yaw)};
      for (int n = 0; n < 3; n++) {
        const float heading = static_cast<float>(rand() % 20 + spread[part] - 10) - e->yaw;
        const float elevation = static_cast<float>(rand() % 10 - 5);
        Fire(30, origin, heading, elevation, _BossDamage);
      }
      if (e->type == T::CORE_FIRST) PlayNow("boss3-beam");
    }
    e->timer--;
  } else if (s == S::SHELL_BEAM_BACK) {
    e->yaw = shell->yaw;
    if (e->state != S::CORE_SUNK) {
      if (e->timer == 0) {
        e->timer = 35;
      } else if (e->timer == 1) {
        e->state = S::CORE_SUNK;
      } else if (e->timer >= 2 && e->timer <= 35) {
        e->state = S::CORE_MOVING;
        e->roll -= outRoll[part];
      }
      e->timer--;
    }
  } else if (s >= S::SHELL_NEEDLE_1 && s <= S::SHELL_NEEDLE_4) {
    const int rising = s - S::SHELL_NEEDLE_1;  // part 0 in SHELL_NEEDLE_1 .. part 3 in _4
    const int sinking = (s - S::SHELL_NEEDLE_1 + 1) % 4;  // parts 1, 2, 3, then 0
    if (part == rising) {
      RiseNeedle(eye, e);
    } else if (part == sinking) {
      SinkNeedle(e, 0.08f);
    } else {
      e->timer = 0;
    }
  } else if (s == S::SHELL_RISE) {
    if (e->state != S::CORE_SUNK) SinkNeedle(e, 0.1f);
  }
  setCollision(e);
  return 0;
}

void Enemy::RiseNeedle(const float* eye, EnemyData* e) {
  if (e->state == S::CORE_OUT) return;
  if (e->timer == 0) {
    e->timer = 30;
    e->pos[0] = eye[0];
    e->pos[2] = eye[2];
    e->pos[1] = -4.5f;
    e->pitch = 180;
    e->yaw = static_cast<float>(rand() % 360);
  } else if (e->timer == 1) {
    e->state = S::CORE_OUT;
  } else if (e->timer >= 2 && e->timer <= 10) {
    e->state = S::CORE_MOVING;
    e->pos[1] += 0.3f;
  } else if (e->timer == 11) {
    PlayNow("boss3-needle");
  }
  e->timer--;
}

void Enemy::SinkNeedle(EnemyData* e, float step) {
  if (e->state == S::CORE_SUNK) return;
  if (e->timer == 0) {
    e->timer = 30;
  } else if (e->timer == 1) {
    e->state = S::CORE_SUNK;
    e->pitch = 0;
  } else if (e->timer >= 2 && e->timer <= 25) {
    e->state = S::CORE_MOVING;
    e->pos[1] -= step;
  }
  e->timer--;
}
