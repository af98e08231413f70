// Measuring and drawing the glyph sheet.
#include "scenes/glyphfont.h"

#include "assets/loadpng.h"
#include "common/alphablit.h"

namespace {

const int SPACING = -1;      // pixels between the ink of two glyphs (their dark outlines may touch)
const int INK_ALPHA = 128;   // the opacity from which a pixel counts as ink (soft shadows do not)
const int SPACE_WIDTH = 8;   // a space's advance, and that of a glyph without ink

}  // namespace

int GlyphFont::Init(const char* path, const char* failure) {
  Finalize();
  if (LoadPicture(path, failure, &sheet_) == -1) return -1;
  if (sheet_->w < 16 * CELL_WIDTH || sheet_->h < 6 * CELL_HEIGHT || sheet_->format->BytesPerPixel != 4) {
    printf("%s\n", failure);
    Finalize();
    return -1;
  }
  if (SDL_MUSTLOCK(sheet_)) SDL_LockSurface(sheet_);
  for (int i = 0; i < COUNT; ++i) {
    const int cellX = (i % 16) * CELL_WIDTH, cellY = (i / 16) * CELL_HEIGHT;
    int left = CELL_WIDTH, right = -1;
    for (int y = 0; y < CELL_HEIGHT; ++y) {
      const Uint8* row = static_cast<const Uint8*>(sheet_->pixels) + static_cast<size_t>(cellY + y) * sheet_->pitch;
      for (int x = 0; x < CELL_WIDTH; ++x) {
        if (row[(cellX + x) * 4 + 3] < INK_ALPHA) continue;
        if (x < left) left = x;
        if (x > right) right = x;
      }
    }
    inkLeft_[i] = right < 0 ? PEN_X : left;
    advance_[i] = right < 0 ? SPACE_WIDTH : right - left + 1 + SPACING;
  }
  if (SDL_MUSTLOCK(sheet_)) SDL_UnlockSurface(sheet_);
  return 0;
}

void GlyphFont::Finalize() {
  FreePNGSurface(sheet_);
  sheet_ = nullptr;
}

int GlyphFont::Index(char c) const {
  const int code = static_cast<unsigned char>(c);
  return code >= FIRST && code < FIRST + COUNT ? code - FIRST : '?' - FIRST;
}

int GlyphFont::Width(const std::string& text) const {
  int width = 0;
  for (char c : text) width += advance_[Index(c)];
  return text.empty() ? 0 : width - SPACING;
}

int GlyphFont::Draw(SDL_Surface* canvas, int x, int y, const std::string& text) const {
  if (sheet_ == nullptr) return x;
  for (char c : text) {
    const int i = Index(c);
    SDL_Rect cell = {static_cast<Sint16>((i % 16) * CELL_WIDTH), static_cast<Sint16>((i / 16) * CELL_HEIGHT),
                     CELL_WIDTH, CELL_HEIGHT};
    SDL_Rect at = {static_cast<Sint16>(x - inkLeft_[i]), static_cast<Sint16>(y), 0, 0};
    SDL_AlphaOverBlitSurface(sheet_, &cell, canvas, &at);
    x += advance_[i];
  }
  return x;
}
