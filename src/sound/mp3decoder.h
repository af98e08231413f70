// One MP3 file held in memory and decoded on demand to 16-bit stereo samples by libmpg123.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

struct mpg123_handle_struct;

class Mp3Decoder {
 public:
  Mp3Decoder() = default;
  ~Mp3Decoder();
  Mp3Decoder(const Mp3Decoder&) = delete;
  Mp3Decoder& operator=(const Mp3Decoder&) = delete;

  // Reads the whole file, checks that it decodes and measures its exact length, with output at
  // `rate` Hz. Returns 0, or one of the VBMP3_ERROR_* numbers (file missing, not an MP3, decoder).
  int Open(const std::string& path, int rate);
  // Back to the first sample. Returns 0 or -1.
  int Rewind();
  // Decodes up to `bytes` bytes of interleaved stereo samples into `out`. Returns the bytes
  // written; fewer than asked (possibly 0) only at the end of the piece or on a decoding error.
  size_t Read(unsigned char* out, size_t bytes);

  // Exact length in sample frames at the output rate.
  long Samples() const { return samples_; }
  // Channels and bit rate (kbit/s) of the file, output rate in Hz.
  int FileChannels() const { return fileChannels_; }
  int Bitrate() const { return bitrate_; }
  int Rate() const { return rate_; }

 private:
  // The decoder reads the file from memory through these two.
  static ssize_t ReadBytes(void* self, void* out, size_t bytes);
  static off_t SeekBytes(void* self, off_t offset, int whence);
  void Close();

  std::vector<unsigned char> data_;  // the whole file
  size_t position_ = 0;              // read position in data_

  mpg123_handle_struct* handle_ = nullptr;
  long samples_ = 0;
  int fileChannels_ = 0;
  int bitrate_ = 0;
  int rate_ = 0;
};
