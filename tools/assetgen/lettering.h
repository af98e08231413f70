// The lettering treatments: fill gradient, bevel, grain, outline, drop shadow and glow around a
// coverage mask of text or of any shape.
#pragma once

#include <cstdint>

#include "canvas.h"
#include "mask.h"

namespace assetgen {

struct LetterStyle {
  Rgba top = Hex(0xffffff), bottom = Hex(0xc0c0c0);  // fill, top to bottom of the ink
  float bevel = 0;            // bevel radius in pixels (0: flat)
  float bevelStrength = 0.8f;  // how strongly the bevel lights and darkens
  float grain = 0;            // amount of stone-like grain in the fill, 0..1
  float grainScale = 1.0f;    // grain pattern size factor
  float outline = 0;          // outline width in pixels
  Rgba outlineColour = Hex(0x000000);
  float shadow = 0;           // drop-shadow blur radius (0: none, unless offset)
  int shadowDx = 0, shadowDy = 0;
  Rgba shadowColour = Hex(0x000000, 0.8f);
  float glow = 0;             // glow radius in pixels
  Rgba glowColour = Hex(0xffa040, 0.8f);
  uint32_t seed = 1;
};

// The margin a style needs around the ink so that nothing is cut off.
int StyleMargin(const LetterStyle& s);

// Paints `ink` (coverage, already padded by at least StyleMargin) in the style into a new
// transparent canvas of the mask's size.
Canvas Letter(const Mask& ink, const LetterStyle& s);

// Bevel lighting factor per pixel of a shape: 1 on flat inner areas, brighter on edges facing the
// upper left, darker on edges facing the lower right.
Mask BevelLight(const Mask& shape, float radius, float strength, bool wrap = false);

}  // namespace assetgen
