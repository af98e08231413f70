// The player's records: the best full run, the fastest arrival at each boss floor, the best kill
// share and the deepest floor, kept apart for ordinary games and the daily dungeon, in a small
// text file beside the save.
#pragma once

#include <string>
#include <vector>

// One record: its value, and the seed and date of the game that set it.
struct Record {
  bool set = false;
  long value = 0;         // frames (times), percent (kill share) or floor (deepest)
  std::string seed = "-"; // the game's seed, "-" for a game that followed the clock
  std::string date;       // YYYY-MM-DD of the game's end
};

// The boss floors, whose arrival times are kept.
const int RECORD_BOSS_FLOORS[3] = {10, 20, 30};

// The records of one kind of game.
struct RecordSet {
  Record run;       // frames from floor 1 to the ending (fewer is better)
  Record boss[3];   // frames from floor 1 to entering floor 10, 20, 30 (fewer is better)
  Record share;     // percent of the enemies met that were killed in a finished game (more is better)
  Record deepest;   // the deepest floor reached (deeper is better)
};

// How a game ended, as the records see it.
struct GameResult {
  bool daily = false;      // a daily dungeon's game
  bool fromStart = false;  // a new game from floor 1: its times count
  bool finished = false;   // it reached the ending roll
  std::string seed = "-";
  std::string date;        // YYYY-MM-DD
  long frames = 0;         // the game's frames (pauses left out)
  long arrivals[3] = {-1, -1, -1};  // frames at entering floors 10, 20, 30 (-1: not entered)
  int deepest = 0;         // the deepest floor started
  int met = 0, killed = 0; // the whole game's enemy counts, carried ones included
};

struct Records {
  RecordSet normal, daily;

  // Takes a game: every record it beats is replaced (a tie keeps the older). Returns the
  // records it set, as the screens name them ("BEST RUN 12:34.56", "DEEPEST FLOOR 17", ...).
  std::vector<std::string> Offer(const GameResult& game);
};

// The file's text: a comment line, then one line a record that is set:
// "KIND MODE VALUE SEED DATE" with KIND run | boss10 | boss20 | boss30 | share | deepest and
// MODE normal | daily.
std::string RecordsText(const Records& records);
// Reads the text. Returns 0, or -1 with `error` naming the first bad line (records then empty).
int ParseRecords(const std::string& text, Records* records, std::string* error);

// Reads the file at `path`: missing gives empty records quietly; a damaged one gives empty records
// and one line on standard output. Returns 0, or -1 for a damaged file.
int ReadRecords(const std::string& path, Records* records);
// Writes the file whole through a temporary file and a rename, as the save is written. 0 or -1.
int WriteRecords(const std::string& path, const Records& records);
