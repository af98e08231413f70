// The asset generator's command line: writes the whole content set, reports on its sounds, or
// draws the contact sheet of the pictures and models.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

#include "audio/audio.h"
#include "contactsheet.h"
#include "content.h"

namespace {

void Usage() {
  printf("usage: assetgen [--out DIR] [--report] [--contact-sheet FILE]\n"
         "  --out DIR             write every content file under DIR (default: data)\n"
         "  --report              print duration, peak and RMS level of every sound under DIR\n"
         "  --contact-sheet FILE  draw every picture and model under DIR into one PNG (no generation)\n");
}

}  // namespace

int main(int argc, char** argv) {
  std::string out = "data";
  std::string sheet;
  bool report = false;
  for (int i = 1; i < argc; ++i) {
    if (strcmp(argv[i], "--out") == 0 && i + 1 < argc) {
      out = argv[++i];
    } else if (strcmp(argv[i], "--report") == 0) {
      report = true;
    } else if (strcmp(argv[i], "--contact-sheet") == 0 && i + 1 < argc) {
      sheet = argv[++i];
    } else {
      Usage();
      return 2;
    }
  }
  if (report) return assetgen::ReportAudio(out) == 0 ? 0 : 1;
  if (!sheet.empty()) return assetgen::WriteContactSheet(out, sheet) == 0 ? 0 : 1;

  // Sounds and visuals are independent: make them side by side on two cores.
  auto start = std::chrono::steady_clock::now();
  int audioResult = 0;
  std::thread audio([&] { audioResult = assetgen::GenerateAudio(out); });
  int visualResult = assetgen::GenerateVisuals(out);
  audio.join();
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  printf("assetgen: content written to %s in %.1f s\n", out.c_str(), seconds);
  return (audioResult == 0 && visualResult == 0) ? 0 : 1;
}
