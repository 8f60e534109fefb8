#include "model/growth/ModeUnit.h"

#include <cmath>
#include <numbers>

#include "model/math/MathUnit.h"
#include "platform/rtl/FloatChecks.h"

double TMode::ComputeMode(double xi, double gamma, double delta, double lambda, double rho, double z) const {
  const TLaw law{xi, gamma, delta, lambda, rho, z};
  return ZeroBrent([&law](double x) { return Slope(law, x); }, xi + 0.05 * lambda, xi + 0.95 * lambda);
}

double TMode::Slope(const TLaw& law, double x) {
  const double u = CheckedDiv(x - law.xi, law.lambda);
  const double t = law.gamma + law.delta * CheckedLn(CheckedDiv(u, 1.0 - u));
  const double w = 1.0 - law.rho * law.rho;
  const double d = CheckedDiv(law.z - law.rho * t, CheckedSqrt(w));
  const double q = 1.0 - NormalCdf(d);
  return CheckResult(law.rho * law.delta * std::exp(-d * d / 2.0) -
                     CheckedSqrt(2.0 * std::numbers::pi * w) * (law.delta * t + 1.0 - 2.0 * u) * q);
}
