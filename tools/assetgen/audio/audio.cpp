// The asset generator's sound half (nothing generated yet).
#include "audio/audio.h"

namespace assetgen {

int GenerateAudio(const std::string&) { return 0; }

int ReportAudio(const std::string&) { return 0; }

}  // namespace assetgen
