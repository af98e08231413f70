// The run's tally of what a player feels and hears: damage taken by source, enemies killed and
// items taken by kind, sound effects started and the music library's calls, for the run summary.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace QUORL_COMMON {

// Where a hit on the player came from: the body of an enemy type, or an enemy bullet kind.
enum HitSource { HIT_BODY = 0, HIT_BULLET = 1 };

// One hit on the player in a frame.
struct PlayerHit {
  int source;  // HitSource
  int kind;    // enemy type (HIT_BODY) or bullet kind (HIT_BULLET)
  int damage;
};

class RunTally {
 public:
  // A hit that reached the player (not cancelled by invincibility).
  void Hit(const PlayerHit& hit);
  // An enemy of `type` died.
  void Kill(int type);
  // An item of `kind` (10 meat, 11 special bullets) worth `amount` was taken.
  void Item(int kind, int amount);
  // A sound effect was started with its loudness per side (0..1000, before the player's volume).
  void Sound(const std::string& alias, int left, int right);
  // Music library calls as the game makes them (soft volume before the player's music volume).
  void MusicLoaded();
  void MusicOpen(const char* path);
  void MusicPlay() { ++musicPlays_; }
  void MusicStop() { ++musicStops_; }
  void MusicVolume(int left, int right);

  // The tally as summary lines, in this order: "damage HITS TOTAL"; one "damage-by body TYPE HITS
  // TOTAL" or "damage-by bullet KIND HITS TOTAL" per source; "kills TYPE COUNT" per enemy type;
  // "item KIND COUNT TOTAL" per item kind; "sound ALIAS COUNT VOLUME" per effect alias (VOLUME the
  // sum of the starts' loudness, the mean of both sides, 0..1000 each, rounded); "music-open PATH"
  // per file opened, in order; "music-calls PLAYS STOPS"; "music-volume L R" per change of the
  // soft volume, in order. Sources, types, kinds and aliases in increasing order.
  std::string Text() const;

 private:
  struct Count {
    int count = 0;
    long total = 0;
  };
  std::map<std::pair<int, int>, Count> damageBy_;  // (source, kind)
  std::map<int, int> kills_;
  std::map<int, Count> items_;
  std::map<std::string, Count> sounds_;  // total: sum of left + right
  std::vector<std::string> musicOpens_;
  int musicPlays_ = 0, musicStops_ = 0;
  int volumeLeft_ = 100, volumeRight_ = 100;  // the library plays at full volume after its init
  std::vector<std::pair<int, int>> volumeChanges_;
};

// The process-wide tally of this run.
RunTally& Tally();

}  // namespace QUORL_COMMON
