#include "platform/rtl/Random.h"

namespace {
std::uint32_t gSeed = 0;
}  // namespace

double RandomValue() {
  gSeed = gSeed * 134775813u + 1u;
  return gSeed / 4294967296.0;
}

std::uint32_t RandomSeed() {
  return gSeed;
}

void SetRandomSeed(std::uint32_t seed) {
  gSeed = seed;
}
