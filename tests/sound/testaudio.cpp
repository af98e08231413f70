// Test sound files written on the spot (MP3 through the content generator's encoder), and waiting.
#include "testaudio.h"

#include <SDL/SDL.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "audio/mp3encoder.h"
#include "support/testfiles.h"

namespace soundtest {

namespace {

// A 440 Hz tone at half scale, interleaved.
std::vector<short> Tone(long samples, int rate, int channels) {
  std::vector<short> pcm;
  for (long i = 0; i < samples; ++i) {
    pcm.insert(pcm.end(), channels, static_cast<short>(16000 * std::sin(2 * M_PI * 440.0 * i / rate)));
  }
  return pcm;
}

void Put(std::string* out, unsigned value, int bytes) {
  for (int i = 0; i < bytes; ++i) out->push_back(static_cast<char>((value >> (8 * i)) & 0xff));
}

}  // namespace

void UseDummyDriverByDefault() { setenv("SDL_AUDIODRIVER", "dummy", 0); }

void WriteTestWav(const std::string& path, long samples, int rate, int channels) {
  const std::vector<short> pcm = Tone(samples, rate, channels);
  const unsigned bytes = static_cast<unsigned>(pcm.size() * 2);
  std::string file = "RIFF";
  Put(&file, 36 + bytes, 4);
  file += "WAVEfmt ";
  const unsigned c = static_cast<unsigned>(channels), r = static_cast<unsigned>(rate);
  const unsigned format[][2] = {{16, 4}, {1, 2}, {c, 2}, {r, 4}, {r * c * 2, 4}, {c * 2, 2}, {16, 2}};
  for (const auto& field : format) Put(&file, field[0], static_cast<int>(field[1]));
  file += "data";
  Put(&file, bytes, 4);
  for (short s : pcm) Put(&file, static_cast<unsigned short>(s), 2);
  testsupport::WriteFile(path, file);
}

bool WriteTestMp3(const std::string& path, long samples, int rate, int kbps) {
  if (rate != assetgen::kSampleRate) return false;
  assetgen::Signal tone(static_cast<size_t>(samples));
  for (long i = 0; i < samples; ++i) tone[i] =
      0.5f * static_cast<float>(std::sin(2 * M_PI * 440.0 * i / rate));
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
