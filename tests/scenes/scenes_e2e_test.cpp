// End-to-end tests of the title through the real program: scripted input, screenshots, save file.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "assets/loadpng.h"
#include "assets/screenshot.h"
#include "scenes/endrole.h"
#include "support/events.h"
#include "support/glwindow.h"
#include "support/testfiles.h"

namespace {

namespace fs = std::filesystem;

// A picture read back from a PNG file: 4 bytes per pixel, top row first.
struct Image {
  unsigned width = 0, height = 0;
  std::vector<unsigned char> pixels;
  bool Load(const std::string& path) {
    unsigned char* data = nullptr;
    unsigned pitch = 0;
    if (LoadPNG(path.c_str(), &data, &width, &height, &pitch) != 0) return false;
    const bool rgba = pitch == width * 4;
    if (rgba) pixels.assign(data, data + static_cast<size_t>(pitch) * height);
    delete[] data;
    return rgba;
  }
  const unsigned char* at(int x, int y) const { return &pixels[(static_cast<size_t>(y) * width + x) * 4]; }
};

bool Close(const unsigned char* a, const unsigned char* b, int tolerance) {
  for (int c = 0; c < 3; ++c) {
    if (std::abs(a[c] - b[c]) > tolerance) return false;
  }
  return true;
}

// Pixels of the rectangle [x0, x1) x [y0, y1) of `shot` that match no art pixel within one pixel
// of the same place (the window shows the 800-pixel canvas over 799 pixels).
int Unexplained(const Image& shot, const Image& art, int x0, int y0, int x1, int y1) {
  int count = 0;
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      bool found = false;
      for (int dy = -1; dy <= 1 && !found; ++dy) {
        for (int dx = -1; dx <= 1 && !found; ++dx) {
          const int ax = x + dx, ay = y + dy;
          if (ax < 0 || ay < 0 || ax >= static_cast<int>(art.width) || ay >= static_cast<int>(art.height)) continue;
          found = Close(shot.at(x, y), art.at(ax, ay), 3);
        }
      }
      count += !found;
    }
  }
  return count;
}

class ScenesEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!testsupport::FileExists("img/QUORL-title.png")) {
      GTEST_SKIP() << "no generated content in " << fs::current_path() << " (img/QUORL-title.png missing)";
    }
    dataDir = fs::current_path();
    // The program runs in a folder of its own that links to the content, so that its save file
    // stays out of the shared content folder.
    std::string pattern = (fs::temp_directory_path() / "quorl-scenes-XXXXXX").string();
    ASSERT_NE(nullptr, mkdtemp(pattern.data()));
    runDir = pattern;
    for (const char* folder : {"img", "model", "SE", "sounds"}) {
      if (fs::exists(dataDir / folder)) fs::create_directory_symlink(dataDir / folder, runDir / folder);
    }
    fs::create_directories(QUORL_SHOT_DIR);
  }
  void TearDown() override {
    if (!runDir.empty()) {
      std::error_code ignored;
      fs::remove_all(runDir, ignored);
    }
  }

  // Runs the program in the run folder with `script` as its input; returns its exit status.
  int Run(const std::string& script, long frames, std::string* output) {
    testsupport::WriteFile((runDir / "input.txt").string(), script);
    const fs::path back = fs::current_path();
    fs::current_path(runDir);
    // The virtual X server now and then refuses a connection when processes start together:
    // a program that could not start SDL is run again.
    int status = -1;
    for (int attempt = 0; attempt < 3; ++attempt) {
      status = testsupport::RunCommand("env ASAN_OPTIONS=detect_leaks=0 SDL_VIDEODRIVER=x11 " +
                                           testsupport::BinPath("quorl") + " --fast --frames " +
                                           std::to_string(frames) + " --input input.txt",
                                       60, output);
      if (output->find("Couldn't initialize SDL") == std::string::npos) break;
      usleep(300000);
    }
    fs::current_path(back);
    return status;
  }

  static std::string Shot(const std::string& name) { return std::string(QUORL_SHOT_DIR) + "/" + name; }

  fs::path dataDir, runDir;
};

// The save record: floor, enemy count, kill count, special-mode flag and three padding bytes.
std::string SaveRecord(int32_t floor) {
  std::string bytes(16, '\0');
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((floor >> (8 * i)) & 0xFF);
  return bytes;
}

TEST_F(ScenesEndToEnd, TitleShowsArtAndMenuWritesTheSaveAndQuitsOnEscape) {
  const std::string shot = Shot("title-new-game.png");
  const std::string late = (runDir / "after-escape.png").string();
  fs::remove(shot);
  std::string output;
  // Frame 52 is the end of the first light cycle: the light is off, the title art shows alone.
  // Escape at frame 60 ends the program there: the screenshot of frame 100 is never taken.
  // Frame 26 has the light at full opacity.
  const std::string lit = Shot("title-light-full.png");
  EXPECT_EQ(0, Run("26 screenshot " + lit + "\n52 screenshot " + shot + "\n60 keydown escape\n100 screenshot " +
                       late + "\n",
                   600, &output))
      << output;
  EXPECT_EQ(std::string::npos, output.find("title initialize error")) << output;
  EXPECT_FALSE(testsupport::FileExists(late));

  const std::string save = testsupport::ReadFile((runDir / "savedata.dat").string());
  ASSERT_EQ(16u, save.size());
  EXPECT_EQ(SaveRecord(1).substr(0, 13), save.substr(0, 13));

  Image screen, art;
  ASSERT_TRUE(screen.Load(shot)) << output;
  ASSERT_TRUE(art.Load("img/QUORL-title.png"));
  ASSERT_EQ(800u, screen.width);
  long centre = 0;
  for (int y = 250; y < 350; ++y)
    for (int x = 350; x < 450; ++x) centre += screen.at(x, y)[0] + screen.at(x, y)[1] + screen.at(x, y)[2];
  EXPECT_GT(centre / 10000, 15) << "the centre of the title is black";
  // Above the menu the window shows the art; in the menu band the words add pixels of their own.
  const int above = Unexplained(screen, art, 0, 0, 800, 480);
  const int menu = Unexplained(screen, art, 0, 500, 800, 600);
  EXPECT_LT(above, 800 * 480 / 100);
  EXPECT_GT(menu, 1000);
  Image light;
  ASSERT_TRUE(light.Load(lit));
  EXPECT_GT(Unexplained(light, screen, 0, 0, 800, 500), 1000) << "no light over the title";
}

TEST_F(ScenesEndToEnd, ContinueWordIsGreyedWithoutASaveAndFullWithOne) {
  const std::string greyed = Shot("title-continue-greyed.png");
  const std::string offered = Shot("title-continue-offered.png");
  std::string output;
  const std::string script = "52 screenshot %\n53 keydown escape\n";
  ASSERT_EQ(0, Run(std::string(script).replace(script.find('%'), 1, greyed), 600, &output)) << output;
  testsupport::WriteFile((runDir / "savedata.dat").string(), SaveRecord(7));
  ASSERT_EQ(0, Run(std::string(script).replace(script.find('%'), 1, offered), 600, &output)) << output;
  EXPECT_EQ(SaveRecord(7).substr(0, 13), testsupport::ReadFile((runDir / "savedata.dat").string()).substr(0, 13));

  Image half, full;
  ASSERT_TRUE(half.Load(greyed));
  ASSERT_TRUE(full.Load(offered));
  // Right half of the menu band: where the two differ, the greyed word is the full word at
  // opacity 128 over black.
  int differing = 0, halved = 0;
  for (int y = 500; y < 600; ++y) {
    for (int x = 400; x < 800; ++x) {
      const unsigned char* f = full.at(x, y);
      const unsigned char* h = half.at(x, y);
      if (Close(f, h, 2)) continue;
      ++differing;
      const unsigned char want[3] = {static_cast<unsigned char>(f[0] * 128 / 255),
                                     static_cast<unsigned char>(f[1] * 128 / 255),
                                     static_cast<unsigned char>(f[2] * 128 / 255)};
      halved += Close(h, want, 3);
    }
  }
  EXPECT_GT(differing, 500);
  EXPECT_GT(halved, differing * 95 / 100);
  // The left half (new game) is the same in both.
  EXPECT_EQ(0, Unexplained(full, half, 0, 500, 400, 600));
}

TEST_F(ScenesEndToEnd, NewGameClickLeavesTheTitleForTheGame) {
  const std::string title = Shot("title-before-new-game-click.png");
  const std::string after = Shot("title-after-new-game-click.png");
  fs::remove(after);
  std::string output;
  EXPECT_EQ(0, Run("3 screenshot " + title + "\n5 mousedown 1 100 550\n6 mouseup 1 100 550\n30 screenshot " + after +
                       "\n",
                   60, &output))
      << output;
  // Either the game scene could not start yet (and said so), or it shows something else.
  bool left = output.find("game initialize error") != std::string::npos;
  Image before, later;
  if (!left && before.Load(title) && later.Load(after)) left = Unexplained(later, before, 0, 0, 800, 600) > 1000;
  EXPECT_TRUE(left) << output;
  EXPECT_EQ(std::string::npos, output.find("title initialize error"));
}

// Pixels of a picture brighter than a dim grey.
int BrightPixels(const Image& image) {
  int count = 0;
  for (size_t i = 0; i + 3 < image.pixels.size(); i += 4) {
    count += image.pixels[i] + image.pixels[i + 1] + image.pixels[i + 2] > 3 * 100;
  }
  return count;
}

TEST(EndingWithContent, ShowsAStaffPageAndTheStatistics) {
  if (!testsupport::FileExists("img/staff/1.png")) GTEST_SKIP() << "no generated ending pictures";
  ASSERT_TRUE(testsupport::OpenTestWindow());
  fs::create_directories(QUORL_SHOT_DIR);
  const std::string staff = std::string(QUORL_SHOT_DIR) + "/ending-staff-page-1.png";
  const std::string statistics = std::string(QUORL_SHOT_DIR) + "/ending-statistics-090.png";
  Endrole ending;
  ASSERT_EQ(0, ending.Init(800, 600, 300, 270));
  for (int i = 0; i < 120; ++i) ending.Action(3);
  QUORL_COMMON::RequestScreenshot(staff);  // the first page at full opacity
  EXPECT_EQ(3, ending.Action(3));
  for (int i = 0; i < 14; ++i) testsupport::PushClick(1, 400, 300);
  QUORL_COMMON::RequestScreenshot(statistics);
  EXPECT_EQ(3, ending.Action(3));
  ending.Finalize();
  Image page, numbers;
  ASSERT_TRUE(page.Load(staff));
  ASSERT_TRUE(numbers.Load(statistics));
  EXPECT_GT(BrightPixels(page), 1000);
  EXPECT_GT(BrightPixels(numbers), 1000);
}

}  // namespace
