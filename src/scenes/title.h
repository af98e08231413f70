// The title scene: the menu of new game, continue and the special mode.
#pragma once

class Title {
 public:
  Title();
  ~Title();

  // Opens the title for a width x height screen; `canContinue` offers the saved game,
  // `spUnlocked` allows the special mode. Returns 0, or -1 after a message.
  int Init(int width, int height, bool canContinue, bool spUnlocked);
  // One frame. Returns 1 to stay, 2 to start the game, 99 to quit, -1 on error.
  int Action(int code);
  // The player chose to continue the saved game.
  bool getUseContinue();
  // The player chose the special mode.
  bool getUseSpMode();
  // Releases everything Init acquired; does nothing when not initialised.
  void Finalize();

 private:
  bool initialized_ = false;
  bool useContinue_ = false;
  bool useSpMode_ = false;
};
