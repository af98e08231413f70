// The game through the real program with the generated content: --seed, --input, --summary, the
// save file and screenshots.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "dungeon/dungeonconst.h"
#include "scenes/scenecontent.h"
#include "support/testfiles.h"

namespace {

namespace fs = std::filesystem;
using scenetest::Image;

// A run folder with links to the content and a save file of `floor` (no file for 0).
struct GameRun {
  fs::path data = fs::current_path();
  std::string dir;
  std::string output;
  explicit GameRun(int floor) {
    dir = (fs::temp_directory_path() / "quorl-game-XXXXXX").string();
    if (mkdtemp(dir.data()) == nullptr) dir.clear();
    for (const char* folder : {"img", "model", "SE", "sounds"}) fs::create_directory_symlink(data / folder, fs::path(dir) / folder);
    if (floor > 0) testsupport::WriteFile(file("savedata.dat"), std::string(1, static_cast<char>(floor)) + std::string(15, '\0'));
  }
  ~GameRun() { fs::remove_all(dir); }
  std::string file(const std::string& name) const { return dir + "/" + name; }
  // Runs the game with a script; returns the exit status and reads the summary into `values`.
  int Play(unsigned seed, long frames, const std::string& script) {
    testsupport::WriteFile(file("input.txt"), script);
    return Run("--fast --seed " + std::to_string(seed) + " --frames " + std::to_string(frames) +
               " --input input.txt --summary summary.txt");
  }
  // Runs the game in the folder with `args`; returns the exit status.
  int Run(const std::string& args) {
    return testsupport::RunWindowedProgram("sh -c 'cd " + dir + " && " + testsupport::BinPath("quorl") + " " + args + "'",
                                           280, &output);
  }
  // The summary's lines by their key (the first word); repeated keys keep every line.
  std::multimap<std::string, std::string> Summary() const {
    std::multimap<std::string, std::string> lines;
    std::istringstream in(testsupport::ReadFile(file("summary.txt")));
    std::string line;
    while (std::getline(in, line)) {
      const size_t space = line.find(' ');
      lines.emplace(line.substr(0, space), space == std::string::npos ? "" : line.substr(space + 1));
    }
    return lines;
  }
};

std::string Value(const std::multimap<std::string, std::string>& s, const std::string& key) {
  const auto it = s.find(key);
  return it == s.end() ? "(none)" : it->second;
}

// The floor's map as the summary gives it.
struct Map {
  int rows = 0, cols = 0, startRow = 0, startCol = 0, stairRow = -1, stairCol = -1;
  std::vector<int> cells;
  explicit Map(const std::string& summary) {
    std::istringstream in(summary);
    std::string word;
    while (in >> word && word != "map") {
    }
    unsigned seed;
    int floor;
    in >> seed >> floor >> rows >> cols;
    cells.resize(static_cast<size_t>(rows) * cols);
    for (int& c : cells) in >> c;
    in >> word >> startRow >> startCol >> word >> stairRow >> stairCol;
  }
  int at(int r, int c) const { return r < 0 || c < 0 || r >= rows || c >= cols ? DungeonConst::FLOOR_NONE : cells[r * cols + c]; }
};

class GameEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!testsupport::FileExists("img/Sight.png")) GTEST_SKIP() << "no generated content in " << fs::current_path();
  }
};

TEST_F(GameEndToEnd, NewGameWalksFiresAndShowsTheStatusBoard) {
  GameRun run(0);
  // Frame 5 chooses a new game on the title; the game's first frame is 6.
  ASSERT_EQ(0, run.Play(3, 60, "5 mousedown 1 100 550\n6 screenshot first.png\n10 keydown w\n40 keyup w\n"
                                "45 mousedown 1 400 300\n46 mouseup 1 400 300\n")) << run.output;
  const auto s = run.Summary();
  EXPECT_EQ("3", Value(s, "seed"));
  EXPECT_EQ("60", Value(s, "frames"));
  EXPECT_EQ("2", Value(s, "scene"));
  EXPECT_EQ("1", Value(s, "floor"));
  EXPECT_EQ("7", Value(s, "magazine"));
  EXPECT_EQ("290", Value(s, "hitpoints"));
  const Map map(testsupport::ReadFile(run.file("summary.txt")));
  ASSERT_GT(map.rows, 0);
  // Thirty frames of w from the start cell's centre: 3 units towards -z unless a wall is there.
  float x = 0, y = 0, z = 0;
  std::istringstream(Value(s, "pos")) >> x >> y >> z;
  EXPECT_NEAR(4.0f * map.startRow, x, 0.5f);
  const bool open = !(map.at(map.startRow, map.startCol) & DungeonConst::WALL_RIGHT);
  EXPECT_NEAR(-4.0f * map.startCol - (open ? 3.0f : 1.6f), z, 0.2f);

  // The first frame: the green life bar, the eight rounds, "B1F" at the bottom right.
  const Image first(run.file("first.png"));
  ASSERT_TRUE(first.IsWindow());
  int green = 0, bright = 0;
  for (int x0 = 100; x0 < 350; ++x0) green += first.at(x0, 52)[1] > 150 && first.at(x0, 52)[0] < 60;
  for (int n = 0; n < 100 * 40; ++n) bright += first.at(690 + n % 100, 555 + n / 100)[0] > 150;
  EXPECT_GT(green, 230);
  EXPECT_GT(bright, 300) << "no floor number";
}

TEST_F(GameEndToEnd, PauseSignThenEscapeBackToTheTitleWritesTheSaveFile) {
  GameRun run(7);
  ASSERT_EQ(0, run.Play(5, 200, "5 mousedown 1 600 550\n20 keydown z\n25 screenshot pause.png\n30 keydown escape\n"
                                "40 keydown escape\n")) << run.output;
  const std::string save = testsupport::ReadFile(run.file("savedata.dat"));
  ASSERT_EQ(16u, save.size());
  EXPECT_EQ(7, save[0]) << "the continued floor is saved";
  EXPECT_GT(save[4], 0) << "the enemies met are saved";
  const auto s = run.Summary();
  EXPECT_EQ("1", Value(s, "scene"));
  EXPECT_EQ("7", Value(s, "floor"));
  EXPECT_EQ("40", Value(s, "frames"));
  // The pause sign: bright letters across the middle of the screen.
  const Image shot(run.file("pause.png"));
  ASSERT_TRUE(shot.IsWindow());
  int bright = 0;
  for (int n = 0; n < 400 * 100; ++n) bright += shot.at(200 + n % 400, 250 + n / 400)[2] > 200;
  EXPECT_GT(bright, 5000);
}

TEST_F(GameEndToEnd, ARecordedContinuePlaysBackTwiceToTheSameSummaryAndFrames) {
  // Recorded from floor 5 without --seed: the seed comes from the clock and goes into the demo,
  // the save file beside it. Screenshots are no input: they are added to the playback copies.
  GameRun run(5);
  testsupport::WriteFile(run.file("input.txt"),
                         "5 mousedown 1 600 550\n8 screenshot rec-a.png\n10 keydown w\n12 mousemotion 70 -4\n"
                         "30 mousedown 1 400 300\n31 mouseup 1 400 300\n40 keyup w\n45 keydown r\n46 keyup r\n"
                         "58 screenshot rec-b.png\n");
  ASSERT_EQ(0, run.Run("--fast --frames 70 --input input.txt --record demo.txt --summary rec.txt")) << run.output;
  const std::string demo = testsupport::ReadFile(run.file("demo.txt"));
  ASSERT_EQ(0u, demo.rfind("# quorl demo 1 seed ", 0)) << demo;
  EXPECT_NE(std::string::npos, demo.find("\n12 mousemotion 70 -4\n")) << demo;
  EXPECT_NE(std::string::npos, demo.find("\n70 quit\n")) << demo;
  EXPECT_EQ(std::string::npos, demo.find("screenshot")) << demo;
  ASSERT_EQ(16u, testsupport::ReadFile(run.file("demo.txt.sav")).size());
  // The player's own save now says floor 1: playback must take the demo's copy, never this one.
  testsupport::WriteFile(run.file("savedata.dat"), std::string(1, '\1') + std::string(15, '\0'));
  const std::string rec = testsupport::ReadFile(run.file("rec.txt"));
  ASSERT_NE(std::string::npos, rec.find("\nfloor 5\n")) << rec;
  for (const char* n : {"1", "2"}) {
    const std::string copy = std::string("play") + n + ".txt";
    testsupport::WriteFile(run.file(copy), demo + "8 screenshot " + n + "-a.png\n58 screenshot " + n + "-b.png\n");
    fs::copy_file(run.file("demo.txt.sav"), run.file(copy + ".sav"), fs::copy_options::overwrite_existing);
    // The second playback is paced like a normal run.
    ASSERT_EQ(0, run.Run(std::string(*n == '1' ? "--fast " : "") + "--input " + copy + " --summary " + n + ".txt"))
        << run.output;
    EXPECT_EQ(rec, testsupport::ReadFile(run.file(std::string(n) + ".txt"))) << "playback " << n;
    for (const char* shot : {"a", "b"}) {
      EXPECT_EQ(testsupport::ReadFile(run.file(std::string("rec-") + shot + ".png")),
                testsupport::ReadFile(run.file(std::string(n) + "-" + shot + ".png")))
          << "playback " << n << " screenshot " << shot;
    }
  }
  EXPECT_EQ(1, testsupport::ReadFile(run.file("savedata.dat"))[0]) << "the player's save was touched";
}

}  // namespace
