// A polygon model in the making: materials, objects, primitive builders and the MQO writer.
#include "mesh.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace assetgen {

namespace {

constexpr float kPi = 3.14159265358979f;

float Rad(float deg) { return deg * kPi / 180.0f; }

}  // namespace

Vec3 Normalised(Vec3 v) {
  float l = std::sqrt(Dot(v, v));
  return l > 0 ? v * (1.0f / l) : v;
}

Vec3 Xform::Apply(Vec3 p) const {
  return {m[0][0] * p.x + m[0][1] * p.y + m[0][2] * p.z + m[0][3],
          m[1][0] * p.x + m[1][1] * p.y + m[1][2] * p.z + m[1][3],
          m[2][0] * p.x + m[2][1] * p.y + m[2][2] * p.z + m[2][3]};
}

Xform Xform::Then(const Xform& n) const {
  Xform r;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 4; ++j) {
      float v = (j == 3) ? n.m[i][3] : 0.0f;
      for (int k = 0; k < 3; ++k) v += n.m[i][k] * m[k][j];
      r.m[i][j] = v;
    }
  return r;
}

Xform Xform::Translate(float x, float y, float z) {
  Xform r;
  r.m[0][3] = x;
  r.m[1][3] = y;
  r.m[2][3] = z;
  return r;
}

Xform Xform::Scale(float x, float y, float z) {
  Xform r;
  r.m[0][0] = x;
  r.m[1][1] = y;
  r.m[2][2] = z;
  return r;
}

Xform Xform::RotateX(float deg) {
  Xform r;
  float c = std::cos(Rad(deg)), s = std::sin(Rad(deg));
  r.m[1][1] = c;
  r.m[1][2] = -s;
  r.m[2][1] = s;
  r.m[2][2] = c;
  return r;
}

Xform Xform::RotateY(float deg) {
  Xform r;
  float c = std::cos(Rad(deg)), s = std::sin(Rad(deg));
  r.m[0][0] = c;
  r.m[0][2] = s;
  r.m[2][0] = -s;
  r.m[2][2] = c;
  return r;
}

Xform Xform::RotateZ(float deg) {
  Xform r;
  float c = std::cos(Rad(deg)), s = std::sin(Rad(deg));
  r.m[0][0] = c;
  r.m[0][1] = -s;
  r.m[1][0] = s;
  r.m[1][1] = c;
  return r;
}

int Mesh::AddMaterial(const Material& m) {
  materials_.push_back(m);
  return static_cast<int>(materials_.size()) - 1;
}

Paint Mesh::AddPaint(const std::string& name, Rgba col, float emi, float spc, float power) {
  Material base;
  base.name = name;
  base.col = col;
  base.dif = 0.9f;
  base.amb = 0.75f;
  base.emi = emi;
  base.spc = spc;
  base.power = power;
  if (emi > 0) {
    // Glowing colours: little light on top of the emission, so that they keep their hue
    // instead of washing out to yellow or white.
    // (The diffuse factor stays 1: it also carries the colour's alpha.)
    base.dif = 1.0f;
    base.amb = 0.1f;
    int i = AddMaterial(base);
    return Paint{i, i, i};
  }
  Material top = base, bottom = base;
  top.name = name + "_top";
  top.col = Rgba{std::min(1.0f, col.r * 1.2f + 0.03f), std::min(1.0f, col.g * 1.2f + 0.03f),
                 std::min(1.0f, col.b * 1.2f + 0.03f), col.a};
  bottom.name = name + "_low";
  bottom.col = Rgba{col.r * 0.55f, col.g * 0.55f, col.b * 0.55f, col.a};
  Paint p;
  p.top = AddMaterial(top);
  p.side = AddMaterial(base);
  p.bottom = AddMaterial(bottom);
  return p;
}

MeshObject& Mesh::AddObject(const std::string& name) {
  objects_.emplace_back();
  objects_.back().name = name;
  return objects_.back();
}

float Mesh::Extent() const {
  float e = 0;
  for (const MeshObject& o : objects_)
    for (const Vec3& v : o.verts) e = std::max({e, std::abs(v.x), std::abs(v.y), std::abs(v.z)});
  return e;
}

void Mesh::Normalise(float target) {
  float e = Extent();
  if (e <= 0) return;
  for (MeshObject& o : objects_)
    for (Vec3& v : o.verts) v = v * (target / e);
}

int Builder::AddVertex(Vec3 p) {
  obj_.verts.push_back(p);
  return static_cast<int>(obj_.verts.size()) - 1;
}

void Builder::Face(const std::vector<Vec3>& local, Vec3 centre) {
  std::vector<Vec3> p;
  for (const Vec3& v : local) p.push_back(xf_.Apply(v));
  Vec3 c = xf_.Apply(centre);
  Vec3 n = Cross(p[1] - p[0], p[2] - p[0]);
  if (p.size() == 4 && Dot(n, n) < 1e-14f) n = Cross(p[2] - p[0], p[3] - p[0]);
  if (Dot(n, n) < 1e-14f) return;  // degenerate
  Vec3 mid;
  for (const Vec3& v : p) mid = mid + v;
  mid = mid * (1.0f / p.size());
  if (Dot(n, mid - c) < 0) {
    std::reverse(p.begin(), p.end());
    n = n * -1.0f;
  }
  n = Normalised(n);
  struct Face f;
  f.n = static_cast<int>(p.size());
  f.m = n.y > 0.55f ? paint_.top : (n.y < -0.55f ? paint_.bottom : paint_.side);
  for (int k = 0; k < f.n; ++k) {
    f.v[k] = AddVertex(p[k]);
    f.u[k] = 0.5f + 0.5f * p[k].x;
    f.t[k] = 0.5f - 0.5f * p[k].y;
  }
  obj_.faces.push_back(f);
}

void Builder::Poly(const std::vector<Vec3>& pts) {
  // Free polygons keep their winding: the centre is placed behind the face.
  std::vector<Vec3> p;
  for (const Vec3& v : pts) p.push_back(v);
  Vec3 n = Normalised(Cross(p[1] - p[0], p[2] - p[0]));
  Vec3 mid;
  for (const Vec3& v : p) mid = mid + v;
  mid = mid * (1.0f / p.size());
  Face(p, mid - n);
}

void Builder::Box(Vec3 c, Vec3 h) {
  Vec3 v[8];
  for (int i = 0; i < 8; ++i)
    v[i] = {c.x + ((i & 1) ? h.x : -h.x), c.y + ((i & 2) ? h.y : -h.y), c.z + ((i & 4) ? h.z : -h.z)};
  const int q[6][4] = {{0, 1, 3, 2}, {4, 6, 7, 5}, {0, 4, 5, 1}, {2, 3, 7, 6}, {0, 2, 6, 4}, {1, 5, 7, 3}};
  for (const auto& f : q) Face({v[f[0]], v[f[1]], v[f[2]], v[f[3]]}, c);
}

void Builder::Prism(int sides, float y0, float y1, float rx, float rz, float taper, float twist, Vec3 c) {
  std::vector<Vec3> lo, hi;
  for (int i = 0; i < sides; ++i) {
    float a = Rad(360.0f * i / sides + twist);
    lo.push_back({c.x + rx * std::cos(a), c.y + y0, c.z + rz * std::sin(a)});
    hi.push_back({c.x + rx * taper * std::cos(a), c.y + y1, c.z + rz * taper * std::sin(a)});
  }
  Vec3 centre{c.x, c.y + (y0 + y1) / 2, c.z};
  for (int i = 0; i < sides; ++i) {
    int j = (i + 1) % sides;
    if (taper > 0)
      Face({lo[i], lo[j], hi[j], hi[i]}, centre);
    else
      Face({lo[i], lo[j], hi[i]}, centre);
  }
  // Caps as triangle fans around their centres.
  for (int i = 0; i < sides; ++i) {
    int j = (i + 1) % sides;
    Face({Vec3{c.x, c.y + y0, c.z}, lo[i], lo[j]}, centre);
    if (taper > 0) Face({Vec3{c.x, c.y + y1, c.z}, hi[i], hi[j]}, centre);
  }
}

void Builder::Cone(int sides, float y0, float y1, float rx, float rz, Vec3 c) {
  std::vector<Vec3> lo;
  for (int i = 0; i < sides; ++i) {
    float a = Rad(360.0f * i / sides);
    lo.push_back({c.x + rx * std::cos(a), c.y + y0, c.z + rz * std::sin(a)});
  }
  Vec3 apex{c.x, c.y + y1, c.z}, base{c.x, c.y + y0, c.z};
  Vec3 centre{c.x, c.y + y0 + (y1 - y0) * 0.25f, c.z};
  for (int i = 0; i < sides; ++i) {
    int j = (i + 1) % sides;
    Face({lo[i], lo[j], apex}, centre);
    Face({base, lo[i], lo[j]}, centre);
  }
}

void Builder::Sphere(Vec3 c, Vec3 r, int rings, int segs) {
  auto pt = [&](int ring, int seg) {
    float th = kPi * ring / rings;
    float ph = 2 * kPi * seg / segs;
    return Vec3{c.x + r.x * std::sin(th) * std::cos(ph), c.y + r.y * std::cos(th), c.z + r.z * std::sin(th) * std::sin(ph)};
  };
  for (int i = 0; i < rings; ++i)
    for (int j = 0; j < segs; ++j) {
      Vec3 a = pt(i, j), b = pt(i, j + 1), d = pt(i + 1, j + 1), e = pt(i + 1, j);
      if (i == 0)
        Face({a, d, e}, c);
      else if (i == rings - 1)
        Face({a, b, e}, c);
      else
        Face({a, b, d, e}, c);
    }
}

void Builder::Spindle(int sides, float y0, float y1, float r, float mid, Vec3 c) {
  float ym = y0 + (y1 - y0) * mid;
  std::vector<Vec3> ring;
  for (int i = 0; i < sides; ++i) {
    float a = Rad(360.0f * i / sides);
    ring.push_back({c.x + r * std::cos(a), c.y + ym, c.z + r * std::sin(a)});
  }
  Vec3 top{c.x, c.y + y1, c.z}, bot{c.x, c.y + y0, c.z}, centre{c.x, c.y + ym, c.z};
  for (int i = 0; i < sides; ++i) {
    int j = (i + 1) % sides;
    Face({ring[i], ring[j], top}, centre);
    Face({ring[i], ring[j], bot}, centre);
  }
}

namespace {

// A plain decimal with `digits` decimals: no exponent, no leading dot, no negative zero.
std::string Num(float v, int digits) {
  char buf[64];
  snprintf(buf, sizeof buf, "%.*f", digits, static_cast<double>(v));
  std::string s = buf;
  bool zero = true;
  for (char ch : s)
    if (ch >= '1' && ch <= '9') zero = false;
  if (zero && s[0] == '-') s.erase(0, 1);
  return s;
}

// Names in the reader's quoted-text alphabet: letters, digits and ( ) - . [ ] _ { } ~.
std::string SafeName(const std::string& n) {
  std::string s;
  for (char ch : n) {
    bool ok = (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') ||
              std::string("()-.[]_{}~").find(ch) != std::string::npos;
    s += ok ? ch : '_';
  }
  return s.empty() ? "_" : s;
}

}  // namespace

std::string MQOText(const Mesh& mesh) {
  std::ostringstream o;
  o << "Metasequoia Document\n";
  o << "Format Text Ver 1.0\n\n";
  o << "Material " << mesh.Materials().size() << " {\n";
  for (const Material& m : mesh.Materials()) {
    o << "\t\"" << SafeName(m.name) << "\" col(" << Num(m.col.r, 3) << ' ' << Num(m.col.g, 3) << ' '
      << Num(m.col.b, 3) << ' ' << Num(m.col.a, 3) << ") dif(" << Num(m.dif, 3) << ") amb(" << Num(m.amb, 3)
      << ") emi(" << Num(m.emi, 3) << ") spc(" << Num(m.spc, 3) << ") power(" << Num(m.power, 2) << ")";
    if (!m.tex.empty()) o << " tex(\"" << SafeName(m.tex) << "\")";
    o << "\n";
  }
  o << "}\n";
  for (const MeshObject& ob : mesh.Objects()) {
    o << "Object \"" << SafeName(ob.name) << "\" {\n";
    o << "\tscale 1.000000 1.000000 1.000000\n";
    o << "\trotation 0.000000 0.000000 0.000000\n";
    o << "\ttranslation 0.000000 0.000000 0.000000\n";
    o << "\tcolor 0.898 0.498 0.698\n";
    o << "\tcolor_type 0\n";
    o << "\tvertex " << ob.verts.size() << " {\n";
    for (const Vec3& v : ob.verts) o << "\t\t" << Num(v.x, 5) << ' ' << Num(v.y, 5) << ' ' << Num(v.z, 5) << "\n";
    o << "\t}\n";
    o << "\tface " << ob.faces.size() << " {\n";
    for (const struct Face& f : ob.faces) {
      o << "\t\t" << f.n << " V(";
      for (int k = 0; k < f.n; ++k) o << (k ? " " : "") << f.v[k];
      o << ") M(" << f.m << ") UV(";
      for (int k = 0; k < f.n; ++k) o << (k ? " " : "") << Num(f.u[k], 5) << ' ' << Num(f.t[k], 5);
      o << ")\n";
    }
    o << "\t}\n";
    o << "}\n";
  }
  o << "Eof\n";
  return o.str();
}

int WriteMQO(const std::string& path, const Mesh& mesh) {
  std::error_code ec;
  std::filesystem::path p(path);
  if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path(), ec);
  std::ofstream f(path, std::ios::binary);
  if (!f) {
    fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
    return -1;
  }
  f << MQOText(mesh);
  return f.good() ? 0 : -1;
}

}  // namespace assetgen
