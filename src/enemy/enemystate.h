// The enemy behaviour states: EnemyData::state. The small numbers are shared by the walkers; the
// last boss's shell and core parts have states of their own.
#pragma once

namespace EnemyState {
constexpr int IDLE = 0;         // choose the next move
constexpr int WALK = 1;         // walk ahead for `timer` frames
constexpr int POOSY_TURN = 2;   // a poosy out of reach turns 5 degrees a frame for `timer` frames
constexpr int ATTACK = 3;       // the kind's attack (shot, dash, volley)
constexpr int TURN_RIGHT = 20;  // turn right for `timer` frames
constexpr int TURN_LEFT = 30;   // turn left for `timer` frames
constexpr int DYING = 100;      // dying or dead: no longer acts or can be hit
constexpr int RISING = 101;     // rising from the ground after a revival

// The shell of the last boss. IDLE: it lost sight of the player and takes up SHELL_CHOOSE.
constexpr int SHELL_VOLLEY = 3;       // four shots at the player, 50 frames apart
constexpr int SHELL_CHOOSE = 201;     // turns to the player; picks an attack when its timer ends
constexpr int SHELL_BEAM_OUT = 202;   // the core parts come out of the shell
constexpr int SHELL_BEAM = 203;       // the core parts fire their beam volleys
constexpr int SHELL_BEAM_BACK = 204;  // the core parts go back in
constexpr int SHELL_DIG = 209;        // sinks into the ground
// The dig's four needle steps: in the k-th (k = 0..3) core part k rises as a needle under the
// player and the one before it sinks; after SHELL_NEEDLE_4 a second round or SHELL_RISE.
constexpr int SHELL_NEEDLE_1 = 210;
constexpr int SHELL_NEEDLE_2 = 211;
constexpr int SHELL_NEEDLE_3 = 212;
constexpr int SHELL_NEEDLE_4 = 213;
constexpr int SHELL_RISE = 215;       // comes up again while the needles sink

// The core parts of the last boss.
constexpr int CORE_SUNK = 0;    // inside the shell or under the ground: harmless, not drawn
constexpr int CORE_MOVING = 1;  // coming out or going back, rising or sinking
constexpr int CORE_OUT = 3;     // out of the shell, or standing as a needle
}  // namespace EnemyState
