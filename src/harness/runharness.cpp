// The run harness around the scene loop.
#include "harness/runharness.h"

#include <GL/gl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>

#include "app/gamefolders.h"
#include "assets/screenshot.h"
#include "common/framemarks.h"
#include "common/framephases.h"
#include "common/random.h"
#include "common/runtally.h"
#include "common/scenecode.h"
#include "game/gamemain.h"
#include "harness/inputcapture.h"
#include "harness/runsummary.h"

namespace {

// The resident memory of the process in kB (VmRSS of /proc/self/status), or -1 when unknown.
long ResidentKB() {
  std::ifstream status("/proc/self/status");
  std::string word;
  while (status >> word) {
    if (word == "VmRSS:") {
      long kb = -1;
      status >> kb;
      return kb;
    }
  }
  return -1;
}

// Makes the scratch save file of a demo: a copy of `demoSave` when that file exists, else an empty
// file (read as a fresh start). Returns its path, or an empty string when none can be made.
std::string MakeScratchSave(const std::string& demoSave) {
  const char* folder = getenv("TMPDIR");
  std::string path = std::string(folder != nullptr && folder[0] != '\0' ? folder : "/tmp") + "/quorl-demo-XXXXXX";
  const int fd = mkstemp(path.data());
  if (fd < 0) return std::string();
  close(fd);
  std::ifstream in(demoSave, std::ios::binary);
  if (in) {
    std::ostringstream bytes;
    bytes << in.rdbuf();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes.str();
  }
  return path;
}

}  // namespace

int RunHarness::Load(const Options& options) {
  std::string error;
  if (!options.inputPath.empty() && script_.Load(options.inputPath.c_str(), &error) != 0) {
    fprintf(stderr, "QUORL: %s\n", error.c_str());
    return 2;
  }
  return 0;
}

int RunHarness::Init(Options* options, const std::string& workDir, std::string* savePath, ConfigFile* config) {
  options_ = options;
  workDir_ = workDir;
  autoplayer_ = AutoPlayer(options->autoplayFloor);
  QUORL_COMMON::FramePhases::Enable(options->timedemoPhases && !options->timedemoPath.empty());
  QUORL_COMMON::FrameMarks::Enable(!options->timedemoPath.empty());
  // A demo plays seeded from its header (unless --seed is given) with a scratch copy of the save
  // file it was recorded from; a recorded run is always seeded, from the clock when --seed is not
  // given, so that it can be replayed. Either way the summary names the seed.
  if (script_.IsDemo()) {
    if (!options->hasSeed) {
      options->hasSeed = true;
      options->seed = script_.DemoSeed();
    }
    const std::vector<ScriptEvent>& events = script_.Events();
    const bool endsWithQuit = !events.empty() && events.back().kind == ScriptEvent::QUIT;
    demoEnd_ = endsWithQuit ? script_.LastFrame() : script_.LastFrame() + 1;
    scratchSave_ = MakeScratchSave(options->inputPath + ".sav");  // absolute already
    if (scratchSave_.empty()) {
      fprintf(stderr, "QUORL: cannot make a scratch save file for the demo\n");
      return 1;
    }
    *savePath = scratchSave_;
    config->SetReadOnly(true);
  }
  if (script_.IsDemo() || options->autoplay) {
    Settings played;
    for (const auto& setting : script_.DemoSettings()) {
      std::string error;
      if (SettingNames::Set(&played, setting.first, setting.second, &error) != 0) {
        fprintf(stderr, "QUORL: the demo's setting %s cannot be used (%s); it may play differently\n",
                setting.first.c_str(), error.c_str());
      }
    }
    config->MutableCurrent()->controls = played.controls;
  }
  if (!options->recordPath.empty()) {
    if (!options->hasSeed) {
      options->hasSeed = true;
      options->seed = static_cast<unsigned int>(time(nullptr));
    }
    if (recorder_.Init(options->recordPath, options->seed, SettingNames::ControlPairs(config->Current().controls)) != 0) {
      fprintf(stderr, "QUORL: cannot write the demo %s\n", options->recordPath.c_str());
      return 2;
    }
  }
  if (options->hasSeed) QUORL_COMMON::SetFixedSeed(options->seed);
  QUORL_COMMON::SeedRandom();
  return 0;
}

int RunHarness::Start(const SaveData& startSave, int (*watch)(const SDL_Event*)) {
  watch_ = watch;
  if (script_.IsDemo() || recorder_.IsOpen()) {
    InputCapture::Start();
    realInput_ = script_.IsDemo() ? RealInput::CLOSE_ONLY : RealInput::AT_FRAME_START;
  }
  if (!recorder_.IsOpen()) return 0;
  // A run that starts from a save (a continue, or the special mode earned) keeps it beside the
  // demo; a run from nothing leaves no such file, and an old one is removed.
  const std::string demoSave = options_->recordPath + ".sav";
  const bool fromNothing = startSave.floor == SAVE_FIRST_FLOOR && startSave.enemyCount == 0 &&
                           startSave.killCount == 0 && !startSave.specialUnlocked;
  if (fromNothing) {
    unlink(demoSave.c_str());
  } else if (WriteSaveData(demoSave.c_str(), startSave) != 0) {
    fprintf(stderr, "QUORL: cannot write %s\n", demoSave.c_str());
    return 2;
  }
  return 0;
}

void RunHarness::BeforeFrame(long frame, int scene, bool canContinue) {
  std::vector<ScriptEvent> played;
  if (options_->autoplay && scene != Scene::START) played = autoplayer_.Step(frame, scene, canContinue, view_);
  DeliverInput(frame, played);
  actionStart_ = std::chrono::steady_clock::now();
  QUORL_COMMON::FramePhases::StartFrame();
  QUORL_COMMON::FrameMarks::Take();  // what a scene's start loaded is not in any frame's time
}

void RunHarness::DeliverInput(long frame, const std::vector<ScriptEvent>& played) {
  // Events that found SDL's queue full last frame go first: none is ever dropped.
  std::vector<SDL_Event> events;
  events.swap(heldOver_);
  if (realInput_ != RealInput::DIRECT) {
    for (const SDL_Event& e : InputCapture::Take()) {
      // The window's full-screen toggle is the player's, never part of a demo.
      if (ScreenFrame::CatchWindowToggle(e)) continue;
      if (realInput_ == RealInput::AT_FRAME_START || e.type == SDL_QUIT) events.push_back(e);
    }
  }
  std::vector<ScriptEvent> scripted = script_.TakeFrame(frame);
  scripted.insert(scripted.end(), played.begin(), played.end());
  for (const ScriptEvent& event : scripted) {
    if (event.kind == ScriptEvent::SCREENSHOT) {
      QUORL_COMMON::RequestScreenshot(AbsolutePath(workDir_, event.path));
    } else {
      events.push_back(InputScript::ToSDLEvent(event, ScreenFrame::Current()));
    }
  }
  if (options_->frames >= 0 && frame == options_->frames) {
    SDL_Event quit;
    quit.type = SDL_QUIT;
    events.push_back(quit);
  }
  for (SDL_Event& e : events) {
    // Only what a demo can hold reaches the scenes, so that playback gives them the same.
    ScriptEvent line;
    if (recorder_.IsOpen() && !InputScript::FromSDLEvent(e, frame, ScreenFrame::Current(), &line)) continue;
    // A pad event is all in its line; any pad is recorded as pad 0, and so the scenes see it.
    if (recorder_.IsOpen() && e.type >= SDL_JOYAXISMOTION && e.type <= SDL_JOYBUTTONUP) {
      e = InputScript::ToSDLEvent(line, ScreenFrame::Current());
    }
    if (!heldOver_.empty() || SDL_PushEvent(&e) != 0) {
      heldOver_.push_back(e);  // the queue is full: the next frame, in the same order
      continue;
    }
    if (recorder_.IsOpen()) recorder_.Record(line);
    // Pushed events pass by the event watch: the screenshot input is seen here.
    if (watch_ != nullptr) watch_(&e);
  }
  if (!heldOver_.empty()) {
    printf("QUORL: frame %ld: SDL's event queue is full; %zu input events wait for the next frame\n", frame,
           heldOver_.size());
  }
}

bool RunHarness::AfterScene(long frame, int scene, GameMain& game) {
  if (scene == Scene::GAME && options_->autoplay) {
    game.FillPlayView(&view_);
    // One progress line per floor, with the memory in use (the soak's figures).
    if (game.GetFloor() != floorShown_) {
      floorShown_ = game.GetFloor();
      printf("autoplay: floor %d at frame %ld, resident %ld kB\n", floorShown_, frame, ResidentKB());
      fflush(stdout);
    }
  }
  if (scene != Scene::START) lastScene_ = scene;
  if (!options_->timedemoPath.empty() && scene != Scene::START) {
    QUORL_COMMON::FramePhases::EndFrame();
    glFinish();  // the frame's drawing done, not only handed to the driver
    const auto frameDone = std::chrono::steady_clock::now();
    frameTimes_.Add({std::chrono::duration<double, std::milli>(frameDone - actionStart_).count(), scene,
                     scene == Scene::GAME ? game.GetFloor() : 0, QUORL_COMMON::FramePhases::LastFrame(),
                     QUORL_COMMON::FrameMarks::Take()});
    if (frameTimes_.Frames().size() == 1) {
      printf("timedemo start-up: the first frame drawn %.0f ms after the program started\n",
             std::chrono::duration<double, std::milli>(frameDone - programStart_).count());
    }
  }
  // --frames ends the run at its frame even when the scene dropped the close request (a paused
  // game does); a demo's playback ends with its last event.
  return (options_->frames >= 0 && frame >= options_->frames) || (demoEnd_ >= 0 && frame >= demoEnd_);
}

void RunHarness::SceneSwitched() {
  // Real input held back for the next frame goes the same way, as in a normal run.
  if (realInput_ != RealInput::DIRECT) InputCapture::Take();
  view_ = PlayView();
}

void RunHarness::End(long frames, const GameMain& game, const SaveData* lastSave) {
  if (!options_->summaryPath.empty()) {
    WriteRunSummary(options_->summaryPath, RunSummaryText(options_->hasSeed, options_->seed, frames, lastScene_,
                                                          game.getSummary(), QUORL_COMMON::Tally().Text(), lastSave));
  }
  if (!options_->timedemoPath.empty()) {
    printf("%s\n", frameTimes_.Line(options_->timedemoPath).c_str());
    printf("%s", QUORL_COMMON::FramePhases::Table(options_->timedemoPath).c_str());
    if (!options_->timedemoCsvPath.empty() && frameTimes_.WriteCsv(options_->timedemoCsvPath) != 0) {
      fprintf(stderr, "QUORL: cannot write %s\n", options_->timedemoCsvPath.c_str());
    }
  }
}

void RunHarness::Finalize() {
  recorder_.Finalize();
  if (!scratchSave_.empty()) {
    unlink(scratchSave_.c_str());
    unlink((scratchSave_ + ".tmp").c_str());
  }
}
