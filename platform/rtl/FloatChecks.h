#pragma once
// Checked floating-point operations: a fault raises, NaN or Inf never flows on.

#include <cmath>
#include <cstdint>

#include "platform/rtl/Exceptions.h"

[[noreturn]] void RaiseZeroDivide();
[[noreturn]] void RaiseInvalidOp();
[[noreturn]] void RaiseOverflow();

// Checks a result computed from finite operands: Inf is an overflow, NaN an
// invalid operation.
inline double CheckResult(double r) {
  if (std::isfinite(r)) return r;
  if (std::isnan(r)) RaiseInvalidOp();
  RaiseOverflow();
}

inline long double CheckResult(long double r) {
  if (std::isfinite(r)) return r;
  if (std::isnan(r)) RaiseInvalidOp();
  RaiseOverflow();
}

// a / b; b = 0 is a division by zero, 0/0 (or NaN/0) an invalid operation.
inline double CheckedDiv(double a, double b) {
  if (b == 0.0) {
    if (a == 0.0 || std::isnan(a)) RaiseInvalidOp();
    RaiseZeroDivide();
  }
  return CheckResult(a / b);
}

// Natural logarithm; ln 0 is a division by zero, ln of a negative is invalid.
inline double CheckedLn(double x) {
  if (x == 0.0) RaiseZeroDivide();
  if (!(x > 0.0)) RaiseInvalidOp();
  return CheckResult(std::log(x));
}

inline double CheckedSqrt(double x) {
  if (!(x >= 0.0)) RaiseInvalidOp();
  return CheckResult(std::sqrt(x));
}

// exp; overflow raises, underflow gives 0.
inline double CheckedExp(double x) {
  if (std::isnan(x)) RaiseInvalidOp();
  return CheckResult(std::exp(x));
}

// Real power by the platform's rule: x^0 = 1, 0^y = 0 for y > 0, an integral
// exponent by repeated multiplication in extended precision, otherwise
// exp(y ln x). Only the rounded result is checked.
double RealPower(double base, double exponent);

// Truncation towards zero to a 64-bit integer; NaN or |x| >= 2^63 is invalid.
inline std::int64_t TruncToInt64(double x) {
  if (!(x > -9223372036854775808.0 && x < 9223372036854775808.0)) RaiseInvalidOp();
  return static_cast<std::int64_t>(x);
}

// Integer DIV and MOD with the divisor checked.
std::int64_t IntDiv(std::int64_t a, std::int64_t b);
std::int64_t IntMod(std::int64_t a, std::int64_t b);

// Integer power: base raised to exponent by repeated squaring in extended
// precision; a negative exponent gives 1 / base^|exponent|; exponent 0 gives 1.
double IntPower(double base, std::int64_t exponent);
