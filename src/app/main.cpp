// The entry function: the command line, the folders, the window, the scene loop, and the end.
#include <SDL/SDL.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/configfile.h"
#include "app/gamefolders.h"
#include "app/gamepad.h"
#include "app/options.h"
#include "app/savedata.h"
#include "app/sceneloop.h"
#include "app/window.h"
#include "assets/screenshot.h"
#include "common/bindings.h"
#include "game/controls.h"
#include "harness/runharness.h"
#include "sound/mcisendstring.h"
#include "sound/vbmp3wrap.h"

// The content folder this build generated (set by the build; empty: none).
#ifndef QUORL_BUILT_DATA_DIR
#define QUORL_BUILT_DATA_DIR ""
#endif

namespace {

RunHarness g_harness;      // scripted input, demos, timedemo, the run summary
GameFolders g_folders;     // where the content, the save and the screenshots are
ConfigFile g_config;       // the player's settings
Controls g_watchControls;  // the screenshot input, seen in every scene
int g_lastScreenshot = 0;  // the number of the last screenshot given out

// Shuts SDL down and ends the process with `status`.
[[noreturn]] void Finalize(int status) {
  g_harness.Finalize();
  CloseGamepad();
  ScreenFrame::Finalize();
  SDL_Quit();
  fflush(stdout);
  exit(status);
}

// The screenshot input (F12): the frame now being drawn goes to the next free
// screenshots/quorl-NNNN.png.
void TakeScreenshot() {
  const std::string path = NextScreenshotPath(g_folders.user, &g_lastScreenshot);
  if (path.empty()) {
    printf("QUORL: no screenshot: cannot make %s/screenshots\n", g_folders.user.c_str());
    return;
  }
  QUORL_COMMON::RequestScreenshot(path);
  printf("QUORL: screenshot %s\n", path.c_str());
}

// Sees the window's events as they arrive, before any scene takes them: the screenshot input and
// Alt+Enter are the same in every scene. (Runs in the main thread, inside the scene's event polling.)
int WatchEvents(const SDL_Event* event) {
  if (ScreenFrame::CatchWindowToggle(*event)) return 0;  // the scene loop switches between frames
  const ControlSettings& controls = g_config.Current().controls;
  if (g_watchControls.Settings().bindings != controls.bindings) g_watchControls.Set(controls);  // rebound
  std::vector<Controls::Change> changes;
  g_watchControls.Translate(*event, &changes);
  for (const Controls::Change& change : changes) {
    if (change.action == Control::SCREENSHOT && change.down) TakeScreenshot();
  }
  return 1;
}

// Reads the config file (--config, or the per-user one) with the command line's settings over it.
void ReadConfig(const Options& options, const std::string& workDir) {
  const std::string given = options.configPath.empty() ? "" : AbsolutePath(workDir, options.configPath);
  std::vector<std::string> messages;
  g_config.Init(ConfigFile::DefaultPath(given, getenv("XDG_CONFIG_HOME"), getenv("HOME")), options.settings,
                &messages);
  for (const std::string& line : messages) printf("%s\n", line.c_str());
}

// Finds the folders and reads the config, then moves into the content folder (every content path
// is relative to it). Relative paths of the command line were given from the starting folder and
// are made absolute first. Returns the starting folder.
std::string SetUpFolders(Options* options) {
  const std::string workDir = WorkingDirectory();
  ReadConfig(*options, workDir);
  g_folders = FindGameFolders(ProgramDirectory(), workDir, options->dataPath, options->savePath,
                              getenv("XDG_DATA_HOME"), getenv("HOME"), QUORL_BUILT_DATA_DIR);
  for (std::string* path : {&options->summaryPath, &options->statsPath, &options->inputPath, &options->recordPath,
                            &options->timedemoPath, &options->timedemoCsvPath}) {
    if (!path->empty()) *path = AbsolutePath(workDir, *path);
  }
  if (g_folders.content != workDir && chdir(g_folders.content.c_str()) != 0) {
    fprintf(stderr, "QUORL: cannot enter the content folder %s\n", g_folders.content.c_str());
    exit(1);
  }
  // A grabbed, hidden pointer would switch SDL's X11 driver to its own relative mode, which also
  // turns the desktop's pointer acceleration off: the game keeps centring the pointer itself, and
  // the grab only keeps it inside the window (a player may still ask for SDL_MOUSE_RELATIVE=1).
  setenv("SDL_MOUSE_RELATIVE", "0", 0);
  return workDir;
}

// Hands the settings in force to the sound layers and the screenshot watch.
void ApplySettings() {
  const Settings& settings = g_config.Current();
  if (settings.soundVolume != 100) mciSetMasterVolume(settings.soundVolume);
  if (settings.musicVolume != 100) VBMP3Wrap::SetMusicVolume(settings.musicVolume);
  g_watchControls.Set(settings.controls);
}

}  // namespace

int main(int argc, char** argv) {
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
  if (g_harness.Load(options) != 0) return 2;
  const std::string workDir = SetUpFolders(&options);
  if (const int status = g_harness.Init(&options, workDir, &g_folders.save, &g_config)) Finalize(status);
  ApplySettings();

  if (StartVideo() != 0) exit(1);
  for (const std::string& line : options.messages) printf("%s\n", line.c_str());
  if (OpenWindow(g_config.Current()) != 0) Finalize(1);
  OpenGamepad(g_config.Current().pad);
  SDL_SetEventFilter(WatchEvents);  // replaced by the input capture of a demo
  const SaveData startSave = ReadSaveData(g_folders.save.c_str());
  if (const int status = g_harness.Start(startSave, WatchEvents)) Finalize(status);

  SceneLoop loop(options, &g_config, startSave, g_folders.save, g_folders.user);
  Finalize(loop.Run(&g_harness));
}
