// One enemy of the floor: its body, behaviour state, the item it carries and its collision shape.
#pragma once

#include "common/collision.h"

// Allocated with new by Enemy::Add and owned by the manager's list. For a COL_SPHERES shape the
// record also owns the four sphere arrays of `collision` (array new, `count` floats each), which
// its destructor releases; it is therefore not copyable.
struct EnemyData {
  EnemyData() = default;
  ~EnemyData();
  EnemyData(const EnemyData&) = delete;
  EnemyData& operator=(const EnemyData&) = delete;

  bool hidden = false;     // parked: does not act, is not drawn or touched (boss-floor escorts)
  float pos[3] = {0, 0, 0};  // body origin x, y (height), z in world units
  float yaw = 0;           // heading in degrees, 0..360 (0 faces -z, 90 faces +x)
  float pitch = 0;         // nose up/down tilt in degrees (poosy, core parts)
  float roll = 0;          // topple angle of dying animations; part angle of the core parts
  float aim = 0;           // angle of the gun or turret part, degrees
  float aimTarget = 0;     // angle that `aim` moves towards
  float phase = 0;         // animation phase in degrees, 0..360 (gait, hovering)
  int type = 0;            // an EnemyType (enemytype.h)
  float scale = 1;         // body size: draw scale and separation radius
  bool itemDropped = false;  // an item lies at x, z and can be taken
  int itemKind = 0;        // an ItemKind (common/item.h)
  int itemAmount = 0;      // meat: hit points (30..59); special bullets: 1
  float itemAge = 0;       // frames the dropped item has been drawn; gone after 900
  int hitPoint = 0;        // remaining hit points
  int state = 0;           // an EnemyState (enemystate.h)
  int timer = 0;           // state timer in frames
  int digRound = 0;        // boss 3: needle round of the dig (0 or 1)
  int lastAttack = 0;      // boss 3: the attack state chosen last
  int attackRepeat = 0;    // boss 3: how often lastAttack came in a row
  float speed = 0;         // walking step per frame
  QUORL_COMMON::_Collision collision = {};  // body shape, refreshed by Enemy::setCollision
  int bossState = 0;       // a BossState (bossstate.h)
  bool noFloorCollision = false;  // Enemy::Action does not push it out of walls and floors
};
