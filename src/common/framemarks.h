// The marks of --timedemo-csv: what loading or first-time work happened in a frame.
#pragma once

#include <string>

namespace QUORL_COMMON {

// What a frame can carry beyond its ordinary work. Each is noted where the work is done.
enum FrameMark {
  MARK_FLOOR,     // the game went on to another floor (its map and enemies made)
  MARK_TEXTURES,  // a floor texture set was read and uploaded
  MARK_CAPTION,   // a boss line's caption picture was read
  MARK_VOICE,     // a boss line's voice was opened
  MARK_MUSIC,     // a music piece was opened
  MARK_LIST,      // an OpenGL display list was compiled
  MARK_MODEL,     // a model (or a shot's picture) was drawn for the first time
  MARK_COUNT
};

// Off unless switched on (only a timed demo keeps them); noting is then a bit set in the frame.
class FrameMarks {
 public:
  static void Enable(bool on);
  static void Note(FrameMark mark);
  // The marks noted since the last Take, as their names joined by '+' ("floor+textures"), or an
  // empty string; they are forgotten.
  static std::string Take();
  // The name of a mark as Take writes it.
  static const char* Name(FrameMark mark);
};

}  // namespace QUORL_COMMON
