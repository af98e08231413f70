// Plain operations on sample blocks: mixing, gain, fades, levels, normalising, resampling.
#include "audio/signal.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

size_t Samples(double seconds) {
  if (!(seconds > 0.0)) return 0;
  return static_cast<size_t>(std::lround(seconds * kSampleRate));
}

void MixInto(Signal& dst, const Signal& src, size_t offset, float gain) {
  if (dst.size() < offset + src.size()) dst.resize(offset + src.size(), 0.0f);
  for (size_t i = 0; i < src.size(); ++i) dst[offset + i] += src[i] * gain;
}

void MixInto(Stereo& dst, const Signal& src, size_t offset, float gain, float pan) {
  if (dst.size() < offset + src.size()) dst.resize(offset + src.size());
  float p = std::clamp(pan, -1.0f, 1.0f);
  float angle = (p + 1.0f) * 0.25f * kPi;
  float gl = gain * std::cos(angle) * std::sqrt(2.0f);
  float gr = gain * std::sin(angle) * std::sqrt(2.0f);
  for (size_t i = 0; i < src.size(); ++i) {
    dst.left[offset + i] += src[i] * gl;
    dst.right[offset + i] += src[i] * gr;
  }
}

void Scale(Signal& s, float gain) {
  for (float& x : s) x *= gain;
}

void FadeIn(Signal& s, double seconds) {
  size_t n = std::min(Samples(seconds), s.size());
  for (size_t i = 0; i < n; ++i) s[i] *= 0.5f - 0.5f * std::cos(kPi * (i + 0.5f) / n);
}

void FadeOut(Signal& s, double seconds) {
  size_t n = std::min(Samples(seconds), s.size());
  size_t start = s.size() - n;
  for (size_t i = 0; i < n; ++i) s[start + i] *= 0.5f + 0.5f * std::cos(kPi * (i + 0.5f) / n);
}

float Peak(const Signal& s) {
  float p = 0.0f;
  for (float x : s) p = std::max(p, std::fabs(x));
  return p;
}

float Rms(const Signal& s) {
  if (s.empty()) return 0.0f;
  double sum = 0.0;
  for (float x : s) sum += static_cast<double>(x) * x;
  return static_cast<float>(std::sqrt(sum / s.size()));
}

float LoudRms(const Signal& s) {
  size_t w = Samples(0.05);
  if (s.size() <= w) return Rms(s);
  double sum = 0.0;
  for (size_t i = 0; i < w; ++i) sum += static_cast<double>(s[i]) * s[i];
  double best = sum;
  for (size_t i = w; i < s.size(); ++i) {
    sum += static_cast<double>(s[i]) * s[i] - static_cast<double>(s[i - w]) * s[i - w];
    best = std::max(best, sum);
  }
  return static_cast<float>(std::sqrt(std::max(best, 0.0) / w));
}

namespace {

// Identity below `knee`, then a smooth curve that approaches `ceiling` but never reaches it.
float SoftLimit(float x, float knee, float ceiling) {
  float a = std::fabs(x);
  if (a <= knee) return x;
  float room = ceiling - knee;
  float y = knee + room * std::tanh((a - knee) / room);
  return x < 0.0f ? -y : y;
}

}  // namespace

void Normalize(Signal& s, float targetRms, float ceiling) {
  if (s.empty()) return;
  double mean = 0.0;
  for (float x : s) mean += x;
  mean /= s.size();
  for (float& x : s) x -= static_cast<float>(mean);
  float level = LoudRms(s);
  if (level <= 1e-9f) return;
  Scale(s, targetRms / level);
  float knee = ceiling * 0.7f;
  for (float& x : s) x = SoftLimit(x, knee, ceiling);
}

void NormalizeStereo(Stereo& s, float targetRms, float ceiling) {
  float level = std::sqrt(0.5f * (Rms(s.left) * Rms(s.left) + Rms(s.right) * Rms(s.right)));
  if (level <= 1e-9f) return;
  float gain = targetRms / level;
  float knee = ceiling * 0.75f;
  for (Signal* ch : {&s.left, &s.right}) {
    for (float& x : *ch) x = SoftLimit(x * gain, knee, ceiling);
  }
}

void Saturate(Signal& s, float drive) {
  float norm = 1.0f / std::tanh(drive);
  for (float& x : s) x = std::tanh(drive * x) * norm;
}

float SampleAt(const Signal& s, double pos) {
  long i = static_cast<long>(std::floor(pos));
  float t = static_cast<float>(pos - i);
  auto at = [&s](long k) -> float {
    return (k >= 0 && k < static_cast<long>(s.size())) ? s[static_cast<size_t>(k)] : 0.0f;
  };
  float y0 = at(i - 1), y1 = at(i), y2 = at(i + 1), y3 = at(i + 2);
  float c1 = 0.5f * (y2 - y0);
  float c2 = y0 - 2.5f * y1 + 2.0f * y2 - 0.5f * y3;
  float c3 = 0.5f * (y3 - y0) + 1.5f * (y1 - y2);
  return ((c3 * t + c2) * t + c1) * t + y1;
}

Signal Resample(const Signal& s, double ratio) {
  if (!(ratio > 0.0) || s.empty()) return {};
  size_t n = static_cast<size_t>(std::floor(s.size() / ratio));
  Signal out(n);
  for (size_t i = 0; i < n; ++i) out[i] = SampleAt(s, i * ratio);
  return out;
}

float DbToLinear(float db) { return std::pow(10.0f, db / 20.0f); }

float LinearToDb(float level) {
  return level > 1e-6f ? 20.0f * std::log10(level) : -120.0f;
}

}  // namespace assetgen
