#include "quorva/model/SimulationQuorvaUnit.h"

namespace quorva {

const ClassInfo& TSimulation::StaticClass() {
  static const auto ci = ClassBuilder<TSimulation>("TSimulation", &TSimulationData::StaticClass()).Build();
  return *ci;
}

}  // namespace quorva
