// The flat screen of the title and the ending.
#include "scenes/screen2d.h"

#include <GL/gl.h>
#include <SDL/SDL.h>

#include "common/canvastexture.h"

void SetScreen2DState(int width, int height) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, width, 0, height, -1, 1);
  SDL_WarpMouse(static_cast<Uint16>(width / 2), static_cast<Uint16>(height / 2));
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
