// Tests of the mapgen tool's command line and output formats, run as a separate program.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "common/random.h"
#include "dungeon/dungeonconst.h"
#include "dungeon/dungeonmake.h"
#include "support/testfiles.h"

namespace {

// Runs mapgen with `arguments`; returns its exit status and fills `output`.
int Mapgen(const std::string& arguments, std::string* output) {
  return testsupport::RunCommand(testsupport::BinPath("mapgen") + " " + arguments, 60, output);
}

// One map of the plain format.
struct PlainMap {
  unsigned long seed = 0;
  int floor = -1, rows = 0, cols = 0;
  std::vector<int> cells;
  int startRow = -1, startCol = -1;
  int stairRow = -1, stairCol = -1;
};

// Reads maps of the plain format, line by line as a script would; fails on anything else.
::testing::AssertionResult ParsePlain(const std::string& text, std::vector<PlainMap>* maps) {
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    PlainMap m;
    std::istringstream head(line);
    std::string word;
    if (!(head >> word >> m.seed >> m.floor >> m.rows >> m.cols) || word != "map" ||
        !(head >> word).fail()) {
      return ::testing::AssertionFailure() << "bad header line: " << line;
    }
    for (int r = 0; r < m.rows; ++r) {
      if (!std::getline(in, line)) return ::testing::AssertionFailure() << "rows missing";
      std::istringstream row(line);
      int v;
      int n = 0;
      while (row >> v) {
        m.cells.push_back(v);
        ++n;
      }
      if (n != m.cols || line.find("  ") != std::string::npos || line.back() == ' ') {
        return ::testing::AssertionFailure() << "bad row " << r << ": " << line;
      }
    }
    if (!std::getline(in, line) ||
        !(std::istringstream(line) >> word >> m.startRow >> m.startCol) || word != "start") {
      return ::testing::AssertionFailure() << "bad start line: " << line;
    }
    const std::streampos before = in.tellg();
    if (std::getline(in, line) && line.rfind("stair ", 0) == 0) {
      std::istringstream(line) >> word >> m.stairRow >> m.stairCol;
    } else {
      in.clear();
      in.seekg(before);
    }
    maps->push_back(m);
  }
  return ::testing::AssertionSuccess();
}

}  // namespace

TEST(MapgenTool, PlainMapIsTheGeneratorsMapRowByRow) {
  std::string out;
  ASSERT_EQ(0, Mapgen("--seed 5", &out)) << out;
  std::vector<PlainMap> maps;
  ASSERT_TRUE(ParsePlain(out, &maps));
  ASSERT_EQ(1u, maps.size());
  const PlainMap& m = maps[0];
  EXPECT_EQ(5u, m.seed);
  EXPECT_EQ(1, m.floor);
  EXPECT_EQ(20, m.rows);
  EXPECT_EQ(20, m.cols);

  // The same seed through the generator: row i of the output is map row (y) i.
  std::vector<int> cells(400);
  DungeonMake::DMParams p{};
  p.width = p.height = 20;
  p.floorTier = 2;
  p.segmentsX = p.segmentsY = 3;
  QUORL_COMMON::SetFixedSeed(5);
  DungeonMake::MakeNewDungeon(cells.data(), &p);
  QUORL_COMMON::ResetSeeding();
  EXPECT_EQ(cells, m.cells);
  EXPECT_EQ(p.startY, m.startRow);
  EXPECT_EQ(p.startX, m.startCol);
  ASSERT_GE(m.stairRow, 0);
  EXPECT_TRUE(cells[m.stairRow * 20 + m.stairCol] & DungeonConst::FLOOR_STEP);

  // Reproducible, and --count gives the maps of successive seeds.
  std::string again, three, seven;
  ASSERT_EQ(0, Mapgen("--seed 5 --floor 1", &again));
  EXPECT_EQ(out, again);
  ASSERT_EQ(0, Mapgen("--count 3 --seed 5 --floor 7", &three));
  ASSERT_EQ(0, Mapgen("--seed 7 --floor 7", &seven));
  std::vector<PlainMap> series, single;
  ASSERT_TRUE(ParsePlain(three, &series));
  ASSERT_TRUE(ParsePlain(seven, &single));
  ASSERT_EQ(3u, series.size());
  EXPECT_EQ(5u, series[0].seed);
  EXPECT_EQ(6u, series[1].seed);
  EXPECT_EQ(7u, series[2].seed);
  EXPECT_EQ(7, series[2].floor);
  EXPECT_EQ(single[0].cells, series[2].cells);
  EXPECT_NE(series[0].cells, series[1].cells);
}

TEST(MapgenTool, BossFloorsPrintTheFixedMap) {
  for (int floor : {10, 20, 30}) {
    std::string out;
    ASSERT_EQ(0, Mapgen("--floor " + std::to_string(floor) + " --seed 3", &out)) << out;
    std::vector<PlainMap> maps;
    ASSERT_TRUE(ParsePlain(out, &maps)) << out;
    ASSERT_EQ(1u, maps.size());
    const PlainMap& m = maps[0];
    EXPECT_EQ(7, m.rows);
    EXPECT_EQ(11, m.cols);
    EXPECT_EQ(3, m.startRow);
    EXPECT_EQ(1, m.startCol);
    EXPECT_EQ(31, m.cells[3 * 11 + 1]);
    if (floor == 30) {
      EXPECT_EQ(std::string::npos, out.find("stair")) << "the last floor has no way down";
      EXPECT_EQ(1, m.cells[3 * 11 + 6]);
    } else {
      EXPECT_EQ(3, m.stairRow);
      EXPECT_EQ(8, m.stairCol);
      EXPECT_EQ(513, m.cells[3 * 11 + 8]);
    }
  }
}

TEST(MapgenTool, PrettyDrawsTheSameMapForPeople) {
  std::string out;
  ASSERT_EQ(0, Mapgen("--seed 5 --pretty", &out)) << out;
  std::istringstream in(out);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  ASSERT_EQ(1u + 41u + 2u, lines.size()) << "header, 2 x 20 + 1 drawn lines, start, stair";
  EXPECT_EQ("map 5 1 20 20", lines[0]);
  EXPECT_EQ(0u, lines[lines.size() - 2].rfind("start ", 0));
  EXPECT_EQ(0u, lines.back().rfind("stair ", 0));
  // Walls, at least one door, the start and the stairs' arrow.
  EXPECT_NE(std::string::npos, out.find("─"));
  EXPECT_NE(std::string::npos, out.find("│"));
  EXPECT_TRUE(out.find("━") != std::string::npos || out.find("┃") != std::string::npos);
  EXPECT_NE(std::string::npos, out.find(" S "));
  EXPECT_TRUE(out.find("→") != std::string::npos || out.find("←") != std::string::npos ||
              out.find("↑") != std::string::npos || out.find("↓") != std::string::npos);

  // The start and stairs lines agree with the plain output.
  std::string plain;
  ASSERT_EQ(0, Mapgen("--seed 5", &plain));
  EXPECT_NE(std::string::npos, plain.find(lines[lines.size() - 2] + "\n" + lines.back() + "\n"));
}

TEST(MapgenTool, CheckCountsViolationsAndRefusesBadArguments) {
  std::string out;
  ASSERT_EQ(0, Mapgen("--check 300 --seed 1000", &out)) << out;
  EXPECT_NE(std::string::npos, out.find("checked 300 maps of floor 1 from seed 1000: 0 violations"))
      << out;
  EXPECT_NE(std::string::npos, out.find("us per map"));

  const char* const bad[] = {
      "--seed",      "--seed x", "--seed -1",    "--seed 4294967296",    "--count 0",
      "--floor 12x", "--check",  "--frobnicate", "--check 10 --floor 20"};
  for (const char* arguments : bad) {
    ASSERT_EQ(2, Mapgen(arguments, &out)) << arguments;
    EXPECT_EQ(0u, out.rfind("mapgen: ", 0)) << arguments << ": " << out;
    EXPECT_EQ(1, std::count(out.begin(), out.end(), '\n')) << "one line: " << out;
  }
  ASSERT_EQ(0, Mapgen("--help", &out));
  EXPECT_NE(std::string::npos, out.find("usage: mapgen"));
}
