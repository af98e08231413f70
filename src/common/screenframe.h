// The screen frame: where the game's 800 x 600 picture lands in a window of any size, and how.
#pragma once

#include <SDL/SDL.h>

namespace ScreenFrame {

// The picture every scene draws: 800 x 600 pixels, 4:3.
const int FRAME_WIDTH = 800;
const int FRAME_HEIGHT = 600;

// How a window larger (or smaller) than the frame is filled.
enum Render {
  SHARP,    // the 3D view drawn at the window's own resolution, the boards' canvases scaled
  CLASSIC,  // the 800 x 600 frame drawn as at 800 x 600, then scaled as a whole
};

// A rectangle of window pixels, x from the left and y from the top (SDL's event coordinates).
struct Area {
  int x = 0, y = 0, w = FRAME_WIDTH, h = FRAME_HEIGHT;
};

// The window and the part of it the picture covers.
struct Layout {
  int windowWidth = FRAME_WIDTH;
  int windowHeight = FRAME_HEIGHT;
  Area area;                 // the largest 4:3 rectangle in the window, centred (black bars beside it)
  int render = SHARP;        // SHARP or CLASSIC
  bool linear = true;        // scaled pictures filtered (true) or in blocks of whole pixels (false)

  // The picture is larger or smaller than the frame: something is scaled.
  bool Scaled() const { return area.w != FRAME_WIDTH || area.h != FRAME_HEIGHT; }
  // The classic frame is drawn first in the window's lower-left 800 x 600 pixels, then copied.
  bool CopiesFrame() const { return render == CLASSIC && Scaled(); }
};

// The largest 4:3 area of a window of width x height pixels, centred; at least 1 x 1.
Area CentredArea(int width, int height);

// The layout for a window of width x height pixels.
Layout MakeLayout(int width, int height, int render, bool linear);

// Window pixel (x, y) in the frame's 800 x 600 pixels, clamped to the frame.
void ToFrame(const Layout& layout, int x, int y, int* frameX, int* frameY);
// The window pixel at the middle of frame pixel (x, y); ToFrame gives (x, y) back.
void ToWindow(const Layout& layout, int x, int y, int* windowX, int* windowY);

// ---- The layout in force (the window's) ----

// Sets the layout of the open window, the drawing state for it (viewport) and the pointer's
// centre. Needs the OpenGL context.
void Use(const Layout& layout);
const Layout& Current();

// The pointer's resting place while the game turns by the mouse: the window's middle pixel.
int CentreX();
int CentreY();
// Moves the pointer to the window's middle.
void CentrePointer();

// Polls one event as SDL_PollEvent does, with mouse positions given in frame pixels: for the
// scenes that point at things (menus, the ending). Mouse motion keeps its window-pixel xrel/yrel.
int PollFrameEvent(SDL_Event* event);

// glClear(mask) of the pixels the frame is drawn into, not of the whole window: a scaled window's
// bars are cleared when the frame is presented (a full-window clear costs a software renderer
// several times the frame's own pixels).
void ClearFrame(unsigned int mask);

// glScissor for a rectangle of frame pixels (OpenGL's convention: x, y from the lower left),
// wherever the frame lies in the window now.
void FrameScissor(int x, int y, int w, int h);

// Binds a texture holding a canvas of frame pixels, filtered as the layout asks: whole pixels at
// 1:1 (the designed picture), filtered or blocks when scaled.
void BindCanvas(unsigned int texture);

// Ends a frame before the buffer swap: in CLASSIC mode with a scaled picture, copies the 800 x 600
// frame into a texture and draws it scaled into the centred area; in a scaled window, clears the
// bars beside the area (black); otherwise nothing. Keeps every OpenGL state the scenes set.
void Present();

// Alt+Enter, the switch between window and full screen, seen before any scene: true for its key
// press and release (which no scene is to see); the press leaves a request for the scene loop.
bool CatchWindowToggle(const SDL_Event& event);
// True once after each Alt+Enter press.
bool TakeWindowToggle();

// Releases the copy texture (before the context goes).
void Finalize();

}  // namespace ScreenFrame
