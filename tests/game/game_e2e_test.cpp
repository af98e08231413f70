// The game through the real program with the generated content: a recorded run played back twice
// to the same summary and frames, without touching the player's save. (The committed demos and
// reference pictures replay whole games through the same program.)
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/testfiles.h"

namespace {

namespace fs = std::filesystem;

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
  // Runs the game in the folder with `args`; returns the exit status.
  int Run(const std::string& args) {
    return testsupport::RunWindowedProgram("sh -c 'cd " + dir + " && " + testsupport::BinPath("quorl") + " " + args + "'",
                                           280, &output);
  }
};

class GameEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!testsupport::FileExists("img/Sight.png")) GTEST_SKIP() << "no generated content in " << fs::current_path();
  }
};

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
  ASSERT_EQ(0u, demo.rfind("# quorl demo 2 seed ", 0)) << demo;
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
