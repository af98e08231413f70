// The title scene: the menu of new game, continue and the special mode.
#pragma once

#include <SDL/SDL.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/settings.h"
#include "scenes/glyphfont.h"
#include "scenes/menuinput.h"
#include "scenes/optionsscreen.h"
#include "scenes/recordsscreen.h"

class VBMP3Wrap;

class Title {
 public:
  Title();
  ~Title();
  Title(const Title&) = delete;
  Title& operator=(const Title&) = delete;

  // Opens the title for a width x height screen; `canContinue` offers the saved game (and makes
  // it the default choice), `spAvailable` allows the special mode on the F key. Returns 0, or -1
  // after a message.
  int Init(int width, int height, bool canContinue, bool spAvailable);
  // Builds the screen, the textures and the music with the choices already set. Returns 0 or -1.
  int Init(int width, int height);
  // One frame: events, the light pulse, composing, drawing and the buffer swap. Returns `code`
  // to stay, 2 to start the game, 99 to quit.
  int Action(int code);
  // Shows the two canvas textures and swaps the buffers.
  void Draw();
  // The frame cleared and the title canvas drawn, then the light canvas over it when `withLight`.
  void DrawCanvases(bool withLight);
  // Releases everything Init acquired; does nothing when not initialised.
  void Finalize();

  // The settings the options screen opens on (kept by the caller), and what is called when the
  // player leaves it having changed any.
  using SettingsChange = std::function<void(const Settings& before, const Settings& after)>;
  void SetSettings(const Settings* settings, SettingsChange onChange);
  // The records the records page shows, and the records the last game set (named on the title
  // until the page has been seen; then `onSeen` is called); both kept by the caller.
  void SetRecords(const Records* records, const std::vector<std::string>* newRecords, std::function<void()> onSeen);

  // The menu entries, in the order the arrows and the pad move through them.
  enum Entry { NO_ENTRY = -1, NEW_GAME, CONTINUE, OPTIONS, RECORDS, ENTRY_COUNT };
  // The entry the keyboard or the pad has chosen (NO_ENTRY until one of them is used).
  int getSelected() const { return selected; }
  bool OptionsOpen() const { return options.IsOpen(); }
  bool RecordsOpen() const { return recordsPage.IsOpen(); }

  // The player chose to continue the saved game (the default when one can be continued).
  bool getUseContinue() const { return useContinue; }
  // The player switched the special mode on.
  bool getUseSpMode() const { return useSpMode; }
  // Opacity 0 to 255 of the light overlay in the last frame.
  int getLightAlpha() const { return lightAlpha; }

 private:
  // Releases what Init(width, height) acquired.
  void ReleaseScene();
  // Frees the picture of the special mode and closes its sound, if held.
  void ReleaseSpExtras();
  // A menu command of the keyboard or the pad; returns the scene code to go on with.
  int MenuCommand(Menu::Command command, int result);
  // Moves the chosen entry by `step`, past continue when there is nothing to continue.
  void MoveSelection(int step);
  // Starts the game (new or continued) or opens the options screen.
  int Choose(int entry, int result);
  void ToggleSpMode();
  // The options screen's frame; returns the scene code to go on with.
  int OptionsFrame(int code);
  // The records page's frame; returns the scene code to go on with.
  int RecordsFrame(int code);
  // Opens the records page (loading it the first time).
  void OpenRecords();
  // Composes the title screen with its menu into the canvas.
  void ComposeMenu();

  int initialized = 0;
  int screenWidth = 0, screenHeight = 0;
  int lightAlpha = 0;       // 0 to 255
  bool lightRising = true;
  bool canContinue = false;
  bool useContinue = false;
  bool spAvailable = false;
  bool useSpMode = false;
  bool spSoundOpen = false;  // the "sp-bullet-get" alias is open
  std::unique_ptr<VBMP3Wrap> music;
  bool musicStarted = false;  // the music library was set up (vbmp3_init) and needs its release
  unsigned int texWidth = 0, texHeight = 0;
  unsigned int textures[2] = {0, 0};  // 0 the title screen, 1 the light overlay
  bool texturesMade = false;
  // The menu as texture 0 shows it: continue offered * 2 + special mode on; -1 before the first
  // frame. Texture 0 is composed and uploaded again only when this changes.
  int menuShown = -1;
  SDL_Surface* canvas = nullptr;       // the title screen with the menu
  SDL_Surface* lightCanvas = nullptr;  // the light alone, transparent outside lightArea
  SDL_Rect lightArea = {0, 0, 0, 0};   // the smallest rectangle holding every visible light pixel
  SDL_Surface* titleImage = nullptr;
  SDL_Surface* lightImage = nullptr;
  SDL_Surface* textImages[2] = {nullptr, nullptr};  // "new game", "continue"
  SDL_Surface* spImage = nullptr;
  SDL_Surface* optionsImage = nullptr;  // the "options" entry
  SDL_Surface* recordsImage = nullptr;  // the "records" entry
  SDL_Rect wordAreas[ENTRY_COUNT] = {};  // the window rectangles of the entries' ink
  GlyphFont markFont;                    // the markers around the chosen entry
  MenuInput menu;
  int selected = NO_ENTRY;
  OptionsScreen options;
  bool optionsReady = false;             // the options screen's pictures are loaded
  const Settings* settings = nullptr;
  SettingsChange onSettingsChange;
  RecordsScreen recordsPage;
  bool recordsReady = false;             // the records page's pictures are loaded
  const Records* records = nullptr;
  const std::vector<std::string>* newRecords = nullptr;
  std::function<void()> onRecordsSeen;
  size_t newRecordsShown = 0;            // the count of new records texture 0 shows
};
