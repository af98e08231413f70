// WAV writer and reader for 16-bit PCM.
#include "audio/wavfile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

namespace assetgen {

namespace {

void Put16(std::vector<uint8_t>& b, uint32_t v) {
  b.push_back(static_cast<uint8_t>(v & 0xFF));
  b.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}

void Put32(std::vector<uint8_t>& b, uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}

void PutTag(std::vector<uint8_t>& b, const char* tag) { b.insert(b.end(), tag, tag + 4); }

uint32_t Get16(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<uint32_t>(b[at]) | (static_cast<uint32_t>(b[at + 1]) << 8);
}

uint32_t Get32(const std::vector<uint8_t>& b, size_t at) {
  return Get16(b, at) | (Get16(b, at + 2) << 16);
}

bool TagIs(const std::vector<uint8_t>& b, size_t at, const char* tag) {
  return std::equal(tag, tag + 4, b.begin() + static_cast<long>(at));
}

}  // namespace

std::vector<uint8_t> EncodeWav(const Signal& s, int rate) {
  const uint32_t dataBytes = static_cast<uint32_t>(s.size() * 2);
  std::vector<uint8_t> b;
  b.reserve(44 + dataBytes);
  PutTag(b, "RIFF");
  Put32(b, 36 + dataBytes);
  PutTag(b, "WAVE");
  PutTag(b, "fmt ");
  Put32(b, 16);
  Put16(b, 1);                             // PCM
  Put16(b, 1);                             // mono
  Put32(b, static_cast<uint32_t>(rate));   // frames per second
  Put32(b, static_cast<uint32_t>(rate) * 2);  // bytes per second
  Put16(b, 2);                             // bytes per frame
  Put16(b, 16);                            // bits per sample
  PutTag(b, "data");
  Put32(b, dataBytes);
  for (float x : s) {
    long v = std::lround(std::clamp(x, -1.0f, 1.0f) * 32767.0f);
    Put16(b, static_cast<uint32_t>(static_cast<uint16_t>(static_cast<int16_t>(v))));
  }
  return b;
}

int WriteWav(const std::string& path, const Signal& s, int rate) {
  return WriteFileBytes(path, EncodeWav(s, rate));
}

int DecodeWav(const std::vector<uint8_t>& b, WavData* out, std::string* error) {
  auto fail = [error](const char* why) {
    if (error) *error = why;
    return -1;
  };
  if (b.size() < 12 || !TagIs(b, 0, "RIFF") || !TagIs(b, 8, "WAVE")) return fail("not a RIFF/WAVE file");
  bool haveFormat = false;
  size_t at = 12;
  while (at + 8 <= b.size()) {
    uint32_t size = Get32(b, at + 4);
    size_t body = at + 8;
    if (size > b.size() - body) return fail("chunk runs past the end of the file");
    if (TagIs(b, at, "fmt ")) {
      if (size < 16) return fail("format chunk too short");
      if (Get16(b, body) != 1) return fail("not PCM");
      out->channels = static_cast<int>(Get16(b, body + 2));
      out->rate = static_cast<int>(Get32(b, body + 4));
      out->bitsPerSample = static_cast<int>(Get16(b, body + 14));
      if (out->channels < 1 || out->channels > 2) return fail("unsupported channel count");
      if (out->bitsPerSample != 16) return fail("not 16-bit");
      if (Get32(b, body + 8) != static_cast<uint32_t>(out->rate * out->channels * 2) ||
          Get16(b, body + 12) != static_cast<uint32_t>(out->channels * 2)) {
        return fail("inconsistent byte rate or frame size");
      }
      haveFormat = true;
    } else if (TagIs(b, at, "data")) {
      if (!haveFormat) return fail("data before format");
      if (size % (2u * out->channels) != 0) return fail("partial frame in data");
      out->samples.resize(size / 2);
      for (size_t i = 0; i < out->samples.size(); ++i) {
        out->samples[i] = static_cast<int16_t>(Get16(b, body + 2 * i)) / 32768.0f;
      }
      return 0;
    }
    at = body + size + (size & 1);
  }
  return fail("no data chunk");
}

int ReadWav(const std::string& path, WavData* out, std::string* error) {
  std::vector<uint8_t> bytes;
  if (ReadFileBytes(path, &bytes) != 0) {
    if (error) *error = "cannot read " + path;
    return -1;
  }
  return DecodeWav(bytes, out, error);
}

int ReadFileBytes(const std::string& path, std::vector<uint8_t>* out) {
  FILE* f = fopen(path.c_str(), "rb");
  if (!f) return -1;
  out->clear();
  uint8_t chunk[65536];
  size_t n;
  while ((n = fread(chunk, 1, sizeof chunk, f)) > 0) out->insert(out->end(), chunk, chunk + n);
  bool bad = ferror(f) != 0;
  fclose(f);
  return bad ? -1 : 0;
}

int WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::error_code ec;
  std::filesystem::path p(path);
  if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path(), ec);
  FILE* f = fopen(path.c_str(), "wb");
  if (!f) return -1;
  bool ok = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = (fclose(f) == 0) && ok;
  return ok ? 0 : -1;
}

}  // namespace assetgen
