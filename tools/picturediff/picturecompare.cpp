// Comparing two screenshots pixel by pixel.
#include "picturecompare.h"

#include <cstdlib>

PictureDifference ComparePictures(const unsigned char* a, size_t pitchA, const unsigned char* b, size_t pitchB,
                                  int width, int height) {
  PictureDifference d;
  d.total = static_cast<long>(width) * height;
  for (int y = 0; y < height; ++y) {
    const unsigned char* rowA = a + pitchA * y;
    const unsigned char* rowB = b + pitchB * y;
    for (int x = 0; x < width * 4; x += 4) {
      int worst = 0;
      for (int c = 0; c < 4; ++c) {
        const int diff = std::abs(rowA[x + c] - rowB[x + c]);
        if (diff > worst) worst = diff;
      }
      if (worst == 0) continue;
      ++d.pixels;
      if (worst > d.largest) d.largest = worst;
    }
  }
  return d;
}

bool PicturesAgree(const PictureDifference& d) {
  if (d.sizesDiffer) return false;
  if (d.pixels == 0) return true;
  return d.largest <= kPictureChannelTolerance &&
         static_cast<double>(d.pixels) < kPicturePixelShare * static_cast<double>(d.total);
}
