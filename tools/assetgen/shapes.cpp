// Anti-aliased shapes drawn into masks by 4 × 4 supersampling of an inside test.
#include "shapes.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace assetgen {

namespace {

constexpr int kSub = 4;

// Covers the pixels of the box [x0, x1) × [y0, y1) (in pixels) with the share of sub-samples
// for which `inside` holds.
void Cover(Mask& m, float bx0, float by0, float bx1, float by1, float v, bool wrap,
           const std::function<bool(float, float)>& inside) {
  int x0 = static_cast<int>(std::floor(bx0)) - 1, y0 = static_cast<int>(std::floor(by0)) - 1;
  int x1 = static_cast<int>(std::ceil(bx1)) + 1, y1 = static_cast<int>(std::ceil(by1)) + 1;
  if (!wrap) {
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, m.Width());
    y1 = std::min(y1, m.Height());
  }
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      int n = 0;
      for (int sy = 0; sy < kSub; ++sy)
        for (int sx = 0; sx < kSub; ++sx)
          if (inside(x + (sx + 0.5f) / kSub, y + (sy + 0.5f) / kSub)) ++n;
      if (n == 0) continue;
      float c = v * n / (kSub * kSub);
      int tx = x, ty = y;
      if (wrap) {
        tx = ((tx % m.Width()) + m.Width()) % m.Width();
        ty = ((ty % m.Height()) + m.Height()) % m.Height();
      }
      float& d = m.At(tx, ty);
      d = std::max(d, c);
    }
}

}  // namespace

void FillPolygon(Mask& m, const std::vector<Pt>& pts, float v, bool wrap) {
  if (pts.size() < 3) return;
  float x0 = 1e9f, y0 = 1e9f, x1 = -1e9f, y1 = -1e9f;
  for (const Pt& p : pts) {
    x0 = std::min(x0, p.x);
    y0 = std::min(y0, p.y);
    x1 = std::max(x1, p.x);
    y1 = std::max(y1, p.y);
  }
  Cover(m, x0, y0, x1, y1, v, wrap, [&](float x, float y) {
    bool in = false;
    for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
      const Pt& a = pts[i];
      const Pt& b = pts[j];
      if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) in = !in;
    }
    return in;
  });
}

void FillEllipse(Mask& m, float cx, float cy, float rx, float ry, float v, bool wrap) {
  if (rx <= 0 || ry <= 0) return;
  Cover(m, cx - rx, cy - ry, cx + rx, cy + ry, v, wrap, [&](float x, float y) {
    float dx = (x - cx) / rx, dy = (y - cy) / ry;
    return dx * dx + dy * dy <= 1.0f;
  });
}

void FillRect(Mask& m, float x0, float y0, float x1, float y1, float v, bool wrap) {
  Cover(m, x0, y0, x1, y1, v, wrap,
        [&](float x, float y) { return x >= x0 && x < x1 && y >= y0 && y < y1; });
}

void FillRoundRect(Mask& m, float x0, float y0, float x1, float y1, float r, float v) {
  Cover(m, x0, y0, x1, y1, v, false, [&](float x, float y) {
    if (x < x0 || x >= x1 || y < y0 || y >= y1) return false;
    float cx = std::min(std::max(x, x0 + r), x1 - r), cy = std::min(std::max(y, y0 + r), y1 - r);
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
  });
}

void StrokeLine(Mask& m, float x0, float y0, float x1, float y1, float width, float v, bool wrap) {
  float dx = x1 - x0, dy = y1 - y0;
  float len = std::sqrt(dx * dx + dy * dy);
  if (len <= 0) return;
  float hw = width / 2;
  float bx0 = std::min(x0, x1) - hw, by0 = std::min(y0, y1) - hw;
  float bx1 = std::max(x0, x1) + hw, by1 = std::max(y0, y1) + hw;
  Cover(m, bx0, by0, bx1, by1, v, wrap, [&](float x, float y) {
    float t = ((x - x0) * dx + (y - y0) * dy) / (len * len);
    t = std::min(1.0f, std::max(0.0f, t));
    float px = x0 + t * dx - x, py = y0 + t * dy - y;
    return px * px + py * py <= hw * hw;
  });
}

}  // namespace assetgen
