// JointPair: the colours of two segments joined by a passage of the map generator.
#pragma once

namespace DungeonMake {

class JointPair {
 public:
  JointPair(int first, int second) : first(first), second(second) {}

  // True when the pair names `colour`.
  bool Has(int colour) const { return first == colour || second == colour; }
  // The colour across the joint from `colour` (which the pair must name).
  int Other(int colour) const { return first == colour ? second : first; }

  int first;   // colour of the segment that made the joint
  int second;  // colour of the segment it joins
};

}  // namespace DungeonMake
