// The raster toolkit, lettering and the preview renderer: compositing arithmetic, coverage of
// shapes, blurs and growth of masks, text measures, line wrapping, and the game's lighting in
// the contact sheet's renderer.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "canvas.h"
#include "font.h"
#include "lettering.h"
#include "mask.h"
#include "mesh.h"
#include "rasteriser.h"
#include "shapes.h"
#include "typeset.h"

namespace {

using namespace assetgen;

double Sum(const Mask& m) {
  double s = 0;
  for (int y = 0; y < m.Height(); ++y)
    for (int x = 0; x < m.Width(); ++x) s += m.At(x, y);
  return s;
}

// Largest difference of the four channels.
float Diff(const Rgba& a, const Rgba& b) {
  return std::max({std::fabs(a.r - b.r), std::fabs(a.g - b.g), std::fabs(a.b - b.b), std::fabs(a.a - b.a)});
}

TEST(AssetgenCanvas, SourceOverBlendsStraightAlpha) {
  Canvas c(2, 1);
  c.At(0, 0) = Rgba{0, 0, 1, 1};
  c.Blend(0, 0, Rgba{1, 0, 0, 1}, 0.5f);  // half red over opaque blue
  c.Blend(1, 0, Rgba{0, 1, 0, 0.5f});  // over transparent: the colour stays, alpha is the source's
  EXPECT_NEAR(Diff(Rgba{0.5f, 0, 0.5f, 1}, c.At(0, 0)), 0, 1e-6);
  EXPECT_NEAR(Diff(Rgba{0, 1, 0, 0.5f}, c.At(1, 0)), 0, 1e-6);
  c.Blend(5, 5, Rgba{1, 1, 1, 1});  // outside: ignored, no crash
  Canvas big(4, 2);
  big.At(0, 0) = Rgba{1, 0, 0, 1};
  big.At(1, 0) = Rgba{0, 0, 1, 1};
  Canvas small = big.Resized(2, 1);  // averages 2 × 2 blocks, weighted by alpha
  EXPECT_NEAR(Diff(Rgba{0.5f, 0, 0.5f, 0.5f}, small.At(0, 0)), 0, 1e-6);
  EXPECT_EQ(small.At(1, 0).a, 0.0f);
}

TEST(AssetgenShapes, CoverageMatchesTheArea) {
  Mask m(100, 100);
  FillRect(m, 10, 20, 30, 25);
  EXPECT_NEAR(Sum(m), 20 * 5, 1e-3);
  Mask e(100, 100);
  FillEllipse(e, 50, 50, 20, 10);
  EXPECT_NEAR(Sum(e), 3.14159 * 20 * 10, 6.0);
  Mask p(100, 100);
  FillPolygon(p, {{0, 0}, {40, 0}, {0, 40}});
  EXPECT_NEAR(Sum(p), 800, 6.0);
  // Wrapped shapes come back in on the other side and lose nothing.
  Mask w(64, 64);
  FillEllipse(w, 0, 0, 10, 10, 1.0f, true);
  EXPECT_NEAR(Sum(w), 3.14159 * 100, 4.0);
  EXPECT_GT(w.At(63, 63), 0.9f);
  EXPECT_GT(w.At(0, 0), 0.9f);
  Mask l(50, 50);
  StrokeLine(l, 10, 25, 40, 25, 4);
  EXPECT_NEAR(Sum(l), 30 * 4 + 3.14159 * 4, 4.0);  // a capsule
}

TEST(AssetgenMask, BlurKeepsMassAndGrowthReachesTheRadius) {
  Mask m(64, 64);
  FillRect(m, 20, 20, 30, 30);
  Mask b = m;
  b.Blur(4, true);
  EXPECT_NEAR(Sum(b), Sum(m), 1e-2);
  EXPECT_LT(b.At(25, 25), 1.0f);
  EXPECT_GT(b.At(18, 25), 0.0f);
  Mask d = m, er = m;
  d.Dilate(3);
  er.Erode(2);
  const Mask s = m.Shifted(5, -5), pad = m.Padded(3);
  EXPECT_EQ(pad.Width(), 70);
  // Grown by 3 pixels and shrunk by 2, the last one anti-aliased; shifted; padded.
  const struct {
    const Mask& mask;
    int x, y;
    float value;
  } samples[] = {{d, 18, 25, 1},  {d, 17, 25, 0.5f}, {d, 15, 25, 0},  {er, 20, 25, 0}, {er, 21, 25, 0.5f},
                 {er, 25, 25, 1}, {s, 25, 15, 1},    {s, 21, 21, 0},  {pad, 23, 23, 1}};
  for (const auto& c : samples) EXPECT_NEAR(c.mask.At(c.x, c.y), c.value, 1e-6) << c.x << "," << c.y;
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

TEST(AssetgenTransforms, RotationsFollowTheRightHandRule) {
  // +y turns to +z about x, +z to +x about y, +x to +y about z; Then applies this transform first.
  const Vec3 turned[] = {Xform::RotateX(90).Apply({0, 1, 0}), Xform::RotateY(90).Apply({0, 0, 1}),
                         Xform::RotateZ(90).Apply({1, 0, 0}),
                         Xform::Scale(2, 2, 2).Then(Xform::Translate(1, 0, 0)).Apply({1, 1, 1})};
  const Vec3 expected[] = {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}, {3, 2, 2}};
  for (int k = 0; k < 4; ++k) {
    EXPECT_NEAR(std::fabs(turned[k].x - expected[k].x) + std::fabs(turned[k].y - expected[k].y) +
                    std::fabs(turned[k].z - expected[k].z), 0, 1e-5) << k;
  }
}

TEST(AssetgenRenderer, UsesTheGamesLightAtTheEye) {
  // A square facing the viewer: white, full ambient and diffuse, no specular. The game's light
  // gives 0.7 × ambient + 0.2 × diffuse × cos(angle to the eye) = 0.9 in the middle.
  Mesh m;
  Material mat;
  mat.col = Rgba{1, 1, 1, 1};
  mat.dif = 1;
  mat.amb = 1;
  mat.emi = 0;
  mat.spc = 0;
  int front = m.AddMaterial(mat);
  MeshObject& o = m.AddObject("square");
  Builder b(o, Paint{front, front, front});
  b.Poly({{-1, -1, 0}, {1, -1, 0}, {1, 1, 0}, {-1, 1, 0}});  // normal +z, towards the camera
  Canvas c = RenderModel(m, 0, 0, 64, Hex(0x000000));
  EXPECT_NEAR(c.At(32, 32).r, 0.9f, 0.02f);
  EXPECT_EQ(c.At(1, 1).r, 0.0f);  // background beyond the square's corners
  // Seen from behind, the face gets the ambient share only.
  Canvas back = RenderModel(m, 180, 0, 64, Hex(0x000000));
  EXPECT_NEAR(back.At(32, 32).r, 0.7f, 0.02f);
  // Emission adds on top and the result saturates at 1.
  Mesh glow = m;
  Material g = mat;
  g.emi = 0.5f;
  glow.AddMaterial(g);
  glow.Objects()[0].faces[0].m = 1;
  EXPECT_NEAR(RenderModel(glow, 0, 0, 64, Hex(0)).At(32, 32).r, 1.0f, 1e-3);
}

}  // namespace
