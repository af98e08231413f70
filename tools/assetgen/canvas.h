// An RGBA picture in floating point (straight alpha) that the recipes paint on.
#pragma once

#include <functional>
#include <vector>

#include "color.h"
#include "mask.h"

namespace assetgen {

class Canvas {
 public:
  Canvas() = default;
  Canvas(int width, int height, Rgba fill = Rgba{});

  int Width() const { return w_; }
  int Height() const { return h_; }
  Rgba& At(int x, int y) { return px_[static_cast<size_t>(y) * w_ + x]; }
  const Rgba& At(int x, int y) const { return px_[static_cast<size_t>(y) * w_ + x]; }
  const Rgba& AtWrap(int x, int y) const;
  // Bilinear sample with wrap-around (for textures used as patterns).
  Rgba SampleWrap(float x, float y) const;

  void Fill(Rgba c);
  // Source-over of colour `c` at (x, y) with extra coverage `cov`; ignores pixels outside.
  void Blend(int x, int y, Rgba c, float cov = 1.0f);
  // Paints `c` through `mask` placed at (ox, oy); with wrap, the mask's pixels wrap around the
  // canvas edges (for seamless textures).
  void PaintMask(const Mask& mask, int ox, int oy, Rgba c, bool wrap = false);
  // Same, with a colour per canvas pixel.
  void PaintMask(const Mask& mask, int ox, int oy, const std::function<Rgba(int, int)>& colour,
                 bool wrap = false);
  // Source-over of a whole picture at (ox, oy).
  void Draw(const Canvas& src, int ox, int oy, float opacity = 1.0f);
  // Multiplies the colour channels by `k(x, y)` (lighting, vignettes).
  void Shade(const std::function<float(int, int)>& k);
  Canvas Crop(int x, int y, int w, int h) const;
  // Area-averaged resize (both shrinking and enlarging by nearest for enlargement).
  Canvas Resized(int w, int h) const;
  // The alpha channel as a mask.
  Mask Alpha() const;

 private:
  int w_ = 0, h_ = 0;
  std::vector<Rgba> px_;
};

// Makes the picture's alpha all-or-nothing for the game's copy-only blits: where the alpha is at
// least `threshold` the pixel becomes opaque with its colour composited over `backdrop` (or over
// the colour of the same pixel of `under`, placed at (ox, oy) in `under`'s frame, when given);
// elsewhere it becomes fully transparent black.
void Binarise(Canvas& pic, float threshold, Rgba backdrop, const Canvas* under = nullptr, int ox = 0,
              int oy = 0);

}  // namespace assetgen
