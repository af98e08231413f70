// Helpers of the scene suites: stand-in content in a scratch working folder, pictures read back.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "assets/loadpng.h"
#include "assets/screenshot.h"
#include "support/events.h"
#include "support/glwindow.h"
#include "support/testfiles.h"

namespace scenetest {

// A picture read from a PNG file: bytes R, G, B, A, top row first (no pixels when unreadable).
struct Image {
  unsigned width = 0, height = 0;
  std::vector<unsigned char> pixels;
  explicit Image(const std::string& path) {
    unsigned char* data = nullptr;
    unsigned pitch = 0;
    if (LoadPNG(path.c_str(), &data, &width, &height, &pitch) == 0 && pitch == width * 4) {
      pixels.assign(data, data + static_cast<size_t>(pitch) * height);
    }
    delete[] data;
  }
  bool IsWindow() const { return width == 800 && pixels.size() == 800u * 600 * 4; }
  const unsigned char* at(int x, int y) const { return &pixels[(static_cast<size_t>(y) * width + x) * 4]; }
};

// True when red, green and blue of `a` are each within `tolerance` of those of `b`.
inline bool Close(const unsigned char* a, const unsigned char* b, int tolerance = 2) {
  return std::abs(a[0] - b[0]) <= tolerance && std::abs(a[1] - b[1]) <= tolerance &&
         std::abs(a[2] - b[2]) <= tolerance;
}

// Runs one scene frame (it ends with the buffer swap) with a screenshot requested; returns it.
inline Image Shot(const std::function<void()>& frame) {
  QUORL_COMMON::RequestScreenshot("frame.png");
  frame();
  return Image("frame.png");
}

// Stand-in colours: digit d of the statistics page, and the prompt.
inline std::vector<unsigned char> DigitColour(int d) { return {static_cast<unsigned char>(10 + 20 * d), 50, 200}; }
const std::vector<unsigned char> kPromptColour = {250, 250, 250};

// An opaque PNG of one colour (folders are made).
inline void Picture(const std::string& path, unsigned w, unsigned h, std::vector<unsigned char> rgb) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  rgb.push_back(255);
  std::vector<unsigned char> pixels;
  for (size_t i = 0; i < static_cast<size_t>(w) * h; ++i) pixels.insert(pixels.end(), rgb.begin(), rgb.end());
  testsupport::WriteTestPNG(path, w, h, 4, pixels);
}

// Base of the scene suites: the window, and for the whole suite a scratch working folder with
// stand-in pictures and copies of the generated sounds.
class SceneTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!testsupport::OpenTestWindow()) return;  // SetUp reports it
    previous = std::filesystem::current_path();
    scratch = std::make_unique<testsupport::ScratchDir>();
    std::filesystem::current_path(scratch->path());
    Picture("img/QUORL-title.png", 800, 600, {0, 0, 100});
    Picture("img/QUORL-title-light.png", 800, 600, {255, 255, 255});
    for (const char* word : {"img/fonts/new-game.png", "img/fonts/continue.png"}) {
      Picture(word, 200, 40, {200, 0, 0});
    }
    Picture("img/bullet_sp.png", 30, 30, {0, 220, 0});
    Picture("img/fonts/options.png", 150, 44, {200, 0, 0});
    Picture("img/fonts/records.png", 150, 44, {0, 200, 0});
    for (int n = 1; n <= 14; ++n) Picture("img/staff/" + std::to_string(n) + ".png", 200, 150, {90, 0, 90});
    for (int d = 0; d <= 9; ++d) Picture("img/fonts/genocide/" + std::to_string(d) + ".png", 20, 30, DigitColour(d));
    Picture("img/fonts/genocide/genocide.png", 100, 30, {90, 90, 90});
    Picture("img/fonts/genocide/percent.png", 30, 30, {60, 60, 60});
    Picture("img/fonts/push-F.png", 300, 30, kPromptColour);
    for (std::string sound : {"SE/sp-bullet-get.wav", "sounds/Quorl_title.mp3", "sounds/quiet_snow_field.mp3",
                              "SE/reload2.wav", "img/fonts/options-glyphs.png", "img/fonts/options-glyphs-lit.png",
                              "img/options-back.png", "img/options-highlight.png", "img/fonts/options-heading.png",
                              "img/fonts/controls-heading.png", "img/fonts/access-heading.png",
                              "img/fonts/pad-heading.png", "img/fonts/display-heading.png",
                              "img/fonts/records-heading.png"}) {
      std::error_code ignored;  // SetUp reports a missing sound
      std::filesystem::create_directories(std::filesystem::path(sound).parent_path());
      std::filesystem::copy_file(QUORL_DATA_DIR "/" + sound, sound, ignored);
    }
  }
  static void TearDownTestSuite() {
    if (scratch != nullptr) std::filesystem::current_path(previous);
    scratch.reset();
  }
  void SetUp() override {
    ASSERT_TRUE(testsupport::OpenTestWindow()) << "no OpenGL window";
    ASSERT_TRUE(testsupport::FileExists("sounds/quiet_snow_field.mp3")) << "no generated sounds in " QUORL_DATA_DIR;
    testsupport::DrainEvents();
  }

  // What `action` printed while `file` was missing.
  static std::string PrintedWithout(const std::string& file, const std::function<void()>& action) {
    std::filesystem::rename(file, file + ".hidden");
    fflush(stdout);
    ::testing::internal::CaptureStdout();
    action();
    fflush(stdout);
    std::filesystem::rename(file + ".hidden", file);
    return ::testing::internal::GetCapturedStdout();
  }

  static inline std::unique_ptr<testsupport::ScratchDir> scratch;
  static inline std::filesystem::path previous;
};

}  // namespace scenetest
