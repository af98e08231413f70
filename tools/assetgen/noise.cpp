// Deterministic, tileable noise: hashed lattice values, fractal sums and cellular noise.
#include "noise.h"

#include <cmath>

namespace assetgen {

uint32_t Hash(int32_t x, int32_t y, uint32_t seed) {
  uint32_t h = seed * 0x27d4eb2du ^ static_cast<uint32_t>(x) * 0x85ebca6bu ^
               static_cast<uint32_t>(y) * 0xc2b2ae35u;
  h ^= h >> 15;
  h *= 0x2c1b3c6du;
  h ^= h >> 12;
  h *= 0x297a2d39u;
  h ^= h >> 15;
  return h;
}

float Hash01(int32_t x, int32_t y, uint32_t seed) { return (Hash(x, y, seed) >> 8) / 16777216.0f; }

uint32_t Random::Next() {
  s_ ^= s_ << 13;
  s_ ^= s_ >> 17;
  s_ ^= s_ << 5;
  return s_;
}

float Random::Uniform() { return (Next() >> 8) / 16777216.0f; }
float Random::Range(float lo, float hi) { return lo + (hi - lo) * Uniform(); }
int Random::Int(int lo, int hi) { return lo + static_cast<int>(Next() % static_cast<uint32_t>(hi - lo + 1)); }

namespace {

int Wrap(int v, int n) { return ((v % n) + n) % n; }

float Fade(float t) { return t * t * t * (t * (t * 6 - 15) + 10); }

}  // namespace

float TileNoise(float x, float y, int cells, float period, uint32_t seed) {
  float fx = x / period * cells, fy = y / period * cells;
  int x0 = static_cast<int>(std::floor(fx)), y0 = static_cast<int>(std::floor(fy));
  float tx = Fade(fx - x0), ty = Fade(fy - y0);
  int xa = Wrap(x0, cells), xb = Wrap(x0 + 1, cells), ya = Wrap(y0, cells), yb = Wrap(y0 + 1, cells);
  float a = Hash01(xa, ya, seed), b = Hash01(xb, ya, seed), c = Hash01(xa, yb, seed), d = Hash01(xb, yb, seed);
  return (a + (b - a) * tx) * (1 - ty) + (c + (d - c) * tx) * ty;
}

float TileFbm(float x, float y, int cells, float period, int octaves, uint32_t seed, float gain) {
  float sum = 0, amp = 1, norm = 0;
  for (int o = 0; o < octaves; ++o) {
    sum += amp * TileNoise(x, y, cells << o, period, seed + 101u * o);
    norm += amp;
    amp *= gain;
  }
  return sum / norm;
}

Cell TileCells(float x, float y, int cells, float period, uint32_t seed, float jitter) {
  float cs = period / cells;
  float fx = x / cs, fy = y / cs;
  int ix = static_cast<int>(std::floor(fx)), iy = static_cast<int>(std::floor(fy));
  Cell best;
  best.f1 = best.f2 = 1e9f;
  for (int dy = -2; dy <= 2; ++dy)
    for (int dx = -2; dx <= 2; ++dx) {
      int cx = ix + dx, cy = iy + dy;
      int wx = Wrap(cx, cells), wy = Wrap(cy, cells);
      float px = cx + 0.5f + (Hash01(wx, wy, seed) - 0.5f) * jitter;
      float py = cy + 0.5f + (Hash01(wx, wy, seed + 7u) - 0.5f) * jitter;
      float d = std::sqrt((px - fx) * (px - fx) + (py - fy) * (py - fy));
      if (d < best.f1) {
        best.f2 = best.f1;
        best.f1 = d;
        best.id = Hash(wx, wy, seed + 13u);
        best.cx = px * cs;
        best.cy = py * cs;
      } else if (d < best.f2) {
        best.f2 = d;
      }
    }
  return best;
}

}  // namespace assetgen
