// Geometry helpers of the collision record: line and plane, line and quadrilateral, two lines,
// and the angles of a vector. All arithmetic in double precision, results stored as float.
#include "common/collision.h"

#include <cmath>

#include "common/angles.h"

namespace {

double Dot(const double* a, const double* b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

void ToDouble(const float* v, double* d) {
  d[0] = v[0];
  d[1] = v[1];
  d[2] = v[2];
}

// Four float vectors as doubles, in the order given.
void ToDoubles(const float* a, const float* b, const float* c, const float* d, double (*out)[3]) {
  const float* in[4] = {a, b, c, d};
  for (int k = 0; k < 4; ++k) ToDouble(in[k], out[k]);
}

}  // namespace

namespace QUORL_COMMON {

int ClossPointRayFace(const float* origin, const float* dir, const float* planePoint,
                      const float* planeNormal, float* out) {
  double v[4][3];
  ToDoubles(origin, dir, planePoint, planeNormal, v);
  const double *o = v[0], *d = v[1], *q = v[2], *n = v[3];
  const double dn = Dot(n, d);
  // Parallel test on the single-precision value of the dot product.
  if (std::fabs(static_cast<float>(dn)) < 1e-8f) return 0;
  const double t = -(Dot(n, o) - Dot(n, q)) / dn;
  for (int k = 0; k < 3; ++k) out[k] = static_cast<float>(o[k] + t * d[k]);
  return 1;
}

int ImpactRayFace(const float* origin, const float* dir, const float* planePoint,
                  const float* planeNormal, const float quad[4][3], float* out) {
  float hit[3];
  if (!ClossPointRayFace(origin, dir, planePoint, planeNormal, hit)) return 0;
  out[0] = hit[0];
  out[1] = hit[1];
  out[2] = -hit[2];

  double h[3], n[3];
  ToDouble(hit, h);
  ToDouble(planeNormal, n);
  // The point is inside when it lies on the same side of every edge (or on an edge's line).
  bool allNegative = true;
  bool allPositive = true;
  for (int k = 0; k < 4; ++k) {
    const float* a = quad[k];
    const float* b = quad[(k + 1) % 4];
    const double u[3] = {h[0] - a[0], h[1] - a[1], h[2] - a[2]};
    const double e[3] = {static_cast<double>(b[0]) - a[0], static_cast<double>(b[1]) - a[1],
                         static_cast<double>(b[2]) - a[2]};
    const double c[3] = {u[1] * e[2] - u[2] * e[1], u[2] * e[0] - u[0] * e[2],
                         u[0] * e[1] - u[1] * e[0]};
    const bool onLine = Dot(c, c) == 0.0;
    const double s = Dot(c, n);
    if (!(s < 0.0 || onLine)) allNegative = false;
    if (!(s > 0.0 || onLine)) allPositive = false;
  }
  return (allNegative || allPositive) ? 1 : 0;
}

int diffTwoLines(const float* p1, const float* d1, const float* p2, const float* d2, float* out) {
  double v[4][3];
  ToDoubles(p1, d1, p2, d2, v);
  const double *a1 = v[0], *v1 = v[1], *a2 = v[2], *v2 = v[3];
  const double a = Dot(v1, v1);
  const double c = Dot(v1, v2);
  const double e = Dot(v2, v2);
  const double w[3] = {a1[0] - a2[0], a1[1] - a2[1], a1[2] - a2[2]};
  const double f = Dot(w, v1);
  const double g = Dot(w, v2);
  const double det = static_cast<float>(c * c - a * e);
  double s = 0.0;
  double t = 0.0;
  if (std::fabs(det) >= 1e-10) {
    s = (e * f - c * g) / det;
    t = (c * f - a * g) / det;
  } else if (e > 0.0) {
    // Parallel lines (or a point for line 1): the point of line 2 closest to p1.
    t = g / e;
  }
  out[0] = static_cast<float>(s);
  out[1] = static_cast<float>(t);
  return 0;
}

}  // namespace QUORL_COMMON

void getAngles(const float* v, float* out) {
  double d[3];
  ToDouble(v, d);
  const double len = static_cast<float>(std::sqrt(Dot(d, d)));
  if (len <= 1e-12) {
    out[0] = 0.0f;
    out[1] = 90.0f;
    return;
  }
  double yaw;
  if (std::fabs(d[2]) <= 1e-12) {
    yaw = d[0] <= 0.0 ? 270.0 : 90.0;
  } else {
    yaw = QUORL_COMMON::Degrees(std::atan2(d[0], d[2]));
    if (yaw < 0.0) yaw += 360.0;
  }
  float yawF = static_cast<float>(yaw);
  if (yawF >= 360.0f) yawF = 0.0f;  // a tiny negative angle rounds up to 360 after the shift
  double sine = -d[1] / len;
  if (sine > 1.0) sine = 1.0;
  if (sine < -1.0) sine = -1.0;
  out[0] = yawF;
  out[1] = static_cast<float>(QUORL_COMMON::Degrees(std::asin(sine)));
}
