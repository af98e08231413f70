// Model families still to come: empty meshes and no files yet.
#include "content.h"

namespace assetgen {
int GenerateEnemyModels(const std::string&) { return 0; }
int GeneratePropModels(const std::string&) { return 0; }
Mesh BuildBoosy() { return Mesh(); }
Mesh BuildDoosy() { return Mesh(); }
Mesh BuildPoosy() { return Mesh(); }
Mesh BuildZoosy() { return Mesh(); }
Mesh BuildMelpaims() { return Mesh(); }
Mesh BuildBullet(int) { return Mesh(); }
Mesh BuildMeat() { return Mesh(); }
Mesh BuildCartridge() { return Mesh(); }
}  // namespace assetgen
