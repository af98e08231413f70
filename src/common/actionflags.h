// The player's action flags: bits of what the player is busy with, as the game scene keeps them.
#pragma once

namespace ActionFlag {
constexpr int SHOOTING = 0x01;    // between a shot and the next (SHOT_TIME frames)
constexpr int RELOADING = 0x02;   // a reload is running (RELOAD_TIME frames)
constexpr int DESCENDING = 0x04;  // on the stairs, the floor fading out
constexpr int IN_DOORWAY = 0x08;  // inside a door's frame (does not keep the player from acting)
constexpr int DEAD = 0x80;        // the whole field equal to DEAD: the player is dead
}  // namespace ActionFlag
