#pragma once
// Quorva's reduced simulation: it only stores what a simulator file holds
// (the inputs, the growth table and the harvests), to read those files.

#include "model/items/SimulationData.h"
#include "platform/classes/Classes.h"
#include "storage/PersistUnit.h"

namespace quorva {

// Publishes exactly the stored properties of the simulator's simulation.
class TSimulation : public TSimulationData {
  TQ_DECLARE_CLASS(TSimulation)
public:
  TSimulation() = default;
};

class TSimulationCollection : public TTypedCollection<TSimulation> {
public:
  using TTypedCollection::TTypedCollection;
};

// Root of a simulator file; stored as "TSimulationPersist", like Tallora's.
class TSimulationPersist : public TCollectionRoot<TSimulationPersist, TSimulationCollection> {
public:
  static constexpr const char* kClassName = "TSimulationPersist";
  static constexpr const char* kKindName = "simulação";
  static constexpr const char* kCollectionName = "SimulationCollection";

  explicit TSimulationPersist(TComponent* owner = nullptr) : TCollectionRoot(owner) {}

  TSimulationCollection& SimulationCollection() { return Items(); }
  const TSimulationCollection& SimulationCollection() const { return Items(); }
};

}  // namespace quorva
