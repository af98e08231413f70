// An RGBA picture in floating point: painting through masks, compositing and resizing.
#include "canvas.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

Canvas::Canvas(int width, int height, Rgba fill)
    : w_(width), h_(height), px_(static_cast<size_t>(width) * height, fill) {}

const Rgba& Canvas::AtWrap(int x, int y) const {
  return At(WrapIndex(x, w_), WrapIndex(y, h_));
}

Rgba Canvas::SampleWrap(float x, float y) const {
  float fx = x - 0.5f, fy = y - 0.5f;
  int x0 = static_cast<int>(std::floor(fx)), y0 = static_cast<int>(std::floor(fy));
  float tx = fx - x0, ty = fy - y0;
  Rgba a = AtWrap(x0, y0), b = AtWrap(x0 + 1, y0), c = AtWrap(x0, y0 + 1), d = AtWrap(x0 + 1, y0 + 1);
  return Mix(Mix(a, b, tx), Mix(c, d, tx), ty);
}

void Canvas::Fill(Rgba c) { std::fill(px_.begin(), px_.end(), c); }

void Canvas::Blend(int x, int y, Rgba c, float cov) {
  if (x < 0 || y < 0 || x >= w_ || y >= h_) return;
  float sa = Clamp01(c.a * cov);
  if (sa <= 0) return;
  Rgba& d = At(x, y);
  float oa = sa + d.a * (1 - sa);
  if (oa <= 0) {
    d = Rgba{};
    return;
  }
  d.r = (c.r * sa + d.r * d.a * (1 - sa)) / oa;
  d.g = (c.g * sa + d.g * d.a * (1 - sa)) / oa;
  d.b = (c.b * sa + d.b * d.a * (1 - sa)) / oa;
  d.a = oa;
}

void Canvas::PaintMask(const Mask& mask, int ox, int oy, Rgba c, bool wrap) {
  PaintMask(mask, ox, oy, [&](int, int) { return c; }, wrap);
}

void Canvas::PaintMask(const Mask& mask, int ox, int oy, const std::function<Rgba(int, int)>& colour,
                       bool wrap) {
  for (int y = 0; y < mask.Height(); ++y)
    for (int x = 0; x < mask.Width(); ++x) {
      float m = mask.At(x, y);
      if (m <= 0) continue;
      int tx = x + ox, ty = y + oy;
      if (wrap) {
        tx = ((tx % w_) + w_) % w_;
        ty = ((ty % h_) + h_) % h_;
      }
      if (tx < 0 || ty < 0 || tx >= w_ || ty >= h_) continue;
      Blend(tx, ty, colour(tx, ty), m);
    }
}

void Canvas::Draw(const Canvas& src, int ox, int oy, float opacity) {
  for (int y = 0; y < src.h_; ++y)
    for (int x = 0; x < src.w_; ++x) Blend(x + ox, y + oy, src.At(x, y), opacity);
}

void Canvas::Shade(const std::function<float(int, int)>& k) {
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x) {
      float f = k(x, y);
      Rgba& p = At(x, y);
      p.r *= f;
      p.g *= f;
      p.b *= f;
    }
}

Canvas Canvas::Crop(int x, int y, int w, int h) const {
  Canvas out(w, h);
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i)
      if (x + i >= 0 && y + j >= 0 && x + i < w_ && y + j < h_) out.At(i, j) = At(x + i, y + j);
  return out;
}

Canvas Canvas::Resized(int w, int h) const {
  Canvas out(w, h);
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) {
      int x0 = i * w_ / w, x1 = std::max(x0 + 1, (i + 1) * w_ / w);
      int y0 = j * h_ / h, y1 = std::max(y0 + 1, (j + 1) * h_ / h);
      float r = 0, g = 0, b = 0, a = 0;
      int n = 0;
      for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
          const Rgba& p = At(x, y);
          r += p.r * p.a;
          g += p.g * p.a;
          b += p.b * p.a;
          a += p.a;
          ++n;
        }
      out.At(i, j) = a > 0 ? Rgba{r / a, g / a, b / a, a / n} : Rgba{};
    }
  return out;
}

Mask Canvas::Alpha() const {
  Mask m(w_, h_);
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x) m.At(x, y) = At(x, y).a;
  return m;
}

void Binarise(Canvas& pic, float threshold, Rgba backdrop, const Canvas* under, int ox, int oy) {
  for (int y = 0; y < pic.Height(); ++y)
    for (int x = 0; x < pic.Width(); ++x) {
      Rgba& p = pic.At(x, y);
      if (p.a < threshold) {
        p = Rgba{};
        continue;
      }
      Rgba base = backdrop;
      if (under) {
        int ux = x + ox, uy = y + oy;
        if (ux >= 0 && uy >= 0 && ux < under->Width() && uy < under->Height()) base = under->At(ux, uy);
      }
      p = Rgba{base.r + (p.r - base.r) * p.a, base.g + (p.g - base.g) * p.a,
               base.b + (p.b - base.b) * p.a, 1.0f};
    }
}

}  // namespace assetgen
