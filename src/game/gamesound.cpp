// The game scene's sounds: effect commands and the music track.
#include "game/gamesound.h"

#include <cstdio>

#include "sound/mcisendstring.h"
#include "sound/vbmp3wrap.h"

namespace gamesound {

namespace {
std::vector<std::string> started;  // see Started
}  // namespace

const std::vector<std::string>& Started() { return started; }

void ForgetStarted() { started.clear(); }

void PlaySE(const std::string& alias) {
  // Kept only until the frame's end; a scene that never forgets them keeps the last few hundred.
  if (started.size() < 256) started.push_back(alias);
  mciSendStringA(("stop " + alias).c_str(), nullptr, 0, nullptr);
  mciSendStringA(("seek " + alias + " to start").c_str(), nullptr, 0, nullptr);
  mciSendStringA(("play " + alias).c_str(), nullptr, 0, nullptr);
}

int OpenMusic(const char* path, QUORL_COMMON::FrameMark mark) {
  QUORL_COMMON::FrameMarks::Note(mark);
  VBMP3Info info = {};
  if (VBMP3Wrap::vbmp3_open(path, &info) == 0) {
    printf("Gamemain:BGM Load Error:%d\n", VBMP3Wrap::vbmp3_getLastErrorNo());
    return -1;
  }
  return 0;
}

bool MusicPlaying() { return VBMP3Wrap::vbmp3_getState(nullptr) != 0; }

}  // namespace gamesound
