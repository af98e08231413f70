// The shared audio output: one SDL_mixer device for the sound effects and the music library.
#include "sound/audiodevice.h"

#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>

#include <cstdio>
#include <cstdlib>

namespace AudioDevice {

namespace {

// Samples per mixing pass: about 23 ms at 44.1 kHz.
const int CHUNK_SIZE = 1024;

// The effects (linked into the game) and the music library (loaded at run time) each carry their
// own copy of this file, so the "said once" mark lives in the process environment.
const char* const SILENT_MARK = "QUORL_SOUND_OFF_REPORTED";

// Says once per process that sound is off, and clears SDL's error: the failure is handled here
// and must not be reported again as a pending SDL error.
void ReportSilentOnce() {
  if (getenv(SILENT_MARK) == nullptr) {
    setenv(SILENT_MARK, "1", 1);
    const char* reason = SDL_GetError();
    if (reason != nullptr && reason[0] != '\0') {
      printf("Sound: no audio device (%s), playing silently\n", reason);
    } else {
      printf("Sound: no audio device, playing silently\n");
    }
    fflush(stdout);
  }
  SDL_ClearError();
}

}  // namespace

int Open() {
  // SDL_mixer counts the holds of an open device when the request matches the format it runs
  // with (a different request would close and reopen it under the other user), so an open
  // device is asked for again in exactly its own format.
  int frequency = 0, channels = 0;
  Uint16 format = 0;
  if (Mix_QuerySpec(&frequency, &format, &channels) != 0) {
    return Mix_OpenAudio(frequency, format, channels, CHUNK_SIZE) == 0 ? 0 : -1;
  }
  if (Mix_OpenAudio(FREQUENCY, AUDIO_S16SYS, CHANNELS, CHUNK_SIZE) != 0) {
    ReportSilentOnce();
    return -1;
  }
  return 0;
}

void Close() {
  Mix_CloseAudio();
}

}  // namespace AudioDevice
