// Writing the statistics log and keeping the records.
#include "app/statskeeper.h"

#include <cstdio>
#include <ctime>

namespace {

// The local date (YYYY-MM-DD) and time (HH:MM:SS) now.
void Now(std::string* date, std::string* time) {
  const std::time_t t = std::time(nullptr);
  std::tm local = {};
  localtime_r(&t, &local);
  char text[32];
  strftime(text, sizeof text, "%Y-%m-%d", &local);
  *date = text;
  strftime(text, sizeof text, "%H:%M:%S", &local);
  *time = text;
}

}  // namespace

void StatsKeeper::Init(const std::string& logPath, const std::string& recordsPath, const std::string& statsPath) {
  logPath_ = logPath;
  recordsPath_ = recordsPath;
  statsPath_ = statsPath;
  if (!recordsPath_.empty()) ReadRecords(recordsPath_, &records_);
  if (!statsPath_.empty()) {
    FILE* file = fopen(statsPath_.c_str(), "wb");
    if (file == nullptr) {
      printf("QUORL: cannot write the statistics file %s\n", statsPath_.c_str());
    } else {
      fclose(file);
    }
  }
}

void StatsKeeper::Write(const std::string& lines) {
  if (!statsPath_.empty() && AppendStats(statsPath_, lines) != 0) {
    printf("QUORL: cannot write the statistics file %s\n", statsPath_.c_str());
    statsPath_.clear();
  }
  if (!logPath_.empty() && AppendStats(logPath_, lines) != 0 && !logFailShown_) {
    logFailShown_ = true;
    printf("QUORL: cannot write the statistics log %s; the game goes on without it\n", logPath_.c_str());
  }
}

void StatsKeeper::GameStarted(const std::string& seed, const std::string& mode, bool daily, int floor) {
  game_ = StatsGame();
  game_.seed = seed;
  game_.mode = mode;
  daily_ = daily;
  inGame_ = true;
  firstFloor_ = lastFloor_ = floor;
  floors_ = 0;
  newRecords_.clear();
}

void StatsKeeper::FloorsLeft(const std::vector<FloorStats>& floors) {
  if (!inGame_ || floors.empty()) return;
  std::string lines;
  Now(&game_.date, &game_.time);
  for (const FloorStats& f : floors) {
    lines += StatsFloorLine(game_, f);
    lastFloor_ = f.floor;
    ++floors_;
  }
  Write(lines);
}

void StatsKeeper::GameEnded(const RunStats& stats, const std::string& end, int gameMet, int gameKilled) {
  if (!inGame_) return;
  inGame_ = false;
  Now(&game_.date, &game_.time);
  Write(StatsGameLine(game_, end, firstFloor_, lastFloor_, floors_, stats.Total(), gameMet, gameKilled));
  if (recordsPath_.empty()) return;
  GameResult result;
  result.daily = daily_;
  result.fromStart = stats.FromStart();
  result.finished = end == "ending";
  result.seed = game_.seed;
  result.date = game_.date;
  result.frames = stats.Total().frames;
  for (int i = 0; i < 3; ++i) result.arrivals[i] = stats.ArrivalFrames(RECORD_BOSS_FLOORS[i]);
  result.deepest = stats.Deepest();
  result.met = gameMet;
  result.killed = gameKilled;
  newRecords_ = records_.Offer(result);
  if (!newRecords_.empty() && WriteRecords(recordsPath_, records_) != 0) {
    printf("QUORL: cannot write the records file %s\n", recordsPath_.c_str());
  }
}
