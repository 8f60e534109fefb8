#pragma once
// Growth-table rows: the stand at one age, with basal area, volume and the
// mean and current annual increments.

#include <span>

#include "model/items/SbParameters.h"
#include "platform/classes/Classes.h"

// An equation evaluated on an array of values (a volume equation takes
// diameter in cm, height in m and age in years). Formulas implement it, so the
// items that compute through an equation need neither the parser nor the
// growth model.
class IEquation {
public:
  virtual double Compute(std::span<const double> values) = 0;

protected:
  ~IEquation() = default;
};

class TPrognosis : public TCollectionItem {
  TQ_DECLARE_CLASS(TPrognosis)
public:
  TPrognosis() = default;
  ~TPrognosis() override = default;

  int Age() const { return age_; }
  void SetAge(int value) { age_ = value; }
  // m
  double DominantHeight() const { return dominantHeight_; }
  void SetDominantHeight(double value) { dominantHeight_ = value; }
  // Trees per hectare.
  double NoTrees() const { return noTrees_; }
  void SetNoTrees(double value) { noTrees_ = value; }
  // Quadratic mean diameter, cm.
  double MedianDiameter() const { return medianDiameter_; }
  void SetMedianDiameter(double value) { medianDiameter_ = value; }
  // Mean height, m.
  double MedianHeight() const { return medianHeight_; }
  void SetMedianHeight(double value) { medianHeight_ = value; }
  // m²/ha
  double BaseArea() const { return baseArea_; }
  void SetBaseArea(double value) { baseArea_ = value; }
  // Per hectare, in the unit of the volume equation.
  double Volume() const { return volume_; }
  void SetVolume(double value) { volume_ = value; }
  double IMA() const { return ima_; }
  void SetIMA(double value) { ima_ = value; }
  double ICA() const { return ica_; }
  void SetICA(double value) { ica_ = value; }

  // Unstored: the stand's distributions at this age.
  const SbParameters& Sb() const { return sb_; }
  SbParameters& Sb() { return sb_; }

  // BaseArea := (MedianDiameter / 100)² × NoTrees × π / 4.
  void ComputeBasalArea();
  // Volume := equation(MedianDiameter, MedianHeight, Age) × NoTrees; returns it.
  double ComputeVolume(IEquation& volumeEquation);
  // IMA := (Volume + volume removed by earlier thinnings) / Age.
  void ComputeIMA(double removedVolume);
  // ICA := (Volume - previous volume) / (Age - previous age); the previous
  // volume is the one left by a thinning when one came between.
  void ComputeICA(int previousAge, double previousVolume);

private:
  int age_ = 0;
  double dominantHeight_ = 0;
  double noTrees_ = 0;
  double medianDiameter_ = 0;
  double medianHeight_ = 0;
  double baseArea_ = 0;
  double volume_ = 0;
  double ima_ = 0;
  double ica_ = 0;
  SbParameters sb_;
};

class TPrognosisCollection : public TTypedCollection<TPrognosis> {
public:
  using TTypedCollection::TTypedCollection;
};
