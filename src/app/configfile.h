// The config file "quorl.cfg": the player's settings as "name = value" lines, read at start and
// written when the player changes something on the options screen.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "common/settings.h"

class ConfigFile {
 public:
  // The file's place: `given` (--config FILE) when not empty, else $XDG_CONFIG_HOME/quorl/quorl.cfg,
  // else $HOME/.config/quorl/quorl.cfg (null or empty variables count as unset; without HOME the
  // working folder's quorl.cfg).
  static std::string DefaultPath(const std::string& given, const char* xdgConfigHome, const char* home);

  // Reads the file at `path` over the defaults, then applies the command line's `overrides`
  // (name and value pairs, already checked). A missing file gives the defaults silently; a file
  // that cannot be read gives the defaults and one line; an unknown name or a bad value gives one
  // line naming the file, the line and what is allowed, and that setting keeps its default. Lines
  // go to `messages`. Returns 0 (the game always starts).
  int Init(const std::string& path, const std::vector<std::pair<std::string, std::string>>& overrides,
           std::vector<std::string>* messages);

  // The settings in force: the file's, with the command line's over them.
  const Settings& Current() const { return current_; }
  Settings* MutableCurrent() { return &current_; }

  // The player changed settings from `before` to `after` (the options screen): every setting
  // whose text differs goes into the file's settings and the ones in force, and the file is
  // written when any did (settings given on the command line are written with the file's value
  // unless the player changed them). Returns 0, or -1 after one line in `messages` (once a run)
  // when the file cannot be written; the game goes on.
  int Change(const Settings& before, const Settings& after, std::vector<std::string>* messages);

  // No writes at all (a demo being played must leave the player's file alone).
  void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }

  // The text of a whole file for `settings`: a heading, then each setting's comment line and
  // its "name = value" line.
  static std::string Text(const Settings& settings);
  // Reads "name = value" lines of `text` over `settings`; each fault is one line naming `source`
  // and the line number, and leaves that setting as it was.
  static void ReadText(const std::string& text, const std::string& source, Settings* settings,
                       std::vector<std::string>* messages);

 private:
  std::string path_;
  Settings stored_;   // what the file holds (and will hold)
  Settings current_;  // the file's settings with the command line's over them
  bool readOnly_ = false;
  bool writeFailShown_ = false;
};
