// picturediff REFERENCE PICTURE [LABEL]: compares a screenshot with its reference PNG and prints one
// line "LABEL: identical", "LABEL: N of T pixels differ, largest difference D (within tolerance)" or
// "... (too different)". Exit status 0 when they agree, 1 when not, 2 when a file cannot be read.
#include <cstdio>
#include <memory>
#include <string>

#include "assets/loadpng.h"
#include "picturecompare.h"

namespace {

struct Picture {
  std::unique_ptr<unsigned char[]> pixels;
  unsigned int width = 0, height = 0, pitch = 0;
};

bool Load(const char* path, Picture* picture) {
  unsigned char* data = nullptr;
  if (LoadPNG(path, &data, &picture->width, &picture->height, &picture->pitch) != 0) return false;
  picture->pixels.reset(data);
  return picture->pitch >= picture->width * 4;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    fprintf(stderr, "usage: picturediff REFERENCE PICTURE [LABEL]\n");
    return 2;
  }
  const std::string label = argc > 3 ? argv[3] : argv[2];
  Picture reference, picture;
  if (!Load(argv[1], &reference) || !Load(argv[2], &picture)) {
    printf("%s: cannot read %s or %s\n", label.c_str(), argv[1], argv[2]);
    return 2;
  }
  PictureDifference d;
  if (reference.width != picture.width || reference.height != picture.height) {
    d.sizesDiffer = true;
    printf("%s: %ux%u instead of %ux%u\n", label.c_str(), picture.width, picture.height, reference.width,
           reference.height);
    return 1;
  }
  d = ComparePictures(reference.pixels.get(), reference.pitch, picture.pixels.get(), picture.pitch,
                      static_cast<int>(reference.width), static_cast<int>(reference.height));
  const bool agree = PicturesAgree(d);
  if (d.pixels == 0) {
    printf("%s: identical\n", label.c_str());
  } else {
    printf("%s: %ld of %ld pixels differ, largest difference %d (%s)\n", label.c_str(), d.pixels, d.total,
           d.largest, agree ? "within tolerance" : "too different");
  }
  return agree ? 0 : 1;
}
