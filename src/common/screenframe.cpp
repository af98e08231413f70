// The screen frame: the layout arithmetic, the pointer's mapping and the classic frame's scaling.
#include "common/screenframe.h"

#include <GL/gl.h>

#include <algorithm>

namespace ScreenFrame {

namespace {

Layout g_layout;              // the open window's
unsigned int g_copyTexture;   // CLASSIC: the 800 x 600 frame copied out of the back buffer
const int COPY_SIDE = 1024;   // the copy texture's side: a power of two holding the frame
bool g_toggleAsked;           // Alt+Enter pressed since the scene loop last looked

// The lower-left corner of the area in OpenGL's window coordinates.
int GLBottom(const Layout& layout) { return layout.windowHeight - layout.area.y - layout.area.h; }

// Smallest whole q with q * den >= num (num >= 0, den > 0).
int CeilDiv(long num, long den) { return static_cast<int>((num + den - 1) / den); }

// The window pixel in [start, start + size) at the middle of the ones that show frame pixel `f`
// of `frame` pixels.
int MiddleOf(int f, int frame, int start, int size) {
  const int first = CeilDiv(static_cast<long>(f) * size, frame);
  const int last = std::max(first, CeilDiv(static_cast<long>(f + 1) * size, frame) - 1);
  return start + std::min(size - 1, (first + last) / 2);
}

int FrameOf(int w, int start, int size, int frame) {
  const long offset = std::max(0, w - start);
  return std::min(frame - 1, static_cast<int>(offset * frame / size));
}

}  // namespace

Area CentredArea(int width, int height) {
  width = std::max(1, width);
  height = std::max(1, height);
  Area area;
  if (static_cast<long>(width) * FRAME_HEIGHT >= static_cast<long>(height) * FRAME_WIDTH) {
    area.h = height;  // wider than 4:3: bars left and right
    area.w = std::max(1, static_cast<int>(static_cast<long>(height) * FRAME_WIDTH / FRAME_HEIGHT));
  } else {
    area.w = width;  // narrower: bars above and below
    area.h = std::max(1, static_cast<int>(static_cast<long>(width) * FRAME_HEIGHT / FRAME_WIDTH));
  }
  area.x = (width - area.w) / 2;
  area.y = (height - area.h) / 2;
  return area;
}

Layout MakeLayout(int width, int height, int render, bool linear) {
  Layout layout;
  layout.windowWidth = std::max(1, width);
  layout.windowHeight = std::max(1, height);
  layout.area = CentredArea(width, height);
  layout.linear = linear;
  // The classic frame needs 800 x 600 pixels of the window to be drawn in before it is copied.
  const bool roomForFrame = width >= FRAME_WIDTH && height >= FRAME_HEIGHT;
  layout.render = render == CLASSIC && roomForFrame ? CLASSIC : SHARP;
  return layout;
}

void ToFrame(const Layout& layout, int x, int y, int* frameX, int* frameY) {
  *frameX = FrameOf(x, layout.area.x, layout.area.w, FRAME_WIDTH);
  *frameY = FrameOf(y, layout.area.y, layout.area.h, FRAME_HEIGHT);
}

void ToWindow(const Layout& layout, int x, int y, int* windowX, int* windowY) {
  *windowX = MiddleOf(std::clamp(x, 0, FRAME_WIDTH - 1), FRAME_WIDTH, layout.area.x, layout.area.w);
  *windowY = MiddleOf(std::clamp(y, 0, FRAME_HEIGHT - 1), FRAME_HEIGHT, layout.area.y, layout.area.h);
}

void Use(const Layout& layout) {
  g_layout = layout;
  if (layout.CopiesFrame() || !layout.Scaled()) {
    glViewport(0, 0, FRAME_WIDTH, FRAME_HEIGHT);
  } else {
    glViewport(layout.area.x, GLBottom(layout), layout.area.w, layout.area.h);
  }
}

const Layout& Current() { return g_layout; }

int CentreX() { return g_layout.windowWidth / 2; }
int CentreY() { return g_layout.windowHeight / 2; }

void CentrePointer() { SDL_WarpMouse(static_cast<Uint16>(CentreX()), static_cast<Uint16>(CentreY())); }

int PollFrameEvent(SDL_Event* event) {
  if (!SDL_PollEvent(event)) return 0;
  int x = 0, y = 0;
  if (event->type == SDL_MOUSEMOTION) {
    ToFrame(g_layout, event->motion.x, event->motion.y, &x, &y);
    event->motion.x = static_cast<Uint16>(x);
    event->motion.y = static_cast<Uint16>(y);
  } else if (event->type == SDL_MOUSEBUTTONDOWN || event->type == SDL_MOUSEBUTTONUP) {
    ToFrame(g_layout, event->button.x, event->button.y, &x, &y);
    event->button.x = static_cast<Uint16>(x);
    event->button.y = static_cast<Uint16>(y);
  }
  return 1;
}

void FrameScissor(int x, int y, int w, int h) {
  if (g_layout.CopiesFrame() || !g_layout.Scaled()) {
    glScissor(x, y, w, h);
    return;
  }
  // Every window pixel any part of the rectangle reaches.
  const Area& a = g_layout.area;
  const int x0 = static_cast<int>(static_cast<long>(x) * a.w / FRAME_WIDTH);
  const int x1 = CeilDiv(static_cast<long>(x + w) * a.w, FRAME_WIDTH);
  const int y0 = static_cast<int>(static_cast<long>(y) * a.h / FRAME_HEIGHT);
  const int y1 = CeilDiv(static_cast<long>(y + h) * a.h, FRAME_HEIGHT);
  glScissor(a.x + x0, GLBottom(g_layout) + y0, x1 - x0, y1 - y0);
}

void ClearFrame(unsigned int mask) {
  if (!g_layout.Scaled()) {
    glClear(mask);
    return;
  }
  glEnable(GL_SCISSOR_TEST);
  if (g_layout.CopiesFrame()) {
    glScissor(0, 0, FRAME_WIDTH, FRAME_HEIGHT);
  } else {
    glScissor(g_layout.area.x, GLBottom(g_layout), g_layout.area.w, g_layout.area.h);
  }
  glClear(mask);
  glDisable(GL_SCISSOR_TEST);
}

void BindCanvas(unsigned int texture) {
  glBindTexture(GL_TEXTURE_2D, texture);
  const bool filtered = g_layout.Scaled() && g_layout.render == SHARP && g_layout.linear;
  const GLint filter = filtered ? GL_LINEAR : GL_NEAREST;
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
}

// Clears the window outside the area, in black: the bars, and in CLASSIC mode the frame's
// pixels that lie in a bar. (The back buffer's content after a swap is not to be relied on, so
// every frame.)
void ClearBars() {
  const Layout& l = g_layout;
  const int bottom = GLBottom(l);
  const Area bars[] = {
      {0, 0, l.area.x, l.windowHeight},                                                  // left
      {l.area.x + l.area.w, 0, l.windowWidth - l.area.x - l.area.w, l.windowHeight},   // right
      {l.area.x, 0, l.area.w, bottom},                                                   // below
      {l.area.x, bottom + l.area.h, l.area.w, l.windowHeight - bottom - l.area.h},     // above
  };
  glClearColor(0, 0, 0, 1);
  glEnable(GL_SCISSOR_TEST);
  for (const Area& bar : bars) {  // x, y from the lower left here
    if (bar.w <= 0 || bar.h <= 0) continue;
    glScissor(bar.x, bar.y, bar.w, bar.h);
    glClear(GL_COLOR_BUFFER_BIT);
  }
}

void Present() {
  if (!g_layout.Scaled()) return;
  glPushAttrib(GL_ALL_ATTRIB_BITS);
  if (!g_layout.CopiesFrame()) {
    ClearBars();
    glPopAttrib();
    return;
  }
  if (g_copyTexture == 0) {
    glGenTextures(1, &g_copyTexture);
    glBindTexture(GL_TEXTURE_2D, g_copyTexture);
  // From the default read buffer, the frame being drawn (see ReadFrameBuffer).
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, COPY_SIDE, COPY_SIDE, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
  }
  glBindTexture(GL_TEXTURE_2D, g_copyTexture);
  glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, FRAME_WIDTH, FRAME_HEIGHT);
  const GLint filter = g_layout.linear ? GL_LINEAR : GL_NEAREST;
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);

  for (GLenum cap : {GL_SCISSOR_TEST, GL_DEPTH_TEST, GL_LIGHTING, GL_ALPHA_TEST, GL_BLEND, GL_CULL_FACE, GL_FOG,
                     GL_STENCIL_TEST}) {
    glDisable(cap);
  }
  glEnable(GL_TEXTURE_2D);
  glViewport(0, 0, g_layout.windowWidth, g_layout.windowHeight);
  ClearBars();
  glDisable(GL_SCISSOR_TEST);
  glMatrixMode(GL_TEXTURE);
  glPushMatrix();
  glLoadIdentity();
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0, g_layout.windowWidth, g_layout.windowHeight, 0, -1, 1);  // window pixels, y down
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();

  // The copy's row 0 is the frame's bottom row.
  const Area& a = g_layout.area;
  const float u = static_cast<float>(FRAME_WIDTH) / COPY_SIDE, v = static_cast<float>(FRAME_HEIGHT) / COPY_SIDE;
  glBegin(GL_QUADS);
  glTexCoord2f(0, v);
  glVertex2i(a.x, a.y);
  glTexCoord2f(0, 0);
  glVertex2i(a.x, a.y + a.h);
  glTexCoord2f(u, 0);
  glVertex2i(a.x + a.w, a.y + a.h);
  glTexCoord2f(u, v);
  glVertex2i(a.x + a.w, a.y);
  glEnd();

  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_TEXTURE);
  glPopMatrix();
  glPopAttrib();  // the matrix mode, viewport, enables, binding and colour as the scene left them
}

bool CatchWindowToggle(const SDL_Event& event) {
  if (event.type != SDL_KEYDOWN && event.type != SDL_KEYUP) return false;
  if (event.key.keysym.sym != SDLK_RETURN && event.key.keysym.sym != SDLK_KP_ENTER) return false;
  if ((event.key.keysym.mod & KMOD_ALT) == 0) return false;
  if (event.type == SDL_KEYDOWN) g_toggleAsked = true;
  return true;
}

bool TakeWindowToggle() {
  const bool asked = g_toggleAsked;
  g_toggleAsked = false;
  return asked;
}

void Finalize() {
  if (g_copyTexture != 0) glDeleteTextures(1, &g_copyTexture);
  g_copyTexture = 0;
}

}  // namespace ScreenFrame
