// A mono or stereo block of float samples at the generator's rate, and the plain operations on it.
#pragma once

#include <cstddef>
#include <vector>

namespace assetgen {

// Every sound is rendered at this rate (Hz); WAV and MP3 files are written at it as well.
constexpr int kSampleRate = 44100;
constexpr float kPi = 3.14159265358979f;

// Mono samples, nominally in -1 .. 1.
using Signal = std::vector<float>;

// Two channels of equal length.
struct Stereo {
  Signal left;
  Signal right;
  size_t size() const { return left.size(); }
  void resize(size_t n) {
    left.resize(n, 0.0f);
    right.resize(n, 0.0f);
  }
};

// Number of samples in `seconds` (rounded, never negative).
size_t Samples(double seconds);

// Adds `src` * gain into `dst` starting at sample `offset`; `dst` grows as needed.
void MixInto(Signal& dst, const Signal& src, size_t offset = 0, float gain = 1.0f);
// Adds a mono signal into both channels with a constant-power pan (-1 left .. +1 right).
void MixInto(Stereo& dst, const Signal& src, size_t offset, float gain, float pan);

// Multiplies every sample by `gain`.
void Scale(Signal& s, float gain);
// Raised-cosine fade over the first / last `seconds` (clamped to the signal's length).
void FadeIn(Signal& s, double seconds);
void FadeOut(Signal& s, double seconds);

// Largest absolute sample, and root mean square over the whole signal.
float Peak(const Signal& s);
float Rms(const Signal& s);
// RMS of the loudest 50 ms window: the level a listener hears for short effects.
float LoudRms(const Signal& s);

// Removes the mean, then scales so that LoudRms is `targetRms`, with a soft knee so that no
// sample exceeds `ceiling`. Short effects use this to sound equally loud.
void Normalize(Signal& s, float targetRms, float ceiling);
// The same for a stereo piece, measured over both channels with the whole-signal RMS.
void NormalizeStereo(Stereo& s, float targetRms, float ceiling);

// Soft saturation: tanh(drive * x) / tanh(drive).
void Saturate(Signal& s, float drive);

// Reads `s` at a fractional position with cubic (Hermite) interpolation; 0 outside.
float SampleAt(const Signal& s, double pos);
// Plays `s` back `ratio` times as fast (2 = an octave up and half as long).
Signal Resample(const Signal& s, double ratio);

// Converts decibels full scale to a linear level and back (silence is -120 dB).
float DbToLinear(float db);
float LinearToDb(float level);

}  // namespace assetgen
