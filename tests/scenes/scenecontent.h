// Stand-in content for the scene tests: small pictures, a WAV effect and short MP3 pieces written
// into the working folder, and reading back what a scene frame showed.
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace scenetest {

struct Colour {
  unsigned char r, g, b, a;
};

// An RGBA PNG of one colour (parent folders are created).
void WritePicture(const std::string& path, unsigned width, unsigned height, Colour colour);
// An RGBA PNG that is `colour` inside the rectangle (0, 0)-(w, h) and transparent elsewhere.
void WritePictureCorner(const std::string& path, unsigned width, unsigned height, unsigned w,
                        unsigned h, Colour colour);
// A 16-bit mono WAV of a short tone.
void WriteWav(const std::string& path);
// A mono MP3 of a tone lasting about `seconds`.
void WriteMp3(const std::string& path, double seconds);

// The title's pictures, effect and music under the working folder (see the colours below).
void WriteTitleContent();
// The ending's pictures and music under the working folder.
void WriteEndingContent();

// Colours of the stand-in pictures.
const Colour kTitleColour = {0, 0, 100, 255};
const Colour kLightColour = {255, 255, 255, 255};   // the light covers (0, 0)-(200, 200)
const Colour kNewGameColour = {220, 30, 30, 255};   // 200 x 40
const Colour kContinueColour = {200, 200, 0, 255};  // 200 x 40
const Colour kSpColour = {0, 220, 0, 255};          // 30 x 30
const Colour kPromptColour = {250, 250, 250, 255};  // 300 x 30
// Staff page n (1 to 14, 200 x 150) and digit d (20 x 30) have colours of their own.
Colour StaffColour(int n);
Colour DigitColour(int d);

// A frame as shown: runs `frame` (which must end with the buffer swap) with a screenshot
// requested, and returns the window's pixels (800 x 600, R G B A, top row first).
class Shot {
 public:
  explicit Shot(const std::function<void()>& frame);
  // Red, green and blue of window pixel (x, y).
  Colour at(int x, int y) const;

 private:
  std::vector<unsigned char> pixels_;
  unsigned width_ = 0;
};

std::ostream& operator<<(std::ostream& out, Colour c);

// True when each channel of `got` is within `tolerance` of `want` (alpha not compared).
bool Near(Colour got, Colour want, int tolerance = 2);

// Base of the scene suites: the OpenGL window, and a scratch folder with the stand-in content as
// the working folder for the whole suite.
class SceneTest : public ::testing::Test {
 protected:
  // Opens the window and writes the content into a fresh working folder (call from the suite's
  // SetUpTestSuite).
  static void SetUpContent(void (*writeContent)());
  static void TearDownTestSuite();
  // Fails the test when the window or the content is missing.
  void SetUp() override;
  // Runs `action` with standard output captured and returns what it printed.
  static std::string Printed(const std::function<void()>& action);
};

}  // namespace scenetest
