// Canvas textures: screen-sized OpenGL textures that a scene refills each frame from a surface.
#pragma once

namespace QUORL_COMMON {

// Smallest power of two not below `size` (1 for 0).
unsigned int CanvasSide(unsigned int size);

// Creates `count` canvas textures for a screen of width x height pixels: power-of-two RGBA storage,
// nearest filtering, contents undefined; the binding is reset to 0 afterwards. Fills `textures`.
// Returns 0, or -1 when the storage cannot be allocated.
int CreateCanvasTextures(int width, int height, int count, unsigned int* textures);

// Draws the screen-sized top-left region of a canvas texture as a quad covering the rectangle
// (x0, y0)-(x1, y1) in the current projection, with texture row 0 at y0.
void DrawCanvasQuad(unsigned int texture, int width, int height, float x0, float y0, float x1,
                    float y1);

}  // namespace QUORL_COMMON
