// The generated content set: every picture decodes through the game's own PNG loader with the
// sizes and transparent regions the scenes rely on; every model reads through the game's own
// model reader with the object counts the game draws. Runs in the content folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

#include "assets/loadpng.h"
#include "assets/mqomodel.h"
#include "content.h"
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
  std::vector<std::string> full = {"img/QUORL-title.png"};
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
  Picture light;
  ASSERT_TRUE(Load("img/QUORL-title-light.png", &light));
  EXPECT_EQ(light.w, 800u);
  EXPECT_EQ(light.h, 600u);
  for (const assetgen::TextureEntry& t : assetgen::FloorTextureList()) {
    Picture p;
    ASSERT_TRUE(Load(std::string("img/walls/") + t.stem + ".png", &p)) << t.stem;
    EXPECT_EQ(p.w, 256u) << t.stem;
    EXPECT_EQ(p.h, 256u) << t.stem;
  }
}

TEST_F(Content, LifeGaugeLeavesTheBarWindowClearAndFramesIt) {
  Picture p;
  ASSERT_TRUE(Load("img/life-gauge.png", &p));
  ASSERT_GE(p.w, 370u);
  ASSERT_GE(p.h, 68u);
  for (unsigned y = 40; y <= 63; ++y)
    for (unsigned x = 77; x <= 366; ++x) ASSERT_EQ(p.A(x, y), 0) << x << "," << y;
  // The frame closes around the window on all four sides.
  for (unsigned x = 80; x <= 360; x += 20) {
    EXPECT_EQ(p.A(x, 38), 255) << x;
    EXPECT_EQ(p.A(x, 65), 255) << x;
  }
  EXPECT_EQ(p.A(75, 52), 255);
  EXPECT_EQ(p.A(368, 52), 255);
}

TEST_F(Content, StatusBoardGlyphsFitTheirPlaces) {
  Picture normal, special, empty;
  ASSERT_TRUE(Load("img/bullet.png", &normal));
  ASSERT_TRUE(Load("img/bullet_sp.png", &special));
  ASSERT_TRUE(Load("img/bullet_shadow.png", &empty));
  EXPECT_EQ(special.w, normal.w);
  EXPECT_EQ(empty.w, normal.w);
  EXPECT_EQ(special.h, normal.h);
  EXPECT_EQ(empty.h, normal.h);
  EXPECT_LE(8 * normal.w, 400u);       // eight along the top right, clear of the gauge
  EXPECT_LE(10 + special.w, 50u);      // left of the menu word on the title
  // The empty icon's alpha is ANDed with 0x55 on load: only 0 and 255 survive that cleanly.
  for (unsigned y = 0; y < empty.h; ++y)
    for (unsigned x = 0; x < empty.w; ++x) ASSERT_TRUE(empty.A(x, y) == 0 || empty.A(x, y) == 255);

  // Floor number: about 50 pixels high, alpha all-or-nothing (its blit replaces the alpha), and
  // the F glyph's right half empty because the game places it half off the screen.
  std::vector<std::string> floor;
  for (int d = 0; d <= 9; ++d) floor.push_back(std::to_string(d));
  floor.push_back("B");
  floor.push_back("F");
  for (const std::string& g : floor) {
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
  Picture zero, times, round;
  ASSERT_TRUE(Load("img/fonts/spbulletnum/0.png", &zero));
  ASSERT_TRUE(Load("img/fonts/spbulletnum/times.png", &times));
  ASSERT_TRUE(Load("img/fonts/spbulletnum/bullet.png", &round));
  EXPECT_EQ(times.w + round.w, 2 * zero.w);
  for (int d = 1; d <= 9; ++d) {
    Picture p;
    ASSERT_TRUE(Load("img/fonts/spbulletnum/" + std::to_string(d) + ".png", &p));
    EXPECT_EQ(p.w, zero.w);
    EXPECT_EQ(p.h, zero.h);
  }
  EXPECT_EQ(times.h, zero.h);
  EXPECT_EQ(round.h, zero.h);
}

TEST_F(Content, TitleAndEndingPicturesFitWhereTheScenesDrawThem) {
  for (const char* word : {"img/fonts/new-game.png", "img/fonts/continue.png"}) {
    Picture p;
    ASSERT_TRUE(Load(word, &p)) << word;
    EXPECT_LE(p.w, 340u) << word;
    EXPECT_LE(p.h, 90u) << word;
  }
  // Statistics: the label at (200, 290) stays left of the three digits that end at x = 550,
  // the percent sign at (550, 300) and the prompt at (150, 380) stay on the screen.
  Picture zero, label, percent, prompt;
  ASSERT_TRUE(Load("img/fonts/genocide/0.png", &zero));
  ASSERT_TRUE(Load("img/fonts/genocide/genocide.png", &label));
  ASSERT_TRUE(Load("img/fonts/genocide/percent.png", &percent));
  ASSERT_TRUE(Load("img/fonts/push-F.png", &prompt));
  EXPECT_LE(200 + label.w, 550 - 3 * zero.w);
  EXPECT_LE(550 + percent.w, 800u);
  EXPECT_LE(300 + zero.h, 380u);
  EXPECT_LE(150 + prompt.w, 800u);
  EXPECT_LE(380 + prompt.h, 600u);
  for (int d = 1; d <= 9; ++d) {
    Picture p;
    ASSERT_TRUE(Load("img/fonts/genocide/" + std::to_string(d) + ".png", &p));
    EXPECT_EQ(p.w, zero.w);
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

}  // namespace
