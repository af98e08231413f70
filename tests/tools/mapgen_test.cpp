// Tests of the mapgen tool's command line and output formats, run as a separate program.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "floormap.h"
#include "maptext.h"
#include "support/testfiles.h"

namespace {

// Runs mapgen with `arguments`; returns its output (and expects exit status `status`).
std::string Mapgen(const std::string& arguments, int status = 0) {
  std::string output;
  EXPECT_EQ(status, testsupport::RunCommand(testsupport::BinPath("mapgen") + " " + arguments, 60,
                                            &output)) << arguments << ": " << output;
  return output;
}

}  // namespace

TEST(MapgenTool, PlainMapsAreTheGeneratorsMapsSeedBySeed) {
  // The maps and their plain text are pinned by the generator's golden maps.
  EXPECT_EQ(Mapgen("--seed 5"), mapgen::PlainText(mapgen::MakeFloorMap(5, 1)));
  const std::string five = Mapgen("--seed 5 --floor 7"), six = Mapgen("--seed 6 --floor 7");
  EXPECT_EQ(0u, six.rfind("map 6 7 20 20\n", 0));
  EXPECT_NE(five.substr(5), six.substr(5));
  EXPECT_EQ(Mapgen("--count 3 --seed 5 --floor 7"), five + six + Mapgen("--seed 7 --floor 7"));
  const std::string last = Mapgen("--seed 3 --floor 30");  // the fixed map, no stairs
  EXPECT_EQ(0u, last.rfind("map 3 30 7 11\n", 0));
  EXPECT_EQ(last.substr(last.size() - 11), "\nstart 3 1\n");
}

TEST(MapgenTool, PrettyCheckAndBadArguments) {
  const std::string pretty = Mapgen("--seed 5 --pretty"), plain = Mapgen("--seed 5");
  EXPECT_EQ(44, std::count(pretty.begin(), pretty.end(), '\n'));  // 2 x 20 + 1 drawn lines
  EXPECT_EQ(0u, pretty.rfind("map 5 1 20 20\n", 0));
  EXPECT_TRUE(pretty.find(" S ") != pretty.npos && pretty.find("│") != pretty.npos);
  EXPECT_EQ(plain.substr(plain.find("\nstart")), pretty.substr(pretty.find("\nstart")));
  const std::string check = Mapgen("--check 300 --seed 1000");
  EXPECT_NE(check.find("checked 300 maps of floor 1 from seed 1000: 0 violations"), check.npos);
  for (const char* arguments : {"--seed", "--seed x", "--seed -1", "--seed 4294967296", "--count 0",
                                "--floor 12x", "--frobnicate", "--check 10 --floor 20"}) {
    const std::string out = Mapgen(arguments, 2);
    EXPECT_EQ(0u, out.rfind("mapgen: ", 0)) << arguments << ": " << out;
    EXPECT_EQ(1, std::count(out.begin(), out.end(), '\n')) << "one line: " << out;
  }
}
