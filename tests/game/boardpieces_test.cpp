// Tests of the board pieces: after any run of frames the board holds exactly what composing the
// last frame's pieces on a clear board gives, and the covered rectangles hold every visible pixel.
#include "game/boardpieces.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

namespace {

const int kW = 64, kH = 48;

SDL_Surface* Board() {
  SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, kW, kH, 32, 0xFF000000, 0x00FF0000, 0x0000FF00, 0x000000FF);
  SDL_FillRect(s, nullptr, 0);
  return s;
}

// A w x h picture of distinct pixels, every third one transparent (A byte 0, the top byte).
SDL_Surface* Picture(int w, int h, Uint32 seed) {
  SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0xFF000000, 0x00FF0000, 0x0000FF00, 0x000000FF);
  SDL_SetAlpha(s, 0, 0);
  Uint32* px = static_cast<Uint32*>(s->pixels);
  for (int i = 0; i < w * h; ++i) px[i] = (i % 3 == 0 ? 0u : 0xC0000000u) | (seed * 1000 + static_cast<Uint32>(i));
  return s;
}

bool SameBoard(SDL_Surface* a, SDL_Surface* b) {
  return memcmp(a->pixels, b->pixels, static_cast<size_t>(kH) * a->pitch) == 0;
}

// One frame's pieces as a function of the frame number.
using Frame = std::function<void(BoardPieces*, int)>;

TEST(BoardPieces, ChangedPartsRedrawnGiveTheWholeBoardFrameAfterFrame) {
  SDL_Surface* sight = Picture(8, 8, 1);
  SDL_Surface* caption = Picture(30, 10, 2);
  SDL_Surface* glyph = Picture(6, 9, 3);
  SDL_Surface* icon = Picture(5, 5, 4);
  struct Case {
    const char* what;
    Frame frame;
  };
  const Case cases[] = {
      {"a bar that shrinks and grows", [&](BoardPieces* p, int f) { p->Fill(4, 4, 40 - (f * 7) % 41, 6, 0xFF00C000); }},
      {"a picture that moves across the edges",
       [&](BoardPieces* p, int f) { p->Test(sight, (f * 9) % 80 - 10, (f * 5) % 60 - 6); }},
      {"overlapping pieces: caption over sight, a copy with transparent pixels over both",
       [&](BoardPieces* p, int f) {
         p->Test(sight, 28, 20);
         if (f % 3 != 0) p->Copy(caption, 17 + f % 4, 19);
         p->Copy(icon, 30 + f % 2, 22);
       }},
      {"fading glyphs that end, a list that grows and shrinks",
       [&](BoardPieces* p, int f) {
         for (int k = 0; k < f % 4; ++k) p->Blend(glyph, 50 - 6 * k, 38, 255 - 60 * (f % 5));
         p->Copy(icon, 0, 43);
       }},
      {"a fill under a picture, the picture swapped for another",
       [&](BoardPieces* p, int f) {
         p->Fill(10, 10, 20, 20, 0x80FFFFFF);
         p->Test(f % 2 ? sight : glyph, 12, 12);
       }},
  };
  for (const Case& c : cases) {
    SDL_Surface* board = Board();
    BoardPieces pieces;
    for (int f = 0; f < 24; ++f) {
      pieces.Begin();
      c.frame(&pieces, f);
      pieces.Compose(board);
      // The same pieces composed on a clear board by a fresh list.
      SDL_Surface* whole = Board();
      BoardPieces fresh;
      fresh.Begin();
      c.frame(&fresh, f);
      fresh.Compose(whole);
      ASSERT_TRUE(SameBoard(board, whole)) << c.what << ", frame " << f;
      // Every pixel that holds something lies in a covered rectangle.
      const Uint32* px = static_cast<const Uint32*>(board->pixels);
      for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
          if (px[y * kW + x] == 0) continue;
          bool inside = false;
          for (const SDL_Rect& r : pieces.Covered()) inside |= x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h;
          ASSERT_TRUE(inside) << c.what << ", frame " << f << ", pixel " << x << "," << y;
        }
      }
      SDL_FreeSurface(whole);
    }
    SDL_FreeSurface(board);
  }
  for (SDL_Surface* s : {sight, caption, glyph, icon}) SDL_FreeSurface(s);
}

TEST(BoardPieces, AnUnchangedFrameChangesNothingAndInvalidateRedrawsAll) {
  SDL_Surface* board = Board();
  SDL_Surface* sight = Picture(8, 8, 1);
  BoardPieces pieces;
  const auto frame = [&] {
    pieces.Begin();
    pieces.Test(sight, 10, 10);
  };
  frame();
  EXPECT_TRUE(pieces.Compose(board));
  frame();
  EXPECT_FALSE(pieces.Compose(board));
  // A picture changed in place is only seen after Invalidate.
  static_cast<Uint32*>(sight->pixels)[1] = 0xFF123456;
  frame();
  pieces.Invalidate();
  EXPECT_TRUE(pieces.Compose(board));
  EXPECT_EQ(0xFF123456u, static_cast<Uint32*>(board->pixels)[10 * kW + 11]);
  SDL_FreeSurface(sight);
  SDL_FreeSurface(board);
}

TEST(BoardPieces, MergedRectanglesNeverOverlap) {
  struct Case {
    std::vector<SDL_Rect> in;
    size_t count;
  };
  const Case cases[] = {
      {{{0, 0, 10, 10}, {20, 0, 5, 5}}, 2},                     // apart
      {{{0, 0, 10, 10}, {10, 0, 5, 5}}, 2},                     // touching edges do not overlap
      {{{0, 0, 10, 10}, {5, 5, 10, 10}}, 1},                    // overlap: one box
      {{{0, 0, 4, 4}, {10, 0, 4, 4}, {2, 2, 10, 1}}, 1},        // a bridge joins two boxes
      {{{0, 0, 4, 4}, {20, 20, 4, 4}, {3, 0, 2, 30}, {40, 0, 1, 1}}, 3},  // a grown box, two others apart
  };
  for (const Case& c : cases) {
    std::vector<SDL_Rect> rects = c.in;
    BoardPieces::MergeOverlaps(&rects);
    EXPECT_EQ(c.count, rects.size());
    for (size_t a = 0; a < rects.size(); ++a) {
      for (size_t b = a + 1; b < rects.size(); ++b) {
        const SDL_Rect &p = rects[a], &q = rects[b];
        EXPECT_FALSE(p.x < q.x + q.w && q.x < p.x + p.w && p.y < q.y + q.h && q.y < p.y + p.h);
      }
    }
  }
}

}  // namespace
