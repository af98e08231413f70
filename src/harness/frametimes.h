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
};

class FrameTimes {
 public:
  // Adds one frame's time in milliseconds.
  void Add(double milliseconds) { times_.push_back(milliseconds); }
  const std::vector<double>& Times() const { return times_; }

  FrameTimeFigures Figures() const;
  // The one line --timedemo prints: "timedemo NAME: F frames, S s, A fps, median M ms, 90% P ms,
  // 99% Q ms, worst W ms".
  std::string Line(const std::string& name) const;
  // Writes "frame,ms" and one line per frame (numbered from 1). Returns 0, or -1 when the file
  // cannot be written.
  int WriteCsv(const std::string& path) const;

 private:
  std::vector<double> times_;
};
