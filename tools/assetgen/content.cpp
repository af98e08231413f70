// The registry of content families, models and picture paths.
#include "content.h"

#include <cstdio>

#include "pngfile.h"

namespace assetgen {

const std::vector<Family>& Families() {
  static const std::vector<Family> list = {
      {"floor textures", GenerateFloorTextures},
      {"status board", GenerateHud},
      {"title", GenerateTitle},
      {"options", GenerateOptions},
      {"boss captions", GenerateCaptions},
      {"visible sounds", GenerateSoundCues},
      {"ending", GenerateEnding},
      {"enemy models", GenerateEnemyModels},
      {"bullet and item models", GeneratePropModels},
      {"desktop entry and icon", GenerateDesktop},
  };
  return list;
}

int GenerateVisuals(const std::string& outDir) {
  for (const Family& f : Families())
    if (f.generate(outDir) != 0) {
      fprintf(stderr, "assetgen: %s failed\n", f.name);
      return -1;
    }
  return 0;
}

const std::vector<ModelRecipe>& Models() {
  static const std::vector<ModelRecipe> list = {
      {"model/boosy/boosy.mqo", BuildBoosy},
      {"model/doosy/doosy.mqo", BuildDoosy},
      {"model/poosy/poosy.mqo", BuildPoosy},
      {"model/zoosy/zoosy.mqo", BuildZoosy},
      {"model/melpaims/melpaims.mqo", BuildMelpaims},
      {"model/bullet/Ebullet1.mqo", [] { return BuildBullet(1); }},
      {"model/bullet/Ebullet2.mqo", [] { return BuildBullet(2); }},
      {"model/bullet/Ebullet3.mqo", [] { return BuildBullet(3); }},
      {"model/bullet/Ebullet4.mqo", [] { return BuildBullet(4); }},
      {"model/bullet/Ebullet5.mqo", [] { return BuildBullet(5); }},
      {"model/items/meet/meet.mqo", BuildMeat},
      {"model/items/bullet_sp/bullet_sp.mqo", BuildCartridge},
  };
  return list;
}

std::vector<std::string> PicturePaths() {
  std::vector<std::string> p = {"img/QUORL-title.png", "img/QUORL-title-light.png", "img/fonts/new-game.png",
                                "img/fonts/continue.png", "img/fonts/options.png", "img/options-back.png",
                                "img/options-highlight.png", "img/fonts/options-heading.png",
                                "img/fonts/controls-heading.png", "img/fonts/access-heading.png",
                                "img/fonts/pad-heading.png", "img/fonts/display-heading.png", "img/fonts/options-glyphs.png",
                                "img/fonts/options-glyphs-lit.png", "img/fonts/records.png",
                                "img/fonts/records-heading.png"};
  for (int i = 1; i <= 14; ++i) p.push_back("img/staff/" + std::to_string(i) + ".png");
  p.push_back("img/Sight.png");
  p.push_back("img/fonts/pause.png");
  p.push_back("img/life-gauge.png");
  p.push_back("img/bullet.png");
  p.push_back("img/bullet_sp.png");
  p.push_back("img/bullet_shadow.png");
  for (int i = 0; i <= 9; ++i) p.push_back("img/fonts/floor/" + std::to_string(i) + ".png");
  p.push_back("img/fonts/floor/B.png");
  p.push_back("img/fonts/floor/F.png");
  for (int i = 0; i <= 9; ++i) p.push_back("img/fonts/spbulletnum/" + std::to_string(i) + ".png");
  p.push_back("img/fonts/spbulletnum/times.png");
  p.push_back("img/fonts/spbulletnum/bullet.png");
  const char* captions[] = {"boss1-word1", "boss1-word2", "boss2-word1", "boss2-word2", "boss2-word3",
                            "boss2-word4", "boss3-word1", "boss3-word2", "boss3-word3"};
  for (const char* c : captions) p.push_back(std::string("img/fonts/") + c + ".png");
  for (int i = 0; i <= 9; ++i) p.push_back("img/fonts/genocide/" + std::to_string(i) + ".png");
  p.push_back("img/fonts/genocide/genocide.png");
  p.push_back("img/fonts/genocide/percent.png");
  p.push_back("img/fonts/push-F.png");
  for (const auto& cue : CueCaptions()) p.push_back("img/fonts/cues/" + cue.first + ".png");
  p.push_back("img/fonts/cues/edge-glow.png");
  for (const TextureEntry& t : FloorTextureList()) p.push_back(std::string("img/walls/") + t.stem + ".png");
  return p;
}

}  // namespace assetgen
