#include "model/items/SimulationData.h"

TSimulationData::TSimulationData() = default;

TSimulationData::~TSimulationData() = default;

const ClassInfo& TSimulationData::StaticClass() {
  using S = TSimulationData;
  static const auto ci =
      ClassBuilder<S>("TSimulationData", &TCollectionItem::StaticClass())
          .String("Description", &S::Description, &S::SetDescription)
          .String("SpeciesName", &S::SpeciesName, &S::SetSpeciesName)
          .Double("SiteIndex", &S::SiteIndex, &S::SetSiteIndex)
          .Integer("InventoryType", &S::InventoryType, &S::SetInventoryType)
          .Integer("InventoryMode", &S::InventoryMode, &S::SetInventoryMode)
          .Double("InitialTrees", &S::InitialTrees, &S::SetInitialTrees)
          .Double("SurvivalPercentage", &S::SurvivalPercentage, &S::SetSurvivalPercentage)
          .Integer("InventoryAge", &S::InventoryAge, &S::SetInventoryAge)
          .Double("InventoryTrees", &S::InventoryTrees, &S::SetInventoryTrees)
          .Double("BaseArea", &S::BaseArea, &S::SetBaseArea)
          .Double("MedianDiameter", &S::MedianDiameter, &S::SetMedianDiameter)
          .Double("HomogeneityDegree", &S::HomogeneityDegree, &S::SetHomogeneityDegree)
          .Integer("ListingOption", &S::ListingOption, &S::SetListingOption)
          .Integer("InitialAge", &S::InitialAge, &S::SetInitialAge)
          .Integer("FinalAge", &S::FinalAge, &S::SetFinalAge)
          .Integer("IncrementalAge", &S::IncrementalAge, &S::SetIncrementalAge)
          .String("ResultAges", &S::ResultAges, &S::SetResultAges)
          .String("SiteIndexEquation", &S::SiteIndexEquation, &S::SetSiteIndexEquation)
          .String("VolumeEquation", &S::VolumeEquation, &S::SetVolumeEquation)
          .String("ShapeFunctionEquation", &S::ShapeFunctionEquation, &S::SetShapeFunctionEquation)
          .String("ShapeFunctionIntegral2Equation", &S::ShapeFunctionIntegral2Equation,
                  &S::SetShapeFunctionIntegral2Equation)
          .String("SiteIndexEquationAuthor", &S::SiteIndexEquationAuthor, &S::SetSiteIndexEquationAuthor)
          .String("VolumeEquationAuthor", &S::VolumeEquationAuthor, &S::SetVolumeEquationAuthor)
          .String("ShapeFunctionEquationAuthor", &S::ShapeFunctionEquationAuthor, &S::SetShapeFunctionEquationAuthor)
          .String("SiteIndexEquationDescription", &S::SiteIndexEquationDescription, &S::SetSiteIndexEquationDescription)
          .String("VolumeEquationDescription", &S::VolumeEquationDescription, &S::SetVolumeEquationDescription)
          .String("ShapeFunctionEquationDescription", &S::ShapeFunctionEquationDescription,
                  &S::SetShapeFunctionEquationDescription)
          .Integer("DiameterClassInterval", &S::DiameterClassInterval, &S::SetDiameterClassInterval)
          .String("VolumeUnit", &S::VolumeUnit, &S::SetVolumeUnit)
          .Collection("ProductCollection", static_cast<TProductCollection& (S::*)()>(&S::ProductCollection),
                      TProduct::StaticClass())
          .Collection("ThinCollection", static_cast<TThinCollection& (S::*)()>(&S::ThinCollection),
                      TThin::StaticClass())
          .Collection("PrognosisCollection", static_cast<TPrognosisCollection& (S::*)()>(&S::PrognosisCollection),
                      TPrognosis::StaticClass())
          .Collection("ProductionCollection", static_cast<TProductionCollection& (S::*)()>(&S::ProductionCollection),
                      TProduction::StaticClass())
          .Build();
  return *ci;
}
