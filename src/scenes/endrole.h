// The ending roll: staff pages, then the share of enemies killed.
#pragma once

#include <SDL/SDL.h>

#include <memory>

#include "scenes/menuinput.h"

class VBMP3Wrap;

class Endrole {
 public:
  Endrole();
  ~Endrole();
  Endrole(const Endrole&) = delete;
  Endrole& operator=(const Endrole&) = delete;

  // Opens the ending for a width x height screen with the game's enemy and kill counts.
  // Returns 0, or -1 after a message (a missing staff page is only reported).
  int Init(int width, int height, int enemyCount, int killCount);
  // One frame: events, composing, drawing and the buffer swap. Returns `code` to stay, 1 for the
  // title (after the statistics page, or on Escape), 99 to quit.
  int Action(int code);
  // Shows the canvas texture and swaps the buffers.
  void Draw();
  // Releases everything Init acquired; does nothing when not initialised.
  void Finalize();

  // Opacity 0 to 255 of a staff page with `pageTimer` frames left (300 down to 1): it fades in
  // over the first 60 frames, stays 180 and fades out over the last 60.
  static int StaffPageOpacity(int pageTimer);
  // Share of the placed enemies that were killed, in whole percent; 0 when none were placed.
  static int KillPercent(int enemyCount, int killCount);

  // 0 to 13 the staff pages, 14 the statistics page, 15 finished.
  int getPage() const { return page; }
  // Frames left on the current staff page.
  int getPageTimer() const { return pageTimer; }

 private:
  // Composes the statistics page on the canvas.
  void ComposeStatistics();

  static const int kStaffPages = 14;
  static const int kDigits = 10;

  int initialized = 0;
  int screenWidth = 0, screenHeight = 0;
  int pageTimer = 0;
  int page = 0;
  MenuInput menu;  // the pad's buttons
  int enemyCount = 0;
  int killCount = 0;
  std::unique_ptr<VBMP3Wrap> music;
  bool musicStarted = false;  // the music library was set up and needs its release
  unsigned int texWidth = 0, texHeight = 0;
  unsigned int texture = 0;
  bool textureMade = false;
  // What the canvas and its texture hold now: the page and its opacity (-1: nothing yet). A frame
  // that would compose the same again leaves both as they are.
  int shownPage = -1, shownOpacity = -1;
  SDL_Surface* canvas = nullptr;
  SDL_Surface* staffPages[kStaffPages] = {};
  SDL_Surface* digits[kDigits] = {};
  SDL_Surface* genocideLabel = nullptr;
  SDL_Surface* percentSign = nullptr;
  SDL_Surface* pushPrompt = nullptr;
};
