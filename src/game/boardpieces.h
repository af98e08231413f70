// The pieces a 2D board is composed of in one frame, and the rectangles that changed since the last.
#pragma once

#include <SDL/SDL.h>

#include <cstddef>
#include <vector>

// A board (a screen-sized 32-bit surface of R, G, B, A bytes, shown through its canvas texture) is
// listed each frame as pieces in drawing order: rectangle fills, pictures copied with their visible
// pixels (SDL_AlphaTestBlitSurface), with a new alpha (SDL_AlphaBlendBlitSurface) or whole
// (SDL_BlitSurface, transparent pixels included). Compose then redraws only the rectangles whose
// pieces differ from the last frame's (every piece that touches such a rectangle, clipped to it,
// on transparent black), so that the board holds exactly what a full redraw would give; Upload
// copies just those rectangles into the texture. Nothing is allocated once the lists have grown
// to the board's usual number of pieces.
class BoardPieces {
 public:
  // Starts the list of this frame's pieces.
  void Begin();
  void Fill(int x, int y, int w, int h, Uint32 colour);
  void Test(SDL_Surface* picture, int x, int y);
  void Blend(SDL_Surface* picture, int x, int y, int alpha);
  void Copy(SDL_Surface* picture, int x, int y);
  // Redraws the changed rectangles of `board`. Returns whether anything changed.
  bool Compose(SDL_Surface* board);
  // Copies the rectangles changed by the last Compose into `texture` (top-left aligned storage),
  // then forgets them.
  void Upload(SDL_Surface* board, unsigned int texture);
  // The next Compose redraws the whole board (after a picture of a listed piece changed in place,
  // or was released and another may take its address).
  void Invalidate() { whole = true; }
  // Rectangles of the board that hold every piece, none overlapping another: the only parts of
  // the board that can show anything. Valid after Compose.
  const std::vector<SDL_Rect>& Covered() const { return covered; }
  // Merges rectangles until none overlaps another (each overlap becomes the box around both).
  static void MergeOverlaps(std::vector<SDL_Rect>* rects);

 private:
  enum Kind { FILL, TEST, BLEND, COPY };
  struct Piece {
    Kind kind;
    SDL_Surface* picture;
    int x, y, w, h;  // where it lands (before clipping to the board)
    Uint32 colour;   // FILL
    int alpha;       // BLEND
    bool operator==(const Piece& o) const {
      return kind == o.kind && picture == o.picture && x == o.x && y == o.y && w == o.w && h == o.h &&
             colour == o.colour && alpha == o.alpha;
    }
  };
  void Add(const Piece& piece);
  // The rectangle a piece may change on a board of width x height (empty: w or h 0).
  static SDL_Rect Extent(const Piece& piece, int width, int height);
  void Draw(const Piece& piece, SDL_Surface* board, const SDL_Rect& clip);

  std::vector<Piece> pieces, shown;  // this frame's pieces, and those the board now holds
  std::vector<SDL_Rect> dirty, covered;
  bool whole = true;
};
