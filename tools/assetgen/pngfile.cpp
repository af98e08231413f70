// PNG files of canvases through libpng: a deterministic writer and a small reader.
#include "pngfile.h"

#include <png.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <vector>

namespace assetgen {

namespace {

struct FileCloser {
  void operator()(FILE* f) const {
    if (f) fclose(f);
  }
};

}  // namespace

int WritePNG(const std::string& path, const Canvas& pic, bool alpha) {
  std::error_code ec;
  std::filesystem::path p(path);
  if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path(), ec);
  std::unique_ptr<FILE, FileCloser> f(fopen(path.c_str(), "wb"));
  if (!f) {
    fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
    return -1;
  }
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return -1;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return -1;
  }
  int channels = alpha ? 4 : 3;
  std::vector<unsigned char> rows(static_cast<size_t>(pic.Width()) * pic.Height() * channels);
  for (int y = 0; y < pic.Height(); ++y)
    for (int x = 0; x < pic.Width(); ++x) {
      const Rgba& c = pic.At(x, y);
      unsigned char* o = &rows[(static_cast<size_t>(y) * pic.Width() + x) * channels];
      o[0] = ToByte(c.r);
      o[1] = ToByte(c.g);
      o[2] = ToByte(c.b);
      if (alpha) o[3] = ToByte(c.a);
      // Fully transparent pixels carry no colour, which keeps files small and stable.
      if (alpha && o[3] == 0) o[0] = o[1] = o[2] = 0;
    }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    fprintf(stderr, "assetgen: png write error %s\n", path.c_str());
    return -1;
  }
  png_init_io(png, f.get());
  png_set_IHDR(png, info, pic.Width(), pic.Height(), 8, alpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_compression_level(png, 6);
  png_write_info(png, info);
  for (int y = 0; y < pic.Height(); ++y)
    png_write_row(png, &rows[static_cast<size_t>(y) * pic.Width() * channels]);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return 0;
}

int ReadPNG(const std::string& path, Canvas* pic) {
  std::unique_ptr<FILE, FileCloser> f(fopen(path.c_str(), "rb"));
  if (!f) {
    fprintf(stderr, "assetgen: cannot read %s\n", path.c_str());
    return -1;
  }
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return -1;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return -1;
  }
  std::vector<unsigned char> data;
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    fprintf(stderr, "assetgen: png read error %s\n", path.c_str());
    return -1;
  }
  png_init_io(png, f.get());
  png_read_info(png, info);
  png_uint_32 w = png_get_image_width(png, info), h = png_get_image_height(png, info);
  int type = png_get_color_type(png, info);
  if (png_get_bit_depth(png, info) != 8 || (type != PNG_COLOR_TYPE_RGB && type != PNG_COLOR_TYPE_RGBA)) {
    png_destroy_read_struct(&png, &info, nullptr);
    fprintf(stderr, "assetgen: %s is not 8-bit RGB or RGBA\n", path.c_str());
    return -1;
  }
  int ch = type == PNG_COLOR_TYPE_RGBA ? 4 : 3;
  data.resize(static_cast<size_t>(w) * h * ch);
  std::vector<png_bytep> rows(h);
  for (png_uint_32 y = 0; y < h; ++y) rows[y] = &data[static_cast<size_t>(y) * w * ch];
  png_read_image(png, rows.data());
  png_destroy_read_struct(&png, &info, nullptr);
  *pic = Canvas(static_cast<int>(w), static_cast<int>(h));
  for (png_uint_32 y = 0; y < h; ++y)
    for (png_uint_32 x = 0; x < w; ++x) {
      const unsigned char* p = &data[(static_cast<size_t>(y) * w + x) * ch];
      pic->At(x, y) = Rgba{p[0] / 255.0f, p[1] / 255.0f, p[2] / 255.0f, ch == 4 ? p[3] / 255.0f : 1.0f};
    }
  return 0;
}

}  // namespace assetgen
