// A small software renderer of models with the game's fixed-function lighting, for previews.
#include "rasteriser.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace assetgen {

namespace {

struct Tri {
  Vec3 p[3];  // eye space
  Rgba colour;
  float depth;  // for sorting translucent faces
};

Rgba Lit(const Material& m, Vec3 n, Vec3 centre) {
  Vec3 l = Normalised(Vec3{0, 0, -0.05f} - centre);
  float nl = std::max(0.0f, Dot(n, l));
  Vec3 h = Normalised(l + Vec3{0, 0, 1});
  float nh = std::max(0.0f, Dot(n, h));
  float shin = std::min(128.0f, m.power * 1.8f);
  float sp = nl > 0 ? std::pow(nh, shin) : 0.0f;
  auto ch = [&](float c) {
    float emi = c * m.emi, amb = c * m.amb, dif = c * m.dif, spc = c * m.spc;
    return emi + 0.7f * amb + 0.2f * dif * nl + 0.6f * spc * sp;
  };
  return Rgba{Clamp01(ch(m.col.r)), Clamp01(ch(m.col.g)), Clamp01(ch(m.col.b)), Clamp01(m.col.a * m.dif)};
}

}  // namespace

Canvas RenderModel(const Mesh& mesh, float yaw, float pitch, int size, Rgba background) {
  const int ss = 2, W = size * ss;
  float ext = mesh.Extent();
  if (ext <= 0) ext = 1;
  Xform view = Xform::Scale(1 / ext, 1 / ext, 1 / ext)
                   .Then(Xform::RotateY(yaw))
                   .Then(Xform::RotateX(pitch))
                   .Then(Xform::Translate(0, 0, -3.4f));
  std::vector<Tri> opaque, clear;
  for (const MeshObject& o : mesh.Objects())
    for (const Face& f : o.faces) {
      if (f.n < 3) continue;
      Vec3 p[4];
      for (int k = 0; k < f.n; ++k) p[k] = view.Apply(o.verts[f.v[k]]);
      Vec3 n = Normalised(Cross(p[1] - p[0], p[2] - p[0]));
      Vec3 c = p[0] + p[1] + p[2];
      c = c * (1.0f / 3);
      Material m;
      if (f.m >= 0 && f.m < static_cast<int>(mesh.Materials().size())) m = mesh.Materials()[f.m];
      Rgba col = Lit(m, n, c);
      for (int t = 0; t + 2 < f.n; ++t) {
        Tri tri{{p[0], p[t + 1], p[t + 2]}, col, (p[0].z + p[t + 1].z + p[t + 2].z) / 3};
        (col.a < 0.99f ? clear : opaque).push_back(tri);
      }
    }
  std::sort(clear.begin(), clear.end(), [](const Tri& a, const Tri& b) { return a.depth < b.depth; });
  Canvas img(W, W, background);
  std::vector<float> zbuf(static_cast<size_t>(W) * W, -1e9f);
  const float focal = W / 2 / std::tan(20.0f * 3.14159265f / 180.0f);
  auto draw = [&](const Tri& t, bool writeDepth) {
    float sx[3], sy[3], z[3];
    for (int k = 0; k < 3; ++k) {
      float zz = -t.p[k].z;
      if (zz < 0.1f) return;
      sx[k] = W / 2.0f + t.p[k].x * focal / zz;
      sy[k] = W / 2.0f - t.p[k].y * focal / zz;
      z[k] = t.p[k].z;
    }
    float area = (sx[1] - sx[0]) * (sy[2] - sy[0]) - (sx[2] - sx[0]) * (sy[1] - sy[0]);
    if (std::abs(area) < 1e-6f) return;
    int x0 = std::max(0, static_cast<int>(std::floor(std::min({sx[0], sx[1], sx[2]}))));
    int x1 = std::min(W - 1, static_cast<int>(std::ceil(std::max({sx[0], sx[1], sx[2]}))));
    int y0 = std::max(0, static_cast<int>(std::floor(std::min({sy[0], sy[1], sy[2]}))));
    int y1 = std::min(W - 1, static_cast<int>(std::ceil(std::max({sy[0], sy[1], sy[2]}))));
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x) {
        float px = x + 0.5f, py = y + 0.5f;
        float w0 = ((sx[1] - px) * (sy[2] - py) - (sx[2] - px) * (sy[1] - py)) / area;
        float w1 = ((sx[2] - px) * (sy[0] - py) - (sx[0] - px) * (sy[2] - py)) / area;
        float w2 = 1 - w0 - w1;
        if (w0 < 0 || w1 < 0 || w2 < 0) continue;
        float d = w0 * z[0] + w1 * z[1] + w2 * z[2];
        float& zb = zbuf[static_cast<size_t>(y) * W + x];
        if (d <= zb) continue;
        if (writeDepth) zb = d;
        img.Blend(x, y, t.colour, 1.0f);
      }
  };
  for (const Tri& t : opaque) draw(t, true);
  for (const Tri& t : clear) draw(t, false);
  return img.Resized(size, size);
}

}  // namespace assetgen
