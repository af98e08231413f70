// The command line: the words "fullscreen" and "vsync", and the options for tests, demos and players.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

struct Options {
  bool fullscreen = false;  // "fullscreen": open the window full-screen
  bool vsync = false;       // "vsync": swap with vertical synchronisation, no sleeping in the loop
  bool fast = false;        // --fast: frames back to back, no pacing sleep
  bool help = false;        // --help: print the usage and end
  long frames = -1;         // --frames N >= 1: a window-close request after N frames (-1: never)
  bool hasSeed = false;     // --seed N given
  unsigned int seed = 0;    // --seed N: seed for every seeding of the random generator
  std::string inputPath;    // --input FILE: scripted input
  std::string summaryPath;  // --summary FILE: plain-text summary of the run's end
  // Player comfort and folders. Every default is the game as designed.
  double sensitivity = 1.0;  // --sensitivity X, 0.1..10: multiplies the 0.1 degrees of turn per pixel
  bool invertMouse = false;  // --invert-mouse: moving the mouse forward looks down
  int musicVolume = 100;     // --music-volume N, 0..100: percent of the loudness the game asks for
  int soundVolume = 100;     // --sound-volume N, 0..100: the same for the sound effects
  bool noFlash = false;      // --no-flash: damage and last-boss flashes at a third of their opacity
  std::string dataPath;      // --data DIR: the content folder (img/ model/ SE/ sounds/)
  std::string savePath;      // --save FILE: the save file
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
};

// Reads the arguments after the program name. Words are compared whole and case-sensitive;
// unknown words are ignored. Returns 0, or -1 with `error` set when an option lacks its value or
// the value is malformed.
int ParseOptions(int argc, char** argv, Options* options, std::string* error);

// The usage text of --help.
void PrintUsage(FILE* out, const char* program);
