// Recipe for the boss voice lines: speech, then each boss's pitch, throat, grit and room.
#include "audio/voices.h"

#include <algorithm>
#include <cmath>

#include "audio/filter.h"
#include "audio/reverb.h"
#include "audio/speaker.h"
#include "audio/voicelines.h"

namespace assetgen {

namespace {

// Cuts leading and trailing near-silence (below -50 dB of the peak), keeping 20 ms margins.
Signal TrimSilence(const Signal& s) {
  float gate = Peak(s) * 0.003f;
  size_t a = 0, b = s.size();
  while (a < b && std::fabs(s[a]) < gate) ++a;
  while (b > a && std::fabs(s[b - 1]) < gate) --b;
  size_t margin = Samples(0.02);
  a = a > margin ? a - margin : 0;
  b = std::min(s.size(), b + margin);
  return Signal(s.begin() + static_cast<long>(a), s.begin() + static_cast<long>(b));
}

}  // namespace

Signal PitchShift(const Signal& s, double ratio, double windowSeconds) {
  // Two read heads sweep a delay window at (1 - ratio) samples per sample, half a window
  // apart, each faded in and out with a sine window so that their jumps are never heard.
  Signal out(s.size(), 0.0f);
  const double window = std::max(8.0, windowSeconds * kSampleRate);
  const double slope = 1.0 - ratio;
  for (size_t i = 0; i < s.size(); ++i) {
    for (int head = 0; head < 2; ++head) {
      double phase = std::fmod(i * slope / window + head * 0.5, 1.0);
      if (phase < 0.0) phase += 1.0;
      double delay = phase * window;
      float w = static_cast<float>(std::sin(3.14159265358979 * phase));
      out[i] += SampleAt(s, static_cast<double>(i) - delay) * w * w;
    }
  }
  return out;
}

int RenderVoiceLine(int index, Stereo* out) {
  const std::vector<VoiceLine>& lines = VoiceLines();
  if (index < 0 || index >= static_cast<int>(lines.size())) return -1;
  const VoiceLine& line = lines[static_cast<size_t>(index)];
  const VoiceCharacter& ch = CharacterOf(line.boss);
  SpeechSettings speech;
  speech.voice = ch.engineVoice;
  speech.rate = ch.rate;
  speech.pitch = ch.pitch;
  speech.range = ch.range;
  Signal raw;
  int rate = 0;
  if (Speak(line.text, speech, &raw, &rate) != 0) return -1;
  raw = TrimSilence(raw);
  // To the generator's rate, lowering pitch and formants together: a bigger throat.
  Signal v = Resample(raw, static_cast<double>(rate) / kSampleRate * ch.shift);
  // A second throat an octave down, same timing.
  if (ch.octaveDown > 0.0f) {
    Signal low = PitchShift(v, 0.5, 0.045);
    OnePole lp;
    lp.Set(1800.0f);
    for (float& x : low) x = lp.Low(x);
    MixInto(v, low, 0, ch.octaveDown);
  }
  // Rasp: fast amplitude flutter, like a growl from deep in the chest.
  if (ch.growlHz > 0.0f) {
    for (size_t i = 0; i < v.size(); ++i) {
      float t = static_cast<float>(i) / kSampleRate;
      float flutter = 0.5f + 0.5f * std::sin(2.0f * kPi * ch.growlHz * t + 1.3f * std::sin(2.0f * kPi * 3.1f * t));
      v[i] *= 1.0f - ch.growlDepth * flutter;
    }
  }
  if (ch.drive > 1.0f) {
    float peak = std::max(Peak(v), 1e-6f);
    Scale(v, 1.0f / peak);
    Saturate(v, ch.drive);
  }
  // Echo from far walls.
  if (ch.echoDelay > 0.0f) {
    Signal dry = v;
    size_t d = Samples(ch.echoDelay);
    float g = 1.0f;
    for (int k = 1; k <= 4; ++k) {
      g *= ch.echoFeedback;
      OnePole dull;
      dull.Set(2500.0f / k);
      Signal echo = dry;
      for (float& x : echo) x = dull.Low(x);
      MixInto(v, echo, d * static_cast<size_t>(k), g);
    }
  }
  Stereo room = WithReverb(v, 1.0f, ch.reverbWet, 0.75f, 0.5f, ch.reverbScale, 1.2);
  // Trim the reverb tail where it has faded, then bring to the voices' loudness.
  Signal mono(room.size());
  for (size_t i = 0; i < mono.size(); ++i) mono[i] = 0.5f * (room.left[i] + room.right[i]);
  float gate = Peak(mono) * 0.01f;
  size_t end = mono.size();
  while (end > 0 && std::fabs(mono[end - 1]) < gate) --end;
  room.resize(std::min(mono.size(), end + Samples(0.05)));
  // A line must stay short enough for its caption: a long echo tail is cut with a fade.
  room.resize(std::min(room.size(), Samples(kMaxVoiceSeconds)));
  mono.resize(room.size());
  float level = LoudRms(mono);
  float gain = level > 1e-6f ? DbToLinear(-13.0f) / level : 1.0f;
  float peak = std::max(Peak(room.left), Peak(room.right)) * gain;
  if (peak > DbToLinear(-1.0f)) gain *= DbToLinear(-1.0f) / peak;
  Scale(room.left, gain);
  Scale(room.right, gain);
  for (Signal* c : {&room.left, &room.right}) {
    FadeIn(*c, 0.005);
    FadeOut(*c, 0.3);
  }
  *out = std::move(room);
  return 0;
}

}  // namespace assetgen
