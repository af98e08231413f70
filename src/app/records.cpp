// Reading, writing and beating the records.
#include "app/records.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "app/atomicfile.h"
#include "common/frametime.h"
#include "common/textvalue.h"

namespace {

const char* const kHeader = "# QUORL records: KIND MODE VALUE SEED DATE (times in frames of 17 ms)";
const size_t MAX_FILE_BYTES = 64 * 1024;  // a records file is a few hundred bytes
const long MAX_VALUE = 2000000000L;

// The records of a set in the file's order, with their kind's name.
struct Slot {
  const char* kind;
  Record RecordSet::*single;
  int boss;  // index into RecordSet::boss, or -1
};
const Slot kSlots[] = {{"run", &RecordSet::run, -1},    {"boss10", nullptr, 0},
                       {"boss20", nullptr, 1},           {"boss30", nullptr, 2},
                       {"share", &RecordSet::share, -1}, {"deepest", &RecordSet::deepest, -1}};

Record& At(RecordSet& set, const Slot& slot) { return slot.boss >= 0 ? set.boss[slot.boss] : set.*slot.single; }

bool IsDate(const std::string& t) {
  if (t.size() != 10 || t[4] != '-' || t[7] != '-') return false;
  for (size_t i = 0; i < t.size(); ++i) {
    if (i != 4 && i != 7 && (t[i] < '0' || t[i] > '9')) return false;
  }
  return true;
}

bool IsSeed(const std::string& t) {
  long long value = 0;
  return t == "-" || TextValue::Whole(t, 0LL, 4294967295LL, &value);
}

// Replaces `old` by `candidate` when it is better (lower or higher as `lower` says).
bool Beat(Record* old, long value, bool lower, const GameResult& game) {
  if (old->set && (lower ? value >= old->value : value <= old->value)) return false;
  old->set = true;
  old->value = value;
  old->seed = game.seed;
  old->date = game.date;
  return true;
}

}  // namespace

std::vector<std::string> Records::Offer(const GameResult& game) {
  RecordSet& set = game.daily ? daily : normal;
  std::vector<std::string> beaten;
  const std::string prefix = game.daily ? "DAILY " : "";
  if (game.fromStart && game.finished && Beat(&set.run, game.frames, true, game)) {
    beaten.push_back(prefix + "BEST RUN " + QUORL_COMMON::FrameTime(game.frames));
  }
  for (int i = 0; i < 3; ++i) {
    if (game.fromStart && game.arrivals[i] >= 0 && Beat(&set.boss[i], game.arrivals[i], true, game)) {
      beaten.push_back(prefix + "TO FLOOR " + std::to_string(RECORD_BOSS_FLOORS[i]) + " " +
                       QUORL_COMMON::FrameTime(game.arrivals[i]));
    }
  }
  if (game.finished && game.met > 0) {
    const long percent = static_cast<long>(static_cast<long long>(game.killed) * 100 / game.met);
    if (Beat(&set.share, percent, false, game)) beaten.push_back(prefix + "KILL SHARE " + std::to_string(percent) + "%");
  }
  if (game.deepest > 0 && Beat(&set.deepest, game.deepest, false, game)) {
    beaten.push_back(prefix + "DEEPEST FLOOR " + std::to_string(game.deepest));
  }
  return beaten;
}

std::string RecordsText(const Records& records) {
  std::string text = std::string(kHeader) + "\n";
  const struct {
    const char* mode;
    const RecordSet* set;
  } modes[] = {{"normal", &records.normal}, {"daily", &records.daily}};
  for (const auto& mode : modes) {
    for (const Slot& slot : kSlots) {
      const Record& r = At(const_cast<RecordSet&>(*mode.set), slot);
      if (!r.set) continue;
      text += std::string(slot.kind) + " " + mode.mode + " " + std::to_string(r.value) + " " + r.seed + " " + r.date +
              "\n";
    }
  }
  return text;
}

int ParseRecords(const std::string& text, Records* records, std::string* error) {
  Records read;
  std::istringstream lines(text);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find_first_not_of(" \t") == std::string::npos || line[0] == '#') continue;
    std::istringstream words(line);
    std::string kind, mode, value, seed, date, extra;
    words >> kind >> mode >> value >> seed >> date;
    long long number64 = 0;
    const Slot* slot = nullptr;
    for (const Slot& s : kSlots) {
      if (kind == s.kind) slot = &s;
    }
    const bool ok = slot != nullptr && (mode == "normal" || mode == "daily") &&
                    TextValue::Whole(value, 0LL, static_cast<long long>(MAX_VALUE), &number64) && IsSeed(seed) &&
                    IsDate(date) && !(words >> extra);
    if (!ok) {
      *error = "line " + std::to_string(number) + " is not KIND MODE VALUE SEED DATE";
      *records = Records();
      return -1;
    }
    Record& r = At(mode == "daily" ? read.daily : read.normal, *slot);
    r.set = true;
    r.value = static_cast<long>(number64);
    r.seed = seed;
    r.date = date;
  }
  *records = read;
  return 0;
}

int ReadRecords(const std::string& path, Records* records) {
  *records = Records();
  std::ifstream in(path, std::ios::binary);
  if (!in) return 0;
  std::string text(MAX_FILE_BYTES + 1, '\0');
  in.read(&text[0], static_cast<std::streamsize>(text.size()));
  text.resize(static_cast<size_t>(in.gcount()));
  std::string error;
  if (text.size() > MAX_FILE_BYTES) {
    error = "it is larger than any records file";
  } else if (text.find('\0') != std::string::npos) {
    error = "it holds binary bytes";
  } else if (ParseRecords(text, records, &error) == 0) {
    return 0;
  }
  printf("QUORL: the records file %s is damaged (%s); the records start empty\n", path.c_str(), error.c_str());
  *records = Records();
  return -1;
}

int WriteRecords(const std::string& path, const Records& records) { return ReplaceFile(path, RecordsText(records)); }
