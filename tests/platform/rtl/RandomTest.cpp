#include <gtest/gtest.h>

#include "platform/rtl/Random.h"

namespace {

TEST(Random, FirstValuesFromSeedZero) {
  const std::uint32_t saved = RandomSeed();
  SetRandomSeed(0);
  // seed / 2^32 for the seeds 1, 134775814, 3698175007, 870078620.
  EXPECT_EQ(RandomValue(), 2.3283064365386963e-10);
  EXPECT_EQ(RandomSeed(), 1u);
  EXPECT_EQ(RandomValue(), 0.031379939522594213);
  EXPECT_EQ(RandomSeed(), 134775814u);
  EXPECT_EQ(RandomValue(), 0.8610484672244638);
  EXPECT_EQ(RandomSeed(), 3698175007u);
  EXPECT_EQ(RandomValue(), 0.20258096512407064);
  EXPECT_EQ(RandomSeed(), 870078620u);
  SetRandomSeed(saved);
}

TEST(Random, WrapsModulo2To32AndStaysBelowOne) {
  const std::uint32_t saved = RandomSeed();
  // 0xFFFFFFFF * 134775813 + 1 = 1 - 134775813 (mod 2^32).
  SetRandomSeed(0xFFFFFFFFu);
  EXPECT_EQ(RandomValue(), 4160191484.0 / 4294967296.0);
  // The seed before 0xFFFFFFFF gives the largest value.
  std::uint32_t inverse = 134775813u;  // Newton iteration for the inverse mod 2^32
  for (int i = 0; i < 5; ++i) inverse *= 2u - 134775813u * inverse;
  SetRandomSeed((0xFFFFFFFFu - 1u) * inverse);
  double v = RandomValue();
  EXPECT_EQ(RandomSeed(), 0xFFFFFFFFu);
  EXPECT_LT(v, 1.0);
  SetRandomSeed(saved);
}

}  // namespace
