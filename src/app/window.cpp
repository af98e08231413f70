// Starting SDL and opening the game's window.
#include "app/window.h"

#include <GL/gl.h>
#include <SDL/SDL.h>

#include <cstdio>
#include <cstdlib>

int StartVideo() {
  const char* chosenDriver = getenv("SDL_VIDEODRIVER");
  const bool driverChosen = chosenDriver != nullptr && chosenDriver[0] != '\0';
  if (!driverChosen) setenv("SDL_VIDEODRIVER", "x11", 1);
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_AUDIO) < 0) {
    if (!driverChosen && SDL_WasInit(SDL_INIT_VIDEO) == 0) {
      fprintf(stderr,
              "QUORL needs an X display with OpenGL; xvfb-run serves for checks without a screen\n");
    } else {
      fprintf(stderr, "Couldn't initialize SDL: %s\n", SDL_GetError());
    }
    return -1;
  }
  return 0;
}

int OpenWindow(const Settings& settings) {
  const int depth = SDL_GetVideoInfo()->vfmt->BitsPerPixel > 8 ? 24 : 8;
  int red = 8, green = 8, blue = 8;
  if (depth == 8) {
    red = 3, green = 3, blue = 2;
  } else if (depth == 15 || depth == 16) {
    red = 5, green = 5, blue = 5;
  }
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, red);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, green);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, blue);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_SWAP_CONTROL, settings.vsync ? 1 : 0);
  const Uint32 flags = SDL_OPENGL | (settings.fullscreen ? SDL_FULLSCREEN : 0);
  SDL_Surface* screen = SDL_SetVideoMode(SCREEN_WIDTH, SCREEN_HEIGHT, depth, flags);
  if (screen == nullptr) {
    fprintf(stderr, "Couldn't set GL mode: %s\n", SDL_GetError());
    return -1;
  }
  printf("Screen BPP: %d\n", screen->format->BitsPerPixel);
  printf("\n");
  printf("Vendor     : %s\n", glGetString(GL_VENDOR));
  printf("Renderer   : %s\n", glGetString(GL_RENDERER));
  printf("Version    : %s\n", glGetString(GL_VERSION));
  printf("Extensions : %s\n", glGetString(GL_EXTENSIONS));
  printf("\n");
  int value = 0;
  SDL_GL_GetAttribute(SDL_GL_RED_SIZE, &value);
  printf("SDL_GL_RED_SIZE: requested %d, got %d\n", red, value);
  SDL_GL_GetAttribute(SDL_GL_GREEN_SIZE, &value);
  printf("SDL_GL_GREEN_SIZE: requested %d, got %d\n", green, value);
  SDL_GL_GetAttribute(SDL_GL_BLUE_SIZE, &value);
  printf("SDL_GL_BLUE_SIZE: requested %d, got %d\n", blue, value);
  SDL_GL_GetAttribute(SDL_GL_DEPTH_SIZE, &value);
  printf("SDL_GL_DEPTH_SIZE: requested %d, got %d\n", 16, value);
  SDL_GL_GetAttribute(SDL_GL_DOUBLEBUFFER, &value);
  printf("SDL_GL_DOUBLEBUFFER: requested 1, got %d\n", value);
  SDL_WM_SetCaption("QUORL", "QUORL");
  glViewport(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
  return 0;
}
