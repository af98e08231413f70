// Tests of the picture test's rule (identical, or channels off by at most 2 on under 0.1 % of the
// pixels) and of the picturediff tool's answers on real PNG files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "picturecompare.h"
#include "support/testfiles.h"

namespace {

// A 100 x 100 grey picture (10000 pixels: 0.1 % is 10 pixels).
const int kSide = 100;
std::vector<unsigned char> Grey() { return std::vector<unsigned char>(kSide * kSide * 4, 128); }

// Changes channel `channel` of the first `count` pixels by `delta`.
std::vector<unsigned char> Changed(int count, int channel, int delta) {
  std::vector<unsigned char> p = Grey();
  for (int k = 0; k < count; ++k) p[k * 4 + channel] = static_cast<unsigned char>(128 + delta);
  return p;
}

TEST(PictureCompare, TheToleranceTable) {
  struct Case {
    int count, channel, delta;
    long pixels;
    int largest;
    bool agree;
  };
  const Case cases[] = {
      {0, 0, 0, 0, 0, true},      // identical
      {9, 0, 2, 9, 2, true},      // 9 of 10000 pixels, off by 2: within
      {9, 3, -2, 9, 2, true},     // alpha counts like the colours, either way
      {10, 1, 1, 10, 1, false},   // 0.1 % of the pixels is already too many
      {1, 2, 3, 1, 3, false},     // one pixel off by 3 is too much
      {1, 0, -100, 1, 100, false},
  };
  const std::vector<unsigned char> grey = Grey();
  for (const Case& c : cases) {
    const std::vector<unsigned char> other = Changed(c.count, c.channel, c.delta);
    const PictureDifference d = ComparePictures(grey.data(), kSide * 4, other.data(), kSide * 4, kSide, kSide);
    EXPECT_EQ(c.pixels, d.pixels) << c.count << " pixels, channel " << c.channel << " by " << c.delta;
    EXPECT_EQ(c.largest, d.largest) << c.count << " pixels, channel " << c.channel << " by " << c.delta;
    EXPECT_EQ(c.agree, PicturesAgree(d)) << c.count << " pixels, channel " << c.channel << " by " << c.delta;
  }
}

TEST(PicturediffTool, AnswersWithOneLineAndItsStatus) {
  testsupport::ScratchDir dir;
  testsupport::WriteTestPNG(dir.file("ref.png"), kSide, kSide, 4, Grey());
  testsupport::WriteTestPNG(dir.file("near.png"), kSide, kSide, 4, Changed(5, 0, 2));
  testsupport::WriteTestPNG(dir.file("far.png"), kSide, kSide, 4, Changed(5, 0, 30));
  testsupport::WriteTestPNG(dir.file("small.png"), 10, 10, 4, std::vector<unsigned char>(400, 128));
  struct Case {
    const char* picture;
    int status;
    const char* line;
  };
  const Case cases[] = {
      {"ref.png", 0, "shot: identical\n"},
      {"near.png", 0, "shot: 5 of 10000 pixels differ, largest difference 2 (within tolerance)\n"},
      {"far.png", 1, "shot: 5 of 10000 pixels differ, largest difference 30 (too different)\n"},
      {"small.png", 1, "shot: 10x10 instead of 100x100\n"},
      {"missing.png", 2, nullptr},
  };
  for (const Case& c : cases) {
    std::string output;
    const int status = testsupport::RunCommand(
        testsupport::BinPath("picturediff") + " " + dir.file("ref.png") + " " + dir.file(c.picture) + " shot", 30,
        &output);
    EXPECT_EQ(c.status, status) << c.picture << ": " << output;
    if (c.line != nullptr) {
      EXPECT_EQ(c.line, output) << c.picture;
    }
  }
}

}  // namespace
