// The player's comfort settings in the game scene; the defaults are the game as designed.
#pragma once

struct PlayerComfort {
  float sensitivity = 1.0f;  // multiplies the 0.1 degrees of turn per pixel of mouse motion
  bool invertMouse = false;  // mouse motion forward (up) looks down
  int damageFlash = 100;     // 0..100: percent of the red damage flash's opacity
  int whiteFlash = 100;      // 0..100: percent of the last boss's white flash's opacity
  bool colourSafe = false;   // the life bar and the rounds in colours told apart without red and green
  float fieldOfView = 1.0f;  // 0.8..1.5: the 3D view's angle as a factor of the designed 60 degrees
  bool visibleSounds = false;  // unseen attacks marked at the screen's edge, effects captioned
  int timer = 0;             // the run timer on the status board: TimerSetting OFF, FLOOR or RUN (the game's time)

  // A flash's opacity (0..255) at `percent` of its strength.
  static int FlashAlpha(int alpha, int percent) { return alpha * percent / 100; }
};
