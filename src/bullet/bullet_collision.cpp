// Bullet hit tests: the player's ray against spheres, homing steering and capsules against
// cylinders.
#include <cmath>

#include "bullet/bullet.h"
#include "common/angles.h"

using QUORL_COMMON::_Collision;

namespace {

using QUORL_COMMON::Radians;

// (sin Y cos P, -sin P, -cos Y cos P): a heading of 0 points to -z, positive pitch downwards.
void Direction(double yaw, double pitch, double* d) {
  const double y = Radians(yaw);
  const double p = Radians(pitch);
  d[0] = std::sin(y) * std::cos(p);
  d[1] = -std::sin(p);
  d[2] = -std::cos(y) * std::cos(p);
}

double Dot(const double* a, const double* b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

double Distance2(const double* a, const double* b) {
  const double d[3] = {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
  return Dot(d, d);
}

// Result of a ray against one sphere: entered (and where), behind the origin, or missed.
enum RaySphere { RAY_MISS, RAY_HIT, RAY_BEHIND };

RaySphere RayAgainstSphere(const double* origin, const double* d, const double* centre,
                           double radius, double* entry) {
  const double w[3] = {centre[0] - origin[0], centre[1] - origin[1], centre[2] - origin[2]};
  const double t = Dot(d, w);
  if (!(t > 0.0)) return RAY_BEHIND;
  const double c[3] = {origin[0] + t * d[0], origin[1] + t * d[1], origin[2] + t * d[2]};
  const double e2 = Distance2(c, centre);
  const double r2 = radius * radius;
  if (!(e2 < r2)) return RAY_MISS;
  const double back = std::sqrt(r2 - e2);
  for (int i = 0; i < 3; i++) entry[i] = c[i] - d[i] * back;
  return RAY_HIT;
}

// A body as a segment: its unit axis u, half-length h (half the cylinder's length, 0 for a
// sphere), end A = pos + h u and the vector D = -2h u from A to its other end.
void BodySegment(const _Collision* body, double* u, double* h, double* a, double* da) {
  u[0] = u[1] = u[2] = 0.0;
  *h = 0.0;
  if (body->type == QUORL_COMMON::COL_CYLINDER) {
    *h = body->shape.cylinder.length / 2.0;
    Direction(body->shape.cylinder.yawOffset + static_cast<double>(body->yaw),
              body->shape.cylinder.pitchOffset + static_cast<double>(body->pitch), u);
  }
  for (int i = 0; i < 3; i++) {
    a[i] = body->pos[i] + *h * u[i];
    da[i] = -2.0 * *h * u[i];
  }
}

}  // namespace

int Bullet::Collision(const _Collision* body, float* hitPos) {
  if (body == nullptr) return 0;
  _Collision q = {};
  getCollision(&q);
  switch (type) {
    case 0:
      return CollisionRay(q, body, hitPos);
    case 11:
    case 31:
      return CollisionHoming(body);
    case 10:
    case 12:
    case 20:
    case 30:
      return CollisionCapsule(body);
    default:
      return 0;
  }
}

int Bullet::CollisionRay(const _Collision& q, const _Collision* body, float* hitPos) const {
  const double origin[3] = {q.pos[0], q.pos[1], q.pos[2]};
  double d[3];
  Direction(static_cast<double>(q.shape.ray.yawOffset) + q.yaw,
            static_cast<double>(q.shape.ray.pitchOffset) + q.pitch, d);
  double entry[3] = {0.0, 0.0, 0.0};
  RaySphere result = RAY_MISS;
  if (body->type == QUORL_COMMON::COL_SPHERE) {
    const double centre[3] = {body->pos[0], body->pos[1], body->pos[2]};
    result = RayAgainstSphere(origin, d, centre, body->shape.sphere.radius, entry);
  } else if (body->type == QUORL_COMMON::COL_SPHERES) {
    const QUORL_COMMON::_ColSpheres& set = body->shape.spheres;
    const bool complete = set.radii != nullptr && set.yawOffsets != nullptr &&
                          set.pitchOffsets != nullptr && set.distances != nullptr;
    for (int i = 0; complete && i < set.count; i++) {
      // Sphere i sits distances[i] from the body along (sin Y cos P, sin P, cos Y cos P).
      const double y = Radians(static_cast<double>(set.yawOffsets[i]) + body->yaw);
      const double p = Radians(static_cast<double>(set.pitchOffsets[i]) + body->pitch);
      const double r = set.distances[i];
      const double centre[3] = {body->pos[0] + r * std::sin(y) * std::cos(p),
                                body->pos[1] + r * std::sin(p),
                                body->pos[2] + r * std::cos(y) * std::cos(p)};
      result = RayAgainstSphere(origin, d, centre, set.radii[i], entry);
      // The first sphere entered, or the first lying behind the shot, ends the test.
      if (result != RAY_MISS) break;
    }
  }
  if (result != RAY_HIT) return 0;
  if (hitPos != nullptr) {
    for (int i = 0; i < 3; i++) hitPos[i] = static_cast<float>(entry[i]);
  }
  return damage;
}

int Bullet::CollisionHoming(const _Collision* body) {
  if (homing) {
    const double v[3] = {static_cast<double>(body->pos[0]) - pos[0],
                         static_cast<double>(body->pos[1]) + 0.5 - pos[1],
                         static_cast<double>(body->pos[2]) - pos[2]};
    const double length2 = Dot(v, v);
    if (length2 > 4.0) {
      // Farther than 2 units: turn towards the body (the drawn orientation stays).
      const double scale = speed / std::sqrt(length2);
      for (int i = 0; i < 3; i++) velocity[i] = static_cast<float>(v[i] * scale);
    } else {
      homing = false;
    }
    return 0;
  }
  if (body->type != QUORL_COMMON::COL_SPHERE && body->type != QUORL_COMMON::COL_CYLINDER) return 0;
  double u[3], h, a[3], da[3];
  BodySegment(body, u, &h, a, da);
  // t: how far along e = -u from end A the bullet lies; the closest point of the segment is A
  // before it, the other end beyond it, else A + t e.
  const double p[3] = {pos[0], pos[1], pos[2]};
  const double rel[3] = {p[0] - a[0], p[1] - a[1], p[2] - a[2]};
  const double t = -Dot(u, rel);
  double closest[3];
  for (int i = 0; i < 3; i++) {
    if (t < 0.0) {
      closest[i] = a[i];
    } else if (t >= 2.0 * h) {
      closest[i] = a[i] + da[i];
    } else {
      closest[i] = a[i] - t * u[i];
    }
  }
  const double reach = static_cast<double>(radius) + body->shape.sphere.radius;
  return Distance2(p, closest) < reach * reach ? damage : 0;
}

int Bullet::CollisionCapsule(const _Collision* body) const {
  if (body->type != QUORL_COMMON::COL_CYLINDER) return 0;
  double ub[3];
  Direction(yaw, pitch, ub);
  const double hb = length / 2.0;
  const double b[3] = {pos[0] + hb * ub[0], pos[1] + hb * ub[1], pos[2] + hb * ub[2]};
  const double db[3] = {-2.0 * hb * ub[0], -2.0 * hb * ub[1], -2.0 * hb * ub[2]};
  double u[3], h, a[3], da[3];
  BodySegment(body, u, &h, a, da);

  const float bf[3] = {static_cast<float>(b[0]), static_cast<float>(b[1]), static_cast<float>(b[2])};
  const float dbf[3] = {static_cast<float>(db[0]), static_cast<float>(db[1]),
                        static_cast<float>(db[2])};
  const float af[3] = {static_cast<float>(a[0]), static_cast<float>(a[1]), static_cast<float>(a[2])};
  const float daf[3] = {static_cast<float>(da[0]), static_cast<float>(da[1]),
                        static_cast<float>(da[2])};
  float st[2] = {0.0f, 0.0f};
  QUORL_COMMON::diffTwoLines(bf, dbf, af, daf, st);
  const double s = st[0];
  const double t = st[1];
  if (s < 0.0 || s > 1.0) return 0;

  const double reach = static_cast<double>(radius) + body->shape.cylinder.radius;
  const double reach2 = reach * reach;
  if (t <= 0.0 || t >= 1.0) {
    // The closest points lie beyond the body's ends: compare the ends with each other.
    const double bodyEnds[2][3] = {{a[0], a[1], a[2]}, {a[0] + da[0], a[1] + da[1], a[2] + da[2]}};
    const double bulletEnds[2][3] = {{b[0], b[1], b[2]},
                                     {b[0] + db[0], b[1] + db[1], b[2] + db[2]}};
    for (const auto& bodyEnd : bodyEnds) {
      for (const auto& bulletEnd : bulletEnds) {
        if (Distance2(bodyEnd, bulletEnd) < reach2) return damage;
      }
    }
    return 0;
  }
  const double onBullet[3] = {b[0] + s * db[0], b[1] + s * db[1], b[2] + s * db[2]};
  const double onBody[3] = {a[0] + t * da[0], a[1] + t * da[1], a[2] + t * da[2]};
  return Distance2(onBullet, onBody) < reach2 ? damage : 0;
}
