#pragma once
// Quorva's reduced simulation: it only stores what a simulator file holds
// (the inputs, the growth table and the harvests), to read those files.

#include <memory>
#include <string>

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

// Root of a simulator file; stored as "TSimulationPersist".
class TSimulationPersist : public TFileRoot {
  TQ_DECLARE_CLASS(TSimulationPersist)
public:
  explicit TSimulationPersist(TComponent* owner = nullptr);

  TSimulationCollection& SimulationCollection() { return *simulations_; }

private:
  std::unique_ptr<TSimulationCollection> simulations_;
};

}  // namespace quorva
