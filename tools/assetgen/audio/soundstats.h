// Numbers that stand in for listening: level, envelope and spectrum of a rendered or read sound.
#pragma once

#include <string>

#include "audio/signal.h"

namespace assetgen {

struct SoundStats {
  double seconds = 0.0;
  float peakDb = -120.0f;     // largest sample, dB full scale
  float rmsDb = -120.0f;      // whole-sound RMS, dB full scale
  float loudDb = -120.0f;     // RMS of the loudest 50 ms
  float peakAt = 0.0f;        // seconds to the loudest 50 ms window's start
  float centroidHz = 0.0f;    // spectral centroid (brightness), weighted by power
  float low = 0.0f;           // share of power below 250 Hz
  float mid = 0.0f;           // 250 Hz .. 2 kHz
  float high = 0.0f;          // above 2 kHz
  float edgeStart = 0.0f;     // |first sample|
  float edgeEnd = 0.0f;       // |last sample|
  std::string shape;          // loudness over time in 24 slices, ' ' silent .. '@' full scale
};

// `s` is mono at `rate` Hz.
SoundStats Measure(const Signal& s, int rate);
// One report line: name, then the numbers above.
std::string FormatStats(const std::string& name, const SoundStats& st);

}  // namespace assetgen
