// The run harness: what the command line adds around the scene loop for tests, demos and measuring
// (scripted input, demo recording and playback, the autoplayer, --frames, timedemo, the run summary).
#pragma once

#include <SDL/SDL.h>

#include <chrono>
#include <string>
#include <vector>

#include "app/configfile.h"
#include "app/options.h"
#include "app/savedata.h"
#include "autoplay/autoplayer.h"
#include "common/playview.h"
#include "harness/demorecorder.h"
#include "harness/frametimes.h"
#include "harness/inputscript.h"

class GameMain;

class RunHarness {
 public:
  // Scripted and recorded clicks are in the frame's pixels, motions in the window's (the screen
  // frame in force maps them).
  RunHarness() = default;
  RunHarness(const RunHarness&) = delete;
  RunHarness& operator=(const RunHarness&) = delete;

  // Reads the --input script from the path as given (before the program changes folders). Returns 0,
  // or 2 after one line on standard error (a malformed script or demo header).
  int Load(const Options& options);
  // Once the paths of `options` are absolute and the config read: the frame-phase profile, a demo's
  // seed and scratch save (`*savePath` becomes the scratch copy: the player's own save is never
  // touched), the recording (seeded from the clock without --seed), then the run's seeding.
  // A demo plays with the control settings of its header (an old demo, and the autoplayer, with
  // the defaults) whatever the config holds, and the config file is not written while it plays;
  // a recording's header carries the control settings in force. Scripted screenshots are taken
  // from `workDir`. Returns 0, or the exit status (1, 2) after one line on standard error.
  int Init(Options* options, const std::string& workDir, std::string* savePath, ConfigFile* config);
  // With the window open and the save read: holds real input back while a demo is recorded or
  // played, and keeps the save a recording starts from beside the demo. `watch` sees every event
  // pushed to SDL's queue (which passes by SDL's event watch), for the screenshot input. Returns
  // 0, or 2 after one line on standard error.
  int Start(const SaveData& startSave, int (*watch)(const SDL_Event*));

  // Before the scene of `frame` runs: the autoplayer's input, the real input held back, the
  // script's events and the --frames close request go to SDL's queue (and into the recording).
  void BeforeFrame(long frame, int scene, bool canContinue);
  // After the scene's Action: what the autoplayer sees, the timedemo's frame time. True when the
  // run is over after this frame (--frames reached, or the demo's events played).
  bool AfterScene(long frame, int scene, GameMain& game);
  // The loop switched scenes: real input held back goes the way of SDL's queue.
  void SceneSwitched();
  // At the end of `frames` loop passes: the --summary file and the timedemo lines. `lastSave`: the
  // save record the run wrote last (null: none).
  void End(long frames, const GameMain& game, const SaveData* lastSave);
  // Closes the recording and removes the scratch save.
  void Finalize();
  // A demo plays back or the autoplayer plays: the player's own statistics and records are left
  // alone.
  bool PlaysForTests() const { return script_.IsDemo() || (options_ != nullptr && options_->autoplay); }

 private:
  // How the real input reaches the scenes: straight from SDL (a normal run), held back and passed
  // on at frame starts (recording), or held back and dropped but for a window-close request (a
  // demo playing).
  enum class RealInput { DIRECT, AT_FRAME_START, CLOSE_ONLY };

  void DeliverInput(long frame, const std::vector<ScriptEvent>& played);

  const std::chrono::steady_clock::time_point programStart_ = std::chrono::steady_clock::now();
  const Options* options_ = nullptr;
  std::string workDir_;
  InputScript script_;
  DemoRecorder recorder_;
  std::string scratchSave_;  // the scratch save a demo plays with (removed at the end)
  long demoEnd_ = -1;        // the frame a demo's playback ends at (its last quit, or the frame after its end)
  RealInput realInput_ = RealInput::DIRECT;
  int (*watch_)(const SDL_Event*) = nullptr;
  std::vector<SDL_Event> heldOver_;  // events that found SDL's queue full: the next frame's first
  AutoPlayer autoplayer_;
  PlayView view_;         // what the autoplayer saw of the game's last frame
  int floorShown_ = 0;    // the last floor the autoplayer's progress line named
  int lastScene_ = 0;     // the last scene that ran, for the summary
  std::chrono::steady_clock::time_point actionStart_;
  FrameTimes frameTimes_;  // --timedemo: each scene frame's time, from its Action to the swapped frame finished
};
