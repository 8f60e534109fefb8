#pragma once
// A growth-and-yield simulation: validation of its inputs and the run that
// fills its growth table, thinning results and harvests.

#include <string>
#include <vector>

#include "model/growth/FormulaUnit.h"
#include "model/growth/SpeciesUnit.h"
#include "model/items/ErrorsUnit.h"
#include "model/items/SimulationData.h"

class TSimulation : public TSimulationData {
  TQ_DECLARE_CLASS(TSimulation)
public:
  TSimulation();
  ~TSimulation() override;

  // Checks every input into Errors(), fills the ages list (typed list),
  // prepares the four equations; stores and returns Valid().
  bool Validate();
  // Runs a valid simulation; false when not valid or when the run failed
  // (code 99 in Errors()). Nothing of the run-time family escapes.
  bool Execute();

  bool Valid() const { return valid_; }
  TErrorList& Errors() { return errors_; }
  const TErrorList& Errors() const { return errors_; }

private:
  friend struct TSimulationTestAccess;  // defined by the tests only

  // Writes the ages of a blank- or comma-separated text into the ages list
  // and returns their number; a token that is not an integer, or more ages
  // than the list holds, raises Exception "Lista de Idades para Simulação
  // invalida".
  int ParseResultAges(const std::string& text);
  // True when two neighbours among the first count (sorted) ages are equal.
  bool HasRepeatedAges(int count) const;
  // Compiles each non-empty equation text (codes 31, 33, 35, 37), or installs
  // the built-in equation.
  void PrepareEquations();
  // The last age the run will list (the highest thinning age is below it).
  int LastListedAge() const;
  // Grid of option 1: from max(InitialAge, first age of the stand) by IncrementalAge.
  std::vector<int> GridAges() const;

  void StartStand();
  // Appends a growth row for the current stand.
  void AddPrognosis(int age, int previousAge);
  // Applies one thinning to the stand and writes its results.
  void ApplyThin(int age, TThin& thin);
  // Raise on a thinning that would leave an impossible stand.
  static void CheckRemainingTrees(double trees, double fraction);
  static void CheckRemainingBaseArea(double basalArea, double fraction);
  // Volume per hectare of a stand given in inches, feet and trees/ft².
  double StandVolume(double dq, double hmean, double trees, int age);
  void BuildProductions();
  void MergeProductions();

  bool valid_ = false;
  TErrorList errors_;
  TSpecies species_;
  TSiteIndexEquation siteFormula_;
  TVolumeEquation volumeFormula_;
  TShapeFunctionEquation shapeFormula_;
  TShapeFunctionIntegral2Equation integralFormula_;
  // Run state: site index in feet, volume of the previous row (or left by a
  // thinning), volume removed by thinnings so far.
  double siteIndexFeet_ = 0;
  double previousVolume_ = 0;
  double removedVolume_ = 0;
  // Ages to list, ascending.
  std::vector<int> ages_;
};

class TSimulationCollection : public TTypedCollection<TSimulation> {
public:
  using TTypedCollection::TTypedCollection;
};
