// One parsed sound-effect command and the parser of the command text.
#include "sound/mcicommand.h"

#include <cctype>
#include <vector>

namespace {

struct Word {
  std::string text;
  bool quoted = false;
};

std::string Lower(const std::string& text) {
  std::string out = text;
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Splits the text into words. Returns false on an unterminated quote or a quote that does not
// stand alone as a word.
bool SplitWords(const std::string& text, std::vector<Word>* words) {
  size_t i = 0;
  const size_t n = text.size();
  while (true) {
    while (i < n && IsBlank(text[i])) ++i;
    if (i >= n) return true;
    Word word;
    if (text[i] == '"') {
      const size_t close = text.find('"', i + 1);
      if (close == std::string::npos) return false;
      word.text = text.substr(i + 1, close - i - 1);
      word.quoted = true;
      i = close + 1;
      if (i < n && !IsBlank(text[i])) return false;
    } else {
      const size_t start = i;
      while (i < n && !IsBlank(text[i])) {
        if (text[i] == '"') return false;
        ++i;
      }
      word.text = text.substr(start, i - start);
    }
    words->push_back(word);
  }
}

// True when the word is the unquoted keyword (letter case ignored).
bool Is(const Word& word, const char* keyword) {
  return !word.quoted && Lower(word.text) == keyword;
}

// A loudness: optional sign and decimal digits, clamped to 0..MAX_VOLUME (saturating, so that
// any number of digits is safe). Returns false for anything else.
bool ParseVolume(const std::string& text, int* volume) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  if (i >= text.size()) return false;
  long value = 0;
  for (; i < text.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
    if (value <= MciCommand::MAX_VOLUME) value = value * 10 + (text[i] - '0');
  }
  if (negative) value = 0;
  *volume = value > MciCommand::MAX_VOLUME ? MciCommand::MAX_VOLUME : static_cast<int>(value);
  return true;
}

// An alias word: unquoted, and not the reserved word "all".
bool TakeAlias(const Word& word, MciCommand* command) {
  if (word.quoted || word.text.empty() || Is(word, "all")) return false;
  command->alias = Lower(word.text);
  return true;
}

int ParseOpen(const std::vector<Word>& w, MciCommand* command) {
  if (w.size() < 2 || w[1].text.empty()) return MCI_ERROR_MALFORMED;
  command->path = w[1].text;
  bool haveAlias = false, haveType = false;
  for (size_t i = 2; i < w.size(); i += 2) {
    if (i + 1 >= w.size()) return MCI_ERROR_MALFORMED;
    if (Is(w[i], "alias") && !haveAlias) {
      if (!TakeAlias(w[i + 1], command)) return MCI_ERROR_MALFORMED;
      haveAlias = true;
    } else if (Is(w[i], "type") && !haveType) {
      if (!Is(w[i + 1], "mpegvideo") && !Is(w[i + 1], "waveaudio")) return MCI_ERROR_MALFORMED;
      haveType = true;
    } else {
      return MCI_ERROR_MALFORMED;
    }
  }
  return haveAlias ? MCI_OK : MCI_ERROR_MALFORMED;
}

// play NAME
int ParsePlay(const std::vector<Word>& w, MciCommand* command) {
  if (w.size() != 2) return MCI_ERROR_MALFORMED;
  return TakeAlias(w[1], command) ? MCI_OK : MCI_ERROR_MALFORMED;
}

// stop NAME | stop all, close NAME | close all
int ParseAliasOrAll(const std::vector<Word>& w, MciCommand* command) {
  if (w.size() == 2 && Is(w[1], "all")) {
    command->all = true;
    return MCI_OK;
  }
  return ParsePlay(w, command);
}

int ParseSeek(const std::vector<Word>& w, MciCommand* command) {
  if (w.size() != 4 || !Is(w[2], "to") || !Is(w[3], "start")) return MCI_ERROR_MALFORMED;
  return TakeAlias(w[1], command) ? MCI_OK : MCI_ERROR_MALFORMED;
}

// setaudio NAME [left|right] volume to N
int ParseSetAudio(const std::vector<Word>& w, MciCommand* command) {
  if (w.size() < 5 || !TakeAlias(w[1], command)) return MCI_ERROR_MALFORMED;
  size_t i = 2;
  command->sides = MciCommand::LEFT | MciCommand::RIGHT;
  if (Is(w[i], "left")) {
    command->sides = MciCommand::LEFT;
    ++i;
  } else if (Is(w[i], "right")) {
    command->sides = MciCommand::RIGHT;
    ++i;
  }
  if (w.size() != i + 3 || !Is(w[i], "volume") || !Is(w[i + 1], "to")) return MCI_ERROR_MALFORMED;
  if (w[i + 2].quoted || !ParseVolume(w[i + 2].text, &command->volume)) return MCI_ERROR_BAD_NUMBER;
  return MCI_OK;
}

// The first words of the commands, what they do and how the rest is read.
struct VerbKind {
  const char* word;
  MciCommand::Verb verb;
  int (*parse)(const std::vector<Word>&, MciCommand*);
};

const VerbKind VERBS[] = {
    {"open", MciCommand::OPEN, ParseOpen},
    {"play", MciCommand::PLAY, ParsePlay},
    {"stop", MciCommand::STOP, ParseAliasOrAll},
    {"close", MciCommand::CLOSE, ParseAliasOrAll},
    {"seek", MciCommand::SEEK_START, ParseSeek},
    {"setaudio", MciCommand::SET_VOLUME, ParseSetAudio},
};

}  // namespace

int ParseMciCommand(const std::string& text, MciCommand* command) {
  *command = MciCommand();
  std::vector<Word> words;
  if (!SplitWords(text, &words)) return MCI_ERROR_MALFORMED;
  if (words.empty()) return MCI_ERROR_UNKNOWN_COMMAND;
  for (const VerbKind& kind : VERBS) {
    if (Is(words[0], kind.word)) {
      command->verb = kind.verb;
      return kind.parse(words, command);
    }
  }
  return MCI_ERROR_UNKNOWN_COMMAND;
}
