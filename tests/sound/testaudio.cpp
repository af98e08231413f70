// Test sound files written on the spot (WAV and MP3), and waiting for a condition.
#include "testaudio.h"

#include <SDL/SDL.h>
#include <lame/lame.h>

#include <cmath>
#include <cstdlib>
#include <vector>

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
  lame_global_flags* lame = lame_init();
  lame_set_num_channels(lame, 2);
  lame_set_mode(lame, JOINT_STEREO);
  lame_set_in_samplerate(lame, rate);
  lame_set_out_samplerate(lame, rate);
  lame_set_brate(lame, kbps);
  lame_set_bWriteVbrTag(lame, 1);
  std::vector<short> pcm = Tone(samples, rate, 2);
  std::vector<unsigned char> out(static_cast<size_t>(samples * 5 / 4 + 7200 + 16384));
  const int size = lame_init_params(lame) < 0 ? -1
      : lame_encode_buffer_interleaved(lame, pcm.data(), static_cast<int>(samples), out.data(),
                                       static_cast<int>(out.size()));
  const int tail = size < 0 ? -1 : lame_encode_flush(lame, out.data() + size, static_cast<int>(out.size()) - size);
  // The length tag is known only now: it replaces the placeholder frame at the start.
  const size_t tagSize = tail < 0 ? 0 : lame_get_lametag_frame(lame, out.data(), out.size());
  lame_close(lame);
  if (tagSize == 0) return false;
  testsupport::WriteFile(path, std::string(out.begin(), out.begin() + size + tail));
  return true;
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
