#include "model/growth/SpeciesUnit.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "model/growth/ModeUnit.h"
#include "model/growth/MomentsUnit.h"
#include "model/math/MathUnit.h"
#include "platform/rtl/FloatChecks.h"

namespace {

// Short names for the checked operations.
constexpr auto* Pow = &RealPower;
constexpr auto* Ln = &CheckedLn;
constexpr auto* Sqrt = &CheckedSqrt;
constexpr auto* Exp = &CheckedExp;
constexpr auto* Div = &CheckedDiv;
inline double Sqr(double x) {
  return CheckResult(x * x);
}

// Site equation at (S, A); the result is checked.
double Site(IEquation& site, double S, double A) {
  const double values[2] = {S, A};
  return CheckResult(site.Compute(values));
}

// Second moment about zero of an SB law on (xi, xi + lambda) from the moments of u.
double QuadraticMean(double xi, double lambda, double m1, double m2) {
  return Sqrt(lambda * lambda * m2 + 2.0 * xi * lambda * m1 + xi * xi);
}

}  // namespace

TruncatedNormalMoments TruncatedBivariateMoments(double z, double rho) {
  TruncatedNormalMoments m;
  const double w = 1.0 - rho * rho;
  const double sw = Sqrt(w);
  m.C = BivariateNormalCdf(-z, -z, rho);
  const double phi = 0.3989422804014327 * Exp(-0.5 * z * z);
  const double b = Div(0.15915494309189535, sw) * Exp(Div(-z * z, 1.0 + rho));
  const double q = 1.0 - NormalCdf(Div(z * (1.0 - rho), sw));
  m.K = Div(phi * q * (1.0 + rho), m.C);
  m.J = Div((rho * rho + 1.0) * z * phi * q + rho * w * b, m.C) + 1.0;
  m.X = Div(w * b + 2.0 * rho * z * phi * q, m.C) + rho;
  m.V = m.J - m.K * m.K;
  m.Rho = Div(m.X - m.K * m.K, m.V);
  return m;
}

// ---- Start of the model ----

void TSpecies::ResetStand() {
  oDmax_ = oDmed_ = oDmin_ = 0.0;
  oSigmaD_ = oHmed_ = oHmin_ = oSigmaH_ = oRho_ = 0.0;
  oHSigma_ = oHRho_ = 0.0;
  oN_ = 0.0;
  qH_ = 1.0;
  qD_ = 1.0;
  hminFloored_ = dminFloored_ = false;
}

void TSpecies::InitStand(double N0, double SI, double HD) {
  n0_ = N0;
  si_ = SI;
  siDom_ = SI;
  hd_ = HD;
  const double s = Sqrt(Div(1.0, N0));
  SetSpacingCoefficients(s);
  SetMortalityParameters(s);
}

void TSpecies::RestartStand(double N0) {
  InitStand(N0, si_, hd_);
}

void TSpecies::SetSpacingCoefficients(double s) {
  const double b = s * s;
  const double hd = hd_;
  double* k = k_;
  k[1] = 0.9 * (0.86165 - Div(2.2805, b));
  k[2] = 0.9 * (Div(0.01718, b) + 0.000973);
  k[3] = 0.004 * s + 0.584;
  k[4] = 0.0385;
  k[5] = 1.5 * (0.0106 * b + 23.164 - 0.59367 * s);
  k[6] = 0.0002435 * s + 0.01198;
  k[7] = 0.88;
  k[8] = 2.3655 * s + 0.398 - 0.0234389 * b;
  k[9] = 7.856e-5 * b + 0.022845 - 0.00205 * s;
  k[10] = 0.00241 * b + 1.31615 - 0.04506 * s;
  k[11] = 0.005105 * hd + 0.49933 - Div(0.999, b);
  k[12] = Div(0.31867, s) + 0.0467;
  k[13] = 0.4968 - Div(1.06501, s);
  k[14] = Div(0.0563, s) + 0.0226;
  k[15] = 5.568 - Div(15.96, s);
  k[16] = 2.29875 - 0.105 * hd;
  k[17] = 0.000487 * s + 0.02396;
  k[18] = 2.164 - 0.05138 * s;
  k[19] = 0.791 * Exp(-0.01061 * s);
  k[20] = 0.0725 * Pow(s, 0.41587);
  k[21] = Div(0.0803, s) + 0.0445;
  k[22] = Div(0.001278, s) + 0.000708;
  for (int i = 1; i <= 22; ++i) CheckResult(k[i]);
}

void TSpecies::SetMortalityParameters(double s) {
  const double a = n0_ / kAcresPerSquareFoot;
  const double e = -0.02359 - 0.004745 * si_;
  double c;
  if (n0_ <= kDensity5001PerAcre)
    c = 34.8 * Pow(a, e) * Exp(1.1290304e-5 * si_ * si_ + 0.04582 * si_ + 0.01 * hd_);
  else
    c = 34.8 * Pow(a, e) * Exp(0.04582 * si_);
  const double d = 3.992e-7 * Pow(si_, 3.615) * s + 0.3 * si_ - 5.3;
  r_ = Div(c * c, d * d - c);
  p_ = Div(0.9 * r_, c + r_);
}

double TSpecies::SurvivingTrees(double H) const {
  const double k = H > 1.0 ? H - 1.0 : 0.0;
  return CheckResult(n0_ * (1.0 - NegativeBinomialCdf(k, r_, p_)));
}

double TSpecies::SiteHeight(double age, IEquation& site) const {
  return Site(site, 0.85 * si_, 0.6 * age);
}

double TSpecies::SiteHeightFor(double age, IEquation& site, double SI) const {
  return Site(site, 0.85 * SI, 0.6 * age);
}

double TSpecies::DominantHeight(double age, IEquation& site) const {
  return Site(site, siDom_, age);
}

// ---- SB parameters from curve values ----

double TSpecies::SbLambda(double minimum, double maximum) {
  return maximum - minimum;
}

double TSpecies::SbDelta(double lambda, double spread) {
  return Div(lambda, 4.0 * spread);
}

double TSpecies::SbGamma(double xi, double m, double lambda, double delta) {
  return CheckResult(Div(2.0 * m - 2.0 * xi - lambda, lambda * delta) - delta * Ln(Div(m - xi, xi + lambda - m)));
}

// ---- Growth ----

void TSpecies::Grow(double age, IEquation& site) {
  const double* k = k_;
  n_ = SurvivingTrees(SiteHeight(age, site)) + oN_;
  if (!(hd_ >= 5.0)) hd_ = hd_ / 10.0 + 5.0;
  hdom_ = DominantHeight(age, site);

  hmed_ = (hd_ / 80.0 + k[1] + k[2] * age) * hdom_ + oHmed_;
  if (!(hdom_ - 0.001 >= CheckResult(hmed_))) hmed_ = hdom_ - 0.001;
  hmin_ = (1.0 - Exp(-k[4] * age)) * hdom_ * k[3] + oHmin_;
  hmin_ = FlooredMinimum(CheckResult(hmin_), hmed_, qH_, hminFloored_);
  sigmaH_ = Pow(1.0 - Exp(-k[6] * age), k[7]) * k[5] + oSigmaH_;
  lambdaH_ = SbLambda(hmin_, hdom_);
  deltaH_ = SbDelta(lambdaH_, 1.5 * sigmaH_);
  gammaH_ = SbGamma(hmin_, hmed_, lambdaH_, deltaH_);
  TSbMoment moment;
  hmean_ = lambdaH_ * moment.Compute(-4.0, 4.0, gammaH_, deltaH_, 1.0) + hmin_;

  dmax0_ = Pow(1.0 - Exp(-k[9] * hdom_), k[10]) * k[8];
  dmax_ = Sqrt(dmax0_ * dmax0_ + oDmax_);
  dmed0_ = (1.0 - Exp(-k[12] * hdom_)) * dmax_ * k[11];
  dmed_ = Sqrt(dmed0_ * dmed0_ + oDmed_) * (0.01 * hd_ + 1.0);
  dmin0_ = Pow(1.0 - Exp(-k[14] * hdom_), k[15]) * dmax_ * k[13];
  dmin_ = Sqrt(dmin0_ * dmin0_ + oDmin_);
  dmin_ = FlooredMinimum(dmin_, dmed_, qD_, dminFloored_);
  sigmaD_ = Pow(1.0 - Exp(-k[17] * (hdom_ + oHSigma_)), k[18]) * k[16] + oSigmaD_;
  lambdaD_ = SbLambda(dmin_, dmax_);
  deltaD_ = SbDelta(lambdaD_, sigmaD_);
  gammaD_ = SbGamma(dmin_, dmed_, lambdaD_, deltaD_);
  const double m1 = moment.Compute(-4.0, 4.0, gammaD_, deltaD_, 1.0);
  const double m2 = moment.Compute(-4.0, 4.0, gammaD_, deltaD_, 2.0);
  dq_ = QuadraticMean(dmin_, lambdaD_, m1, m2);

  const double P = hdom_ + oHRho_;
  rho_ = k[20] * std::cos(k[21] * P) + oRho_ + k[19] - k[22] * P;
  CheckStand();
}

double TSpecies::FlooredMinimum(double raw, double median, double q, bool& floored) {
  const double floor = (median - 0.001) * q;
  if (floored) return std::min(raw, floor);
  if (median - 0.001 >= raw) return raw;
  floored = true;
  return floor;
}

void TSpecies::CheckStand() const {
  for (double v : {n_,    hd_,    hdom_, hmed_,  hmin_, sigmaH_, lambdaH_, deltaH_, gammaH_, hmean_, dmax0_,
                   dmax_, dmed0_, dmed_, dmin0_, dmin_, sigmaD_, lambdaD_, deltaD_, gammaD_, dq_,    rho_})
    CheckResult(v);
}

SbParameters TSpecies::SbLaws() const {
  SbParameters sb;
  sb.HeightGamma = gammaH_;
  sb.HeightDelta = deltaH_;
  sb.DiameterGamma = gammaD_;
  sb.DiameterDelta = deltaD_;
  sb.Rho = rho_;
  sb.HeightMin = hmin_ * kMetresPerFoot;
  sb.HeightMax = hdom_ * kMetresPerFoot;
  sb.DiameterMin = dmin_ * kCentimetresPerInch;
  sb.DiameterMax = dmax_ * kCentimetresPerInch;
  return sb;
}

// ---- Initial density from an inventory ----

double TSpecies::InitialDensity(double Ninv, double SI, double H) const {
  auto high = [Ninv, SI, H](double v) { return DensityResidualHigh(v, Ninv, SI, H); };
  auto low = [Ninv, SI, H](double v) { return DensityResidualLow(v, Ninv, SI, H); };
  double x = Ninv;
  while (x <= kDensity10000PerHectare) {
    if (high(x) < 0.0 || low(x) < 0.0)
      x = 1.25 * x;
    else
      break;
  }
  if (x > kDensity10000PerHectare) return Ninv;
  // The high-density root is never above the threshold here; kept as the model has it.
  const double e = ZeroBrent(high, x, Ninv);
  if (e > kDensity5001PerAcre) return e;
  return ZeroBrent(low, x, Ninv);
}

double TSpecies::DensityResidual(double x, double c, double Ninv, double SI, double H) {
  const double k = H > 1.0 ? H - 1.0 : 0.0;
  const double s = Sqrt(Div(1.0, x));
  const double d = 3.992e-7 * Pow(SI, 3.615) * s + 0.3 * SI - 5.3;
  const double r = Div(c * c, d * d - c);
  const double p = Div(0.95 * r, c + r);
  return CheckResult(x * (1.0 - NegativeBinomialCdf(k, r, p)) - Ninv);
}

double TSpecies::DensityResidualHigh(double x, double Ninv, double SI, double H) {
  const double a = x / kAcresPerSquareFoot;
  const double e = -0.02359 - 0.004745 * SI;
  return DensityResidual(x, 34.8 * Pow(a, e) * Exp(0.04582 * SI), Ninv, SI, H);
}

double TSpecies::DensityResidualLow(double x, double Ninv, double SI, double H) {
  const double a = x / kAcresPerSquareFoot;
  const double e = -0.02359 - 0.004745 * SI;
  return DensityResidual(x, 34.8 * Pow(a, e) * Exp(9.290304e-6 * SI * SI + 0.04582 * SI), Ninv, SI, H);
}

void TSpecies::AdjustToDiameter(double T) {
  const double* k = k_;
  const double delta = T - dq_;
  const double d = dmax_ + delta;
  oDmax_ = CheckResult(d * d - dmax0_ * dmax0_);
  oDmed_ = CheckResult(Sqr(dmed_ + delta) - Sqr((1.0 - Exp(-k[12] * hdom_)) * d * k[11]));
  oDmin_ = CheckResult(Sqr(dmin_ + delta) - Sqr(Pow(1.0 - Exp(-k[14] * hdom_), k[15]) * d * k[13]));
}

// ---- Truncation ----

void TSpecies::SetRemaining(double g, double Nbase) {
  na_ = CheckResult(g * Nbase);
  dqa_ = dq_;
  hmeana_ = hmean_;
}

namespace {

constexpr double kFractionAllCut = 2.87104999502352e-7;
constexpr double kFractionNoneCut = 0.999999425790001;

}  // namespace

double TSpecies::TruncationByTrees(double f) const {
  if (f <= kFractionAllCut) return 5.0;
  if (f >= kFractionNoneCut) return -5.0;
  return ZeroBrent([this, f](double z) { return TreeFractionResidual(z, f); }, -5.0, 5.0);
}

double TSpecies::TruncationByBasalArea(double f) const {
  if (f <= kFractionAllCut) return 5.0;
  if (f >= kFractionNoneCut) return -5.0;
  return ZeroBrent([this, f](double z) { return BasalAreaFractionResidual(z, f); }, -5.0, 5.0);
}

double TSpecies::TreeFractionResidual(double z, double f) const {
  return BivariateNormalCdf(-z, -z, rho_) - f;
}

double TSpecies::BasalAreaFractionResidual(double z, double f) const {
  const double c = BivariateNormalCdf(-z, -z, rho_);
  TSbbMoment moment;
  const double m1 = moment.Compute(z, gammaH_, deltaH_, 0.0, z, gammaD_, deltaD_, 1.0, rho_);
  const double m2 = moment.Compute(z, gammaH_, deltaH_, 0.0, z, gammaD_, deltaD_, 2.0, rho_);
  const double l = lambdaD_;
  return CheckResult(Div(l * l * m2 + 2.0 * l * dmin_ * m1 + dmin_ * dmin_ * c, dq_ * dq_) - f);
}

void TSpecies::TruncatedState(double z, double Nbase) {
  const double c = BivariateNormalCdf(-z, -z, rho_);
  TSbbMoment moment;
  const double d1 = moment.Compute(z, gammaH_, deltaH_, 0.0, z, gammaD_, deltaD_, 1.0, rho_);
  const double d2 = moment.Compute(z, gammaH_, deltaH_, 0.0, z, gammaD_, deltaD_, 2.0, rho_);
  const double h1 = moment.Compute(z, gammaH_, deltaH_, 1.0, z, gammaD_, deltaD_, 0.0, rho_);
  const double l = lambdaD_;
  hmeana_ = CheckResult(lambdaH_ * Div(h1, c) + hmin_);
  dqa_ = Sqrt(l * l * Div(d2, c) + 2.0 * l * dmin_ * Div(d1, c) + dmin_ * dmin_);
  na_ = CheckResult(c * Nbase);
}

double TSpecies::TruncatedMean(double N, double xi, double lambda, double delta, double gamma) const {
  const double f = N <= kDensity50PerAcre ? 1.0 : Div(kDensity50PerAcre, N);
  const double m = TSbMoment().Compute(NormalInverse(1.0 - f), 4.0, gamma, delta, 1.0);
  return CheckResult(lambda * Div(m, f) + xi);
}

// ---- Correlation curve ----

double TSpecies::CorrelationCurve(double P) const {
  return k_[20] * std::cos(k_[21] * P) + k_[19] - k_[22] * P;
}

double TSpecies::CorrelationExtreme(int n) const {
  const double a = CheckResult(std::asin(Div(-k_[22], k_[20] * k_[21])));
  return Div(a * (n % 2 == 0 ? 1.0 : -1.0) + n * std::numbers::pi, k_[21]);
}

double TSpecies::CorrelationResidual(double P, double target) const {
  return CheckResult(CorrelationCurve(P) - target);
}

double TSpecies::CorrelationPosition(double target, double P) const {
  const double x1 = CorrelationExtreme(1);
  if (target > CorrelationCurve(x1))
    return ZeroBrent([this, target](double v) { return CorrelationResidual(v, target); }, CorrelationExtreme(0), x1);
  return P >= x1 ? P : x1;
}

// ---- Re-fits ----

void TSpecies::ApplySystematicThin(double age, IEquation& site) {
  RestartStand(InitialDensity(na_, si_, hdom_));
  const double* k = k_;
  const double hd = TruncatedMean(na_, hmin_, lambdaH_, deltaH_, gammaH_);
  oHmed_ = hmed_ - (k[2] * age + 1.1 * k[1]) * hdom_;
  oHmin_ = hmin_ - (1.0 - Exp(-k[4] * age)) * hdom_ * k[3];
  oSigmaH_ = sigmaH_ - Pow(1.0 - Exp(-k[6] * age), k[7]) * k[5];
  oHSigma_ = Div(-Ln(1.0 - Pow(Div(sigmaD_, k[16]), Div(1.0, k[18]))), k[17]) - hd;
  oHRho_ = CorrelationPosition(rho_, hdom_ + oHRho_) - hd;
  oDmax_ = oDmax_ + dmax0_ * dmax0_ - Sqr(Pow(1.0 - Exp(-k[9] * hd), k[10]) * k[8]);
  oDmed_ = dmed0_ * dmed0_ - Sqr(1.1 * (1.0 - Exp(-k[12] * hd)) * dmax_ * k[11]);
  oDmin_ = oDmin_ + dmin0_ * dmin0_ - Sqr(Pow(1.0 - Exp(-k[14] * hd), k[15]) * dmax_ * k[13]);
  oSigmaD_ = 0.0;
  oRho_ = 0.0;
  qH_ = Div(hmin_, hmed_);
  qD_ = Div(dmin_, dmed_);
  hminFloored_ = dminFloored_ = false;
  oN_ = na_ - SurvivingTrees(SiteHeight(age, site));
  hrem_ = hmean_;
  drem_ = dq_;
  nrem_ = n_ - na_;
  for (double v : {oHmed_, oHmin_, oSigmaH_, oDmax_, oDmed_, oDmin_}) CheckResult(v);
}

void TSpecies::ApplySelectiveThin(double age, IEquation& site, double z) {
  // Moments of the deviates left and the spreads they give, with the old coefficients.
  const TruncatedNormalMoments t = TruncatedBivariateMoments(z, rho_);
  const double sv = Sqrt(t.V);
  const double sH = sv * Div(lambdaH_, 4.0 * deltaH_);
  const double sD = sv * Div(lambdaD_, 4.0 * deltaD_);

  // New minima at deviate z and new medians at the conditional modes.
  const double eh = Exp(Div(z - gammaH_, deltaH_));
  const double hmin1 = Div(hdom_ * eh + hmin_, 1.0 + eh);
  const double ed = Exp(Div(z - gammaD_, deltaD_));
  const double dmin1 = Div(dmax_ * ed + dmin_, 1.0 + ed);
  TMode mode;
  double hmed1 = mode.ComputeMode(hmin_, gammaH_, deltaH_, lambdaH_, rho_, z);
  double dmed1 = mode.ComputeMode(dmin_, gammaD_, deltaD_, lambdaD_, rho_, z);
  if (hmin1 + 0.001 > hmed1) hmed1 = hmin1 + 0.001;
  if (dmin1 + 0.001 > dmed1) dmed1 = dmin1 + 0.001;

  // New laws and the shifts that keep the mean height and Dq of the stand left.
  TSbMoment moment;
  const double lh = hdom_ - hmin1;
  const double dh = Div(lh, 4.0 * sH);
  const double gh = SbGamma(hmin1, hmed1, lh, dh);
  const double u = hmeana_ - (hmin1 + lh * moment.Compute(-4.0, 4.0, gh, dh, 1.0));
  const double ld = dmax_ - dmin1;
  const double dd = Div(ld, 4.0 * sD);
  const double gd = SbGamma(dmin1, dmed1, ld, dd);
  const double m1 = moment.Compute(-4.0, 4.0, gd, dd, 1.0);
  const double m2 = moment.Compute(-4.0, 4.0, gd, dd, 2.0);
  const double w = dqa_ - QuadraticMean(dmin1, ld, m1, m2);

  RestartStand(InitialDensity(na_, si_, hdom_));
  const double* k = k_;
  const double hd = TruncatedMean(na_, hmin1 + u, lh, dh, gh);
  oHmed_ = (hmed1 + u) - (hdom_ + u) * (k[2] * age + 1.05 * k[1]);
  oHmin_ = (hmin1 + u) - (1.0 - Exp(-k[4] * age)) * (hdom_ + u) * k[3];
  oSigmaH_ = sH - Pow(1.0 - Exp(-k[6] * age), k[7]) * k[5];
  oHSigma_ = Div(-Ln(1.0 - Pow(Div(sD, k[16]), Div(1.0, k[18]))), k[17]) - hd;
  const double R = CorrelationPosition(t.Rho, hdom_ + oHRho_);
  oHRho_ = R - hd;
  const double dmaxW = dmax_ + w;
  oDmax_ = Sqr(dmaxW) - Sqr(Pow(1.0 - Exp(-k[9] * hd), k[10]) * k[8]);
  oDmed_ = dmed0_ * dmed0_ - Sqr(1.02 * (1.0 - Exp(-k[12] * hd)) * dmaxW * k[11]);
  oDmin_ = Sqr(dmin1 + w) - Sqr(Pow(1.0 - Exp(-k[14] * hd), k[15]) * dmaxW * k[13]);
  oSigmaD_ = 0.0;
  oRho_ = t.Rho - CorrelationCurve(R);
  qH_ = Div(hmin1, hmed1);
  qD_ = Div(dmin1, dmed1);
  hminFloored_ = dminFloored_ = false;
  oN_ = na_ - SurvivingTrees(SiteHeight(age, site));
  hrem_ = hmin1;
  drem_ = dmin1;
  nrem_ = n_;
  for (double v : {oHmed_, oHmin_, oSigmaH_, oDmax_, oDmed_, oDmin_, oRho_}) CheckResult(v);
}
