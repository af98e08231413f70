// An installation into a scratch prefix, played from another folder as a new user would: the
// installed program finds its content under the prefix and keeps its save and screenshots in the
// per-user data folder, and nowhere else.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "app/savedata.h"
#include "assets/loadpng.h"
#include "support/testfiles.h"

namespace {

namespace fs = std::filesystem;

// Every file under `root`, as paths relative to it.
std::set<std::string> FilesUnder(const std::string& root) {
  std::set<std::string> files;
  if (!fs::exists(root)) return files;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (!entry.is_directory()) files.insert(fs::relative(entry.path(), root).string());
  }
  return files;
}

class InstallTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string out;
    ASSERT_EQ(0, testsupport::RunCommand(std::string(QUORL_CMAKE) + " --install \"" + QUORL_BUILD_DIR +
                                             "\" --prefix \"" + prefix + "\" >/dev/null",
                                         120, &out))
        << out;
    fs::create_directories(work);
  }

  // Plays the installed game in `work` with `env` and `script`; returns the exit status.
  int Play(const std::string& env, const std::string& script) {
    testsupport::WriteFile(root.file("input.txt"), script);
    return testsupport::RunWindowedProgram("sh -c 'cd \"" + work + "\" && exec env " + env + " \"" + prefix +
                                               "/bin/quorl\" --fast --seed 3 --frames 200 --input ../input.txt'",
                                           120, &output);
  }

  testsupport::ScratchDir root;
  const std::string prefix = root.file("prefix");
  const std::string work = root.file("work");
  const std::string home = root.file("home");
  const std::string xdg = root.file("xdg");
  std::string output;
};

// The installed pieces themselves: `cmake --install` fails on any missing one.
TEST_F(InstallTest, TheDesktopEntryStartsTheProgramByNameWithItsIcon) {
  const std::string entry = testsupport::ReadFile(prefix + "/share/applications/quorl.desktop");
  EXPECT_NE(std::string::npos, entry.find("\nExec=quorl\n")) << entry;
  EXPECT_NE(std::string::npos, entry.find("\nIcon=quorl\n")) << entry;
}

TEST_F(InstallTest, KeepsTheSaveAndScreenshotsOnlyInThePerUserFolder) {
  // A new game, F12 while playing, Escape back to the title (the save is written), Escape to quit.
  const std::string script = "5 mousedown 1 100 550\n30 keydown f12\n60 keydown escape\n80 keydown escape\n";
  ASSERT_EQ(0, Play("HOME=\"" + home + "\" XDG_DATA_HOME=\"" + xdg + "\"", script)) << output;
  // The game left for the title also wrote its statistics and its record (the deepest floor).
  EXPECT_EQ((std::set<std::string>{"quorl/savedata.dat", "quorl/screenshots/quorl-0001.png", "quorl/statistics.txt",
                                   "quorl/records.txt"}),
            FilesUnder(xdg));
  EXPECT_TRUE(FilesUnder(work).empty());
  EXPECT_TRUE(FilesUnder(home).empty());
  EXPECT_FALSE(fs::exists(prefix + "/share/quorl/savedata.dat"));
  EXPECT_FALSE(fs::exists(prefix + "/share/quorl/screenshots"));
  EXPECT_NE(std::string::npos, output.find("QUORL: screenshot " + xdg + "/quorl/screenshots/quorl-0001.png\n"))
      << output;
  unsigned char* pixels = nullptr;
  unsigned w = 0, h = 0, pitch = 0;
  ASSERT_EQ(0, LoadPNG((xdg + "/quorl/screenshots/quorl-0001.png").c_str(), &pixels, &w, &h, &pitch));
  delete[] pixels;
  EXPECT_EQ(800u, w);
  EXPECT_EQ(600u, h);
  EXPECT_EQ(1, ReadSaveData((xdg + "/quorl/savedata.dat").c_str()).floor);

  // Without XDG_DATA_HOME the folder is ~/.local/share/quorl; the next screenshot number is free.
  ASSERT_EQ(0, Play("-u XDG_DATA_HOME HOME=\"" + home + "\"", script)) << output;
  EXPECT_EQ((std::set<std::string>{".local/share/quorl/savedata.dat", ".local/share/quorl/screenshots/quorl-0001.png",
                                   ".local/share/quorl/statistics.txt", ".local/share/quorl/records.txt"}),
            FilesUnder(home));
  EXPECT_TRUE(FilesUnder(work).empty());

  // A save that cannot be written is reported once with its path, and the game goes on.
  testsupport::WriteFile(root.file("blocker"), "x");
  ASSERT_EQ(0, Play("HOME=\"" + home + "\" XDG_DATA_HOME=\"" + root.file("blocker") + "\"", script)) << output;
  const std::string report = "QUORL: cannot write the save file " + root.file("blocker") + "/quorl/savedata.dat";
  const size_t first = output.find(report);
  EXPECT_NE(std::string::npos, first) << output;
  EXPECT_EQ(std::string::npos, output.find(report, first + 1)) << output;
  EXPECT_NE(std::string::npos, output.find("QUORL: no screenshot")) << output;
  EXPECT_NE(std::string::npos, output.find("QUORL: cannot write the statistics log")) << output;
}

}  // namespace
