// The picture test's rule: two screenshots of the same frame agree when they are identical, or
// when no channel is off by more than 2 and fewer than 0.1 % of the pixels differ at all.
#pragma once

#include <cstddef>
#include <vector>

struct PictureDifference {
  long pixels = 0;        // pixels whose R, G, B or A differ at all
  long total = 0;         // pixels compared
  int largest = 0;        // the largest difference of one channel, 0 to 255
  bool sizesDiffer = false;
};

// Largest channel difference allowed, and the share of differing pixels that must not be reached.
const int kPictureChannelTolerance = 2;
const double kPicturePixelShare = 0.001;

// Compares two pictures of 4-byte pixels, `width` x `height`, rows `pitch` bytes apart each.
PictureDifference ComparePictures(const unsigned char* a, size_t pitchA, const unsigned char* b, size_t pitchB,
                                  int width, int height);

// True when the difference is within the rule above, or within `channels` and under `share` of the
// pixels when given.
bool PicturesAgree(const PictureDifference& difference, int channels = kPictureChannelTolerance,
                   double share = kPicturePixelShare);

// The picture a window of outWidth x outHeight shows of a frame picture scaled whole-pixel (nearest)
// into the window's centred 4:3 area, black and opaque beside it: what the classic render gives
// with smooth scaling off. 4-byte pixels, rows outWidth * 4 bytes apart.
std::vector<unsigned char> ScaleIntoWindow(const unsigned char* frame, size_t pitch, int width, int height,
                                           int outWidth, int outHeight);
