// The game scene. Its play is not built yet: Init reports that and fails, so the program ends
// cleanly from the title.
#include "game/gamemain.h"

#include <cstdio>

GameMain::GameMain() = default;
GameMain::~GameMain() = default;

int GameMain::Init(int, int, int floor, bool, int enemyCount, int killCount) {
  Finalize();
  floor_ = floor;
  enemyCount_ = enemyCount;
  killCount_ = killCount;
  printf("Gamemain:the game scene is not built yet\n");
  return -1;
}

int GameMain::Action(int code) { return code; }

int GameMain::GetFloor() { return floor_; }

void GameMain::getKillData(int* enemyCount, int* killCount) {
  *enemyCount = enemyCount_;
  *killCount = killCount_;
}

void GameMain::Finalize() { initialized_ = false; }
