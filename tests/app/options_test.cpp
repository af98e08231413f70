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

TEST(Options, WordsAreWholeAndCaseSensitiveAndPrintTheirLinesInOrder) {
  Options o;
  std::string error;
  ASSERT_EQ(0, Parse({"vsync", "FULLSCREEN", "fullscreen", "junk", "vsync", "-fullscreen", "full screen"}, &o, &error));
  EXPECT_EQ((std::vector<std::string>{"QUORL:Vertical Synchronization ON", "QUORL:fullscreen",
                                      "QUORL:Vertical Synchronization ON"}),
            o.messages);
  EXPECT_EQ("on", o.Setting("fullscreen"));
  EXPECT_EQ("", o.Setting("invert_mouse"));
}

TEST(Options, ValuesAtTheirLimitsAreTakenAndBadOrMissingOnesRefusedInOneLine) {
  Options o;
  std::string error;
  ASSERT_EQ(0, Parse({"--frames", "1", "--seed", "4294967295", "--sensitivity", "2.5", "--music-volume", "0",
                      "--sound-volume", "100", "--data", "/", "--save", "/tmp/none/s.dat", "--set",
                      "fire=left shift", "--config", "q.cfg", "--no-flash"},
                     &o, &error))
      << error;
  EXPECT_EQ(1, o.frames);
  EXPECT_EQ(4294967295u, o.seed);
  EXPECT_EQ("2.5", o.Setting("mouse_sensitivity"));
  EXPECT_EQ("0", o.Setting("music_volume"));
  EXPECT_EQ("left shift", o.Setting("fire"));
  EXPECT_EQ("33", o.Setting("damage_flash"));
  EXPECT_EQ("q.cfg", o.configPath);
  EXPECT_EQ("/tmp/none/s.dat", o.savePath);
  // Each refused with one line naming the option (and, for the player's options, the accepted range).
  struct Bad { std::vector<std::string> words; const char* range; };
  const Bad bad[] = {
      {{"--frames"}, ""},                        {{"--frames", "ten"}, ""},
      {{"--frames", "-1"}, ""},                  {{"--frames", "0"}, ""},
      {{"--frames", "5x"}, ""},                  {{"--frames", "1000000001"}, "1 to 1000000000"},
      {{"--autoplay-floor", "31"}, "1 to 30"},   {{"--seed"}, ""},
      {{"--seed", "-4"}, ""},                    {{"--seed", "4294967296"}, ""},
      {{"--input"}, ""},                         {{"--input", ""}, ""},
      {{"--record"}, ""},                        {{"--timedemo"}, ""},
      {{"--timedemo-csv"}, ""},                  {{"--autoplay-floor"}, ""},
      {{"--sensitivity"}, "0.1 to 10"},          {{"--sensitivity", "0.09"}, "0.1 to 10"},
      {{"--sensitivity", "10.5"}, "0.1 to 10"},  {{"--sensitivity", "nan"}, "0.1 to 10"},
      {{"--sensitivity", "1,5"}, "0.1 to 10"},   {{"--music-volume", "101"}, "0 to 100"},
      {{"--music-volume", "-1"}, "0 to 100"},    {{"--music-volume", "50%"}, "0 to 100"},
      {{"--sound-volume"}, "0 to 100"},          {{"--sound-volume", "7.5"}, "0 to 100"},
      {{"--data", "/no/such/folder"}, "folder"}, {{"--data"}, "folder"},
      {{"--save"}, "file name"},                 {{"--save", "/"}, "file name"},
      {{"--config", "/"}, "file name"},          {{"--set", "fire"}, "NAME=VALUE"},
      {{"--set", "speed=3"}, "no setting"},      {{"--set", "fire=pad button 3"}, "a key name"},
  };
  for (const Bad& b : bad) {
    Options r;
    EXPECT_EQ(-1, Parse(b.words, &r, &error)) << b.words[0];
    EXPECT_EQ(0u, error.find(b.words[0])) << error;
    EXPECT_NE(std::string::npos, error.find(b.range)) << error;
    EXPECT_EQ(std::string::npos, error.find('\n')) << error;
  }
}

TEST(Options, ATimedDemoPlaysItsFileUnpacedAndAStopFloorAutoplays) {
  Options o;
  std::string error;
  ASSERT_EQ(0, Parse({"vsync", "--timedemo", "d.txt", "--autoplay-floor", "11"}, &o, &error));
  EXPECT_EQ("d.txt", o.inputPath);
  EXPECT_TRUE(o.fast);
  EXPECT_EQ("off", o.Setting("vsync"));
  EXPECT_TRUE(o.autoplay);
}
