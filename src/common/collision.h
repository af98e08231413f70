// The collision query record shared by the floor, enemies and bullets, and its geometry helpers.
#pragma once

namespace QUORL_COMMON {

// Shape kinds of a collision record (the `type` field). Any other value touches nothing.
constexpr int COL_SPHERE = 1;
constexpr int COL_SPHERES = 2;
constexpr int COL_CYLINDER = 3;
constexpr int COL_CUBE = 4;
constexpr int COL_RAY = 6;

// One sphere: `radius` in world units.
struct _ColSphere {
  float radius;
};

// A set of `count` spheres fixed to the body. Sphere i sits `distances`[i] from `pos` in the
// direction (sin Y cos P, sin P, cos Y cos P), Y = yaw + yawOffsets[i], P = pitch + pitchOffsets[i]
// (degrees). The four arrays belong to the caller and hold `count` entries each.
struct _ColSpheres {
  int count;
  float* radii;
  float* yawOffsets;
  float* pitchOffsets;
  float* distances;
};

// A capped cylinder: `radius`, full `length` along its axis (world units); the axis is
// (sin Y cos P, sin P, -cos Y cos P) with Y = yaw + yawOffset, P = pitch + pitchOffset (degrees).
// pitchOffset 90 makes an upright cylinder. Starts like _ColSphere so that `radius` is shared.
struct _ColCylinder {
  float radius;
  float length;
  float yawOffset;
  float pitchOffset;
};

// A box given by its eight corners, as offsets (x, y, z) from `pos` in world units.
struct _ColCube {
  float corners[8][3];
};

// A ray from `pos` in the direction (sin Y cos P, -sin P, -cos Y cos P), Y = yaw + yawOffset,
// P = pitch + pitchOffset (degrees): yaw 0 looks towards -z, 90 towards +x, positive pitch down.
struct _ColRay {
  float yawOffset;
  float pitchOffset;
};

// The shape parameters, laid over one another by `type`. The cube comes first and is the largest
// member, so `_Collision c = {};` clears the whole block.
union _ColShape {
  _ColCube cube;
  _ColSphere sphere;
  _ColSpheres spheres;
  _ColCylinder cylinder;
  _ColRay ray;
};

// A body or ray as the collision code sees it. Plain record, copied by value, owns nothing.
// Build it as `_Collision c = {};` and then fill the fields of its shape.
struct _Collision {
  int type;        // COL_SPHERE, COL_SPHERES, COL_CYLINDER, COL_CUBE or COL_RAY
  float pos[3];    // centre of the body or origin of the ray, world units
  float yaw;       // heading in degrees, [0, 360): 0 faces -z, 90 faces +x
  float pitch;     // elevation in degrees
  _ColShape shape;
  bool passDoors;  // only the player's body: may pass doors and walk onto stairs when facing them
};

static_assert(sizeof(_ColShape) >= 24 * sizeof(float), "the cube's corners must fit");

// Where the line origin + t*dir meets the plane through planePoint with normal planeNormal
// (t unbounded both ways). Writes the point (3 floats) to `out` and returns 1, or returns 0 and
// leaves `out` alone when the line is parallel to the plane.
int ClossPointRayFace(const float* origin, const float* dir, const float* planePoint,
                      const float* planeNormal, float* out);

// Whether the line origin + t*dir meets the convex quadrilateral `quad` (corners in order around
// it, lying in the plane through planePoint with normal planeNormal). Returns 1 on a hit, else 0.
// Unless the line is parallel to the plane, `out` gets the point on the plane with its z negated
// (turning the reversed-z frame of the floor's ray walk back into world coordinates), hit or not.
int ImpactRayFace(const float* origin, const float* dir, const float* planePoint,
                  const float* planeNormal, const float quad[4][3], float* out);

// Parameters of the closest points of the lines p1 + s*d1 and p2 + t*d2: out[0] = s, out[1] = t.
// For parallel lines s = 0 and t is the parameter of the point of line 2 closest to p1.
// Always returns 0.
int diffTwoLines(const float* p1, const float* d1, const float* p2, const float* d2, float* out);

}  // namespace QUORL_COMMON

// Heading and elevation of the vector v in degrees: out[0] = yaw = atan2(v.x, v.z) in [0, 360),
// out[1] = pitch = asin(-v.y / |v|). The zero vector gives yaw 0, pitch 90.
void getAngles(const float* v, float* out);
