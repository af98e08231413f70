// The two pixel-copy helpers of the 2D boards: copy visible pixels, and copy them with a new alpha.
#pragma once

#include <SDL/SDL.h>

// Both helpers work on 32-bit surfaces whose pixels are the bytes R, G, B, A in memory (the masks
// R 0xFF000000, G 0x00FF0000, B 0x0000FF00, A 0x000000FF that the loaded pictures carry). They
// never blend: translucency comes later, when the board is drawn with OpenGL blending.

// Copies the pixels of `srcRect` (null: the whole source) whose A byte is not zero to `dst` at the
// position of `dstPos` (null: (0, 0); its width and height are not used); other destination pixels
// stay as they are. The copy stops at the destination's right and bottom edges, and a negative
// destination x or y draws nothing. Parts of `srcRect` outside the source picture are not read:
// they count as transparent. Returns 0, or -1 (nothing drawn) for a missing or non-32-bit surface.
int SDL_AlphaTestBlitSurface(SDL_Surface* src, SDL_Rect* srcRect, SDL_Surface* dst, SDL_Rect* dstPos);

// The same copy, but every copied pixel gets `alpha` (its low byte, 0 to 255) as its A byte; the
// source is not changed, and nothing is allocated. An alpha of 0 draws nothing. Returns 0, or -1
// (nothing drawn) when a surface is not usable.
int SDL_AlphaBlendBlitSurface(SDL_Surface* src, SDL_Rect* srcRect, int alpha, SDL_Surface* dst,
                              SDL_Rect* dstPos);

// Blends the pixels of `srcRect` (null: the whole source) over `dst` at `dstPos` by the source's
// A byte ("over": colour = src x a + dst x (1 - a), and the A bytes combine the same way); the
// copy is clipped to the destination on every side, a negative position included. Returns 0, or
// -1 (nothing drawn) for a missing or non-32-bit surface.
int SDL_AlphaOverBlitSurface(SDL_Surface* src, SDL_Rect* srcRect, SDL_Surface* dst, SDL_Rect* dstPos);
