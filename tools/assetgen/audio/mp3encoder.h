// MP3 encoding through libmp3lame: constant bit rate at 44 100 Hz, with the encoder's info
// frame so that decoders drop the encoder delay and padding and return the exact length.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "audio/signal.h"

namespace assetgen {

// Encodes a stereo signal (`right` empty for mono) at `kbps` (64 .. 320). Returns the file's
// bytes, or an empty vector on an encoder failure.
std::vector<uint8_t> EncodeMp3(const Signal& left, const Signal& right, int kbps);
// Encodes and writes to `path` (folders created). Returns 0 or -1.
int WriteMp3(const std::string& path, const Signal& left, const Signal& right, int kbps);

}  // namespace assetgen
