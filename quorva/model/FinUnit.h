#pragma once
// Discounting, the net present value of a cash flow and the planning
// program's root finder.

#include <cmath>
#include <vector>

#include "model/math/MathUnit.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FloatChecks.h"

inline constexpr const char* kMsgConfiraDesbastes = "Confira os desbastes";

// amount / (1 + rate/100)^year; rate in percent.
double PresentValue(int year, double rate, double amount);

// Yearly amounts per hectare, index = year (0 = planting year); both vectors
// have one entry per year.
struct TCashFlow {
  std::vector<double> revenue;
  std::vector<double> cost;
};

// Sums of the discounted years, in year order, and their difference.
struct TPresentValues {
  double revenue = 0;
  double cost = 0;
  double net = 0;
};

// Present revenue, present cost and net present value of flow at rate
// (percent). Raises on a fault (Inf, NaN, rate -100).
TPresentValues NetPresentValue(const TCashFlow& flow, double rate);

// Every year of flow discounted at rate, each with PresentValue.
TCashFlow DiscountedFlow(const TCashFlow& flow, double rate);

namespace quorva {

// ZeroBrent with a bracket check: when f(x1) and f(x2) are non-zero and of
// the same sign it raises "Confira os desbastes" before any iteration. The
// two end values are not evaluated again.
template <class F>
double ZeroBrent(F&& f, double x1, double x2) {
  const double f1 = CheckResult(static_cast<double>(f(x1)));
  const double f2 = CheckResult(static_cast<double>(f(x2)));
  if (f1 != 0.0 && f2 != 0.0 && std::signbit(f1) == std::signbit(f2)) throw Exception(kMsgConfiraDesbastes);
  auto g = [&](double x) -> double {
    if (x == x1) return f1;
    if (x == x2) return f2;
    return static_cast<double>(f(x));
  };
  return ::ZeroBrent(g, x1, x2);
}

}  // namespace quorva
