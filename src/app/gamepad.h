// The gamepad: the one pad the player uses, opened at start through SDL's joystick interface.
#pragma once

// Starts SDL's joystick part and opens pad `index` of those found (-1: none is used), printing
// one line: the pad's name and its axes, buttons and hats, or that none is there. SDL 1.2 looks
// for pads only here: a pad plugged in later is not seen until the next start. Returns 0 when a
// pad is open, -1 otherwise (the game is played without one).
int OpenGamepad(int index);
// Closes the pad, if open.
void CloseGamepad();
