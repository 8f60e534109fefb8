#pragma once
// Free numerical routines of the growth model: the Johnson SB transform, log-gamma,
// the incomplete beta and negative binomial laws, the univariate and bivariate
// standard normal laws, a fixed Gauss-Legendre rule and Brent's root finder.
// Pure functions; faults raise exceptions of the run-time family.

#include <cmath>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FloatChecks.h"

inline constexpr const char* kMsgInfiniteResult = "Resultado = Infinito.";
inline constexpr const char* kMsgTooManyIterations = "Superado o num. maximo de iterações.";

// Passes of ZeroBrent after its two end evaluations.
inline constexpr int kZeroBrentMaxPasses = 100;
// Iterations of BetaContinuedFraction before it gives up.
inline constexpr int kBetaContinuedFractionMaxIterations = 10000;

// Normal deviate of x under an SB law on (min, max): 10 at or above max, -10 at or below min.
double SbNormalDeviate(double x, double min, double max, double gamma, double delta);

// ln Gamma(x), x > 0, by a six-term Lanczos series. Any fault raises
// Exception "Resultado = Infinito.".
double LogGamma(double x);

// Continued fraction of the incomplete beta function (modified Lentz).
double BetaContinuedFraction(double a, double b, double x);

// Regularised incomplete beta function I_x(a, b).
double IncompleteBeta(double a, double b, double x);

// IncompleteBeta(r, k + 1, p): at most k failures before the r-th success.
double NegativeBinomialCdf(double k, double r, double p);

// 1, 0 or -1 by the sign of x.
double SignOf(double x);

double NormalDensity(double x);
double NormalCdf(double x);
// x with NormalCdf(x) = p; -40 at p = 0, 40 at p = 1.
double NormalInverse(double p);

double BivariateNormalDensity(double x, double y, double rho);
// P(X <= x, Y <= y) for standard normals with correlation rho (Drezner).
double BivariateNormalCdf(double x, double y, double rho);
// The same for x <= 0, y <= 0, rho <= 0: a 4 x 4 point rule.
double BivariateNormalCdfCore(double x, double y, double rho);
// One term of that rule.
double DreznerTerm(double rho, double x, double y, double u, double v);

// Integral of f over [lo, hi]: two Gauss points in each of 32 equal panels, exactly
// 64 calls in node order from lo to hi. Only the result is checked.
template <class F>
double GaussIntegral(F&& f, double lo, double hi) {
  constexpr double kLowNode = 0.21132486540518711776;
  constexpr double kHighNode = 0.7886751345948128823;
  const double h = (hi - lo) / 32.0;
  double sum = 0.0;
  for (int i = 0; i < 32; ++i) {
    sum += f(lo + (i + kLowNode) * h);
    sum += f(lo + (i + kHighNode) * h);
  }
  return CheckResult(h * sum / 2.0);
}

// A root of f between x1 and x2 by Brent's method. The ends are not checked to
// bracket a root; after kZeroBrentMaxPasses passes it raises
// Exception "Superado o num. maximo de iterações.".
template <class F>
double ZeroBrent(F&& f, double x1, double x2) {
  double a = x1;
  double b = x2;
  double fa = CheckResult(static_cast<double>(f(a)));
  double fb = CheckResult(static_cast<double>(f(b)));
  if (fa == 0.0) return x1;
  if (fb == 0.0) return x2;
  double c = b;
  double fc = fb;
  double d = 0.0;
  double e = 0.0;
  for (int pass = 0; pass < kZeroBrentMaxPasses; ++pass) {
    if ((fb > 0.0 && fc > 0.0) || (fb < 0.0 && fc < 0.0)) {
      c = a;
      fc = fa;
      d = b - a;
      e = d;
    }
    if (std::fabs(fc) < std::fabs(fb)) {
      a = b;
      b = c;
      c = a;
      fa = fb;
      fb = fc;
      fc = fa;
    }
    const double tol1 = 2e-12 * std::fabs(b) + 5e-9;
    const double xm = (c - b) / 2.0;
    if (std::fabs(xm) <= tol1 || fb == 0.0) return b;
    if (std::fabs(e) >= tol1 && std::fabs(fa) > std::fabs(fb)) {
      const double s = fb / fa;
      double p;
      double q;
      if (a == c) {
        p = 2.0 * xm * s;
        q = 1.0 - s;
      } else {
        const double qa = fa / fc;
        const double r = fb / fc;
        p = s * (2.0 * xm * qa * (qa - r) - (b - a) * (r - 1.0));
        q = (qa - 1.0) * (r - 1.0) * (s - 1.0);
      }
      CheckResult(p);
      CheckResult(q);
      if (p > 0.0) q = -q;
      p = std::fabs(p);
      const double min1 = 3.0 * xm * q - std::fabs(tol1 * q);
      const double min2 = std::fabs(e * q);
      if (2.0 * p < (min1 < min2 ? min1 : min2)) {
        e = d;
        d = p / q;
      } else {
        d = xm;
        e = d;
      }
    } else {
      d = xm;
      e = d;
    }
    a = b;
    fa = fb;
    if (std::fabs(d) > tol1) {
      b = CheckResult(b + d);
    } else {
      b += xm >= 0.0 ? tol1 : -tol1;
    }
    fb = CheckResult(static_cast<double>(f(b)));
  }
  throw Exception(kMsgTooManyIterations);
}
