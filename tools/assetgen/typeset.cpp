// Typesetting shared by the picture recipes: lettering treatments, words, glyph cells, wrapping.
#include "typeset.h"

#include <algorithm>
#include <sstream>

namespace assetgen {

int Fonts::Init() {
  if (sansBold.Init(kSansBold) != 0 || sans.Init(kSans) != 0 || monoBold.Init(kMonoBold) != 0 ||
      serifBold.Init(kSerifBold) != 0)
    return -1;
  return 0;
}

LetterStyle HudStyle() {
  LetterStyle s;
  s.top = Hex(0xfff4d2);
  s.bottom = Hex(0xd8a050);
  s.bevel = 3;
  s.bevelStrength = 0.6f;
  s.outline = 2.5f;
  s.outlineColour = Hex(0x1a0e04);
  s.shadowDx = 2;
  s.shadowDy = 2;
  s.shadowColour = Hex(0x000000);
  return s;
}

LetterStyle StoryStyle() {
  LetterStyle s;
  s.top = Hex(0xffffff);
  s.bottom = Hex(0xe2e4ea);
  s.outline = 2;
  s.outlineColour = Hex(0x0a0a10, 0.9f);
  s.shadow = 3;
  s.shadowDx = 2;
  s.shadowDy = 3;
  s.shadowColour = Hex(0x000000, 0.85f);
  return s;
}

LetterStyle HeadingStyle() {
  LetterStyle s;
  s.top = Hex(0xfff0c0);
  s.bottom = Hex(0xe0a040);
  s.bevel = 3;
  s.bevelStrength = 0.5f;
  s.outline = 2;
  s.outlineColour = Hex(0x201008);
  s.glow = 10;
  s.glowColour = Hex(0xff8a20, 0.35f);
  return s;
}

LetterStyle MenuStyle() {
  LetterStyle s;
  s.top = Hex(0xfff0c8);
  s.bottom = Hex(0xc89048);
  s.bevel = 4;
  s.bevelStrength = 0.7f;
  s.outline = 3;
  s.outlineColour = Hex(0x140a04);
  s.shadow = 3;
  s.shadowDx = 3;
  s.shadowDy = 4;
  s.shadowColour = Hex(0x000000, 0.9f);
  s.glow = 9;
  s.glowColour = Hex(0xff9a30, 0.45f);
  return s;
}

LetterStyle CarvedStyle() {
  LetterStyle s;
  s.top = Hex(0xbcae96);
  s.bottom = Hex(0x6e6052);
  s.bevel = 9;
  s.bevelStrength = 1.0f;
  s.grain = 0.4f;
  s.grainScale = 1.4f;
  s.outline = 4;
  s.outlineColour = Hex(0x0c0806);
  s.shadow = 10;
  s.shadowDx = 6;
  s.shadowDy = 10;
  s.shadowColour = Hex(0x000000, 0.9f);
  s.glow = 26;
  s.glowColour = Hex(0xff8a30, 0.35f);
  s.seed = 17;
  return s;
}

Canvas TextPicture(const Font& font, const std::string& text, int px, const LetterStyle& s, float tracking) {
  Mask m = font.Render(text, px, StyleMargin(s), tracking);
  return Letter(m, s);
}

Canvas GlyphCell(const Font& font, const std::string& text, int px, int cellW, int cellH, int baseline,
                 const LetterStyle& s, int inkWidth) {
  Mask ink = font.Render(text, px, 0);
  int asc = font.Ascent(px);
  int area = inkWidth > 0 ? inkWidth : cellW;
  Mask cell(cellW, cellH);
  int ox = (area - ink.Width()) / 2;
  int oy = baseline - asc;
  cell.Max(ink, ox, oy);
  return Letter(cell, s);
}

std::vector<std::string> WrapLines(const Font& font, const std::string& text, int px, int maxWidth) {
  std::istringstream in(text);
  std::vector<std::string> lines;
  std::string word, line;
  while (in >> word) {
    std::string trial = line.empty() ? word : line + " " + word;
    if (!line.empty() && font.Measure(trial, px) > maxWidth) {
      lines.push_back(line);
      line = word;
    } else {
      line = trial;
    }
  }
  if (!line.empty()) lines.push_back(line);
  if (lines.size() == 2) {
    // Two lines: balance them, preferring a break after punctuation.
    std::istringstream again(text);
    std::vector<std::string> words;
    while (again >> word) words.push_back(word);
    float best = 1e9f;
    for (size_t k = 1; k < words.size(); ++k) {
      std::string a, b;
      for (size_t i = 0; i < words.size(); ++i) (i < k ? a : b) += (i < k ? (a.empty() ? "" : " ") : (b.empty() ? "" : " ")) + words[i];
      float wa = font.Measure(a, px), wb = font.Measure(b, px);
      if (wa > maxWidth || wb > maxWidth) continue;
      char last = words[k - 1].back();
      float score = std::max(wa, wb) - ((last == '.' || last == ',' || last == '!' || last == '?') ? maxWidth * 0.25f : 0);
      if (score < best) {
        best = score;
        lines = {a, b};
      }
    }
  }
  return lines;
}

}  // namespace assetgen
