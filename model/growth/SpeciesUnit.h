#pragma once
// Stand model of one even-aged eucalyptus planting: survival, dominant height and the
// correlated Johnson SB laws of tree heights and diameters as curves of age, plus the
// re-fit of those curves after a systematic or selective thinning. It computes in
// feet, inches and trees per square foot; callers convert at the border.

#include "model/items/PrognosisUnit.h"
#include "model/items/SbParameters.h"

// Unit conversions between the user's metric units and the model's imperial ones.
inline constexpr double kFeetPerMetre = 3.2808398950131235;
inline constexpr double kMetresPerFoot = 0.3048;
inline constexpr double kSquareFeetPerHectare = 107639.10416709722;  // trees/ha -> trees/ft²: divide
inline constexpr double kHectaresPerSquareFoot = 9.290304e-6;        // trees/ft² -> trees/ha: divide
inline constexpr double kCentimetresPerInch = 2.54;
inline constexpr double kMetresPerInch = 0.0254;
inline constexpr double kInchesPerCentimetre = 0.3937007874015748;
inline constexpr double kSquareInchesPerSquareMetre = 1550.0031000062;
// Trees per acre -> trees per square foot: multiply.
inline constexpr double kAcresPerSquareFoot = 2.29567493114e-5;

// Densities (trees/ft²) at which the model changes form.
inline constexpr double kDensity10000PerHectare = 0.09290304;
inline constexpr double kDensity5001PerAcre = 0.1148067033063114;
inline constexpr double kDensity50PerAcre = 0.00114783746557;

// Moments of the standard bivariate normal with correlation rho truncated to both
// deviates at or above z: probability C, mean K, second moment J, cross moment X,
// variance V and the correlation left.
struct TruncatedNormalMoments {
  double C = 0;
  double K = 0;
  double J = 0;
  double X = 0;
  double V = 0;
  double Rho = 0;
};
TruncatedNormalMoments TruncatedBivariateMoments(double z, double rho);

class TSpecies {
public:
  // Start of a run: every offset 0, floor ratios 1.
  void ResetStand();
  // N0 trees/ft², SI ft, HD homogeneity degree.
  void InitStand(double N0, double SI, double HD);
  void RestartStand(double N0);
  void SetSpacingCoefficients(double s);
  void SetMortalityParameters(double s);

  // Trees/ft² that survive to height H (ft).
  double SurvivingTrees(double H) const;
  // Site equation at 0.85 SI and 0.6 age (mortality height), ft.
  double SiteHeight(double age, IEquation& site) const;
  double SiteHeightFor(double age, IEquation& site, double SI) const;
  // Site equation at SIdom and age, ft.
  double DominantHeight(double age, IEquation& site) const;

  // Replaces the current stand by the one at this age.
  void Grow(double age, IEquation& site);

  // Initial density whose survivors at height H match Ninv (trees/ft²).
  double InitialDensity(double Ninv, double SI, double H) const;
  // Survivors at height H (ft) of an initial density x on site SI, less Ninv,
  // by the mortality law above and below 5001 trees/acre.
  static double DensityResidualHigh(double x, double Ninv, double SI, double H);
  static double DensityResidualLow(double x, double Ninv, double SI, double H);

  // Sets the diameter offsets so that later steps follow a measured Dq (in).
  void AdjustToDiameter(double T);

  static double SbLambda(double minimum, double maximum);
  static double SbDelta(double lambda, double spread);
  static double SbGamma(double xi, double m, double lambda, double delta);

  // Thinning: the stand left and the re-fit of the curves.
  void SetRemaining(double g, double Nbase);
  // Deviate z at which the trees with both deviates at or above z are the
  // fraction f of the trees, or of the basal area.
  double TruncationByTrees(double f) const;
  double TruncationByBasalArea(double f) const;
  // Fraction of the trees, or of the basal area, left by truncation at z, less f.
  double TreeFractionResidual(double z, double f) const;
  double BasalAreaFractionResidual(double z, double f) const;
  void TruncatedState(double z, double Nbase);
  void ApplySystematicThin(double age, IEquation& site);
  void ApplySelectiveThin(double age, IEquation& site, double z);
  double TruncatedMean(double N, double xi, double lambda, double delta, double gamma) const;

  // Correlation curve rho(P) = k20 cos(k21 P) + k19 - k22 P.
  double CorrelationExtreme(int n) const;
  double CorrelationResidual(double P, double target) const;
  double CorrelationPosition(double target, double P) const;

  // Start values and coefficients.
  double N0() const { return n0_; }
  double SI() const { return si_; }
  double HD() const { return hd_; }
  double SIdom() const { return siDom_; }
  double K(int i) const { return k_[i]; }  // k1 ... k22
  double MortalityR() const { return r_; }
  double MortalityP() const { return p_; }

  // Current stand (trees/ft², ft, in).
  double N() const { return n_; }
  void SetN(double value) { n_ = value; }
  double Hdom() const { return hdom_; }
  double Hmin() const { return hmin_; }
  double Hmed() const { return hmed_; }
  double SigmaH() const { return sigmaH_; }
  double LambdaH() const { return lambdaH_; }
  double DeltaH() const { return deltaH_; }
  double GammaH() const { return gammaH_; }
  double Hmean() const { return hmean_; }
  double Dmax0() const { return dmax0_; }
  double Dmed0() const { return dmed0_; }
  double Dmin0() const { return dmin0_; }
  double Dmax() const { return dmax_; }
  double Dmed() const { return dmed_; }
  double Dmin() const { return dmin_; }
  double SigmaD() const { return sigmaD_; }
  double LambdaD() const { return lambdaD_; }
  double DeltaD() const { return deltaD_; }
  double GammaD() const { return gammaD_; }
  double Dq() const { return dq_; }
  double Rho() const { return rho_; }
  double QH() const { return qH_; }
  double QD() const { return qD_; }
  // The nine law values in metres and centimetres.
  SbParameters SbLaws() const;

  // Stand left by the last thinning, and what it removed.
  double Na() const { return na_; }
  double Dqa() const { return dqa_; }
  double Hmeana() const { return hmeana_; }
  double Nrem() const { return nrem_; }
  double Hrem() const { return hrem_; }
  double Drem() const { return drem_; }

private:
  double CorrelationCurve(double P) const;
  static double DensityResidual(double x, double c, double Ninv, double SI, double H);
  void CheckStand() const;
  // Minimum of a law from its curve value, the median and the floor ratio.
  static double FlooredMinimum(double raw, double median, double q, bool& floored);

  double n0_ = 0, si_ = 0, hd_ = 0, siDom_ = 0;
  double k_[23] = {};
  double r_ = 0, p_ = 0;

  double n_ = 0, hdom_ = 0;
  double hmin_ = 0, hmed_ = 0, sigmaH_ = 0, lambdaH_ = 0, deltaH_ = 0, gammaH_ = 0, hmean_ = 0;
  double dmax0_ = 0, dmed0_ = 0, dmin0_ = 0, dmax_ = 0, dmed_ = 0, dmin_ = 0;
  double sigmaD_ = 0, lambdaD_ = 0, deltaD_ = 0, gammaD_ = 0, dq_ = 0;
  double rho_ = 0;
  double qH_ = 1, qD_ = 1;
  // Set once a minimum has met its floor; the floor then caps it in every later
  // step, so the minimum does not jump back when the curve drops below the floor.
  // A re-fit or a reset clears them.
  bool hminFloored_ = false, dminFloored_ = false;

  double na_ = 0, dqa_ = 0, hmeana_ = 0;
  double nrem_ = 0, hrem_ = 0, drem_ = 0;

  // Offsets: squares of inches for the diameter curves, then in, ft, ft, ft, -, ft, ft,
  // trees/ft².
  double oDmax_ = 0, oDmed_ = 0, oDmin_ = 0;
  double oSigmaD_ = 0, oHmed_ = 0, oHmin_ = 0, oSigmaH_ = 0, oRho_ = 0;
  double oHSigma_ = 0, oHRho_ = 0;
  double oN_ = 0;
};
