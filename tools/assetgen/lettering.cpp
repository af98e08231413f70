// The lettering treatments: fill gradient, bevel, grain, outline, drop shadow and glow.
#include "lettering.h"

#include <algorithm>
#include <cmath>

#include "noise.h"

namespace assetgen {

int StyleMargin(const LetterStyle& s) {
  float m = s.outline + 2;
  m = std::max(m, s.outline + s.shadow * 2.5f + std::max(std::abs(s.shadowDx), std::abs(s.shadowDy)) + 2);
  m = std::max(m, s.outline + s.glow * 2.5f + 2);
  return static_cast<int>(std::ceil(m));
}

Mask BevelLight(const Mask& shape, float radius, float strength, bool wrap) {
  Mask h = shape;
  h.Blur(std::max(1, static_cast<int>(radius / 2)), wrap);
  h.Multiply(shape);
  Mask out(shape.Width(), shape.Height(), 1.0f);
  const float lx = -0.55f, ly = -0.65f, lz = 0.52f;
  float depth = radius * 0.6f;
  for (int y = 0; y < shape.Height(); ++y)
    for (int x = 0; x < shape.Width(); ++x) {
      auto g = [&](int xx, int yy) { return wrap ? h.GetWrap(xx, yy) : h.Get(xx, yy); };
      float dx = (g(x + 1, y) - g(x - 1, y)) * depth;
      float dy = (g(x, y + 1) - g(x, y - 1)) * depth;
      float nx = -dx, ny = -dy, nz = 1.0f;
      float len = std::sqrt(nx * nx + ny * ny + nz * nz);
      float d = (nx * lx + ny * ly + nz * lz) / len;
      out.At(x, y) = std::max(0.15f, 1.0f + strength * (d - lz) * 2.0f);
    }
  return out;
}

Canvas Letter(const Mask& ink, const LetterStyle& s) {
  int w = ink.Width(), h = ink.Height();
  Canvas c(w, h);
  // Ink rows, for the vertical fill gradient.
  int top = h, bottom = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (ink.At(x, y) > 0.02f) {
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
  if (bottom < top) return c;
  Mask body = ink;
  if (s.outline > 0) body.Dilate(s.outline);
  if (s.glow > 0) {
    Mask g = body;
    g.Dilate(s.glow * 0.5f);
    g.Blur(static_cast<int>(s.glow * 0.7f) + 1);
    c.PaintMask(g, 0, 0, s.glowColour);
  }
  if (s.shadow > 0 || s.shadowDx || s.shadowDy) {
    Mask sh = body.Shifted(s.shadowDx, s.shadowDy);
    if (s.shadow > 0) sh.Blur(static_cast<int>(s.shadow));
    c.PaintMask(sh, 0, 0, s.shadowColour);
  }
  if (s.outline > 0) c.PaintMask(body, 0, 0, s.outlineColour);
  Mask light(w, h, 1.0f);
  if (s.bevel > 0) light = BevelLight(ink, s.bevel, s.bevelStrength);
  float span = std::max(1, bottom - top);
  c.PaintMask(ink, 0, 0, [&](int x, int y) {
    Rgba col = Mix(s.top, s.bottom, Clamp01((y - top) / span));
    float k = light.At(x, y);
    if (s.grain > 0) {
      float n = TileFbm(x / s.grainScale, y / s.grainScale, 16, 256, 3, s.seed);
      Cell cell = TileCells(x / s.grainScale, y / s.grainScale, 8, 256, s.seed + 5);
      float cr = cell.f2 - cell.f1;
      k *= 1.0f + s.grain * ((n - 0.5f) * 0.9f - (cr < 0.06f ? 0.35f : 0.0f));
    }
    return Rgba{col.r * k, col.g * k, col.b * k, col.a};
  });
  return c;
}

}  // namespace assetgen
