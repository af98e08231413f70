// MP3 decoding through libmpg123 (gapless), for the report and the tests.
#pragma once

#include <string>

#include "audio/signal.h"

namespace assetgen {

struct Mp3Data {
  long rate = 0;
  int channels = 0;
  Signal samples;  // interleaved, -1 .. 1
};

// Decodes a whole file. Returns 0, or -1 with a one-line reason in `error`.
int ReadMp3(const std::string& path, Mp3Data* out, std::string* error);

}  // namespace assetgen
