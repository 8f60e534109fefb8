#include <gtest/gtest.h>

#include <boost/math/distributions/negative_binomial.hpp>
#include <boost/math/distributions/normal.hpp>
#include <boost/math/special_functions/beta.hpp>
#include <boost/math/special_functions/gamma.hpp>
#include <boost/math/special_functions/owens_t.hpp>

#include <cmath>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

#include "model/math/MathUnit.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
const boost::math::normal kStdNormal;

double RefPhi(double x) {
  return boost::math::cdf(kStdNormal, x);
}

// P(X <= h, Y <= k) by Owen's T; h, k != 0.
double RefBivariate(double h, double k, double rho) {
  const double s = std::sqrt(1.0 - rho * rho);
  return 0.5 * RefPhi(h) + 0.5 * RefPhi(k) - boost::math::owens_t(h, (k - rho * h) / (h * s)) -
         boost::math::owens_t(k, (h - rho * k) / (k * s)) - (h * k > 0.0 ? 0.0 : 0.5);
}

template <class Fn>
std::string MessageOf(Fn&& fn) {
  try {
    fn();
  } catch (const Exception& e) {
    return e.what();
  }
  return "(no exception)";
}

}  // namespace

TEST(SbNormalDeviate, EndsSignAndLogit) {
  EXPECT_EQ(SbNormalDeviate(50.0, 10.0, 50.0, 0.8, 1.2), 10.0);
  EXPECT_EQ(SbNormalDeviate(10.0, 10.0, 50.0, 0.8, 1.2), -10.0);
  EXPECT_NEAR(SbNormalDeviate(20.0, 10.0, 50.0, 0.8, 1.2), 0.8 - 1.2 * std::log(3.0), 1e-15);
  EXPECT_EQ(SbNormalDeviate(7.0, 9.0, 6.0, 0.0, 1.0), 10.0);  // max is tested first
  EXPECT_EQ(SbNormalDeviate(5.0, 9.0, 6.0, 0.0, 1.0), -10.0);
  EXPECT_THROW(SbNormalDeviate(kNaN, 10.0, 50.0, 0.8, 1.2), EInvalidOp);
  EXPECT_EQ(SignOf(3.2), 1.0);
  EXPECT_EQ(SignOf(-1e-300), -1.0);
  EXPECT_EQ(SignOf(-0.0), 0.0);
  EXPECT_THROW(SignOf(kNaN), EInvalidOp);
}

TEST(LogGamma, MatchesBoostAndFaultsBecomeInfiniteResult) {
  for (double x : {0.05, 0.5, 1.0, 1.5, 2.0, 3.7, 10.0, 33.3, 151.0, 1000.0, 12345.6, 1e7}) {
    const double ref = boost::math::lgamma(x);  // absolute near the zeros at 1 and 2
    EXPECT_NEAR(LogGamma(x), ref, 1e-12 * std::max(1.0, std::fabs(ref))) << x;
  }
  for (double x : {0.0, -1.0, -0.5, kNaN, kInf, 1e306})
    EXPECT_EQ(MessageOf([x] { LogGamma(x); }), "Resultado = Infinito.") << x;
}

TEST(IncompleteBeta, MatchesBoostAndClosedForms) {
  const std::vector<double> shapes = {0.5, 1.0, 2.5, 5.42, 30.0, 150.0};
  for (double a : shapes)
    for (double b : shapes)
      for (double x : {0.001, 0.0289, 0.2, 0.5, 0.77, 0.99, 0.9999}) {
        const double ref = boost::math::ibeta(a, b, x);
        EXPECT_NEAR(IncompleteBeta(a, b, x), ref, 1e-9 * std::max(ref, 1e-3)) << a << " " << b;
      }
  EXPECT_EQ(IncompleteBeta(2.0, 3.0, 0.0), 0.0);
  EXPECT_EQ(IncompleteBeta(2.0, 3.0, 1.0), 1.0);
  EXPECT_NEAR(IncompleteBeta(2.0, 3.0, 0.4), 0.5248, 1e-12);
  EXPECT_NEAR(IncompleteBeta(1.0, 1.0, 0.35), 0.35, 1e-12);
  EXPECT_NEAR(IncompleteBeta(41.5, 41.5, 0.5), 0.5, 1e-11);
  // I_x(a, b) = x^a (1 - x)^b / (a B(a, b)) times the fraction.
  const double front = std::pow(0.2, 2.5) * std::pow(0.8, 4.0) / (2.5 * boost::math::beta(2.5, 4.0));
  EXPECT_NEAR(front * BetaContinuedFraction(2.5, 4.0, 0.2), boost::math::ibeta(2.5, 4.0, 0.2), 1e-12);
}

TEST(IncompleteBeta, FaultsAndTheIterationCap) {
  EXPECT_THROW(IncompleteBeta(2.0, 3.0, 1.5), EInvalidOp);
  EXPECT_THROW(IncompleteBeta(2.0, 3.0, -0.1), EInvalidOp);
  EXPECT_EQ(MessageOf([] { IncompleteBeta(0.0, 3.0, 0.5); }), "Resultado = Infinito.");
  EXPECT_THROW(BetaContinuedFraction(kNaN, 2.0, 0.3), EInvalidOp);  // never converges
}

TEST(NegativeBinomialCdf, MatchesBoost) {
  for (double r : {1.0, 3.0, 5.18899295733})
    for (double p : {0.0317686705986, 0.3, 0.9})
      for (double k : {0.0, 4.0, 29.0, 89.0}) {
        const double ref = boost::math::cdf(boost::math::negative_binomial(r, p), k);
        EXPECT_NEAR(NegativeBinomialCdf(k, r, p), ref, 1e-9 * std::max(ref, 1e-3)) << k << " " << r;
      }
  EXPECT_NEAR(NegativeBinomialCdf(2.5, 5.18899295733, 0.0317686705986),
              boost::math::ibeta(5.18899295733, 3.5, 0.0317686705986), 1e-15);  // real k
}

TEST(NormalCdf, MatchesBoostAndBranchesMeetAtSeven) {
  for (int i = -180; i <= 180; ++i) {
    const double x = i * 0.05, pdf = boost::math::pdf(kStdNormal, x);
    EXPECT_NEAR(NormalDensity(x), pdf, 1e-15 * pdf) << x;
    EXPECT_NEAR(NormalCdf(x), RefPhi(x), 1e-7) << x;
  }
  for (double x : {-7.5, -20.0, -37.0}) EXPECT_NEAR(NormalCdf(x), RefPhi(x), 0.02 * RefPhi(x));
  EXPECT_NEAR(NormalCdf(0.0), 0.500000000524809, 1e-15);  // 1 - phi(0) * sum(b)
  // +-7 take the polynomial, beyond them phi(x) / sqrt(x^2 + 1).
  EXPECT_NEAR(NormalCdf(-7.0), 1.28812654718046e-12, 1e-25);
  EXPECT_DOUBLE_EQ(NormalCdf(-7.000001), NormalDensity(7.000001) / std::sqrt(7.000001 * 7.000001 + 1));
  EXPECT_GT(NormalCdf(-7.000001), NormalCdf(-7.0));
  EXPECT_LT(NormalCdf(7.000001), NormalCdf(7.0));
  EXPECT_EQ(NormalCdf(-kInf), 0.0);
  EXPECT_THROW(NormalCdf(kNaN), EInvalidOp);
}

TEST(NormalInverse, MatchesBoostQuantile) {
  std::vector<double> ps = {1e-12, 1e-10, 1e-8, 1e-6, 1e-4, 0.025, 0.0800001, 0.08};
  for (int i = 1; i < 1000; ++i) ps.push_back(i / 1000.0);
  for (double p : ps) {
    EXPECT_NEAR(NormalInverse(p), boost::math::quantile(kStdNormal, p), 5e-9) << p;
    EXPECT_NEAR(NormalInverse(1.0 - p), boost::math::quantile(kStdNormal, 1.0 - p), 5e-9) << p;
  }
  EXPECT_EQ(NormalInverse(0.0), -40.0);
  EXPECT_EQ(NormalInverse(1.0), 40.0);
  EXPECT_EQ(NormalInverse(0.5), 0.0);
  EXPECT_THROW(NormalInverse(-0.1), EInvalidOp);
  EXPECT_THROW(NormalInverse(1.1), EInvalidOp);
  EXPECT_THROW(NormalInverse(kNaN), EInvalidOp);
}

TEST(BivariateNormalDensity, IsMarginalTimesConditional) {
  for (double rho : {-0.9, 0.0, 0.55, 0.95})
    for (double x : {-2.0, 0.0, 0.7})
      for (double y : {-1.1, 2.5}) {
        const double s = std::sqrt(1.0 - rho * rho);
        const double ref = boost::math::pdf(kStdNormal, x) * boost::math::pdf(kStdNormal, (y - rho * x) / s) / s;
        EXPECT_NEAR(BivariateNormalDensity(x, y, rho), ref, 1e-13 * ref);
      }
  EXPECT_THROW(BivariateNormalDensity(0.3, 0.2, -1.0), EZeroDivide);
  EXPECT_THROW(BivariateNormalDensity(0.3, 0.2, 1.5), EInvalidOp);
}

TEST(BivariateNormalCdf, MatchesOwensTWithinDreznersError) {
  const std::vector<double> limits = {-3.5, -2.0, -1.3, -0.674, -0.25, 0.4, 1.0, 2.2, 3.0, 4.5};
  for (double rho : {-0.95, -0.8, -0.5, -0.2, 0.0, 0.1, 0.35, 0.555, 0.8, 0.95})
    for (double x : limits)
      for (double y : limits) {
        const double value = BivariateNormalCdf(x, y, rho);
        EXPECT_NEAR(value, RefBivariate(x, y, rho), 1e-5) << x << " " << y << " " << rho;
        EXPECT_NEAR(value, BivariateNormalCdf(y, x, rho), 1e-12);
      }
  for (double rho : {-0.95, -0.5, 0.0, 0.5, 0.95})
    EXPECT_NEAR(BivariateNormalCdf(0.0, 0.0, rho), 0.25 + std::asin(rho) / (2 * std::numbers::pi), 1e-5);
  for (double rho : {-0.9, -0.4, 0.0})
    EXPECT_NEAR(BivariateNormalCdfCore(-0.8, -1.7, rho), RefBivariate(-0.8, -1.7, rho), 1e-5);
  // x = y = 0, rho = 1/2: g = sqrt(3/2) and the term is exp(2 rho u v).
  EXPECT_NEAR(DreznerTerm(0.5, 0.0, 0.0, 1.0, 1.0), std::exp(1.0), 1e-15);
}

TEST(BivariateNormalCdf, NearlyPerfectCorrelationClippingAndFaults) {
  for (double x : {-1.2, 0.3, 2.0})
    for (double y : {-0.5, 0.9}) {
      EXPECT_EQ(BivariateNormalCdf(x, y, 0.99991), NormalCdf(std::min(x, y)));
      EXPECT_EQ(BivariateNormalCdf(x, y, -0.99991), std::max(NormalCdf(x) - NormalCdf(-y), 0.0));
    }
  // 0.9999 still takes the general cases.
  EXPECT_LT(BivariateNormalCdf(-0.5, -0.5, 0.9999), NormalCdf(-0.5) - 1e-3);
  EXPECT_NEAR(BivariateNormalCdf(-0.5, -0.5, 0.9999), RefBivariate(-0.5, -0.5, 0.9999), 1e-5);
  for (double rho : {-0.9999, -0.99, -0.5, 0.0, 0.5, 0.99, 0.9999})
    for (double x : {-9.0, -6.0, -3.0, 0.0, 5.0})
      for (double y : {-8.0, -5.0, -0.1, 7.5}) EXPECT_GE(BivariateNormalCdf(x, y, rho), 0.0);
  EXPECT_THROW(BivariateNormalCdf(0.2, kNaN, 0.99995), EInvalidOp);
  EXPECT_THROW(BivariateNormalCdf(0.2, 0.1, kNaN), EInvalidOp);
  EXPECT_THROW(BivariateNormalCdfCore(-0.5, -0.2, -1.0), EZeroDivide);
  EXPECT_THROW(BivariateNormalCdfCore(-0.5, -0.2, -1.5), EInvalidOp);
  EXPECT_THROW(DreznerTerm(1.0, -0.5, -0.2, 0.1, 0.6), EZeroDivide);
}

TEST(GaussIntegral, ExactOnCubicsAndAccurateOnSmoothIntegrands) {
  auto cubic = [](double x) { return 3 * x * x * x - 2 * x * x + x - 5; };
  auto primitive = [](double x) { return 0.75 * x * x * x * x - 2.0 / 3 * x * x * x + 0.5 * x * x - 5 * x; };
  for (auto [lo, hi] : {std::pair{-1.3, 2.7}, {0.0, 1.0}, {-10.0, 25.0}, {3.0, -2.0}}) {
    const double exact = primitive(hi) - primitive(lo);
    EXPECT_NEAR(GaussIntegral(cubic, lo, hi), exact, 1e-13 * std::max(1.0, std::fabs(exact)));
  }
  // The error on x^4, h^4 / 4320 per unit length, pins 32 panels of two points.
  EXPECT_NEAR(GaussIntegral([](double x) { return x * x * x * x; }, 0.0, 1.0), 0.2 - 1.0 / (180.0 * std::pow(32.0, 4)),
              1e-16);
  EXPECT_NEAR(GaussIntegral([](double x) { return std::exp(x); }, 0.0, 3.0), std::expm1(3.0), 1e-6 * 19);
  EXPECT_NEAR(GaussIntegral([](double x) { return 1 / (1 + x * x); }, -2.0, 5.0), std::atan(5.0) + std::atan(2.0),
              1e-6);
  EXPECT_NEAR(GaussIntegral(NormalDensity, -4.0, 4.0), 0.9999366575163338, 1e-7);
  EXPECT_THROW(GaussIntegral([](double x) { return x > 0.5 ? kNaN : 1.0; }, 0.0, 1.0), EInvalidOp);
  EXPECT_THROW(GaussIntegral([](double) { return 1e307; }, 0.0, 1e3), EOverflow);
}

TEST(GaussIntegral, SixtyFourCallsInNodeOrder) {
  std::vector<double> nodes;
  auto record = [&nodes](double x) {
    nodes.push_back(x);
    return 1.0;
  };
  EXPECT_NEAR(GaussIntegral(record, 2.0, 10.0), 8.0, 1e-13);
  ASSERT_EQ(nodes.size(), 64u);
  EXPECT_NEAR(nodes.front(), 2.0 + 0.21132486540518711776 * 0.25, 1e-15);
  for (size_t i = 1; i < nodes.size(); ++i) EXPECT_LT(nodes[i - 1], nodes[i]);
  nodes.clear();
  EXPECT_NEAR(GaussIntegral(record, 10.0, 2.0), -8.0, 1e-13);
  for (size_t i = 1; i < nodes.size(); ++i) EXPECT_GT(nodes[i - 1], nodes[i]);
  nodes.clear();
  EXPECT_EQ(GaussIntegral(record, 1.5, 1.5), 0.0);
  EXPECT_EQ(nodes.size(), 64u);
}

TEST(ZeroBrent, KnownRootsAndZeroEnds) {
  EXPECT_NEAR(ZeroBrent([](double x) { return x * x - 2; }, 0.0, 2.0), std::sqrt(2.0), 1e-8);
  EXPECT_NEAR(ZeroBrent([](double x) { return std::cos(x) - x; }, 0.0, 1.0), 0.7390851332151607, 1e-8);
  EXPECT_NEAR(ZeroBrent([](double x) { return x * x * x - 2 * x - 5; }, 2.0, 3.0), 2.0945514815423265, 1e-8);
  EXPECT_NEAR(ZeroBrent([](double x) { return (x - 1) * (x - 1) * (x - 1); }, -5.0, 5.0), 1.0, 1e-5);
  EXPECT_NEAR(ZeroBrent([](double x) { return std::atan(x - 1); }, -1e30, 1e30), 1.0, 1e-8);
  int calls = 0;
  auto f = [&calls](double x) { return ++calls, x - 3.0; };
  EXPECT_EQ(ZeroBrent(f, 3.0, 10.0), 3.0);
  EXPECT_EQ(ZeroBrent(f, -4.0, 3.0), 3.0);
  EXPECT_EQ(calls, 4);
}

TEST(ZeroBrent, IterationLimitNoBracketTestAndNonFiniteValues) {
  int calls = 0;
  auto f = [&calls](double x) { return ++calls, std::atan(x - 1); };
  EXPECT_EQ(MessageOf([&] { ZeroBrent(f, -1e300, 1e300); }), "Superado o num. maximo de iterações.");
  EXPECT_EQ(calls, 2 + kZeroBrentMaxPasses);
  EXPECT_NO_THROW(ZeroBrent([](double x) { return x * x + 1; }, -1.0, 2.0));
  EXPECT_THROW(ZeroBrent([](double x) { return x < 0.4 ? -1.0 : kNaN; }, 0.0, 1.0), EInvalidOp);
  EXPECT_THROW(ZeroBrent([](double x) { return x < 0.4 ? -1.0 : kInf; }, 0.0, 1.0), EOverflow);
}
