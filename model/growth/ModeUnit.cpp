#include "model/growth/ModeUnit.h"

#include <cmath>
#include <numbers>

#include "model/math/MathUnit.h"
#include "platform/rtl/FloatChecks.h"

double TMode::ComputeMode(double xi, double gamma, double delta, double lambda, double rho,
                          double z) {
  xi_ = xi;
  gamma_ = gamma;
  delta_ = delta;
  lambda_ = lambda;
  rho_ = rho;
  z_ = z;
  return ZeroBrent([this](double x) { return Slope(x); }, xi + 0.05 * lambda, xi + 0.95 * lambda);
}

double TMode::Slope(double x) const {
  const double u = CheckedDiv(x - xi_, lambda_);
  const double t = gamma_ + delta_ * CheckedLn(CheckedDiv(u, 1.0 - u));
  const double w = 1.0 - rho_ * rho_;
  const double d = CheckedDiv(z_ - rho_ * t, CheckedSqrt(w));
  const double q = 1.0 - NormalCdf(d);
  return CheckResult(rho_ * delta_ * std::exp(-d * d / 2.0) -
                     CheckedSqrt(2.0 * std::numbers::pi * w) * (delta_ * t + 1.0 - 2.0 * u) * q);
}
