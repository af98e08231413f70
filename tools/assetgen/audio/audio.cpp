// The asset generator's sound half: renders the catalogue in parallel and writes the files;
// the report reads them back and prints their numbers.
#include "audio/audio.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <thread>

#include "audio/catalogue.h"
#include "audio/mp3decoder.h"
#include "audio/mp3encoder.h"
#include "audio/soundstats.h"
#include "audio/voices.h"
#include "audio/wavfile.h"

namespace assetgen {

namespace {

// Bit rates (kbit/s): music in joint stereo, voices (mostly the same in both channels).
constexpr int kMusicKbps = 128;
constexpr int kVoiceKbps = 96;

// A fixed seed per file, from its path (FNV-1a).
uint64_t SeedOf(const std::string& path) {
  uint64_t h = 1469598103934665603ull;
  for (char c : path) h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
  return h;
}

// Renders and writes one catalogue entry. Returns 0 or -1 after a message.
int Produce(const SoundFile& f, const std::string& outDir) {
  std::string path = outDir + "/" + f.path;
  switch (f.kind) {
    case SoundKind::kEffect:
      if (WriteWav(path, f.effect()) != 0) {
        fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
        return -1;
      }
      return 0;
    case SoundKind::kMusic: {
      Song song = f.music();
      if (song.Errors() != 0) {
        fprintf(stderr, "assetgen: %d pattern errors in %s\n", song.Errors(), f.path.c_str());
        return -1;
      }
      Stereo st = song.Render(SeedOf(f.path));
      if (WriteMp3(path, st.left, st.right, kMusicKbps) != 0) {
        fprintf(stderr, "assetgen: cannot encode or write %s\n", path.c_str());
        return -1;
      }
      return 0;
    }
    case SoundKind::kVoice: {
      Stereo st;
      if (RenderVoiceLine(f.voice, &st) != 0) return -1;
      if (WriteMp3(path, st.left, st.right, kVoiceKbps) != 0) {
        fprintf(stderr, "assetgen: cannot encode or write %s\n", path.c_str());
        return -1;
      }
      return 0;
    }
  }
  return 0;
}

// Reads one written file back as mono (channels averaged). Returns 0 or -1.
int ReadBack(const SoundFile& f, const std::string& outDir, Signal* mono, int* rate, std::string* error) {
  std::string path = outDir + "/" + f.path;
  if (f.kind != SoundKind::kEffect) {
    Mp3Data mp3;
    if (ReadMp3(path, &mp3, error) != 0) return -1;
    *rate = static_cast<int>(mp3.rate);
    mono->assign(mp3.samples.size() / mp3.channels, 0.0f);
    for (size_t i = 0; i < mp3.samples.size(); ++i) (*mono)[i / mp3.channels] += mp3.samples[i] / mp3.channels;
    return 0;
  }
  WavData wav;
  if (ReadWav(path, &wav, error) != 0) return -1;
  *rate = wav.rate;
  mono->assign(wav.samples.size() / wav.channels, 0.0f);
  for (size_t i = 0; i < wav.samples.size(); ++i) (*mono)[i / wav.channels] += wav.samples[i] / wav.channels;
  return 0;
}

// Sum of the sizes of the catalogue's files that exist under `outDir`.
uintmax_t TotalBytes(const std::vector<SoundFile>& files, const std::string& outDir) {
  uintmax_t total = 0;
  for (const SoundFile& f : files) {
    std::error_code ec;
    uintmax_t size = std::filesystem::file_size(outDir + "/" + f.path, ec);
    if (!ec) total += size;
  }
  return total;
}

}  // namespace

int GenerateAudio(const std::string& outDir) {
  auto start = std::chrono::steady_clock::now();
  std::vector<SoundFile> files = SoundCatalogue();
  // Longest jobs first (music, then voices, then effects) so that the threads finish together.
  std::stable_sort(files.begin(), files.end(), [](const SoundFile& a, const SoundFile& b) {
    return static_cast<int>(a.kind == SoundKind::kEffect) < static_cast<int>(b.kind == SoundKind::kEffect);
  });
  std::atomic<size_t> next{0};
  std::atomic<int> failures{0};
  auto worker = [&]() {
    for (size_t i = next++; i < files.size(); i = next++) {
      if (Produce(files[i], outDir) != 0) ++failures;
    }
  };
  unsigned count = std::max(2u, std::thread::hardware_concurrency());
  std::vector<std::thread> threads;
  for (unsigned t = 0; t < count; ++t) threads.emplace_back(worker);
  for (std::thread& t : threads) t.join();
  double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  printf("assetgen: %zu sounds in %.1f s, %.1f MB\n", files.size(), secs, TotalBytes(files, outDir) / 1e6);
  return failures == 0 ? 0 : -1;
}

int ReportAudio(const std::string& outDir) {
  int result = 0;
  for (const SoundFile& f : SoundCatalogue()) {
    Signal mono;
    int rate = 0;
    std::string error;
    if (ReadBack(f, outDir, &mono, &rate, &error) != 0) {
      printf("%-34s unreadable: %s\n", f.path.c_str(), error.c_str());
      result = -1;
      continue;
    }
    printf("%s\n", FormatStats(f.path, Measure(mono, rate)).c_str());
  }
  std::vector<SoundFile> files = SoundCatalogue();
  printf("%zu sounds, %.1f MB\n", files.size(), TotalBytes(files, outDir) / 1e6);
  return result;
}

}  // namespace assetgen
