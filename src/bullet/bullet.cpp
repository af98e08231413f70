// Bullets: kinds, flight, hit bursts, the shared models and their reference count.
#include "bullet/bullet.h"

#include "common/angles.h"
#include "common/framemarks.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <new>

namespace {

// Frames the hit burst lasts.
const int _HitTime = 5;

// Lines of the hit burst: each draw gives four segments.
const int _ParticleDraws = 20;

// Values a kind sets in Init, and how it reacts to hits. `model` -1 draws nothing; `bodyHit`
// is the hitState after HitEnemy (0: the kind ignores body hits).
struct BulletKind {
  int type;
  float size;
  float radius;
  float length;
  bool homing;
  float speed;      // distance per frame; a random part is added for kind 12
  int model;        // index into Bullet::models
  int bodyHit;
};

const BulletKind _Kinds[] = {
    {0, 0.0f, 0.0f, 0.0f, false, 0.0f, -1, 2},     // the player's shot: a ray, does not move
    {10, 0.4f, 0.1f, 0.4f, false, 0.13f, 0, 3},    // Boosy
    {11, 0.1f, 0.1f, 0.0f, true, 0.08f, 1, 3},     // Poosy, homing
    {12, 0.045f, 0.05f, 0.13f, false, 0.1f, 4, 3}, // Zoosy, + (rand() mod 20) x 0.001
    {20, 0.8f, 0.2f, 0.8f, false, 0.13f, 0, 3},    // the Boosy boss
    {30, 0.8f, 0.2f, 0.8f, false, 0.11f, 2, 3},    // MelCore
    {31, 0.1f, 0.1f, 0.0f, true, 0.08f, 3, 3},     // MelShell, homing
};

const BulletKind* FindKind(int type) {
  for (const BulletKind& kind : _Kinds) {
    if (kind.type == type) return &kind;
  }
  return nullptr;
}

// Burst materials (RGBA): diffuse, specular, ambient, emission.
struct BurstMaterial {
  float diffuse[4];
  float specular[4];
  float ambient[4];
  float emission[4];
};

const BurstMaterial _WallBurst = {
    {0.4f, 0.3f, 0.0f, 1.0f}, {0.01f, 0.01f, 0.01f, 1.0f}, {0.4f, 0.3f, 0.0f, 1.0f},
    {0.2f, 0.2f, 0.2f, 1.0f}};
const BurstMaterial _BodyBurst = {
    {0.6f, 0.1f, 0.3f, 1.0f}, {0.01f, 0.01f, 0.01f, 1.0f}, {0.6f, 0.1f, 0.3f, 1.0f},
    {0.0f, 0.0f, 0.0f, 1.0f}};
const BurstMaterial _OtherBurst = {
    {0.8f, 0.8f, 0.8f, 1.0f}, {0.01f, 0.01f, 0.01f, 1.0f}, {0.8f, 0.8f, 0.8f, 1.0f},
    {0.2f, 0.2f, 0.2f, 1.0f}};

// A random fraction of `range` (0 to range), whatever the generator's maximum.
float RandomPart(double range) {
  return static_cast<float>(range * rand() / static_cast<double>(RAND_MAX));
}

// The burst: 80 segments from the origin fanning out towards +z, z up to 0.5, x and y up to 1/3.
unsigned int BuildParticleList() {
  const unsigned int list = glGenLists(1);
  if (list == 0) return 0;
  QUORL_COMMON::FrameMarks::Note(QUORL_COMMON::MARK_LIST);
  glNewList(list, GL_COMPILE);
  glBegin(GL_LINES);
  for (int i = 0; i < _ParticleDraws; i++) {
    const float z = RandomPart(0.5);
    const float y = RandomPart(1.0 / 3.0);
    const float x = RandomPart(1.0 / 3.0);
    glColor3f(0.0f, 0.0f, 0.0f);
    const float ends[4][3] = {{x, y, z}, {-x, y, z}, {x, -y, z}, {-x, -y, z}};
    for (const float* end : ends) {
      glVertex3f(0.0f, 0.0f, 0.0f);
      glVertex3f(end[0], end[1], end[2]);
    }
  }
  glEnd();
  glEndList();
  return list;
}

}  // namespace

const char* const Bullet::modelFiles[] = {
    "model/bullet/Ebullet1.mqo", "model/bullet/Ebullet2.mqo", "model/bullet/Ebullet3.mqo",
    "model/bullet/Ebullet4.mqo", "model/bullet/Ebullet5.mqo",
};

std::vector<MQOModel*> Bullet::models;
int Bullet::LoadCount = 0;
unsigned int Bullet::DL_Particle = 0;

int Bullet::LoadShared() {
  // Whatever an earlier failed load left is read anew.
  ReleaseShared();
  for (int i = 0; i < modelnum; i++) {
    MQOModel* model = new (std::nothrow) MQOModel();
    if (model == nullptr) {
      printf("Bullet:MQOModel Bulletmodel Alloc Error\n");
      ReleaseShared();
      return -1;
    }
    if (model->Init(modelFiles[i]) != 0) {
      printf("Bullet:MQOModel Bulletmodel Init Error%s\n", modelFiles[i]);
      model->Finalize();
      delete model;
      ReleaseShared();
      return -1;
    }
    models.push_back(model);
  }
  DL_Particle = BuildParticleList();
  return 0;
}

void Bullet::ReleaseShared() {
  for (MQOModel* model : models) {
    model->Finalize();
    delete model;
  }
  models.clear();
  if (DL_Particle != 0) glDeleteLists(DL_Particle, 1);
  DL_Particle = 0;
}

int Bullet::Init(int type, const float* pos, float yaw, float pitch, int damage) {
  if (LoadCount == 0 && !alive) {
    if (LoadShared() != 0) return -1;
  }
  if (alive) return 0;
  alive = 1;
  LoadCount++;
  for (int i = 0; i < 3; i++) {
    this->pos[i] = pos[i];
    velocity[i] = 0.0f;
  }
  this->yaw = yaw;
  this->pitch = pitch;
  this->type = type;
  this->damage = damage;
  hitState = 0;
  hitTimer = 0;
  hitTime = _HitTime;
  speed = 0.0f;

  const BulletKind* kind = FindKind(type);
  if (kind == nullptr) return 0;
  size = kind->size;
  radius = kind->radius;
  length = kind->length;
  homing = kind->homing;
  speed = kind->speed;
  if (type == 12) speed += static_cast<float>(rand() % 20) * 0.001f;
  if (speed != 0.0f) {
    const double y = QUORL_COMMON::Radians(yaw);
    const double p = QUORL_COMMON::Radians(pitch);
    velocity[0] = static_cast<float>(speed * std::sin(y) * std::cos(p));
    velocity[1] = static_cast<float>(-speed * std::sin(p));
    velocity[2] = static_cast<float>(-speed * std::cos(y) * std::cos(p));
  }
  return 0;
}

void Bullet::Finalize() {
  if (!alive) return;
  LoadCount--;
  if (LoadCount <= 0) {
    LoadCount = 0;
    ReleaseShared();
  }
  alive = 0;
}

void Bullet::Move() {
  if (!alive) return;
  for (int i = 0; i < 3; i++) pos[i] += velocity[i];
  if (hitState != 0) {
    hitTimer--;
    if (hitTimer <= 0) Finalize();
  }
}

void Bullet::getCollision(QUORL_COMMON::_Collision* c) const {
  for (int i = 0; i < 3; i++) c->pos[i] = pos[i];
  c->yaw = yaw;
  c->pitch = pitch;
  c->passDoors = false;
  switch (type) {
    case 10:
    case 12:
    case 20:
    case 30:
      // A sphere for the walls; the length rides along in the cylinder's layout.
      c->type = QUORL_COMMON::COL_SPHERE;
      c->shape.cylinder.radius = radius;
      c->shape.cylinder.length = length;
      c->shape.cylinder.yawOffset = 0.0f;
      c->shape.cylinder.pitchOffset = 0.0f;
      break;
    case 11:
    case 31:
      c->type = QUORL_COMMON::COL_SPHERE;
      c->shape.sphere.radius = radius;
      break;
    case 0:
      c->type = QUORL_COMMON::COL_RAY;
      c->shape.ray.yawOffset = 0.0f;
      c->shape.ray.pitchOffset = 0.0f;
      break;
    default:
      break;
  }
}

void Bullet::HitEnemy() {
  const BulletKind* kind = FindKind(type);
  if (kind != nullptr) {
    if (hitState == 0) hitTimer = hitTime;
    hitState = kind->bodyHit;
  }
  velocity[0] = velocity[1] = velocity[2] = 0.0f;
}

void Bullet::HitWall() {
  if (FindKind(type) != nullptr) {
    if (hitState == 0) hitTimer = hitTime;
    hitState = 1;
  }
  velocity[0] = velocity[1] = velocity[2] = 0.0f;
}

void Bullet::SetPos(const float* p) {
  for (int i = 0; i < 3; i++) pos[i] = p[i];
}

void Bullet::GetPos(float* out) const {
  for (int i = 0; i < 3; i++) out[i] = pos[i];
}

void Bullet::Draw() {
  if (!alive) return;
  if (hitState == 0) {
    const BulletKind* kind = FindKind(type);
    if (kind == nullptr || kind->model < 0 || static_cast<size_t>(kind->model) >= models.size()) {
      return;
    }
    glPushMatrix();
    glTranslatef(pos[0], pos[1], pos[2]);
    glScalef(size, size, size);
    glRotatef(-yaw, 0.0f, 1.0f, 0.0f);
    glRotatef(-pitch, 1.0f, 0.0f, 0.0f);
    models[static_cast<size_t>(kind->model)]->Draw();
    glPopMatrix();
  } else if (hitState == 1 || hitState == 2) {
    const float s = 1.0f - static_cast<float>(hitTimer) / static_cast<float>(hitTime);
    glPushMatrix();
    glTranslatef(pos[0], pos[1], pos[2]);
    glScalef(s, s, s);
    glRotatef(-yaw, 0.0f, 1.0f, 0.0f);
    glRotatef(-pitch, 1.0f, 0.0f, 0.0f);
    SetMaterial(hitState);
    glCallList(DL_Particle);
    glPopMatrix();
  }
}

void SetMaterial(int kind) {
  const BurstMaterial& m = kind == 1 ? _WallBurst : (kind == 2 ? _BodyBurst : _OtherBurst);
  glBindTexture(GL_TEXTURE_2D, 0);
  glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, m.diffuse);
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, m.specular);
  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, m.ambient);
  glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, m.emission);
  glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 0.0f);
}
