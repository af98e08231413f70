// The boss states: EnemyData::bossState, where a boss is in its fight.
#pragma once

namespace BossState {
constexpr int NONE = 0;      // not a boss
constexpr int ALIVE = 1;     // fighting
constexpr int DYING = 2;     // going down (its dying animation runs)
constexpr int FINISHED = 3;  // gone: the floor's boss scene may end
}  // namespace BossState
