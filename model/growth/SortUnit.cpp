#include "model/growth/SortUnit.h"

#include <utility>

void SortIntegers(std::int32_t* values, int /*capacity*/, int count) {
  for (int last = count - 1; last > 0; --last) {
    bool swapped = false;
    for (int i = 0; i < last; ++i) {
      if (values[i + 1] < values[i]) {
        std::swap(values[i], values[i + 1]);
        swapped = true;
      }
    }
    if (!swapped) break;
  }
}
