// The player's condition as the frame's steps share it: what the player is busy with, the one
// timer those actions count down, and the hit points.
#pragma once

#include "common/actionflags.h"

struct PlayerState {
  int actionFlags = 0;      // ActionFlag bits; exactly ActionFlag::DEAD once the player is dead
  int actionTimer = 0;      // frames left of the running action: a shot's pause, a reload, the
                            // stairs, the death fade, the last boss's flash and fade
  int hitPoint = 0;         // 0..MaxHitPoint; -1 once the death fade has ended
  int pendingHit = 0;       // damage (> 0) or healing (< 0) still to drain, a point a frame
  int invincibleCount = 0;  // frames of invincibility left after a push
  int frameDamage = 0;      // damage that reached the player this frame (after invincibility)

  // Nothing but a doorway keeps the player from shooting, reloading or switching rounds.
  bool FreeToAct() const { return (actionFlags & ~ActionFlag::IN_DOORWAY) == 0; }
  bool IsDead() const { return actionFlags == ActionFlag::DEAD; }
};
