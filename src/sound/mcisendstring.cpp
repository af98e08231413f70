// The media command entry of the sound effects, over one process-wide set of effects.
#include "sound/mcisendstring.h"

#include "sound/soundeffects.h"

namespace {

SoundEffects& Effects() {
  static SoundEffects effects;
  return effects;
}

}  // namespace

int mciSendStringA(const char* command, char* returnBuffer, unsigned returnLength, void* window) {
  (void)window;
  if (returnBuffer != nullptr && returnLength > 0) returnBuffer[0] = '\0';
  if (command == nullptr) return MCI_ERROR_UNKNOWN_COMMAND;
  return Effects().Send(command);
}

void mciSetMasterVolume(int percent) { Effects().SetMasterVolume(percent); }
