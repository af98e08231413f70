// Counting a game's floors.
#include "game/runstats.h"

#include <cstddef>
#include <utility>

void RunStats::StartGame(bool fromStart) {
  *this = RunStats();
  fromStart_ = fromStart;
}

void RunStats::StartFloor(int floor, int met) {
  current_ = FloorStats();
  current_.floor = floor;
  current_.met = met;
  inFloor_ = true;
  if (floor > deepest_) deepest_ = floor;
  if (floor >= 0) {
    if (arrivals_.size() <= static_cast<size_t>(floor)) arrivals_.resize(static_cast<size_t>(floor) + 1, -1);
    if (arrivals_[floor] < 0) arrivals_[floor] = total_.frames;
  }
}

void RunStats::EndFloor(int killed) {
  if (!inFloor_) return;
  inFloor_ = false;
  current_.killed = killed;
  total_.frames += current_.frames;
  total_.met += current_.met;
  total_.killed += current_.killed;
  total_.shots += current_.shots;
  total_.hits += current_.hits;
  total_.damage += current_.damage;
  total_.items += current_.items;
  finished_.push_back(current_);
}

long RunStats::ArrivalFrames(int floor) const {
  if (floor < 0 || static_cast<size_t>(floor) >= arrivals_.size()) return -1;
  return arrivals_[floor];
}

std::vector<FloorStats> RunStats::TakeFinished() {
  std::vector<FloorStats> taken;
  taken.swap(finished_);
  return taken;
}
