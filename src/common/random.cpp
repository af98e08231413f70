// Seeding of the C random generator: from the clock, or reproducibly from --seed.
#include "common/random.h"

#include <cstdlib>
#include <ctime>

namespace QUORL_COMMON {

namespace {
bool fixedSeed = false;
bool gameSeed = false;  // a game's seed is in force (StartGameSeed)
unsigned int baseSeed = 0;
unsigned int seedCount = 0;
}  // namespace

void SetFixedSeed(unsigned int seed) {
  fixedSeed = true;
  baseSeed = seed;
  seedCount = 0;
}

bool IsSeedFixed() { return fixedSeed; }

void StartGameSeed(unsigned int seed) {
  gameSeed = true;
  baseSeed = seed;
  seedCount = 1;  // number 0 went to the seeding at start-up
}

unsigned int FixedSeed() { return fixedSeed ? baseSeed : 0; }

unsigned int SeedValue(unsigned int seed, unsigned int count) {
  if (count == 0) return seed;
  // Mix the count into the seed (a 32-bit finaliser) so that successive seeds differ widely.
  unsigned int x = seed ^ (count * 0x9E3779B9u);
  x ^= x >> 16;
  x *= 0x7FEB352Du;
  x ^= x >> 15;
  x *= 0x846CA68Bu;
  x ^= x >> 16;
  return x;
}

void SeedRandom() {
  if (fixedSeed || gameSeed) {
    srand(SeedValue(baseSeed, seedCount++));
  } else {
    srand(static_cast<unsigned int>(time(nullptr)));
  }
}

void ResetSeeding() {
  fixedSeed = false;
  gameSeed = false;
  baseSeed = 0;
  seedCount = 0;
}

}  // namespace QUORL_COMMON
