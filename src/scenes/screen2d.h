// The flat screen of the title and the ending: render state and the full-window canvas quad.
#pragma once

#include <SDL/SDL.h>

// A width x height canvas of 32-bit pixels with the bytes R, G, B, A, cleared to transparent black,
// its SDL alpha off. Null after "CreateRGBSurface failure: ..." when it cannot be made.
SDL_Surface* CreateScreenCanvas(int width, int height);

// Enables texturing, creates `count` canvas textures for the screen into `textures` and sets the
// flat screen state. Returns 0, or -1 after "<scene>:canvas texture error".
int OpenScreen2D(const char* scene, int width, int height, int count, unsigned int* textures);

// Starts a frame: model-view identity, the window cleared to opaque black.
void ClearScreen2D();

// Orthographic projection 0..width, 0..height, -1..1; mouse pointer to the window centre;
// lighting, alpha test and depth test off; blending by source alpha.
void SetScreen2DState(int width, int height);

// Draws the screen-sized region of a canvas texture over the whole window, the canvas's top row
// at the top of the window.
void DrawScreenCanvas(unsigned int texture, int width, int height);
