// A small sequencer: a song is a tempo, a number of bars and tracks of notes or drum hits,
// written with short text patterns, and rendered to a seamless stereo loop.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "audio/drum.h"
#include "audio/instrument.h"
#include "audio/signal.h"

namespace assetgen {

// Room and loudness of a rendered song.
struct Mixdown {
  float room = 0.7f;      // reverb decay 0 .. 1
  float damping = 0.5f;   // reverb high damping 0 .. 1
  float scale = 1.0f;     // reverb size
  float wet = 0.3f;       // reverb return level
  float loudnessDb = -17.0f;
  double seamFade = 0.004;  // seconds faded at each end so a restart after a pause is silent
};

// One note or drum hit of a track.
struct SongNote {
  double step;     // start, in sixteenth notes from the loop's beginning
  double length;   // steps
  float pitch;     // MIDI note number (0 for drum hits)
  float velocity;  // 0 .. 1
};

class Song {
 public:
  // `bpm` quarter notes per minute, `bars` in the loop, 16 steps (sixteenth notes) per 4/4 bar
  // unless `stepsPerBar` says otherwise (12 for 3/4 bars).
  Song(double bpm, int bars, int stepsPerBar = 16);

  // Room and loudness used by Render.
  Mixdown mix;

  // Adds a track and returns its number.
  int AddTrack(Instrument instrument, float gain, float pan, float send);
  int AddDrums(Drum drum, float gain, float pan, float send);

  // Notes from text, starting at `bar`: tokens like "A4:4" (note, octave, length in steps),
  // "C#5:2!", "Bb3:8~" ('!' accent, '~' soft), "r:4" a rest. Returns the step after the last.
  int Melody(int track, int bar, const std::string& text, int transpose = 0);
  // Held chords from symbols ("Am F C G7 Dm7 Esus4 Bdim Caug Gmaj7 A5"), each `stepsEach`
  // long, voiced upward from the root in `octave`.
  void Chords(int track, int bar, const std::string& chords, int stepsEach, int octave, float velocity);
  // A bass line under chords: one pattern character per step, repeated for each chord:
  // 'x' root, 'o' root an octave up, '5' fifth, '3' third, '-' holds the previous note, '.' rest.
  void Bass(int track, int bar, const std::string& chords, int stepsEach, const std::string& rhythm, int octave);
  // Arpeggio over chords: '0'..'9' index the chord's notes upward across octaves, '-' holds,
  // '.' rests; the pattern repeats through each chord.
  void Arp(int track, int bar, const std::string& chords, int stepsEach, const std::string& pattern, int octave,
           float velocity);
  // Melody() that must fill exactly `bars` bars; counts a pattern error otherwise.
  void Phrase(int track, int bar, int bars, const std::string& text, int transpose = 0);
  // Drum hits for `bars` bars: 'X' accent, 'x' normal, 'o' ghost, '.' rest; the pattern repeats.
  void Beat(int track, int bar, int bars, const std::string& pattern);

  double StepSeconds() const { return 60.0 / bpm_ / 4.0; }
  size_t LoopSamples() const;
  int Bars() const { return bars_; }
  // Malformed notes, chords and phrases met while composing (0 for a correct recipe).
  int Errors() const { return errors_; }
  // The notes of a track, in the order they were written.
  const std::vector<SongNote>& Notes(int track) const { return tracks_[static_cast<size_t>(track)].notes; }

  // Renders the loop: notes that ring past the end, and the reverb tail, wrap around onto the
  // start, so that playing the result over and over sounds like one continuous performance.
  Stereo Render(uint64_t seed) const;

 private:
  using Note = SongNote;
  struct Track {
    Instrument instrument;
    bool isDrum;
    Drum drum;
    float gain, pan, send;
    std::vector<Note> notes;
  };

  double bpm_;
  int bars_;
  int stepsPerBar_;
  std::vector<Track> tracks_;
  int errors_ = 0;

  void Complain(const std::string& what);
};

// Parses "C4", "F#3", "Bb5" into a MIDI note number. Returns -1 on a malformed name.
int ParseNote(const std::string& name);
// Semitones above the root of a chord symbol's notes, and its root pitch class (0 = C).
// Returns false on an unknown symbol.
bool ParseChord(const std::string& symbol, int* rootClass, std::vector<int>* intervals);
// Adds the tail beyond `loop` samples back onto the start and cuts the signal to `loop`.
void WrapTail(Stereo& s, size_t loop);

}  // namespace assetgen
