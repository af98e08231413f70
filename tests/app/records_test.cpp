// Tests of the records: which games beat which records, the file's round trip, damaged files, the
// atomic write; the statistics log's lines; the choice of a game's seed.
#include <gtest/gtest.h>

#include "app/gameseed.h"
#include "app/records.h"
#include "app/statslog.h"
#include "support/testfiles.h"

using testsupport::ReadFile;
using testsupport::ScratchDir;
using testsupport::WriteFile;

namespace {

GameResult Finished(long frames, int met, int killed, const char* date) {
  GameResult g;
  g.fromStart = g.finished = true;
  g.frames = frames;
  g.arrivals[0] = frames / 4, g.arrivals[1] = frames / 2, g.arrivals[2] = frames - 1000;
  g.deepest = 30;
  g.met = met, g.killed = killed;
  g.seed = "42";
  g.date = date;
  return g;
}

}  // namespace

TEST(Records, BetterGamesReplaceRecordsAndWorseOrEqualOnesKeepThem) {
  Records r;
  EXPECT_EQ(6u, r.Offer(Finished(100000, 400, 300, "2026-01-01")).size());  // everything is new
  // Row: the game offered, the records it sets.
  GameResult slower = Finished(120000, 400, 380, "2026-01-02");  // slower, but a better share
  GameResult tie = Finished(100000, 400, 300, "2026-01-03");
  GameResult faster = Finished(90000, 400, 100, "2026-01-04");
  GameResult continued = Finished(1000, 10, 10, "2026-01-05");
  continued.fromStart = false;  // a continue: no times, but its share counts
  GameResult died = Finished(500, 10, 10, "2026-01-06");
  died.finished = false, died.deepest = 7, died.arrivals[1] = died.arrivals[2] = -1;
  GameResult daily = Finished(130000, 10, 1, "2026-01-07");
  daily.daily = true;
  const std::pair<GameResult, std::vector<std::string>> rows[] = {
      {slower, {"KILL SHARE 95%"}},
      {tie, {}},
      {faster, {"BEST RUN 25:30.00", "TO FLOOR 10 6:22.50", "TO FLOOR 20 12:45.00", "TO FLOOR 30 25:13.00"}},
      {continued, {"KILL SHARE 100%"}},
      {died, {"TO FLOOR 10 0:02.12"}},  // an unfinished game still sets arrival times, not the share
      {daily, {"DAILY BEST RUN 36:50.00", "DAILY TO FLOOR 10 9:12.50", "DAILY TO FLOOR 20 18:25.00",
               "DAILY TO FLOOR 30 36:33.00", "DAILY KILL SHARE 10%", "DAILY DEEPEST FLOOR 30"}},
  };
  int row = 0;
  for (const auto& [game, expected] : rows) EXPECT_EQ(expected, r.Offer(game)) << "row " << row++;
  EXPECT_EQ(90000, r.normal.run.value);
  EXPECT_EQ("2026-01-04", r.normal.run.date);
  EXPECT_EQ("2026-01-01", r.normal.deepest.date);  // the tie kept the older record
  EXPECT_EQ(125, r.normal.boss[0].value);
  EXPECT_EQ(100, r.normal.share.value);
}

TEST(Records, TheFileReadsBackAndADamagedOneReadsAsEmpty) {
  ScratchDir dir;
  const std::string path = dir.file("records.txt");
  Records r;
  r.Offer(Finished(100000, 400, 300, "2026-01-01"));
  GameResult daily = Finished(5000, 10, 1, "2026-02-03");
  daily.daily = true, daily.seed = "-";
  r.Offer(daily);
  ASSERT_EQ(0, WriteRecords(path, r));
  EXPECT_FALSE(testsupport::FileExists(path + ".tmp"));
  Records back;
  EXPECT_EQ(0, ReadRecords(path, &back));
  EXPECT_EQ(RecordsText(r), RecordsText(back));
  EXPECT_EQ("-", back.daily.run.seed);
  EXPECT_EQ(0, ReadRecords(dir.file("missing.txt"), &back));  // missing: empty, quietly
  EXPECT_FALSE(back.normal.run.set);

  const std::string good = ReadFile(path);
  const std::string damaged[] = {
      good.substr(0, good.size() / 2),                 // truncated mid-line
      "run normal 100 42 2026-01-01 extra\n",          // a word too many
      "run normal -5 42 2026-01-01\n",                 // a negative time
      "run normal 100 99999999999 2026-01-01\n",       // a seed beyond 32 bits
      "boss15 normal 100 42 2026-01-01\n",             // no such record
      "run weekly 100 42 2026-01-01\n",                // no such mode
      "run normal 100 42 2026-1-01\n",                 // a malformed date
      std::string("run normal 1\0\0 42 2026-01-01\n", 30),  // binary bytes
      std::string(70000, 'x'),                         // far too long
  };
  int row = 0;
  for (const std::string& text : damaged) {
    WriteFile(path, text);
    Records read = r;
    EXPECT_EQ(-1, ReadRecords(path, &read)) << "case " << row;
    EXPECT_EQ(RecordsText(Records()), RecordsText(read)) << "case " << row++;
  }
}

TEST(Records, AWriteReplacesTheFileWholeOverATemporaryFileACrashLeft) {
  ScratchDir dir;
  const std::string path = dir.file("records.txt");
  WriteFile(path, "run normal 1 2 2026-01-01\n");
  WriteFile(path + ".tmp", "left by a crash, longer than the records it would leave behind if reused");
  Records r;
  r.Offer(Finished(100000, 400, 300, "2026-01-01"));
  ASSERT_EQ(0, WriteRecords(path, r));
  EXPECT_FALSE(testsupport::FileExists(path + ".tmp"));
  EXPECT_EQ(RecordsText(r), ReadFile(path));
}

TEST(StatsLog, LinesCarryTheDocumentedColumnsAndANewFileGetsTheHeader) {
  StatsGame game;
  game.date = "2026-12-08", game.time = "01:02:03", game.seed = "7";
  FloorStats f;
  f.floor = 3, f.frames = 3600, f.met = 12, f.killed = 5, f.shots = 70, f.hits = 19, f.damage = 160, f.items = 2;
  EXPECT_EQ("floor 2026-12-08 01:02:03 7 normal 3 3600 1:01.20 12 5 70 19 160 2\n", StatsFloorLine(game, f));
  f.floor = 0;
  EXPECT_EQ("game 2026-12-08 01:02:03 7 normal death 1 3 3 3600 1:01.20 12 5 70 19 160 2 40 9\n",
            StatsGameLine(game, "death", 1, 3, 3, f, 40, 9));
  ScratchDir dir;
  const std::string path = dir.file("statistics.txt");
  ASSERT_EQ(0, AppendStats(path, "a\n"));
  ASSERT_EQ(0, AppendStats(path, "b\n"));
  EXPECT_EQ(StatsHeader() + "a\nb\n", ReadFile(path));
  EXPECT_EQ(-1, AppendStats(dir.file("no/such/folder/statistics.txt"), "c\n"));
}

TEST(GameSeed, TheDailySettingOutranksTheSeedAndOnlyNewGamesTakeEither) {
  std::tm day = {};
  day.tm_year = 126, day.tm_mon = 11, day.tm_mday = 8;
  const std::time_t noon = std::mktime(&day) + 12 * 3600;
  EXPECT_EQ(20261208u, DailySeed(day));
  Settings seeded, daily, both, none;
  seeded.seed = 7, daily.daily = true, both.seed = 7, both.daily = true;
  // Settings, a new game or a continue: the seed, the day's or not, or a fresh one (the clock's).
  const struct {
    const Settings* settings;
    bool newGame;
    long long seed;  // -1: the fresh seed of that moment
    bool daily;
  } rows[] = {{&seeded, true, 7, false}, {&daily, true, 20261208, true}, {&both, true, 20261208, true},
              {&none, true, -1, false},  {&both, false, -1, false}};
  const GameSeed fresh = ChooseGameSeed(none, true, noon, 1234);
  EXPECT_NE(fresh.seed, ChooseGameSeed(none, true, noon, 1235).seed);  // a millisecond later: another
  for (const auto& row : rows) {
    const GameSeed chosen = ChooseGameSeed(*row.settings, row.newGame, noon, 1234);
    EXPECT_EQ(row.seed < 0 ? fresh.seed : static_cast<unsigned int>(row.seed), chosen.seed) << &row - rows;
    EXPECT_EQ(row.daily, chosen.daily) << &row - rows;
  }
}
