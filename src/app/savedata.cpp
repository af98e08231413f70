// Reading and writing the save record.
#include "app/savedata.h"

#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

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

// Writes the 16 bytes over the file at `path` (truncating it first). Returns 0 or -1.
int WriteInPlace(const std::string& path, const unsigned char* bytes) {
  FILE* file = fopen(path.c_str(), "wb");
  if (file == nullptr) return -1;
  const bool written = fwrite(bytes, 1, SAVE_DATA_SIZE, file) == SAVE_DATA_SIZE;
  return fclose(file) == 0 && written ? 0 : -1;
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
  // Through a symbolic link the record goes to the link's target, and the link stays.
  std::string target = path;
  struct stat info;
  if (char* resolved = realpath(path, nullptr)) {
    target = resolved;
    free(resolved);
  } else if (lstat(path, &info) == 0 && S_ISLNK(info.st_mode)) {
    return WriteInPlace(path, bytes);  // a link to a file not made yet: opening creates it
  }
  const std::string temp = target + ".tmp";  // a file left by a crash is overwritten
  FILE* file = fopen(temp.c_str(), "wb");
  // No temporary file beside it (a read-only folder): the file itself is written in place.
  if (file == nullptr) return WriteInPlace(target, bytes);
  const bool written = fwrite(bytes, 1, SAVE_DATA_SIZE, file) == SAVE_DATA_SIZE;
  const bool closed = fclose(file) == 0;
  if (!written || !closed || rename(temp.c_str(), target.c_str()) != 0) {
    remove(temp.c_str());
    return -1;
  }
  return 0;
}

bool EarnsSpecialMode(int enemyCount, int killCount) {
  if (enemyCount <= 0) return false;
  return static_cast<long long>(killCount) * 100 / enemyCount > 89;
}
