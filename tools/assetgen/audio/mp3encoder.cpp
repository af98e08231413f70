// MP3 writer on libmp3lame.
#include "audio/mp3encoder.h"

#include <lame/lame.h>

#include <algorithm>

#include "audio/wavfile.h"

namespace assetgen {

std::vector<uint8_t> EncodeMp3(const Signal& left, const Signal& right, int kbps) {
  const bool stereo = !right.empty();
  if (stereo && right.size() != left.size()) return {};
  lame_global_flags* gf = lame_init();
  if (!gf) return {};
  lame_set_in_samplerate(gf, kSampleRate);
  lame_set_out_samplerate(gf, kSampleRate);
  lame_set_num_channels(gf, stereo ? 2 : 1);
  lame_set_mode(gf, stereo ? JOINT_STEREO : MONO);
  lame_set_VBR(gf, vbr_off);
  lame_set_brate(gf, std::clamp(kbps, 64, 320));
  // 5 is LAME's balanced default; lower numbers are slower for little gain on synthetic music.
  lame_set_quality(gf, 5);
  lame_set_bWriteVbrTag(gf, 1);
  std::vector<uint8_t> out;
  if (lame_init_params(gf) < 0) {
    lame_close(gf);
    return {};
  }
  const size_t chunk = 8192;
  std::vector<uint8_t> buf(chunk * 5 / 4 + 7200);
  bool failed = false;
  for (size_t at = 0; at < left.size() && !failed; at += chunk) {
    int n = static_cast<int>(std::min(chunk, left.size() - at));
    int got = lame_encode_buffer_ieee_float(gf, left.data() + at, stereo ? right.data() + at : left.data() + at,
                                            n, buf.data(), static_cast<int>(buf.size()));
    if (got < 0) failed = true;
    else out.insert(out.end(), buf.begin(), buf.begin() + got);
  }
  if (!failed) {
    int got = lame_encode_flush(gf, buf.data(), static_cast<int>(buf.size()));
    if (got < 0) failed = true;
    else out.insert(out.end(), buf.begin(), buf.begin() + got);
  }
  if (!failed) {
    // The first frame of the stream was reserved for the info tag (frame count, encoder delay
    // and padding); fill it in now that the totals are known.
    std::vector<uint8_t> tag(4096);
    size_t size = lame_get_lametag_frame(gf, tag.data(), tag.size());
    if (size == 0 || size > tag.size() || size > out.size()) failed = true;
    else std::copy(tag.begin(), tag.begin() + static_cast<long>(size), out.begin());
  }
  lame_close(gf);
  if (failed) return {};
  return out;
}

int WriteMp3(const std::string& path, const Signal& left, const Signal& right, int kbps) {
  std::vector<uint8_t> bytes = EncodeMp3(left, right, kbps);
  if (bytes.empty()) return -1;
  return WriteFileBytes(path, bytes);
}

}  // namespace assetgen
