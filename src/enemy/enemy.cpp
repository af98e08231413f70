// The enemy manager: records and placement, escort revival, contact with the player and the
// player's shots, drawing, and the enemy sound effects.
#include "enemy/enemy.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

#include "common/angles.h"
#include "common/commonfunc.h"
#include "common/runtally.h"
#include "enemy/bossstate.h"
#include "enemy/enemystate.h"
#include "enemy/enemytype.h"
#include "sound/mcisendstring.h"

namespace {

const int _EnemyTypeNum = 6;
const int _ItemTypeNum = 2;
const int _MaxEnemyNumber = 20;
const int _EnemyCreateInterval = 1500;

// An item vanishes once it has been drawn this many frames.
const float _ItemLifetime = 900.0f;

using QUORL_COMMON::Radians;
float SinD(double degrees) { return static_cast<float>(std::sin(Radians(degrees))); }
float CosD(double degrees) { return static_cast<float>(std::cos(Radians(degrees))); }

const char* const _ModelFiles[_EnemyTypeNum] = {
    "model/boosy/boosy.mqo",       "model/doosy/doosy.mqo",         "model/poosy/poosy.mqo",
    "model/zoosy/zoosy.mqo",       "model/melpaims/melpaims.mqo",   "model/bullet/Ebullet4.mqo"};
const char* const _ItemFiles[_ItemTypeNum] = {"model/items/meet/meet.mqo",
                                              "model/items/bullet_sp/bullet_sp.mqo"};

// Sound aliases, each opened from "SE/enemy/<alias>.wav", in the order they are opened.
const char* const _OpenAliases[] = {
    "boosy-damaged",     "boosy-dead",         "boosy-attack",      "doosy-damaged",
    "doosy-dead",        "doosy-attack",       "poosy-damaged",     "poosy-dead",
    "poosy-attack",      "zoosy-damaged",      "zoosy-dead",        "zoosy-attack",
    "big-boosy-damaged", "big-boosy-dead",     "big-doosy-damaged", "big-doosy-run-over",
    "big-doosy-dead",    "boss3-damaged",      "boss3-needle",      "boss3-digging",
    "boss3-beam",        "boss3-dying1",       "boss3-dying2"};
// The aliases stopped when a floor is left (the boss 3 sounds are not), in order.
const char* const _StopAliases[] = {
    "boosy-attack",  "boosy-damaged",     "boosy-dead",        "poosy-attack",
    "poosy-damaged", "poosy-dead",        "doosy-attack",      "doosy-damaged",
    "doosy-dead",    "zoosy-attack",      "zoosy-damaged",     "zoosy-dead",
    "big-boosy-damaged", "big-boosy-dead", "big-doosy-run-over", "big-doosy-damaged",
    "big-doosy-dead"};
// The aliases closed by Finalize, in order.
const char* const _CloseAliases[] = {
    "boosy-damaged",     "boosy-dead",         "boosy-attack",      "poosy-damaged",
    "poosy-dead",        "poosy-attack",       "doosy-damaged",     "doosy-dead",
    "doosy-attack",      "zoosy-damaged",      "zoosy-dead",        "zoosy-attack",
    "big-boosy-damaged", "big-boosy-dead",     "big-doosy-run-over", "big-doosy-damaged",
    "big-doosy-dead",    "boss3-damaged",      "boss3-needle",      "boss3-digging",
    "boss3-beam",        "boss3-dying1",       "boss3-dying2"};

// Words of the sound slots: species (index of seState's second dimension) and kind (first).
const char* const _SpeciesWords[4] = {"boosy", "doosy", "poosy", "zoosy"};
const char* const _KindWords[3] = {"dead", "damaged", "attack"};

int Send(const std::string& command) { return mciSendStringA(command.c_str(), nullptr, 0, nullptr); }

// One sphere of a COL_SPHERES shape: offsets in degrees, distance in world units, radius as a
// factor of the enemy's scale.
struct SphereSpec {
  float yawOffset, pitchOffset, distance, radius;
};
const SphereSpec _BoosySpheres[] = {{0, 0, 0.4f, 0.37f}, {0, 0, 0, 0.4f}, {0, 0, -0.4f, 0.35f}};
const SphereSpec _PoosySpheres[] = {
    {0, 90, 0.25f, 0.35f}, {0, 90, 0, 0.5f}, {0, 90, -0.25f, 0.35f}};
const SphereSpec _ZoosySpheres[] = {{0, 90, 1.2f, 0.2f}, {0, 0, 0, 0.25f}};
const SphereSpec _ShellSpheres[] = {{90, -90, 0, 0.2f},    {90, -90, 0.3f, 0.2f},
                                    {90, -90, 0.6f, 0.2f}, {90, -90, 0.9f, 0.15f},
                                    {90, -90, 1.2f, 0.15f}, {90, -90, 1.5f, 0.15f},
                                    {90, -90, 1.8f, 0.12f}};
const SphereSpec _CoreSpheres[] = {
    {90, -90, 0, 0.1f},    {90, -90, 0.2f, 0.1f}, {90, -90, 0.4f, 0.1f},
    {90, -90, 0.6f, 0.1f}, {90, -90, 0.8f, 0.1f}, {90, -90, 1.0f, 0.1f},
    {90, -90, 1.2f, 0.1f}, {90, -90, 1.4f, 0.1f}, {90, -90, 1.6f, 0.06f}};

// Body contact with the player: damage and push per frame while the player's centre is closer
// (horizontally) than `reach` to the body origin (plus the body sphere's radius when
// `addRadius`), or, `perSphere`, closer than `reach` plus its radius to one of the body's spheres
// (the first that touches counts). A charging doosy or big doosy adds `chargeDamage` and
// `chargePush` once.
struct ContactRule {
  enum Harmless { WHILE_DYING, WHILE_DYING_OR_RISING, WHILE_SUNK };
  Harmless harmless;  // the states in which the body does no harm
  bool perSphere;
  float reach;
  bool addRadius;
  int damage;
  float push;
  int chargeDamage;
  float chargePush;
};
const ContactRule::Harmless _Dying = ContactRule::WHILE_DYING;
const ContactRule::Harmless _DyingOrRising = ContactRule::WHILE_DYING_OR_RISING;
const ContactRule _BigBoosyContact = {_Dying, true, 0.3f, false, 20, 0.1f, 0, 0.0f};
const ContactRule _DoosyContact = {_DyingOrRising, false, 0.4f, true, 10, 0.1f, 40, 0.15f};
const ContactRule _BigDoosyContact = {_DyingOrRising, false, 2.1f, false, 20, 0.1f, 100, 0.15f};
const ContactRule _ShellContact = {_DyingOrRising, false, 0.4f, false, 20, 0.1f, 0, 0.0f};
const ContactRule _CoreContact = {ContactRule::WHILE_SUNK, false, 0.4f, false, 60, 0.3f, 0, 0.0f};

bool Harmless(const ContactRule& rule, int state) {
  switch (rule.harmless) {
    case ContactRule::WHILE_DYING:
      return state == EnemyState::DYING;
    case ContactRule::WHILE_SUNK:
      return state == EnemyState::CORE_SUNK;
    default:
      return state == EnemyState::DYING || state == EnemyState::RISING;
  }
}

// ---- The drawing of each kind: the model's objects posed in the body's frame (already moved,
// scaled and turned by yaw and pitch) ----

// A boosy or big boosy: three parts swaying `sway` units along the gait, the gun tilted by aim.
void DrawGunner(const EnemyData* e, MQOModel* m, float sway) {
  const float ph = e->phase;
  glRotatef(e->roll, 0, 0, 1);
  glPushMatrix();
  glTranslatef(0, 0, sway * (1 + SinD(ph - 30)));
  m->DrawObj(0);
  glPopMatrix();
  glPushMatrix();
  glRotatef(e->aim, 1, 0, 0);
  glTranslatef(0, 0, sway * (1 + SinD(ph)));
  m->DrawObj(1);
  glPopMatrix();
  glPushMatrix();
  glTranslatef(0, 0, sway * (1 + SinD(ph - 70)));
  m->DrawObj(2);
  glPopMatrix();
}
void DrawBoosy(const EnemyData* e, MQOModel* m) { DrawGunner(e, m, 0.2f); }
void DrawBigBoosy(const EnemyData* e, MQOModel* m) { DrawGunner(e, m, 0.05f); }

// A poosy: the body, then its see-through wings blended and written to depth only.
void DrawPoosy(const EnemyData*, MQOModel* m) {
  m->DrawObj(0);
  glDepthMask(GL_FALSE);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  m->DrawObj(1);
  glDisable(GL_BLEND);
  glDepthMask(GL_TRUE);
  glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
  m->DrawObj(1);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
}

// A doosy or big doosy: the body `drop` units below the origin, two legs swinging with the gait.
void DrawCharger(const EnemyData* e, MQOModel* m, float drop) {
  const float ph = e->phase;
  glPushMatrix();
  glTranslatef(0, drop, 0);
  m->DrawObj(0);
  glPushMatrix();
  glRotatef(-10 * (1 + SinD(ph)), 1, 0, 0);
  m->DrawObj(1);
  glPopMatrix();
  glPushMatrix();
  glRotatef(-10 * (1 + SinD(ph + 100)), 1, 0, 0);
  m->DrawObj(2);
  glPopMatrix();
  glPopMatrix();
}
void DrawDoosy(const EnemyData* e, MQOModel* m) { DrawCharger(e, m, -0.55f); }
void DrawBigDoosy(const EnemyData* e, MQOModel* m) { DrawCharger(e, m, -0.65f); }

// A zoosy: legs, body bobbing with the gait, the turret turned by aim; dying, both topple.
void DrawZoosy(const EnemyData* e, MQOModel* m) {
  const float g = 0.8f - CosD(e->phase - 30);
  const bool dying = e->state == EnemyState::DYING;
  glPushMatrix();
  m->DrawObj(0);
  glPopMatrix();
  glPushMatrix();
  glRotatef(15 * g, 1, 0, 0);
  if (dying) glRotatef(-75 * SinD(e->roll), 1, 0, 0);
  m->DrawObj(1);
  glPopMatrix();
  glPushMatrix();
  glTranslatef(0, -0.05f * g, 0.15f * g);
  if (dying) glRotatef(-70 * SinD(e->roll), 1, 0, 0);
  glRotatef(e->aim, 0, 1, 0);
  m->DrawObj(2);
  glPopMatrix();
}

// The shell: shaken while it dies (roll, aim and aimTarget are then its shake angles).
void DrawShell(const EnemyData* e, MQOModel* m) {
  glRotatef(90, 0, 1, 0);
  glPushMatrix();
  glTranslatef(SinD(e->roll) * e->speed, SinD(e->aim) * e->speed, SinD(e->aimTarget) * e->speed);
  m->DrawObj(0);
  glPopMatrix();
}

// A core part, object 1..4 of the model, only while out of the shell or the ground.
void DrawCorePart(const EnemyData* e, MQOModel* m) {
  if (e->state == EnemyState::CORE_SUNK) return;
  glRotatef(90, 0, 1, 0);
  glRotatef(e->roll, 1, 0, 0);
  m->DrawObj(static_cast<unsigned int>(e->type - EnemyType::SHELL));
}

// What a player's bullet that hits the body does.
enum ShotRule {
  SHOT_WOUNDS,    // the body loses the bullet's damage and dies below 1 hit point
  SHOT_ARMOURED,  // the bullet bounces off as off a wall
  SHOT_TO_SHELL,  // the shell, the floor's first record, loses the damage
};

// How setCollision sets the collision record's pitch from the body's angles.
enum PitchRule {
  PITCH_KEPT,       // the record's pitch keeps its value
  PITCH_NEGATED,    // -pitch
  PITCH_WITH_ROLL,  // pitch + roll
  PITCH_SAME,       // pitch
};

// One row per enemy type: everything that differs between the kinds. `spheres` null means one
// COL_SPHERE of `radius` (not scaled).
struct EnemyKind {
  int type;   // an EnemyType
  int model;  // index into the manager's models
  int hitPoint;
  float scale;
  float speed;
  float startY;
  bool boss;        // bossState ALIVE from the start
  bool standsOut;   // never hidden, drops nothing (the bosses and the core parts)
  bool noFloor;     // the floor does not hold it (the shell and the core parts)
  bool revives;     // an escort that comes back hidden (boss floors only) with its hit points
  const SphereSpec* spheres;
  int sphereCount;
  float radius;
  int species;               // sound slot species, -1 none
  const char* damagedSound;  // played at once when hit (the bosses' own), or null
  const char* deadSound;     // played at once when killed, or null
  const ContactRule* contact;  // null: harmless to touch
  float shotDrop;            // see Enemy::ShotDrop
  ShotRule shot;
  PitchRule pitch;
  int (Enemy::*action)(float* eye, EnemyData* e);  // one frame of its behaviour
  void (*draw)(const EnemyData* e, MQOModel* m);  // its drawing, see above
};
namespace T = EnemyType;
constexpr EnemyKind _CorePart = {
    0, 4, 1, 2.0f, 0.0f, 0.8f, false, true, true, false, _CoreSpheres, 9, 0, -1,
    "boss3-damaged", "boss3-damaged", &_CoreContact, 0, SHOT_TO_SHELL, PITCH_WITH_ROLL,
    &Enemy::ActionMelCore, DrawCorePart};
// The row of core part `type`: the four differ only in their type.
constexpr EnemyKind CorePart(int type) {
  EnemyKind k = _CorePart;
  k.type = type;
  return k;
}
// Columns: type, model, hit points, scale, speed, start height, boss, stands out, no floor,
// revives, spheres, sphere count, radius, species, damaged sound, dead sound, contact, shot drop,
// shot rule, pitch rule, behaviour, drawing.
constexpr EnemyKind _Kinds[] = {
    {T::BOOSY, 0, 5, 0.8f, 0.01f, -4.0f, false, false, false, true, _BoosySpheres, 3, 0,
     Enemy::SE_BOOSY, nullptr, nullptr, nullptr, 0, SHOT_WOUNDS, PITCH_KEPT, &Enemy::ActionBoosy,
     DrawBoosy},
    {T::POOSY, 2, 3, 0.4f, 0.01f, 1.0f, false, false, false, false, _PoosySpheres, 3, 0,
     Enemy::SE_POOSY, nullptr, nullptr, nullptr, 0, SHOT_WOUNDS, PITCH_NEGATED, &Enemy::ActionPoosy,
     DrawPoosy},
    {T::DOOSY, 1, 7, 0.65f, 0.03f, -4.0f, false, false, false, true, nullptr, 0, 0.45f,
     Enemy::SE_DOOSY, nullptr, nullptr, &_DoosyContact, 0.6f, SHOT_WOUNDS, PITCH_SAME,
     &Enemy::ActionDoosy, DrawDoosy},
    {T::ZOOSY, 3, 6, 1.5f, 0.01f, -4.0f, false, false, false, false, _ZoosySpheres, 2, 0,
     Enemy::SE_ZOOSY, nullptr, nullptr, nullptr, 0, SHOT_WOUNDS, PITCH_SAME, &Enemy::ActionZoosy,
     DrawZoosy},
    {T::BIG_BOOSY, 0, 100, 3.2f, 0.01f, -4.0f, true, true, false, false, _BoosySpheres, 3, 0, -1,
     "big-boosy-damaged", "big-boosy-dead", &_BigBoosyContact, 0, SHOT_WOUNDS, PITCH_KEPT,
     &Enemy::ActionBossBoosy, DrawBigBoosy},
    {T::BIG_DOOSY, 1, 150, 2.5f, 0.02f, -4.0f, true, true, false, false, nullptr, 0, 1.8f, -1,
     "big-doosy-damaged", "big-doosy-dead", &_BigDoosyContact, 0.65f, SHOT_WOUNDS, PITCH_SAME,
     &Enemy::ActionBossDoosy, DrawBigDoosy},
    {T::SHELL, 4, 150, 2.0f, 0.0f, 0.8f, true, true, true, false, _ShellSpheres, 7, 0, -1,
     nullptr, nullptr, &_ShellContact, 0, SHOT_ARMOURED, PITCH_SAME, &Enemy::ActionMelShell,
     DrawShell},
    CorePart(T::CORE_FIRST),
    CorePart(T::CORE_FIRST + 1),
    CorePart(T::CORE_FIRST + 2),
    CorePart(T::CORE_LAST),
};

const EnemyKind* FindKind(int type) {
  for (const EnemyKind& k : _Kinds) {
    if (k.type == type) return &k;
  }
  return nullptr;
}

// Horizontal unit direction from p to c in dx, dz (the push direction). When the two points
// coincide (closer than 1e-10) the direction is random, so that nothing divides by zero.
void PushDirection(const float* c, const float* p, float* dx, float* dz) {
  const double x = c[0] - p[0], z = c[2] - p[2];
  const double d = std::sqrt(x * x + z * z);
  if (d < 1e-10) {
    const double theta = Radians(rand() % 360);
    *dx = static_cast<float>(std::cos(theta));
    *dz = static_cast<float>(std::sin(theta));
    return;
  }
  *dx = static_cast<float>(x / d);
  *dz = static_cast<float>(z / d);
}

// World centre of sphere i of a COL_SPHERES record.
void SphereCentre(const QUORL_COMMON::_Collision& c, int i, float* out) {
  const QUORL_COMMON::_ColSpheres& s = c.shape.spheres;
  const double y = Radians(s.yawOffsets[i] + c.yaw), p = Radians(s.pitchOffsets[i] + c.pitch);
  out[0] = static_cast<float>(c.pos[0] + s.distances[i] * std::sin(y) * std::cos(p));
  out[1] = static_cast<float>(c.pos[1] + s.distances[i] * std::sin(p));
  out[2] = static_cast<float>(c.pos[2] + s.distances[i] * std::cos(y) * std::cos(p));
}

float Distance2(const float* a, const float* b) {
  const float x = a[0] - b[0], y = a[1] - b[1], z = a[2] - b[2];
  return x * x + y * y + z * z;
}

}  // namespace

EnemyData::~EnemyData() {
  if (collision.type != QUORL_COMMON::COL_SPHERES) return;
  delete[] collision.shape.spheres.radii;
  delete[] collision.shape.spheres.yawOffsets;
  delete[] collision.shape.spheres.pitchOffsets;
  delete[] collision.shape.spheres.distances;
}

Enemy::~Enemy() {
  ReleaseBullets();
  ReleaseRecords();
  ReleaseModels();
}

int Enemy::Init(DungeonFloor* floor) {
  Finalize();
  bossMode = MODE_ORDINARY;
  this->floor = floor;
  const char* const* files[2] = {_ModelFiles, _ItemFiles};
  const int counts[2] = {_EnemyTypeNum, _ItemTypeNum};
  std::vector<MQOModel*>* lists[2] = {&models, &itemModels};
  for (int l = 0; l < 2; l++) {
    for (int i = 0; i < counts[l]; i++) {
      MQOModel* m = new (std::nothrow) MQOModel();
      if (m == nullptr) {
        printf("Enemy:MQOModel create error:\n");
        return QUORL_COMMON::GLOBAL_ERROR;
      }
      if (m->Init(files[l][i]) == -1) {
        printf("Enemy:MQOModel init error:%s\n", files[l][i]);
        m->Finalize();
        delete m;
        return QUORL_COMMON::GLOBAL_ERROR;
      }
      lists[l]->push_back(m);
    }
  }
  soundsOpen = true;  // Finalize closes all 23, also after a failed open
  for (const char* alias : _OpenAliases) {
    const std::string command =
        std::string("open \"SE/enemy/") + alias + ".wav\" alias " + alias + " type mpegvideo";
    if (Send(command) != 0) {
      printf("Enemy:SE Reload load error\n");
      return QUORL_COMMON::GLOBAL_ERROR;
    }
  }
  for (auto& kind : seState) std::fill(std::begin(kind), std::end(kind), SE_IDLE);
  return 0;
}

void Enemy::Finalize() {
  ReleaseBullets();
  ReleaseRecords();
  ReleaseModels();
  if (soundsOpen) {
    for (const char* alias : _CloseAliases) Send(std::string("close ") + alias);
    soundsOpen = false;
  }
}

void Enemy::ReleaseModels() {
  for (std::vector<MQOModel*>* list : {&models, &itemModels}) {
    for (MQOModel* m : *list) {
      m->Finalize();
      delete m;
    }
    list->clear();
  }
}

void Enemy::ReleaseBullets() {
  for (Bullet* b : bullets) {
    b->Finalize();
    delete b;
  }
  bullets.clear();
}

void Enemy::ReleaseRecords() {
  for (EnemyData* e : enemies) delete e;  // the record releases its sphere arrays
  enemies.clear();
}

int Enemy::Clear() {
  for (const char* alias : _StopAliases) Send(std::string("stop ") + alias);
  ReleaseBullets();
  startedSE.clear();
  const int killed = Killed();
  ReleaseRecords();
  return killed;
}

int Enemy::Killed() const {
  if (enemies.empty() || enemies.front()->bossState != BossState::NONE) return 0;
  return static_cast<int>(std::count_if(enemies.begin(), enemies.end(), [](const EnemyData* e) {
    return e->state == EnemyState::DYING;
  }));
}

int Enemy::StateBoss() { return enemies.empty() ? 0 : enemies.front()->bossState; }

void Enemy::RollItem(EnemyData* e) {
  const int r = rand() % 10;
  if (r < 2) {
    e->itemKind = ItemKind::MEAT;
    e->itemAmount = rand() % 30 + 30;
  } else if (r < 4) {
    e->itemKind = ItemKind::SP_BULLETS;
    e->itemAmount = 1;
  } else {
    e->itemKind = ItemKind::NONE;
    e->itemAmount = 0;
  }
  e->itemDropped = false;
  e->itemAge = 0;
}

int Enemy::Add(float x, float z, float yaw, int type) {
  const EnemyKind* kind = FindKind(type);
  if (kind == nullptr) {
    printf("Enemy:unknown enemy type %d\n", type);
    return 0;
  }
  EnemyData* e = new EnemyData();
  e->pos[0] = x;
  e->pos[1] = -4.0f;
  e->pos[2] = z;
  e->yaw = yaw;
  e->type = type;
  e->timer = rand() % 50 + 50;
  if (bossMode != MODE_ORDINARY) {
    reviveCount = 0;
    e->noFloorCollision = true;
    e->hidden = true;
  } else {
    RollItem(e);
  }
  e->hitPoint = kind->hitPoint;
  e->scale = kind->scale;
  e->speed = kind->speed;
  e->pos[1] = kind->startY;
  if (kind->boss) e->bossState = BossState::ALIVE;
  if (kind->standsOut) {
    e->itemKind = ItemKind::NONE;
    e->itemAmount = 0;
    e->hidden = false;
    e->noFloorCollision = kind->noFloor;
  }
  if (type == EnemyType::SHELL) {
    e->lastAttack = EnemyState::SHELL_CHOOSE;
    e->attackRepeat = 0;
  }
  QUORL_COMMON::_Collision& c = e->collision;
  c = QUORL_COMMON::_Collision{};
  if (kind->spheres == nullptr) {
    c.type = QUORL_COMMON::COL_SPHERE;
    c.shape.sphere.radius = kind->radius;
  } else {
    const int n = kind->sphereCount;
    c.type = QUORL_COMMON::COL_SPHERES;
    c.shape.spheres.count = n;
    c.shape.spheres.radii = new float[n];
    c.shape.spheres.yawOffsets = new float[n];
    c.shape.spheres.pitchOffsets = new float[n];
    c.shape.spheres.distances = new float[n];
    for (int i = 0; i < n; i++) {
      c.shape.spheres.radii[i] = kind->spheres[i].radius * e->scale;
      c.shape.spheres.yawOffsets[i] = kind->spheres[i].yawOffset;
      c.shape.spheres.pitchOffsets[i] = kind->spheres[i].pitchOffset;
      c.shape.spheres.distances[i] = kind->spheres[i].distance;
    }
  }
  c.yaw = yaw;
  c.pitch = 0;
  setCollision(e);
  enemies.push_back(e);
  return 0;
}

int Enemy::Add(int count, int floorNumber) {
  count = std::max(0, std::min(count, _MaxEnemyNumber));
  bossMode = MODE_ORDINARY;
  if (floor == nullptr) return 0;
  int rows = 0, cols = 0;
  floor->MapSize(&rows, &cols);
  std::vector<bool> taken(static_cast<size_t>(std::max(0, rows * cols)), false);
  float c[3] = {0, 0, 0};
  const int bossCell[3] = {3, 0, 5};
  floor->getMaptoWorld(bossCell, c);

  // The boss lists: the boss first, then its escorts (hidden until revived).
  struct BossFloor {
    int floor;
    int bossType;
    int escortType;  // -1: the four core parts of boss 3 instead
  };
  static const BossFloor bossFloors[] = {{10, EnemyType::BIG_BOOSY, EnemyType::BOOSY},
                                         {20, EnemyType::BIG_DOOSY, EnemyType::DOOSY},
                                         {30, EnemyType::SHELL, -1}};
  for (const BossFloor& b : bossFloors) {
    if (b.floor != floorNumber) continue;
    bossMode = MODE_BOSS_WAITING;
    if (b.escortType < 0) {
      Add(c[0], c[2], 180.0f, EnemyType::SHELL);
      for (int t = EnemyType::CORE_FIRST; t <= EnemyType::CORE_LAST; t++) {
        Add(c[0], c[2], 180.0f, t);
      }
      return 0;
    }
    Add(c[0], c[2], 0.0f, b.bossType);
    for (int i = 1; i <= 5; i++) {
      const int cell[3] = {i, 0, 5};
      float w[3];
      floor->getMaptoWorld(cell, w);
      Add(w[0], w[2], static_cast<float>(rand() % 360), b.escortType);
    }
    return 0;
  }
  if (rows <= 0 || cols <= 0) return 0;

  int placed = 0;
  for (int n = 0; n < count; n++) {
    for (int attempt = 0; attempt < 50; attempt++) {
      const int i = rand() % rows, j = rand() % cols;
      if (taken[i * cols + j] || !floor->isFloor(i, j)) continue;
      taken[i * cols + j] = true;
      placed++;
      const int cell[3] = {i, 0, j};
      float w[3];
      floor->getMaptoWorld(cell, w);
      const float yaw = static_cast<float>(rand() % 360);
      int type;
      if (floorNumber < 11) {
        type = rand() & 1;  // a boosy or a poosy
      } else {
        // A boosy, doosy or poosy; a zoosy too from floor 21.
        static const int band[4] = {EnemyType::BOOSY, EnemyType::DOOSY, EnemyType::POOSY,
                                    EnemyType::ZOOSY};
        type = band[rand() % (floorNumber <= 20 ? 3 : 4)];
      }
      Add(w[0], w[2], yaw, type);
      break;
    }
  }
  return placed;
}

int Enemy::setCollision(EnemyData* e) {
  QUORL_COMMON::_Collision& c = e->collision;
  c.pos[0] = e->pos[0];
  c.pos[1] = e->pos[1];
  c.pos[2] = e->pos[2];
  c.yaw = e->yaw;
  const EnemyKind* kind = FindKind(e->type);
  switch (kind == nullptr ? PITCH_SAME : kind->pitch) {
    case PITCH_KEPT:
      break;
    case PITCH_NEGATED:
      c.pitch = -e->pitch;
      break;
    case PITCH_WITH_ROLL:
      c.pitch = e->pitch + e->roll;
      break;
    default:
      c.pitch = e->pitch;
      break;
  }
  return 0;
}

int Enemy::Action(float* eye) {
  for (EnemyData* e : enemies) {
    const EnemyKind* kind = FindKind(e->type);
    if (bossMode == MODE_BOSS_FIGHT) {
      reviveCount--;
      if (reviveCount < 1 && e->hidden) {
        if (kind != nullptr && kind->revives) {
          e->hidden = false;
          e->hitPoint = kind->hitPoint;
          e->pos[1] = -3.0f;
          e->phase = 0;
          e->state = EnemyState::RISING;
          if (e->type == EnemyType::BOOSY) e->timer = rand() % 100;
          e->digRound = 0;
          e->roll = 0;
          e->aim = 0;
        }
        RollItem(e);
        reviveCount = _EnemyCreateInterval;
      }
    }
    if (e->hidden) continue;
    if (kind != nullptr) (this->*kind->action)(eye, e);
    if (!e->noFloorCollision && floor != nullptr) {
      float out[3] = {e->pos[0], e->pos[1], e->pos[2]};
      floor->Collision(&e->collision, out);
      e->pos[0] = out[0];
      e->pos[1] = out[1];
      e->pos[2] = out[2];
      setCollision(e);
    }
  }
  for (auto it = bullets.begin(); it != bullets.end();) {
    Bullet* b = *it;
    b->Move();
    QUORL_COMMON::_Collision c = {};
    b->getCollision(&c);
    if (floor != nullptr) {
      if (!floor->isVisibleMap(c.pos)) {
        b->SetPos(c.pos);
        b->HitWall();
      }
      float out[3] = {c.pos[0], c.pos[1], c.pos[2]};
      if (b->isHited() == 0 && floor->Collision(&c, out) != 0) {
        b->SetPos(out);
        b->HitWall();
      }
    }
    if (b->isDelete()) {
      delete b;
      it = bullets.erase(it);
    } else {
      ++it;
    }
  }
  return 0;
}

int Enemy::ImpacttoPlayer(QUORL_COMMON::_Collision* player, QUORL_COMMON::_Item* item,
                          float* push) {
  const float* p = player->pos;
  int damage = 0;
  frameHits.clear();
  for (EnemyData* e : enemies) {
    if (e->hidden) continue;
    if (e->itemDropped) {
      const float dx = e->pos[0] - p[0], dz = e->pos[2] - p[2];
      if (dx * dx + dz * dz < e->scale * e->scale) {
        item->kind = e->itemKind;
        item->amount = e->itemAmount;
        e->itemDropped = false;
        e->itemKind = ItemKind::NONE;
      }
      if (e->itemAge > _ItemLifetime) {
        e->itemDropped = false;
        e->itemKind = ItemKind::NONE;
      }
    }
    const EnemyKind* kind = FindKind(e->type);
    const ContactRule* rule = kind == nullptr ? nullptr : kind->contact;
    if (rule == nullptr || Harmless(*rule, e->state)) continue;
    if (rule->perSphere) {
      // The first of its spheres that touches the player.
      setCollision(e);
      const QUORL_COMMON::_Collision& c = e->collision;
      for (int i = 0; i < c.shape.spheres.count; i++) {
        float centre[3];
        SphereCentre(c, i, centre);
        const float dx = centre[0] - p[0], dz = centre[2] - p[2];
        if (std::sqrt(dx * dx + dz * dz) < c.shape.spheres.radii[i] + rule->reach) {
          float ux, uz;
          PushDirection(centre, p, &ux, &uz);
          push[0] = ux * rule->push;
          push[2] = uz * rule->push;
          damage += rule->damage;
          frameHits.push_back({QUORL_COMMON::HIT_BODY, e->type, rule->damage});
          break;
        }
      }
      continue;
    }
    const float dx = e->pos[0] - p[0], dz = e->pos[2] - p[2];
    const float reach = rule->reach + (rule->addRadius ? e->collision.shape.sphere.radius : 0.0f);
    if (!(std::sqrt(dx * dx + dz * dz) < reach)) continue;
    float ux, uz;
    PushDirection(e->pos, p, &ux, &uz);
    float f = rule->push;
    int dealt = rule->damage;
    if (rule->chargeDamage != 0 && e->state == EnemyState::ATTACK && e->timer > -200) {
      dealt += rule->chargeDamage;
      e->timer = -200;
      f += rule->chargePush;
    }
    damage += dealt;
    frameHits.push_back({QUORL_COMMON::HIT_BODY, e->type, dealt});
    push[0] = ux * f;
    push[2] = uz * f;
  }
  for (Bullet* b : bullets) {
    if (b->isHited() != 0) continue;
    float bp[3];
    b->GetPos(bp);
    float unused[3] = {0, 0, 0};
    const int d = b->Collision(player, unused);
    if (d == 0) continue;
    b->HitEnemy();
    for (int k = 0; k < 3; k++) push[k] = (bp[k] - p[k]) * 0.4f;
    push[1] = 15.0f;
    damage += d;
    frameHits.push_back({QUORL_COMMON::HIT_BULLET, b->getType(), d});
  }
  ServeSE(p);
  return damage;
}

int Enemy::ImpactfromPlayer(Bullet* bullet) {
  if (floor == nullptr) return 0;
  QUORL_COMMON::_Collision q = {};
  bullet->getCollision(&q);
  float wall[3] = {0, 0, 0};
  floor->Collision(&q, wall);
  float b[3];
  bullet->GetPos(b);
  float best = Distance2(wall, b);
  EnemyData* target = nullptr;
  float contact[3] = {0, 0, 0};
  int damage = 0;
  for (EnemyData* e : enemies) {
    // Hidden escorts wait under the floor: they cannot be shot.
    if (e->state == EnemyState::DYING || e->hidden || !floor->isVisibleMap(e->pos)) continue;
    setCollision(e);
    QUORL_COMMON::_Collision body = e->collision;
    body.pos[1] -= ShotDrop(e->type);
    float hit[3] = {0, 0, 0};
    const int h = bullet->Collision(&body, hit);
    if (h == 0) continue;
    const float d2 = Distance2(hit, b);
    if (d2 < best) {
      best = d2;
      target = e;
      std::copy(hit, hit + 3, contact);
      damage = h;
    }
  }
  if (target == nullptr) return 0;
  bullet->SetPos(contact);
  const EnemyKind* kind = FindKind(target->type);
  const ShotRule rule = kind == nullptr ? SHOT_WOUNDS : kind->shot;
  if (rule == SHOT_ARMOURED) {
    bullet->HitWall();
  } else if (rule == SHOT_TO_SHELL) {
    bullet->HitEnemy();
    // The parts have no hit points of their own: the shell, the floor's first record, takes them.
    EnemyData* shell = First();
    if (shell != nullptr && shell->type == EnemyType::SHELL) shell->hitPoint -= damage;
  } else {
    bullet->HitEnemy();
    target->hitPoint -= damage;
    if (target->hitPoint < 1) {
      target->state = EnemyState::DYING;
      QUORL_COMMON::Tally().Kill(target->type);
    }
  }
  SetSE(target);
  return 0;
}

float Enemy::ShotDrop(int type) {
  const EnemyKind* kind = FindKind(type);
  return kind == nullptr ? 0.0f : kind->shotDrop;
}

void Enemy::RequestSE(int kind, int species, const float* p) {
  if (kind < 0 || kind > 2 || species < 0 || species > 3) return;
  seState[kind][species] = SE_REQUESTED;
  std::copy(p, p + 3, sePos[kind][species]);
}

void Enemy::PlayNow(const char* alias) {
  const std::string a(alias);
  Send("stop " + a);
  Send("seek " + a + " to start");
  Send("play " + a);
}

void Enemy::SetSE(EnemyData* e) {
  const bool dead = e->state == EnemyState::DYING;
  const EnemyKind* kind = FindKind(e->type);
  if (kind == nullptr) return;
  const char* own = dead ? kind->deadSound : kind->damagedSound;
  if (own != nullptr) {
    PlayNow(own);
    return;
  }
  if (kind->species < 0) return;  // the shell makes no sound when hit
  RequestSE(dead ? SE_DEAD : SE_DAMAGED, kind->species, e->pos);
}

int Enemy::VolumeAt(const float* s, const float* p) {
  double d = 0;
  for (int k = 0; k < 3; k++) d += (static_cast<double>(s[k]) - p[k]) * (static_cast<double>(s[k]) - p[k]);
  if (d > 300) d = 300;
  return static_cast<int>((300 - d) * 1000 / 300);
}

void Enemy::ServeSE(const float* p) {
  startedSE.clear();
  for (int kind = 0; kind < 3; kind++) {
    for (int species = 0; species < 4; species++) {
      int& state = seState[kind][species];
      if (state != SE_REQUESTED && state != SE_PLAYING) continue;
      const float* s = sePos[kind][species];
      const int volume = VolumeAt(s, p);
      const std::string alias = std::string(_SpeciesWords[species]) + "-" + _KindWords[kind];
      const std::string v = std::to_string(volume);
      if (state == SE_REQUESTED) {
        Send("stop " + alias);
        Send("seek " + alias + " to start");
      }
      Send("setaudio " + alias + " left volume to " + v);
      Send("setaudio " + alias + " right volume to " + v);
      if (state == SE_REQUESTED) {
        Send("play " + alias);
        state = SE_PLAYING;
        startedSE.push_back({kind, species, {s[0], s[1], s[2]}, volume});
      }
    }
  }
}

bool Enemy::ModelsHaveCutouts() const {
  const std::vector<MQOModel*>* const sets[] = {&models, &itemModels, &Bullet::models};
  for (const std::vector<MQOModel*>* set : sets) {
    for (const MQOModel* m : *set) {
      if (m != nullptr && m->HasCutouts()) return true;
    }
  }
  return false;
}

void Enemy::WarmUpDrawing() {
  if (models.size() < 5 || itemModels.size() < static_cast<size_t>(_ItemTypeNum)) return;
  glPushMatrix();
  glTranslatef(0, 0, -30);  // far off and small: the renderer's preparation is the same
  for (const EnemyKind& kind : _Kinds) {
    EnemyData pose;
    glPushMatrix();
    kind.draw(&pose, models[kind.model]);
    glPopMatrix();
  }
  for (MQOModel* item : itemModels) item->Draw();
  for (MQOModel* shot : Bullet::models) shot->Draw();
  for (int burst = 1; burst <= 2; ++burst) {
    SetMaterial(burst);
    glCallList(Bullet::DL_Particle);
  }
  glPopMatrix();
}

void Enemy::Draw() {
  for (Bullet* b : bullets) b->Draw();
  if (floor == nullptr || models.size() < 5 || itemModels.size() < static_cast<size_t>(_ItemTypeNum)) return;
  for (EnemyData* e : enemies) {
    if (e->hidden || !floor->isVisibleMap(e->pos)) continue;
    const EnemyKind* kind = FindKind(e->type);
    if (kind == nullptr) continue;
    MQOModel* m = models[kind->model];
    glPushMatrix();
    glTranslatef(e->pos[0], e->pos[1], e->pos[2]);
    glScalef(e->scale, e->scale, e->scale);
    glRotatef(e->yaw, 0, 1, 0);
    glRotatef(e->pitch, 1, 0, 0);
    kind->draw(e, m);
    glPopMatrix();
    if (e->itemDropped) {
      glPushMatrix();
      glTranslatef(e->pos[0], -0.2f, e->pos[2]);
      glRotatef(e->itemAge, 0, 1, 0);
      glRotatef(30, 1, 0, 0);
      glScalef(0.25f, 0.25f, 0.25f);
      itemModels[e->itemKind == ItemKind::MEAT ? 0 : 1]->Draw();
      e->itemAge += 1;
      glPopMatrix();
    }
  }
}
