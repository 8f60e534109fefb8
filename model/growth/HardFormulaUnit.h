#pragma once
// Built-in equations, used when a simulation leaves an equation text empty.
// Each reads its argument values in order; powers follow the parser's
// real-power rule and every operation is rounded to double.

#include <span>

// Age (years) at which the built-in site curve passes through the site index.
inline constexpr double DefaultSiteReferenceAge = 7.0;

// Dominant height at an age: x0 site index, x1 age, x2 reference age
// (DefaultSiteReferenceAge when only two values are given).
//   x0 × exp(-4.7196 × (x1^-0.51 - x2^-0.51))
double DefaultSiteIndex(std::span<const double> x);

// Tree volume: x0 diameter (cm), x1 height (m); a third value (age) is unused.
//   x0² × 7.854e-5 × 0.4436 × x1
double DefaultVolume(std::span<const double> x);

// Taper: x0 diameter, x1 relative height.
//   x0 × f(x1), f(t) = 0.080127 + 1.038552 t + 1.6698 t² - 4.21279 t³ + 2.525275 t⁴
double DefaultShapeFunction(std::span<const double> x);

// Integral of f² from 0 to x0, f the taper polynomial above.
double DefaultShapeIntegral(std::span<const double> x);
