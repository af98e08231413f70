// Tests of the model viewer: it renders a model from three angles into a PNG, and refuses
// models that do not load with the reader's messages and status 1.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "assets/loadpng.h"
#include "support/testfiles.h"

namespace {

// A pyramid with its point towards +y.
const char* const kPyramid =
    "Metasequoia Document\nFormat Text Ver 1.0\n"
    "Material 1 {\n\t\"red\" col(1 0.1 0.1 1) dif(0.8) amb(0.6) emi(0.3) spc(0) power(5)\n}\n"
    "Object \"p\" {\n\tvertex 5 {\n\t\t-60 -60 60\n\t\t60 -60 60\n\t\t60 -60 -60\n\t\t-60 -60 -60\n"
    "\t\t0 80 0\n\t}\n\tface 5 {\n\t\t4 V(3 2 1 0) M(0)\n\t\t3 V(0 1 4) M(0)\n\t\t3 V(1 2 4) M(0)\n"
    "\t\t3 V(2 3 4) M(0)\n\t\t3 V(3 0 4) M(0)\n\t}\n}\nEof\n";

class ModelviewTest : public ::testing::Test {
 protected:
  // Runs the viewer (see RunWindowedProgram: retried when the X server refuses it).
  int Run(const std::string& arguments) {
    return testsupport::RunWindowedProgram(testsupport::BinPath("modelview") + " " + arguments, 60,
                                           &output);
  }

  testsupport::ScratchDir dir;
  std::string output;
};

TEST_F(ModelviewTest, RendersThreeViewsIntoThePicture) {
  testsupport::WriteFile(dir.file("pyramid.mqo"), kPyramid);
  const std::string png = dir.file("out.png");
  ASSERT_EQ(0, Run(dir.file("pyramid.mqo") + " --out " + png)) << output;
  unsigned char* pixels = nullptr;
  unsigned width = 0, height = 0, pitch = 0;
  ASSERT_EQ(0, LoadPNG(png.c_str(), &pixels, &width, &height, &pitch));
  ASSERT_TRUE(width == 960 && height == 320) << width << " x " << height;  // three views
  // In each view the model covers some but not most of the background (the top-left pixel).
  std::vector<int> drawn(3, 0);
  for (unsigned y = 0; y < height; y++) {
    for (unsigned x = 0; x < width; x++) {
      const unsigned char* p = pixels + y * pitch + x * 4;
      if (p[0] != pixels[0] || p[1] != pixels[1] || p[2] != pixels[2]) drawn[x / 320]++;
    }
  }
  delete[] pixels;
  for (int n : drawn) EXPECT_TRUE(n > 2000 && n < 320 * 320 / 2) << n;
}

TEST_F(ModelviewTest, ModelThatDoesNotLoadEndsWithStatusOne) {
  const std::string png = dir.file("out.png");
  testsupport::WriteFile(dir.file("broken.mqo"), "Format Text Ver 2.0\n");
  EXPECT_EQ(1, Run(dir.file("broken.mqo") + " --out " + png));
  EXPECT_NE(std::string::npos, output.find("LoadMQO:unsupported version")) << output;
  EXPECT_FALSE(testsupport::FileExists(png));
}

}  // namespace
