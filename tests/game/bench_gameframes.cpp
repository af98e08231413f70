// Frame cost of the game scene: 600 frames of floor 1 (walking, turning, firing), each timed from
// the start of Action to after the buffer swap with the drawing finished. Prints the median, the
// 99th percentile and the worst frame in milliseconds. Needs a display (xvfb-run under none).
#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "common/commonfunc.h"
#include "common/random.h"
#include "game/gamemain.h"
#include "sound/vbmp3wrap.h"
#include "support/events.h"
#include "support/glwindow.h"

int main() {
  if (!testsupport::EnterContentWithWindow("game frames")) return 0;
  QUORL_COMMON::SetFixedSeed(1);
  GameMain game;
  if (game.Init(800, 600, 1, false, 0, 0) != 0) return 0;
  const int kFrames = 600;
  std::vector<double> ms;
  for (int frame = 0; frame < kFrames; ++frame) {
    // A walk with turns and a shot now and then, through the same events a player makes.
    if (frame % 120 == 0) testsupport::PushKey(SDLK_w, true);
    if (frame % 120 == 60) testsupport::PushKey(SDLK_w, false);
    if (frame % 30 == 10) testsupport::PushMouseMotion(150, 0);
    if (frame % 45 == 20) testsupport::PushClick(1, 400, 300);
    if (frame % 100 == 99) testsupport::PushKey(SDLK_r, true);
    VBMP3Wrap::AdvanceClock(QUORL_COMMON::FRAME_PERIOD_MS);
    const auto start = std::chrono::steady_clock::now();
    if (game.Action(2) != 2) break;
    glFinish();
    ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  game.Finalize();
  std::sort(ms.begin(), ms.end());
  if (ms.empty()) return 1;
  printf("game frames on floor 1: %zu frames, median %.2f ms, 99th percentile %.2f ms, worst %.2f ms\n",
         ms.size(), ms[ms.size() / 2], ms[std::min(ms.size() - 1, ms.size() * 99 / 100)], ms.back());
  return 0;
}
