// The game scene's sounds: effects by their alias, and the music library's one track.
#pragma once

#include <string>
#include <vector>

#include "common/framemarks.h"

namespace gamesound {
// Plays a sound effect (opened under `alias`) from its start.
void PlaySE(const std::string& alias);
// The aliases PlaySE started since the last ForgetStarted, oldest first (the visible sounds read
// them once a frame).
const std::vector<std::string>& Started();
void ForgetStarted();
// Opens `path` as the track the music library plays (noted as `mark` in a timed frame); 0, or -1
// after a message.
int OpenMusic(const char* path, QUORL_COMMON::FrameMark mark = QUORL_COMMON::MARK_MUSIC);
// Whether the music library is playing (a boss's line is still being said, the track runs).
bool MusicPlaying();
}  // namespace gamesound
