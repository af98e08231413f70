// The music of the title and the ending: set-up, repeat and release through the music library.
#include "scenes/scenemusic.h"

#include <cstdio>

namespace {
// Buffering hints of the title and the ending.
const int kMusicOptions[4] = {30, 20, 5, 0};
}  // namespace

int StartSceneMusic(const char* path, std::unique_ptr<VBMP3Wrap>* music, bool* started) {
  *music = std::make_unique<VBMP3Wrap>();
  if ((*music)->Init() == -1) {
    printf("Gamemain:VBMP3Wrap Load Error\n");
    music->reset();
    return -1;
  }
  VBMP3Wrap::vbmp3_init();
  *started = true;
  VBMP3Wrap::vbmp3_setVbmp3Option(kMusicOptions);
  VBMP3Info info = {};
  if (VBMP3Wrap::vbmp3_open(path, &info) == 0) {
    printf("Gamemain:BGM Load Error:%d\n", VBMP3Wrap::vbmp3_getLastErrorNo());
    return -1;
  }
  VBMP3Wrap::vbmp3_play();
  return 0;
}

void KeepSceneMusicPlaying(const VBMP3Wrap* music) {
  if (music == nullptr || VBMP3Wrap::vbmp3_getState == nullptr) return;
  int seconds = 0;
  if (VBMP3Wrap::vbmp3_getState(&seconds) == 0) VBMP3Wrap::vbmp3_play();
}

void StopSceneMusic(std::unique_ptr<VBMP3Wrap>* music, bool* started) {
  if (*started) {
    VBMP3Wrap::vbmp3_stop();
    VBMP3Wrap::vbmp3_close();
    VBMP3Wrap::vbmp3_free();
  }
  *started = false;
  music->reset();
}
