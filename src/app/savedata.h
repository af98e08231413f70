// The save file "savedata.dat": floor to continue from, enemy counts and the special-mode flag.
#pragma once

#include <cstddef>

// One save record. On disk: 16 bytes, little-endian: floor (int32), enemyCount (int32),
// killCount (int32), specialUnlocked (1 byte, 1 or 0), 3 bytes of padding (written as 0).
struct SaveData {
  int floor = 1;
  int enemyCount = 0;
  int killCount = 0;
  bool specialUnlocked = false;
};

const size_t SAVE_DATA_SIZE = 16;

// The 16 bytes of a record.
void EncodeSaveData(const SaveData& save, unsigned char* bytes);
SaveData DecodeSaveData(const unsigned char* bytes);

// The floors of a game, the only ones a save may continue from.
const int SAVE_FIRST_FLOOR = 1;
const int SAVE_LAST_FLOOR = 30;

// Reads the record from `path`. A missing, unreadable or short file (under 16 bytes), or one whose
// floor lies outside 1 to 30, gives the defaults: floor 1, counts 0, not unlocked. Negative counts
// read as 0.
SaveData ReadSaveData(const char* path);

// Writes the record to `path` through a temporary file beside it ("savedata.dat.tmp", overwritten
// when a crash left one) and a rename, so that a crash mid-write never leaves a truncated file.
// Where no temporary file can be made (a read-only folder) the file is written in place. A
// symbolic link is written through to its target and stays a link. Returns 0, or -1 when nothing
// could be written (the old file then stays whole when the temporary file was made).
int WriteSaveData(const char* path, const SaveData& save);

// Whether finishing a game with these counts earns the special mode: 90 % or more of the placed
// enemies killed (kills x 100 / enemies > 89, integer division). No enemies placed earns nothing.
bool EarnsSpecialMode(int enemyCount, int killCount);
