#include "quorva/model/SimulationQuorvaUnit.h"

namespace quorva {

const ClassInfo& TSimulation::StaticClass() {
  static const auto ci = ClassBuilder<TSimulation>("TSimulation", &TSimulationData::StaticClass()).Build();
  return *ci;
}

const ClassInfo& TSimulationPersist::StaticClass() {
  static const auto ci =
      ClassBuilder<TSimulationPersist>("TSimulationPersist", &TFileRoot::StaticClass())
          .Collection("SimulationCollection", &TSimulationPersist::SimulationCollection, TSimulation::StaticClass())
          .Build();
  return *ci;
}

TSimulationPersist::TSimulationPersist(TComponent* owner)
    : TFileRoot(owner), simulations_(std::make_unique<TSimulationCollection>(this)) {}

}  // namespace quorva
