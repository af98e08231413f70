// The flat screen of the title and the ending: render state and the full-window canvas quad.
#pragma once

// Orthographic projection 0..width, 0..height, -1..1; mouse pointer to the window centre;
// lighting, alpha test and depth test off; blending by source alpha.
void SetScreen2DState(int width, int height);

// Draws the screen-sized region of a canvas texture over the whole window, the canvas's top row
// at the top of the window.
void DrawScreenCanvas(unsigned int texture, int width, int height);
