// A single-channel coverage or height field (0..1 floats) that shapes, text and effects share.
#pragma once

#include <cstddef>
#include <vector>

namespace assetgen {

// `v` brought into 0 .. n-1 as on a surface that repeats every n pixels (n > 0).
inline int WrapIndex(int v, int n) {
  v %= n;
  return v < 0 ? v + n : v;
}

class Mask {
 public:
  Mask() = default;
  Mask(int width, int height, float value = 0.0f);

  int Width() const { return w_; }
  int Height() const { return h_; }
  float& At(int x, int y) { return v_[static_cast<std::size_t>(y) * w_ + x]; }
  float At(int x, int y) const { return v_[static_cast<std::size_t>(y) * w_ + x]; }
  // Outside the field: 0 (clamped variant) or the wrapped-around value.
  float Get(int x, int y) const;
  float GetWrap(int x, int y) const;
  // Bilinear sample at pixel-centre coordinates, 0 outside.
  float Sample(float x, float y) const;

  // Box blur applied three times (close to a Gaussian of sigma ~ radius / 1.7).
  void Blur(int radius, bool wrap = false);
  // Grows (Dilate) or shrinks (Erode) the covered area by a disc of `radius` pixels.
  void Dilate(float radius);
  void Erode(float radius);
  // Pixel-wise helpers.
  void Max(const Mask& other, int ox = 0, int oy = 0);
  void Subtract(const Mask& other, int ox = 0, int oy = 0);
  void Multiply(const Mask& other);
  void Clamp();
  // A copy moved by (dx, dy) pixels (same size, uncovered area 0).
  Mask Shifted(int dx, int dy) const;
  // A copy with `pad` pixels of empty border added on every side.
  Mask Padded(int pad) const;

 private:
  int w_ = 0, h_ = 0;
  std::vector<float> v_;
};

}  // namespace assetgen
