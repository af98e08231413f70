// espeak-ng wrapper: each synthesis runs in a forked child and returns its samples by a pipe.
#include "audio/speaker.h"

#include <espeak-ng/speak_lib.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace assetgen {

namespace {

std::vector<short>* collecting = nullptr;

int Collect(short* wav, int count, espeak_EVENT*) {
  if (wav && count > 0 && collecting) collecting->insert(collecting->end(), wav, wav + count);
  return 0;  // 0 = go on
}

bool WriteAll(int fd, const void* data, size_t size) {
  const char* p = static_cast<const char*>(data);
  while (size > 0) {
    ssize_t n = write(fd, p, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    p += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

// In the child: start the engine, speak, send {rate, count, samples...}. Exit status 0 or 1.
[[noreturn]] void SpeakInChild(int fd, const std::string& text, const SpeechSettings& settings) {
  int32_t rate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, 0);
  if (rate <= 0) _exit(2);
  std::vector<short> pcm;
  collecting = &pcm;
  espeak_SetSynthCallback(Collect);
  if (espeak_SetVoiceByName(settings.voice.c_str()) != EE_OK) _exit(3);
  espeak_SetParameter(espeakRATE, settings.rate, 0);
  espeak_SetParameter(espeakPITCH, settings.pitch, 0);
  espeak_SetParameter(espeakRANGE, settings.range, 0);
  if (espeak_Synth(text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr, nullptr) != EE_OK ||
      pcm.empty()) {
    _exit(4);
  }
  uint64_t count = pcm.size();
  bool ok = WriteAll(fd, &rate, sizeof rate) && WriteAll(fd, &count, sizeof count) &&
            WriteAll(fd, pcm.data(), pcm.size() * sizeof(short));
  _exit(ok ? 0 : 1);
}

}  // namespace

int Speak(const std::string& text, const SpeechSettings& settings, Signal* out, int* rate) {
  int fds[2];
  if (pipe(fds) != 0) {
    fprintf(stderr, "assetgen: cannot open a pipe for speech\n");
    return -1;
  }
  fflush(nullptr);
  pid_t pid = fork();
  if (pid < 0) {
    close(fds[0]);
    close(fds[1]);
    fprintf(stderr, "assetgen: cannot start the speech process\n");
    return -1;
  }
  if (pid == 0) {
    close(fds[0]);
    SpeakInChild(fds[1], text, settings);
  }
  close(fds[1]);
  std::vector<char> bytes;
  char chunk[65536];
  for (;;) {
    ssize_t n = read(fds[0], chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    bytes.insert(bytes.end(), chunk, chunk + n);
  }
  close(fds[0]);
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  const size_t header = sizeof(int32_t) + sizeof(uint64_t);
  int32_t engineRate = 0;
  uint64_t count = 0;
  if (bytes.size() >= header) {
    std::copy(bytes.begin(), bytes.begin() + sizeof engineRate, reinterpret_cast<char*>(&engineRate));
    std::copy(bytes.begin() + sizeof engineRate, bytes.begin() + header, reinterpret_cast<char*>(&count));
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || bytes.size() < header || engineRate <= 0 ||
      count == 0 || (bytes.size() - header) / sizeof(short) != count) {
    fprintf(stderr, "assetgen: speech failed for \"%s\" (voice %s, status %d)\n", text.c_str(),
            settings.voice.c_str(), WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    return -1;
  }
  out->resize(count);
  const char* p = bytes.data() + header;
  for (size_t i = 0; i < count; ++i) {
    short v;
    std::copy(p + i * sizeof v, p + (i + 1) * sizeof v, reinterpret_cast<char*>(&v));
    (*out)[i] = v / 32768.0f;
  }
  *rate = engineRate;
  return 0;
}

}  // namespace assetgen
