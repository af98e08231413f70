// The statistics log's lines and their appending.
#include "app/statslog.h"

#include <sys/stat.h>

#include <cstdio>

#include "common/frametime.h"

namespace {

std::string Counts(const FloorStats& f) {
  return std::to_string(f.frames) + " " + QUORL_COMMON::FrameTime(f.frames) + " " + std::to_string(f.met) + " " +
         std::to_string(f.killed) + " " + std::to_string(f.shots) + " " + std::to_string(f.hits) + " " +
         std::to_string(f.damage) + " " + std::to_string(f.items);
}

std::string Head(const char* kind, const StatsGame& game) {
  return std::string(kind) + " " + game.date + " " + game.time + " " + game.seed + " " + game.mode;
}

}  // namespace

std::string StatsHeader() {
  return "# QUORL statistics, one line a floor left and one a game ended (times at 17 ms a frame):\n"
         "# floor DATE TIME SEED MODE FLOOR FRAMES CLOCK MET KILLED SHOTS HITS DAMAGE ITEMS\n"
         "# game DATE TIME SEED MODE END FIRST LAST FLOORS FRAMES CLOCK MET KILLED SHOTS HITS DAMAGE ITEMS "
         "GAME_MET GAME_KILLED\n";
}

std::string StatsFloorLine(const StatsGame& game, const FloorStats& floor) {
  return Head("floor", game) + " " + std::to_string(floor.floor) + " " + Counts(floor) + "\n";
}

std::string StatsGameLine(const StatsGame& game, const std::string& end, int first, int last, int floors,
                          const FloorStats& total, int gameMet, int gameKilled) {
  return Head("game", game) + " " + end + " " + std::to_string(first) + " " + std::to_string(last) + " " +
         std::to_string(floors) + " " + Counts(total) + " " + std::to_string(gameMet) + " " +
         std::to_string(gameKilled) + "\n";
}

int AppendStats(const std::string& path, const std::string& lines) {
  struct stat info;
  const bool fresh = stat(path.c_str(), &info) != 0 || info.st_size == 0;
  FILE* file = fopen(path.c_str(), "ab");
  if (file == nullptr) return -1;
  const std::string text = fresh ? StatsHeader() + lines : lines;
  const bool written = fwrite(text.data(), 1, text.size(), file) == text.size();
  return fclose(file) == 0 && written ? 0 : -1;
}
