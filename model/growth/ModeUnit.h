#pragma once
// Mode of a Johnson SB law x = xi + lambda/(1 + exp((gamma - t)/delta)) given that a
// second deviate, correlated with t by rho, is at least z.

class TMode {
public:
  // The law and the condition.
  struct TLaw {
    double xi = 0.0;
    double gamma = 0.0;
    double delta = 1.0;
    double lambda = 1.0;
    double rho = 0.0;
    double z = 0.0;
  };

  // The root of Slope between 5 % and 95 % of the range.
  double ComputeMode(double xi, double gamma, double delta, double lambda, double rho, double z) const;
  // Zero at the conditional mode.
  static double Slope(const TLaw& law, double x);
};
