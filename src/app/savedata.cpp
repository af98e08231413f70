// Reading and writing the save record.
#include "app/savedata.h"

#include <cstdint>
#include <cstdio>
#include <string>

#include "app/atomicfile.h"

namespace {

void PutInt32(unsigned char* p, int value) {
  const uint32_t v = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(v >> (8 * i));
}

int GetInt32(const unsigned char* p) {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(p[i]) << (8 * i);
  return static_cast<int32_t>(v);
}

}  // namespace

void EncodeSaveData(const SaveData& save, unsigned char* bytes) {
  PutInt32(bytes, save.floor);
  PutInt32(bytes + 4, save.enemyCount);
  PutInt32(bytes + 8, save.killCount);
  bytes[12] = save.specialUnlocked ? 1 : 0;
  bytes[13] = bytes[14] = bytes[15] = 0;
}

SaveData DecodeSaveData(const unsigned char* bytes) {
  SaveData save;
  save.floor = GetInt32(bytes);
  save.enemyCount = GetInt32(bytes + 4);
  save.killCount = GetInt32(bytes + 8);
  save.specialUnlocked = bytes[12] != 0;
  return save;
}

SaveData ReadSaveData(const char* path) {
  FILE* file = fopen(path, "rb");
  if (file == nullptr) return SaveData();
  unsigned char bytes[SAVE_DATA_SIZE];
  const size_t got = fread(bytes, 1, SAVE_DATA_SIZE, file);
  fclose(file);
  if (got != SAVE_DATA_SIZE) return SaveData();
  SaveData save = DecodeSaveData(bytes);
  // A floor no game reaches marks a damaged file: a continue from it would never meet a boss.
  if (save.floor < SAVE_FIRST_FLOOR || save.floor > SAVE_LAST_FLOOR) return SaveData();
  if (save.enemyCount < 0) save.enemyCount = 0;
  if (save.killCount < 0) save.killCount = 0;
  return save;
}

int WriteSaveData(const char* path, const SaveData& save) {
  unsigned char bytes[SAVE_DATA_SIZE];
  EncodeSaveData(save, bytes);
  return ReplaceFile(path, std::string(reinterpret_cast<const char*>(bytes), SAVE_DATA_SIZE));
}

bool EarnsSpecialMode(int enemyCount, int killCount) {
  if (enemyCount <= 0) return false;
  return static_cast<long long>(killCount) * 100 / enemyCount > 89;
}
