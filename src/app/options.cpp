// Command-line parsing.
#include "app/options.h"

#include <sys/stat.h>

#include <cstring>

#include "common/settings.h"
#include "common/textvalue.h"

namespace {

// Parses a whole decimal number in [low, high] (a missing value is no number).
bool ParseNumber(const char* text, long long low, long long high, long long* value) {
  return text != nullptr && TextValue::Whole(std::string(text), low, high, value);
}

// Parses a whole decimal fraction ("1", "0.5", "2.25") in [low, high].
bool ParseFraction(const char* text, double low, double high, double* value) {
  return text != nullptr && TextValue::Decimal(text, low, high, value);
}

bool IsFolder(const char* path) {
  struct stat info;
  return path != nullptr && *path != '\0' && stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

// The player's settings and where content, save and config live. Returns 1 when `word` is one of
// them (with `*i` moved past its value), 0 when it is not, -1 with `error` set on a bad value.
int ParseSettingOption(const std::string& word, const char* value, int* i, Options* options,
                       std::string* error) {
  long long number = 0;
  double fraction = 0;
  auto give = [options](const char* name, const std::string& text) { options->settings.emplace_back(name, text); };
  if (word == "fullscreen" || word == "vsync") {
    give(word.c_str(), "on");
    options->messages.push_back(word == "vsync" ? "QUORL:Vertical Synchronization ON" : "QUORL:fullscreen");
    return 1;
  } else if (word == "--invert-mouse") {
    give("invert_mouse", "on");
    return 1;
  } else if (word == "--no-flash") {
    give("damage_flash", "33");
    give("white_flash", "33");
    return 1;
  } else if (word == "--sensitivity") {
    if (!ParseFraction(value, 0.1, 10.0, &fraction)) {
      *error = "--sensitivity needs a factor from 0.1 to 10";
      return -1;
    }
    give("mouse_sensitivity", value);
  } else if (word == "--music-volume" || word == "--sound-volume") {
    if (!ParseNumber(value, 0, 100, &number)) {
      *error = word + " needs a percentage from 0 to 100";
      return -1;
    }
    give(word == "--music-volume" ? "music_volume" : "sound_volume", value);
  } else if (word == "--set") {
    const std::string text = value == nullptr ? "" : value;
    const size_t equals = text.find('=');
    Settings scratch;
    std::string fault;
    if (equals == std::string::npos ||
        SettingNames::Set(&scratch, text.substr(0, equals), text.substr(equals + 1), &fault) != 0) {
      *error = "--set needs NAME=VALUE of a setting" + (fault.empty() ? std::string() : ": " + fault);
      return -1;
    }
    give(text.substr(0, equals).c_str(), text.substr(equals + 1));
  } else if (word == "--data") {
    if (!IsFolder(value)) {
      *error = "--data needs an existing folder holding the content (img/ model/ SE/ sounds/)";
      return -1;
    }
    options->dataPath = value;
  } else if (word == "--save" || word == "--config") {
    if (value == nullptr || *value == '\0' || IsFolder(value)) {
      *error = word + " needs a file name (not a folder)";
      return -1;
    }
    (word == "--save" ? options->savePath : options->configPath) = value;
  } else {
    return 0;
  }
  ++*i;
  return 1;
}

}  // namespace

int ParseOptions(int argc, char** argv, Options* options, std::string* error) {
  for (int i = 1; i < argc; ++i) {
    const std::string word = argv[i];
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    long long number = 0;
    if (word == "--help" || word == "-h") {
      options->help = true;
    } else if (word == "--fast") {
      options->fast = true;
    } else if (word == "--frames") {
      if (!ParseNumber(value, 1, 1000000000LL, &number)) {
        *error = "--frames needs a frame count from 1 to 1000000000";
        return -1;
      }
      options->frames = static_cast<long>(number);
      ++i;
    } else if (word == "--seed") {
      if (!ParseNumber(value, 0, 4294967295LL, &number)) {
        *error = "--seed needs a number from 0 to 4294967295";
        return -1;
      }
      options->hasSeed = true;
      options->seed = static_cast<unsigned int>(number);
      ++i;
    } else if (word == "--input") {
      if (value == nullptr || *value == '\0') {
        *error = "--input needs a file name";
        return -1;
      }
      options->inputPath = value;
      ++i;
    } else if (word == "--summary" || word == "--stats") {
      if (value == nullptr || *value == '\0') {
        *error = word + " needs a file name";
        return -1;
      }
      (word == "--summary" ? options->summaryPath : options->statsPath) = value;
      ++i;
    } else if (const int setting = ParseSettingOption(word, value, &i, options, error)) {
      if (setting < 0) return -1;
    } else if (word == "--record") {
      if (value == nullptr || *value == '\0') {
        *error = "--record needs a file name";
        return -1;
      }
      options->recordPath = value;
      ++i;
    } else if (word == "--timedemo" || word == "--timedemo-csv") {
      if (value == nullptr || *value == '\0') {
        *error = word + " needs a file name";
        return -1;
      }
      (word == "--timedemo" ? options->timedemoPath : options->timedemoCsvPath) = value;
      ++i;
    } else if (word == "--timedemo-phases") {
      options->timedemoPhases = true;
    } else if (word == "--autoplay") {
      options->autoplay = true;
    } else if (word == "--autoplay-floor") {
      if (!ParseNumber(value, 1, 30, &number)) {
        *error = "--autoplay-floor needs a floor from 1 to 30";
        return -1;
      }
      options->autoplay = true;
      options->autoplayFloor = static_cast<int>(number);
      ++i;
    } else if (word == "--invulnerable") {
      options->invulnerable = true;
    }
    // Any other word is ignored.
  }
  // A timed demo is played as fast as it goes: no pacing sleep, no vertical synchronisation.
  if (!options->timedemoPath.empty()) {
    options->inputPath = options->timedemoPath;
    options->fast = true;
    options->settings.emplace_back("vsync", "off");
  }
  return 0;
}

std::string Options::Setting(const std::string& name) const {
  for (auto it = settings.rbegin(); it != settings.rend(); ++it) {
    if (it->first == name) return it->second;
  }
  return "";
}

void PrintUsage(FILE* out, const char* program) {
  fprintf(out,
          "usage: %s [fullscreen] [vsync] [options]\n"
          "  fullscreen       open the window full-screen\n"
          "  vsync            vertical synchronisation; the loop does not sleep\n"
          "  --frames N       end as if the window were closed after N frames (N >= 1; a\n"
          "                   paused game, which drops that request, ends one frame later)\n"
          "  --fast           run frames back to back, without the pacing sleep\n"
          "  --seed N         seed every random draw from N: the run is reproducible\n"
          "  --input FILE     scripted input, one event a line: FRAME EVENT ARGS...\n"
          "                   keydown KEY | keyup KEY | mousedown B X Y | mouseup B X Y |\n"
          "                   mousemotion DX DY | joyaxis AXIS VALUE | joybutton down|up B |\n"
          "                   joyhat X Y | quit | screenshot FILE.png\n"
          "                   (pad 0: AXIS 0-15, VALUE -32768..32767, B 0-31, hat 0 with\n"
          "                   X -1 left/0/1 right, Y -1 up/0/1 down)\n"
          "                   frames count from 1, the first frame the title is shown\n"
          "  --summary FILE   at the end, write the game's state as plain \"key value\" lines\n"
          "  --stats FILE     write this run's statistics (one line a floor, one a game) to FILE\n"
          "  --sensitivity X  mouse turn factor, 0.1 to 10 (default 1: 0.1 degrees a pixel)\n"
          "  --invert-mouse   moving the mouse forward looks down\n"
          "  --music-volume N music loudness in percent, 0 to 100 (default 100)\n"
          "  --sound-volume N sound effect loudness in percent, 0 to 100 (default 100)\n"
          "  --no-flash       damage and last-boss flashes at about a third of their opacity\n"
          "  --set NAME=VALUE any setting of the config file, for this run only\n"
          "                   (--set fire=mouse 3, --set pad=none)\n"
          "  --config FILE    read and write the settings in FILE instead of\n"
          "                   $XDG_CONFIG_HOME/quorl/quorl.cfg (default ~/.config/quorl/quorl.cfg)\n"
          "  --data DIR       read the content (img/ model/ SE/ sounds/) from DIR\n"
          "  --save FILE      keep the save in FILE (screenshots go beside it)\n"
          "  --record FILE    write the run as a demo (FILE.sav beside it for a continue);\n"
          "                   --input FILE plays a demo back, seeded from its first line\n"
          "  --timedemo FILE  play the demo unpaced and print its frame count, time, fps and\n"
          "                   median, 90th, 99th percentile, worst frame time and hitches\n"
          "  --timedemo-csv FILE  with --timedemo, also write one line per frame: its scene,\n"
          "                   floor, time and phase times in ms, and what it loaded\n"
          "  --timedemo-phases  with --timedemo, also time each phase of a frame (events and\n"
          "                   logic, composing, uploads, 3D pass, board quads, swap)\n"
          "  --autoplay       the built-in player plays (with --record it makes demos)\n"
          "  --autoplay-floor N  autoplay until floor N is reached, then back to the title, quit\n"
          "  --invulnerable   test option: hit points never fall, a run cannot end in death\n"
          "  --help           this text\n"
          "Other words are ignored. F12 writes a screenshot; Alt+Enter switches between the\n"
          "window and full screen. Content is read from the working folder when it holds\n"
          "img/, else from the data folder beside the program (build/data, or\n"
          "PREFIX/share/quorl once installed). Run from the build tree, the save\n"
          "savedata.dat and screenshots/ sit in the content folder; an installed game keeps them\n"
          "in $XDG_DATA_HOME/quorl (default ~/.local/share/quorl). The statistics log\n"
          "statistics.txt and the records records.txt are kept beside the save.\n",
          program);
}
