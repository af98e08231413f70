// The game's window: SDL started on X11, the 800 x 600 OpenGL window and its diagnostics.
#pragma once

#include "common/settings.h"

const int SCREEN_WIDTH = 800;
const int SCREEN_HEIGHT = 600;

// Starts SDL's video and audio. Left to itself SDL falls back from X11 to text-terminal drivers,
// which take the terminal over and then have no OpenGL: unless the user chose a driver
// (SDL_VIDEODRIVER), X11 is the only one tried. Returns 0, or -1 after one line on standard error.
int StartVideo();

// Opens the window (full-screen and swap synchronisation as the settings ask) and prints the
// display's diagnostics. Returns 0, or -1 after one line on standard error.
int OpenWindow(const Settings& settings);
