// A strict checker of MQO text against the subset the game's model reader takes.
#pragma once

#include <string>
#include <vector>

namespace mqocheck {

struct Vertex {
  double x, y, z;
};
struct Face {
  int n;
  int v[4];
  int m;
};
struct Object {
  std::string name;
  std::vector<Vertex> verts;
  std::vector<Face> faces;
};
struct Material {
  double col[4], dif, amb, emi, spc, power;
  std::string tex;
};
struct Model {
  std::vector<Material> materials;
  std::vector<Object> objects;
};

// Parses `text`; on the first departure from the subset returns false with a message naming the
// line. The subset: "Metasequoia Document", "Format Text Ver 1.0", one Material chunk (one line
// per material: quoted name, col(r g b a) dif() amb() emi() spc() power(), optional tex("name")),
// Object chunks (scale, rotation, translation, color, color_type before "vertex N {", then
// "face N {" lines of "n V(..) M(m) UV(..)" with n 3 or 4), and "Eof". Numbers are an optional
// minus, digits and optionally a dot with digits; names use letters, digits and ( ) - . [ ] _ { } ~.
bool Parse(const std::string& text, Model* model, std::string* error);

// Sum over an object's faces of the signed volume they enclose with the origin (positive when
// every closed part has its faces wound so that (P1 - P0) x (P2 - P0) points outward).
double SignedVolume(const Object& o);

}  // namespace mqocheck
