// Stand-in content for the scene tests, and frame read-back through the scripted screenshot.
#include "scenecontent.h"

#include <lame/lame.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "assets/loadpng.h"
#include "assets/screenshot.h"
#include "support/glwindow.h"
#include "support/testfiles.h"

namespace scenetest {

namespace {

void MakeParent(const std::string& path) {
  const std::filesystem::path parent = std::filesystem::path(path).parent_path();
  if (!parent.empty()) std::filesystem::create_directories(parent);
}

std::vector<short> Tone(int samples) {
  std::vector<short> pcm(samples);
  for (int i = 0; i < samples; ++i) pcm[i] = static_cast<short>(6000 * std::sin(i * 0.06));
  return pcm;
}

void PutLE(std::string* out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out->push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

void WritePictureCorner(const std::string& path, unsigned width, unsigned height, unsigned w,
                        unsigned h, Colour colour) {
  MakeParent(path);
  std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 4, 0);
  for (unsigned y = 0; y < height && y < h; ++y) {
    for (unsigned x = 0; x < width && x < w; ++x) {
      unsigned char* p = &pixels[(static_cast<size_t>(y) * width + x) * 4];
      p[0] = colour.r, p[1] = colour.g, p[2] = colour.b, p[3] = colour.a;
    }
  }
  testsupport::WriteTestPNG(path, width, height, 4, pixels);
}

void WritePicture(const std::string& path, unsigned width, unsigned height, Colour colour) {
  WritePictureCorner(path, width, height, width, height, colour);
}

void WriteWav(const std::string& path) {
  MakeParent(path);
  const std::vector<short> pcm = Tone(4410);
  std::string bytes = "RIFF";
  PutLE(&bytes, 36 + pcm.size() * 2, 4);
  bytes += "WAVEfmt ";
  PutLE(&bytes, 16, 4);
  PutLE(&bytes, 1, 2);          // PCM
  PutLE(&bytes, 1, 2);          // mono
  PutLE(&bytes, 44100, 4);
  PutLE(&bytes, 44100 * 2, 4);  // bytes per second
  PutLE(&bytes, 2, 2);
  PutLE(&bytes, 16, 2);
  bytes += "data";
  PutLE(&bytes, pcm.size() * 2, 4);
  for (short s : pcm) PutLE(&bytes, static_cast<uint16_t>(s), 2);
  testsupport::WriteFile(path, bytes);
}

void WriteMp3(const std::string& path, double seconds) {
  MakeParent(path);
  std::vector<short> pcm = Tone(static_cast<int>(44100 * seconds));
  lame_t lame = lame_init();
  lame_set_in_samplerate(lame, 44100);
  lame_set_num_channels(lame, 1);
  lame_set_mode(lame, MONO);
  lame_set_brate(lame, 64);
  if (lame_init_params(lame) < 0) {
    lame_close(lame);
    throw std::runtime_error("lame set-up failed");
  }
  std::vector<unsigned char> mp3(pcm.size() * 5 / 4 + 7200);
  const int n = lame_encode_buffer(lame, pcm.data(), pcm.data(), static_cast<int>(pcm.size()),
                                   mp3.data(), static_cast<int>(mp3.size()));
  const int m = n < 0 ? -1 : lame_encode_flush(lame, mp3.data() + n, static_cast<int>(mp3.size()) - n);
  lame_close(lame);
  if (n < 0 || m < 0) throw std::runtime_error("lame encoding failed");
  testsupport::WriteFile(path, std::string(mp3.begin(), mp3.begin() + n + m));
}

Colour StaffColour(int n) {
  return {static_cast<unsigned char>(15 * n), static_cast<unsigned char>(255 - 15 * n), 100, 255};
}

Colour DigitColour(int d) { return {static_cast<unsigned char>(10 + 20 * d), 50, 200, 255}; }

void WriteTitleContent() {
  WritePicture("img/QUORL-title.png", 800, 600, kTitleColour);
  WritePictureCorner("img/QUORL-title-light.png", 800, 600, 200, 200, kLightColour);
  WritePicture("img/fonts/new-game.png", 200, 40, kNewGameColour);
  WritePicture("img/fonts/continue.png", 200, 40, kContinueColour);
  WritePicture("img/bullet_sp.png", 30, 30, kSpColour);
  WriteWav("SE/sp-bullet-get.wav");
  WriteMp3("sounds/Quorl_title.mp3", 0.5);
}

void WriteEndingContent() {
  for (int n = 1; n <= 14; ++n) {
    WritePicture("img/staff/" + std::to_string(n) + ".png", 200, 150, StaffColour(n));
  }
  for (int d = 0; d <= 9; ++d) {
    WritePicture("img/fonts/genocide/" + std::to_string(d) + ".png", 20, 30, DigitColour(d));
  }
  WritePicture("img/fonts/genocide/genocide.png", 100, 30, {90, 90, 90, 255});
  WritePicture("img/fonts/genocide/percent.png", 30, 30, {60, 60, 60, 255});
  WritePicture("img/fonts/push-F.png", 300, 30, kPromptColour);
  WriteMp3("sounds/quiet_snow_field.mp3", 0.5);
}

Shot::Shot(const std::function<void()>& frame) {
  const std::string path = "frame-shot.png";
  QUORL_COMMON::RequestScreenshot(path);
  frame();
  unsigned char* data = nullptr;
  unsigned height = 0, pitch = 0;
  if (LoadPNG(path.c_str(), &data, &width_, &height, &pitch) != 0 || pitch != width_ * 4) {
    delete[] data;
    throw std::runtime_error("no screenshot of the frame");
  }
  pixels_.assign(data, data + static_cast<size_t>(height) * pitch);
  delete[] data;
  std::filesystem::remove(path);
}

Colour Shot::at(int x, int y) const {
  const unsigned char* p = &pixels_[(static_cast<size_t>(y) * width_ + x) * 4];
  return {p[0], p[1], p[2], 255};
}

std::ostream& operator<<(std::ostream& out, Colour c) {
  return out << "(" << int(c.r) << ", " << int(c.g) << ", " << int(c.b) << ")";
}

namespace {
testsupport::ScratchDir* scratch = nullptr;
std::filesystem::path previousFolder;
}  // namespace

void SceneTest::SetUpContent(void (*writeContent)()) {
  // No assertion here: a failure in the suite set-up would only mark the tests as skipped.
  if (!testsupport::OpenTestWindow()) return;
  previousFolder = std::filesystem::current_path();
  scratch = new testsupport::ScratchDir();
  std::filesystem::current_path(scratch->path());
  writeContent();
}

void SceneTest::TearDownTestSuite() {
  if (scratch == nullptr) return;
  std::filesystem::current_path(previousFolder);
  delete scratch;
  scratch = nullptr;
}

void SceneTest::SetUp() {
  ASSERT_TRUE(testsupport::OpenTestWindow()) << "no OpenGL window";
  ASSERT_NE(nullptr, scratch) << "no stand-in content";
}

std::string SceneTest::Printed(const std::function<void()>& action) {
  fflush(stdout);
  ::testing::internal::CaptureStdout();
  action();
  fflush(stdout);
  return ::testing::internal::GetCapturedStdout();
}

bool Near(Colour got, Colour want, int tolerance) {
  return std::abs(got.r - want.r) <= tolerance && std::abs(got.g - want.g) <= tolerance &&
         std::abs(got.b - want.b) <= tolerance;
}

}  // namespace scenetest
