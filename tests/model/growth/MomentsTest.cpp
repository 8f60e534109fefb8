#include <gtest/gtest.h>

#include <boost/math/distributions/normal.hpp>
#include <boost/math/quadrature/gauss_kronrod.hpp>
#include <boost/math/tools/minima.hpp>

#include <cmath>
#include <limits>

#include "model/growth/ModeUnit.h"
#include "model/growth/MomentsUnit.h"
#include "platform/rtl/Exceptions.h"

namespace {

const boost::math::normal kStdNormal;
const double kMass4 = boost::math::cdf(kStdNormal, 4.0) - boost::math::cdf(kStdNormal, -4.0);

// Oriented integral from lo to hi by adaptive Gauss-Kronrod.
template <class F>
double RefIntegral(F f, double lo, double hi, double tol = 1e-13) {
  using Kronrod = boost::math::quadrature::gauss_kronrod<double, 61>;
  return lo <= hi ? Kronrod::integrate(f, lo, hi, 15, tol) : -Kronrod::integrate(f, hi, lo, 15, tol);
}

// Standardised SB variable of deviate z, raised to k.
double RefU(double z, double gamma, double delta, double k) {
  return std::pow(1.0 / (1.0 + std::exp((gamma - z) / delta)), k);
}

double RefSbMoment(double lo, double hi, double gamma, double delta, double k) {
  return RefIntegral([=](double z) { return boost::math::pdf(kStdNormal, z) * RefU(z, gamma, delta, k); }, lo, hi);
}

struct SbbCase {
  double lo1, gamma1, delta1, k1, lo2, gamma2, delta2, k2, rho;
  double Compute() const { return TSbbMoment().Compute(lo1, gamma1, delta1, k1, lo2, gamma2, delta2, k2, rho); }
  // The density written as phi(y) times the conditional density of x given y.
  double Reference() const {
    const double s = std::sqrt(1.0 - rho * rho);
    auto outer = [&](double y) {
      auto inner = [&](double x) {
        return boost::math::pdf(kStdNormal, (x - rho * y) / s) / s * RefU(x, gamma1, delta1, k1);
      };
      return boost::math::pdf(kStdNormal, y) * RefU(y, gamma2, delta2, k2) * RefIntegral(inner, lo1, 4.0, 1e-12);
    };
    return RefIntegral(outer, lo2, 4.0, 1e-11);
  }
};

// Maximum of the density of x = xi + lambda u given a deviate correlated by rho at or
// above z, by Brent's minimiser on minus its logarithm.
double RefConditionalMode(double xi, double gamma, double delta, double lambda, double rho, double z) {
  const double s = std::sqrt(1.0 - rho * rho);
  auto minus_log_density = [=](double x) {
    const double u = (x - xi) / lambda, t = gamma + delta * std::log(u / (1.0 - u));
    const double tail = boost::math::cdf(boost::math::complement(kStdNormal, (z - rho * t) / s));
    return 0.5 * t * t + std::log(u) + std::log(1.0 - u) - std::log(tail);
  };
  return boost::math::tools::brent_find_minima(minus_log_density, xi + 1e-6 * lambda, xi + (1.0 - 1e-6) * lambda, 52)
      .first;
}

}  // namespace

TEST(SbMoment, MatchesAdaptiveQuadrature) {
  // The rule's error grows with the fourth power of the panel width.
  const struct {
    double lo, hi, tol;
  } ranges[] = {{-4.0, 4.0, 1e-7}, {1.5, 4.0, 1e-7}, {4.0, -2.0, 2e-7}, {-10.0, 10.0, 1e-5}, {-10.0, 1.2, 1e-5}};
  TSbMoment m;
  for (const auto& r : ranges)
    for (double gamma : {-1.5, 0.0, 0.7, 2.4})
      for (double delta : {0.45, 1.3, 3.0})
        for (double k : {0.0, 1.0, 2.0, 3.0, 0.5})
          EXPECT_NEAR(m.Compute(r.lo, r.hi, gamma, delta, k), RefSbMoment(r.lo, r.hi, gamma, delta, k), r.tol)
              << r.lo << " " << r.hi << " " << gamma << " " << delta << " " << k;
  EXPECT_NEAR(m.Compute(-4.0, 4.0, 0.7, 1.3, 1.0), 0.383032468644, 1e-7);
  for (double delta : {0.2, 1.0, 7.0}) {
    EXPECT_NEAR(m.Compute(-4.0, 4.0, -3.0, delta, 0.0), kMass4, 1e-7);
    // Symmetric law: the pairs of the symmetric nodes add up to phi.
    EXPECT_NEAR(m.Compute(-4.0, 4.0, 0.0, delta, 1.0), m.Compute(-4.0, 4.0, 0.0, delta, 0.0) / 2, 1e-15);
  }
}

TEST(SbMoment, WideLowerLimitAndFaults) {
  // Down to deviate -40 with narrow laws e^t alone would overflow; panels of 1.375
  // deviates make a coarse rule.
  TSbMoment m;
  for (double delta : {0.05, 0.3, 1.0}) {
    const double ref = RefSbMoment(-40.0, 4.0, 1.0, delta, 1.0);
    EXPECT_NEAR(m.Compute(-40.0, 4.0, 1.0, delta, 1.0), ref, 3e-2 * ref) << delta;
  }
  EXPECT_THROW(m.Compute(-4.0, 4.0, 0.5, 0.0, 1.0), EZeroDivide);
  EXPECT_THROW(m.Compute(-4.0, 4.0, std::nan(""), 1.0, 1.0), EInvalidOp);
}

TEST(SbbMoment, MatchesNestedAdaptiveQuadrature) {
  const SbbCase cases[] = {
      {0.3, 0.5, 1.2, 0, 0.3, 0.8, 1.5, 2, 0.55},    {-1.0, 0.2, 0.9, 1, -1.0, -0.4, 1.1, 1, 0.7},
      {-4.0, 1.1, 0.6, 1, -4.0, -0.2, 1.4, 0, -0.6}, {0.0, 0.4, 2.0, 0, 0.0, 0.9, 1.0, 1, 0.9},
      {-2.5, 0.0, 1.0, 2, 0.8, 0.6, 1.6, 1, -0.25},  {4.6, 0.5, 1.2, 0, 4.6, 0.8, 1.5, 2, 0.6},
  };
  for (const SbbCase& c : cases)
    EXPECT_NEAR(c.Compute(), c.Reference(), 1e-7) << c.lo1 << " " << c.k1 << " " << c.k2 << " " << c.rho;
  EXPECT_NEAR(cases[0].Compute(), 0.071816260558, 1e-7);
  // Uncorrelated: the product of one-variable moments.
  EXPECT_NEAR((SbbCase{-4.0, 0.3, 1.0, 0, -4.0, -0.8, 2.0, 0, 0.0}.Compute()), kMass4 * kMass4, 1e-7);
  TSbMoment one;
  EXPECT_NEAR((SbbCase{-0.5, 0.3, 1.0, 1, 0.2, -0.8, 2.0, 2, 0.0}.Compute()),
              one.Compute(-0.5, 4.0, 0.3, 1.0, 1) * one.Compute(0.2, 4.0, -0.8, 2.0, 2), 1e-7);
}

TEST(SbbMoment, NarrowLawsAndFaults) {
  const SbbCase narrow{-4.0, 3.0, 0.01, 1, -4.0, 2.0, 0.02, 2, 0.4};
  EXPECT_NEAR(narrow.Compute(), narrow.Reference(), 1e-3);
  TSbbMoment m;
  EXPECT_THROW(m.Compute(0.0, 0.5, 1.2, 0, 0.0, 0.8, 1.5, 2, 1.0), EZeroDivide);
  EXPECT_THROW(m.Compute(0.0, 0.5, 1.2, 0, 0.0, 0.8, 1.5, 2, -1.0), EZeroDivide);
  EXPECT_THROW(m.Compute(0.0, 0.5, 1.2, 0, 0.0, 0.8, 1.5, 2, 1.2), EInvalidOp);
  EXPECT_THROW(m.Compute(0.0, 0.5, 0.0, 0, 0.0, 0.8, 1.5, 2, 0.3), EZeroDivide);
  EXPECT_THROW(m.Compute(0.0, 0.5, 1.2, 0, 0.0, std::nan(""), 1.5, 2, 0.3), EInvalidOp);
}

TEST(Mode, UncorrelatedRoundTripIgnoresZ) {
  // delta > 1/sqrt(2): a single mode m, put there by gamma from the mode equation.
  const struct {
    double xi, m, lambda, delta;
  } cases[] = {{10.0, 30.0, 50.0, 1.2}, {2.0, 3.1, 8.0, 0.9}, {0.0, 0.5, 1.0, 0.75}, {1.0, 3.0, 20.0, 0.8}};
  TMode mode;
  for (const auto& c : cases) {
    const double u = (c.m - c.xi) / c.lambda;
    const double gamma = (2.0 * u - 1.0) / c.delta - c.delta * std::log(u / (1.0 - u));
    for (double z : {-1.0, 0.0, 2.5})
      EXPECT_NEAR(mode.ComputeMode(c.xi, gamma, c.delta, c.lambda, 0.0, z), c.m, 1e-7) << c.m << " " << z;
  }
  EXPECT_NEAR(mode.ComputeMode(10.0, 0.8, 1.2, 50.0, 0.0, 0.3), 23.6159269562, 1e-7);
}

TEST(Mode, ConditionalModeMaximisesTheDensity) {
  const struct {
    double xi, gamma, delta, lambda, rho, z;
  } cases[] = {{10.0, 0.8, 1.2, 50.0, 0.6, 0.5},
               {10.0, 0.8, 1.2, 50.0, 0.6, -1.0},
               {2.0, 0.3, 0.9, 8.0, 0.85, 0.2},
               {0.0, -0.4, 1.5, 1.0, -0.5, 0.7},
               {5.0, 1.2, 2.2, 30.0, 0.3, 1.5}};
  TMode mode;
  for (const auto& c : cases) {
    const double ref = RefConditionalMode(c.xi, c.gamma, c.delta, c.lambda, c.rho, c.z);
    EXPECT_NEAR(mode.ComputeMode(c.xi, c.gamma, c.delta, c.lambda, c.rho, c.z), ref, 1e-6 * std::max(1.0, ref))
        << c.rho << " " << c.z;
  }
  EXPECT_NEAR(mode.ComputeMode(10.0, 0.8, 1.2, 50.0, 0.6, 0.5), 33.0728951633, 1e-6 * 33.07);
  EXPECT_THROW(mode.ComputeMode(10.0, 0.8, 1.2, 50.0, 1.0, 0.5), EZeroDivide);
  EXPECT_THROW(mode.ComputeMode(10.0, 0.8, 1.2, 50.0, 1.5, 0.5), EInvalidOp);
  EXPECT_THROW(mode.ComputeMode(10.0, 0.8, 1.2, 0.0, 0.3, 0.5), EInvalidOp);
}
