// Recipes of the enemy models: boosy (walker with a cannon), doosy (charging jaws), poosy
// (floating eye in a membrane), zoosy (tripod with a turret) and melpaims (the last boss's spire
// and needles). Each enemy faces +z; units are the model's own, the largest coordinate 1 (the
// game draws every model scaled to unit size, then by the enemy's scale).
#include <cmath>
#include <cstdio>

#include "content.h"

namespace assetgen {

namespace {

using X = Xform;

// Shorthand for transforms: rotate about x, y, z (degrees), then move to (x, y, z).
X Place(float x, float y, float z, float rx = 0, float ry = 0, float rz = 0) {
  return X::RotateX(rx).Then(X::RotateY(ry)).Then(X::RotateZ(rz)).Then(X::Translate(x, y, z));
}

}  // namespace

// Boosy: a squat armoured gunner on two legs. Its feet stand at y = -0.4 (the game keeps the
// body's collision spheres on the floor) and the body is long along z. Objects 0 and 2 are the
// legs, object 1 the body with its cannon; the game slides all three forward and back by up to
// 0.4 with the gait and tilts object 1 about x to aim, so they rest 0.15 back.
Mesh BuildBoosy() {
  Mesh m;
  Paint ochre = m.AddPaint("ochre", Hex(0xc88c3c), 0, 0.35f, 25);
  Paint rust = m.AddPaint("rust", Hex(0x8c3c1c), 0, 0.25f, 20);
  Paint dark = m.AddPaint("leg", Hex(0x4a2c1e), 0, 0.2f, 15);
  Paint metal = m.AddPaint("gunmetal", Hex(0x5a6068), 0, 0.6f, 40);
  Paint eye = m.AddPaint("eye", Hex(0xffb020), 0.85f);
  Paint black = m.AddPaint("muzzle", Hex(0x101010), 0.0f, 0.0f, 5);
  const float back = -0.15f;
  for (int side = 0; side < 3; side += 2) {
    MeshObject& leg = m.AddObject(side == 0 ? "leg_left" : "leg_right");
    float x = side == 0 ? -0.26f : 0.26f;
    Builder b(leg, dark);
    b.Box({x, -0.17f, back}, {0.09f, 0.14f, 0.1f});                          // thigh
    b.SetPaint(rust);
    b.Sphere({x * 1.15f, -0.04f, back}, {0.13f, 0.11f, 0.14f}, 3, 6);        // hip joint
    b.SetPaint(dark);
    b.Box({x, -0.33f, back + 0.03f}, {0.075f, 0.05f, 0.075f});              // ankle
    b.SetPaint(rust);
    b.Prism(4, -0.4f, -0.34f, 0.15f, 0.22f, 0.8f, 45, {x, 0, back + 0.09f}); // foot
  }
  MeshObject& body = m.AddObject("body");
  Builder b(body, ochre);
  b.Sphere({0, 0.1f, back}, {0.42f, 0.34f, 0.6f}, 4, 10);                   // round armoured body
  b.SetPaint(rust);
  b.Prism(10, -0.06f, 0.05f, 0.44f, 0.62f, 1.0f, 18, {0, 0, back});         // armour band
  b.Prism(6, 0.36f, 0.43f, 0.16f, 0.26f, 0.8f, 30, {0, 0, back - 0.05f});   // hatch on the back
  b.Sphere({-0.41f, 0.12f, back - 0.05f}, {0.09f, 0.13f, 0.2f}, 3, 6);      // shoulder pods
  b.Sphere({0.41f, 0.12f, back - 0.05f}, {0.09f, 0.13f, 0.2f}, 3, 6);
  // The cannon on top, pointing forward, with its mount and a muzzle ring.
  b.SetPaint(metal);
  b.Box({0, 0.42f, back + 0.08f}, {0.11f, 0.07f, 0.16f});
  b.SetXform(Place(0, 0.45f, 0, 90));
  b.Prism(8, back, 0.9f, 0.085f, 0.085f, 1.0f, 22.5f);
  b.Prism(8, 0.84f, 1.0f, 0.11f, 0.11f, 1.0f, 22.5f);
  b.SetPaint(black);
  b.Prism(8, 0.995f, 1.0f, 0.06f, 0.06f, 1.0f, 22.5f);
  // The glowing amber eye in a dark socket at the front.
  b.SetXform(X());
  b.SetPaint(black);
  b.Sphere({0, 0.1f, back + 0.55f}, {0.15f, 0.12f, 0.08f}, 3, 8);
  b.SetPaint(eye);
  b.Sphere({0, 0.1f, back + 0.6f}, {0.1f, 0.08f, 0.05f}, 3, 8);
  // Object order: leg, body, leg.
  std::swap(m.Objects()[1], m.Objects()[2]);
  return m;
}

// Doosy: a low charging beast, its wedge head two hinged jaws at the front. The game lowers the
// model by 0.55, so its feet stand at y = -0.14; both jaws hinge about x through the origin
// (the back of the mouth) and snap upward. Object 0 body, 1 upper jaw, 2 lower jaw.
Mesh BuildDoosy() {
  Mesh m;
  Paint red = m.AddPaint("blood", Hex(0xa8201c), 0, 0.4f, 25);
  Paint deep = m.AddPaint("deep", Hex(0x5c0c0c), 0, 0.2f, 15);
  Paint bone = m.AddPaint("bone", Hex(0xf0e6c8), 0, 0.5f, 30);
  Paint eye = m.AddPaint("eye", Hex(0xffd040), 0.9f);
  Paint mouth = m.AddPaint("mouth", Hex(0x300408), 0, 0, 5);
  MeshObject& body = m.AddObject("body");
  Builder b(body, red);
  b.Sphere({0, 0.5f, -0.42f}, {0.5f, 0.42f, 0.58f}, 4, 8);            // hunched back
  b.Sphere({0, 0.38f, 0.0f}, {0.4f, 0.34f, 0.3f}, 4, 8);              // shoulders
  b.SetPaint(bone);
  for (int i = 0; i < 4; ++i)                                           // spines along the back
    b.Cone(4, 0.0f, 0.22f, 0.06f, 0.09f, {0, 0.82f - i * 0.04f, -0.2f - i * 0.2f});
  b.SetPaint(deep);
  const float legs[4][2] = {{-0.34f, 0.0f}, {0.34f, 0.0f}, {-0.36f, -0.7f}, {0.36f, -0.7f}};
  for (const auto& l : legs) {
    b.Prism(5, -0.08f, 0.3f, 0.1f, 0.12f, 1.3f, 0, {l[0], 0, l[1]});     // stubby legs
    b.SetPaint(bone);
    b.Cone(3, -0.14f, -0.06f, 0.12f, 0.12f, {l[0], 0, l[1] + 0.05f});   // claws
    b.SetPaint(deep);
  }
  b.SetXform(Place(0, 0.42f, -0.9f, -100));                             // tail
  b.Cone(5, 0.0f, 0.2f, 0.12f, 0.12f);
  b.SetXform(X());
  b.SetPaint(mouth);
  b.Box({0, 0.1f, 0.04f}, {0.24f, 0.1f, 0.06f});                         // throat
  // Upper jaw: a wedge from the hinge forward, teeth along its lower edge, eyes on top.
  MeshObject& upper = m.AddObject("upper_jaw");
  Builder u(upper, red);
  u.Side({{-0.3f, 0.08f, 0.0f}, {0.3f, 0.08f, 0.0f}, {0.12f, 0.1f, 0.95f}, {-0.12f, 0.1f, 0.95f}}, {0, 0.22f, 0.4f});
  u.Side({{-0.3f, 0.08f, 0.0f}, {-0.12f, 0.1f, 0.95f}, {-0.08f, 0.2f, 0.95f}, {-0.26f, 0.48f, 0.0f}}, {0, 0.22f, 0.4f});
  u.Side({{0.3f, 0.08f, 0.0f}, {0.26f, 0.48f, 0.0f}, {0.08f, 0.2f, 0.95f}, {0.12f, 0.1f, 0.95f}}, {0, 0.22f, 0.4f});
  u.Side({{-0.26f, 0.48f, 0.0f}, {-0.08f, 0.2f, 0.95f}, {0.08f, 0.2f, 0.95f}, {0.26f, 0.48f, 0.0f}}, {0, 0.22f, 0.4f});
  u.Side({{-0.12f, 0.1f, 0.95f}, {0.12f, 0.1f, 0.95f}, {0.08f, 0.2f, 0.95f}, {-0.08f, 0.2f, 0.95f}}, {0, 0.22f, 0.4f});
  u.Side({{-0.3f, 0.08f, 0.0f}, {-0.26f, 0.48f, 0.0f}, {0.26f, 0.48f, 0.0f}, {0.3f, 0.08f, 0.0f}}, {0, 0.22f, 0.4f});
  u.SetPaint(bone);
  for (int i = 0; i < 5; ++i) {
    float z = 0.22f + i * 0.17f, x = 0.27f - i * 0.035f;
    u.SetXform(Place(-x + 0.03f, 0.09f, z, 180));
    u.Cone(3, 0.0f, 0.1f, 0.035f, 0.035f);
    u.SetXform(Place(x - 0.03f, 0.09f, z, 180));
    u.Cone(3, 0.0f, 0.1f, 0.035f, 0.035f);
  }
  u.SetXform(X());
  u.SetPaint(eye);
  u.Sphere({-0.2f, 0.42f, 0.2f}, {0.06f, 0.05f, 0.06f}, 3, 6);
  u.Sphere({0.2f, 0.42f, 0.2f}, {0.06f, 0.05f, 0.06f}, 3, 6);
  // Lower jaw: a flatter wedge with teeth pointing up.
  MeshObject& lower = m.AddObject("lower_jaw");
  Builder l(lower, red);
  l.Side({{-0.28f, 0.06f, 0.0f}, {-0.1f, 0.06f, 0.9f}, {0.1f, 0.06f, 0.9f}, {0.28f, 0.06f, 0.0f}}, {0, -0.02f, 0.4f});
  l.Side({{-0.28f, -0.1f, 0.0f}, {0.28f, -0.1f, 0.0f}, {0.1f, -0.02f, 0.9f}, {-0.1f, -0.02f, 0.9f}}, {0, -0.02f, 0.4f});
  l.Side({{-0.28f, -0.1f, 0.0f}, {-0.1f, -0.02f, 0.9f}, {-0.1f, 0.06f, 0.9f}, {-0.28f, 0.06f, 0.0f}}, {0, -0.02f, 0.4f});
  l.Side({{0.28f, -0.1f, 0.0f}, {0.28f, 0.06f, 0.0f}, {0.1f, 0.06f, 0.9f}, {0.1f, -0.02f, 0.9f}}, {0, -0.02f, 0.4f});
  l.Side({{-0.1f, -0.02f, 0.9f}, {0.1f, -0.02f, 0.9f}, {0.1f, 0.06f, 0.9f}, {-0.1f, 0.06f, 0.9f}}, {0, -0.02f, 0.4f});
  l.Side({{-0.28f, -0.1f, 0.0f}, {-0.28f, 0.06f, 0.0f}, {0.28f, 0.06f, 0.0f}, {0.28f, -0.1f, 0.0f}}, {0, -0.02f, 0.4f});
  l.SetPaint(mouth);
  l.Side({{-0.2f, 0.065f, 0.05f}, {-0.08f, 0.065f, 0.75f}, {0.08f, 0.065f, 0.75f}, {0.2f, 0.065f, 0.05f}}, {0, -0.02f, 0.4f});
  l.SetPaint(bone);
  for (int i = 0; i < 5; ++i) {
    float z = 0.18f + i * 0.16f, x = 0.24f - i * 0.03f;
    l.Cone(3, 0.06f, 0.15f, 0.03f, 0.03f, {-x + 0.03f, 0, z});
    l.Cone(3, 0.06f, 0.15f, 0.03f, 0.03f, {x - 0.03f, 0, z});
  }
  return m;
}

// Poosy: a small floating eye, tall along y, looking along +z. Object 0 the eye and its dangling
// feelers; object 1 a translucent cyan membrane around it (drawn blended by the game).
Mesh BuildPoosy() {
  Mesh m;
  Paint white = m.AddPaint("eyeball", Hex(0xe8ecf0), 0, 0.8f, 50);
  Paint iris = m.AddPaint("iris", Hex(0x30e0ff), 0.8f);
  Paint pupil = m.AddPaint("pupil", Hex(0x05080c), 0, 0.9f, 60);
  Paint flesh = m.AddPaint("feeler", Hex(0x3a8a9a), 0, 0.3f, 20);
  Paint core = m.AddPaint("core", Hex(0x80ffff), 0.9f);
  Material skin;
  skin.name = "membrane";
  skin.col = Hex(0x40d8ff, 0.38f);
  skin.dif = 1.0f;
  skin.amb = 0.8f;
  skin.emi = 0.25f;
  skin.spc = 0.8f;
  skin.power = 40;
  int membrane = m.AddMaterial(skin);
  MeshObject& eye = m.AddObject("eye");
  Builder b(eye, white);
  b.Sphere({0, 0.05f, 0}, {0.36f, 0.36f, 0.36f}, 6, 10);
  b.SetXform(Place(0, 0.05f, 0, 90));
  b.SetPaint(iris);
  b.Prism(10, 0.3f, 0.34f, 0.2f, 0.2f, 0.85f);
  b.SetPaint(pupil);
  b.Prism(10, 0.335f, 0.355f, 0.1f, 0.1f, 0.8f);
  b.SetXform(X());
  b.SetPaint(flesh);
  for (int i = 0; i < 4; ++i) {
    float a = (45 + 90 * i) * 3.14159265f / 180, x = 0.14f * std::cos(a), z = 0.14f * std::sin(a);
    b.SetXform(Place(x, -0.25f, z, 180 + 14 * std::sin(a), 0, 14 * std::cos(a)));
    b.Cone(4, 0.0f, 0.7f, 0.06f, 0.06f);
  }
  b.SetXform(X());
  b.SetPaint(core);
  b.Sphere({0, 0.52f, 0}, {0.08f, 0.08f, 0.08f}, 3, 6);
  MeshObject& skinObj = m.AddObject("membrane");
  Builder s(skinObj, Paint{membrane, membrane, membrane});
  s.Sphere({0, 0.0f, 0}, {0.52f, 1.0f, 0.52f}, 7, 10);
  return m;
}

// Zoosy: a tall tripod walker with a three-barrelled turret. Its feet stand at y = -0.25 and the
// turret rides about 0.8 up. Object 0 the hub and neck, object 1 the three legs (swung about x
// with the gait), object 2 the turret (turned about y to aim).
Mesh BuildZoosy() {
  Mesh m;
  Paint gun = m.AddPaint("gunmetal", Hex(0x4c545e), 0, 0.6f, 40);
  Paint darkm = m.AddPaint("joint", Hex(0x2a2e34), 0, 0.5f, 30);
  Paint acid = m.AddPaint("acid", Hex(0xa8e020), 0.85f);
  Paint plate = m.AddPaint("plate", Hex(0x7a8a3a), 0, 0.4f, 25);
  MeshObject& hub = m.AddObject("hub");
  Builder h(hub, gun);
  h.Prism(6, -0.08f, 0.14f, 0.2f, 0.2f, 0.8f, 30);
  h.SetPaint(darkm);
  h.Prism(6, 0.14f, 0.62f, 0.06f, 0.06f, 0.8f, 0);
  h.SetPaint(acid);
  h.Prism(6, 0.02f, 0.05f, 0.21f, 0.21f, 1.0f, 30);
  h.Prism(6, 0.4f, 0.43f, 0.075f, 0.075f, 1.0f, 0);
  MeshObject& legs = m.AddObject("legs");
  Builder l(legs, gun);
  for (int i = 0; i < 3; ++i) {
    float ang = 90 + i * 120.0f;  // one leg forward (+z), two behind
    X turn = X::RotateY(-ang + 90);
    auto at = [&](float r, float y) { return turn.Apply(Vec3{0, y, r}); };
    Vec3 hip = at(0.16f, 0.03f), knee = at(0.42f, 0.42f), foot = at(0.62f, -0.25f);
    // Upper leg: from hip up to the knee; lower leg: down to the foot. Boxes turned along each.
    auto strut = [&](Vec3 a, Vec3 c, float t, Paint p) {
      Vec3 d = c - a;
      float len = std::sqrt(Dot(d, d));
      float yaw = std::atan2(d.x, d.z) * 180 / 3.14159265f;
      float pitch = -std::asin(d.y / len) * 180 / 3.14159265f;
      Vec3 mid = (a + c) * 0.5f;
      l.SetPaint(p);
      l.SetXform(X::RotateX(pitch).Then(X::RotateY(yaw)).Then(X::Translate(mid.x, mid.y, mid.z)));
      l.Box({0, 0, 0}, {t, t * 0.8f, len / 2});
    };
    strut(hip, knee, 0.045f, gun);
    strut(knee, foot, 0.035f, plate);
    l.SetXform(X());
    l.SetPaint(darkm);
    l.Sphere(knee, {0.06f, 0.06f, 0.06f}, 3, 6);
    l.Prism(5, -0.25f, -0.2f, 0.08f, 0.08f, 0.6f, 0, {foot.x, 0, foot.z});
  }
  MeshObject& turret = m.AddObject("turret");
  Builder t(turret, gun);
  t.Prism(8, 0.66f, 0.9f, 0.2f, 0.2f, 0.85f, 22.5f);
  t.SetPaint(plate);
  t.Prism(8, 0.9f, 0.95f, 0.15f, 0.15f, 0.6f, 22.5f);
  t.SetPaint(darkm);
  t.Prism(4, 0.95f, 1.0f, 0.02f, 0.02f, 1.0f, 45);  // antenna
  t.SetPaint(acid);
  t.Sphere({0, 0.86f, 0.16f}, {0.05f, 0.04f, 0.04f}, 3, 6);  // sensor
  t.SetPaint(darkm);
  t.Box({0, 0.76f, 0.22f}, {0.12f, 0.1f, 0.06f});             // barrel mount
  for (int i = 0; i < 3; ++i) {
    float a = (90 + i * 120.0f) * 3.14159265f / 180;
    float bx = 0.065f * std::cos(a), by = 0.76f + 0.065f * std::sin(a);
    t.SetXform(X::RotateX(90).Then(X::Translate(bx, by, 0)));
    t.SetPaint(gun);
    t.Prism(6, 0.22f, 0.78f, 0.034f, 0.034f, 1.0f);
    t.SetPaint(acid);
    t.Prism(6, 0.78f, 0.82f, 0.04f, 0.04f, 1.0f);
  }
  return m;
}

// Melpaims: object 0 the shell, an obsidian spire from y = -1 (towards the floor) to its crown at
// 0.55, widest near the top, with glowing violet seams; objects 1-4 the core parts, long
// double-ended needles centred on the origin (the game raises them out of the floor tip first,
// and hangs them from the shell's centre when they fan out to fire).
Mesh BuildMelpaims() {
  Mesh m;
  Paint obsidian = m.AddPaint("obsidian", Hex(0x2a2234), 0, 0.9f, 60);
  Paint plate = m.AddPaint("plate", Hex(0x3e3250), 0, 0.8f, 50);
  Paint seam = m.AddPaint("seam", Hex(0xc060ff), 0.9f);
  Paint core = m.AddPaint("core", Hex(0xffa0ff), 1.0f);
  Paint needle = m.AddPaint("needle", Hex(0x8a3ac8), 0.25f, 0.9f, 60);
  MeshObject& shell = m.AddObject("shell");
  Builder s(shell, obsidian);
  // Segments from the bottom tip up to the crown, each a twisted hexagonal frustum.
  const float ys[] = {-1.0f, -0.72f, -0.44f, -0.18f, 0.08f, 0.32f};
  const float rs[] = {0.02f, 0.1f, 0.14f, 0.18f, 0.22f, 0.2f};
  for (int i = 0; i < 5; ++i) {
    s.SetPaint(i % 2 ? plate : obsidian);
    s.Prism(6, ys[i] + 0.015f, ys[i + 1] - 0.015f, rs[i] + 0.02f, rs[i] + 0.02f, (rs[i + 1]) / (rs[i] + 0.02f),
            i * 12.0f);
    s.SetPaint(seam);
    s.Prism(6, ys[i + 1] - 0.02f, ys[i + 1] + 0.02f, rs[i + 1] * 0.98f, rs[i + 1] * 0.98f, 1.0f, i * 12.0f + 6);
  }
  s.SetPaint(obsidian);
  s.Prism(6, 0.32f, 0.4f, 0.2f, 0.2f, 0.7f, 60);
  // A crown of spikes and the glowing core showing through it.
  for (int i = 0; i < 6; ++i) {
    float a = i * 60.0f * 3.14159265f / 180;
    s.SetXform(X::RotateZ(-25).Then(X::RotateY(-i * 60.0f)).Then(X::Translate(0.15f * std::cos(a), 0.34f, 0.15f * std::sin(a))));
    s.SetPaint(plate);
    s.Cone(4, 0.0f, 0.22f, 0.04f, 0.04f);
  }
  s.SetXform(X());
  s.SetPaint(core);
  s.Sphere({0, 0.44f, 0}, {0.08f, 0.08f, 0.08f}, 3, 6);
  // Four armour fins down the sides.
  for (int i = 0; i < 4; ++i) {
    s.SetXform(X::RotateY(45 + i * 90.0f));
    s.SetPaint(obsidian);
    s.Poly({{0.2f, 0.25f, 0}, {0.3f, -0.1f, 0}, {0.12f, -0.55f, 0}});
    s.Poly({{0.2f, 0.25f, 0}, {0.12f, -0.55f, 0}, {0.3f, -0.1f, 0}});
    s.SetPaint(seam);
    s.Sphere({0.26f, -0.1f, 0}, {0.025f, 0.025f, 0.025f}, 2, 4);
  }
  for (int k = 1; k <= 4; ++k) {
    char name[16];
    snprintf(name, sizeof name, "needle%d", k);
    MeshObject& n = m.AddObject(name);
    Builder b(n, needle);
    b.Spindle(4, -0.9f, 0.9f, 0.05f, 0.5f, {0, 0, 0});
    b.SetPaint(core);
    b.Spindle(4, 0.62f, 0.92f, 0.025f, 0.2f);
    b.Spindle(4, -0.92f, -0.62f, 0.025f, 0.8f);
    b.SetPaint(seam);
    for (int r = 0; r < 3; ++r) b.Prism(4, -0.3f + r * 0.3f, -0.27f + r * 0.3f, 0.065f, 0.065f, 1.0f, 45);
  }
  return m;
}

int GenerateEnemyModels(const std::string& outDir) {
  for (const ModelRecipe& r : Models()) {
    if (r.path.find("model/bullet/") == 0 || r.path.find("model/items/") == 0) continue;
    // The game scales every model by its largest coordinate: make that exactly 1.
    Mesh mesh = r.build();
    mesh.Normalise(1.0f);
    if (WriteMQO(outDir + "/" + r.path, mesh) != 0) return -1;
  }
  return 0;
}

}  // namespace assetgen
