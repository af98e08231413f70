// The asset generator's command line: writes the whole content set, or reports on its sounds.
#include <cstdio>
#include <cstring>
#include <string>

#include "audio/audio.h"

namespace {

void Usage() {
  printf("usage: assetgen [--out DIR] [--report]\n"
         "  --out DIR   write every content file under DIR (default: data)\n"
         "  --report    print duration, peak and RMS level of every sound under DIR\n");
}

}  // namespace

int main(int argc, char** argv) {
  std::string out = "data";
  bool report = false;
  for (int i = 1; i < argc; ++i) {
    if (strcmp(argv[i], "--out") == 0 && i + 1 < argc) {
      out = argv[++i];
    } else if (strcmp(argv[i], "--report") == 0) {
      report = true;
    } else {
      Usage();
      return 2;
    }
  }
  if (report) return assetgen::ReportAudio(out) == 0 ? 0 : 1;
  if (assetgen::GenerateAudio(out) != 0) return 1;
  return 0;
}
