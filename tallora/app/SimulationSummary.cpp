#include "tallora/app/SimulationSummary.h"

#include "model/items/SimulationData.h"
#include "model/items/ThinUnit.h"
#include "platform/rtl/SysUtils.h"

TSimulationSummary SummarizeSimulation(const TSimulationData& s) {
  TSimulationSummary summary;

  if (s.Inventory() == TInventoryType::PlantingDensity) {
    summary.inventory.push_back(Format("Número de árvores plantadas: %.0f", {s.InitialTrees()}));
    summary.inventory.push_back(Format("Percentual de sobrevivência inicial: %.0f", {s.SurvivalPercentage()}) + "%");
  } else {
    summary.inventory.push_back(
        Format("Número de árvores por hectare na idade %d:  %.0f", {s.InventoryAge(), s.InventoryTrees()}));
    if (s.Inventory() == TInventoryType::TreesAndSizeAtAge) {
      if (s.InventoryGiven() == TInventoryMode::BaseArea)
        summary.inventory.push_back(Format("Area Basal: %.1f", {s.BaseArea()}));
      if (s.InventoryGiven() == TInventoryMode::MedianDiameter)
        summary.inventory.push_back(Format("Diâmetro quadrático médio : %.1f", {s.MedianDiameter()}));
    }
  }

  if (s.Listing() == TListingOption::AgeInterval) {
    // The step twice: "every so many years".
    summary.listing.push_back(Format("Gerar resultados para as idades de %d a %d, de %d em %d ano(s)",
                                     {s.InitialAge(), s.FinalAge(), s.IncrementalAge(), s.IncrementalAge()}));
  } else if (s.Listing() == TListingOption::AgeList) {
    summary.listing.push_back("Gerar resultados para as idades abaixo:");
    summary.listing.push_back(s.ResultAges());
  }

  const TThinCollection& thins = s.ThinCollection();
  if (thins.Count() > 0) {
    std::string ages;
    for (const TThin& thin : thins) {
      if (!ages.empty()) ages += ", ";
      ages += IntToStr(thin.Age());
    }
    summary.thinnings = "aos " + ages + " anos";
  }
  return summary;
}
