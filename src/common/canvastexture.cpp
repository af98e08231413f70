// Canvas textures: creation with power-of-two storage, and drawing their screen region.
#include "common/canvastexture.h"

#include <GL/gl.h>

#include <cstddef>
#include <new>

#include "common/screenframe.h"

namespace QUORL_COMMON {

unsigned int CanvasSide(unsigned int size) {
  unsigned int side = 1;
  while (side < size) side *= 2;
  return side;
}

int CreateCanvasTextures(int width, int height, int count, unsigned int* textures) {
  const unsigned int w2 = CanvasSide(static_cast<unsigned int>(width));
  const unsigned int h2 = CanvasSide(static_cast<unsigned int>(height));
  unsigned char* scratch = new (std::nothrow) unsigned char[static_cast<size_t>(w2) * h2 * 4];
  if (scratch == nullptr) return -1;
  glGenTextures(count, textures);
  for (int i = 0; i < count; ++i) {
    glBindTexture(GL_TEXTURE_2D, textures[i]);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, w2, h2, 0, GL_RGBA, GL_UNSIGNED_BYTE, scratch);
  }
  delete[] scratch;
  glBindTexture(GL_TEXTURE_2D, 0);
  return 0;
}

void DrawCanvasQuad(unsigned int texture, int width, int height, float x0, float y0, float x1,
                    float y1) {
  const float u = static_cast<float>(width) / CanvasSide(static_cast<unsigned int>(width));
  const float v = static_cast<float>(height) / CanvasSide(static_cast<unsigned int>(height));
  ScreenFrame::BindCanvas(texture);
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0);
  glVertex2f(x0, y0);
  glTexCoord2f(0, v);
  glVertex2f(x0, y1);
  glTexCoord2f(u, v);
  glVertex2f(x1, y1);
  glTexCoord2f(u, 0);
  glVertex2f(x1, y0);
  glEnd();
  glBindTexture(GL_TEXTURE_2D, 0);
}

}  // namespace QUORL_COMMON
