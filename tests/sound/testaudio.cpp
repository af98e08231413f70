// Test sound files written on the spot (through the content generator's WAV and MP3 writers), and waiting.
#include "testaudio.h"

#include <SDL/SDL.h>

#include <cmath>

#include "audio/mp3encoder.h"
#include "audio/wavfile.h"

namespace soundtest {

namespace {

// A 440 Hz tone at half scale.
assetgen::Signal Tone(long samples, int rate) {
  assetgen::Signal tone(static_cast<size_t>(samples));
  for (long i = 0; i < samples; ++i) tone[i] = 0.5f * static_cast<float>(std::sin(2 * M_PI * 440.0 * i / rate));
  return tone;
}

}  // namespace

void WriteTestWav(const std::string& path, long samples, int rate) {
  assetgen::WriteWav(path, Tone(samples, rate), rate);
}

bool WriteTestMp3(const std::string& path, long samples, int kbps) {
  const assetgen::Signal tone = Tone(samples, assetgen::kSampleRate);
  return assetgen::WriteMp3(path, tone, tone, kbps) == 0;
}

bool WaitFor(const std::function<bool()>& done, double seconds) {
  const Uint32 start = SDL_GetTicks();
  while (!done()) {
    if (SDL_GetTicks() - start > static_cast<Uint32>(seconds * 1000)) return done();
    SDL_Delay(10);
  }
  return true;
}

}  // namespace soundtest
