#include "model/growth/HardFormulaUnit.h"

#include "platform/rtl/FloatChecks.h"

double DefaultSiteIndex(std::span<const double> x) {
  const double reference = x.size() > 2 ? x[2] : DefaultSiteReferenceAge;
  const double shape = RealPower(x[1], -0.51) - RealPower(reference, -0.51);
  return CheckResult(x[0] * CheckedExp(-4.7196 * shape));
}

double DefaultVolume(std::span<const double> x) {
  return CheckResult(RealPower(x[0], 2) * 7.854e-5 * 0.4436 * x[1]);
}

double DefaultShapeFunction(std::span<const double> x) {
  const double t = x[1];
  const double f = 1.6698 * RealPower(t, 2) + (1.038552 * t + 0.080127) - 4.21279 * RealPower(t, 3) +
                   2.525275 * RealPower(t, 4);
  return CheckResult(x[0] * f);
}

double DefaultShapeIntegral(std::span<const double> x) {
  const double t = x[0];
  return CheckResult(0.083216 * RealPower(t, 2) + 0.00642 * t + 0.448728 * RealPower(t, 3) +
                     0.698308 * RealPower(t, 4) - 1.1115 * RealPower(t, 5) - 1.47063 * RealPower(t, 6) +
                     3.74 * RealPower(t, 7) - 2.659613 * RealPower(t, 8) + 0.708557 * RealPower(t, 9));
}
