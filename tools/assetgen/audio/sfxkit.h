// Building blocks for the effect recipes: tones, noise, sweeps, vocal grunts, echoes, finishing.
#pragma once

#include <cstdint>
#include <functional>

#include "audio/oscillator.h"
#include "audio/filter.h"
#include "audio/signal.h"

namespace assetgen {

// A value over time (seconds from the start of the sound).
using Curve = std::function<float(float)>;

// Constant; exponential glide from `a` to `b` over `seconds` (then holds b); exponential decay
// from 1 with time constant `tau`; attack-then-decay with a linear attack.
Curve Const(float v);
Curve Glide(float a, float b, float seconds);
Curve Decay(float tau);
Curve Hit(float attack, float tau);
// Linear ramp from `a` to `b` over `seconds`.
Curve Ramp(float a, float b, float seconds);

// An oscillator at a frequency curve, shaped by an amplitude curve.
Signal Tone(float seconds, Wave wave, const Curve& freq, const Curve& amp);
// Phase-modulated sine (bells, metal): carrier `freq`, modulator freq*ratio, index curve.
Signal Fm(float seconds, const Curve& freq, float ratio, const Curve& index, const Curve& amp);
// White noise shaped by an amplitude curve.
Signal Noise(float seconds, uint64_t seed, const Curve& amp);
// Pulses at a varying rate (creaks, ratchets, rasps): each pulse a single-sample spike.
Signal Pulses(float seconds, const Curve& rate, const Curve& amp, uint64_t seed, float jitter);

// State-variable filter with a swept cutoff (coefficients updated every 16 samples).
Signal Filtered(const Signal& s, FilterMode mode, const Curve& cutoff, float q);
// Multiplies by an amplitude curve; ring-modulates by a sine at `freq`.
Signal Shaped(const Signal& s, const Curve& amp);
Signal Ring(const Signal& s, const Curve& freq, float depth);
// Feedback echo: `count` repeats `delay` seconds apart, each `feedback` times the last.
Signal Echo(const Signal& s, float delay, float feedback, int count);
// Quantises amplitude to `levels` steps (a gritty, metallic edge).
Signal Crushed(const Signal& s, int levels);

// Vowels for the vocal grunts.
enum class Vowel { kA, kE, kI, kO, kU, kUh };
// A voiced sound: a glottal pulse train at `pitch` (with random jitter) through three formant
// filters moving from vowel `from` to `to` along `morph` (0 .. 1), plus breath noise.
Signal Vocal(float seconds, const Curve& pitch, Vowel from, Vowel to, const Curve& morph,
             const Curve& amp, float breath, uint64_t seed);

// Places `s` into a new signal at `at` seconds (silence before it).
Signal Delayed(const Signal& s, float at);
// Sum of several signals.
Signal Sum(std::initializer_list<const Signal*> parts);

// Final touch for an effect: remove DC, bring to the common loudness, fade 2 ms in and
// `fadeOut` seconds out so that it neither starts nor ends with a click.
Signal Finish(Signal s, float fadeOut = 0.02f, float loudnessDb = -14.0f);

}  // namespace assetgen
