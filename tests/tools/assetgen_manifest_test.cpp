// The generated content set: every picture decodes through the game's own PNG loader with the
// sizes and transparent regions the scenes rely on; every model reads through the game's own
// model reader with the object counts the game draws. Runs in the content folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <utility>

#include "assets/loadpng.h"
#include "assets/mqomodel.h"
#include "content.h"
#include "desktop.h"
#include "gamemodel.h"
#include "support/testfiles.h"

namespace {

struct Picture {
  unsigned w = 0, h = 0, pitch = 0;
  std::unique_ptr<unsigned char[]> data;
  unsigned char A(unsigned x, unsigned y) const { return data[y * pitch + x * 4 + 3]; }
};

// Loads through the game's loader; fails the test on any error.
bool Load(const std::string& path, Picture* p) {
  unsigned char* raw = nullptr;
  if (LoadPNG(path.c_str(), &raw, &p->w, &p->h, &p->pitch) != 0) return false;
  p->data.reset(raw);
  return true;
}

// Width and height of a picture ({0, 0} when it does not load).
std::pair<unsigned, unsigned> Size(const std::string& path) {
  Picture p;
  EXPECT_TRUE(Load(path, &p)) << path;
  return {p.w, p.h};
}

class Content : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!ASSETGEN_DATA_GENERATED && !testsupport::FileExists(".assetgen-stamp"))
      GTEST_SKIP() << "content generation is off in this build";
  }
};

TEST_F(Content, EveryPictureDecodesAsEightBitRgbaOfASensibleSize) {
  for (const std::string& path : assetgen::PicturePaths()) {
    SCOPED_TRACE(path);
    Picture p;
    ASSERT_TRUE(Load(path, &p));
    EXPECT_EQ(p.pitch, p.w * 4);  // 8 bits per channel, four bytes per pixel after loading
    EXPECT_LE(p.w, 800u);
    EXPECT_LE(p.h, 600u);
    bool visible = false;
    for (unsigned y = 0; y < p.h && !visible; ++y)
      for (unsigned x = 0; x < p.w; ++x) visible |= p.A(x, y) != 0;
    EXPECT_TRUE(visible) << "nothing visible";
  }
}

TEST_F(Content, FullScreenPicturesAreOpaqueAndTexturesSquare) {
  std::vector<std::string> full = {"img/QUORL-title.png", "img/options-back.png"};
  for (int i = 1; i <= 14; ++i) full.push_back("img/staff/" + std::to_string(i) + ".png");
  for (const std::string& path : full) {
    SCOPED_TRACE(path);
    Picture p;
    ASSERT_TRUE(Load(path, &p));
    EXPECT_EQ(p.w, 800u);
    EXPECT_EQ(p.h, 600u);
    for (unsigned y = 0; y < p.h; y += 7)
      for (unsigned x = 0; x < p.w; x += 7) ASSERT_EQ(p.A(x, y), 255) << x << "," << y;
  }
  for (const assetgen::TextureEntry& t : assetgen::FloorTextureList()) {
    EXPECT_EQ(Size(std::string("img/walls/") + t.stem + ".png"), std::make_pair(256u, 256u));
  }
}

TEST_F(Content, StatusBoardGlyphsFitTheirPlaces) {
  Picture empty;
  ASSERT_TRUE(Load("img/bullet_shadow.png", &empty));
  const auto normal = Size("img/bullet.png");
  EXPECT_EQ(Size("img/bullet_sp.png"), normal);
  EXPECT_EQ(std::make_pair(empty.w, empty.h), normal);
  EXPECT_LE(8 * normal.first, 400u);   // eight along the top right, clear of the gauge
  EXPECT_LE(10 + normal.first, 50u);   // left of the menu word on the title
  // The empty icon's alpha is ANDed with 0x55 on load: only 0 and 255 survive that cleanly.
  for (unsigned y = 0; y < empty.h; ++y)
    for (unsigned x = 0; x < empty.w; ++x) ASSERT_TRUE(empty.A(x, y) == 0 || empty.A(x, y) == 255);

  // Floor number: about 50 pixels high, alpha all-or-nothing (its blit replaces the alpha), and
  // the F glyph's right half empty because the game places it half off the screen.
  for (const char* glyph : {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "B", "F"}) {
    const std::string g = glyph;
    Picture p;
    ASSERT_TRUE(Load("img/fonts/floor/" + g + ".png", &p)) << g;
    EXPECT_GE(p.h, 44u) << g;
    EXPECT_LE(p.h, 56u) << g;
    for (unsigned y = 0; y < p.h; ++y)
      for (unsigned x = 0; x < p.w; ++x) ASSERT_TRUE(p.A(x, y) == 0 || p.A(x, y) == 255) << g;
    if (g == "F") {
      for (unsigned y = 0; y < p.h; ++y)
        for (unsigned x = p.w / 2; x < p.w; ++x) ASSERT_EQ(p.A(x, y), 0) << x << "," << y;
    }
  }

  // Special-round counter: bullet, times sign and three digits span five digit widths.
  const auto zero = Size("img/fonts/spbulletnum/0.png"), times = Size("img/fonts/spbulletnum/times.png"),
             round = Size("img/fonts/spbulletnum/bullet.png");
  EXPECT_EQ(times.first + round.first, 2 * zero.first);
  EXPECT_EQ(std::make_pair(times.second, round.second), std::make_pair(zero.second, zero.second));
  for (int d = 1; d <= 9; ++d) EXPECT_EQ(Size("img/fonts/spbulletnum/" + std::to_string(d) + ".png"), zero);
}

TEST_F(Content, StatisticsPicturesFitWhereTheEndingDrawsThem) {
  // Statistics: the label at (200, 290) stays left of the three digits that end at x = 550,
  // the percent sign at (550, 300) and the prompt at (150, 380) stay on the screen.
  const auto zero = Size("img/fonts/genocide/0.png"), prompt = Size("img/fonts/push-F.png");
  EXPECT_LE(200 + Size("img/fonts/genocide/genocide.png").first, 550 - 3 * zero.first);
  EXPECT_LE(550 + Size("img/fonts/genocide/percent.png").first, 800u);
  EXPECT_LE(300 + zero.second, 380u);
  EXPECT_LE(150 + prompt.first, 800u);
  EXPECT_LE(380 + prompt.second, 600u);
  for (int d = 1; d <= 9; ++d) EXPECT_EQ(Size("img/fonts/genocide/" + std::to_string(d) + ".png").first, zero.first);
}

TEST_F(Content, OptionsScreenPicturesHaveTheirSizesAndEveryGlyphKeepsToItsCell) {
  const struct {
    const char* path;
    unsigned w, h;
  } sizes[] = {{"img/fonts/options-glyphs.png", 512, 240}, {"img/fonts/options-glyphs-lit.png", 512, 240},
               {"img/options-back.png", 800, 600},          {"img/options-highlight.png", 680, 34},
               {"img/fonts/options-heading.png", 400, 66},  {"img/fonts/controls-heading.png", 400, 66},
               {"img/fonts/access-heading.png", 400, 66},   {"img/fonts/pad-heading.png", 400, 66},
               {"img/fonts/display-heading.png", 400, 66},
               {"img/fonts/options.png", 150, 44}};
  for (const auto& s : sizes) EXPECT_EQ(Size(s.path), std::make_pair(s.w, s.h)) << s.path;
  // Character c sits in cell c - 32 of 16 columns of 32 x 40. The game takes a glyph's advance from
  // its first and last columns with any alpha: both sheets must agree on them, and each glyph must
  // leave its cell's outer columns clear; the space's cell is empty.
  Picture plain, lit;
  ASSERT_TRUE(Load("img/fonts/options-glyphs.png", &plain));
  ASSERT_TRUE(Load("img/fonts/options-glyphs-lit.png", &lit));
  for (int c = 32; c <= 126; ++c) {
    const unsigned cx = (c - 32) % 16 * 32, cy = (c - 32) / 16 * 40;
    auto ink = [&](const Picture& p) {
      std::pair<int, int> span{-1, -1};
      for (unsigned x = 0; x < 32; ++x)
        for (unsigned y = 0; y < 40; ++y)
          if (p.A(cx + x, cy + y) != 0) span = {span.first < 0 ? int(x) : span.first, int(x)};
      return span;
    };
    const std::pair<int, int> span = ink(plain);
    EXPECT_EQ(ink(lit), span) << "'" << char(c) << "'";
    if (c == ' ') {
      EXPECT_EQ(span.first, -1);
    } else {
      EXPECT_GE(span.first, 1) << "'" << char(c) << "'";
      EXPECT_LE(span.second, 30) << "'" << char(c) << "'";
    }
  }
}

TEST_F(Content, EveryModelReadsWithTheObjectsTheGameDrawsFacingOutward) {
  const struct {
    const char* path;
    size_t objects;
  } models[] = {
      {"model/boosy/boosy.mqo", 3},          {"model/doosy/doosy.mqo", 3},
      {"model/poosy/poosy.mqo", 2},          {"model/zoosy/zoosy.mqo", 3},
      {"model/melpaims/melpaims.mqo", 5},    {"model/bullet/Ebullet1.mqo", 1},
      {"model/bullet/Ebullet2.mqo", 1},      {"model/bullet/Ebullet3.mqo", 1},
      {"model/bullet/Ebullet4.mqo", 1},      {"model/bullet/Ebullet5.mqo", 1},
      {"model/items/meet/meet.mqo", 1},      {"model/items/bullet_sp/bullet_sp.mqo", 1},
  };
  for (const auto& m : models) {
    SCOPED_TRACE(m.path);
    MQOModel model;
    ASSERT_EQ(model.Read(m.path), 0);
    EXPECT_EQ(model.objects.size(), m.objects);
    float extent = 0;
    for (size_t i = 0; i < model.objects.size(); ++i) {
      const _Object& o = model.objects[i];
      EXPECT_FALSE(o.faces.empty()) << "object " << i;
      EXPECT_GT(SignedVolume(o), 0.0) << "object " << i << ": faces wound inward";
      for (const auto& v : o.vertices)
        extent = std::max({extent, std::abs(v[0]), std::abs(v[1]), std::abs(v[2])});
    }
    EXPECT_NEAR(extent, 1.0f, 0.1f);
    const std::string folder = std::string(m.path).substr(0, std::string(m.path).rfind('/') + 1);
    for (const _material& mat : model.materials) {
      EXPECT_TRUE(mat.tex[0] == '\0' || testsupport::FileExists(folder + mat.tex)) << mat.tex;
      if (folder == "model/bullet/") {
        EXPECT_GT(mat.emi[0] + mat.emi[1] + mat.emi[2], 0.0f) << "projectiles glow";
      }
    }
  }
  // The hovering shooter's object 1 is drawn blended: its material is translucent.
  MQOModel poosy;
  ASSERT_EQ(poosy.Read("model/poosy/poosy.mqo"), 0);
  for (const _facef& f : poosy.objects[1].faces) {
    ASSERT_LT(static_cast<size_t>(f.M), poosy.materials.size());
    EXPECT_LT(poosy.materials[f.M].col[3], 0.8f);
  }
}

TEST_F(Content, EachDesktopIconIsDrawnAtItsSizeWithASolidCrosshair) {
  for (int size : assetgen::DesktopIconSizes()) {
    SCOPED_TRACE(size);
    Picture p;
    ASSERT_TRUE(Load(assetgen::DesktopIconPath(size), &p));
    const unsigned n = static_cast<unsigned>(size), c = n / 2;
    ASSERT_EQ(std::make_pair(p.w, p.h), std::make_pair(n, n));  // the theme's folder holds this size only
    EXPECT_EQ(p.A(0, 0), 0);                                     // the tile's corners are rounded off
    EXPECT_EQ(p.A(c, n / 8), 255);
    // The crosshair's arms hold whole pixels of pure red, left, right, above and below the centre.
    auto at = [&](unsigned x, unsigned y) { return &p.data[y * p.pitch + x * 4]; };
    auto red = [&](unsigned x, unsigned y) {
      const unsigned char* px = at(x, y);
      return px[0] > 200 && px[1] < 70 && px[2] < 70 && px[3] == 255;
    };
    int left = 0, right = 0, up = 0, down = 0;
    for (unsigned i = 0; i < c; ++i) {
      left += red(i, c);
      right += red(c + i, c);
      up += red(c, i);
      down += red(c, c + i);
    }
    for (int arm : {left, right, up, down}) EXPECT_GE(arm, size / 10);
    // At menu sizes the arms are drawn on whole pixels, not shrunk from a larger drawing (which
    // smears each arm's edge rows into part red): across the left arm, away from its ends, every
    // pixel is pure red or not red at all.
    if (size > 64) continue;
    for (unsigned x = 1; x + 1 < c; ++x) {
      if (!red(x - 1, c) || !red(x, c) || !red(x + 1, c)) continue;
      for (unsigned y = c - c / 4; y < c + c / 4; ++y)
        EXPECT_TRUE(red(x, y) || at(x, y)[0] <= at(x, y)[1] + 40) << "part red at " << x << "," << y;
    }
  }
}

}  // namespace
