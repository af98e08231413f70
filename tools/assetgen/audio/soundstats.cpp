// Level, envelope and spectrum measurements, with a small radix-2 FFT.
#include "audio/soundstats.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <vector>

namespace assetgen {

namespace {

constexpr size_t kFftSize = 2048;

void Fft(std::vector<std::complex<float>>& a) {
  const size_t n = a.size();
  for (size_t i = 1, j = 0; i < n; ++i) {
    size_t bit = n >> 1;
    for (; j & bit; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) std::swap(a[i], a[j]);
  }
  for (size_t len = 2; len <= n; len <<= 1) {
    float ang = -2.0f * kPi / static_cast<float>(len);
    std::complex<float> wl(std::cos(ang), std::sin(ang));
    for (size_t i = 0; i < n; i += len) {
      std::complex<float> w(1.0f, 0.0f);
      for (size_t k = 0; k < len / 2; ++k) {
        std::complex<float> u = a[i + k], v = a[i + k + len / 2] * w;
        a[i + k] = u + v;
        a[i + k + len / 2] = u - v;
        w *= wl;
      }
    }
  }
}

}  // namespace

SoundStats Measure(const Signal& s, int rate) {
  SoundStats st;
  if (s.empty() || rate <= 0) return st;
  st.seconds = static_cast<double>(s.size()) / rate;
  st.peakDb = LinearToDb(Peak(s));
  st.rmsDb = LinearToDb(Rms(s));
  st.edgeStart = std::fabs(s.front());
  st.edgeEnd = std::fabs(s.back());
  // Loudest 50 ms window and where it starts.
  size_t w = std::max<size_t>(1, static_cast<size_t>(rate / 20));
  double sum = 0.0, best = -1.0;
  size_t bestAt = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    sum += static_cast<double>(s[i]) * s[i];
    if (i >= w) sum -= static_cast<double>(s[i - w]) * s[i - w];
    if (sum > best) {
      best = sum;
      bestAt = i >= w ? i - w + 1 : 0;
    }
  }
  st.loudDb = LinearToDb(static_cast<float>(std::sqrt(std::max(best, 0.0) / std::min(w, s.size()))));
  st.peakAt = static_cast<float>(bestAt) / rate;
  // Envelope sketch: RMS of each of 24 slices, 6 dB per character step from -54 dB.
  const char* ramp = " .:-=+*#%@";
  for (size_t k = 0; k < 24; ++k) {
    size_t a = s.size() * k / 24, b = std::max(a + 1, s.size() * (k + 1) / 24);
    Signal slice(s.begin() + static_cast<long>(a), s.begin() + static_cast<long>(std::min(b, s.size())));
    float db = LinearToDb(Rms(slice));
    int level = std::clamp(static_cast<int>((db + 60.0f) / 6.0f), 0, 9);
    st.shape.push_back(ramp[level]);
  }
  // Power spectrum averaged over Hann-windowed frames (at most 64 frames, evenly spread).
  std::vector<double> power(kFftSize / 2, 0.0);
  size_t frames = s.size() >= kFftSize ? (s.size() - kFftSize) / kFftSize + 1 : 1;
  size_t step = frames > 64 ? frames / 64 : 1;
  std::vector<std::complex<float>> buf(kFftSize);
  for (size_t f = 0; f < frames; f += step) {
    for (size_t i = 0; i < kFftSize; ++i) {
      size_t at = f * kFftSize + i;
      float x = at < s.size() ? s[at] : 0.0f;
      float hann = 0.5f - 0.5f * std::cos(2.0f * kPi * i / (kFftSize - 1));
      buf[i] = {x * hann, 0.0f};
    }
    Fft(buf);
    for (size_t k = 0; k < power.size(); ++k) power[k] += std::norm(buf[k]);
  }
  double total = 0.0, weighted = 0.0, low = 0.0, mid = 0.0, high = 0.0;
  for (size_t k = 1; k < power.size(); ++k) {
    double hz = static_cast<double>(k) * rate / kFftSize;
    total += power[k];
    weighted += power[k] * hz;
    (hz < 250.0 ? low : hz < 2000.0 ? mid : high) += power[k];
  }
  if (total > 0.0) {
    st.centroidHz = static_cast<float>(weighted / total);
    st.low = static_cast<float>(low / total);
    st.mid = static_cast<float>(mid / total);
    st.high = static_cast<float>(high / total);
  }
  return st;
}

std::string FormatStats(const std::string& name, const SoundStats& st) {
  char line[512];
  snprintf(line, sizeof line,
           "%-34s %7.2f s  peak %6.1f dB  rms %6.1f dB  loud %6.1f dB @%5.2f s  "
           "centroid %5.0f Hz  low/mid/high %2.0f/%2.0f/%2.0f %%  edges %.4f %.4f  [%s]",
           name.c_str(), st.seconds, st.peakDb, st.rmsDb, st.loudDb, st.peakAt, st.centroidHz,
           st.low * 100.0f, st.mid * 100.0f, st.high * 100.0f, st.edgeStart, st.edgeEnd, st.shape.c_str());
  return line;
}

}  // namespace assetgen
