// Building the diameter classes of a harvest from its bivariate SB law.

#include <array>
#include <cmath>

#include "model/math/MathUnit.h"
#include "model/growth/MomentsUnit.h"
#include "model/items/ProductUnit.h"
#include "model/items/ProductionUnit.h"
#include "model/items/ThinUnit.h"
#include "platform/rtl/FloatChecks.h"

namespace {

constexpr double kDeviateLimit = 10.0;

// Value of an SB variable at deviate z: (max e + min) / (e + 1) with
// e = exp((z - gamma) / delta); max when e overflows.
inline double SbValue(double z, double min, double max, double gamma, double delta) {
  const double e = std::exp((z - gamma) / delta);
  if (std::isinf(e)) return max;
  return (max * e + min) / (e + 1);
}

}  // namespace

void TProduction::SetFromThin(const TThin& thin, int part, IEquation& volume, IEquation& shape,
                              IEquation& integral) {
  SetEquations(&volume, &shape, &integral);
  age_ = thin.Age();
  origem_ = "DESBASTE";
  sb_ = thin.Sb();
  const ThinPart& taken = part == 1 ? thin.SystematicPart() : thin.SelectivePart();
  noTree_ = taken.Trees;
  medianHeight_ = taken.Height;
  medianDiameter_ = taken.Diameter;
  totalVolume_ = taken.Volume;
  thinType_ = part == 1 ? 1 : 0;
  BuildDiameterClasses();
}

void TProduction::SetFromPrognosis(const TPrognosis& prognosis, IEquation& volume, IEquation& shape,
                                   IEquation& integral) {
  SetEquations(&volume, &shape, &integral);
  age_ = prognosis.Age();
  origem_ = "CORTE FINAL";
  noTree_ = prognosis.NoTrees();
  medianHeight_ = prognosis.MedianHeight();
  medianDiameter_ = prognosis.MedianDiameter();
  totalVolume_ = prognosis.Volume();
  sb_ = prognosis.Sb();
  thinType_ = 1;
  BuildDiameterClasses();
}

void TProduction::BuildDiameterClasses() {
  const double whole = ClassVolume(sb_.DiameterMin, sb_.DiameterMax);
  const double w = classWidth_;
  const double start = std::trunc(CheckedDiv(sb_.DiameterMin, w)) * w;
  for (int g = 0;; ++g) {
    const double lower = start + g * w;
    if (!(lower < sb_.DiameterMax)) break;
    const double upper = lower + w;
    const double n = ClassTrees(lower, upper);
    if (std::nearbyint(n) == 0) continue;
    const double h = ClassMedianHeight(lower, upper);
    const double v = ClassVolume(lower, upper);
    const double scaled = CheckResult(v * CheckedDiv(totalVolume_, whole));
    classes_.Add().AssortProducts(*products_, *shape_, *integral_, scaled, h, n, w, lower);
  }
}

double TProduction::ClassTrees(double lower, double upper) const {
  const SbParameters& p = sb_;
  auto zd = [&p](double d) { return SbNormalDeviate(d, p.DiameterMin, p.DiameterMax, p.DiameterGamma, p.DiameterDelta); };
  // Probability of diameter deviates in [b1, b2] and height deviates in [a1, a2].
  auto rect = [&p](double b1, double b2, double a1, double a2) {
    return BivariateNormalCdf(a2, b2, p.Rho) - BivariateNormalCdf(a2, b1, p.Rho) - BivariateNormalCdf(a1, b2, p.Rho) +
           BivariateNormalCdf(a1, b1, p.Rho);
  };
  const double dt = medianDiameter_;
  double probability;
  if (thinType_ == 1 || upper < dt) {
    probability = rect(zd(lower), zd(upper), -kDeviateLimit, kDeviateLimit);
  } else {
    const double zht = SbNormalDeviate(medianHeight_, p.HeightMin, p.HeightMax, p.HeightGamma, p.HeightDelta);
    if (lower > dt)
      probability = rect(zd(lower), zd(upper), -kDeviateLimit, zht);
    else
      probability = rect(zd(lower), zd(dt), -kDeviateLimit, kDeviateLimit) + rect(zd(dt), zd(upper), -kDeviateLimit, zht);
  }
  return CheckResult(noTree_ * probability);
}

double TProduction::ClassMedianHeight(double lower, double upper) const {
  const SbParameters& p = sb_;
  const double c = (lower + upper) / 2;
  const double root = 2 * CheckedSqrt(1 - p.Rho * p.Rho);
  const double zc = SbNormalDeviate(c, p.DiameterMin, p.DiameterMax, p.DiameterGamma, p.DiameterDelta);
  const double gamma = CheckedDiv(p.HeightGamma - p.Rho * zc, root);
  const double delta = CheckedDiv(p.HeightDelta, root);
  double hi = kDeviateLimit;
  double share = 1;
  if (lower > medianDiameter_ && thinType_ == 0) {
    hi = SbNormalDeviate(medianHeight_, p.HeightMin, p.HeightMax, p.HeightGamma, p.HeightDelta);
    share = NormalCdf(hi);
  }
  TSbMoment moment;
  const double m1 = moment.Compute(-kDeviateLimit, hi, gamma, delta, 1);
  return CheckResult(p.HeightMin + CheckedDiv(m1 * (p.HeightMax - p.HeightMin), share));
}

double TProduction::ClassVolume(double lower, double upper) const {
  const SbParameters& p = sb_;
  const double age = age_;
  IEquation& volume = *volume_;
  auto zd = [&p](double d) { return SbNormalDeviate(d, p.DiameterMin, p.DiameterMax, p.DiameterGamma, p.DiameterDelta); };
  // Trees times volume over height deviates [h1, h2] and diameter deviates [d1, d2].
  auto region = [&](double h1, double h2, double d1, double d2) {
    return GaussIntegral(
        [&](double zh) {
          const double height = SbValue(zh, p.HeightMin, p.HeightMax, p.HeightGamma, p.HeightDelta);
          return GaussIntegral(
              [&](double z) {
                const std::array<double, 3> values{SbValue(z, p.DiameterMin, p.DiameterMax, p.DiameterGamma, p.DiameterDelta),
                                                   height, age};
                return std::fabs(BivariateNormalDensity(z, zh, p.Rho) * volume.Compute(values));
              },
              d1, d2);
        },
        h1, h2);
  };
  const double dt = medianDiameter_;
  double integral;
  if (thinType_ == 1 || upper < dt) {
    integral = region(-kDeviateLimit, kDeviateLimit, zd(lower), zd(upper));
  } else {
    const double zht = SbNormalDeviate(medianHeight_, p.HeightMin, p.HeightMax, p.HeightGamma, p.HeightDelta);
    if (lower > dt)
      integral = region(-kDeviateLimit, zht, zd(lower), zd(upper));
    else
      integral = region(-kDeviateLimit, kDeviateLimit, zd(lower), zd(upper)) -
                 region(zht, kDeviateLimit, zd(dt), zd(upper));
  }
  return CheckResult(integral * noTree_);
}
