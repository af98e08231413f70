// Test sound files written on the spot (WAV and MP3) and a meter of what the mixer outputs.
#pragma once

#include <string>

namespace soundtest {

// Makes the tests use SDL's dummy audio driver unless a driver is chosen already.
void UseDummyDriverByDefault();

// A 16-bit PCM WAV of a tone: `samples` sample frames at `rate` Hz with `channels` channels.
void WriteTestWav(const std::string& path, long samples, int rate, int channels);

// A CBR MP3 of a tone (with the encoder's length tag, so that the decoded length is exact):
// `samples` sample frames at `rate` Hz, `channels` 1 or 2, `kbps` bit rate. Returns false when
// the encoder fails.
bool WriteTestMp3(const std::string& path, long samples, int rate, int channels, int kbps);

// Sums the loudness of each side of the device output while it lives (a post-mix hook).
class OutputMeter {
 public:
  OutputMeter();
  ~OutputMeter();
  // Sum of |sample| per side since the last Reset.
  double Left() const;
  double Right() const;
  void Reset();

 private:
  static void Measure(void* self, unsigned char* stream, int bytes);
  double left_ = 0;
  double right_ = 0;
};

// Waits until `done()` is true, polling every 10 ms, for at most `seconds`. Returns done().
template <typename F>
bool WaitFor(F done, double seconds);

}  // namespace soundtest

#include <SDL/SDL.h>

template <typename F>
bool soundtest::WaitFor(F done, double seconds) {
  const Uint32 start = SDL_GetTicks();
  while (!done()) {
    if (SDL_GetTicks() - start > static_cast<Uint32>(seconds * 1000)) return done();
    SDL_Delay(10);
  }
  return true;
}
