// A TrueType face (FreeType) that renders lines of text into coverage masks.
#pragma once

#include <string>

#include "mask.h"

typedef struct FT_LibraryRec_* FT_Library;
typedef struct FT_FaceRec_* FT_Face;

namespace assetgen {

// The DejaVu faces the game's lettering uses.
extern const char* const kSansBold;
extern const char* const kSans;
extern const char* const kMonoBold;
extern const char* const kSerifBold;

class Font {
 public:
  Font() = default;
  ~Font() { Finalize(); }
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;

  // Opens the font file. Returns 0, or -1 after a message on standard error.
  int Init(const std::string& path);
  void Finalize();

  // Renders one line of UTF-8 text at `pixelSize` (the em height in pixels) into a mask just
  // wide enough for the ink, `pad` empty pixels on every side. The mask's height is the font's
  // ascent plus descent (same for every text of this size) plus the padding, so lines of
  // different texts share a baseline at `pad + ascent`. `tracking` adds pixels between letters.
  // With `inkLeft`, it receives the first ink column's offset from the pen start (negative when
  // the ink reaches left of the pen), so that a glyph can be placed by its pen position.
  Mask Render(const std::string& text, int pixelSize, int pad = 0, float tracking = 0,
              int* inkLeft = nullptr) const;
  // The advance width of the text in pixels.
  float Measure(const std::string& text, int pixelSize, float tracking = 0) const;
  // Ascent (above the baseline) and descent (below) at `pixelSize`, in pixels.
  int Ascent(int pixelSize) const;
  int Descent(int pixelSize) const;
  // The ink box of the text's glyphs relative to the pen start on the baseline (y down).
  void InkBox(const std::string& text, int pixelSize, int* top, int* bottom) const;

 private:
  FT_Library lib_ = nullptr;
  FT_Face face_ = nullptr;
};

}  // namespace assetgen
