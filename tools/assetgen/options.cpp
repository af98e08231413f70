// Recipes of the options screen: the two glyph sheets of its text (plain, and lit for the selected
// row), the backdrop with its framed panel, the highlight bar behind the selected row, the
// headings "OPTIONS", "CONTROLS", "ACCESSIBILITY", "GAMEPAD" and "DISPLAY", and the title
// screen's "OPTIONS" entry.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "content.h"
#include "noise.h"
#include "pngfile.h"
#include "shapes.h"
#include "typeset.h"

namespace assetgen {

namespace {

constexpr int W = 800, H = 600;

// The glyph sheets: printable ASCII 32..126 in 16 × 6 cells of 32 × 40, each glyph's pen at
// x = 4 and its baseline at y = 30 of its cell.
constexpr int kCols = 16, kRows = 6, kCellW = 32, kCellH = 40, kPenX = 4, kBaseline = 30;
constexpr int kFirst = 32, kLast = 126;
constexpr int kMaxGlyphPx = 22;
constexpr int kOutline = 2;  // the glyphs' outline, in pixels

// The panel of the backdrop (outer edges) and the width of its frame.
constexpr float kPanelX0 = 60, kPanelY0 = 90, kPanelX1 = 740, kPanelY1 = 560, kFrame = 14;

// The title's entry: a 150 × 44 picture the game copies to (640, 14) of the title screen, a dark
// spot of the ceiling. No place in that corner is clear of the pulsing light overlay (about 60 %
// of the word's pixels here, still about 30 % at the very corner), which the game draws over the
// title and its menu: the entry shows whole only when the game draws it after the light.
constexpr int kEntryX = 640, kEntryY = 14, kEntryW = 150, kEntryH = 44;
constexpr int kRecordsEntryX = 480;  // the RECORDS entry, left of OPTIONS, the same size

// A heading: the word centred in 400 × 66, drawn at (200, 20) it fills the band y 20..85.
constexpr int kHeadingW = 400, kHeadingH = 66;

// One look of the glyph sheets. The fill runs from `top` at the capitals' top to `bottom` at the
// baseline for every glyph alike, so that a line of text has one gradient.
struct GlyphLook {
  Rgba top, bottom;
  Rgba outline;
  Rgba shadow;
  Rgba glow;  // alpha 0: none
};

// Light parchment for the rows, bright gold with a warm glow for the selected one.
GlyphLook PlainLook() { return {Hex(0xfff8e6), Hex(0xe2cca0), Hex(0x120a04), Hex(0x000000, 0.85f), Hex(0, 0)}; }
GlyphLook LitLook() { return {Hex(0xffffe0), Hex(0xffbe48), Hex(0x1a0c02), Hex(0x000000, 0.85f), Hex(0xff9a30, 0.6f)}; }

// The glyph's coverage in a cell: pen at kPenX, baseline at kBaseline (empty for the space). A
// glyph whose ink reaches so far left of its pen that its outline would touch the cell's left
// column (only 'J', whose hook reaches 2 px back) moves right just enough to keep that column
// clear: the game takes each glyph's place and advance from its ink, not from its pen.
Mask GlyphInk(const Font& font, char c, int px) {
  Mask cell(kCellW, kCellH);
  if (c == ' ') return cell;
  int left = 0;
  Mask ink = font.Render(std::string(1, c), px, 0, 0, &left);
  cell.Max(ink, std::max(kPenX + left, 1 + kOutline), kBaseline - font.Ascent(px));
  return cell;
}

// The columns of a cell picture with any alpha that survives as a byte: first and last, or
// {kCellW, -1} when there is none.
std::pair<int, int> InkColumns(const Canvas& cell) {
  int l = kCellW, r = -1;
  for (int y = 0; y < cell.Height(); ++y)
    for (int x = 0; x < cell.Width(); ++x)
      if (ToByte(cell.At(x, y).a) > 0) l = std::min(l, x), r = std::max(r, x);
  return {l, r};
}

// A glyph cell in a look: a 2 px dark outline, a hard drop shadow 2 px right and down (hard so
// that the ink the game measures ends where the shadow visibly ends), a soft bevel, and for the
// lit look a glow kept within the columns `span` (the plain glyph's ink) and faded out before the
// cell's top and bottom, so that both sheets measure the same advance.
Canvas PaintGlyph(const Mask& ink, int capTop, const GlyphLook& look, std::pair<int, int> span = {0, kCellW - 1}) {
  Canvas c(kCellW, kCellH);
  Mask body = ink;
  body.Dilate(kOutline);
  if (look.glow.a > 0) {
    Mask g = body;
    g.Dilate(1);
    g.Blur(2);
    for (int y = 0; y < kCellH; ++y)
      for (int x = 0; x < kCellW; ++x) {
        float wx = (x < span.first || x > span.second)
                       ? 0.0f
                       : std::min({1.0f, (x - span.first + 1) / 3.0f, (span.second - x + 1) / 3.0f});
        float wy = std::min({1.0f, y / 4.0f, (kCellH - 1 - y) / 4.0f});
        g.At(x, y) *= wx * wy;
      }
    c.PaintMask(g, 0, 0, look.glow);
  }
  c.PaintMask(body.Shifted(2, 2), 0, 0, look.shadow);
  c.PaintMask(body, 0, 0, look.outline);
  Mask light = BevelLight(ink, 2, 0.35f);
  float span01 = std::max(1, kBaseline - capTop);
  c.PaintMask(ink, 0, 0, [&](int x, int y) {
    Rgba col = Mix(look.top, look.bottom, Clamp01((y - capTop) / span01));
    float k = light.At(x, y);
    return Rgba{col.r * k, col.g * k, col.b * k, 1};
  });
  return c;
}

// Both sheets at one pixel size; false when some glyph's ink (outline and shadow included) does
// not keep a pixel of transparent border on every side of its cell.
bool GlyphSheets(const Font& font, int px, Canvas* plain, Canvas* lit) {
  *plain = Canvas(kCols * kCellW, kRows * kCellH);
  *lit = Canvas(kCols * kCellW, kRows * kCellH);
  // The fill's gradient starts at the capitals' top.
  int capTop = kBaseline;
  Mask h = GlyphInk(font, 'H', px);
  for (int y = 0; y < kCellH; ++y)
    for (int x = 0; x < kCellW; ++x)
      if (h.At(x, y) > 0.5f) capTop = std::min(capTop, y);
  for (int ch = kFirst; ch <= kLast; ++ch) {
    int i = ch - kFirst, ox = (i % kCols) * kCellW, oy = (i / kCols) * kCellH;
    Mask ink = GlyphInk(font, static_cast<char>(ch), px);
    Canvas p = PaintGlyph(ink, capTop, PlainLook());
    if (ch != ' ') {
      for (int y = 0; y < kCellH; ++y)
        for (int x = 0; x < kCellW; ++x) {
          bool border = x == 0 || y == 0 || x == kCellW - 1 || y == kCellH - 1;
          if (border && ToByte(p.At(x, y).a) > 0) return false;
        }
    }
    Canvas l = PaintGlyph(ink, capTop, LitLook(), InkColumns(p));
    plain->Draw(p, ox, oy);
    lit->Draw(l, ox, oy);
  }
  return true;
}

// The picture blurred by `r` (colours only; the alpha is kept).
Canvas Blurred(const Canvas& src, int r) {
  Mask ch[3] = {Mask(src.Width(), src.Height()), Mask(src.Width(), src.Height()), Mask(src.Width(), src.Height())};
  for (int y = 0; y < src.Height(); ++y)
    for (int x = 0; x < src.Width(); ++x) {
      const Rgba& p = src.At(x, y);
      ch[0].At(x, y) = p.r, ch[1].At(x, y) = p.g, ch[2].At(x, y) = p.b;
    }
  for (Mask& m : ch) m.Blur(r);
  Canvas out = src;
  // Edge pixels lose weight to the outside in the blur: take them back by the blurred frame.
  Mask one(src.Width(), src.Height(), 1.0f);
  one.Blur(r);
  for (int y = 0; y < src.Height(); ++y)
    for (int x = 0; x < src.Width(); ++x) {
      float k = 1.0f / std::max(0.01f, one.At(x, y));
      out.At(x, y) = Rgba{ch[0].At(x, y) * k, ch[1].At(x, y) * k, ch[2].At(x, y) * k, src.At(x, y).a};
    }
  return out;
}

// Iron of the frame under a bevel's light `k`: dark and a little warm, hammered uneven, with
// patches of rust; the edges that catch the light take the torches' colour.
Rgba Iron(int x, int y, float k) {
  float n = TileFbm(x * 1.0f, y * 1.0f, 32, 512, 4, 41);
  float rust = Smoothstep(0.58f, 0.75f, TileFbm(x * 1.0f, y * 1.0f, 8, 512, 3, 43));
  Cell dent = TileCells(x * 1.0f, y * 1.0f, 48, 512, 47);
  float v = (0.75f + 0.5f * n) * (0.8f + 0.2f * Smoothstep(0.0f, 0.6f, dent.f1));
  Rgba c = Scale(Mix(Hex(0x282522), Hex(0x40240f), rust * 0.6f), v * k);
  float hot = std::max(0.0f, k - 1.0f) * 0.22f;
  return Rgba{Clamp01(c.r + hot), Clamp01(c.g + hot * 0.6f), Clamp01(c.b + hot * 0.25f), 1};
}

// The backdrop: the title's corridor, darkened and softened, under a framed panel of dark stone.
Canvas Backdrop(const Canvas& corridor) {
  Canvas out = Blurred(corridor, 2);
  // Darker overall and darker still towards the edges: the panel is what the eye finds.
  out.Shade([](int x, int y) {
    float dx = (x - W / 2.0f) / (W * 0.6f), dy = (y - H * 0.5f) / (H * 0.65f);
    return 0.75f * (1.0f - 0.3f * Smoothstep(0.4f, 1.2f, std::sqrt(dx * dx + dy * dy)));
  });

  // The panel's shadow on the wall behind it.
  Mask outer(W, H);
  FillRoundRect(outer, kPanelX0, kPanelY0, kPanelX1, kPanelY1, 7);
  Mask shadow = outer.Shifted(5, 7);
  shadow.Dilate(3);
  shadow.Blur(7);
  out.PaintMask(shadow, 0, 0, Hex(0x000000, 0.75f));

  // The panel's inside: dark stone, the wall behind faintly seen through it, deepening into the
  // corners and along the frame.
  const float ix0 = kPanelX0 + kFrame, iy0 = kPanelY0 + kFrame, ix1 = kPanelX1 - kFrame, iy1 = kPanelY1 - kFrame;
  Mask inner(W, H);
  FillRect(inner, ix0, iy0, ix1, iy1);
  Mask depth = inner;
  depth.Erode(6);
  depth.Blur(8);
  out.PaintMask(inner, 0, 0, [&](int x, int y) {
    const Rgba& bg = out.At(x, y);
    // One slab of dark stone, mottled, with fine grain: quiet behind the lines of text.
    float mottle = TileFbm(x * 1.0f, y * 1.0f, 6, 1024, 4, 53), grain = Hash01(x, y, 59);
    float v = 0.03f + 0.045f * mottle + 0.008f * grain;
    float d = 0.55f + 0.45f * depth.At(x, y);
    // A faint warm wash from above, as from the torches.
    float warm = 0.012f * (1.0f - Clamp01((y - iy0) / (iy1 - iy0)));
    Rgba panel{(v * 1.02f + warm) * d, (v * 0.98f + warm * 0.6f) * d, v * 1.08f * d, 1};
    return Mix(panel, bg, 0.35f);
  });

  // The frame: a dark rim, the iron band with a bevel, riveted, with plates at the corners.
  Mask band = outer;
  band.Subtract(inner);
  Mask rim = outer;
  rim.Dilate(2);
  rim.Subtract(inner);
  out.PaintMask(rim, 0, 0, Hex(0x0a0806));
  Mask plates(W, H), rivets(W, H);
  const float pc = 34;  // corner plate size
  for (int k = 0; k < 4; ++k) {
    float x = k % 2 ? kPanelX1 - pc + 4 : kPanelX0 - 4, y = k / 2 ? kPanelY1 - pc + 4 : kPanelY0 - 4;
    FillRoundRect(plates, x, y, x + pc, y + pc, 4);
    FillEllipse(rivets, x + pc / 2, y + pc / 2, 5, 5);
  }
  const float mid = kFrame / 2;
  for (float x = kPanelX0 + 76; x < kPanelX1 - 60; x += 52) {
    FillEllipse(rivets, x, kPanelY0 + mid, 3, 3);
    FillEllipse(rivets, x, kPanelY1 - mid, 3, 3);
  }
  for (float y = kPanelY0 + 78; y < kPanelY1 - 60; y += 52) {
    FillEllipse(rivets, kPanelX0 + mid, y, 3, 3);
    FillEllipse(rivets, kPanelX1 - mid, y, 3, 3);
  }
  Mask bandLight = BevelLight(band, 3, 0.9f);
  out.PaintMask(band, 0, 0, [&](int x, int y) { return Iron(x, y, bandLight.At(x, y)); });
  // A groove along the inner edge and a thin lit lip inside it.
  Mask groove = inner;
  groove.Dilate(2.5f);
  groove.Subtract(inner);
  out.PaintMask(groove, 0, 0, Hex(0x050403, 0.9f));
  Mask lip(W, H);
  FillRect(lip, ix0, iy0, ix1, iy0 + 1.2f);
  FillRect(lip, ix0, iy0, ix0 + 1.2f, iy1);
  out.PaintMask(lip, 0, 0, Hex(0x000000, 0.55f));
  Mask plateRim = plates;
  plateRim.Dilate(1.5f);
  out.PaintMask(plateRim, 0, 0, Hex(0x0a0806));
  Mask plateLight = BevelLight(plates, 4, 1.0f);
  out.PaintMask(plates, 0, 0, [&](int x, int y) { return Iron(x + 97, y + 31, 1.15f * plateLight.At(x, y)); });
  Mask rivetShadow = rivets.Shifted(1, 2);
  rivetShadow.Blur(1);
  out.PaintMask(rivetShadow, 0, 0, Hex(0x000000, 0.8f));
  Mask rivetLight = BevelLight(rivets, 3, 1.2f);
  out.PaintMask(rivets, 0, 0, [&](int x, int y) { return Iron(x + 31, y + 7, 1.6f * rivetLight.At(x, y)); });
  // Torchlight catching the top edge of the frame.
  out.Shade([&](int x, int y) {
    if (band.At(x, y) <= 0 && plates.At(x, y) <= 0) return 1.0f;
    float dx = (x - W / 2.0f) / 360.0f, dy = (y - kPanelY0) / 60.0f;
    return 1.0f + 0.35f * std::exp(-(dx * dx + dy * dy));
  });
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) out.At(x, y).a = 1;
  return out;
}

// The bar behind the selected row: warm amber light, strongest in the middle, nothing at the
// ends and edges, with a slow flicker along it like torchlight.
Canvas Highlight() {
  const int w = 680, h = 34;
  Canvas c(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      float u = std::abs(x + 0.5f - w / 2.0f) / (w / 2.0f), v = std::abs(y + 0.5f - h / 2.0f) / (h / 2.0f);
      float ex = (1.0f - Smoothstep(0.25f, 1.0f, u)) * (0.8f + 0.2f * (1.0f - u * u));
      float ey = std::exp(-v * v * 2.6f) * (1.0f - Smoothstep(0.7f, 1.0f, v));
      float flicker = 0.86f + 0.28f * TileNoise(x * 1.0f, 0, 12, 680, 7);
      float a = 0.62f * ex * ey * flicker;
      Rgba col = Mix(Hex(0xffc070), Hex(0xff7a1c), Clamp01(v * 1.3f));
      c.At(x, y) = WithAlpha(col, Clamp01(a));
    }
  return c;
}

// The bounds of the pixels whose alpha is at least `t`: x0, y0, x1, y1 (inclusive).
struct Box {
  int x0, y0, x1, y1;
};
Box Bounds(const Canvas& c, float t) {
  Box b{c.Width(), c.Height(), -1, -1};
  for (int y = 0; y < c.Height(); ++y)
    for (int x = 0; x < c.Width(); ++x)
      if (c.At(x, y).a >= t) b = {std::min(b.x0, x), std::min(b.y0, y), std::max(b.x1, x), std::max(b.y1, y)};
  return b;
}

// `pic` in a w × h picture, its solid ink centred; the alpha fades to nothing over the last
// `fade` pixels at the borders so that no cut edge of the glow shows. False when the part of the
// picture with alpha of at least `keep` does not fit inside the fade.
bool Fit(const Canvas& pic, int w, int h, int fade, float keep, Canvas* out) {
  Box ink = Bounds(pic, 0.5f);
  int ox = w / 2 - (ink.x0 + ink.x1 + 1) / 2, oy = h / 2 - (ink.y0 + ink.y1 + 1) / 2;
  Box kept = Bounds(pic, keep);
  if (kept.x0 + ox < fade || kept.y0 + oy < fade || kept.x1 + ox >= w - fade || kept.y1 + oy >= h - fade) return false;
  *out = Canvas(w, h);
  out->Draw(pic, ox, oy);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      float k = std::min({1.0f, (x + 0.5f) / fade, (w - x - 0.5f) / fade, (y + 0.5f) / fade, (h - y - 0.5f) / fade});
      out->At(x, y).a *= Smoothstep(0, 1, k);
    }
  return true;
}

// A word in the menu style at about `px`, shrunk until it fits w × h (see Fit); false, after a
// message, when it does not fit even small.
bool MenuWord(const Fonts& f, const char* text, int px, float tracking, int w, int h, int fade, float keep,
              Canvas* out) {
  for (; px >= 12; --px)
    if (Fit(TextPicture(f.sansBold, text, px, MenuStyle(), tracking), w, h, fade, keep, out)) return true;
  fprintf(stderr, "assetgen: \"%s\" does not fit %d x %d\n", text, w, h);
  return false;
}

}  // namespace

int GenerateOptions(const std::string& outDir) {
  Fonts f;
  if (f.Init() != 0) return -1;

  // The glyph sheets at the largest size up to kMaxGlyphPx whose every glyph keeps inside its cell.
  Canvas plain, lit;
  int px = kMaxGlyphPx;
  while (!GlyphSheets(f.sansBold, px, &plain, &lit)) {
    if (--px < 12) {
      fprintf(stderr, "assetgen: the options glyphs do not fit their cells\n");
      return -1;
    }
  }
  if (WritePNG(outDir + "/img/fonts/options-glyphs.png", plain) ||
      WritePNG(outDir + "/img/fonts/options-glyphs-lit.png", lit))
    return -1;

  Canvas corridor = TitleCorridor();
  if (WritePNG(outDir + "/img/options-back.png", Backdrop(corridor))) return -1;
  if (WritePNG(outDir + "/img/options-highlight.png", Highlight())) return -1;

  const struct {
    const char* text;
    const char* file;
  } headings[] = {{"OPTIONS", "options-heading.png"},
                  {"CONTROLS", "controls-heading.png"},
                  {"ACCESSIBILITY", "access-heading.png"},
                  {"GAMEPAD", "pad-heading.png"},
                  {"DISPLAY", "display-heading.png"},
                  {"RECORDS", "records-heading.png"}};
  for (const auto& hd : headings) {
    Canvas pic;
    if (!MenuWord(f, hd.text, 44, 3, kHeadingW, kHeadingH, 6, 0.25f, &pic) ||
        WritePNG(outDir + "/img/fonts/" + hd.file, pic))
      return -1;
  }

  // The title's entry, pre-composited over the title art behind it like the other menu words
  // (the game copies it without blending): whatever keeps its colour after Binarise fits the box.
  Canvas title = TitleScreen(f, corridor);
  Canvas entry;
  if (!MenuWord(f, "OPTIONS", 26, 1.5f, kEntryW, kEntryH, 1, 0.2f, &entry)) return -1;
  Binarise(entry, 0.2f, Hex(0), &title, kEntryX, kEntryY);
  if (WritePNG(outDir + "/img/fonts/options.png", entry)) return -1;
  Canvas records;
  if (!MenuWord(f, "RECORDS", 26, 1.5f, kEntryW, kEntryH, 1, 0.2f, &records)) return -1;
  Binarise(records, 0.2f, Hex(0), &title, kRecordsEntryX, kEntryY);
  if (WritePNG(outDir + "/img/fonts/records.png", records)) return -1;
  return 0;
}

}  // namespace assetgen
