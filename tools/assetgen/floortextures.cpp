// Recipes of the twelve floor textures (walls, floor tiles and doors of the five floor groups):
// 256 × 256, mid-toned, seamless where they repeat.
#include <algorithm>
#include <cmath>
#include <functional>

#include "content.h"
#include "noise.h"
#include "pngfile.h"
#include "shapes.h"

namespace assetgen {

namespace {

constexpr int N = 256;

// Light factor of a wrapped height field lit from the upper left: 1 on flat ground.
Mask HeightLight(const Mask& h, float depth) {
  Mask out(N, N);
  const float lx = -0.5f, ly = -0.6f, lz = 0.62f;
  for (int y = 0; y < N; ++y)
    for (int x = 0; x < N; ++x) {
      float dx = (h.GetWrap(x + 1, y) - h.GetWrap(x - 1, y)) * depth;
      float dy = (h.GetWrap(x, y + 1) - h.GetWrap(x, y - 1)) * depth;
      float len = std::sqrt(dx * dx + dy * dy + 1.0f);
      float d = (-dx * lx - dy * ly + lz) / len;
      out.At(x, y) = std::max(0.25f, 1.0f + (d - lz) * 1.6f);
    }
  return out;
}

// Rows of blocks with wrap-around: row r spans rowY[r]..rowY[r+1], bricks between the cuts.
struct Masonry {
  std::vector<int> rowY;
  std::vector<std::vector<int>> cuts;

  struct Hit {
    uint32_t id = 0;
    float edge = 0;  // distance to the nearest block edge, pixels
    float top = 0;   // distance to the block's top edge
    float bottom = 0;
  };

  Hit At(float x, float y) const {
    x = std::fmod(std::fmod(x, N) + N, N);
    y = std::fmod(std::fmod(y, N) + N, N);
    size_t r = 0;
    while (r + 1 < rowY.size() - 1 && y >= rowY[r + 1]) ++r;
    const std::vector<int>& c = cuts[r];
    float x0, x1;
    size_t i = 0;
    if (x < c[0]) {
      i = c.size() - 1;
      x0 = c.back() - N;
      x1 = c[0];
    } else {
      while (i + 1 < c.size() && x >= c[i + 1]) ++i;
      x0 = c[i];
      x1 = (i + 1 < c.size()) ? c[i + 1] : c[0] + N;
    }
    Hit h;
    h.id = Hash(static_cast<int>(r), static_cast<int>(i), 77u);
    h.top = y - rowY[r];
    h.bottom = rowY[r + 1] - y;
    h.edge = std::min({x - x0, x1 - x, h.top, h.bottom});
    return h;
  }
};

// Rows of random heights (lo..hi, summing to 256) with bricks of random widths.
Masonry MakeMasonry(uint32_t seed, int rowLo, int rowHi, int wLo, int wHi) {
  Random rnd(seed);
  Masonry m;
  int y = 0;
  m.rowY.push_back(0);
  while (N - y > rowHi) {
    y += rnd.Int(rowLo, rowHi);
    m.rowY.push_back(y);
  }
  if (N - y < rowLo && m.rowY.size() > 1) m.rowY.back() = (m.rowY[m.rowY.size() - 2] + N) / 2;
  m.rowY.push_back(N);
  for (size_t r = 0; r + 1 < m.rowY.size(); ++r) {
    std::vector<int> c;
    int start = rnd.Int(0, wLo);
    int x = start;
    while (x < start + N - wHi) {
      c.push_back(x % N);
      x += rnd.Int(wLo, wHi);
    }
    c.push_back(x % N);
    std::sort(c.begin(), c.end());
    m.cuts.push_back(c);
  }
  return m;
}

// Regular running bond: rows of `rowH`, bricks of `brickW`, every other row shifted by half.
Masonry RunningBond(int rowH, int brickW, int shift0 = 0) {
  Masonry m;
  for (int y = 0; y <= N; y += rowH) m.rowY.push_back(y);
  for (size_t r = 0; r + 1 < m.rowY.size(); ++r) {
    std::vector<int> c;
    int off = (shift0 + ((r % 2) ? brickW / 2 : 0)) % brickW;
    for (int x = off; x < N + off; x += brickW) c.push_back(x % N);
    std::sort(c.begin(), c.end());
    m.cuts.push_back(c);
  }
  return m;
}

float Fbm(float x, float y, int cells, int oct, uint32_t seed) { return TileFbm(x, y, cells, N, oct, seed); }

// Block-wall texture: per-pixel colour from a callback given the block hit, plus relief.
struct BlockLook {
  float mortar = 3.5f;       // mortar half-width in pixels
  float round = 6.0f;        // bevel width of block edges
  float warp = 3.0f;         // irregularity of the edges
  float relief = 2.5f;       // strength of the lighting relief
  float roughness = 0.2f;   // height noise on the faces
  std::function<Rgba(int, int, const Masonry::Hit&)> stone;
  std::function<Rgba(int, int)> mortarColour;
};

Canvas BlockWall(const Masonry& mas, const BlockLook& look, uint32_t seed) {
  Canvas c(N, N);
  Mask height(N, N);
  std::vector<Masonry::Hit> hits(N * N);
  for (int y = 0; y < N; ++y)
    for (int x = 0; x < N; ++x) {
      float wx = (Fbm(x, y, 8, 3, seed + 1) - 0.5f) * 2 * look.warp;
      float wy = (Fbm(x, y, 8, 3, seed + 2) - 0.5f) * 2 * look.warp;
      Masonry::Hit h = mas.At(x + wx, y + wy);
      hits[y * N + x] = h;
      float e = h.edge - look.mortar;
      float bevel = Smoothstep(0, look.round, e);
      float rough = (Fbm(x, y, 16, 4, seed + 3) - 0.5f) * look.roughness;
      height.At(x, y) = e <= 0 ? 0.0f : bevel * (0.8f + rough) + 0.1f;
    }
  Mask light = HeightLight(height, look.relief * 10.0f);
  for (int y = 0; y < N; ++y)
    for (int x = 0; x < N; ++x) {
      const Masonry::Hit& h = hits[y * N + x];
      Rgba col = (h.edge - look.mortar) <= 0 ? look.mortarColour(x, y) : look.stone(x, y, h);
      // Edges slightly darker where mortar meets stone (occlusion).
      float occ = 0.75f + 0.25f * Smoothstep(0, look.mortar + 4, h.edge);
      c.At(x, y) = Scale(col, light.At(x, y) * occ);
      c.At(x, y).a = 1;
    }
  return c;
}

// Brightness jitter and grain shared by stone-like surfaces.
Rgba Stony(Rgba base, int x, int y, uint32_t id, uint32_t seed, float var, float grain) {
  float t = ((id & 255) / 255.0f - 0.5f) * var;
  float h = (((id >> 8) & 255) / 255.0f - 0.5f) * var * 0.5f;
  Rgba c{base.r * (1 + t + h), base.g * (1 + t), base.b * (1 + t - h), 1};
  float n = Fbm(x, y, 32, 3, seed) - 0.5f;
  float speck = Hash01(x, y, seed + 9) > 0.97f ? -0.12f : 0.0f;
  return Scale(c, 1 + n * grain + speck);
}

// Crack lines from cellular noise: 1 on a crack, 0 elsewhere.
float Crack(int x, int y, int cells, uint32_t seed, float width) {
  float wx = (Fbm(x, y, 16, 2, seed + 1) - 0.5f) * 10, wy = (Fbm(x, y, 16, 2, seed + 2) - 0.5f) * 10;
  Cell cell = TileCells(x + wx, y + wy, cells, N, seed);
  float d = (cell.f2 - cell.f1) * N / cells;
  float mask = Fbm(x, y, 4, 2, seed + 3) > 0.55f ? 1.0f : 0.0f;
  return mask * (1.0f - Smoothstep(0, width, d));
}

// --- Floors 1-5: cold grey-blue stone -------------------------------------------------------

Canvas RockWall() {
  Masonry mas = MakeMasonry(11, 44, 70, 54, 104);
  BlockLook look;
  look.mortar = 3.0f;
  look.round = 7.0f;
  look.warp = 4.0f;
  look.stone = [](int x, int y, const Masonry::Hit& h) {
    Rgba c = Stony(Hex(0x68707c), x, y, h.id, 21, 0.3f, 0.45f);
    float cr = Crack(x, y, 5, 23, 1.6f);
    c = Mix(c, Hex(0x30343c), cr * 0.8f);
    // Moss creeping from the lower edges of the blocks.
    float moss = Smoothstep(0.4f, 0.62f, Fbm(x, y, 8, 4, 25)) * (1 - Smoothstep(2, 20, h.bottom));
    moss = std::max(moss, Smoothstep(0.68f, 0.8f, Fbm(x, y, 8, 4, 26)) * 0.7f);
    return Mix(c, Scale(Hex(0x4d6b3a), 0.8f + 0.4f * Fbm(x, y, 64, 2, 27)), moss * 0.85f);
  };
  look.mortarColour = [](int x, int y) {
    Rgba c = Scale(Hex(0x2b2f36), 0.8f + 0.4f * Fbm(x, y, 32, 3, 28));
    return Mix(c, Hex(0x34452a), Smoothstep(0.5f, 0.7f, Fbm(x, y, 8, 3, 25)) * 0.8f);
  };
  return BlockWall(mas, look, 12);
}

// Irregular flagstones from cellular noise.
Canvas Flagstones(int cells, uint32_t seed, float gap, const std::function<Rgba(int, int, uint32_t)>& stone,
                  const std::function<Rgba(int, int)>& joint, float relief, float dome = 0.0f) {
  Canvas c(N, N);
  Mask height(N, N);
  std::vector<float> edge(N * N);
  std::vector<uint32_t> ids(N * N);
  float cs = static_cast<float>(N) / cells;
  for (int y = 0; y < N; ++y)
    for (int x = 0; x < N; ++x) {
      float wx = (Fbm(x, y, 8, 3, seed + 1) - 0.5f) * 8, wy = (Fbm(x, y, 8, 3, seed + 2) - 0.5f) * 8;
      Cell cell = TileCells(x + wx, y + wy, cells, N, seed, 0.75f);
      float e = (cell.f2 - cell.f1) * cs * 0.5f - gap;
      edge[y * N + x] = e;
      ids[y * N + x] = cell.id;
      // Stone is rough; domed (fleshy) cobbles are smooth and swollen.
      float rough = dome > 0 ? 0.08f : 0.4f;
      float h = e <= 0 ? 0.0f : Smoothstep(0, 6, e) * (0.85f + (Fbm(x, y, 16, 4, seed + 3) - 0.5f) * rough);
      height.At(x, y) = dome > 0 ? (e > 0 ? 1.0f : 0.0f) : h;
    }
  if (dome > 0) {
    // Pillow-shaped cobbles: the blurred outline of each cobble is its height.
    height.Blur(5, true);
    for (int y = 0; y < N; ++y)
      for (int x = 0; x < N; ++x) {
        float v = height.At(x, y);
        height.At(x, y) = dome * std::sqrt(v) + (Fbm(x, y, 16, 3, seed + 3) - 0.5f) * 0.05f;
      }
  }
  Mask light = HeightLight(height, relief * 10.0f);
  for (int y = 0; y < N; ++y)
    for (int x = 0; x < N; ++x) {
      float e = edge[y * N + x];
      Rgba col = e <= 0 ? joint(x, y) : stone(x, y, ids[y * N + x]);
      float occ = 0.7f + 0.3f * Smoothstep(-gap, 5, e);
      c.At(x, y) = Scale(col, light.At(x, y) * occ);
      c.At(x, y).a = 1;
    }
  return c;
}

Canvas RockFloor() {
  return Flagstones(
      4, 31, 2.5f,
      [](int x, int y, uint32_t id) {
        Rgba c = Stony(Hex(0x6d7076), x, y, id, 33, 0.3f, 0.45f);
        c = Mix(c, Hex(0x2e3035), Crack(x, y, 6, 34, 1.4f) * 0.7f);
        float wear = Fbm(x, y, 8, 3, 35);
        return Mix(c, Hex(0x5d6a78), Smoothstep(0.55f, 0.75f, wear) * 0.4f);
      },
      [](int x, int y) { return Scale(Hex(0x2c2a28), 0.8f + 0.4f * Fbm(x, y, 32, 2, 36)); }, 2.2f);
}

// The door of floors 1-5: heavy wooden planks with iron bands. The door quad is 1.4 × 3 world
// units, so round features are drawn 2.14 times wider than tall to look round in the game.
constexpr float kDoorAspect = 3.0f / 1.4f;

Canvas DoorOne() {
  Canvas c(N, N);
  Mask height(N, N);
  std::vector<Rgba> col(N * N);
  const int planks = 5;
  const float pw = static_cast<float>(N) / planks;
  Mask iron(N, N), rivet(N, N), ring(N, N);
  const float bands[2] = {48, 196};
  for (float by : bands) FillRect(iron, 0, by - 12, N, by + 12);
  for (float by : bands)
    for (int p = 0; p < planks; ++p) FillEllipse(rivet, (p + 0.5f) * pw, by, 4.5f * kDoorAspect * 0.55f, 4.5f * 0.55f * 1.6f);
  // Ring handle and its plate on the right.
  Mask plate(N, N);
  FillEllipse(plate, 206, 126, 11 * kDoorAspect * 0.5f, 11, 1.0f);
  FillEllipse(ring, 206, 146, 17 * kDoorAspect * 0.5f, 17);
  Mask hole(N, N);
  FillEllipse(hole, 206, 146, 12 * kDoorAspect * 0.5f, 12);
  ring.Subtract(hole);
  for (int y = 0; y < N; ++y)
    for (int x = 0; x < N; ++x) {
      int p = std::min(planks - 1, static_cast<int>(x / pw));
      float px = x - p * pw;
      float gapd = std::min(px, pw - px);
      uint32_t id = Hash(p, 0, 41);
      // Wood: warm brown with long grain along y and a few knots.
      float grain = TileFbm(x * 6.0f, y * 0.35f, 16, N, 3, 42 + p);
      float fine = TileNoise(x * 12.0f, y * 0.8f, 64, N, 43);
      Rgba wood = Mix(Hex(0xa8703f), Hex(0x7a4a26), grain * 0.9f + fine * 0.2f);
      wood = Scale(wood, 0.88f + ((id & 255) / 255.0f) * 0.24f);
      Cell knot = TileCells(x * 2.0f, y * 1.0f, 6, N * 2.0f, 44 + p);
      if (knot.f1 < 0.14f && (knot.id & 3) == 0) wood = Mix(wood, Hex(0x4a2a14), 1 - knot.f1 / 0.14f);
      float h = Smoothstep(0, 4, gapd) * (0.8f + grain * 0.3f);
      Rgba cc = gapd < 1.6f ? Hex(0x1c120a) : wood;
      float iv = iron.At(x, y);
      if (iv > 0) {
        Rgba metal = Scale(Hex(0x4a4c52), 0.85f + 0.3f * Fbm(x, y, 32, 3, 45));
        metal = Mix(metal, Hex(0x6a3a1c), Smoothstep(0.55f, 0.8f, Fbm(x, y, 16, 3, 46)) * 0.7f);
        cc = Mix(cc, metal, iv);
        h = h * (1 - iv) + iv * 1.2f;
      }
      float rv = rivet.At(x, y);
      if (rv > 0) {
        cc = Mix(cc, Hex(0x6c6e76), rv);
        h += rv * 0.5f;
      }
      float pv = plate.At(x, y);
      if (pv > 0) {
        cc = Mix(cc, Hex(0x3c3e44), pv);
        h += pv * 0.4f;
      }
      float rg = ring.At(x, y);
      if (rg > 0) {
        cc = Mix(cc, Hex(0x7a7c84), rg);
        h += rg * 0.8f;
      }
      // A dark border: the door's frame in the wall.
      float border = std::min({static_cast<float>(x), static_cast<float>(N - 1 - x), y * 1.0f, (N - 1 - y) * 1.0f});
      if (border < 5) {
        cc = Hex(0x140c06);
        h = 0;
      }
      col[y * N + x] = cc;
      height.At(x, y) = h;
    }
  Mask light = HeightLight(height, 14.0f);
  for (int y = 0; y < N; ++y)
    for (int x = 0; x < N; ++x) {
      c.At(x, y) = Scale(col[y * N + x], light.At(x, y));
      c.At(x, y).a = 1;
    }
  return c;
}

// --- Floors 6-10: warm terracotta ------------------------------------------------------------

Canvas ClayWall() {
  Masonry mas = RunningBond(32, 64, 8);
  BlockLook look;
  look.mortar = 2.5f;
  look.round = 5.0f;
  look.warp = 2.0f;
  look.relief = 2.0f;
  look.stone = [](int x, int y, const Masonry::Hit& h) {
    Rgba c = Stony(Hex(0xa45a3c), x, y, h.id, 51, 0.3f, 0.35f);
    // Worn, dusty edges and a few chips.
    float wear = 1 - Smoothstep(2, 9, h.edge);
    c = Mix(c, Hex(0xc08a66), wear * 0.35f * Fbm(x, y, 32, 2, 52));
    c = Mix(c, Hex(0x5a2a18), Crack(x, y, 6, 53, 1.2f) * 0.6f);
    float soot = Smoothstep(0.6f, 0.8f, Fbm(x, y, 4, 3, 54));
    return Scale(c, 1 - soot * 0.25f);
  };
  look.mortarColour = [](int x, int y) { return Scale(Hex(0x8a7660), 0.8f + 0.35f * Fbm(x, y, 32, 3, 55)); };
  return BlockWall(mas, look, 56);
}

Canvas ClayFloor() {
  Masonry mas = RunningBond(64, 64, 0);
  // Square tiles: no shift between rows.
  for (auto& c : mas.cuts) c = {0, 64, 128, 192};
  BlockLook look;
  look.mortar = 2.5f;
  look.round = 8.0f;
  look.warp = 1.5f;
  look.relief = 1.6f;
  look.roughness = 0.25f;
  look.stone = [](int x, int y, const Masonry::Hit& h) {
    Rgba c = Stony(Hex(0xa86c48), x, y, h.id, 61, 0.22f, 0.3f);
    // Packed and scuffed: lighter dust towards the middle of each tile.
    c = Mix(c, Hex(0xbc9270), Smoothstep(10, 30, h.edge) * 0.25f * Fbm(x, y, 8, 3, 62));
    c = Mix(c, Hex(0x6a3a22), Crack(x, y, 5, 63, 1.2f) * 0.5f);
    return c;
  };
  look.mortarColour = [](int x, int y) { return Scale(Hex(0x5c4232), 0.8f + 0.3f * Fbm(x, y, 32, 2, 64)); };
  return BlockWall(mas, look, 65);
}

// The iron hatch of every deeper floor: a riveted plate with a frame, cross braces and a wheel.
Canvas DoorTwo() {
  Canvas c(N, N);
  Mask height(N, N), frame(N, N), brace(N, N), rivets(N, N), wheel(N, N), hub(N, N);
  FillRect(frame, 0, 0, N, N);
  Mask inner(N, N);
  FillRect(inner, 14, 10, N - 14, N - 10);
  frame.Subtract(inner);
  FillRect(brace, 14, 122, N - 14, 134);
  StrokeLine(brace, 20, 16, N - 20, 118, 12);
  StrokeLine(brace, N - 20, 16, 20, 118, 12);
  StrokeLine(brace, 20, 138, N - 20, N - 16, 12);
  StrokeLine(brace, N - 20, 138, 20, N - 16, 12);
  for (int i = 0; i < 9; ++i) {
    float t = 12 + i * (N - 24) / 8.0f;
    FillEllipse(rivets, 7, t, 3.2f * 1.2f, 3.2f * 0.7f * 1.4f);
    FillEllipse(rivets, N - 7, t, 3.2f * 1.2f, 3.2f * 0.7f * 1.4f);
    FillEllipse(rivets, t, 5, 3.2f * 1.2f, 2.6f);
    FillEllipse(rivets, t, N - 5, 3.2f * 1.2f, 2.6f);
  }
  // The locking wheel in the middle: a ring with four spokes (drawn wide, see kDoorAspect).
  FillEllipse(wheel, 128, 128, 30 * kDoorAspect * 0.55f, 30);
  Mask wheelHole(N, N);
  FillEllipse(wheelHole, 128, 128, 24 * kDoorAspect * 0.55f, 24);
  wheel.Subtract(wheelHole);
  StrokeLine(wheel, 128 - 34, 128, 128 + 34, 128, 5);
  StrokeLine(wheel, 128, 100, 128, 156, 8);
  FillEllipse(hub, 128, 128, 8 * kDoorAspect * 0.55f, 8);
  for (int y = 0; y < N; ++y)
    for (int x = 0; x < N; ++x) {
      Rgba plate = Scale(Hex(0x707884), 0.85f + 0.3f * Fbm(x, y, 32, 4, 71));
      float rust = Smoothstep(0.5f, 0.78f, Fbm(x, y, 8, 4, 72) + (y / 256.0f) * 0.12f);
      float streak = Smoothstep(0.6f, 0.9f, TileFbm(x * 3.0f, y * 0.25f, 16, N, 3, 73)) * (y / 256.0f);
      plate = Mix(plate, Hex(0x7a4424), std::min(1.0f, rust * 0.75f + streak * 0.6f));
      float h = 0.3f + (Fbm(x, y, 32, 2, 74) - 0.5f) * 0.1f;
      Rgba cc = plate;
      float f = frame.At(x, y), b = brace.At(x, y), r = rivets.At(x, y), w = wheel.At(x, y), hb = hub.At(x, y);
      cc = Mix(cc, Scale(Hex(0x5a606a), 0.9f + 0.2f * Fbm(x, y, 16, 2, 75)), std::max(f, b));
      h += std::max(f, b) * 0.5f;
      cc = Mix(cc, Hex(0x9aa0aa), r);
      h += r * 0.5f;
      cc = Mix(cc, Hex(0x8a8e96), w);
      h += w * 0.9f;
      cc = Mix(cc, Hex(0xa89060), hb);
      h += hb * 1.1f;
      cc = Mix(cc, Hex(0x7a4424), rust * 0.4f * std::max(f, b));
      height.At(x, y) = h;
      c.At(x, y) = cc;
    }
  Mask light = HeightLight(height, 16.0f);
  for (int y = 0; y < N; ++y)
    for (int x = 0; x < N; ++x) {
      Rgba v = Scale(c.At(x, y), light.At(x, y));
      if (std::min({x, N - 1 - x, y, N - 1 - y}) < 2) v = Hex(0x101012);
      c.At(x, y) = WithAlpha(v, 1);
    }
  return c;
}

// --- Floors 11-20: pale limestone ------------------------------------------------------------

Canvas LimeWall() {
  Masonry mas = MakeMasonry(81, 58, 76, 90, 150);
  BlockLook look;
  look.mortar = 2.0f;
  look.round = 4.0f;
  look.warp = 2.5f;
  look.relief = 2.0f;
  look.roughness = 0.15f;
  look.stone = [](int x, int y, const Masonry::Hit& h) {
    Rgba c = Stony(Hex(0x9ca290), x, y, h.id, 83, 0.16f, 0.18f);
    c = Mix(c, Hex(0x8fa08a), Smoothstep(0.5f, 0.75f, Fbm(x, y, 8, 4, 84)) * 0.5f);
    float cr = std::max(Crack(x, y, 4, 85, 1.5f), Crack(x, y, 7, 86, 1.0f) * 0.7f);
    c = Mix(c, Hex(0x4c5246), cr * 0.85f);
    // Pits in the chalk.
    Cell pit = TileCells(x, y, 16, N, 87);
    if (pit.f1 < 0.12f && (pit.id & 3) == 0) c = Scale(c, 0.72f + pit.f1 * 2);
    // Stains running down.
    float stain = Smoothstep(0.55f, 0.85f, TileFbm(x * 4.0f, y * 0.5f, 16, N, 3, 88)) * (h.top / 80.0f);
    return Mix(c, Hex(0x7d8a6e), std::min(0.6f, stain));
  };
  look.mortarColour = [](int x, int y) { return Scale(Hex(0x6e7266), 0.85f + 0.3f * Fbm(x, y, 32, 2, 89)); };
  return BlockWall(mas, look, 90);
}

Canvas LimeFloor() {
  Masonry mas = RunningBond(128, 128, 0);
  mas.cuts[0] = {0, 128};
  mas.cuts[1] = {64, 192};
  BlockLook look;
  look.mortar = 2.0f;
  look.round = 5.0f;
  look.warp = 2.0f;
  look.relief = 1.6f;
  look.stone = [](int x, int y, const Masonry::Hit& h) {
    Rgba c = Stony(Hex(0x969a8a), x, y, h.id, 91, 0.14f, 0.22f);
    float cr = std::max(Crack(x, y, 3, 92, 1.6f), Crack(x, y, 6, 93, 1.0f) * 0.6f);
    c = Mix(c, Hex(0x4a4e44), cr * 0.85f);
    return Mix(c, Hex(0x869a80), Smoothstep(0.55f, 0.8f, Fbm(x, y, 4, 4, 94)) * 0.45f);
  };
  look.mortarColour = [](int x, int y) { return Scale(Hex(0x5a5e54), 0.85f + 0.3f * Fbm(x, y, 32, 2, 95)); };
  return BlockWall(mas, look, 96);
}

// --- Floors 21-26: oxidised copper -----------------------------------------------------------

Canvas CopperWall() {
  Canvas c(N, N);
  Mask height(N, N), rivet(N, N);
  for (int py = 0; py < 2; ++py)
    for (int px = 0; px < 2; ++px)
      for (int i = 0; i < 4; ++i) {
        float t = 16 + i * 32.0f;
        float bx = px * 128.0f, by = py * 128.0f;
        FillEllipse(rivet, bx + 9, by + t, 3.6f, 3.6f, 1, true);
        FillEllipse(rivet, bx + 119, by + t, 3.6f, 3.6f, 1, true);
        FillEllipse(rivet, bx + t, by + 9, 3.6f, 3.6f, 1, true);
        FillEllipse(rivet, bx + t, by + 119, 3.6f, 3.6f, 1, true);
      }
  for (int y = 0; y < N; ++y)
    for (int x = 0; x < N; ++x) {
      int lx = x % 128, ly = y % 128;
      float seam = std::min({lx, 127 - lx, ly, 127 - ly}) + 0.5f;
      uint32_t id = Hash(x / 128, y / 128, 101);
      Rgba copper = Scale(Mix(Hex(0xb06a3e), Hex(0x8a4a2a), (id & 255) / 255.0f),
                          0.85f + 0.3f * Fbm(x, y, 32, 4, 102));
      // Verdigris: patches and streaks running down from the rivet rows.
      float patch = Smoothstep(0.52f, 0.72f, Fbm(x, y, 16, 5, 103));
      float streak = Smoothstep(0.5f, 0.85f, TileFbm(x * 5.0f, y * 0.3f, 16, N, 3, 104)) *
                     (0.4f + 0.6f * Smoothstep(0, 100, static_cast<float>(ly)));
      float v = std::min(1.0f, patch * 0.8f + streak * 0.8f);
      Rgba verd = Scale(Mix(Hex(0x3e9c84), Hex(0x6cc4a0), Fbm(x, y, 32, 2, 105)), 0.9f);
      Rgba cc = Mix(copper, verd, v);
      // Plate seams are dark and verdigris gathers along them.
      float h = Smoothstep(1, 4, seam) * (0.6f + 0.1f * Fbm(x, y, 16, 2, 106));
      if (seam < 2) cc = Hex(0x1a2420);
      float r = rivet.At(x, y);
      cc = Mix(cc, Mix(Hex(0xc88a5a), verd, v * 0.5f), r);
      h += r * 0.6f;
      // Dents.
      h += (Fbm(x, y, 8, 2, 107) - 0.5f) * 0.15f;
      height.At(x, y) = h;
      c.At(x, y) = WithAlpha(cc, 1);
    }
  Mask light = HeightLight(height, 12.0f);
  for (int y = 0; y < N; ++y)
    for (int x = 0; x < N; ++x) c.At(x, y) = Scale(c.At(x, y), light.At(x, y));
  return c;
}

Canvas CopperFloor() {
  Canvas c(N, N);
  Mask height(N, N);
  const int pitch = 32;
  for (int y = 0; y < N; ++y)
    for (int x = 0; x < N; ++x) {
      int gx = x % pitch, gy = y % pitch;
      float dx = std::min(gx, pitch - gx) + 0.5f, dy = std::min(gy, pitch - gy) + 0.5f;
      float bar = std::max(1 - Smoothstep(4, 6, dx), 1 - Smoothstep(4, 6, dy));
      // The holes show a faint toxic glow from below.
      float hole = 1 - bar;
      float depth = std::min(dx, dy);
      Rgba below = Mix(Hex(0x0c140e), Hex(0x2e5a2a), Smoothstep(0.3f, 0.8f, Fbm(x, y, 4, 3, 111)) *
                                                     (0.4f + 0.6f * Smoothstep(6, 14, depth)));
      Rgba metal = Scale(Hex(0x7a6a58), 0.8f + 0.35f * Fbm(x, y, 32, 4, 112));
      metal = Mix(metal, Hex(0x3e8c74), Smoothstep(0.5f, 0.75f, Fbm(x, y, 8, 4, 113)) * 0.8f);
      // Cross-hatched tread on the bars.
      if (((x + y) / 3) % 3 == 0 && bar > 0.9f) metal = Scale(metal, 1.12f);
      Rgba cc = Mix(below, metal, bar);
      float h = bar * (0.8f + ((gx < 6 || gx > pitch - 6) && (gy < 6 || gy > pitch - 6) ? 0.25f : 0.0f));
      height.At(x, y) = h + hole * 0.0f;
      c.At(x, y) = WithAlpha(cc, 1);
    }
  Mask light = HeightLight(height, 6.0f);
  for (int y = 0; y < N; ++y)
    for (int x = 0; x < N; ++x) c.At(x, y) = Scale(c.At(x, y), light.At(x, y));
  return c;
}

// --- Floors 27-30: the living membrane -------------------------------------------------------

Canvas MelpaimsWall() {
  Canvas c(N, N);
  Mask height(N, N);
  std::vector<Rgba> col(N * N);
  for (int y = 0; y < N; ++y)
    for (int x = 0; x < N; ++x) {
      float wx = (Fbm(x, y, 8, 3, 121) - 0.5f) * 24, wy = (Fbm(x, y, 8, 3, 122) - 0.5f) * 24;
      Cell big = TileCells(x + wx, y + wy, 5, N, 123);
      Cell small = TileCells(x + wx * 0.5f, y + wy * 0.5f, 12, N, 124);
      float d = big.f2 - big.f1;
      float vein = 1 - Smoothstep(0.02f, 0.22f, d);
      float core = 1 - Smoothstep(0.0f, 0.07f, d);
      float capillary = (1 - Smoothstep(0.005f, 0.035f, small.f2 - small.f1)) * 0.7f *
                        Smoothstep(0.4f, 0.6f, Fbm(x, y, 8, 2, 127));
      Rgba flesh = Mix(Hex(0x5e3478), Hex(0x8a4a96), Fbm(x, y, 16, 4, 125));
      flesh = Scale(flesh, 0.75f + 0.4f * (1 - big.f1));
      Rgba cc = Mix(flesh, Hex(0x1a0824), std::max(vein * vein * 0.95f, capillary));
      // The glowing sap inside the veins, added on top.
      float glow = core * core * (0.7f + 0.3f * Fbm(x, y, 8, 2, 128));
      cc = Rgba{cc.r + glow * 0.95f, cc.g + glow * 0.42f, cc.b + glow * 1.0f, 1};
      col[y * N + x] = cc;
      height.At(x, y) = (1 - big.f1 * 0.9f) * 0.6f - vein * 0.2f + (Fbm(x, y, 32, 3, 126) - 0.5f) * 0.04f;
    }
  Mask light = HeightLight(height, 7.0f);
  for (int y = 0; y < N; ++y)
    for (int x = 0; x < N; ++x) {
      Rgba v = Scale(col[y * N + x], light.At(x, y));
      c.At(x, y) = WithAlpha(v, 1);
    }
  return c;
}

Canvas MelpaimsFloor() {
  return Flagstones(
      6, 131, 2.0f,
      [](int x, int y, uint32_t id) {
        Rgba c = Mix(Hex(0x8a4478), Hex(0x6e3a82), (id & 255) / 255.0f);
        c = Scale(c, 0.85f + 0.3f * Fbm(x, y, 32, 3, 132));
        float vein = Crack(x, y, 8, 133, 1.2f);
        return Mix(c, Hex(0xc060e0), vein * 0.6f);
      },
      [](int x, int y) { return Mix(Hex(0x1e0a26), Hex(0x5a1a5a), Fbm(x, y, 16, 2, 134) * 0.6f); }, 2.5f, 0.6f);
}

struct TextureRecipe {
  const char* stem;
  bool seamless;
  Canvas (*make)();
};

const TextureRecipe kTextures[] = {
    {"rock", true, RockWall},         {"rock-floor", true, RockFloor},       {"door-one", false, DoorOne},
    {"clay", true, ClayWall},         {"clay-floor", true, ClayFloor},       {"door-two", false, DoorTwo},
    {"lime", true, LimeWall},         {"lime-floor", true, LimeFloor},       {"copper", true, CopperWall},
    {"copper-floor", true, CopperFloor}, {"melpaims", true, MelpaimsWall}, {"melpaims-floor", true, MelpaimsFloor},
};

}  // namespace

const std::vector<TextureEntry>& FloorTextureList() {
  static const std::vector<TextureEntry> list = [] {
    std::vector<TextureEntry> v;
    for (const TextureRecipe& t : kTextures) v.push_back({t.stem, t.seamless});
    return v;
  }();
  return list;
}

Canvas FloorTexture(const std::string& stem) {
  for (const TextureRecipe& t : kTextures)
    if (stem == t.stem) return t.make();
  return Canvas();
}

int GenerateFloorTextures(const std::string& outDir) {
  for (const TextureRecipe& t : kTextures)
    if (WritePNG(outDir + "/img/walls/" + t.stem + ".png", t.make(), false) != 0) return -1;
  return 0;
}

}  // namespace assetgen
