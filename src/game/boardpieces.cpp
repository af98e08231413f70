// Composing a board from its pieces, redrawing and uploading only what changed.
#include "game/boardpieces.h"

#include <algorithm>

#include "common/commonfunc.h"
#include "common/alphablit.h"

namespace {

bool Empty(const SDL_Rect& r) { return r.w == 0 || r.h == 0; }

bool Overlap(const SDL_Rect& a, const SDL_Rect& b) {
  return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

SDL_Rect Box(const SDL_Rect& a, const SDL_Rect& b) {
  const int x0 = std::min(a.x, b.x), y0 = std::min(a.y, b.y);
  const int x1 = std::max(a.x + a.w, b.x + b.w), y1 = std::max(a.y + a.h, b.y + b.h);
  return {static_cast<Sint16>(x0), static_cast<Sint16>(y0), static_cast<Uint16>(x1 - x0), static_cast<Uint16>(y1 - y0)};
}

SDL_Rect Intersection(const SDL_Rect& a, const SDL_Rect& b) {
  const int x0 = std::max<int>(a.x, b.x), y0 = std::max<int>(a.y, b.y);
  const int x1 = std::min(a.x + a.w, b.x + b.w), y1 = std::min(a.y + a.h, b.y + b.h);
  if (x1 <= x0 || y1 <= y0) return {0, 0, 0, 0};
  return {static_cast<Sint16>(x0), static_cast<Sint16>(y0), static_cast<Uint16>(x1 - x0), static_cast<Uint16>(y1 - y0)};
}

// The part of x, y, w, h inside 0, 0, width, height.
SDL_Rect Clipped(int x, int y, int w, int h, int width, int height) {
  const int x0 = std::max(x, 0), y0 = std::max(y, 0);
  const int x1 = std::min(x + w, width), y1 = std::min(y + h, height);
  if (x1 <= x0 || y1 <= y0) return {0, 0, 0, 0};
  return {static_cast<Sint16>(x0), static_cast<Sint16>(y0), static_cast<Uint16>(x1 - x0), static_cast<Uint16>(y1 - y0)};
}

}  // namespace

void BoardPieces::Begin() { pieces.clear(); }

void BoardPieces::Add(const Piece& piece) { pieces.push_back(piece); }

void BoardPieces::Fill(int x, int y, int w, int h, Uint32 colour) { Add({FILL, nullptr, x, y, w, h, colour, 0}); }

void BoardPieces::Test(SDL_Surface* picture, int x, int y) {
  if (picture != nullptr) Add({TEST, picture, x, y, picture->w, picture->h, 0, 0});
}

void BoardPieces::Blend(SDL_Surface* picture, int x, int y, int alpha) {
  if (picture != nullptr) Add({BLEND, picture, x, y, picture->w, picture->h, 0, alpha});
}

void BoardPieces::Copy(SDL_Surface* picture, int x, int y) {
  if (picture != nullptr) Add({COPY, picture, x, y, picture->w, picture->h, 0, 0});
}

SDL_Rect BoardPieces::Extent(const Piece& p, int width, int height) {
  // The two pixel-copy helpers draw nothing at a negative position.
  if ((p.kind == TEST || p.kind == BLEND) && (p.x < 0 || p.y < 0)) return {0, 0, 0, 0};
  if (p.kind == BLEND && (p.alpha & 0xFF) == 0) return {0, 0, 0, 0};
  return Clipped(p.x, p.y, p.w, p.h, width, height);
}

void BoardPieces::Draw(const Piece& p, SDL_Surface* board, const SDL_Rect& clip) {
  const SDL_Rect extent = Extent(p, board->w, board->h);
  if (Empty(extent) || !Overlap(extent, clip)) return;
  // The SDL calls clip to the board's clip rectangle themselves; the helpers get the part of the
  // picture that lands inside it.
  const SDL_Rect part = Intersection(extent, clip);
  SDL_Rect at = {part.x, part.y, 0, 0};
  SDL_Rect from = {static_cast<Sint16>(part.x - p.x), static_cast<Sint16>(part.y - p.y), part.w, part.h};
  switch (p.kind) {
    case FILL: {
      SDL_Rect r = {static_cast<Sint16>(p.x), static_cast<Sint16>(p.y), static_cast<Uint16>(p.w),
                    static_cast<Uint16>(p.h)};
      SDL_FillRect(board, &r, p.colour);
      break;
    }
    case TEST:
      SDL_AlphaTestBlitSurface(p.picture, &from, board, &at);
      break;
    case BLEND:
      SDL_AlphaBlendBlitSurface(p.picture, &from, p.alpha, board, &at);
      break;
    case COPY: {
      SDL_Rect to = {static_cast<Sint16>(p.x), static_cast<Sint16>(p.y), 0, 0};
      SDL_BlitSurface(p.picture, nullptr, board, &to);
      break;
    }
  }
}

bool BoardPieces::Compose(SDL_Surface* board) {
  const int width = board->w, height = board->h;
  dirty.clear();
  if (whole) {
    dirty.push_back({0, 0, static_cast<Uint16>(width), static_cast<Uint16>(height)});
  } else {
    // A piece that changed dirties where it was and where it is; a longer or shorter list dirties
    // the extents of the pieces without a counterpart.
    const size_t n = std::max(pieces.size(), shown.size());
    for (size_t k = 0; k < n; ++k) {
      const bool inNew = k < pieces.size(), inOld = k < shown.size();
      if (inNew && inOld && pieces[k] == shown[k]) continue;
      if (inOld) dirty.push_back(Extent(shown[k], width, height));
      if (inNew) dirty.push_back(Extent(pieces[k], width, height));
    }
    dirty.erase(std::remove_if(dirty.begin(), dirty.end(), Empty), dirty.end());
    MergeOverlaps(&dirty);
  }
  whole = false;
  if (dirty.empty()) return false;

  for (const SDL_Rect& rect : dirty) {
    SDL_Rect r = rect;
    SDL_SetClipRect(board, &r);
    SDL_FillRect(board, &r, 0);
    for (const Piece& piece : pieces) Draw(piece, board, rect);
  }
  SDL_SetClipRect(board, nullptr);
  shown = pieces;

  covered.clear();
  for (const Piece& piece : pieces) {
    const SDL_Rect extent = Extent(piece, width, height);
    if (!Empty(extent)) covered.push_back(extent);
  }
  MergeOverlaps(&covered);
  return true;
}

void BoardPieces::Upload(SDL_Surface* board, unsigned int texture) {
  QUORL_COMMON::SDL_SurfaceRects_to_GLTexture(board, dirty, texture);
  dirty.clear();
}

void BoardPieces::MergeOverlaps(std::vector<SDL_Rect>* rects) {
  bool merged = true;
  while (merged) {
    merged = false;
    for (size_t a = 0; a < rects->size() && !merged; ++a) {
      for (size_t b = a + 1; b < rects->size(); ++b) {
        if (!Overlap((*rects)[a], (*rects)[b])) continue;
        (*rects)[a] = Box((*rects)[a], (*rects)[b]);
        rects->erase(rects->begin() + static_cast<long>(b));
        merged = true;
        break;
      }
    }
  }
}
