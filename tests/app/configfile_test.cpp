// Tests of the config file: reading it line by line, the command line over it, writing it back.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "app/configfile.h"

namespace {

std::string Slurp(const std::string& path) {
  std::ifstream in(path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string ScratchFolder() {
  char folder[] = "/tmp/quorl-config-XXXXXX";
  return mkdtemp(folder) != nullptr ? folder : "";
}

}  // namespace

TEST(ConfigFile, EachLineSetsItsSettingAndEachFaultIsOneLineThatKeepsTheDefault) {
  struct Case {
    const char* line;
    const char* name;      // the setting looked at
    const char* expected;  // its value after the line
    const char* warning;   // part of the one warning line, or "" for none
  };
  const Case cases[] = {
      {"mouse_sensitivity = 2.5", "mouse_sensitivity", "2.5", ""},
      {"  invert_mouse=on   # comment", "invert_mouse", "on", ""},
      {"music_volume = 0", "music_volume", "0", ""},
      {"walk_forward = Up", "walk_forward", "up", ""},
      {"fire_alt = left shift", "fire_alt", "left shift", ""},
      {"fire = mouse 3", "fire", "mouse 3", ""},
      {"pause_pad = pad hat left", "pause_pad", "pad hat left", ""},
      {"fire_pad = axis 2+", "fire_pad", "pad axis 2+", ""},
      {"pad = none", "pad", "none", ""},
      {"reload = key 5", "reload", "key 5", ""},
      {"reload = key 300", "reload", "numlock", ""},
      {"sound_volume = 101", "sound_volume", "100", ":1: sound_volume needs a whole number from 0 to 100"},
      {"mouse_sensitivity = 0.05", "mouse_sensitivity", "1", "from 0.1 to 10"},
      {"mouse_sensitivity = nan", "mouse_sensitivity", "1", "from 0.1 to 10"},
      {"vsync = maybe", "vsync", "off", "on or off"},
      {"window_size = 1920X1440", "window_size", "1920x1440", ""},
      {"window_size = 640x480", "window_size", "800x600", "a width from 800 to 7680"},
      {"window_size = 1600", "window_size", "800x600", "a width from 800 to 7680"},
      {"window_size = 1600x1200x3", "window_size", "800x600", "a width from 800 to 7680"},
      {"render = Classic", "render", "classic", ""},
      {"render = blurry", "render", "sharp", "sharp or classic"},
      {"fire = pad button 1", "fire", "mouse 1", "a key name"},
      {"fire_pad = w", "fire_pad", "pad axis 5+", "a pad input"},
      {"fire = mouse 9", "fire", "mouse 1", "mouse 1 to mouse 8"},
      {"speed = 3", "fire", "mouse 1", "unknown setting 'speed'"},
      {"just words", "fire", "mouse 1", "not a \"name = value\" line"},
      {"# only a comment", "fire", "mouse 1", ""},
      {"", "fire", "mouse 1", ""},
  };
  for (const Case& c : cases) {
    Settings settings;
    std::vector<std::string> messages;
    ConfigFile::ReadText(c.line, "q.cfg", &settings, &messages);
    EXPECT_EQ(c.expected, SettingNames::Get(settings, c.name)) << c.line;
    if (*c.warning == '\0') {
      EXPECT_TRUE(messages.empty()) << c.line;
    } else {
      ASSERT_EQ(1u, messages.size()) << c.line;
      EXPECT_EQ(0u, messages[0].find("QUORL: q.cfg:1: ")) << messages[0];
      EXPECT_NE(std::string::npos, messages[0].find(c.warning)) << messages[0];
    }
  }
  // A whole written file reads back to the same settings, every name present once.
  Settings changed;
  std::string error;
  ASSERT_EQ(0, SettingNames::Set(&changed, "strafe_left", "[4]", &error));
  ASSERT_EQ(0, SettingNames::Set(&changed, "mouse_sensitivity", "0.30000000000000004", &error));
  std::vector<std::string> messages;
  Settings reread;
  ConfigFile::ReadText(ConfigFile::Text(changed), "q.cfg", &reread, &messages);
  EXPECT_TRUE(messages.empty());
  for (const SettingNames::Row& row : SettingNames::Rows()) {
    EXPECT_EQ(SettingNames::Get(changed, row.name), SettingNames::Get(reread, row.name)) << row.name;
  }
}

TEST(ConfigFile, TheCommandLineHoldsForTheRunOnlyAndChangesAreWrittenWholeOrReportedOnce) {
  const std::string folder = ScratchFolder();
  ASSERT_FALSE(folder.empty());
  const std::string path = folder + "/sub/quorl.cfg";
  std::vector<std::string> messages;
  ConfigFile config;
  // A missing file: the defaults, silently.
  config.Init(path, {}, &messages);
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(1.0, config.Current().controls.mouseSensitivity);
  // The file over the defaults, the command line over the file.
  ASSERT_EQ(0, mkdir((folder + "/sub").c_str(), 0700));
  std::ofstream(path) << "mouse_sensitivity = 2\nmusic_volume = 40\n";
  config.Init(path, {{"mouse_sensitivity", "3"}, {"vsync", "on"}}, &messages);
  EXPECT_EQ(3.0, config.Current().controls.mouseSensitivity);
  EXPECT_EQ(40, config.Current().musicVolume);
  EXPECT_TRUE(config.Current().vsync);
  // Nothing changed: nothing written. A change: the file holds it and the file's own values, never
  // the command line's.
  Settings after = config.Current();
  EXPECT_EQ(0, config.Change(config.Current(), after, &messages));
  EXPECT_EQ("mouse_sensitivity = 2\nmusic_volume = 40\n", Slurp(path));
  after.musicVolume = 70;
  EXPECT_EQ(0, config.Change(config.Current(), after, &messages));
  const std::string text = Slurp(path);
  EXPECT_NE(std::string::npos, text.find("\nmusic_volume = 70\n"));
  EXPECT_NE(std::string::npos, text.find("\nmouse_sensitivity = 2\n"));
  EXPECT_NE(std::string::npos, text.find("\nvsync = off\n"));
  EXPECT_EQ(70, config.Current().musicVolume);
  EXPECT_EQ(3.0, config.Current().controls.mouseSensitivity);
  // A demo playing never writes.
  config.SetReadOnly(true);
  after.musicVolume = 10;
  EXPECT_EQ(0, config.Change(config.Current(), after, &messages));
  EXPECT_EQ(text, Slurp(path));
  EXPECT_TRUE(messages.empty());
  // A file that cannot be read, and one that cannot be written: one line each (the write's once).
  config.Init(folder, {}, &messages);
  ASSERT_EQ(1u, messages.size());
  EXPECT_NE(std::string::npos, messages[0].find("cannot read the config file"));
  messages.clear();
  ConfigFile blocked;
  blocked.Init("/proc/quorl/quorl.cfg", {}, &messages);
  Settings louder = blocked.Current();
  louder.soundVolume = 50;
  EXPECT_EQ(-1, blocked.Change(blocked.Current(), louder, &messages));
  louder.soundVolume = 60;
  EXPECT_EQ(-1, blocked.Change(blocked.Current(), louder, &messages));
  ASSERT_EQ(1u, messages.size());
  EXPECT_NE(std::string::npos, messages[0].find("cannot write the config file /proc/quorl/quorl.cfg"));
  EXPECT_EQ(60, blocked.Current().soundVolume);  // the setting holds for the run
  unlink(path.c_str());
  rmdir((folder + "/sub").c_str());
  rmdir(folder.c_str());
}

TEST(Bindings, RebindingSwapsWithTheSlotThatHeldTheInput) {
  Bindings b = Bindings::Defaults();
  int swapped = -2;
  b.Bind(Control::FORWARD, Control::FIRST, InputCode::Key(SDLK_s), &swapped);
  EXPECT_EQ(Control::BACK, swapped);
  EXPECT_EQ(InputCode::Key(SDLK_w), b.inputs[Control::BACK][Control::FIRST]);
  EXPECT_EQ(std::vector<int>{Control::FORWARD}, b.ActionsOf(InputCode::Key(SDLK_s)));
  b.Bind(Control::FIRE, Control::SECOND, InputCode::Key(SDLK_SPACE), &swapped);
  EXPECT_EQ(-1, swapped);
  b.Bind(Control::FIRE, Control::SECOND, InputCode(), &swapped);  // cleared
  EXPECT_TRUE(b.ActionsOf(InputCode::Key(SDLK_SPACE)).empty());
  EXPECT_TRUE(b.ActionsOf(InputCode()).empty());
  // Every name reads back to its input.
  for (int key = 1; key < SDLK_LAST; ++key) {
    InputCode code;
    ASSERT_TRUE(InputNames::Parse(InputNames::Name(InputCode::Key(static_cast<SDLKey>(key))), &code)) << key;
    EXPECT_EQ(InputCode::Key(static_cast<SDLKey>(key)), code) << InputNames::Name(code);
  }
}
