// The nine boss lines (kept identical to voice_lines.txt, which the caption pictures read) and
// the three boss voices.
#include "audio/voicelines.h"

namespace assetgen {

namespace {

// Boss 1, the big boosy: gruff, pompous, low. Boss 2, the big doosy: feral, growling.
// Boss 3, the last boss: cold, ancient, slow and echoing.
const VoiceCharacter kCharacters[] = {
    {"en-us+m3", 160, 30, 60, 0.78, 2.2f, 0.0f, 0.0f, 0.25f, 0.0f, 0.0f, 0.22f, 1.3f},
    {"en-us+croak", 165, 45, 80, 0.72, 4.0f, 38.0f, 0.55f, 0.35f, 0.0f, 0.0f, 0.2f, 1.2f},
    {"en-us+m7", 150, 20, 25, 0.85, 1.3f, 0.0f, 0.0f, 0.55f, 0.33f, 0.35f, 0.45f, 1.8f},
};

}  // namespace

const std::vector<VoiceLine>& VoiceLines() {
  static const std::vector<VoiceLine> kLines = {
      {"boss1-voice1", 1, "So, a little worm crawls into my hall."},
      {"boss1-voice2", 1, "I am the iron lord of this floor. Kneel, and be crushed!"},
      {"boss2-voice1", 2, "Fresh meat! I smell your fear!"},
      {"boss2-voice2", 2, "I will tear you apart, bone by bone!"},
      {"boss2-voice3", 2, "No... this cannot be..."},
      {"boss2-voice4", 2, "Beaten... by such a small thing?"},
      {"boss3-voice1", 3, "So deep, and still your will holds. It ends here."},
      {"boss3-voice2", 3, "Your resolve was stronger than the dark."},
      {"boss3-voice3", 3, "Go, then. But something still waits below."},
  };
  return kLines;
}

const VoiceCharacter& CharacterOf(int boss) {
  int i = boss < 1 ? 0 : boss > 3 ? 2 : boss - 1;
  return kCharacters[i];
}

}  // namespace assetgen
