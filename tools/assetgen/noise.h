// Deterministic, tileable noise: hashed lattice values, fractal sums and cellular (Worley) noise.
#pragma once

#include <cstdint>

namespace assetgen {

// A 32-bit integer hash of (x, y) under `seed`; the basis of every random choice in the recipes.
uint32_t Hash(int32_t x, int32_t y, uint32_t seed);
// The same hash as a float in 0..1.
float Hash01(int32_t x, int32_t y, uint32_t seed);

// A small deterministic random sequence (xorshift) for recipes that need a stream of choices.
class Random {
 public:
  explicit Random(uint32_t seed) : s_(seed * 2654435761u + 0x9E3779B9u) { Next(); }
  uint32_t Next();
  float Uniform();                     // 0..1
  float Range(float lo, float hi);     // lo..hi
  int Int(int lo, int hi);             // lo..hi inclusive

 private:
  uint32_t s_;
};

// Value noise on a lattice of `cells` × `cells` that repeats every `period` pixels in x and y
// (coordinates in pixels); result 0..1.
float TileNoise(float x, float y, int cells, float period, uint32_t seed);
// A fractal sum of `octaves` TileNoise layers, doubling the cells each octave; result 0..1.
float TileFbm(float x, float y, int cells, float period, int octaves, uint32_t seed, float gain = 0.5f);

// Cellular noise on `cells` × `cells` jittered points repeating every `period` pixels: distances
// to the nearest and second nearest point (in cell units) and the nearest point's id.
struct Cell {
  float f1 = 0, f2 = 0;
  uint32_t id = 0;
  float cx = 0, cy = 0;  // the nearest point, in pixels (may lie outside 0..period)
};
Cell TileCells(float x, float y, int cells, float period, uint32_t seed, float jitter = 0.8f);

}  // namespace assetgen
