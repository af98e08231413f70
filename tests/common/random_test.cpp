// Tests of the one seeding function: a fixed seed makes every later seeding reproducible.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "common/random.h"

namespace {

// The first draws after each of `seedings` seedings.
std::vector<int> Draws(unsigned seed, int seedings) {
  QUORL_COMMON::ResetSeeding();
  QUORL_COMMON::SetFixedSeed(seed);
  std::vector<int> draws;
  for (int i = 0; i < seedings; ++i) {
    QUORL_COMMON::SeedRandom();
    draws.push_back(rand());
    draws.push_back(rand() % 20);
  }
  QUORL_COMMON::ResetSeeding();
  return draws;
}

}  // namespace

TEST(Seeding, AFixedSeedRepeatsTheWholeSequenceOfSeedings) {
  EXPECT_EQ(Draws(42, 6), Draws(42, 6));
  EXPECT_NE(Draws(42, 6), Draws(43, 6));
  // Each seeding starts a different sequence, and the first one uses the seed itself.
  const std::vector<int> d = Draws(7, 3);
  EXPECT_NE(d[0], d[2]);
  EXPECT_NE(d[2], d[4]);
  srand(7);
  EXPECT_EQ(rand(), d[0]);
  EXPECT_EQ(7u, QUORL_COMMON::SeedValue(7, 0));
}

TEST(Seeding, WithoutAFixedSeedTheClockSeeds) {
  QUORL_COMMON::ResetSeeding();
  EXPECT_FALSE(QUORL_COMMON::IsSeedFixed());
  QUORL_COMMON::SetFixedSeed(0);
  EXPECT_TRUE(QUORL_COMMON::IsSeedFixed());
  QUORL_COMMON::ResetSeeding();
  EXPECT_FALSE(QUORL_COMMON::IsSeedFixed());
}
