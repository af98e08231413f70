// A polygon model in the making: materials, objects, vertices and faces, with builders for the
// convex primitives the models are made of (boxes, prisms, cones, spheres) and the MQO writer.
#pragma once

#include <string>
#include <vector>

#include "color.h"

namespace assetgen {

struct Vec3 {
  float x = 0, y = 0, z = 0;
};
inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator*(Vec3 a, float k) { return {a.x * k, a.y * k, a.z * k}; }
inline float Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 Cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
Vec3 Normalised(Vec3 v);

// One MQO material line: colour and the factors the game multiplies it by.
struct Material {
  std::string name;
  Rgba col;
  float dif = 0.8f, amb = 0.6f, emi = 0.0f, spc = 0.0f, power = 5.0f;
  std::string tex;  // texture file in the model's folder, empty for none
};

struct Face {
  int n = 3;
  int v[4] = {0, 0, 0, 0};
  int m = 0;
  float u[4] = {0, 0, 0, 0}, t[4] = {0, 0, 0, 0};  // texture coordinates u, v per corner
};

struct MeshObject {
  std::string name;
  std::vector<Vec3> verts;
  std::vector<Face> faces;
};

// A 3 × 4 affine transform (rotation/scale part and translation).
struct Xform {
  float m[3][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}};
  Vec3 Apply(Vec3 p) const;
  Xform Then(const Xform& next) const;  // first this, then `next`
  static Xform Translate(float x, float y, float z);
  static Xform Scale(float x, float y, float z);
  static Xform RotateX(float deg);
  static Xform RotateY(float deg);
  static Xform RotateZ(float deg);
};

// A paint is a colour with shading variants: faces pointing up get a lighter material, faces
// pointing down a darker one, so that form reads under the game's flat frontal light.
struct Paint {
  int top = 0, side = 0, bottom = 0;
};

class Mesh {
 public:
  // Adds a material; returns its index.
  int AddMaterial(const Material& m);
  // Adds three materials (top, side, bottom tones) of one colour; emissive paints get one.
  Paint AddPaint(const std::string& name, Rgba col, float emi = 0.0f, float spc = 0.3f, float power = 20.0f);
  MeshObject& AddObject(const std::string& name);

  const std::vector<Material>& Materials() const { return materials_; }
  const std::vector<MeshObject>& Objects() const { return objects_; }
  std::vector<MeshObject>& Objects() { return objects_; }
  // The largest absolute coordinate of any vertex (the game draws models scaled by its inverse).
  float Extent() const;
  // Scales every vertex so that Extent() becomes `target`.
  void Normalise(float target = 1.0f);

 private:
  std::vector<Material> materials_;
  std::vector<MeshObject> objects_;
};

// Adds primitives to one object under a transform, choosing each face's material from the paint
// by its normal, and turning every face so that its normal points away from the primitive's
// centre (all primitives are convex).
class Builder {
 public:
  Builder(MeshObject& obj, Paint paint, Xform xf = Xform()) : obj_(obj), paint_(paint), xf_(xf) {}
  void SetPaint(Paint p) { paint_ = p; }
  void SetXform(const Xform& xf) { xf_ = xf; }

  // A box with centre c and half sizes h (in local coordinates before the transform).
  void Box(Vec3 c, Vec3 h);
  // A prism or frustum along y from y0 to y1 with `sides` sides; radii rx/rz at the bottom, scaled
  // by `taper` at the top; `twist` turns the polygon (degrees).
  void Prism(int sides, float y0, float y1, float rx, float rz, float taper = 1.0f, float twist = 0.0f,
             Vec3 c = {});
  // A cone along y from base y0 to apex y1.
  void Cone(int sides, float y0, float y1, float rx, float rz, Vec3 c = {});
  // A low-poly ellipsoid with radii r around c.
  void Sphere(Vec3 c, Vec3 r, int rings = 5, int segs = 8);
  // A double cone (spindle) along y from y0 to y1, widest (r) at fraction `mid`.
  void Spindle(int sides, float y0, float y1, float r, float mid = 0.5f, Vec3 c = {});
  // One free polygon (3 or 4 points, in this winding) of the current paint.
  void Poly(const std::vector<Vec3>& pts);
  // One side of a convex solid whose inside contains `centre`: turned to face away from it.
  void Side(const std::vector<Vec3>& pts, Vec3 centre) { Face(pts, centre); }

 private:
  int AddVertex(Vec3 p);
  // Adds a face of the given local points, turned to face away from `centre` (local).
  void Face(const std::vector<Vec3>& pts, Vec3 centre);
  MeshObject& obj_;
  Paint paint_;
  Xform xf_;
};

// Writes the mesh as an MQO text file in the subset the game's reader takes: header, format line,
// materials (col/dif/amb/emi/spc/power, optional tex), objects with scale, rotation, translation,
// colour before their vertex block, faces with V, M and UV, and "Eof". Numbers are plain decimals
// (no exponent, never a leading dot). Creates missing folders. Returns 0, or -1 after a message.
int WriteMQO(const std::string& path, const Mesh& mesh);
// The same text as a string.
std::string MQOText(const Mesh& mesh);

}  // namespace assetgen
