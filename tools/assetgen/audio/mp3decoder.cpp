// MP3 reader on libmpg123, output as float samples.
#include "audio/mp3decoder.h"

#include <mpg123.h>

#include <mutex>
#include <vector>

namespace assetgen {

int ReadMp3(const std::string& path, Mp3Data* out, std::string* error) {
  static std::once_flag once;
  std::call_once(once, [] { mpg123_init(); });
  auto fail = [error](const std::string& why) {
    if (error) *error = why;
    return -1;
  };
  int err = MPG123_OK;
  mpg123_handle* h = mpg123_new(nullptr, &err);
  if (!h) return fail("decoder unavailable");
  mpg123_param(h, MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_GAPLESS, 0.0);
  mpg123_format_none(h);
  for (long rate : {44100L, 22050L, 48000L, 32000L, 24000L, 16000L, 11025L, 12000L, 8000L}) {
    mpg123_format(h, rate, MPG123_MONO | MPG123_STEREO, MPG123_ENC_FLOAT_32);
  }
  if (mpg123_open(h, path.c_str()) != MPG123_OK) {
    mpg123_delete(h);
    return fail("cannot open " + path);
  }
  int encoding = 0;
  if (mpg123_getformat(h, &out->rate, &out->channels, &encoding) != MPG123_OK) {
    mpg123_close(h);
    mpg123_delete(h);
    return fail("no MP3 stream in " + path);
  }
  out->samples.clear();
  std::vector<unsigned char> buf(65536);
  int status = MPG123_OK;
  while (status == MPG123_OK || status == MPG123_NEW_FORMAT) {
    size_t done = 0;
    status = mpg123_read(h, buf.data(), buf.size(), &done);
    const float* f = reinterpret_cast<const float*>(buf.data());
    out->samples.insert(out->samples.end(), f, f + done / sizeof(float));
  }
  mpg123_close(h);
  mpg123_delete(h);
  if (status != MPG123_DONE) return fail("decode error in " + path);
  if (out->channels < 1) return fail("bad channel count in " + path);
  return 0;
}

}  // namespace assetgen
