// Tests of the real program started headless in an empty folder: its diagnostics, the save file
// and its exit status. Without content the title cannot open, so each run ends after start-up
// with status 1.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/savedata.h"
#include "support/testfiles.h"

using testsupport::ReadFile;
using testsupport::ScratchDir;

namespace {

// Runs the game in `dir` with `args`, with `dir` as its (empty) content folder.
int RunGame(const ScratchDir& dir, const std::string& args, std::string* output) {
  return testsupport::RunWindowedProgram(
      "sh -c 'cd \"" + dir.path() + "\" && exec \"" + testsupport::BinPath("quorl") + "\" --data . " + args + "'",
      60, output);
}

}  // namespace

TEST(Startup, PrintsDiagnosticsInOrderAndCreatesTheSaveFile) {
  ScratchDir dir;
  std::string out;
  ASSERT_EQ(1, RunGame(dir, "vsync --frames 60 --fast", &out)) << out;
  const char* lines[] = {"QUORL:Vertical Synchronization ON", "Screen BPP: ", "Vendor     : ",
                         "Renderer   : ", "Version    : ", "Extensions : ",
                         "SDL_GL_RED_SIZE: requested 8, got ", "SDL_GL_GREEN_SIZE: requested 8, got ",
                         "SDL_GL_BLUE_SIZE: requested 8, got ", "SDL_GL_DEPTH_SIZE: requested 16, got ",
                         "SDL_GL_DOUBLEBUFFER: requested 1, got ", "title initialize error \n"};
  size_t at = 0;
  for (const char* line : lines) {
    const size_t found = out.find(line, at);
    ASSERT_NE(std::string::npos, found) << "missing or out of order: " << line << "\n" << out;
    at = found;
  }
  const std::string save = ReadFile(dir.file("savedata.dat"));
  EXPECT_EQ(std::string("\x01\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 16), save);
}

TEST(Startup, RefusesAMalformedScriptBeforeOpeningTheWindow) {
  ScratchDir dir;
  testsupport::WriteFile(dir.file("bad.txt"), "10 keydown w\n20 kick ball\n");
  std::string out;
  EXPECT_EQ(2, RunGame(dir, "--input bad.txt", &out));
  EXPECT_NE(std::string::npos, out.find("line 2")) << out;
  EXPECT_EQ(std::string::npos, out.find("Screen BPP")) << out;
  EXPECT_FALSE(testsupport::FileExists(dir.file("savedata.dat")));
  // A demo of another version: its line number, status 2.
  testsupport::WriteFile(dir.file("future.txt"), "# quorl demo 7 seed 1\n5 quit\n");
  EXPECT_EQ(2, RunGame(dir, "--input future.txt", &out));
  EXPECT_NE(std::string::npos, out.find("line 1: unknown demo version 7")) << out;
  EXPECT_EQ(std::string::npos, out.find("Screen BPP")) << out;
  EXPECT_EQ(0, RunGame(dir, "--help", &out));
  EXPECT_NE(std::string::npos, out.find("--seed N")) << out;
}

TEST(Startup, WithoutADisplayOrAChosenDriverSaysSoInOneLineAndEnds) {
  ScratchDir dir;
  std::string out;
  const std::string command = "sh -c 'cd \"" + dir.path() + "\" && exec env -u DISPLAY " +
                              "-u SDL_VIDEODRIVER ASAN_OPTIONS=detect_leaks=0 \"" +
                              testsupport::BinPath("quorl") + "\" --frames 5'";
  EXPECT_EQ(1, testsupport::RunCommand(command, 20, &out));
  EXPECT_EQ("QUORL needs an X display with OpenGL; xvfb-run serves for checks without a screen\n",
            out);
}

TEST(Startup, FromAnotherFolderFindsTheBuildsContentAndKeepsItsSaveWhereAsked) {
  ScratchDir dir;
  std::string out;
  const std::string command = "sh -c 'cd \"" + dir.path() + "\" && exec \"" + testsupport::BinPath("quorl") +
                              "\" --fast --frames 30 --save my.dat'";
  ASSERT_EQ(0, testsupport::RunWindowedProgram(command, 60, &out)) << out;
  EXPECT_EQ(std::string::npos, out.find("initialize error")) << out;
  EXPECT_EQ(1, ReadSaveData(dir.file("my.dat").c_str()).floor);
  EXPECT_FALSE(testsupport::FileExists(dir.file("savedata.dat")));
}

TEST(Startup, BadPlayerOptionsEndBeforeTheWindowWithOneLine) {
  ScratchDir dir;
  for (const char* args : {"--sensitivity 0", "--frames 0", "--data nowhere", "--save ."}) {
    std::string out;
    EXPECT_EQ(2, RunGame(dir, args, &out)) << args;  // the command line's faults: options_test
    EXPECT_EQ(std::string::npos, out.find("Screen BPP")) << out;
    EXPECT_EQ(1, std::count(out.begin(), out.end(), '\n')) << out;
    EXPECT_NE(std::string::npos, out.find(std::string(args).substr(0, std::string(args).find(' ')))) << out;
  }
}
