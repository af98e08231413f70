// Tests of the scene loop through a copy of the real program whose game scene is a stand-in
// (fakegame.cpp), with the generated content: the title's choice reaching the game's Init and the
// save file, the cursor, a window-close request, the ending's save, and the title's music in the
// mixed output of SDL's disk audio driver.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/savedata.h"
#include "support/testfiles.h"

namespace {

namespace fs = std::filesystem;
using testsupport::FileExists;

class SceneLoop : public ::testing::Test {
 protected:
  // The program's folder: the content's folders linked, the music files linked one by one.
  void SetUp() override {
    if (!FileExists(content + "/img/QUORL-title.png")) GTEST_SKIP() << "no generated content";
    for (const char* folder : {"img", "model", "SE"}) {
      fs::create_directory_symlink(content + "/" + folder, dir.file(folder));
    }
    fs::create_directory(dir.file("sounds"));
    for (const fs::directory_entry& e : fs::directory_iterator(content + "/sounds")) {
      fs::create_symlink(e.path(), dir.file("sounds/" + e.path().filename().string()));
    }
  }

  // Runs the program with the environment words `env`, the arguments `args` and `script` as its
  // scripted input, sound going to "mixed.raw"; returns its exit status.
  int Run(const std::string& env, const std::string& args, const std::string& script) {
    testsupport::WriteFile(dir.file("input.txt"), script);
    return testsupport::RunWindowedProgram(
        "sh -c 'cd \"" + dir.path() + "\" && exec env SDL_AUDIODRIVER=disk " +
            "SDL_DISKAUDIOFILE=mixed.raw " + env + " \"" + testsupport::BinPath("quorl_fakegame") +
            "\" --input input.txt " + args + "'",
        180, &output);
  }

  void WriteSave(int floor, int enemies, int kills) {
    SaveData save;
    save.floor = floor;
    save.enemyCount = enemies;
    save.killCount = kills;
    ASSERT_EQ(0, WriteSaveData(dir.file("savedata.dat").c_str(), save));
  }
  SaveData Save() const { return ReadSaveData(dir.file("savedata.dat").c_str()); }
  bool Printed(const std::string& line) const {
    return output.find(line + "\n") != std::string::npos;
  }

  const std::string content = QUORL_DATA_DIR;
  testsupport::ScratchDir dir;
  std::string output;
};

// Continue (right half of the menu): the saved progress reaches the game; leaving it on floor
// 10 saves 9 with the game's counts. The cursor is hidden in the game and shown again before the
// game is finalised. The title's music is audible.
TEST_F(SceneLoop, ContinueCarriesTheSaveIntoTheGameAndTheGameIntoTheSave) {
  WriteSave(7, 40, 30);
  ASSERT_EQ(0, Run("SDL_DISKAUDIODELAY=20 QUORL_FAKE_GAME=\"10 55 44 1 3\"", "--frames 60",
                   "1 mousedown 1 600 550\n"))
      << output;
  EXPECT_TRUE(Printed("fake game: init floor 7 special 0 enemies 40 kills 30 cursor 0")) << output;
  EXPECT_TRUE(Printed("fake game: finalize cursor 1")) << output;
  EXPECT_EQ(9, Save().floor);
  EXPECT_EQ(55, Save().enemyCount);
  EXPECT_EQ(44, Save().killCount);
  double left = 0.0, right = 0.0;
  testsupport::StereoLoudness(dir.file("mixed.raw"), &left, &right);
  EXPECT_GT(left + right, 500.0) << "the title's music is not in the mixed output";
}

// A new game (left half) starts from nothing; closing the window in the game writes nothing.
TEST_F(SceneLoop, NewGameStartsFromNothingAndAWindowCloseLeavesTheSave) {
  WriteSave(7, 40, 30);
  ASSERT_EQ(0, Run("", "--fast", "1 mousedown 1 100 550\n5 quit\n")) << output;
  EXPECT_TRUE(Printed("fake game: init floor 1 special 0 enemies 0 kills 0 cursor 0")) << output;
  EXPECT_EQ(7, Save().floor);
  EXPECT_EQ(40, Save().enemyCount);
}

// The last boss beaten with 45 of 50 enemies: the ending roll runs (its pages and music are the
// ending's own tests and the last boss's demo), Escape returns to the title, and the save holds a
// fresh game with the special mode earned. Without its own music file the ending cannot start.
TEST_F(SceneLoop, TheEndingEarnsTheSpecialModeAndStartsOverOrFailsWithoutItsMusic) {
  WriteSave(29, 40, 30);
  ASSERT_EQ(0, Run("QUORL_FAKE_GAME=\"30 50 45 3 1\"", "--fast --frames 80", "1 mousedown 1 600 550\n60 keydown escape\n"))
      << output;
  const SaveData save = Save();
  EXPECT_EQ(1, save.floor);
  EXPECT_EQ(0, save.enemyCount);
  EXPECT_TRUE(save.specialUnlocked);
  fs::remove(dir.file("sounds/quiet_snow_field.mp3"));
  EXPECT_EQ(1, Run("QUORL_FAKE_GAME=\"30 50 45 3 1\"", "--fast --frames 20", "1 mousedown 1 100 550\n"));
  EXPECT_TRUE(Printed("endrole initialize error ")) << output;
}

}  // namespace
