// The statistics log: plain text, one line for each floor as it is left and one for each game as
// it ends, appended to the per-user "statistics.txt" beside the save (and to the --stats file).
//
// Columns, separated by one space:
//   floor DATE TIME SEED MODE FLOOR FRAMES CLOCK MET KILLED SHOTS HITS DAMAGE ITEMS
//   game  DATE TIME SEED MODE END FIRST LAST FLOORS FRAMES CLOCK MET KILLED SHOTS HITS DAMAGE ITEMS
//         GAME_MET GAME_KILLED
// DATE YYYY-MM-DD and TIME HH:MM:SS (local) of the line's writing; SEED the game's seed, "-" when
// it followed the clock; MODE normal | special | daily | daily-special; FLOOR 1..30; FRAMES the
// frames played (pauses left out) and CLOCK the same as M:SS.CC at 17 ms a frame; MET and KILLED
// the floor's (or the game's floors') enemies placed and killed; SHOTS fired, HITS on enemies,
// DAMAGE hit points lost, ITEMS picked up. A game line's END is ending | death | title (left with
// Escape) | quit (the program ended); FIRST and LAST its first and last floor, FLOORS the floors
// played; GAME_MET and GAME_KILLED the whole game's counts with those carried by a continue.
// Lines starting with '#' are comments.
#pragma once

#include <string>

#include "game/runstats.h"

// What a log line says about the game besides its counts.
struct StatsGame {
  std::string date, time;  // YYYY-MM-DD, HH:MM:SS
  std::string seed = "-";
  std::string mode = "normal";
};

// The column comment lines written at the head of a new log.
std::string StatsHeader();
std::string StatsFloorLine(const StatsGame& game, const FloorStats& floor);
// `total`: the sum of the game's floors; `first`, `last`: its first and last floor.
std::string StatsGameLine(const StatsGame& game, const std::string& end, int first, int last, int floors,
                          const FloorStats& total, int gameMet, int gameKilled);

// Appends `lines` to `path`, with the header first when the file is new or empty, and closes it
// (a crash later loses nothing written). Returns 0, or -1 when it cannot be written.
int AppendStats(const std::string& path, const std::string& lines);
