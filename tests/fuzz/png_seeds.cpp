// Writes small seed pictures of every PNG colour type, bit depth and interlacing for the decoder's
// fuzz target into the folder given as the first argument.
#include <png.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// Writes one seed; false (after a line on standard error) when libpng refused it.
bool Write(const std::string& path, int width, int height, int colourType, int depth, bool interlace,
           bool key) {
  FILE* file = fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  std::vector<png_byte> row;  // outside the jump's reach, so it is freed on the error path too
  if (setjmp(png_jmpbuf(png))) {
    fprintf(stderr, "png_seeds: could not write %s\n", path.c_str());
    png_destroy_write_struct(&png, &info);
    fclose(file);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, width, height, depth, colourType,
               interlace ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_color palette[4] = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
  if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_PLTE(png, info, palette, 4);
  if (key) {
    png_color_16 colour = {};
    png_byte alpha[1] = {0};
    png_set_tRNS(png, info, colourType == PNG_COLOR_TYPE_PALETTE ? alpha : nullptr, 1, &colour);
  }
  png_write_info(png, info);
  // An interlaced picture takes every row once per pass; libpng picks each pass's pixels.
  const int passes = interlace ? png_set_interlace_handling(png) : 1;
  const size_t rowBytes = png_get_rowbytes(png, info);
  row.resize(rowBytes);
  for (int pass = 0; pass < passes; ++pass) {
    for (int y = 0; y < height; ++y) {
      for (size_t i = 0; i < rowBytes; ++i) row[i] = static_cast<png_byte>((i * 37 + y * 11) & 0xFF);
      if (colourType == PNG_COLOR_TYPE_PALETTE && depth == 8) {
        for (size_t i = 0; i < rowBytes; ++i) row[i] &= 3;
      }
      png_write_row(png, row.data());
    }
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return fclose(file) == 0;
}

}  // namespace

// Exit status 1 when any seed could not be written.
int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string dir = argv[1];
  bool ok = Write(dir + "/rgb.png", 7, 5, PNG_COLOR_TYPE_RGB, 8, false, false);
  ok &= Write(dir + "/rgb-key.png", 6, 4, PNG_COLOR_TYPE_RGB, 8, false, true);
  ok &= Write(dir + "/rgba.png", 5, 5, PNG_COLOR_TYPE_RGB_ALPHA, 8, false, false);
  ok &= Write(dir + "/rgba-interlaced.png", 9, 9, PNG_COLOR_TYPE_RGB_ALPHA, 8, true, false);
  ok &= Write(dir + "/rgb16.png", 3, 3, PNG_COLOR_TYPE_RGB, 16, false, false);
  ok &= Write(dir + "/palette.png", 8, 3, PNG_COLOR_TYPE_PALETTE, 2, false, true);
  ok &= Write(dir + "/grey.png", 8, 2, PNG_COLOR_TYPE_GRAY, 1, false, false);
  ok &= Write(dir + "/grey-alpha.png", 4, 4, PNG_COLOR_TYPE_GRAY_ALPHA, 8, false, false);
  return ok ? 0 : 1;
}
