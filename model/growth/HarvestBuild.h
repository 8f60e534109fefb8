#pragma once
// Filling a harvest from a thinning or from the last growth row, and building
// its diameter classes from the bivariate SB law of the trees taken.

#include "model/items/ProductionUnit.h"
#include "model/items/ThinUnit.h"

class TPrognosis;

// Builds harvests with one set of equations: volume (diameter, height, age),
// taper (class diameter, relative height) and the integral of the squared
// taper. The harvest's products and class width are set beforehand.
class THarvestBuilder {
public:
  THarvestBuilder(IEquation& volume, IEquation& shape, IEquation& integral)
      : volume_(volume), shape_(shape), integral_(integral) {}

  // Fills from the systematic or the selective part of a thinning and builds
  // the classes.
  void SetFromThin(TProduction& harvest, const TThin& thin, TThinType part) const;
  // Fills the final cut from the last growth row and builds the classes.
  void SetFromPrognosis(TProduction& harvest, const TPrognosis& prognosis) const;
  // One class per width step across the diameter range that holds more than
  // half a tree, scaled to the harvest's TotalVolume and assorted.
  void BuildDiameterClasses(TProduction& harvest) const;

  // Trees, mean height and volume of the harvest in the diameter interval
  // [lower, upper) (cm).
  static double ClassTrees(const TProduction& harvest, double lower, double upper);
  static double ClassMedianHeight(const TProduction& harvest, double lower, double upper);
  double ClassVolume(const TProduction& harvest, double lower, double upper) const;

private:
  IEquation& volume_;
  IEquation& shape_;
  IEquation& integral_;
};
