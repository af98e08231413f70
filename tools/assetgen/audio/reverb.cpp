// Comb/all-pass room reverb.
#include "audio/reverb.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

namespace {

const int kCombLengths[] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
const int kAllPassLengths[] = {556, 441, 341, 225};
const int kStereoSpread = 23;

}  // namespace

Reverb::Reverb(float room, float damping, float scale)
    : feedback_(0.7f + 0.28f * std::clamp(room, 0.0f, 1.0f)),
      damp_(0.4f * std::clamp(damping, 0.0f, 1.0f)) {
  float s = std::clamp(scale, 0.2f, 3.0f);
  for (int len : kCombLengths) {
    Comb l, r;
    l.line.assign(static_cast<size_t>(len * s), 0.0f);
    r.line.assign(static_cast<size_t>((len + kStereoSpread) * s), 0.0f);
    combsL_.push_back(std::move(l));
    combsR_.push_back(std::move(r));
  }
  for (int len : kAllPassLengths) {
    AllPass l, r;
    l.line.assign(static_cast<size_t>(len * s), 0.0f);
    r.line.assign(static_cast<size_t>((len + kStereoSpread) * s), 0.0f);
    passesL_.push_back(std::move(l));
    passesR_.push_back(std::move(r));
  }
}

float Reverb::Run(std::vector<Comb>& combs, std::vector<AllPass>& passes, float in) {
  float out = 0.0f;
  for (Comb& c : combs) {
    float y = c.line[c.pos];
    c.store = y * (1.0f - damp_) + c.store * damp_;
    c.line[c.pos] = in + c.store * feedback_;
    if (++c.pos == c.line.size()) c.pos = 0;
    out += y;
  }
  for (AllPass& a : passes) {
    float b = a.line[a.pos];
    a.line[a.pos] = out + b * 0.5f;
    out = b - out;
    if (++a.pos == a.line.size()) a.pos = 0;
  }
  return out;
}

void Reverb::Process(float in, float* outLeft, float* outRight) {
  float x = in * 0.015f;
  *outLeft = Run(combsL_, passesL_, x);
  *outRight = Run(combsR_, passesR_, x);
}

Stereo WithReverb(const Signal& dry, float dryGain, float wet, float room, float damping,
                  float scale, double tailSeconds) {
  Reverb rv(room, damping, scale);
  Stereo out;
  out.resize(dry.size() + Samples(tailSeconds));
  for (size_t i = 0; i < out.size(); ++i) {
    float x = i < dry.size() ? dry[i] : 0.0f;
    float l, r;
    rv.Process(x, &l, &r);
    out.left[i] = x * dryGain + l * wet;
    out.right[i] = x * dryGain + r * wet;
  }
  return out;
}

Signal WithReverbMono(const Signal& dry, float dryGain, float wet, float room, float damping,
                      float scale, double tailSeconds) {
  Stereo st = WithReverb(dry, dryGain, wet, room, damping, scale, tailSeconds);
  Signal out(st.size());
  for (size_t i = 0; i < out.size(); ++i) out[i] = 0.5f * (st.left[i] + st.right[i]);
  return out;
}

}  // namespace assetgen
