// Test sound files written on the spot (WAV and MP3) and a meter of what the mixer outputs.
#include "testaudio.h"

#include <SDL/SDL_mixer.h>
#include <lame/lame.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "support/testfiles.h"

namespace soundtest {

namespace {

// A 440 Hz tone at half scale.
std::vector<short> Tone(long samples, int rate, int channels) {
  std::vector<short> pcm(static_cast<size_t>(samples * channels));
  for (long i = 0; i < samples; ++i) {
    const short value = static_cast<short>(16000 * std::sin(2 * M_PI * 440.0 * i / rate));
    for (int c = 0; c < channels; ++c) pcm[static_cast<size_t>(i * channels + c)] = value;
  }
  return pcm;
}

void Put(std::string* out, unsigned value, int bytes) {
  for (int i = 0; i < bytes; ++i) out->push_back(static_cast<char>((value >> (8 * i)) & 0xff));
}

}  // namespace

void UseDummyDriverByDefault() {
  setenv("SDL_AUDIODRIVER", "dummy", 0);
}

void WriteTestWav(const std::string& path, long samples, int rate, int channels) {
  const std::vector<short> pcm = Tone(samples, rate, channels);
  const unsigned dataBytes = static_cast<unsigned>(pcm.size() * 2);
  std::string file = "RIFF";
  Put(&file, 36 + dataBytes, 4);
  file += "WAVEfmt ";
  Put(&file, 16, 4);
  Put(&file, 1, 2);  // PCM
  Put(&file, static_cast<unsigned>(channels), 2);
  Put(&file, static_cast<unsigned>(rate), 4);
  Put(&file, static_cast<unsigned>(rate * channels * 2), 4);
  Put(&file, static_cast<unsigned>(channels * 2), 2);
  Put(&file, 16, 2);
  file += "data";
  Put(&file, dataBytes, 4);
  for (short s : pcm) Put(&file, static_cast<unsigned short>(s), 2);
  testsupport::WriteFile(path, file);
}

bool WriteTestMp3(const std::string& path, long samples, int rate, int channels, int kbps) {
  lame_global_flags* lame = lame_init();
  if (lame == nullptr) return false;
  lame_set_num_channels(lame, channels);
  lame_set_mode(lame, channels == 1 ? MONO : JOINT_STEREO);
  lame_set_in_samplerate(lame, rate);
  lame_set_out_samplerate(lame, rate);
  lame_set_brate(lame, kbps);
  lame_set_VBR(lame, vbr_off);
  lame_set_bWriteVbrTag(lame, 1);
  lame_set_quality(lame, 7);
  if (lame_init_params(lame) < 0) {
    lame_close(lame);
    return false;
  }
  const std::vector<short> pcm = Tone(samples, rate, channels);
  std::vector<unsigned char> out(static_cast<size_t>(samples * 5 / 4 + 7200 + 16384));
  int size = channels == 1
                 ? lame_encode_buffer(lame, pcm.data(), pcm.data(), static_cast<int>(samples),
                                      out.data(), static_cast<int>(out.size()))
                 : lame_encode_buffer_interleaved(lame, const_cast<short*>(pcm.data()),
                                                  static_cast<int>(samples), out.data(),
                                                  static_cast<int>(out.size()));
  bool ok = size >= 0;
  if (ok) {
    const int tail = lame_encode_flush(lame, out.data() + size, static_cast<int>(out.size()) - size);
    ok = tail >= 0;
    size += ok ? tail : 0;
  }
  // The length tag is only known now: it replaces the placeholder frame at the start.
  unsigned char tag[4096];
  const size_t tagSize = ok ? lame_get_lametag_frame(lame, tag, sizeof(tag)) : 0;
  lame_close(lame);
  if (!ok || tagSize == 0 || tagSize > static_cast<size_t>(size)) return false;
  for (size_t i = 0; i < tagSize; ++i) out[i] = tag[i];
  testsupport::WriteFile(path, std::string(reinterpret_cast<char*>(out.data()), static_cast<size_t>(size)));
  return true;
}

OutputMeter::OutputMeter() {
  Mix_SetPostMix(Measure, this);
}

OutputMeter::~OutputMeter() {
  Mix_SetPostMix(nullptr, nullptr);
}

double OutputMeter::Left() const {
  SDL_LockAudio();
  const double value = left_;
  SDL_UnlockAudio();
  return value;
}

double OutputMeter::Right() const {
  SDL_LockAudio();
  const double value = right_;
  SDL_UnlockAudio();
  return value;
}

void OutputMeter::Reset() {
  SDL_LockAudio();
  left_ = right_ = 0;
  SDL_UnlockAudio();
}

void OutputMeter::Measure(void* self, unsigned char* stream, int bytes) {
  OutputMeter* meter = static_cast<OutputMeter*>(self);
  const Sint16* samples = reinterpret_cast<const Sint16*>(stream);
  for (int i = 0; i + 1 < bytes / 2; i += 2) {
    meter->left_ += std::abs(samples[i]);
    meter->right_ += std::abs(samples[i + 1]);
  }
}

}  // namespace soundtest
