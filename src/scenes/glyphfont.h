// A glyph sheet of the printable ASCII characters, drawn onto the 2D canvases with proportional
// spacing measured from the glyphs' own ink.
#pragma once

#include <SDL/SDL.h>

#include <string>

class GlyphFont {
 public:
  // The sheet: 16 columns x 6 rows of CELL_WIDTH x CELL_HEIGHT cells, character c (32..126) in
  // cell c - 32, its pen at x = PEN_X of the cell and its baseline BASELINE pixels from the top.
  static const int CELL_WIDTH = 32, CELL_HEIGHT = 40, PEN_X = 4, BASELINE = 30;
  static const int FIRST = 32, COUNT = 95;

  GlyphFont() = default;
  ~GlyphFont() { Finalize(); }
  GlyphFont(const GlyphFont&) = delete;
  GlyphFont& operator=(const GlyphFont&) = delete;

  // Loads the sheet and measures each glyph. Returns 0, or -1 after `failure` on standard output
  // (also for a sheet smaller than 16 x 6 cells).
  int Init(const char* path, const char* failure);
  void Finalize();

  // The width of `text` in pixels (characters outside 32..126 draw as '?').
  int Width(const std::string& text) const;
  // Blends `text` onto `canvas` with its cells' top-left corner at (x, y), the first glyph's ink
  // starting at x; returns the x after the text.
  int Draw(SDL_Surface* canvas, int x, int y, const std::string& text) const;

 private:
  int Index(char c) const;

  SDL_Surface* sheet_ = nullptr;
  int inkLeft_[COUNT] = {};   // first column with ink (opacity 128 or more), relative to the cell
  int advance_[COUNT] = {};   // pixels from this glyph's ink start to the next one's
};
