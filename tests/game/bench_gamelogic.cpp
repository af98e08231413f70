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
#include "game/gamemain.h"
#include "sound/vbmp3wrap.h"
#include "support/glwindow.h"

namespace {

// Reaches the frame's steps: Action's order without the upload and the drawing.
class LogicBench : public GameMain {
 public:
  // Tops the player's rounds in flight up to a full magazine, fanned out around the aim.
  void FullVolley() {
    while (static_cast<int>(bullets.size()) < magazineSize) {
      const float start[3] = {pos[0], pos[1] + 0.6f, pos[2]};
      Bullet* bullet = new Bullet;
      bullet->Init(0, start, yaw + 4.0f * static_cast<float>(bullets.size()), pitch, 0);
      bullets.push_back(bullet);
    }
  }
  // Puts the player on the floor cell that sees the most cells, then fills the floor up to
  // `count` enemies of the four kinds on the cells in sight (several a cell, 1.2 units apart), so
  // that they walk, turn and shoot at the player.
  void Crowd(int count) {
    int rows = 0, cols = 0;
    dungeon->MapSize(&rows, &cols);
    int best = -1, bestSeen = 0;
    for (int cell = 0; cell < rows * cols; ++cell) {
      if (!dungeon->isFloor(cell / cols, cell % cols)) continue;
      const float p[3] = {4.0f * static_cast<float>(cell / cols), 0, -4.0f * static_cast<float>(cell % cols)};
      dungeon->SetDrawArea(p, 0);
      int seen = 0;
      for (int k = 0; k < rows * cols; ++k) seen += dungeon->getVisibleCell(k / cols, k % cols) != 256;
      if (seen > bestSeen) best = cell, bestSeen = seen;
    }
    if (best < 0) return;
    pos[0] = 4.0f * static_cast<float>(best / cols);
    pos[2] = -4.0f * static_cast<float>(best % cols);
    dungeon->SetDrawArea(pos, 0);
    std::vector<int> inSight;
    for (int k = 0; k < rows * cols; ++k) {
      if (k != best && dungeon->isFloor(k / cols, k % cols) && dungeon->getVisibleCell(k / cols, k % cols) != 256) {
        inSight.push_back(k);
      }
    }
    for (int placed = Enemies(), n = 0; placed < count && !inSight.empty(); ++placed, ++n) {
      const int cell = inSight[static_cast<size_t>(n) % inSight.size()];
      const float aside = 1.2f * static_cast<float>(static_cast<size_t>(n) / inSight.size());
      enemy->Add(4.0f * static_cast<float>(cell / cols) + aside, -4.0f * static_cast<float>(cell % cols),
                 90.0f * static_cast<float>(placed), placed % 4);
    }
  }
  // Milliseconds of one floor change onto `floor` (map, enemies, the texture set and the music at
  // the group floors), the drawing it asked for finished.
  double FloorChange(int floor) {
    floorNo = floor - 1;
    const auto start = std::chrono::steady_clock::now();
    ChangeFloor();
    glFinish();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  }
  void Turn(float degrees) { yaw = yaw + degrees >= 360 ? yaw + degrees - 360 : yaw + degrees; }
  int Enemies() const { return static_cast<int>(enemy->getEnemies().size()); }
  int EnemyShots() const { return static_cast<int>(enemy->getBullets().size()); }
  void LogicFrame(bool compose) {
    int result = 2;
    HandleEvents(&result);
    KnockBackStep();
    WalkStep();
    DoorsAndStairs();
    UpdateDrawArea();
    ContactStep();
    RunEnemies();
    MoveBullets();
    BossScenes(&result);
    if (compose) ComposeStatus();
    HitPointStep();
    CountDownTimer();
    KeepMusicAlive();
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
  LogicBench game;
  game.SetInvulnerable(true);
  if (game.Init(800, 600, 21, false, 0, 0) != 0) return 0;
  game.Crowd(20);
  const int placed = game.Enemies();
  const int kFrames = 3000;
  for (int pass = 0; pass < 2; ++pass) {
    const bool compose = pass == 1;
    std::vector<double> ms;
    long shots = 0;
    for (int frame = 0; frame < kFrames; ++frame) {
      game.FullVolley();
      game.Turn(0.7f);
      VBMP3Wrap::AdvanceClock(QUORL_COMMON::FRAME_PERIOD_MS);
      const auto start = std::chrono::steady_clock::now();
      game.LogicFrame(compose);
      ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
      shots += game.EnemyShots();
    }
    const Figures f = Summed(ms);
    printf("game logic of one frame%s, %d enemies placed (%d at the end), 8 rounds in flight, %.1f enemy shots on average: %d frames, "
           "median %.3f ms, mean %.3f ms, 99th percentile %.3f ms, worst %.3f ms\n",
           compose ? " with the status board composed" : "", placed, game.Enemies(),
           static_cast<double>(shots) / kFrames, kFrames, f.median, f.mean, f.p99, f.worst);
  }
  // Floor changes: an ordinary floor, the first floors of the texture groups, a boss floor; the
  // best of three of each (the first includes reading the files from disk).
  printf("floor change in ms (best of 3):");
  for (int floor : {2, 6, 10, 11, 21, 27}) {
    double best = 1e9;
    for (int k = 0; k < 3; ++k) best = std::min(best, game.FloorChange(floor));
    printf(" %d: %.2f", floor, best);
  }
  printf("\n");
  game.Finalize();
  return 0;
}
