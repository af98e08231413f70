// The run summary of --summary.
#include "harness/runsummary.h"

#include <cstdio>

std::string RunSummaryText(bool hasSeed, unsigned int seed, long frames, int scene,
                           const std::string& gameLines, const std::string& tallyLines,
                           const SaveData* lastSave) {
  std::string text;
  if (hasSeed) text += "seed " + std::to_string(seed) + "\n";
  text += "frames " + std::to_string(frames) + "\n";
  text += "scene " + std::to_string(scene) + "\n";
  text += gameLines + tallyLines;
  if (lastSave != nullptr) {
    text += "save " + std::to_string(lastSave->floor) + " " + std::to_string(lastSave->enemyCount) + " " +
            std::to_string(lastSave->killCount) + " " + (lastSave->specialUnlocked ? "1" : "0") + "\n";
  }
  return text;
}

int WriteRunSummary(const std::string& path, const std::string& text) {
  FILE* file = fopen(path.c_str(), "wb");
  const bool written = file != nullptr && fwrite(text.data(), 1, text.size(), file) == text.size();
  const bool closed = file != nullptr && fclose(file) == 0;
  if (!written || !closed) {
    printf("QUORL:summary write error %s\n", path.c_str());
    return -1;
  }
  return 0;
}
