// The options screen, opened from the title: the player's settings and the controls page, worked
// with the keyboard, the mouse or the pad.
#pragma once

#include <SDL/SDL.h>

#include <string>

#include "common/settings.h"
#include "scenes/glyphfont.h"
#include "scenes/menuinput.h"

class OptionsScreen {
 public:
  OptionsScreen() = default;
  ~OptionsScreen() { Finalize(); }
  OptionsScreen(const OptionsScreen&) = delete;
  OptionsScreen& operator=(const OptionsScreen&) = delete;

  // Loads the pictures and the click sound and makes the canvas and its texture for a width x
  // height screen (the 2D screen state already set). Returns 0, or -1 after a message.
  int Init(int width, int height);
  // Releases everything Init acquired; safe after a partial Init.
  void Finalize();

  // Opens the screen on a copy of `settings` (the first page, the first row).
  void Open(const Settings& settings);
  bool IsOpen() const { return open_; }
  // One frame: the events, then the canvas composed and drawn when it changed (no buffer swap).
  // Returns false once the player has left (Escape or Back on the first page); then `Before()`
  // and `After()` hold the settings at opening and as left. A close request of the window sets
  // `*quit`.
  bool Frame(bool* quit);
  void Draw();
  const Settings& Before() const { return before_; }
  const Settings& After() const { return edited_; }

  // The pages: the settings, the accessibility and pad settings, and the controls.
  enum Page { MAIN, ACCESSIBILITY, GAMEPAD, DISPLAY, CONTROLS, PAGE_COUNT };

  // How long a rebinding waits for an input before it gives up, in frames (5 s).
  static const int WAIT_FRAMES = 300;

 private:
  void Command(Menu::Command command);
  void Pointer(const SDL_Event& event);
  void Rebind(const SDL_Event& event);
  void Bind(const InputCode& code);
  // A settings row changed one step (-1, +1), or flipped (0).
  void Step(int row, int direction);
  // Opens `page` on its first row.
  void OpenPage(Page page);
  void RowsChanged();
  int RowCount() const;
  // The row (and on the controls page the column) under window position (x, y); -1 for none.
  int RowAt(int y) const;
  int ColumnAt(int x) const;
  void Compose();
  void DrawRow(int index, int y, bool selected);
  void DrawControlsRow(int index, int y, bool selected);

  bool initialized_ = false, open_ = false, dirty_ = true;
  int width_ = 0, height_ = 0;
  Settings before_, edited_;
  Page page_ = MAIN;
  int row_ = 0, column_ = 0;
  bool waiting_ = false;  // a controls cell waits for its new input
  int waitFrames_ = 0;
  int axes_[InputNames::PAD_AXES] = {};  // the pad's axes as last seen while waiting
  std::string note_;      // the line under the panel
  MenuInput menu_;
  GlyphFont font_, litFont_;
  SDL_Surface* backdrop_ = nullptr;
  SDL_Surface* highlight_ = nullptr;
  SDL_Surface* headings_[PAGE_COUNT] = {};
  SDL_Surface* canvas_ = nullptr;
  unsigned int texture_ = 0;
  bool textureMade_ = false;
  bool soundOpen_ = false;
};
