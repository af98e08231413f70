// The media command entry of the sound effects, over one process-wide set of effects.
#include "sound/mcisendstring.h"

#include "sound/soundeffects.h"

int mciSendStringA(const char* command, char* returnBuffer, unsigned returnLength, void* window) {
  (void)window;
  static SoundEffects effects;
  if (returnBuffer != nullptr && returnLength > 0) returnBuffer[0] = '\0';
  if (command == nullptr) return MCI_ERROR_UNKNOWN_COMMAND;
  return effects.Send(command);
}
