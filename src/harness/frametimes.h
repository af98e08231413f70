// The frame times of --timedemo: collected per frame, summed up in one line, written as CSV.
#pragma once

#include <string>
#include <vector>

// The figures of a timed run. Percentiles are nearest-rank (the smallest time at or above which
// the given share of frames lies); all zero for a run without frames.
struct FrameTimeFigures {
  long frames = 0;
  double seconds = 0;  // the frame times summed
  double fps = 0;      // frames / seconds (0 when seconds is 0)
  double medianMs = 0, p90Ms = 0, p99Ms = 0, worstMs = 0;
  // Frames over twice the median, not counting the first frame of each scene (a scene's set-up
  // is its own start, not a stutter in play).
  long hitches = 0;
};

// One timed frame: its time, where it was played and what it carried.
struct TimedFrame {
  double ms = 0;
  int scene = 0;               // the scene code that played it
  int floor = 0;               // the game's floor (0 outside a game)
  std::vector<double> phases;  // the phase times in ms (empty unless profiled)
  std::string marks;           // the frame's marks joined by '+' (see FrameMarks)
};

class FrameTimes {
 public:
  // Adds one frame's time in milliseconds (scene 0, no floor, phases or marks).
  void Add(double milliseconds) { Add(TimedFrame{milliseconds, 0, 0, {}, {}}); }
  void Add(const TimedFrame& frame) { frames_.push_back(frame); }
  const std::vector<TimedFrame>& Frames() const { return frames_; }

  FrameTimeFigures Figures() const;
  // The one line --timedemo prints: "timedemo NAME: F frames, S s, A fps, median M ms, 90% P ms,
  // 99% Q ms, worst W ms, H hitches".
  std::string Line(const std::string& name) const;
  // Writes the header "frame,scene,floor,ms,logic_ms,compose_ms,upload_ms,3d_ms,boards_ms,swap_ms,
  // marks" and one line per frame (numbered from 1; the phase columns empty when not profiled).
  // Returns 0, or -1 when the file cannot be written.
  int WriteCsv(const std::string& path) const;

 private:
  std::vector<TimedFrame> frames_;
};
