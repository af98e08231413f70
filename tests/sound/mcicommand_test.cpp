// Tests of the sound-effect command parser: every form the game sends, quoting, numbers, errors.
#include "sound/mcicommand.h"

#include <gtest/gtest.h>

namespace {

MciCommand Parse(const std::string& text, int expected = MCI_OK) {
  MciCommand command;
  EXPECT_EQ(expected, ParseMciCommand(text, &command)) << text;
  return command;
}

TEST(MciCommandParser, OpenWithPathAliasAndOptionalType) {
  MciCommand c = Parse("open \"SE/shot.wav\" alias shot");
  EXPECT_EQ(MciCommand::OPEN, c.verb);
  EXPECT_EQ("SE/shot.wav", c.path);
  EXPECT_EQ("shot", c.alias);

  c = Parse("open \"SE/enemy/boosy-attack.wav\" alias boosy-attack type mpegvideo");
  EXPECT_EQ("SE/enemy/boosy-attack.wav", c.path);
  EXPECT_EQ("boosy-attack", c.alias);

  // A quoted path keeps its spaces; keywords ignore case, aliases are kept in lower case.
  c = Parse("OPEN \"my sounds/a b.wav\" TYPE waveaudio ALIAS Door-Open");
  EXPECT_EQ("my sounds/a b.wav", c.path);
  EXPECT_EQ("door-open", c.alias);
  c = Parse("open SE/plain.wav alias plain");
  EXPECT_EQ("SE/plain.wav", c.path);
}

TEST(MciCommandParser, MalformedOpens) {
  for (const char* text : {
           "open",                                      // no path
           "open \"SE/a.wav\"",                         // no alias
           "open \"SE/a.wav\" alias",                   // alias word missing
           "open \"SE/a.wav\" alias all",               // reserved word
           "open \"SE/a.wav\" alias \"a\"",             // quoted alias
           "open \"SE/a.wav\" alias a alias b",         // twice
           "open \"SE/a.wav\" alias a type cdaudio",    // unknown device type
           "open \"SE/a.wav\" alias a wait",            // unknown flag
           "open \"SE/a.wav alias a",                   // unterminated quote
           "open \"SE/a.wav\"x alias a",                // quote glued to a word
           "open \"\" alias a",                         // empty path
       }) {
    Parse(text, MCI_ERROR_MALFORMED);
  }
}

TEST(MciCommandParser, TriggerAndCloseForms) {
  MciCommand c = Parse("stop shot");
  EXPECT_EQ(MciCommand::STOP, c.verb);
  EXPECT_EQ("shot", c.alias);
  EXPECT_FALSE(c.all);
  c = Parse("seek big-boosy-dead to start");
  EXPECT_EQ(MciCommand::SEEK_START, c.verb);
  EXPECT_EQ("big-boosy-dead", c.alias);
  c = Parse("play sp-bullet-get");
  EXPECT_EQ(MciCommand::PLAY, c.verb);
  c = Parse("close sp-bullet-get");
  EXPECT_EQ(MciCommand::CLOSE, c.verb);
  EXPECT_FALSE(c.all);
  c = Parse("stop all");
  EXPECT_EQ(MciCommand::STOP, c.verb);
  EXPECT_TRUE(c.all);
  c = Parse("  close   ALL  ");
  EXPECT_EQ(MciCommand::CLOSE, c.verb);
  EXPECT_TRUE(c.all);

  for (const char* text : {"stop", "play", "play all", "play a b", "seek a", "seek a to end",
                           "seek all to start", "close a b", "stop \"a\""}) {
    Parse(text, MCI_ERROR_MALFORMED);
  }
  for (const char* text : {"", "   ", "pause shot", "\"play\" shot", "status shot mode"}) {
    Parse(text, MCI_ERROR_UNKNOWN_COMMAND);
  }
}

TEST(MciCommandParser, LoudnessSidesNumbersAndClamping) {
  MciCommand c = Parse("setaudio doosy-attack left volume to 733");
  EXPECT_EQ(MciCommand::SET_VOLUME, c.verb);
  EXPECT_EQ("doosy-attack", c.alias);
  EXPECT_EQ(MciCommand::LEFT, c.sides);
  EXPECT_EQ(733, c.volume);
  c = Parse("setaudio doosy-attack right volume to 0");
  EXPECT_EQ(MciCommand::RIGHT, c.sides);
  EXPECT_EQ(0, c.volume);
  c = Parse("setaudio a volume to 1000");
  EXPECT_EQ(MciCommand::LEFT | MciCommand::RIGHT, c.sides);
  EXPECT_EQ(1000, c.volume);

  // Out of range values are clamped, however many digits they have.
  EXPECT_EQ(1000, Parse("setaudio a left volume to 1001").volume);
  EXPECT_EQ(1000, Parse("setaudio a left volume to 99999999999999999999999999").volume);
  EXPECT_EQ(0, Parse("setaudio a left volume to -5").volume);
  EXPECT_EQ(12, Parse("setaudio a left volume to +012").volume);

  for (const char* text : {"setaudio a left volume to", "setaudio a left volume to 5 6",
                           "setaudio a up volume to 5", "setaudio a left loudness to 5",
                           "setaudio all left volume to 5", "setaudio a left volume 5"}) {
    Parse(text, MCI_ERROR_MALFORMED);
  }
  for (const char* text : {"setaudio a left volume to 5x", "setaudio a left volume to -",
                           "setaudio a left volume to 1e3", "setaudio a left volume to \"5\"",
                           "setaudio a left volume to 0x10"}) {
    Parse(text, MCI_ERROR_BAD_NUMBER);
  }
}

}  // namespace
