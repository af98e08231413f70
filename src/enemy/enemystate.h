// The enemy behaviour states: EnemyData::state. The small numbers are shared by the walkers; the
// last boss's shell has states of its own.
#pragma once

namespace EnemyState {
constexpr int IDLE = 0;         // choose the next move
constexpr int WALK = 1;         // walk ahead for `timer` frames
constexpr int ATTACK = 3;       // the kind's attack (shot, dash, volley)
constexpr int TURN_RIGHT = 20;  // turn right for `timer` frames
constexpr int TURN_LEFT = 30;   // turn left for `timer` frames
constexpr int DYING = 100;      // dying or dead: no longer acts or can be hit
constexpr int RISING = 101;     // rising from the ground after a revival
}  // namespace EnemyState
