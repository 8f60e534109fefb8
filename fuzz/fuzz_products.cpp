// The product catalogue ("Produtos.dat").
#include "fuzz/FuzzRead.h"
#include "storage/PersistUnit.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return FuzzReadImage<TProductPersist>(data, size);
}
