#pragma once
// The bivariate Johnson SB law of tree heights and diameters kept with growth
// rows, thinnings and harvests: x = min + (max - min) / (1 + exp((gamma - z) / delta)).

struct SbParameters {
  double HeightGamma = 0;
  double HeightDelta = 0;
  double DiameterGamma = 0;
  double DiameterDelta = 0;
  double Rho = 0;          // correlation of the two normal deviates
  double HeightMin = 0;    // m
  double HeightMax = 0;    // m, the dominant height
  double DiameterMin = 0;  // cm
  double DiameterMax = 0;  // cm

  bool operator==(const SbParameters&) const = default;
};
