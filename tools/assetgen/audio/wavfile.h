// 16-bit PCM WAV files: writing a mono signal, and reading one back (for the report and tests).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "audio/signal.h"

namespace assetgen {

// What a WAV file holds, samples interleaved and scaled to -1 .. 1.
struct WavData {
  int rate = 0;
  int channels = 0;
  int bitsPerSample = 0;
  Signal samples;
};

// The file's bytes for `s` as mono 16-bit PCM at `rate` (samples clipped to -1 .. 1, rounded).
std::vector<uint8_t> EncodeWav(const Signal& s, int rate);
// Writes EncodeWav's bytes to `path`, creating missing folders. Returns 0 or -1.
int WriteWav(const std::string& path, const Signal& s, int rate = kSampleRate);

// Parses a RIFF/WAVE file of 16-bit PCM. Returns 0, or -1 with a one-line reason in `error`.
int DecodeWav(const std::vector<uint8_t>& bytes, WavData* out, std::string* error);
int ReadWav(const std::string& path, WavData* out, std::string* error);

// Reads a whole file; writes a whole file after creating its folders. Return 0 or -1.
int ReadFileBytes(const std::string& path, std::vector<uint8_t>* out);
int WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace assetgen
