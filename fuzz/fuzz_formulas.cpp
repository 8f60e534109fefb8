// The formula catalogue ("Formulas.dat").
#include "fuzz/FuzzRead.h"
#include "tallora/data/GrovanaData.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return FuzzReadImage<TFormulaPersist>(data, size);
}
