// Tests of PNG loading into buffers and surfaces, and the default event rule.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "assets/loadpng.h"
#include "common/canvastexture.h"
#include "common/commonfunc.h"
#include "support/testfiles.h"

using testsupport::ScratchDir;
using testsupport::WriteTestPNG;

namespace {

// Pixels of a w x h picture whose bytes count up, `channels` per pixel.
std::vector<unsigned char> Ramp(unsigned w, unsigned h, int channels) {
  std::vector<unsigned char> p(w * h * channels);
  for (size_t i = 0; i < p.size(); ++i) p[i] = static_cast<unsigned char>(i * 7 + 3);
  return p;
}

struct Loaded {
  int result = 0;
  unsigned char* data = nullptr;
  unsigned width = 0, height = 0, pitch = 0;
  std::string output;
  ~Loaded() { delete[] data; }
};

void Load(const std::string& path, Loaded* l) {
  testing::internal::CaptureStdout();
  l->result = LoadPNG(path.c_str(), &l->data, &l->width, &l->height, &l->pitch);
  l->output = testing::internal::GetCapturedStdout();
}

}  // namespace

TEST(LoadPNG, RGBGainsOpaqueAlphaAndRGBAKeepsItsOwn) {
  ScratchDir dir;
  const std::vector<unsigned char> rgb = Ramp(5, 3, 3);
  WriteTestPNG(dir.file("rgb.png"), 5, 3, 3, rgb);
  Loaded a;
  Load(dir.file("rgb.png"), &a);
  ASSERT_EQ(0, a.result) << a.output;
  EXPECT_EQ(std::vector<unsigned>({5, 3, 20}), std::vector<unsigned>({a.width, a.height, a.pitch}));
  for (unsigned i = 0; i < 15 * 4; ++i) EXPECT_EQ(i % 4 == 3 ? 255 : rgb[i / 4 * 3 + i % 4], a.data[i]) << i;
  const std::vector<unsigned char> rgba = Ramp(4, 2, 4);
  WriteTestPNG(dir.file("rgba.png"), 4, 2, 4, rgba);
  Loaded b;
  Load(dir.file("rgba.png"), &b);
  ASSERT_EQ(0, b.result);
  EXPECT_EQ(16u, b.pitch);
  EXPECT_EQ(rgba, std::vector<unsigned char>(b.data, b.data + 32));
}

TEST(LoadPNG, TransparentColourClearsAlphaExactlyWhereItMatches) {
  ScratchDir dir;
  std::vector<unsigned char> rgb(4 * 2 * 3, 0);
  const int key[3] = {255, 0, 255};
  // Pixels 1 and 6 are the key colour; pixel 2 differs from it in blue only.
  for (int i : {1, 6}) rgb[i * 3] = 255, rgb[i * 3 + 2] = 255;
  rgb[2 * 3] = 255, rgb[2 * 3 + 2] = 254;
  WriteTestPNG(dir.file("key.png"), 4, 2, 3, rgb, key);
  Loaded l;
  Load(dir.file("key.png"), &l);
  ASSERT_EQ(0, l.result);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(i == 1 || i == 6 ? 0 : 255, l.data[i * 4 + 3]) << i;
}

TEST(LoadPNG, BadInputFailsWithItsMessageAndNoBuffer) {
  ScratchDir dir;
  testsupport::WriteFile(dir.file("text.png"), "this is not a picture at all");
  Loaded sig, missing;
  Load(dir.file("text.png"), &sig);
  Load(dir.file("absent.png"), &missing);
  EXPECT_TRUE(sig.result == -1 && sig.data == nullptr && missing.result == -1);
  EXPECT_EQ("sig_cmp error\n", sig.output);
  EXPECT_EQ("file open error\n", missing.output);

  // A valid picture cut short inside its pixel data: libpng's error path.
  WriteTestPNG(dir.file("whole.png"), 64, 64, 4, Ramp(64, 64, 4));
  const std::string whole = testsupport::ReadFile(dir.file("whole.png"));
  for (size_t cut : {size_t(8), size_t(20), whole.size() / 2, whole.size() - 13}) {
    testsupport::WriteFile(dir.file("cut.png"), whole.substr(0, cut));
    Loaded t;
    Load(dir.file("cut.png"), &t);
    EXPECT_TRUE(t.result == -1 && t.data == nullptr) << cut;
    EXPECT_NE(std::string::npos, t.output.find("error")) << t.output;
  }

  // Too wide a side, or a row longer than an SDL surface's 16-bit pitch, is a png error.
  for (const auto& [width, channels, result] :
       {std::tuple(16385u, 3, -1), std::tuple(16384u, 4, -1), std::tuple(16384u, 3, -1),
        std::tuple(16383u, 4, 0)}) {
    WriteTestPNG(dir.file("wide.png"), width, 1, channels, Ramp(width, 1, channels));
    Loaded w;
    Load(dir.file("wide.png"), &w);
    EXPECT_EQ(result, w.result) << width << " x " << channels;
    if (result == 0) EXPECT_EQ(65532u, w.pitch);
    else EXPECT_EQ("png error\n", w.output);
  }

  unsigned char existing = 0;
  unsigned char* data = &existing;
  unsigned w = 0, h = 0, p = 0;
  testing::internal::CaptureStdout();
  EXPECT_EQ(-1, LoadPNG(dir.file("absent.png").c_str(), &data, &w, &h, &p));
  EXPECT_EQ("data is not null\n", testing::internal::GetCapturedStdout());
  EXPECT_EQ(&existing, data);
  data = nullptr;
  testing::internal::CaptureStdout();
  EXPECT_EQ(-1, LoadPNG(dir.file("whole.png").c_str(), &data, nullptr, &h, &p));
  EXPECT_EQ("width_ptr,height_ptr is null\n", testing::internal::GetCapturedStdout());
}

TEST(LoadPNG, EveryFuzzSeedIsAPictureTheLoaderTakes) {
  ScratchDir dir;
  std::string out;
  const std::string command = testsupport::BinPath("png_seeds") + " " + dir.path();
  ASSERT_EQ(0, testsupport::RunCommand(command, 20, &out)) << out;
  const struct {
    const char* name;
    unsigned width, height;
  } seeds[] = {{"rgb", 7, 5},   {"rgb-key", 6, 4}, {"rgba", 5, 5}, {"rgba-interlaced", 9, 9},
               {"rgb16", 3, 3}, {"palette", 8, 3}, {"grey", 8, 2}, {"grey-alpha", 4, 4}};
  for (const auto& seed : seeds) {
    Loaded l;
    Load(dir.file(std::string(seed.name) + ".png"), &l);
    EXPECT_EQ(0, l.result) << seed.name << ": " << l.output;
    EXPECT_TRUE(seed.width == l.width && seed.height == l.height) << seed.name;
  }
}

TEST(LoadPNGtoSDLSurface, AMissingFileIsNamedAndFreeingNoSurfaceIsHarmless) {
  FreePNGSurface(nullptr);
  SDL_Surface* none = nullptr;
  testing::internal::CaptureStdout();
  EXPECT_EQ(-1, LoadPNGtoSDLSurface("img/absent.png", &none));
  EXPECT_EQ("file open error\npng load error:img/absent.png\n", testing::internal::GetCapturedStdout());
}

TEST(DefaultEvent, OnlyAQuitRequestBecomesTheQuitCode) {
  SDL_Event e;
  e.type = SDL_QUIT;
  EXPECT_EQ(99, QUORL_COMMON::defaultEvent(&e, 2));
  for (Uint8 type : {SDL_KEYDOWN, SDL_KEYUP, SDL_MOUSEBUTTONDOWN, SDL_ACTIVEEVENT, SDL_VIDEORESIZE}) {
    e.type = type;
    EXPECT_EQ(3, QUORL_COMMON::defaultEvent(&e, 3));
    EXPECT_EQ(-1, QUORL_COMMON::defaultEvent(&e, -1));
  }
  EXPECT_EQ(std::vector<unsigned>({1024, 512, 1}), std::vector<unsigned>({QUORL_COMMON::CanvasSide(800),
            QUORL_COMMON::CanvasSide(512), QUORL_COMMON::CanvasSide(0)}));
}
