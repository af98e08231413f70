// The sequencer: text patterns to notes, notes to a wrapped stereo loop.
#include "audio/song.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>

#include "audio/reverb.h"

namespace assetgen {

namespace {

struct ChordQuality {
  const char* suffix;
  std::vector<int> intervals;
};

// Longest suffixes first so that "maj7" wins over "m".
const ChordQuality kQualities[] = {
    {"maj7", {0, 4, 7, 11}}, {"m7b5", {0, 3, 6, 10}}, {"sus4", {0, 5, 7}}, {"sus2", {0, 2, 7}},
    {"add9", {0, 4, 7, 14}}, {"dim", {0, 3, 6}},      {"aug", {0, 4, 8}},  {"m9", {0, 3, 7, 10, 14}},
    {"m7", {0, 3, 7, 10}},   {"7", {0, 4, 7, 10}},    {"5", {0, 7, 12}},   {"m", {0, 3, 7}},
    {"", {0, 4, 7}},
};

int PitchClass(char letter) {
  static const int kClasses[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
  if (letter < 'A' || letter > 'G') return -1;
  return kClasses[letter - 'A'];
}

std::vector<std::string> Split(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> out;
  std::string tok;
  while (in >> tok) out.push_back(tok);
  return out;
}

}  // namespace

// A pattern mistake is reported and the note skipped; recipes are source code, so this only
// shows up while composing (and the tests count Errors()).
void Song::Complain(const std::string& what) {
  ++errors_;
  fprintf(stderr, "assetgen: bad music pattern: %s\n", what.c_str());
}

int ParseNote(const std::string& name) {
  if (name.size() < 2) return -1;
  int pc = PitchClass(name[0]);
  if (pc < 0) return -1;
  size_t at = 1;
  if (name[at] == '#') {
    ++pc;
    ++at;
  } else if (name[at] == 'b') {
    --pc;
    ++at;
  }
  if (at >= name.size()) return -1;
  bool negative = name[at] == '-';
  if (negative) ++at;
  if (at + 1 != name.size() || name[at] < '0' || name[at] > '9') return -1;
  int octave = (name[at] - '0') * (negative ? -1 : 1);
  return (octave + 1) * 12 + pc;
}

bool ParseChord(const std::string& symbol, int* rootClass, std::vector<int>* intervals) {
  if (symbol.empty()) return false;
  int pc = PitchClass(symbol[0]);
  if (pc < 0) return false;
  size_t at = 1;
  if (at < symbol.size() && symbol[at] == '#') {
    ++pc;
    ++at;
  } else if (at < symbol.size() && symbol[at] == 'b') {
    --pc;
    ++at;
  }
  std::string rest = symbol.substr(at);
  for (const ChordQuality& q : kQualities) {
    if (rest == q.suffix) {
      *rootClass = (pc + 12) % 12;
      *intervals = q.intervals;
      return true;
    }
  }
  return false;
}

void WrapTail(Stereo& s, size_t loop) {
  if (loop == 0) {  // an empty loop keeps nothing
    s.left.clear();
    s.right.clear();
    return;
  }
  for (size_t i = loop; i < s.size(); ++i) {
    s.left[(i - loop) % loop] += s.left[i];
    s.right[(i - loop) % loop] += s.right[i];
  }
  s.left.resize(loop);
  s.right.resize(loop);
}

Song::Song(double bpm, int bars, int stepsPerBar) : bpm_(bpm), bars_(bars), stepsPerBar_(stepsPerBar) {}

int Song::AddTrack(Instrument instrument, float gain, float pan, float send) {
  tracks_.push_back({instrument, false, Drum::kKick, gain, pan, send, {}});
  return static_cast<int>(tracks_.size()) - 1;
}

int Song::AddDrums(Drum drum, float gain, float pan, float send) {
  tracks_.push_back({Instrument::kPad, true, drum, gain, pan, send, {}});
  return static_cast<int>(tracks_.size()) - 1;
}

int Song::Melody(int track, int bar, const std::string& text, int transpose) {
  int step = bar * stepsPerBar_;
  for (std::string tok : Split(text)) {
    float velocity = 0.8f;
    if (!tok.empty() && tok.back() == '!') {
      velocity = 1.0f;
      tok.pop_back();
    } else if (!tok.empty() && tok.back() == '~') {
      velocity = 0.55f;
      tok.pop_back();
    }
    size_t colon = tok.find(':');
    int length = colon == std::string::npos ? 2 : std::atoi(tok.c_str() + colon + 1);
    std::string name = tok.substr(0, colon);
    if (length <= 0) {
      Complain(tok);
      continue;
    }
    if (name != "r") {
      int note = ParseNote(name);
      if (note < 0) Complain(tok);
      else tracks_[track].notes.push_back({static_cast<double>(step), length * 0.92, static_cast<float>(note + transpose), velocity});
    }
    step += length;
  }
  return step;
}

void Song::Phrase(int track, int bar, int bars, const std::string& text, int transpose) {
  int end = Melody(track, bar, text, transpose);
  if (end != (bar + bars) * stepsPerBar_) {
    Complain("phrase at bar " + std::to_string(bar) + " ends at step " + std::to_string(end) + ", not " +
             std::to_string((bar + bars) * stepsPerBar_));
  }
}

void Song::Chords(int track, int bar, const std::string& chords, int stepsEach, int octave, float velocity) {
  int step = bar * stepsPerBar_;
  for (const std::string& sym : Split(chords)) {
    int root;
    std::vector<int> iv;
    if (!ParseChord(sym, &root, &iv)) {
      Complain(sym);
    } else {
      int base = (octave + 1) * 12 + root;
      for (int i : iv) {
        tracks_[track].notes.push_back({static_cast<double>(step), stepsEach * 0.98, static_cast<float>(base + i), velocity});
      }
    }
    step += stepsEach;
  }
}

void Song::Bass(int track, int bar, const std::string& chords, int stepsEach, const std::string& rhythm, int octave) {
  int step = bar * stepsPerBar_;
  std::vector<Note>& notes = tracks_[track].notes;
  for (const std::string& sym : Split(chords)) {
    int root;
    std::vector<int> iv;
    if (!ParseChord(sym, &root, &iv)) {
      Complain(sym);
      step += stepsEach;
      continue;
    }
    int base = (octave + 1) * 12 + root;
    bool holding = false;
    for (int k = 0; k < stepsEach && !rhythm.empty(); ++k) {
      char c = rhythm[static_cast<size_t>(k) % rhythm.size()];
      int pitch = -1;
      switch (c) {
        case 'x': pitch = base; break;
        case 'o': pitch = base + 12; break;
        case '5': pitch = base + 7; break;
        case '3': pitch = base + iv[1]; break;
        case '-':
          if (holding) notes.back().length += 1.0;
          break;
        default: holding = false; break;
      }
      if (pitch >= 0) {
        notes.push_back({static_cast<double>(step + k), 0.9, static_cast<float>(pitch), k % 4 == 0 ? 0.9f : 0.75f});
        holding = true;
      }
    }
    step += stepsEach;
  }
}

void Song::Arp(int track, int bar, const std::string& chords, int stepsEach, const std::string& pattern, int octave,
               float velocity) {
  int step = bar * stepsPerBar_;
  std::vector<Note>& notes = tracks_[track].notes;
  for (const std::string& sym : Split(chords)) {
    int root;
    std::vector<int> iv;
    if (!ParseChord(sym, &root, &iv)) {
      Complain(sym);
      step += stepsEach;
      continue;
    }
    // Drop the doubled octave of power chords so that indices climb evenly.
    if (iv.back() == 12) iv.pop_back();
    int base = (octave + 1) * 12 + root;
    bool holding = false;
    for (int k = 0; k < stepsEach && !pattern.empty(); ++k) {
      char c = pattern[static_cast<size_t>(k) % pattern.size()];
      if (c >= '0' && c <= '9') {
        int idx = c - '0';
        int n = static_cast<int>(iv.size());
        int pitch = base + iv[static_cast<size_t>(idx % n)] + 12 * (idx / n);
        notes.push_back({static_cast<double>(step + k), 0.9, static_cast<float>(pitch), velocity * (k % 4 == 0 ? 1.0f : 0.8f)});
        holding = true;
      } else if (c == '-' && holding) {
        notes.back().length += 1.0;
      } else {
        holding = false;
      }
    }
    step += stepsEach;
  }
}

void Song::Beat(int track, int bar, int bars, const std::string& pattern) {
  if (pattern.empty()) return;
  int start = bar * stepsPerBar_;
  for (int k = 0; k < bars * stepsPerBar_; ++k) {
    char c = pattern[static_cast<size_t>(k) % pattern.size()];
    float v = c == 'X' ? 1.0f : c == 'x' ? 0.75f : c == 'o' ? 0.4f : 0.0f;
    if (v > 0.0f) tracks_[track].notes.push_back({static_cast<double>(start + k), 1.0, 0.0f, v});
  }
}

size_t Song::LoopSamples() const {
  return static_cast<size_t>(std::llround(bars_ * stepsPerBar_ * (60.0 / bpm_ / 4.0) * kSampleRate));
}

Stereo Song::Render(uint64_t seed) const {
  const double stepSec = 60.0 / bpm_ / 4.0;
  const size_t loop = LoopSamples();
  const size_t tail = Samples(8.0);
  Stereo dry;
  dry.resize(loop + tail);
  Signal send(loop + tail, 0.0f);
  uint64_t noteSeed = seed;
  for (const Track& tr : tracks_) {
    Signal bus(loop + tail, 0.0f);
    // Drum hits reuse a few pre-rendered variants.
    std::vector<Signal> variants;
    if (tr.isDrum) {
      for (uint64_t v = 0; v < 4; ++v) variants.push_back(RenderDrum(tr.drum, seed * 31 + v));
    }
    size_t hit = 0;
    for (const Note& n : tr.notes) {
      size_t at = static_cast<size_t>(std::llround(n.step * stepSec * kSampleRate));
      if (at >= loop) continue;  // beyond the loop: not part of the song
      Signal s;
      if (tr.isDrum) {
        s = variants[hit++ % variants.size()];
        Scale(s, n.velocity);
      } else {
        s = RenderNote(tr.instrument, MidiToHz(n.pitch), static_cast<float>(n.length * stepSec), n.velocity, ++noteSeed);
      }
      if (at + s.size() > bus.size()) s.resize(bus.size() - at);
      MixInto(bus, s, at, 1.0f);
    }
    MixInto(dry, bus, 0, tr.gain, tr.pan);
    MixInto(send, bus, 0, tr.gain * tr.send);
  }
  Reverb rv(mix.room, mix.damping, mix.scale);
  for (size_t i = 0; i < dry.size(); ++i) {
    float l, r;
    rv.Process(send[i], &l, &r);
    dry.left[i] += l * mix.wet;
    dry.right[i] += r * mix.wet;
  }
  WrapTail(dry, loop);
  NormalizeStereo(dry, DbToLinear(mix.loudnessDb), DbToLinear(-1.0f));
  FadeIn(dry.left, mix.seamFade);
  FadeIn(dry.right, mix.seamFade);
  FadeOut(dry.left, mix.seamFade);
  FadeOut(dry.right, mix.seamFade);
  return dry;
}

}  // namespace assetgen
