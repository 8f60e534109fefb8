#pragma once
// The stored properties of a simulation: its inputs and the results of its
// last run. Both programs read simulation files through this one declaration.

#include <string>

#include "model/items/ProductUnit.h"
#include "model/items/ProductionUnit.h"
#include "model/items/PrognosisUnit.h"
#include "model/items/ThinUnit.h"
#include "platform/classes/Classes.h"

// How the stand is given, as stored in InventoryType.
enum class TInventoryType : int {
  PlantingDensity = 1,    // trees planted and their first-year survival
  TreesAtAge = 2,         // trees at a known age
  TreesAndSizeAtAge = 3,  // trees and basal area or quadratic mean diameter at a known age
};

// What a TreesAndSizeAtAge inventory gives besides the trees, as stored in
// InventoryMode.
enum class TInventoryMode : int {
  NotChosen = 1,  // what choosing a type sets
  BaseArea = 2,
  MedianDiameter = 3,
};

// Which ages the results list, as stored in ListingOption.
enum class TListingOption : int {
  AgeInterval = 1,  // InitialAge to FinalAge by IncrementalAge
  AgeList = 2,      // the typed ResultAges
};

class TSimulationData : public TCollectionItem {
  TQ_DECLARE_CLASS(TSimulationData)
public:
  TSimulationData();
  ~TSimulationData() override;

  const std::string& Description() const { return description_; }
  void SetDescription(const std::string& value) { description_ = value; }
  const std::string& SpeciesName() const { return speciesName_; }
  void SetSpeciesName(const std::string& value) { speciesName_ = value; }
  // m
  double SiteIndex() const { return siteIndex_; }
  void SetSiteIndex(double value) { siteIndex_ = value; }
  // A TInventoryType; a file may hold any integer, which validation refuses.
  int InventoryType() const { return inventoryType_; }
  void SetInventoryType(int value) { inventoryType_ = value; }
  TInventoryType Inventory() const { return static_cast<TInventoryType>(inventoryType_); }
  void SetInventory(TInventoryType value) { inventoryType_ = static_cast<int>(value); }
  // A TInventoryMode, read for a TreesAndSizeAtAge inventory only.
  int InventoryMode() const { return inventoryMode_; }
  void SetInventoryMode(int value) { inventoryMode_ = value; }
  TInventoryMode InventoryGiven() const { return static_cast<TInventoryMode>(inventoryMode_); }
  void SetInventoryGiven(TInventoryMode value) { inventoryMode_ = static_cast<int>(value); }
  // Trees/ha planted.
  double InitialTrees() const { return initialTrees_; }
  void SetInitialTrees(double value) { initialTrees_ = value; }
  double SurvivalPercentage() const { return survivalPercentage_; }
  void SetSurvivalPercentage(double value) { survivalPercentage_ = value; }
  int InventoryAge() const { return inventoryAge_; }
  void SetInventoryAge(int value) { inventoryAge_ = value; }
  double InventoryTrees() const { return inventoryTrees_; }
  void SetInventoryTrees(double value) { inventoryTrees_ = value; }
  // m²/ha
  double BaseArea() const { return baseArea_; }
  void SetBaseArea(double value) { baseArea_ = value; }
  // Quadratic mean diameter, cm.
  double MedianDiameter() const { return medianDiameter_; }
  void SetMedianDiameter(double value) { medianDiameter_ = value; }
  double HomogeneityDegree() const { return homogeneityDegree_; }
  void SetHomogeneityDegree(double value) { homogeneityDegree_ = value; }
  // A TListingOption; any other value lists the initial and final ages.
  int ListingOption() const { return listingOption_; }
  void SetListingOption(int value) { listingOption_ = value; }
  TListingOption Listing() const { return static_cast<TListingOption>(listingOption_); }
  void SetListing(TListingOption value) { listingOption_ = static_cast<int>(value); }
  int InitialAge() const { return initialAge_; }
  void SetInitialAge(int value) { initialAge_ = value; }
  int FinalAge() const { return finalAge_; }
  void SetFinalAge(int value) { finalAge_ = value; }
  int IncrementalAge() const { return incrementalAge_; }
  void SetIncrementalAge(int value) { incrementalAge_ = value; }
  const std::string& ResultAges() const { return resultAges_; }
  void SetResultAges(const std::string& value) { resultAges_ = value; }
  // Formula texts; an empty one selects the built-in equation.
  const std::string& SiteIndexEquation() const { return siteIndexEquation_; }
  void SetSiteIndexEquation(const std::string& value) { siteIndexEquation_ = value; }
  const std::string& VolumeEquation() const { return volumeEquation_; }
  void SetVolumeEquation(const std::string& value) { volumeEquation_ = value; }
  const std::string& ShapeFunctionEquation() const { return shapeFunctionEquation_; }
  void SetShapeFunctionEquation(const std::string& value) { shapeFunctionEquation_ = value; }
  const std::string& ShapeFunctionIntegral2Equation() const { return shapeFunctionIntegral2Equation_; }
  void SetShapeFunctionIntegral2Equation(const std::string& value) { shapeFunctionIntegral2Equation_ = value; }
  const std::string& SiteIndexEquationAuthor() const { return siteIndexEquationAuthor_; }
  void SetSiteIndexEquationAuthor(const std::string& value) { siteIndexEquationAuthor_ = value; }
  const std::string& VolumeEquationAuthor() const { return volumeEquationAuthor_; }
  void SetVolumeEquationAuthor(const std::string& value) { volumeEquationAuthor_ = value; }
  const std::string& ShapeFunctionEquationAuthor() const { return shapeFunctionEquationAuthor_; }
  void SetShapeFunctionEquationAuthor(const std::string& value) { shapeFunctionEquationAuthor_ = value; }
  const std::string& SiteIndexEquationDescription() const { return siteIndexEquationDescription_; }
  void SetSiteIndexEquationDescription(const std::string& value) { siteIndexEquationDescription_ = value; }
  const std::string& VolumeEquationDescription() const { return volumeEquationDescription_; }
  void SetVolumeEquationDescription(const std::string& value) { volumeEquationDescription_ = value; }
  const std::string& ShapeFunctionEquationDescription() const { return shapeFunctionEquationDescription_; }
  void SetShapeFunctionEquationDescription(const std::string& value) { shapeFunctionEquationDescription_ = value; }
  // cm
  int DiameterClassInterval() const { return diameterClassInterval_; }
  void SetDiameterClassInterval(int value) { diameterClassInterval_ = value; }
  // Label of the unit of volume in the report.
  const std::string& VolumeUnit() const { return volumeUnit_; }
  void SetVolumeUnit(const std::string& value) { volumeUnit_ = value; }

  TProductCollection& ProductCollection() { return products_; }
  const TProductCollection& ProductCollection() const { return products_; }
  TThinCollection& ThinCollection() { return thins_; }
  const TThinCollection& ThinCollection() const { return thins_; }
  // Growth table of the last run.
  TPrognosisCollection& PrognosisCollection() { return prognoses_; }
  const TPrognosisCollection& PrognosisCollection() const { return prognoses_; }
  // Harvests of the last run.
  TProductionCollection& ProductionCollection() { return productions_; }
  const TProductionCollection& ProductionCollection() const { return productions_; }

private:
  std::string description_;
  std::string speciesName_;
  double siteIndex_ = 0;
  int inventoryType_ = 0;
  int inventoryMode_ = 0;
  double initialTrees_ = 0;
  double survivalPercentage_ = 0;
  int inventoryAge_ = 0;
  double inventoryTrees_ = 0;
  double baseArea_ = 0;
  double medianDiameter_ = 0;
  double homogeneityDegree_ = 0;
  int listingOption_ = 0;
  int initialAge_ = 0;
  int finalAge_ = 0;
  int incrementalAge_ = 0;
  std::string resultAges_;
  std::string siteIndexEquation_;
  std::string volumeEquation_;
  std::string shapeFunctionEquation_;
  std::string shapeFunctionIntegral2Equation_;
  std::string siteIndexEquationAuthor_;
  std::string volumeEquationAuthor_;
  std::string shapeFunctionEquationAuthor_;
  std::string siteIndexEquationDescription_;
  std::string volumeEquationDescription_;
  std::string shapeFunctionEquationDescription_;
  int diameterClassInterval_ = 0;
  std::string volumeUnit_;

  // Created in this order: products, thinnings, harvests, growth rows.
  TProductCollection products_{this};
  TThinCollection thins_{this};
  TProductionCollection productions_{this};
  TPrognosisCollection prognoses_{this};
};
