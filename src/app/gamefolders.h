// The game's folders: where the content is read, where the save and the screenshots are kept.
#pragma once

#include <string>

struct GameFolders {
  std::string content;     // the content folder (img/ model/ SE/ sounds/), absolute
  std::string save;        // the save file, absolute
  std::string user;        // folder of the save; screenshots/ goes here, absolute
  bool installed = false;  // the program runs from an installation (PREFIX/bin beside PREFIX/share/quorl)
};

// Where things are, given the program's folder `programDir`, the working folder `workDir` (both
// absolute), the --data and --save values (empty: not given), the environment's XDG_DATA_HOME and
// HOME (null or empty: unset) and the content folder the build generated (`builtData`, empty for
// none; a sanitizer build shares the optimised build's).
//   installed: programDir/../share/quorl holds img/ and programDir/../data does not.
//   content: --data; else the working folder when it holds img/; else, installed,
//     programDir/../share/quorl; else programDir/../data or `builtData`, the first that holds
//     img/; else the working folder.
//   save: --save; else installed: the per-user folder $XDG_DATA_HOME/quorl, or
//     $HOME/.local/share/quorl, ("savedata.dat" in it); else savedata.dat in the content folder.
// Relative --data and --save values are taken from the working folder.
GameFolders FindGameFolders(const std::string& programDir, const std::string& workDir,
                            const std::string& dataOption, const std::string& saveOption,
                            const char* xdgDataHome, const char* home, const std::string& builtData);

// The folder of the running program, or empty when it cannot be read.
std::string ProgramDirectory();
// The working folder, or empty when it cannot be read.
std::string WorkingDirectory();

// `path` when absolute, else joined to `base`.
std::string AbsolutePath(const std::string& base, const std::string& path);

// Creates `path` and the folders above it that are missing (mode 0700 for new ones).
// Returns 0, or -1 when a folder cannot be made.
int MakeFolders(const std::string& path);

// The next free "DIR/screenshots/quorl-NNNN.png" (NNNN from 0001), after `*last` (the number given
// out before, 0 at first; updated). Creates DIR/screenshots. Empty when the folder cannot be made
// or every number up to 9999 is taken.
std::string NextScreenshotPath(const std::string& userDir, int* last);
