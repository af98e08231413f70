// Tests of the game scene in-process with the generated content: controls, weapon, doors, stairs,
// the status board, hit points and the boss scenes, driven by pushed events, a fixed seed and
// the music library's frame clock.
#include "game/gamemain.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <unistd.h>
#include <string>
#include <vector>

#include "assets/loadpng.h"
#include "assets/screenshot.h"
#include "bullet/bullet.h"
#include "common/commonfunc.h"
#include "common/random.h"
#include "dungeon/dungeonconst.h"
#include "dungeon/dungeonfloor.h"
#include "enemy/enemy.h"
#include "sound/mcisendstring.h"
#include "sound/vbmp3wrap.h"
#include "support/events.h"
#include "support/glwindow.h"
#include "support/testfiles.h"

// Every sound-effect command and music call the scene makes ("play shot", "open sounds/..").
static std::vector<std::string> gCommands;

// The test binary links with --wrap of the command entry's (mangled) name: the scene's commands
// come here first.
extern "C" int __real__Z14mciSendStringAPKcPcjPv(const char*, char*, unsigned, void*);
extern "C" int __wrap__Z14mciSendStringAPKcPcjPv(const char* command, char* reply, unsigned length, void* window) {
  gCommands.push_back(command);
  return __real__Z14mciSendStringAPKcPcjPv(command, reply, length, window);
}

// The scene with its steps and state open to the tests.
struct TestGame : GameMain {
  using GameMain::actionFlags, GameMain::actionTimer, GameMain::bossIntroWait, GameMain::bossWordImage,
      GameMain::bulletIcons, GameMain::bulletType, GameMain::bullets, GameMain::doorLock, GameMain::dungeon,
      GameMain::enemy, GameMain::floorDispTime, GameMain::floorGlyphs, GameMain::floorNo, GameMain::forwardSpeed,
      GameMain::hitPoint, GameMain::inputFrozen, GameMain::invincibleCount, GameMain::knockCount, GameMain::knockVec, GameMain::magazine,
      GameMain::musicHold, GameMain::overlaySurface, GameMain::pendingHit, GameMain::pitch, GameMain::pos,
      GameMain::spBullets, GameMain::spGlyphs, GameMain::statusSurface, GameMain::strafeSpeed, GameMain::yaw;
  using GameMain::BossGoingDown, GameMain::ChangeFloor, GameMain::ComposeStatus, GameMain::ShowBossLine, GameMain::EnterBossRoom, GameMain::StopWalking;
};

// The tests' hands on the scene: starting it, maps, frames with the music clock, pixels.
struct GameMainProbe {
  TestGame& g;
  static VBMP3_OPEN realOpen;
  static VBMP3_PLAY realPlay;
  static VBMP3_STOP realStop;
  static unsigned char Open(const char* path, VBMP3Info* info) {
    gCommands.push_back(std::string("music open ") + path);
    return realOpen(path, info);
  }
  static int Play() { gCommands.push_back("music play"); return realPlay(); }
  static int Stop() { gCommands.push_back("music stop"); return realStop(); }

  // Starts a game and records its music calls; `clear` removes the floor's enemies.
  void Start(int floor, bool spMode = false, bool clear = true) {
    ASSERT_EQ(0, g.Init(800, 600, floor, spMode, 0, 0));
    if (VBMP3Wrap::vbmp3_open != Open) {  // the library keeps the recorders while it stays loaded
      realOpen = VBMP3Wrap::vbmp3_open, realPlay = VBMP3Wrap::vbmp3_play, realStop = VBMP3Wrap::vbmp3_stop;
      VBMP3Wrap::vbmp3_open = Open, VBMP3Wrap::vbmp3_play = Play, VBMP3Wrap::vbmp3_stop = Stop;
    }
    if (clear) g.enemy->Clear();
    gCommands.clear();
  }
  // An open room of 10 x 10 cells with the player facing -z in the middle of cell (5, 5).
  void OpenRoom() {
    std::vector<int> cells(100, 0);
    for (int i = 0; i < 10; ++i) {
      cells[i] |= DungeonConst::WALL_UP, cells[90 + i] |= DungeonConst::WALL_DOWN;
      cells[i * 10] |= DungeonConst::WALL_LEFT, cells[i * 10 + 9] |= DungeonConst::WALL_RIGHT;
    }
    ASSERT_EQ(0, g.dungeon->SetMapData(cells.data(), 10, 10, 5, 5));
    Place(20, -20, 0);
  }
  void Place(float x, float z, float yaw) {
    g.pos[0] = x, g.pos[1] = -0.6f, g.pos[2] = z;
    g.yaw = yaw;
  }
  unsigned int clockStep = QUORL_COMMON::FRAME_PERIOD_MS;  // music time per frame, in ms
  int Frame() {
    VBMP3Wrap::AdvanceClock(clockStep);
    return g.Action(2);
  }
  int Frames(int n) {
    int result = 2;
    for (int i = 0; i < n && result == 2; ++i) result = Frame();
    return result;
  }
  // Runs frames until `done` or `limit` frames; returns the frames run.
  template <typename F>
  int Until(F done, int limit) {
    int n = 0;
    while (!done() && n < limit) Frame(), ++n;
    return n;
  }
  // Pixel (x, y) of a board as R, G, B, A bytes.
  static const unsigned char* At(SDL_Surface* s, int x, int y) {
    return static_cast<const unsigned char*>(s->pixels) + y * s->pitch + x * 4;
  }
};
VBMP3_OPEN GameMainProbe::realOpen = nullptr;
VBMP3_PLAY GameMainProbe::realPlay = nullptr;
VBMP3_STOP GameMainProbe::realStop = nullptr;

namespace {

// One frame with a screenshot of it: R, G, B, A bytes, top row first.
std::vector<unsigned char> ShotFrame(GameMainProbe& p) {
  // Written beside the other temporary files, not into the content folder the tests run in.
  const std::string path = "/tmp/quorl-game-frame-" + std::to_string(getpid()) + ".png";
  QUORL_COMMON::RequestScreenshot(path);
  p.Frame();
  unsigned char* data = nullptr;
  unsigned w = 0, h = 0, pitch = 0;
  std::vector<unsigned char> pixels;
  if (LoadPNG(path.c_str(), &data, &w, &h, &pitch) == 0 && w == 800 && h == 600 && pitch == 3200) {
    pixels.assign(data, data + 3200 * 600);
  }
  delete[] data;
  std::remove(path.c_str());
  return pixels;
}

// Whether every visible pixel of `picture` shows on `board` at (x, y) (up to the board's right
// edge) with its colour and with `alpha` (-1: its own alpha).
bool Shows(SDL_Surface* board, SDL_Surface* picture, int x, int y, int alpha) {
  int visible = 0;
  for (int py = 0; py < picture->h; ++py) {
    for (int px = 0; px < picture->w && x + px < board->w; ++px) {
      const unsigned char* src = GameMainProbe::At(picture, px, py);
      const unsigned char* shown = GameMainProbe::At(board, x + px, y + py);
      if (src[3] == 0) continue;
      ++visible;
      if (std::memcmp(src, shown, 3) != 0 || shown[3] != (alpha < 0 ? src[3] : alpha)) return false;
    }
  }
  return visible > 20;
}

int Count(const std::string& command) {
  int n = 0;
  for (const std::string& c : gCommands) n += c == command;
  return n;
}

class GameMainTest : public testsupport::GLTest {
 protected:
  static void SetUpTestSuite() {
    QUORL_COMMON::SetFixedSeed(12);  // also puts the music library on its frame clock
    testsupport::OpenTestWindow();
  }
  void SetUp() override {
    testsupport::GLTest::SetUp();
    if (!testsupport::FileExists("img/Sight.png")) GTEST_SKIP() << "no generated content here";
    testsupport::DrainEvents();
  }
  void TearDown() override { game.Finalize(); }
  TestGame game;
  GameMainProbe p{game};
};

TEST_F(GameMainTest, AFailedInitLeavesNothingToPlayAndFinalizesTwice) {
  EXPECT_EQ(-1, game.Init(800, 0, 1, false, 0, 0));
  EXPECT_EQ(-1, game.Action(2));
  game.Finalize();
  game.Finalize();
  EXPECT_EQ(0, game.Init(800, 600, 15, true, 4, 2));
  int enemies = 0, kills = 0;
  game.getKillData(&enemies, &kills);
  EXPECT_EQ(15, game.GetFloor());
  EXPECT_EQ(11, game.dungeon->getFloorNumber()) << "a continue plays on its group's first map";
  EXPECT_EQ(999, game.spBullets);
  EXPECT_GT(enemies, 4);
  EXPECT_EQ(2, kills);
  game.floorNo = 10;  // a boss line without its caption fails the frame and holds nothing
  EXPECT_EQ(-1, game.ShowBossLine(9));
  EXPECT_EQ(nullptr, game.bossWordImage);
}

TEST_F(GameMainTest, WalkingSpeedsReleaseRulesAndMouseTurning) {
  struct Walk { SDLKey down[2]; SDLKey up; float dx, dz, forward, strafe; };
  const Walk walks[] = {
      {{SDLK_w, SDLK_UNKNOWN}, SDLK_UNKNOWN, 0, -1.0f, -0.05f, 0},  // one key: 0.1 a frame
      {{SDLK_w, SDLK_d}, SDLK_UNKNOWN, 0.5f, -0.5f, -0.05f, 0.05f},  // two keys: 0.05 along each
      {{SDLK_w, SDLK_s}, SDLK_w, 0, 1.0f, 0.05f, 0},                 // releasing w keeps s
      {{SDLK_d, SDLK_a}, SDLK_d, -1.0f, 0, 0, -0.05f},
      {{SDLK_a, SDLK_UNKNOWN}, SDLK_a, 0, 0, 0, 0},
  };
  p.Start(1);
  for (const Walk& w : walks) {
    p.OpenRoom();
    for (SDLKey key : w.down) if (key != SDLK_UNKNOWN) testsupport::PushKey(key, true);
    if (w.up != SDLK_UNKNOWN) testsupport::PushKey(w.up, false);
    p.Frames(10);
    EXPECT_NEAR(20 + w.dx, game.pos[0], 1e-3) << (&w - walks);
    EXPECT_NEAR(-20 + w.dz, game.pos[2], 1e-3) << (&w - walks);
    EXPECT_EQ(w.forward, game.forwardSpeed);
    EXPECT_EQ(w.strafe, game.strafeSpeed);
    game.StopWalking();
  }
  // A push towards a wall closer than the push bounces off it; one towards open floor does not.
  for (float z : {-37.2f, -22.0f}) {
    p.OpenRoom();
    p.Place(20, z, 0);
    game.knockVec[2] = 1.0f, game.knockCount = 2;
    p.Frame();
    EXPECT_NEAR(z < -30 ? z + 1 : z - 1, game.pos[2], 0.05f) << z;
  }
  struct Turn { float yaw, pitch; int dx, dy; float wantYaw, wantPitch; };
  const Turn turns[] = {{0, 0, 20, 0, 2, 0}, {359, 0, 20, 0, 1, 0}, {1, 0, -20, 0, 359, 0},
                        {0, 50, 0, 200, 0, 60}, {0, -50, 0, -200, 0, -60}, {0, 0, 0, 0, 0, 0}};
  for (const Turn& t : turns) {
    game.yaw = t.yaw, game.pitch = t.pitch;
    testsupport::PushMouseMotion(t.dx, t.dy);
    p.Frame();
    EXPECT_NEAR(t.wantYaw, game.yaw, 1e-3) << (&t - turns);
    EXPECT_NEAR(t.wantPitch, game.pitch, 1e-3) << (&t - turns);
  }
}

TEST_F(GameMainTest, FiringReloadingAndSpecialRounds) {
  // Fire to empty: the last round, a click in the shot pause, then the empty click.
  p.Start(1);
  p.OpenRoom();
  game.magazine = 1;
  testsupport::PushClick(1, 400, 300);
  p.Frame();
  EXPECT_EQ(0, game.magazine);
  EXPECT_EQ(1, Count("play shot"));
  testsupport::PushClick(1, 400, 300);
  p.Frames(5);
  EXPECT_EQ(0, Count("play empty")) << "a click during the shot pause";
  p.Frames(10);
  testsupport::PushClick(1, 400, 300);
  p.Frame();
  EXPECT_EQ(1, Count("play empty"));
  EXPECT_EQ(GameMain::SHOOTING, game.actionFlags & GameMain::SHOOTING);
  EXPECT_EQ(gamemain_const::SHOT_TIME - 1, game.actionTimer);

  // Reloads and switches: magazine, type and stock before; the key; magazine, type, stock after.
  struct Reload { int magazine, type, stock; bool spMode; SDLKey key; int wantMagazine, wantType, wantStock; };
  const Reload reloads[] = {
      {3, 0, 0, false, SDLK_r, 8, 0, 0},
      {0, 1, 5, false, SDLK_r, 5, 1, 0},
      {0, 1, 0, false, SDLK_r, 8, 0, 0},      // no special rounds left: back to normal
      {6, 1, 995, false, SDLK_f, 8, 0, 999},  // the rounds go back to the stock, capped
      {8, 0, 20, false, SDLK_f, 8, 1, 12},    // the normal rounds are dropped
      {0, 1, 999, true, SDLK_r, 8, 1, 999},   // special mode never uses up the stock
  };
  for (const Reload& r : reloads) {
    p.Start(1, r.spMode);
    p.OpenRoom();
    game.magazine = r.magazine, game.bulletType = r.type, game.spBullets = r.stock;
    testsupport::PushKey(r.key, true);
    // The first case waits out the whole reload; the others cut it short after one frame.
    p.Frame();
    if (&r != reloads) game.actionTimer = 1;
    p.Frames(&r != reloads ? 0 : gamemain_const::RELOAD_TIME - 2);
    EXPECT_EQ(1, Count("play reload1")) << (&r - reloads);
    EXPECT_EQ(0, Count("play reload2")) << (&r - reloads);
    p.Frame();
    EXPECT_EQ(1, Count("play reload2")) << (&r - reloads);
    EXPECT_EQ(r.wantMagazine, game.magazine) << (&r - reloads);
    EXPECT_EQ(r.wantType, game.bulletType) << (&r - reloads);
    EXPECT_EQ(r.wantStock, game.spBullets) << (&r - reloads);
  }
}

TEST_F(GameMainTest, DoorsPassOnlyFacingThemWithOneSoundAndStayShutWhenLocked) {
  // Two cells side by side along -z with a door between them; the player near the door.
  using namespace DungeonConst;
  const int cells[2] = {WALL_UP | WALL_DOWN | WALL_LEFT | WALL_RIGHT | DOOR_RIGHT,
                        WALL_UP | WALL_DOWN | WALL_RIGHT | WALL_LEFT | DOOR_LEFT};
  struct Door { float yaw; int lock; bool through; const char* sound; };
  const Door doors[] = {{180, 0, false, nullptr}, {90, 0, false, nullptr}, {10, 0, true, "play door-open"},
                        {350, 0, true, "play door-open"}, {0, 1, false, "play door-locked"}};
  p.Start(1);
  for (const Door& d : doors) {
    ASSERT_EQ(0, game.dungeon->SetMapData(cells, 1, 2, 0, 0));
    p.Place(0, -1.7f, d.yaw);
    game.doorLock = d.lock;
    game.actionFlags = 0;
    gCommands.clear();
    p.Frames(5);
    EXPECT_EQ(d.through, game.pos[2] < -2) << (&d - doors);
    EXPECT_EQ(d.sound ? 1 : 0, Count("play door-open") + Count("play door-locked")) << (&d - doors);
    if (d.sound) {
      EXPECT_EQ(1, Count(d.sound)) << (&d - doors);
    }
  }
  // Each of the four ways faces its door from its first heading on, up to and not at its last:
  // the map (1 x 2 along -z, 2 x 1 along +x), where the player stands, the heading, whether it passes.
  const int alongZ[2] = {WALL_ALL | DOOR_RIGHT, WALL_ALL | DOOR_LEFT};
  const int alongX[2] = {WALL_ALL | DOOR_DOWN, WALL_ALL | DOOR_UP};
  struct Edge { bool xMap; float x, z, yaw; bool through; };
  const Edge edges[] = {{false, 0, -1.7f, 315, true}, {false, 0, -1.7f, 45, false},  // towards -z
                        {false, 0, -2.3f, 135, true}, {false, 0, -2.3f, 225, false}, // towards +z
                        {true, 1.7f, 0, 45, true},    {true, 1.7f, 0, 135, false},   // towards +x
                        {true, 2.3f, 0, 225, true},   {true, 2.3f, 0, 315, false}};  // towards -x
  for (const Edge& e : edges) {
    ASSERT_EQ(0, game.dungeon->SetMapData(e.xMap ? alongX : alongZ, e.xMap ? 2 : 1, e.xMap ? 1 : 2, 0, 0));
    p.Place(e.x, e.z, e.yaw);
    game.doorLock = 0, game.actionFlags = 0;
    p.Frame();
    EXPECT_EQ(e.through, std::fabs(game.pos[0] - e.x) + std::fabs(game.pos[2] - e.z) > 1) << (&e - edges);
  }
}

// While dead, frozen by a boss scene or going down the stairs the player's input is dropped:
// a mouse motion turns nothing and a click fires nothing.
TEST_F(GameMainTest, InputIsDroppedWhileDeadFrozenOrDescending) {
  using namespace DungeonConst;
  const int stairs[2] = {WALL_UP | WALL_DOWN | WALL_LEFT, FLOOR_STEP | WALL_RIGHT};
  const std::pair<const char*, std::function<void()>> states[] = {
      {"dead", [&] { game.hitPoint = 1, game.pendingHit = 1; }},
      {"frozen", [&] { game.EnterBossRoom(); }},
      {"descending", [&] { ASSERT_EQ(0, game.dungeon->SetMapData(stairs, 1, 2, 0, 0)); p.Place(0, -4, 0); }},
  };
  for (const auto& [name, enter] : states) {
    p.Start(1);
    p.OpenRoom();
    enter();
    p.Frame();
    const float yaw = game.yaw;
    testsupport::PushMouseMotion(40, 0);
    testsupport::PushClick(1, 400, 300);
    p.Frames(2);
    EXPECT_EQ(yaw, game.yaw) << name;
    EXPECT_EQ(8, game.magazine) << name;
  }
}

// Escape leaves for the title with the kills of the floor being left counted.
TEST_F(GameMainTest, EscapeCountsTheKillsOfTheFloorItLeaves) {
  p.Start(1, false, false);
  ASSERT_GE(game.enemy->getEnemies().size(), 2u);
  game.enemy->getEnemies().front()->state = 100;
  game.enemy->getEnemies().back()->state = 100;
  testsupport::PushKey(SDLK_ESCAPE, true);
  EXPECT_EQ(1, p.Frame());
  int enemies = 0, kills = 0;
  game.getKillData(&enemies, &kills);
  EXPECT_EQ(2, kills);
}

TEST_F(GameMainTest, StairsFadeOverAHundredFramesAndChangeTheFloorAndItsMusic) {
  using namespace DungeonConst;
  const int cells[2] = {WALL_UP | WALL_DOWN | WALL_LEFT, FLOOR_STEP | WALL_RIGHT};
  p.Start(1);
  ASSERT_EQ(0, game.dungeon->SetMapData(cells, 1, 2, 0, 0));
  p.Place(0, -4, 0);
  game.actionFlags = GameMain::RELOADING;  // a reload still running completes on the new floor
  game.magazine = 2;
  game.knockVec[0] = 0.1f, game.knockCount = 10;  // a push would carry the player off the stairs
  p.Frame();
  EXPECT_EQ(GameMain::DESCENDING, game.actionFlags & GameMain::DESCENDING);
  EXPECT_EQ(0, game.knockCount);
  EXPECT_EQ(1, Count("play downstairs"));
  p.Frames(49);
  EXPECT_EQ((100 - 51) * 255 / 100, GameMainProbe::At(game.overlaySurface, 400, 300)[3]);
  p.Frames(49);
  EXPECT_EQ(1, game.floorNo);
  p.Frame();
  EXPECT_EQ(2, game.floorNo);
  EXPECT_EQ(0, game.actionFlags);
  EXPECT_EQ(8, game.magazine);
  EXPECT_EQ(gamemain_const::FLOOR_DISP_TIME - 1, game.floorDispTime);
  EXPECT_EQ(0, GameMainProbe::At(game.overlaySurface, 400, 300)[3]);

  // Music per floor change: from floor, the music calls.
  struct Change { int from; std::vector<std::string> music; int hold; };
  const Change changes[] = {
      {5, {"music stop", "music open sounds/MOT_2.mp3", "music play"}, 0},
      {6, {}, 0},
      {9, {"music stop"}, 1},  // the boss floor: silence until the boss speaks
      {20, {"music stop", "music open sounds/MOT_4.mp3", "music play"}, 0},
  };
  for (const Change& c : changes) {
    p.Start(c.from, false, false);
    ASSERT_EQ(0, game.ChangeFloor());
    std::vector<std::string> music;
    for (const std::string& s : gCommands) if (s.rfind("music", 0) == 0) music.push_back(s);
    EXPECT_EQ(c.music, music) << "from floor " << c.from;
    EXPECT_EQ(c.hold, game.musicHold) << "from floor " << c.from;
  }
}

TEST_F(GameMainTest, StatusBoardShowsLifeMagazineFloorNumberAndCounter) {
  p.Start(12);
  // The life bar: pixels of its colour in its row, one per hit point.
  struct Life { int hitPoint; unsigned char r, g; };
  for (const Life& l : {Life{290, 0, 192}, Life{145, 192, 192}, Life{0, 192, 0}}) {
    game.hitPoint = l.hitPoint;
    game.ComposeStatus();
    const unsigned char colour[4] = {l.r, l.g, 0, 255};
    int bar = 0;
    for (int x = 0; x < 800; ++x) bar += std::memcmp(colour, GameMainProbe::At(game.statusSurface, x, 52), 4) == 0;
    EXPECT_EQ(l.hitPoint, bar) << l.hitPoint;
  }
  // 3 of 8 rounds: the three rightmost icons loaded, five empty to their left; floor 12 reads
  // B 1 2 F from the bottom right at alpha 30 x 255 / 60; the counter reads 005, then 999.
  game.magazine = 3, game.floorDispTime = 30, game.spBullets = 5;
  game.ComposeStatus();
  const int w = game.bulletIcons[0]->w;
  for (int i = 0; i < 8; ++i) EXPECT_TRUE(Shows(game.statusSurface, game.bulletIcons[i < 3 ? 0 : 2], 800 - (i + 1) * w, 0, -1)) << i;
  int x = 800 - game.floorGlyphs[11]->w / 2 - game.floorGlyphs[2]->w - game.floorGlyphs[1]->w - game.floorGlyphs[10]->w;
  for (int glyph : {10, 1, 2, 11}) {
    EXPECT_TRUE(Shows(game.statusSurface, game.floorGlyphs[glyph], x, 600 - game.floorGlyphs[glyph]->h, 127)) << glyph;
    x += game.floorGlyphs[glyph]->w;
  }
  for (int stock : {5, 999}) {
    game.spBullets = stock;
    game.ComposeStatus();
    const int digits[3] = {stock / 100, stock / 10 % 10, stock % 10}, gw = game.spGlyphs[0]->w, gh = game.spGlyphs[0]->h;
    for (int k = 0; k < 3; ++k) EXPECT_TRUE(Shows(game.statusSurface, game.spGlyphs[digits[k]], (2 + k) * gw, 600 - gh, -1)) << stock << k;
  }
}

TEST_F(GameMainTest, HitPointsDrainHealInvincibilityItemsAndDeath) {
  p.Start(1);
  p.OpenRoom();
  game.pendingHit = 30;
  p.Frames(15);
  EXPECT_EQ(275, game.hitPoint);
  p.Frames(15);
  EXPECT_EQ(260, game.hitPoint);
  EXPECT_EQ(0, game.pendingHit);

  // Items dropped at the player's feet by a dead enemy: kind, amount, hit points and stock before;
  // hit points and stock after 20 frames, the sound.
  struct Item { int kind, amount, hitPoint, stock, wantHitPoint, wantStock; const char* sound; };
  const Item items[] = {{10, 50, 280, 0, 290, 0, "play eat1"}, {10, 50, 290, 0, 290, 0, "play eat2"},
                        {11, 20, 290, 990, 290, 999, "play sp-bullet-get"}};
  for (const Item& it : items) {
    p.Start(1);
    p.OpenRoom();
    game.hitPoint = it.hitPoint, game.spBullets = it.stock;
    game.enemy->Add(20, -20, 0, 0);
    EnemyData* e = game.enemy->getEnemies().back();
    e->state = 100, e->itemDropped = true, e->itemKind = it.kind, e->itemAmount = it.amount;
    p.Frames(20);
    EXPECT_EQ(it.wantHitPoint, game.hitPoint) << (&it - items);
    EXPECT_EQ(it.wantStock, game.spBullets) << (&it - items);
    EXPECT_EQ(1, Count(it.sound)) << (&it - items);
  }

  // A push starts the knock-back and fifteen frames of invincibility: a second hit is cancelled.
  p.Start(1);
  p.OpenRoom();
  game.enemy->Add(20.3f, -20, 0, 2);  // a doosy: its body pushes
  p.Frame();
  const int first = game.pendingHit + (290 - game.hitPoint);
  EXPECT_GT(first, 0);
  const unsigned char flash[4] = {255, 0, 0, 85};
  EXPECT_EQ(0, std::memcmp(flash, GameMainProbe::At(game.overlaySurface, 400, 300), 4));
  EXPECT_EQ(15, game.invincibleCount);
  p.Frames(3);
  EXPECT_EQ(first, game.pendingHit + (290 - game.hitPoint)) << "hits while invincible count";
  EXPECT_EQ(0, GameMainProbe::At(game.overlaySurface, 400, 300)[3]) << "no flash while invincible";

  // Death: himei2, a red fade over 80 frames, the music stopped, result 1 on the 160th frame.
  p.Start(1);
  p.OpenRoom();
  game.hitPoint = 1, game.pendingHit = 1;
  EXPECT_EQ(2, p.Frame());
  EXPECT_EQ(GameMain::DEAD, game.actionFlags);
  EXPECT_EQ(1, Count("play himei2"));
  p.Frames(39);
  EXPECT_EQ(39 * 255 / 80, GameMainProbe::At(game.overlaySurface, 400, 300)[3]);
  EXPECT_EQ(255, GameMainProbe::At(game.overlaySurface, 400, 300)[0]);
  EXPECT_EQ(0, Count("music stop"));
  EXPECT_EQ(2, p.Frames(119));
  EXPECT_GT(Count("music stop"), 0);
  EXPECT_EQ(1, p.Frame());
  EXPECT_EQ(0, Count("music play")) << "the music stays stopped while dead";
}

TEST_F(GameMainTest, AnEnemyAheadIsDrawnInTheView) {
  p.Start(1);
  p.OpenRoom();
  p.Frame();
  const std::vector<unsigned char> empty = ShotFrame(p);
  game.enemy->Add(20, -26, 180, 0);  // a boosy six units ahead, facing the player
  game.enemy->getEnemies().back()->state = 100;  // lying still, so that it cannot move away
  p.Frame();
  const std::vector<unsigned char> seen = ShotFrame(p);
  ASSERT_EQ(empty.size(), seen.size());
  ASSERT_FALSE(seen.empty());
  int changed = 0;
  for (int y = 150; y < 450; ++y) {
    for (int x = 250; x < 550; ++x) {
      const size_t i = (static_cast<size_t>(y) * 800 + x) * 4;
      changed += std::abs(seen[i] - empty[i]) + std::abs(seen[i + 1] - empty[i + 1]) + std::abs(seen[i + 2] - empty[i + 2]) > 40;
    }
  }
  EXPECT_GT(changed, 1000);
}

TEST_F(GameMainTest, BossScenesSayTheirLinesShowCaptionsLockAndUnlockTheDoors) {
  struct Boss { int floor; std::vector<std::string> intro, defeat; const char* after; };
  const Boss bosses[] = {
      {10, {"SE/enemy/boss1-voice1.mp3", "SE/enemy/boss1-voice2.mp3", "sounds/Ancient_MurderLp.mp3"}, {}, "sounds/MOT_2.mp3"},
      {20, {"SE/enemy/boss2-voice1.mp3", "SE/enemy/boss2-voice2.mp3", "sounds/Ancient_OrderLp.mp3"},
       {"SE/enemy/boss2-voice3.mp3", "SE/enemy/boss2-voice4.mp3"}, "sounds/MOT_3.mp3"},
      {30, {"SE/enemy/boss3-voice1.mp3", "sounds/Ancient_PromiseLp.mp3"},
       {"SE/enemy/boss3-voice2.mp3", "SE/enemy/boss3-voice3.mp3"}, nullptr},
  };
  p.clockStep = 10 * QUORL_COMMON::FRAME_PERIOD_MS;  // voice lines pass ten times as fast
  for (const Boss& b : bosses) {
    p.Start(b.floor - 1, false, false);
    ASSERT_EQ(0, game.ChangeFloor());
    ASSERT_EQ(1, game.enemy->StateBoss()) << b.floor;
    game.EnterBossRoom();
    gCommands.clear();
    // The intro: lines with their captions, then the fight music and the world running again.
    int captions = 0;
    std::vector<unsigned char> shot;
    p.Until([&] {
      if (game.bossWordImage != nullptr && game.inputFrozen && captions++ == 0) shot = ShotFrame(p);
      return game.inputFrozen == 0; }, 3000);
    // The first caption's opaque pixels on the screen, the board mapped onto its quad.
    SDL_Surface* caption = nullptr;
    ASSERT_EQ(0, LoadPNGtoSDLSurface(("img/fonts/boss" + std::to_string(b.floor / 10) + "-word1.png").c_str(), &caption));
    int opaque = 0, shown = 0;
    for (int y = 0; y < caption->h && !shot.empty(); ++y) {
      for (int x = 0; x < caption->w; ++x) {
        const unsigned char* c = GameMainProbe::At(caption, x, y);
        if (c[3] != 255) continue;
        const int sx = static_cast<int>(400 + ((800 - caption->w) / 2 + x - 400) * 0.9872f + 0.5f);
        const int sy = static_cast<int>(300 + ((600 - caption->h) / 2 + y - 300) * 0.9977f + 0.5f);
        const unsigned char* on = &shot[(static_cast<size_t>(sy) * 800 + sx) * 4];
        ++opaque;
        shown += std::abs(on[0] - c[0]) + std::abs(on[1] - c[1]) + std::abs(on[2] - c[2]) < 60;
      }
    }
    FreePNGSurface(caption);
    EXPECT_GT(opaque, 1000) << b.floor;
    EXPECT_GT(shown, opaque * 7 / 10) << b.floor;
    std::vector<std::string> opened;
    for (const std::string& s : gCommands) if (s.rfind("music open ", 0) == 0) opened.push_back(s.substr(11));
    EXPECT_EQ(b.intro, opened) << b.floor;
    EXPECT_GT(captions, 0) << b.floor;
    EXPECT_EQ(1, game.doorLock) << b.floor;
    EXPECT_EQ(nullptr, game.bossWordImage);

    // The boss is gone: the defeat lines, then the doors open (or the ending follows).
    gCommands.clear();
    for (EnemyData* e : game.enemy->getEnemies()) e->bossState = e == game.enemy->getEnemies().front() ? 3 : e->bossState;
    int result = 2;
    for (int n = 0; n < 5000 && result == 2 && game.doorLock == 1; ++n) result = p.Frame();
    opened.clear();
    for (const std::string& s : gCommands) if (s.rfind("music open ", 0) == 0) opened.push_back(s.substr(11));
    std::vector<std::string> want = b.defeat;
    if (b.after) want.push_back(b.after);
    EXPECT_EQ(want, opened) << b.floor;
    EXPECT_EQ(b.after ? 2 : 3, result) << b.floor;
    EXPECT_EQ(b.after ? 1 : 0, Count("play door-unlock")) << b.floor;
  }
}

TEST_F(GameMainTest, SensitivityAndInversionScaleTheTurnOfAMouseMotion) {
  // Factor, inverted, motion; the yaw and pitch turned from (180, 0).
  struct Turn { float sensitivity; bool invert; int dx, dy; float yaw, pitch; };
  const Turn turns[] = {{1, false, 20, 10, 182, 1},      {2.5f, false, 20, 10, 185, 2.5f},
                        {0.5f, true, -20, 10, 179, -0.5f}, {1, true, 0, -100, 180, 10},
                        {10, false, 100, 0, 280, 0},     {0.1f, true, 30, 30, 180.3f, -0.3f}};
  p.Start(1);
  for (const Turn& t : turns) {
    p.OpenRoom();
    GameMain::Comfort comfort;
    comfort.sensitivity = t.sensitivity, comfort.invertMouse = t.invert;
    game.SetComfort(comfort);
    game.yaw = 180, game.pitch = 0;
    testsupport::PushMouseMotion(t.dx, t.dy);
    p.Frame();
    EXPECT_NEAR(t.yaw, game.yaw, 1e-3) << (&t - turns);
    EXPECT_NEAR(t.pitch, game.pitch, 1e-3) << (&t - turns);
  }
}

TEST_F(GameMainTest, NoFlashDimsTheDamageAndWhiteFlashesButNotTheFades) {
  for (bool noFlash : {false, true}) {
    GameMain::Comfort comfort;
    comfort.noFlash = noFlash;
    game.SetComfort(comfort);
    const auto alpha = [&] { return GameMainProbe::At(game.overlaySurface, 400, 300)[3]; };
    // The damage flash.
    p.Start(1);
    p.OpenRoom();
    game.enemy->Add(20.3f, -20, 0, 2);  // a doosy: its body pushes
    p.Frame();
    EXPECT_EQ(noFlash ? 28 : 85, alpha()) << noFlash;
    // The white flash after the last boss by its timer: rising over 80 frames, held for 40,
    // fading over 130.
    p.Start(30);
    game.BossGoingDown();
    const std::pair<int, int> ramp[] = {{299, 3},   {260, 127}, {225, 239}, {220, 255},
                                        {180, 255}, {179, 253}, {100, 98},  {50, 0}};
    for (const auto& [timer, full] : ramp) {
      game.actionTimer = timer;
      game.BossGoingDown();
      EXPECT_EQ(noFlash ? full / 3 : full, alpha()) << noFlash << " " << timer;
      if (full > 0) {
        EXPECT_EQ(255, GameMainProbe::At(game.overlaySurface, 400, 300)[1]) << timer;
      }
    }
    // The death fade keeps its full strength.
    p.Start(1);
    p.OpenRoom();
    game.hitPoint = 1, game.pendingHit = 1;
    p.Frames(100);
    EXPECT_EQ(255, alpha()) << noFlash;
  }
}

TEST_F(GameMainTest, LosingTheInputFocusPausesAndTheGameStaysPausedOnReturn) {
  // Focus events in order; whether the game is paused after them.
  struct Focus { std::vector<std::pair<int, Uint8>> events; bool paused; };
  const Focus cases[] = {
      {{{0, SDL_APPINPUTFOCUS}}, true},
      {{{0, SDL_APPINPUTFOCUS | SDL_APPACTIVE}, {1, SDL_APPINPUTFOCUS | SDL_APPACTIVE}}, true},
      {{{0, SDL_APPMOUSEFOCUS}}, false},  // the pointer leaving the window alone does not pause
      {{{1, SDL_APPINPUTFOCUS}}, false},
  };
  for (const Focus& f : cases) {
    p.Start(1);
    p.OpenRoom();
    for (const auto& e : f.events) {
      SDL_Event event = {};
      event.type = SDL_ACTIVEEVENT;
      event.active.gain = static_cast<Uint8>(e.first);
      event.active.state = e.second;
      SDL_PushEvent(&event);
    }
    p.Frame();
    EXPECT_EQ(f.paused, game.IsPaused()) << (&f - cases);
    if (!f.paused) continue;
    testsupport::PushKey(SDLK_w, true);  // dropped while paused
    p.Frames(5);
    EXPECT_NEAR(-20, game.pos[2], 1e-3);
    testsupport::PushKeyTap(SDLK_z);
    p.Frame();
    EXPECT_FALSE(game.IsPaused());
  }
}

}  // namespace
