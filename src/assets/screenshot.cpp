// Frame-buffer read-back, scripted screenshots and the buffer swap.
#include "assets/screenshot.h"

#include <GL/gl.h>
#include <SDL/SDL.h>

#include <cstring>

#include "assets/savepng.h"
#include "common/screenframe.h"

namespace QUORL_COMMON {

namespace {
std::vector<std::string> pendingShots;
}  // namespace

std::vector<unsigned char> ReadFrameBuffer(int width, int height) {
  const size_t rowBytes = static_cast<size_t>(width) * 4;
  std::vector<unsigned char> pixels(rowBytes * height);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  // The read buffer keeps its default, the frame being drawn: the back buffer of the double-buffered
  // window, or the colour attachment of the framebuffer object the SDL 2 compatibility layer may
  // draw the game into (where asking for GL_BACK is an error).
  glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  // OpenGL's rows start at the bottom; pictures start at the top.
  std::vector<unsigned char> row(rowBytes);
  for (int y = 0; y < height / 2; ++y) {
    unsigned char* top = pixels.data() + y * rowBytes;
    unsigned char* bottom = pixels.data() + (height - 1 - y) * rowBytes;
    memcpy(row.data(), top, rowBytes);
    memcpy(top, bottom, rowBytes);
    memcpy(bottom, row.data(), rowBytes);
  }
  return pixels;
}

int SaveFrameBuffer(const char* path, int width, int height) {
  const std::vector<unsigned char> pixels = ReadFrameBuffer(width, height);
  return SavePNG(path, pixels.data(), width, height, width * 4);
}

void RequestScreenshot(const std::string& path) { pendingShots.push_back(path); }

void SwapBuffers() {
  ScreenFrame::Present();  // what the player sees, before a screenshot takes it
  if (!pendingShots.empty()) {
    const SDL_Surface* screen = SDL_GetVideoSurface();
    if (screen != nullptr) {
      for (const std::string& path : pendingShots) SaveFrameBuffer(path.c_str(), screen->w, screen->h);
    }
    pendingShots.clear();
  }
  SDL_GL_SwapBuffers();
}

}  // namespace QUORL_COMMON
