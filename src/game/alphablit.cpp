// The two pixel-copy helpers of the 2D boards.
#include "game/alphablit.h"

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

}  // namespace

int SDL_AlphaTestBlitSurface(SDL_Surface* src, SDL_Rect* srcRect, SDL_Surface* dst, SDL_Rect* dstPos) {
  if (!Usable(src) || !Usable(dst)) return -1;
  SDL_Rect whole = {0, 0, static_cast<Uint16>(src->w), static_cast<Uint16>(src->h)};
  const SDL_Rect& from = srcRect != nullptr ? *srcRect : whole;
  const int toX = dstPos != nullptr ? dstPos->x : 0;
  const int toY = dstPos != nullptr ? dstPos->y : 0;
  // Visible means the A byte, which sits under the format's red mask, is not zero.
  const Uint32 visibleMask = src->format->Rmask;

  const bool lockSrc = SDL_MUSTLOCK(src);
  const bool lockDst = SDL_MUSTLOCK(dst);
  if (lockSrc) SDL_LockSurface(src);
  if (lockDst) SDL_LockSurface(dst);
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
      if ((pixel & visibleMask) != 0) *PixelAt(dst, static_cast<int>(dx), static_cast<int>(dy)) = pixel;
    }
  }
  if (lockDst) SDL_UnlockSurface(dst);
  if (lockSrc) SDL_UnlockSurface(src);
  return 0;
}

int SDL_AlphaBlendBlitSurface(SDL_Surface* src, SDL_Rect* srcRect, int alpha, SDL_Surface* dst,
                              SDL_Rect* dstPos) {
  if (!Usable(src) || !Usable(dst)) return -1;
  SDL_Surface* scratch = SDL_CreateRGBSurface(SDL_SWSURFACE, src->w, src->h, 32, 0xFF000000,
                                              0x00FF0000, 0x0000FF00, 0x000000FF);
  if (scratch == nullptr) return -1;
  // A plain copy of the four bytes of each pixel (the pictures' own SDL alpha is switched off).
  SDL_SetAlpha(scratch, 0, 0);
  SDL_BlitSurface(src, nullptr, scratch, nullptr);

  const Uint32 alphaMask = scratch->format->Rmask;
  const Uint32 newAlpha = (static_cast<Uint32>(alpha) & 0xFF) << scratch->format->Rshift;
  if (SDL_MUSTLOCK(scratch)) SDL_LockSurface(scratch);
  for (int y = 0; y < scratch->h; ++y) {
    Uint32* row = PixelAt(scratch, 0, y);
    for (int x = 0; x < scratch->w; ++x) {
      if ((row[x] & alphaMask) != 0) row[x] = (row[x] & ~alphaMask) | newAlpha;
    }
  }
  if (SDL_MUSTLOCK(scratch)) SDL_UnlockSurface(scratch);

  SDL_AlphaTestBlitSurface(scratch, srcRect, dst, dstPos);
  SDL_FreeSurface(scratch);
  return 0;
}
