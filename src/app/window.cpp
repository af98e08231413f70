// Starting SDL and opening the game's window or full screen.
#include "app/window.h"

#include <GL/gl.h>
#include <SDL/SDL.h>

#include <cstdio>
#include <cstdlib>
#include <string>

const char* const WINDOW_CLASS = "org.quorl.Quorl";

namespace {

int g_desktopWidth = 0;   // the desktop's resolution, read before the first window is opened
int g_desktopHeight = 0;
int g_depth = 24;         // the colour depth asked for
unsigned int g_probe;     // a 1 x 1 texture: gone after a mode change means a new OpenGL context

// The compatibility layer over SDL 2 calls itself 1.2.50 and later; the classic library ended at 1.2.15.
const int FIRST_COMPAT_PATCH = 50;

void MakeProbe() {
  const unsigned char pixel[4] = {0, 0, 0, 0};
  glGenTextures(1, &g_probe);
  glBindTexture(GL_TEXTURE_2D, g_probe);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
  glBindTexture(GL_TEXTURE_2D, 0);
}

void PrintAttribute(const char* name, SDL_GLattr attribute, int requested) {
  int value = 0;
  SDL_GL_GetAttribute(attribute, &value);
  printf("%s: requested %d, got %d\n", name, requested, value);
}

}  // namespace

std::string LibraryName() {
  const SDL_version* linked = SDL_Linked_Version();
  std::string name = "SDL " + std::to_string(linked->major) + "." + std::to_string(linked->minor) + "." +
                     std::to_string(linked->patch);
  if (linked->patch >= FIRST_COMPAT_PATCH) name += " (the compatibility layer over SDL 2)";
  return name;
}

int StartVideo() {
  const char* chosenDriver = getenv("SDL_VIDEODRIVER");
  const bool driverChosen = chosenDriver != nullptr && chosenDriver[0] != '\0';
  if (!driverChosen) setenv("SDL_VIDEODRIVER", "x11", 1);
  setenv("SDL_VIDEO_X11_WMCLASS", WINDOW_CLASS, 0);  // the desktop entry's StartupWMClass
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_AUDIO) < 0) {
    if (!driverChosen && SDL_WasInit(SDL_INIT_VIDEO) == 0) {
      fprintf(stderr,
              "QUORL needs an X display with OpenGL; xvfb-run serves for checks without a screen\n");
    } else {
      fprintf(stderr, "Couldn't initialize SDL: %s\n", SDL_GetError());
    }
    return -1;
  }
  SDL_ClearError();  // a library may note what it only tried (an audio device it did not keep)
  return 0;
}

bool DisplayDiffers(const Settings& a, const Settings& b) {
  return a.fullscreen != b.fullscreen || a.windowWidth != b.windowWidth || a.windowHeight != b.windowHeight ||
         a.render != b.render || a.linearScaling != b.linearScaling;
}

int SetDisplay(const Settings& settings) {
  const bool full = settings.fullscreen && g_desktopWidth > 0 && g_desktopHeight > 0;
  SDL_Surface* screen = nullptr;
  if (full) {
    // The desktop's own resolution: nothing to switch, so every display and desktop can have it.
    screen = SDL_SetVideoMode(g_desktopWidth, g_desktopHeight, g_depth, SDL_OPENGL | SDL_FULLSCREEN);
    if (screen == nullptr) printf("QUORL: no full screen (%s); a window instead\n", SDL_GetError());
  }
  if (screen == nullptr) screen = SDL_SetVideoMode(settings.windowWidth, settings.windowHeight, g_depth, SDL_OPENGL);
  if (screen == nullptr) {
    fprintf(stderr, "Couldn't set GL mode: %s\n", SDL_GetError());
    return -1;
  }
  SDL_ClearError();  // the layer over SDL 2 notes the mode switch it did not need to make
  const bool newContext = g_probe != 0 && glIsTexture(g_probe) == GL_FALSE;
  if (newContext) ScreenFrame::Finalize();  // its copy texture went with the old context
  if (g_probe == 0 || newContext) MakeProbe();
  ScreenFrame::Use(ScreenFrame::MakeLayout(screen->w, screen->h,
                                           settings.render == 1 ? ScreenFrame::CLASSIC : ScreenFrame::SHARP,
                                           settings.linearScaling));
  return newContext ? 1 : 0;
}

int OpenWindow(const Settings& settings) {
  const SDL_VideoInfo* info = SDL_GetVideoInfo();
  g_desktopWidth = info->current_w;
  g_desktopHeight = info->current_h;
  g_depth = info->vfmt->BitsPerPixel > 8 ? 24 : 8;
  const int bits = g_depth == 8 ? 3 : 8;
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, bits);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, bits);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, g_depth == 8 ? 2 : 8);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_SWAP_CONTROL, settings.vsync ? 1 : 0);
  SDL_WM_SetCaption("QUORL", "QUORL");
  if (SetDisplay(settings) == -1) return -1;
  const SDL_Surface* screen = SDL_GetVideoSurface();
  printf("Library    : %s\n", LibraryName().c_str());
  printf("Window     : %d x %d%s on a %d x %d desktop\n", screen->w, screen->h,
         (screen->flags & SDL_FULLSCREEN) ? " full screen" : "", g_desktopWidth, g_desktopHeight);
  printf("Screen BPP: %d\n", screen->format->BitsPerPixel);
  printf("\n");
  printf("Vendor     : %s\n", glGetString(GL_VENDOR));
  printf("Renderer   : %s\n", glGetString(GL_RENDERER));
  printf("Version    : %s\n", glGetString(GL_VERSION));
  printf("Extensions : %s\n", glGetString(GL_EXTENSIONS));
  printf("\n");
  PrintAttribute("SDL_GL_RED_SIZE", SDL_GL_RED_SIZE, bits);
  PrintAttribute("SDL_GL_GREEN_SIZE", SDL_GL_GREEN_SIZE, bits);
  PrintAttribute("SDL_GL_BLUE_SIZE", SDL_GL_BLUE_SIZE, g_depth == 8 ? 2 : 8);
  PrintAttribute("SDL_GL_DEPTH_SIZE", SDL_GL_DEPTH_SIZE, 16);
  PrintAttribute("SDL_GL_DOUBLEBUFFER", SDL_GL_DOUBLEBUFFER, 1);
  return 0;
}
