// The list of every sound file the game reads, with how each is made and its allowed length.
#pragma once

#include <string>
#include <vector>

#include "audio/recipes.h"

namespace assetgen {

enum class SoundKind { kEffect, kMusic, kVoice };

struct SoundFile {
  std::string path;     // relative to the content folder
  SoundKind kind;
  double minSeconds;    // allowed length range of the written file
  double maxSeconds;
  Signal (*effect)();   // kEffect
  Song (*music)();      // kMusic
  int voice;            // kVoice: index into the voice lines
};

// Every effect, music piece and voice line, in a fixed order.
std::vector<SoundFile> SoundCatalogue();

}  // namespace assetgen
