// The cost catalogue ("Custo.dat").
#include "fuzz/FuzzRead.h"
#include "quorva/model/CatalogData.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return FuzzReadImage<TCustoPersist>(data, size);
}
