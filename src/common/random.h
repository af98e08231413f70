// The one place where the C random generator is seeded, so that a run can be made reproducible.
#pragma once

namespace QUORL_COMMON {

// Makes every later seeding reproducible: seeding number k (0, 1, 2, ...) then uses
// SeedValue(seed, k) instead of the clock. Called once at start-up for the --seed option.
void SetFixedSeed(unsigned int seed);

// True after SetFixedSeed: the run must not depend on wall-clock time.
bool IsSeedFixed();

// The seed given to SetFixedSeed, or 0 when the generator follows the clock.
unsigned int FixedSeed();

// A game now starting is built from `seed` (without a fixed seed): the seedings that follow go as
// they would after SetFixedSeed(seed) at start-up (the first map is seeding number 1), so that the
// game's dungeon is the one a run with --seed `seed` starts with. The music keeps the clock.
void StartGameSeed(unsigned int seed);

// Seeds rand(): from the clock in seconds (srand(time(0))), or, with a fixed seed, from the fixed
// seed and the number of seedings done so far. Every srand of the game goes through here.
void SeedRandom();

// The seed of seeding number `count` under the fixed seed `seed` (the first is the seed itself).
unsigned int SeedValue(unsigned int seed, unsigned int count);

// Forgets the fixed seed and the seeding count (for tests).
void ResetSeeding();

}  // namespace QUORL_COMMON
