// The game scene's sounds: effects by their alias, and the music library's one track.
#pragma once

#include <string>

namespace gamesound {
// Plays a sound effect (opened under `alias`) from its start.
void PlaySE(const std::string& alias);
// Opens `path` as the track the music library plays; 0, or -1 after a message.
int OpenMusic(const char* path);
// Whether the music library is playing (a boss's line is still being said, the track runs).
bool MusicPlaying();
}  // namespace gamesound
