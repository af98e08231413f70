// The sound catalogue: gathers every recipe family into one list with length limits.
#include "audio/catalogue.h"

#include <cstring>

#include "audio/voicelines.h"

namespace assetgen {

std::vector<SoundFile> SoundCatalogue() {
  std::vector<SoundFile> out;
  for (auto family : {PlayerEffects, DoorEffects, BoosyEffects, DoosyEffects, PoosyEffects,
                      ZoosyEffects, BossEffects}) {
    for (const EffectRecipe& r : family()) {
      out.push_back({r.path, SoundKind::kEffect, 0.05, 6.0, r.render, nullptr, -1});
    }
  }
  for (auto family : {FloorMusic, BossMusic, EndingMusic}) {
    for (const MusicRecipe& r : family()) {
      // The ending is heard once in full over the staff roll: it must last at least 75 s.
      bool ending = std::strstr(r.path, "quiet_snow_field") != nullptr;
      out.push_back({r.path, SoundKind::kMusic, ending ? 75.0 : 45.0, 120.0, nullptr, r.compose, -1});
    }
  }
  const std::vector<VoiceLine>& lines = VoiceLines();
  for (size_t i = 0; i < lines.size(); ++i) {
    out.push_back({std::string("SE/enemy/") + lines[i].name + ".mp3", SoundKind::kVoice, 2.0, 6.0,
                   nullptr, nullptr, static_cast<int>(i)});
  }
  return out;
}

}  // namespace assetgen
