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
  // Runs the game in the folder with `args` and the folder's own config file (quorl.cfg, none at
  // first); returns the exit status.
  int Run(const std::string& args) {
    return testsupport::RunWindowedProgram("sh -c 'cd " + dir + " && " + testsupport::BinPath("quorl") +
                                               " --config quorl.cfg " + args + "'",
                                           280, &output);
  }
  // The line of `summary` that starts with `key` and a space, without the key.
  static std::string Line(const std::string& summary, const std::string& key) {
    const size_t at = summary.find("\n" + key + " ");
    if (at == std::string::npos) return "";
    const size_t start = at + key.size() + 2;
    return summary.substr(start, summary.find('\n', start) - start);
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
  EXPECT_NE(std::string::npos, demo.find("\n# set walk_forward = w\n")) << demo;
  EXPECT_NE(std::string::npos, demo.find("\n12 mousemotion 70 -4\n")) << demo;
  EXPECT_NE(std::string::npos, demo.find("\n70 quit\n")) << demo;
  EXPECT_EQ(std::string::npos, demo.find("screenshot rec-")) << demo;
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

TEST_F(GameEndToEnd, ReboundKeysAndThePadPlayAndTheirDemoReplaysUnderTheDefaults) {
  // The pad chooses a new game on the title; in play a rebound key walks, the look stick turns at
  // its speed, the mouse at its sensitivity, the trigger and a rebound key fire, the stick walks.
  GameRun run(0);
  testsupport::WriteFile(run.file("quorl.cfg"),
                         "walk_forward = up\nfire_alt = space\nmouse_sensitivity = 2\npad_look_speed = 4\n");
  testsupport::WriteFile(run.file("input.txt"),
                         "3 joyhat 0 1\n4 joyhat 0 0\n5 joybutton down 0\n6 joybutton up 0\n"
                         "10 keydown up\n20 keyup up\n45 joyaxis 3 32767\n55 joyaxis 3 0\n60 mousemotion 10 0\n"
                         "65 joyaxis 5 32767\n66 joyaxis 5 -32768\n100 keydown space\n101 keyup space\n"
                         "110 joyaxis 1 -32767\n120 joyaxis 1 0\n");
  ASSERT_EQ(0, run.Run("--fast --seed 7 --frames 130 --input input.txt --record demo.txt --summary rec.txt"))
      << run.output;
  const std::string rec = testsupport::ReadFile(run.file("rec.txt"));
  EXPECT_EQ("2", GameRun::Line(rec, "scene")) << rec;
  EXPECT_EQ("42.00 0.00", GameRun::Line(rec, "view")) << rec;  // 10 frames at 4 degrees, 10 pixels at 0.2
  EXPECT_EQ("6", GameRun::Line(rec, "magazine")) << rec;
  EXPECT_NE("0.00 -0.10 0.00", GameRun::Line(rec, "pos")) << rec;
  const std::string demo = testsupport::ReadFile(run.file("demo.txt"));
  EXPECT_NE(std::string::npos, demo.find("\n# set walk_forward = up\n")) << demo;
  EXPECT_NE(std::string::npos, demo.find("\n45 joyaxis 3 32767\n")) << demo;
  // Played back under the defaults (and under a config that binds everything elsewhere): the same.
  for (const char* config : {"", "walk_forward = w\nfire_alt = none\nmouse_sensitivity = 5\npad = none\n"}) {
    testsupport::WriteFile(run.file("quorl.cfg"), config);
    ASSERT_EQ(0, run.Run("--fast --input demo.txt --summary play.txt")) << run.output;
    EXPECT_EQ(rec, testsupport::ReadFile(run.file("play.txt"))) << "under the config: " << config;
  }
  // Without the rebinding the same input does not walk, turn or fire alike.
  testsupport::WriteFile(run.file("quorl.cfg"), "");
  ASSERT_EQ(0, run.Run("--fast --seed 7 --frames 130 --input input.txt --summary plain.txt")) << run.output;
  const std::string plain = testsupport::ReadFile(run.file("plain.txt"));
  EXPECT_EQ("31.00 0.00", GameRun::Line(plain, "view")) << plain;  // 10 frames at 3 degrees, 10 pixels at 0.1
  EXPECT_EQ("7", GameRun::Line(plain, "magazine")) << plain;
}

TEST_F(GameEndToEnd, TheOptionsScreenChangesAVolumeAndABindingAndLeavingWritesThem) {
  // Opened by a click on the title's entry; the music three rows down by the pad, one step less;
  // then the controls page by the keys, walking forward bound to K; two Escapes leave.
  GameRun run(0);
  testsupport::WriteFile(run.file("input.txt"),
                         "3 mousedown 1 700 30\n4 mouseup 1 700 30\n5 joyhat 0 1\n6 joyhat 0 0\n7 joyhat 0 1\n"
                         "8 joyhat 0 0\n9 joyhat 0 1\n10 joyhat 0 0\n11 joyhat -1 0\n12 joyhat 0 0\n"
                         "13 keydown up\n14 keydown up\n15 keydown up\n16 keydown up\n17 keydown up\n"
                         "20 keydown return\n22 keydown return\n24 keydown k\n26 keydown escape\n28 keydown escape\n"
                         "32 quit\n");
  ASSERT_EQ(0, run.Run("--fast --input input.txt --set sound_volume=20")) << run.output;
  const std::string config = testsupport::ReadFile(run.file("quorl.cfg"));
  EXPECT_NE(std::string::npos, config.find("\nmusic_volume = 90\n")) << config;
  EXPECT_NE(std::string::npos, config.find("\nwalk_forward = k\n")) << config;
  EXPECT_NE(std::string::npos, config.find("\nsound_volume = 100\n")) << config;  // the command line's stays out
  EXPECT_NE(std::string::npos, config.find("\n# music loudness in percent, 0 to 100\n")) << config;
}

}  // namespace
