// Test support: pushing SDL events as the player would make them. Pushed events reach
// SDL_PollEvent only; they do not change SDL_GetKeyState or SDL_GetMouseState.
#pragma once

#include <SDL/SDL.h>

namespace testsupport {

void PushKey(SDLKey key, bool down);
// A key pressed and released.
void PushKeyTap(SDLKey key);
// A click of a mouse button (1 left, 2 middle, 3 right): down, then up, at window position (x, y).
void PushClick(int button, int x, int y);
// A relative mouse motion from the window centre.
void PushMouseMotion(int dx, int dy);
// A mouse button pressed or released at the window centre.
void PushMouseButton(int button, bool down);
// A pad button pressed and released, and the first hat moved (SDL_HAT_* bits), on pad 0.
void PushPadButtonTap(int button);
void PushPadHat(int value);
// A window-close request.
void PushQuit();
// Removes every pending event.
void DrainEvents();

}  // namespace testsupport
