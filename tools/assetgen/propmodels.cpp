// Recipes of the bullet and item models: five glowing enemy projectiles (facing -z, their flight
// direction) and the two pick-ups, meat on the bone and a special cartridge.
#include <cmath>

#include "content.h"

namespace assetgen {

namespace {

using X = Xform;

// Projectiles glow by emission alone: the game draws them lit like everything else.
Paint Glow(Mesh& m, const char* name, uint32_t rgb) { return m.AddPaint(name, Hex(rgb), 0.85f); }

// A bolt along z: a bright head at -z, a long body and a tapering tail towards +z.
Mesh Bolt(uint32_t head, uint32_t body, uint32_t tail, float radius) {
  Mesh m;
  Paint h = Glow(m, "head", head), b = Glow(m, "body", body), t = Glow(m, "tail", tail);
  MeshObject& o = m.AddObject("bolt");
  Builder bl(o, h, X::RotateX(-90));  // local +y becomes -z (forward)
  bl.Cone(6, 0.55f, 1.0f, radius * 0.8f, radius * 0.8f);
  bl.SetPaint(b);
  bl.Prism(6, -0.2f, 0.55f, radius, radius, 0.8f);
  bl.SetPaint(t);
  bl.Cone(6, -0.2f, -1.0f, radius, radius);
  // A bright collar where the head meets the body.
  bl.SetPaint(h);
  bl.Prism(6, 0.45f, 0.55f, radius * 1.15f, radius * 1.15f, 0.9f, 30);
  return m;
}

// An orb: a faceted sphere in bands of two colours, with a ring around its equator.
Mesh Orb(uint32_t light, uint32_t dark, uint32_t ring) {
  Mesh m;
  Paint a = Glow(m, "orb", light), b = Glow(m, "band", dark), r = Glow(m, "ring", ring);
  MeshObject& o = m.AddObject("orb");
  Builder bl(o, a);
  bl.Sphere({0, 0, 0}, {0.8f, 0.8f, 0.8f}, 5, 10);
  bl.SetPaint(b);
  bl.Sphere({0, 0, 0}, {0.55f, 0.95f, 0.55f}, 4, 6);
  bl.SetPaint(r);
  bl.SetXform(X::RotateX(90));
  bl.Prism(10, -0.06f, 0.06f, 1.0f, 1.0f, 1.0f);
  return m;
}

}  // namespace

Mesh BuildBullet(int kind) {
  switch (kind) {
    case 1: return Bolt(0xfff0a0, 0xff9a28, 0xd83a10, 0.3f);   // the walkers' shot
    case 2: return Orb(0x60f0ff, 0xe0ffff, 0x2090ff);          // the eye's homing orb
    case 3: return Bolt(0xffe0ff, 0xc060ff, 0x7020c0, 0.2f);   // the last boss's beam bolt
    case 4: return Orb(0xff50d0, 0xffc0f0, 0xa01080);          // the last boss's homing orb
    default: return Bolt(0xf8ffc0, 0xc8ff30, 0x70b010, 0.45f); // the turret's pellet
  }
}

// Cartoon meat on the bone: a fat pink joint with a browned crust, the bone sticking out of both
// ends with knobs.
Mesh BuildMeat() {
  Mesh m;
  Paint meat = m.AddPaint("meat", Hex(0xf08a80), 0, 0.5f, 30);
  Paint crust = m.AddPaint("crust", Hex(0xd0604a), 0, 0.4f, 25);
  Paint bone = m.AddPaint("bone", Hex(0xf4eedc), 0.15f, 0.5f, 30);
  MeshObject& o = m.AddObject("meat");
  Builder b(o, crust);
  b.Sphere({0.05f, 0, 0}, {0.62f, 0.46f, 0.46f}, 5, 10);
  b.SetPaint(meat);
  b.SetXform(X::RotateZ(90).Then(X::Translate(-0.5f, 0, 0)));
  b.Prism(10, -0.08f, 0.0f, 0.36f, 0.36f, 1.0f);
  b.SetPaint(bone);
  b.Prism(8, -0.5f, -0.08f, 0.09f, 0.09f, 1.0f);
  b.SetXform(X());
  b.Sphere({-0.96f, 0.1f, 0}, {0.13f, 0.13f, 0.13f}, 3, 6);
  b.Sphere({-0.96f, -0.1f, 0}, {0.13f, 0.13f, 0.13f}, 3, 6);
  b.SetXform(X::RotateZ(90).Then(X::Translate(0.62f, 0, 0)));
  b.Prism(8, -0.3f, 0.05f, 0.08f, 0.08f, 1.0f);
  b.SetXform(X());
  b.Sphere({0.9f, 0.09f, 0}, {0.1f, 0.1f, 0.1f}, 3, 6);
  b.Sphere({0.9f, -0.09f, 0}, {0.1f, 0.1f, 0.1f}, 3, 6);
  return m;
}

// The special cartridge: gold casing with a rim and a red pointed tip, standing along y.
Mesh BuildCartridge() {
  Mesh m;
  Paint gold = m.AddPaint("gold", Hex(0xf0c040), 0.2f, 0.9f, 60);
  Paint red = m.AddPaint("tip", Hex(0xe02418), 0.25f, 0.8f, 50);
  Paint dark = m.AddPaint("rim", Hex(0x8a6418), 0.1f, 0.6f, 40);
  MeshObject& o = m.AddObject("cartridge");
  Builder b(o, dark);
  b.Prism(10, -1.0f, -0.88f, 0.36f, 0.36f, 1.0f);
  b.SetPaint(gold);
  b.Prism(10, -0.88f, 0.25f, 0.32f, 0.32f, 1.0f);
  b.Prism(10, 0.25f, 0.4f, 0.32f, 0.32f, 0.85f);
  b.SetPaint(red);
  b.Prism(10, 0.4f, 0.7f, 0.27f, 0.27f, 0.7f);
  b.Cone(10, 0.7f, 1.0f, 0.19f, 0.19f);
  return m;
}

int GeneratePropModels(const std::string& outDir) {
  for (const ModelRecipe& r : Models()) {
    if (r.path.find("model/bullet/") != 0 && r.path.find("model/items/") != 0) continue;
    // The game scales every model by its largest coordinate: make that exactly 1.
    Mesh mesh = r.build();
    mesh.Normalise(1.0f);
    if (WriteMQO(outDir + "/" + r.path, mesh) != 0) return -1;
  }
  return 0;
}

}  // namespace assetgen
