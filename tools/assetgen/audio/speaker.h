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

// Speaks `text` and returns the samples at the engine's own rate in `*rate`. Returns 0, or -1
// after a message.
//
// The engine carries hidden state from one utterance to the next (the same text spoken twice
// in one process comes out different) and cannot be restarted once stopped. So every call
// speaks in a child process of its own with a freshly started engine: a line sounds the same
// whatever was spoken before it and whichever thread asks first.
int Speak(const std::string& text, const SpeechSettings& settings, Signal* out, int* rate);

}  // namespace assetgen
