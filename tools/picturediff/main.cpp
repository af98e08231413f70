// picturediff [--scaled] [--within LEVELS SHARE] REFERENCE PICTURE [LABEL]: compares a screenshot
// with its reference PNG and prints one line "LABEL: identical", "LABEL: N of T pixels differ,
// largest difference D (within tolerance)" or "... (too different)". --scaled compares a window's
// screenshot with the 800 x 600 reference scaled whole-pixel into its centred 4:3 area, black beside
// it; --within allows channels off by up to LEVELS in under SHARE (0..1) of the pixels. Exit status
// 0 when they agree, 1 when not, 2 when a file cannot be read or the arguments are wrong.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

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

int Usage() {
  fprintf(stderr, "usage: picturediff [--scaled] [--within LEVELS SHARE] REFERENCE PICTURE [LABEL]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  bool scaled = false;
  int levels = kPictureChannelTolerance;
  double share = kPicturePixelShare;
  int first = 1;
  for (; first < argc && strncmp(argv[first], "--", 2) == 0; ++first) {
    if (strcmp(argv[first], "--scaled") == 0) {
      scaled = true;
    } else if (strcmp(argv[first], "--within") == 0 && first + 2 < argc) {
      levels = atoi(argv[first + 1]);
      share = atof(argv[first + 2]);
      first += 2;
    } else {
      return Usage();
    }
  }
  if (argc - first < 2) return Usage();
  const char* referencePath = argv[first];
  const char* picturePath = argv[first + 1];
  const std::string label = argc - first > 2 ? argv[first + 2] : picturePath;
  Picture reference, picture;
  if (!Load(referencePath, &reference) || !Load(picturePath, &picture)) {
    printf("%s: cannot read %s or %s\n", label.c_str(), referencePath, picturePath);
    return 2;
  }
  if (scaled) {
    // The reference as the window shows it: the comparison is then of equal sizes.
    std::vector<unsigned char> expected =
        ScaleIntoWindow(reference.pixels.get(), reference.pitch, static_cast<int>(reference.width),
                        static_cast<int>(reference.height), static_cast<int>(picture.width),
                        static_cast<int>(picture.height));
    reference.pixels.reset(new unsigned char[expected.size()]);
    std::copy(expected.begin(), expected.end(), reference.pixels.get());
    reference.width = picture.width, reference.height = picture.height, reference.pitch = picture.width * 4;
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
  const bool agree = PicturesAgree(d, levels, share);
  if (d.pixels == 0) {
    printf("%s: identical\n", label.c_str());
  } else {
    printf("%s: %ld of %ld pixels differ, largest difference %d (%s)\n", label.c_str(), d.pixels, d.total,
           d.largest, agree ? "within tolerance" : "too different");
  }
  return agree ? 0 : 1;
}
