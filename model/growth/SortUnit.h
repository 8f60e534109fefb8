#pragma once
// Ascending bubble sort of the first count entries of an integer array.

#include <cstdint>

// capacity is the array's size as the caller knows it; it is not consulted.
void SortIntegers(std::int32_t* values, int capacity, int count);
