// Collision of bodies and rays with the walls, doors, stairs, floor and ceiling of the floor.
//
// Bodies are tested in the map frame: world units divided by halfCell with z reversed, so that
// the body's cell spans -1 to +1 in the local lx (along world x) and lz (along world -z), and
// the floor and ceiling lie at cy = -1 and +1. The map's +x side of a cell is lz = +1, -x is
// lz = -1, +y is lx = +1 and -y is lx = -1.
#include <algorithm>
#include <cmath>

#include "common/angles.h"
#include "dungeon/dungeonconst.h"
#include "dungeon/dungeonfloor.h"

using QUORL_COMMON::_Collision;

namespace {

using QUORL_COMMON::RADIANS_PER_DEGREE;

// A side of a cell for the collision code.
struct ColSide {
  int wall, door;
  int dRow, dCol;       // step to the neighbour on this side
  bool acrossZ;         // the side's plane is lz = sign (else lx = sign)
  double sign;          // +1 or -1
  double doorFrom, doorTo;   // headings (from, to] that face the door
  double stairFrom, stairTo; // headings facing stairs beside; (from, to] or [from, to)
  bool stairClosedEnd;  // true: (from, to]; false: [from, to)
};
enum { SIDE_PX, SIDE_MX, SIDE_PY, SIDE_MY };
const ColSide kSides[4] = {
    {DungeonConst::WALL_RIGHT, DungeonConst::DOOR_RIGHT, 0, 1, true, 1.0, 315, 45, 270, 90, true},
    {DungeonConst::WALL_LEFT, DungeonConst::DOOR_LEFT, 0, -1, true, -1.0, 135, 225, 90, 270, true},
    {DungeonConst::WALL_DOWN, DungeonConst::DOOR_DOWN, 1, 0, false, 1.0, 45, 135, 0, 180, false},
    {DungeonConst::WALL_UP, DungeonConst::DOOR_UP, -1, 0, false, -1.0, 225, 315, 180, 360, false},
};
// Order in which stairs beside the cell are added as walls.
const int kStairSideOrder[4] = {SIDE_MX, SIDE_PX, SIDE_MY, SIDE_PY};

// The convex corners tested at the ends of each side across z, in the order they are tried.
struct Corner {
  int zSide, ySide;
};
const Corner kCornersOf[2][2] = {
    {{SIDE_PX, SIDE_MY}, {SIDE_PX, SIDE_PY}},
    {{SIDE_MX, SIDE_MY}, {SIDE_MX, SIDE_PY}},
};

// Heading in [0, 360); non-finite values stay non-finite (and then face nothing).
double Heading(double yaw) {
  double h = std::fmod(yaw, 360.0);
  if (h < 0) h += 360.0;
  if (h >= 360.0) h -= 360.0;
  return h;
}

// Whether heading h (in [0, 360)) lies on the arc from `from` to `to` (increasing, wrapping).
bool InArc(double h, double from, double to, bool closedEnd) {
  const double span = Heading(to - from) == 0.0 ? 360.0 : Heading(to - from);
  const double d = Heading(h - from);
  return closedEnd ? (d > 0.0 && d <= span) : (d >= 0.0 && d < span);
}

// The body's cell value and its four neighbours (rock off the map).
struct Around {
  int c;
  int nb[4];
};

// Whether stairs beside count as a wall on side k for this body.
bool StairsBlock(const ColSide& side, bool passDoors, double heading) {
  if (!passDoors) return true;
  return !InArc(heading, side.stairFrom, side.stairTo, side.stairClosedEnd);
}

// Adds the walls of stairs beside the cell.
int AddStairsBeside(const Around& around, int c, bool passDoors, double heading) {
  for (int k : kStairSideOrder) {
    const ColSide& side = kSides[k];
    if ((around.nb[k] & DungeonConst::FLOOR_STEP) && StairsBlock(side, passDoors, heading)) {
      c |= side.wall;
    }
  }
  return c;
}

// Whether a passDoors sphere passes the door of a side at lateral position `lateral`.
bool DoorLetsThrough(const ColSide& side, int c, bool passDoors, double heading, double lateral) {
  if (!passDoors || !(c & side.door)) return false;
  if (!InArc(heading, side.doorFrom, side.doorTo, true)) return false;
  return lateral >= DungeonConst::DoorPos &&
         lateral <= DungeonConst::DoorPos + DungeonConst::DoorSize;
}

// Push of a wall side on the coordinate q across it (sign * q + r > 1): the correction, or 0.
bool WallPush(const ColSide& side, double q, double r, double* delta) {
  if (side.sign > 0) {
    if (q + r > 1.0) {
      *delta = -(q + r - 1.0);
      return true;
    }
  } else if (q - r < -1.0) {
    *delta = -1.0 - (q - r);
    return true;
  }
  return false;
}

// Push of a convex corner on the point (px, pz): (r - d) along the unit vector from the corner
// to the point when d < r. A point exactly on the corner is pushed towards the cell's middle.
bool CornerPush(const Corner& corner, const Around& around, int c, double px, double pz, double r,
                double* dx, double* dz) {
  const ColSide& zs = kSides[corner.zSide];
  const ColSide& ys = kSides[corner.ySide];
  if ((c & zs.wall) || (c & ys.wall)) return false;
  if (!(around.nb[corner.zSide] & ys.wall) && !(around.nb[corner.ySide] & zs.wall)) return false;
  const double cornerX = ys.sign;
  const double cornerZ = zs.sign;
  const double vx = px - cornerX;
  const double vz = pz - cornerZ;
  const double d = std::sqrt(vx * vx + vz * vz);
  if (!(d < r)) return false;
  double ux, uz;
  if (d > 0.0) {
    ux = vx / d;
    uz = vz / d;
  } else {
    ux = -cornerX / std::sqrt(2.0);
    uz = -cornerZ / std::sqrt(2.0);
  }
  *dx = (r - d) * ux;
  *dz = (r - d) * uz;
  return true;
}

// A body's cell, held to the map's first and last row and column (bodies beyond the map), and
// its local position in that cell.
struct LocalPos {
  int row, column;
  double lx, cy, lz;
};
LocalPos HeldLocal(const DungeonFloor& floor, const float* pos, double S) {
  int cell[3], rows, cols;
  floor.getWorldtoMap(pos, cell);
  floor.MapSize(&rows, &cols);
  LocalPos p;
  p.row = std::max(0, std::min(cell[0], rows - 1));
  p.column = std::max(0, std::min(cell[2], cols - 1));
  p.lx = pos[0] / S - 2.0 * p.row;
  p.cy = pos[1] / S;
  p.lz = -pos[2] / S - 2.0 * p.column;
  return p;
}

// Writes `pos` moved by a correction in local units (lx, cy, lz) into `out`; returns 1 on a hit.
int Moved(const float* pos, double S, double dlx, double dcy, double dlz, bool hit, float* out) {
  out[0] = static_cast<float>(pos[0] + S * dlx);
  out[1] = static_cast<float>(pos[1] + S * dcy);
  out[2] = static_cast<float>(pos[2] - S * dlz);
  return hit ? 1 : 0;
}

}  // namespace

int DungeonFloor::Collision(const _Collision* query, float* out) const {
  switch (query->type) {
    case QUORL_COMMON::COL_SPHERE: return Col_Sphere(query, out);
    case QUORL_COMMON::COL_SPHERES: return Col_Spheres(query, out);
    case QUORL_COMMON::COL_CYLINDER: return Col_Cylinder(query, out);
    case QUORL_COMMON::COL_CUBE: return Col_Cube(query, out);
    case QUORL_COMMON::COL_RAY: return Col_Ray(query, out);
    default: return 0;
  }
}

int DungeonFloor::Col_Sphere(const _Collision* query, float* out) const {
  const double S = halfCell;
  int cell[3];
  getWorldtoMap(query->pos, cell);
  const double lx = query->pos[0] / S - 2.0 * cell[0];
  const double cy = query->pos[1] / S;
  const double lz = -query->pos[2] / S - 2.0 * cell[2];
  const double r = query->shape.sphere.radius / S;
  const double heading = Heading(query->yaw);
  const bool passDoors = query->passDoors;

  Around around;
  around.c = getCell(cell[0], cell[2]);
  for (int k = 0; k < 4; ++k) {
    around.nb[k] = getCell(cell[0] + kSides[k].dRow, cell[2] + kSides[k].dCol);
  }
  const int c = AddStairsBeside(around, around.c, passDoors, heading);

  double dlx = 0.0, dcy = 0.0, dlz = 0.0;
  bool hit = false;
  for (int k = 0; k < 4; ++k) {
    const ColSide& side = kSides[k];
    const double across = side.acrossZ ? lz : lx;
    const double lateral = side.acrossZ ? lx : lz;
    if (c & side.wall) {
      double delta;
      if (WallPush(side, across, r, &delta) &&
          !DoorLetsThrough(side, c, passDoors, heading, lateral)) {
        (side.acrossZ ? dlz : dlx) += delta;
        hit = true;
      }
    } else if (side.acrossZ) {
      for (const Corner& corner : kCornersOf[k]) {
        double dx, dz;
        if (CornerPush(corner, around, c, lx, lz, r, &dx, &dz)) {
          dlx += dx;
          dlz += dz;
          hit = true;
        }
      }
    }
  }
  if (cy + r > 1.0) {
    dcy += -(cy + r - 1.0);
    hit = true;
  }
  if (cy - r < -1.0) {
    dcy += -1.0 - (cy - r);
    hit = true;
  }
  return Moved(query->pos, S, dlx, dcy, dlz, hit, out);
}

int DungeonFloor::Col_Spheres(const _Collision* query, float* out) const {
  const QUORL_COMMON::_ColSpheres& set = query->shape.spheres;
  float accumulated[3] = {0.0f, 0.0f, 0.0f};
  int result = 0;
  const bool arrays = set.radii && set.yawOffsets && set.pitchOffsets && set.distances;
  const int count = arrays ? set.count : 0;
  for (int i = 0; i < count; ++i) {
    const double Y = (static_cast<double>(set.yawOffsets[i]) + query->yaw) * RADIANS_PER_DEGREE;
    const double P = (static_cast<double>(set.pitchOffsets[i]) + query->pitch) * RADIANS_PER_DEGREE;
    const double dist = set.distances[i];
    _Collision sphere = {};
    sphere.type = QUORL_COMMON::COL_SPHERE;
    sphere.pos[0] = static_cast<float>(query->pos[0] + dist * std::sin(Y) * std::cos(P));
    sphere.pos[1] = static_cast<float>(query->pos[1] + dist * std::sin(P));
    sphere.pos[2] = static_cast<float>(query->pos[2] + dist * std::cos(Y) * std::cos(P));
    sphere.shape.sphere.radius = set.radii[i];
    float moved[3];
    const int touched = Col_Sphere(&sphere, moved);
    if (touched == 0) continue;
    result = touched;
    for (int a = 0; a < 3; ++a) {
      const float correction = moved[a] - sphere.pos[a];
      if (std::fabs(correction) > std::fabs(accumulated[a])) accumulated[a] = correction;
    }
  }
  for (int a = 0; a < 3; ++a) out[a] = query->pos[a] + accumulated[a];
  return result;
}

int DungeonFloor::Col_Cylinder(const _Collision* query, float* out) const {
  const double S = halfCell;
  const QUORL_COMMON::_ColCylinder& cyl = query->shape.cylinder;
  const LocalPos at = HeldLocal(*this, query->pos, S);
  const int row = at.row, column = at.column;
  const double lx = at.lx, cy = at.cy, lz = at.lz;
  const double r = cyl.radius / S;
  const double h = cyl.length / 2.0 / S;
  const double yawSum = static_cast<double>(query->yaw) + cyl.yawOffset;
  const double Y = yawSum * RADIANS_PER_DEGREE;
  const double P = (static_cast<double>(query->pitch) + cyl.pitchOffset) * RADIANS_PER_DEGREE;
  const double axis[3] = {std::sin(Y) * std::cos(P), std::sin(P), std::cos(Y) * std::cos(P)};

  Around around;
  around.c = StairWalls(getCell(row, column));
  for (int k = 0; k < 4; ++k) {
    around.nb[k] = getCell(row + kSides[k].dRow, column + kSides[k].dCol);
  }
  const int c = AddStairsBeside(around, around.c, query->passDoors, Heading(yawSum));

  double correction[3] = {0.0, 0.0, 0.0};  // lx, cy, lz
  bool hit = false;
  for (int p = 0; p < 3; ++p) {
    const double t = h * (1 - p);  // +h, 0, -h along the axis
    const double px = lx + t * axis[0];
    const double py = cy + t * axis[1];
    const double pz = lz + t * axis[2];
    for (int k = 0; k < 4; ++k) {
      const ColSide& side = kSides[k];
      const double across = side.acrossZ ? pz : px;
      const double lateral = side.acrossZ ? px : pz;
      if (c & side.wall) {
        double delta;
        if (lateral > -1.0 && lateral < 1.0 && WallPush(side, across, r, &delta)) {
          correction[side.acrossZ ? 2 : 0] = delta;
          hit = true;
        }
      } else if (side.acrossZ) {
        for (const Corner& corner : kCornersOf[k]) {
          double dx, dz;
          if (CornerPush(corner, around, c, px, pz, r, &dx, &dz)) {
            correction[0] = dx;
            correction[2] = dz;
            hit = true;
          }
        }
      }
    }
    if (py + r > 1.0) {
      correction[1] = -(py + r - 1.0);
      hit = true;
    }
    if (py - r < -1.0) {
      correction[1] = -1.0 - (py - r);
      hit = true;
    }
  }
  return Moved(query->pos, S, correction[0], correction[1], correction[2], hit, out);
}

int DungeonFloor::Col_Cube(const _Collision* query, float* out) const {
  const double S = halfCell;
  const LocalPos at = HeldLocal(*this, query->pos, S);
  const int row = at.row, column = at.column;
  const double lx = at.lx, cy = at.cy, lz = at.lz;
  const int c = getCell(row, column);

  double correction[3] = {0.0, 0.0, 0.0};  // lx, cy, lz
  bool hit = false;
  for (const float* corner : query->shape.cube.corners) {
    // The corner offsets are added as they are: their z counts in the map frame.
    const double px = corner[0] / S + lx;
    const double py = corner[1] / S + cy;
    const double pz = corner[2] / S + lz;
    for (const ColSide& side : kSides) {
      if (!(c & side.wall) || (c & side.door)) continue;
      double delta;
      if (WallPush(side, side.acrossZ ? pz : px, 0.0, &delta)) {
        correction[side.acrossZ ? 2 : 0] = delta;
        hit = true;
      }
    }
    if (py > 1.0) {
      correction[1] = -(py - 1.0);
      hit = true;
    } else if (py < -1.0) {
      correction[1] = -1.0 - py;
      hit = true;
    }
  }
  return Moved(query->pos, S, correction[0], correction[1], correction[2], hit, out);
}

namespace {

// A face of a cell for the ray walk: wall bit (0: always tested), outward normal, and the signs
// of its four corners' offsets from the cell's centre (x, y, z reversed).
struct RayFace {
  int wall;
  float normal[3];
  signed char corner[4][3];
};
const RayFace kRayFaces[6] = {
    {0, {0, 1, 0}, {{-1, 1, -1}, {-1, 1, 1}, {1, 1, 1}, {1, 1, -1}}},        // ceiling
    {0, {0, -1, 0}, {{-1, -1, -1}, {-1, -1, 1}, {1, -1, 1}, {1, -1, -1}}},   // floor
    {DungeonConst::WALL_RIGHT, {0, 0, 1}, {{-1, -1, 1}, {-1, 1, 1}, {1, 1, 1}, {1, -1, 1}}},
    {DungeonConst::WALL_LEFT, {0, 0, -1}, {{-1, -1, -1}, {-1, 1, -1}, {1, 1, -1}, {1, -1, -1}}},
    {DungeonConst::WALL_DOWN, {1, 0, 0}, {{1, -1, -1}, {1, -1, 1}, {1, 1, 1}, {1, 1, -1}}},
    {DungeonConst::WALL_UP, {-1, 0, 0}, {{-1, -1, -1}, {-1, -1, 1}, {-1, 1, 1}, {-1, 1, -1}}},
};

}  // namespace

int DungeonFloor::Col_Ray(const _Collision* query, float* out) const {
  out[0] = query->pos[0];
  out[1] = query->pos[1];
  out[2] = query->pos[2];
  const double Yd = Heading(static_cast<double>(query->yaw) + query->shape.ray.yawOffset);
  const double P = (static_cast<double>(query->pitch) + query->shape.ray.pitchOffset) * RADIANS_PER_DEGREE;
  const double Y = Yd * RADIANS_PER_DEGREE;
  const float origin[3] = {query->pos[0], query->pos[1], -query->pos[2]};
  const float dir[3] = {static_cast<float>(std::sin(Y) * std::cos(P)),
                        static_cast<float>(-std::sin(P)),
                        static_cast<float>(std::cos(Y) * std::cos(P))};

  int cell[3];
  getWorldtoMap(query->pos, cell);
  int row = cell[0];
  int column = cell[2];
  const int startColumn = column;
  const int rowStep = (Yd > 0 && Yd < 180) ? 1 : (Yd > 180 && Yd < 360) ? -1 : 0;
  const int colStep = (Yd > 270 || Yd < 90) ? 1 : (Yd > 90 && Yd < 270) ? -1 : 0;

  const float s = static_cast<float>(halfCell);
  // The walk visits each cell of the map at most once; the bound also ends walks that start far
  // off the map (they report no hit).
  for (int visits = 0; visits <= (rows + 1) * (cols + 1); ++visits) {
    const int c = StairWalls(getCell(row, column));
    if (!(c & DungeonConst::FLOOR_NONE)) {
      const float a = 2 * s * row;
      const float b = 2 * s * column;
      for (const RayFace& face : kRayFaces) {
        if (face.wall != 0 && !(c & face.wall)) continue;
        const float facing =
            face.normal[0] * dir[0] + face.normal[1] * dir[1] + face.normal[2] * dir[2];
        if (!(facing > 0.0f)) continue;
        float quad[4][3];
        for (int k = 0; k < 4; ++k) {
          quad[k][0] = a + s * face.corner[k][0];
          quad[k][1] = s * face.corner[k][1];
          quad[k][2] = b + s * face.corner[k][2];
        }
        if (QUORL_COMMON::ImpactRayFace(origin, dir, quad[0], face.normal, quad, out)) return 1;
      }
    }
    if (rowStep == 0 && colStep == 0) return -1;  // no direction (non-finite angles)
    if (colStep == 0) {
      row += rowStep;
      if (row < 0 || row >= rows) return -1;
    } else {
      column += colStep;
      if (column < 0 || column >= cols) {
        column = startColumn;
        if (rowStep == 0) return -1;
        row += rowStep;
        if (row < 0 || row >= rows) return -1;
      }
    }
  }
  return -1;
}
