// The flat screen of the title and the ending: canvas, textures, render state and the canvas quad.
#include "scenes/screen2d.h"

#include <GL/gl.h>
#include <SDL/SDL.h>

#include <cstdio>

#include "common/canvastexture.h"
#include "common/screenframe.h"

SDL_Surface* CreateScreenCanvas(int width, int height) {
  SDL_Surface* canvas = SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 32, 0xFF000000,
                                             0x00FF0000, 0x0000FF00, 0x000000FF);
  if (canvas == nullptr) {
    printf("CreateRGBSurface failure: %s\n", SDL_GetError());
    return nullptr;
  }
  SDL_SetAlpha(canvas, 0, 0);
  SDL_FillRect(canvas, nullptr, SDL_MapRGBA(canvas->format, 0, 0, 0, 0));
  return canvas;
}

int OpenScreen2D(const char* scene, int width, int height, int count, unsigned int* textures) {
  glEnable(GL_TEXTURE_2D);
  if (QUORL_COMMON::CreateCanvasTextures(width, height, count, textures) == -1) {
    printf("%s:canvas texture error\n", scene);
    return -1;
  }
  SetScreen2DState(width, height);
  return 0;
}

void ClearScreen2D() {
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glClearColor(0, 0, 0, 1);
  ScreenFrame::ClearFrame(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void SetScreen2DState(int width, int height) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, width, 0, height, -1, 1);
  ScreenFrame::CentrePointer();
  glDisable(GL_LIGHTING);
  glDisable(GL_ALPHA_TEST);
  glDisable(GL_DEPTH_TEST);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void DrawScreenCanvas(unsigned int texture, int width, int height) {
  // Corners at (0, 0) and (width - 1, height - 1) in window units; y grows upwards.
  glColor4f(1, 1, 1, 1);
  QUORL_COMMON::DrawCanvasQuad(texture, width, height, 0, static_cast<float>(height - 1),
                               static_cast<float>(width - 1), 0);
}
