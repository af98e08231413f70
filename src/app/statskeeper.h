// The keeper of a run's statistics and records: it writes each floor's and each game's line to the
// statistics log (and the --stats file) as they end, and offers each ended game to the records.
#pragma once

#include <string>
#include <vector>

#include "app/records.h"
#include "app/statslog.h"
#include "game/runstats.h"

class StatsKeeper {
 public:
  // `logPath`: the per-user log, `recordsPath`: the records file (empty: neither read nor
  // written, as while a demo plays); `statsPath`: the --stats file (empty: none), emptied now.
  // The records are read at once (a damaged file reads as empty, with one line).
  void Init(const std::string& logPath, const std::string& recordsPath, const std::string& statsPath);

  // A game starts with this seed ("-": none) and mode (normal, special, daily, daily-special) on
  // `floor`; `daily`: its records are the daily dungeon's.
  void GameStarted(const std::string& seed, const std::string& mode, bool daily, int floor);
  // Floors left: their lines are written at once.
  void FloorsLeft(const std::vector<FloorStats>& floors);
  // The game ended as `end` (ending, death, title, quit) with the game's own enemy counts: its line
  // is written and the records take it.
  void GameEnded(const RunStats& stats, const std::string& end, int gameMet, int gameKilled);

  const Records& Current() const { return records_; }
  // The records the last ended game set (empty: none), as the screens name them.
  const std::vector<std::string>& NewRecords() const { return newRecords_; }
  // Forgets the new records once shown.
  void ClearNewRecords() { newRecords_.clear(); }

 private:
  void Write(const std::string& lines);

  std::string logPath_, recordsPath_, statsPath_;
  bool logFailShown_ = false;
  Records records_;
  std::vector<std::string> newRecords_;
  StatsGame game_;
  bool daily_ = false;
  bool inGame_ = false;
  int firstFloor_ = 0, floors_ = 0, lastFloor_ = 0;
};
