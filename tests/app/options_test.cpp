// Tests of the command line.
#include <gtest/gtest.h>

#include <vector>

#include "app/options.h"

namespace {

int Parse(std::vector<std::string> words, Options* options, std::string* error) {
  words.insert(words.begin(), "quorl");
  std::vector<char*> argv;
  for (std::string& w : words) argv.push_back(w.data());
  return ParseOptions(static_cast<int>(argv.size()), argv.data(), options, error);
}

}  // namespace

TEST(Options, WordsPrintTheirLinesInOrderAndRepeat) {
  Options o;
  std::string error;
  ASSERT_EQ(0, Parse({"vsync", "FULLSCREEN", "fullscreen", "junk", "vsync", "-fullscreen"}, &o, &error));
  EXPECT_TRUE(o.vsync);
  EXPECT_TRUE(o.fullscreen);
  EXPECT_EQ((std::vector<std::string>{"QUORL:Vertical Synchronization ON", "QUORL:fullscreen",
                                      "QUORL:Vertical Synchronization ON"}),
            o.messages);
  Options none;
  ASSERT_EQ(0, Parse({"Vsync", "full screen"}, &none, &error));
  EXPECT_FALSE(none.vsync);
  EXPECT_FALSE(none.fullscreen);
  EXPECT_TRUE(none.messages.empty());
}

TEST(Options, ValuedOptionsTakeTheirValues) {
  Options o;
  std::string error;
  ASSERT_EQ(0, Parse({"--frames", "300", "--fast", "--seed", "4294967295", "--input", "demo.txt"},
                     &o, &error));
  EXPECT_EQ(300, o.frames);
  EXPECT_TRUE(o.fast);
  EXPECT_TRUE(o.hasSeed);
  EXPECT_EQ(4294967295u, o.seed);
  EXPECT_EQ("demo.txt", o.inputPath);
  EXPECT_FALSE(o.help);
  Options h;
  ASSERT_EQ(0, Parse({"--help"}, &h, &error));
  EXPECT_TRUE(h.help);
  Options d;
  ASSERT_EQ(0, Parse({}, &d, &error));
  EXPECT_EQ(-1, d.frames);
  EXPECT_FALSE(d.hasSeed);
}

TEST(Options, MalformedOrMissingValuesAreRefused) {
  for (const std::vector<std::string>& words :
       std::vector<std::vector<std::string>>{{"--frames"}, {"--frames", "ten"}, {"--frames", "-1"},
                                             {"--frames", "0"}, {"--frames", "5x"}, {"--seed"},
                                             {"--seed", "-4"},
                                             {"--seed", "4294967296"}, {"--input"}, {"--input", ""}}) {
    Options o;
    std::string error;
    EXPECT_EQ(-1, Parse(words, &o, &error)) << words[0];
    EXPECT_NE(std::string::npos, error.find(words[0])) << error;
  }
}

TEST(Options, DemoOptionsTakeTheirFilesAndATimedDemoRunsUnpaced) {
  Options o;
  std::string error;
  ASSERT_EQ(0, Parse({"vsync", "--timedemo", "d.txt", "--timedemo-csv", "t.csv", "--record", "r.txt", "--autoplay-floor",
                      "11", "--invulnerable"}, &o, &error));
  EXPECT_EQ(11, o.autoplayFloor);
  EXPECT_TRUE(o.autoplay);
  EXPECT_TRUE(o.invulnerable);
  EXPECT_EQ("d.txt", o.timedemoPath);
  EXPECT_EQ("d.txt", o.inputPath);
  EXPECT_EQ("t.csv", o.timedemoCsvPath);
  EXPECT_EQ("r.txt", o.recordPath);
  EXPECT_TRUE(o.fast);
  EXPECT_FALSE(o.vsync);
  for (const char* word : {"--record", "--timedemo", "--timedemo-csv", "--autoplay-floor"}) {
    Options bad;
    EXPECT_EQ(-1, Parse({word}, &bad, &error)) << word;
    EXPECT_NE(std::string::npos, error.find(word)) << error;
  }
}
