// Tests of the model viewer: it renders a model from three angles into a PNG, and refuses
// models that do not load with the reader's messages and status 1.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "assets/loadpng.h"
#include "support/testfiles.h"

namespace {

const unsigned kWidth = 960;  // three views of 320 x 320
const unsigned kHeight = 320;

std::string Viewer() { return testsupport::BinPath("modelview"); }

// A textured pyramid with its point towards +y.
const char* const kPyramid =
    "Metasequoia Document\nFormat Text Ver 1.0\n"
    "Material 2 {\n"
    "\t\"skin\" col(1 1 1 1) dif(0.8) amb(0.6) emi(0.3) spc(0.2) power(30) tex(\"skin.png\")\n"
    "\t\"red\" col(1 0.1 0.1 1) dif(0.8) amb(0.6) emi(0.3) spc(0) power(5)\n}\n"
    "Object \"p\" {\n\tvertex 5 {\n\t\t-60 -60 60\n\t\t60 -60 60\n\t\t60 -60 -60\n\t\t-60 -60 -60\n"
    "\t\t0 80 0\n\t}\n\tface 5 {\n\t\t4 V(3 2 1 0) M(1)\n"
    "\t\t3 V(0 1 4) M(0) UV(0 1 1 1 0.5 0)\n\t\t3 V(1 2 4) M(0) UV(0 1 1 1 0.5 0)\n"
    "\t\t3 V(2 3 4) M(1)\n\t\t3 V(3 0 4) M(1)\n\t}\n}\nEof\n";

class ModelviewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::WriteTestPNG(dir.file("skin.png"), 2, 2, 3,
                              {255, 255, 0, 0, 255, 255, 255, 0, 255, 255, 255, 255});
    testsupport::WriteFile(dir.file("pyramid.mqo"), kPyramid);
  }
  // Runs the viewer; under the sanitizers without the leak report of the child process, whose
  // only findings are inside the sanitizer and graphics libraries (the model code's own leaks
  // are checked in process by the model tests). The virtual X server now and then refuses a
  // connection when processes start together: a viewer that could not start SDL runs again.
  int Run(const std::string& arguments) {
    int status = -1;
    for (int attempt = 0; attempt < 3; ++attempt) {
      status = testsupport::RunCommand(
          "env ASAN_OPTIONS=detect_leaks=0 SDL_VIDEODRIVER=x11 " + Viewer() + " " + arguments, 60,
          &output);
      if (output.find("modelview: SDL init error") == std::string::npos &&
          output.find("modelview: cannot open the window") == std::string::npos) {
        break;
      }
      usleep(300000);
    }
    return status;
  }
  // Number of pixels in each third of the picture that differ from the top-left pixel.
  std::vector<int> DrawnPixels(const std::string& png) {
    unsigned char* pixels = nullptr;
    unsigned width = 0, height = 0, pitch = 0;
    if (LoadPNG(png.c_str(), &pixels, &width, &height, &pitch) != 0) return {};
    std::vector<int> counts(3, 0);
    if (width == kWidth && height == kHeight) {
      for (unsigned y = 0; y < height; y++) {
        for (unsigned x = 0; x < width; x++) {
          const unsigned char* p = pixels + y * pitch + x * 4;
          if (p[0] != pixels[0] || p[1] != pixels[1] || p[2] != pixels[2]) counts[x / 320]++;
        }
      }
    }
    delete[] pixels;
    return counts;
  }

  testsupport::ScratchDir dir;
  std::string output;
};

TEST_F(ModelviewTest, RendersThreeViewsIntoThePicture) {
  const std::string png = dir.file("out.png");
  ASSERT_EQ(0, Run(dir.file("pyramid.mqo") + " --out " + png)) << output;
  const std::vector<int> drawn = DrawnPixels(png);
  ASSERT_EQ(3u, drawn.size()) << "not a 960 x 320 PNG";
  for (int view = 0; view < 3; view++) {
    EXPECT_GT(drawn[view], 2000) << "view " << view;
    EXPECT_LT(drawn[view], 320 * 320 / 2) << "view " << view;
  }
}

TEST_F(ModelviewTest, ModelThatDoesNotLoadEndsWithStatusOne) {
  const std::string png = dir.file("out.png");
  testsupport::WriteFile(dir.file("broken.mqo"), "Format Text Ver 2.0\n");
  EXPECT_EQ(1, Run(dir.file("broken.mqo") + " --out " + png));
  EXPECT_NE(std::string::npos, output.find("LoadMQO:unsupported version")) << output;
  EXPECT_FALSE(testsupport::FileExists(png));

  std::filesystem::remove(dir.file("skin.png"));
  EXPECT_EQ(1, Run(dir.file("pyramid.mqo") + " --out " + png));
  EXPECT_NE(std::string::npos, output.find("MQOModel:Texture Error:skin.png")) << output;

  EXPECT_EQ(1, Run(dir.file("none.mqo")));
  EXPECT_NE(std::string::npos, output.find("LoadMQO:File Open Error:")) << output;
  EXPECT_EQ(2, Run(""));
  EXPECT_EQ(2, Run(dir.file("pyramid.mqo") + " --bad"));
}

TEST_F(ModelviewTest, RendersEveryModelOfTheContent) {
  namespace fs = std::filesystem;
  const fs::path models = fs::path(QUORL_DATA_DIR) / "model";
  if (!fs::is_directory(models)) GTEST_SKIP() << "the content folder has no model/ yet";
  int count = 0;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(models)) {
    if (!entry.is_regular_file() || entry.path().extension() != ".mqo") continue;
    SCOPED_TRACE(entry.path().string());
    const std::string png = dir.file("model" + std::to_string(count++) + ".png");
    ASSERT_EQ(0, Run(entry.path().string() + " --out " + png)) << output;
    const std::vector<int> drawn = DrawnPixels(png);
    ASSERT_EQ(3u, drawn.size());
    EXPECT_GT(drawn[0] + drawn[1] + drawn[2], 0);
  }
  if (count == 0) GTEST_SKIP() << "the content folder has no models yet";
}

}  // namespace
