// Tests of where the game finds its content and keeps its save and screenshots.
#include "app/gamefolders.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/testfiles.h"

namespace {

using testsupport::ScratchDir;

void MakeContent(const std::string& folder) { ASSERT_EQ(0, MakeFolders(folder + "/img")); }

}  // namespace

TEST(GameFolders, ContentAndSaveFollowTheOptionsTheWorkingFolderAndTheProgramsPlace) {
  ScratchDir root;
  const std::string r = root.path();
  MakeContent(r + "/build/data");
  ASSERT_EQ(0, MakeFolders(r + "/build/bin"));
  MakeContent(r + "/prefix/share/quorl");
  ASSERT_EQ(0, MakeFolders(r + "/prefix/bin"));
  MakeContent(r + "/here");
  ASSERT_EQ(0, MakeFolders(r + "/elsewhere"));
  // Program folder, working folder, --data, --save, XDG_DATA_HOME, HOME; content, save, installed.
  struct Case { std::string program, work, data, save; const char *xdg, *home; std::string content, saveFile; bool installed; };
  const std::string build = r + "/build", prefix = r + "/prefix";
  const Case cases[] = {
      // The build tree: started in build/data as `make run` does, or from anywhere else.
      {build + "/bin", build + "/data", "", "", "/x", "/h", build + "/data", build + "/data/savedata.dat", false},
      {build + "/bin", r + "/elsewhere", "", "", "/x", "/h", build + "/data", build + "/data/savedata.dat", false},
      {build + "/bin", r + "/here", "", "", "/x", "/h", r + "/here", r + "/here/savedata.dat", false},
      {build + "/bin", r + "/elsewhere", "../here", "s.dat", "/x", "/h", r + "/elsewhere/../here",
       r + "/elsewhere/s.dat", false},
      // Installed: the content under the prefix, the save in the per-user folder.
      {prefix + "/bin", r + "/elsewhere", "", "", "/x", "/h", prefix + "/share/quorl", "/x/quorl/savedata.dat", true},
      {prefix + "/bin", r + "/elsewhere", "", "", "", "/h", prefix + "/share/quorl", "/h/.local/share/quorl/savedata.dat", true},
      {prefix + "/bin", r + "/elsewhere", "", "", "rel", "/h", prefix + "/share/quorl", "/h/.local/share/quorl/savedata.dat", true},
      {prefix + "/bin", r + "/elsewhere", "", "", nullptr, nullptr, prefix + "/share/quorl",
       prefix + "/share/quorl/savedata.dat", true},
      {prefix + "/bin", r + "/here", "", "/s/my.dat", "/x", "/h", r + "/here", "/s/my.dat", true},
      // Nowhere: the working folder, as the game always did.
      {r + "/elsewhere", r + "/elsewhere", "", "", "/x", "/h", r + "/elsewhere", r + "/elsewhere/savedata.dat", false},
  };
  for (const Case& c : cases) {
    const GameFolders f = FindGameFolders(c.program, c.work, c.data, c.save, c.xdg, c.home, "");
    EXPECT_EQ(c.content, f.content) << (&c - cases);
    EXPECT_EQ(c.saveFile, f.save) << (&c - cases);
    EXPECT_EQ(c.saveFile.substr(0, c.saveFile.rfind('/')), f.user) << (&c - cases);
    EXPECT_EQ(c.installed, f.installed) << (&c - cases);
  }
  // A second build sharing the first one's content (the sanitizer build), started elsewhere.
  const std::string other = r + "/build-asan/bin";
  ASSERT_EQ(0, MakeFolders(other));
  const GameFolders f = FindGameFolders(other, r + "/elsewhere", "", "", "/x", "/h", build + "/data");
  EXPECT_EQ(build + "/data", f.content);
  EXPECT_EQ(build + "/data/savedata.dat", f.save);
  EXPECT_FALSE(f.installed);
  EXPECT_EQ(r + "/elsewhere", FindGameFolders(other, r + "/elsewhere", "", "", "/x", "/h", r + "/none").content);
}

TEST(GameFolders, ScreenshotsTakeTheNextFreeNumberInTheirFolder) {
  ScratchDir root;
  const std::string user = root.path() + "/a/b";
  int last = 0;
  EXPECT_EQ(user + "/screenshots/quorl-0001.png", NextScreenshotPath(user, &last));
  EXPECT_EQ(user + "/screenshots/quorl-0002.png", NextScreenshotPath(user, &last)) << "not yet written";
  testsupport::WriteFile(user + "/screenshots/quorl-0003.png", "x");
  testsupport::WriteFile(user + "/screenshots/quorl-0004.png", "x");
  EXPECT_EQ(user + "/screenshots/quorl-0005.png", NextScreenshotPath(user, &last));
  int fresh = 0;
  EXPECT_EQ(user + "/screenshots/quorl-0001.png", NextScreenshotPath(user, &fresh)) << "a new run fills gaps";
  last = 9999;
  EXPECT_EQ("", NextScreenshotPath(user, &last));
  testsupport::WriteFile(root.path() + "/file", "x");
  last = 0;
  EXPECT_EQ("", NextScreenshotPath(root.path() + "/file", &last)) << "a file where the folder goes";
  EXPECT_EQ(-1, MakeFolders(root.path() + "/file/sub"));
}
