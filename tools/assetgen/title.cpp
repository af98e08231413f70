// Recipes of the title screen: the carved QUORL over a torch-lit stone corridor vanishing into the
// dark, the pulsing light overlay, and the two menu words.
#include <algorithm>
#include <cmath>

#include "content.h"
#include "noise.h"
#include "pngfile.h"
#include "shapes.h"
#include "typeset.h"

namespace assetgen {

namespace {

constexpr int W = 800, H = 600;

struct Light {
  Vec3 pos;
  Rgba colour;
  float power;
};

}  // namespace

// The corridor: walls at x = ±1.2, floor at y = -1, ceiling at y = 1.3, seen from the origin down
// -z; one wall texture repeat spans 2.4 units, one floor repeat 1.2 units. Torches on the walls
// and a faint glow at the far end light it.
Canvas TitleCorridor() {
  Canvas wall = FloorTexture("rock"), floor = FloorTexture("rock-floor");
  const float hw = 1.2f, fy = -1.0f, cy = 1.3f, focal = 430.0f;
  const Light lights[] = {
      {{-1.05f, -0.05f, -3.2f}, Hex(0xffa050), 2.2f},
      {{1.05f, 0.35f, -9.5f}, Hex(0xff9040), 1.8f},
      {{-1.05f, 0.35f, -16.0f}, Hex(0xff8a3a), 1.3f},
      {{0.0f, 0.1f, -30.0f}, Hex(0x7a90ff), 6.0f},
  };
  Canvas out(W, H);
  const int ss = 2;
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      float r = 0, g = 0, b = 0;
      for (int sy = 0; sy < ss; ++sy)
        for (int sx = 0; sx < ss; ++sx) {
          float px = x + (sx + 0.5f) / ss, py = y + (sy + 0.5f) / ss;
          Vec3 d{(px - W / 2.0f) / focal, -(py - H * 0.52f) / focal, -1.0f};
          float t = 1e9f;
          int kind = 0;  // 1 wall, 2 floor, 3 ceiling
          if (d.x > 0 && hw / d.x < t) t = hw / d.x, kind = 1;
          if (d.x < 0 && -hw / d.x < t) t = -hw / d.x, kind = 1;
          if (d.y < 0 && fy / d.y < t) t = fy / d.y, kind = 2;
          if (d.y > 0 && cy / d.y < t) t = cy / d.y, kind = 3;
          Vec3 p = d * t;
          Vec3 n = kind == 1 ? Vec3{d.x > 0 ? -1.0f : 1.0f, 0, 0} : (kind == 2 ? Vec3{0, 1, 0} : Vec3{0, -1, 0});
          Rgba tex;
          if (kind == 1) {
            float u = (-p.z) / 2.4f * 256, v = (cy - p.y) / 2.4f * 256;
            tex = wall.SampleWrap(u + (d.x > 0 ? 97 : 0), v);
          } else if (kind == 2) {
            tex = floor.SampleWrap((p.x + 7) / 1.2f * 256, -p.z / 1.2f * 256);
          } else {
            tex = Scale(wall.SampleWrap(p.x / 2.4f * 256, -p.z / 2.4f * 256 + 50), 0.6f);
          }
          float lr = 0.015f, lg = 0.017f, lb = 0.024f;  // a cold ambient
          for (const Light& l : lights) {
            Vec3 to = l.pos - p;
            float dist2 = Dot(to, to);
            float ndl = std::max(0.0f, Dot(n, Normalised(to)));
            float k = l.power * ndl / (1.0f + dist2 * 1.1f);
            lr += l.colour.r * k;
            lg += l.colour.g * k;
            lb += l.colour.b * k;
          }
          float fog = std::exp(-std::max(0.0f, -p.z - 6) * 0.05f);
          r += tex.r * lr * fog;
          g += tex.g * lg * fog;
          b += tex.b * lb * fog;
        }
      out.At(x, y) = Rgba{r / (ss * ss), g / (ss * ss), b / (ss * ss), 1};
    }
  // Torch flames and their halos, projected from the light positions.
  for (int i = 0; i < 3; ++i) {
    const Light& l = lights[i];
    float sx = W / 2.0f + l.pos.x * focal / -l.pos.z, sy = H * 0.52f - l.pos.y * focal / -l.pos.z;
    float scale = 3.2f / -l.pos.z;
    Mask halo(W, H);
    FillEllipse(halo, sx, sy, 60 * scale, 60 * scale, 0.6f);
    halo.Blur(static_cast<int>(18 * scale) + 1);
    out.PaintMask(halo, 0, 0, Hex(0xff9a40, 0.8f));
    Mask bracket(W, H);
    FillRect(bracket, sx - 5 * scale, sy + 8 * scale, sx + 5 * scale, sy + 40 * scale);
    FillPolygon(bracket, {{sx - 12 * scale, sy + 4 * scale}, {sx + 12 * scale, sy + 4 * scale},
                          {sx + 6 * scale, sy + 14 * scale}, {sx - 6 * scale, sy + 14 * scale}});
    out.PaintMask(bracket, 0, 0, Hex(0x1a120c));
    Mask flame(W, H), core(W, H);
    FillPolygon(flame, {{sx - 9 * scale, sy + 4 * scale}, {sx, sy - 30 * scale}, {sx + 9 * scale, sy + 4 * scale}});
    FillEllipse(flame, sx, sy, 9 * scale, 8 * scale);
    FillEllipse(core, sx, sy, 4.5f * scale, 5 * scale);
    FillPolygon(core, {{sx - 4 * scale, sy}, {sx, sy - 16 * scale}, {sx + 4 * scale, sy}});
    out.PaintMask(flame, 0, 0, Hex(0xff8a20));
    out.PaintMask(core, 0, 0, Hex(0xfff0b0));
  }
  // Vignette and a darker band at the bottom for the menu.
  out.Shade([](int x, int y) {
    float dx = (x - W / 2.0f) / (W * 0.62f), dy = (y - H * 0.48f) / (H * 0.7f);
    float v = 1.0f - 0.55f * Smoothstep(0.3f, 1.1f, std::sqrt(dx * dx + dy * dy));
    return v * (1.0f - 0.6f * Smoothstep(440, 600, static_cast<float>(y)));
  });
  return out;
}

namespace {

// The name in carved stone, with the torches' warm glow around it.
Canvas Logo(const Fonts& f) { return TextPicture(f.serifBold, "QUORL", 142, CarvedStyle(), 12); }

// Warm light over the logo and the corridor's end: 0 .. 1 per pixel.
float Glow(int x, int y) {
  auto blob = [](float dx, float dy, float rx, float ry) {
    float d = (dx * dx) / (rx * rx) + (dy * dy) / (ry * ry);
    return std::exp(-d * 2.2f);
  };
  return std::min(1.0f, blob(x - 400.0f, y - 165.0f, 360, 150) + 0.8f * blob(x - 400.0f, y - 318.0f, 120, 110));
}

}  // namespace

Canvas TitleScreen(const Fonts& f, Canvas title) {
  Canvas logo = Logo(f);
  title.Draw(logo, (W - logo.Width()) / 2, 165 - logo.Height() / 2);
  LetterStyle sub = StoryStyle();
  sub.top = Hex(0xe8dcc4);
  sub.bottom = Hex(0xb8a88c);
  Canvas tag = TextPicture(f.sansBold, "A DESCENT OF THIRTY FLOORS", 20, sub, 6);
  title.Draw(tag, (W - tag.Width()) / 2, 262);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) title.At(x, y).a = 1;
  return title;
}

int GenerateTitle(const std::string& outDir) {
  Fonts f;
  if (f.Init() != 0) return -1;
  Canvas title = TitleScreen(f, TitleCorridor());
  if (WritePNG(outDir + "/img/QUORL-title.png", title)) return -1;

  // The overlay is the same picture brightened by the glow: the game fades it in and out over
  // the title (its copy-only blit replaces the overlay's alpha by the pulse opacity), so the
  // light is carried by the colours. Pixels the glow does not reach stay transparent.
  Canvas light(W, H);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      float g = Glow(x, y);
      if (g < 0.03f) continue;
      const Rgba& t = title.At(x, y);
      light.At(x, y) = Rgba{Clamp01(t.r * (1 + 0.9f * g) + 0.16f * g), Clamp01(t.g * (1 + 0.7f * g) + 0.08f * g),
                            Clamp01(t.b * (1 + 0.35f * g) + 0.02f * g), 1};
    }
  if (WritePNG(outDir + "/img/QUORL-title-light.png", light)) return -1;

  // Menu words, centred in 340 × 90 boxes drawn at (50, 500) and (450, 500), pre-composited
  // over the title art behind them because the game copies them without blending.
  const struct {
    const char* text;
    const char* file;
    int x;
  } words[] = {{"NEW GAME", "new-game.png", 50}, {"CONTINUE", "continue.png", 450}};
  for (const auto& w : words) {
    int px = 50;
    Canvas pic = TextPicture(f.sansBold, w.text, px, MenuStyle(), 3);
    while ((pic.Width() > 340 || pic.Height() > 90) && px > 20) pic = TextPicture(f.sansBold, w.text, --px, MenuStyle(), 3);
    Canvas box(340, 90);
    int ox = (340 - pic.Width()) / 2, oy = (90 - pic.Height()) / 2;
    box.Draw(pic, ox, oy);
    Binarise(box, 0.2f, Hex(0), &title, w.x, 500);
    if (WritePNG(outDir + "/img/fonts/" + w.file, box)) return -1;
  }
  return 0;
}

}  // namespace assetgen
