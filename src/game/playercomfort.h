// The player's comfort settings in the game scene; the defaults are the game as designed.
#pragma once

struct PlayerComfort {
  float sensitivity = 1.0f;  // multiplies the 0.1 degrees of turn per pixel of mouse motion
  bool invertMouse = false;  // mouse motion forward (up) looks down
  bool noFlash = false;      // the red damage flash and the last boss's white flash at 1/3 opacity

  // A flash's opacity (0..255) as the player wants it.
  int FlashAlpha(int alpha) const { return noFlash ? alpha / 3 : alpha; }
};
