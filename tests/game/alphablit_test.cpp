// Tests of the pixel-copy helpers: visibility by the A byte, clipping, and the new alpha.
#include "game/alphablit.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// Builds a 32-bit pixel from its memory bytes R, G, B, A (little-endian: A is the top byte).
Uint32 Px(Uint8 r, Uint8 g, Uint8 b, Uint8 a) {
  return static_cast<Uint32>(r) | static_cast<Uint32>(g) << 8 | static_cast<Uint32>(b) << 16 |
         static_cast<Uint32>(a) << 24;
}

// A picture over a buffer of exactly its own size, so that any read past it is an ASan error.
struct Picture {
  std::vector<Uint32> pixels;
  SDL_Surface* surface = nullptr;
  Picture(int w, int h, Uint32 fill) : pixels(static_cast<size_t>(w) * h, fill) {
    surface = SDL_CreateRGBSurfaceFrom(pixels.data(), w, h, 32, w * 4, 0xFF000000, 0x00FF0000,
                                       0x0000FF00, 0x000000FF);
    SDL_SetAlpha(surface, 0, 0);
  }
  ~Picture() { SDL_FreeSurface(surface); }
  Uint32& at(int x, int y) { return pixels[static_cast<size_t>(y) * surface->w + x]; }
};

const Uint32 kBackground = Px(1, 2, 3, 4);

// A 4 x 3 source whose pixel (x, y) is (10 x + y + 1, 50, 60, 255), with a transparent middle pixel.
Picture MakeSource() {
  Picture p(4, 3, 0);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) p.at(x, y) = Px(static_cast<Uint8>(10 * x + y + 1), 50, 60, 255);
  p.at(1, 1) = Px(200, 200, 200, 0);
  return p;
}

TEST(AlphaTestBlit, CopiesVisiblePixelsUnblendedAndKeepsTheRest) {
  Picture src = MakeSource();
  src.at(2, 0) = Px(9, 8, 7, 0x80);  // half-transparent pixels are copied as they are
  Picture dst(6, 5, kBackground);
  SDL_Rect pos = {1, 1, 0, 0};
  EXPECT_EQ(0, SDL_AlphaTestBlitSurface(src.surface, nullptr, dst.surface, &pos));
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 6; ++x) {
      const bool inside = x >= 1 && x < 5 && y >= 1 && y < 4;
      const bool hole = x == 2 && y == 2;
      const Uint32 want = inside && !hole ? src.at(x - 1, y - 1) : kBackground;
      EXPECT_EQ(want, dst.at(x, y)) << x << "," << y;
    }
  }
}

TEST(AlphaTestBlit, NullRectanglesMeanWholeSourceAtOriginAndRectanglesSelect) {
  Picture src = MakeSource();
  Picture whole(4, 3, kBackground);
  SDL_AlphaTestBlitSurface(src.surface, nullptr, whole.surface, nullptr);
  EXPECT_EQ(src.at(0, 0), whole.at(0, 0));
  EXPECT_EQ(src.at(3, 2), whole.at(3, 2));

  Picture part(4, 4, kBackground);
  SDL_Rect from = {2, 1, 2, 2};
  SDL_Rect to = {0, 2, 99, 99};  // width and height of the position are not used
  SDL_AlphaTestBlitSurface(src.surface, &from, part.surface, &to);
  EXPECT_EQ(src.at(2, 1), part.at(0, 2));
  EXPECT_EQ(src.at(3, 2), part.at(1, 3));
  EXPECT_EQ(kBackground, part.at(2, 2));
  EXPECT_EQ(kBackground, part.at(0, 1));
}

TEST(AlphaTestBlit, NegativePositionsDrawNothingAndEdgesClip) {
  Picture src = MakeSource();
  for (SDL_Rect pos : {SDL_Rect{-1, 0, 0, 0}, SDL_Rect{0, -1, 0, 0}, SDL_Rect{-300, -300, 0, 0}}) {
    Picture dst(6, 5, kBackground);
    SDL_AlphaTestBlitSurface(src.surface, nullptr, dst.surface, &pos);
    for (Uint32 p : dst.pixels) ASSERT_EQ(kBackground, p) << pos.x << "," << pos.y;
  }
  // Right and bottom edges: only the top-left 2 x 1 of the source lands.
  Picture dst(6, 5, kBackground);
  SDL_Rect pos = {4, 4, 0, 0};
  SDL_AlphaTestBlitSurface(src.surface, nullptr, dst.surface, &pos);
  EXPECT_EQ(src.at(0, 0), dst.at(4, 4));
  EXPECT_EQ(src.at(1, 0), dst.at(5, 4));
  int changed = 0;
  for (Uint32 p : dst.pixels) changed += p != kBackground;
  EXPECT_EQ(2, changed);
}

TEST(AlphaTestBlit, SourceRectanglesReachingOutsideThePictureAreClipped) {
  // The buffers are exactly the picture's size: a read past them would stop the test under ASan.
  Picture src = MakeSource();
  Picture dst(10, 10, kBackground);
  SDL_Rect tooLarge = {2, 1, 50, 50};
  SDL_AlphaTestBlitSurface(src.surface, &tooLarge, dst.surface, nullptr);
  EXPECT_EQ(src.at(2, 1), dst.at(0, 0));
  EXPECT_EQ(src.at(3, 2), dst.at(1, 1));
  EXPECT_EQ(kBackground, dst.at(2, 0));  // columns past the picture count as transparent
  EXPECT_EQ(kBackground, dst.at(0, 2));

  Picture dst2(10, 10, kBackground);
  SDL_Rect before = {-2, -1, 4, 3};  // starts left of and above the picture
  SDL_AlphaTestBlitSurface(src.surface, &before, dst2.surface, nullptr);
  EXPECT_EQ(kBackground, dst2.at(0, 0));
  EXPECT_EQ(kBackground, dst2.at(1, 1));
  EXPECT_EQ(src.at(0, 0), dst2.at(2, 1));
  EXPECT_EQ(src.at(1, 0), dst2.at(3, 1));
  EXPECT_EQ(kBackground, dst2.at(3, 2));  // the transparent pixel
  EXPECT_EQ(src.at(0, 1), dst2.at(2, 2));

  // Surfaces the helpers cannot read (missing, or not 4 bytes a pixel) are refused untouched.
  EXPECT_EQ(-1, SDL_AlphaTestBlitSurface(nullptr, nullptr, dst.surface, nullptr));
  SDL_Surface* rgb = SDL_CreateRGBSurface(SDL_SWSURFACE, 4, 3, 24, 0xFF0000, 0xFF00, 0xFF, 0);
  Picture dst3(4, 3, kBackground);
  EXPECT_EQ(-1, SDL_AlphaBlendBlitSurface(rgb, nullptr, 255, dst3.surface, nullptr));
  EXPECT_EQ(-1, SDL_AlphaTestBlitSurface(src.surface, nullptr, rgb, nullptr));
  for (Uint32 p : dst3.pixels) EXPECT_EQ(kBackground, p);
  SDL_FreeSurface(rgb);
}

TEST(AlphaBlendBlit, GivesCopiedPixelsTheNewAlphaAndLeavesTheSource) {
  Picture src = MakeSource();
  const std::vector<Uint32> before = src.pixels;
  Picture dst(4, 3, kBackground);
  EXPECT_EQ(0, SDL_AlphaBlendBlitSurface(src.surface, nullptr, 127, dst.surface, nullptr));
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 4; ++x) {
      const Uint32 want = x == 1 && y == 1 ? kBackground : (src.at(x, y) & 0x00FFFFFF) | 127u << 24;
      EXPECT_EQ(want, dst.at(x, y)) << x << "," << y;
    }
  }
  EXPECT_EQ(before, src.pixels);

  // Only the low byte counts: 256 + 200 gives 200.
  Picture dst2(4, 3, kBackground);
  SDL_AlphaBlendBlitSurface(src.surface, nullptr, 456, dst2.surface, nullptr);
  EXPECT_EQ(200u, dst2.at(0, 0) >> 24);
}

TEST(AlphaBlendBlit, AlphaZeroDrawsNothingAndRectanglesClipAsInTheCopy) {
  Picture src = MakeSource();
  Picture dst(6, 5, kBackground);
  SDL_AlphaBlendBlitSurface(src.surface, nullptr, 0, dst.surface, nullptr);
  for (Uint32 p : dst.pixels) ASSERT_EQ(kBackground, p);

  SDL_Rect tooLarge = {3, 2, 40, 40};
  SDL_Rect pos = {5, 4, 0, 0};
  SDL_AlphaBlendBlitSurface(src.surface, &tooLarge, 255, dst.surface, &pos);
  EXPECT_EQ(src.at(3, 2), dst.at(5, 4));
  int changed = 0;
  for (Uint32 p : dst.pixels) changed += p != kBackground;
  EXPECT_EQ(1, changed);
}

}  // namespace
