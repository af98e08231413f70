// The recipe families: each returns its files (path under the content folder, renderer).
#pragma once

#include <cstdint>
#include <vector>

#include "audio/signal.h"
#include "audio/song.h"

namespace assetgen {

// One sound effect, written as mono 16-bit WAV.
struct EffectRecipe {
  const char* path;
  Signal (*render)();
};

// One music piece, written as stereo MP3; it is played in a loop.
struct MusicRecipe {
  const char* path;
  Song (*compose)();
};

std::vector<EffectRecipe> PlayerEffects();  // gun, player voice, pick-ups
std::vector<EffectRecipe> DoorEffects();    // doors and stairs
std::vector<EffectRecipe> BoosyEffects();
std::vector<EffectRecipe> DoosyEffects();
std::vector<EffectRecipe> PoosyEffects();
std::vector<EffectRecipe> ZoosyEffects();
std::vector<EffectRecipe> BossEffects();    // big boosy, big doosy, the last boss
std::vector<MusicRecipe> FloorMusic();      // title and the five floor groups
std::vector<MusicRecipe> BossMusic();       // the three boss fights
std::vector<MusicRecipe> EndingMusic();     // the ending roll

// Species voices, shared with their big boss versions. `pitch` scales every frequency
// (1 = the ordinary enemy), `seconds` the length.
Signal BoosyGrunt(float pitch, float seconds, uint64_t seed);
Signal DoosyGrowl(float pitch, float seconds, uint64_t seed);
Signal MetalClanks(int count, float spacing, float pitch, uint64_t seed);

}  // namespace assetgen
