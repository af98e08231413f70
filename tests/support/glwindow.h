// Test support: one SDL OpenGL window per test process, and reading back what was drawn.
#pragma once

#include <gtest/gtest.h>

#include <vector>

namespace testsupport {

// Opens the 800 x 600 (or given size) OpenGL window once per process, with SDL video and audio
// started; later calls return the first result. Returns false (with a message) when no window
// can be opened.
bool OpenTestWindow(int width = 800, int height = 600);

// Benchmarks of the game: moves into the generated content folder and opens the window. When
// either fails, prints "NAME: needs the generated content and a display, skipped" and returns
// false (a benchmark then ends with status 0).
bool EnterContentWithWindow(const char* name);

// Pixels of the back buffer, 4 bytes R, G, B, A, top row first (call before any swap).
std::vector<unsigned char> ReadBackBuffer(int width = 800, int height = 600);

// Writes the back buffer to a PNG file.
void SaveBackBuffer(const char* path, int width = 800, int height = 600);

// Base of test suites that need an OpenGL context: the window is opened before the first test.
class GLTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { OpenTestWindow(); }
  // Checked per test, so that a window that could not open fails every test instead of
  // leaving them reported as skipped.
  void SetUp() override { ASSERT_TRUE(OpenTestWindow()) << "no OpenGL window"; }
};

}  // namespace testsupport
