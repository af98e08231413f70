// The per-phase frame profile of --timedemo-phases: where the time of each frame goes.
#pragma once

#include <string>
#include <vector>

namespace QUORL_COMMON {

// The phases of a frame, in the order a game frame passes them.
enum FramePhase {
  PHASE_LOGIC,    // events, walking, enemies, shots, hit points, timers
  PHASE_COMPOSE,  // boards composed on the processor
  PHASE_UPLOAD,   // boards copied into their canvas textures
  PHASE_3D,       // the floor, the enemies and the bullets drawn and rasterised
  PHASE_BOARDS,   // the board quads drawn and rasterised
  PHASE_SWAP,     // the buffer swap and the frame finished
  PHASE_COUNT
};

// The profile is off unless switched on; then every Mark first waits for the OpenGL work handed
// out so far (glFinish), so that the drawing is counted in the phase that asked for it. That
// waiting costs a little itself: a profiled run is slower than a plain --timedemo.
class FramePhases {
 public:
  static void Enable(bool on);
  static bool Enabled();
  // A frame starts: its clock is taken.
  static void StartFrame();
  // The time since the last mark (or the frame's start) belonged to `phase`.
  static void Mark(FramePhase phase);
  // The frame is over: the time since the last mark goes to the swap, and the frame is kept.
  static void EndFrame();
  // One line per phase: median, mean, 99th percentile and the share of the summed frame time,
  // headed "phases NAME:" (empty when no frame was kept).
  static std::string Table(const std::string& name);
  // The phase times of the frame kept last, in milliseconds (empty when none was kept).
  static std::vector<double> LastFrame();
  // The name of a phase as the table prints it.
  static const char* Name(FramePhase phase);
  // The phase's column in the per-frame file of --timedemo-csv ("logic_ms", ...).
  static const char* Column(FramePhase phase);
  // Forgets every kept frame (tests).
  static void Reset();
};

}  // namespace QUORL_COMMON
