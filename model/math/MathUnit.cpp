#include "model/math/MathUnit.h"

#include <numbers>

namespace {

constexpr double kLentzFloor = 1e-300;

double LentzFloor(double v) {
  return std::fabs(v) < kLentzFloor ? kLentzFloor : v;
}

// Comparisons would hide a NaN argument; the platform faulted on them.
void RejectNaN(double v) {
  if (std::isnan(v)) RaiseInvalidOp();
}

}  // namespace

double SbNormalDeviate(double x, double min, double max, double gamma, double delta) {
  RejectNaN(x);
  RejectNaN(min);
  RejectNaN(max);
  if (x >= max) return 10.0;
  if (x > min) return CheckResult(gamma + delta * CheckedLn(CheckedDiv(x - min, max - x)));
  return -10.0;
}

double LogGamma(double x) {
  static constexpr double kCoefficients[6] = {76.18009172947146,  -86.50532032941678,   24.01409824083091,
                                              -1.231739572450155, 0.001208650973866179, -5.395239384953e-06};
  double s = 1.000000000190015;
  for (int i = 0; i < 6; ++i) s += kCoefficients[i] / (x + (i + 1));
  const double result = std::log(2.5066282746310005 * s / x) + (x + 0.5) * std::log(x + 5.5) - (x + 5.5);
  // A pole gives an infinite term and a logarithm of a non-positive value an infinite
  // or NaN one; neither can come back finite, so the result shows every fault.
  if (!std::isfinite(result)) throw Exception(kMsgInfiniteResult);
  return result;
}

double BetaContinuedFraction(double a, double b, double x) {
  double c = 1.0;
  double d = LentzFloor(1.0 - (a + b) * x / (a + 1.0));
  d = 1.0 / d;
  double h = d;
  for (int m = 1; m <= kBetaContinuedFractionMaxIterations; ++m) {
    const double m2 = 2.0 * m;
    double aa = m * (b - m) * x / ((a + m2 - 1.0) * (a + m2));
    d = LentzFloor(1.0 + aa * d);
    c = LentzFloor(1.0 + aa / c);
    d = 1.0 / d;
    h = h * d * c;
    aa = -(a + m) * (a + b + m) * x / ((a + m2) * (a + m2 + 1.0));
    d = LentzFloor(1.0 + aa * d);
    c = LentzFloor(1.0 + aa / c);
    d = 1.0 / d;
    const double delta = d * c;
    h = h * delta;
    if (std::fabs(delta - 1.0) < 1e-10) return CheckResult(h);
  }
  // Only a non-finite argument or intermediate keeps the fraction from converging.
  if (!std::isfinite(a) || !std::isfinite(b) || !std::isfinite(x) || !std::isfinite(h)) RaiseInvalidOp();
  throw Exception(kMsgTooManyIterations);
}

double IncompleteBeta(double a, double b, double x) {
  double bt = 0.0;
  if (x != 0.0 && x != 1.0) {
    // Sequenced so that the first fault is the one the formula meets first.
    double e = LogGamma(a + b);
    e -= LogGamma(a);
    e -= LogGamma(b);
    e += a * CheckedLn(x);
    e += b * CheckedLn(1.0 - x);
    bt = CheckedExp(e);
  }
  if (x < CheckedDiv(a + 1.0, a + b + 2.0)) return CheckResult(CheckedDiv(bt * BetaContinuedFraction(a, b, x), a));
  return CheckResult(1.0 - CheckedDiv(bt * BetaContinuedFraction(b, a, 1.0 - x), b));
}

double NegativeBinomialCdf(double k, double r, double p) {
  return IncompleteBeta(r, k + 1.0, p);
}

double SignOf(double x) {
  RejectNaN(x);
  if (x > 0.0) return 1.0;
  if (x == 0.0) return 0.0;
  return -1.0;
}

double NormalDensity(double x) {
  return CheckResult(0.39894228040143267795 * std::exp(-x * x / 2.0));
}

double NormalCdf(double x) {
  if (x < -7.0) return CheckResult(NormalDensity(x) / std::sqrt(x * x + 1.0));
  if (x > 7.0) return CheckResult(1.0 - NormalDensity(x) / std::sqrt(x * x + 1.0));
  const double t = 1.0 / (1.0 + 0.2316419 * std::fabs(x));
  const double q = NormalDensity(x) *
                   (t * (0.31938153 + t * (-0.356563782 + t * (1.781477937 + t * (-1.821255978 + t * 1.330274429)))));
  return CheckResult(x >= 0.0 ? 1.0 - q : q);
}

double NormalInverse(double p) {
  if (p == 0.0) return -40.0;
  if (p == 1.0) return 40.0;
  const double y = p - 0.5;
  if (std::fabs(y) < 0.42) {
    const double r = y * y;
    const double num = y * (((-25.44106049637 * r + 41.39119773534) * r - 18.61500062529) * r + 2.50662823884);
    const double den = (((3.13082909833 * r - 21.06224101826) * r + 23.08336743743) * r - 8.4735109309) * r + 1.0;
    return CheckResult(num / den);
  }
  const double r = y < 0.0 ? p : 1.0 - p;
  const double s = CheckedLn(-CheckedLn(r));
  const double z =
      0.3374754822726147 +
      s * (0.9761690190917186 +
           s * (0.1607979714918209 +
                s * (0.0276438810333863 +
                     s * (0.0038405729373609 +
                          s * (0.0003951896511919 +
                               s * (0.0000321767881768 + s * (0.0000002888167364 + s * 0.0000003960315187)))))));
  return CheckResult(y >= 0.0 ? z : -z);
}

double BivariateNormalDensity(double x, double y, double rho) {
  const double w = 1.0 - rho * rho;
  const double e = CheckedExp(CheckedDiv(-(x * x + y * y - 2.0 * rho * x * y), 2.0 * w));
  return CheckResult(e * 0.15915494309189533577 / CheckedSqrt(w));
}

namespace {

inline double DreznerTermUnchecked(double rho, double x, double y, double u, double v) {
  const double g = std::sqrt(2.0 * (1.0 - rho * rho));
  const double x1 = x / g;
  const double y1 = y / g;
  return std::exp(x1 * (2.0 * u - x1) + y1 * (2.0 * v - y1) + 2.0 * rho * (u - x1) * (v - y1));
}

}  // namespace

double DreznerTerm(double rho, double x, double y, double u, double v) {
  const double g = CheckedSqrt(2.0 * (1.0 - rho * rho));
  const double x1 = CheckedDiv(x, g);
  const double y1 = CheckedDiv(y, g);
  return CheckedExp(x1 * (2.0 * u - x1) + y1 * (2.0 * v - y1) + 2.0 * rho * (u - x1) * (v - y1));
}

double BivariateNormalCdfCore(double x, double y, double rho) {
  static constexpr double kA[4] = {0.325303, 0.4211071, 0.1334425, 0.006374323};
  static constexpr double kB[4] = {0.1337764, 0.6243247, 1.3425378, 2.2626645};
  const double scale = CheckedSqrt(1.0 - rho * rho) / std::numbers::pi;
  // Every term divides x by sqrt(2 (1 - rho^2)), which is 0 here.
  if (scale == 0.0) {
    if (x == 0.0) RaiseInvalidOp();
    RaiseZeroDivide();
  }
  double sum = 0.0;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) sum += kA[i] * kA[j] * DreznerTermUnchecked(rho, x, y, kB[i], kB[j]);
  return CheckResult(scale * sum);
}

double BivariateNormalCdf(double x, double y, double rho) {
  RejectNaN(x);
  RejectNaN(y);
  RejectNaN(rho);
  if (rho > 0.9999) return NormalCdf(x < y ? x : y);
  if (rho < -0.9999) {
    const double r = NormalCdf(x) - NormalCdf(-y);
    return r > 0.0 ? r : 0.0;
  }
  double r;
  if (x * y * rho > 0.0) {
    const double dd = std::sqrt(x * x - 2.0 * rho * x * y + y * y);
    const double rho1 = CheckedDiv(SignOf(x) * (rho * x - y), dd);
    const double rho2 = CheckedDiv(SignOf(y) * (rho * y - x), dd);
    r = BivariateNormalCdf(x, 0.0, rho1) + BivariateNormalCdf(y, 0.0, rho2) - (1.0 - SignOf(x) * SignOf(y)) / 4.0;
  } else if (x <= 0.0 && y <= 0.0 && rho <= 0.0) {
    r = BivariateNormalCdfCore(x, y, rho);
  } else if (x <= 0.0 && y * rho >= 0.0) {
    r = NormalCdf(x) - BivariateNormalCdfCore(x, -y, -rho);
  } else if (y <= 0.0 && rho >= 0.0) {
    r = NormalCdf(y) - BivariateNormalCdfCore(-x, y, -rho);
  } else {
    r = NormalCdf(x) + NormalCdf(y) - 1.0 + BivariateNormalCdfCore(-x, -y, rho);
  }
  return r < 0.0 ? 0.0 : CheckResult(r);
}
