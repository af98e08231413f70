// Tests of the save record: layout on disk, short, missing and damaged files, atomic writing.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>

#include "app/savedata.h"
#include "support/testfiles.h"

using testsupport::ReadFile;
using testsupport::ScratchDir;
using testsupport::WriteFile;

TEST(SaveData, RoundTripKeepsEveryFieldAndWritesSixteenLittleEndianBytes) {
  ScratchDir dir;
  const std::string path = dir.file("savedata.dat");
  SaveData save;
  save.floor = 29;
  save.enemyCount = 0x01020304;
  save.killCount = -2;
  save.specialUnlocked = true;
  ASSERT_EQ(0, WriteSaveData(path.c_str(), save));
  const std::string bytes = ReadFile(path);
  ASSERT_EQ(16u, bytes.size());
  EXPECT_EQ(std::string("\x1d\0\0\0\x04\x03\x02\x01\xfe\xff\xff\xff\x01\0\0\0", 16), bytes);
  const SaveData back = ReadSaveData(path.c_str());
  EXPECT_EQ(29, back.floor);
  EXPECT_EQ(0x01020304, back.enemyCount);
  EXPECT_EQ(0, back.killCount);  // a negative count reads as 0
  EXPECT_TRUE(back.specialUnlocked);
  EXPECT_FALSE(testsupport::FileExists(path + ".tmp"));
}

TEST(SaveData, ShortFilesAndFloorsNoGameReachesGiveTheDefaultsAndNegativeCountsReadAsZero) {
  ScratchDir dir;
  const std::string path = dir.file("savedata.dat");
  // The file's bytes, and floor, enemies, kills and special mode as they read back.
  const std::string record = std::string("\0\0\0\0\x28\0\0\0\x1e\0\0\0\x01\0\0\0", 16);
  const auto withFloor = [&](const char* floor) { return std::string(floor, 4) + record.substr(4); };
  const std::pair<std::string, std::array<int, 4>> cases[] = {
      {"", {1, 0, 0, 0}},
      {std::string("\x07\0\0\0\x05", 5), {1, 0, 0, 0}},
      {std::string(15, '\x09'), {1, 0, 0, 0}},
      {withFloor("\0\0\0\0"), {1, 0, 0, 0}},
      {withFloor("\xfd\xff\xff\xff"), {1, 0, 0, 0}},  // -3
      {withFloor("\x1f\0\0\0"), {1, 0, 0, 0}},        // 31
      {withFloor("\x1e\0\0\0"), {30, 40, 30, 1}},
      {withFloor("\x01\0\0\0"), {1, 40, 30, 1}},
      {std::string("\x0c\0\0\0\xfb\xff\xff\xff\xff\xff\xff\xff\0\0\0\0", 16), {12, 0, 0, 0}},  // -5, -1
      // Extra bytes after the record are ignored; padding bytes are not read.
      {std::string("\x05\0\0\0\0\0\0\0\0\0\0\0\x02\xaa\xbb\xcc trailing", 25), {5, 0, 0, 1}},
  };
  int row = 0;
  for (const auto& [bytes, expected] : cases) {
    WriteFile(path, bytes);
    const SaveData back = ReadSaveData(path.c_str());
    EXPECT_EQ(expected, (std::array<int, 4>{back.floor, back.enemyCount, back.killCount, back.specialUnlocked}))
        << "case " << row++;
  }
  EXPECT_EQ(1, ReadSaveData(dir.file("absent.dat").c_str()).floor);
  EXPECT_EQ(1, ReadSaveData(dir.path().c_str()).floor);  // a folder in its place
}

TEST(SaveData, WritesInPlaceWithoutATemporaryFileThroughLinksAndKeepsTheOldOnFailure) {
  ScratchDir dir;
  const std::string path = dir.file("savedata.dat");
  SaveData save;
  const auto floorAfterWriting = [&](int floor) {
    save.floor = floor;
    const int result = WriteSaveData(path.c_str(), save);
    return result == 0 ? ReadSaveData(path.c_str()).floor : -ReadSaveData(path.c_str()).floor;
  };
  // A stale temporary file from a crash is overwritten and goes with the rename.
  WriteFile(path + ".tmp", "left over from a crash, longer than a record");
  EXPECT_EQ(7, floorAfterWriting(7));
  EXPECT_FALSE(testsupport::FileExists(path + ".tmp"));
  // No temporary file can be made (as in a read-only folder): the file is written in place.
  ASSERT_EQ(0, mkdir((path + ".tmp").c_str(), 0700));
  EXPECT_EQ(12, floorAfterWriting(12));
  ASSERT_EQ(0, rmdir((path + ".tmp").c_str()));
  // The temporary file fails on writing: the old record stays whole (-12: failure, 12 on disk)
  // and the temporary file goes.
  ASSERT_EQ(0, symlink("/dev/full", (path + ".tmp").c_str()));
  EXPECT_EQ(-12, floorAfterWriting(13));
  struct stat info;
  EXPECT_NE(0, lstat((path + ".tmp").c_str(), &info));
  // Through a symbolic link, to a file and to a file not made yet, the link stays a link.
  ASSERT_EQ(0, remove(path.c_str()));
  ASSERT_EQ(0, mkdir(dir.file("real").c_str(), 0700));
  ASSERT_EQ(0, symlink("real/fresh.dat", path.c_str()));
  for (int floor : {14, 15}) {  // the first write makes the target, the second replaces it
    EXPECT_EQ(floor, floorAfterWriting(floor));
    ASSERT_EQ(0, lstat(path.c_str(), &info));
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_EQ(floor, ReadSaveData(dir.file("real/fresh.dat").c_str()).floor);
  }
  // In a folder that does not exist nothing is written and the failure is reported.
  EXPECT_EQ(-1, WriteSaveData(dir.file("no/such/savedata.dat").c_str(), save));
}

TEST(SaveData, SpecialModeNeedsNinetyPercentOfAtLeastOneEnemy) {
  EXPECT_TRUE(EarnsSpecialMode(50, 45));
  EXPECT_FALSE(EarnsSpecialMode(50, 44));
  EXPECT_TRUE(EarnsSpecialMode(300, 270));
  EXPECT_FALSE(EarnsSpecialMode(300, 269));
  EXPECT_FALSE(EarnsSpecialMode(0, 0));
  EXPECT_FALSE(EarnsSpecialMode(0, 5));
  EXPECT_FALSE(EarnsSpecialMode(-3, 5));
  EXPECT_TRUE(EarnsSpecialMode(2000000000, 2000000000));  // no overflow in kills x 100
}
