// The per-frame marks of a timed demo: a set of bits, named when the frame is kept.
#include "common/framemarks.h"

namespace QUORL_COMMON {

namespace {

const char* const kMarkNames[MARK_COUNT] = {"floor", "textures", "caption", "voice", "music", "list", "model"};

bool enabled = false;
unsigned noted = 0;  // bit k: mark k happened in this frame

}  // namespace

void FrameMarks::Enable(bool on) {
  enabled = on;
  noted = 0;
}

void FrameMarks::Note(FrameMark mark) {
  if (enabled && mark >= 0 && mark < MARK_COUNT) noted |= 1u << mark;
}

std::string FrameMarks::Take() {
  std::string names;
  for (int k = 0; k < MARK_COUNT; ++k) {
    if (!(noted & (1u << k))) continue;
    if (!names.empty()) names += '+';
    names += kMarkNames[k];
  }
  noted = 0;
  return names;
}

const char* FrameMarks::Name(FrameMark mark) { return mark >= 0 && mark < MARK_COUNT ? kMarkNames[mark] : ""; }

}  // namespace QUORL_COMMON
