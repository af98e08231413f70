// Game logic of one frame without drawing: events, walking, doors, the visible area, contact, the
// enemies (20 on floor 21, filled up where the floor placed fewer) and their shots, a full volley of the player's eight rounds in flight
// (topped up every frame, without damage so that the enemies stay), hit points and timers. Prints
// the median, mean, 99th percentile and worst frame in milliseconds, and the same with the status
// board's composing, and the time of floor changes. Needs a display (xvfb-run under none) for the models' display lists.
#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "bullet/bullet.h"
#include "common/commonfunc.h"
#include "common/random.h"
#include "enemy/enemy.h"
#include "common/scenecode.h"
#include "game/gamemain.h"
#include "sound/vbmp3wrap.h"
#include "support/glwindow.h"

namespace {

// The game scene with a crowd of enemies and a full volley in flight.
class LogicBench {
 public:
  GameMain game;
  // Tops the player's rounds in flight up to a full magazine, fanned out around the aim.
  void FullVolley() {
    while (static_cast<int>(game.Shots().size()) < game.Gun().magazineSize) {
      const float start[3] = {game.Motion().pos[0], game.Motion().pos[1] + 0.6f, game.Motion().pos[2]};
      Bullet* bullet = new Bullet;
      bullet->Init(0, start, game.Motion().yaw + 4.0f * static_cast<float>(game.Shots().size()), game.Motion().pitch, 0);
      game.Shots().push_back(bullet);
    }
  }
  // Puts the player on the floor cell that sees the most cells, then fills the floor up to
  // `count` enemies of the four kinds on the cells in sight (several a cell, 1.2 units apart), so
  // that they walk, turn and shoot at the player.
  void Crowd(int count) {
    int rows = 0, cols = 0;
    game.Floor()->MapSize(&rows, &cols);
    int best = -1, bestSeen = 0;
    for (int cell = 0; cell < rows * cols; ++cell) {
      if (!game.Floor()->isFloor(cell / cols, cell % cols)) continue;
      const float p[3] = {4.0f * static_cast<float>(cell / cols), 0, -4.0f * static_cast<float>(cell % cols)};
      game.Floor()->SetDrawArea(p, 0);
      int seen = 0;
      for (int k = 0; k < rows * cols; ++k) seen += game.Floor()->getVisibleCell(k / cols, k % cols) != 256;
      if (seen > bestSeen) best = cell, bestSeen = seen;
    }
    if (best < 0) return;
    game.Motion().pos[0] = 4.0f * static_cast<float>(best / cols);
    game.Motion().pos[2] = -4.0f * static_cast<float>(best % cols);
    game.Floor()->SetDrawArea(game.Motion().pos, 0);
    std::vector<int> inSight;
    for (int k = 0; k < rows * cols; ++k) {
      if (k != best && game.Floor()->isFloor(k / cols, k % cols) && game.Floor()->getVisibleCell(k / cols, k % cols) != 256) {
        inSight.push_back(k);
      }
    }
    for (int placed = EnemyCount(), n = 0; placed < count && !inSight.empty(); ++placed, ++n) {
      const int cell = inSight[static_cast<size_t>(n) % inSight.size()];
      const float aside = 1.2f * static_cast<float>(static_cast<size_t>(n) / inSight.size());
      game.Enemies()->Add(4.0f * static_cast<float>(cell / cols) + aside, -4.0f * static_cast<float>(cell % cols),
                 90.0f * static_cast<float>(placed), placed % 4);
    }
  }
  // Milliseconds of one floor change onto `floor` (map, enemies, the texture set and the music at
  // the group floors), the drawing it asked for finished.
  double FloorChange(int floor) {
    const auto start = std::chrono::steady_clock::now();
    game.ChangeFloor(floor);
    glFinish();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  }
  void Turn(float degrees) {
    float& yaw = game.Motion().yaw;
    yaw = yaw + degrees >= 360 ? yaw + degrees - 360 : yaw + degrees;
  }
  int EnemyCount() { return static_cast<int>(game.Enemies()->getEnemies().size()); }
  int EnemyShots() { return static_cast<int>(game.Enemies()->getBullets().size()); }
  // The frame's steps before the drawing: events to the status board's upload.
  void LogicFrame() {
    int result = Scene::GAME;
    game.Update(&result);
  }
};

struct Figures {
  double median, mean, p99, worst;
};

Figures Summed(std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  double sum = 0;
  for (double t : ms) sum += t;
  return {ms[ms.size() / 2], sum / static_cast<double>(ms.size()), ms[std::min(ms.size() - 1, ms.size() * 99 / 100)],
          ms.back()};
}

}  // namespace

int main() {
  if (!testsupport::EnterContentWithWindow("game logic")) return 0;
  QUORL_COMMON::SetFixedSeed(21);
  LogicBench bench;
  GameMain& game = bench.game;
  game.SetInvulnerable(true);
  if (game.Init(800, 600, 21, false, 0, 0) != 0) return 0;
  bench.Crowd(20);
  const int placed = bench.EnemyCount();
  const int kFrames = 3000;
  {
    std::vector<double> ms;
    long shots = 0;
    for (int frame = 0; frame < kFrames; ++frame) {
      bench.FullVolley();
      bench.Turn(0.7f);
      VBMP3Wrap::AdvanceClock(QUORL_COMMON::FRAME_PERIOD_MS);
      const auto start = std::chrono::steady_clock::now();
      bench.LogicFrame();
      ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
      shots += bench.EnemyShots();
    }
    const Figures f = Summed(ms);
    printf("game logic of one frame with the status board, %d enemies placed (%d at the end), 8 rounds in flight, %.1f enemy shots on average: %d frames, "
           "median %.3f ms, mean %.3f ms, 99th percentile %.3f ms, worst %.3f ms\n",
           placed, bench.EnemyCount(),
           static_cast<double>(shots) / kFrames, kFrames, f.median, f.mean, f.p99, f.worst);
  }
  // Floor changes: an ordinary floor, the first floors of the texture groups, a boss floor; the
  // best of three of each (the first includes reading the files from disk).
  printf("floor change in ms (best of 3):");
  for (int floor : {2, 6, 10, 11, 21, 27}) {
    double best = 1e9;
    for (int k = 0; k < 3; ++k) best = std::min(best, bench.FloorChange(floor));
    printf(" %d: %.2f", floor, best);
  }
  printf("\n");
  game.Finalize();
  return 0;
}
