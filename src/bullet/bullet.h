// One shot in flight: the player's ray shot and every enemy projectile, with the projectile
// models and the hit burst shared by all live bullets.
#pragma once

#include <vector>

#include "assets/mqomodel.h"
#include "common/collision.h"

class Bullet {
 public:
  // Shared projectile models, relative to the working folder (indices 0 to 4).
  static const char* const modelFiles[];

  // Brings the bullet alive as `type` (0 the player's shot; 10, 11, 12 Boosy, Poosy, Zoosy;
  // 20 the Boosy boss; 30, 31 MelCore, MelShell) at `pos`, heading `yaw` and elevation `pitch`
  // (degrees; positive pitch is downwards). The first live bullet loads the shared models.
  // A live bullet is left unchanged. Returns 0, or -1 when the models cannot be loaded.
  int Init(int type, const float* pos, float yaw, float pitch, int damage);

  // Ends the bullet; the last live bullet releases the shared models. Nothing on a dead bullet.
  void Finalize();

  bool isDelete() const { return alive == 0; }

  // One frame: flies by `velocity`; after a hit counts the burst down and ends at its end.
  void Move();

  // Fills a collision query (cleared by the caller) with this bullet's shape.
  void getCollision(QUORL_COMMON::_Collision* c) const;

  // Hit test against a body: the bullet's damage on a hit, else 0. Only the player's shot
  // writes `hitPos` (where the ray enters the body). Homing bullets farther than 2 units from
  // the body only turn towards it and report 0.
  int Collision(const QUORL_COMMON::_Collision* body, float* hitPos);

  int isHited() const { return hitState; }
  int getDamage() const { return damage; }
  // The kind given to Init (0 the player's shot).
  int getType() const { return type; }

  // Notes a hit on a body (enemy bullets then vanish) or on a wall, and stops the bullet.
  void HitEnemy();
  void HitWall();

  void SetPos(const float* p);
  void GetPos(float* out) const;

  // Draws the projectile, or the growing burst after a wall or body hit of the player's shot.
  void Draw();

  // Shared state of all bullets.
  static std::vector<MQOModel*> models;
  static const int modelnum = 5;
  static int LoadCount;             // number of live bullets
  static unsigned int DL_Particle;  // display list of the hit burst

 private:
  static int LoadShared();
  static void ReleaseShared();
  int CollisionRay(const QUORL_COMMON::_Collision& q, const QUORL_COMMON::_Collision* body,
                   float* hitPos) const;
  int CollisionHoming(const QUORL_COMMON::_Collision* body);
  int CollisionCapsule(const QUORL_COMMON::_Collision* body) const;

  int alive = 0;
  int damage = 0;
  float size = 0.0f;
  bool homing = false;
  float radius = 0.0f;
  float length = 0.0f;
  float pos[3] = {0.0f, 0.0f, 0.0f};
  float yaw = 0.0f;
  float pitch = 0.0f;
  int type = 0;
  int hitTimer = 0;
  int hitTime = 0;
  int hitState = 0;  // 0 flying, 1 hit a wall, 2 the player's shot hit a body, 3 an enemy bullet hit
  float speed = 0.0f;
  float velocity[3] = {0.0f, 0.0f, 0.0f};
};

// Sets the burst's material: 1 wall (brown), 2 body (red), any other value grey. Unbinds the
// texture.
void SetMaterial(int kind);
