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

TEST(Options, PlayerOptionsTakeValuesInTheirRangesAndDefaultToTheDesign) {
  Options d;
  std::string error;
  ASSERT_EQ(0, Parse({}, &d, &error));
  EXPECT_EQ(1.0, d.sensitivity);
  EXPECT_FALSE(d.invertMouse);
  EXPECT_EQ(100, d.musicVolume);
  EXPECT_EQ(100, d.soundVolume);
  EXPECT_FALSE(d.noFlash);
  EXPECT_TRUE(d.dataPath.empty());
  EXPECT_TRUE(d.savePath.empty());

  Options o;
  ASSERT_EQ(0, Parse({"--sensitivity", "2.5", "--invert-mouse", "--music-volume", "0", "--sound-volume",
                      "100", "--no-flash", "--data", "/", "--save", "/tmp/none/s.dat"},
                     &o, &error))
      << error;
  EXPECT_EQ(2.5, o.sensitivity);
  EXPECT_TRUE(o.invertMouse);
  EXPECT_EQ(0, o.musicVolume);
  EXPECT_EQ(100, o.soundVolume);
  EXPECT_TRUE(o.noFlash);
  EXPECT_EQ("/", o.dataPath);
  EXPECT_EQ("/tmp/none/s.dat", o.savePath);

  // Bad values: each refused with one line naming the option and its accepted range.
  struct Bad { std::vector<std::string> words; const char* range; };
  const Bad bad[] = {
      {{"--sensitivity"}, "0.1 to 10"},          {{"--sensitivity", "0.09"}, "0.1 to 10"},
      {{"--sensitivity", "10.5"}, "0.1 to 10"},  {{"--sensitivity", "nan"}, "0.1 to 10"},
      {{"--sensitivity", "1,5"}, "0.1 to 10"},   {{"--music-volume", "101"}, "0 to 100"},
      {{"--music-volume", "-1"}, "0 to 100"},    {{"--music-volume", "50%"}, "0 to 100"},
      {{"--sound-volume"}, "0 to 100"},          {{"--sound-volume", "7.5"}, "0 to 100"},
      {{"--data", "/no/such/folder"}, "folder"}, {{"--data"}, "folder"},
      {{"--save"}, "file name"},                 {{"--save", "/"}, "file name"},
  };
  for (const Bad& b : bad) {
    Options r;
    EXPECT_EQ(-1, Parse(b.words, &r, &error)) << b.words[0];
    EXPECT_EQ(0u, error.find(b.words[0])) << error;
    EXPECT_NE(std::string::npos, error.find(b.range)) << error;
    EXPECT_EQ(std::string::npos, error.find('\n')) << error;
  }
}

TEST(Options, DemoOptionsTakeTheirFilesAndATimedDemoRunsUnpaced) {
  Options o;
  std::string error;
  EXPECT_FALSE(o.timedemoPhases);
  ASSERT_EQ(0, Parse({"vsync", "--timedemo", "d.txt", "--timedemo-csv", "t.csv", "--record", "r.txt", "--autoplay-floor",
                      "11", "--invulnerable", "--timedemo-phases"}, &o, &error));
  EXPECT_TRUE(o.timedemoPhases);
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
