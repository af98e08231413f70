// A stand-in game scene for the scene-loop tests, linked into a copy of the real program in
// place of the game. QUORL_FAKE_GAME="FLOOR ENEMIES KILLS CODE FRAMES" sets what it does: its
// FRAMES-th Action returns CODE (earlier ones 2, or 99 on a window-close request), GetFloor then
// reports FLOOR and getKillData ENEMIES and KILLS. Init and Finalize print what they were given
// and whether the mouse cursor is shown.
#include <SDL/SDL.h>

#include <cstdio>
#include <cstdlib>

#include "common/commonfunc.h"
#include "common/playview.h"
#include "game/gamemain.h"

namespace {

struct FakePlan {
  int floor = 1, enemies = 0, kills = 0, code = 2, frames = 1000000;
};

FakePlan Plan() {
  FakePlan plan;
  const char* text = getenv("QUORL_FAKE_GAME");
  if (text != nullptr) {
    sscanf(text, "%d %d %d %d %d", &plan.floor, &plan.enemies, &plan.kills, &plan.code,
           &plan.frames);
  }
  return plan;
}

int g_frames = 0;

}  // namespace

GameMain::GameMain() = default;
GameMain::~GameMain() = default;
void GameMain::SetControls(const ControlSettings&) {}
void GameMain::EndStatsFloor() {}

int GameMain::Init(int, int, int floor, bool spMode, int enemies, int kills) {
  Finalize();
  initialized = 1;
  floorNo = floor;
  enemyCount = enemies;
  killCount = kills;
  g_frames = 0;
  fflush(stdout);  // each line in one piece, between the lines SDL prints on standard error
  printf("fake game: init floor %d special %d enemies %d kills %d cursor %d\n", floor,
         spMode ? 1 : 0, enemies, kills, SDL_ShowCursor(SDL_QUERY));
  fflush(stdout);
  return 0;
}

int GameMain::Action(int code) {
  int result = code;
  SDL_Event event;
  while (SDL_PollEvent(&event)) result = QUORL_COMMON::defaultEvent(&event, result);
  if (result != code) return result;
  const FakePlan plan = Plan();
  if (++g_frames < plan.frames) return code;
  floorNo = plan.floor;
  enemyCount = plan.enemies;
  killCount = plan.kills;
  return plan.code;
}

void GameMain::getKillData(int* enemies, int* kills) {
  *enemies = enemyCount;
  *kills = killCount;
}

void GameMain::Finalize() {
  if (initialized) {
    fflush(stdout);
    printf("fake game: finalize cursor %d\n", SDL_ShowCursor(SDL_QUERY));
    fflush(stdout);
  }
  initialized = 0;
}

// The stand-in shows nothing to the autoplayer.
void GameMain::FillPlayView(PlayView* view) const { *view = PlayView(); }
