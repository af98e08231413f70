// Fuzz target: random maps, bodies and rays against the floor's collision and map queries. Any
// read outside the map arrays is caught by the sanitizers; a ray must end with 1 or -1.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "common/collision.h"
#include "dungeon/dungeonfloor.h"

namespace {

// Takes bytes from the input front to back; zeros once it runs out.
class Bytes {
 public:
  Bytes(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool empty() const { return at_ >= size_; }
  uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  uint32_t Word() {
    uint32_t w = 0;
    for (int k = 0; k < 4; ++k) w = (w << 8) | Byte();
    return w;
  }
  int Int() {
    const uint32_t w = Word();
    int v;
    memcpy(&v, &w, sizeof(v));
    return v;
  }
  // Mostly a value in [lo, hi]; sometimes any float at all (NaN, infinities, huge values).
  float Float(float lo, float hi) {
    const uint8_t kind = Byte();
    if (kind < 16) {
      const uint32_t w = Word();
      float f;
      memcpy(&f, &w, sizeof(f));
      return f;
    }
    const uint16_t fine = static_cast<uint16_t>((Byte() << 8) | Byte());
    return lo + (hi - lo) * (fine / 65535.0f);
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

// A cell value: mostly well-formed codes, sometimes any int.
int Cell(Bytes* in) {
  const uint8_t pick = in->Byte();
  if (pick < 160) {
    const int walls = pick & 15;
    return walls | ((walls << 4) & (in->Byte() << 4) & 0xF0);
  }
  if (pick < 200) return 256;
  if (pick < 240) return 512 | (1 << (pick & 3));
  return in->Int();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Bytes in(data, size);
  const int rows = 1 + in.Byte() % 20;
  const int cols = 1 + in.Byte() % 20;
  std::vector<int> cells(rows * cols);
  for (int& c : cells) c = Cell(&in);
  DungeonFloor dungeon;
  if (dungeon.SetMapData(cells.data(), rows, cols, in.Int(), in.Int()) != 0) abort();

  float radii[8], yaws[8], pitches[8], distances[8];
  for (int query = 0; query < 64 && !in.empty(); ++query) {
    QUORL_COMMON::_Collision c = {};
    const int type = in.Byte() % 8;
    c.type = type;
    c.pos[0] = in.Float(-8.0f, 4.0f * rows + 8.0f);
    c.pos[1] = in.Float(-3.0f, 3.0f);
    c.pos[2] = in.Float(-4.0f * cols - 8.0f, 8.0f);
    c.yaw = in.Float(0.0f, 360.0f);
    c.pitch = in.Float(-90.0f, 90.0f);
    c.passDoors = in.Byte() & 1;
    switch (type) {
      case QUORL_COMMON::COL_SPHERE: c.shape.sphere.radius = in.Float(0.0f, 2.0f); break;
      case QUORL_COMMON::COL_SPHERES: {
        const int count = in.Byte() % 9;
        for (int k = 0; k < count; ++k) {
          radii[k] = in.Float(0.0f, 2.0f);
          yaws[k] = in.Float(-360.0f, 360.0f);
          pitches[k] = in.Float(-90.0f, 90.0f);
          distances[k] = in.Float(0.0f, 3.0f);
        }
        c.shape.spheres = {count, radii, yaws, pitches, distances};
        break;
      }
      case QUORL_COMMON::COL_CYLINDER:
        c.shape.cylinder = {in.Float(0.0f, 2.0f), in.Float(0.0f, 3.0f), in.Float(-360.0f, 360.0f),
                            in.Float(-180.0f, 180.0f)};
        break;
      case QUORL_COMMON::COL_CUBE:
        for (auto& corner : c.shape.cube.corners)
          for (float& v : corner) v = in.Float(-2.0f, 2.0f);
        break;
      case QUORL_COMMON::COL_RAY:
        c.shape.ray = {in.Float(-360.0f, 360.0f), in.Float(-90.0f, 90.0f)};
        break;
      default: break;
    }
    float out[3] = {0, 0, 0};
    const int result = dungeon.Collision(&c, out);
    if (type == QUORL_COMMON::COL_RAY && result != 1 && result != -1) abort();

    dungeon.SetDrawArea(c.pos, c.yaw);
    dungeon.isVisibleMap(c.pos);
    dungeon.ThroughDoor(c.pos);
    dungeon.DownFloor(c.pos);
    int cell[3];
    dungeon.getWorldtoMap(c.pos, cell);
    dungeon.isFloor(cell[0], cell[2]);
    dungeon.isFloor(in.Int(), in.Int());
  }
  return 0;
}
