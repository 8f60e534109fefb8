#include <gtest/gtest.h>

#include <boost/math/distributions/normal.hpp>
#include <boost/math/quadrature/gauss_kronrod.hpp>
#include <boost/math/special_functions/beta.hpp>

#include <cmath>
#include <numbers>

#include "model/growth/HardFormulaUnit.h"
#include "model/growth/ModeUnit.h"
#include "model/growth/SpeciesUnit.h"
#include "platform/rtl/Exceptions.h"

namespace {

const boost::math::normal kStdNormal;

struct BuiltInSite : IEquation {
  double Compute(std::span<const double> v) override { return DefaultSiteIndex(v); }
};

template <class F>
double RefIntegral(F f, double lo, double hi) {
  return boost::math::quadrature::gauss_kronrod<double, 61>::integrate(f, lo, hi, 15, 1e-12);
}

// Mean of x^k over deviates [lo, hi] of an SB law on (xi, xi + lambda), by direct quadrature.
double RefSbMean(double xi, double lambda, double gamma, double delta, double k, double lo = -4, double hi = 4) {
  return RefIntegral(
      [=](double z) {
        const double x = xi + lambda / (1.0 + std::exp((gamma - z) / delta));
        return std::pow(x, k) * boost::math::pdf(kStdNormal, z);
      },
      lo, hi);
}

// E[g(x, y); x >= z, y >= z] for standard normal deviates with correlation rho.
template <class G>
double RefTruncated(double z, double rho, G g) {
  const double s = std::sqrt(1 - rho * rho);
  auto outer = [=](double y) {
    auto inner = [=](double x) { return boost::math::pdf(kStdNormal, (x - rho * y) / s) * g(x, y); };
    return boost::math::pdf(kStdNormal, y) * RefIntegral(inner, z, 12.0) / s;
  };
  return RefIntegral(outer, z, 12.0);
}

double TreesPerHa(double n) {
  return n / kHectaresPerSquareFoot;
}
double BasalAreaM2Ha(double n, double dq) {
  return TreesPerHa(n) * std::numbers::pi / 4 * std::pow(dq * kMetresPerInch, 2);
}

// The planting of the reference simulation: 1667 trees/ha, 95 % survival, SI 28 m, HD 7.
class Species : public ::testing::Test {
protected:
  void Start(double hd = 7, double siMetres = 28) {
    s.ResetStand();
    s.InitStand(1667 * 0.95 / kSquareFeetPerHectare, siMetres * kFeetPerMetre, hd);
  }
  TSpecies s;
  BuiltInSite site;
};

TEST_F(Species, StartMatchesClosedForms) {
  Start();
  // clang-format off
  const double k[] = {0, 0.7452881448, 0.001103186065, 0.6169773251, 0.0385, 28.48508884,
                      0.01398749467, 0.88, 18.3068471, 0.01128376538, 1.108465718, 0.5203671227,
                      0.08535322596, 0.3676191164, 0.0294289347, 3.632124372, 1.56375, 0.02797498933,
                      1.740406259, 0.724749163, 0.1743169294, 0.05424002587, 0.0008630156048};
  // clang-format on
  for (int i = 1; i <= 22; ++i) EXPECT_NEAR(s.K(i), k[i], 1e-9 * std::fabs(k[i])) << "k" << i;
  EXPECT_NEAR(s.MortalityR(), 5.18899295733, 1e-10);
  EXPECT_NEAR(s.MortalityP(), 0.0317686705986, 1e-12);
  // Survivors against an independent incomplete beta; 1 ft or less means no failure.
  for (double h : {0.5, 1.0, 30.0, 90.0}) {
    const double ref = s.N0() * (1 - boost::math::ibeta(s.MortalityR(), std::max(h - 1, 0.0) + 1, s.MortalityP()));
    EXPECT_NEAR(s.SurvivingTrees(h), ref, 1e-9 * ref) << h;
  }
  EXPECT_NEAR(s.SiteHeight(5, site), 30.330665781676, 1e-10);
  EXPECT_NEAR(s.DominantHeight(5, site), 66.20774320352525, 1e-10);
  EXPECT_NEAR(s.CorrelationExtreme(0), -1.6851718795, 1e-8);
  EXPECT_NEAR(s.CorrelationExtreme(1), 59.605362791, 1e-8);
}

TEST_F(Species, GrowthInvariants) {
  Start(2);
  const double mass = 1 - 2 * boost::math::cdf(kStdNormal, -4.0);
  double lastN = s.N0(), lastHdom = 0, lastHmean = 0;
  for (int age = 1; age <= 40; ++age) {
    s.Grow(age, site);
    SCOPED_TRACE(age);
    EXPECT_EQ(s.HD(), 5.2);  // homogeneity below 5 is mapped once and kept
    EXPECT_TRUE(s.N() <= lastN && s.Hdom() > lastHdom && s.Hmean() > lastHmean);
    EXPECT_TRUE(s.Hmin() < s.Hmed() && s.Hmed() <= s.Hdom() - 0.001);
    EXPECT_TRUE(s.Hmin() < s.Hmean() && s.Hmean() < s.Hdom());
    EXPECT_TRUE(s.Dmin() < s.Dmed() && s.Dmin() < s.Dq() && s.Dq() < s.Dmax());
    // Mean height and Dq are moments of the SB laws over deviates [-4, 4].
    EXPECT_NEAR(s.Hmean(), RefSbMean(s.Hmin(), s.LambdaH(), s.GammaH(), s.DeltaH(), 1) + s.Hmin() * (1 - mass),
                1e-7 * s.Hmean());
    EXPECT_NEAR(s.Dq() * s.Dq(),
                RefSbMean(s.Dmin(), s.LambdaD(), s.GammaD(), s.DeltaD(), 2) + s.Dmin() * s.Dmin() * (1 - mass),
                1e-7 * s.Dq() * s.Dq());
    // Basal area in m²/ha against in² of stem per ft² of ground.
    EXPECT_NEAR(BasalAreaM2Ha(s.N(), s.Dq()) * kSquareInchesPerSquareMetre / kSquareFeetPerHectare,
                s.N() * std::numbers::pi / 4 * s.Dq() * s.Dq(), 1e-12 * s.N() * s.Dq() * s.Dq());
    lastN = s.N(), lastHdom = s.Hdom(), lastHmean = s.Hmean();
  }
  double hdom = 0, hmean = 0;
  for (double si : {20.0, 24.0, 28.0, 32.0}) {
    Start(5, si);
    s.Grow(10, site);
    EXPECT_EQ(s.HD(), 5);
    EXPECT_TRUE(s.Hdom() > hdom && s.Hmean() > hmean) << si;
    hdom = s.Hdom(), hmean = s.Hmean();
  }
  const double gamma = TSpecies::SbGamma(2, 3.1, 8, 0.9);  // puts the mode at the median curve
  EXPECT_NEAR(gamma, 0.84703455306344, 1e-12);
  EXPECT_NEAR(TMode().ComputeMode(2, gamma, 0.9, 8, 0, 1.3), 3.1, 1e-7);
}

TEST(TruncatedBivariate, MomentsMatchQuadrature) {
  for (double z : {-1.0, 0.0, 1.0})
    for (double rho : {-0.3, 0.0, 0.5, 0.7}) {
      const TruncatedNormalMoments m = TruncatedBivariateMoments(z, rho);
      const double c = RefTruncated(z, rho, [](double, double) { return 1.0; });
      const double k = RefTruncated(z, rho, [](double x, double) { return x; }) / c;
      const double j = RefTruncated(z, rho, [](double x, double) { return x * x; }) / c;
      const double x = RefTruncated(z, rho, [](double x, double y) { return x * y; }) / c;
      SCOPED_TRACE(testing::Message() << z << " " << rho);
      EXPECT_NEAR(m.C, c, 1e-5);
      EXPECT_NEAR(m.K, k, 1e-3 * std::fabs(k) + 1e-5);
      EXPECT_NEAR(m.V, j - k * k, 3e-3 * (j - k * k));
      EXPECT_NEAR(m.Rho, (x - k * k) / (j - k * k), 5e-3);
    }
}

TEST_F(Species, TruncationAndCorrelationEdges) {
  EXPECT_EQ(s.TruncationByTrees(1), -5);
  EXPECT_EQ(s.TruncationByBasalArea(0), 5);
  EXPECT_NEAR(s.TruncationByTrees(0.25), 0, 1e-4);  // rho 0: (1 - Phi(z))² = 1/4
  // Mean of the largest 50 trees/acre; the whole law (from deviate -40) for fewer.
  EXPECT_NEAR(s.TruncatedMean(0.001, 3, 10, 0.8, 0.4), 3 + 10 * RefSbMean(0, 1, 0.4, 0.8, 1, -40), 0.08);
  const double f = kDensity50PerAcre / 0.01, lo = boost::math::quantile(kStdNormal, 1 - f);
  EXPECT_NEAR(s.TruncatedMean(0.01, 3, 10, 0.8, 0.4), 3 + 10 * RefSbMean(0, 1, 0.4, 0.8, 1, lo) / f, 1e-4);
  Start();
  const double x1 = s.CorrelationExtreme(1);
  EXPECT_EQ(s.CorrelationPosition(0.3, 10), x1);  // target below the curve's minimum
  EXPECT_EQ(s.CorrelationPosition(0.3, 80), 80);
  const double p = s.CorrelationPosition(0.7, 80);
  EXPECT_TRUE(p > s.CorrelationExtreme(0) && p < x1);
  EXPECT_NEAR(s.CorrelationResidual(p, 0.7), 0, 1e-9);
}

TEST_F(Species, SelectiveThinLeavesItsTarget) {
  Start();
  s.Grow(5, site);
  const double n = s.N(), dq = s.Dq(), hmean = s.Hmean();
  const double z = s.TruncationByTrees(900 / TreesPerHa(n));
  s.TruncatedState(z, n);
  EXPECT_NEAR(TreesPerHa(s.Na()), 900, 900e-7);
  EXPECT_TRUE(s.Dqa() > dq && s.Hmeana() > hmean);  // a thinning from below
  s.ApplySelectiveThin(5, site, z);
  EXPECT_EQ(s.Nrem(), n);
  s.Grow(5, site);
  EXPECT_NEAR(s.N(), s.Na(), 1e-12);
  EXPECT_NEAR(s.Dq(), s.Dqa(), 0.05 * s.Dqa());

  for (int age = 6; age <= 12; ++age) s.Grow(age, site);
  const double n12 = s.N(), g = 15 * kSquareInchesPerSquareMetre / kSquareFeetPerHectare /
                                (n12 * s.Dq() * s.Dq() * std::numbers::pi / 4);
  const double z12 = s.TruncationByBasalArea(g);
  s.TruncatedState(z12, n12);
  EXPECT_NEAR(BasalAreaM2Ha(s.Na(), s.Dqa()), 15, 15e-7);
  EXPECT_LT(s.Na(), g * n12);
  s.ApplySelectiveThin(12, site, z12);
  for (double last = s.Na(), age = 12; age <= 40; ++age, last = s.N()) {
    s.Grow(age, site);
    EXPECT_LE(s.N(), last * (1 + 1e-12));
  }
}

TEST_F(Species, MinimumDiameterStaysContinuousOnceFloored) {
  Start(5);
  for (int age = 2; age <= 10; ++age) s.Grow(age, site);
  const double n = s.N(), z = s.TruncationByBasalArea(0.5);
  s.TruncatedState(z, n);
  s.ApplySelectiveThin(10, site, z);
  s.Grow(11, site);
  ASSERT_NEAR(s.Dmin(), (s.Dmed() - 0.001) * s.QD(), 1e-12);  // the curve lies above the median
  // Past the age where the curve falls below the median again, the minimum has no jump.
  double last = s.Dmin() / s.Dmed();
  for (int tenths = 111; tenths <= 250; ++tenths) {
    const double age = tenths / 10.0;
    s.Grow(age, site);
    const double ratio = s.Dmin() / s.Dmed();
    ASSERT_LE(ratio, s.QD()) << age;
    ASSERT_NEAR(ratio, last, 0.005) << age;
    last = ratio;
  }
}

TEST_F(Species, SystematicThinKeepsTheLaws) {
  Start();
  s.Grow(9, site);
  const double n = s.N(), dq = s.Dq(), hmean = s.Hmean(), g = 600 / TreesPerHa(n);
  s.SetRemaining(g, n);
  EXPECT_TRUE(s.Dqa() == dq && s.Hmeana() == hmean);
  s.ApplySystematicThin(9, site);
  EXPECT_NEAR(TreesPerHa(s.Na()), 600, 1e-9);
  EXPECT_NEAR(s.Nrem(), (1 - g) * n, 1e-15);
  EXPECT_TRUE(s.Drem() == dq && s.Hrem() == hmean);
  s.Grow(9, site);
  EXPECT_NEAR(s.N(), s.Na(), 1e-12);
  EXPECT_NEAR(s.Dq(), dq, 0.05 * dq);
  EXPECT_NEAR(s.Hmean(), hmean, 0.02 * hmean);
  Start(2);
  s.Grow(9, site);  // sigma_d has passed k16 of the mapped homogeneity 5.2
  s.SetRemaining(g, s.N());
  EXPECT_THROW(s.ApplySystematicThin(9, site), EInvalidOp);
}

TEST_F(Species, InventoryTargets) {
  const double si = 25 * kFeetPerMetre, ninv = 1100 / kSquareFeetPerHectare;
  EXPECT_EQ(s.InitialDensity(0.1, si, 60), 0.1);  // above 10 000 trees/ha
  const double h = 0.837 * s.SiteHeightFor(4, site, si);
  const double n0 = s.InitialDensity(ninv, si, h);
  EXPECT_GT(n0, ninv);
  EXPECT_NEAR(TSpecies::DensityResidualLow(n0, ninv, si, h), 0,
              1e-8);  // Brent stops within 5e-9 of the root
  s.ResetStand();
  s.InitStand(n0, si, 7);
  s.Grow(4, site);
  EXPECT_NEAR(s.N(), ninv, 1e-3 * ninv);

  // A measured diameter shifts the diameter law at the same age.
  const double dq = s.Dq(), dmax = s.Dmax(), dmin = s.Dmin(), dmed = s.Dmed(), target = 0.9 * dq;
  s.AdjustToDiameter(target);
  s.Grow(4, site);
  EXPECT_NEAR(s.Dmax(), dmax + target - dq, 1e-12);
  EXPECT_NEAR(s.Dmin(), dmin + target - dq, 1e-12);
  EXPECT_NEAR(s.Dmed(), (dmed + target - dq) * (0.01 * s.HD() + 1), 1e-12);
  EXPECT_NEAR(s.Dq(), target, 0.1 * target);
}

TEST_F(Species, FaultsRaiseInsteadOfNaN) {
  struct NanSite : IEquation {
    double Compute(std::span<const double>) override { return std::nan(""); }
  } nanSite;
  Start();
  EXPECT_THROW(s.Grow(5, nanSite), EInvalidOp);
  EXPECT_THROW(s.Grow(0, site), EMathError);
  EXPECT_THROW(TruncatedBivariateMoments(0.5, 1.0), EZeroDivide);
}

}  // namespace
