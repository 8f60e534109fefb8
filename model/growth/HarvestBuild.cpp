// Building the diameter classes of a harvest from its bivariate SB law.

#include "model/growth/HarvestBuild.h"

#include <array>
#include <cmath>

#include "model/growth/MomentsUnit.h"
#include "model/items/PrognosisUnit.h"
#include "model/math/MathUnit.h"
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

// Every tree of the law (systematic part, final cut), or the trees below a
// truncation point (selective part).
bool TakesEveryTree(const TProduction& harvest) {
  return harvest.Type() == TThinType::Systematic;
}
bool TakesFromBelow(const TProduction& harvest) {
  return harvest.Type() == TThinType::Selective;
}

}  // namespace

void THarvestBuilder::SetFromThin(TProduction& harvest, const TThin& thin, TThinType part) const {
  const bool systematic = part == TThinType::Systematic;
  harvest.SetAge(thin.Age());
  harvest.SetOrigem("DESBASTE");
  harvest.Sb() = thin.Sb();
  const ThinPart& taken = systematic ? thin.SystematicPart() : thin.SelectivePart();
  harvest.SetNoTree(taken.Trees);
  harvest.SetMedianHeight(taken.Height);
  harvest.SetMedianDiameter(taken.Diameter);
  harvest.SetTotalVolume(taken.Volume);
  harvest.SetType(systematic ? TThinType::Systematic : TThinType::Selective);
  BuildDiameterClasses(harvest);
}

void THarvestBuilder::SetFromPrognosis(TProduction& harvest, const TPrognosis& prognosis) const {
  harvest.SetAge(prognosis.Age());
  harvest.SetOrigem("CORTE FINAL");
  harvest.SetNoTree(prognosis.NoTrees());
  harvest.SetMedianHeight(prognosis.MedianHeight());
  harvest.SetMedianDiameter(prognosis.MedianDiameter());
  harvest.SetTotalVolume(prognosis.Volume());
  harvest.Sb() = prognosis.Sb();
  harvest.SetType(TThinType::Systematic);
  BuildDiameterClasses(harvest);
}

void THarvestBuilder::BuildDiameterClasses(TProduction& harvest) const {
  const SbParameters& sb = harvest.Sb();
  const double whole = ClassVolume(harvest, sb.DiameterMin, sb.DiameterMax);
  const double w = harvest.ClassWidth();
  const double start = std::trunc(CheckedDiv(sb.DiameterMin, w)) * w;
  for (int g = 0;; ++g) {
    const double lower = start + g * w;
    if (!(lower < sb.DiameterMax)) break;
    const double upper = lower + w;
    const double n = ClassTrees(harvest, lower, upper);
    if (std::nearbyint(n) == 0) continue;
    const double h = ClassMedianHeight(harvest, lower, upper);
    const double v = ClassVolume(harvest, lower, upper);
    const double scaled = CheckResult(v * CheckedDiv(harvest.TotalVolume(), whole));
    harvest.DiameterClasses().Add().AssortProducts(*harvest.Products(), shape_, integral_, scaled, h, n, w, lower);
  }
}

double THarvestBuilder::ClassTrees(const TProduction& harvest, double lower, double upper) {
  const SbParameters& p = harvest.Sb();
  auto zd = [&p](double d) {
    return SbNormalDeviate(d, p.DiameterMin, p.DiameterMax, p.DiameterGamma, p.DiameterDelta);
  };
  // Probability of diameter deviates in [b1, b2] and height deviates in [a1, a2].
  auto rect = [&p](double b1, double b2, double a1, double a2) {
    return BivariateNormalCdf(a2, b2, p.Rho) - BivariateNormalCdf(a2, b1, p.Rho) - BivariateNormalCdf(a1, b2, p.Rho) +
           BivariateNormalCdf(a1, b1, p.Rho);
  };
  const double dt = harvest.MedianDiameter();
  double probability;
  if (TakesEveryTree(harvest) || upper < dt) {
    probability = rect(zd(lower), zd(upper), -kDeviateLimit, kDeviateLimit);
  } else {
    const double zht = SbNormalDeviate(harvest.MedianHeight(), p.HeightMin, p.HeightMax, p.HeightGamma, p.HeightDelta);
    if (lower > dt)
      probability = rect(zd(lower), zd(upper), -kDeviateLimit, zht);
    else
      probability = rect(zd(lower), zd(dt), -kDeviateLimit, kDeviateLimit) +
                    rect(zd(dt), zd(upper), -kDeviateLimit, zht);
  }
  return CheckResult(harvest.NoTree() * probability);
}

double THarvestBuilder::ClassMedianHeight(const TProduction& harvest, double lower, double upper) {
  const SbParameters& p = harvest.Sb();
  const double c = (lower + upper) / 2;
  const double root = 2 * CheckedSqrt(1 - p.Rho * p.Rho);
  const double zc = SbNormalDeviate(c, p.DiameterMin, p.DiameterMax, p.DiameterGamma, p.DiameterDelta);
  const double gamma = CheckedDiv(p.HeightGamma - p.Rho * zc, root);
  const double delta = CheckedDiv(p.HeightDelta, root);
  double hi = kDeviateLimit;
  double share = 1;
  if (lower > harvest.MedianDiameter() && TakesFromBelow(harvest)) {
    hi = SbNormalDeviate(harvest.MedianHeight(), p.HeightMin, p.HeightMax, p.HeightGamma, p.HeightDelta);
    share = NormalCdf(hi);
  }
  TSbMoment moment;
  const double m1 = moment.Compute(-kDeviateLimit, hi, gamma, delta, 1);
  return CheckResult(p.HeightMin + CheckedDiv(m1 * (p.HeightMax - p.HeightMin), share));
}

double THarvestBuilder::ClassVolume(const TProduction& harvest, double lower, double upper) const {
  const SbParameters& p = harvest.Sb();
  const double age = harvest.Age();
  IEquation& volume = volume_;
  auto zd = [&p](double d) {
    return SbNormalDeviate(d, p.DiameterMin, p.DiameterMax, p.DiameterGamma, p.DiameterDelta);
  };
  // Trees times volume over height deviates [h1, h2] and diameter deviates [d1, d2].
  auto region = [&](double h1, double h2, double d1, double d2) {
    return GaussIntegral(
        [&](double zh) {
          const double height = SbValue(zh, p.HeightMin, p.HeightMax, p.HeightGamma, p.HeightDelta);
          return GaussIntegral(
              [&](double z) {
                const std::array<double, 3> values{
                    SbValue(z, p.DiameterMin, p.DiameterMax, p.DiameterGamma, p.DiameterDelta), height, age};
                return std::fabs(BivariateNormalDensity(z, zh, p.Rho) * volume.Compute(values));
              },
              d1, d2);
        },
        h1, h2);
  };
  const double dt = harvest.MedianDiameter();
  double integral;
  if (TakesEveryTree(harvest) || upper < dt) {
    integral = region(-kDeviateLimit, kDeviateLimit, zd(lower), zd(upper));
  } else {
    const double zht = SbNormalDeviate(harvest.MedianHeight(), p.HeightMin, p.HeightMax, p.HeightGamma, p.HeightDelta);
    if (lower > dt)
      integral = region(-kDeviateLimit, zht, zd(lower), zd(upper));
    else
      integral = region(-kDeviateLimit, kDeviateLimit, zd(lower), zd(upper)) -
                 region(zht, kDeviateLimit, zd(dt), zd(upper));
  }
  return CheckResult(integral * harvest.NoTree());
}
