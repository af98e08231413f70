// The status board and the overlay: a screen-sized picture and a colour on quads in front of
// the eye. The status board holds the sight (or the pause sign), the life bar, the magazine, the
// floor number, the special-round counter and a boss's caption; the overlay is one colour all
// over (the damage flash, the fades).
#pragma once

#include <SDL/SDL.h>

#include <string>
#include <vector>

#include "game/boardpieces.h"

class StatusBoard {
 public:
  StatusBoard() = default;
  ~StatusBoard() { Finalize(); }
  StatusBoard(const StatusBoard&) = delete;
  StatusBoard& operator=(const StatusBoard&) = delete;

  // The two boards of a width x height screen, their canvas textures and the pictures on them.
  // Returns 0, or -1 after a message.
  int Init(int width, int height);
  // Releases the pictures, the boards and the textures; safe after a partial Init and twice.
  void Finalize();

  // What the status board shows of the game this frame.
  struct Reading {
    bool paused;     // the pause sign in place of the sight
    int hitPoint;    // the life bar's length in pixels (below 0 as 0)
    int magazine;    // rounds left, of magazineSize
    int magazineSize;
    int bulletType;  // 0 normal, 1 special rounds
    int floor;       // the floor number shown while it is fresh
    int spBullets;   // the special-round counter, three digits
    bool hitMark;    // a still mark along the edges: a hit with the damage flash off
    bool colourSafe;  // the life bar and the rounds in colours every eye tells apart
    long timer = -1;  // frames the run timer shows as M:SS.CC at 17 ms a frame; -1: no timer
  };
  // Composes the board for this frame; only what changed since the last frame is drawn again.
  void Compose(const Reading& game);
  // Uploads the changed parts of the board to its texture.
  void Upload();
  // The 2D part of the frame: the board's parts that hold something, then the overlay unless it
  // is transparent. The model-view matrix is the eye's (identity).
  void Draw();
  // The overlay drawn once, faintly, where the next frame clears: the renderer prepares its work
  // for it before the first flash or fade.
  void WarmUpDrawing();

  // The floor number shows again for FLOOR_DISP_TIME frames (a new floor).
  void ShowFloorNumber();
  // The overlay's colour and opacity (0..255 each).
  void FillOverlay(int r, int g, int b, int alpha);
  // Shows the caption picture at `path` in the middle of the board; 0, or -1 after a message.
  // A picture read ahead by PrepareCaption is only put up.
  int ShowCaption(const std::string& path);
  // Reads the caption picture at `path` ahead of its ShowCaption (nothing when it is read
  // already); a picture that cannot be read is named once, and its ShowCaption fails.
  void PrepareCaption(const std::string& path);
  // Takes the caption away.
  void ReleaseCaption();

  // The pictures as composed (R, G, B, A bytes), for the tests and tools that read them.
  SDL_Surface* StatusPicture() const { return statusSurface; }
  const Uint8* OverlayColour() const { return overlayColour; }  // red, green, blue, alpha
  SDL_Surface* Caption() const { return caption; }
  SDL_Surface* BulletIcon(int i) const { return bulletIcons[i]; }  // normal, special, empty
  SDL_Surface* FloorGlyph(int i) const { return floorGlyphs[i]; }  // 0-9, B, F
  SDL_Surface* SpGlyph(int i) const { return spGlyphs[i]; }        // 0-9, times sign, bullet
  int floorDispTime = 0;  // frames the floor number still shows; fades over its last 60

 private:
  void DrawStatusBoard(float halfWidth, float halfHeight, float u, float v);
  // The overlay's quad in `colour` (red, green, blue, alpha), blended (the matrix at the board).
  void DrawOverlay(const Uint8* colour);
  // The run timer's pieces: the counter's digits, the colon and point as small squares.
  void ComposeTimer(long frames);

  int width = 0, height = 0;
  SDL_Surface* statusSurface = nullptr;
  SDL_Surface* bulletIcons[3] = {nullptr, nullptr, nullptr};
  std::vector<SDL_Surface*> floorGlyphs;
  std::vector<SDL_Surface*> spGlyphs;
  SDL_Surface* sightImage = nullptr;
  SDL_Surface* gaugeImage = nullptr;
  SDL_Surface* pauseImage = nullptr;
  SDL_Surface* caption = nullptr;
  // The caption read ahead and its path (the path kept, the picture null, when it failed).
  std::string preparedCaptionPath;
  SDL_Surface* preparedCaption = nullptr;
  unsigned int statusTexture = 0;
  bool texturesMade = false;
  int texWidth = 0, texHeight = 0;
  // The status board's pieces of the last frames: only what changed is recomposed and uploaded,
  // and only the rectangles that hold something are drawn (in window pixels, none overlapping).
  BoardPieces statusPieces;
  std::vector<SDL_Rect> statusScissors;
  Uint8 overlayColour[4] = {0, 0, 0, 0};  // the overlay's red, green, blue and alpha
};
