// The scene loop: each frame runs one scene, switches scenes on its code, reports errors and paces.
#include "app/sceneloop.h"

#include <GL/gl.h>
#include <SDL/SDL.h>

#include <cstdio>
#include <ctime>
#include <string>

#include "app/gamefolders.h"
#include "app/gameseed.h"
#include "app/pacing.h"
#include "app/window.h"
#include "common/commonfunc.h"
#include "common/random.h"
#include "common/scenecode.h"
#include "sound/vbmp3wrap.h"

namespace {

// The files kept beside the save.
const char* const STATS_LOG_NAME = "statistics.txt";
const char* const RECORDS_NAME = "records.txt";

// During play the pointer is grabbed so that fast turns never leave the window; on the title, the
// ending, while paused and without the input focus (which pauses the game) it is free.
void FollowGrab(bool playing) {
  static bool grabbed = false;
  const bool want = playing && (SDL_GetAppState() & SDL_APPINPUTFOCUS) != 0;
  if (want == grabbed) return;
  grabbed = want;
  SDL_WM_GrabInput(want ? SDL_GRAB_ON : SDL_GRAB_OFF);
}

void DiscardEvents() {
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
  }
}

// Notes the compatibility layer over SDL 2 leaves behind calls that succeeded (it asks SDL 2 for a
// colour key every surface may lack, for an open audio device before opening one, for a mode
// switch full screen at the desktop's size does not need); the classic library leaves none.
bool IsLayerNote(const std::string& text) {
  static const char* const kNotes[] = {"Surface doesn't have a colorkey", "Invalid audio device ID",
                                       "That operation is not supported"};
  for (const char* note : kNotes) {
    if (text == note) return true;
  }
  return false;
}

void ReportErrors() {
  const GLenum glError = glGetError();
  if (glError != GL_NO_ERROR) fprintf(stderr, "QUORL: OpenGL error: 0x%x\n", glError);
  const char* sdlError = SDL_GetError();
  if (sdlError != nullptr && IsLayerNote(sdlError)) SDL_ClearError();
  sdlError = SDL_GetError();
  if (sdlError != nullptr && sdlError[0] != '\0') {
    fprintf(stderr, "QUORL: SDL error '%s'\n", sdlError);
    SDL_ClearError();
  }
}

}  // namespace

SceneLoop::SceneLoop(const Options& options, ConfigFile* config, const SaveData& startSave,
                     const std::string& savePath, const std::string& userDir)
    : options_(options), config_(config), vsync_(config->Current().vsync), savePath_(savePath), userDir_(userDir),
      progress_(Progress::FromSave(startSave)), current_(Scene::START) {
  game_.KeepSummary(!options.summaryPath.empty());
  game_.SetInvulnerable(options.invulnerable);
  title_.SetSettings(&config->Current(), [this](const Settings& before, const Settings& after) {
    ChangeSettings(before, after);
  });
  title_.SetRecords(&stats_.Current(), &stats_.NewRecords(), [this] { stats_.ClearNewRecords(); });
}

void SceneLoop::ApplySettingsToGame() {
  const Settings& settings = config_->Current();
  GameMain::Comfort comfort;
  comfort.damageFlash = settings.damageFlash;
  comfort.whiteFlash = settings.whiteFlash;
  comfort.colourSafe = settings.colourSafe;
  comfort.fieldOfView = static_cast<float>(settings.fieldOfView);
  comfort.visibleSounds = settings.visibleSounds;
  comfort.timer = settings.timer;
  game_.SetComfort(comfort);
  game_.SetControls(settings.controls);  // also the comfort's mouse sensitivity and inversion
}

void SceneLoop::ChangeSettings(const Settings& before, const Settings& after) {
  if (DisplayDiffers(before, after)) displayChanged_ = true;
  std::vector<std::string> messages;
  config_->Change(before, after, &messages);
  for (const std::string& line : messages) printf("%s\n", line.c_str());
}

int SceneLoop::Run(RunHarness* harness) {
  // The statistics log and the records sit beside the save; a demo or the autoplayer leaves
  // them alone (the --stats file is written all the same).
  const std::string beside = harness->PlaysForTests() ? std::string() : userDir_ + "/";
  stats_.Init(beside.empty() ? "" : beside + STATS_LOG_NAME, beside.empty() ? "" : beside + RECORDS_NAME,
              options_.statsPath);
  Uint32 frameEnd = SDL_GetTicks();
  for (long frame = 0;; ++frame) {
    harness->BeforeFrame(frame, current_, progress_.canContinue);
    // 1. Run the current scene and take the code it asks for.
    int next = Action();
    const bool over = harness->AfterScene(frame, current_, game_);
    // 2. Switch scenes. A scene that cannot start ends the program as an error (status 1).
    if (next != current_) {
      if (next == Scene::TITLE || next == Scene::GAME || next == Scene::ENDING) {
        next = Switch(next);
        DiscardEvents();
        harness->SceneSwitched();
      }
      current_ = next;
    }
    current_ = FollowDisplay();
    FollowGrab(current_ == Scene::GAME && !game_.IsPaused());
    // 3. Report pending OpenGL and SDL errors.
    ReportErrors();
    // 4. End the program on quit or error, or when the harness ends the run.
    if (over && current_ != QUORL_COMMON::GLOBAL_ERROR) current_ = Scene::QUIT;
    if (current_ == QUORL_COMMON::GLOBAL_ERROR || current_ == Scene::QUIT) {
      KeepStats(current_, true);
      harness->End(frame, game_, saveWritten_ ? &lastSave_ : nullptr);
      title_.Finalize();
      game_.Finalize();
      ending_.Finalize();
      return current_ == Scene::QUIT ? 0 : 1;
    }
    // 5. Pace the frame.
    SleepFor(FrameSleep(SDL_GetTicks() - frameEnd, vsync_, options_.fast));
    frameEnd = SDL_GetTicks();
    // A run with a fixed seed lets the music follow the frame count instead of the wall clock.
    if (QUORL_COMMON::IsSeedFixed()) VBMP3Wrap::AdvanceClock(QUORL_COMMON::FRAME_PERIOD_MS);
  }
}

int SceneLoop::FollowDisplay() {
  if (ScreenFrame::TakeWindowToggle()) {
    const Settings before = config_->Current();
    Settings after = before;
    after.fullscreen = !after.fullscreen;  // remembered, as a change on the options screen is
    ChangeSettings(before, after);
  }
  if (!displayChanged_ || current_ == Scene::QUIT || current_ == QUORL_COMMON::GLOBAL_ERROR) return current_;
  displayChanged_ = false;
  const int status = SetDisplay(config_->Current());
  if (status == -1) return QUORL_COMMON::GLOBAL_ERROR;
  const ScreenFrame::Layout& layout = ScreenFrame::Current();
  printf("QUORL: %s %d x %d\n", (SDL_GetVideoSurface()->flags & SDL_FULLSCREEN) ? "full screen" : "window",
         layout.windowWidth, layout.windowHeight);
  if (status == 1) {
    // Every texture and display list went with the old OpenGL context: the scene starts again (the
    // game from the start of its floor, as Continue would; the ending gives way to the title).
    printf("QUORL: the library made a new OpenGL context; the scene's pictures are loaded again\n");
    if (current_ == Scene::GAME) {
      int enemies = 0, kills = 0;
      game_.getKillData(&enemies, &kills);
      progress_.SetKillData(enemies, kills);
      progress_.FollowGame(game_.GetFloor());
    }
    title_.Finalize();
    game_.Finalize();
    ending_.Finalize();
    return Switch(current_ == Scene::GAME ? Scene::GAME : Scene::TITLE);
  }
  if (current_ == Scene::GAME) ScreenFrame::CentrePointer();
  return current_;
}

int SceneLoop::Action() {
  int next = current_;
  switch (current_) {
    case Scene::START:
      next = Scene::TITLE;
      break;
    case Scene::TITLE:
      next = title_.Action(Scene::TITLE);
      if (next == Scene::GAME) {
        progress_.StartGame(title_.getUseContinue(), title_.getUseSpMode());
        SDL_ShowCursor(0);
      }
      break;
    case Scene::GAME:
      next = game_.Action(Scene::GAME);
      KeepStats(next, false);
      progress_.FollowGame(game_.GetFloor());
      if (next != Scene::GAME) {
        int enemies = 0, kills = 0;
        game_.getKillData(&enemies, &kills);
        progress_.SetKillData(enemies, kills);
      }
      break;
    case Scene::ENDING:
      next = ending_.Action(Scene::ENDING);
      break;
  }
  return next;
}

void SceneLoop::KeepStats(int next, bool quitting) {
  if (quitting) game_.EndStatsFloor();  // a floor still in progress (the run ended in the game)
  stats_.FloorsLeft(game_.Stats().TakeFinished());
  if (next == Scene::GAME && !quitting) return;
  const char* end = next == Scene::ENDING ? "ending"
                    : next == Scene::TITLE ? (game_.PlayerDied() ? "death" : "title")
                                           : "quit";
  int enemies = 0, kills = 0;
  game_.getKillData(&enemies, &kills);
  stats_.GameEnded(game_.Stats(), end, enemies, kills);
}

int SceneLoop::Switch(int next) {
  if (next == Scene::TITLE) {
    WriteSave(progress_.ToSave());
    SDL_ShowCursor(1);
    game_.Finalize();
    ending_.Finalize();
    if (title_.Init(SCREEN_WIDTH, SCREEN_HEIGHT, progress_.canContinue, progress_.specialUnlocked) == -1) {
      printf("title initialize error \n");
      return QUORL_COMMON::GLOBAL_ERROR;
    }
  } else if (next == Scene::GAME) {
    title_.Finalize();
    ApplySettingsToGame();
    // The game's seed: under --seed (or a demo) the run's own, which makes the first game's
    // dungeon that seed's; else the seed setting's, the day's or a fresh one.
    std::string seed = "-";
    bool daily = false;
    if (QUORL_COMMON::IsSeedFixed()) {
      if (!gameStarted_) seed = std::to_string(QUORL_COMMON::FixedSeed());
    } else {
      const GameSeed chosen = ChooseGameSeed(config_->Current(), progress_.floor == 1 && progress_.enemyCount == 0,
                                             time(nullptr), SDL_GetTicks());
      QUORL_COMMON::StartGameSeed(chosen.seed);
      seed = std::to_string(chosen.seed);
      daily = chosen.daily;
    }
    gameStarted_ = true;
    if (game_.Init(SCREEN_WIDTH, SCREEN_HEIGHT, progress_.floor, progress_.useSpecialMode, progress_.enemyCount,
                   progress_.killCount) == -1) {
      printf("game initialize error \n");
      return QUORL_COMMON::GLOBAL_ERROR;
    }
    const bool special = progress_.useSpecialMode;
    const char* mode = daily ? (special ? "daily-special" : "daily") : (special ? "special" : "normal");
    stats_.GameStarted(seed, mode, daily, progress_.floor);
  } else if (next == Scene::ENDING) {
    game_.Finalize();
    progress_.EnterEnding();
    const int status = ending_.Init(SCREEN_WIDTH, SCREEN_HEIGHT, progress_.enemyCount, progress_.killCount);
    progress_.ResetAfterEnding();
    if (status == -1) {
      printf("endrole initialize error \n");
      return QUORL_COMMON::GLOBAL_ERROR;
    }
  }
  return next;
}

void SceneLoop::WriteSave(const SaveData& save) {
  saveWritten_ = true;
  lastSave_ = save;
  MakeFolders(userDir_);
  if (WriteSaveData(savePath_.c_str(), save) == 0 || saveFailShown_) return;
  saveFailShown_ = true;
  printf("QUORL: cannot write the save file %s; the game goes on without saving\n", savePath_.c_str());
}
