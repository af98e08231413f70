// One MP3 file held in memory and decoded on demand to 16-bit stereo samples by libmpg123.
#include "sound/mp3decoder.h"

#include <mpg123.h>

#include <cstdio>
#include <cstring>

#include "sound/filebytes.h"
#include "sound/vbmp3.h"

namespace {

// Largest MP3 file accepted (an hour at 320 kbit/s is about 144 MB).
const long MAX_FILE_BYTES = 256L * 1024 * 1024;

// libmpg123 before 1.27 needs its tables set up once; later versions ignore the call.
void InitLibraryOnce() {
  static const int done = mpg123_init();
  (void)done;
}

}  // namespace

Mp3Decoder::~Mp3Decoder() {
  Close();
}

void Mp3Decoder::Close() {
  if (handle_ != nullptr) {
    mpg123_close(handle_);
    mpg123_delete(handle_);
    handle_ = nullptr;
  }
  data_.clear();
  position_ = 0;
  samples_ = 0;
}

ssize_t Mp3Decoder::ReadBytes(void* self, void* out, size_t bytes) {
  Mp3Decoder* decoder = static_cast<Mp3Decoder*>(self);
  const size_t left = decoder->data_.size() - decoder->position_;
  const size_t count = bytes < left ? bytes : left;
  if (count > 0) memcpy(out, decoder->data_.data() + decoder->position_, count);
  decoder->position_ += count;
  return static_cast<ssize_t>(count);
}

off_t Mp3Decoder::SeekBytes(void* self, off_t offset, int whence) {
  Mp3Decoder* decoder = static_cast<Mp3Decoder*>(self);
  off_t base = 0;
  if (whence == SEEK_CUR) base = static_cast<off_t>(decoder->position_);
  if (whence == SEEK_END) base = static_cast<off_t>(decoder->data_.size());
  const off_t target = base + offset;
  if (target < 0 || target > static_cast<off_t>(decoder->data_.size())) return -1;
  decoder->position_ = static_cast<size_t>(target);
  return target;
}

int Mp3Decoder::Open(const std::string& path, int rate) {
  Close();
  InitLibraryOnce();
  if (!ReadFileBytes(path, MAX_FILE_BYTES, &data_)) {
    Close();
    return VBMP3_ERROR_FILE_MISSING;
  }
  if (data_.empty()) {
    Close();
    return VBMP3_ERROR_NOT_MP3;
  }
  int error = MPG123_OK;
  handle_ = mpg123_new(nullptr, &error);
  if (handle_ == nullptr) {
    Close();
    return VBMP3_ERROR_DECODER;
  }
  // Output only 16-bit stereo at the device rate: mono files are doubled, files of another rate
  // go through the decoder's own resampler.
  mpg123_param(handle_, MPG123_ADD_FLAGS, MPG123_QUIET, 0.0);
  if (mpg123_format_none(handle_) != MPG123_OK ||
      mpg123_format(handle_, rate, MPG123_STEREO, MPG123_ENC_SIGNED_16) != MPG123_OK ||
      mpg123_replace_reader_handle(handle_, ReadBytes, SeekBytes, nullptr) != MPG123_OK ||
      mpg123_open_handle(handle_, this) != MPG123_OK) {
    Close();
    return VBMP3_ERROR_DECODER;
  }
  long fileRate = 0;
  int channels = 0, encoding = 0;
  mpg123_frameinfo info;
  if (mpg123_getformat(handle_, &fileRate, &channels, &encoding) != MPG123_OK ||
      mpg123_info(handle_, &info) != MPG123_OK || mpg123_scan(handle_) != MPG123_OK) {
    Close();
    return VBMP3_ERROR_NOT_MP3;
  }
  const off_t length = mpg123_length(handle_);
  if (length <= 0) {
    Close();
    return VBMP3_ERROR_NOT_MP3;
  }
  fileChannels_ = info.mode == MPG123_M_MONO ? 1 : 2;
  bitrate_ = info.bitrate;
  rate_ = rate;
  samples_ = static_cast<long>(length);
  // The first frame must decode, not merely parse.
  unsigned char probe[4096];
  size_t done = 0;
  const int read = mpg123_read(handle_, probe, sizeof(probe), &done);
  const bool decoded = read == MPG123_OK || read == MPG123_NEW_FORMAT || (read == MPG123_DONE && done > 0);
  if (!decoded || Rewind() != 0) {
    Close();
    return VBMP3_ERROR_NOT_MP3;
  }
  return VBMP3_ERROR_NONE;
}

int Mp3Decoder::Rewind() {
  if (handle_ == nullptr) return -1;
  return mpg123_seek(handle_, 0, SEEK_SET) == 0 ? 0 : -1;
}

size_t Mp3Decoder::Read(unsigned char* out, size_t bytes) {
  size_t total = 0;
  while (handle_ != nullptr && total < bytes) {
    size_t done = 0;
    const int result = mpg123_read(handle_, out + total, bytes - total, &done);
    total += done;
    if (result == MPG123_NEW_FORMAT) continue;
    if (result != MPG123_OK) break;
    if (done == 0) break;
  }
  return total;
}
