// PNG decoding through libpng into pixel buffers and SDL surfaces.
#include "assets/loadpng.h"

#include <png.h>

#include <cstdio>
#include <new>

namespace {

// Largest accepted picture side in pixels.
const png_uint_32 kMaxSide = 16384;

// Releases the decoder state and the file after a failure or at the end of a load.
void CloseDecoder(png_structp* png, png_infop* info, FILE* file) {
  if (*png != nullptr) png_destroy_read_struct(png, info, nullptr);
  if (file != nullptr) fclose(file);
}

// Marks the pixels of an RGB image (4 bytes per pixel after decoding) that match the file's
// transparent colour with alpha 0.
void ApplyColourKey(png_structp png, png_infop info, unsigned char* data, unsigned int height,
                    unsigned int pitch, unsigned int width) {
  png_color_16p key = nullptr;
  if (png_get_tRNS(png, info, nullptr, nullptr, &key) == 0 || key == nullptr) return;
  if (key->red > 255 || key->green > 255 || key->blue > 255) return;
  const unsigned int step = pitch / width;
  const size_t total = static_cast<size_t>(height) * pitch;
  for (size_t i = 0; i + 3 < total; i += step) {
    if (data[i] == key->red && data[i + 1] == key->green && data[i + 2] == key->blue) data[i + 3] = 0;
  }
}

// Converts palette, greyscale and 16-bit pictures to 8-bit RGBA as they decode, so that every
// loaded picture has 4 bytes per pixel (transparency chunks become alpha). Returns the row size.
unsigned int ExpandToRGBA(png_structp png, png_infop info, int colourType, int bitDepth) {
  if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (colourType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
  const bool keyed = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
  if (keyed) png_set_tRNS_to_alpha(png);
  if (bitDepth == 16) png_set_strip_16(png);
  if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA) {
    png_set_gray_to_rgb(png);
  }
  if (!keyed && (colourType & PNG_COLOR_MASK_ALPHA) == 0) {
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
  }
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  return static_cast<unsigned int>(png_get_rowbytes(png, info));
}

}  // namespace

int LoadPNG(const char* path, unsigned char** data, unsigned int* width_ptr,
            unsigned int* height_ptr, unsigned int* pitch) {
  if (*data != nullptr) {
    printf("data is not null\n");
    return -1;
  }
  if (width_ptr == nullptr || height_ptr == nullptr) {
    printf("width_ptr,height_ptr is null\n");
    return -1;
  }
  FILE* file = fopen(path, "rb");
  if (file == nullptr) {
    printf("file open error\n");
    return -1;
  }
  unsigned char signature[8] = {0};
  if (fread(signature, 1, 8, file) != 8 || png_sig_cmp(signature, 0, 8) != 0) {
    printf("sig_cmp error\n");
    fclose(file);
    return -1;
  }
  // The library's own version string: an older one makes libpng 1.6 refuse to create the reader.
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (png == nullptr) {
    fclose(file);
    return -1;
  }
  png_infop info = png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    fclose(file);
    return -1;
  }
  // Written after setjmp and read after a longjmp back to it, so kept volatile.
  unsigned char* volatile buffer = nullptr;
  png_bytep* volatile rows = nullptr;
  if (setjmp(png_jmpbuf(png))) {
    printf("png error\n");
    delete[] buffer;
    delete[] rows;
    *data = nullptr;
    CloseDecoder(&png, &info, file);
    return -1;
  }
  png_init_io(png, file);
  png_set_sig_bytes(png, 8);
  // Pictures beyond this size are refused as a png error instead of allocating gigabytes.
  png_set_user_limits(png, kMaxSide, kMaxSide);
  png_read_info(png, info);
  png_uint_32 width = 0, height = 0;
  int bitDepth = 0, colourType = 0;
  png_get_IHDR(png, info, &width, &height, &bitDepth, &colourType, nullptr, nullptr, nullptr);
  unsigned int rowBytes = static_cast<unsigned int>(png_get_rowbytes(png, info));
  const bool plainRGB = colourType == PNG_COLOR_TYPE_RGB && bitDepth == 8;
  if (plainRGB) {
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    rowBytes = rowBytes * 4 / 3;
  } else if (!(colourType == PNG_COLOR_TYPE_RGB_ALPHA && bitDepth == 8)) {
    rowBytes = ExpandToRGBA(png, info, colourType, bitDepth);
  }
  // An SDL 1.2 surface keeps its row length in 16 bits: a longer row (16384 RGBA pixels make
  // 65536 bytes) would wrap to pitch 0 and every read would repeat the top row.
  if (rowBytes > 0xFFFF) png_error(png, "row too long");
  buffer = new (std::nothrow) unsigned char[static_cast<size_t>(height) * rowBytes];
  if (buffer != nullptr) rows = new (std::nothrow) png_bytep[height];
  if (buffer == nullptr || rows == nullptr) {
    printf("bad alloc\n");
    delete[] buffer;
    *data = nullptr;
    CloseDecoder(&png, &info, file);
    return -1;
  }
  for (png_uint_32 i = 0; i < height; ++i) rows[i] = buffer + static_cast<size_t>(i) * rowBytes;
  png_read_image(png, rows);
  png_read_end(png, nullptr);
  delete[] rows;
  rows = nullptr;
  if (plainRGB) ApplyColourKey(png, info, buffer, height, rowBytes, width);
  *data = buffer;
  *width_ptr = width;
  *height_ptr = height;
  *pitch = rowBytes;
  CloseDecoder(&png, &info, file);
  return 0;
}

int LoadPNGtoSDLSurface(const char* path, SDL_Surface** surface) {
  unsigned char* buffer = nullptr;
  unsigned int width = 0, height = 0, pitch = 0;
  if (LoadPNG(path, &buffer, &width, &height, &pitch) == -1) {
    printf("png load error:%s\n", path);
    return -1;
  }
  const int depth = static_cast<int>((pitch / width) * 8);
  *surface = SDL_CreateRGBSurfaceFrom(buffer, width, height, depth, pitch, 0xFF000000, 0x00FF0000,
                                      0x0000FF00, 0x000000FF);
  if (*surface == nullptr) {
    printf("CreateRGBSurface failure: %s\n", SDL_GetError());
    delete[] buffer;
    return -1;
  }
  return 0;
}

void FreePNGSurface(SDL_Surface* surface) {
  if (surface == nullptr) return;
  unsigned char* pixels = static_cast<unsigned char*>(surface->pixels);
  SDL_FreeSurface(surface);
  delete[] pixels;
}

void FreePicture(SDL_Surface** surface) {
  FreePNGSurface(*surface);
  *surface = nullptr;
}

int LoadPicture(const std::string& path, const std::string& failure, SDL_Surface** surface) {
  *surface = nullptr;
  if (LoadPNGtoSDLSurface(path.c_str(), surface) == -1) {
    *surface = nullptr;
    printf("%s\n", failure.c_str());
    return -1;
  }
  SDL_SetAlpha(*surface, 0, 0);
  return 0;
}
