// The run's tally for the run summary.
#include "common/runtally.h"

namespace QUORL_COMMON {

void RunTally::Hit(const PlayerHit& hit) {
  Count& by = damageBy_[{hit.source, hit.kind}];
  ++by.count;
  by.total += hit.damage;
}

void RunTally::Kill(int type) { ++kills_[type]; }

void RunTally::Item(int kind, int amount) {
  Count& item = items_[kind];
  ++item.count;
  item.total += amount;
}

void RunTally::Sound(const std::string& alias, int left, int right) {
  Count& sound = sounds_[alias];
  ++sound.count;
  sound.total += left + right;
}

void RunTally::MusicLoaded() { volumeLeft_ = volumeRight_ = 100; }

void RunTally::MusicOpen(const char* path) { musicOpens_.push_back(path != nullptr ? path : ""); }

void RunTally::MusicVolume(int left, int right) {
  if (left == volumeLeft_ && right == volumeRight_) return;
  volumeLeft_ = left;
  volumeRight_ = right;
  volumeChanges_.emplace_back(left, right);
}

std::string RunTally::Text() const {
  const auto number = [](long n) { return std::to_string(n); };
  Count damage;
  for (const auto& by : damageBy_) damage.count += by.second.count, damage.total += by.second.total;
  std::string out = "damage " + number(damage.count) + " " + number(damage.total) + "\n";
  static const char* const sources[2] = {"body", "bullet"};
  for (const auto& by : damageBy_) {
    out += std::string("damage-by ") + sources[by.first.first == HIT_BULLET ? 1 : 0] + " " +
           number(by.first.second) + " " + number(by.second.count) + " " + number(by.second.total) + "\n";
  }
  for (const auto& kill : kills_) out += "kills " + number(kill.first) + " " + number(kill.second) + "\n";
  for (const auto& item : items_) {
    out += "item " + number(item.first) + " " + number(item.second.count) + " " + number(item.second.total) + "\n";
  }
  for (const auto& sound : sounds_) {
    out += "sound " + sound.first + " " + number(sound.second.count) + " " + number((sound.second.total + 1) / 2) +
           "\n";
  }
  for (const std::string& path : musicOpens_) out += "music-open " + path + "\n";
  out += "music-calls " + number(musicPlays_) + " " + number(musicStops_) + "\n";
  for (const auto& v : volumeChanges_) out += "music-volume " + number(v.first) + " " + number(v.second) + "\n";
  return out;
}

RunTally& Tally() {
  static RunTally tally;
  return tally;
}

}  // namespace QUORL_COMMON
