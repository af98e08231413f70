// The item the player picked up in one frame: meat or special bullets left by a dead enemy.
#pragma once

namespace QUORL_COMMON {

// Filled by Enemy::ImpacttoPlayer; the caller zeroes it before the call.
struct _Item {
  int kind;    // 0 nothing, 10 meat, 11 special bullets
  int amount;  // meat: hit points restored (30..59); special bullets: count (1)
};

}  // namespace QUORL_COMMON
