// Test support: the shared OpenGL window and frame-buffer read-back.
#include "support/glwindow.h"

#include <GL/gl.h>
#include <SDL/SDL.h>
#include <dlfcn.h>
#include <link.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "assets/screenshot.h"

namespace testsupport {

namespace {

// Keeps Mesa's loaded drivers in memory past SDL_Quit, so that leak reports at exit can still
// name their frames (they are library noise, suppressed by name).
int PinDriver(struct dl_phdr_info* info, size_t, void*) {
  if (info->dlpi_name != nullptr && strstr(info->dlpi_name, "_dri.so") != nullptr) {
    dlopen(info->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
  }
  return 0;
}

}  // namespace

bool OpenTestWindow(int width, int height) {
  static int state = 0;  // 0 not tried, 1 open, -1 failed
  if (state != 0) return state == 1;
  state = -1;
  // The virtual X server now and then refuses a connection when several test processes start
  // at the same moment or while it is busy with other clients' pictures: try again for about
  // half a minute before giving up. Only X11 counts (SDL would
  // otherwise fall back to a text-terminal driver without OpenGL).
  setenv("SDL_VIDEODRIVER", "x11", 0);
  int tries = 0;
  while (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_AUDIO) < 0) {
    printf("test window: SDL_Init failed: %s\n", SDL_GetError());
    SDL_Quit();
    if (++tries == 20) return false;
    SDL_Delay(150 * tries);
  }
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  if (SDL_SetVideoMode(width, height, 24, SDL_OPENGL) == nullptr) {
    printf("test window: SDL_SetVideoMode failed: %s\n", SDL_GetError());
    return false;
  }
  dl_iterate_phdr(PinDriver, nullptr);
  glViewport(0, 0, width, height);
  atexit(SDL_Quit);
  state = 1;
  return true;
}

bool EnterContentWithWindow(const char* name) {
  if (chdir(QUORL_DATA_DIR) == 0 && OpenTestWindow()) return true;
  printf("%s: needs the generated content and a display, skipped\n", name);
  return false;
}

std::vector<unsigned char> ReadBackBuffer(int width, int height) {
  return QUORL_COMMON::ReadFrameBuffer(width, height);
}

void SaveBackBuffer(const char* path, int width, int height) {
  QUORL_COMMON::SaveFrameBuffer(path, width, height);
}

}  // namespace testsupport
