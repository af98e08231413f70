// The seed a game is built from: the seed setting, the day's (the daily dungeon), or a fresh one.
#pragma once

#include <ctime>
#include <string>

#include "common/settings.h"

struct GameSeed {
  unsigned int seed = 0;
  bool daily = false;  // the day's dungeon
};

// The seed of the daily dungeon on the local date `day`: the date as the number YYYYMMDD, the
// same for every player that day.
unsigned int DailySeed(const std::tm& day);

// The seed of a game now starting: for a new game the day's with the daily setting on, else the
// seed setting when set; a continued game, or a new one without either, gets a fresh seed from the
// clock (`now` seconds, `ticks` milliseconds since the start).
GameSeed ChooseGameSeed(const Settings& settings, bool newGame, std::time_t now, unsigned int ticks);
