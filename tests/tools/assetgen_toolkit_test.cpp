// The generator's toolkits where a fault would go unnoticed in the pictures: seamless tiling, line
// wrapping, the direction of rotations, the MQO writer's text and face winding (read through the
// game's own reader), the PNG writer's bytes, and byte-for-byte repeatable output across runs.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>

#include "assets/loadpng.h"
#include "canvas.h"
#include "content.h"
#include "font.h"
#include "gamemodel.h"
#include "mesh.h"
#include "noise.h"
#include "pngfile.h"
#include "support/testfiles.h"
#include "typeset.h"

namespace {

using namespace assetgen;

// Mean colour difference between neighbouring columns (or rows) i and i+1, wrapping at the edge.
double EdgeStep(const Canvas& c, int i, bool columns) {
  double sum = 0;
  int n = columns ? c.Width() : c.Height();
  for (int k = 0; k < n; ++k) {
    const Rgba& a = columns ? c.At(i, k) : c.At(k, i);
    const Rgba& b = columns ? c.At((i + 1) % c.Width(), k) : c.At(k, (i + 1) % c.Height());
    sum += std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
  }
  return sum / n;
}

// True when the step across the wrap-around edge (last column to first, or last row to first)
// is no larger than the largest step between neighbouring lines inside the picture: a seam shows
// as an edge step beyond anything the picture has inside.
bool WrapsSeamlessly(const Canvas& c, bool columns, double* edge, double* inside) {
  int n = columns ? c.Width() : c.Height();
  *inside = 0;
  for (int i = 0; i + 1 < n; ++i) *inside = std::max(*inside, EdgeStep(c, i, columns));
  *edge = EdgeStep(c, n - 1, columns);
  return *edge <= *inside * 1.05;
}

TEST(AssetgenTextures, RepeatingTexturesHaveNoSeamAtTheirEdges) {
  // The measure itself: smooth noise that does not repeat shows a seam, tileable noise none.
  Canvas plain(256, 256), tiled(256, 256);
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x) {
      float a = TileFbm(x, y, 4, 1024, 3, 5), b = TileFbm(x, y, 4, 256, 3, 5);
      plain.At(x, y) = Rgba{a, a, a, 1};
      tiled.At(x, y) = Rgba{b, b, b, 1};
    }
  double edge, inside;
  EXPECT_FALSE(WrapsSeamlessly(plain, true, &edge, &inside));
  EXPECT_TRUE(WrapsSeamlessly(tiled, true, &edge, &inside));
  for (const TextureEntry& t : FloorTextureList()) {
    if (!t.seamless) continue;
    SCOPED_TRACE(t.stem);
    Canvas c = FloorTexture(t.stem);
    ASSERT_EQ(c.Width(), 256);
    ASSERT_EQ(c.Height(), 256);
    EXPECT_TRUE(WrapsSeamlessly(c, true, &edge, &inside)) << "left/right " << edge << " vs " << inside;
    EXPECT_TRUE(WrapsSeamlessly(c, false, &edge, &inside)) << "top/bottom " << edge << " vs " << inside;
  }
}

// What the game's reader takes is a subset: names without blanks, plain decimals (no exponents).
TEST(AssetgenMqo, WriterTextReadsBackThroughTheGamesReader) {
  Mesh m;
  Material mat;
  mat.name = "skin (red)";
  mat.col = Rgba{1, 0.5f, 0, 1};
  mat.dif = 0.8f;
  m.AddMaterial(mat);
  MeshObject& o = m.AddObject("tri");
  o.verts = {{0, 0, 0}, {1, 0, 0}, {0, -0.0000001f, 1234.5f}};
  Face f;
  f.n = 3;
  f.v[0] = 0, f.v[1] = 1, f.v[2] = 2;
  o.faces.push_back(f);
  MQOModel read;
  EXPECT_NE(MQOText(m).find("\t\"skin_(red)\" col("), std::string::npos) << "blanks in names replaced";
  ASSERT_TRUE(ReadThroughGame(MQOText(m), &read)) << MQOText(m);
  ASSERT_EQ(read.materials.size() * 10 + read.objects.size(), 11u) << MQOText(m);
  EXPECT_FLOAT_EQ(read.materials[0].dif[1], 0.4f);  // colour times diffuse
  const _Object& r = read.objects[0];
  EXPECT_EQ(r.vertices, (std::vector<std::array<float, 3>>{{0, 0, 0}, {1, 0, 0}, {0, 0, 1234.5f}}));
  ASSERT_EQ(r.faces.size(), 1u);
  EXPECT_EQ(r.faces[0].V[2], 2);
}

// A caption broken at its full stop is in the picture test (boss 3's); here a text of many lines.
TEST(AssetgenText, WrappingIntoManyLinesKeepsEveryWordWithinTheWidth) {
  Font f;
  ASSERT_EQ(f.Init(kSansBold), 0);
  const std::string text = "one two three four five six seven eight nine ten";
  const std::vector<std::string> lines = WrapLines(f, text, 30, 150);
  EXPECT_GT(lines.size(), 2u);
  std::string joined;
  for (const std::string& l : lines) {
    EXPECT_LE(f.Measure(l, 30), 150) << l;
    joined += (joined.empty() ? "" : " ") + l;
  }
  EXPECT_EQ(joined, text);
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

TEST(AssetgenMqo, PrimitivesFaceOutwardUnderAnyTransform) {
  // Mirroring transforms flip the winding; the builder must turn faces back outward.
  const Xform xforms[] = {Xform(), Xform::Scale(-1, 1, 1), Xform::RotateX(90).Then(Xform::Translate(3, -2, 1)),
                          Xform::Scale(1, -2, 0.5f).Then(Xform::RotateY(33))};
  for (const Xform& xf : xforms) {
    Mesh m;
    Paint p = m.AddPaint("p", Hex(0x808080));
    MeshObject& o = m.AddObject("o");
    Builder b(o, p, xf);
    b.Box({0.5f, 0, 0}, {0.3f, 0.2f, 0.1f});
    b.Prism(6, -1, 1, 0.4f, 0.3f, 0.5f, 10);
    b.Cone(5, 0, 1, 0.3f, 0.3f, {1, 1, 1});
    b.Sphere({-1, 0, 0}, {0.5f, 0.4f, 0.3f}, 4, 7);
    b.Spindle(4, -1, 1, 0.2f);
    MQOModel read;
    ASSERT_TRUE(ReadThroughGame(MQOText(m), &read));
    EXPECT_GT(SignedVolume(read.objects[0]), 0.0);
    // Every face on its own: its normal points away from the centre of its primitive, so each
    // face's plane has the whole primitive behind it. Check with the box alone.
    Mesh box;
    MeshObject& bo = box.AddObject("b");
    Builder bb(bo, p, xf);
    bb.Box({0, 0, 0}, {1, 1, 1});
    Vec3 centre = xf.Apply({0, 0, 0});
    for (const Face& f : bo.faces) {
      Vec3 a = bo.verts[f.v[0]], c1 = bo.verts[f.v[1]], c2 = bo.verts[f.v[2]];
      EXPECT_LT(Dot(Cross(c1 - a, c2 - a), centre - a), 0.0f);
    }
  }
}

TEST(AssetgenPng, WrittenPicturesReadBackThroughTheGamesLoader) {
  testsupport::ScratchDir dir;
  Canvas c(3, 2);
  c.At(0, 0) = Rgba{1, 0, 0, 1};
  c.At(1, 0) = Rgba{0, 0.5f, 1, 0.5f};
  c.At(2, 1) = Rgba{0.2f, 0.4f, 0.6f, 0};  // transparent: stored as transparent black
  ASSERT_EQ(WritePNG(dir.file("a/b/c.png"), c), 0);
  ASSERT_EQ(WritePNG(dir.file("rgb.png"), c, false), 0);
  unsigned char* data = nullptr;
  unsigned w = 0, h = 0, pitch = 0;
  ASSERT_EQ(LoadPNG(dir.file("a/b/c.png").c_str(), &data, &w, &h, &pitch), 0);
  EXPECT_EQ(w, 3u);
  EXPECT_EQ(h, 2u);
  EXPECT_EQ(pitch, 12u);
  const unsigned char want[] = {255, 0, 0, 255, 0, 128, 255, 128};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(data[i], want[i]) << i;
  for (int i = 20; i < 24; ++i) EXPECT_EQ(data[i], 0) << i;
  delete[] data;
  data = nullptr;
  ASSERT_EQ(LoadPNG(dir.file("rgb.png").c_str(), &data, &w, &h, &pitch), 0);
  for (unsigned i = 3; i < h * pitch; i += 4) EXPECT_EQ(data[i], 255);
  delete[] data;
}

// Every file under `root`, relative path -> bytes.
std::map<std::string, std::string> Tree(const std::string& root) {
  std::map<std::string, std::string> files;
  for (const auto& e : std::filesystem::recursive_directory_iterator(root))
    if (e.is_regular_file())
      files[std::filesystem::relative(e.path(), root).string()] = testsupport::ReadFile(e.path().string());
  return files;
}

TEST(AssetgenOutput, EveryFamilyWritesEveryPictureAndModel) {
  testsupport::ScratchDir out;
  ASSERT_EQ(GenerateVisuals(out.path()), 0);
  for (const std::string& p : PicturePaths()) EXPECT_TRUE(testsupport::FileExists(out.file(p))) << p;
  for (const ModelRecipe& m : Models()) EXPECT_TRUE(testsupport::FileExists(out.file(m.path))) << m.path;
}

TEST(AssetgenOutput, TwoRunsWriteTheSameBytes) {
  testsupport::ScratchDir a, b;
  for (const std::string& out : {a.path(), b.path()}) {
    ASSERT_EQ(GenerateHud(out), 0);
    ASSERT_EQ(GenerateCaptions(out), 0);
    ASSERT_EQ(GenerateEnemyModels(out), 0);
    ASSERT_EQ(GeneratePropModels(out), 0);
  }
  std::map<std::string, std::string> ta = Tree(a.path()), tb = Tree(b.path());
  EXPECT_GT(ta.size(), 40u);
  EXPECT_TRUE(ta == tb);
  // And the same as the build's own run of the generator, where there is one.
  if (testsupport::FileExists(".assetgen-stamp")) {
    for (const auto& [rel, bytes] : ta) EXPECT_EQ(testsupport::ReadFile(rel), bytes) << rel;
  }
  Canvas r1 = FloorTexture("copper"), r2 = FloorTexture("copper");
  bool same = true;
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x) same &= std::memcmp(&r1.At(x, y), &r2.At(x, y), sizeof(Rgba)) == 0;
  EXPECT_TRUE(same);
}

}  // namespace
