// PNG writing through libpng.
#include "assets/savepng.h"

#include <png.h>

#include <cstdio>

int SavePNG(const char* path, const unsigned char* rgba, unsigned int width, unsigned int height,
            unsigned int pitch) {
  FILE* file = fopen(path, "wb");
  if (file == nullptr) {
    printf("savepng:%s open error\n", path);
    return -1;
  }
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
  if (png == nullptr || info == nullptr || setjmp(png_jmpbuf(png))) {
    printf("savepng:%s write error\n", path);
    png_destroy_write_struct(&png, &info);
    fclose(file);
    remove(path);
    return -1;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (unsigned int y = 0; y < height; ++y) {
    png_write_row(png, const_cast<png_bytep>(rgba + static_cast<size_t>(y) * pitch));
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return fclose(file) == 0 ? 0 : -1;
}
