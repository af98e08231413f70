// The content families: each recipe file writes its pictures or models under the output folder;
// this registry lists them for the generator, the contact sheet and the tests.
#pragma once

#include <functional>
#include <utility>
#include <string>
#include <vector>

#include "canvas.h"
#include "mesh.h"

namespace assetgen {

// One family of content written by one recipe file.
struct Family {
  const char* name;
  int (*generate)(const std::string& outDir);  // 0, or -1 after a message
};

// Every picture and model family, in the order the generator runs them.
const std::vector<Family>& Families();
// Runs every family; 0, or -1 after the first failure.
int GenerateVisuals(const std::string& outDir);

// One model the game loads, with the recipe that builds it.
struct ModelRecipe {
  std::string path;  // relative to the content folder
  std::function<Mesh()> build;
};
const std::vector<ModelRecipe>& Models();

// Every picture path (relative to the content folder), in a sensible viewing order.
std::vector<std::string> PicturePaths();

// Family entry points (one per recipe file).
int GenerateFloorTextures(const std::string& outDir);
int GenerateHud(const std::string& outDir);
int GenerateTitle(const std::string& outDir);
int GenerateOptions(const std::string& outDir);
int GenerateCaptions(const std::string& outDir);
// The visible sounds' pictures under img/fonts/cues/: the effect captions and the edge glow.
int GenerateSoundCues(const std::string& outDir);
// The effect captions: file stem and text.
const std::vector<std::pair<std::string, std::string>>& CueCaptions();
int GenerateEnding(const std::string& outDir);
int GenerateEnemyModels(const std::string& outDir);
int GeneratePropModels(const std::string& outDir);
// The desktop entry "desktop/org.quorl.Quorl.desktop" and its icons at each size of
// DesktopIconSizes() (desktop.h; installed beside the content, not read by the game).
int GenerateDesktop(const std::string& outDir);

// The title art in memory: the torch-lit corridor alone, and the whole opaque title screen (the
// carved name and the tagline over that corridor) as QUORL-title.png holds it. Used by the
// options screen's backdrop and its title entry.
Canvas TitleCorridor();
struct Fonts;
Canvas TitleScreen(const Fonts& f, Canvas corridor);

// The floor textures in memory, by file stem (e.g. "rock", "copper-floor"); an empty canvas for
// an unknown name. Used by the title art and by the tests.
Canvas FloorTexture(const std::string& stem);
// The file stems of the twelve floor textures and whether each must tile seamlessly.
struct TextureEntry {
  const char* stem;
  bool seamless;
};
const std::vector<TextureEntry>& FloorTextureList();

// Model builders.
Mesh BuildBoosy();
Mesh BuildDoosy();
Mesh BuildPoosy();
Mesh BuildZoosy();
Mesh BuildMelpaims();
Mesh BuildBullet(int kind);  // 1..5
Mesh BuildMeat();
Mesh BuildCartridge();

}  // namespace assetgen
