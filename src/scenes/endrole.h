// The ending roll: staff pages, then the share of enemies killed.
#pragma once

class Endrole {
 public:
  Endrole();
  ~Endrole();

  // Opens the ending for a width x height screen with the game's enemy and kill counts.
  // Returns 0, or -1 after a message.
  int Init(int width, int height, int enemyCount, int killCount);
  // One frame. Returns 3 to stay, 1 for the title, 99 to quit, -1 on error.
  int Action(int code);
  // Releases everything Init acquired; does nothing when not initialised.
  void Finalize();

 private:
  bool initialized_ = false;
};
