// Fuzz target: the sound-effect command parser on arbitrary text, and the commands it accepts run
// on a silent set of effects (opens are parsed only, never run, so no file is touched).
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "sound/mcicommand.h"
#include "sound/soundeffects.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static SoundEffects effects(false);
  const std::string text(reinterpret_cast<const char*>(data), size);
  MciCommand command;
  if (ParseMciCommand(text, &command) != MCI_OK) return 0;
  // What the parser promises of an accepted command.
  if (command.volume < 0 || command.volume > MciCommand::MAX_VOLUME) abort();
  if (!command.all && command.alias.empty()) abort();
  for (char c : command.alias) {
    if (std::isupper(static_cast<unsigned char>(c))) abort();
  }
  if (command.verb == MciCommand::OPEN && command.path.empty()) abort();
  if (command.verb != MciCommand::OPEN) effects.Run(command);
  return 0;
}
