// The music's melodic instruments: one patch table, four engines (subtractive, FM, plucked
// string, formant choir), each rendering a single note.
#pragma once

#include <cstdint>

#include "audio/signal.h"

namespace assetgen {

enum class Instrument {
  kPad,        // warm detuned saws, slow swell
  kDarkPad,    // hollow square/saw pad, low cutoff
  kBell,       // FM bell, long ring
  kGlass,      // soft FM celesta
  kPluck,      // plucked string
  kBass,       // round filtered saw with a sub
  kDriveBass,  // gritty driven bass
  kLead,       // singing saw/square lead with delayed vibrato
  kEerieLead,  // wavering sine/triangle, theremin-like
  kChoir,      // sung "ah" through formants
  kOrgan,      // additive drawbar organ
  kBrass,      // bright stab with a filter sweep
};

// Renders one note of `freqHz`, held for `gate` seconds, then released; `velocity` 0 .. 1.
// The result includes the release tail.
Signal RenderNote(Instrument instrument, float freqHz, float gate, float velocity, uint64_t seed);

// Frequency of a MIDI note number (69 = A4 = 440 Hz).
float MidiToHz(float note);

}  // namespace assetgen
