// Fuzz target: the PNG decoder on arbitrary bytes (through a file, as the game reads pictures).
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "assets/loadpng.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = "/tmp/quorl-fuzz-png-" + std::to_string(getpid()) + ".png";
  FILE* file = fopen(path.c_str(), "wb");
  if (file == nullptr) return 0;
  fwrite(data, 1, size, file);
  fclose(file);
  unsigned char* pixels = nullptr;
  unsigned int width = 0, height = 0, pitch = 0;
  if (LoadPNG(path.c_str(), &pixels, &width, &height, &pitch) == 0) {
    // Touch the first and last byte: the buffer must hold height x pitch bytes.
    volatile unsigned char sink = pixels[0];
    sink = pixels[static_cast<size_t>(height) * pitch - 1];
    (void)sink;
    delete[] pixels;
  }
  return 0;
}
