// The item the player picked up in one frame: meat or special bullets left by a dead enemy.
#pragma once

// The item kinds: _Item::kind and EnemyData::itemKind.
namespace ItemKind {
constexpr int NONE = 0;
constexpr int MEAT = 10;        // restores hit points
constexpr int SP_BULLETS = 11;  // special rounds
}  // namespace ItemKind

namespace QUORL_COMMON {

// Filled by Enemy::ImpacttoPlayer; the caller zeroes it before the call.
struct _Item {
  int kind;    // an ItemKind
  int amount;  // meat: hit points restored (30..59); special bullets: count (1)
};

}  // namespace QUORL_COMMON
