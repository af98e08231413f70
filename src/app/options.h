// The command line: the words "fullscreen" and "vsync", and the options for tests, demos and players.
#pragma once

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

struct Options {
  bool fast = false;        // --fast: frames back to back, no pacing sleep
  bool help = false;        // --help: print the usage and end
  long frames = -1;         // --frames N >= 1: a window-close request after N frames (-1: never)
  bool hasSeed = false;     // --seed N given
  unsigned int seed = 0;    // --seed N: seed for every seeding of the random generator
  std::string inputPath;    // --input FILE: scripted input
  std::string summaryPath;  // --summary FILE: plain-text summary of the run's end
  std::string statsPath;    // --stats FILE: the statistics log's lines of this run only
  // Folders and the config file.
  std::string dataPath;     // --data DIR: the content folder (img/ model/ SE/ sounds/)
  std::string savePath;     // --save FILE: the save file
  std::string configPath;   // --config FILE: the config file (empty: the per-user one)
  // The player's settings given on this command line, as config names and values in the order
  // given ("fullscreen" -> fullscreen = on, --sensitivity X -> mouse_sensitivity = X, --set N=V);
  // they hold over the config file for this run and are never written to it.
  std::vector<std::pair<std::string, std::string>> settings;
  // Demos.
  std::string recordPath;   // --record FILE: write the run as a demo (and FILE.sav for a continue)
  std::string timedemoPath;     // --timedemo FILE: play the demo unpaced, print the frame times
  std::string timedemoCsvPath;  // --timedemo-csv FILE: also write each frame's time
  bool timedemoPhases = false;  // --timedemo-phases: with --timedemo, also the per-phase profile
  bool autoplay = false;        // --autoplay: the built-in player plays
  int autoplayFloor = 0;        // --autoplay-floor N: it stops (title, quit) on floor N (0: never)
  bool invulnerable = false;    // --invulnerable (test option): hit points never fall
  // Lines to print on standard output, in the order the words came ("QUORL:fullscreen", ...).
  std::vector<std::string> messages;

  // The value last given for a setting on the command line, or empty.
  std::string Setting(const std::string& name) const;
};

// Reads the arguments after the program name. Words are compared whole and case-sensitive;
// unknown words are ignored. Returns 0, or -1 with `error` set when an option lacks its value or
// the value is malformed.
int ParseOptions(int argc, char** argv, Options* options, std::string* error);

// The usage text of --help.
void PrintUsage(FILE* out, const char* program);
