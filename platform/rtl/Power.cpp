// Integer and real powers in extended precision; only the rounded result is checked.

#include <cfloat>
#include <cmath>
#include <cstdint>

#include "platform/rtl/FloatChecks.h"

namespace {

// Half an ulp above DBL_MAX: from here on a long double rounds to infinity.
constexpr long double kDoubleOverflow = static_cast<long double>(DBL_MAX) + 0x1p970L;

// Rounds an extended result to double, checked before rounding: beyond the
// double range is an overflow, NaN an invalid operation.
double RoundToDouble(long double r) {
  if (!(std::fabs(r) < kDoubleOverflow)) {
    if (std::isnan(r)) RaiseInvalidOp();
    RaiseOverflow();
  }
  return static_cast<double>(r);
}

}  // namespace

double IntPower(double base, std::int64_t exponent) {
  if (exponent == 0) return 1.0;
  std::uint64_t n = exponent < 0 ? 0u - static_cast<std::uint64_t>(exponent) : static_cast<std::uint64_t>(exponent);
  long double b = base;
  long double r = 1.0L;
  for (;;) {
    if (n & 1u) r *= b;
    n >>= 1;
    if (n == 0) break;
    b *= b;
  }
  if (exponent < 0) {
    if (base == 0.0) RaiseZeroDivide();
    r = 1.0L / r;
  }
  return RoundToDouble(r);
}

double RealPower(double base, double exponent) {
  if (exponent == 0.0) return 1.0;
  if (base == 0.0 && exponent > 0.0) return 0.0;
  if (std::fabs(exponent) <= 2147483647.0) {
    const auto whole = static_cast<std::int64_t>(exponent);
    if (static_cast<double>(whole) == exponent) return IntPower(base, whole);
  }
  // exp(exponent * ln base): ln 0 divides by zero, ln of a negative is invalid.
  if (std::isnan(base) || std::isnan(exponent)) RaiseInvalidOp();
  if (base == 0.0) RaiseZeroDivide();
  if (base < 0.0) RaiseInvalidOp();
  if (!std::isfinite(base) || !std::isfinite(exponent))
    return RoundToDouble(std::exp(static_cast<long double>(exponent) * std::log(static_cast<long double>(base))));
  // pow is exp(y ln x) with an error below one ulp of the rounded result.
  return CheckResult(std::pow(base, exponent));
}
