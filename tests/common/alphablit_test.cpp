// Tests of the pixel-copy helpers: visibility by the A byte, clipping, bounds and the new alpha.
#include "common/alphablit.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const Uint32 kBack = 0x04030201;

// A picture between two guard rows in a buffer of exactly that size: a read or write one row
// outside the picture changes the counts below, one further away is an ASan error. A 4 x 3 source
// (fill 0) has visible guard rows and pixel (x, y) = 10 x + y + 1 with A byte (the top byte) 255,
// except (1, 1) with A 0 and (2, 0) with A 0x80.
struct Picture {
  std::vector<Uint32> px;
  SDL_Surface* s;
  Picture(int w, int h, Uint32 fill) : px(static_cast<size_t>(w) * (h + 2), fill != 0 ? fill : 0xFFEEEEEE) {
    for (int i = 0; i < w * h && fill == 0; ++i) {
      const Uint32 alpha = i == w + 1 ? 0 : i == 2 ? 0x80 : 0xFF;
      px[w + i] = alpha << 24 | (10 * (i % w) + i / w + 1);
    }
    s = SDL_CreateRGBSurfaceFrom(px.data() + w, w, h, 32, w * 4, 0xFF000000, 0x00FF0000, 0x0000FF00, 0x000000FF);
    SDL_SetAlpha(s, 0, 0);
  }
  ~Picture() { SDL_FreeSurface(s); }
};

TEST(AlphaBlit, CopiesVisiblePixelsUnblendedClipsAndNeverReadsOutsideTheSource) {
  // A source rectangle of width 0 stands for the whole source; alpha -1 for the plain copy. Each
  // case counts the changed pixels of a 6 x 5 destination and compares one with its source pixel.
  struct Case { SDL_Rect from; Sint16 x, y; int alpha, changed, dx, dy, sx, sy; };
  const Case cases[] = {
      {{0, 0, 0, 0}, 1, 1, -1, 11, 3, 1, 2, 0},    // A 0 skipped, A 0x80 copied as it is
      {{0, 0, 0, 0}, -1, 0, -1, 0, 0, 0, 0, 0},    // negative positions draw nothing
      {{0, 0, 0, 0}, 0, -1, -1, 0, 0, 0, 0, 0},
      {{0, 0, 0, 0}, 4, 4, -1, 2, 5, 4, 1, 0},     // clipped at the right and bottom edges
      {{2, 1, 50, 50}, 0, 0, -1, 4, 1, 1, 3, 2},   // rectangles reaching past the picture
      {{-2, -1, 4, 3}, 0, 0, -1, 3, 2, 2, 0, 1},
      {{0, 0, 0, 0}, 0, 0, 127, 11, 2, 0, 2, 0},   // the new alpha
      {{0, 0, 0, 0}, 0, 0, 0, 0, 0, 0, 0, 0},      // alpha 0 draws nothing
      {{3, 2, 40, 40}, 5, 4, 255, 1, 5, 4, 3, 2},
  };
  for (const Case& c : cases) {
    Picture src(4, 3, 0), dst(6, 5, kBack);
    SDL_Rect from = c.from, to = {c.x, c.y, 0, 0};
    SDL_Rect* rect = from.w != 0 ? &from : nullptr;
    EXPECT_EQ(0, c.alpha < 0 ? SDL_AlphaTestBlitSurface(src.s, rect, dst.s, &to)
                             : SDL_AlphaBlendBlitSurface(src.s, rect, c.alpha, dst.s, &to)) << (&c - cases);
    int changed = 0;
    for (Uint32 p : dst.px) changed += p != kBack;
    EXPECT_EQ(c.changed, changed) << (&c - cases);
    const Uint32 want = src.px[4 + c.sy * 4 + c.sx];
    const Uint32 shown = c.alpha < 0 ? want : (want & 0x00FFFFFF) | static_cast<Uint32>(c.alpha) << 24;
    EXPECT_EQ(c.changed > 0 ? shown : kBack, dst.px[6 + c.dy * 6 + c.dx]) << (&c - cases);
    EXPECT_EQ(Picture(4, 3, 0).px, src.px) << (&c - cases);  // the source stays as it was
  }
}

TEST(AlphaBlit, RefusesSurfacesItCannotRead) {
  Picture dst(4, 3, kBack);
  SDL_Surface* rgb = SDL_CreateRGBSurface(SDL_SWSURFACE, 4, 3, 24, 0xFF0000, 0xFF00, 0xFF, 0);
  EXPECT_EQ(-1, SDL_AlphaTestBlitSurface(nullptr, nullptr, dst.s, nullptr));
  EXPECT_EQ(-1, SDL_AlphaBlendBlitSurface(rgb, nullptr, 255, dst.s, nullptr));
  EXPECT_EQ(-1, SDL_AlphaTestBlitSurface(dst.s, nullptr, rgb, nullptr));
  SDL_FreeSurface(rgb);
  EXPECT_EQ(std::vector<Uint32>(4 * 5, kBack), dst.px);
}

}  // namespace
