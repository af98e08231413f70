// One parsed sound-effect command and the parser of the command text.
#pragma once

#include <string>

// Results of a command: 0 is success, every other value a distinct failure.
enum MciResult {
  MCI_OK = 0,
  MCI_ERROR_UNKNOWN_COMMAND = 1,  // empty text or an unknown first word
  MCI_ERROR_MALFORMED = 2,        // words missing, extra or out of place; unterminated quote
  MCI_ERROR_BAD_NUMBER = 3,       // a loudness that is not a decimal integer
  MCI_ERROR_ALIAS_IN_USE = 4,     // open under an alias that is already open
  MCI_ERROR_ALIAS_NOT_OPEN = 5,   // any other command on an alias that is not open
  MCI_ERROR_FILE_NOT_FOUND = 6,   // open of a file that cannot be read
  MCI_ERROR_INVALID_FILE = 7,     // open of a file that is not a playable WAV
};

struct MciCommand {
  enum Verb { OPEN, PLAY, STOP, SEEK_START, CLOSE, SET_VOLUME };

  // Loudness sides of SET_VOLUME.
  static constexpr int LEFT = 1;
  static constexpr int RIGHT = 2;

  // Largest loudness; larger values are clamped to it, negative ones to 0.
  static constexpr int MAX_VOLUME = 1000;

  Verb verb = PLAY;
  bool all = false;    // STOP and CLOSE: every open alias
  std::string alias;   // in lower case (aliases ignore letter case)
  std::string path;    // OPEN: the file
  int sides = 0;       // SET_VOLUME: LEFT, RIGHT or both
  int volume = 0;      // SET_VOLUME: 0..MAX_VOLUME
};

// Parses one command text (see mcisendstring.h for the forms). Words are separated by spaces or
// tabs; a word in double quotes may contain spaces. Keywords ignore letter case. Returns MCI_OK
// and fills `command`, or MCI_ERROR_UNKNOWN_COMMAND, MCI_ERROR_MALFORMED or MCI_ERROR_BAD_NUMBER.
int ParseMciCommand(const std::string& text, MciCommand* command);
