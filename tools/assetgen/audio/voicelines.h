// The bosses' spoken lines and the voice character of each boss.
#pragma once

#include <vector>

namespace assetgen {

// How one boss sounds: the speech engine's settings, then the treatment of its output.
struct VoiceCharacter {
  const char* engineVoice;  // speech engine voice name, e.g. "en-us+m3"
  int rate;                 // words per minute before the pitch shift
  int pitch;                // 0 .. 99, the engine's base pitch
  int range;                // 0 .. 99, the engine's pitch movement
  double shift;             // playback ratio (< 1 lowers pitch and formants, slows the line)
  float drive;              // saturation (1 clean, higher growls)
  float growlHz;            // amplitude flutter rate for a rasp (0 = none)
  float growlDepth;         // 0 .. 1
  float octaveDown;         // level of a copy one octave lower (a second, deeper throat)
  float echoDelay;          // seconds (0 = no echo)
  float echoFeedback;       // 0 .. 1
  float reverbWet;          // room level
  float reverbScale;        // room size (1 hall, 1.6 cavern)
};

struct VoiceLine {
  const char* name;  // file stem, e.g. "boss2-voice3"
  int boss;          // 1, 2 or 3
  const char* text;  // exactly what is spoken; the caption pictures show the same words
};

const std::vector<VoiceLine>& VoiceLines();
const VoiceCharacter& CharacterOf(int boss);

}  // namespace assetgen
