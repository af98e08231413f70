// Text to speech through the espeak-ng library (synchronous, into memory).
#pragma once

#include <string>

#include "audio/signal.h"

namespace assetgen {

struct SpeechSettings {
  std::string voice = "en-us";  // espeak-ng voice name, with an optional "+variant"
  int rate = 150;               // words per minute, 80 .. 450
  int pitch = 50;               // 0 .. 99
  int range = 50;               // 0 .. 99
};

// Speaks `text` and returns the samples at the engine's own rate in `*rate`. The engine keeps
// global state, so calls are serialised. Returns 0, or -1 after a message.
int Speak(const std::string& text, const SpeechSettings& settings, Signal* out, int* rate);

}  // namespace assetgen
