// The two pixel-copy helpers of the 2D boards.
#include "common/alphablit.h"

namespace {

// The helpers only understand 4-byte pixels.
bool Usable(const SDL_Surface* surface) {
  return surface != nullptr && surface->format != nullptr && surface->format->BytesPerPixel == 4 &&
         surface->pixels != nullptr;
}

// The 32-bit pixel at column x of row y (rows are `pitch` bytes apart).
Uint32* PixelAt(SDL_Surface* surface, int x, int y) {
  return reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) +
                                   static_cast<size_t>(y) * surface->pitch) + x;
}

// Holds both surfaces locked (when they need it) for as long as it lives.
class LockedPair {
 public:
  LockedPair(SDL_Surface* src, SDL_Surface* dst) : src_(src), dst_(dst) {
    if (SDL_MUSTLOCK(src_)) SDL_LockSurface(src_);
    if (SDL_MUSTLOCK(dst_)) SDL_LockSurface(dst_);
  }
  ~LockedPair() {
    if (SDL_MUSTLOCK(dst_)) SDL_UnlockSurface(dst_);
    if (SDL_MUSTLOCK(src_)) SDL_UnlockSurface(src_);
  }
  LockedPair(const LockedPair&) = delete;
  LockedPair& operator=(const LockedPair&) = delete;

 private:
  SDL_Surface* src_;
  SDL_Surface* dst_;
};

}  // namespace

namespace {

// The copy of both helpers: the pixels of `srcRect` whose A byte (under the source's red mask) is
// not zero go to `dst` at `dstPos`, with `setAlpha` replacing their A byte when `replace` is set.
int CopyVisible(SDL_Surface* src, SDL_Rect* srcRect, SDL_Surface* dst, SDL_Rect* dstPos, bool replace,
                Uint32 setAlpha) {
  if (!Usable(src) || !Usable(dst)) return -1;
  SDL_Rect whole = {0, 0, static_cast<Uint16>(src->w), static_cast<Uint16>(src->h)};
  const SDL_Rect& from = srcRect != nullptr ? *srcRect : whole;
  const int toX = dstPos != nullptr ? dstPos->x : 0;
  const int toY = dstPos != nullptr ? dstPos->y : 0;
  // Visible means the A byte, which sits under the format's red mask, is not zero.
  const Uint32 visibleMask = src->format->Rmask;

  const LockedPair locked(src, dst);
  for (int j = 0; j < from.h; ++j) {
    // Unsigned comparison: a negative destination row is as far out as one below the bottom.
    const unsigned int dy = static_cast<unsigned int>(toY + j);
    if (dy >= static_cast<unsigned int>(dst->h)) break;
    const int sy = from.y + j;
    if (sy < 0) continue;
    if (sy >= src->h) break;
    for (int i = 0; i < from.w; ++i) {
      const unsigned int dx = static_cast<unsigned int>(toX + i);
      if (dx >= static_cast<unsigned int>(dst->w)) break;
      const int sx = from.x + i;
      if (sx < 0) continue;
      if (sx >= src->w) break;
      const Uint32 pixel = *PixelAt(src, sx, sy);
      if ((pixel & visibleMask) == 0) continue;
      *PixelAt(dst, static_cast<int>(dx), static_cast<int>(dy)) = replace ? (pixel & ~visibleMask) | setAlpha : pixel;
    }
  }
  return 0;
}

}  // namespace

int SDL_AlphaTestBlitSurface(SDL_Surface* src, SDL_Rect* srcRect, SDL_Surface* dst, SDL_Rect* dstPos) {
  return CopyVisible(src, srcRect, dst, dstPos, false, 0);
}

int SDL_AlphaBlendBlitSurface(SDL_Surface* src, SDL_Rect* srcRect, int alpha, SDL_Surface* dst,
                              SDL_Rect* dstPos) {
  if (!Usable(src) || !Usable(dst)) return -1;
  // A pixel given alpha 0 counts as transparent: nothing is copied at all.
  const Uint32 newAlpha = (static_cast<Uint32>(alpha) & 0xFF) << src->format->Rshift;
  if (newAlpha == 0) return 0;
  // The new alpha is written as the pixels are copied: no scratch copy of the source is needed.
  return CopyVisible(src, srcRect, dst, dstPos, true, newAlpha);
}

int SDL_AlphaOverBlitSurface(SDL_Surface* src, SDL_Rect* srcRect, SDL_Surface* dst, SDL_Rect* dstPos) {
  if (!Usable(src) || !Usable(dst)) return -1;
  SDL_Rect whole = {0, 0, static_cast<Uint16>(src->w), static_cast<Uint16>(src->h)};
  const SDL_Rect& from = srcRect != nullptr ? *srcRect : whole;
  const int toX = dstPos != nullptr ? dstPos->x : 0;
  const int toY = dstPos != nullptr ? dstPos->y : 0;
  const LockedPair locked(src, dst);
  for (int j = 0; j < from.h; ++j) {
    const int sy = from.y + j, dy = toY + j;
    if (sy < 0 || sy >= src->h || dy < 0 || dy >= dst->h) continue;
    for (int i = 0; i < from.w; ++i) {
      const int sx = from.x + i, dx = toX + i;
      if (sx < 0 || sx >= src->w || dx < 0 || dx >= dst->w) continue;
      const Uint8* s = reinterpret_cast<const Uint8*>(PixelAt(src, sx, sy));
      Uint8* d = reinterpret_cast<Uint8*>(PixelAt(dst, dx, dy));
      const int a = s[3];
      if (a == 0) continue;
      for (int c = 0; c < 3; ++c) d[c] = static_cast<Uint8>((s[c] * a + d[c] * (255 - a) + 127) / 255);
      d[3] = static_cast<Uint8>(a + (d[3] * (255 - a) + 127) / 255);
    }
  }
  return 0;
}
