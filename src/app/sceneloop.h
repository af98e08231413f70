// The frame loop over the three scenes: the title, the game and the ending roll.
#pragma once

#include <string>

#include "app/configfile.h"
#include "app/options.h"
#include "app/progress.h"
#include "app/savedata.h"
#include "app/statskeeper.h"
#include "game/gamemain.h"
#include "harness/runharness.h"
#include "scenes/endrole.h"
#include "scenes/title.h"

class SceneLoop {
 public:
  // The scenes set up for the command line's options and the config's settings, the progress read
  // from `startSave`; the save is written to `savePath` (in the folder `userDir`, made when
  // missing). The options screen changes the config's settings and writes its file.
  SceneLoop(const Options& options, ConfigFile* config, const SaveData& startSave, const std::string& savePath,
            const std::string& userDir);

  // Runs frames until a quit or an error, with `harness` around each; finalises the scenes and
  // returns the exit status: 0 after a quit, 1 when a scene could not start.
  int Run(RunHarness* harness);

 private:
  // Runs the current scene's frame; returns the scene code it asks for.
  int Action();
  // Finalises the scene left and initialises `next`; returns `next`, or QUORL_COMMON::GLOBAL_ERROR
  // when it cannot start.
  int Switch(int next);
  // Writes the save; a save that cannot be written is reported once, and the game goes on.
  void WriteSave(const SaveData& save);

  // Hands the settings in force to the game scene (at each game's start): the comfort, the
  // controls and the timer.
  void ApplySettingsToGame();
  // The game's floors left this frame go to the statistics; when `next` leaves the game (or
  // `quitting` ends the program in it), the game's line and the records too.
  void KeepStats(int next, bool quitting);
  // The options screen's changes from `before` to `after`: into the config and its file; a change
  // of what the window shows waits for the end of the frame.
  void ChangeSettings(const Settings& before, const Settings& after);
  // Between frames: Alt+Enter, or the window's settings changed. Returns the current scene, or
  // QUORL_COMMON::GLOBAL_ERROR when no window could be had.
  int FollowDisplay();

  const Options& options_;
  ConfigFile* config_;
  const bool vsync_;  // the window's swap synchronisation, fixed at start
  const std::string savePath_, userDir_;
  Title title_;
  GameMain game_;
  Endrole ending_;
  Progress progress_;
  StatsKeeper stats_;
  int current_;
  bool displayChanged_ = false;  // the window's settings changed during the frame
  bool saveFailShown_ = false;  // a failed save is reported once
  bool gameStarted_ = false;    // a game has been started in this run
  bool saveWritten_ = false;    // the run has written lastSave_ (for the run summary)
  SaveData lastSave_;
};
