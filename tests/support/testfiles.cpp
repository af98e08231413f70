// Test support: scratch folders, files, test pictures, mixed sound and running programs.
#include "support/testfiles.h"

#include <png.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace testsupport {

ScratchDir::ScratchDir() {
  std::string pattern = (std::filesystem::current_path() / "scratch-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string ScratchDir::file(const std::string& name) const { return path_ + "/" + name; }

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool FileExists(const std::string& path) { return std::filesystem::exists(path); }

void WriteTestPNG(const std::string& path, unsigned width, unsigned height, int channels,
                  const std::vector<unsigned char>& pixels, const int* keyRGB) {
  FILE* file = fopen(path.c_str(), "wb");
  if (file == nullptr) throw std::runtime_error("cannot write " + path);
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    fclose(file);
    throw std::runtime_error("libpng failed writing " + path);
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, width, height, 8, channels == 4 ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (keyRGB != nullptr && channels == 3) {
    png_color_16 key = {};
    key.red = static_cast<png_uint_16>(keyRGB[0]);
    key.green = static_cast<png_uint_16>(keyRGB[1]);
    key.blue = static_cast<png_uint_16>(keyRGB[2]);
    png_set_tRNS(png, info, nullptr, 0, &key);
  }
  png_write_info(png, info);
  for (unsigned y = 0; y < height; ++y) {
    png_write_row(png, const_cast<png_bytep>(pixels.data() + static_cast<size_t>(y) * width * channels));
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  fclose(file);
}

int RunCommand(const std::string& command, int seconds, std::string* output) {
  const std::string line = "timeout -k 5 " + std::to_string(seconds) + " " + command + " 2>&1";
  FILE* pipe = popen(line.c_str(), "r");
  if (pipe == nullptr) return -1;
  std::string text;
  char buffer[4096];
  size_t n = 0;
  while ((n = fread(buffer, 1, sizeof(buffer), pipe)) > 0) text.append(buffer, n);
  const int status = pclose(pipe);
  if (output != nullptr) *output = text;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int RunWindowedProgram(const std::string& command, int seconds, std::string* output) {
  static const char* const kNoWindow[] = {"Couldn't open X11 display", "Couldn't initialize SDL",
                                          "SDL init error", "cannot open the window"};
  std::string text;
  int status = -1;
  // A refused start (the virtual X server busy with other clients) is tried again for about half
  // a minute.
  for (int attempt = 0; attempt < 10; ++attempt) {
    status = RunCommand("env ASAN_OPTIONS=detect_leaks=0 SDL_VIDEODRIVER=x11 " + command, seconds, &text);
    bool refused = false;
    for (const char* sign : kNoWindow) refused = refused || text.find(sign) != std::string::npos;
    if (!refused) break;
    usleep(500000 * (attempt + 1));
  }
  if (output != nullptr) *output = text;
  return status;
}

void StereoLoudness(const std::string& path, double* left, double* right) {
  const std::string raw = ReadFile(path);
  const size_t frames = raw.size() / 4;
  double sums[2] = {0.0, 0.0};
  for (size_t i = 0; i < frames * 2; ++i) {
    int16_t sample = 0;
    memcpy(&sample, raw.data() + 2 * i, 2);
    sums[i % 2] += static_cast<double>(sample) * sample;
  }
  *left = frames == 0 ? 0.0 : std::sqrt(sums[0] / frames);
  *right = frames == 0 ? 0.0 : std::sqrt(sums[1] / frames);
}

std::string BinPath(const std::string& name) { return std::string(QUORL_BIN_DIR) + "/" + name; }

}  // namespace testsupport
