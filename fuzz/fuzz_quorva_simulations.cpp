// A simulator file as Quorva reads it.
#include "fuzz/FuzzRead.h"
#include "quorva/model/SimulationQuorvaUnit.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return FuzzReadImage<quorva::TSimulationPersist>(data, size);
}
