// Reading and writing the config file.
#include "app/configfile.h"

#include <cerrno>
#include <cstring>
#include <cstdio>
#include <sstream>

#include "app/atomicfile.h"
#include "app/gamefolders.h"

namespace {

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return "";
  const size_t last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

std::string Folder(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

}  // namespace

std::string ConfigFile::DefaultPath(const std::string& given, const char* xdgConfigHome, const char* home) {
  if (!given.empty()) return given;
  if (xdgConfigHome != nullptr && *xdgConfigHome != '\0') return std::string(xdgConfigHome) + "/quorl/quorl.cfg";
  if (home != nullptr && *home != '\0') return std::string(home) + "/.config/quorl/quorl.cfg";
  return "quorl.cfg";
}

void ConfigFile::ReadText(const std::string& text, const std::string& source, Settings* settings,
                          std::vector<std::string>* messages) {
  std::istringstream lines(text);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    const size_t hash = line.find('#');
    if (hash != std::string::npos) line.erase(hash);
    line = Trim(line);
    if (line.empty()) continue;
    const std::string where = "QUORL: " + source + ":" + std::to_string(number) + ": ";
    const size_t equals = line.find('=');
    if (equals == std::string::npos) {
      messages->push_back(where + "'" + line + "' is not a \"name = value\" line; ignored");
      continue;
    }
    const std::string name = Trim(line.substr(0, equals)), value = Trim(line.substr(equals + 1));
    std::string error;
    const int set = SettingNames::Set(settings, name, value, &error);
    if (set == -1) messages->push_back(where + "unknown setting '" + name + "'; ignored");
    if (set == -2) messages->push_back(where + error + "; the default is kept");
  }
}

std::string ConfigFile::Text(const Settings& settings) {
  std::string text =
      "# QUORL settings: one \"name = value\" a line; '#' starts a comment.\n"
      "# Keys are named as SDL names them: a to z, 0 to 9, space, return, tab, left shift,\n"
      "# right ctrl, left alt, up, down, left, right, f1 to f15, [0] to [9] on the keypad, ...\n"
      "# Mouse buttons: mouse 1 (left), mouse 2 (middle), mouse 3 (right), mouse 4 and 5 (wheel).\n"
      "# Pad inputs: pad button N (0 to 31), pad axis N+ or N- (0 to 15; a trigger is an axis),\n"
      "# pad hat up, down, left, right. Written by the game when settings change on its options\n"
      "# screen; values given on the command line are never written here.\n";
  for (const SettingNames::Row& row : SettingNames::Rows()) {
    text += "\n# " + row.about + "\n" + row.name + " = " + SettingNames::Get(settings, row.name) + "\n";
  }
  return text;
}

int ConfigFile::Init(const std::string& path, const std::vector<std::pair<std::string, std::string>>& overrides,
                     std::vector<std::string>* messages) {
  path_ = path;
  stored_ = Settings();
  FILE* file = fopen(path.c_str(), "rb");
  if (file != nullptr) {
    std::string text;
    char block[4096];
    size_t got = 0;
    while ((got = fread(block, 1, sizeof block, file)) > 0) text.append(block, got);
    const int fault = ferror(file) ? errno : 0;
    fclose(file);
    if (fault != 0) {
      messages->push_back("QUORL: cannot read the config file " + path + " (" + strerror(fault) +
                          "); the defaults are used");
    } else {
      ReadText(text, path, &stored_, messages);
    }
  } else if (errno != ENOENT) {
    messages->push_back("QUORL: cannot read the config file " + path + " (" + strerror(errno) +
                        "); the defaults are used");
  }
  current_ = stored_;
  for (const auto& pair : overrides) {
    std::string error;
    SettingNames::Set(&current_, pair.first, pair.second, &error);
  }
  return 0;
}

int ConfigFile::Change(const Settings& before, const Settings& after, std::vector<std::string>* messages) {
  bool changed = false;
  for (const SettingNames::Row& row : SettingNames::Rows()) {
    const std::string value = SettingNames::Get(after, row.name);
    if (value == SettingNames::Get(before, row.name)) continue;
    std::string error;
    SettingNames::Set(&stored_, row.name, value, &error);
    SettingNames::Set(&current_, row.name, value, &error);
    changed = true;
  }
  if (!changed || readOnly_) return 0;
  MakeFolders(Folder(path_));
  if (ReplaceFile(path_, Text(stored_)) == 0) return 0;
  if (!writeFailShown_) {
    messages->push_back("QUORL: cannot write the config file " + path_ + "; the settings hold until the game ends");
  }
  writeFailShown_ = true;
  return -1;
}
