// The player's body in the world: where it stands and looks, walking, turning, the knock-back of
// a push, and stepping through doors.
#pragma once

#include "common/collision.h"
#include "game/playercomfort.h"

class DungeonFloor;

class PlayerMotion {
 public:
  // A new game: standing at (0, -0.1, 0) facing -z, still, no push running.
  void Reset();
  // A walking action (Control::FORWARD, BACK, STRAFE_LEFT, STRAFE_RIGHT; others change nothing)
  // starting or ending. Ending one of an opposite pair leaves the other's speed alone.
  void Walk(int action, bool down);
  void StopWalking() { strafeSpeed = forwardSpeed = 0; }
  // Turns by a mouse motion of (dx, dy) pixels: yaw kept in 0..360, pitch within +-60 degrees.
  void Turn(int dx, int dy, const PlayerComfort& comfort);
  // Turns by `yaw` degrees to the right and `pitch` degrees down, with the same limits.
  void TurnBy(float yaw, float pitch);
  // A push of `push` world units a frame (moving the player by minus it) for HIT_MOVE_CNT frames.
  void Push(const float* push);
  // One frame of a running push, bouncing off a wall closer than the push.
  void KnockBackStep(DungeonFloor* floor);
  // One frame of walking and gravity, held by the walls and the floor; a wall ends a push.
  void WalkStep(DungeonFloor* floor);
  // A door the player stands in (DungeonFloor::ThroughDoor's answer 1 to 4): whether the player
  // faces it; facing an unlocked door steps the player (and `p`) through it.
  bool PassDoor(int door, bool locked, float* p);
  // The player's upright cylinder (radius 0.4, `length` units tall), passing doors.
  QUORL_COMMON::_Collision Body(float length) const;

  float pos[3] = {0, 0, 0};  // the feet, world units
  float yaw = 0;             // degrees 0..360; 0 faces -z, 90 faces +x
  float pitch = 0;           // degrees -60..60; positive looks down
  float strafeSpeed = 0;     // world units a frame to the right (negative: left)
  float forwardSpeed = 0;    // world units a frame backwards (negative: forwards)
  int knockCount = 0;        // frames of push left
  float knockVec[3] = {0, 0, 0};  // this frame's push (the player moves by minus it)
};
