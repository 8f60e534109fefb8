// A plan file of Quorva ("Plano1.dat").
#include "fuzz/FuzzRead.h"
#include "quorva/model/MarquelData.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return FuzzReadImage<TQuorvaPersist>(data, size);
}
