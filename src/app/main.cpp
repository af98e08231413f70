// The entry function: start-up, the window, the frame loop over the three scenes, and the end.
#include <GL/gl.h>
#include <SDL/SDL.h>

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/gamefolders.h"
#include "app/autoplayer.h"
#include "app/demorecorder.h"
#include "app/frametimes.h"
#include "app/inputcapture.h"
#include "app/inputscript.h"
#include "app/options.h"
#include "app/pacing.h"
#include "app/progress.h"
#include "app/runsummary.h"
#include "app/savedata.h"
#include "assets/screenshot.h"
#include "common/commonfunc.h"
#include "common/framephases.h"
#include "common/playview.h"
#include "common/random.h"
#include "common/runtally.h"
#include "game/gamemain.h"
#include "scenes/endrole.h"
#include "scenes/title.h"
#include "sound/mcisendstring.h"
#include "sound/vbmp3wrap.h"

// The content folder this build generated (set by the build; empty: none).
#ifndef QUORL_BUILT_DATA_DIR
#define QUORL_BUILT_DATA_DIR ""
#endif

namespace {

const int SCREEN_WIDTH = 800;
const int SCREEN_HEIGHT = 600;

// Demos: the recording under way (--record), and the scratch copy of the save file a demo plays
// with (removed at the end), so that playback never touches the player's own save.
DemoRecorder recorder;
std::string scratchSave;
// --timedemo: each scene frame's time, from the start of its Action to the swapped frame finished.
FrameTimes frameTimes;

// Shuts SDL down and ends the process with `status`.
[[noreturn]] void Finalize(int status) {
  recorder.Finalize();
  if (!scratchSave.empty()) {
    unlink(scratchSave.c_str());
    unlink((scratchSave + ".tmp").c_str());
  }
  SDL_Quit();
  fflush(stdout);
  exit(status);
}

// Opens the 800 x 600 OpenGL window and prints the diagnostics. Ends the program on failure.
void OpenWindow(const Options& options) {
  const int depth = SDL_GetVideoInfo()->vfmt->BitsPerPixel > 8 ? 24 : 8;
  int red = 8, green = 8, blue = 8;
  if (depth == 8) {
    red = 3, green = 3, blue = 2;
  } else if (depth == 15 || depth == 16) {
    red = 5, green = 5, blue = 5;
  }
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, red);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, green);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, blue);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_SWAP_CONTROL, options.vsync ? 1 : 0);
  const Uint32 flags = SDL_OPENGL | (options.fullscreen ? SDL_FULLSCREEN : 0);
  SDL_Surface* screen = SDL_SetVideoMode(SCREEN_WIDTH, SCREEN_HEIGHT, depth, flags);
  if (screen == nullptr) {
    fprintf(stderr, "Couldn't set GL mode: %s\n", SDL_GetError());
    Finalize(1);
  }
  printf("Screen BPP: %d\n", screen->format->BitsPerPixel);
  printf("\n");
  printf("Vendor     : %s\n", glGetString(GL_VENDOR));
  printf("Renderer   : %s\n", glGetString(GL_RENDERER));
  printf("Version    : %s\n", glGetString(GL_VERSION));
  printf("Extensions : %s\n", glGetString(GL_EXTENSIONS));
  printf("\n");
  int value = 0;
  SDL_GL_GetAttribute(SDL_GL_RED_SIZE, &value);
  printf("SDL_GL_RED_SIZE: requested %d, got %d\n", red, value);
  SDL_GL_GetAttribute(SDL_GL_GREEN_SIZE, &value);
  printf("SDL_GL_GREEN_SIZE: requested %d, got %d\n", green, value);
  SDL_GL_GetAttribute(SDL_GL_BLUE_SIZE, &value);
  printf("SDL_GL_BLUE_SIZE: requested %d, got %d\n", blue, value);
  SDL_GL_GetAttribute(SDL_GL_DEPTH_SIZE, &value);
  printf("SDL_GL_DEPTH_SIZE: requested %d, got %d\n", 16, value);
  SDL_GL_GetAttribute(SDL_GL_DOUBLEBUFFER, &value);
  printf("SDL_GL_DOUBLEBUFFER: requested 1, got %d\n", value);
  SDL_WM_SetCaption("QUORL", "QUORL");
  glViewport(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
}

// ---- Player comfort: folders, the save, the screenshot key, the mouse grab ----

GameFolders g_folders;        // where the content, the save and the screenshots are
std::string g_workDir;        // the working folder the program was started in
int g_lastScreenshot = 0;     // the number of the last screenshot given out
bool g_saveFailShown = false;  // a failed save is reported once
bool g_saveWritten = false;    // the run has written g_lastSave (for the run summary)
SaveData g_lastSave;

// F12: the frame now being drawn goes to the next free screenshots/quorl-NNNN.png.
void TakeScreenshot() {
  const std::string path = NextScreenshotPath(g_folders.user, &g_lastScreenshot);
  if (path.empty()) {
    printf("QUORL: no screenshot: cannot make %s/screenshots\n", g_folders.user.c_str());
    return;
  }
  QUORL_COMMON::RequestScreenshot(path);
  printf("QUORL: screenshot %s\n", path.c_str());
}

// Sees the window's events as they arrive, before any scene takes them: F12 is the same key in
// every scene. (Runs in the main thread, inside the scene's event polling.)
int WatchEvents(const SDL_Event* event) {
  if (event->type == SDL_KEYDOWN && event->key.keysym.sym == SDLK_F12) TakeScreenshot();
  return 1;
}

// Writes the save; a save that cannot be written is reported once, and the game goes on.
void WriteSave(const SaveData& save) {
  g_saveWritten = true;
  g_lastSave = save;
  MakeFolders(g_folders.user);
  if (WriteSaveData(g_folders.save.c_str(), save) == 0 || g_saveFailShown) return;
  g_saveFailShown = true;
  printf("QUORL: cannot write the save file %s; the game goes on without saving\n", g_folders.save.c_str());
}

// During play the pointer is grabbed so that fast turns never leave the window; on the title, the
// ending, while paused and without the input focus (which pauses the game) it is free.
void FollowGrab(bool playing) {
  static bool grabbed = false;
  const bool want = playing && (SDL_GetAppState() & SDL_APPINPUTFOCUS) != 0;
  if (want == grabbed) return;
  grabbed = want;
  SDL_WM_GrabInput(want ? SDL_GRAB_ON : SDL_GRAB_OFF);
}

// Finds the folders, moves into the content folder (every content path is relative to it) and
// hands the player's settings to the sound layers. Relative paths of the command line were given
// from the starting folder and are made absolute first.
void SetUpComfort(Options* options) {
  g_workDir = WorkingDirectory();
  g_folders = FindGameFolders(ProgramDirectory(), g_workDir, options->dataPath, options->savePath,
                              getenv("XDG_DATA_HOME"), getenv("HOME"), QUORL_BUILT_DATA_DIR);
  for (std::string* path : {&options->summaryPath, &options->inputPath, &options->recordPath,
                            &options->timedemoPath, &options->timedemoCsvPath}) {
    if (!path->empty()) *path = AbsolutePath(g_workDir, *path);
  }
  if (g_folders.content != g_workDir && chdir(g_folders.content.c_str()) != 0) {
    fprintf(stderr, "QUORL: cannot enter the content folder %s\n", g_folders.content.c_str());
    exit(1);
  }
  // A grabbed, hidden pointer would switch SDL's X11 driver to its own relative mode, which also
  // turns the desktop's pointer acceleration off: the game keeps centring the pointer itself, and
  // the grab only keeps it inside the window (a player may still ask for SDL_MOUSE_RELATIVE=1).
  setenv("SDL_MOUSE_RELATIVE", "0", 0);
  if (options->soundVolume != 100) mciSetMasterVolume(options->soundVolume);
  if (options->musicVolume != 100) VBMP3Wrap::SetMusicVolume(options->musicVolume);
}

// How the real input reaches the scenes: straight from SDL (a normal run), held back and passed
// on at frame starts (recording), or held back and dropped but for a window-close request (a
// demo playing).
enum class RealInput { DIRECT, AT_FRAME_START, CLOSE_ONLY };

// Delivers the input of this frame: the real input held back since the last frame (unless it goes
// to the scenes directly), the scripted input and the --frames window-close request; records what
// it delivers when a demo is being recorded.
void DeliverInput(InputScript* script, const Options& options, long frame, RealInput real,
                  const std::vector<ScriptEvent>& played) {
  // Events that found SDL's queue full last frame go first: none is ever dropped.
  static std::vector<SDL_Event> heldOver;
  std::vector<SDL_Event> events;
  events.swap(heldOver);
  if (real != RealInput::DIRECT) {
    for (const SDL_Event& e : InputCapture::Take()) {
      if (real == RealInput::AT_FRAME_START || e.type == SDL_QUIT) events.push_back(e);
    }
  }
  std::vector<ScriptEvent> scripted = script->TakeFrame(frame);
  scripted.insert(scripted.end(), played.begin(), played.end());
  for (const ScriptEvent& event : scripted) {
    if (event.kind == ScriptEvent::SCREENSHOT) {
      QUORL_COMMON::RequestScreenshot(AbsolutePath(g_workDir, event.path));
    } else {
      events.push_back(InputScript::ToSDLEvent(event, SCREEN_WIDTH, SCREEN_HEIGHT));
    }
  }
  if (options.frames >= 0 && frame == options.frames) {
    SDL_Event quit;
    quit.type = SDL_QUIT;
    events.push_back(quit);
  }
  for (SDL_Event& e : events) {
    // Only what a demo can hold reaches the scenes, so that playback gives them the same.
    ScriptEvent line;
    if (recorder.IsOpen() && !InputScript::FromSDLEvent(e, frame, SCREEN_WIDTH, SCREEN_HEIGHT, &line)) continue;
    if (!heldOver.empty() || SDL_PushEvent(&e) != 0) {
      heldOver.push_back(e);  // the queue is full: the next frame, in the same order
      continue;
    }
    if (recorder.IsOpen()) recorder.Record(line);
    // Pushed events pass by the event watch: the screenshot key is seen here.
    if (e.type == SDL_KEYDOWN && e.key.keysym.sym == SDLK_F12) TakeScreenshot();
  }
  if (!heldOver.empty()) {
    printf("QUORL: frame %ld: SDL's event queue is full; %zu input events wait for the next frame\n", frame,
           heldOver.size());
  }
}

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

void DiscardEvents() {
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
  }
}

void ReportErrors() {
  const GLenum glError = glGetError();
  if (glError != GL_NO_ERROR) fprintf(stderr, "QUORL: OpenGL error: 0x%x\n", glError);
  const char* sdlError = SDL_GetError();
  if (sdlError != nullptr && sdlError[0] != '\0') {
    fprintf(stderr, "QUORL: SDL error '%s'\n", sdlError);
    SDL_ClearError();
  }
}

}  // namespace

int main(int argc, char** argv) {
  const auto programStart = std::chrono::steady_clock::now();
  Options options;
  std::string error;
  if (ParseOptions(argc, argv, &options, &error) != 0) {
    fprintf(stderr, "QUORL: %s (see --help)\n", error.c_str());
    return 2;
  }
  if (options.help) {
    PrintUsage(stdout, argv[0]);
    return 0;
  }
  InputScript script;
  if (!options.inputPath.empty() && script.Load(options.inputPath.c_str(), &error) != 0) {
    fprintf(stderr, "QUORL: %s\n", error.c_str());
    return 2;
  }

  SetUpComfort(&options);
  QUORL_COMMON::FramePhases::Enable(options.timedemoPhases && !options.timedemoPath.empty());
  // Demos. A demo plays seeded from its header (unless --seed is given) with a scratch copy of the
  // save file it was recorded from; a recorded run is always seeded, from the clock when --seed is
  // not given, so that it can be replayed. Either way the summary names the seed.
  const bool playingDemo = script.IsDemo();
  long demoEnd = -1;  // the frame a demo's playback ends at (its last quit, or the frame after its end)
  if (playingDemo) {
    if (!options.hasSeed) {
      options.hasSeed = true;
      options.seed = script.DemoSeed();
    }
    const std::vector<ScriptEvent>& events = script.Events();
    const bool endsWithQuit = !events.empty() && events.back().kind == ScriptEvent::QUIT;
    demoEnd = endsWithQuit ? script.LastFrame() : script.LastFrame() + 1;
    scratchSave = MakeScratchSave(options.inputPath + ".sav");  // absolute already
    if (scratchSave.empty()) {
      fprintf(stderr, "QUORL: cannot make a scratch save file for the demo\n");
      return 1;
    }
    g_folders.save = scratchSave;  // the player's own save is never touched
  }
  if (!options.recordPath.empty()) {
    if (!options.hasSeed) {
      options.hasSeed = true;
      options.seed = static_cast<unsigned int>(time(nullptr));
    }
    if (recorder.Init(options.recordPath, options.seed) != 0) {
      fprintf(stderr, "QUORL: cannot write the demo %s\n", options.recordPath.c_str());
      Finalize(2);
    }
  }

  // Start-up: seed, SDL, the command line's lines, the window, the save file, the scenes.
  if (options.hasSeed) QUORL_COMMON::SetFixedSeed(options.seed);
  QUORL_COMMON::SeedRandom();
  // Left to itself SDL falls back from X11 to text-terminal drivers, which take the terminal over
  // and then have no OpenGL: unless the user chose a driver, X11 is the only one tried.
  const char* chosenDriver = getenv("SDL_VIDEODRIVER");
  const bool driverChosen = chosenDriver != nullptr && chosenDriver[0] != '\0';
  if (!driverChosen) setenv("SDL_VIDEODRIVER", "x11", 1);
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_AUDIO) < 0) {
    if (!driverChosen && SDL_WasInit(SDL_INIT_VIDEO) == 0) {
      fprintf(stderr,
              "QUORL needs an X display with OpenGL; xvfb-run serves for checks without a screen\n");
    } else {
      fprintf(stderr, "Couldn't initialize SDL: %s\n", SDL_GetError());
    }
    exit(1);
  }
  for (const std::string& line : options.messages) printf("%s\n", line.c_str());
  OpenWindow(options);
  SDL_SetEventFilter(WatchEvents);  // replaced by the input capture of a demo
  const SaveData startSave = ReadSaveData(g_folders.save.c_str());
  Progress progress = Progress::FromSave(startSave);
  RealInput realInput = RealInput::DIRECT;
  if (playingDemo || recorder.IsOpen()) {
    InputCapture::Start();
    realInput = playingDemo ? RealInput::CLOSE_ONLY : RealInput::AT_FRAME_START;
  }
  if (recorder.IsOpen()) {
    // A run that starts from a save (a continue, or the special mode earned) keeps it beside the
    // demo; a run from nothing leaves no such file, and an old one is removed.
    const std::string demoSave = options.recordPath + ".sav";
    const bool fromNothing = startSave.floor == SAVE_FIRST_FLOOR && startSave.enemyCount == 0 &&
                             startSave.killCount == 0 && !startSave.specialUnlocked;
    if (fromNothing) {
      unlink(demoSave.c_str());
    } else if (WriteSaveData(demoSave.c_str(), startSave) != 0) {
      fprintf(stderr, "QUORL: cannot write %s\n", demoSave.c_str());
      Finalize(2);
    }
  }
  int current = Scene::START;
  Title title;
  GameMain game;
  Endrole ending;
  game.KeepSummary(!options.summaryPath.empty());
  GameMain::Comfort comfort;
  comfort.sensitivity = static_cast<float>(options.sensitivity);
  comfort.invertMouse = options.invertMouse;
  comfort.noFlash = options.noFlash;
  game.SetComfort(comfort);
  game.SetInvulnerable(options.invulnerable);
  AutoPlayer autoplayer(options.autoplayFloor);  // --autoplay
  PlayView view;          // what the autoplayer saw of the game's last frame
  int floorShown = 0;     // the last floor the autoplayer's progress line named
  int lastScene = Scene::START;  // the last scene that ran, for the summary
  Uint32 frameEnd = SDL_GetTicks();

  for (long frame = 0;; ++frame) {
    std::vector<ScriptEvent> played;
    if (options.autoplay && current != Scene::START) {
      played = autoplayer.Step(frame, current, progress.canContinue, view);
    }
    DeliverInput(&script, options, frame, realInput, played);

    // 1. Run the current scene and take the code it asks for.
    const auto actionStart = std::chrono::steady_clock::now();
    QUORL_COMMON::FramePhases::StartFrame();
    int next = current;
    switch (current) {
      case Scene::START:
        next = Scene::TITLE;
        break;
      case Scene::TITLE:
        next = title.Action(Scene::TITLE);
        if (next == Scene::GAME) {
          progress.StartGame(title.getUseContinue(), title.getUseSpMode());
          SDL_ShowCursor(0);
        }
        break;
      case Scene::GAME:
        next = game.Action(Scene::GAME);
        if (options.autoplay) {
          game.FillPlayView(&view);
          // One progress line per floor, with the memory in use (the soak's figures).
          if (game.GetFloor() != floorShown) {
            floorShown = game.GetFloor();
            printf("autoplay: floor %d at frame %ld, resident %ld kB\n", floorShown, frame, ResidentKB());
            fflush(stdout);
          }
        }
        progress.FollowGame(game.GetFloor());
        if (next != Scene::GAME) {
          int enemies = 0, kills = 0;
          game.getKillData(&enemies, &kills);
          progress.SetKillData(enemies, kills);
        }
        break;
      case Scene::ENDING:
        next = ending.Action(Scene::ENDING);
        break;
    }

    if (current != Scene::START) lastScene = current;
    if (!options.timedemoPath.empty() && current != Scene::START) {
      QUORL_COMMON::FramePhases::EndFrame();
      glFinish();  // the frame's drawing done, not only handed to the driver
      const auto frameDone = std::chrono::steady_clock::now();
      frameTimes.Add(std::chrono::duration<double, std::milli>(frameDone - actionStart).count());
      if (frameTimes.Times().size() == 1) {
        printf("timedemo start-up: the first frame drawn %.0f ms after the program started\n",
               std::chrono::duration<double, std::milli>(frameDone - programStart).count());
      }
    }

    // 2. Switch scenes. A scene that cannot start ends the program as an error (status 1).
    if (next != current) {
      const bool switching = next == Scene::TITLE || next == Scene::GAME || next == Scene::ENDING;
      if (next == Scene::TITLE) {
        WriteSave(progress.ToSave());
        SDL_ShowCursor(1);
        game.Finalize();
        ending.Finalize();
        if (title.Init(SCREEN_WIDTH, SCREEN_HEIGHT, progress.canContinue, progress.specialUnlocked) == -1) {
          printf("title initialize error \n");
          next = QUORL_COMMON::GLOBAL_ERROR;
        }
      } else if (next == Scene::GAME) {
        title.Finalize();
        if (game.Init(SCREEN_WIDTH, SCREEN_HEIGHT, progress.floor, progress.useSpecialMode,
                      progress.enemyCount, progress.killCount) == -1) {
          printf("game initialize error \n");
          next = QUORL_COMMON::GLOBAL_ERROR;
        }
      } else if (next == Scene::ENDING) {
        game.Finalize();
        progress.EnterEnding();
        if (ending.Init(SCREEN_WIDTH, SCREEN_HEIGHT, progress.enemyCount, progress.killCount) == -1) {
          printf("endrole initialize error \n");
          next = QUORL_COMMON::GLOBAL_ERROR;
        }
        progress.ResetAfterEnding();
      }
      if (switching) {
        DiscardEvents();
        // Real input held back for the next frame goes the same way, as in a normal run.
        if (realInput != RealInput::DIRECT) InputCapture::Take();
      }
      view = PlayView();
      current = next;
    }

    FollowGrab(current == Scene::GAME && !game.IsPaused());

    // 3. Report pending OpenGL and SDL errors.
    ReportErrors();

    // 4. End the program on quit or error. --frames ends the run at its frame even when the
    // scene dropped the close request (a paused game does).
    if (options.frames >= 0 && frame >= options.frames && current != QUORL_COMMON::GLOBAL_ERROR) {
      current = Scene::QUIT;
    }
    // A demo's playback ends with its last event (status 0).
    if (demoEnd >= 0 && frame >= demoEnd && current != QUORL_COMMON::GLOBAL_ERROR) {
      current = Scene::QUIT;
    }
    if (current == QUORL_COMMON::GLOBAL_ERROR || current == Scene::QUIT) {
      if (!options.summaryPath.empty()) {
        WriteRunSummary(options.summaryPath,
                        RunSummaryText(options.hasSeed, options.seed, frame, lastScene, game.getSummary(),
                                       QUORL_COMMON::Tally().Text(), g_saveWritten ? &g_lastSave : nullptr));
      }
      if (!options.timedemoPath.empty()) {
        printf("%s\n", frameTimes.Line(options.timedemoPath).c_str());
        printf("%s", QUORL_COMMON::FramePhases::Table(options.timedemoPath).c_str());
        if (!options.timedemoCsvPath.empty() && frameTimes.WriteCsv(options.timedemoCsvPath) != 0) {
          fprintf(stderr, "QUORL: cannot write %s\n", options.timedemoCsvPath.c_str());
        }
      }
      title.Finalize();
      game.Finalize();
      ending.Finalize();
      Finalize(current == Scene::QUIT ? 0 : 1);
    }

    // 5. Pace the frame.
    SleepFor(FrameSleep(SDL_GetTicks() - frameEnd, options.vsync, options.fast));
    frameEnd = SDL_GetTicks();
    // A run with a fixed seed lets the music follow the frame count instead of the wall clock.
    if (QUORL_COMMON::IsSeedFixed()) VBMP3Wrap::AdvanceClock(QUORL_COMMON::FRAME_PERIOD_MS);
  }
}
