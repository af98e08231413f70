// The game's window: SDL started on X11, the OpenGL window or full screen, and its diagnostics.
#pragma once

#include "common/screenframe.h"
#include "common/settings.h"

// The frame every scene draws (the window's picture is this, scaled as the settings ask).
const int SCREEN_WIDTH = ScreenFrame::FRAME_WIDTH;
const int SCREEN_HEIGHT = ScreenFrame::FRAME_HEIGHT;

// The application id: the window class desktops match with the installed desktop entry.
extern const char* const WINDOW_CLASS;

// Starts SDL's video and audio. Left to itself SDL falls back from X11 to text-terminal drivers,
// which take the terminal over and then have no OpenGL: unless the user chose a driver
// (SDL_VIDEODRIVER), X11 is the only one tried. Returns 0, or -1 after one line on standard error.
int StartVideo();

// Opens the window as the settings ask (full-screen and swap synchronisation) and prints the
// library's and the display's diagnostics. Returns 0, or -1 after one line on standard error.
int OpenWindow(const Settings& settings);

// Sets the window again: its size, or full screen at the desktop's resolution, and how the frame is
// scaled into it. Full screen that cannot be had falls back to the window (one line). Returns 0;
// 1 when the library made a new OpenGL context (every texture and display list is gone); -1 after
// one line when no window could be had at all.
int SetDisplay(const Settings& settings);

// The settings differ in what the window shows (full screen, size, render, scaling).
bool DisplayDiffers(const Settings& a, const Settings& b);

// The SDL library in use, e.g. "SDL 1.2.15" or "SDL 1.2.68 (the compatibility layer over SDL 2)".
std::string LibraryName();
