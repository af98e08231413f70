// Choosing a game's seed.
#include "app/gameseed.h"

unsigned int DailySeed(const std::tm& day) {
  return static_cast<unsigned int>((day.tm_year + 1900) * 10000 + (day.tm_mon + 1) * 100 + day.tm_mday);
}

GameSeed ChooseGameSeed(const Settings& settings, bool newGame, std::time_t now, unsigned int ticks) {
  GameSeed chosen;
  if (newGame && settings.daily) {
    std::tm local = {};
    localtime_r(&now, &local);
    chosen.seed = DailySeed(local);
    chosen.daily = true;
  } else if (newGame && settings.seed >= 0) {
    chosen.seed = static_cast<unsigned int>(settings.seed);
  } else {
    // Seconds and milliseconds mixed, so that two games started within a second differ.
    chosen.seed = static_cast<unsigned int>(now) * 2654435761u ^ ticks;
  }
  return chosen;
}
