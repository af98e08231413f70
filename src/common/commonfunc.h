// Shared constants and small helpers of every scene: the error code, the surface-to-texture upload
// and the default event handling.
#pragma once

#include <SDL/SDL.h>

#include <vector>

#include "common/scenecode.h"

namespace QUORL_COMMON {

// Result of every failed Init, and the scene code that ends the program with status 1.
const int GLOBAL_ERROR = -1;

// Length of one frame in milliseconds (about 59 frames per second).
const unsigned int FRAME_PERIOD_MS = 17;

// Copies the surface's pixels into the top-left corner of an existing texture whose storage is at
// least as large. 4 bytes per pixel upload as GL_RGBA, anything else as GL_RGB.
// Returns 0, or -1 for a null surface.
int SDL_Surface_to_GLTexture(SDL_Surface* surface, unsigned int texture);

// Copies the rectangles `rects` (inside the surface) of a 32-bit RGBA surface into the same places
// of an existing texture at least as large; the rest of the texture keeps what it holds.
void SDL_SurfaceRects_to_GLTexture(SDL_Surface* surface, const std::vector<SDL_Rect>& rects,
                                   unsigned int texture);

// The handling of events a scene does not handle itself: a window-close request becomes
// Scene::QUIT; every other event leaves `code` unchanged.
int defaultEvent(SDL_Event* event, int code);

}  // namespace QUORL_COMMON
