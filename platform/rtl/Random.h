#pragma once
// The process-wide uniform generator: 32-bit linear congruential,
// seed := seed * 134775813 + 1 (mod 2^32) from seed 0, value := seed / 2^32.

#include <cstdint>

// Next value in [0, 1).
double RandomValue();

// For tests only; the programs never reseed.
std::uint32_t RandomSeed();
void SetRandomSeed(std::uint32_t seed);
