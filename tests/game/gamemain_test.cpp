// Tests of the game scene and its parts in-process with the generated content: the weapon's and
// the motion's rules, doors, stairs, the status board, hit points, flashes and pauses, driven by
// pushed events, a fixed seed and the music library's frame clock. The committed demos replay
// whole games and boss fights; these cover what they cannot reach (death, options, edge cases).
#include "game/gamemain.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "assets/loadpng.h"
#include "assets/screenshot.h"
#include "bullet/bullet.h"
#include "common/commonfunc.h"
#include "common/framemarks.h"
#include "common/random.h"
#include "dungeon/dungeonconst.h"
#include "dungeon/dungeonfloor.h"
#include "enemy/bossstate.h"
#include "enemy/enemy.h"
#include "enemy/enemystate.h"
#include "enemy/enemytype.h"
#include "game/gamesound.h"
#include "sound/vbmp3wrap.h"
#include "support/events.h"
#include "support/glwindow.h"
#include "support/testfiles.h"

// Every sound-effect command and music call the scene makes ("play shot", "music open ..").
static std::vector<std::string> gCommands;

// The test binary links with --wrap of the command entry's (mangled) name: the scene's commands
// come here first.
extern "C" int __real__Z14mciSendStringAPKcPcjPv(const char*, char*, unsigned, void*);
extern "C" int __wrap__Z14mciSendStringAPKcPcjPv(const char* command, char* reply, unsigned length, void* window) {
  gCommands.push_back(command);
  return __real__Z14mciSendStringAPKcPcjPv(command, reply, length, window);
}

namespace {

VBMP3_OPEN realOpen = nullptr;
VBMP3_PLAY realPlay = nullptr;
VBMP3_STOP realStop = nullptr;
unsigned char RecordOpen(const char* path, VBMP3Info* info) {
  gCommands.push_back(std::string("music open ") + path);
  return realOpen(path, info);
}
int RecordPlay() { gCommands.push_back("music play"); return realPlay(); }
int RecordStop() { gCommands.push_back("music stop"); return realStop(); }

int Count(const std::string& command) {
  int n = 0;
  for (const std::string& c : gCommands) n += c == command;
  return n;
}

// Pixel (x, y) of a picture as R, G, B, A bytes.
const unsigned char* At(SDL_Surface* s, int x, int y) {
  return static_cast<const unsigned char*>(s->pixels) + y * s->pitch + x * 4;
}

// Whether every visible pixel of `picture` shows on `board` at (x, y) with its colour and with
// `alpha` (-1: its own alpha).
bool Shows(SDL_Surface* board, SDL_Surface* picture, int x, int y, int alpha) {
  int visible = 0;
  for (int py = 0; py < picture->h; ++py) {
    for (int px = 0; px < picture->w && x + px < board->w; ++px) {
      const unsigned char* src = At(picture, px, py);
      const unsigned char* shown = At(board, x + px, y + py);
      if (src[3] == 0) continue;
      ++visible;
      if (std::memcmp(src, shown, 3) != 0 || shown[3] != (alpha < 0 ? src[3] : alpha)) return false;
    }
  }
  return visible > 20;
}

// Mouse turning: yaw wraps at 360, pitch stops at 60 either way, sensitivity scales and inversion
// turns the pitch around.
TEST(PlayerMotion, TurnsByTheMouseWithinItsLimits) {
  struct Turn { float sensitivity; bool invert; float yaw, pitch; int dx, dy; float wantYaw, wantPitch; };
  const Turn turns[] = {{1, false, 0, 0, 20, 0, 2, 0},       {1, false, 359, 0, 20, 0, 1, 0},
                        {1, false, 1, 0, -20, 0, 359, 0},     {1, false, 0, 50, 0, 200, 0, 60},
                        {1, false, 0, -50, 0, -200, 0, -60},  {2.5f, false, 180, 0, 20, 10, 185, 2.5f},
                        {0.5f, true, 180, 0, -20, 10, 179, -0.5f}, {1, true, 180, 0, 0, -100, 180, 10},
                        {10, false, 180, 0, 100, 0, 280, 0},  {0.1f, true, 180, 0, 30, 30, 180.3f, -0.3f}};
  for (const Turn& t : turns) {
    PlayerMotion motion;
    PlayerComfort comfort;
    comfort.sensitivity = t.sensitivity, comfort.invertMouse = t.invert;
    motion.yaw = t.yaw, motion.pitch = t.pitch;
    motion.Turn(t.dx, t.dy, comfort);
    EXPECT_NEAR(t.wantYaw, motion.yaw, 1e-3) << (&t - turns);
    EXPECT_NEAR(t.wantPitch, motion.pitch, 1e-3) << (&t - turns);
  }
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

  // Starts a game and records its music calls; `clear` removes the floor's enemies.
  void Start(int floor, bool spMode = false, bool clear = true) {
    ASSERT_EQ(0, game.Init(800, 600, floor, spMode, 0, 0));
    if (VBMP3Wrap::vbmp3_open != RecordOpen) {  // the library keeps the recorders while it stays loaded
      realOpen = VBMP3Wrap::vbmp3_open, realPlay = VBMP3Wrap::vbmp3_play, realStop = VBMP3Wrap::vbmp3_stop;
      VBMP3Wrap::vbmp3_open = RecordOpen, VBMP3Wrap::vbmp3_play = RecordPlay, VBMP3Wrap::vbmp3_stop = RecordStop;
    }
    if (clear) game.Enemies()->Clear();
    gCommands.clear();
  }
  // An open room of 10 x 10 cells with the player facing -z in the middle of cell (5, 5).
  void OpenRoom() {
    std::vector<int> cells(100, 0);
    for (int i = 0; i < 10; ++i) {
      cells[i] |= DungeonConst::WALL_UP, cells[90 + i] |= DungeonConst::WALL_DOWN;
      cells[i * 10] |= DungeonConst::WALL_LEFT, cells[i * 10 + 9] |= DungeonConst::WALL_RIGHT;
    }
    ASSERT_EQ(0, game.Floor()->SetMapData(cells.data(), 10, 10, 5, 5));
    Place(20, -20, 0);
  }
  void Place(float x, float z, float yaw) {
    PlayerMotion& m = game.Motion();
    m.pos[0] = x, m.pos[1] = -0.6f, m.pos[2] = z;
    m.yaw = yaw;
  }
  int Frame() {
    VBMP3Wrap::AdvanceClock(QUORL_COMMON::FRAME_PERIOD_MS);
    return game.Action(Scene::GAME);
  }
  int Frames(int n) {
    int result = Scene::GAME;
    for (int i = 0; i < n && result == Scene::GAME; ++i) result = Frame();
    return result;
  }
  int OverlayAlpha() { return game.Board().OverlayColour()[3]; }

  GameMain game;
  PlayerMotion& motion = game.Motion();
  PlayerState& player = game.Player();
};

// The gun's rules on its own: reloads and switches from a magazine, type and stock to another;
// shots and the empty click.
TEST_F(GameMainTest, WeaponReloadsSwitchesAndFiresByItsRules) {
  Start(1);  // the shots' shared models
  struct Reload { int magazine, type, stock; bool spMode; bool key_f; int wantMagazine, wantType, wantStock; };
  const Reload reloads[] = {
      {3, 0, 0, false, false, 8, 0, 0},
      {0, 1, 5, false, false, 5, 1, 0},
      {0, 1, 0, false, false, 8, 0, 0},      // no special rounds left: back to normal
      {6, 1, 995, false, true, 8, 0, 999},   // the rounds go back to the stock, capped
      {8, 0, 20, false, true, 8, 1, 12},     // the normal rounds are dropped
      {0, 1, 999, true, false, 8, 1, 999},   // special mode never uses up the stock
  };
  for (const Reload& r : reloads) {
    SCOPED_TRACE(&r - reloads);
    PlayerState state;
    Weapon gun(state);
    gun.useSpMode = r.spMode;
    gun.magazine = r.magazine, gun.bulletType = r.type, gun.spBullets = r.stock;
    gCommands.clear();
    r.key_f ? gun.SwitchBulletType() : gun.RequestReload();
    EXPECT_EQ(ActionFlag::RELOADING, state.actionFlags);
    EXPECT_EQ(gamemain_const::RELOAD_TIME, state.actionTimer);
    EXPECT_EQ(1, Count("play reload1"));
    gun.ApplyReloadRule();
    EXPECT_EQ(r.wantMagazine, gun.magazine);
    EXPECT_EQ(r.wantType, gun.bulletType);
    EXPECT_EQ(r.wantStock, gun.spBullets);
  }

  // The last round, a click in the shot pause, then the empty click once the pause is over.
  PlayerState state;
  Weapon gun(state);
  gun.Reset();
  gun.magazine = 1;
  std::list<Bullet*> shots;
  const float muzzle[3] = {0, 0.6f, 0};
  gCommands.clear();
  gun.Fire(muzzle, 0, 0, &shots);
  gun.Fire(muzzle, 0, 0, &shots);
  EXPECT_EQ(1u, shots.size());
  EXPECT_EQ(0, gun.magazine);
  EXPECT_EQ(gamemain_const::SHOT_TIME, state.actionTimer);
  state.actionFlags = 0, state.actionTimer = 0;
  gun.Fire(muzzle, 0, 0, &shots);
  EXPECT_EQ(1, Count("play shot"));
  EXPECT_EQ(1, Count("play empty"));
  EXPECT_EQ(ActionFlag::SHOOTING, state.actionFlags);
  gun.RequestReload();
  EXPECT_EQ(0, Count("play reload1")) << "no reload during the shot pause";
  for (Bullet* b : shots) b->Finalize(), delete b;
}

TEST_F(GameMainTest, AFailedInitLeavesNothingToPlayAndFinalizesTwice) {
  EXPECT_EQ(-1, game.Init(800, 0, 1, false, 0, 0));
  EXPECT_EQ(-1, game.Action(Scene::GAME));
  game.Finalize();
  game.Finalize();
  EXPECT_EQ(0, game.Init(800, 600, 15, true, 4, 2));
  int enemies = 0, kills = 0;
  game.getKillData(&enemies, &kills);
  EXPECT_EQ(15, game.GetFloor());
  EXPECT_EQ(11, game.Floor()->getFloorNumber()) << "a continue plays on its group's first map";
  EXPECT_EQ(999, game.Gun().spBullets);
  EXPECT_GT(enemies, 4);
  EXPECT_EQ(2, kills);
  // A boss line without its caption fails the frame and holds nothing.
  EXPECT_EQ(-1, game.Director().ShowBossLine(10, 9));
  EXPECT_EQ(nullptr, game.Board().Caption());
  // A caption read ahead is only put up when shown (no reading in that frame); one that cannot be
  // read is named once, when read ahead, and its line fails.
  using QUORL_COMMON::FrameMarks;
  FrameMarks::Enable(true);
  StatusBoard& board = game.Board();
  board.PrepareCaption("img/fonts/boss1-word1.png");
  board.PrepareCaption("img/fonts/boss1-word1.png");
  EXPECT_EQ("caption", FrameMarks::Take());
  EXPECT_EQ(0, board.ShowCaption("img/fonts/boss1-word1.png"));
  EXPECT_EQ("", FrameMarks::Take());
  EXPECT_NE(nullptr, board.Caption());
  testing::internal::CaptureStdout();
  board.PrepareCaption("img/fonts/no-such-word.png");
  EXPECT_EQ(-1, board.ShowCaption("img/fonts/no-such-word.png"));
  const std::string said = testing::internal::GetCapturedStdout();
  EXPECT_EQ(said.find("Text surface Load error"), said.rfind("Text surface Load error")) << said;
  EXPECT_NE(std::string::npos, said.find("Text surface Load error"));
  FrameMarks::Enable(false);
}

TEST_F(GameMainTest, WalkingSpeedsReleaseRulesAndKnockBack) {
  struct Walk { SDLKey down[2]; SDLKey up; float dx, dz, forward, strafe; };
  const Walk walks[] = {
      {{SDLK_w, SDLK_UNKNOWN}, SDLK_UNKNOWN, 0, -1.0f, -0.05f, 0},  // one key: 0.1 a frame
      {{SDLK_w, SDLK_d}, SDLK_UNKNOWN, 0.5f, -0.5f, -0.05f, 0.05f},  // two keys: 0.05 along each
      {{SDLK_w, SDLK_s}, SDLK_w, 0, 1.0f, 0.05f, 0},                 // releasing w keeps s
      {{SDLK_d, SDLK_a}, SDLK_d, -1.0f, 0, 0, -0.05f},
      {{SDLK_a, SDLK_UNKNOWN}, SDLK_a, 0, 0, 0, 0},
  };
  Start(1);
  for (const Walk& w : walks) {
    OpenRoom();
    for (SDLKey key : w.down) if (key != SDLK_UNKNOWN) testsupport::PushKey(key, true);
    if (w.up != SDLK_UNKNOWN) testsupport::PushKey(w.up, false);
    Frames(10);
    EXPECT_NEAR(20 + w.dx, motion.pos[0], 1e-3) << (&w - walks);
    EXPECT_NEAR(-20 + w.dz, motion.pos[2], 1e-3) << (&w - walks);
    EXPECT_EQ(w.forward, motion.forwardSpeed);
    EXPECT_EQ(w.strafe, motion.strafeSpeed);
    motion.StopWalking();
  }
  // A push towards a wall closer than the push bounces off it; one towards open floor does not.
  for (float z : {-37.2f, -22.0f}) {
    OpenRoom();
    Place(20, z, 0);
    motion.knockVec[2] = 1.0f, motion.knockCount = 2;
    Frame();
    EXPECT_NEAR(z < -30 ? z + 1 : z - 1, motion.pos[2], 0.05f) << z;
  }
}

TEST_F(GameMainTest, DoorsPassOnlyFacingThemWithOneSoundAndStayShutWhenLocked) {
  using namespace DungeonConst;
  // Two cells side by side along -z with a door between them; the player near the door.
  const int alongZ[2] = {WALL_ALL | DOOR_RIGHT, WALL_ALL | DOOR_LEFT};
  struct Door { float yaw; int lock; bool through; const char* sound; };
  const Door doors[] = {{180, 0, false, nullptr}, {90, 0, false, nullptr}, {10, 0, true, "play door-open"},
                        {350, 0, true, "play door-open"}, {0, 1, false, "play door-locked"}};
  Start(1);
  for (const Door& d : doors) {
    ASSERT_EQ(0, game.Floor()->SetMapData(alongZ, 1, 2, 0, 0));
    Place(0, -1.7f, d.yaw);
    game.Director().doorLock = d.lock;
    player.actionFlags = 0;
    gCommands.clear();
    Frames(5);
    EXPECT_EQ(d.through, motion.pos[2] < -2) << (&d - doors);
    EXPECT_EQ(d.sound ? 1 : 0, Count("play door-open") + Count("play door-locked")) << (&d - doors);
    if (d.sound) {
      EXPECT_EQ(1, Count(d.sound)) << (&d - doors);
    }
  }
  // Each of the four ways faces its door from its first heading on, up to and not at its last:
  // the map (1 x 2 along -z, 2 x 1 along +x), where the player stands, the heading, whether it passes.
  const int alongX[2] = {WALL_ALL | DOOR_DOWN, WALL_ALL | DOOR_UP};
  struct Edge { bool xMap; float x, z, yaw; bool through; };
  const Edge edges[] = {{false, 0, -1.7f, 315, true}, {false, 0, -1.7f, 45, false},  // towards -z
                        {false, 0, -2.3f, 135, true}, {false, 0, -2.3f, 225, false}, // towards +z
                        {true, 1.7f, 0, 45, true},    {true, 1.7f, 0, 135, false},   // towards +x
                        {true, 2.3f, 0, 225, true},   {true, 2.3f, 0, 315, false}};  // towards -x
  for (const Edge& e : edges) {
    ASSERT_EQ(0, game.Floor()->SetMapData(e.xMap ? alongX : alongZ, e.xMap ? 2 : 1, e.xMap ? 1 : 2, 0, 0));
    Place(e.x, e.z, e.yaw);
    game.Director().doorLock = 0, player.actionFlags = 0;
    Frame();
    EXPECT_EQ(e.through, std::fabs(motion.pos[0] - e.x) + std::fabs(motion.pos[2] - e.z) > 1) << (&e - edges);
  }
}

// While dead, frozen by a boss scene or going down the stairs the player's input is dropped:
// a mouse motion turns nothing and a click fires nothing.
TEST_F(GameMainTest, InputIsDroppedWhileDeadFrozenOrDescending) {
  using namespace DungeonConst;
  const int stairs[2] = {WALL_UP | WALL_DOWN | WALL_LEFT, FLOOR_STEP | WALL_RIGHT};
  const std::pair<const char*, std::function<void()>> states[] = {
      {"dead", [&] { player.hitPoint = 1, player.pendingHit = 1; }},
      {"frozen", [&] { game.Director().EnterBossRoom(); }},
      {"descending", [&] { ASSERT_EQ(0, game.Floor()->SetMapData(stairs, 1, 2, 0, 0)); Place(0, -4, 0); }},
  };
  for (const auto& [name, enter] : states) {
    Start(1);
    OpenRoom();
    enter();
    Frame();
    const float yaw = motion.yaw;
    testsupport::PushMouseMotion(40, 0);
    testsupport::PushClick(1, 400, 300);
    Frames(2);
    EXPECT_EQ(yaw, motion.yaw) << name;
    EXPECT_EQ(8, game.Gun().magazine) << name;
  }
}

// Escape leaves for the title with the kills of the floor being left counted.
TEST_F(GameMainTest, EscapeCountsTheKillsOfTheFloorItLeaves) {
  Start(1, false, false);
  const std::list<EnemyData*>& enemies = game.Enemies()->getEnemies();
  ASSERT_GE(enemies.size(), 2u);
  enemies.front()->state = EnemyState::DYING;
  enemies.back()->state = EnemyState::DYING;
  testsupport::PushKey(SDLK_ESCAPE, true);
  EXPECT_EQ(Scene::TITLE, Frame());
  int met = 0, kills = 0;
  game.getKillData(&met, &kills);
  EXPECT_EQ(2, kills);
}

TEST_F(GameMainTest, StairsFadeOverAHundredFramesAndChangeTheFloorAndItsMusic) {
  using namespace DungeonConst;
  const int cells[2] = {WALL_UP | WALL_DOWN | WALL_LEFT, FLOOR_STEP | WALL_RIGHT};
  Start(1);
  ASSERT_EQ(0, game.Floor()->SetMapData(cells, 1, 2, 0, 0));
  Place(0, -4, 0);
  player.actionFlags = ActionFlag::RELOADING;  // a reload still running completes on the new floor
  game.Gun().magazine = 2;
  motion.knockVec[0] = 0.1f, motion.knockCount = 10;  // a push would carry the player off the stairs
  Frame();
  EXPECT_EQ(ActionFlag::DESCENDING, player.actionFlags & ActionFlag::DESCENDING);
  EXPECT_EQ(0, motion.knockCount);
  EXPECT_EQ(1, Count("play downstairs"));
  Frames(49);
  EXPECT_EQ((100 - 51) * 255 / 100, OverlayAlpha());
  Frames(49);
  EXPECT_EQ(1, game.GetFloor());
  Frame();
  EXPECT_EQ(2, game.GetFloor());
  EXPECT_EQ(0, player.actionFlags);
  EXPECT_EQ(8, game.Gun().magazine);
  EXPECT_EQ(gamemain_const::FLOOR_DISP_TIME - 1, game.Board().floorDispTime);
  EXPECT_EQ(0, OverlayAlpha());

  // Music per floor change: from floor, the music calls.
  struct Change { int from; std::vector<std::string> music; int hold; };
  const Change changes[] = {
      {5, {"music stop", "music open sounds/MOT_2.mp3", "music play"}, 0},
      {6, {}, 0},
      {9, {"music stop"}, 1},  // the boss floor: silence until the boss speaks
      {26, {"music stop", "music open sounds/MOT_5.mp3", "music play"}, 0},
  };
  for (const Change& c : changes) {
    Start(c.from, false, false);
    ASSERT_EQ(0, game.ChangeFloor(c.from + 1));
    std::vector<std::string> music;
    for (const std::string& s : gCommands) if (s.rfind("music", 0) == 0) music.push_back(s);
    EXPECT_EQ(c.music, music) << "from floor " << c.from;
    EXPECT_EQ(c.hold, game.Director().musicHold) << "from floor " << c.from;
  }
}

TEST_F(GameMainTest, StatusBoardShowsLifeMagazineFloorNumberAndCounter) {
  Start(12);
  StatusBoard& board = game.Board();
  SDL_Surface* shown = board.StatusPicture();
  // The life bar: pixels of its colour in its row, one per hit point.
  struct Life { int hitPoint; unsigned char r, g; };
  for (const Life& l : {Life{290, 0, 192}, Life{145, 192, 192}, Life{0, 192, 0}}) {
    board.Compose({false, l.hitPoint, 8, 8, 0, 12, 0, false, false});
    const unsigned char colour[4] = {l.r, l.g, 0, 255};
    int bar = 0;
    for (int x = 0; x < 800; ++x) bar += std::memcmp(colour, At(shown, x, 52), 4) == 0;
    EXPECT_EQ(l.hitPoint, bar) << l.hitPoint;
  }
  // 3 of 8 rounds: the three rightmost icons loaded, five empty to their left; floor 12 reads
  // B 1 2 F from the bottom right at alpha 30 x 255 / 60; the counter reads 005, then 999.
  board.floorDispTime = 30;
  board.Compose({false, 290, 3, 8, 0, 12, 5, false, false});
  const int w = board.BulletIcon(0)->w;
  for (int i = 0; i < 8; ++i) EXPECT_TRUE(Shows(shown, board.BulletIcon(i < 3 ? 0 : 2), 800 - (i + 1) * w, 0, -1)) << i;
  int x = 800 - board.FloorGlyph(11)->w / 2 - board.FloorGlyph(2)->w - board.FloorGlyph(1)->w - board.FloorGlyph(10)->w;
  for (int glyph : {10, 1, 2, 11}) {
    EXPECT_TRUE(Shows(shown, board.FloorGlyph(glyph), x, 600 - board.FloorGlyph(glyph)->h, 127)) << glyph;
    x += board.FloorGlyph(glyph)->w;
  }
  for (int stock : {5, 999}) {
    board.Compose({false, 290, 3, 8, 0, 12, stock, false, false});
    const int digits[3] = {stock / 100, stock / 10 % 10, stock % 10}, gw = board.SpGlyph(0)->w, gh = board.SpGlyph(0)->h;
    for (int k = 0; k < 3; ++k) EXPECT_TRUE(Shows(shown, board.SpGlyph(digits[k]), (2 + k) * gw, 600 - gh, -1)) << stock << k;
  }
}

TEST_F(GameMainTest, TheTimerShowsInTheBoardsDigitsAndOnlyItsPieceChanges) {
  Start(1);
  OpenRoom();
  StatusBoard& board = game.Board();
  SDL_Surface* shown = board.StatusPicture();
  const auto picture = [&] {
    const Uint8* p = static_cast<const Uint8*>(shown->pixels);
    return std::vector<Uint8>(p, p + static_cast<size_t>(shown->pitch) * shown->h);
  };
  // The box around the pixels that differ between two compositions (w 0: none).
  const auto changed = [&](const std::vector<Uint8>& a, const std::vector<Uint8>& b) {
    int x0 = 800, y0 = 600, x1 = -1, y1 = -1;
    for (int y = 0; y < 600; ++y) {
      for (int x = 0; x < 800; ++x) {
        const size_t at = static_cast<size_t>(y) * shown->pitch + 4 * x;
        if (std::memcmp(&a[at], &b[at], 4) == 0) continue;
        x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
      }
    }
    return SDL_Rect{static_cast<Sint16>(x0), static_cast<Sint16>(y0), static_cast<Uint16>(x1 < 0 ? 0 : x1 - x0 + 1),
                    static_cast<Uint16>(y1 < 0 ? 0 : y1 - y0 + 1)};
  };
  StatusBoard::Reading reading = {false, 290, 8, 8, 0, 1, 0, false, false};
  board.Compose(reading);
  const std::vector<Uint8> none = picture();
  reading.timer = 3600;  // 61.2 s: 1:01.20
  board.Compose(reading);
  const std::vector<Uint8> minute = picture();
  const SDL_Rect whole = changed(none, minute);
  const int digitW = board.SpGlyph(0)->w, digitH = board.SpGlyph(0)->h;
  // Between the life gauge and the magazine, one row of digits high: 5 digits and two separators.
  EXPECT_GE(whole.x, 370);
  EXPECT_LE(whole.x + whole.w, 800 - 8 * board.BulletIcon(0)->w);
  EXPECT_LE(whole.h, digitH);
  EXPECT_GT(whole.w, 5 * digitW);
  // Where digit `d` shows in the timer's row, looking from x = `from` on for a glyph's width.
  const auto find = [&](int d, int from) {
    for (int x = from; x < from + digitW; ++x) {
      if (Shows(shown, board.SpGlyph(d), x, 10, -1)) return x;
    }
    return -1;
  };
  EXPECT_NE(-1, find(1, whole.x - digitW + 1));
  reading.timer = 3601;  // 1:01.21: only the last digit's place changes
  board.Compose(reading);
  const SDL_Rect last = changed(minute, picture());
  EXPECT_GT(last.w, 0);
  EXPECT_GE(last.x, whole.x + whole.w - digitW);
  EXPECT_NE(-1, find(1, whole.x + whole.w - digitW));

  // In play the floor's clock restarts on each floor; the game's runs on, pauses left out.
  GameMain::Comfort comfort;
  comfort.timer = TimerSetting::FLOOR;
  game.SetComfort(comfort);
  Frames(30);
  EXPECT_EQ(30, game.Stats().Current().frames);
  testsupport::PushKeyTap(SDLK_z);
  Frames(5);
  testsupport::PushKeyTap(SDLK_z);
  Frames(6);
  EXPECT_EQ(36, game.Stats().GameFrames());  // the frame the pause ended in counts, not the one it began in
  ASSERT_EQ(0, game.ChangeFloor(2));
  Frames(3);
  EXPECT_EQ(3, game.Stats().Current().frames);
  EXPECT_EQ(39, game.Stats().GameFrames());
  const std::vector<FloorStats> left = game.Stats().TakeFinished();
  ASSERT_EQ(1u, left.size());
  EXPECT_EQ(1, left[0].floor);
  EXPECT_EQ(36, left[0].frames);
}

TEST_F(GameMainTest, HitPointsDrainHealInvincibilityItemsAndDeath) {
  Start(1);
  OpenRoom();
  player.pendingHit = 30;
  Frames(15);
  EXPECT_EQ(275, player.hitPoint);
  Frames(15);
  EXPECT_EQ(260, player.hitPoint);
  EXPECT_EQ(0, player.pendingHit);

  // Items dropped at the player's feet by a dead enemy: kind, amount, hit points and stock before;
  // hit points and stock after 20 frames, the sound.
  struct Item { int kind, amount, hitPoint, stock, wantHitPoint, wantStock; const char* sound; };
  const Item items[] = {{ItemKind::MEAT, 50, 280, 0, 290, 0, "play eat1"},
                        {ItemKind::MEAT, 50, 290, 0, 290, 0, "play eat2"},
                        {ItemKind::SP_BULLETS, 20, 290, 990, 290, 999, "play sp-bullet-get"}};
  for (const Item& it : items) {
    Start(1);
    OpenRoom();
    player.hitPoint = it.hitPoint, game.Gun().spBullets = it.stock;
    game.Enemies()->Add(20, -20, 0, EnemyType::BOOSY);
    EnemyData* e = game.Enemies()->getEnemies().back();
    e->state = EnemyState::DYING, e->itemDropped = true, e->itemKind = it.kind, e->itemAmount = it.amount;
    Frames(20);
    EXPECT_EQ(it.wantHitPoint, player.hitPoint) << (&it - items);
    EXPECT_EQ(it.wantStock, game.Gun().spBullets) << (&it - items);
    EXPECT_EQ(1, Count(it.sound)) << (&it - items);
  }

  // A push starts the knock-back and fifteen frames of invincibility: a second hit is cancelled.
  Start(1);
  OpenRoom();
  game.Enemies()->Add(20.3f, -20, 0, EnemyType::DOOSY);  // its body pushes
  Frame();
  const int first = player.pendingHit + (290 - player.hitPoint);
  EXPECT_GT(first, 0);
  const unsigned char flash[4] = {255, 0, 0, 85};
  EXPECT_EQ(0, std::memcmp(flash, game.Board().OverlayColour(), 4));
  EXPECT_EQ(15, player.invincibleCount);
  Frames(3);
  EXPECT_EQ(first, player.pendingHit + (290 - player.hitPoint)) << "hits while invincible count";
  EXPECT_EQ(0, OverlayAlpha()) << "no flash while invincible";

  // Death: himei2, a red fade over 80 frames, the music stopped, the title on the 160th frame.
  Start(1);
  OpenRoom();
  player.hitPoint = 1, player.pendingHit = 1;
  EXPECT_EQ(Scene::GAME, Frame());
  EXPECT_EQ(ActionFlag::DEAD, player.actionFlags);
  EXPECT_EQ(1, Count("play himei2"));
  Frames(39);
  EXPECT_EQ(39 * 255 / 80, OverlayAlpha());
  EXPECT_EQ(255, game.Board().OverlayColour()[0]);
  EXPECT_EQ(0, Count("music stop"));
  EXPECT_EQ(Scene::GAME, Frames(119));
  EXPECT_GT(Count("music stop"), 0);
  EXPECT_EQ(Scene::TITLE, Frame());
  EXPECT_EQ(0, Count("music play")) << "the music stays stopped while dead";
}

TEST_F(GameMainTest, NoFlashDimsTheDamageAndWhiteFlashesButNotTheFades) {
  for (bool noFlash : {false, true}) {
    GameMain::Comfort comfort;
    comfort.damageFlash = comfort.whiteFlash = noFlash ? 33 : 100;
    game.SetComfort(comfort);
    // The damage flash.
    Start(1);
    OpenRoom();
    game.Enemies()->Add(20.3f, -20, 0, EnemyType::DOOSY);  // its body pushes
    Frame();
    EXPECT_EQ(noFlash ? 28 : 85, OverlayAlpha()) << noFlash;
    // The white flash after the last boss by its timer: rising over 80 frames, held for 40,
    // fading over 130.
    Start(30);
    game.Director().BossGoingDown(30, BossState::FINISHED);
    const std::pair<int, int> ramp[] = {{299, 3},   {260, 127}, {225, 239}, {220, 255},
                                        {180, 255}, {179, 253}, {100, 98},  {50, 0}};
    for (const auto& [timer, full] : ramp) {
      player.actionTimer = timer;
      game.Director().BossGoingDown(30, BossState::FINISHED);
      EXPECT_EQ(noFlash ? full * 33 / 100 : full, OverlayAlpha()) << noFlash << " " << timer;
      if (full > 0) {
        EXPECT_EQ(255, game.Board().OverlayColour()[1]) << timer;
      }
    }
    // The death fade keeps its full strength.
    Start(1);
    OpenRoom();
    player.hitPoint = 1, player.pendingHit = 1;
    Frames(100);
    EXPECT_EQ(255, OverlayAlpha()) << noFlash;
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
    Start(1);
    OpenRoom();
    for (const auto& e : f.events) {
      SDL_Event event = {};
      event.type = SDL_ACTIVEEVENT;
      event.active.gain = static_cast<Uint8>(e.first);
      event.active.state = e.second;
      SDL_PushEvent(&event);
    }
    Frame();
    EXPECT_EQ(f.paused, game.IsPaused()) << (&f - cases);
    if (!f.paused) continue;
    testsupport::PushKey(SDLK_w, true);  // dropped while paused
    Frames(5);
    EXPECT_NEAR(-20, motion.pos[2], 1e-3);
    testsupport::PushKeyTap(SDLK_z);
    Frame();
    EXPECT_FALSE(game.IsPaused());
  }
}

}  // namespace

// The accessibility settings change only what they show: the damage flash's strength (at 0 % a
// still mark at the edges instead), the life bar's colours, the 3D view's angle (not the boards').
TEST_F(GameMainTest, AccessibilitySettingsChangeOnlyWhatIsShown) {
  struct Case { int flash; bool colourSafe; int overlay, edgeAlpha; unsigned char bar[3]; };
  const Case cases[] = {
      {100, false, 85, 0, {4, 192, 0}},  // the design: green at nearly full life
      {50, false, 42, 0, {4, 192, 0}},
      {0, true, 0, 200, {159, 219, 253}},  // light blue
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(&c - cases);
    GameMain::Comfort comfort;
    comfort.damageFlash = c.flash, comfort.colourSafe = c.colourSafe;
    game.SetComfort(comfort);
    Start(1);
    OpenRoom();
    game.Enemies()->Add(20.3f, -20, 0, EnemyType::DOOSY);  // its body pushes
    Frame();
    EXPECT_EQ(c.overlay, OverlayAlpha());
    Frame();  // the board shows the mark from the frame after the hit
    EXPECT_EQ(c.edgeAlpha, At(game.Board().StatusPicture(), 2, 300)[3]);
    const unsigned char* bar = At(game.Board().StatusPicture(), 80, 50);
    EXPECT_NEAR(c.bar[0], bar[0], 3);
    EXPECT_NEAR(c.bar[1], bar[1], 3);
    EXPECT_NEAR(c.bar[2], bar[2], 3);
  }
  // The same view at 1 and 1.5 times the angle: the rounds in the corner alike, the room not.
  std::vector<std::vector<unsigned char>> shots;
  for (float fov : {1.0f, 1.5f}) {
    GameMain::Comfort comfort;
    comfort.fieldOfView = fov;
    game.SetComfort(comfort);
    Start(1);
    OpenRoom();
    QUORL_COMMON::RequestScreenshot("fov.png");
    Frame();
    unsigned char* data = nullptr;
    unsigned width = 0, height = 0, pitch = 0;
    ASSERT_EQ(0, LoadPNG("fov.png", &data, &width, &height, &pitch));
    shots.emplace_back(data, data + static_cast<size_t>(pitch) * height);
    delete[] data;
    remove("fov.png");
  }
  // The heart on the life gauge (the board) is the same in both; the room in the middle is not.
  auto differing = [&](int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y < y1; ++y) {
      for (int x = x0; x < x1; ++x) n += std::memcmp(&shots[0][(y * 800 + x) * 4], &shots[1][(y * 800 + x) * 4], 3) != 0;
    }
    return n;
  };
  EXPECT_EQ(0, differing(34, 42, 52, 58));
  EXPECT_GT(differing(300, 200, 500, 400), 10000);
}

// Hold to fire: a held input fires at the gun's own pace, never during a reload, and empties the
// magazine as clicks at that pace would.
TEST_F(GameMainTest, HoldToFireShootsAtTheGunsPaceAndNotWhileReloading) {
  for (bool hold : {false, true}) {
    ControlSettings controls;
    controls.holdToFire = hold;
    game.SetControls(controls);
    Start(1);
    OpenRoom();
    testsupport::PushMouseButton(1, true);
    Frame();
    EXPECT_EQ(7, game.Gun().magazine) << hold;
    Frames(gamemain_const::SHOT_TIME - 1);
    EXPECT_EQ(7, game.Gun().magazine) << hold;  // the pause between shots
    Frames(6 * gamemain_const::SHOT_TIME + 1);
    EXPECT_EQ(hold ? 0 : 7, game.Gun().magazine) << hold;
    // Released, then a reload with the input held down again all through it: no shot until the
    // reload is over, then the held input goes on firing.
    testsupport::PushMouseButton(1, false);
    Frames(gamemain_const::SHOT_TIME);
    testsupport::PushKeyTap(SDLK_r);
    testsupport::PushMouseButton(1, true);
    Frames(gamemain_const::RELOAD_TIME - 5);
    EXPECT_EQ(hold ? 0 : 7, game.Gun().magazine) << "no shot during the reload " << hold;
    Frames(10);
    EXPECT_EQ(hold ? 7 : 8, game.Gun().magazine) << hold;
    testsupport::PushMouseButton(1, false);
    Frames(2 * gamemain_const::SHOT_TIME);
    EXPECT_EQ(hold ? 7 : 8, game.Gun().magazine) << "released: no more shots " << hold;
  }
}

// The visible sounds: an attack sound from outside the view lights the edge towards it, one in
// sight or with the setting off lights nothing; a finished reload is captioned.
TEST_F(GameMainTest, VisibleSoundsMarkUnseenAttacksAtTheirEdgeAndCaptionTheReload) {
  struct Case {
    bool on;
    float dx, dz;  // the attack's place from the player, who faces -z
    int want;      // the edge lit, or SoundCues::IN_SIGHT for none
  };
  const Case cases[] = {
      {true, 0, 3, SoundCues::BOTTOM},   {true, -3, 0, SoundCues::LEFT},    {true, 3, 0.5f, SoundCues::RIGHT},
      {true, 0.5f, -4, SoundCues::IN_SIGHT}, {false, 0, 3, SoundCues::IN_SIGHT},
  };
  for (const Case& c : cases) {
    GameMain::Comfort comfort;
    comfort.visibleSounds = c.on;
    game.SetComfort(comfort);
    Start(1);
    OpenRoom();
    const float source[3] = {20 + c.dx, -1.0f, -20 + c.dz};
    game.Enemies()->RequestSE(Enemy::SE_ATTACK, Enemy::SE_BOOSY, source);
    Frames(8);
    const SoundCues& cues = game.Cues();
    EXPECT_EQ(c.on, cues.On());
    for (int edge = 0; edge < SoundCues::EDGES; ++edge) {
      EXPECT_EQ(edge == c.want, cues.EdgeAlpha(edge) > 150) << &c - cases << " edge " << edge;
    }
    Frames(60);  // the sound's length, its hold and the fade
    for (int edge = 0; edge < SoundCues::EDGES; ++edge) EXPECT_EQ(0, cues.EdgeAlpha(edge)) << &c - cases;

    player.actionFlags = 0, player.actionTimer = 0;
    game.Gun().magazine = 0;
    game.Gun().RequestReload();
    int frames = 0;
    while (cues.CaptionShown().empty() && frames < 200) frames += (Frame(), 1);
    EXPECT_EQ(c.on ? "reloaded" : "", cues.CaptionShown()) << &c - cases;
  }
}

// Where a sound shows: the view turned by yaw (0 faces -z, 90 faces +x) and pitch (positive looks
// down), 60 degrees high times the field of view at 4:3, with a little room around it for bodies.
TEST(SoundCues, EdgeOfASourceFollowsTheViewsTurnAndAngle) {
  struct Case {
    float x, y, z, yaw, pitch, fov;
    int want;
  };
  using C = SoundCues;
  const Case cases[] = {
      {0, 0, -5, 0, 0, 1, C::IN_SIGHT},  {0, 0, 5, 0, 0, 1, C::BOTTOM},     {-5, 0, 0, 0, 0, 1, C::LEFT},
      {5, 0, 0, 0, 0, 1, C::RIGHT},      {5, 0, 0, 90, 0, 1, C::IN_SIGHT},  {0, 0, -5, 90, 0, 1, C::LEFT},
      {0, 0, 5, 90, 0, 1, C::RIGHT},     {-5, 0, 0, 90, 0, 1, C::BOTTOM},   {0, 6, -4, 0, 0, 1, C::TOP},
      {0, 6, -4, 0, -50, 1, C::IN_SIGHT}, {0, -6, -4, 0, 0, 1, C::BOTTOM},  {0, -6, -4, 0, 50, 1, C::IN_SIGHT},
      {-9, 0, -8, 0, 0, 1, C::LEFT},     {-9, 0, -8, 0, 0, 1.5f, C::IN_SIGHT}, {-8.2f, 0, -10, 0, 0, 1, C::IN_SIGHT},
  };
  const float eye[3] = {0, 0, 0};
  for (const Case& c : cases) {
    const float source[3] = {c.x, c.y, c.z};
    EXPECT_EQ(c.want, SoundCues::EdgeOf(source, {eye, c.yaw, c.pitch}, c.fov)) << &c - cases;
  }
}

// Each effect that matters gets its caption, the newest replacing the one before; others none.
TEST_F(GameMainTest, VisibleSoundsCaptionTheEffectsThatMatter) {
  GameMain::Comfort comfort;
  comfort.visibleSounds = true;
  game.SetComfort(comfort);
  Start(1);
  OpenRoom();
  const std::pair<const char*, const char*> effects[] = {
      {"empty", "out-of-rounds"}, {"door-open", "door-opens"},         {"door-locked", "door-locked"},
      {"door-unlock", "door-unlocked"}, {"eat1", "meat"},              {"eat2", "meat"},
      {"sp-bullet-get", "special-rounds"}, {"shot", "special-rounds"}, {"himei1", "special-rounds"}};
  for (const auto& [alias, stem] : effects) {
    gamesound::PlaySE(alias);
    Frame();
    EXPECT_EQ(stem, game.Cues().CaptionShown()) << alias;
  }
  Frames(70);
  EXPECT_EQ("", game.Cues().CaptionShown());
}
