// The lettering: text measures, styled words' empty borders and line wrapping.
#include <gtest/gtest.h>


#include "canvas.h"
#include "font.h"
#include "lettering.h"
#include "mask.h"
#include "typeset.h"

namespace {

using namespace assetgen;

double Sum(const Mask& m) {
  double s = 0;
  for (int y = 0; y < m.Height(); ++y)
    for (int x = 0; x < m.Width(); ++x) s += m.At(x, y);
  return s;
}

TEST(AssetgenText, LinesShareABaselineAndNothingIsCutOff) {
  Font f;
  ASSERT_EQ(f.Init(kSansBold), 0);
  Mask a = f.Render("Ag", 40, 3), b = f.Render("xx", 40, 3);
  EXPECT_EQ(a.Height(), b.Height());
  EXPECT_EQ(a.Height(), f.Ascent(40) + f.Descent(40) + 6);
  EXPECT_GT(f.Measure("WWW", 30), f.Measure("iii", 30));
  // The multiplication sign of the counter and broken UTF-8 both render something.
  EXPECT_GT(Sum(f.Render("\xC3\x97", 30)), 20.0);
  EXPECT_GT(Sum(f.Render("a\xC3", 30)), 20.0);
  // A styled word keeps an empty border: outline, shadow and glow fit inside the picture.
  for (const LetterStyle& s : {HudStyle(), StoryStyle(), HeadingStyle(), MenuStyle(), CarvedStyle()}) {
    Canvas c = TextPicture(f, "QUORL", 48, s, 2);
    for (int x = 0; x < c.Width(); ++x) {
      EXPECT_LT(c.At(x, 0).a, 0.02f);
      EXPECT_LT(c.At(x, c.Height() - 1).a, 0.02f);
    }
    for (int y = 0; y < c.Height(); ++y) {
      EXPECT_LT(c.At(0, y).a, 0.02f);
      EXPECT_LT(c.At(c.Width() - 1, y).a, 0.02f);
    }
  }
}

TEST(AssetgenText, WrappingKeepsWithinTheWidthAndBreaksAtPunctuation) {
  Font f;
  ASSERT_EQ(f.Init(kSansBold), 0);
  std::vector<std::string> lines = WrapLines(f, "I am the iron lord of this floor. Kneel, and be crushed!", 30, 680);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "I am the iron lord of this floor.");
  for (const std::string& l : lines) EXPECT_LE(f.Measure(l, 30), 680);
  EXPECT_EQ(WrapLines(f, "Short.", 30, 680).size(), 1u);
  std::vector<std::string> many = WrapLines(f, "one two three four five six seven eight nine ten", 30, 150);
  EXPECT_GT(many.size(), 2u);
  std::string joined;
  for (const std::string& l : many) joined += (joined.empty() ? "" : " ") + l;
  EXPECT_EQ(joined, "one two three four five six seven eight nine ten");
}

}  // namespace
