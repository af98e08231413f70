// Shared helpers of every scene: texture upload from a surface and default event handling.
#include "common/commonfunc.h"

#include <GL/gl.h>

namespace QUORL_COMMON {

int SDL_Surface_to_GLTexture(SDL_Surface* surface, unsigned int texture) {
  if (surface == nullptr) return -1;
  const int bytesPerPixel = surface->pitch / surface->w;
  const GLenum format = bytesPerPixel == 4 ? GL_RGBA : GL_RGB;
  const bool locked = SDL_MUSTLOCK(surface);
  if (locked) SDL_LockSurface(surface);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, surface->w, surface->h, format, GL_UNSIGNED_BYTE,
                  surface->pixels);
  glBindTexture(GL_TEXTURE_2D, 0);
  if (locked) SDL_UnlockSurface(surface);
  return 0;
}

void SDL_SurfaceRects_to_GLTexture(SDL_Surface* surface, const std::vector<SDL_Rect>& rects,
                                   unsigned int texture) {
  if (surface == nullptr || rects.empty()) return;
  const bool locked = SDL_MUSTLOCK(surface);
  if (locked) SDL_LockSurface(surface);
  glBindTexture(GL_TEXTURE_2D, texture);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, surface->pitch / 4);
  for (const SDL_Rect& r : rects) {
    const Uint8* first = static_cast<const Uint8*>(surface->pixels) + static_cast<size_t>(r.y) * surface->pitch +
                         static_cast<size_t>(r.x) * 4;
    glTexSubImage2D(GL_TEXTURE_2D, 0, r.x, r.y, r.w, r.h, GL_RGBA, GL_UNSIGNED_BYTE, first);
  }
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glBindTexture(GL_TEXTURE_2D, 0);
  if (locked) SDL_UnlockSurface(surface);
}

int defaultEvent(SDL_Event* event, int code) {
  if (event->type == SDL_QUIT) return Scene::QUIT;
  return code;
}

}  // namespace QUORL_COMMON
