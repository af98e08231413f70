// Tests of the scene loop through a copy of the real program whose game scene is a stand-in
// (fakegame.cpp), with the generated content: the title's choice reaching the game's Init and the
// save file, the cursor, a window-close request, the ending roll's pages, and the music of both
// scenes in the mixed output of SDL's disk audio driver.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/savedata.h"
#include "assets/loadpng.h"
#include "support/testfiles.h"

namespace {

namespace fs = std::filesystem;
using testsupport::FileExists;

// The red, green and blue bytes of a PNG picture, top row first (empty when it is unreadable).
std::vector<int> Colours(const std::string& path) {
  unsigned char* data = nullptr;
  unsigned width = 0, height = 0, pitch = 0;
  std::vector<int> rgb;
  if (LoadPNG(path.c_str(), &data, &width, &height, &pitch) == 0) {
    for (size_t i = 0; i < static_cast<size_t>(pitch) * height; ++i) {
      if (i % 4 != 3) rgb.push_back(data[i]);
    }
  }
  delete[] data;
  return rgb;
}

// Mean of |a - b| over the bytes of two pictures of one size (without b: the mean of a).
double Mean(const std::vector<int>& a, const std::vector<int>& b = {}) {
  if (a.empty() || (!b.empty() && b.size() != a.size())) return -1.0;
  double sum = 0.0;
  for (size_t i = 0; i < a.size(); ++i) sum += std::abs(a[i] - (b.empty() ? 0 : b[i]));
  return sum / a.size();
}

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

// The last boss beaten with 45 of 50 enemies: the ending roll shows page 1 at its frame 150,
// page 2 half faded in at frame 331 (timer 270: opacity 127) and whole at frame 450, to its own
// music; Escape returns to the title, and the save holds a fresh game with the special mode.
// The ending begins on pass 2 (the title's click on pass 1, the game's one frame on pass 2), so
// its frame n is pass n + 2.
TEST_F(SceneLoop, TheEndingRollsItsPagesOnTimeToItsOwnMusic) {
  WriteSave(29, 40, 30);
  const std::string shots[3] = {dir.file("150.png"), dir.file("331.png"), dir.file("450.png")};
  ASSERT_EQ(0, Run("SDL_DISKAUDIODELAY=5 QUORL_FAKE_GAME=\"30 50 45 3 1\"", "--fast --frames 470",
                   "1 mousedown 1 600 550\n152 screenshot 150.png\n333 screenshot 331.png\n"
                   "452 screenshot 450.png\n460 keydown escape\n"))
      << output;
  const std::vector<int> page1 = Colours(content + "/img/staff/1.png");
  const std::vector<int> page2 = Colours(content + "/img/staff/2.png");
  const std::vector<int> at150 = Colours(shots[0]), at450 = Colours(shots[2]);
  EXPECT_LT(Mean(at150, page1), Mean(at150, page2) / 2);
  EXPECT_LT(Mean(at450, page2), Mean(at450, page1) / 2);
  EXPECT_NEAR(127.0 / 255, Mean(Colours(shots[1])) / Mean(page2), 0.01);
  const SaveData save = Save();
  EXPECT_EQ(1, save.floor);
  EXPECT_EQ(0, save.enemyCount);
  EXPECT_TRUE(save.specialUnlocked);
  double left = 0.0, right = 0.0;
  testsupport::StereoLoudness(dir.file("mixed.raw"), &left, &right);
  EXPECT_GT(left + right, 500.0) << "no music in the ending";
  // Without its own music file the ending cannot start.
  fs::remove(dir.file("sounds/quiet_snow_field.mp3"));
  EXPECT_EQ(1, Run("QUORL_FAKE_GAME=\"30 50 45 3 1\"", "--fast --frames 20",
                   "1 mousedown 1 100 550\n"));
  EXPECT_TRUE(Printed("endrole initialize error ")) << output;
}

}  // namespace
