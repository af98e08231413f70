// Placeholder music families (empty until the sequencer lands).
#include "audio/recipes.h"

namespace assetgen {

std::vector<MusicRecipe> FloorMusic() { return {}; }
std::vector<MusicRecipe> BossMusic() { return {}; }
std::vector<MusicRecipe> EndingMusic() { return {}; }

}  // namespace assetgen
