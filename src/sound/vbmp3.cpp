// The exported entries of the run-time music library, over one process-wide player.
#include "sound/vbmp3.h"

#include "sound/musicplayer.h"

#define VBMP3_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

MusicPlayer& Player() {
  static MusicPlayer player;
  return player;
}

int lastError = VBMP3_ERROR_NONE;

// Values kept from the option entries; they change nothing.
int fadeInMs = 0;
int fadeOutMs = 0;
int playerOptions[4] = {0, 0, 0, 0};
int decodeOptions[4] = {0, 0, 0, 0};

void CopyOptions(const int* options, int* kept) {
  if (options == nullptr) return;
  for (int i = 0; i < 4; ++i) kept[i] = options[i];
}

}  // namespace

VBMP3_EXPORT int vbmp3_init(void) {
  Player().Init();
  lastError = VBMP3_ERROR_NONE;
  return 1;
}

VBMP3_EXPORT int vbmp3_free(void) {
  Player().Free();
  lastError = VBMP3_ERROR_NONE;
  return 1;
}

VBMP3_EXPORT unsigned char vbmp3_open(const char* path, VBMP3Info* info) {
  lastError = path == nullptr ? VBMP3_ERROR_FILE_MISSING : Player().Open(path);
  if (lastError != VBMP3_ERROR_NONE) return 0;
  const Mp3Decoder* piece = Player().Piece();
  if (info != nullptr) {
    info->channels = piece->FileChannels();
    info->frequency = piece->Rate();
    info->bitrate = piece->Bitrate();
    info->samples = piece->Samples();
    info->lengthMs = static_cast<int>(static_cast<long long>(piece->Samples()) * 1000 / piece->Rate());
  }
  return 1;
}

VBMP3_EXPORT int vbmp3_close(void) {
  Player().Close();
  return 1;
}

VBMP3_EXPORT int vbmp3_getState(int* seconds) {
  return Player().IsPlaying(seconds) ? 1 : 0;
}

VBMP3_EXPORT int vbmp3_play(void) {
  if (Player().Play()) return 1;
  lastError = VBMP3_ERROR_NO_FILE;
  return 0;
}

VBMP3_EXPORT int vbmp3_stop(void) {
  Player().Stop();
  return 1;
}

VBMP3_EXPORT int vbmp3_setFadeIn(int milliseconds) {
  fadeInMs = milliseconds;
  return 1;
}

VBMP3_EXPORT int vbmp3_setFadeOut(int milliseconds) {
  fadeOutMs = milliseconds;
  return 1;
}

VBMP3_EXPORT int vbmp3_setVbmp3Option(const int* options) {
  CopyOptions(options, playerOptions);
  return 1;
}

VBMP3_EXPORT int vbmp3_setDecodeOption(const int* options) {
  CopyOptions(options, decodeOptions);
  return 1;
}

VBMP3_EXPORT int vbmp3_setSoftVolume(int left, int right) {
  Player().SetVolume(left, right);
  return 1;
}

VBMP3_EXPORT int vbmp3_getSoftVolume(int* left, int* right) {
  Player().GetVolume(left, right);
  return 1;
}

VBMP3_EXPORT int vbmp3_getLastErrorNo(void) {
  return lastError;
}

VBMP3_EXPORT void vbmp3_advanceClock(unsigned int milliseconds) {
  Player().AdvanceClock(milliseconds);
}
