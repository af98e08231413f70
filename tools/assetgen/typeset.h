// Typesetting shared by the picture recipes: the game's lettering treatments and helpers that
// turn text into finished pictures (free-standing words, fixed-size glyph cells, wrapped lines).
#pragma once

#include <string>
#include <vector>

#include "canvas.h"
#include "font.h"
#include "lettering.h"

namespace assetgen {

// The fonts every recipe uses, opened once per call site.
struct Fonts {
  Font sansBold, sans, monoBold, serifBold;
  int Init();  // 0, or -1 after a message
};

// HUD digits and signs: warm brass-white, bevelled, with a hard dark outline and offset shadow
// (hard edges survive the game's copy-only blits).
LetterStyle HudStyle();
// Story lettering (captions, staff roll): clean white with a soft dark shadow.
LetterStyle StoryStyle();
// Headings of the staff roll: pale gold, slight bevel and a warm glow.
LetterStyle HeadingStyle();
// Menu words of the title: warm gold, bevelled, glowing.
LetterStyle MenuStyle();
// The game's name in carved stone: grainy grey stone, deep bevel, dark outline, warm glow.
LetterStyle CarvedStyle();

// A word or line in a style, with the margin the style needs.
Canvas TextPicture(const Font& font, const std::string& text, int px, const LetterStyle& s, float tracking = 0);

// A glyph in a cell of fixed size: centred horizontally in the first `inkWidth` pixels (all of
// the cell when 0), its baseline at `baseline` pixels from the top.
Canvas GlyphCell(const Font& font, const std::string& text, int px, int cellW, int cellH, int baseline,
                 const LetterStyle& s, int inkWidth = 0);

// Splits text into lines of at most `maxWidth` pixels at `px` (words are never split).
std::vector<std::string> WrapLines(const Font& font, const std::string& text, int px, int maxWidth);

}  // namespace assetgen
