// Comparing two screenshots pixel by pixel.
#include "picturecompare.h"

#include <cstdlib>

#include "common/screenframe.h"

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

bool PicturesAgree(const PictureDifference& d, int channels, double share) {
  if (d.sizesDiffer) return false;
  if (d.pixels == 0) return true;
  return d.largest <= channels && static_cast<double>(d.pixels) < share * static_cast<double>(d.total);
}

std::vector<unsigned char> ScaleIntoWindow(const unsigned char* frame, size_t pitch, int width, int height,
                                           int outWidth, int outHeight) {
  std::vector<unsigned char> out(static_cast<size_t>(outWidth) * outHeight * 4, 0);
  const ScreenFrame::Area area = ScreenFrame::CentredArea(outWidth, outHeight);
  for (int y = 0; y < outHeight; ++y) {
    for (int x = 0; x < outWidth; ++x) {
      unsigned char* to = &out[(static_cast<size_t>(y) * outWidth + x) * 4];
      to[3] = 255;
      if (x < area.x || x >= area.x + area.w || y < area.y || y >= area.y + area.h) continue;
      // The pixel's centre sampled in the frame, as texturing with nearest filtering does.
      const int fx = static_cast<int>((x - area.x + 0.5) * width / area.w);
      const int fy = static_cast<int>((y - area.y + 0.5) * height / area.h);
      const unsigned char* from = frame + pitch * fy + static_cast<size_t>(fx) * 4;
      for (int c = 0; c < 4; ++c) to[c] = from[c];
    }
  }
  return out;
}
