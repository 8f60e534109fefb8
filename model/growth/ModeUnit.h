#pragma once
// Mode of a Johnson SB law x = xi + lambda/(1 + exp((gamma - t)/delta)) given that a
// second deviate, correlated with t by rho, is at least z.

class TMode {
 public:
  // The root of Slope between 5 % and 95 % of the range.
  double ComputeMode(double xi, double gamma, double delta, double lambda, double rho, double z);
  // Zero at the conditional mode.
  double Slope(double x) const;

 private:
  double xi_ = 0.0;
  double gamma_ = 0.0;
  double delta_ = 1.0;
  double lambda_ = 1.0;
  double rho_ = 0.0;
  double z_ = 0.0;
};
