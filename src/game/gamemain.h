// The game scene: one game in progress, from its first floor to death, Escape or the last boss.
#pragma once

class GameMain {
 public:
  GameMain();
  ~GameMain();

  // Starts a game of a width x height screen on `floor`, in special mode or not, carrying the
  // enemy and kill counts of the game so far. Returns 0, or -1 after a message.
  int Init(int width, int height, int floor, bool spMode, int enemyCount, int killCount);
  // One frame: events, update, drawing, buffer swap. Returns 2 to stay, 1 for the title,
  // 3 for the ending roll, 99 to quit, -1 on error.
  int Action(int code);
  // The floor now being played.
  int GetFloor();
  // Enemies placed and killed so far.
  void getKillData(int* enemyCount, int* killCount);
  // Releases everything Init acquired; does nothing when not initialised.
  void Finalize();

 private:
  bool initialized_ = false;
  int floor_ = 1;
  int enemyCount_ = 0;
  int killCount_ = 0;
};
