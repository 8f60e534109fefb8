#include "model/growth/MomentsUnit.h"

#include <cmath>
#include <numbers>

#include "model/math/MathUnit.h"
#include "platform/rtl/FloatChecks.h"

namespace {

// Upper deviate limit of the moments of two variables.
constexpr double kDeviateCut = 4.0;

// (1 + e^t)^k. Past t = 700 this is e^(k t) to double precision, taken so that e^t
// cannot overflow on its own.
inline double SbPower(double t, double k) {
  if (k == 0.0) return 1.0;
  if (t > 700.0) return std::exp(k * t);
  const double base = 1.0 + std::exp(t);
  if (k == 1.0) return base;
  if (k == 2.0) return base * base;
  if (k == -1.0) return 1.0 / base;
  if (k == -2.0) return 1.0 / (base * base);
  return std::pow(base, k);
}

}  // namespace

double TSbMoment::Compute(double lo, double hi, double gamma, double delta, double k) {
  if (delta == 0.0) RaiseZeroDivide();
  gamma_ = gamma;
  delta_ = delta;
  k_ = k;
  return GaussIntegral([this](double z) { return Integrand(z); }, lo, hi);
}

double TSbMoment::Integrand(double z) const {
  return SbPower((gamma_ - z) / delta_, -k_) * 0.3989422804014327 * std::exp(-0.5 * (z * z));
}

double TSbbMoment::Compute(double lo1, double gamma1, double delta1, double k1, double lo2, double gamma2,
                           double delta2, double k2, double rho) {
  const double w = 1.0 - rho * rho;
  if (delta1 == 0.0 || delta2 == 0.0 || w == 0.0) RaiseZeroDivide();
  if (!(w > 0.0)) RaiseInvalidOp();
  lo1_ = lo1;
  gamma1_ = gamma1;
  delta1_ = delta1;
  k1_ = k1;
  lo2_ = lo2;
  gamma2_ = gamma2;
  delta2_ = delta2;
  k2_ = k2;
  rho_ = rho;
  const double integral = GaussIntegral([this](double y) { return OuterIntegrand(y); }, lo2_, kDeviateCut);
  return CheckResult(integral / (2.0 * std::numbers::pi * std::sqrt(w)));
}

double TSbbMoment::OuterIntegrand(double y) {
  return InnerIntegral(y) / SbPower((gamma2_ - y) / delta2_, k2_);
}

double TSbbMoment::InnerIntegral(double y) {
  y_ = y;
  return GaussIntegral([this](double x) { return InnerIntegrand(x); }, lo1_, kDeviateCut);
}

double TSbbMoment::InnerIntegrand(double x) const {
  const double rho = rho_;
  const double y = y_;
  return std::exp(-0.5 * (x * x - 2.0 * rho * x * y + y * y) / (1.0 - rho * rho)) /
         SbPower((gamma1_ - x) / delta1_, k1_);
}
