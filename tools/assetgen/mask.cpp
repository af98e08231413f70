// A single-channel coverage or height field: blurs, morphology and pixel-wise combination.
#include "mask.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

Mask::Mask(int width, int height, float value)
    : w_(width), h_(height), v_(static_cast<size_t>(width) * height, value) {}

float Mask::Get(int x, int y) const {
  if (x < 0 || y < 0 || x >= w_ || y >= h_) return 0.0f;
  return At(x, y);
}

float Mask::GetWrap(int x, int y) const {
  return At(WrapIndex(x, w_), WrapIndex(y, h_));
}

float Mask::Sample(float x, float y) const {
  float fx = x - 0.5f, fy = y - 0.5f;
  int x0 = static_cast<int>(std::floor(fx)), y0 = static_cast<int>(std::floor(fy));
  float tx = fx - x0, ty = fy - y0;
  float a = Get(x0, y0), b = Get(x0 + 1, y0), c = Get(x0, y0 + 1), d = Get(x0 + 1, y0 + 1);
  return (a * (1 - tx) + b * tx) * (1 - ty) + (c * (1 - tx) + d * tx) * ty;
}

namespace {

// One box-blur pass along a line of `n` values `stride` apart.
void BoxLine(float* p, int n, int stride, int r, bool wrap, std::vector<float>& tmp) {
  tmp.resize(n);
  for (int i = 0; i < n; ++i) tmp[i] = p[static_cast<size_t>(i) * stride];
  auto get = [&](int i) {
    if (wrap) return tmp[((i % n) + n) % n];
    return (i < 0 || i >= n) ? 0.0f : tmp[i];
  };
  float sum = 0;
  for (int i = -r; i <= r; ++i) sum += get(i);
  float inv = 1.0f / (2 * r + 1);
  for (int i = 0; i < n; ++i) {
    p[static_cast<size_t>(i) * stride] = sum * inv;
    sum += get(i + r + 1) - get(i - r);
  }
}

}  // namespace

void Mask::Blur(int radius, bool wrap) {
  if (radius <= 0 || w_ == 0 || h_ == 0) return;
  std::vector<float> tmp;
  for (int pass = 0; pass < 3; ++pass) {
    for (int y = 0; y < h_; ++y) BoxLine(&v_[static_cast<size_t>(y) * w_], w_, 1, radius, wrap, tmp);
    for (int x = 0; x < w_; ++x) BoxLine(&v_[x], h_, w_, radius, wrap, tmp);
  }
}

void Mask::Dilate(float radius) {
  int r = static_cast<int>(std::ceil(radius));
  Mask out(w_, h_);
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x) {
      float m = 0;
      for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx) {
          float d = std::sqrt(static_cast<float>(dx * dx + dy * dy));
          if (d > radius + 0.5f) continue;
          float w = std::min(1.0f, radius + 0.5f - d);
          m = std::max(m, Get(x + dx, y + dy) * w);
        }
      out.At(x, y) = m;
    }
  *this = std::move(out);
}

void Mask::Erode(float radius) {
  for (float& v : v_) v = 1.0f - v;
  // Treat the outside as covered while eroding so borders do not eat in.
  Dilate(radius);
  for (float& v : v_) v = 1.0f - v;
}

void Mask::Max(const Mask& o, int ox, int oy) {
  for (int y = 0; y < o.h_; ++y)
    for (int x = 0; x < o.w_; ++x) {
      int tx = x + ox, ty = y + oy;
      if (tx < 0 || ty < 0 || tx >= w_ || ty >= h_) continue;
      At(tx, ty) = std::max(At(tx, ty), o.At(x, y));
    }
}

void Mask::Subtract(const Mask& o, int ox, int oy) {
  for (int y = 0; y < o.h_; ++y)
    for (int x = 0; x < o.w_; ++x) {
      int tx = x + ox, ty = y + oy;
      if (tx < 0 || ty < 0 || tx >= w_ || ty >= h_) continue;
      At(tx, ty) = std::max(0.0f, At(tx, ty) - o.At(x, y));
    }
}

void Mask::Multiply(const Mask& o) {
  for (size_t i = 0; i < v_.size() && i < o.v_.size(); ++i) v_[i] *= o.v_[i];
}

void Mask::Clamp() {
  for (float& v : v_) v = std::min(1.0f, std::max(0.0f, v));
}

Mask Mask::Shifted(int dx, int dy) const {
  Mask out(w_, h_);
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x) out.At(x, y) = Get(x - dx, y - dy);
  return out;
}

Mask Mask::Padded(int pad) const {
  Mask out(w_ + 2 * pad, h_ + 2 * pad);
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x) out.At(x + pad, y + pad) = At(x, y);
  return out;
}

}  // namespace assetgen
