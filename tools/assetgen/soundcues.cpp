// Recipes of the visible sounds: the effect captions in the board's lettering and the warm glows
// that mark an unseen attack at the screen's edge.
#include <algorithm>
#include <cmath>

#include "content.h"
#include "pngfile.h"
#include "shapes.h"
#include "typeset.h"

namespace assetgen {

namespace {

// An effect caption: HUD lettering on a faint dark band, so that it reads over any wall.
Canvas CueCaption(const Fonts& f, const std::string& text) {
  Canvas word = TextPicture(f.sansBold, text, 26, HudStyle(), 2);
  const int W = word.Width() + 40, H = word.Height() + 12;
  Canvas pic(W, H);
  Mask band(W, H);
  FillRoundRect(band, 4, 4, W - 4, H - 4, 10);
  band.Blur(2);
  pic.PaintMask(band, 0, 0, Hex(0x08060a, 0.55f));
  pic.Draw(word, (W - word.Width()) / 2, (H - word.Height()) / 2);
  return pic;
}

// The glow of the left edge, 64 x 256: a soft half-ellipse of warm orange against the edge with a
// brighter arc inside it and a small chevron pointing out of the screen. The game mirrors and
// turns it for the other edges and scales its opacity by the sound's loudness.
Canvas EdgeGlow() {
  const int W = 64, H = 256;
  Canvas pic(W, H);
  Mask glow(W, H), arc(W, H), chevron(W, H);
  for (int y = 0; y < H; ++y) {
    for (int x = 0; x < W; ++x) {
      const float u = (x + 0.5f) / W, v = (y + 0.5f - H / 2.0f) / (H / 2.0f);
      const float r = std::sqrt(u * u + v * v);
      glow.At(x, y) = std::pow(std::max(0.0f, 1 - r), 1.1f);
      arc.At(x, y) = std::max(0.0f, 1 - std::abs(r - 0.42f) / 0.05f) * std::max(0.0f, 1 - std::abs(v) * 1.2f);
    }
  }
  StrokeLine(chevron, 22, H / 2.0f - 18, 10, H / 2.0f, 4.5f);
  StrokeLine(chevron, 10, H / 2.0f, 22, H / 2.0f + 18, 4.5f);
  chevron.Blur(1);
  pic.PaintMask(glow, 0, 0, Hex(0xff8a24));
  pic.PaintMask(arc, 0, 0, Hex(0xffb45a, 0.9f));
  pic.PaintMask(chevron, 0, 0, Hex(0xffe0a8, 0.95f));
  return pic;
}

}  // namespace

const std::vector<std::pair<std::string, std::string>>& CueCaptions() {
  static const std::vector<std::pair<std::string, std::string>> list = {
      {"reloaded", "RELOADED"},   {"out-of-rounds", "OUT OF ROUNDS"},   {"door-opens", "DOOR OPENS"},
      {"door-locked", "DOOR LOCKED"}, {"door-unlocked", "DOOR UNLOCKED"}, {"meat", "MEAT + LIFE"},
      {"special-rounds", "SPECIAL ROUNDS"}};
  return list;
}

int GenerateSoundCues(const std::string& outDir) {
  Fonts f;
  if (f.Init() != 0) return -1;
  for (const auto& [stem, text] : CueCaptions()) {
    if (WritePNG(outDir + "/img/fonts/cues/" + stem + ".png", CueCaption(f, text))) return -1;
  }
  return WritePNG(outDir + "/img/fonts/cues/edge-glow.png", EdgeGlow()) ? -1 : 0;
}

}  // namespace assetgen
