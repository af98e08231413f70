// A TrueType face (FreeType) that renders lines of text into coverage masks.
#include "font.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace assetgen {

const char* const kSansBold = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
const char* const kSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const char* const kMonoBold = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf";
const char* const kSerifBold = "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf";

namespace {

// Decodes UTF-8 into code points; malformed bytes become U+FFFD.
std::vector<uint32_t> Decode(const std::string& s) {
  std::vector<uint32_t> out;
  for (size_t i = 0; i < s.size();) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    int n = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
    if (n < 0) {
      out.push_back(0xFFFD);
      ++i;
      continue;
    }
    uint32_t cp = n == 0 ? c : (c & (0x3F >> n));
    bool ok = true;
    for (int k = 1; k <= n; ++k) {
      if (i + k >= s.size()) {
        ok = false;
        break;
      }
      unsigned char cc = static_cast<unsigned char>(s[i + k]);
      if ((cc >> 6) != 2) ok = false;
      cp = (cp << 6) | (cc & 0x3F);
    }
    out.push_back(ok ? cp : 0xFFFD);
    i += n + 1;
  }
  return out;
}

}  // namespace

int Font::Init(const std::string& path) {
  Finalize();
  if (FT_Init_FreeType(&lib_) != 0) {
    fprintf(stderr, "assetgen: FreeType init error\n");
    lib_ = nullptr;
    return -1;
  }
  if (FT_New_Face(lib_, path.c_str(), 0, &face_) != 0) {
    fprintf(stderr, "assetgen: font load error %s\n", path.c_str());
    face_ = nullptr;
    Finalize();
    return -1;
  }
  return 0;
}

void Font::Finalize() {
  if (face_) FT_Done_Face(face_);
  if (lib_) FT_Done_FreeType(lib_);
  face_ = nullptr;
  lib_ = nullptr;
}

int Font::Ascent(int px) const {
  FT_Set_Pixel_Sizes(face_, 0, px);
  return static_cast<int>(face_->size->metrics.ascender >> 6);
}

int Font::Descent(int px) const {
  FT_Set_Pixel_Sizes(face_, 0, px);
  return static_cast<int>(-(face_->size->metrics.descender >> 6));
}

float Font::Measure(const std::string& text, int px, float tracking) const {
  if (!face_) return 0;
  FT_Set_Pixel_Sizes(face_, 0, px);
  float pen = 0;
  FT_UInt prev = 0;
  std::vector<uint32_t> cps = Decode(text);
  for (size_t i = 0; i < cps.size(); ++i) {
    FT_UInt gi = FT_Get_Char_Index(face_, cps[i]);
    if (prev && gi) {
      FT_Vector k;
      FT_Get_Kerning(face_, prev, gi, FT_KERNING_DEFAULT, &k);
      pen += k.x / 64.0f;
    }
    if (FT_Load_Glyph(face_, gi, FT_LOAD_DEFAULT) != 0) continue;
    pen += face_->glyph->advance.x / 64.0f + (i + 1 < cps.size() ? tracking : 0);
    prev = gi;
  }
  return pen;
}

void Font::InkBox(const std::string& text, int px, int* top, int* bottom) const {
  *top = 0;
  *bottom = 0;
  if (!face_) return;
  FT_Set_Pixel_Sizes(face_, 0, px);
  bool any = false;
  for (uint32_t cp : Decode(text)) {
    if (FT_Load_Char(face_, cp, FT_LOAD_RENDER) != 0) continue;
    FT_GlyphSlot g = face_->glyph;
    if (g->bitmap.rows == 0) continue;
    int t = -g->bitmap_top, b = -g->bitmap_top + static_cast<int>(g->bitmap.rows);
    if (!any || t < *top) *top = t;
    if (!any || b > *bottom) *bottom = b;
    any = true;
  }
}

Mask Font::Render(const std::string& text, int px, int pad, float tracking, int* inkLeft) const {
  if (inkLeft) *inkLeft = 0;
  if (!face_) return Mask(1, 1);
  int asc = Ascent(px), desc = Descent(px);
  float width = Measure(text, px, tracking);
  // Room for glyphs whose ink reaches beyond their advance.
  int extra = px / 4 + 2;
  int w = static_cast<int>(std::ceil(width)) + 2 * extra;
  Mask m(w, asc + desc + 2 * extra);
  FT_Set_Pixel_Sizes(face_, 0, px);
  float pen = extra;
  FT_UInt prev = 0;
  int minx = w, maxx = 0;
  for (uint32_t cp : Decode(text)) {
    FT_UInt gi = FT_Get_Char_Index(face_, cp);
    if (prev && gi) {
      FT_Vector k;
      FT_Get_Kerning(face_, prev, gi, FT_KERNING_DEFAULT, &k);
      pen += k.x / 64.0f;
    }
    if (FT_Load_Glyph(face_, gi, FT_LOAD_RENDER) != 0) continue;
    FT_GlyphSlot g = face_->glyph;
    int ox = static_cast<int>(std::lround(pen)) + g->bitmap_left;
    int oy = extra + asc - g->bitmap_top;
    for (unsigned r = 0; r < g->bitmap.rows; ++r)
      for (unsigned c = 0; c < g->bitmap.width; ++c) {
        int x = ox + static_cast<int>(c), y = oy + static_cast<int>(r);
        if (x < 0 || y < 0 || x >= m.Width() || y >= m.Height()) continue;
        float v = g->bitmap.buffer[r * g->bitmap.pitch + c] / 255.0f;
        if (v <= 0) continue;
        m.At(x, y) = std::max(m.At(x, y), v);
        minx = std::min(minx, x);
        maxx = std::max(maxx, x);
      }
    pen += g->advance.x / 64.0f + tracking;
    prev = gi;
  }
  if (maxx < minx) return Mask(1 + 2 * pad, asc + desc + 2 * pad);
  if (inkLeft) *inkLeft = minx - extra;
  // Crop horizontally to the ink, vertically to ascent + descent.
  Mask out(maxx - minx + 1 + 2 * pad, asc + desc + 2 * pad);
  for (int y = 0; y < asc + desc; ++y)
    for (int x = minx; x <= maxx; ++x) out.At(x - minx + pad, y + pad) = m.At(x, y + extra);
  return out;
}

}  // namespace assetgen
