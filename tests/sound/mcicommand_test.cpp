// Tests of the sound-effect command parser: every form the game sends, quoting, numbers, errors.
#include "sound/mcicommand.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

MciCommand Parse(const std::string& text, int expected = MCI_OK) {
  MciCommand command;
  EXPECT_EQ(expected, ParseMciCommand(text, &command)) << text;
  return command;
}

// The game's plain open, setaudio and play commands reach the demos' summaries (every sound started,
// by alias, with its loudness); here the other forms and the limits.
TEST(MciCommandParser, FormsGiveVerbAliasPathAndLoudness) {
  // Quoted paths keep their spaces; keywords ignore case; aliases are kept in lower case.
  MciCommand c = Parse("OPEN \"my sounds/a b.wav\" TYPE waveaudio ALIAS Door-Open");
  EXPECT_EQ("my sounds/a b.wav", c.path);
  EXPECT_EQ("door-open", c.alias);
  EXPECT_EQ("SE/shot.wav", Parse("open SE/shot.wav alias shot").path);

  const struct {
    const char* text;
    MciCommand::Verb verb;
    bool all;
  } forms[] = {{"stop shot", MciCommand::STOP, false},
               {"seek big-boosy-dead to start", MciCommand::SEEK_START, false},
               {"play sp-bullet-get", MciCommand::PLAY, false},
               {"close sp-bullet-get", MciCommand::CLOSE, false},
               {"stop all", MciCommand::STOP, true},
               {"  close \tALL  ", MciCommand::CLOSE, true}};
  for (const auto& f : forms) {
    c = Parse(f.text);
    EXPECT_EQ(f.verb, c.verb) << f.text;
    EXPECT_EQ(f.all, c.all) << f.text;
  }

  EXPECT_EQ(MciCommand::RIGHT, Parse("setaudio a right volume to 0").sides);
  EXPECT_EQ(MciCommand::LEFT | MciCommand::RIGHT, Parse("setaudio a volume to 9").sides);
  // Out of range loudness is clamped, however many digits it has.
  const std::pair<const char*, int> volumes[] = {
      {"733", 733}, {"1001", 1000}, {"99999999999999999999999999", 1000}, {"-5", 0}, {"+012", 12}};
  for (const auto& [text, volume] : volumes) {
    c = Parse(std::string("setaudio a left volume to ") + text);
    EXPECT_EQ(std::make_pair(volume, MciCommand::LEFT), std::make_pair(c.volume, c.sides)) << text;
  }
}

TEST(MciCommandParser, RejectsUnknownMalformedAndBadNumbers) {
  const std::pair<int, std::vector<const char*>> groups[] = {
      {MCI_ERROR_UNKNOWN_COMMAND, {"", "   ", "pause shot", "\"play\" shot", "status shot mode"}},
      {MCI_ERROR_MALFORMED,
       {"open", "open \"SE/a.wav\"", "open \"SE/a.wav\" alias", "open \"SE/a.wav\" alias all",
        "open \"SE/a.wav\" alias \"a\"", "open \"SE/a.wav\" alias a alias b",
        "open \"SE/a.wav\" alias a type cdaudio", "open \"SE/a.wav\" alias a wait",
        "open \"SE/a.wav alias a", "open \"SE/a.wav\"x alias a", "open \"\" alias a", "stop",
        "play", "play all", "play a b", "seek a", "seek a to end", "seek all to start",
        "close a b", "stop \"a\"", "setaudio a left volume to", "setaudio a left volume to 5 6",
        "setaudio a up volume to 5", "setaudio all left volume to 5", "setaudio a left volume 5"}},
      {MCI_ERROR_BAD_NUMBER,
       {"setaudio a left volume to 5x", "setaudio a left volume to -",
        "setaudio a left volume to 1e3", "setaudio a left volume to \"5\""}}};
  for (const auto& group : groups) {
    for (const char* text : group.second) Parse(text, group.first);
  }
}

}  // namespace
