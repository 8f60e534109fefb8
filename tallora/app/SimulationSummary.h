#pragma once
// The read-only summary the simulation page shows: the inventory, the ages
// to list and the thinnings of a simulation, as lines of text.

#include <string>
#include <vector>

class TSimulationData;

struct TSimulationSummary {
  std::vector<std::string> inventory;
  std::vector<std::string> listing;
  // "aos 8, 5 anos", in the order the thinnings were entered; empty for none.
  std::string thinnings;
};

TSimulationSummary SummarizeSimulation(const TSimulationData& simulation);
