// The built-in player (--autoplay): decides each frame's input from what the scenes show and
// hands it back as script events, which the frame loop delivers through SDL like a person's
// input (and records with --record). It never touches the game's state.
#pragma once

#include <vector>

#include "harness/scriptevent.h"
#include "common/playview.h"

class AutoPlayer {
 public:
  // `stopFloor` > 0: once a game has stood on that floor for a while, go back to the title and
  // quit (the end of a demo); 0 plays on to the ending.
  explicit AutoPlayer(int stopFloor = 0) : stopFloor_(stopFloor) {}

  // The input of `frame` while `scene` runs; `canContinue`: the title offers to continue;
  // `view`: the game as it stood after its last frame (read only in the game scene).
  std::vector<ScriptEvent> Step(long frame, int scene, bool canContinue, const PlayView& view);

 private:
  std::vector<ScriptEvent> Title(long frame, bool canContinue);
  std::vector<ScriptEvent> Game(long frame, const PlayView& view);
  // Forgets what belonged to the floor left (targets and items given up).
  void NewFloor(const PlayView& view);
  // Chooses the rounds: special ones while a boss lives and some are in stock, normal ones otherwise.
  void ChooseRounds(long frame, const PlayView& view, std::vector<ScriptEvent>* out);
  // Turns to the enemy and fires when lined up; counts the shots that did nothing.
  void Fight(long frame, const PlayView& view, int target, std::vector<ScriptEvent>* out);
  // Walks the cells towards cell (row, col): false when already there or there is no way.
  bool FollowWay(long frame, const PlayView& view, int row, int col, std::vector<ScriptEvent>* out);
  // The index of an item worth a short detour (special rounds; meat when hurt), or -1.
  int NearItem(const PlayView& view) const;
  // The living boss (or the shell of the last one), or -1.
  static int Boss(const PlayView& view);
  std::vector<ScriptEvent> Ending(long frame);
  // Walks towards the world point (x, z): turns to it, holds W while facing it.
  void WalkTo(long frame, const PlayView& view, float x, float z, std::vector<ScriptEvent>* out);
  // Turns by `degrees` and tilts the view by `pitchDegrees` (positive: down); a mouse motion of
  // 10 pixels a degree.
  static void Turn(long frame, float degrees, float pitchDegrees, std::vector<ScriptEvent>* out);
  void HoldWalk(long frame, bool hold, std::vector<ScriptEvent>* out);
  // Presses a key or the left button now and lets it go next frame.
  void Press(long frame, SDLKey key, std::vector<ScriptEvent>* out);
  void Click(long frame, int x, int y, std::vector<ScriptEvent>* out);
  // The index of the enemy to fight (alive, not parked, not given up, in sight and in range;
  // bosses first), or -1.
  int Target(long frame, const PlayView& view) const;

  int stopFloor_ = 0;
  long onStopFloor_ = 0;     // game frames seen on the stop floor
  int scene_ = 0;            // the scene of the last step
  long sceneStart_ = 0;      // the frame it began
  bool played_ = false;      // a game has been played: the next title ends the run
  bool walking_ = false;     // W is held
  long walkSince_ = 0;       // frame W was last pressed
  float lastPos_[2] = {0, 0};
  long stillSince_ = 0;      // frame the player last moved
  long reloadAsked_ = -1000; // frame R was last pressed
  long switchAsked_ = -1000; // frame F was last pressed
  int floor_ = 0;            // the floor the memories below belong to
  long fought_ = 0;          // frames spent fighting the floor's ordinary enemies
  int target_ = -1;          // the enemy fought last, its hit points then, and shots fired since they fell
  int targetHitPoints_ = 0;
  int idleShots_ = 0;
  std::vector<long> ignoreUntil_;  // per enemy: left alone until this frame (shots did nothing)
  int item_ = -1;                  // the item being fetched, since this frame
  long itemSince_ = 0;
  std::vector<bool> itemGivenUp_;  // per enemy: its item could not be reached
  std::vector<ScriptEvent> release_;  // keys and buttons to let go of next frame
};
