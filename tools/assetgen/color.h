// A straight-alpha RGBA colour in floating point, 0..1 per channel, and small colour helpers.
#pragma once

#include <cstdint>

namespace assetgen {

struct Rgba {
  float r = 0, g = 0, b = 0, a = 0;
};

// 0xRRGGBB with an alpha of `a`.
inline Rgba Hex(uint32_t rgb, float a = 1.0f) {
  return Rgba{((rgb >> 16) & 255) / 255.0f, ((rgb >> 8) & 255) / 255.0f, (rgb & 255) / 255.0f, a};
}

inline Rgba Mix(const Rgba& x, const Rgba& y, float t) {
  return Rgba{x.r + (y.r - x.r) * t, x.g + (y.g - x.g) * t, x.b + (y.b - x.b) * t,
              x.a + (y.a - x.a) * t};
}

// Multiplies the colour channels (not alpha) by k.
inline Rgba Scale(const Rgba& c, float k) { return Rgba{c.r * k, c.g * k, c.b * k, c.a}; }

inline Rgba WithAlpha(const Rgba& c, float a) { return Rgba{c.r, c.g, c.b, a}; }

inline float Clamp01(float v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }

inline float Smoothstep(float e0, float e1, float x) {
  float t = Clamp01((x - e0) / (e1 - e0));
  return t * t * (3 - 2 * t);
}

}  // namespace assetgen
