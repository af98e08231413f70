// The asset generator's sound half: effects, music and voice lines.
#pragma once

#include <string>

namespace assetgen {

// Writes every sound effect (SE/...wav), music piece (sounds/...mp3) and boss voice line
// (SE/enemy/...mp3) under `outDir`. Returns 0, or -1 after a message on standard error.
int GenerateAudio(const std::string& outDir);

// Prints the duration, peak and RMS level of every sound file under `outDir`. Returns 0 or -1.
int ReportAudio(const std::string& outDir);

}  // namespace assetgen
