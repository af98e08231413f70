// The music of the title and the ending: one piece from the music library, repeated.
#pragma once

#include <memory>

#include "sound/vbmp3wrap.h"

// Binds the music library, sets it up and starts the MP3 file `path`. On success `*music` holds
// the binding; `*started` tells StopSceneMusic that the library was set up. Returns 0, or -1 after
// "Gamemain:VBMP3Wrap Load Error" or "Gamemain:BGM Load Error:" with the library's error number.
int StartSceneMusic(const char* path, std::unique_ptr<VBMP3Wrap>* music, bool* started);

// Once per frame: plays the piece again when it has ended. Does nothing without a binding.
void KeepSceneMusicPlaying(const VBMP3Wrap* music);

// Stops and closes the piece and releases the library's state (when it was set up), then drops
// the binding. The library itself stays loaded for the next scene.
void StopSceneMusic(std::unique_ptr<VBMP3Wrap>* music, bool* started);
