// The records page, opened from the title: the best run, the fastest arrivals at the boss floors,
// the best kill share and the deepest floor, for ordinary games and the daily dungeon, with the
// seed and date of each, in the options screen's lettering.
#pragma once

#include <SDL/SDL.h>

#include <string>
#include <vector>

#include "app/records.h"
#include "scenes/glyphfont.h"
#include "scenes/menuinput.h"

class RecordsScreen {
 public:
  RecordsScreen() = default;
  ~RecordsScreen() { Finalize(); }
  RecordsScreen(const RecordsScreen&) = delete;
  RecordsScreen& operator=(const RecordsScreen&) = delete;

  // Loads the lettering, the backdrop and the heading and makes the canvas and its texture for a
  // width x height screen (the 2D screen state already set). Returns 0, or -1 after a message.
  int Init(int width, int height);
  // Releases everything Init acquired; safe after a partial Init.
  void Finalize();

  // Opens the page on `records`; `newRecords` (the last game's, may be empty) show at its foot.
  void Open(const Records& records, const std::vector<std::string>& newRecords);
  bool IsOpen() const { return open_; }
  // One frame: the events, then the page drawn (no buffer swap). Returns false once the player
  // has left (Escape, Return, a click, the pad's A or B). A close request of the window sets `*quit`.
  bool Frame(bool* quit);

  // The lines of one set of records as the page shows them: label, value, seed, date ("-" for a
  // record not set yet).
  struct Line {
    std::string label, value, seed, date;
  };
  static std::vector<Line> Lines(const RecordSet& set);

 private:
  void Compose();
  void DrawSet(const char* title, const RecordSet& set, int* y);

  bool initialized_ = false, open_ = false, dirty_ = true;
  int width_ = 0, height_ = 0;
  Records records_;
  std::string note_;
  MenuInput menu_;
  GlyphFont font_, litFont_;
  SDL_Surface* backdrop_ = nullptr;
  SDL_Surface* heading_ = nullptr;
  SDL_Surface* canvas_ = nullptr;
  unsigned int texture_ = 0;
  bool textureMade_ = false;
};
