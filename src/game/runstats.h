// The statistics of the game in progress: what happened on each floor, counted as it is played.
// Counting only watches the game: nothing here changes play.
#pragma once

#include <vector>

// One floor of a game (or, summed, the whole game).
struct FloorStats {
  int floor = 0;     // 1..30 (0 for a sum)
  long frames = 0;   // frames played on the floor, pauses left out (17 ms each)
  int met = 0;       // enemies placed on the floor
  int killed = 0;    // of them killed before it was left (the game's own kill count)
  int shots = 0;     // shots fired (a special round is one shot)
  int hits = 0;      // shots that struck an enemy
  int damage = 0;    // hit points lost to enemies (hits cancelled by the knock-back's grace not counted)
  int items = 0;     // meat and special rounds picked up
};

class RunStats {
 public:
  // A game starts; `fromStart`: a new game (floor 1, nothing carried), whose times count towards
  // the time records.
  void StartGame(bool fromStart);
  // A floor starts with `met` enemies placed on it.
  void StartFloor(int floor, int met);
  // The floor in progress ends with `killed` of its enemies killed: it joins the finished floors.
  // Does nothing when no floor is in progress.
  void EndFloor(int killed);

  // Counting during a floor.
  void Frame() { ++current_.frames; }
  void Shots(int count) { current_.shots += count; }
  void Hit() { ++current_.hits; }
  void Damage(int points) { current_.damage += points; }
  void Item() { ++current_.items; }

  bool FromStart() const { return fromStart_; }
  bool InFloor() const { return inFloor_; }
  const FloorStats& Current() const { return current_; }
  // Frames of the game so far: the finished floors and the one in progress.
  long GameFrames() const { return total_.frames + (inFloor_ ? current_.frames : 0); }
  // The sum of the finished floors (floor 0).
  const FloorStats& Total() const { return total_; }
  // The deepest floor started in this game (0 before the first).
  int Deepest() const { return deepest_; }
  // The game's frames when `floor` was entered (-1: not entered in this game).
  long ArrivalFrames(int floor) const;
  // The floors finished since the last call, oldest first.
  std::vector<FloorStats> TakeFinished();

 private:
  FloorStats current_, total_;
  bool inFloor_ = false;
  bool fromStart_ = false;
  int deepest_ = 0;
  std::vector<long> arrivals_;  // by floor: frames at entry, -1 not entered
  std::vector<FloorStats> finished_;
};
