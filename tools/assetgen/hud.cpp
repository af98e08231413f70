// Recipes of the status board: crosshair, pause sign, life-gauge frame, magazine icons, the floor
// number glyphs and the special-round counter glyphs.
#include <algorithm>
#include <cmath>

#include "content.h"
#include "noise.h"
#include "pngfile.h"
#include "shapes.h"
#include "typeset.h"

namespace assetgen {

namespace {

// The life bar the game fills: x 77..366, y 40..63 of the board (the frame is drawn at 0, 0).
constexpr int kBarX = 77, kBarY = 40, kBarW = 290, kBarH = 24;

Canvas Sight() {
  const int S = 64, c = S / 2;
  Mask lines(S, S), dot(S, S);
  const float gap = 7, len = 13, w = 2.2f;
  StrokeLine(lines, c - gap - len, c, c - gap, c, w);
  StrokeLine(lines, c + gap, c, c + gap + len, c, w);
  StrokeLine(lines, c, c - gap - len, c, c - gap, w);
  StrokeLine(lines, c, c + gap, c, c + gap + len, w);
  FillEllipse(dot, c, c, 1.6f, 1.6f);
  lines.Max(dot);
  Mask outline = lines;
  outline.Dilate(1.5f);
  Canvas pic(S, S);
  pic.PaintMask(outline, 0, 0, Hex(0x000000, 0.75f));
  pic.PaintMask(lines, 0, 0, Hex(0xe8ffe0));
  return pic;
}

// A cartridge standing upright in a w × h box: rim, case, neck and a pointed bullet.
Canvas Cartridge(int w, int h, Rgba caseLight, Rgba caseDark, Rgba tipLight, Rgba tipDark, bool silhouette) {
  Mask caseM(w, h), tip(w, h), rim(w, h);
  float cx = w / 2.0f, r = w * 0.34f;
  float bottom = h - 2.0f, caseTop = h * 0.42f, neck = h * 0.34f;
  FillRect(rim, cx - r - 1.2f, bottom - h * 0.07f, cx + r + 1.2f, bottom);
  FillPolygon(caseM, {{cx - r, bottom - 1}, {cx + r, bottom - 1}, {cx + r, caseTop}, {cx + r * 0.78f, neck},
                      {cx - r * 0.78f, neck}, {cx - r, caseTop}});
  // Ogive bullet: a pointed arch over the neck.
  std::vector<Pt> ogive;
  float br = r * 0.78f, top = 2.0f;
  for (int i = 0; i <= 16; ++i) {
    float t = i / 16.0f;
    float y = neck - (neck - top) * t;
    float x = br * std::sqrt(std::max(0.0f, 1 - t * t * t));
    ogive.push_back({cx + x, y});
  }
  for (int i = 16; i >= 0; --i) ogive.push_back({2 * cx - ogive[i].x, ogive[i].y});
  FillPolygon(tip, ogive);
  tip.Subtract(caseM);
  Mask all = caseM;
  all.Max(tip);
  all.Max(rim);
  Mask outline = all;
  outline.Dilate(1.3f);
  Canvas pic(w, h);
  if (silhouette) {
    pic.PaintMask(outline, 0, 0, Hex(0x101010));
    pic.PaintMask(all, 0, 0, Hex(0x9a9aa0));
  } else {
    // Cylindrical shading across x: a bright stripe left of centre.
    auto shade = [&](Rgba light, Rgba dark) {
      return [=](int x, int) {
        float u = (x + 0.5f - cx) / r;
        float k = std::max(0.0f, 1 - std::abs(u + 0.35f) * 0.9f);
        Rgba c = Mix(dark, light, k);
        if (std::abs(u + 0.4f) < 0.16f) c = Mix(c, Hex(0xffffff), 0.45f);
        return c;
      };
    };
    pic.PaintMask(outline, 0, 0, Hex(0x140a02));
    pic.PaintMask(caseM, 0, 0, shade(caseLight, caseDark));
    pic.PaintMask(rim, 0, 0, shade(Scale(caseLight, 0.85f), Scale(caseDark, 0.7f)));
    pic.PaintMask(tip, 0, 0, shade(tipLight, tipDark));
    // A groove line where case meets the rim.
    Mask groove(w, h);
    FillRect(groove, cx - r, bottom - h * 0.1f, cx + r, bottom - h * 0.07f);
    pic.PaintMask(groove, 0, 0, Hex(0x2a1a08, 0.8f));
  }
  // Hard edges: the icons go through copy-only blits, and the empty icon's alpha is masked.
  Binarise(pic, 0.5f, Hex(0x000000));
  return pic;
}

constexpr int kIconW = 28, kIconH = 56;

Canvas NormalRound() {
  return Cartridge(kIconW, kIconH, Hex(0xf2d48a), Hex(0x8a5a1c), Hex(0xe09a6a), Hex(0x6a3418), false);
}
Canvas SpecialRound(int w = kIconW, int h = kIconH) {
  return Cartridge(w, h, Hex(0xfff0a0), Hex(0xb07a10), Hex(0xff6a50), Hex(0x8a0c0c), false);
}
Canvas EmptyRound() { return Cartridge(kIconW, kIconH, Rgba{}, Rgba{}, Rgba{}, Rgba{}, true); }

// The life-gauge frame: a bevelled dark-metal plate with a heart socket at its left end and the
// bar window cut out.
Canvas LifeGauge() {
  const int W = 392, H = 96;
  Mask plate(W, H);
  FillRoundRect(plate, 4, 22, 384, 82, 14);
  Mask socket(W, H);
  FillEllipse(socket, 40, 52, 33, 33);
  plate.Max(socket);
  Mask window(W, H);
  FillRect(window, kBarX, kBarY, kBarX + kBarW, kBarY + kBarH);
  plate.Subtract(window);
  Mask light = BevelLight(plate, 6, 0.9f);
  Canvas pic(W, H);
  Mask shadow = plate.Shifted(3, 4);
  shadow.Blur(3);
  pic.PaintMask(shadow, 0, 0, Hex(0x000000, 0.6f));
  pic.PaintMask(plate, 0, 0, [&](int x, int y) {
    float n = TileFbm(x, y, 32, 256, 3, 5);
    Rgba c = Mix(Hex(0x4a4e58), Hex(0x2a2c34), Clamp01((y - 22) / 60.0f));
    c = Scale(c, (0.9f + 0.2f * n) * light.At(x, y));
    return c;
  });
  // Dark inset lip around the window, so that the bar looks sunk into the plate.
  Mask lip(W, H);
  FillRect(lip, kBarX - 4, kBarY - 4, kBarX + kBarW + 4, kBarY + kBarH + 4);
  lip.Subtract(window);
  Mask lipLight(W, H);
  FillRect(lipLight, kBarX - 4, kBarY + kBarH, kBarX + kBarW + 4, kBarY + kBarH + 4);
  pic.PaintMask(lip, 0, 0, Hex(0x0c0c10));
  pic.PaintMask(lipLight, 0, 0, Hex(0x6a6e7a, 0.8f));
  // Tick marks under the window, one every tenth of the bar.
  Mask ticks(W, H);
  for (int i = 0; i <= 10; ++i) {
    float x = kBarX + i * kBarW / 10.0f;
    FillRect(ticks, x - 1, kBarY + kBarH + 6, x + 1, kBarY + kBarH + (i % 5 == 0 ? 14 : 10));
  }
  pic.PaintMask(ticks, 0, 0, Hex(0xc8a060));
  // Rivets at the right end.
  Mask rivets(W, H);
  FillEllipse(rivets, 374, 34, 3.5f, 3.5f);
  FillEllipse(rivets, 374, 70, 3.5f, 3.5f);
  pic.PaintMask(rivets, 0, 0, Hex(0xa0a4ae));
  // The heart in its socket.
  Mask socketIn(W, H);
  FillEllipse(socketIn, 40, 52, 26, 26);
  pic.PaintMask(socketIn, 0, 0, Hex(0x16161c));
  Mask heart(W, H);
  FillEllipse(heart, 33, 46, 9.5f, 9.5f);
  FillEllipse(heart, 47, 46, 9.5f, 9.5f);
  FillPolygon(heart, {{24.5f, 50}, {55.5f, 50}, {40, 67}});
  Mask heartOut = heart;
  heartOut.Dilate(2);
  Mask heartLight = BevelLight(heart, 5, 1.0f);
  pic.PaintMask(heartOut, 0, 0, Hex(0x200404));
  pic.PaintMask(heart, 0, 0, [&](int x, int y) {
    Rgba c = Mix(Hex(0xff5a50), Hex(0xa80c16), Clamp01((y - 38) / 28.0f));
    return Scale(c, heartLight.At(x, y));
  });
  Mask shine(W, H);
  FillEllipse(shine, 31, 44, 3.5f, 2.5f);
  pic.PaintMask(shine, 0, 0, Hex(0xffffff, 0.8f));
  // The window itself must stay fully transparent: the bar is drawn there first.
  for (int y = kBarY; y < kBarY + kBarH; ++y)
    for (int x = kBarX; x < kBarX + kBarW; ++x) pic.At(x, y) = Rgba{};
  return pic;
}

Canvas PauseSign(const Fonts& f) {
  LetterStyle s = HudStyle();
  s.top = Hex(0xffffff);
  s.bottom = Hex(0xb8c0d0);
  s.bevel = 5;
  s.outline = 4;
  s.outlineColour = Hex(0x08080c);
  s.shadowDx = 0;
  s.shadowDy = 0;
  s.shadow = 8;
  s.shadowColour = Hex(0x000000, 0.7f);
  return TextPicture(f.sansBold, "PAUSE", 110, s, 10);
}

}  // namespace

int GenerateHud(const std::string& outDir) {
  Fonts f;
  if (f.Init() != 0) return -1;
  const std::string img = outDir + "/img/";
  if (WritePNG(img + "Sight.png", Sight()) || WritePNG(img + "fonts/pause.png", PauseSign(f)) ||
      WritePNG(img + "life-gauge.png", LifeGauge()) || WritePNG(img + "bullet.png", NormalRound()) ||
      WritePNG(img + "bullet_sp.png", SpecialRound()) || WritePNG(img + "bullet_shadow.png", EmptyRound()))
    return -1;

  // Floor number: B, digits, F, 50 pixels high. The game places the F glyph half off the right
  // edge of the screen (x = width - glyph width / 2), so the F picture is twice as wide as its
  // letter and leaves its right half empty.
  LetterStyle hud = HudStyle();
  const int fh = 50, fw = 40, fpx = 50, fbase = 44;
  for (int d = 0; d <= 9; ++d)
    if (WritePNG(img + "fonts/floor/" + std::to_string(d) + ".png",
                 [&] {
                   Canvas c = GlyphCell(f.monoBold, std::to_string(d), fpx, fw, fh, fbase, hud);
                   Binarise(c, 0.5f, Hex(0));
                   return c;
                 }()))
      return -1;
  Canvas b = GlyphCell(f.monoBold, "B", fpx, fw, fh, fbase, hud);
  Canvas fl = GlyphCell(f.monoBold, "F", fpx, 2 * fw, fh, fbase, hud, fw);
  Binarise(b, 0.5f, Hex(0));
  Binarise(fl, 0.5f, Hex(0));
  if (WritePNG(img + "fonts/floor/B.png", b) || WritePNG(img + "fonts/floor/F.png", fl)) return -1;

  // Special-round counter: digits, a times sign and a round, all one cell wide and 32 high, so
  // the whole counter is five cells wide.
  const int sw = 24, sh = 32, spx = 32, sbase = 28;
  for (int d = 0; d <= 9; ++d)
    if (WritePNG(img + "fonts/spbulletnum/" + std::to_string(d) + ".png",
                 GlyphCell(f.monoBold, std::to_string(d), spx, sw, sh, sbase, hud)))
      return -1;
  if (WritePNG(img + "fonts/spbulletnum/times.png",
               GlyphCell(f.sansBold, "\xC3\x97", 30, sw, sh, sbase - 1, hud)))
    return -1;
  Canvas round(sw, sh);
  round.Draw(SpecialRound(16, 30), 4, 1);
  if (WritePNG(img + "fonts/spbulletnum/bullet.png", round)) return -1;
  return 0;
}

}  // namespace assetgen
