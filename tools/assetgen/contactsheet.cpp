// The contact sheet: every picture and every model (three views, the game's lighting) on one PNG.
#include "contactsheet.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "canvas.h"
#include "content.h"
#include "font.h"
#include "lettering.h"
#include "pngfile.h"
#include "rasteriser.h"

namespace assetgen {

namespace {

constexpr int kSheetWidth = 1720;
constexpr int kGap = 14;

struct Tile {
  Canvas pic;
  std::string label;
};

// Places tiles left to right under a heading, wrapping to new rows.
class Layout {
 public:
  explicit Layout(Font& font) : font_(font) {}

  void Section(const std::string& title) {
    NewRow();
    y_ += 10;
    Mask m = font_.Render(title, 26, 2);
    Place(m, kGap, y_, Hex(0xffd080));
    y_ += m.Height() + 4;
  }

  void Add(const Canvas& pic, const std::string& label) {
    int w = std::max(pic.Width(), static_cast<int>(font_.Measure(label, 12)) + 4);
    if (x_ + w + kGap > kSheetWidth) NewRow();
    items_.push_back({pic, label, x_, y_});
    x_ += w + kGap;
    rowH_ = std::max(rowH_, pic.Height() + 20);
  }

  Canvas Finish() {
    NewRow();
    Canvas sheet(kSheetWidth, y_ + kGap, Hex(0x1a1a1e));
    for (const Text& t : texts_) sheet.PaintMask(t.m, t.x, t.y, t.c);
    for (const Item& it : items_) {
      sheet.Draw(it.pic, it.x, it.y);
      Mask m = font_.Render(it.label, 12, 0);
      sheet.PaintMask(m, it.x, it.y + it.pic.Height() + 2, Hex(0xb0b0b8));
    }
    return sheet;
  }

 private:
  struct Item {
    Canvas pic;
    std::string label;
    int x, y;
  };
  struct Text {
    Mask m;
    int x, y;
    Rgba c;
  };
  void NewRow() {
    if (rowH_ > 0) y_ += rowH_ + kGap / 2;
    x_ = kGap;
    rowH_ = 0;
  }
  void Place(const Mask& m, int x, int y, Rgba c) { texts_.push_back({m, x, y, c}); }

  Font& font_;
  std::vector<Item> items_;
  std::vector<Text> texts_;
  int x_ = kGap, y_ = kGap, rowH_ = 0;
};

// A picture over a checkerboard, so that transparency and both light and dark content show.
Canvas OnChecker(const Canvas& pic) {
  Canvas c(pic.Width(), pic.Height());
  for (int y = 0; y < c.Height(); ++y)
    for (int x = 0; x < c.Width(); ++x) c.At(x, y) = ((x / 8 + y / 8) % 2) ? Hex(0x3a3a40) : Hex(0x4a4a52);
  c.Draw(pic, 0, 0);
  return c;
}

Canvas Tiled2x2(const Canvas& t, int cell) {
  Canvas small = t.Resized(cell, cell);
  Canvas c(cell * 2, cell * 2);
  for (int j = 0; j < 2; ++j)
    for (int i = 0; i < 2; ++i) c.Draw(small, i * cell, j * cell);
  return c;
}

}  // namespace

int WriteContactSheet(const std::string& dataDir, const std::string& path) {
  Font font;
  if (font.Init(kSansBold) != 0) return -1;
  Layout lay(font);
  std::vector<std::string> pics = PicturePaths();
  // Each picture is read once; a missing one shows as a magenta square.
  std::map<std::string, std::pair<bool, Canvas>> cache;
  auto load = [&](const std::string& rel, Canvas* c) {
    auto it = cache.find(rel);
    if (it == cache.end()) {
      Canvas pic;
      bool found = ReadPNG(dataDir + "/" + rel, &pic) == 0;
      if (!found) pic = Canvas(64, 64, Hex(0xff00ff));
      it = cache.emplace(rel, std::make_pair(found, pic)).first;
    }
    *c = it->second.second;
    return it->second.first;
  };
  bool ok = true;
  lay.Section("Title, menu and ending (shown at half size)");
  for (const std::string& p : pics) {
    Canvas c;
    if (p.rfind("img/walls/", 0) == 0) continue;
    ok &= load(p, &c);
    bool full = c.Width() == 800 && c.Height() == 600;
    if (!full && p.find("staff") == std::string::npos && p.find("title") == std::string::npos) continue;
    lay.Add(OnChecker(c.Resized(c.Width() / 2, c.Height() / 2)), p.substr(4));
  }
  lay.Section("Status board, captions and statistics (actual size)");
  for (const std::string& p : pics) {
    Canvas c;
    if (p.rfind("img/walls/", 0) == 0) continue;
    ok &= load(p, &c);
    if (c.Width() == 800 && c.Height() == 600) continue;
    lay.Add(OnChecker(c), p.substr(4));
  }
  lay.Section("Floor textures (each tiled 2 x 2 at half size)");
  for (const TextureEntry& t : FloorTextureList()) {
    Canvas c;
    ok &= load(std::string("img/walls/") + t.stem + ".png", &c);
    lay.Add(Tiled2x2(c, 128), t.stem);
  }
  lay.Section("Models (front three-quarter, side, back from above; the game's lighting)");
  for (const ModelRecipe& m : Models()) {
    Mesh mesh = m.build();
    bool bullet = m.path.find("bullet/") != std::string::npos;
    // Enemies face +z, bullets -z: start the views from the model's front.
    float front = bullet ? 180.0f : 0.0f;
    const float views[3][2] = {{front + 35, 15}, {front + 90, 5}, {front + 200, 35}};
    for (int v = 0; v < 3; ++v) {
      std::string label = v == 0 ? m.path.substr(6) : "";
      lay.Add(RenderModel(mesh, views[v][0], views[v][1], 180, Hex(0x26262c)), label);
    }
    if (mesh.Objects().size() == 5) {
      // The last boss's parts all sit at the origin: spread them out to show each one.
      Mesh parts = mesh;
      for (size_t i = 1; i < 5; ++i)
        for (Vec3& p : parts.Objects()[i].verts) p.x += (i <= 2 ? -0.35f : 0.35f) * (i % 2 ? 1.0f : 2.0f);
      lay.Add(RenderModel(parts, 20, 10, 180, Hex(0x26262c)), "(parts spread out)");
    }
  }
  Canvas sheet = lay.Finish();
  if (WritePNG(path, sheet, false) != 0) return -1;
  printf("assetgen: contact sheet %s (%d x %d)%s\n", path.c_str(), sheet.Width(), sheet.Height(),
         ok ? "" : ", some pictures missing (magenta)");
  return ok ? 0 : -1;
}

}  // namespace assetgen
