// Fuzz target: random maps, bodies and rays against the floor's collision and map queries. Any
// read outside the map arrays is caught by the sanitizers; a ray must end with 1 or -1.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "common/collision.h"
#include "dungeon/dungeonfloor.h"

namespace {

// Bytes of the input front to back; zeros once it runs out.
struct Bytes {
  const uint8_t* data;
  size_t size, at;
  uint8_t Byte() { return at < size ? data[at++] : 0; }
  int Int() {
    uint32_t w = 0;
    for (int k = 0; k < 4; ++k) w = w << 8 | Byte();
    return static_cast<int>(w);
  }
  // Mostly a value in [lo, hi]; sometimes any float at all (NaN, infinities, huge values).
  float Float(float lo, float hi) {
    if (Byte() >= 16) return lo + (hi - lo) * (Byte() / 255.0f);
    const int w = Int();
    float f;
    memcpy(&f, &w, sizeof(f));
    return f;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Bytes in = {data, size, 0};
  const int rows = 1 + in.Byte() % 20, cols = 1 + in.Byte() % 20;
  std::vector<int> cells(rows * cols);
  for (int& c : cells) {  // mostly walls and doors, rock or stairs; sometimes any int
    const uint8_t pick = in.Byte();
    c = pick < 160 ? in.Byte() : pick < 200 ? 256 : pick < 240 ? 512 | 1 << (pick & 3) : in.Int();
  }
  DungeonFloor dungeon;
  if (dungeon.SetMapData(cells.data(), rows, cols, in.Int(), in.Int()) != 0) abort();
  float values[4][8];  // radii, yaw and pitch offsets, distances of up to 8 spheres
  for (int query = 0; query < 64 && in.at < in.size; ++query) {
    QUORL_COMMON::_Collision c = {};
    c.type = in.Byte() % 8;
    c.pos[0] = in.Float(-8.0f, 4.0f * rows + 8.0f);
    c.pos[1] = in.Float(-3.0f, 3.0f);
    c.pos[2] = in.Float(-4.0f * cols - 8.0f, 8.0f);
    c.yaw = in.Float(-360.0f, 720.0f);
    c.pitch = in.Float(-90.0f, 90.0f);
    c.passDoors = in.Byte() & 1;
    if (c.type == QUORL_COMMON::COL_SPHERES) {
      for (auto& v : values)
        for (float& f : v) f = in.Float(-3.0f, 3.0f);
      c.shape.spheres = {in.Byte() % 9, values[0], values[1], values[2], values[3]};
    } else if (c.type == QUORL_COMMON::COL_CUBE) {
      for (auto& corner : c.shape.cube.corners)
        for (float& v : corner) v = in.Float(-2.0f, 2.0f);
    } else {
      const float f[4] = {in.Float(0.0f, 2.0f), in.Float(0.0f, 3.0f), in.Float(-360.0f, 360.0f),
                          in.Float(-180.0f, 180.0f)};
      if (c.type == QUORL_COMMON::COL_SPHERE) c.shape.sphere.radius = f[0];
      if (c.type == QUORL_COMMON::COL_CYLINDER) c.shape.cylinder = {f[0], f[1], f[2], f[3]};
      if (c.type == QUORL_COMMON::COL_RAY) c.shape.ray = {f[2], f[3]};
    }
    float out[3] = {0, 0, 0};
    const int result = dungeon.Collision(&c, out);
    if (c.type == QUORL_COMMON::COL_RAY && result != 1 && result != -1) abort();
    dungeon.SetDrawArea(c.pos, c.yaw);
    int cell[3];
    dungeon.getWorldtoMap(c.pos, cell);
    dungeon.isVisibleMap(c.pos);
    dungeon.ThroughDoor(c.pos);
    dungeon.DownFloor(c.pos);
    dungeon.isFloor(cell[0], cell[2]);
    dungeon.isFloor(in.Int(), cell[2]);
  }
  return 0;
}
