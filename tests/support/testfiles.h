// Test support: scratch folders, files, test pictures, mixed sound and running the real programs.
#pragma once

#include <string>
#include <vector>

namespace testsupport {

// A fresh folder under the test's working folder, removed with its contents at destruction.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::string& path() const { return path_; }
  // path() + "/" + name
  std::string file(const std::string& name) const;

 private:
  std::string path_;
};

void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);
bool FileExists(const std::string& path);

// Writes an 8-bit PNG: `channels` 3 (RGB) or 4 (RGBA), rows top first without gaps. With
// `keyRGB` (3 values) an RGB file gets that transparent colour (tRNS chunk).
void WriteTestPNG(const std::string& path, unsigned width, unsigned height, int channels,
                  const std::vector<unsigned char>& pixels, const int* keyRGB = nullptr);

// Runs a shell command under `timeout -k 5 SECONDS` (SDL turns SIGTERM into a quit request)
// with standard error joined to standard output; returns the exit status and fills `output`.
int RunCommand(const std::string& command, int seconds, std::string* output);

// Runs a program that opens a window (the game, the model viewer) as RunCommand does, on the X11
// driver and without the leak check in the child (its only findings are in the X and Mesa
// libraries). The virtual X server now and then refuses a connection when many test processes
// start at once: a program that could not start its window is run again, up to five times.
int RunWindowedProgram(const std::string& command, int seconds, std::string* output);

// Root-mean-square loudness of each side of a raw signed 16-bit native-order stereo file, as SDL's
// disk audio driver writes the mixed output (0 for a missing or empty file).
void StereoLoudness(const std::string& path, double* left, double* right);

// Absolute path of a built program in the bin folder.
std::string BinPath(const std::string& name);

}  // namespace testsupport
