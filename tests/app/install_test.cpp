// An installation into a scratch prefix, played from another folder as a new user would: the
// installed program finds its content under the prefix and keeps its save and screenshots in the
// per-user data folder, and nowhere else.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <utility>

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

// The installed pieces themselves (`cmake --install` fails on any missing one): menus, window
// managers and software centres find them by one id, so the names inside must match the files.
TEST_F(InstallTest, TheDesktopFilesAllNameTheOneApplicationId) {
  const std::string id = "org.quorl.Quorl";
  const std::string entry = testsupport::ReadFile(prefix + "/share/applications/" + id + ".desktop");
  for (const std::string& line : {std::string("Exec=quorl"), "Icon=" + id, "StartupWMClass=" + id,
                                  std::string("Categories=Game;ActionGame;")})
    EXPECT_NE(std::string::npos, entry.find("\n" + line + "\n")) << line << "\n" << entry;
  for (unsigned size : {48u, 64u, 128u, 256u}) {
    const std::string n = std::to_string(size);
    const std::string path = prefix + "/share/icons/hicolor/" + n + "x" + n + "/apps/" + id + ".png";
    unsigned char* pixels = nullptr;
    unsigned w = 0, h = 0, pitch = 0;
    ASSERT_EQ(0, LoadPNG(path.c_str(), &pixels, &w, &h, &pitch)) << path;
    delete[] pixels;
    EXPECT_EQ(std::make_pair(size, size), std::make_pair(w, h)) << path;  // the theme's folders hold one size
  }
  const std::string metainfo = testsupport::ReadFile(prefix + "/share/metainfo/" + id + ".metainfo.xml");
  EXPECT_NE(std::string::npos, metainfo.find("<id>" + id + "</id>")) << metainfo;
  EXPECT_NE(std::string::npos, metainfo.find("<launchable type=\"desktop-id\">" + id + ".desktop</launchable>"))
      << metainfo;
  EXPECT_NE(std::string::npos, metainfo.find("<binary>quorl</binary>")) << metainfo;
  // The installed tree as a software centre's indexer reads it (the launchable's entry, the icons):
  // no error, warning or info; the pedantic note on the id's capitals is expected.
  std::string report;
  EXPECT_EQ(0, testsupport::RunCommand("appstreamcli validate-tree --no-net --pedantic \"" + prefix + "\" 2>&1", 60,
                                       &report))
      << report;
  for (const char* level : {"\nE: ", "\nW: ", "\nI: ", "  E: ", "  W: ", "  I: "})
    EXPECT_EQ(std::string::npos, report.find(level)) << report;
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
