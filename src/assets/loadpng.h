// PNG pictures into pixel buffers and SDL surfaces.
#pragma once

#include <SDL/SDL.h>

#include <string>

// Decodes a PNG file into a new pixel buffer (array new; release with array delete).
// 8-bit RGB files gain an alpha byte of 255 after each pixel (alpha 0 where the pixel matches
// the file's transparent colour); 8-bit RGBA files keep their bytes; palette, greyscale and
// 16-bit files are converted to 8-bit RGBA. Pictures over 16384 pixels a side, and those whose
// rows pass 65535 bytes (an SDL surface's 16-bit pitch), are refused as a png error. Rows follow
// each other, top row first, `*pitch` bytes apart. `*data` must be null on entry. Returns 0, or
// -1 after one line on standard output naming the failure (then `*data` is null).
int LoadPNG(const char* path, unsigned char** data, unsigned int* width_ptr,
            unsigned int* height_ptr, unsigned int* pitch);

// Loads a PNG file into an SDL surface made over the decoded buffer itself (no copy), with the
// masks R 0xFF000000, G 0x00FF0000, B 0x0000FF00, A 0x000000FF. The surface does not own its
// pixels: free it with FreePNGSurface. Returns 0, or -1 after a message.
int LoadPNGtoSDLSurface(const char* path, SDL_Surface** surface);

// Loads a picture of the game's screens: LoadPNGtoSDLSurface with the surface's SDL alpha off, so
// that blits copy its four bytes unchanged. On failure prints `failure` as one line, leaves
// `*surface` null and returns -1; else 0.
int LoadPicture(const std::string& path, const std::string& failure, SDL_Surface** surface);

// Frees a surface made by LoadPNGtoSDLSurface together with its pixel buffer; null is allowed.
void FreePNGSurface(SDL_Surface* surface);

// Frees a picture of LoadPicture (null allowed) and leaves the pointer null.
void FreePicture(SDL_Surface** surface);
