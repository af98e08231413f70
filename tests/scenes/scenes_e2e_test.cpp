// The title through the real program with the generated content: scripted input, screenshots, save file.

#include <algorithm>

#include "scenes/scenecontent.h"

namespace {

namespace fs = std::filesystem;
using scenetest::Close;
using scenetest::Image;

// Pixels of [x0, x1) x [y0, y1) of `shot` that match no pixel of `art` within one pixel of the
// same place (the window shows the 800-pixel canvas over 799 pixels).
int Unexplained(const Image& shot, const Image& art, int x0, int y0, int x1, int y1) {
  int count = 0;
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      bool found = false;
      for (int n = 0; n < 9 && !found; ++n) {
        found = Close(shot.at(x, y), art.at(std::clamp(x + n % 3 - 1, 0, 799), std::clamp(y + n / 3 - 1, 0, 599)), 3);
      }
      count += !found;
    }
  }
  return count;
}

TEST(ScenesEndToEnd, TitleShowsArtAndMenuSavesQuitsOnEscapeAndOffersContinueFromFloorSeven) {
  if (!testsupport::FileExists("img/QUORL-title.png")) GTEST_SKIP() << "no generated content in " << fs::current_path();
  // The program runs in a folder of its own, so that its save file stays out of the content folder.
  const fs::path data = fs::current_path();
  std::string run = (fs::temp_directory_path() / "quorl-scenes-XXXXXX").string();
  ASSERT_NE(nullptr, mkdtemp(run.data()));
  for (const char* folder : {"img", "model", "SE", "sounds"}) {
    fs::create_directory_symlink(data / folder, fs::path(run) / folder);
  }
  fs::create_directories(QUORL_SHOT_DIR);
  const std::string shots[2] = {QUORL_SHOT_DIR "/title-new-game.png", QUORL_SHOT_DIR "/title-continue-offered.png"};
  std::string output[2], firstSave;
  fs::current_path(run);
  for (int i = 0; i < 2; ++i) {
    // The save record: floor, enemy and kill counts, special-mode flag, three padding bytes.
    if (i == 1) testsupport::WriteFile("savedata.dat", std::string(1, 7) + std::string(15, '\0'));
    // Frame 52 ends the first light cycle: the title art without the light. Escape at frame 53
    // ends the program before the screenshot of frame 100.
    fs::remove(shots[i]);
    testsupport::WriteFile("input.txt", "52 screenshot " + shots[i] + "\n53 keydown escape\n100 screenshot late.png\n");
    const std::string quorl = testsupport::BinPath("quorl") + " --fast --frames 600 --input input.txt";
    const int status = testsupport::RunWindowedProgram(quorl, 60, &output[i]);
    EXPECT_EQ(0, status) << output[i];
    EXPECT_FALSE(testsupport::FileExists("late.png")) << "the program went on after Escape";
    if (i == 0) firstSave = testsupport::ReadFile("savedata.dat");
  }
  fs::current_path(data);
  fs::remove_all(run);

  EXPECT_EQ(std::string(1, 1) + std::string(12, '\0'), firstSave.substr(0, 13)) << "no save file of floor 1";
  const Image screen(shots[0]), offered(shots[1]), art("img/QUORL-title.png");
  ASSERT_TRUE(screen.IsWindow() && offered.IsWindow() && art.IsWindow()) << output[0] << output[1];
  long centre = 0;
  for (int n = 0; n < 100 * 100; ++n) for (int c = 0; c < 3; ++c) centre += screen.at(350 + n % 100, 250 + n / 100)[c];
  EXPECT_GT(centre / 10000, 15) << "the centre of the title is black";
  // Above the menu the window shows the art; in the menu band the words add pixels of their own.
  EXPECT_LT(Unexplained(screen, art, 0, 0, 800, 480), 800 * 480 / 100);
  EXPECT_GT(Unexplained(screen, art, 0, 500, 800, 600), 1000);
  // Right half of the menu band: where the two differ, the word without a save is the offered word
  // at opacity 128 over black. The left half (new game) is the same in both.
  int differing = 0, halved = 0;
  for (int y = 500; y < 600; ++y) {
    for (int x = 400; x < 800; ++x) {
      const unsigned char* full = offered.at(x, y);
      if (Close(full, screen.at(x, y))) continue;
      const unsigned char half[3] = {static_cast<unsigned char>(full[0] * 128 / 255),
                                     static_cast<unsigned char>(full[1] * 128 / 255),
                                     static_cast<unsigned char>(full[2] * 128 / 255)};
      ++differing;
      halved += Close(screen.at(x, y), half, 3);
    }
  }
  EXPECT_GT(differing, 500);
  EXPECT_GT(halved, differing * 95 / 100);
  EXPECT_EQ(0, Unexplained(offered, screen, 0, 500, 400, 600));
}

}  // namespace
